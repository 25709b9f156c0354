// The main program's life as a real process: single instance, start
// position, the close question and what closing saves.
#include <gtest/gtest.h>

#include <deque>

#include "app.h"
#include "prefs.h"
#include "testkit.h"

using namespace fyxtest;

namespace {

const DWORD kWait = 30000;

class FyxProcess : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(folder_.CopyProducts(), 10);
        PREFS_GetDefaultConfiguration(&config_);
        config_.PotClosing = 0;
        config_.FunFyxMinimizeIcon = TRAY_NEVER;
        wcscpy(config_.FYXLeftWinPath, L"C:\\windows\\");
        wcscpy(config_.FYXRightWinPath, L"C:\\");
    }
    void TearDown() override {
        for (Process& p : started_) EndProcess(p);
    }
    void WriteSettings() {
        PREFS_StoreProgramPath(folder_.path().c_str());
        ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(config_));
        ASSERT_TRUE(ReadFileBytes(folder_.File(L"Fyx.ini"), &written_));
    }
    std::string Settings() {
        std::string now;
        ReadFileBytes(folder_.File(L"Fyx.ini"), &now);
        return now;
    }
    ConfigRecord SavedRecord() {
        ConfigRecord r;
        PREFS_StoreProgramPath(folder_.path().c_str());
        PREFS_LoadAllExtConfiguration(&r);
        return r;
    }
    Process& Start() {
        started_.push_back(Process());
        Process& p = started_.back();
        EXPECT_TRUE(StartProgram(folder_.File(L"Fyx.exe"), L"", folder_.path(), &p));
        return p;
    }
    HWND StartAndWait(Process** out = nullptr) {
        Process& p = Start();
        if (out) *out = &p;
        return WaitForWindow(p.pid, L"Fyx", kWait);
    }
    // Closes through WM_CLOSE and waits for the end of the process.
    bool CloseAndWait(Process& p, HWND window, DWORD* code) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitForExit(p, kWait, code);
    }

    ProgramFolder folder_;
    ConfigRecord config_;
    std::string written_;
    std::deque<Process> started_;  // push_back keeps references valid
};

TEST_F(FyxProcess, SecondInstanceGivesWayWhenOnlyOneIsAllowed) {
    config_.FunFyxInstance = 1;
    WriteSettings();
    Process* first = nullptr;
    HWND window = StartAndWait(&first);
    ASSERT_TRUE(window != NULL);
    Process& second = Start();
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(second, kWait, &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(1u, WindowsOfProcess(first->pid, L"Fyx").size());
    EXPECT_EQ(written_, Settings());  // the second copy changed no file
}

TEST_F(FyxProcess, TwoInstancesRunWhenAllowed) {
    config_.FunFyxInstance = 0;
    WriteSettings();
    ASSERT_TRUE(StartAndWait() != NULL);
    Process* second = nullptr;
    EXPECT_TRUE(StartAndWait(&second) != NULL);
}

TEST_F(FyxProcess, StoredRectanglePlacesTheWindow) {
    config_.FunPosition = 2;
    config_.FYXWindowLeft = 10;
    config_.FYXWindowTop = 20;
    config_.FYXWindowRight = 810;
    config_.FYXWindowBottom = 620;
    WriteSettings();
    HWND window = StartAndWait();
    ASSERT_TRUE(window != NULL);
    RECT r = {};
    for (int i = 0; i < 100 && !IsWindowVisible(window); ++i) Sleep(50);
    GetWindowRect(window, &r);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(800, r.right - r.left);
    EXPECT_EQ(600, r.bottom - r.top);
}

TEST_F(FyxProcess, ClosingSavesPathsAndRectangleOnlyWhenAsked) {
    struct Case {
        unsigned savePosition;
        bool rectangleSaved;
    } cases[] = {{1, true}, {0, false}};
    for (const Case& c : cases) {
        config_.FunSavePosition = c.savePosition;
        config_.FunPosition = 2;
        config_.FYXWindowLeft = 30;
        config_.FYXWindowTop = 40;
        config_.FYXWindowRight = 630;
        config_.FYXWindowBottom = 440;
        wcscpy(config_.FYXLeftWinPath, L"");  // start from the default drive root
        WriteSettings();
        Process* p = nullptr;
        HWND window = StartAndWait(&p);
        ASSERT_TRUE(window != NULL);
        for (int i = 0; i < 100 && !IsWindowVisible(window); ++i) Sleep(50);
        SetWindowPos(window, NULL, 100, 110, 500, 300, SWP_NOZORDER);
        DWORD code = 99;
        ASSERT_TRUE(CloseAndWait(*p, window, &code));
        EXPECT_EQ(0u, code);
        ConfigRecord saved = SavedRecord();
        EXPECT_STREQ(L"C:\\", saved.FYXLeftWinPath);
        EXPECT_STREQ(L"C:\\", saved.FYXRightWinPath);
        if (c.rectangleSaved) {
            EXPECT_EQ(100, saved.FYXWindowLeft);
            EXPECT_EQ(110, saved.FYXWindowTop);
            EXPECT_EQ(600, saved.FYXWindowRight);
            EXPECT_EQ(410, saved.FYXWindowBottom);
        } else {
            EXPECT_EQ(30, saved.FYXWindowLeft);
            EXPECT_EQ(440, saved.FYXWindowBottom);
        }
    }
}

TEST_F(FyxProcess, CloseQuestionAnsweredCancelKeepsEverything) {
    config_.PotClosing = 1;
    WriteSettings();
    Process* p = nullptr;
    HWND window = StartAndWait(&p);
    ASSERT_TRUE(window != NULL);
    PostMessageW(window, WM_CLOSE, 0, 0);
    HWND question = WaitForDialog(p->pid, kWait);
    ASSERT_TRUE(question != NULL);
    EXPECT_EQ(L"Do you want to close Fyx?", ControlText(question, 0xFFFF));
    ASSERT_TRUE(PressButton(question, IDCANCEL));
    Sleep(500);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(WaitForExit(*p, 0, nullptr));
    EXPECT_EQ(written_, Settings());

    // OK closes and saves.
    PostMessageW(window, WM_CLOSE, 0, 0);
    question = WaitForDialog(p->pid, kWait);
    ASSERT_TRUE(question != NULL);
    ASSERT_TRUE(PressButton(question, IDOK));
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(*p, kWait, &code));
    EXPECT_EQ(0u, code);
    EXPECT_NE(written_, Settings());
}

TEST_F(FyxProcess, TrayWhenMinimizedHidesAndAClickRestores) {
    config_.FunFyxMinimizeIcon = TRAY_WHEN_MINIMIZED;
    config_.FunPosition = 2;
    WriteSettings();
    HWND window = StartAndWait();
    ASSERT_TRUE(window != NULL);
    for (int i = 0; i < 100 && !IsWindowVisible(window); ++i) Sleep(50);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int i = 0; i < 100 && IsWindowVisible(window); ++i) Sleep(50);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, WM_TRAY_NOTIFY, 0, WM_LBUTTONDOWN);
    for (int i = 0; i < 100 && !IsWindowVisible(window); ++i) Sleep(50);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(FyxProcess, ClosingSavesWhatThePanelsShow) {
    std::wstring gone = folder_.File(L"gone\\deeper");
    wcscpy(config_.FYXLeftWinPath, folder_.path().c_str());
    wcscpy(config_.FYXRightWinPath, gone.c_str());  // a folder that does not exist
    config_.FYXLeftSortMode = 32 | 4;                // time, reversed
    config_.FYXRightShowExt = 0;
    WriteSettings();
    Process* p = nullptr;
    HWND window = StartAndWait(&p);
    ASSERT_TRUE(window != NULL);
    DWORD code = 99;
    ASSERT_TRUE(CloseAndWait(*p, window, &code));
    ConfigRecord saved = SavedRecord();
    EXPECT_EQ(0, lstrcmpiW(folder_.path().c_str(), saved.FYXLeftWinPath)) << saved.FYXLeftWinPath;
    // The right panel fell back to the nearest folder that exists.
    EXPECT_EQ(0, lstrcmpiW(folder_.path().c_str(), saved.FYXRightWinPath)) << saved.FYXRightWinPath;
    EXPECT_EQ(36u, (unsigned)saved.FYXLeftSortMode);
    EXPECT_EQ(0u, (unsigned)saved.FYXRightShowExt);
}

}  // namespace
