// The remembered selection, selection files, the Select pop-up's commands
// and its grayed items.
#include <gtest/gtest.h>

#include <algorithm>

#include "memory_panel.h"
#include "panel_select.h"
#include "testkit.h"

namespace {

using namespace fyxtest;

class SelectMemory : public testing::Test {
protected:
    void SetUp() override { PanelSelectionInit(&s); }
    PanelSelection s;
};

TEST_F(SelectMemory, RestoreNeedsASaveAndAppliesNamesAnywhere) {
    MemoryPanel a({{L"d", true, 0, false}, {L"x", false, 1, false}, {L"y", false, 2, false}}, true);
    MemoryPanel b({{L"y", false, 20, false}, {L"Y", false, 30, false}, {L"z", false, 40, false},
                   {L"y", false, 50, false}},
                  false);
    PanelSelectEntry(b.get(), 2);
    EXPECT_EQ(PanelRestoreSelection(&s, b.get()), 1);
    EXPECT_EQ(b.SelectedPositions(), (std::vector<int>{2}));

    PanelSelectEntry(a.get(), 1);
    PanelSelectEntry(a.get(), 3);
    PanelSaveSelection(&s, a.get());
    EXPECT_EQ(s.rememberedNames, (std::vector<std::wstring>{L"d", L"y"}));
    // The other panel: its selection is replaced, only the first exact "y".
    EXPECT_EQ(PanelRestoreSelection(&s, b.get()), 0);
    EXPECT_EQ(b.SelectedPositions(), (std::vector<int>{0}));
    EXPECT_EQ(b->selectedBytes, 20u);

    PanelUnselectAll(a.get());
    PanelRestoreSelection(&s, a.get());
    EXPECT_EQ(a.SelectedPositions(), (std::vector<int>{1, 3}));
    EXPECT_EQ(a->selectedDirs, 1u);
    EXPECT_EQ(a->selectedFiles, 1u);

    // Saving an empty selection is a save too: restoring then clears.
    PanelUnselectAll(a.get());
    PanelSaveSelection(&s, a.get());
    PanelRestoreSelection(&s, b.get());
    EXPECT_TRUE(b.SelectedPositions().empty());
}

TEST_F(SelectMemory, GrayedItemsFollowSelectionAndMemory) {
    MemoryPanel p(Files(3), false);
    struct Case {
        bool select, save;
        int next, previous, restore, other;
    } cases[] = {
        {false, false, 1, 1, 1, 0},
        {true, false, 0, 0, 1, 0},
        {true, true, 0, 0, 0, 0},
        {false, true, 1, 1, 0, 0},  // the saved list outlives the selection
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "select " << c.select << " save " << c.save);
        if (c.select) PanelSelectEntry(p.get(), 1);
        else PanelUnselectAll(p.get());
        if (c.save) PanelSaveSelection(&s, p.get());
        EXPECT_EQ(PanelSelectMenuItemGrayed(&s, p.get(), IDM_NEXT_SELECTED), c.next);
        EXPECT_EQ(PanelSelectMenuItemGrayed(&s, p.get(), IDM_PREVIOUS_SELECTED), c.previous);
        EXPECT_EQ(PanelSelectMenuItemGrayed(&s, p.get(), IDM_RESTORE_SELECTION), c.restore);
        EXPECT_EQ(PanelSelectMenuItemGrayed(&s, p.get(), IDM_SAVE_SELECTION), c.other);
    }
}

TEST_F(SelectMemory, CommandsOfTheSelectPopup) {
    struct Case {
        int id;
        int handled;
        uint32_t dirs, files;
    } cases[] = {
        {IDM_SELECT_DIRS, 1, 2, 1},   {IDM_SELECT_FILES, 1, 1, 3},   {IDM_SELECT_ALL, 1, 2, 3},
        {IDM_INVERT_DIRS, 1, 1, 1},   {IDM_INVERT_FILES, 1, 1, 2},   {IDM_INVERT_ALL, 1, 1, 2},
        {IDM_UNSELECT_DIRS, 1, 0, 1}, {IDM_UNSELECT_FILES, 1, 1, 0}, {IDM_UNSELECT_ALL, 1, 0, 0},
        {IDM_SELECT_GROUP, 0, 1, 1},  {IDM_LOAD_SELECTION_FILE, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        // One of two directories and one of three files selected before.
        MemoryPanel p({{L"d1", true, 0, false}, {L"d2", true, 0, false}, {L"f1", false, 1, false},
                       {L"f2", false, 1, false}, {L"f3", false, 1, false}},
                      true);
        PanelSelectEntry(p.get(), 1);
        PanelSelectEntry(p.get(), 3);
        EXPECT_EQ(PanelSelectionCommand(&s, p.get(), c.id, 10), c.handled);
        EXPECT_EQ(p->selectedDirs, c.dirs);
        EXPECT_EQ(p->selectedFiles, c.files);
        EXPECT_FALSE(p.IsSelected(0));
    }
    MemoryPanel p(Files(5), false);
    PanelSelectEntry(p.get(), 3);
    EXPECT_EQ(PanelSelectionCommand(&s, p.get(), IDM_NEXT_SELECTED, 10), 1);
    EXPECT_EQ(p->cursor, 3);
    PanelSelectionCommand(&s, p.get(), IDM_SAVE_SELECTION, 10);
    PanelUnselectAll(p.get());
    PanelSelectionCommand(&s, p.get(), IDM_RESTORE_SELECTION, 10);
    EXPECT_EQ(p.SelectedPositions(), (std::vector<int>{3}));
}

// Selection files written from real listings of two directories.
class SelectionFile : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"})
            ASSERT_TRUE(WriteFileBytes(JoinPath(one.path(), name), "1"));
        ASSERT_TRUE(MakeFolder(one.File(L"sub")));
        for (const wchar_t* name : {L"b.txt", L"c.TXT", L"d.txt"})
            ASSERT_TRUE(WriteFileBytes(JoinPath(two.path(), name), "2"));
        ASSERT_TRUE(MakeFolder(two.File(L"sub")));
        first = PanelCreate(0, one.path().c_str());
        second = PanelCreate(1, two.path().c_str());
        ASSERT_EQ(PanelChangeDirectory(first, one.path().c_str()), 0);
        ASSERT_EQ(PanelChangeDirectory(second, two.path().c_str()), 0);
    }
    void TearDown() override {
        PanelDestroy(first);
        PanelDestroy(second);
    }
    static std::vector<std::wstring> Selected(const Panel* p) {
        std::vector<std::wstring> out;
        for (int i = 0; i < p->total; i++)
            if (p->view[i]->flags & EF_SELECTED) out.push_back(p->view[i]->name);
        return out;
    }

    TempDir one, two, files;
    Panel* first = nullptr;
    Panel* second = nullptr;
};

TEST_F(SelectionFile, SavedInOneDirectoryLoadedInAnother) {
    for (const wchar_t* name : {L"sub", L"a.txt", L"c.txt"}) PanelSelectByName(first, name, 0);
    std::wstring path = files.File(L"sel.txt");
    ASSERT_EQ(PanelSaveSelectionToFile(first, path.c_str()), SELECTION_FILE_OK);
    EXPECT_EQ(FileBytes(path), "sub\r\na.txt\r\nc.txt\r\n");

    PanelSelectByName(second, L"d.txt", 0);
    ASSERT_EQ(PanelLoadSelectionFromFile(second, path.c_str()), SELECTION_FILE_OK);
    // Exact names only: c.TXT is another name; d.txt was unselected first.
    EXPECT_EQ(Selected(second), (std::vector<std::wstring>{L"sub"}));
    EXPECT_EQ(second->selectedDirs, 1u);
    EXPECT_EQ(second->selectedFiles, 0u);
}

TEST_F(SelectionFile, UnopenableFilesChangeNothing) {
    PanelSelectByName(second, L"b.txt", 0);
    std::wstring missing = files.File(L"no such folder\\sel.txt");
    EXPECT_EQ(PanelLoadSelectionFromFile(second, missing.c_str()), SELECTION_FILE_OPEN_FAILED);
    EXPECT_EQ(Selected(second), (std::vector<std::wstring>{L"b.txt"}));
    EXPECT_EQ(PanelSaveSelectionToFile(second, missing.c_str()), SELECTION_FILE_OPEN_FAILED);
}

TEST_F(SelectionFile, LinesTooLongForANameSelectNothing) {
    // The tail of an overlong line equals a listed name; the last line has
    // no line end.
    std::string text = std::string(300, 'q') + "b.txt\r\n" + "\r\n" + "d.txt";
    std::wstring path = files.File(L"long.txt");
    ASSERT_TRUE(WriteFileBytes(path, text));
    std::string tail = std::string(PANEL_PATH_CHARS + 1, 'q') + "b.txt\nd.txt\n";
    std::wstring path2 = files.File(L"long2.txt");
    ASSERT_TRUE(WriteFileBytes(path2, tail));
    for (const std::wstring& p : {path, path2}) {
        ASSERT_EQ(PanelLoadSelectionFromFile(second, p.c_str()), SELECTION_FILE_OK);
        EXPECT_EQ(Selected(second), (std::vector<std::wstring>{L"d.txt"}));
    }
}

TEST_F(SelectionFile, NamesTheEncodingCannotHoldAreLeftOut) {
    MemoryPanel p({{L"a", false, 1, false}, {L"\u4e00\u4e8c", false, 1, false}, {L"b", false, 1, false}}, false);
    PanelSelectAll(p.get());
    std::wstring path = files.File(L"wide.txt");
    ASSERT_EQ(PanelSaveSelectionToFile(p.get(), path.c_str()), SELECTION_FILE_OK);
    std::string bytes = FileBytes(path);
    // Either the run-time can hold the name (a whole line of its own) or it
    // is left out; never a broken line that swallows the next name.
    EXPECT_EQ(bytes.substr(0, 3), "a\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "b\r\n");
    EXPECT_TRUE(bytes == "a\r\nb\r\n" || std::count(bytes.begin(), bytes.end(), '\n') == 3) << bytes;
}

}  // namespace
