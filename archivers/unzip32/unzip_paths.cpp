// Selection answers and name patterns of UNZIP32.DLL.
#include "unzip_paths.h"

#include "unzip_api.h"
#include "win32_files.h"
#include "zip_names.h"

namespace fyxunzip {
namespace {

std::wstring LastPart(const std::wstring& path) {
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}


}  // namespace

bool ResolveSelection(const std::wstring& name, int answer, bool recreateFolders, std::wstring* path) {
    std::wstring trimmed = name;
    while (!trimmed.empty() && trimmed.back() == L'\\') trimmed.pop_back();
    std::wstring chosen;
    if (answer == kUzSelectFullPath) {
        chosen = recreateFolders ? trimmed : LastPart(trimmed);
    } else if (answer == kUzSelectLastPart) {
        chosen = LastPart(trimmed);
    } else if (answer >= 0 && static_cast<size_t>(answer) < trimmed.size()) {
        chosen = trimmed.substr(static_cast<size_t>(answer));
    } else {
        return false;
    }
    // The cut must still be a safe relative path.
    std::string safe;
    if (fyxzip::MakeSafeRelativePath(fyxzipwin::WideToUtf8(chosen), &safe) == fyxzip::kNameRefused) return false;
    *path = fyxzipwin::Utf8ToWide(safe);
    for (wchar_t& c : *path)
        if (c == L'/') c = L'\\';
    return !path->empty();
}

}  // namespace fyxunzip
