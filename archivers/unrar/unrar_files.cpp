// Win32 file access of the library.
#include "unrar_files.h"

namespace fyxunrar {

namespace {

class VolumeFile : public fyxrar::Stream {
public:
    explicit VolumeFile(HANDLE h) : h_(h) {}
    ~VolumeFile() override { CloseHandle(h_); }
    bool Read(void* buffer, size_t size, size_t* got) override {
        *got = 0;
        uint8_t* out = (uint8_t*)buffer;
        while (size > 0) {
            DWORD want = size > 0x40000000 ? 0x40000000 : (DWORD)size;
            DWORD n = 0;
            if (!ReadFile(h_, out, want, &n, NULL)) return false;
            if (n == 0) break;
            *got += n;
            out += n;
            size -= n;
        }
        return true;
    }
    bool Seek(uint64_t position) override {
        LARGE_INTEGER at;
        at.QuadPart = (LONGLONG)position;
        return SetFilePointerEx(h_, at, NULL, FILE_BEGIN) != 0;
    }
    uint64_t Size() override {
        LARGE_INTEGER size;
        return GetFileSizeEx(h_, &size) ? (uint64_t)size.QuadPart : 0;
    }

private:
    HANDLE h_;
};

}  // namespace

std::wstring Win32Path(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12 || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    DWORD n = GetFullPathNameW(path.c_str(), 0, NULL, NULL);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, &full[0], NULL);
    full.resize(n);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::unique_ptr<fyxrar::Stream> OpenVolumeFile(const std::wstring& path) {
    HANDLE h = CreateFileW(Win32Path(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<fyxrar::Stream>(new VolumeFile(h));
}

void CreateParentFolders(const std::wstring& path) {
    size_t end = path.find_last_of(L"\\/");
    if (end == std::wstring::npos || end == 0) return;
    std::wstring folder = path.substr(0, end);
    if (folder.size() == 2 && folder[1] == L':') return;
    DWORD attr = GetFileAttributesW(Win32Path(folder).c_str());
    if (attr != INVALID_FILE_ATTRIBUTES) return;
    CreateParentFolders(folder);
    CreateDirectoryW(Win32Path(folder).c_str(), NULL);
}

bool OutputFile::Create(const std::wstring& path) {
    path_ = Win32Path(path);
    CreateParentFolders(path);
    DWORD attr = GetFileAttributesW(path_.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path_.c_str(), attr & ~(DWORD)FILE_ATTRIBUTE_READONLY);
    handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          NULL);
    return handle_ != INVALID_HANDLE_VALUE;
}

bool OutputFile::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD want = size > 0x40000000 ? 0x40000000 : (DWORD)size;
        DWORD n = 0;
        if (!WriteFile(handle_, data, want, &n, NULL) || n != want) {
            failed_ = true;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool EntryModified(const fyxrar::EntryInfo& entry, FILETIME* out) {
    if (entry.modified) {
        out->dwLowDateTime = (DWORD)entry.modified;
        out->dwHighDateTime = (DWORD)(entry.modified >> 32);
        return true;
    }
    if (!entry.dosTime) return false;
    FILETIME local;
    if (!DosDateTimeToFileTime((WORD)(entry.dosTime >> 16), (WORD)entry.dosTime, &local)) return false;
    return LocalFileTimeToFileTime(&local, out) != 0;
}

void OutputFile::SetTimes(const fyxrar::EntryInfo& entry) {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    FILETIME m, c, a;
    bool hasM = EntryModified(entry, &m);
    c.dwLowDateTime = (DWORD)entry.created;
    c.dwHighDateTime = (DWORD)(entry.created >> 32);
    a.dwLowDateTime = (DWORD)entry.accessed;
    a.dwHighDateTime = (DWORD)(entry.accessed >> 32);
    SetFileTime(handle_, entry.created ? &c : NULL, entry.accessed ? &a : NULL, hasM ? &m : NULL);
}

bool OutputFile::Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return !failed_;
    bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok && !failed_;
}

void OutputFile::Discard() {
    Close();
    if (!path_.empty()) DeleteFileW(path_.c_str());
}

DWORD EntryAttributes(const fyxrar::EntryInfo& entry) {
    const DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (entry.hostOs == fyxrar::kHostUnix || entry.hostOs == fyxrar::kHostMacOs ||
        entry.hostOs == fyxrar::kHostBeOs) {
        // Unix mode: no owner write permission means read-only.
        DWORD a = entry.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        if (!(entry.attributes & 0200)) a |= FILE_ATTRIBUTE_READONLY;
        return a;
    }
    DWORD a = entry.attributes & kKept;
    if (entry.directory) a |= FILE_ATTRIBUTE_DIRECTORY;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

bool CreateFolderEntry(const std::wstring& folder, const fyxrar::EntryInfo& entry) {
    CreateParentFolders(folder + L"\\x");
    std::wstring path = Win32Path(folder);
    DWORD attr = GetFileAttributesW(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY)) return false;
    FILETIME m;
    if (EntryModified(entry, &m)) {
        HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            SetFileTime(h, NULL, NULL, &m);
            CloseHandle(h);
        }
    }
    DWORD wanted = EntryAttributes(entry) & ~(DWORD)FILE_ATTRIBUTE_DIRECTORY;
    if (wanted != FILE_ATTRIBUTE_NORMAL && wanted != 0) SetFileAttributesW(path.c_str(), wanted);
    return true;
}

}  // namespace fyxunrar
