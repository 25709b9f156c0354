// Tree walks: order of the records, counters of all levels, deep trees with long names,
// and folders that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fsk.h"
#include "scratch_dir.h"

namespace {

std::vector<std::wstring> Records(int mode) {
    std::vector<std::wstring> records;
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(0));
    for (;;) {
        std::wstring r = FYX_FSK_GetTreeRecord(mode);
        if (r.empty()) break;
        records.push_back(r);
        if (records.size() > 100000) break;
    }
    return records;
}

bool IsBelow(const std::wstring& child, const std::wstring& parent) {
    return child.size() > parent.size() && child.compare(0, parent.size(), parent) == 0 && child[parent.size()] == L'\\';
}

// top: a (a1, a2 (deep)), b, c (c1); files at several levels.
class FskTree : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.path().empty());
        top = scratch.Sub(L"top");
        for (const wchar_t* d : {L"", L"\\a", L"\\a\\a1", L"\\a\\a2", L"\\a\\a2\\deep", L"\\b", L"\\c", L"\\c\\c1"})
            ASSERT_TRUE(MakeDir(top + d));
        const struct {
            const wchar_t* name;
            size_t bytes;
        } files[] = {{L"\\f0", 10}, {L"\\a\\f1", 100}, {L"\\a\\a2\\deep\\f2", 1000}, {L"\\c\\c1\\f3", 5}, {L"\\c\\f4", 0}};
        for (const auto& f : files) ASSERT_TRUE(MakeFile(top + f.name, f.bytes));
    }
    void TearDown() override { FYX_FSK_DoDirTreeFree(); }

    std::set<std::wstring> ExpectedDirectories() const {
        std::set<std::wstring> s;
        for (const wchar_t* d : {L"", L"\\a", L"\\a\\a1", L"\\a\\a2", L"\\a\\a2\\deep", L"\\b", L"\\c", L"\\c\\c1"})
            s.insert(top + d);
        return s;
    }

    ScratchDir scratch;
    std::wstring top;
};

TEST_F(FskTree, ParentsFirstKeepsEachSubtreeTogether) {
    ASSERT_EQ(8u, FYX_FSK_DoDirTree(top.c_str()));
    std::vector<std::wstring> down = Records(1);
    ASSERT_EQ(8u, down.size());
    EXPECT_EQ(top, down.front());
    EXPECT_EQ(ExpectedDirectories(), std::set<std::wstring>(down.begin(), down.end()));
    for (size_t i = 0; i < down.size(); ++i) {
        // Everything below a record follows it without a gap.
        size_t j = i + 1;
        while (j < down.size() && IsBelow(down[j], down[i])) ++j;
        for (size_t k = j; k < down.size(); ++k) EXPECT_FALSE(IsBelow(down[k], down[i])) << down[k].size();
        for (size_t k = 0; k < i; ++k) EXPECT_FALSE(IsBelow(down[k], down[i]));
    }
}

TEST_F(FskTree, ChildrenFirstEndsWithTheTop) {
    FYX_FSK_DoDirTree((top + L"\\").c_str());  // a trailing separator names the same tree
    std::vector<std::wstring> up = Records(2);
    ASSERT_EQ(8u, up.size());
    EXPECT_EQ(top, up.back());
    for (size_t i = 0; i < up.size(); ++i)
        for (size_t k = i + 1; k < up.size(); ++k) EXPECT_FALSE(IsBelow(up[k], up[i]));
    // Removing in this order empties the tree: it is what the delete tool relies on.
    for (const std::wstring& d : up) {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((d + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((d + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(h, &found));
            FindClose(h);
        }
        EXPECT_TRUE(RemoveDirectoryW(d.c_str())) << GetLastError();
    }
}

TEST_F(FskTree, RewindEndAndRelease) {
    FYX_FSK_DoDirTree(top.c_str());
    EXPECT_EQ(top, std::wstring(FYX_FSK_GetTreeRecord(1)));
    FYX_FSK_GetTreeRecord(1);
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(0));
    EXPECT_EQ(top, std::wstring(FYX_FSK_GetTreeRecord(1)));
    for (int i = 0; i < 7; ++i) EXPECT_STRNE(L"", FYX_FSK_GetTreeRecord(1));
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(1));
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(1));
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(7));
    FYX_FSK_DoDirTreeFree();
    FYX_FSK_GetTreeRecord(0);
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(1));
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(2));
}

TEST_F(FskTree, CountersOfAllLevels) {
    EXPECT_EQ(1115ULL, FYX_FSK_GetDirectorySizeInBytes(top.c_str()));
    EXPECT_EQ(1100ULL, FYX_FSK_GetDirectorySizeInBytes((top + L"\\a").c_str()));
    EXPECT_EQ(0ULL, FYX_FSK_GetDirectorySizeInBytes((top + L"\\b").c_str()));
    EXPECT_EQ(5ULL, FYX_FSK_GetDirectoryFileNumberParams(top.c_str(), 1));
    EXPECT_EQ(0ULL, FYX_FSK_GetDirectoryFileNumberParams((top + L"\\b").c_str(), 1));
}

TEST_F(FskTree, CounterModesZeroAndTwoBuildTheTreeAndOneLeavesIt) {
    const struct {
        int mode;
        bool builds;
    } modes[] = {{0, true}, {1, false}, {2, true}, {7, false}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.mode);
        FYX_FSK_DoDirTree((top + L"\\c").c_str());  // a known tree of two records
        EXPECT_EQ(1115ULL, FYX_FSK_GetDirectorySizeInBytesParams(top.c_str(), m.mode));
        EXPECT_EQ(m.builds ? 8u : 2u, Records(1).size());
        FYX_FSK_DoDirTree((top + L"\\c").c_str());
        EXPECT_EQ(5ULL, FYX_FSK_GetDirectoryFileNumberParams(top.c_str(), m.mode));
        EXPECT_EQ(m.builds ? 8u : 2u, Records(2).size());
    }
}

TEST_F(FskTree, MissingTopIsUnreadable) {
    std::wstring missing = scratch.Sub(L"missing");
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetDirectorySizeInBytes(missing.c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetDirectorySizeInBytesParams(missing.c_str(), 2));
    EXPECT_EQ(0ULL, FYX_FSK_GetDirectoryFileNumberParams(missing.c_str(), 0));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetDirectorySizeInBytes((top + L"\\f0").c_str()));
    FYX_FSK_DoDirTree(top.c_str());
    EXPECT_EQ(0u, FYX_FSK_DoDirTree(missing.c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetTreeRecord(1));
}

TEST_F(FskTree, UnreadableFolderIsSkipped) {
    // A folder held open without sharing cannot be listed by anyone else.
    std::wstring locked = top + L"\\a";
    HANDLE hold = CreateFileW(locked.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hold);
    WIN32_FIND_DATAW found;
    HANDLE probe = FindFirstFileW((locked + L"\\*").c_str(), &found);
    if (probe != INVALID_HANDLE_VALUE) {
        FindClose(probe);
        CloseHandle(hold);
        GTEST_SKIP() << "this system lists folders held without sharing (wine does)";
    }
    EXPECT_EQ(15ULL, FYX_FSK_GetDirectorySizeInBytes(top.c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetDirectorySizeInBytes(locked.c_str()));
    EXPECT_EQ(5u, FYX_FSK_DoDirTree(top.c_str()));  // top, a (not entered), b, c, c1
    CloseHandle(hold);
}

TEST(FskDeepTree, SixtyLevelsAndLongNames) {
    ScratchDir scratch;
    ASSERT_FALSE(scratch.path().empty());
    std::wstring path = scratch.Sub(L"deep");
    ASSERT_TRUE(MakeDir(path));
    for (int level = 0; level < 60; ++level) {
        path += L"\\level_" + std::to_wstring(level) + L"_dir";
        ASSERT_TRUE(MakeDir(path)) << level;
        if (level % 10 == 0) {
            ASSERT_TRUE(MakeFile(path + L"\\data.bin", 100));
        }
    }
    std::wstring longName(200, L'n');
    ASSERT_TRUE(MakeDir(path + L"\\" + longName));
    ASSERT_TRUE(MakeFile(path + L"\\" + longName + L"\\" + std::wstring(180, L'f') + L".txt", 7));
    ASSERT_GT(path.size(), 3u * MAX_PATH);

    std::wstring top = scratch.Sub(L"deep");
    EXPECT_EQ(607ULL, FYX_FSK_GetDirectorySizeInBytesParams(top.c_str(), 2));
    EXPECT_EQ(7ULL, FYX_FSK_GetDirectoryFileNumberParams(top.c_str(), 2));
    std::vector<std::wstring> down = Records(1);
    ASSERT_EQ(62u, down.size());
    EXPECT_EQ(top, down.front());
    EXPECT_EQ(path + L"\\" + longName, down.back());
    std::vector<std::wstring> up = Records(2);
    ASSERT_EQ(62u, up.size());
    EXPECT_EQ(path + L"\\" + longName, up.front());
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory(up.front().c_str()));
    FYX_FSK_DoDirTreeFree();
}

TEST(FskDeepTree, DirectoryLinksAreNotEntered) {
    ScratchDir scratch;
    ASSERT_TRUE(MakeDir(scratch.Sub(L"top")));
    ASSERT_TRUE(MakeFile(scratch.Sub(L"top\\f"), 3));
    // A link back to its own parent would make the walk endless if it were followed.
    std::wstring link = scratch.Sub(L"top\\loop");
    typedef BOOLEAN(WINAPI * CreateLink)(LPCWSTR, LPCWSTR, DWORD);
    CreateLink create = (CreateLink)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateSymbolicLinkW");
    if (!create || !create(link.c_str(), scratch.Sub(L"top").c_str(), 1 /* a directory */))
        GTEST_SKIP() << "directory links cannot be made here";
    DWORD attributes = GetFileAttributesW(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "links are not reported as reparse points here";
    EXPECT_EQ(3ULL, FYX_FSK_GetDirectorySizeInBytes(scratch.Sub(L"top").c_str()));
    EXPECT_EQ(1u, FYX_FSK_DoDirTree(scratch.Sub(L"top").c_str()));
    FYX_FSK_DoDirTreeFree();
    RemoveDirectoryW(link.c_str());
}

}  // namespace
