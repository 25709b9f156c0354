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

TEST(TestKit, EndProcessStopsWhatWasStarted) {
    Process p;
    ASSERT_TRUE(StartProgram(Probe(), L"", L"", &p));
    ASSERT_TRUE(WaitForWindow(p.pid, L"FyxKitProbe", 20000) != NULL);
    HANDLE duplicate = NULL;
    DuplicateHandle(GetCurrentProcess(), p.handle, GetCurrentProcess(), &duplicate, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    EndProcess(p);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(duplicate, 5000));
    CloseHandle(duplicate);
    EXPECT_TRUE(p.handle == NULL);
}

TEST(TestKit, TestDataIsReachable) {
    EXPECT_TRUE(FileExists(JoinPath(TestDataDir(), L"zip\\MANIFEST.md")));
}

}  // namespace
