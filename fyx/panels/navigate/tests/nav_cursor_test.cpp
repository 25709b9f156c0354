// Cursor moves and their scroll rules, and quick search, over listings made
// up in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel_navigate.h"

namespace {

// A panel whose view is a made-up listing.
class FakeListing {
public:
    explicit FakeListing(const std::vector<std::wstring>& names) : names_(names), entries_(names.size()) {
        panel_ = PanelCreate(0, L"C:\\");
        for (size_t i = 0; i < names_.size(); i++) {
            entries_[i] = PanelEntry{};
            entries_[i].name = names_[i].c_str();
            if (names_[i] == L"..") entries_[i].flags = EF_DIRECTORY | EF_PARENT;
        }
        panel_->view.assign(names_.size(), NULL);
        for (size_t i = 0; i < names_.size(); i++) panel_->view[i] = &entries_[i];
        panel_->total = (int)names_.size();
        panel_->cursor = 0;
        panel_->topRow = 0;
    }
    static FakeListing Numbered(int count) {
        std::vector<std::wstring> names;
        for (int i = 0; i < count; i++) names.push_back(L"n" + std::to_wstring(i));
        return FakeListing(names);
    }
    ~FakeListing() {
        if (panel_) {
            panel_->view.clear();
            panel_->total = 0;
            PanelDestroy(panel_);
        }
    }
    FakeListing(FakeListing&& other) noexcept
        : names_(std::move(other.names_)), entries_(std::move(other.entries_)), panel_(other.panel_) {
        other.panel_ = NULL;
        for (size_t i = 0; i < entries_.size(); i++) entries_[i].name = names_[i].c_str();
    }
    Panel* get() const { return panel_; }

private:
    std::vector<std::wstring> names_;
    std::vector<PanelEntry> entries_;
    Panel* panel_;
};

typedef NavCursorMove (*MoveFn)(Panel*, int);

struct MoveCase {
    const char* what;
    MoveFn move;
    int total, rows, cursor, top;
    int wantCursor, wantTop;
};

const MoveCase kMoves[] = {
    {"up at the first entry only shows it", NavMoveUp, 50, 10, 0, 5, 0, 0},
    {"up from the top row scrolls one", NavMoveUp, 50, 10, 10, 10, 9, 9},
    {"up inside the page", NavMoveUp, 50, 10, 15, 10, 14, 10},
    {"up from out of sight: last visible row", NavMoveUp, 50, 10, 30, 0, 29, 20},
    {"down at the last entry only shows it", NavMoveDown, 50, 10, 49, 0, 49, 40},
    {"down from the bottom row scrolls one", NavMoveDown, 50, 10, 19, 10, 20, 11},
    {"down inside the page", NavMoveDown, 50, 10, 12, 10, 13, 10},
    {"down from out of sight: first visible row", NavMoveDown, 50, 10, 30, 0, 31, 31},
    {"down from out of sight near the end", NavMoveDown, 50, 10, 45, 0, 46, 40},
    {"page down from the top", NavPageDown, 50, 10, 0, 0, 9, 0},
    {"page down becomes the last row", NavPageDown, 50, 10, 5, 0, 14, 5},
    {"page down stops at the last entry", NavPageDown, 50, 10, 45, 40, 49, 40},
    {"page down when all fit is End", NavPageDown, 5, 10, 1, 0, 4, 0},
    {"page down at the last entry only shows it", NavPageDown, 50, 10, 49, 0, 49, 40},
    {"page up from the end", NavPageUp, 50, 10, 49, 40, 40, 40},
    {"page up becomes the first row", NavPageUp, 50, 10, 20, 15, 11, 11},
    {"page up stops at the first entry", NavPageUp, 50, 10, 3, 0, 0, 0},
    {"page up when all fit is Home", NavPageUp, 5, 10, 3, 0, 0, 0},
    {"page up at the first entry only shows it", NavPageUp, 50, 10, 0, 7, 0, 0},
    {"home", NavHome, 50, 10, 30, 25, 0, 0},
    {"end scrolls to the end", NavEnd, 50, 10, 3, 0, 49, 40},
    {"end when all fit", NavEnd, 5, 10, 0, 0, 4, 0},
    {"one visible row", NavMoveDown, 50, 1, 7, 7, 8, 8},
    {"no visible row counts as one", NavPageDown, 50, 0, 7, 7, 8, 8},
    {"empty listing", NavMoveDown, 0, 10, 0, 0, 0, 0},
    {"empty listing end", NavEnd, 0, 10, 0, 0, 0, 0},
};

TEST(NavCursor, MovesFollowTheirScrollRules) {
    for (const MoveCase& c : kMoves) {
        SCOPED_TRACE(c.what);
        FakeListing list = FakeListing::Numbered(c.total);
        Panel* p = list.get();
        p->cursor = c.cursor;
        p->topRow = c.top;
        NavCursorMove move = c.move(p, c.rows);
        EXPECT_EQ(c.wantCursor, p->cursor);
        EXPECT_EQ(c.wantTop, p->topRow);
        EXPECT_EQ(c.cursor, move.oldCursor);
        EXPECT_EQ(c.wantCursor, move.newCursor);
    }
}

TEST(NavCursor, SetCursorClampsAndRecords) {
    FakeListing list = FakeListing::Numbered(8);
    Panel* p = list.get();
    p->index = 1;
    p->cursor = 3;
    NavCursorMove m = NavSetCursor(p, -4);
    EXPECT_EQ(1, m.panelIndex);
    EXPECT_EQ(3, m.oldCursor);
    EXPECT_EQ(0, m.newCursor);
    m = NavSetCursor(p, 99);
    EXPECT_EQ(7, m.newCursor);
    EXPECT_EQ(7, p->cursor);
}

TEST(NavCursor, RowPlacesOnlyScrollWhenOutOfSight) {
    struct Case {
        int place, row, top, wantTop;
    } cases[] = {
        {NAV_ROW_FIRST, 30, 0, 30},
        {NAV_ROW_FIRST, 48, 0, 40},  // the last page stays full
        {NAV_ROW_LAST, 30, 0, 21},
        {NAV_ROW_LAST, 3, 20, 0},
        {NAV_ROW_CENTRED, 30, 0, 25},
        {NAV_ROW_CENTRED, 2, 20, 0},
        {NAV_ROW_CENTRED, 12, 10, 10},  // visible: unchanged
    };
    FakeListing list = FakeListing::Numbered(50);
    for (const Case& c : cases) {
        list.get()->topRow = c.top;
        NavMakeRowVisible(list.get(), c.row, 10, c.place);
        EXPECT_EQ(c.wantTop, list.get()->topRow) << "place " << c.place << " row " << c.row;
    }
}

TEST(NavQuickSearch, WalksMatchesInTurnAndWraps) {
    FakeListing list({L"..", L"Apple", L"apricot", L"Banana", L"\u00C4rger", L"1.txt", L"-"});
    Panel* p = list.get();
    struct Step {
        wchar_t key;
        int want;
    } steps[] = {
        {L'A', 1}, {L'A', 2}, {L'A', 1},  // Apple, apricot, Apple again
        {L'B', 3}, {L'B', 3},             // the only match keeps it
        {L'C', 3},                        // no match leaves the cursor
        {L'1', 5},
        {L'.', 5},  // ".." is never a target
        {L'a', 1},  // key codes are upper case; a lower one still folds
    };
    for (const Step& s : steps) {
        NavQuickSearch(p, s.key, 10);
        EXPECT_EQ(s.want, p->cursor) << "key " << (char)s.key;
    }
    // Only ASCII letters fold: no key reaches the A with diaeresis as A.
    p->cursor = 2;
    NavQuickSearch(p, L'A', 10);
    EXPECT_EQ(1, p->cursor);
}

TEST(NavQuickSearch, TargetOutOfSightIsCentred) {
    std::vector<std::wstring> names;
    for (int i = 0; i < 100; i++) names.push_back(i == 80 ? L"Zed" : L"n" + std::to_wstring(i));
    FakeListing list(names);
    NavQuickSearch(list.get(), L'Z', 10);
    EXPECT_EQ(80, list.get()->cursor);
    EXPECT_EQ(75, list.get()->topRow);
}

TEST(NavEnterArchive, FileInsideAnArchiveAsksForExtractAndExecute) {
    FakeListing list({L"..", L"folder", L"inner.txt"});
    Panel* p = list.get();
    p->settings.panelMode = PANEL_ARCHIVE;
    list.get()->view[1]->flags = EF_DIRECTORY;
    NavEnterResult r;
    p->cursor = 2;
    EXPECT_EQ(NAV_ARCHIVE_FILE_RESULT, NavEnter(p, 10, NULL, &r));
    EXPECT_EQ(NAV_ENTER_ARCHIVE_FILE, r.action);
    EXPECT_STREQ(L"inner.txt", r.path);
    p->cursor = 1;
    EXPECT_EQ(0u, NavEnter(p, 10, NULL, &r));
    EXPECT_EQ(NAV_ENTER_ARCHIVE_FOLDER, r.action);
    p->settings.panelMode = PANEL_SHELL;
    EXPECT_EQ(0u, NavEnter(p, 10, NULL, &r));
    EXPECT_EQ(NAV_ENTER_SHELL_ITEM, r.action);
}

}  // namespace
