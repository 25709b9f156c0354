// Text values that one byte per character cannot carry: the "<U+XXXX>"
// escape, its round trip, and files written without it.
#include <string>

#include "settings_test_util.h"

namespace {

class SettingsEscapeTest : public ProgramFolderTest {};

struct EscapeCase {
    const char* name;
    std::wstring value;
    std::string written;
};

const EscapeCase kEscapeCases[] = {
    {"Cyrillic folder", L"C:\\\x0414\x043E\\a", "C:\\<U+0414><U+043E>\\a"},
    {"character above U+FFFF", L"x\xD83D\xDE00y", "x<U+D83D><U+DE00>y"},
    {"Latin-1 stays one byte", L"caf\x00E9 \x00FF", "caf\xE9 \xFF"},
    {"line breaks inside a value", L"one\r\ntwo\nthree", "one<U+000D><U+000A>two<U+000A>three"},
    {"a literal escape is itself escaped", L"a<U+0041>b", "a<U+003C>U+0041>b"},
    {"other angle brackets stay as they are", L"<a> <U+12> <U+00G1> <", "<a> <U+12> <U+00G1> <"},
};

TEST_F(SettingsEscapeTest, ValuesRoundTripAndLaterLinesStayInPlace) {
    for (const EscapeCase& c : kEscapeCases) {
        ConfigRecord r = Defaults();
        SET_TEXT(r.ViewFile, c.value.c_str());
        SET_TEXT(r.FYXRightWinPath, c.value.c_str());
        r.EditFileInternal = 0;
        ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r)) << c.name;
        std::string file = ReadBytes(IniPath());
        EXPECT_EQ(c.written, ValueOf(file, "ViewFile:")) << c.name;
        EXPECT_EQ(c.written, ValueOf(file, "FYXRightWinPath:")) << c.name;
        EXPECT_SAME_RECORD(r, Load()) << c.name;
    }
}

TEST_F(SettingsEscapeTest, HandWrittenEscapesAndPlainBytes) {
    std::string file = WithValue(CrLf(kDefaultSettingsFile), "LanguageFile:", "<U+00e9>t<U+00C9>");
    file = WithValue(file, "EditFile:", "C:\\Program Files\\ed\xE9.exe");
    ConfigRecord loaded = LoadFrom(file);
    EXPECT_STREQ(L"\x00E9t\x00C9", loaded.LanguageFile);
    EXPECT_STREQ(L"C:\\Program Files\\ed\x00E9.exe", loaded.EditFile);
}

TEST_F(SettingsEscapeTest, LimitCountsDecodedCharacters) {
    // 259 escaped characters make a line of 2072 bytes: still a whole value.
    std::wstring wide(259, L'\x0416');
    ConfigRecord r = Defaults();
    SET_TEXT(r.LeftPictureFile, wide.c_str());
    r.LeftPictureMode = 0;
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r));
    EXPECT_SAME_RECORD(r, Load());
}

TEST_F(SettingsEscapeTest, LongPanelFolderIsCutAndTheRestOfTheFileSurvives) {
    // The panel folder fields hold 780 code units; the file keeps 259, cut so
    // that no later line is lost and no surrogate pair is split.
    ConfigRecord r = Defaults();
    std::wstring longPath = std::wstring(258, L'p') + L"\xD83D\xDE00" + std::wstring(100, L'q');
    SET_TEXT(r.FYXLeftWinPath, longPath.c_str());
    SET_TEXT(r.FYXRightWinPath, std::wstring(400, L'r').c_str());
    r.FYXRightTypeInfoType = 1;
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r));
    ConfigRecord expected = r;
    SET_TEXT(expected.FYXLeftWinPath, std::wstring(258, L'p').c_str());
    SET_TEXT(expected.FYXRightWinPath, std::wstring(259, L'r').c_str());
    EXPECT_SAME_RECORD(expected, Load());
}

}  // namespace
