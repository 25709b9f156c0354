// Shell helpers: item id lists to paths, shortcut targets, making paths available.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "fsk.h"
#include "testkit.h"

using namespace fyxtest;

namespace {

class FskShell : public testing::Test {
protected:
    void SetUp() override { CoInitialize(NULL); }
    void TearDown() override { CoUninitialize(); }
};

bool SaveShortcut(const std::wstring& lnk, const std::wstring& target) {
    IShellLinkW* link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link)))
        return false;
    bool ok = false;
    IPersistFile* file = NULL;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
        ok = SUCCEEDED(file->Save(lnk.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return ok;
}

TEST_F(FskShell, PathOfAnItemIdList) {
    TempDir scratch;
    ASSERT_TRUE(WriteFileBytes(scratch.File(L"item.txt"), "x"));
    LPITEMIDLIST pidl = NULL;
    ASSERT_TRUE(SUCCEEDED(SHILCreateFromPath(scratch.File(L"item.txt").c_str(), &pidl, NULL)));
    std::wstring path = FYX_FSK_GetPathFromFileSystemPidl(pidl);
    CoTaskMemFree(pidl);
    EXPECT_EQ(0, lstrcmpiW(scratch.File(L"item.txt").c_str(), path.c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetPathFromFileSystemPidl(NULL));
}

TEST_F(FskShell, TargetOfAShortcut) {
    TempDir scratch;
    std::wstring target = scratch.File(L"target.txt");
    ASSERT_TRUE(WriteFileBytes(target, "x"));
    ASSERT_TRUE(SaveShortcut(scratch.File(L"to target.lnk"), target));
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), FYX_FSK_GetShortcutTarget(scratch.File(L"to target.lnk").c_str())));
    ASSERT_TRUE(WriteFileBytes(scratch.File(L"broken.lnk"), std::string(40, 'x')));
    EXPECT_STREQ(L"", FYX_FSK_GetShortcutTarget(scratch.File(L"broken.lnk").c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetShortcutTarget(scratch.File(L"missing.lnk").c_str()));
}

TEST(FskShellNoCom, ShortcutTargetWorksWithoutTheCallersCom) {
    TempDir scratch;
    std::wstring target = scratch.File(L"t.txt");
    ASSERT_TRUE(WriteFileBytes(target, "x"));
    CoInitialize(NULL);
    bool saved = SaveShortcut(scratch.File(L"t.lnk"), target);
    CoUninitialize();
    ASSERT_TRUE(saved);
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), FYX_FSK_GetShortcutTarget(scratch.File(L"t.lnk").c_str())));
}

TEST(FskShellNoCom, ActivatingPaths) {
    TempDir scratch;
    EXPECT_TRUE(FYX_FSK_ActivatePathByShell(NULL, scratch.path().c_str()));
    EXPECT_FALSE(FYX_FSK_ActivatePathByShell(NULL, scratch.File(L"missing").c_str()));
    EXPECT_FALSE(FYX_FSK_ActivatePathByShell(NULL, L""));
    EXPECT_STREQ(L"1.0", FYX_FSK_GetVersion());
}

}  // namespace
