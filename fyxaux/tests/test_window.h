// A real top-level window of the test thread that plays the main window.
#pragma once

#include <windows.h>

#include <string>

#include "fyxaux.h"

class TestMainWindow {
public:
    TestMainWindow();
    ~TestMainWindow();
    HWND handle() const { return window_; }
    std::wstring Title() const;
    // Pumps this thread's messages until timer 5 of the window fires; false after `ms`.
    bool WaitForTitleTimer(DWORD ms);

private:
    HWND window_;
};

// A title state holding `base` with the flag set.
FyxTitleState TitleState(const wchar_t* base);
