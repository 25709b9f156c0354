// Selecting single entries, ranges, all, by name and by extension, with the
// counters and selected bytes.
#include <gtest/gtest.h>

#include "memory_panel.h"
#include "panel_select.h"

namespace {

// ".." then two directories (one of known size 1000) and three files.
std::vector<Item> Mixed() {
    return {{L"docs", true, 0, false},
            {L"pics", true, 1000, true},
            {L"a.txt", false, 5, false},
            {L"b.txt", false, 7, false},
            {L"c.bin", false, 11, false}};
}

void ExpectCounters(const Panel* p, uint32_t dirs, uint32_t files, uint64_t bytes) {
    EXPECT_EQ(p->selectedDirs, dirs);
    EXPECT_EQ(p->selectedFiles, files);
    EXPECT_EQ(p->selectedBytes, bytes);
}

TEST(SelectEntry, ResultsAndCounters) {
    MemoryPanel p(Mixed(), true);
    struct Case {
        int position;
        bool unselect;
        int result;
        uint32_t dirs, files;
        uint64_t bytes;
    } cases[] = {
        {-1, false, SELECT_OUTSIDE, 0, 0, 0},
        {6, false, SELECT_OUTSIDE, 0, 0, 0},
        {0, false, SELECT_PARENT, 0, 0, 0},
        {1, false, SELECT_DONE, 1, 0, 0},        // size unknown: no bytes
        {2, false, SELECT_DONE, 2, 0, 1000},     // known size counts
        {3, false, SELECT_DONE, 2, 1, 1005},
        {3, false, SELECT_UNCHANGED, 2, 1, 1005},
        {4, true, SELECT_UNCHANGED, 2, 1, 1005},
        {6, true, SELECT_OUTSIDE, 2, 1, 1005},
        {2, true, SELECT_DONE, 1, 1, 5},
        {3, true, SELECT_DONE, 1, 0, 0},
        {1, true, SELECT_DONE, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " unselect " << c.unselect);
        int r = c.unselect ? PanelUnselectEntry(p.get(), c.position) : PanelSelectEntry(p.get(), c.position);
        EXPECT_EQ(r, c.result);
        ExpectCounters(p.get(), c.dirs, c.files, c.bytes);
    }
    EXPECT_EQ(PanelToggleEntry(p.get(), 0), SELECT_UNCHANGED);
    EXPECT_FALSE(p.IsSelected(0));
    EXPECT_EQ(PanelToggleEntry(p.get(), 5), SELECT_DONE);
    EXPECT_TRUE(p.IsSelected(5));
    EXPECT_EQ(PanelToggleEntry(p.get(), 5), SELECT_DONE);
    EXPECT_FALSE(p.IsSelected(5));
}

TEST(SelectAll, SelectThenInvertLeavesNothingAndNeverTheParent) {
    MemoryPanel p(Mixed(), true);
    PanelSelectAll(p.get());
    ExpectCounters(p.get(), 2, 3, 1023);
    EXPECT_FALSE(p.IsSelected(0));
    EXPECT_TRUE(PanelHasSelection(p.get()));
    PanelInvertAll(p.get());
    EXPECT_TRUE(p.Selected().empty());
    ExpectCounters(p.get(), 0, 0, 0);
    EXPECT_FALSE(PanelHasSelection(p.get()));
    PanelInvertAll(p.get());
    EXPECT_EQ(p.Selected(), (std::vector<std::wstring>{L"docs", L"pics", L"a.txt", L"b.txt", L"c.bin"}));
}

TEST(SelectAll, KindsTouchOnlyTheirKindAndCountSizesOnce) {
    MemoryPanel p(Mixed(), true);
    PanelSelectEntry(p.get(), 2);  // pics, 1000 bytes
    PanelSelectDirectories(p.get());
    ExpectCounters(p.get(), 2, 0, 1000);
    PanelSelectFiles(p.get());
    ExpectCounters(p.get(), 2, 3, 1023);
    PanelUnselectDirectories(p.get());
    ExpectCounters(p.get(), 0, 3, 23);
    PanelInvertFiles(p.get());
    ExpectCounters(p.get(), 0, 0, 0);
    PanelInvertDirectories(p.get());
    ExpectCounters(p.get(), 2, 0, 1000);
    PanelUnselectFiles(p.get());
    ExpectCounters(p.get(), 2, 0, 1000);
    PanelUnselectAll(p.get());
    ExpectCounters(p.get(), 0, 0, 0);
}

TEST(SelectRange, HalfOpenAndInclusive) {
    struct Case {
        int first, end;
        std::vector<int> selected;
    } halfOpen[] = {
        {1, 4, {1, 2, 3}},
        {3, 3, {}},
        {4, 2, {}},
        {-1, 3, {}},
        {2, 9, {}},  // end beyond the listing
        {6, 8, {6, 7}},
    };
    for (const Case& c : halfOpen) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.end);
        MemoryPanel p(Files(8), false);
        PanelSelectRange(p.get(), c.first, c.end, 0);
        EXPECT_EQ(p.SelectedPositions(), c.selected);
        PanelSelectRange(p.get(), c.first, c.end, 1);
        EXPECT_TRUE(p.SelectedPositions().empty());
    }
    MemoryPanel p(Files(8), false);
    PanelSelectRangeInclusive(p.get(), 5, 2, MOVE_SELECT_ON);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{2, 3, 4, 5}));
    PanelSelectRangeInclusive(p.get(), 3, 4, MOVE_SELECT_OFF);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{2, 5}));
    EXPECT_EQ(p->selectedFiles, 2u);
}

TEST(SelectByName, ExactAndFirstOnly) {
    MemoryPanel p({{L"Read.me", false, 1, false}, {L"read.me", false, 2, false}, {L"read.me", false, 4, false}},
                  false);
    EXPECT_EQ(PanelSelectByName(p.get(), L"READ.ME", 0), 1);
    EXPECT_EQ(PanelSelectByName(p.get(), L"read.me", 0), 0);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{1}));
    EXPECT_EQ(p->selectedBytes, 2u);
    EXPECT_EQ(PanelSelectByName(p.get(), L"read.me", 1), 0);
    EXPECT_TRUE(p.SelectedPositions().empty());
}

TEST(SelectGroup, ExtensionFoldedAsciiOnlyFilesOnly) {
    std::vector<Item> items = {{L"x.jpg", true, 0, false},     {L"photo.JPG", false, 1, false},
                               {L"photo.jpg", false, 2, false}, {L"photo.jpeg", false, 4, false},
                               {L".jpg", false, 8, false},      {L"a.tar.jpg", false, 16, false},
                               {L"jpg", false, 32, false},      {L"\u00e9.J\u00c9G", false, 64, false},
                               {L"\u00e9.j\u00e9g", false, 128, false}};
    struct Case {
        const wchar_t* typed;
        int result;
        std::vector<std::wstring> selected;
    } cases[] = {
        {L"jpg", 0, {L"photo.JPG", L"photo.jpg", L"a.tar.jpg"}},
        {L"JpG", 0, {L"photo.JPG", L"photo.jpg", L"a.tar.jpg"}},
        {L"", 1, {}},
        {L"jp", 0, {}},
        // Only ASCII letters fold: the accented letters must match exactly.
        {L"j\u00c9g", 0, {L"\u00e9.J\u00c9G"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "group " << testing::PrintToString(std::wstring(c.typed)));
        MemoryPanel p(items, true);
        EXPECT_EQ(PanelSelectGroup(p.get(), c.typed, 0), c.result);
        EXPECT_EQ(p.Selected(), c.selected);
        EXPECT_EQ(p->selectedDirs, 0u);
        PanelSelectGroup(p.get(), c.typed, 1);
        EXPECT_TRUE(p.Selected().empty());
    }
}

TEST(CursorQueries, ParentEmptyAndFiles) {
    MemoryPanel withParent({{L"d", true, 0, false}, {L"f", false, 1, false}}, true);
    MemoryPanel empty({}, false);
    EXPECT_FALSE(PanelCursorOnEntry(empty.get()));
    EXPECT_FALSE(PanelCursorOnFile(empty.get()));
    struct Case {
        int cursor;
        int onEntry, onFile;
    } cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 1, 1}};
    for (const Case& c : cases) {
        withParent->cursor = c.cursor;
        EXPECT_EQ(PanelCursorOnEntry(withParent.get()), c.onEntry) << c.cursor;
        EXPECT_EQ(PanelCursorOnFile(withParent.get()), c.onFile) << c.cursor;
    }
}

}  // namespace
