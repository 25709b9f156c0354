// The main window's input side driven through its messages: commands, keys
// and the mouse reach the panels, the menu check marks follow the settings.
#include <gtest/gtest.h>

#include <string.h>
#include <wchar.h>

#include <shlobj.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>

#include "input.h"
#include "testkit.h"
#include "window_under_test.h"

using namespace fyxtest;

namespace {

// --- check marks as a plain function ---

struct CheckCase {
    const char* what;
    int side;
    void (*change)(PanelSettings* s);
    std::set<int> checked;
};

PanelSettings PlainSettings() {
    PanelSettings s = {};
    s.dirCase = 2;
    s.fileCase = 2;
    s.showHidden = 1;
    s.sortMode = SORT_NAME;
    s.panelMode = PANEL_FILESYSTEM;
    return s;
}

TEST(PanelMenuChecks, MirrorEverySettingsWord) {
    const CheckCase cases[] = {
        {"plain left", 0, [](PanelSettings*) {}, {275, 278, 327, 263, 452}},
        {"plain right", 1, [](PanelSettings*) {}, {291, 294, 336, 32809, 457}},
        {"left, many words", 0,
         [](PanelSettings* s) {
             s->dirCase = 1;
             s->fileCase = 0;
             s->showExt = 1;
             s->showAttributes = 1;
             s->showInfoLine1 = 1;
             s->infoLine1Kind = 2;
             s->infoLine2Kind = 3;  // kind set but the line is off: nothing checked
             s->windowMode = WM_LIST_IN_OTHER | WM_LOAD_ICONS;
             s->sizeFormat = 1;
             s->showHidden = 0;
             s->sortMode = SORT_SIZE | SORT_REVERSE | SORT_DIRS;
         },
         {274, 276, 327, 265, 271, 413, 402, 272, 264, 454, 456, 463}},
        {"right, second line and time", 1,
         [](PanelSettings* s) {
             s->dirCase = 0;
             s->fileCase = 5;  // any other value reads as stored
             s->showDosName = 1;
             s->showTime = 1;
             s->showInfoLine2 = 1;
             s->infoLine2Kind = 1;
             s->sizeFormat = 0;
             s->sortMode = SORT_TIME;
         },
         {289, 294, 336, 282, 286, 428, 32809, 460}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        PanelSettings s = PlainSettings();
        c.change(&s);
        MenuCheck out[MENU_CHECKS_PER_PANEL];
        int n = PanelMenuChecks(&s, c.side, out);
        ASSERT_EQ(MENU_CHECKS_PER_PANEL, n);
        std::set<int> ids, checked;
        for (int i = 0; i < n; i++) {
            ids.insert(out[i].id);
            if (out[i].checked) checked.insert(out[i].id);
            // Every item of the pop-up belongs to the menu's text table.
            EXPECT_GE(LanguageMenuLineOf(out[i].id), 0) << out[i].id;
        }
        EXPECT_EQ((size_t)n, ids.size()) << "each item once";
        EXPECT_EQ(c.checked, checked);
    }
}

TEST(PanelMenuApply, InformationLineKindTwiceSwitchesOffAndSortKeyKeepsItsBits) {
    PanelSettings s = PlainSettings();
    int side = -1;
    EXPECT_EQ(PANEL_MENU_REREAD, PanelMenuApply(IDM_RIGHT_INFO2_SPACE, &s, &side));
    EXPECT_EQ(1, side);
    EXPECT_EQ(1, s.showInfoLine2);
    EXPECT_EQ(3, s.infoLine2Kind);
    EXPECT_EQ(PANEL_MENU_REREAD, PanelMenuApply(IDM_RIGHT_INFO2_TYPE, &s, &side));
    EXPECT_EQ(1, s.showInfoLine2);
    EXPECT_EQ(2, s.infoLine2Kind);
    PanelMenuApply(IDM_RIGHT_INFO2_TYPE, &s, &side);
    EXPECT_EQ(0, s.showInfoLine2);

    s.sortMode = SORT_NAME | SORT_REVERSE | SORT_DIRS;
    EXPECT_EQ(PANEL_MENU_RESORT, PanelMenuApply(IDM_LEFT_SORT_EXT, &s, &side));
    EXPECT_EQ(0, side);
    EXPECT_EQ(SORT_EXT | SORT_REVERSE | SORT_DIRS, s.sortMode);
    EXPECT_EQ(PANEL_MENU_NOTHING, PanelMenuApply(IDM_LEFT_SORT_EXT, &s, &side));

    // A column shown through the menu asks for type names like a stored one.
    EXPECT_EQ(PANEL_MENU_REREAD, PanelMenuApply(IDM_LEFT_COLUMN_TYPE, &s, &side));
    EXPECT_EQ(1, s.showType);
    EXPECT_EQ(1, s.typeOrDosWanted);
    EXPECT_EQ(PANEL_MENU_NOT_MINE, PanelMenuApply(IDM_SWAP_PANELS, &s, &side));
}

TEST(NewFile, CreatedEmptyExistingUntouchedOtherFoldersRefused) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File(L"old.txt"), "keep"));
    EXPECT_EQ(NEW_FILE_CREATED, CreateEmptyFileIn(dir.path().c_str(), L"new.txt"));
    EXPECT_EQ("", FileBytes(dir.File(L"new.txt")));
    EXPECT_TRUE(FileExists(dir.File(L"new.txt")));
    EXPECT_EQ(NEW_FILE_EXISTED, CreateEmptyFileIn(dir.path().c_str(), L"old.txt"));
    EXPECT_EQ("keep", FileBytes(dir.File(L"old.txt")));
    for (const wchar_t* bad : {L"..\\escape.txt", L"sub\\x.txt", L"C:x.txt", L"..", L""}) {
        EXPECT_EQ(NEW_FILE_FAILED, CreateEmptyFileIn(dir.path().c_str(), bad)) << bad;
    }
    EXPECT_EQ((std::vector<std::wstring>{L"new.txt", L"old.txt"}), FolderNames(dir.path()));
}

// --- the real main window in this process ---

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

void SetKeys(bool shift, bool ctrl) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = (wchar_t)(c - 32);
    return s;
}

class InputWindow : public ::testing::Test {
protected:
    ProgramFolder program;
    TempDir left, right;
    HWND window = NULL;

    // Fills the folders first, then starts the window on them.
    // Shown only where a test needs it: under wine hiding a shown window
    // waits two seconds for the X server.
    void Start(const std::wstring& leftPath, const std::wstring& rightPath, int rootParent = 0,
               bool show = false) {
        ConfigRecord s = TestSettings(leftPath, rightPath);
        s.WiewRootDir = rootParent;
        window = CreateMainWindowFrom(program.path(), s);
        ASSERT_TRUE(window != NULL);
        MoveWindow(window, 0, 0, 900, 560, TRUE);
        if (show) ShowWindow(window, SW_SHOWNOACTIVATE);
        SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
        Pump(150);  // timer 2: menu texts and check marks
        ViewArrange(window);
        SetKeys(false, false);
    }
    void Start() { Start(left.path(), right.path()); }

    void TearDown() override {
        SetKeys(false, false);
        if (window) DestroyWindow(window);
        DestroyPanels();
        Pump(20);  // the quit message of the destroyed window
    }

    Panel* P(int side) { return g_app.panels[side]; }
    int IndexOf(int side, const wchar_t* name) {
        for (int i = 0; i < P(side)->total; i++)
            if (wcscmp(P(side)->view[i]->name, name) == 0) return i;
        return -1;
    }
    bool Selected(int side, const wchar_t* name) {
        int i = IndexOf(side, name);
        return i >= 0 && (P(side)->view[i]->flags & EF_SELECTED);
    }
    void Command(int id) { SendMessageW(window, WM_COMMAND, id, 0); }
    void Key(WPARAM key) { SendMessageW(window, WM_KEYDOWN, key, 1); }
    void ShiftKey(WPARAM key) {
        SetKeys(true, false);
        Key(key);
        SetKeys(false, false);
    }
    bool Checked(int id) { return (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    void Activate(int side) {
        P(side)->focus = 1;
        P(1 - side)->focus = 2;
    }
    void CursorTo(int side, const wchar_t* name) {
        int i = IndexOf(side, name);
        ASSERT_GE(i, 0) << name;
        NavSetCursor(P(side), i);
    }
    LPARAM RowPoint(int side, int row) {
        const PanelGeometry& g = PaintStateOf(side)->geometry;
        int h = g_view.surfaces.rows.rowHeight;
        int y = g.listTop + (row - P(side)->topRow) * h + h / 2;
        return MAKELPARAM(g.left + 30, y);
    }
};

TEST_F(InputWindow, FirstActivationSetsTheCheckMarksOfBothPanels) {
    Start();
    for (int side = 0; side < 2; side++) {
        MenuCheck checks[MENU_CHECKS_PER_PANEL];
        int n = PanelMenuChecks(&P(side)->settings, side, checks);
        for (int i = 0; i < n; i++) EXPECT_EQ(checks[i].checked != 0, Checked(checks[i].id)) << checks[i].id;
    }
    EXPECT_EQ(g_app.config.FYXShowCommandLine == 1, Checked(IDM_SHOW_COMMAND_LINE));
}

TEST_F(InputWindow, SortByNameOnANameSortedPanelChangesNothing) {
    for (const wchar_t* name : {L"b.txt", L"a.doc", L"c.bin"}) WriteFileBytes(left.File(name), "x");
    for (const wchar_t* name : {L"z.txt", L"y.doc"}) WriteFileBytes(right.File(name), "x");
    Start();
    const int byName[2] = {IDM_LEFT_SORT_NAME, IDM_RIGHT_SORT_NAME};
    const int byExt[2] = {IDM_LEFT_SORT_EXT, IDM_RIGHT_SORT_EXT};
    for (int side = 0; side < 2; side++) {
        SCOPED_TRACE(side);
        ASSERT_EQ(SORT_NAME, P(side)->settings.sortMode & SORT_KEY_BITS);
        PanelSettings before = P(side)->settings;
        std::vector<PanelEntry*> order = P(side)->view;
        Command(byName[side]);
        EXPECT_EQ(0, memcmp(&before, &P(side)->settings, sizeof(before)));
        EXPECT_TRUE(order == P(side)->view);
        EXPECT_TRUE(Checked(byName[side]));

        // Another key does change the order and moves the check mark.
        Command(byExt[side]);
        EXPECT_EQ(SORT_EXT, P(side)->settings.sortMode & SORT_KEY_BITS);
        EXPECT_TRUE(Checked(byExt[side]));
        EXPECT_FALSE(Checked(byName[side]));
    }
    EXPECT_STREQ(L"c.bin", P(0)->view[IndexOf(0, L"..") + 1]->name);
}

TEST_F(InputWindow, CountsInformationLineTwiceSwitchesOnThenOff) {
    Start();
    PanelSettings s = P(0)->settings;
    s.showInfoLine1 = 0;
    PanelSetSettings(P(0), &s);
    Command(IDM_LEFT_INFO1_COUNTS);
    EXPECT_EQ(1, P(0)->settings.showInfoLine1);
    EXPECT_EQ(1, P(0)->settings.infoLine1Kind);
    EXPECT_TRUE(Checked(IDM_LEFT_INFO1_COUNTS));
    EXPECT_FALSE(Checked(IDM_LEFT_INFO1_TYPE));
    Command(IDM_LEFT_INFO1_COUNTS);
    EXPECT_EQ(0, P(0)->settings.showInfoLine1);
    EXPECT_FALSE(Checked(IDM_LEFT_INFO1_COUNTS));
}

TEST_F(InputWindow, ShiftOneTogglesTheActivePanelsListModeAndItsCheckMark) {
    Start();
    struct {
        int side, item, otherItem;
    } cases[] = {{0, IDM_LEFT_LIST_IN_OTHER, IDM_RIGHT_LIST_IN_OTHER},
                 {1, IDM_RIGHT_LIST_IN_OTHER, IDM_LEFT_LIST_IN_OTHER}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        Activate(c.side);
        bool otherBefore = Checked(c.otherItem);
        ShiftKey('1');
        EXPECT_TRUE(P(c.side)->settings.windowMode & WM_LIST_IN_OTHER);
        EXPECT_TRUE(Checked(c.item));
        EXPECT_EQ(otherBefore, Checked(c.otherItem));
        std::wstring on = std::wstring(L"Fyx 1.2 - ") + LanguageLine(&g_app.language, 307);
        EXPECT_EQ(on, WindowText(window));
        ShiftKey('1');
        EXPECT_FALSE(P(c.side)->settings.windowMode & WM_LIST_IN_OTHER);
        EXPECT_FALSE(Checked(c.item));
        std::wstring off = std::wstring(L"Fyx 1.2 - ") + LanguageLine(&g_app.language, 306);
        EXPECT_EQ(off, WindowText(window));
    }
    // Timer 5 runs and puts the base title back.
    EXPECT_TRUE(KillTimer(window, TIMER_TITLE_BACK));
    SendMessageW(window, WM_TIMER, TIMER_TITLE_BACK, 0);
    EXPECT_EQ(std::wstring(g_app.title), WindowText(window));
}

TEST_F(InputWindow, CtrlAndShiftLettersSelectBeforeQuickSearch) {
    MakeFolder(left.File(L"dir"));
    MakeFolder(left.File(L"fdir"));
    for (const wchar_t* name : {L"d.txt", L"f.txt"}) WriteFileBytes(left.File(name), "x");
    Start();
    struct {
        bool shift, ctrl;
        WPARAM key;
        unsigned dirs, files;
        const wchar_t* cursorName;  // where the cursor is afterwards
    } steps[] = {
        {false, true, 'D', 2, 0, L".."},     // Ctrl+D: all directories
        {false, true, 'F', 2, 2, L".."},     // Ctrl+F: all files
        {true, false, 'D', 0, 2, L".."},     // Shift+D: no directories
        {false, false, 'F', 0, 2, L"fdir"},  // F alone: quick search
        {true, false, 'F', 0, 0, L"fdir"},   // Shift+F: no files
        {true, false, 'Q', 0, 0, L"fdir"},   // other Shift letters do nothing
    };
    for (const auto& step : steps) {
        SCOPED_TRACE((char)step.key);
        SetKeys(step.shift, step.ctrl);
        Key(step.key);
        SetKeys(false, false);
        EXPECT_EQ(step.dirs, P(0)->selectedDirs);
        EXPECT_EQ(step.files, P(0)->selectedFiles);
        EXPECT_STREQ(step.cursorName, P(0)->view[P(0)->cursor]->name);
    }
    bool icons = (P(0)->settings.windowMode & WM_LOAD_ICONS) != 0;
    ShiftKey('2');
    EXPECT_EQ(!icons, (P(0)->settings.windowMode & WM_LOAD_ICONS) != 0);
    EXPECT_EQ(std::wstring(L"Fyx 1.2 - ") + LanguageLine(&g_app.language, icons ? 305 : 304), WindowText(window));
}

TEST_F(InputWindow, LeftAndRightMoveTheColumnsByTwentyShiftToTheEnds) {
    WriteFileBytes(left.File(std::wstring(150, L'n') + L".txt"), "x");
    WriteFileBytes(right.File(L"short.txt"), "x");
    Start();
    ASSERT_TRUE(PaintStateOf(0)->horizontalNeeded) << "the long name needs the horizontal bar";
    const PanelPaintState* s = PaintStateOf(0);
    int end = s->columns.total - s->usableWidth + 1;
    struct {
        bool shift;
        WPARAM key;
        int expected;
    } steps[] = {{false, VK_RIGHT, 20}, {false, VK_RIGHT, 40}, {false, VK_LEFT, 20}, {true, VK_RIGHT, end},
                 {false, VK_RIGHT, end}, {true, VK_LEFT, 0},      {false, VK_LEFT, 0}};
    for (const auto& step : steps) {
        SetKeys(step.shift, false);
        Key(step.key);
        SetKeys(false, false);
        EXPECT_EQ(step.expected, P(0)->horizontalScroll) << step.shift << " " << step.key;
    }
    Activate(1);
    Key(VK_RIGHT);
    EXPECT_EQ(0, P(1)->horizontalScroll) << "columns that fit do not move";
}

TEST_F(InputWindow, EscapeOnlyRepaints) {
    for (const wchar_t* name : {L"a.txt", L"b.txt"}) WriteFileBytes(left.File(name), "x");
    Start(left.path(), right.path(), 0, true);  // a hidden window has nothing to repaint
    CursorTo(0, L"b.txt");
    struct {
        int cursor, topRow, focus, selected;
        std::wstring path;
        PanelSettings settings;
    } before = {P(0)->cursor, P(0)->topRow, P(0)->focus, (int)(P(0)->selectedFiles + P(0)->selectedDirs),
                P(0)->currentPath, P(0)->settings};
    PanelSettings otherSettings = P(1)->settings;
    std::wstring title = WindowText(window);
    ValidateRect(window, NULL);
    Key(VK_ESCAPE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE)) << "repaint asked";
    EXPECT_EQ(before.cursor, P(0)->cursor);
    EXPECT_EQ(before.topRow, P(0)->topRow);
    EXPECT_EQ(before.focus, P(0)->focus);
    EXPECT_EQ(before.selected, (int)(P(0)->selectedFiles + P(0)->selectedDirs));
    EXPECT_EQ(before.path, std::wstring(P(0)->currentPath));
    EXPECT_EQ(0, memcmp(&before.settings, &P(0)->settings, sizeof(PanelSettings)));
    EXPECT_EQ(0, memcmp(&otherSettings, &P(1)->settings, sizeof(PanelSettings)));
    EXPECT_EQ(title, WindowText(window));
}

TEST_F(InputWindow, SelectAllThenInvertAllLeavesNothingSelected) {
    MakeFolder(left.File(L"d1"));
    MakeFolder(left.File(L"d2"));
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteFileBytes(left.File(name), "xyz");
    Start();
    Command(IDM_SELECT_ALL);
    EXPECT_EQ(2u, P(0)->selectedDirs);
    EXPECT_EQ(3u, P(0)->selectedFiles);
    EXPECT_EQ(9u, P(0)->selectedBytes);
    Command(IDM_INVERT_ALL);
    EXPECT_EQ(0u, P(0)->selectedDirs);
    EXPECT_EQ(0u, P(0)->selectedFiles);
    EXPECT_EQ(0u, P(0)->selectedBytes);
    for (int i = 0; i < P(0)->total; i++) EXPECT_FALSE(P(0)->view[i]->flags & EF_SELECTED) << i;
}

TEST_F(InputWindow, SpaceComputesSelectsAndMovesThenUnselectsWithoutComputing) {
    MakeFolder(left.File(L"sub"));
    WriteFileBytes(left.File(L"sub\\one"), std::string(1000, 'a'));
    WriteFileBytes(left.File(L"sub\\two"), std::string(234, 'b'));
    WriteFileBytes(left.File(L"z.txt"), "z");
    Start();
    CursorTo(0, L"sub");
    int sub = P(0)->cursor;
    Key(VK_SPACE);
    PanelEntry* e = P(0)->view[sub];
    EXPECT_TRUE(e->flags & EF_SIZE_KNOWN);
    EXPECT_EQ(1234u, e->size);
    EXPECT_TRUE(e->flags & EF_SELECTED);
    EXPECT_EQ(sub + 1, P(0)->cursor);
    EXPECT_EQ(1234u, P(0)->selectedBytes);

    WriteFileBytes(left.File(L"sub\\three"), std::string(66, 'c'));
    Key(VK_UP);
    Key(VK_SPACE);
    EXPECT_FALSE(e->flags & EF_SELECTED);
    EXPECT_EQ(1234u, e->size) << "not computed again";
    EXPECT_EQ(0u, P(0)->selectedBytes);

    Key(VK_UP);
    ShiftKey(VK_SPACE);
    EXPECT_EQ(1300u, e->size) << "Shift computes again";
    EXPECT_TRUE(e->flags & EF_SELECTED);
}

TEST_F(InputWindow, ShiftDownThreeTimesSelectsThree) {
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) WriteFileBytes(left.File(name), "x");
    Start();
    CursorTo(0, L"a");
    SetKeys(true, false);
    Key(VK_SHIFT);
    for (int i = 0; i < 3; i++) Key(VK_DOWN);
    SetKeys(false, false);
    SendMessageW(window, WM_KEYUP, VK_SHIFT, 0);
    EXPECT_TRUE(Selected(0, L"a"));
    EXPECT_TRUE(Selected(0, L"b"));
    EXPECT_TRUE(Selected(0, L"c"));
    EXPECT_FALSE(Selected(0, L"d"));
    EXPECT_EQ(3u, P(0)->selectedFiles);
    EXPECT_EQ(IndexOf(0, L"d"), P(0)->cursor);
    // Released Shift: a plain move selects nothing more.
    Key(VK_DOWN);
    EXPECT_FALSE(Selected(0, L"d"));
}

TEST_F(InputWindow, ShiftPageUpToTheTopOfARootListingSelectsTheFirstEntry) {
    // The root of the Windows drive, listed without "..".
    Start(L"C:\\", right.path(), 0);
    ASSERT_STREQ(L"C:\\", P(0)->currentPath);
    // Few rows, so that Page Up really pages.
    for (int height = 400; height > 150 && PaintStateOf(0)->visibleRows > 2; height -= 5) {
        MoveWindow(window, 0, 0, 900, height, FALSE);
        ViewArrange(window);
    }
    ASSERT_GT(P(0)->total, PaintStateOf(0)->visibleRows);
    ASSERT_GE(PaintStateOf(0)->visibleRows, 2);
    ASSERT_EQ(-1, IndexOf(0, L".."));
    Key(VK_END);
    SetKeys(true, false);
    Key(VK_SHIFT);
    for (int i = 0; i < 50 && P(0)->cursor > 0; i++) Key(VK_PRIOR);
    SetKeys(false, false);
    SendMessageW(window, WM_KEYUP, VK_SHIFT, 0);
    EXPECT_EQ(0, P(0)->cursor);
    EXPECT_TRUE(P(0)->view[0]->flags & EF_SELECTED);
    EXPECT_TRUE(P(0)->view[P(0)->total - 1]->flags & EF_SELECTED);
}

TEST_F(InputWindow, RightButtonDragSelectsRowsAndKeepsWhatItLeft) {
    for (int i = 0; i < 14; i++) WriteFileBytes(left.File(L"f" + std::to_wstring(10 + i)), "x");
    Start();
    ASSERT_GT(PaintStateOf(0)->visibleRows, 10);
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(0, 5));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, RowPoint(0, 7));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, RowPoint(0, 9));
    for (int row = 0; row < P(0)->total; row++)
        EXPECT_EQ(row >= 5 && row <= 9, (P(0)->view[row]->flags & EF_SELECTED) != 0) << row;
    Key(VK_DOWN);
    EXPECT_EQ(9, P(0)->cursor) << "keys wait while the drag holds the mouse";
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, RowPoint(0, 7));
    SendMessageW(window, WM_RBUTTONUP, 0, RowPoint(0, 7));
    for (int row = 5; row <= 9; row++) EXPECT_TRUE(P(0)->view[row]->flags & EF_SELECTED) << row;
    EXPECT_EQ(7, P(0)->cursor);
    EXPECT_EQ(5u, P(0)->selectedFiles);
    EXPECT_EQ(NULL, GetCapture());
    // Keys work again once the drag has given the mouse back.
    Key(VK_DOWN);
    EXPECT_EQ(8, P(0)->cursor);
}

TEST_F(InputWindow, RightButtonDragBelowTheListScrollsAndSelects) {
    for (int i = 0; i < 80; i++) WriteFileBytes(left.File(L"f" + std::to_wstring(100 + i)), "x");
    Start();
    int rows = PaintStateOf(0)->visibleRows;
    ASSERT_LT(rows, 70);
    int start = rows - 2;
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(0, start));
    const PanelGeometry& g = PaintStateOf(0)->geometry;
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(g.left + 30, g.listBottom + 10));
    Pump(120);  // the 10 ms drag timer moves one row a tick
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(g.left + 30, g.listBottom + 10));
    int cursor = P(0)->cursor;
    EXPECT_GT(cursor, start + 1);
    EXPECT_GT(P(0)->topRow, 0);
    // As Shift+Down does: each row the cursor leaves.
    for (int i = start; i < cursor; i++) EXPECT_TRUE(P(0)->view[i]->flags & EF_SELECTED) << i;
    EXPECT_FALSE(P(0)->view[cursor + 1]->flags & EF_SELECTED);
    // After the release the timer is gone: nothing moves any more.
    Pump(50);
    EXPECT_EQ(cursor, P(0)->cursor);
}

TEST_F(InputWindow, GroupJpgSelectsFilesOfThatExtensionOnly) {
    WriteFileBytes(left.File(L"photo.JPG"), "x");
    WriteFileBytes(left.File(L"other.jpg"), "x");
    WriteFileBytes(left.File(L"photo.jpeg"), "x");
    WriteFileBytes(left.File(L"a.png"), "x");
    MakeFolder(left.File(L"x.jpg"));
    Start();
    std::thread answer([] {
        for (int i = 0; i < 200; i++) {
            std::vector<HWND> dialogs = FindDialogs(GetCurrentProcessId());
            if (!dialogs.empty()) {
                SetDlgItemTextW(dialogs[0], TEXT_DIALOG_EDIT_ID, L"jpg");
                PressButton(dialogs[0], IDOK);
                return;
            }
            Sleep(20);
        }
    });
    Command(IDM_SELECT_GROUP);
    answer.join();
    EXPECT_TRUE(Selected(0, L"photo.JPG"));
    EXPECT_TRUE(Selected(0, L"other.jpg"));
    EXPECT_FALSE(Selected(0, L"photo.jpeg"));
    EXPECT_FALSE(Selected(0, L"a.png"));
    EXPECT_FALSE(Selected(0, L"x.jpg"));
}

std::wstring g_selectionFile;
int AnswerSelectionFile(HWND, wchar_t path[PANEL_PATH_CHARS]) {
    wcscpy(path, g_selectionFile.c_str());
    return 1;
}

TEST_F(InputWindow, SelectionFileSavedInOneDirectoryLoadedInAnother) {
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteFileBytes(left.File(name), "x");
    for (const wchar_t* name : {L"b.txt", L"c.txt", L"d.txt"}) WriteFileBytes(right.File(name), "x");
    TempDir files;
    g_selectionFile = files.File(L"chosen.txt");
    Start();
    g_input.askSelectionFile = AnswerSelectionFile;
    PanelSelectByName(P(0), L"a.txt", 0);
    PanelSelectByName(P(0), L"b.txt", 0);
    Command(IDM_SAVE_SELECTION_FILE);
    EXPECT_EQ("a.txt\r\nb.txt\r\n", FileBytes(g_selectionFile));

    SetKeys(false, true);
    Key('O');  // the active panel goes to the other panel's directory
    SetKeys(false, false);
    ASSERT_EQ(Upper(right.path()), Upper(P(0)->currentPath));
    PanelSelectByName(P(0), L"d.txt", 0);
    Command(IDM_LOAD_SELECTION_FILE);
    EXPECT_TRUE(Selected(0, L"b.txt"));
    EXPECT_FALSE(Selected(0, L"c.txt"));
    EXPECT_FALSE(Selected(0, L"d.txt")) << "loading replaces the selection";
    EXPECT_EQ(1u, P(0)->selectedFiles);
}

TEST_F(InputWindow, BackspaceReturnsToTheThirtiethEntryAndItsScrollPosition) {
    MakeFolder(left.File(L"deep"));
    for (int i = 0; i < 45; i++) MakeFolder(left.File(L"deep\\d" + std::to_wstring(100 + i)));
    Start();
    CursorTo(0, L"deep");
    Key(VK_RETURN);
    ASSERT_EQ(Upper(left.File(L"deep")), Upper(P(0)->currentPath));
    ASSERT_LT(PaintStateOf(0)->visibleRows, 30) << "the list must scroll";
    for (int i = 0; i < 30; i++) Key(VK_DOWN);
    ASSERT_EQ(30, P(0)->cursor);
    int scroll = P(0)->topRow;
    ASSERT_GT(scroll, 0);
    Key(VK_RETURN);
    ASSERT_EQ(Upper(left.File(L"deep\\d129")), Upper(P(0)->currentPath));
    Key(VK_BACK);
    EXPECT_EQ(30, P(0)->cursor);
    EXPECT_EQ(scroll, P(0)->topRow);
    EXPECT_STREQ(L"d129", P(0)->view[P(0)->cursor]->name);

    // The wheel scrolls the panel under the pointer, from where the last
    // paint set its scroll bar.
    SendMessageW(window, WM_PAINT, 0, 0);
    POINT p = {(short)LOWORD(RowPoint(0, scroll)), (short)HIWORD(RowPoint(0, scroll))};
    ClientToScreen(window, &p);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(p.x, p.y));
    EXPECT_GT(P(0)->topRow, scroll);
    // A double click on a row opens it as Enter does.
    int row = P(0)->topRow + 1;
    std::wstring name = P(0)->view[row]->name;
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(0, row));
    EXPECT_EQ(Upper(left.File(L"deep\\" + name)), Upper(P(0)->currentPath));
}

TEST_F(InputWindow, VisitedListFoldsCaseAndKeepsTwenty) {
    for (int i = 0; i < 21; i++) MakeFolder(left.File(L"v" + std::to_wstring(10 + i)));
    // The right panel shows the same folder spelled in upper case.
    Start(left.path(), Upper(left.path()));
    ASSERT_EQ(1, P(0)->visitedCount);
    SetKeys(false, true);
    Key('O');
    SetKeys(false, false);
    EXPECT_STREQ(Upper(left.path()).c_str(), P(0)->currentPath);
    EXPECT_EQ(1, P(0)->visitedCount) << "one entry for both spellings";

    for (int i = 0; i < 21; i++) {
        CursorTo(0, (L"v" + std::to_wstring(10 + i)).c_str());
        Key(VK_RETURN);
        Key(VK_BACK);
    }
    EXPECT_EQ(20, P(0)->visitedCount);
    // The oldest went; the folder came back once when it was left again.
    std::vector<std::wstring> visited;
    for (int i = 0; i < P(0)->visitedCount; i++) visited.push_back(Upper(P(0)->visited[i]));
    EXPECT_EQ(Upper(left.File(L"v12")), visited.front());
    EXPECT_EQ(Upper(left.File(L"v30")), visited.back());
    EXPECT_EQ(1, std::count(visited.begin(), visited.end(), Upper(left.path())));
}

TEST_F(InputWindow, QuickSearchWithAWrapsOverTheMatches) {
    for (const wchar_t* name : {L"Apple", L"apricot", L"Banana"}) WriteFileBytes(left.File(name), "x");
    Start();
    const wchar_t* expected[] = {L"Apple", L"apricot", L"Apple"};
    for (const wchar_t* name : expected) {
        Key('A');
        EXPECT_STREQ(name, P(0)->view[P(0)->cursor]->name);
    }
}

TEST_F(InputWindow, DeletedCurrentDirectoryRecoversToTheNearestParent) {
    MakeFolder(left.File(L"x"));
    MakeFolder(left.File(L"x\\y"));
    Start(left.File(L"x\\y"), right.path());
    ASSERT_EQ(Upper(left.File(L"x\\y")), Upper(P(0)->currentPath));
    ASSERT_TRUE(RemoveDirectoryW(left.File(L"x\\y").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(left.File(L"x").c_str()));
    // A tool ended: both panels are read again 200 ms later.
    SendMessageW(window, WM_TOOL_FINISHED, 0, 0);
    Pump(450);
    EXPECT_EQ(Upper(left.path()), Upper(P(0)->currentPath));
}

TEST_F(InputWindow, ClicksMakeAPanelActiveAndTitlesSortIt) {
    for (const wchar_t* name : {L"a", L"b", L"c"}) WriteFileBytes(right.File(name), "x");
    Start();
    ASSERT_EQ(1, P(0)->focus);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(1, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, RowPoint(1, 2));
    EXPECT_EQ(1, P(1)->focus);
    EXPECT_EQ(2, P(0)->focus);
    EXPECT_EQ(2, P(1)->cursor);
    Key(VK_TAB);
    EXPECT_EQ(1, P(0)->focus);
    EXPECT_EQ(2, P(1)->focus);

    // The Name title where painting puts it: a click on the current key
    // reverses the order, and the menu follows.
    SendMessageW(window, WM_PAINT, 0, 0);
    PanelPaintState* state = PaintStateOf(1);
    ASSERT_GT(state->titleBounds.right[COLUMN_NAME], state->titleBounds.left[COLUMN_NAME]);
    LPARAM title = MAKELPARAM(state->titleBounds.left[COLUMN_NAME] + 5, state->geometry.listTop - 10);
    ASSERT_EQ(SORT_NAME, P(1)->settings.sortMode & (SORT_KEY_BITS | SORT_REVERSE));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, title);
    EXPECT_TRUE(P(1)->settings.sortMode & SORT_REVERSE);
    EXPECT_TRUE(Checked(IDM_RIGHT_SORT_REVERSE));
    EXPECT_STREQ(L"c", P(1)->view[P(1)->total - 3]->name);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, title);
    EXPECT_FALSE(P(1)->settings.sortMode & SORT_REVERSE);
    EXPECT_FALSE(Checked(IDM_RIGHT_SORT_REVERSE));
}

LPARAM BarButtonPoint(const IconButtonBar& bar, int index) {
    return MAKELPARAM(bar.x + IconBarButtonX(&bar, index) + ICON_BAR_PITCH / 2, bar.y + ICON_BAR_PITCH / 2);
}

TEST_F(InputWindow, PaintedButtonsHintAndActOnReleaseOverThemselves) {
    for (const wchar_t* name : {L"a", L"b"}) WriteFileBytes(left.File(name), "x");
    Start();
    LPARAM selectAll = BarButtonPoint(g_view.toolbar, 4);
    LPARAM unselectAll = BarButtonPoint(g_view.toolbar, 5);
    SendMessageW(window, WM_MOUSEMOVE, 0, selectAll);
    EXPECT_EQ(std::wstring(g_app.title) + L" - " + LanguageLine(&g_app.language, 20), WindowText(window));

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, selectAll);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, unselectAll);
    SendMessageW(window, WM_LBUTTONUP, 0, unselectAll);
    EXPECT_EQ(0u, P(0)->selectedFiles) << "released over another button";
    EXPECT_EQ(NULL, GetCapture());

    SendMessageW(window, WM_MOUSEMOVE, 0, selectAll);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, selectAll);
    SendMessageW(window, WM_LBUTTONUP, 0, selectAll);
    EXPECT_EQ(2u, P(0)->selectedFiles);

    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(std::wstring(g_app.title), WindowText(window));
}

TEST_F(InputWindow, ParentButtonGoesUpAndItsRepeatButtonGoesUpAgain) {
    MakeFolder(left.File(L"x"));
    MakeFolder(left.File(L"x\\y"));
    Start(left.File(L"x\\y"), right.path());
    LPARAM parent = BarButtonPoint(g_view.panelButtons[0], 4);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, parent);
    SendMessageW(window, WM_LBUTTONUP, 0, parent);
    EXPECT_EQ(Upper(left.File(L"x")), Upper(P(0)->currentPath));
    HWND repeat = GetDlgItem(window, ID_REPEAT_PARENT);
    ASSERT_TRUE(repeat != NULL);
    EXPECT_TRUE(GetWindowLongW(repeat, GWL_STYLE) & WS_VISIBLE);

    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_REPEAT_PARENT, BN_CLICKED), (LPARAM)repeat);
    EXPECT_EQ(Upper(left.path()), Upper(P(0)->currentPath));
    EXPECT_STREQ(L"x", P(0)->view[P(0)->cursor]->name);

    // Leaving the area around the click puts the button away.
    POINT p = {(short)LOWORD(parent) + 40, (short)HIWORD(parent) + 40};
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    EXPECT_FALSE(GetWindowLongW(repeat, GWL_STYLE) & WS_VISIBLE);
    // A menu command with the same number is not the button.
    SendMessageW(window, WM_COMMAND, ID_REPEAT_PARENT, 0);
    EXPECT_EQ(Upper(left.path()), Upper(P(0)->currentPath));
}

TEST_F(InputWindow, DriveOfTheOtherPanelTakesItsDirectory) {
    MakeFolder(left.File(L"x"));
    Start(left.File(L"x"), right.path());
    wchar_t drive = Upper(right.path())[0];
    // Painting places the drive buttons; the hidden window paints when told.
    SendMessageW(window, WM_PAINT, 0, 0);
    const DriveBar& bar = g_view.driveBars[0];
    int index = DriveBarIndexOf(&bar, drive);
    ASSERT_GE(index, bar.firstVisible);
    ASSERT_LT(index, bar.firstVisible + bar.visibleCount);
    LPARAM p = MAKELPARAM(bar.x + (index - bar.firstVisible) * DRIVE_BUTTON_WIDTH + DRIVE_BUTTON_WIDTH / 2,
                          bar.y + DRIVE_BUTTON_HEIGHT / 2);
    SendMessageW(window, WM_MOUSEMOVE, 0, p);
    EXPECT_NE(std::wstring(g_app.title), WindowText(window)) << "the drive's text is shown";
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, p);
    SendMessageW(window, WM_LBUTTONUP, 0, p);
    EXPECT_EQ(Upper(right.path()), Upper(P(0)->currentPath));
}

TEST_F(InputWindow, SplitterDragSetsTheShareAndHoldsTheKeys) {
    for (const wchar_t* name : {L"a", L"b"}) WriteFileBytes(left.File(name), "x");
    Start();
    const MainLayout& l = g_view.layout;
    int y = l.panels[0].top + 40;
    int target = l.clientWidth * 3 / 10;
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(l.split + 3, y));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(l.split + 3, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(l.split, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target, y));
    int cursor = P(0)->cursor;
    Key(VK_DOWN);
    EXPECT_EQ(cursor, P(0)->cursor) << "keys wait while the splitter holds the mouse";
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(target, y));
    EXPECT_NEAR(target * 100.0 / l.clientWidth - 0.2, g_app.config.FYXLeftPanelSize, 1e-9);
    EXPECT_TRUE(KillTimer(window, TIMER_SPLITTER_DONE));
    EXPECT_EQ(NULL, GetCapture());
    Key(VK_DOWN);
    EXPECT_EQ(cursor + 1, P(0)->cursor);
}

TEST_F(InputWindow, ConfigurationCommandsSaveAndToggle) {
    Start();
    SetKeys(false, true);
    Key('O');  // something to save: the left panel now shows the right folder
    SetKeys(false, false);
    Command(IDM_SAVE_SETTINGS);
    ConfigRecord saved;
    PREFS_LoadAllExtConfiguration(&saved);
    EXPECT_EQ(Upper(right.path()), Upper(saved.FYXLeftWinPath));
    EXPECT_EQ(std::wstring(g_app.title) + L" - " + LanguageLine(&g_app.language, 289), WindowText(window));
    EXPECT_TRUE(KillTimer(window, TIMER_TITLE_BACK));
    SendMessageW(window, WM_TIMER, TIMER_TITLE_BACK, 0);

    MoveWindow(window, 10, 20, 700, 500, FALSE);
    Command(IDM_SAVE_POSITION);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, g_app.config.FYXWindowLeft);
    EXPECT_EQ(r.bottom, g_app.config.FYXWindowBottom);
    EXPECT_EQ(std::wstring(g_app.title) + L" - " + LanguageLine(&g_app.language, 395), WindowText(window));

    int shown = g_app.config.FYXShowCommandLine;
    Command(IDM_SHOW_COMMAND_LINE);
    EXPECT_EQ(shown == 1 ? 0 : 1, g_app.config.FYXShowCommandLine);
    EXPECT_EQ(shown != 1, Checked(IDM_SHOW_COMMAND_LINE));
    Command(IDM_SHOW_COMMAND_LINE);
    EXPECT_EQ(shown == 1, Checked(IDM_SHOW_COMMAND_LINE));
}

TEST_F(InputWindow, DroppedFilesAreShownInTheTitle) {
    Start();
    const wchar_t names[] = L"C:\\one.txt\0C:\\two.txt\0";
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof(names) + 2);
    DROPFILES* drop = (DROPFILES*)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, names, sizeof(names));
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, (WPARAM)memory, 0);
    EXPECT_EQ(std::wstring(g_app.title) + L" - C:\\two.txt", WindowText(window));
}

// Ends the editor that "Edit New File" started, found by its window.
void EndStartedEditor() {
    for (int i = 0; i < 250; i++) {
        HWND editor = FindWindowW(L"Notepad", NULL);
        if (editor) {
            DWORD pid = 0;
            GetWindowThreadProcessId(editor, &pid);
            if (pid && pid != GetCurrentProcessId()) {
                Process p;
                p.pid = pid;
                p.handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
                EndProcess(p);
            }
            return;
        }
        Sleep(20);
    }
}

TEST_F(InputWindow, ShiftF4AsksForANameAndCreatesTheFile) {
    WriteFileBytes(left.File(L"existing.txt"), "keep");
    Start();
    CursorTo(0, L"existing.txt");
    struct {
        std::wstring title, initial;
        bool keptOpenWhenEmpty = false;
    } seen;
    std::thread answer([&seen] {
        for (int i = 0; i < 250; i++) {
            std::vector<HWND> dialogs = FindDialogs(GetCurrentProcessId());
            if (!dialogs.empty()) {
                HWND d = dialogs[0];
                seen.title = WindowText(d);
                seen.initial = ControlText(d, TEXT_DIALOG_EDIT_ID);
                SetDlgItemTextW(d, TEXT_DIALOG_EDIT_ID, L"");
                PressButton(d, IDOK);
                Sleep(50);
                seen.keptOpenWhenEmpty = IsWindow(d) != 0;
                SetDlgItemTextW(d, TEXT_DIALOG_EDIT_ID, L"made.txt");
                PressButton(d, IDOK);
                return;
            }
            Sleep(20);
        }
    });
    SetKeys(true, false);
    Key(VK_F4);
    SetKeys(false, false);
    answer.join();
    EndStartedEditor();
    EXPECT_EQ(std::wstring(LanguageLine(&g_app.language, 63)), seen.title);
    EXPECT_EQ(L"new.txt", seen.initial);
    EXPECT_TRUE(seen.keptOpenWhenEmpty);
    EXPECT_TRUE(FileExists(left.File(L"made.txt")));
    EXPECT_EQ("", FileBytes(left.File(L"made.txt")));
    EXPECT_EQ("keep", FileBytes(left.File(L"existing.txt")));
    EXPECT_GE(IndexOf(0, L"made.txt"), 0) << "the panel shows the new file";
}

TEST_F(InputWindow, TempOfTheSystemDirectoriesIsTheTemporaryFolder) {
    Start();
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring expected = temp;
    if (expected.size() > 3 && expected.back() == L'\\') expected.pop_back();
    Command(IDM_FOLDER_TEMP);
    EXPECT_EQ(Upper(expected), Upper(P(0)->currentPath));
}

TEST_F(InputWindow, SelectPopupGraysWhatHasNothingToActOn) {
    WriteFileBytes(left.File(L"a"), "x");
    Start();
    HMENU select = GetSubMenu(GetMenu(window), MENU_POS_SELECT);
    SendMessageW(window, WM_INITMENUPOPUP, (WPARAM)select, MENU_POS_SELECT);
    for (int id : {IDM_NEXT_SELECTED, IDM_PREVIOUS_SELECTED, IDM_RESTORE_SELECTION})
        EXPECT_TRUE(GetMenuState(select, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    Command(IDM_SELECT_FILES);
    Command(IDM_SAVE_SELECTION);
    SendMessageW(window, WM_INITMENUPOPUP, (WPARAM)select, MENU_POS_SELECT);
    for (int id : {IDM_NEXT_SELECTED, IDM_PREVIOUS_SELECTED, IDM_RESTORE_SELECTION})
        EXPECT_FALSE(GetMenuState(select, id, MF_BYCOMMAND) & MF_GRAYED) << id;
}

}  // namespace
