// Shell helpers: item id lists to paths, shortcut targets, making paths available.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "fsk.h"
#include "scratch_dir.h"

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
    ScratchDir scratch;
    ASSERT_TRUE(MakeFile(scratch.Sub(L"item.txt"), 1));
    LPITEMIDLIST pidl = NULL;
    ASSERT_TRUE(SUCCEEDED(SHILCreateFromPath(scratch.Sub(L"item.txt").c_str(), &pidl, NULL)));
    std::wstring path = FYX_FSK_GetPathFromFileSystemPidl(pidl);
    CoTaskMemFree(pidl);
    EXPECT_EQ(0, lstrcmpiW(scratch.Sub(L"item.txt").c_str(), path.c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetPathFromFileSystemPidl(NULL));
}

TEST_F(FskShell, TargetOfAShortcut) {
    ScratchDir scratch;
    std::wstring target = scratch.Sub(L"target.txt");
    ASSERT_TRUE(MakeFile(target, 1));
    ASSERT_TRUE(SaveShortcut(scratch.Sub(L"to target.lnk"), target));
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), FYX_FSK_GetShortcutTarget(scratch.Sub(L"to target.lnk").c_str())));
    ASSERT_TRUE(MakeFile(scratch.Sub(L"broken.lnk"), 40));
    EXPECT_STREQ(L"", FYX_FSK_GetShortcutTarget(scratch.Sub(L"broken.lnk").c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetShortcutTarget(scratch.Sub(L"missing.lnk").c_str()));
}

TEST(FskShellNoCom, ShortcutTargetWorksWithoutTheCallersCom) {
    ScratchDir scratch;
    std::wstring target = scratch.Sub(L"t.txt");
    ASSERT_TRUE(MakeFile(target, 1));
    CoInitialize(NULL);
    bool saved = SaveShortcut(scratch.Sub(L"t.lnk"), target);
    CoUninitialize();
    ASSERT_TRUE(saved);
    EXPECT_EQ(0, lstrcmpiW(target.c_str(), FYX_FSK_GetShortcutTarget(scratch.Sub(L"t.lnk").c_str())));
}

TEST(FskShellNoCom, ActivatingPaths) {
    ScratchDir scratch;
    EXPECT_TRUE(FYX_FSK_ActivatePathByShell(NULL, scratch.path().c_str()));
    EXPECT_FALSE(FYX_FSK_ActivatePathByShell(NULL, scratch.Sub(L"missing").c_str()));
    EXPECT_FALSE(FYX_FSK_ActivatePathByShell(NULL, L""));
    EXPECT_STREQ(L"1.0", FYX_FSK_GetVersion());
}

}  // namespace
