// Texts, colours and drawing of the path line and the information lines.
#include <gtest/gtest.h>

#include <memory>

#include "infolines.h"
#include "testkit.h"

namespace {

using fyxtest::Canvas;

struct PanelDeleter {
    void operator()(Panel* p) const { PanelDestroy(p); }
};
using PanelPtr = std::unique_ptr<Panel, PanelDeleter>;

// A panel listing a real folder with ".." and three subdirectories.
class InfoLinesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* name : {L"alpha", L"beta", L"gamma"}) ASSERT_TRUE(fyxtest::MakeFolder(dir.File(name)));
        panel.reset(PanelCreate(0, dir.path().c_str()));
        ASSERT_TRUE(panel);
        ASSERT_EQ(0, PanelChangeDirectory(panel.get(), dir.path().c_str()));
    }
    void SelectDirectories(int count)
    {
        int done = 0;
        for (PanelEntry* e : panel->view) {
            if (done == count) break;
            if ((e->flags & EF_DIRECTORY) && !(e->flags & EF_PARENT)) {
                e->flags |= EF_SELECTED;
                ++done;
            }
        }
        panel->selectedDirs = done;
    }
    fyxtest::TempDir dir;
    PanelPtr panel;
};

}  // namespace

TEST_F(InfoLinesTest, TwoOfThreeDirectoriesSelected)
{
    EXPECT_EQ(3u, InfoDirectoryCount(panel.get()));  // ".." is not counted
    SelectDirectories(2);
    InfoCounts counts;
    InfoCountsFromPanel(panel.get(), &counts);
    const InfoPiece* d = counts.directories.pieces;
    EXPECT_STREQ(L"[", d[0].text);
    EXPECT_STREQ(L"2", d[1].text);
    EXPECT_EQ(INFO_SELECTED, d[1].color);
    EXPECT_STREQ(L"3", d[3].text);
    EXPECT_EQ(INFO_DIRECTORIES, d[3].color);
    EXPECT_EQ(INFO_BLACK, d[2].color);

    SelectDirectories(3);
    InfoCountsFromPanel(panel.get(), &counts);
    EXPECT_EQ(INFO_SELECTED, counts.directories.pieces[3].color);
    // No files: nothing selected there, all in black.
    EXPECT_EQ(INFO_BLACK, counts.files.pieces[1].color);
    EXPECT_EQ(INFO_FILES, counts.files.pieces[3].color);
}

TEST(InfoCounts, ZerosAreBlackAndFullSelectionsRed)
{
    struct Case {
        uint32_t selFiles, files;
        uint64_t selBytes, bytes;
        COLORREF selColor, filesColor, selBytesColor, bytesColor;
    } cases[] = {
        {0, 0, 0, 0, INFO_BLACK, INFO_FILES, INFO_BLACK, INFO_BLACK},
        {1, 4, 10, 40, INFO_SELECTED, INFO_FILES, INFO_SELECTED, INFO_BLACK},
        {4, 4, 40, 40, INFO_SELECTED, INFO_SELECTED, INFO_SELECTED, INFO_SELECTED},
    };
    for (const Case& c : cases) {
        InfoCounts counts;
        InfoCountsFromFigures(0, 0, c.selFiles, c.files, c.selBytes, c.bytes, &counts);
        EXPECT_EQ(c.selColor, counts.files.pieces[1].color) << c.files;
        EXPECT_EQ(c.filesColor, counts.files.pieces[3].color) << c.files;
        EXPECT_EQ(c.selBytesColor, counts.bytes.pieces[1].color) << c.files;
        EXPECT_EQ(c.bytesColor, counts.bytes.pieces[3].color) << c.files;
        EXPECT_EQ(INFO_BLACK, counts.directories.pieces[1].color);
        EXPECT_EQ(INFO_DIRECTORIES, counts.directories.pieces[3].color);
    }
    InfoCounts big;
    InfoCountsFromFigures(0, 1234567, 0, 0, 0, 0, &big);
    EXPECT_STREQ(L"1 234 567", big.directories.pieces[3].text);
}

TEST_F(InfoLinesTest, PathTextsPerMode)
{
    wchar_t text[PANEL_SHELL_PATH_CHARS + 8];
    lstrcpyW(panel->currentPath, L"C:\\Work\\Docs");
    InfoPathText(panel.get(), text, PANEL_SHELL_PATH_CHARS + 8);
    EXPECT_STREQ(L"c:\\Work\\Docs", text);

    panel->settings.panelMode = PANEL_SHELL;
    lstrcpyW(panel->shellDisplayPath, L"Desktop\\My Computer");
    InfoPathText(panel.get(), text, PANEL_SHELL_PATH_CHARS + 8);
    EXPECT_STREQ(L"\\\\My Computer\\*.*", text);
    wchar_t free[64];
    InfoPathFreeText(panel.get(), free, 64);
    EXPECT_STREQ(L"", free);
}

TEST_F(InfoLinesTest, QuarterFreeShowsQuarterBar)
{
    panel->settings.panelMode = PANEL_FILESYSTEM;
    panel->freeBytes = 1024 * 1024;
    panel->totalBytes = 4 * 1024 * 1024;
    wchar_t text[300];
    InfoFreeSpaceText(panel.get(), L" (%s) free space", text, 300);
    EXPECT_STREQ(L"25%  (1.0 MB) free space", text);
    // A line from a language file is filled, never used as a format.
    InfoFreeSpaceText(panel.get(), L" %d %n (%s)", text, 300);
    EXPECT_STREQ(L"25%  %d %n (1.0 MB)", text);

    Canvas canvas(400, 20, RGB(0, 0, 0));
    RECT line = {0, 0, 400, 20};
    InfoDrawLine(canvas.dc(), panel.get(), &line, INFO_FREE_SPACE, 0, L" (%s) free space");
    // Bar at x = 3, 396 wide: 393 usable, a quarter filled.
    const int filled = (int)(25.0 / 100 * (396 - 3));
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(3 + 2 + filled - 1, 2 + 13));
    EXPECT_NE(RGB(0, 200, 0), canvas.At(3 + 2 + filled + 1, 2 + 13));
    EXPECT_EQ(INFO_DARK_LINE, canvas.At(0, 10));
    EXPECT_EQ(INFO_LIGHT_LINE, canvas.At(200, 19));
}

TEST_F(InfoLinesTest, InactivePathLineUsesInactiveCaptionColours)
{
    RECT line = {0, 0, 300, INFO_LINE_HEIGHT};
    for (int active = 0; active < 2; ++active) {
        Canvas canvas(300, INFO_LINE_HEIGHT, RGB(0, 0, 0));
        InfoPathLook look = {active, INFO_BOX_FLAT, NULL};
        InfoDrawPathLine(canvas.dc(), panel.get(), &line, &look);
        COLORREF expected = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        EXPECT_EQ(expected, canvas.At(290, 10)) << active;
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.At(10, 10)) << active;  // icon box, no icon
    }
}

TEST_F(InfoLinesTest, LinesStackUnderTheList)
{
    RECT upper, lower;
    panel->settings.showInfoLine1 = 1;
    panel->settings.showInfoLine2 = 1;
    InfoLineRects(panel.get(), 2, 300, 400, &upper, &lower);
    EXPECT_EQ(400, upper.top);
    EXPECT_EQ(420, lower.top);
    EXPECT_EQ(440, lower.bottom);
    panel->settings.showInfoLine1 = 0;
    InfoLineRects(panel.get(), 2, 300, 400, &upper, &lower);
    EXPECT_TRUE(IsRectEmpty(&upper));
    EXPECT_EQ(400, lower.top);
}
