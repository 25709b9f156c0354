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
// A Unix path of the build machine as the programs see it (on drive Z:).
std::wstring FromUnixPath(const std::string& unixPath);
// The "\\?\" form of a path made absolute, which may pass MAX_PATH.
std::wstring LongPath(const std::wstring& path);

// The file helpers take paths of any length.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::wstring& path, std::string* bytes);
// The whole file, or nothing when it cannot be read.
std::string FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool MakeFolder(const std::wstring& path);
// Names in a folder ("." and ".." left out), sorted.
std::vector<std::wstring> FolderNames(const std::wstring& dir);

// A fresh folder under the temporary folder, removed with all its content,
// however deep; links in it are removed, never followed.
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
// Waits up to `ms` for the end: its exit code, or -1 when it had to be ended
// (or was never started). The process is finished with either way.
long FinishProgram(Process& p, DWORD ms);
// Starts `exe` and finishes it as above.
long RunProgram(const std::wstring& exe, const std::wstring& args, DWORD ms);

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

// A 32-bit top-down bitmap selected into a memory DC, filled with `paper`,
// readable pixel by pixel: drawing code is tested on it.
class Canvas {
public:
    Canvas(int width, int height, COLORREF paper = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_;
};

// Copies the window as shown (frame included) into a 24-bit BMP file.
bool CaptureWindow(HWND window, const std::wstring& bmpPath);
// Colour of one pixel of a captured BMP (0x00RRGGBB), or -1 when unreadable.
long BmpPixel(const std::wstring& bmpPath, int x, int y);

}  // namespace fyxtest
