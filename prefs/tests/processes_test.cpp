// What crosses processes: the shared hand-over block, and "Fyx.ini" saved by
// two processes at once while a third one loads it.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "prefs.h"
#include "sample_records.h"
#include "test_support.h"

namespace {

TEST(InfoBlock, StoredByOneProcessReadByAnother) {
    TempFolder folder;
    // This process keeps the library loaded, so the shared block outlives each peer.
    InfoBlock mine = {};
    mine.mainWindow = 0x00012345;
    wcscpy(mine.programFolder, L"C:\\Programs\\Fyx \x0416");
    ASSERT_EQ(0, PREFS_SaveInfo(mine));
    std::wstring out = folder.File(L"block.bin");
    ASSERT_EQ(0, RunPeer(L"loadinfo \"" + out + L"\""));
    std::string bytes = ReadBytes(out);
    ASSERT_EQ(sizeof(InfoBlock), bytes.size());
    EXPECT_EQ(0, memcmp(&mine, bytes.data(), sizeof(InfoBlock)));

    ASSERT_EQ(0, RunPeer(L"saveinfo 987654 \"" + folder.path() + L"\""));
    InfoBlock theirs;
    memset(&theirs, 0xCC, sizeof(theirs));
    EXPECT_EQ(&theirs, PREFS_LoadInfo(&theirs));
    EXPECT_EQ(987654u, theirs.mainWindow);
    EXPECT_EQ(folder.path(), theirs.programFolder);
    EXPECT_EQ((HWND)(uintptr_t)987654, InfoBlockWindow(theirs));
}

TEST(SettingsFile, TwoProcessesSavingWhileAThirdLoads) {
    TempFolder folder;
    // The file exists from the start, so every load must give one of the two records.
    PREFS_StoreProgramPath(folder.path().c_str());
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(MakeSampleRecord(1)));
    PREFS_StoreProgramPath(L"");

    // The loader goes on until both savers have ended, so its loads overlap every save.
    wchar_t stopName[64];
    _snwprintf(stopName, 64, L"FyxPrefsTestStop-%lu", GetCurrentProcessId());
    HANDLE stop = CreateEventW(NULL, TRUE, FALSE, stopName);
    ASSERT_TRUE(stop != NULL);
    std::wstring quoted = L"\"" + folder.path() + L"\"";
    HANDLE loader = StartPeer(L"load " + quoted + L" 100 " + stopName);
    HANDLE first = StartPeer(L"save " + quoted + L" 1 500");
    HANDLE second = StartPeer(L"save " + quoted + L" 2 500");
    EXPECT_TRUE(first && second && loader);
    EXPECT_EQ(0, FinishPeer(first, 60000)) << "failed saves of the first process";
    EXPECT_EQ(0, FinishPeer(second, 60000)) << "failed saves of the second process";
    SetEvent(stop);
    EXPECT_EQ(0, FinishPeer(loader, 60000)) << "loads that were neither record, whole";
    CloseHandle(stop);

    std::vector<std::wstring> names = folder.FileNames();
    ASSERT_EQ(1u, names.size()) << "temporary files left behind";
    EXPECT_EQ(L"Fyx.ini", names[0]);
}

}  // namespace
