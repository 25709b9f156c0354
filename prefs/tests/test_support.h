// Small helpers of the configuration store tests: private folders, whole
// files, and the peer program as a second process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> FileNames() const;

private:
    std::wstring path_;
};

bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);

// Starts prefs_peer.exe (beside the test program) with the arguments.
HANDLE StartPeer(const std::wstring& args);
// Exit code of a started peer, or -1 when it did not end within `ms`.
long FinishPeer(HANDLE process, DWORD ms);
long RunPeer(const std::wstring& args);
