// Folders, files and peer processes for the configuration store tests.
#include "test_support.h"

TempFolder::TempFolder() {
    static LONG counter;
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t name[MAX_PATH];
    _snwprintf(name, MAX_PATH, L"%lsfyxprefs-%lu-%ld-%lu", base, GetCurrentProcessId(),
               InterlockedIncrement(&counter), GetTickCount());
    CreateDirectoryW(name, NULL);
    path_ = name;
}

TempFolder::~TempFolder() {
    for (const std::wstring& name : FileNames()) {
        std::wstring full = File(name);
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(full.c_str())) RemoveDirectoryW(full.c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> TempFolder::FileNames() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, NULL) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

HANDLE StartPeer(const std::wstring& args) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"prefs_peer.exe";
    std::wstring commandLine = L"\"" + exe + L"\" " + args;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        return NULL;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

long FinishPeer(HANDLE process, DWORD ms) {
    if (!process) return -1;
    long result = -1;
    DWORD code = 0;
    if (WaitForSingleObject(process, ms) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code)) {
        result = (long)code;
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    return result;
}

long RunPeer(const std::wstring& args) { return FinishPeer(StartPeer(args), 60000); }
