// Fyx main program support library: the temporary extraction folder, timed
// messages in the main window's title and the display text of a drive.
//
// The texts returned by FYXFYX_GetFYXTemporaryPath, FYXFYX_GetDiskInfoText_FS
// and FYXFYX_GetVersion live in one buffer of this library per process: each
// of these calls overwrites the previous result, so copy it at once. Every
// function is meant for the main window's thread.
#pragma once

#include <windows.h>
#include <stddef.h>

#ifdef FYX_BUILDING_FYXFYX
#define FYXFYX_API extern "C" __declspec(dllexport)
#else
#define FYXFYX_API extern "C" __declspec(dllimport)
#endif

// Owned by the caller. baseTitle holds up to 100 characters (a longer text is
// read only up to its 100th). mayChange is 1 while the title may be changed:
// a timed message clears it, and the caller sets it back to 1 when timer 5 of
// the main window fires (after killing the timer), then restores the base title
// with FYXFYX_DisplayTitleMessage(L"", 0, state).
struct FyxTitleState {
    wchar_t baseTitle[101];
    unsigned char mayChange;
};

static_assert(offsetof(FyxTitleState, mayChange) == 202, "title state layout");

enum {
    FYXFYX_TITLE_TIMER = 5,          // timer id started on the main window
    FYXFYX_TITLE_CAPACITY = 260,     // composed title: 259 characters and the terminator
    FYXFYX_BASE_TITLE_CHARS = 100,
};

// Results of FYXFYX_DisplayTitleMessage.
enum {
    FYXFYX_TITLE_TIMED = 0,    // shown; timer 5 runs and the flag is cleared
    FYXFYX_TITLE_SHOWN = 1,    // shown until the next message (duration 0)
    FYXFYX_TITLE_REFUSED = 2,  // nothing changed: the flag is 0, or no state or main window
};

// Remembers the handle the pointer points to (not the pointer): call it once
// the main window exists. FALSE, and nothing remembered, for a NULL pointer.
FYXFYX_API BOOL FYXFYX_Initialize(HWND* mainWindow);

// "<parent of the user's documents folder>\Local Settings\Temp\_fyx", created
// when missing; "" when the documents folder is unknown or has no parent, when
// "Local Settings\Temp" is not an existing folder (then nothing is created),
// when "_fyx" cannot be made or is a file, or when the path would not fit in
// 259 characters.
FYXFYX_API const wchar_t* FYXFYX_GetFYXTemporaryPath(void);

// Sets the main window's title to "<base> - <message>", or to the base title
// alone when the message is empty or NULL. A composed title longer than 259
// characters is cut at 259, never refused, and never in the middle of a
// surrogate pair; the base title always stays whole since it is at most 100.
// A duration above 0 clears the flag and starts timer 5 with it; when the timer
// cannot be started the message stays as with duration 0 (result 1) so later
// messages are not blocked. A negative duration counts as 0.
FYXFYX_API int FYXFYX_DisplayTitleMessage(const wchar_t* message, int durationMs, FyxTitleState* state);

// "." gives language line 243 ("My Computer"), "\" line 242 ("Network
// Neighborhood"), each in English when the language buffer holds no text for
// it. A drive letter (either case) gives the shell's display name of its root
// "X:\"; any other character, or a root the shell does not know, gives "".
FYXFYX_API const wchar_t* FYXFYX_GetDiskInfoText_FS(wchar_t drive);

// Shows the drive's text as a title message without a duration. TRUE when the
// title now shows it, FALSE when the title could not be changed (result 2 of
// FYXFYX_DisplayTitleMessage).
FYXFYX_API BOOL FYXFYX_DrawDiskInfoText_FS(wchar_t drive, FyxTitleState* state);

// "1.00"
FYXFYX_API const wchar_t* FYXFYX_GetVersion(void);
