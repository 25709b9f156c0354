// Loading the colour profile by name, and the colours the panels take from it.
#include <gtest/gtest.h>

#include <string>

#include "paint_colors.h"
#include "testkit.h"

namespace {

TEST(PaintColors, ProfileNamesChooseTheBuiltInOrFileProfile) {
    ColorProfile builtIn1 = {}, builtIn2 = {};
    PREFS_LoadColorProfileDefault(&builtIn1);
    PREFS_LoadColorProfileDefault2(&builtIn2);
    ColorProfile p;
    PaintLoadColorProfile(L"Default", L"C:\\nowhere", &p);
    EXPECT_EQ(0, memcmp(builtIn1.slots, p.slots, sizeof(p.slots)));
    PaintLoadColorProfile(L"Default2", L"C:\\nowhere", &p);
    EXPECT_EQ(0, memcmp(builtIn2.slots, p.slots, sizeof(p.slots)));
    EXPECT_EQ(RGB(0, 0, 128), p.slots[PANEL_COLOR_BACKGROUND].color);

    // A missing file, an empty name and an overlong name all give profile 1.
    std::wstring overlong(400, L'a');
    const wchar_t* fallbacks[] = {L"missing.ini", L"", overlong.c_str()};
    for (const wchar_t* name : fallbacks) {
        PaintLoadColorProfile(name, L"C:\\nowhere", &p);
        EXPECT_EQ(1u, p.loaded);
        EXPECT_EQ(0, memcmp(builtIn1.slots, p.slots, sizeof(p.slots)));
    }
}

TEST(PaintColors, ProfileFileInTheProgramFolderIsRead) {
    fyxtest::TempDir dir;
    ColorProfile mine = {};
    PREFS_LoadColorProfileDefault2(&mine);
    mine.slots[PANEL_COLOR_INVERSE].color = RGB(1, 2, 3);
    ASSERT_EQ(0, PREFS_SaveColorProfile((dir.path() + L"\\cream.ini").c_str(), mine));
    ColorProfile p;
    PaintLoadColorProfile(L"cream.ini", dir.path().c_str(), &p);
    EXPECT_EQ(RGB(1, 2, 3), p.slots[PANEL_COLOR_INVERSE].color);
    PaintLoadColorProfile(L"cream.ini", (dir.path() + L"\\").c_str(), &p);
    EXPECT_EQ(RGB(1, 2, 3), p.slots[PANEL_COLOR_INVERSE].color);
}

TEST(PaintColors, BackgroundFollowsTheWindowColourWhenTheProfileSaysSo) {
    ColorProfile p = {};
    PREFS_LoadColorProfileDefault(&p);
    ASSERT_EQ(1u, p.slots[PANEL_COLOR_BACKGROUND].flag);
    PanelColors c = PaintColorsFromProfile(&p, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), c.background);
    EXPECT_EQ(RGB(212, 212, 212), c.cursorFull);
    EXPECT_EQ(RGB(255, 0, 0), c.inverse);
    p.slots[PANEL_COLOR_BACKGROUND].flag = 0;
    c = PaintColorsFromProfile(&p, RGB(9, 8, 7));
    EXPECT_EQ(RGB(255, 255, 255), c.background);
}

TEST(PaintColors, TakingAProfileReportsOnlyRealChanges) {
    ColorProfile inUse = {}, fresh = {};
    PREFS_LoadColorProfileDefault(&inUse);
    PREFS_LoadColorProfileDefault(&fresh);
    wcscpy(fresh.name, L"another name");
    EXPECT_EQ(0, PaintTakeColorProfile(&inUse, &fresh));
    fresh.slots[PANEL_COLOR_FILE].color = RGB(5, 5, 5);
    EXPECT_EQ(1, PaintTakeColorProfile(&inUse, &fresh));
    EXPECT_EQ(RGB(5, 5, 5), inUse.slots[PANEL_COLOR_FILE].color);
}

}  // namespace
