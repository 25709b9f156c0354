// Making stored names safe to write under a destination folder.
#include "unrar_paths.h"

#include <vector>

namespace fyxunrar {

namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? (wchar_t)(c - 32) : c; }

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension ("nul.txt").
bool IsDeviceName(const std::wstring& part) {
    std::wstring base = part.substr(0, part.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (wchar_t& c : base) c = Upper(c);
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* d : kDevices)
        if (base == d) return true;
    if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
        base[3] >= L'1' && base[3] <= L'9')
        return true;
    return false;
}

bool IsBadChar(wchar_t c) {
    return c < 32 || c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*' || c == L':';
}

}  // namespace

std::wstring SafeRelativePath(const std::wstring& stored) {
    std::vector<std::wstring> parts;
    std::wstring part;
    size_t start = 0;
    // A drive letter in front ("C:x", "C:\x") is dropped.
    if (stored.size() >= 2 && stored[1] == L':' &&
        ((stored[0] >= L'A' && stored[0] <= L'Z') || (stored[0] >= L'a' && stored[0] <= L'z')))
        start = 2;
    for (size_t i = start; i <= stored.size(); ++i) {
        wchar_t c = i < stored.size() ? stored[i] : L'/';
        if (c != L'/' && c != L'\\') {
            part += IsBadChar(c) ? L'_' : c;
            continue;
        }
        // Windows drops trailing dots and spaces, so "..." or ". ." would
        // alias a parent reference: trim them before judging the part.
        while (!part.empty() && (part.back() == L'.' || part.back() == L' ')) part.pop_back();
        if (!part.empty()) {
            if (IsDeviceName(part)) part = L"_" + part;
            parts.push_back(part);
        }
        part.clear();
    }
    std::wstring out;
    for (const std::wstring& p : parts) {
        if (!out.empty()) out += L'\\';
        out += p;
    }
    return out;
}

std::wstring JoinDestination(const std::wstring& folder, const std::wstring& relative) {
    if (folder.empty()) return relative;
    std::wstring out = folder;
    if (out.back() != L'\\' && out.back() != L'/') out += L'\\';
    return out + relative;
}

}  // namespace fyxunrar
