// The comparators, the full sort and the re-sort over listings built in memory.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "panel.h"

namespace {

const uint64_t GiB = 1024ull * 1024 * 1024;

FILETIME Time(int day) {
    ULARGE_INTEGER t;
    t.QuadPart = 132000000000000000ull + (uint64_t)day * 864000000000ull;
    FILETIME ft = {t.LowPart, t.HighPart};
    return ft;
}

struct Item {
    const wchar_t* name;
    bool directory;
    uint64_t size;
    int day;
};

// Puts entries into the pool slots the directory reader would use.
class Listing {
public:
    explicit Listing(int sortMode) : panel_(PanelCreate(0, L"C:\\")) {
        panel_->settings.sortMode = sortMode;
        panel_->nextFileSlot = panel_->dirArea + 1;
    }
    ~Listing() { PanelDestroy(panel_); }

    void Parent() {
        PanelFillBlankParent(panel_, panel_->pool[0]);
        panel_->dirCount = 1;
    }
    void Add(const Item& item) {
        names_.push_back(item.name);
        PanelEntry* e = item.directory ? panel_->pool[panel_->dirCount++]
                                       : panel_->pool[panel_->nextFileSlot++];
        if (!item.directory) panel_->fileCount++;
        *e = PanelEntry{};
        e->name = names_.back().c_str();
        e->flags = item.directory ? EF_DIRECTORY : 0;
        e->attributes = item.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        e->size = item.size;
        e->lastWriteTime = Time(item.day);
        int mode = panel_->settings.sortMode;
        if (item.directory && !(mode & SORT_DIRS)) e->sortText = e->name;
        else PanelSetSortKeyText(panel_, e, mode);
    }
    void Sort() {
        panel_->total = panel_->dirCount + panel_->fileCount;
        PanelSort(panel_);
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < panel_->total; i++) out.push_back(panel_->view[i]->name);
        return out;
    }
    Panel* panel() { return panel_; }

private:
    Panel* panel_;
    std::deque<std::wstring> names_;
};

TEST(PanelCompare, NamesFoldOnlyAsciiLetters) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int sign;
    } cases[] = {
        {L"A.txt", L"a.TXT", 0},   {L"a.txt", L"b.txt", -1}, {L"B", L"a", 1},
        {L"ab", L"abc", -1},       {L"abc", L"ab", 1},       {L"", L"a", -1},
        {L"\x017D" L"a", L"z", 1}, {L"\x017D", L"\x017E", -1},  // Ž and ž stay apart
        {L"\x00C4", L"\x00E4", -1}, {L"_a", L"a", -1},        // '_' (0x5F) before 'a' once folded
        {L"[", L"a", -1},          {L"{", L"Z", 1},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
        int r = PanelCompareNames(cases[i].a, cases[i].b);
        EXPECT_EQ(cases[i].sign, r < 0 ? -1 : r > 0 ? 1 : 0) << "case " << i;
    }
}

TEST(PanelSort, NameSortGroupsCaseVariantsAndKeepsNonAsciiLast) {
    Listing l(SORT_NAME);
    l.Parent();
    for (const Item& i : {Item{L"b.txt", false, 1, 0}, Item{L"\x017D" L"aba.txt", false, 1, 0},
                          Item{L"A.txt", false, 1, 0}, Item{L"C", false, 1, 0},
                          Item{L"a.TXT", false, 1, 0}, Item{L"zz", false, 1, 0}})
        l.Add(i);
    l.Sort();
    std::vector<std::wstring> names = l.Names();
    ASSERT_EQ(7u, names.size());
    EXPECT_EQ(L"..", names[0]);
    std::vector<std::wstring> firstTwo = {names[1], names[2]};
    std::sort(firstTwo.begin(), firstTwo.end());
    EXPECT_EQ((std::vector<std::wstring>{L"A.txt", L"a.TXT"}), firstTwo);
    EXPECT_EQ(L"b.txt", names[3]);
    EXPECT_EQ(L"C", names[4]);
    EXPECT_EQ(L"zz", names[5]);
    EXPECT_EQ(L"\x017D" L"aba.txt", names[6]);
}

const Item kMixed[] = {
    {L"beta", true, 0, 5},     {L"Alpha", true, 0, 9},        {L"gamma", true, 0, 1},
    {L"small.c", false, 10, 3}, {L"big.iso", false, 5 * GiB, 2}, {L"mid.zip", false, 3 * GiB, 8},
    {L"notes.txt", false, 300, 7},
};

struct ModeCase {
    const char* what;
    int mode;
    std::vector<std::wstring> expected;
};

TEST(PanelSort, ModesOrderDirectoriesAndFiles) {
    const ModeCase cases[] = {
        {"name", SORT_NAME,
         {L"..", L"Alpha", L"beta", L"gamma", L"big.iso", L"mid.zip", L"notes.txt", L"small.c"}},
        {"reverse name keeps directories ascending", SORT_NAME | SORT_REVERSE,
         {L"..", L"Alpha", L"beta", L"gamma", L"small.c", L"notes.txt", L"mid.zip", L"big.iso"}},
        {"reverse name with directories", SORT_NAME | SORT_REVERSE | SORT_DIRS,
         {L"..", L"gamma", L"beta", L"Alpha", L"small.c", L"notes.txt", L"mid.zip", L"big.iso"}},
        {"size: 5 GiB after 3 GiB", SORT_SIZE,
         {L"..", L"Alpha", L"beta", L"gamma", L"small.c", L"notes.txt", L"mid.zip", L"big.iso"}},
        {"reverse size", SORT_SIZE | SORT_REVERSE,
         {L"..", L"Alpha", L"beta", L"gamma", L"big.iso", L"mid.zip", L"notes.txt", L"small.c"}},
        {"time with directories", SORT_TIME | SORT_DIRS,
         {L"..", L"gamma", L"beta", L"Alpha", L"big.iso", L"small.c", L"notes.txt", L"mid.zip"}},
        {"time without directories", SORT_TIME,
         {L"..", L"Alpha", L"beta", L"gamma", L"big.iso", L"small.c", L"notes.txt", L"mid.zip"}},
        {"extension", SORT_EXT,
         {L"..", L"Alpha", L"beta", L"gamma", L"small.c", L"big.iso", L"notes.txt", L"mid.zip"}},
    };
    for (const ModeCase& c : cases) {
        Listing l(c.mode);
        l.Parent();
        for (const Item& i : kMixed) l.Add(i);
        l.Sort();
        EXPECT_EQ(c.expected, l.Names()) << c.what;
    }
}

TEST(PanelSort, EmptyListingAndRootWithoutParent) {
    Listing empty(SORT_NAME);
    empty.Sort();
    EXPECT_EQ(0, empty.panel()->total);

    Listing root(SORT_NAME | SORT_REVERSE | SORT_DIRS);
    root.Add({L"a", true, 0, 0});
    root.Add({L"c", true, 0, 0});
    root.Add({L"b", true, 0, 0});
    root.Sort();
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"b", L"a"}), root.Names());
}

TEST(PanelResort, CursorFollowsItsEntryAcrossModes) {
    Listing l(SORT_NAME);
    l.Parent();
    for (const Item& i : kMixed) l.Add(i);
    l.Sort();
    Panel* p = l.panel();
    p->cursor = 4;  // big.iso
    ASSERT_STREQ(L"big.iso", p->view[p->cursor]->name);

    struct Step {
        int mode;
        int cursor;
        const wchar_t* first;
    } steps[] = {
        {SORT_SIZE, 7, L"small.c"},
        {SORT_SIZE | SORT_REVERSE, 4, L"big.iso"},
        {SORT_EXT, 5, L"small.c"},
        {SORT_TIME | SORT_DIRS, 4, L"big.iso"},
        {SORT_NAME | SORT_REVERSE, 7, L"small.c"},
    };
    for (const Step& s : steps) {
        p->settings.sortMode = s.mode;
        PanelResort(p);
        EXPECT_STREQ(L"big.iso", p->view[p->cursor]->name) << s.mode;
        EXPECT_EQ(s.cursor, p->cursor) << s.mode;
        EXPECT_STREQ(L"..", p->view[0]->name) << s.mode;
        EXPECT_STREQ(s.first, p->view[p->dirCount]->name) << s.mode;
        for (int i = 0; i < p->total; i++) EXPECT_EQ(0u, p->view[i]->flags & EF_CURSOR_MARK);
    }
    // Back without SORT_DIRS: the directories return to name order.
    p->settings.sortMode = SORT_TIME;
    PanelResort(p);
    EXPECT_STREQ(L"Alpha", p->view[1]->name);
    EXPECT_STREQ(L"gamma", p->view[3]->name);
}

TEST(PanelResort, MenuAndTitleChangesOfTheMode) {
    struct Case {
        int mode;
        int key;
        int menu;
        int title;
    } cases[] = {
        {SORT_NAME, SORT_NAME, SORT_NAME, SORT_NAME | SORT_REVERSE},
        {SORT_NAME | SORT_REVERSE | SORT_DIRS, SORT_SIZE, SORT_SIZE | SORT_REVERSE | SORT_DIRS,
         SORT_SIZE | SORT_REVERSE | SORT_DIRS},
        {SORT_TIME | SORT_REVERSE, SORT_TIME, SORT_TIME | SORT_REVERSE, SORT_TIME},
        {SORT_EXT, SORT_NAME, SORT_NAME, SORT_NAME},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.menu, PanelSortModeForKey(c.mode, c.key)) << c.mode << " " << c.key;
        EXPECT_EQ(c.title, PanelSortModeForTitle(c.mode, c.key)) << c.mode << " " << c.key;
    }

    // Two clicks on the Size title: ascending, then descending sizes.
    Listing l(SORT_NAME);
    l.Parent();
    for (const Item& i : kMixed) l.Add(i);
    l.Sort();
    Panel* p = l.panel();
    EXPECT_EQ(1, PanelApplySortMode(p, PanelSortModeForTitle(p->settings.sortMode, SORT_SIZE)));
    EXPECT_STREQ(L"small.c", p->view[p->dirCount]->name);
    EXPECT_STREQ(L"big.iso", p->view[p->total - 1]->name);
    EXPECT_EQ(1, PanelApplySortMode(p, PanelSortModeForTitle(p->settings.sortMode, SORT_SIZE)));
    EXPECT_STREQ(L"big.iso", p->view[p->dirCount]->name);
    EXPECT_STREQ(L"small.c", p->view[p->total - 1]->name);
    EXPECT_EQ(0, PanelApplySortMode(p, PanelSortModeForKey(p->settings.sortMode, SORT_SIZE)));
}

TEST(PanelResort, ShellModeSortsByNameAndKeepsFolderOrder) {
    Listing l(SORT_SIZE | SORT_DIRS);
    for (const Item& i : kMixed) l.Add(i);
    l.panel()->settings.panelMode = PANEL_SHELL;
    l.Sort();
    EXPECT_EQ((std::vector<std::wstring>{L"Alpha", L"beta", L"gamma", L"big.iso", L"mid.zip",
                                         L"notes.txt", L"small.c"}),
              l.Names());
    EXPECT_EQ(SORT_SIZE | SORT_DIRS, l.panel()->settings.sortMode);
}

}  // namespace
