// Language files on disk, start-up, publishing to the plugin library and the
// reload after the options program saved the settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "language.h"
#include "plugin.h"
#include "test_support.h"

namespace {

// A program folder with a "Language" folder holding chosen files.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(dir_.File(L"Language").c_str(), NULL));
    }
    void WriteLanguage(const wchar_t* name, const std::wstring& text) {
        ASSERT_TRUE(WriteBytes(Join(dir_.File(L"Language"), name),
                                            LanguageBytes(text)));
    }
    const wchar_t* Folder() const { return dir_.path().c_str(); }
    TempFolder dir_;
};

void ExpectPublished(const LanguageTable* table) {
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id)
        ASSERT_STREQ(FYXPLG_GetLineFromLanguageBuffer(id), LanguageLine(table, id)) << "line " << id;
}

TEST_F(ProgramFolderTest, LoadsTheFileFromTheLanguageFolder) {
    WriteLanguage(L"Test.lng", JoinLines({L"0=Null", L"1=Eins"}));
    ScopedTable t;
    EXPECT_EQ(LanguageLoadFile(&t.table, Folder(), L"Test.lng"), LANGUAGE_FILE_USED);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Null");
    EXPECT_STREQ(LanguageLine(&t.table, 2), BuiltinLine(2));

    std::wstring withSeparator = dir_.path() + L"\\";
    ScopedTable u;
    EXPECT_EQ(LanguageLoadFile(&u.table, withSeparator.c_str(), L"Test.lng"), LANGUAGE_FILE_USED);
    EXPECT_STREQ(LanguageLine(&u.table, 1), L"Eins");
}

TEST_F(ProgramFolderTest, NamesThatAreNoPlainFileInTheFolderAreUnusable) {
    // A readable file one level up must not be reachable through the name.
    ASSERT_TRUE(WriteBytes(dir_.File(L"Outside.lng"), LanguageBytes(JoinLines({L"0=X"}))));
    const wchar_t* names[] = {L"Missing.lng", L"..\\Outside.lng", L"../Outside.lng", L"", L"..", L"C:Outside.lng"};
    for (const wchar_t* name : names) {
        ScopedTable t;
        EXPECT_EQ(LanguageLoadFile(&t.table, Folder(), name), LANGUAGE_FILE_UNUSABLE) << name;
    }
}

TEST_F(ProgramFolderTest, StartUpLoadsAndPublishes) {
    WriteLanguage(L"Test.lng", JoinLines({L"0=Null", L"1=Eins"}));
    WriteLanguage(L"Long.lng", JoinLines({L"0=" + std::wstring(99, L'x')}));
    struct Case {
        const wchar_t* languageFile;
        int result;
        const wchar_t* line0;
    } cases[] = {
        {L"Default", LANGUAGE_FILE_USED, L"Name"},
        {L"Test.lng", LANGUAGE_FILE_USED, L"Null"},
        {L"Long.lng", LANGUAGE_FILE_UNUSABLE, L"Name"},
        {L"Missing.lng", LANGUAGE_FILE_UNUSABLE, L"Name"},
        // "Default" is compared case-sensitively: anything else names a file.
        {L"default", LANGUAGE_FILE_UNUSABLE, L"Name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.languageFile);
        ScopedTable t;
        EXPECT_EQ(LanguageStartUp(&t.table, Folder(), c.languageFile), c.result);
        EXPECT_STREQ(LanguageLine(&t.table, 0), c.line0);
        ExpectPublished(&t.table);
    }
}

TEST(LanguageReloadRule, OnlyAChangedFileNameReloads) {
    struct Case {
        const wchar_t* kept;
        const wchar_t* reloaded;
        bool reload;
    } cases[] = {
        {L"Default", L"Default", false}, {L"Deutsch.lng", L"Deutsch.lng", false},
        {L"Default", L"Deutsch.lng", true}, {L"Deutsch.lng", L"Default", true},
        {L"deutsch.lng", L"Deutsch.lng", true}, {nullptr, L"Default", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageMustReload(c.kept, c.reloaded), c.reload)
            << (c.kept ? c.kept : L"(none)") << " -> " << c.reloaded;
}

TEST_F(ProgramFolderTest, TakeSettingsKeepsTheLinesForTheSameFile) {
    WriteLanguage(L"Test.lng", JoinLines({L"0=Null"}));
    ScopedTable t;
    ASSERT_EQ(LanguageStartUp(&t.table, Folder(), L"Test.lng"), LANGUAGE_FILE_USED);
    // The file changes on disk, but choosing it again does not read it.
    WriteLanguage(L"Test.lng", JoinLines({L"0=Neu"}));
    wchar_t live[260] = L"Test.lng";
    EXPECT_EQ(LanguageTakeSettings(&t.table, NULL, Folder(), L"Test.lng", live, 260), LANGUAGE_UNCHANGED);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Null");
    EXPECT_STREQ(live, L"Test.lng");
}

TEST_F(ProgramFolderTest, TakeSettingsReloadsAnotherFileAndPublishes) {
    WriteLanguage(L"Test.lng", JoinLines({L"0=Null"}));
    ScopedTable t;
    ASSERT_EQ(LanguageStartUp(&t.table, Folder(), L"Default"), LANGUAGE_FILE_USED);
    wchar_t live[260] = L"Test.lng";
    EXPECT_EQ(LanguageTakeSettings(&t.table, NULL, Folder(), L"Default", live, 260), LANGUAGE_RELOADED);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Null");
    EXPECT_STREQ(FYXPLG_GetLineFromLanguageBuffer(0), L"Null");
    EXPECT_STREQ(live, L"Test.lng");

    wchar_t back[260] = L"Default";
    EXPECT_EQ(LanguageTakeSettings(&t.table, NULL, Folder(), L"Test.lng", back, 260), LANGUAGE_RELOADED);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Name");
    ExpectPublished(&t.table);
}

TEST_F(ProgramFolderTest, TakeSettingsFallsBackToDefaultForAnUnusableFile) {
    WriteLanguage(L"Test.lng", JoinLines({L"0=Null"}));
    WriteLanguage(L"Long.lng", JoinLines({L"0=" + std::wstring(99, L'x')}));
    ScopedTable t;
    ASSERT_EQ(LanguageStartUp(&t.table, Folder(), L"Test.lng"), LANGUAGE_FILE_USED);
    wchar_t live[260] = L"Long.lng";
    EXPECT_EQ(LanguageTakeSettings(&t.table, NULL, Folder(), L"Test.lng", live, 260), LANGUAGE_FELL_BACK);
    EXPECT_STREQ(live, L"Default");
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Name");
    ExpectPublished(&t.table);
}

}  // namespace
