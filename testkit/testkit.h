// Test helpers: temporary program folders, started processes, their windows
// and dialogs, and pictures of windows. Everything a helper starts it ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fyxtest {

// Folder of the shipped programs and DLLs of this build.
std::wstring ProductDir();
// Folder of the archives made by other tools (with their manifests).
std::wstring TestDataDir();
// Folder of the running test program (the probe programs live there too).
std::wstring TestProgramDir();
std::wstring JoinPath(const std::wstring& dir, const std::wstring& name);

bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::wstring& path, std::string* bytes);
bool FileExists(const std::wstring& path);

// A fresh folder under the temporary folder, removed with all its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return JoinPath(path_, name); }

private:
    std::wstring path_;
};

// A temporary program folder: every .exe and .dll of the product copied in,
// plus a chosen "Fyx.ini" when one is given.
class ProgramFolder : public TempDir {
public:
    // Returns the number of files copied (0 means the product was not found).
    int CopyProducts();
    bool WriteSettings(const std::string& iniText) { return WriteFileBytes(File(L"Fyx.ini"), iniText); }
};

struct Process {
    HANDLE handle = NULL;
    DWORD pid = 0;
};

// Starts `exe` with the given arguments (the program name is put in front).
bool StartProgram(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir,
                  Process* out);
// Waits for the end; true with its exit code when it ended in time.
bool WaitForExit(Process& p, DWORD ms, DWORD* exitCode);
// Ends a started process by its handle (when still running) and closes the handle.
void EndProcess(Process& p);

// Top-level windows of a process, optionally of one class (NULL: any).
std::vector<HWND> WindowsOfProcess(DWORD pid, const wchar_t* className);
// Waits for a visible-or-not top-level window of the process; NULL on time-out.
HWND WaitForWindow(DWORD pid, const wchar_t* className, DWORD ms);
// Shown dialog boxes (class "#32770") of a process.
std::vector<HWND> FindDialogs(DWORD pid);
HWND WaitForDialog(DWORD pid, DWORD ms);

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int id);
bool PressButton(HWND dialog, int id);

// Copies the window as shown (frame included) into a 24-bit BMP file.
bool CaptureWindow(HWND window, const std::wstring& bmpPath);
// Colour of one pixel of a captured BMP (0x00RRGGBB), or -1 when unreadable.
long BmpPixel(const std::wstring& bmpPath, int x, int y);

}  // namespace fyxtest
