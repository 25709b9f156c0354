// Shortening texts to a width in pixels, measured with GDI.
#include <vector>

#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

namespace {

const wchar_t kDots[] = L"...";

// A memory DC with the default GUI font for callers that have no DC of their own.
struct MeasuringDC {
    HDC dc;
    HGDIOBJ oldFont;
    explicit MeasuringDC(HDC given) : dc(given), oldFont(NULL) {
        if (dc) return;
        own = CreateCompatibleDC(NULL);
        dc = own;
        if (dc) oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasuringDC() {
        if (!own) return;
        if (oldFont) SelectObject(own, oldFont);
        DeleteDC(own);
    }
    HDC own = NULL;
};

int Width(HDC dc, const wchar_t* text, size_t count) {
    SIZE size = {0, 0};
    if (count == 0) return 0;
    if (!GetTextExtentPoint32W(dc, text, (int)count, &size)) return -1;
    return size.cx;
}

int Width(HDC dc, const wchar_t* a, size_t aCount, const wchar_t* b, size_t bCount) {
    std::vector<wchar_t> joined(a, a + aCount);
    joined.insert(joined.end(), b, b + bCount);
    return Width(dc, joined.data(), joined.size());
}

// Longest start of the text that with "..." behind it fits into the pixels; -1 when even "..." does not.
long FitWithDots(HDC dc, const wchar_t* text, size_t count, int pixels) {
    int dots = Width(dc, kDots, 3);
    if (dots < 0 || dots > pixels) return -1;
    int fit = 0;
    SIZE size;
    if (!GetTextExtentExPointW(dc, text, (int)count, pixels - dots, &fit, NULL, &size)) fit = 0;
    size_t n = fsk::SafeCut(text, (size_t)fit);
    // Kerning and overhang can make the joined text wider than its parts.
    while (n > 0 && Width(dc, text, n, kDots, 3) > pixels) n = fsk::SafeCut(text, n - 1);
    return (long)n;
}

void CutRightPixels(HDC dc, const wchar_t* text, int pixels, TextBuf& out) {
    text = fsk::OrEmpty(text);
    size_t count = wcslen(text);
    int whole = Width(dc, text, count);
    if (whole >= 0 && whole <= pixels) {
        out.Append(text, count);
        return;
    }
    long n = FitWithDots(dc, text, count, pixels);
    if (n < 0) return;
    out.Append(text, (size_t)n);
    out.Append(kDots);
}

bool Fits(HDC dc, const std::vector<wchar_t>& text, int pixels) {
    int w = Width(dc, text.data(), text.size());
    return w >= 0 && w <= pixels;
}

// root + "..." + the tail from `from` on.
std::vector<wchar_t> Compacted(const wchar_t* path, size_t root, size_t from, size_t length) {
    std::vector<wchar_t> text(path, path + root);
    text.insert(text.end(), kDots, kDots + 3);
    text.insert(text.end(), path + from, path + length);
    return text;
}

void CompactPath(HDC dc, const wchar_t* path, int pixels, TextBuf& out) {
    path = fsk::OrEmpty(path);
    size_t length = wcslen(path);
    int whole = Width(dc, path, length);
    if (whole >= 0 && whole <= pixels) {
        out.Append(path, length);
        return;
    }
    size_t trimmed = fsk::TrimmedLength(path, length);
    size_t root = fsk::RootLength(path, trimmed);
    // Separators that can start a tail: past the root, before the last component.
    std::vector<size_t> cuts;
    for (size_t i = root; i < trimmed; ++i)
        if (fsk::IsSlash(path[i])) cuts.push_back(i);
    if (!cuts.empty()) {
        // Shorter tails fit whenever longer ones do: find the longest that fits.
        size_t lo = 0, hi = cuts.size();
        while (lo < hi) {
            size_t mid = (lo + hi) / 2;
            if (Fits(dc, Compacted(path, root, cuts[mid], trimmed), pixels))
                hi = mid;
            else
                lo = mid + 1;
        }
        if (lo < cuts.size()) {
            std::vector<wchar_t> text = Compacted(path, root, cuts[lo], trimmed);
            out.Append(text.data(), text.size());
            return;
        }
        std::vector<wchar_t> bare = Compacted(path, 0, cuts.back(), trimmed);
        if (Fits(dc, bare, pixels)) {
            out.Append(bare.data(), bare.size());
            return;
        }
    }
    std::vector<wchar_t> name(path + fsk::LastComponentStart(path, trimmed), path + trimmed);
    name.push_back(0);
    CutRightPixels(dc, name.data(), pixels, out);
}

}  // namespace

FYX_FSK_API const wchar_t* FYX_FSK_PathCompactPath(const wchar_t* path, int pixels) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    MeasuringDC m(NULL);
    try {
        if (m.dc) CompactPath(m.dc, path, pixels, out);
    } catch (...) {  // out of memory: nothing may leave the library
        out.Truncate(0);
    }
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_CutStringRight(const wchar_t* text, int characters) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    text = fsk::OrEmpty(text);
    size_t count = wcslen(text);
    size_t limit = characters > 0 ? (size_t)characters : 0;
    if (count <= limit) {
        out.Append(text, count);
    } else if (limit < 4) {
        out.Append(text, fsk::SafeCut(text, limit));
    } else {
        out.Append(text, fsk::SafeCut(text, limit - 3));
        out.Append(kDots);
    }
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_CutStringRightPixels(const wchar_t* text, int pixels) {
    return FYX_FSK_CutStringRightPixelsHdc(NULL, text, pixels);
}

FYX_FSK_API const wchar_t* FYX_FSK_CutStringRightPixelsHdc(HDC dc, const wchar_t* text, int pixels) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    MeasuringDC m(dc);
    try {
        if (m.dc) CutRightPixels(m.dc, text, pixels, out);
    } catch (...) {  // out of memory: nothing may leave the library
        out.Truncate(0);
    }
    return result;
}

FYX_FSK_API int FYX_FSK_GetStringWidth(const wchar_t* text) {
    MeasuringDC m(NULL);
    if (!m.dc) return 0;
    text = fsk::OrEmpty(text);
    int w = Width(m.dc, text, wcslen(text));
    return w < 0 ? 0 : w;
}
