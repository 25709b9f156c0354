// What the library remembers per process: the main window and the one buffer
// that the text-returning exports hand out.
#pragma once

#include <windows.h>

HWND FyxAuxMainWindow(void);
// Copies text (cut to the buffer) into the return buffer and returns it.
const wchar_t* FyxAuxReturnText(const wchar_t* text);
