// Helpers of the language tests.
#include "test_support.h"

#include <stdlib.h>

std::wstring WinePath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : (wchar_t)(unsigned char)c;
    return path;
}

std::wstring ProductFolder() {
    const char* dir = getenv("FYX_BIN_DIR");
    return WinePath(dir ? dir : "");
}

std::wstring TestSourceFile(const wchar_t* name) {
    return Join(WinePath(FYX_LANGUAGE_TEST_DIR), name);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

bool ReadBytes(const std::wstring& path, std::string* bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, NULL) != 0) && got > 0) bytes->append(buffer, got);
    CloseHandle(file);
    return ok;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL) &&
                                written == bytes.size());
    CloseHandle(file);
    return ok;
}

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = Join(folder, name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (unsigned n = GetTickCount(); path_.empty(); ++n) {
        std::wstring candidate = Join(temp, L"fyxlang" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                                std::to_wstring(n));
        if (CreateDirectoryW(candidate.c_str(), NULL)) path_ = candidate;
        else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

TempFolder::~TempFolder() {
    if (!path_.empty()) RemoveTree(path_);
}

std::string LanguageBytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += (char)(unit & 0xFF);
        bytes += (char)(unit >> 8);
    }
    return bytes;
}

std::wstring JoinLines(const std::initializer_list<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}
