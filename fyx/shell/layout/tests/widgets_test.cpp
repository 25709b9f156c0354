// Drive bars, icon button bars, function keys and the progress bar, drawn
// into memory DCs.
#include <gtest/gtest.h>

#include <objbase.h>

#include "button_widgets.h"
#include "drive_bar.h"
#include "progress_bar.h"
#include "testkit.h"

namespace {

using fyxtest::Canvas;

}  // namespace

TEST(ProgressBar, AtOrPastTheTotalIsFullAndShowsHundred)
{
    struct Case {
        double total, current;
    } cases[] = {{100, 100}, {100, 250}, {0, 0}, {0, 5}};
    for (const Case& c : cases) {
        ProgressBar bar;
        ProgressBarInit(&bar, 3, 3, 200);
        ProgressBarSetTotal(&bar, c.total);
        ProgressBarAddValue(&bar, c.current);
        EXPECT_EQ(100, bar.percent) << c.total << " " << c.current;
        EXPECT_EQ(197, bar.filledLength);
        wchar_t middle[64], left[32], right[32];
        ProgressBarTexts(&bar, middle, 64, left, right, 32);
        EXPECT_STREQ(L"100%", middle);

        Canvas canvas(220, 30);
        ProgressBarDraw(&bar, canvas.dc());
        // Fill colour up to the last filled column, not the background.
        EXPECT_EQ(RGB(0, 200, 0), canvas.At(3 + 2 + 196, 3 + 13));
        EXPECT_EQ(RGB(0, 200, 0), canvas.At(3 + 3, 3 + 3));
    }
}

TEST(ProgressBar, QuarterAndValuesAddUp)
{
    ProgressBar bar;
    ProgressBarInit(&bar, 0, 0, 103);
    bar.options = PROGRESS_SHOW_LABEL | PROGRESS_SHOW_VALUES | PROGRESS_GROUPED;
    lstrcpyW(bar.label, L"free");
    ProgressBarSetTotal(&bar, 4000);
    ProgressBarAddValue(&bar, 600);
    ProgressBarAddValue(&bar, 400);
    EXPECT_DOUBLE_EQ(25, bar.percent);
    EXPECT_EQ(25, bar.filledLength);
    wchar_t middle[64], left[32], right[32];
    ProgressBarTexts(&bar, middle, 64, left, right, 32);
    EXPECT_STREQ(L"25% free", middle);
    EXPECT_STREQ(L"1 000", left);
    EXPECT_STREQ(L"4 000", right);

    Canvas canvas(120, 20);
    bar.options = 0;  // no texts over the pixels looked at
    ProgressBarDraw(&bar, canvas.dc());
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(26, 8));
    EXPECT_NE(RGB(0, 200, 0), canvas.At(28, 8));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(0, 8));        // dark left frame
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(102, 8));  // light right frame
}

class DriveBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DriveBarInit(&bar, 0, DRIVE_BAR_FILLS, nullptr, NULL);
        bar.count = 2;
        bar.buttons[0].character = L'.';
        bar.buttons[1].character = L'\\';
        const wchar_t* roots[] = {L"A:\\", L"C:\\", L"d:"};
        for (const wchar_t* r : roots) ASSERT_EQ(0, DriveBarAddRoot(&bar, r, DRIVE_FIXED, NULL, 0));
    }
    void TearDown() override { DriveBarDestroyIcons(&bar); }
    DriveBar bar;
};

TEST_F(DriveBarTest, RootsBecomeUpperCaseButtons)
{
    ASSERT_EQ(5, bar.count);
    EXPECT_EQ(L'A', bar.buttons[2].character);
    EXPECT_EQ(L'D', bar.buttons[4].character);  // "d:" got its backslash
    EXPECT_EQ(1, DriveBarAddRoot(&bar, L"\\\\server\\share", DRIVE_REMOTE, NULL, 0));
    EXPECT_EQ(1, DriveBarAddRoot(&bar, L"C:\\dir", DRIVE_FIXED, NULL, 0));
    EXPECT_EQ(5, bar.count);
}

TEST_F(DriveBarTest, DisconnectedLetterGetsTheGenericIcon)
{
    // Q: is neither a root directory nor a logical drive of this machine.
    if (GetLogicalDrives() & (1u << ('Q' - 'A'))) GTEST_SKIP() << "Q: exists here";
    HICON generic = DriveBarLoadGenericIcon(GetModuleHandleW(NULL));
    ASSERT_NE(nullptr, generic);
    DriveBarSetGenericIcon(generic);
    HICON own = CopyIcon(generic);
    ASSERT_EQ(0, DriveBarAddRoot(&bar, L"Q:\\", DRIVE_NO_ROOT_DIR, own, 1));
    EXPECT_EQ(generic, bar.buttons[5].icon);
    EXPECT_EQ(0, bar.buttons[5].ownsIcon);
    DriveBarSetGenericIcon(NULL);
    DestroyIcon(generic);
}

TEST_F(DriveBarTest, MarkFollowsTheDriveAndAPressedButtonWins)
{
    EXPECT_EQ(3, DriveBarMarkPath(&bar, L"c:\\work"));
    EXPECT_EQ(DRIVE_CURRENT, bar.buttons[3].state);
    EXPECT_EQ(4, DriveBarMarkPath(&bar, L"D:\\"));
    EXPECT_EQ(DRIVE_NORMAL, bar.buttons[3].state);
    EXPECT_EQ(DRIVE_CURRENT, bar.buttons[4].state);
    bar.buttons[2].state = DRIVE_PRESSED;
    EXPECT_EQ(2, DriveBarMarkPath(&bar, L"D:\\"));
    EXPECT_EQ(DRIVE_NORMAL, bar.buttons[4].state);
    EXPECT_EQ(0, DriveBarMarkCharacter(&bar, L'.'));  // shell mode, My Computer
    EXPECT_EQ(DRIVE_BAR_NONE, DriveBarMarkPath(&bar, L"X:\\"));
    for (int i = 0; i < bar.count; ++i) EXPECT_NE(DRIVE_CURRENT, bar.buttons[i].state) << i;
}

TEST_F(DriveBarTest, DrawsStatesAndHidesWhatDoesNotFit)
{
    bar.x = 10;
    bar.y = 5;
    DriveBarMarkPath(&bar, L"C:\\");
    bar.buttons[4].state = DRIVE_HIGHLIGHTED;
    Canvas canvas(300, 40);
    DriveBarDraw(&bar, canvas.dc(), 300);
    EXPECT_EQ(5, bar.visibleCount);
    EXPECT_EQ(0, bar.hiddenCount);
    // Inside each rounded button, below the letter: the state's fill.
    auto inside = [&](int i) { return canvas.At(10 + i * 34 + 3, 5 + 17); };
    EXPECT_EQ(RGB(255, 255, 255), inside(2));
    EXPECT_EQ(RGB(210, 210, 210), inside(3));
    EXPECT_EQ(RGB(255, 255, 0), inside(4));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(10 + 3 * 34 + 1, 5 + 10));  // outline

    // Four buttons need 10 + 4*34 = 146 and 25 pixels of room after them.
    Canvas narrow(300, 40);
    DriveBarDraw(&bar, narrow.dc(), 171);
    EXPECT_EQ(4, bar.visibleCount);
    EXPECT_EQ(1, bar.hiddenCount);
}

TEST_F(DriveBarTest, HitTestsFollowTheDrawnButtons)
{
    bar.x = 10;
    bar.y = 5;
    bar.firstVisible = 1;
    Canvas canvas(300, 40);
    DriveBarDraw(&bar, canvas.dc(), 300);
    ASSERT_EQ(4, bar.visibleCount);
    struct Case {
        int x, button;
    } cases[] = {{9, DRIVE_BAR_NONE}, {10, 1}, {43, 1}, {44, 2}, {10 + 3 * 34, 4}, {10 + 4 * 34 - 1, 4},
                 {10 + 4 * 34, DRIVE_BAR_NONE}};
    for (const Case& c : cases) EXPECT_EQ(c.button, DriveBarHitX(&bar, c.x)) << c.x;
    bar.identity = 7;
    EXPECT_EQ(7, DriveBarHitPoint(&bar, POINT{50, 10}));
    EXPECT_EQ(-1, DriveBarHitPoint(&bar, POINT{50, 25}));
    EXPECT_EQ(-1, DriveBarHitPoint(&bar, POINT{500, 10}));
}

TEST(DriveBarShell, FillsFromMyComputerAndCopiesKeepTheDrives)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    DriveBar first, copy;
    DriveBarInit(&first, 0, DRIVE_BAR_FILLS, nullptr, NULL);
    DriveBarInit(&copy, 1, 2, &first, NULL);
    int count = DriveBarFill(&first);
    ASSERT_GE(count, 3);
    EXPECT_EQ(L'.', first.buttons[0].character);
    EXPECT_EQ(L'\\', first.buttons[1].character);
    // Every logical drive that is a fixed disk shows up (wine: C: and Z:).
    wchar_t windowsDir[MAX_PATH];
    GetWindowsDirectoryW(windowsDir, MAX_PATH);
    EXPECT_NE(DRIVE_BAR_NONE, DriveBarIndexOf(&first, windowsDir[0]));
    EXPECT_EQ(DRIVE_FIXED, first.buttons[DriveBarIndexOf(&first, windowsDir[0])].driveType);

    // Filling twice does not pile up buttons.
    EXPECT_EQ(count, DriveBarFill(&first));
    EXPECT_EQ(count, DriveBarFill(&copy));
    for (int i = 2; i < count; ++i) {
        EXPECT_EQ(first.buttons[i].character, copy.buttons[i].character);
        EXPECT_EQ(first.buttons[i].driveType, copy.buttons[i].driveType);
        if (first.buttons[i].icon) {
            EXPECT_NE(first.buttons[i].icon, copy.buttons[i].icon);  // own copies
        }
    }
    DriveBarDestroyIcons(&copy);
    DriveBarDestroyIcons(&first);
    CoUninitialize();
}

TEST(IconBar, SeparatorsHitTestsAndHover)
{
    IconButtonBar bar;
    IconBarInit(&bar, 100, 0);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(0, IconBarAdd(&bar, NULL, 200 + i, i < 2 ? 0 : 1, i == 2));
    EXPECT_EQ(22, IconBarButtonX(&bar, 1));
    EXPECT_EQ(2 * 22 + 6, IconBarButtonX(&bar, 2));
    struct Case {
        int x, y, index;
    } cases[] = {{99, 5, ICON_BAR_NONE}, {100, 5, 0}, {121, 5, 0}, {122, 5, 1}, {145, 5, ICON_BAR_NONE},
                 {150, 5, 2}, {150, 22, ICON_BAR_NONE}};
    for (const Case& c : cases) EXPECT_EQ(c.index, IconBarHitTest(&bar, POINT{c.x, c.y})) << c.x;

    bar.buttons[1].state = ICON_RAISED;
    EXPECT_EQ(0, IconBarHover(&bar, 1));  // a raised button stays raised
    EXPECT_EQ(1, IconBarHover(&bar, 3));
    EXPECT_EQ(ICON_SUNKEN, bar.buttons[3].state);
    EXPECT_EQ(1, IconBarHover(&bar, 4));
    EXPECT_EQ(ICON_NORMAL, bar.buttons[3].state);
    EXPECT_EQ(ICON_RAISED, bar.buttons[1].state);

    Canvas canvas(300, 30);
    IconBarDraw(&bar, canvas.dc());
    int sunken = 100 + IconBarButtonX(&bar, 4);
    EXPECT_EQ(RGB(130, 130, 130), canvas.At(sunken, 5));       // dark top-left
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(sunken + 22, 5));  // light bottom-right
    int raised = 100 + IconBarButtonX(&bar, 1);
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(raised, 5));
    EXPECT_EQ(RGB(150, 150, 150), canvas.At(100 + IconBarButtonX(&bar, 2) - 4, 10));
}

TEST(FunctionKey, StatesFillAndCaption)
{
    struct Case {
        int state, secondMark;
        COLORREF fill;
    } cases[] = {{0, 0, GetSysColor(COLOR_BTNFACE)}, {2, 0, GetSysColor(COLOR_BTNFACE)}, {2, 1, RGB(255, 255, 0)},
                 {3, 0, RGB(255, 255, 0)}};
    for (const Case& c : cases) {
        FunctionKeyButton key = {};
        SetRect(&key.rect, 2, 2, 110, 22);
        lstrcpyW(key.caption, L"F5  Copy");
        key.state = c.state;
        key.secondMark = c.secondMark;
        key.ownColor = RGB(0, 0, 200);
        Canvas canvas(120, 30);
        FunctionKeyDraw(&key, canvas.dc());
        EXPECT_EQ(c.fill, canvas.At(6, 12)) << c.state;
        EXPECT_EQ(RGB(0, 0, 0), canvas.At(2, 12)) << c.state;  // outline
    }
}
