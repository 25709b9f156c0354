// Column layout from measured widths, and the texts each column shows.
#include <gtest/gtest.h>

#include "paint_columns.h"

namespace {

PanelSettings FileSystemSettings() {
    PanelSettings s = {};
    s.dirCase = 2;
    s.fileCase = 2;
    s.panelMode = PANEL_FILESYSTEM;
    s.sizeFormat = 0;
    return s;
}

PanelEntry FileEntry(const wchar_t* name, DWORD attributes, DWORD flags = 0) {
    PanelEntry e = {};
    e.name = name;
    e.flags = flags;
    e.attributes = attributes;
    e.sizeText = L"1 234";
    e.dosName = L"";
    e.typeText = L"";
    FILETIME t = {0x2AC9A000, 0x01D8AE5C};  // some day in 2022
    PanelFormatDateText(&t, attributes, 0, 1, e.dateText);
    return e;
}

TEST(PaintColumns, NamesSplitAtTheLastInnerDotAndChangeOnlyAsciiCase) {
    struct Case {
        const wchar_t* name;
        DWORD flags;
        int showExt, fileCase, dirCase;
        const wchar_t *nameText, *extText;
    } cases[] = {
        {L"archive.tar.gz", 0, 1, 2, 2, L"archive.tar", L"gz"},
        {L".profile", 0, 1, 2, 2, L".profile", L""},
        {L"trailing.", 0, 1, 2, 2, L"trailing.", L""},
        {L"straße.txt", 0, 0, 0, 2, L"STRAßE.TXT", L""},
        {L"straße.txt", 0, 1, 0, 2, L"STRAßE", L"TXT"},
        {L"Read.Me", 0, 1, 1, 0, L"read", L"me"},
        {L"My.Folder", EF_DIRECTORY, 1, 1, 0, L"MY.FOLDER", L""},
        {L"My.Folder", EF_DIRECTORY, 1, 0, 2, L"My.Folder", L""},
    };
    for (const Case& c : cases) {
        PanelSettings s = FileSystemSettings();
        s.showExt = c.showExt;
        s.fileCase = c.fileCase;
        s.dirCase = c.dirCase;
        PanelEntry e = FileEntry(c.name, 0, c.flags);
        PanelRowTexts t;
        PaintRowTexts(&s, &e, &t);
        EXPECT_STREQ(c.nameText, t.name) << c.name;
        EXPECT_STREQ(c.extText, t.ext) << c.name;
    }
}

TEST(PaintColumns, SizeTextsOfFilesDirectoriesAndShellItems) {
    struct Case {
        int mode;
        DWORD flags;
        uint64_t size;
        const wchar_t* text;
    } cases[] = {
        {PANEL_FILESYSTEM, 0, 1234, L"1 234"},
        {PANEL_FILESYSTEM, EF_DIRECTORY, 0, L"DIR"},
        {PANEL_FILESYSTEM, EF_DIRECTORY | EF_SIZE_KNOWN, 1234567, L"1 234 567"},
        {PANEL_FILESYSTEM, EF_DIRECTORY | EF_PARENT | EF_SIZE_KNOWN, 5, L"DIR"},
        {PANEL_ARCHIVE, 0, 1234, L"1 234"},
        {PANEL_SHELL, EF_DIRECTORY, 0, L"DIR"},
        {PANEL_SHELL, 0, 1234, L""},
    };
    for (const Case& c : cases) {
        PanelSettings s = FileSystemSettings();
        s.panelMode = c.mode;
        PanelEntry e = FileEntry(L"x", 0, c.flags);
        e.size = c.size;
        PanelRowTexts t;
        PaintRowTexts(&s, &e, &t);
        EXPECT_STREQ(c.text, t.size) << c.mode << " " << c.flags;
    }
}

TEST(PaintColumns, DateTimeAndAttributesComeFromTheDateText) {
    PanelSettings s = FileSystemSettings();
    PanelEntry e = FileEntry(L"secret.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    PanelRowTexts t;
    PaintRowTexts(&s, &e, &t);
    EXPECT_STREQ(L"HR    ", t.attributes);
    EXPECT_EQ(10u, wcslen(t.date));
    EXPECT_EQ(L'.', t.date[2]);
    EXPECT_EQ(L'.', t.date[5]);
    EXPECT_EQ(9u, wcslen(t.time));
    EXPECT_EQ(L' ', t.time[0]);
    EXPECT_EQ(L':', t.time[3]);
    EXPECT_EQ(L':', t.time[6]);

    PanelBlankDateText(e.dateText);
    PaintRowTexts(&s, &e, &t);
    EXPECT_STREQ(L"          ", t.date) << "a blank date stays blank";
}

PanelColumnBasis Basis() {
    PanelColumnBasis b = {};
    b.nameTitle = 30;
    b.extTitle = 20;
    b.dosNameTitle = 50;
    b.sizeTitle = 22;
    b.typeTitle = 25;
    b.commentTitle = 45;
    b.dateTitle = 26;
    b.timeTitle = 27;
    b.gap = 6;
    b.dateText = 60;
    b.timeText = 48;
    b.attributeText = 36;
    return b;
}

TEST(PaintColumns, WidthsAndPositionsWithEveryColumnShown) {
    PanelSettings s = FileSystemSettings();
    s.showExt = s.showDosName = s.showSize = s.showType = 1;
    s.showDate = s.showTime = s.showAttributes = 1;
    ColumnMeasure m = {};
    m.nameMax = 20;   // below 35
    m.extMax = 12;    // below 40
    m.dosMax = 30;    // below the title: title + 5
    m.sizeMax = 70;
    m.typeMax = 10;   // below the title: title + 5
    PanelColumnBasis b = Basis();
    PanelColumns c;
    PaintLayOutColumns(&m, &s, &b, &c);
    const int widths[] = {35, 40, 55, 70, 30, 60, 51, 36};
    for (int i = 0; i < COLUMN_COUNT; i++) EXPECT_EQ(widths[i], c.width[i]) << i;
    // x starts at 21 + 35 = 56.
    EXPECT_EQ(21, c.x[COLUMN_NAME]);
    EXPECT_EQ(62, c.x[COLUMN_EXT]);         // 56 + 6; x = 102
    EXPECT_EQ(108, c.x[COLUMN_DOS_NAME]);   // x = 163
    EXPECT_EQ(169, c.x[COLUMN_SIZE]);
    EXPECT_EQ(239, c.sizeRight);            // x = 239
    EXPECT_EQ(245, c.x[COLUMN_TYPE]);       // x = 275
    EXPECT_EQ(281, c.x[COLUMN_DATE]);       // x = 341
    EXPECT_EQ(346, c.x[COLUMN_TIME]);       // x = 397
    EXPECT_EQ(403, c.x[COLUMN_ATTRIBUTES]); // x = 397 + 36 + 12 = 445
    EXPECT_EQ(451, c.total);
}

TEST(PaintColumns, ShellModeShowsTypeAndHidesTheFileColumns) {
    PanelSettings s = FileSystemSettings();
    s.panelMode = PANEL_SHELL;
    s.showExt = s.showDosName = s.showDate = s.showTime = s.showAttributes = 1;
    s.showSize = 1;
    s.showType = 0;
    ColumnMeasure m = {};
    m.nameMax = 50;  // below 75
    m.extMax = 30;
    m.sizeMax = 90;  // ignored: the title's width decides
    m.typeMax = 80;
    PanelColumnBasis b = Basis();
    PanelColumns c;
    PaintLayOutColumns(&m, &s, &b, &c);
    EXPECT_EQ(75, c.width[COLUMN_NAME]);
    const PanelColumn hidden[] = {COLUMN_EXT, COLUMN_DOS_NAME, COLUMN_DATE, COLUMN_TIME,
                                  COLUMN_ATTRIBUTES};
    for (PanelColumn h : hidden) {
        EXPECT_EQ(0, c.shown[h]) << h;
        EXPECT_EQ(0, c.width[h]) << h;
    }
    EXPECT_EQ(22 + 15, c.width[COLUMN_SIZE]);
    EXPECT_EQ(80, c.width[COLUMN_TYPE]);
    EXPECT_EQ(21 + 75 + 6, c.x[COLUMN_SIZE]);
    EXPECT_EQ(21 + 75 + 6 + 37 + 6, c.x[COLUMN_TYPE]);
    EXPECT_EQ(21 + 75 + 6 + 37 + 6 + 80 + 6, c.total);
}

TEST(PaintColumns, EmptyOptionalColumnsTakeNoRoom) {
    PanelSettings s = FileSystemSettings();
    s.showExt = s.showDosName = s.showType = 1;
    ColumnMeasure m = {};
    m.nameMax = 100;
    PanelColumnBasis b = Basis();
    PanelColumns c;
    PaintLayOutColumns(&m, &s, &b, &c);
    EXPECT_EQ(0, c.width[COLUMN_EXT]);
    EXPECT_EQ(0, c.width[COLUMN_DOS_NAME]);
    EXPECT_EQ(0, c.width[COLUMN_TYPE]);
    EXPECT_EQ(21 + 100 + 6, c.total);
}

TEST(PaintColumns, BasisMeasuresTitlesInTheGuiFontAndTextsInThePanelFont) {
    HDC dc = CreateCompatibleDC(NULL);
    LOGFONTW big = {};
    big.lfHeight = 40;
    wcscpy(big.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&big);
    HGDIOBJ old = SelectObject(dc, font);
    static const wchar_t* const titles[] = {L"Name", L"Ext", L"DOS Name", L"Size",
                                            L"Type", L"Date", L"Time", L"Atr"};
    PanelColumnBasis b;
    PaintMeasureColumnBasis(dc, titles, L"Comment", &b);
    SIZE blank, date;
    GetTextExtentPoint32W(dc, L" ", 1, &blank);
    GetTextExtentPoint32W(dc, L"00.00.0000", 10, &date);
    EXPECT_EQ(2 * blank.cx, b.gap);
    EXPECT_EQ(date.cx, b.dateText);
    EXPECT_EQ(font, (HFONT)GetCurrentObject(dc, OBJ_FONT)) << "the panel font stays selected";
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE name, comment;
    GetTextExtentPoint32W(dc, L"Name", 4, &name);
    GetTextExtentPoint32W(dc, L"Comment", 7, &comment);
    EXPECT_EQ(name.cx, b.nameTitle);
    EXPECT_EQ(comment.cx, b.commentTitle);
    EXPECT_LT(b.nameTitle * 2, date.cx) << "titles are not in the 40-pixel font";
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

}  // namespace
