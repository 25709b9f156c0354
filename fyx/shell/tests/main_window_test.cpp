// The real main window created in this process: its menu takes the texts of
// the configured language file after the first activation.
#include <gtest/gtest.h>

#include "app.h"
#include "testkit.h"
#include "window_under_test.h"

using namespace fyxtest;

namespace {

TEST(MainWindowInProcess, MenuShowsTheConfiguredTranslation) {
    ProgramFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Language").c_str(), NULL));
    ASSERT_TRUE(CopyFileW(JoinPath(ProductDir(), L"Language\\Deutsch.lng").c_str(),
                          folder.File(L"Language\\Deutsch.lng").c_str(), FALSE));
    ConfigRecord settings = TestSettings(L"", L"");
    wcscpy(settings.LanguageFile, L"Deutsch.lng");
    HWND window = CreateMainWindowFrom(folder.path(), settings);
    ASSERT_TRUE(window != NULL);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);

    wchar_t text[64] = L"";
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000 && wcscmp(text, L"Links") != 0) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        GetMenuStringW(GetMenu(window), 0, text, 64, MF_BYPOSITION);
        Sleep(10);
    }
    EXPECT_STREQ(L"Links", text);
    GetMenuStringW(GetMenu(window), 7, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"Hilfe", text);
    DestroyWindow(window);
}

}  // namespace
