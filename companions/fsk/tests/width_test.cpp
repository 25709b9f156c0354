// Shortening texts to characters and pixels; widths measured the way the library measures.
#include <gtest/gtest.h>

#include <string>

#include "fsk.h"

namespace {

// Width in the default GUI font, measured here independently of the library.
int GuiWidth(const std::wstring& text) {
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

bool EndsWithDots(const std::wstring& s) { return s.size() >= 3 && s.compare(s.size() - 3, 3, L"...") == 0; }

TEST(FskWidth, InitialisesAndMeasures) {
    EXPECT_TRUE(FYX_FSK_Initialize());
    EXPECT_EQ(0, FYX_FSK_GetStringWidth(L""));
    EXPECT_EQ(GuiWidth(L"Deleting:"), FYX_FSK_GetStringWidth(L"Deleting:"));
    EXPECT_LT(FYX_FSK_GetStringWidth(L"iii"), FYX_FSK_GetStringWidth(L"iiiiiiiiiiii"));
}

TEST(FskWidth, CutByCharacters) {
    const struct {
        const wchar_t* text;
        int limit;
        const wchar_t* result;
    } cases[] = {
        {L"abcdefgh", 8, L"abcdefgh"}, {L"abcdefgh", 100, L"abcdefgh"}, {L"abcdefgh", 6, L"abc..."},
        {L"abcdefgh", 4, L"a..."},     {L"abcdefgh", 3, L"abc"},        {L"abcdefgh", 0, L""},
        {L"abcdefgh", -5, L""},        {L"ab\xD83D\xDE00xyz", 6, L"ab..."},
        {L"a\xD83D\xDE00xyzw", 5, L"a..."},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.result, FYX_FSK_CutStringRight(c.text, c.limit));
}

TEST(FskWidth, CutByPixelsKeepsTheStartAndFits) {
    const std::wstring text = L"C:\\Documents and Settings\\someone\\a rather long folder name\\file.txt";
    int whole = GuiWidth(text);
    ASSERT_GT(whole, 100);
    EXPECT_EQ(text, std::wstring(FYX_FSK_CutStringRightPixels(text.c_str(), whole)));
    int previous = -1;
    for (int pixels : {whole - 1, whole / 2, 60, 30, GuiWidth(L"...") + 1}) {
        SCOPED_TRACE(pixels);
        std::wstring cut = FYX_FSK_CutStringRightPixels(text.c_str(), pixels);
        ASSERT_TRUE(EndsWithDots(cut)) << cut.size();
        EXPECT_LE(GuiWidth(cut), pixels);
        EXPECT_EQ(0, text.compare(0, cut.size() - 3, cut, 0, cut.size() - 3));
        // The longest start that fits: one more character would not.
        std::wstring longer = text.substr(0, cut.size() - 2) + L"...";
        EXPECT_GT(GuiWidth(longer), pixels);
        if (previous >= 0) {
            EXPECT_LE(cut.size(), (size_t)previous);
        }
        previous = (int)cut.size();
    }
    EXPECT_STREQ(L"", FYX_FSK_CutStringRightPixels(text.c_str(), 1));
}

TEST(FskWidth, CutWithTheCallersFont) {
    HDC dc = CreateCompatibleDC(NULL);
    HFONT big = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, big);
    const wchar_t* text = L"The prompt of the command line";
    std::wstring small = FYX_FSK_CutStringRightPixelsHdc(NULL, text, 120);
    std::wstring large = FYX_FSK_CutStringRightPixelsHdc(dc, text, 120);
    SIZE size;
    GetTextExtentPoint32W(dc, large.c_str(), (int)large.size(), &size);
    EXPECT_LE(size.cx, 120);
    EXPECT_LT(large.size(), small.size());
    SelectObject(dc, old);
    DeleteObject(big);
    DeleteDC(dc);
}

TEST(FskWidth, CompactPathKeepsRootAndLastComponents) {
    const std::wstring path = L"C:\\Program Files\\Some Vendor\\Some Product\\data\\archive-of-today.zip";
    int whole = GuiWidth(path);
    EXPECT_EQ(path, std::wstring(FYX_FSK_PathCompactPath(path.c_str(), whole)));

    const std::wstring tail = L"\\archive-of-today.zip";
    for (int pixels : {whole - 1, whole * 2 / 3, GuiWidth(L"C:\\..." + tail)}) {
        SCOPED_TRACE(pixels);
        std::wstring c = FYX_FSK_PathCompactPath(path.c_str(), pixels);
        EXPECT_LE(GuiWidth(c), pixels);
        ASSERT_EQ(0u, c.find(L"C:\\...\\"));
        std::wstring kept = c.substr(6);
        // Whole components from the end, the longest run that fits.
        EXPECT_EQ(path.size() - kept.size(), path.rfind(kept));
        size_t next = path.rfind(L'\\', path.size() - kept.size() - 1);
        if (next != std::wstring::npos && next >= 3) {
            EXPECT_GT(GuiWidth(L"C:\\..." + path.substr(next)), pixels);
        }
    }
    // Narrower than root and name: the name alone, then the name cut.
    std::wstring bare = FYX_FSK_PathCompactPath(path.c_str(), GuiWidth(L"..." + tail));
    EXPECT_EQ(L"..." + tail, bare);
    std::wstring cut = FYX_FSK_PathCompactPath(path.c_str(), GuiWidth(L"archive..."));
    EXPECT_EQ(0u, cut.find(L"archive"));
    EXPECT_TRUE(EndsWithDots(cut));
}

TEST(FskWidth, CompactPathOfShareAndOfDeepPaths) {
    std::wstring share = L"\\\\server\\share\\folder one\\folder two\\name.txt";
    std::wstring c = FYX_FSK_PathCompactPath(share.c_str(), GuiWidth(L"\\\\server\\share\\...\\name.txt"));
    EXPECT_EQ(L"\\\\server\\share\\...\\name.txt", c);

    std::wstring deep = L"C:";
    for (int i = 0; i < 2000; ++i) deep += L"\\component";
    std::wstring d = FYX_FSK_PathCompactPath(deep.c_str(), 300);
    EXPECT_LE(GuiWidth(d), 300);
    EXPECT_EQ(0u, d.find(L"C:\\...\\component"));
}

}  // namespace
