// Insert, Space with directory sizes, Shift movement, the right-button drag
// and the jumps to selected entries.
#include <gtest/gtest.h>

#include "memory_panel.h"
#include "panel_select.h"
#include "testkit.h"

namespace {

using namespace fyxtest;

// The cursor movement of the navigation, reduced to what the selection
// sees: the new cursor of each kind with rows visible rows.
int MovedCursor(const Panel* p, int kind, int rows) {
    int last = p->total - 1, c = p->cursor;
    switch (kind) {
    case MOVE_UP: return c > 0 ? c - 1 : 0;
    case MOVE_DOWN: return c < last ? c + 1 : last;
    case MOVE_PAGE_UP: return c - (rows - 1) > 0 ? c - (rows - 1) : 0;
    case MOVE_PAGE_DOWN: return c + (rows - 1) < last ? c + (rows - 1) : last;
    case MOVE_HOME: return 0;
    default: return last;
    }
}

void Move(PanelSelection* s, Panel* p, int shift, int kind, int rows = 10) {
    int next = MovedCursor(p, kind, rows);
    PanelApplyMoveSelection(s, p, shift, kind, p->cursor, next);
    p->cursor = next;
}

class SelectKeys : public testing::Test {
protected:
    void SetUp() override { PanelSelectionInit(&s); }
    PanelSelection s;
};

TEST_F(SelectKeys, InsertTogglesAndMovesDownSkippingTheParent) {
    MemoryPanel p(Files(3), true);
    EXPECT_EQ(PanelInsertKey(p.get(), 10), 1);  // on "..": only moves
    EXPECT_EQ(p->cursor, 1);
    EXPECT_TRUE(p.SelectedPositions().empty());
    PanelInsertKey(p.get(), 10);
    PanelInsertKey(p.get(), 10);
    EXPECT_EQ(p->cursor, 3);
    EXPECT_EQ(PanelInsertKey(p.get(), 10), 0);  // last entry: toggled in place
    EXPECT_EQ(p->cursor, 3);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(PanelInsertKey(p.get(), 10), 0);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{1, 2}));
    EXPECT_EQ(p->selectedBytes, 20u);
}

TEST_F(SelectKeys, DownOneRowKeepsTheCursorInView) {
    struct Case {
        int total, rows, cursor, top;
        int moved, cursorAfter, topAfter;
    } cases[] = {
        {20, 5, 2, 0, 1, 3, 0},     // inside the page
        {20, 5, 4, 0, 1, 5, 1},     // bottom row: scrolls one
        {20, 5, 12, 0, 1, 13, 13},  // out of view: becomes the first row
        {20, 5, 17, 0, 1, 18, 15},  // ... as far as the list scrolls
        {20, 5, 19, 0, 0, 19, 15},  // last entry: only made visible
        {3, 5, 2, 0, 0, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cursor " << c.cursor << " top " << c.top);
        MemoryPanel p(Files(c.total), false);
        p->cursor = c.cursor;
        p->topRow = c.top;
        EXPECT_EQ(PanelCursorDownOneRow(p.get(), c.rows), c.moved);
        EXPECT_EQ(p->cursor, c.cursorAfter);
        EXPECT_EQ(p->topRow, c.topAfter);
    }
}

TEST_F(SelectKeys, ThreeShiftDownsSelectThreeOrUnselectThree) {
    MemoryPanel p(Files(6), false);
    PanelShiftPressed(&s, p.get(), 0);
    EXPECT_EQ(s.moveMode, MOVE_SELECT_ON);
    for (int i = 0; i < 3; i++) Move(&s, p.get(), 1, MOVE_DOWN);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(p->cursor, 3);
    PanelShiftReleased(&s);

    p->cursor = 0;
    PanelShiftPressed(&s, p.get(), 0);
    EXPECT_EQ(s.moveMode, MOVE_SELECT_OFF);
    for (int i = 0; i < 3; i++) Move(&s, p.get(), 1, MOVE_DOWN);
    EXPECT_TRUE(p.SelectedPositions().empty());
    EXPECT_EQ(p->selectedFiles, 0u);
}

TEST_F(SelectKeys, ShiftMovementRanges) {
    struct Case {
        const char* what;
        bool parent;
        int start;
        int kind;
        std::vector<int> selected;
    } cases[] = {
        {"page up reaching a root listing's top", false, 8, MOVE_PAGE_UP, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"page up within the list", false, 15, MOVE_PAGE_UP, {7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"page up to the top below a root", true, 5, MOVE_PAGE_UP, {1, 2, 3, 4, 5}},
        {"page down within the list", false, 0, MOVE_PAGE_DOWN, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"page down reaching the end", false, 15, MOVE_PAGE_DOWN, {15, 16, 17, 18, 19}},
        {"home", false, 3, MOVE_HOME, {0, 1, 2, 3}},
        {"end", false, 17, MOVE_END, {17, 18, 19}},
        {"up", false, 5, MOVE_UP, {5}},
        {"up at the first entry", false, 0, MOVE_UP, {0}},
        {"down at the last entry", false, 19, MOVE_DOWN, {19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPanel p(Files(c.parent ? 19 : 20), c.parent);
        p->cursor = c.start;
        PanelShiftPressed(&s, p.get(), 0);
        Move(&s, p.get(), 1, c.kind);
        EXPECT_EQ(p.SelectedPositions(), c.selected);
        PanelShiftReleased(&s);
    }
}

TEST_F(SelectKeys, MovementWithoutShiftResetsTheMode) {
    MemoryPanel p(Files(5), false);
    PanelShiftPressed(&s, p.get(), 0);
    Move(&s, p.get(), 0, MOVE_DOWN);  // Shift no longer held, its release missed
    EXPECT_EQ(s.moveMode, MOVE_SELECT_NONE);
    EXPECT_TRUE(p.SelectedPositions().empty());
}

TEST_F(SelectKeys, ShiftRepeatKeepsTheFirstMode) {
    MemoryPanel p(Files(5), false);
    PanelShiftPressed(&s, p.get(), 0);
    Move(&s, p.get(), 1, MOVE_DOWN);
    Move(&s, p.get(), 1, MOVE_UP);  // back on the entry now selected
    PanelShiftPressed(&s, p.get(), 1);
    EXPECT_EQ(s.moveMode, MOVE_SELECT_ON);
    PanelShiftPressed(&s, p.get(), 0);
    EXPECT_EQ(s.moveMode, MOVE_SELECT_OFF);
}

TEST_F(SelectKeys, RightDragForwardAndBack) {
    MemoryPanel p(Files(15), false);
    ASSERT_EQ(PanelDragBegin(&s, p.get(), 5), 0);
    EXPECT_EQ(p->cursor, 5);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{5}));
    for (int row = 6; row <= 9; row++) PanelDragMoveTo(&s, p.get(), row);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{5, 6, 7, 8, 9}));
    PanelDragMoveTo(&s, p.get(), 7);
    EXPECT_EQ(p->cursor, 7);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{5, 6, 7, 8, 9}));
    // Above the start the range turns round the anchor.
    PanelDragMoveTo(&s, p.get(), 3);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9}));
    PanelDragEnd(&s);
    EXPECT_EQ(s.moveMode, MOVE_SELECT_NONE);
    PanelDragMoveTo(&s, p.get(), 12);  // after the release nothing changes
    EXPECT_EQ(p.SelectedPositions().size(), 7u);

    // Starting on a selected entry unselects.
    ASSERT_EQ(PanelDragBegin(&s, p.get(), 9), 0);
    PanelDragMoveTo(&s, p.get(), 6);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(p->selectedFiles, 3u);
    PanelDragEnd(&s);

    EXPECT_EQ(PanelDragBegin(&s, p.get(), 15), 1);  // below the last row
    EXPECT_FALSE(s.drag.active);
}

TEST_F(SelectKeys, DragAutoScrollSelectsLikeShiftMovement) {
    MemoryPanel p(Files(40), false);
    p->cursor = 20;
    ASSERT_EQ(PanelDragBegin(&s, p.get(), 20), 0);
    Move(&s, p.get(), 0, MOVE_DOWN);  // Shift not held, the drag runs
    Move(&s, p.get(), 0, MOVE_PAGE_DOWN);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    PanelDragEnd(&s);

    struct Case {
        int y;
        int kind;
    } cases[] = {{100, 0},         {399, 0},          {99, MOVE_UP},   {61, MOVE_UP},
                 {60, MOVE_PAGE_UP}, {400, MOVE_DOWN}, {429, MOVE_DOWN}, {430, MOVE_PAGE_DOWN}};
    for (const Case& c : cases) EXPECT_EQ(PanelDragScrollKind(c.y, 100, 400), c.kind) << c.y;
}

TEST_F(SelectKeys, NextAndPreviousSelectedWrapAndScroll) {
    MemoryPanel p(Files(30), true);
    PanelSelectEntry(p.get(), 3);
    PanelSelectEntry(p.get(), 25);
    struct Case {
        int cursor, top, forward;
        int moved, cursorAfter, topAfter;
    } cases[] = {
        {5, 0, 1, 1, 25, 16},   // forward out of view: last visible row
        {25, 16, 1, 1, 3, 0},   // wraps; the target becomes the last row if it can
        {26, 20, 0, 1, 25, 20}, // visible already: no scroll
        {20, 15, 0, 1, 3, 3},   // backward: first visible row
        {2, 0, 0, 1, 25, 21},   // wraps back; first row as far as it scrolls
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.cursor << " forward " << c.forward);
        p->cursor = c.cursor;
        p->topRow = c.top;
        EXPECT_EQ(PanelGoToSelected(p.get(), c.forward, 10), c.moved);
        EXPECT_EQ(p->cursor, c.cursorAfter);
        EXPECT_EQ(p->topRow, c.topAfter);
    }
    MemoryPanel none(Files(5), true);
    none->cursor = 2;
    EXPECT_EQ(PanelGoToSelected(none.get(), 1, 10), 0);
    EXPECT_EQ(none->cursor, 2);
}

// Space over a real directory tree.
class SpaceKey : public testing::Test {
protected:
    void SetUp() override {
        PanelSelectionInit(&s);
        ASSERT_TRUE(MakeFolder(dir.File(L"a_big")));
        ASSERT_TRUE(WriteFileBytes(JoinPath(dir.File(L"a_big"), L"one"), std::string(300, 'x')));
        ASSERT_TRUE(MakeFolder(JoinPath(dir.File(L"a_big"), L"deep")));
        ASSERT_TRUE(WriteFileBytes(JoinPath(JoinPath(dir.File(L"a_big"), L"deep"), L"two"), std::string(200, 'y')));
        ASSERT_TRUE(MakeFolder(dir.File(L"b_small")));
        ASSERT_TRUE(WriteFileBytes(JoinPath(dir.File(L"b_small"), L"s"), std::string(10, 'z')));
        ASSERT_TRUE(WriteFileBytes(dir.File(L"file.txt"), std::string(50, 'f')));
        panel = PanelCreate(0, dir.path().c_str());
        ASSERT_TRUE(panel);
    }
    void TearDown() override { PanelDestroy(panel); }
    int Read(int sortMode) {
        panel->settings.sortMode = sortMode;
        return PanelChangeDirectory(panel, dir.path().c_str());
    }
    int Find(const wchar_t* name) {
        for (int i = 0; i < panel->total; i++)
            if (wcscmp(panel->view[i]->name, name) == 0) return i;
        return -1;
    }
    PanelEntry* Entry(const wchar_t* name) {
        int i = Find(name);
        return i < 0 ? nullptr : panel->view[i];
    }

    TempDir dir;
    PanelSelection s;
    Panel* panel = nullptr;
};

TEST_F(SpaceKey, ComputesSelectsMovesThenUnselectsWithoutComputing) {
    ASSERT_EQ(Read(SORT_NAME), 0);
    int big = Find(L"a_big");
    ASSERT_GE(big, 0);
    panel->cursor = big;
    int r = PanelSpaceKey(panel, 0, 10, nullptr);
    EXPECT_EQ(r, SPACE_COMPUTED | SPACE_MOVED);
    PanelEntry* e = Entry(L"a_big");
    EXPECT_TRUE(e->flags & EF_SIZE_KNOWN);
    EXPECT_TRUE(e->flags & EF_SELECTED);
    EXPECT_EQ(e->size, 500u);
    EXPECT_STRNE(e->sizeText, L"");
    EXPECT_EQ(panel->cursor, big + 1);
    EXPECT_EQ(panel->selectedBytes, 500u);

    // More content, but a second Space does not measure again.
    ASSERT_TRUE(WriteFileBytes(JoinPath(dir.File(L"a_big"), L"three"), std::string(100, 'w')));
    panel->cursor = big;
    EXPECT_EQ(PanelSpaceKey(panel, 0, 10, nullptr), SPACE_MOVED);
    EXPECT_FALSE(e->flags & EF_SELECTED);
    EXPECT_EQ(e->size, 500u);
    EXPECT_EQ(panel->selectedBytes, 0u);

    // Shift+Space measures again.
    panel->cursor = big;
    EXPECT_EQ(PanelSpaceKey(panel, 1, 10, nullptr), SPACE_COMPUTED | SPACE_MOVED);
    EXPECT_EQ(e->size, 600u);
    EXPECT_EQ(panel->selectedBytes, 600u);
}

TEST_F(SpaceKey, RemeasuringASelectedDirectoryReplacesItsCountedBytes) {
    ASSERT_EQ(Read(SORT_NAME), 0);
    panel->cursor = Find(L"a_big");
    PanelSpaceKey(panel, 0, 10, nullptr);  // 500, selected
    ASSERT_TRUE(WriteFileBytes(JoinPath(dir.File(L"a_big"), L"three"), std::string(100, 'w')));
    PanelSelectEntry(panel, Find(L"file.txt"));
    PanelSelectEntry(panel, Find(L"a_big"));
    panel->cursor = Find(L"a_big");
    // Measured again (600) and then toggled off by the Insert step.
    PanelSpaceKey(panel, 1, 10, nullptr);
    EXPECT_EQ(panel->selectedBytes, 50u);
    PanelUnselectAll(panel);
    EXPECT_EQ(panel->selectedBytes, 0u);
}

TEST_F(SpaceKey, FilesParentAndUnreadableDirectoriesActAsInsert) {
    ASSERT_EQ(Read(SORT_NAME), 0);
    panel->cursor = Find(L"file.txt");
    EXPECT_EQ(PanelSpaceKey(panel, 1, 10, nullptr) & SPACE_COMPUTED, 0);
    EXPECT_TRUE(Entry(L"file.txt")->flags & EF_SELECTED);

    int small = Find(L"b_small");
    ASSERT_TRUE(DeleteFileW(JoinPath(dir.File(L"b_small"), L"s").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"b_small").c_str()));
    panel->cursor = small;
    int r = PanelSpaceKey(panel, 0, 10, nullptr);
    EXPECT_TRUE(r & SPACE_UNREADABLE);
    EXPECT_FALSE(r & SPACE_COMPUTED);
    EXPECT_FALSE(panel->view[small]->flags & EF_SIZE_KNOWN);
    EXPECT_TRUE(panel->view[small]->flags & EF_SELECTED);
    EXPECT_EQ(panel->selectedBytes, 50u);
}

TEST_F(SpaceKey, SizeSortWithDirectoriesMovesTheMeasuredDirectory) {
    // Directories sorted by size with the files: unknown sizes count as 0.
    ASSERT_EQ(Read(SORT_SIZE | SORT_DIRS), 0);
    ASSERT_LT(Find(L"a_big"), Find(L"b_small"));
    panel->cursor = Find(L"a_big");
    std::wstring below = panel->view[panel->cursor + 1]->name;
    int r = PanelSpaceKey(panel, 0, 10, nullptr);
    EXPECT_TRUE(r & SPACE_REFRESHED);
    // The cursor stays on the entry it moved down to.
    EXPECT_EQ(std::wstring(panel->view[panel->cursor]->name), below);
    EXPECT_GT(Find(L"a_big"), Find(L"b_small"));
    EXPECT_EQ(Entry(L"a_big")->size, 500u);
    EXPECT_TRUE(Entry(L"a_big")->flags & EF_SELECTED);
    panel->cursor = Find(L"b_small");
    PanelSpaceKey(panel, 0, 10, nullptr);
    EXPECT_LT(Find(L"b_small"), Find(L"a_big"));
    EXPECT_TRUE(Entry(L"a_big")->flags & EF_SELECTED);
    EXPECT_TRUE(Entry(L"b_small")->flags & EF_SELECTED);
    EXPECT_EQ(Entry(L"b_small")->size, 10u);
    EXPECT_EQ(panel->selectedBytes, 510u);
    EXPECT_EQ(panel->selectedDirs, 2u);
}

uint64_t ArchiveSize(Panel*, const PanelEntry* entry) {
    return wcscmp(entry->name, L"broken") == 0 ? ~0ull : 4242;
}

TEST(SpaceModes, ArchiveMeasuresThroughItsListingShellNever) {
    struct Case {
        int mode;
        PanelArchiveDirectorySize sizer;
        int position;
        int result;
        uint64_t size;
    } cases[] = {
        {PANEL_ARCHIVE, ArchiveSize, 0, SPACE_COMPUTED | SPACE_MOVED, 4242},
        {PANEL_ARCHIVE, ArchiveSize, 1, SPACE_UNREADABLE | SPACE_MOVED, 0},
        {PANEL_ARCHIVE, nullptr, 0, SPACE_MOVED, 0},
        {PANEL_SHELL, ArchiveSize, 0, SPACE_MOVED, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " position " << c.position);
        MemoryPanel p({{L"inner", true, 0, false}, {L"broken", true, 0, false}, {L"f", false, 1, false}}, false);
        p->settings.panelMode = c.mode;
        p->settings.sortMode = SORT_SIZE | SORT_DIRS;
        p->cursor = c.position;
        int r = PanelSpaceKey(p.get(), 0, 10, c.sizer);
        EXPECT_EQ(r & ~SPACE_REFRESHED, c.result);
        const PanelEntry* e = p.get()->pool[c.position];
        EXPECT_EQ(e->size, c.size);
        EXPECT_EQ((e->flags & EF_SIZE_KNOWN) != 0, c.size != 0);
        EXPECT_TRUE(e->flags & EF_SELECTED);
        EXPECT_EQ(p->selectedBytes, c.size);
    }
}

}  // namespace
