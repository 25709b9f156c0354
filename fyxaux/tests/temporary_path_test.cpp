// The extraction folder under a documents folder the test controls, and the
// exported lookup through the shell.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fyxaux.h"
#include "fyxaux_core.h"
#include "testkit.h"

using namespace fyxtest;

namespace {

// Every path under dir, relative and sorted parents first.
void ListTree(const std::wstring& dir, const std::wstring& prefix, std::vector<std::wstring>* out) {
    for (const std::wstring& name : FolderNames(dir)) {
        out->push_back(prefix + name);
        DWORD attributes = GetFileAttributesW(LongPath(JoinPath(dir, name)).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            ListTree(JoinPath(dir, name), prefix + name + L"\\", out);
    }
}

std::vector<std::wstring> Tree(const std::wstring& dir) {
    std::vector<std::wstring> names;
    ListTree(dir, L"", &names);
    return names;
}

std::wstring PathFor(const std::wstring& documents, bool* ok) {
    wchar_t out[MAX_PATH];
    out[0] = L'?';
    *ok = FyxAuxTemporaryPathFor(documents.c_str(), out, MAX_PATH);
    return out;
}

const wchar_t kFyx[] = L"Local Settings\\Temp\\_fyx";

TEST(TemporaryPath, FolderUnderTheParentOfTheDocumentsFolder) {
    struct Case {
        const char* what;
        std::vector<std::wstring> folders;
        std::vector<std::wstring> files;
        bool found;
    } cases[] = {
        {"temp folder present", {L"Local Settings", L"Local Settings\\Temp"}, {}, true},
        {"_fyx already there",
         {L"Local Settings", L"Local Settings\\Temp", kFyx},
         {L"Local Settings\\Temp\\_fyx\\kept.txt"},
         true},
        {"no Local Settings", {L"Documents"}, {}, false},
        {"Local Settings without Temp", {L"Local Settings"}, {}, false},
        {"Temp is a file", {L"Local Settings"}, {L"Local Settings\\Temp"}, false},
        {"_fyx is a file", {L"Local Settings", L"Local Settings\\Temp"}, {kFyx}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir profile;
        for (const std::wstring& f : c.folders) ASSERT_TRUE(MakeFolder(profile.File(f)));
        for (const std::wstring& f : c.files) ASSERT_TRUE(WriteFileBytes(profile.File(f), "x"));
        std::vector<std::wstring> before = Tree(profile.path());

        bool ok = false;
        std::wstring path = PathFor(profile.File(L"Documents"), &ok);
        EXPECT_EQ(c.found, ok);
        std::vector<std::wstring> after = Tree(profile.path());
        if (c.found) {
            EXPECT_EQ(profile.File(kFyx), path);
            DWORD attributes = GetFileAttributesW(path.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
            // Asking again finds the same folder.
            EXPECT_EQ(path, PathFor(profile.File(L"Documents\\"), &ok));
            EXPECT_TRUE(ok);
            for (const std::wstring& name : before) EXPECT_NE(after.end(), std::find(after.begin(), after.end(), name));
            EXPECT_LE(after.size(), before.size() + 1);
        } else {
            EXPECT_EQ(L"", path);
            EXPECT_EQ(before, after) << "nothing may be created";
        }
    }
}

TEST(TemporaryPath, NoFolderWithoutAParentOrRoom) {
    bool ok = true;
    EXPECT_EQ(L"", PathFor(L"", &ok));
    EXPECT_FALSE(ok);
    wchar_t out[MAX_PATH] = L"?";
    EXPECT_FALSE(FyxAuxTemporaryPathFor(NULL, out, MAX_PATH));
    EXPECT_STREQ(L"", out);

    // A root is its own parent in path terms; it has no profile around it.
    TempDir profile;
    std::wstring root = profile.path().substr(0, 3);
    EXPECT_EQ(L"", PathFor(root, &ok));
    EXPECT_FALSE(ok);

    // A result that would not fit in 259 characters is refused before anything is made.
    std::wstring deep = profile.File(std::wstring(236 - profile.path().size(), L'd'));
    std::wstring temp = deep + L"\\Local Settings\\Temp";
    ASSERT_TRUE(MakeFolder(deep) && MakeFolder(deep + L"\\Local Settings") && MakeFolder(temp));
    ASSERT_GT(temp.size() + 5, 259u);
    EXPECT_EQ(L"", PathFor(deep + L"\\Documents", &ok));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(FolderNames(temp).empty());

    // The caller's buffer bounds the result too.
    TempDir fitting;
    ASSERT_TRUE(MakeFolder(fitting.File(L"Local Settings")) && MakeFolder(fitting.File(L"Local Settings\\Temp")));
    wchar_t small[8] = L"?";
    EXPECT_FALSE(FyxAuxTemporaryPathFor(fitting.File(L"Documents").c_str(), small, 8));
    EXPECT_STREQ(L"", small);
}

// Under wine the profile usually has no "Local Settings": then the answer is "".
TEST(TemporaryPath, ExportedLookupUsesTheShellsDocumentsFolder) {
    wchar_t documents[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, documents)));
    bool ok = false;
    std::wstring expected = PathFor(documents, &ok);
    std::wstring path = FYXFYX_GetFYXTemporaryPath();
    EXPECT_EQ(expected, path);
    if (!path.empty()) {
        EXPECT_EQ(L"\\_fyx", path.substr(path.size() - 5));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
    }
}

}  // namespace
