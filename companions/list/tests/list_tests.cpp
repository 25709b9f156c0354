// list.dll under wine: the shared ZIP archives list as their manifests say,
// folder by folder, with implied folders, sizes and date texts; RAR archives
// are recognised; programs and other files are not archives.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "list.h"
#include "list_folders.h"
#include "test_files.h"
#include "win32_files.h"
#include "zip_cases.h"
#include "zip_names.h"

namespace {

struct Listed {
    uint64_t size;
    bool folder;
    std::wstring date;
};

// Every entry under `folder`, walked folder by folder as a panel does.
bool Walk(const std::wstring& folder, std::map<std::wstring, Listed>* out) {
    FyxListRecord r;
    int result = FYXLST_ReadList(&r, 0, folder.c_str());
    if (result == FYXLST_EMPTY) return true;
    std::vector<std::pair<std::wstring, Listed>> here;
    while (result == FYXLST_DELIVERED) {
        here.push_back(std::make_pair(std::wstring(r.name), Listed{r.size, (r.flags & FYXLST_FOLDER) != 0, r.date}));
        result = FYXLST_ReadList(&r, 1, folder.c_str());
    }
    if (result != FYXLST_END) return false;
    for (const auto& item : here) {
        std::wstring path = folder.empty() ? item.first : folder + L"\\" + item.first;
        if (out->count(path)) ADD_FAILURE() << "listed twice in one folder";
        (*out)[path] = item.second;
        if (item.second.folder && !Walk(path, out)) return false;
    }
    return true;
}

std::wstring WindowsName(const char* utf8) {
    std::string safe;
    fyxzip::MakeSafeRelativePath(utf8, &safe);
    std::wstring w = fyxzipwin::Utf8ToWide(safe);
    std::replace(w.begin(), w.end(), L'/', L'\\');
    return w;
}

}  // namespace

TEST(List, SharedZipArchivesListAsTheirManifestSays) {
    for (const fyxziptest::ArchiveCase& c : fyxziptest::ArchiveCases()) {
        SCOPED_TRACE(c.file);
        std::wstring path = ziptest::TestArchive(c.file);
        EXPECT_NE(0, FYXLST_IsSupportedArchive(path.c_str()) & 0xFF);
        EXPECT_EQ(FYXLST_TYPE_ZIP, FYXLST_GetArchiveType(path.c_str()));
        int browsed = FYXLST_BrowseArchive(path.c_str());
        if (c.opened != fyxzip::kOk) {
            EXPECT_NE(0, browsed);
            continue;
        }
        ASSERT_EQ(0, browsed);
        std::map<std::wstring, Listed> all;
        ASSERT_TRUE(Walk(L"", &all));
        uint64_t total = 0;
        for (const fyxziptest::ExpectedEntry& x : c.entries) {
            SCOPED_TRACE(x.name);
            if (x.unpacked == fyxzip::kUnsafeName) {
                EXPECT_EQ(0u, all.count(L"xt")) << "refused names are not listed";
                continue;
            }
            std::wstring name = WindowsName(x.name);
            ASSERT_EQ(1u, all.count(name));
            bool folder = x.name[strlen(x.name) - 1] == '/';
            EXPECT_EQ(folder, all[name].folder);
            if (!folder) {
                EXPECT_EQ(static_cast<uint64_t>(x.size), all[name].size);
            }
        }
        for (const auto& item : all)
            if (!item.second.folder) total += item.second.size;
        EXPECT_EQ(total, FYXLST_GetExtractedArchiveSize());
        FYXLST_ExitList();
    }
}

TEST(List, ImpliedFoldersSizesAndDateText) {
    std::wstring path = ziptest::TestArchive("jszip__all.windows.zip");
    ASSERT_EQ(0, FYXLST_BrowseArchive(path.c_str()));
    FyxListRecord r;
    std::vector<std::wstring> names;
    std::map<std::wstring, FyxListRecord> records;
    for (int result = FYXLST_ReadList(&r, 0, L""); result == FYXLST_DELIVERED; result = FYXLST_ReadList(&r, 1, L"")) {
        names.push_back(r.name);
        records[r.name] = r;
    }
    EXPECT_EQ((std::vector<std::wstring>{L"images", L"Hello.txt"}), names) << "folders first, each once";
    EXPECT_EQ(41u, records[L"images"].size);
    EXPECT_EQ(std::wstring(L"31.07.2009  15:51:04  A     "), records[L"Hello.txt"].date);
    EXPECT_EQ(41u, FYXLST_GetExtractedDirectorySize(L"images\\"));
    EXPECT_EQ(53u, FYXLST_GetExtractedArchiveSize());
    EXPECT_EQ(FYXLST_EMPTY, FYXLST_ReadList(&r, 0, L"no such folder"));
    ASSERT_EQ(FYXLST_DELIVERED, FYXLST_ReadList(&r, 0, L"images"));
    EXPECT_EQ(std::wstring(L"smile.gif"), r.name);
    EXPECT_EQ(FYXLST_END, FYXLST_ReadList(&r, 1, L"images"));
    FYXLST_ExitList();
    EXPECT_EQ(FYXLST_ERROR, FYXLST_ReadList(&r, 0, L"")) << "nothing browsed";
}

TEST(List, RecognisesRarByItsSignatureAndRefusesProgramsAndOtherFiles) {
    fyxtest::TempDir dir;
    std::string zip;
    ASSERT_TRUE(fyxtest::ReadFileBytes(ziptest::TestArchive("libzip__teststored.zip"), &zip));
    struct Case { const wchar_t* name; std::string bytes; int type; } cases[] = {
        {L"a.rar", std::string("Rar!\x1a\x07\x00", 7) + std::string(64, '\0'), FYXLST_TYPE_RAR},
        {L"b.rar", std::string("Rar!\x1a\x07\x01\x00", 8) + std::string(64, '\0'), FYXLST_TYPE_RAR},
        {L"zip-in-rar.rar", std::string("Rar!\x1a\x07\x00", 7) + std::string(64, '\0') + zip, FYXLST_TYPE_RAR},
        {L"sfx.exe", "MZ" + std::string(100, '\0') + zip, 0},
        {L"text.txt", "just some text, no archive here", 0},
        {L"empty.zip", "", 0},
    };
    for (const Case& c : cases) {
        std::wstring path = dir.File(c.name);
        ASSERT_TRUE(fyxtest::WriteFileBytes(path, c.bytes));
        EXPECT_EQ(c.type != 0, (FYXLST_IsSupportedArchive(path.c_str()) & 0xFF) != 0) << c.name;
        EXPECT_EQ(c.type, FYXLST_GetArchiveType(path.c_str())) << c.name;
        EXPECT_NE(0, FYXLST_BrowseArchive(path.c_str())) << c.name << ": a damaged RAR archive, or not an archive";
    }
    EXPECT_EQ(0, FYXLST_IsSupportedArchive(dir.File(L"missing.zip").c_str()));
    EXPECT_EQ(0, FYXLST_IsSupportedArchive(nullptr));
}

TEST(ListFolders, MemberPathsImplyFoldersOnce) {
    std::vector<fyxlist::ListedEntry> entries = {
        {L"a\\x.txt", false, 10, 0, 0}, {L"A\\y.txt", false, 5, 0, 0}, {L"a\\b", true, 0, 0, 0},
        {L"a\\b\\z.txt", false, 7, 0, 0}, {L"top.txt", false, 1, 0, 0}};
    std::vector<fyxlist::FolderItem> root = fyxlist::ListFolder(entries, L"");
    ASSERT_EQ(2u, root.size());
    EXPECT_EQ(L"a", root[0].name);
    EXPECT_TRUE(root[0].folder);
    EXPECT_EQ(22u, root[0].size);
    EXPECT_EQ(L"top.txt", root[1].name);
    std::vector<fyxlist::FolderItem> a = fyxlist::ListFolder(entries, L"a\\");
    ASSERT_EQ(3u, a.size());
    EXPECT_EQ(L"b", a[0].name);
    EXPECT_EQ(7u, a[0].size);
    EXPECT_EQ(7u, fyxlist::SizeUnder(entries, L"a\\b\\"));
    EXPECT_EQ(0u, fyxlist::SizeUnder(entries, L"ab\\")) << "a prefix of a name is not its folder";
}

// RAR archives of both generations list through the RAR reader.
TEST(List, SharedRarArchivesListTheirEntries) {
    struct Case {
        const char* file;
        std::map<std::wstring, Listed> expected;  // date not compared
        uint64_t total;
    } cases[] = {
        {"libarchive__test_read_format_rar5_stored.rar", {{L"helloworld.txt", {29, false, L""}}}, 29},
        {"libarchive__test_read_format_rar.rar",
         {{L"test.txt", {20, false, L""}},
          {L"testlink", {8, false, L""}},
          {L"testdir", {20, true, L""}},
          {L"testdir\\test.txt", {20, false, L""}},
          {L"testemptydir", {0, true, L""}}},
         48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::wstring path = ziptest::TestArchive(c.file);
        path.replace(path.rfind(L"\\zip\\"), 5, L"\\rar\\");
        ASSERT_EQ(FYXLST_TYPE_RAR, FYXLST_GetArchiveType(path.c_str()));
        ASSERT_EQ(0, FYXLST_BrowseArchive(path.c_str()));
        std::map<std::wstring, Listed> listed;
        ASSERT_TRUE(Walk(L"", &listed));
        ASSERT_EQ(c.expected.size(), listed.size());
        for (const auto& e : c.expected) {
            ASSERT_TRUE(listed.count(e.first)) << std::string(e.first.begin(), e.first.end());
            EXPECT_EQ(e.second.size, listed[e.first].size);
            EXPECT_EQ(e.second.folder, listed[e.first].folder);
        }
        EXPECT_EQ(c.total, FYXLST_GetExtractedArchiveSize());
        FYXLST_ExitList();
    }
}
