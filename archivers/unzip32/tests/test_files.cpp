// Test file helpers over Win32.
#include "test_files.h"

#include <windows.h>
#include <stdlib.h>

#include "win32_files.h"

namespace ziptest {
namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..") continue;
            std::wstring child = path + L"\\" + n;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        wchar_t name[MAX_PATH];
        wsprintfW(name, L"%sfyxzip%lu_%u", base, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryW(name, nullptr)) {
            path_ = name;
            break;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(h) && ok;
}

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    std::unique_ptr<fyxzipwin::Win32Input> in = fyxzipwin::Win32Input::Open(path);
    if (!in) return false;
    bytes->resize(static_cast<size_t>(in->Size()));
    return bytes->empty() || fyxzip::ReadExact(*in, 0, &(*bytes)[0], bytes->size());
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TestArchive(const char* name) {
    const char* dir = getenv("FYX_TESTDATA_DIR");
    std::wstring path = L"Z:" + fyxzipwin::Utf8ToWide(dir ? dir : "") + L"/zip/" + fyxzipwin::Utf8ToWide(name);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace ziptest
