// Entering and leaving real directories: the back stack, going up from a
// typed path, files and archives, failed entries, the root, the volume memory.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

#include "panel_navigate.h"
#include "testkit.h"

namespace {

using fyxtest::JoinPath;
using fyxtest::MakeFolder;
using fyxtest::TempDir;
using fyxtest::WriteFileBytes;

struct PanelDeleter {
    void operator()(Panel* p) const { PanelDestroy(p); }
};
using PanelPtr = std::unique_ptr<Panel, PanelDeleter>;

PanelPtr OpenPanel(const std::wstring& path, int index = 0) {
    PanelPtr p(PanelCreate(index, path.c_str()));
    p->settings.sortMode = SORT_NAME;
    EXPECT_EQ(0, PanelChangeDirectory(p.get(), path.c_str()));
    return p;
}

std::wstring Numbered(int n) {
    wchar_t name[16];
    swprintf(name, 16, L"d%02d", n);
    return name;
}

int Position(const Panel* p, const wchar_t* name) {
    for (int i = 0; i < p->total; i++)
        if (wcscmp(p->view[i]->name, name) == 0) return i;
    return -1;
}

const int kRows = 10;

TEST(NavGoUp, BackspaceReturnsToTheEntryAndScrollOfEachLevel) {
    TempDir dir;
    for (int i = 0; i < 60; i++) ASSERT_TRUE(MakeFolder(dir.File(Numbered(i))));
    for (int i = 0; i < 20; i++) ASSERT_TRUE(MakeFolder(dir.File(L"d29\\" + Numbered(i))));
    PanelPtr p = OpenPanel(dir.path());
    NavSetCursor(p.get(), 30);  // ".." first: the 30th entry is d29
    p->topRow = 25;
    NavEnterResult r;
    ASSERT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    ASSERT_EQ(NAV_ENTER_DONE, r.action);
    EXPECT_EQ(dir.File(L"d29"), p->currentPath);
    EXPECT_EQ(0, p->cursor);
    EXPECT_EQ(0, p->topRow);
    NavSetCursor(p.get(), 15);
    p->topRow = 8;
    ASSERT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    EXPECT_EQ(2, p->backDepth);

    EXPECT_EQ(0, NavGoUp(p.get(), kRows));
    EXPECT_EQ(dir.File(L"d29"), p->currentPath);
    EXPECT_EQ(15, p->cursor);
    EXPECT_EQ(8, p->topRow);
    p->cursor = 0;  // Enter on ".." goes up the same way
    ASSERT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    EXPECT_EQ(dir.path(), p->currentPath);
    EXPECT_EQ(30, p->cursor);
    EXPECT_EQ(25, p->topRow);
    EXPECT_STREQ(L"d29", p->view[p->cursor]->name);
    EXPECT_EQ(0, p->backDepth);
}

TEST(NavGoUp, FromATypedPathLandsOnTheDirectoryLeftCentred) {
    TempDir dir;
    for (int i = 0; i < 60; i++) ASSERT_TRUE(MakeFolder(dir.File(Numbered(i))));
    PanelPtr p = OpenPanel(dir.path());
    NavContext context = {};
    ASSERT_EQ(0u, NavChangeDirectory(p.get(), dir.File(L"d40").c_str(), &context));
    EXPECT_EQ(0, p->backDepth);
    EXPECT_EQ(0, NavGoUp(p.get(), kRows));
    EXPECT_EQ(41, p->cursor);
    EXPECT_EQ(36, p->topRow);
}

TEST(NavGoUp, EntryMovedSinceIsFoundByNameAndKeptInSight) {
    TempDir dir;
    for (int i = 0; i < 40; i++) ASSERT_TRUE(MakeFolder(dir.File(Numbered(i))));
    PanelPtr p = OpenPanel(dir.path());
    NavSetCursor(p.get(), 35);  // d34
    p->topRow = 30;
    NavEnterResult r;
    ASSERT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    for (int i = 0; i < 20; i++) ASSERT_TRUE(RemoveDirectoryW(dir.File(Numbered(i)).c_str()));
    EXPECT_EQ(0, NavGoUp(p.get(), kRows));
    EXPECT_STREQ(L"d34", p->view[p->cursor]->name);
    EXPECT_GE(p->cursor, p->topRow);
    EXPECT_LT(p->cursor, p->topRow + kRows);
}

TEST(NavEnter, FilesGoToTheShellOrTheArchiveBrowsing) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File(L"note.txt"), "x"));
    ASSERT_TRUE(WriteFileBytes(dir.File(L"pack.zip"), "PK"));
    PanelPtr p = OpenPanel(dir.path());
    NavArchiveTest zipOnly = [](const wchar_t* path) -> int {
        size_t n = wcslen(path);
        return n > 4 && _wcsicmp(path + n - 4, L".zip") == 0;
    };
    NavEnterResult r;
    p->cursor = Position(p.get(), L"note.txt");
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, zipOnly, &r));
    EXPECT_EQ(NAV_ENTER_RUN_FILE, r.action);
    EXPECT_EQ(dir.File(L"note.txt"), r.path);
    EXPECT_EQ(dir.path(), r.directory);
    p->cursor = Position(p.get(), L"pack.zip");
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, zipOnly, &r));
    EXPECT_EQ(NAV_ENTER_OPEN_ARCHIVE, r.action);
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    EXPECT_EQ(NAV_ENTER_RUN_FILE, r.action);
    EXPECT_EQ(dir.path(), p->currentPath);  // the panel itself stays
}

TEST(NavEnter, DirectoryThatCannotBeEnteredKeepsThePanelOrRecovers) {
    TempDir dir;
    ASSERT_TRUE(MakeFolder(dir.File(L"a")));
    ASSERT_TRUE(MakeFolder(dir.File(L"a\\gone")));
    ASSERT_TRUE(MakeFolder(dir.File(L"a\\b")));
    ASSERT_TRUE(MakeFolder(dir.File(L"a\\b\\gone")));
    PanelPtr p = OpenPanel(dir.File(L"a"));
    p->backDepth = 3;
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"a\\gone").c_str()));
    p->cursor = Position(p.get(), L"gone");
    NavEnterResult r;
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));  // a beep, no box
    EXPECT_EQ(dir.File(L"a"), p->currentPath);
    EXPECT_EQ(3, p->backDepth);
    EXPECT_STREQ(L"gone", p->view[p->cursor]->name);  // listing kept as it was

    // The panel's own directory went too: the nearest parent is listed.
    NavContext context = {};
    ASSERT_EQ(0u, NavChangeDirectory(p.get(), dir.File(L"a\\b").c_str(), &context));
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"a\\b\\gone").c_str()));
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"a\\b").c_str()));
    p->cursor = Position(p.get(), L"gone");
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    EXPECT_EQ(dir.File(L"a"), p->currentPath);
    EXPECT_EQ(0, p->backDepth);
}

TEST(NavEnter, ParentAtADriveRootAsksForMyComputer) {
    PanelPtr p(PanelCreate(0, L"C:\\"));
    p->options.showParentAtRoot = 1;
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), L"C:\\"));
    ASSERT_STREQ(L"..", p->view[0]->name);
    p->cursor = 0;
    NavEnterResult r;
    EXPECT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    EXPECT_EQ(NAV_ENTER_MY_COMPUTER, r.action);
    EXPECT_STREQ(L"C:\\", r.path);
    EXPECT_EQ(1, NavGoUp(p.get(), kRows));  // nothing above a root
    EXPECT_STREQ(L"C:\\", p->currentPath);
}

TEST(NavGoToRoot, GoesOnceThenReportsBeingThere) {
    TempDir dir;
    ASSERT_TRUE(MakeFolder(dir.File(L"x")));
    PanelPtr p = OpenPanel(dir.File(L"x"));
    NavContext context = {};
    wchar_t root[PANEL_PATH_CHARS];
    wcscpy(root, p->currentPath);
    PathStripToRootW(root);
    DWORD error = 1;
    EXPECT_EQ(0, NavGoToRoot(p.get(), &context, &error));
    EXPECT_EQ(0u, error);
    EXPECT_STREQ(root, p->currentPath);
    EXPECT_EQ(1, NavGoToRoot(p.get(), &context, &error));
    p->settings.panelMode = PANEL_SHELL;
    EXPECT_EQ(2, NavGoToRoot(p.get(), &context, NULL));
    // A root that is gone: the change fails with the system's code.
    p->settings.panelMode = PANEL_FILESYSTEM;
    wcscpy(p->currentPath, L"Q:\\gone");
    EXPECT_EQ(3, NavGoToRoot(p.get(), &context, &error));
    EXPECT_NE(0u, error);
}

TEST(NavChangeDirectory, MissingPathsGiveTheSystemsCodes) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File(L"f.txt"), "x"));
    PanelPtr p = OpenPanel(dir.path());
    NavContext context = {};
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, NavChangeDirectory(p.get(), dir.File(L"f.txt").c_str(), &context));
    DWORD missing = NavChangeDirectory(p.get(), dir.File(L"none\\deeper").c_str(), &context);
    EXPECT_TRUE(missing == ERROR_PATH_NOT_FOUND || missing == ERROR_FILE_NOT_FOUND) << missing;
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, NavChangeDirectory(p.get(), L"", &context));
    EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE,
              NavChangeDirectory(p.get(), (L"C:\\" + std::wstring(300, L'a')).c_str(), &context));
    EXPECT_EQ(dir.path(), p->currentPath);
    EXPECT_EQ(0, context.drivesChanged);
}

TEST(VolumeLastPath, OnePairPerSerialUntilFull) {
    VolumeLastPath list = {};
    NavStoreVolumePath(&list, L"C:\\a", 7);
    NavStoreVolumePath(&list, L"D:\\b", 9);
    NavStoreVolumePath(&list, L"C:\\c", 7);
    NavStoreVolumePath(&list, L"Z:\\no", 0);  // an unreadable serial is no key
    EXPECT_EQ(2, list.count);
    EXPECT_STREQ(L"C:\\c", NavLookUpVolumePath(&list, 7));
    EXPECT_STREQ(L"D:\\b", NavLookUpVolumePath(&list, 9));
    EXPECT_EQ(nullptr, NavLookUpVolumePath(&list, 0));
    EXPECT_EQ(nullptr, NavLookUpVolumePath(&list, 8));
    for (uint32_t s = 100; list.count < NAV_VOLUME_PATHS_MAX; s++) NavStoreVolumePath(&list, L"E:\\", s);
    NavStoreVolumePath(&list, L"C:\\late", 7);
    NavStoreVolumePath(&list, L"F:\\new", 5000);
    EXPECT_STREQ(L"C:\\c", NavLookUpVolumePath(&list, 7));  // full: no change at all
    EXPECT_EQ(nullptr, NavLookUpVolumePath(&list, 5000));
}

}  // namespace

namespace {

TEST(NavRecover, BrokenArchiveReturnsToItsFileWithTheCursorOnIt) {
    TempDir dir;
    for (int i = 0; i < 30; i++) ASSERT_TRUE(MakeFolder(dir.File(Numbered(i))));
    ASSERT_TRUE(WriteFileBytes(dir.File(L"zz.zip"), "PK"));
    PanelPtr p = OpenPanel(dir.File(L"d03"));
    p->settings.panelMode = PANEL_ARCHIVE;
    wcscpy(p->archivePath, dir.File(L"zz.zip").c_str());
    wcscpy(p->archiveDir, dir.path().c_str());
    p->backDepth = 2;
    EXPECT_EQ(1, NavRecover(p.get(), kRows));  // the warning is due
    EXPECT_EQ(PANEL_FILESYSTEM, p->settings.panelMode);
    EXPECT_EQ(dir.path(), p->currentPath);
    EXPECT_STREQ(L"zz.zip", p->view[p->cursor]->name);
    EXPECT_EQ(0, p->backDepth);
    EXPECT_GE(p->cursor, p->topRow);
    EXPECT_LT(p->cursor, p->topRow + kRows);

    // Outside an archive nothing is to be shown.
    EXPECT_EQ(0, NavRecover(p.get(), kRows));
}

}  // namespace

namespace {

TEST(NavGoUp, LevelsDeeperThanTheStackKeepTheOuterPairsInPlace) {
    TempDir dir;
    for (int i = 0; i < 30; i++) ASSERT_TRUE(MakeFolder(dir.File(Numbered(i))));
    std::wstring path = dir.File(L"d20");
    const int kLevels = PANEL_BACK_DEPTH + 2;
    for (int i = 0; i < kLevels - 1; i++) {
        path += L"\\b";
        ASSERT_TRUE(MakeFolder(path)) << i;
    }
    PanelPtr p = OpenPanel(dir.path());
    NavSetCursor(p.get(), 21);
    p->topRow = 12;  // centring would give 16
    NavEnterResult r;
    for (int i = 0; i < kLevels; i++) {
        if (i) NavSetCursor(p.get(), 1);
        ASSERT_EQ(0u, NavEnter(p.get(), kRows, NULL, &r));
    }
    EXPECT_EQ(path, p->currentPath);
    for (int i = 0; i < kLevels; i++) EXPECT_EQ(0, NavGoUp(p.get(), kRows));
    EXPECT_EQ(dir.path(), p->currentPath);
    EXPECT_EQ(21, p->cursor);
    EXPECT_EQ(12, p->topRow);
    EXPECT_EQ(0, p->backDepth);
}

}  // namespace
