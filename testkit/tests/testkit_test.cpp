// The test kit's helpers, each shown working against the probe program.
#include <gtest/gtest.h>

#include "testkit.h"

using namespace fyxtest;

namespace {

std::wstring Probe() { return JoinPath(TestProgramDir(), L"fyxkit_probe.exe"); }

TEST(TestKit, ProgramFolderHoldsTheProductAndSettings) {
    std::wstring path;
    {
        ProgramFolder folder;
        path = folder.path();
        ASSERT_FALSE(path.empty());
        EXPECT_GE(folder.CopyProducts(), 10);
        EXPECT_TRUE(FileExists(folder.File(L"Fyx.exe")));
        EXPECT_TRUE(FileExists(folder.File(L"plugin.dll")));
        ASSERT_TRUE(folder.WriteSettings("a\r\nb\r\n"));
        std::string back;
        ASSERT_TRUE(ReadFileBytes(folder.File(L"Fyx.ini"), &back));
        EXPECT_EQ("a\r\nb\r\n", back);
    }
    EXPECT_FALSE(FileExists(path));  // removed with its content
}

TEST(TestKit, DialogOfAStartedProgramIsReadAndAnswered) {
    Process p;
    ASSERT_TRUE(StartProgram(Probe(), L"", L"", &p));
    HWND window = WaitForWindow(p.pid, L"FyxKitProbe", 20000);
    ASSERT_TRUE(window != NULL);
    EXPECT_EQ(L"Probe", WindowText(window));
    PostMessageW(window, WM_APP, 0, 0);
    HWND dialog = WaitForDialog(p.pid, 20000);
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(L"Probe question", ControlText(dialog, 0xFFFF));  // a message box's text control
    EXPECT_EQ(1u, FindDialogs(p.pid).size());
    ASSERT_TRUE(PressButton(dialog, IDCANCEL));
    DWORD code = 0;
    EXPECT_TRUE(WaitForExit(p, 20000, &code));
    EXPECT_EQ((DWORD)IDCANCEL, code);
    EndProcess(p);
}

TEST(TestKit, WindowIsCapturedToAPicture) {
    Process p;
    ASSERT_TRUE(StartProgram(Probe(), L"", L"", &p));
    HWND window = WaitForWindow(p.pid, L"FyxKitProbe", 20000);
    ASSERT_TRUE(window != NULL);
    UpdateWindow(window);
    TempDir dir;
    std::wstring bmp = dir.File(L"probe.bmp");
    // The first paint may still be on its way: try for a while.
    long centre = -1;
    for (int i = 0; i < 50 && centre != 0xC81E28; ++i) {
        Sleep(100);
        ASSERT_TRUE(CaptureWindow(window, bmp));
        RECT r;
        GetWindowRect(window, &r);
        centre = BmpPixel(bmp, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
    }
    EXPECT_EQ(0xC81E28, centre);
    EndProcess(p);
}

// Starts the probe up to its window; `watch` is a second handle of the
// process, to see it end after the kit has closed its own.
bool StartWatchedProbe(Process* p, HANDLE* watch) {
    if (!StartProgram(Probe(), L"", L"", p)) return false;
    if (!WaitForWindow(p->pid, L"FyxKitProbe", 20000) ||
        !DuplicateHandle(GetCurrentProcess(), p->handle, GetCurrentProcess(), watch, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        EndProcess(*p);
        return false;
    }
    return true;
}

TEST(TestKit, EndProcessStopsWhatWasStarted) {
    Process p;
    HANDLE watch = NULL;
    ASSERT_TRUE(StartWatchedProbe(&p, &watch));
    EndProcess(p);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watch, 5000));
    CloseHandle(watch);
    EXPECT_TRUE(p.handle == NULL);
}

TEST(TestKit, RunProgramGivesTheExitCodeOrEndsIt) {
    EXPECT_EQ(42, RunProgram(Probe(), L"exit 42", 20000));
    EXPECT_EQ(0, RunProgram(Probe(), L"exit 0", 20000));
    EXPECT_EQ(-1, RunProgram(JoinPath(TestProgramDir(), L"missing.exe"), L"", 20000));

    Process p;
    HANDLE watch = NULL;
    ASSERT_TRUE(StartWatchedProbe(&p, &watch));
    EXPECT_EQ(-1, FinishProgram(p, 200));  // the window stays open: it is ended
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watch, 5000));
    CloseHandle(watch);
    EXPECT_TRUE(p.handle == NULL);
    Process never;
    EXPECT_EQ(-1, FinishProgram(never, 0));
}

TEST(TestKit, PathForms) {
    EXPECT_EQ(L"Z:\\usr\\src\\x y", FromUnixPath("/usr/src/x y"));
    EXPECT_EQ(L"Z:\\tmp\\\x00e9t\x00e9", FromUnixPath("/tmp/\xc3\xa9t\xc3\xa9"));  // UTF-8
    EXPECT_EQ(L"C:\\a", FromUnixPath("C:\\a"));
    const struct {
        const wchar_t* path;
        const wchar_t* longForm;
    } cases[] = {
        {L"C:\\a\\b", L"\\\\?\\C:\\a\\b"},
        {L"C:/a/./c/../b", L"\\\\?\\C:\\a\\b"},
        {L"\\\\server\\share\\f", L"\\\\?\\UNC\\server\\share\\f"},
        {L"\\\\?\\C:\\a/b", L"\\\\?\\C:\\a/b"},  // already long: taken as it is
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.longForm, LongPath(c.path)) << c.path;
    wchar_t current[MAX_PATH];
    ASSERT_TRUE(GetCurrentDirectoryW(MAX_PATH, current) > 0);
    EXPECT_EQ(L"\\\\?\\" + JoinPath(current, L"x"), LongPath(L"x"));  // made absolute
}

// Files and folders deeper than MAX_PATH, names of a folder, and removal of
// the whole tree without following a link out of it.
TEST(TestKit, TempDirHoldsDeepTreesAndRemovesThemWhole) {
    TempDir outside;
    ASSERT_TRUE(WriteFileBytes(outside.File(L"kept.txt"), "kept"));
    std::wstring path;
    std::wstring deep;
    bool linked = false;
    {
        TempDir dir;
        path = dir.path();
        deep = path;
        for (int level = 0; level < 8; ++level) {
            deep = JoinPath(deep, std::wstring(60, (wchar_t)(L'a' + level)));
            ASSERT_TRUE(MakeFolder(deep)) << level;
        }
        ASSERT_GT(deep.size(), (size_t)MAX_PATH);
        std::wstring file = JoinPath(deep, L"data.bin");
        ASSERT_TRUE(WriteFileBytes(file, std::string("a\0b", 3)));
        EXPECT_TRUE(FileExists(file));
        EXPECT_EQ(std::string("a\0b", 3), FileBytes(file));
        EXPECT_EQ("", FileBytes(JoinPath(deep, L"missing")));
        EXPECT_FALSE(MakeFolder(deep));  // already there

        ASSERT_TRUE(WriteFileBytes(dir.File(L"b.txt"), ""));
        ASSERT_TRUE(WriteFileBytes(dir.File(L"A.txt"), "x"));
        SetFileAttributesW(dir.File(L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        std::vector<std::wstring> names = FolderNames(dir.path());
        EXPECT_EQ((std::vector<std::wstring>{L"A.txt", std::wstring(60, L'a'), L"b.txt"}), names);
        EXPECT_TRUE(FolderNames(dir.File(L"missing")).empty());

        typedef BOOLEAN(WINAPI * CreateLink)(LPCWSTR, LPCWSTR, DWORD);
        CreateLink create =
            (CreateLink)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW");
        // Links need a right that not every account has, and a link must be
        // reported as one to be known; the rest holds without it.
        std::wstring link = dir.File(L"out");
        linked = create && create(link.c_str(), outside.path().c_str(), 1 /* a directory */);
        DWORD attributes = GetFileAttributesW(link.c_str());
        linked = linked && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(deep));
    if (linked) {
        EXPECT_EQ("kept", FileBytes(outside.File(L"kept.txt")));
    }
}

TEST(TestKit, TestDataIsReachable) {
    EXPECT_TRUE(FileExists(JoinPath(TestDataDir(), L"zip\\MANIFEST.md")));
}

}  // namespace
