// Drive texts from the language lines and from the shell, and the version.
#include <gtest/gtest.h>

#include <string>

#include "fyxaux.h"
#include "plugin.h"
#include "test_window.h"

namespace {

// Puts test texts into lines 242 and 243 and gives the machine's lines back at the end.
class LanguageLines : public testing::Test {
protected:
    void SetUp() override {
        network_ = FYXPLG_GetLineFromLanguageBuffer(242);
        myComputer_ = FYXPLG_GetLineFromLanguageBuffer(243);
    }
    void TearDown() override {
        FYXPLG_PutLineToLanguageBuffer(242, network_.c_str());
        FYXPLG_PutLineToLanguageBuffer(243, myComputer_.c_str());
    }
    void Put(const wchar_t* network, const wchar_t* myComputer) {
        FYXPLG_PutLineToLanguageBuffer(242, network);
        FYXPLG_PutLineToLanguageBuffer(243, myComputer);
    }

private:
    std::wstring network_, myComputer_;
};

std::wstring DiskText(wchar_t drive) { return FYXFYX_GetDiskInfoText_FS(drive); }

TEST_F(LanguageLines, DotAndBackslashTakeTheirLinesOrTheEnglishTexts) {
    Put(L"Netzwerkumgebung", L"Arbeitsplatz");
    EXPECT_EQ(L"Arbeitsplatz", DiskText(L'.'));
    EXPECT_EQ(L"Netzwerkumgebung", DiskText(L'\\'));

    Put(L"", L"");
    EXPECT_EQ(L"My Computer", DiskText(L'.'));
    EXPECT_EQ(L"Network Neighborhood", DiskText(L'\\'));
}

TEST_F(LanguageLines, DrawShowsTheDriveTextAsAnUntimedMessage) {
    TestMainWindow window;
    HWND handle = window.handle();
    ASSERT_TRUE(FYXFYX_Initialize(&handle));
    FyxTitleState state = TitleState(L"Fyx 1.2");
    Put(L"Netzwerkumgebung", L"Arbeitsplatz");

    EXPECT_TRUE(FYXFYX_DrawDiskInfoText_FS(L'.', &state));
    EXPECT_EQ(L"Fyx 1.2 - Arbeitsplatz", window.Title());
    EXPECT_TRUE(FYXFYX_DrawDiskInfoText_FS(L'\\', &state));
    EXPECT_EQ(L"Fyx 1.2 - Netzwerkumgebung", window.Title());
    EXPECT_EQ(1, state.mayChange);
    EXPECT_FALSE(KillTimer(handle, FYXFYX_TITLE_TIMER));

    // No text for the character: the base title comes back.
    EXPECT_TRUE(FYXFYX_DrawDiskInfoText_FS(L'#', &state));
    EXPECT_EQ(L"Fyx 1.2", window.Title());
}

TEST(DiskText, DriveLettersGiveTheShellNameOfTheirRoot) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    wchar_t letter = system[0] & ~0x20;
    std::wstring upper = DiskText(letter);
    ASSERT_FALSE(upper.empty()) << "the system drive has a display name";
    EXPECT_EQ(upper, DiskText((wchar_t)(letter | 0x20)));
    EXPECT_NE(L' ', upper.front());
    EXPECT_NE(L' ', upper.back());

    // A letter no drive has: the shell may invent a name for it, but it names nothing.
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (!(drives & (1u << i))) {
            EXPECT_EQ(L"", DiskText((wchar_t)(L'A' + i))) << (char)('A' + i);
        }

    for (wchar_t c : {L'\0', L'1', L'#', L':', L'/', L'\x00C4'}) {
        EXPECT_EQ(L"", DiskText(c)) << (int)c;
    }
}

TEST(Version, IsOneHundredthsAndSharesTheReturnBuffer) {
    const wchar_t* version = FYXFYX_GetVersion();
    EXPECT_STREQ(L"1.00", version);
    // One buffer per process: the next text-returning call overwrites the version.
    const wchar_t* disk = FYXFYX_GetDiskInfoText_FS(L'#');
    EXPECT_EQ(version, disk);
    EXPECT_STREQ(L"", version);
}

}  // namespace
