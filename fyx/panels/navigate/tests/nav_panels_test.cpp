// Moves between drives and panels over real folders: the volume memory of
// Change drive, its error decisions, the other panel's directory, swapping
// with selections, and listing in the other panel.
#include <gtest/gtest.h>

#include <string>

#include "panel_navigate.h"
#include "testkit.h"

namespace {

using fyxtest::MakeFolder;
using fyxtest::TempDir;
using fyxtest::WriteFileBytes;

struct PanelDeleter {
    void operator()(Panel* p) const { PanelDestroy(p); }
};
using PanelPtr = std::unique_ptr<Panel, PanelDeleter>;

PanelPtr OpenPanel(const std::wstring& path, int index) {
    PanelPtr p(PanelCreate(index, path.c_str()));
    p->settings.sortMode = SORT_NAME;
    EXPECT_EQ(0, PanelChangeDirectory(p.get(), path.c_str()));
    return p;
}

int Position(const Panel* p, const wchar_t* name) {
    for (int i = 0; i < p->total; i++)
        if (wcscmp(p->view[i]->name, name) == 0) return i;
    return -1;
}

void Select(Panel* p, const wchar_t* name) {
    PanelEntry* e = p->view[Position(p, name)];
    e->flags |= EF_SELECTED;
    if (e->flags & EF_DIRECTORY) p->selectedDirs++;
    else p->selectedFiles++;
    p->selectedBytes += e->size;
}

std::wstring SelectedNames(const Panel* p) {
    std::wstring names;
    for (int i = 0; i < p->total; i++)
        if (p->view[i]->flags & EF_SELECTED) names += std::wstring(p->view[i]->name) + L";";
    return names;
}

// The test's temporary folders are on C:, which has a serial under wine;
// Z: (the Unix root) has none.
class TwoPanels : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolder(dir.File(L"left")));
        ASSERT_TRUE(MakeFolder(dir.File(L"right")));
        ASSERT_TRUE(MakeFolder(dir.File(L"left\\sub")));
        ASSERT_TRUE(WriteFileBytes(dir.File(L"left\\a.txt"), "aaa"));
        ASSERT_TRUE(WriteFileBytes(dir.File(L"right\\b.txt"), "bb"));
        ASSERT_TRUE(WriteFileBytes(dir.File(L"right\\c.txt"), "c"));
        left = OpenPanel(dir.File(L"left"), 0);
        right = OpenPanel(dir.File(L"right"), 1);
        left->focus = 1;
        right->focus = 2;
        panels[0] = left.get();
        panels[1] = right.get();
        context.volumes = &volumes;
    }
    TempDir dir;
    PanelPtr left, right;
    Panel* panels[2];
    VolumeLastPath volumes = {};
    NavContext context = {};
};

TEST_F(TwoPanels, DriveComesBackToItsLastDirectoryBySerial) {
    ASSERT_EQ(L'C', towupper(dir.path()[0]));
    ASSERT_EQ(0u, NavChangeDirectory(left.get(), L"Z:\\", &context));
    ASSERT_EQ(1, volumes.count);
    EXPECT_EQ(dir.File(L"left"), volumes.pairs[0].path);
    EXPECT_EQ(right->volumeSerial, volumes.pairs[0].serial);

    // The right panel leaves C: too, so C is not the other panel's drive.
    ASSERT_EQ(0u, NavChangeDirectory(right.get(), L"Z:\\", &context));
    NavDriveResult r;
    EXPECT_EQ(0, NavChangeDrive(panels, 0, L'c', 0, &context, &r));
    EXPECT_EQ(NAV_DRIVE_DONE, r.action);
    EXPECT_EQ(dir.File(L"right"), left->currentPath);  // the right panel left C: last

    // A stored directory that is gone gives way to its nearest parent.
    ASSERT_EQ(0u, NavChangeDirectory(left.get(), dir.File(L"left\\sub").c_str(), &context));
    ASSERT_EQ(0u, NavChangeDirectory(left.get(), L"Z:\\", &context));
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"left\\sub").c_str()));
    EXPECT_EQ(0, NavChangeDrive(panels, 0, L'C', 0, &context, &r));
    EXPECT_EQ(dir.File(L"left"), left->currentPath);
}

TEST_F(TwoPanels, LetterOfTheOtherPanelsDriveTakesItsDirectory) {
    NavDriveResult r;
    EXPECT_EQ(0, NavChangeDrive(panels, 0, dir.path()[0], 0, &context, &r));
    EXPECT_EQ(dir.File(L"right"), left->currentPath);
}

TEST_F(TwoPanels, DriveDecisionsWithoutAChange) {
    struct Case {
        wchar_t character;
        DWORD noRootDrives;
        int action;
    } cases[] = {
        {L'\\', 0, NAV_DRIVE_NETWORK},
        {L'.', 0, NAV_DRIVE_MY_COMPUTER},
        {L'Q', 0, NAV_DRIVE_ERROR_BOX},              // no such drive: the box with Retry
        {L'Q', 1u << (L'Q' - L'A'), NAV_DRIVE_ENDED},  // listed without root: connect, fail
        {L'?', 0, NAV_DRIVE_ENDED},
    };
    for (const Case& c : cases) {
        NavDriveResult r;
        EXPECT_EQ(1, NavChangeDrive(panels, 0, c.character, c.noRootDrives, &context, &r));
        EXPECT_EQ(c.action, r.action) << (char)c.character;
        EXPECT_EQ(dir.File(L"left"), left->currentPath);
        if (c.action == NAV_DRIVE_ERROR_BOX) {
            EXPECT_NE(0u, r.error);
            EXPECT_EQ(0, r.noDiskText);  // not a CD-ROM drive
            wchar_t text[300];
            NavDriveErrorText(&r, L"unused %c", text, 300);
            EXPECT_STRNE(L"", text);
            EXPECT_STRNE(L"unused Q", text);
        }
    }
}

TEST(NavDriveErrorText, NoDiskLineTakesTheLetterOnly) {
    NavDriveResult r = {NAV_DRIVE_ERROR_BOX, ERROR_NOT_READY, 1, L'E'};
    wchar_t text[64];
    NavDriveErrorText(&r, L"No disk in %c: (%s, 100%%)", text, 64);
    EXPECT_STREQ(L"No disk in E: (%s, 100%)", text);
    NavDriveErrorText(&r, L"No disk in %c: and more than fits", text, 12);
    EXPECT_STREQ(L"No disk in ", text);
}

TEST_F(TwoPanels, TargetAndSourceFollowEachOther) {
    EXPECT_EQ(0u, NavTargetEqualsSource(panels, &context));
    EXPECT_EQ(dir.File(L"left"), right->currentPath);
    ASSERT_EQ(0u, NavChangeDirectory(right.get(), dir.File(L"left\\sub").c_str(), &context));
    EXPECT_EQ(0u, NavSourceEqualsTarget(panels, &context));
    EXPECT_EQ(dir.File(L"left\\sub"), left->currentPath);
    // Both on one path: nothing is read again.
    left->cursor = 0;
    left->view[0]->flags |= EF_SELECTED;
    EXPECT_EQ(0u, NavTargetEqualsSource(panels, &context));
    EXPECT_NE(0u, left->view[0]->flags & EF_SELECTED);
}

TEST_F(TwoPanels, SwapCarriesSelectionsAndCursorsAcross) {
    Select(left.get(), L"a.txt");
    Select(right.get(), L"c.txt");
    right->cursor = Position(right.get(), L"b.txt");
    EXPECT_EQ(0u, NavSwapPanels(panels, &context));
    EXPECT_EQ(dir.File(L"right"), left->currentPath);
    EXPECT_EQ(dir.File(L"left"), right->currentPath);
    EXPECT_EQ(L"c.txt;", SelectedNames(left.get()));
    EXPECT_EQ(L"a.txt;", SelectedNames(right.get()));
    EXPECT_EQ(1u, left->selectedFiles);
    EXPECT_EQ(1u, left->selectedBytes);
    EXPECT_EQ(3u, right->selectedBytes);
    EXPECT_STREQ(L"b.txt", left->view[left->cursor]->name);
}

TEST_F(TwoPanels, ListInOtherFollowsDirectoriesUnderTheCursor) {
    EXPECT_EQ(NAV_LINE_LIST_MODE_ON, NavToggleListInOther(left.get()));
    NavCursorMove move = NavSetCursor(left.get(), Position(left.get(), L"a.txt"));
    EXPECT_EQ(0u, NavListInOther(panels, &move, &context));
    EXPECT_EQ(dir.File(L"right"), right->currentPath);
    move = NavSetCursor(left.get(), Position(left.get(), L"sub"));
    EXPECT_EQ(0u, NavListInOther(panels, &move, &context));
    EXPECT_EQ(dir.File(L"left\\sub"), right->currentPath);
    move = NavSetCursor(left.get(), 0);  // ".." lists nothing
    EXPECT_EQ(0u, NavListInOther(panels, &move, &context));
    EXPECT_EQ(dir.File(L"left\\sub"), right->currentPath);

    EXPECT_EQ(NAV_LINE_LIST_MODE_OFF, NavToggleListInOther(left.get()));
    ASSERT_EQ(0u, NavChangeDirectory(right.get(), dir.File(L"right").c_str(), &context));
    move = NavSetCursor(left.get(), Position(left.get(), L"sub"));
    EXPECT_EQ(0u, NavListInOther(panels, &move, &context));
    EXPECT_EQ(dir.File(L"right"), right->currentPath);

    wchar_t title[80];
    NavFormatListModeTitle(L"Directory listing mode - SELECT", title, 80);
    EXPECT_STREQ(L"Fyx 1.2 - Directory listing mode - SELECT", title);
}

}  // namespace
