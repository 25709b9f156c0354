// Texts of an entry's columns: date and attribute letters, size texts,
// extensions, name case and the split of a name at its extension.
#pragma once

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

// Offset between UTC and local file times now, as FileTimeToLocalFileTime
// applies it (the current bias, for every date). 0 with ok = 0 on failure.
int64_t PanelLocalTimeBias(int* ok);
// "dd.mm.yyyy  hh:mm:ss  " and six attribute characters; blank when the
// time cannot be converted.
void PanelFormatDateText(const FILETIME* utc, DWORD attributes, int64_t bias, int biasOk,
                         wchar_t out[30]);
void PanelBlankDateText(wchar_t out[30]);
// H S R A C E for the present attributes, from the left, blanks after.
void PanelAttributeLetters(DWORD attributes, wchar_t out[7]);

// ASCII-only case of a name: 0 upper, 1 lower, else unchanged.
void PanelApplyNameCase(wchar_t* text, int nameCase);

// Room for any 64-bit size with its digit groups ("18 446 744 073 709 551 615").
const int PANEL_SIZE_TEXT_CHARS = 32;

// Through the file utility library.
void PanelFormatSizeText(uint64_t size, int sizeFormat, wchar_t out[PANEL_SIZE_TEXT_CHARS]);
void PanelFileExtension(const wchar_t* name, wchar_t out[260]);
// Position of the dot that splits a file name into name and extension
// columns, or -1 when the name stays whole (no dot, or only at either end).
int PanelExtensionDot(const wchar_t* name, size_t length);
uint64_t PanelDiskFreeBytes(const wchar_t* path);
uint64_t PanelDiskTotalBytes(const wchar_t* path);
