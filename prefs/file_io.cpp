// Whole-file reading and replacing for the settings and profile files.
#include "file_io.h"

#include <windows.h>
#include <wchar.h>

namespace {

// Another process may hold the file for a moment (a reader while a save
// renames, a virus scanner): such errors are retried for a short while,
// reads for up to half a second, the final rename of a save for two.
const int kRetries = 400;
const int kReadRetries = 100;
const DWORD kRetryPauseMs = 5;

bool IsPassingError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Temporary file beside the target, unique per thread of this machine.
bool TemporaryNameBeside(const wchar_t* path, wchar_t* out, size_t capacity) {
    size_t folderLength = 0;
    for (size_t i = 0; path[i]; ++i) {
        if (path[i] == L'\\' || path[i] == L'/' || path[i] == L':') folderLength = i + 1;
    }
    wchar_t name[40];
    _snwprintf(name, 40, L"~fyx%08lx%08lx.tmp", (unsigned long)GetCurrentProcessId(),
             (unsigned long)GetCurrentThreadId());
    size_t nameLength = wcslen(name);
    if (folderLength + nameLength + 1 > capacity) return false;
    wmemcpy(out, path, folderLength);
    wmemcpy(out + folderLength, name, nameLength + 1);
    return true;
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        DWORD chunk = size > 65536 ? 65536 : (DWORD)size;
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, NULL) || written != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

}  // namespace

bool JoinFolderFile(const wchar_t* folder, const wchar_t* name, wchar_t* out, size_t capacity) {
    size_t folderLength = wcslen(folder);
    size_t nameLength = wcslen(name);
    bool needsSeparator = folderLength > 0 && folder[folderLength - 1] != L'\\' &&
                          folder[folderLength - 1] != L'/';
    if (folderLength + (needsSeparator ? 1 : 0) + nameLength + 1 > capacity) return false;
    wmemcpy(out, folder, folderLength);
    if (needsSeparator) out[folderLength++] = L'\\';
    wmemcpy(out + folderLength, name, nameLength + 1);
    return true;
}

bool ReadSmallFile(const wchar_t* path, size_t maxBytes, unsigned char** data, size_t* size) {
    *data = NULL;
    *size = 0;
    HANDLE file = INVALID_HANDLE_VALUE;
    // Sharing delete too, so a save can rename its new file over this one.
    for (int attempt = 0; attempt < kReadRetries; ++attempt) {
        file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE || !IsPassingError(GetLastError())) break;
        DWORD attributes = GetFileAttributesW(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
        Sleep(kRetryPauseMs);
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER fileSize;
    bool ok = GetFileSizeEx(file, &fileSize) != 0;
    size_t wanted = 0;
    if (ok) wanted = (unsigned long long)fileSize.QuadPart > maxBytes ? maxBytes : (size_t)fileSize.QuadPart;
    unsigned char* buffer = ok ? (unsigned char*)HeapAlloc(GetProcessHeap(), 0, wanted + 1) : NULL;
    size_t got = 0;
    if (buffer) {
        while (got < wanted) {
            DWORD chunk = wanted - got > 65536 ? 65536 : (DWORD)(wanted - got);
            DWORD read = 0;
            if (!ReadFile(file, buffer + got, chunk, &read, NULL)) {
                ok = false;
                break;
            }
            if (read == 0) break;  // the file became shorter
            got += read;
        }
    }
    CloseHandle(file);
    if (!buffer || !ok) {
        FreeFileData(buffer);
        return false;
    }
    *data = buffer;
    *size = got;
    return true;
}

void FreeFileData(unsigned char* data) {
    if (data) HeapFree(GetProcessHeap(), 0, data);
}

int ReplaceFileWhole(const wchar_t* path, const char* data, size_t size) {
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return 1;
    }
    wchar_t temporary[MAX_PATH];
    if (!TemporaryNameBeside(path, temporary, MAX_PATH)) return 1;
    // The new file takes over a hidden or system attribute the old one had.
    DWORD kept = attributes == INVALID_FILE_ATTRIBUTES
                     ? 0
                     : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              kept ? kept : FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    // Flushed before the rename, so a crash right after it cannot leave the
    // new name on a file whose content never reached the disk.
    bool written = WriteAll(file, data, size) && FlushFileBuffers(file);
    if (!CloseHandle(file)) written = false;
    if (!written) {
        DeleteFileW(temporary);
        return 1;
    }
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        if (MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        if (!IsPassingError(GetLastError())) break;
        Sleep(kRetryPauseMs);
    }
    DeleteFileW(temporary);
    return 1;
}
