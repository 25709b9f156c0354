// Reading real directories made by the test: growth, parent entries, the
// hidden filter, column texts, refresh with its kept state, recovery.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel.h"
#include "panel_format.h"
#include "testkit.h"

namespace {

using fyxtest::JoinPath;
using fyxtest::TempDir;

bool MakeFile(const std::wstring& path, uint64_t size = 0, DWORD attributes = 0) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    if (size) {
        LARGE_INTEGER at;
        at.QuadPart = (LONGLONG)size;
        ok = SetFilePointerEx(h, at, NULL, FILE_BEGIN) && SetEndOfFile(h);
    }
    CloseHandle(h);
    if (attributes) ok = ok && SetFileAttributesW(path.c_str(), attributes);
    return ok;
}

bool MakeDir(const std::wstring& path) { return CreateDirectoryW(path.c_str(), NULL) != 0; }

std::wstring Numbered(const wchar_t* prefix, int n, const wchar_t* suffix) {
    wchar_t name[64];
    swprintf(name, 64, L"%ls%05d%ls", prefix, n, suffix);
    return name;
}

std::vector<std::wstring> ViewNames(const Panel* p) {
    std::vector<std::wstring> names;
    for (int i = 0; i < p->total; i++) names.push_back(p->view[i]->name);
    return names;
}

int Position(const Panel* p, const wchar_t* name) {
    for (int i = 0; i < p->total; i++)
        if (wcscmp(p->view[i]->name, name) == 0) return i;
    return -1;
}

struct PanelDeleter {
    void operator()(Panel* p) const { PanelDestroy(p); }
};
using PanelPtr = std::unique_ptr<Panel, PanelDeleter>;

PanelPtr OpenPanel(const std::wstring& path, int sortMode = SORT_NAME) {
    PanelPtr p(PanelCreate(0, path.c_str()));
    p->settings.sortMode = sortMode;
    p->settings.showHidden = 0;
    EXPECT_EQ(0, PanelChangeDirectory(p.get(), path.c_str()));
    return p;
}

const wchar_t kBlankDate[] = L"                             ";  // 29 blanks

TEST(PanelRead, FileAreaGrowsOnceAndListsEverythingSorted) {
    TempDir dir;
    const int kFiles = 4500;
    for (int i = kFiles; i-- > 0;) ASSERT_TRUE(MakeFile(dir.File(Numbered(L"f", i, L".dat"))));
    PanelPtr p = OpenPanel(dir.path());
    EXPECT_EQ(8000, p->capacity);
    EXPECT_EQ(200, p->dirArea);
    EXPECT_EQ(1, p->readPasses);
    ASSERT_EQ(kFiles + 1, p->total);
    EXPECT_EQ(kFiles, p->fileCount);
    EXPECT_STREQ(L"..", p->view[0]->name);
    for (int i = 0; i < kFiles; i++) ASSERT_EQ(Numbered(L"f", i, L".dat"), p->view[i + 1]->name);
    // Every view entry is a distinct pool record of the right area.
    std::vector<PanelEntry*> seen(p->view.begin(), p->view.begin() + p->total);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen.end(), std::adjacent_find(seen.begin(), seen.end()));
}

TEST(PanelRead, DirectoryAreaGrowsTo700WithFilesListedBefore) {
    TempDir dir;
    // Files first on disk too, so some are listed before the area grows.
    for (int i = 0; i < 30; i++) ASSERT_TRUE(MakeFile(dir.File(Numbered(L"a", i, L".txt")), i));
    for (int i = 0; i < 250; i++) ASSERT_TRUE(MakeDir(dir.File(Numbered(L"d", i, L""))));
    PanelPtr p = OpenPanel(dir.path());
    EXPECT_EQ(700, p->dirArea);
    EXPECT_EQ(4000, p->capacity);
    ASSERT_EQ(251, p->dirCount);
    ASSERT_EQ(30, p->fileCount);
    for (int i = 0; i < 250; i++) {
        EXPECT_EQ(Numbered(L"d", i, L""), p->view[i + 1]->name);
        EXPECT_EQ((DWORD)EF_DIRECTORY, p->view[i + 1]->flags);
    }
    uint64_t bytes = 0;
    for (int i = 0; i < 30; i++) {
        const PanelEntry* e = p->view[251 + i];
        EXPECT_EQ(Numbered(L"a", i, L".txt"), e->name);
        EXPECT_EQ((uint64_t)i, e->size);
        bytes += e->size;
    }
    EXPECT_EQ(bytes, p->listedBytes);
}

// An archive-like reader that runs full until the pool holds what it saw.
int FakeReaderCalls;
int FakeReader(Panel* p) {
    FakeReaderCalls++;
    const int dirs = 751, files = 10000;  // the parent entry counted with the directories
    if (p->dirArea < dirs + 2) {
        p->neededDirs = dirs;
        p->neededFiles = files;
        return READ_DIR_AREA_FULL;
    }
    if (p->dirArea + files + 3 > p->capacity) {
        p->neededDirs = dirs;
        p->neededFiles = files;
        return READ_FILE_AREA_FULL;
    }
    PanelFillBlankParent(p, p->pool[0]);
    for (int i = 1; i < dirs; i++) {
        *p->pool[i] = *p->pool[0];
        p->pool[i]->flags = EF_DIRECTORY;
        p->pool[i]->name = L"d";
    }
    for (int i = 0; i < files; i++) {
        *p->pool[p->dirArea + 1 + i] = *p->pool[1];
        p->pool[p->dirArea + 1 + i]->flags = 0;
    }
    p->dirCount = dirs;
    p->fileCount = files;
    p->total = dirs + files;
    return READ_DONE;
}

TEST(PanelRead, OtherReadersGrowToWhatTheySawBeforeOneReread) {
    PanelPtr p(PanelCreate(0, L"C:\\"));
    p->settings.panelMode = PANEL_ARCHIVE;
    p->archiveReader = FakeReader;
    FakeReaderCalls = 0;
    ASSERT_EQ(0, PanelReadAndPrepare(p.get()));
    EXPECT_EQ(2, FakeReaderCalls);
    EXPECT_EQ(2, p->readPasses);
    EXPECT_EQ(1200, p->dirArea);
    EXPECT_EQ(12000, p->capacity);
    EXPECT_EQ(10751, p->total);
    EXPECT_STREQ(L"..", p->view[0]->name);

    p->archiveReader = NULL;
    EXPECT_EQ(1, PanelReadAndPrepare(p.get()));
}

TEST(PanelRead, EmptyDirectoryListsBlankParentAlone) {
    TempDir dir;
    ASSERT_TRUE(MakeDir(dir.File(L"empty")));
    PanelPtr p = OpenPanel(dir.File(L"empty"));
    ASSERT_EQ(1, p->total);
    const PanelEntry* parent = p->view[0];
    EXPECT_STREQ(L"..", parent->name);
    EXPECT_EQ((DWORD)(EF_DIRECTORY | EF_PARENT), parent->flags);
    EXPECT_EQ(0u, parent->size);
    EXPECT_EQ(0, parent->iconPending);
    EXPECT_STREQ(kBlankDate, parent->dateText);
    EXPECT_EQ(0, p->atRoot);
    EXPECT_EQ(1, p->dirCount);
    EXPECT_EQ(0, p->fileCount);
}

TEST(PanelRead, DriveRootListsParentOnlyWhenAsked) {
    PanelPtr p(PanelCreate(0, L"C:\\"));
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), L"C:\\"));
    EXPECT_EQ(1, p->atRoot);
    ASSERT_GT(p->total, 0);
    EXPECT_EQ(-1, Position(p.get(), L".."));
    EXPECT_EQ(-1, Position(p.get(), L"."));
    int without = p->total;

    p->options.showParentAtRoot = 1;
    PanelRefresh(p.get());
    ASSERT_EQ(without + 1, p->total);
    const PanelEntry* parent = p->view[0];
    EXPECT_STREQ(L"..", parent->name);
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, parent->attributes);
    EXPECT_EQ((DWORD)(EF_DIRECTORY | EF_PARENT), parent->flags);
    EXPECT_STREQ(kBlankDate, parent->dateText);
    p->settings.sortMode = SORT_NAME | SORT_REVERSE | SORT_DIRS;
    PanelResort(p.get());
    EXPECT_STREQ(L"..", p->view[0]->name);
}

TEST(PanelRead, HiddenAndSystemEntriesFollowTheFilter) {
    TempDir dir;
    std::wstring sub = dir.File(L"hidden");
    ASSERT_TRUE(MakeDir(sub));
    ASSERT_TRUE(MakeFile(JoinPath(sub, L"h.txt"), 100, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeFile(JoinPath(sub, L"s.sys"), 200, FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeDir(JoinPath(sub, L"hd")));
    ASSERT_TRUE(SetFileAttributesW(JoinPath(sub, L"hd").c_str(), FILE_ATTRIBUTE_HIDDEN));
    PanelPtr p = OpenPanel(sub);
    ASSERT_EQ(1, p->total);
    EXPECT_STREQ(L"..", p->view[0]->name);
    EXPECT_EQ(0, p->fileCount);
    EXPECT_EQ(0u, p->listedBytes);

    p->settings.showHidden = 1;
    PanelRefresh(p.get());
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"hd", L"h.txt", L"s.sys"}), ViewNames(p.get()));
    EXPECT_EQ(300u, p->listedBytes);
    const PanelEntry* h = p->view[2];
    EXPECT_STREQ(L"HA    ", h->dateText + 22) << h->dateText;
}

TEST(PanelRead, ColumnTextsComeFromTheEntry) {
    TempDir dir;
    std::wstring file = dir.File(L"Report.TXT");
    ASSERT_TRUE(MakeFile(file, 1536));
    SYSTEMTIME st = {2021, 3, 0, 4, 5, 6, 7, 0};
    FILETIME local, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    HANDLE h = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    ASSERT_TRUE(SetFileTime(h, NULL, NULL, &utc));
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    PanelPtr p(PanelCreate(0, dir.path().c_str()));
    p->settings.sizeFormat = 0;
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), dir.path().c_str()));
    ASSERT_EQ(2, p->total);
    const PanelEntry* e = p->view[1];
    // The date as FileTimeToLocalFileTime gives it today.
    FILETIME shown;
    SYSTEMTIME sst;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &shown));
    ASSERT_TRUE(FileTimeToSystemTime(&shown, &sst));
    wchar_t expected[40];
    swprintf(expected, 40, L"%02d.%02d.%d  %02d:%02d:%02d  RA    ", sst.wDay, sst.wMonth, sst.wYear,
             sst.wHour, sst.wMinute, sst.wSecond);
    EXPECT_STREQ(expected, e->dateText);
    wchar_t size[PANEL_SIZE_TEXT_CHARS];
    PanelFormatSizeText(1536, 0, size);
    EXPECT_STREQ(size, e->sizeText);
    // Type names and DOS names are asked for only while something shows them.
    EXPECT_STREQ(L"", e->typeText);
    EXPECT_STREQ(L"", e->dosName);
    EXPECT_EQ(0, p->columns.typeMax);

    p->settings.showType = 1;
    p->settings.showDosName = 1;
    p->settings.sizeFormat = 1;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    PanelRefresh(p.get());
    e = p->view[1];
    EXPECT_STREQ(L"A     ", e->dateText + 22);  // the new listing's letters
    EXPECT_STRNE(L"", e->typeText);
    EXPECT_GT(p->columns.typeMax, 0);
    PanelFormatSizeText(1536, 1, size);
    EXPECT_STREQ(size, e->sizeText);
    EXPECT_GT(p->columns.nameMax, 0);
    EXPECT_GT(p->columns.sizeMax, 0);
}

TEST(PanelRead, ExtensionColumnMeasuresNameAndExtensionApart) {
    TempDir dir;
    ASSERT_TRUE(MakeFile(dir.File(L".profile")));
    PanelPtr p(PanelCreate(0, dir.path().c_str()));
    p->settings.showExt = 1;
    p->settings.showHidden = 1;  // wine shows dot files as hidden
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), dir.path().c_str()));
    EXPECT_EQ(0, p->columns.extMax);  // .profile stays whole
    int whole = p->columns.nameMax;
    EXPECT_GT(whole, 0);

    ASSERT_TRUE(MakeFile(dir.File(L"a.tar.gz")));
    PanelRefresh(p.get());
    EXPECT_GT(p->columns.extMax, 0);
    EXPECT_EQ(PanelExtensionDot(L"a.tar.gz", 8), 5);
}

TEST(PanelRefreshTest, CursorKeepsItsIndexWhenItsFileIsDeleted) {
    TempDir dir;
    for (const wchar_t* n : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) ASSERT_TRUE(MakeFile(dir.File(n)));
    PanelPtr p = OpenPanel(dir.path());
    p->cursor = Position(p.get(), L"b.txt");
    ASSERT_EQ(2, p->cursor);
    ASSERT_TRUE(DeleteFileW(dir.File(L"b.txt").c_str()));
    PanelRefresh(p.get());
    EXPECT_EQ(2, p->cursor);
    EXPECT_STREQ(L"c.txt", p->view[p->cursor]->name);

    p->cursor = Position(p.get(), L"d.txt");
    ASSERT_TRUE(DeleteFileW(dir.File(L"d.txt").c_str()));
    PanelRefresh(p.get());
    EXPECT_EQ(p->total - 1, p->cursor);
    EXPECT_STREQ(L"c.txt", p->view[p->cursor]->name);

    // The cursor follows its name when entries before it appear.
    ASSERT_TRUE(MakeFile(dir.File(L"0.txt")));
    PanelRefresh(p.get());
    EXPECT_STREQ(L"c.txt", p->view[p->cursor]->name);

    // A requested name wins (rename, make directory).
    p->cursorNameRequest = 1;
    wcscpy(p->requestedCursorName, L"a.txt");
    PanelRefresh(p.get());
    EXPECT_STREQ(L"a.txt", p->view[p->cursor]->name);
}

TEST(PanelRefreshTest, IconOptionOfTheDriveAppliesOnArrivalNotOnEachRefresh) {
    TempDir dir;
    ASSERT_TRUE(fyxtest::MakeFolder(dir.File(L"sub")));
    PanelPtr p = OpenPanel(dir.path());
    wchar_t root[4] = {dir.path()[0], L':', L'\\', 0};
    if (GetDriveTypeW(root) != DRIVE_FIXED) GTEST_SKIP() << "the temporary folder is not on a fixed drive";
    p->options.fixedIcons = 1;
    p->iconRuleRoot[0] = 0;  // as if the panel came from another drive
    PanelRefresh(p.get());
    EXPECT_TRUE(p->settings.windowMode & WM_LOAD_ICONS) << "the drive's option is taken";

    p->settings.windowMode &= ~WM_LOAD_ICONS;  // Shift+2
    PanelRefresh(p.get());
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), dir.File(L"sub").c_str()));
    EXPECT_FALSE(p->settings.windowMode & WM_LOAD_ICONS) << "the user's choice stays on the same drive";
}

void Select(Panel* p, const wchar_t* name) {
    PanelEntry* e = p->view[Position(p, name)];
    e->flags |= EF_SELECTED;
    if (e->flags & EF_DIRECTORY) p->selectedDirs++;
    else p->selectedFiles++;
    p->selectedBytes += e->size;
}

TEST(PanelRefreshTest, SelectionAndComputedSizesSurvive) {
    TempDir dir;
    ASSERT_TRUE(MakeFile(dir.File(L"one.bin"), 100));
    ASSERT_TRUE(MakeFile(dir.File(L"two.bin"), 200));
    ASSERT_TRUE(MakeFile(dir.File(L"three.bin"), 400));
    ASSERT_TRUE(MakeFile(dir.File(L"other.bin"), 800));
    ASSERT_TRUE(MakeDir(dir.File(L"sized")));
    ASSERT_TRUE(MakeDir(dir.File(L"plain")));
    PanelPtr p = OpenPanel(dir.path());
    Select(p.get(), L"one.bin");
    Select(p.get(), L"two.bin");
    Select(p.get(), L"three.bin");
    PanelEntry* sized = p->view[Position(p.get(), L"sized")];
    sized->flags |= EF_SIZE_KNOWN | EF_SELECTED;
    sized->size = 5000;
    p->selectedDirs++;
    p->selectedBytes += 5000;

    PanelRefresh(p.get());
    EXPECT_EQ(3u, p->selectedFiles);
    EXPECT_EQ(1u, p->selectedDirs);
    EXPECT_EQ(5700u, p->selectedBytes);
    sized = p->view[Position(p.get(), L"sized")];
    EXPECT_EQ((DWORD)(EF_DIRECTORY | EF_SELECTED | EF_SIZE_KNOWN), sized->flags);
    EXPECT_EQ(5000u, sized->size);
    wchar_t text[PANEL_SIZE_TEXT_CHARS];
    PanelFormatSizeText(5000, p->settings.sizeFormat, text);
    EXPECT_STREQ(text, sized->sizeText);
    EXPECT_EQ(0u, p->view[Position(p.get(), L"other.bin")]->flags & EF_SELECTED);
    EXPECT_EQ((DWORD)EF_DIRECTORY, p->view[Position(p.get(), L"plain")]->flags);

    // A deleted selected file drops out; a changed one counts its new size.
    ASSERT_TRUE(DeleteFileW(dir.File(L"two.bin").c_str()));
    ASSERT_TRUE(MakeFile(dir.File(L"three.bin"), 1000));
    PanelRefresh(p.get());
    EXPECT_EQ(2u, p->selectedFiles);
    EXPECT_EQ(6100u, p->selectedBytes);
    const PanelEntry* three = p->view[Position(p.get(), L"three.bin")];
    PanelFormatSizeText(1000, p->settings.sizeFormat, text);
    EXPECT_STREQ(text, three->sizeText);

    // A file that took a sized directory's name is not made a sized directory.
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"sized").c_str()));
    ASSERT_TRUE(MakeFile(dir.File(L"sized"), 7));
    PanelRefresh(p.get());
    const PanelEntry* now = p->view[Position(p.get(), L"sized")];
    EXPECT_EQ((DWORD)EF_SELECTED, now->flags);
    EXPECT_EQ(7u, now->size);
    EXPECT_EQ(3u, p->selectedFiles);
    EXPECT_EQ(0u, p->selectedDirs);
    EXPECT_EQ(1107u, p->selectedBytes);
}

TEST(PanelRefreshTest, ComputedDirectorySizesOrderOnlyTheSameDirectory) {
    TempDir dir;
    for (const wchar_t* n : {L"a", L"b", L"c"}) ASSERT_TRUE(MakeDir(dir.File(n)));
    PanelPtr p = OpenPanel(dir.path(), SORT_SIZE | SORT_DIRS);
    PanelEntry* a = p->view[Position(p.get(), L"a")];
    a->flags |= EF_SIZE_KNOWN;
    a->size = 900;
    PanelEntry* b = p->view[Position(p.get(), L"b")];
    b->flags |= EF_SIZE_KNOWN;
    b->size = 50;
    PanelRefresh(p.get());
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"c", L"b", L"a"}), ViewNames(p.get()));

    // In another directory the remembered sizes are no keys.
    std::wstring other = dir.File(L"c");
    for (const wchar_t* n : {L"a", L"b"}) ASSERT_TRUE(MakeDir(JoinPath(other, n)));
    PanelRememberState(p.get());
    ASSERT_EQ(0, PanelChangeDirectory(p.get(), other.c_str()));
    const PanelEntry* elsewhere = p->view[Position(p.get(), L"a")];
    EXPECT_EQ(0u, elsewhere->size);
    EXPECT_EQ((DWORD)EF_DIRECTORY, elsewhere->flags);
}

TEST(PanelRefreshTest, VanishedDirectoryRecoversToNearestAncestor) {
    TempDir dir;
    std::wstring deep = JoinPath(JoinPath(dir.File(L"keep"), L"gone"), L"deeper");
    ASSERT_TRUE(MakeDir(dir.File(L"keep")));
    ASSERT_TRUE(MakeDir(dir.File(L"keep\\gone")));
    ASSERT_TRUE(MakeDir(deep));
    PanelPtr p = OpenPanel(deep);
    ASSERT_TRUE(RemoveDirectoryW(deep.c_str()));
    ASSERT_TRUE(RemoveDirectoryW(dir.File(L"keep\\gone").c_str()));
    PanelRefresh(p.get());
    EXPECT_EQ(dir.File(L"keep"), p->currentPath);
    EXPECT_EQ(1, p->total);
    EXPECT_EQ(0, p->keepCursor);
}

TEST(PanelRefreshTest, FailedChangeKeepsPathAndListing) {
    TempDir dir;
    ASSERT_TRUE(MakeFile(dir.File(L"x.txt")));
    PanelPtr p = OpenPanel(dir.path());
    EXPECT_NE(0, PanelChangeDirectory(p.get(), dir.File(L"missing").c_str()));
    EXPECT_NE(0, PanelChangeDirectory(p.get(), dir.File(L"x.txt").c_str()));
    EXPECT_EQ(dir.path(), p->currentPath);
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"x.txt"}), ViewNames(p.get()));
}

TEST(PanelSnapshotTest, SummaryAndSnapshots) {
    TempDir dir;
    ASSERT_TRUE(MakeFile(dir.File(L"f.txt"), 42));
    ASSERT_TRUE(MakeDir(dir.File(L"sub")));
    PanelPtr left = OpenPanel(dir.path());
    PanelPtr right = OpenPanel(dir.File(L"sub"));
    left->cursor = 2;
    Select(left.get(), L"f.txt");

    EntrySnapshot snap;
    memset(&snap, 0xA5, sizeof(snap));
    EntrySnapshot untouched = snap;
    EXPECT_EQ(1, PanelGetSnapshot(left.get(), left->total, &snap));
    EXPECT_EQ(1, PanelGetSnapshot(left.get(), -1, &snap));
    EXPECT_EQ(0, memcmp(&snap, &untouched, sizeof(snap)));
    EXPECT_EQ(0, PanelGetSnapshot(left.get(), 2, &snap));
    EXPECT_STREQ(L"f.txt", snap.name);
    EXPECT_EQ(42u, snap.size);
    EXPECT_EQ((DWORD)EF_SELECTED, snap.flags);

    PanelSummary sum;
    PanelGetSummary(left.get(), &sum);
    EXPECT_EQ(3u, sum.totalEntries);
    EXPECT_EQ(2u, sum.dirEntries);
    EXPECT_EQ(1u, sum.fileEntries);
    EXPECT_EQ(1u, sum.selectedFiles);
    EXPECT_EQ(42u, sum.selectedBytes);
    EXPECT_EQ(42u, sum.listedBytes);
    EXPECT_EQ(dir.path(), sum.currentPath);
    EXPECT_GT(sum.totalBytes, 0u);  // taken at the first read
    EXPECT_EQ(sum.totalBytes - sum.freeBytes, sum.usedBytes);
    EXPECT_NE(0u, sum.volumeSerial);  // C: of wine has one

    left->focus = 2;
    right->focus = 1;
    right->settings.sortMode = SORT_TIME;
    Panel* both[2] = {left.get(), right.get()};
    ActivePanelSnapshot a;
    ASSERT_EQ(0, PanelTakeActiveSnapshot(both, &a));
    EXPECT_EQ(1, a.sourceIndex);
    EXPECT_EQ(0, a.sourceCursor);
    EXPECT_STREQ(L"..", a.sourceEntry.name);
    EXPECT_STREQ(L"f.txt", a.targetEntry.name);
    EXPECT_EQ(SORT_TIME, a.sourceSettings.sortMode);
    EXPECT_EQ(SORT_NAME, a.targetSettings.sortMode);
    EXPECT_EQ(dir.path(), a.target.currentPath);
    right->focus = 2;
    EXPECT_EQ(1, PanelTakeActiveSnapshot(both, &a));
}

TEST(PanelSnapshotTest, VisitedListKeepsTwentyFoldedPaths) {
    PanelPtr p(PanelCreate(0, L"C:\\"));
    EXPECT_EQ(0, PanelAddVisited(p.get(), L"C:\\Temp"));
    EXPECT_EQ(1, PanelAddVisited(p.get(), L"c:\\temp"));
    for (int i = 0; i < 25; i++) PanelAddVisited(p.get(), Numbered(L"C:\\d", i, L"").c_str());
    EXPECT_EQ(20, p->visitedCount);
    EXPECT_EQ(Numbered(L"C:\\d", 5, L""), p->visited[0]);
    EXPECT_EQ(Numbered(L"C:\\d", 24, L""), p->visited[19]);
}

}  // namespace
