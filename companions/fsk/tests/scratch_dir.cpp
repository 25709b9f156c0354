// Scratch folders for the file tests.
#include "scratch_dir.h"

#include <vector>

std::wstring LongForm(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

bool MakeDir(const std::wstring& path) { return CreateDirectoryW(LongForm(path).c_str(), NULL) != 0; }

bool MakeFile(const std::wstring& path, size_t bytes) {
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<char> data(bytes, 'x');
    DWORD written = 0;
    bool ok = bytes == 0 || (WriteFile(file, data.data(), (DWORD)bytes, &written, NULL) && written == bytes);
    CloseHandle(file);
    return ok;
}

static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(LongForm(dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = dir + L"\\" + name;
            SetFileAttributesW(LongForm(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(LongForm(child).c_str());
            else
                DeleteFileW(LongForm(child).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(LongForm(dir).c_str());
}

ScratchDir::ScratchDir() {
    static LONG counter = 0;
    wchar_t temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    std::wstring base(temp, n);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[64];
        swprintf(name, 64, L"\\fsk_%lu_%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
        path_ = base + name;
        if (CreateDirectoryW(path_.c_str(), NULL)) return;
    }
    path_.clear();
}

ScratchDir::~ScratchDir() {
    if (!path_.empty()) RemoveTree(path_);
}
