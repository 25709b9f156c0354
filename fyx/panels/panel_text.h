// Storage for a listing's texts and the measuring of their widths.
#pragma once

#include <windows.h>

#include <stddef.h>

#include <memory>
#include <vector>

// Texts of one listing, packed into large blocks that never move, so an
// entry can keep a plain pointer. Emptied (blocks kept) at every read.
struct TextStore {
    std::vector<std::unique_ptr<wchar_t[]>> blocks;
    size_t block;  // block being filled
    size_t used;   // code units used in it
};

const size_t TEXT_BLOCK_CHARS = 64 * 1024;

void TextStoreReset(TextStore* store);
// Copies length code units of text, terminated, into the store.
// NULL only when memory runs out.
const wchar_t* TextStoreAdd(TextStore* store, const wchar_t* text, size_t length);
size_t TextStoreBytes(const TextStore* store);

// Pixel widths of characters in one font, looked up per 256-character page
// the first time a page is needed. Text widths are the sums of the advance
// widths, which is what the text output of the panels advances by.
struct TextMeasure {
    HFONT font;  // NULL: the default GUI font
    HDC dc;
    std::unique_ptr<unsigned short[]> pages[256];
};

void TextMeasureSetFont(TextMeasure* measure, HFONT font);
void TextMeasureRelease(TextMeasure* measure);
// Width of the text with the given name case applied (0 upper, 1 lower,
// else as it is; only the ASCII letters change).
int TextMeasureWidth(TextMeasure* measure, const wchar_t* text, size_t length, int nameCase);
