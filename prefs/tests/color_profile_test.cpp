// Built-in colour profiles and profile files.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "prefs.h"
#include "test_support.h"

namespace {

struct SlotValue {
    int r, g, b;
    uint32_t flag;
};

const SlotValue kProfile1[PREFS_COLOR_SLOTS] = {
    {255, 255, 255, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
    {212, 212, 212, 0}, {255, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
};
const SlotValue kProfile2[PREFS_COLOR_SLOTS] = {
    {0, 0, 128, 0}, {0, 255, 255, 0}, {0, 255, 255, 0}, {0, 128, 128, 0},
    {0, 128, 128, 0}, {255, 255, 0, 0}, {0, 0, 0, 0}, {0, 255, 255, 0},
};

// A profile whose every slot differs from the built-in ones and from black.
ColorProfile MarkedProfile() {
    ColorProfile p;
    memset(&p, 0, sizeof(p));
    wcscpy(p.name, L"marked");
    for (int i = 0; i < PREFS_COLOR_SLOTS; ++i) {
        p.slots[i].color = RGB(10 + i, 20 + i, 30 + i);
        p.slots[i].flag = 40 + i;
    }
    return p;
}

void ExpectSlots(const SlotValue* expected, const ColorProfile& p, const char* what) {
    for (int i = 0; i < PREFS_COLOR_SLOTS; ++i) {
        EXPECT_EQ(RGB(expected[i].r, expected[i].g, expected[i].b), p.slots[i].color) << what << " slot " << i;
        EXPECT_EQ(expected[i].flag, p.slots[i].flag) << what << " slot " << i;
    }
}

TEST(ColorProfile, BuiltInProfilesKeepTheName) {
    ColorProfile p = MarkedProfile();
    EXPECT_EQ(&p, PREFS_LoadColorProfileDefault(&p));
    EXPECT_EQ(1u, p.loaded);
    EXPECT_STREQ(L"marked", p.name);
    ExpectSlots(kProfile1, p, "Default");
    p = MarkedProfile();
    EXPECT_EQ(&p, PREFS_LoadColorProfileDefault2(&p));
    EXPECT_EQ(1u, p.loaded);
    EXPECT_STREQ(L"marked", p.name);
    ExpectSlots(kProfile2, p, "Default2");
}

TEST(ColorProfile, DefaultProfileFileText) {
    TempFolder folder;
    std::wstring path = folder.File(L"color.ini");
    ColorProfile p = {};
    PREFS_LoadColorProfileDefault(&p);
    ASSERT_EQ(0, PREFS_SaveColorProfile(path.c_str(), p));
    EXPECT_EQ("255,255,255,001\r\n000,000,000,000\r\n000,000,000,000\r\n000,000,000,000\r\n"
              "212,212,212,000\r\n255,000,000,000\r\n000,000,000,000\r\n000,000,000,000\r\n",
              ReadBytes(path));
}

TEST(ColorProfile, SavedProfile2LoadsBackAndTheNameIsNotStored) {
    TempFolder folder;
    std::wstring path = folder.File(L"color.ini");
    ColorProfile saved = MarkedProfile();
    PREFS_LoadColorProfileDefault2(&saved);
    ASSERT_EQ(0, PREFS_SaveColorProfile(path.c_str(), saved));
    ColorProfile loaded = {};
    EXPECT_EQ(&loaded, PREFS_LoadColorProfile(&loaded, path.c_str()));
    EXPECT_EQ(1u, loaded.loaded);
    EXPECT_STREQ(L"", loaded.name);
    ExpectSlots(kProfile2, loaded, "loaded");
    EXPECT_EQ(1u, folder.FileNames().size());
}

TEST(ColorProfile, FlagsOtherThanZeroAndOneComeBack) {
    TempFolder folder;
    std::wstring path = folder.File(L"flags.ini");
    ColorProfile saved = MarkedProfile();
    saved.slots[3].flag = 123456;
    ASSERT_EQ(0, PREFS_SaveColorProfile(path.c_str(), saved));
    ColorProfile loaded = {};
    PREFS_LoadColorProfile(&loaded, path.c_str());
    EXPECT_EQ(0, memcmp(saved.slots, loaded.slots, sizeof(saved.slots)));
}

// Profile file text and the slots it must give, "-" for a slot left as passed in.
struct ProfileFileCase {
    const char* name;
    std::string file;
    const char* slots[PREFS_COLOR_SLOTS];
};

const ProfileFileCase kProfileFiles[] = {
    {"three lines", "001,002,003,000\r\n004,005,006,001\r\n007,008,009,000\r\n",
     {"1,2,3,0", "4,5,6,1", "7,8,9,0", "-", "-", "-", "-", "-"}},
    {"empty file", "", {"-", "-", "-", "-", "-", "-", "-", "-"}},
    {"short numbers, blanks and LF line ends", "1,2,3,0\n 10, 20, 30, 1\n255,255,255,000",
     {"1,2,3,0", "10,20,30,1", "255,255,255,0", "-", "-", "-", "-", "-"}},
    {"unreadable lines keep their slots",
     "300,000,000,000\r\nabc\r\n1,2\r\n1000,0,0,0\r\n\r\n005,005,005,000\r\n",
     {"-", "-", "-", "-", "-", "5,5,5,0", "-", "-"}},
    {"a long line is one line",
     "001,001,001,000" + std::string(400, ' ') + "\r\n002,002,002,000\r\n",
     {"1,1,1,0", "2,2,2,0", "-", "-", "-", "-", "-", "-"}},
    {"lines after the eighth are ignored",
     "0,0,1,0\n0,0,2,0\n0,0,3,0\n0,0,4,0\n0,0,5,0\n0,0,6,0\n0,0,7,0\n0,0,8,0\n0,0,9,0\n",
     {"0,0,1,0", "0,0,2,0", "0,0,3,0", "0,0,4,0", "0,0,5,0", "0,0,6,0", "0,0,7,0", "0,0,8,0"}},
};

TEST(ColorProfile, ProfileFiles) {
    TempFolder folder;
    std::wstring path = folder.File(L"profile.ini");
    for (const ProfileFileCase& c : kProfileFiles) {
        ASSERT_TRUE(WriteBytes(path, c.file));
        ColorProfile passed = MarkedProfile();
        ColorProfile p = passed;
        PREFS_LoadColorProfile(&p, path.c_str());
        EXPECT_EQ(1u, p.loaded) << c.name;
        EXPECT_STREQ(L"marked", p.name) << c.name;
        for (int i = 0; i < PREFS_COLOR_SLOTS; ++i) {
            ColorSlot expected = passed.slots[i];
            int r, g, b;
            unsigned flag;
            if (strcmp(c.slots[i], "-") != 0) {
                ASSERT_EQ(4, sscanf(c.slots[i], "%d,%d,%d,%u", &r, &g, &b, &flag));
                expected.color = RGB(r, g, b);
                expected.flag = flag;
            }
            EXPECT_EQ(expected.color, p.slots[i].color) << c.name << " slot " << i;
            EXPECT_EQ(expected.flag, p.slots[i].flag) << c.name << " slot " << i;
        }
    }
}

TEST(ColorProfile, MissingFileLeavesTheProfileButLoaded) {
    TempFolder folder;
    ColorProfile passed = MarkedProfile();
    passed.loaded = 1;
    ColorProfile p = passed;
    PREFS_LoadColorProfile(&p, folder.File(L"missing.ini").c_str());
    EXPECT_EQ(0u, p.loaded);
    EXPECT_EQ(0, memcmp(passed.slots, p.slots, sizeof(p.slots)));
    EXPECT_STREQ(L"marked", p.name);
}

TEST(ColorProfile, UnwritableFileGivesOneAndKeepsTheOldFile) {
    TempFolder folder;
    ColorProfile p = MarkedProfile();
    EXPECT_EQ(1, PREFS_SaveColorProfile(folder.File(L"missing\\color.ini").c_str(), p));
    std::wstring path = folder.File(L"color.ini");
    ASSERT_TRUE(WriteBytes(path, "001,002,003,000\r\n"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(1, PREFS_SaveColorProfile(path.c_str(), p));
    EXPECT_EQ("001,002,003,000\r\n", ReadBytes(path));
    EXPECT_EQ(1u, folder.FileNames().size());
}

}  // namespace
