// The command line band: the path prompt cut to fit and the edit beside it.
#pragma once

#include <windows.h>

const int COMMAND_PROMPT_CHARS = 600;

struct CommandBand {
    int top;
    int clientWidth;
    wchar_t prompt[COMMAND_PROMPT_CHARS];
    int promptWidth;
    RECT edit;
};

// Prompt "%s>" of the active panel's path, cut from the right to half the
// client width minus 5 pixels, measured in the default GUI font.
void CommandBandMeasure(HDC dc, const wchar_t* path, int clientWidth, int top, CommandBand* band);
void CommandBandDraw(HDC dc, const CommandBand* band, COLORREF frameColor);
// band NULL: the command line is off and the edit is put out of sight.
void CommandBandPlaceEdit(HWND edit, const CommandBand* band);
