// Attribute letters, blank dates and the split of names at their extension.
#include <gtest/gtest.h>

#include "panel_format.h"

namespace {

TEST(PanelFormat, AttributeLettersFillFromTheLeft) {
    struct Case {
        DWORD attributes;
        const wchar_t* letters;
    } cases[] = {
        {0, L"      "},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, L"HSA   "},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, L"HR    "},
        {FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_ARCHIVE, L"ACE   "},
        {0x4000 | 0x800 | 0x20 | 0x04 | 0x02 | 0x01 | 0x10, L"HSRACE"},
    };
    for (const Case& c : cases) {
        wchar_t out[7];
        PanelAttributeLetters(c.attributes, out);
        EXPECT_STREQ(c.letters, out) << c.attributes;
    }
}

TEST(PanelFormat, DateTextIsBlankWhenTheTimeCannotBeShown) {
    FILETIME beyond = {0xFFFFFFFF, 0xFFFFFFFF};
    wchar_t out[30];
    PanelFormatDateText(&beyond, 0, 0, 1, out);
    EXPECT_EQ(29u, wcslen(out));
    EXPECT_EQ(std::wstring(29, L' '), out);
    FILETIME fine = {0, 0x01D00000};
    PanelFormatDateText(&fine, 0, 0, 0, out);
    EXPECT_EQ(std::wstring(29, L' '), out);
    PanelFormatDateText(&fine, FILE_ATTRIBUTE_READONLY, 0, 1, out);
    EXPECT_EQ(L'.', out[2]);
    EXPECT_EQ(L':', out[14]);
    EXPECT_STREQ(L"R     ", out + 22);
}

TEST(PanelFormat, ExtensionSplitsOnlyInsideTheName) {
    struct Case {
        const wchar_t* name;
        int dot;
    } cases[] = {
        {L"archive.tar.gz", 11}, {L".profile", -1}, {L"trailing.", -1},
        {L"plain", -1},          {L"a.b", 1},       {L"..x", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.dot, PanelExtensionDot(c.name, wcslen(c.name))) << c.dot;
}

TEST(PanelFormat, SizeTextsAreTheFileUtilityLibrarys) {
    struct Case {
        uint64_t size;
        const wchar_t* exact;
        const wchar_t* brief;
    } cases[] = {
        {0, L"0", L"0 B"},
        {1536, L"1 536", L"1.5 KB"},
        {1610612736ull, L"1 610 612 736", L"1.5 GB"},
        {~0ull, L"18 446 744 073 709 551 615", L"16.0 EB"},
    };
    for (const Case& c : cases) {
        wchar_t text[PANEL_SIZE_TEXT_CHARS];
        PanelFormatSizeText(c.size, 0, text);
        EXPECT_STREQ(c.exact, text);
        PanelFormatSizeText(c.size, 1, text);
        EXPECT_STREQ(c.brief, text);
    }
}

TEST(PanelFormat, NameCaseChangesOnlyAsciiLetters) {
    wchar_t upper[] = L"stra\x00DF" L"e.txt";
    PanelApplyNameCase(upper, 0);
    EXPECT_STREQ(L"STRA\x00DF" L"E.TXT", upper);
    wchar_t lower[] = L"\x017D" L"ABA.TXT";
    PanelApplyNameCase(lower, 1);
    EXPECT_STREQ(L"\x017D" L"aba.txt", lower);
    wchar_t kept[] = L"MiXeD";
    PanelApplyNameCase(kept, 2);
    EXPECT_STREQ(L"MiXeD", kept);
}

}  // namespace
