// Timed and untimed title messages on a real main window, and the composed title.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "fyxaux.h"
#include "fyxaux_core.h"
#include "test_window.h"

namespace {

class TitleMessage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE((HWND)NULL, window.handle());
        HWND handle = window.handle();
        ASSERT_TRUE(FYXFYX_Initialize(&handle));
    }
    TestMainWindow window;
    FyxTitleState state = TitleState(L"Fyx 1.2");
};

// What the main window does when timer 5 fires.
void RestoreOnTimer(HWND window, FyxTitleState* state) {
    KillTimer(window, FYXFYX_TITLE_TIMER);
    state->mayChange = 1;
    FYXFYX_DisplayTitleMessage(L"", 0, state);
}

TEST_F(TitleMessage, TimedMessageHoldsTheTitleUntilTheTimerRestoresIt) {
    EXPECT_EQ(FYXFYX_TITLE_TIMED, FYXFYX_DisplayTitleMessage(L"Configuration has been saved.", 40, &state));
    EXPECT_EQ(L"Fyx 1.2 - Configuration has been saved.", window.Title());
    EXPECT_EQ(0, state.mayChange);

    // A second message, timed or not, changes nothing while the first is shown.
    EXPECT_EQ(FYXFYX_TITLE_REFUSED, FYXFYX_DisplayTitleMessage(L"Window position has been saved.", 1500, &state));
    EXPECT_EQ(FYXFYX_TITLE_REFUSED, FYXFYX_DisplayTitleMessage(L"Hint", 0, &state));
    EXPECT_FALSE(FYXFYX_DrawDiskInfoText_FS(L'.', &state));
    EXPECT_EQ(L"Fyx 1.2 - Configuration has been saved.", window.Title());
    EXPECT_EQ(0, state.mayChange);

    ASSERT_TRUE(window.WaitForTitleTimer(3000)) << "timer 5 never fired";
    RestoreOnTimer(window.handle(), &state);
    EXPECT_EQ(L"Fyx 1.2", window.Title());
    EXPECT_EQ(1, state.mayChange);

    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(L"Next", 0, &state));
    EXPECT_EQ(L"Fyx 1.2 - Next", window.Title());
}

TEST_F(TitleMessage, UntimedMessageStaysWithoutBlockingTheNext) {
    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(L"F5 Copy", 0, &state));
    EXPECT_EQ(L"Fyx 1.2 - F5 Copy", window.Title());
    EXPECT_EQ(1, state.mayChange);
    EXPECT_FALSE(KillTimer(window.handle(), FYXFYX_TITLE_TIMER)) << "no timer may run for an untimed message";

    // A negative duration is no duration.
    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(L"F6 Move", -1, &state));
    EXPECT_EQ(L"Fyx 1.2 - F6 Move", window.Title());
    EXPECT_FALSE(KillTimer(window.handle(), FYXFYX_TITLE_TIMER));

    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(NULL, 0, &state));
    EXPECT_EQ(L"Fyx 1.2", window.Title());

    EXPECT_EQ(FYXFYX_TITLE_TIMED, FYXFYX_DisplayTitleMessage(L"Timed", 1500, &state));
    EXPECT_TRUE(KillTimer(window.handle(), FYXFYX_TITLE_TIMER)) << "timer 5 was not started";
}

TEST_F(TitleMessage, NothingChangesWithoutStateOrMainWindow) {
    EXPECT_EQ(FYXFYX_TITLE_REFUSED, FYXFYX_DisplayTitleMessage(L"x", 0, NULL));
    EXPECT_FALSE(FYXFYX_DrawDiskInfoText_FS(L'.', NULL));
    EXPECT_FALSE(FYXFYX_Initialize(NULL));
    EXPECT_EQ(L"Fyx 1.2", window.Title());

    // The handle remembered before a NULL pointer still counts.
    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(L"still here", 0, &state));
    EXPECT_EQ(L"Fyx 1.2 - still here", window.Title());

    HWND gone = NULL;
    {
        TestMainWindow other;
        gone = other.handle();
    }
    ASSERT_TRUE(FYXFYX_Initialize(&gone));
    FyxTitleState fresh = TitleState(L"Fyx 1.2");
    EXPECT_EQ(FYXFYX_TITLE_REFUSED, FYXFYX_DisplayTitleMessage(L"lost", 1500, &fresh));
    EXPECT_EQ(1, fresh.mayChange) << "a message nobody sees must not block the next";
}

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != NULL; }

// SetTimer refuses a window of another thread: the title changes, the flag must stay set.
TEST_F(TitleMessage, TimerThatCannotStartLeavesTheFlagSet) {
    // Wine starts timers on other threads' windows, so the refusal cannot be made there.
    if (RunningUnderWine()) GTEST_SKIP() << "SetTimer accepts a foreign window under wine";
    HWND foreign = NULL;
    HANDLE ready = CreateEventW(NULL, TRUE, FALSE, NULL);
    DWORD threadId = 0;
    std::thread owner([&] {
        threadId = GetCurrentThreadId();
        TestMainWindow w;
        foreign = w.handle();
        SetEvent(ready);
        MSG msg;
        while (GetMessageW(&msg, NULL, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(ready, 5000);
    ASSERT_NE((HWND)NULL, foreign);
    ASSERT_TRUE(FYXFYX_Initialize(&foreign));

    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(L"Saved", 1500, &state));
    EXPECT_EQ(1, state.mayChange);
    wchar_t title[300] = {};
    GetWindowTextW(foreign, title, 300);
    EXPECT_STREQ(L"Fyx 1.2 - Saved", title);

    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    owner.join();
    CloseHandle(ready);
}

std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

std::wstring Compose(const wchar_t* base, const wchar_t* message) {
    wchar_t out[FYXFYX_TITLE_CAPACITY];
    size_t length = FyxAuxComposeTitle(base, message, out, FYXFYX_TITLE_CAPACITY);
    EXPECT_EQ(wcslen(out), length);
    return out;
}

TEST(ComposedTitle, IsCutAt259CharactersWithTheBaseKeptWhole) {
    std::wstring base = Repeat(L'b', 100);
    std::wstring message = Repeat(L'm', 300);
    struct Case {
        std::wstring base, message, expected;
    } cases[] = {
        {L"Fyx 1.2", L"Saved", L"Fyx 1.2 - Saved"},
        {L"Fyx 1.2", L"", L"Fyx 1.2"},
        {L"", L"Saved", L" - Saved"},
        {base, message, base + L" - " + Repeat(L'm', 156)},
        {base, Repeat(L'm', 156), base + L" - " + Repeat(L'm', 156)},
        // A pair cut in two would leave a lone high surrogate at the end.
        {base, Repeat(L'm', 155) + L"\xD83D\xDE00", base + L" - " + Repeat(L'm', 155)},
        {base, Repeat(L'm', 154) + L"\xD83D\xDE00", base + L" - " + Repeat(L'm', 154) + L"\xD83D\xDE00"},
    };
    for (const Case& c : cases) {
        std::wstring title = Compose(c.base.c_str(), c.message.c_str());
        EXPECT_EQ(c.expected, title) << "message of " << c.message.size();
        EXPECT_LE(title.size(), 259u);
    }
    EXPECT_EQ(L"", Compose(NULL, NULL));

    wchar_t tiny[4];
    EXPECT_EQ(3u, FyxAuxComposeTitle(L"Fyx", L"Saved", tiny, 4));
    EXPECT_STREQ(L"Fyx", tiny);
}

TEST_F(TitleMessage, LongTitleIsCutNotOverflowed) {
    // A base title filling all 101 units without a terminator is read up to its 100th.
    for (wchar_t& c : state.baseTitle) c = L'b';
    std::wstring message = Repeat(L'm', 400);
    EXPECT_EQ(FYXFYX_TITLE_SHOWN, FYXFYX_DisplayTitleMessage(message.c_str(), 0, &state));
    EXPECT_EQ(Repeat(L'b', 100) + L" - " + Repeat(L'm', 156), window.Title());
    EXPECT_EQ(1, state.mayChange);
}

}  // namespace
