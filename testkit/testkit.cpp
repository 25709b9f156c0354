// Test helpers: folders, processes, windows, dialogs and window pictures.
#include "testkit.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace fyxtest {

namespace {

// A Unix path as a Windows path on drive Z:; other paths stay as they are.
std::wstring FromUnixWide(std::wstring p) {
    if (!p.empty() && p[0] == L'/') {
        for (wchar_t& c : p)
            if (c == L'/') c = L'\\';
        p = L"Z:" + p;
    }
    return p;
}

std::wstring EnvPath(const wchar_t* name) {
    wchar_t buffer[2048];
    DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
    if (n == 0 || n >= 2048) return std::wstring();
    return FromUnixWide(buffer);
}

// Depth first, by long paths; a link (a reparse point) is removed itself,
// so nothing it points to is touched.
bool RemoveTree(const std::wstring& longDir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(JoinPath(longDir, L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L"..")) continue;
            std::wstring child = JoinPath(longDir, fd.cFileName);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                if (!DeleteFileW(child.c_str())) RemoveDirectoryW(child.c_str());
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    SetFileAttributesW(longDir.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryW(longDir.c_str()) != 0;
}

struct EnumState {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    EnumState* s = (EnumState*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->pid) return TRUE;
    if (s->className) {
        wchar_t name[256];
        if (!GetClassNameW(window, name, 256) || wcscmp(name, s->className) != 0) return TRUE;
    }
    s->found->push_back(window);
    return TRUE;
}

}  // namespace

std::wstring JoinPath(const std::wstring& dir, const std::wstring& name) {
    if (dir.empty()) return name;
    wchar_t last = dir[dir.size() - 1];
    return (last == L'\\' || last == L'/') ? dir + name : dir + L"\\" + name;
}

std::wstring FromUnixPath(const std::string& unixPath) {
    int n = MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), (int)unixPath.size(), NULL, 0);
    std::wstring wide(n > 0 ? (size_t)n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, unixPath.data(), (int)unixPath.size(), &wide[0], n);
    return FromUnixWide(wide);
}

std::wstring LongPath(const std::wstring& path) {
    if (path.empty() || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    // The long form is taken literally, so "/", "." and ".." are resolved first.
    DWORD n = GetFullPathNameW(path.c_str(), 0, NULL, NULL);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, &full[0], NULL);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    if (full.compare(0, 4, L"\\\\.\\") == 0) return full;  // a device
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring ProductDir() {
    std::wstring p = EnvPath(L"FYX_BIN_DIR");
    if (!p.empty()) return p;
    return FromUnixPath(FYX_BIN_DIR_DEFAULT);
}

std::wstring TestDataDir() { return EnvPath(L"FYX_TESTDATA_DIR"); }

std::wstring TestProgramDir() {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, buffer, MAX_PATH);
    std::wstring p(buffer, n);
    size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash);
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(h);
    return ok && written == bytes.size();
}

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    HANDLE h = CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING, 0,
                           NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart < (1LL << 31);
    if (ok) {
        bytes->resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = bytes->empty() || (ReadFile(h, &(*bytes)[0], (DWORD)bytes->size(), &got, NULL) &&
                                got == bytes->size());
    }
    CloseHandle(h);
    return ok;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    if (!ReadFileBytes(path, &bytes)) bytes.clear();
    return bytes;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolder(const std::wstring& path) { return CreateDirectoryW(LongPath(path).c_str(), NULL) != 0; }

std::vector<std::wstring> FolderNames(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(JoinPath(LongPath(dir), L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static LONG counter;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        wchar_t name[64];
        swprintf(name, 64, L"fyxtest_%lu_%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
        std::wstring p = JoinPath(base, name);
        if (CreateDirectoryW(p.c_str(), NULL)) {
            path_ = p;
            return;
        }
    }
}

TempDir::~TempDir() {
    if (!path_.empty()) RemoveTree(LongPath(path_));
}

int ProgramFolder::CopyProducts() {
    std::wstring from = ProductDir();
    int copied = 0;
    for (const wchar_t* pattern : {L"*.exe", L"*.dll"}) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(JoinPath(from, pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (CopyFileW(JoinPath(from, fd.cFileName).c_str(), File(fd.cFileName).c_str(), FALSE))
                ++copied;
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return copied;
}

bool StartProgram(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir,
                  Process* out) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!args.empty()) commandLine += L" " + args;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL,
                        workDir.empty() ? NULL : workDir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    out->handle = pi.hProcess;
    out->pid = pi.dwProcessId;
    return true;
}

bool WaitForExit(Process& p, DWORD ms, DWORD* exitCode) {
    if (!p.handle || WaitForSingleObject(p.handle, ms) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(p.handle, &code);
    if (exitCode) *exitCode = code;
    return true;
}

void EndProcess(Process& p) {
    if (!p.handle) return;
    if (WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT) {
        TerminateProcess(p.handle, 1);
        WaitForSingleObject(p.handle, 5000);
    }
    CloseHandle(p.handle);
    p.handle = NULL;
    p.pid = 0;
}

long FinishProgram(Process& p, DWORD ms) {
    DWORD code = 0;
    long result = WaitForExit(p, ms, &code) ? (long)code : -1;
    EndProcess(p);
    return result;
}

long RunProgram(const std::wstring& exe, const std::wstring& args, DWORD ms) {
    Process p;
    if (!StartProgram(exe, args, L"", &p)) return -1;
    return FinishProgram(p, ms);
}

std::vector<HWND> WindowsOfProcess(DWORD pid, const wchar_t* className) {
    std::vector<HWND> found;
    EnumState s = {pid, className, &found};
    EnumWindows(CollectWindow, (LPARAM)&s);
    return found;
}

HWND WaitForWindow(DWORD pid, const wchar_t* className, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> w = WindowsOfProcess(pid, className);
        if (!w.empty()) return w[0];
        if (GetTickCount() - start > ms) return NULL;
        Sleep(20);
    }
}

std::vector<HWND> FindDialogs(DWORD pid) {
    // Wine keeps hidden helper windows of the dialog class; only shown ones count.
    std::vector<HWND> shown;
    for (HWND w : WindowsOfProcess(pid, L"#32770"))
        if (IsWindowVisible(w)) shown.push_back(w);
    return shown;
}

HWND WaitForDialog(DWORD pid, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> d = FindDialogs(pid);
        if (!d.empty()) return d[0];
        if (GetTickCount() - start > ms) return NULL;
        Sleep(20);
    }
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT works across processes, unlike GetWindowTextW on controls.
    wchar_t buffer[4096];
    LRESULT n = SendMessageW(window, WM_GETTEXT, 4096, (LPARAM)buffer);
    return std::wstring(buffer, n > 0 ? (size_t)n : 0);
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::wstring();
}

bool PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) return false;
    // Posted: the dialog may end and its owner go on before we return.
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button) != 0;
}

Canvas::Canvas(int width, int height, COLORREF paper) : width_(width), height_(height), bits_(NULL) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(NULL);
    void* bits = NULL;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bits_ = (DWORD*)bits;
    old_ = SelectObject(dc_, bitmap_);
    DWORD value = ((DWORD)GetRValue(paper) << 16) | ((DWORD)GetGValue(paper) << 8) | GetBValue(paper);
    for (int i = 0; bits_ && i < width * height; ++i) bits_[i] = value;
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool CaptureWindow(HWND window, const std::wstring& bmpPath) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    bool ok = dib != NULL;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, dib);
        // The window's own pixels as shown; a window that is not on the
        // screen is asked to draw itself instead.
        HDC source = GetWindowDC(window);
        BOOL copied = source && BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        if (source) ReleaseDC(window, source);
        if (!copied) PrintWindow(window, memory, 0);
        GdiFlush();
        SelectObject(memory, old);
        DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
        DWORD imageSize = stride * (DWORD)height;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + imageSize;
        std::string file((const char*)&fh, sizeof(fh));
        file.append((const char*)&bi.bmiHeader, sizeof(BITMAPINFOHEADER));
        file.append((const char*)bits, imageSize);
        ok = WriteFileBytes(bmpPath, file);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

long BmpPixel(const std::wstring& bmpPath, int x, int y) {
    std::string file;
    if (!ReadFileBytes(bmpPath, &file) || file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return -1;
    const BITMAPFILEHEADER* fh = (const BITMAPFILEHEADER*)file.data();
    const BITMAPINFOHEADER* ih = (const BITMAPINFOHEADER*)(file.data() + sizeof(BITMAPFILEHEADER));
    if (fh->bfType != 0x4D42 || ih->biBitCount != 24 || x < 0 || y < 0 || x >= ih->biWidth ||
        y >= ih->biHeight)
        return -1;
    size_t stride = ((size_t)ih->biWidth * 3 + 3) & ~(size_t)3;
    size_t row = (size_t)(ih->biHeight - 1 - y);  // bottom-up rows
    size_t at = fh->bfOffBits + row * stride + (size_t)x * 3;
    if (at + 3 > file.size()) return -1;
    const unsigned char* p = (const unsigned char*)file.data() + at;
    return ((long)p[2] << 16) | ((long)p[1] << 8) | p[0];
}

}  // namespace fyxtest
