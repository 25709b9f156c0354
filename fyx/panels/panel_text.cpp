// Listing texts in large fixed blocks, and character-width tables per font.
#include "panel_text.h"

#include <string.h>

#include <new>

void TextStoreReset(TextStore* store) {
    store->block = 0;
    store->used = 0;
}

const wchar_t* TextStoreAdd(TextStore* store, const wchar_t* text, size_t length) {
    if (length + 1 > TEXT_BLOCK_CHARS) length = TEXT_BLOCK_CHARS - 1;
    if (store->block < store->blocks.size() && store->used + length + 1 > TEXT_BLOCK_CHARS) {
        store->block++;
        store->used = 0;
    }
    if (store->block >= store->blocks.size()) {
        wchar_t* fresh = new (std::nothrow) wchar_t[TEXT_BLOCK_CHARS];
        if (!fresh) return NULL;
        try {
            store->blocks.emplace_back(fresh);
        } catch (const std::bad_alloc&) {
            delete[] fresh;
            return NULL;
        }
        store->block = store->blocks.size() - 1;
        store->used = 0;
    }
    wchar_t* out = store->blocks[store->block].get() + store->used;
    memcpy(out, text, length * sizeof(wchar_t));
    out[length] = 0;
    store->used += length + 1;
    return out;
}

size_t TextStoreBytes(const TextStore* store) {
    return store->blocks.size() * TEXT_BLOCK_CHARS * sizeof(wchar_t);
}

void TextMeasureSetFont(TextMeasure* measure, HFONT font) {
    measure->font = font;
    for (auto& page : measure->pages) page.reset();
}

void TextMeasureRelease(TextMeasure* measure) {
    if (measure->dc) DeleteDC(measure->dc);
    measure->dc = NULL;
    for (auto& page : measure->pages) page.reset();
}

static const unsigned short* MeasurePage(TextMeasure* measure, unsigned pageIndex) {
    std::unique_ptr<unsigned short[]>& page = measure->pages[pageIndex];
    if (page) return page.get();
    page.reset(new (std::nothrow) unsigned short[256]);
    if (!page) return NULL;
    if (!measure->dc) measure->dc = CreateCompatibleDC(NULL);
    INT widths[256] = {0};
    if (measure->dc) {
        HFONT font = measure->font ? measure->font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        HGDIOBJ old = SelectObject(measure->dc, font);
        UINT first = pageIndex * 256;
        if (!GetCharWidth32W(measure->dc, first, first + 255, widths)) {
            // Without widths a fixed guess keeps the columns usable.
            for (int& w : widths) w = 7;
        }
        SelectObject(measure->dc, old);
    }
    for (int i = 0; i < 256; i++) page[i] = (unsigned short)(widths[i] > 0 ? widths[i] : 0);
    return page.get();
}

int TextMeasureWidth(TextMeasure* measure, const wchar_t* text, size_t length, int nameCase) {
    int width = 0;
    for (size_t i = 0; i < length; i++) {
        wchar_t c = text[i];
        if (nameCase == 0 && c >= L'a' && c <= L'z') c = (wchar_t)(c - 32);
        else if (nameCase == 1 && c >= L'A' && c <= L'Z') c = (wchar_t)(c + 32);
        const unsigned short* page = MeasurePage(measure, (unsigned)c >> 8);
        if (page) width += page[c & 0xFF];
    }
    return width;
}
