// The configuration record's defaults, its settings file, positional reading
// and the program folder.
#include <math.h>
#include <string.h>

#include <string>

#include "settings_test_util.h"

namespace {

class SettingsFileTest : public ProgramFolderTest {};

TEST_F(SettingsFileTest, DefaultsWithoutAFile) {
    ConfigRecord garbage;
    memset(&garbage, 0xCC, sizeof(garbage));
    ConfigRecord defaults = garbage;
    EXPECT_EQ(&defaults, PREFS_GetDefaultConfiguration(&defaults));
    EXPECT_EQ(1u, defaults.PotCopy);
    EXPECT_EQ(1u, defaults.PotCopyDragDrop);
    EXPECT_EQ(0u, defaults.PackRecursive);
    EXPECT_EQ(1u, defaults.FunFyxMinimizeIcon);
    EXPECT_STREQ(L"Default", defaults.LanguageFile);
    EXPECT_STREQ(L"NOFILE", defaults.RightPictureFile);
    EXPECT_STREQ(L"notepad.exe", defaults.EditFile);
    EXPECT_EQ(60u, defaults.RightPicturePeriod);
    EXPECT_EQ(600, defaults.FYXWindowRight);
    EXPECT_EQ(400, defaults.FYXWindowBottom);
    EXPECT_STREQ(L"", defaults.FYXLeftWinPath);
    EXPECT_EQ(2, defaults.FYXLeftWindowMode);
    EXPECT_EQ(1, defaults.FYXLeftSortMode);
    EXPECT_EQ(0, defaults.FYXRightWindowMode);
    EXPECT_EQ(1, defaults.FYXRightShowExt);
    EXPECT_EQ(3, defaults.FYXRightTypeInfoType);
    EXPECT_EQ(49.75, defaults.FYXLeftPanelSize);

    ConfigRecord loaded = garbage;
    EXPECT_EQ(&loaded, PREFS_LoadAllExtConfiguration(&loaded));
    EXPECT_SAME_RECORD(defaults, loaded);
    EXPECT_TRUE(folder.FileNames().empty());
}

TEST_F(SettingsFileTest, DefaultsAreSavedAsTheDocumentedFile) {
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(Defaults()));
    EXPECT_EQ(CrLf(kDefaultSettingsFile), ReadBytes(IniPath()));
}

TEST_F(SettingsFileTest, EveryChangedFieldSurvivesSaveAndLoad) {
    for (int variant : {1, 2}) {
        ConfigRecord sample = MakeSampleRecord(variant);
        ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(sample));
        EXPECT_SAME_RECORD(AsStored(sample), Load()) << "variant " << variant;
    }
    // Only the settings file is left: no temporary file of the save.
    std::vector<std::wstring> names = folder.FileNames();
    ASSERT_EQ(1u, names.size());
    EXPECT_EQ(L"Fyx.ini", names[0]);
}

TEST_F(SettingsFileTest, NumbersAreWrittenSignedOrUnsigned) {
    ConfigRecord r = Defaults();
    r.FYXWindowLeft = -8;
    r.FYXWindowTop = INT32_MIN;
    r.FYXRightSortMode = -1;
    r.DrvFixed = 4294967295u;
    r.PotCopy = 2147483648u;
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r));
    std::string file = ReadBytes(IniPath());
    EXPECT_EQ("-8", ValueOf(file, "FYXWindowLeft:"));
    EXPECT_EQ("-2147483648", ValueOf(file, "FYXWindowTop:"));
    EXPECT_EQ("-1", ValueOf(file, "FYXRightSortMode:"));
    EXPECT_EQ("4294967295", ValueOf(file, "DrvFixed:"));
    EXPECT_EQ("2147483648", ValueOf(file, "PotCopy:"));
    EXPECT_SAME_RECORD(r, Load());
}

struct PanelSizeCase {
    double stored;
    const char* text;
    double loaded;
};

TEST_F(SettingsFileTest, PanelSizeIsWrittenInShortestFormWithSixDigits) {
    const PanelSizeCase cases[] = {
        {49.75, "49.75", 49.75},
        {50.0, "50", 50.0},
        {100.0 / 3, "33.3333", 33.3333},
        {0.0001, "0.0001", 0.0001},
        {0.00001, "1e-05", 0.00001},
        {1234567.0, "1.23457e+06", 1234570.0},
        {999999.5, "1e+06", 1000000.0},
        {-12.5, "-12.5", -12.5},
        {0.0, "0", 0.0},
        {NAN, "49.75", 49.75},  // no width at all: written as the default so later lines still read
    };
    for (const PanelSizeCase& c : cases) {
        ConfigRecord r = Defaults();
        r.FYXLeftPanelSize = c.stored;
        ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r));
        std::string file = ReadBytes(IniPath());
        EXPECT_EQ(c.text, ValueOf(file, "FYXLeftPanelSize:")) << c.text;
        ConfigRecord back = Load();
        EXPECT_DOUBLE_EQ(c.loaded, back.FYXLeftPanelSize) << c.text;
        EXPECT_EQ(3, back.FYXRightTypeInfoType) << c.text;
    }
}

// One hand-written or damaged file and what the loader must make of it.
struct ParseCase {
    const char* name;
    std::string file;
    void (*expect)(ConfigRecord& fromDefaults);
};

void ClearTextsFrom(ConfigRecord& r, size_t offset) {
    wchar_t* texts[] = {r.LanguageFile, r.ColorProfileFile, r.LeftPictureFile, r.RightPictureFile,
                        r.ViewFile, r.EditFile, r.FYXLeftWinPath, r.FYXRightWinPath};
    size_t sizes[] = {260, 260, 260, 260, 260, 260, 780, 780};
    for (size_t i = 0; i < 8; ++i) {
        if ((size_t)((char*)texts[i] - (char*)&r) >= offset) SetText(texts[i], sizes[i], L"");
    }
}

std::string Repeat(char c, size_t n) { return std::string(n, c); }

std::string SwappedLines(std::string file, const std::string& a, const std::string& b) {
    std::string lineA = a + " " + ValueOf(file, a);
    std::string lineB = b + " " + ValueOf(file, b);
    size_t at = file.find(lineA);
    file.replace(at, lineA.size(), "\x01");
    at = file.find(lineB);
    file.replace(at, lineB.size(), lineA);
    file.replace(file.find('\x01'), 1, lineB);
    return file;
}

const std::string kDefaultFile = CrLf(kDefaultSettingsFile);

const ParseCase kParseCases[] = {
    {"reordered lines land positionally",
     SwappedLines(SwappedLines(WithValue(WithValue(WithValue(kDefaultFile, "PotCopy:", "5"), "LeftPictureFile:", "left.bmp"),
                                         "RightPictureFile:", "right.bmp"),
                               "PotCopy:", "FunPosition:"),
                  "LeftPictureFile:", "RightPictureFile:"),
     [](ConfigRecord& r) {
         r.PotCopy = 0;  // the value of the FunPosition line now in its place
         r.FunPosition = 5;
         SET_TEXT(r.LeftPictureFile, L"right.bmp");
         SET_TEXT(r.RightPictureFile, L"left.bmp");
     }},
    {"keys are not compared",
     CrLf("------\n| a b c |\n-----\nAnything: 7\n"),
     [](ConfigRecord& r) {
         r.WindowOptionItem = 7;
         ClearTextsFrom(r, 0);
     }},
    {"-8 and the largest unsigned number are read back",
     WithValue(WithValue(kDefaultFile, "FYXWindowLeft:", "-8"), "DrvFixed:", "4294967295"),
     [](ConfigRecord& r) {
         r.FYXWindowLeft = -8;
         r.DrvFixed = 4294967295u;
     }},
    {"a minus sign on an unsigned field wraps",
     WithValue(kDefaultFile, "DrvCDROM:", "-1"),
     [](ConfigRecord& r) { r.DrvCDROM = 4294967295u; }},
    {"a text value keeps its leading blank",
     WithValue(kDefaultFile, "ViewFile:", " leading blank "),
     [](ConfigRecord& r) { SET_TEXT(r.ViewFile, L" leading blank "); }},
    {"an empty text value does not stop the reading",
     WithValue(WithValue(kDefaultFile, "LanguageFile:", ""), "ColorProfileFile:", "Default2"),
     [](ConfigRecord& r) {
         SET_TEXT(r.LanguageFile, L"");
         SET_TEXT(r.ColorProfileFile, L"Default2");
     }},
    {"a text value of 259 characters is whole",
     WithValue(WithValue(kDefaultFile, "ViewFile:", Repeat('v', 259)), "ViewFileInternal:", "0"),
     [](ConfigRecord& r) {
         SET_TEXT(r.ViewFile, std::wstring(259, L'v').c_str());
         r.ViewFileInternal = 0;
     }},
    {"a text line of 260 characters keeps 259 and stops the reading",
     WithValue(WithValue(kDefaultFile, "ViewFile:", Repeat('v', 260)), "ViewFileInternal:", "0"),
     [](ConfigRecord& r) {
         SET_TEXT(r.ViewFile, std::wstring(259, L'v').c_str());
         ClearTextsFrom(r, offsetof(ConfigRecord, EditFile));
     }},
    {"a number field without a number stops the reading",
     WithValue(WithValue(WithValue(kDefaultFile, "PotCopy:", "0"), "PotMove:", "x1"), "CursorType:", "2"),
     [](ConfigRecord& r) {
         r.PotCopy = 0;
         ClearTextsFrom(r, 0);
     }},
    {"a signed number out of range stops the reading",
     WithValue(WithValue(kDefaultFile, "FYXWindowTop:", "2147483648"), "FYXLeftDirShow:", "0"),
     [](ConfigRecord& r) { ClearTextsFrom(r, offsetof(ConfigRecord, FYXWindowTop)); }},
    {"an empty file gives default numbers and empty texts",
     "",
     [](ConfigRecord& r) { ClearTextsFrom(r, 0); }},
    {"lines ended by LF alone read the same",
     WithValue(WithValue(WithValue(kDefaultSettingsFile, "FYXLeftWinPath:", "C:\\left"), "FYXRightTypeInfoType:", "2"),
               "EditFile:", "ed.exe"),
     [](ConfigRecord& r) {
         SET_TEXT(r.FYXLeftWinPath, L"C:\\left");
         SET_TEXT(r.EditFile, L"ed.exe");
         r.FYXRightTypeInfoType = 2;
     }},
    {"a text line without the blank after the colon is empty",
     [] {
         std::string f = kDefaultSettingsFile;
         f.replace(f.find("FYXLeftWinPath: \n"), 17, "FYXLeftWinPath:\n");
         return WithValue(f, "FYXLeftDirShow:", "0");
     }(),
     [](ConfigRecord& r) { r.FYXLeftDirShow = 0; }},
    {"a file without a line end at its end",
     WithValue(kDefaultFile, "FYXRightTypeInfoType:", "1").substr(0, kDefaultFile.size() - 2),
     [](ConfigRecord& r) { r.FYXRightTypeInfoType = 1; }},
};

TEST_F(SettingsFileTest, DamagedAndHandWrittenFiles) {
    for (const ParseCase& c : kParseCases) {
        ConfigRecord expected = Defaults();
        c.expect(expected);
        EXPECT_SAME_RECORD(expected, LoadFrom(c.file)) << c.name;
    }
}

TEST_F(SettingsFileTest, FileEndingAfterTheCommandLineFlag) {
    ConfigRecord sample = MakeSampleRecord(1);
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(sample));
    std::string file = ReadBytes(IniPath());
    ASSERT_EQ(std::to_string(sample.FYXShowCommandLine), ValueOf(file, "FYXShowCommandLine:"));
    // The stored values up to that line, empty panel folders, defaults after.
    ConfigRecord expected = AsStored(sample);
    ConfigRecord defaults = Defaults();
    size_t tail = offsetof(ConfigRecord, FYXLeftWinPath);
    memcpy((char*)&expected + tail, (char*)&defaults + tail, sizeof(ConfigRecord) - tail);
    EXPECT_SAME_RECORD(expected, LoadFrom(CutAfterLine(file, "FYXShowCommandLine:")));
}

TEST_F(SettingsFileTest, SaveThatCannotWriteLeavesTheOldFile) {
    std::string old = CrLf(kDefaultSettingsFile);
    ASSERT_TRUE(WriteBytes(IniPath(), old));
    ASSERT_TRUE(SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(1, PREFS_SaveAllExtConfiguration(MakeSampleRecord(1)));
    EXPECT_EQ(old, ReadBytes(IniPath()));
    EXPECT_EQ(1u, folder.FileNames().size());
    SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_TRUE(DeleteFileW(IniPath().c_str()));
    ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), NULL));
    EXPECT_EQ(1, PREFS_SaveAllExtConfiguration(MakeSampleRecord(1)));
    EXPECT_EQ(1u, folder.FileNames().size());
    EXPECT_SAME_RECORD(Defaults(), Load());
}

TEST_F(SettingsFileTest, HiddenFileStaysHidden) {
    ASSERT_TRUE(WriteBytes(IniPath(), CrLf(kDefaultSettingsFile)));
    ASSERT_TRUE(SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_HIDDEN));
    ConfigRecord sample = MakeSampleRecord(2);
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(sample));
    DWORD attributes = GetFileAttributesW(IniPath().c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_SAME_RECORD(AsStored(sample), Load());
}

TEST_F(SettingsFileTest, SaveReplacesALongerFileWhole) {
    ASSERT_TRUE(WriteBytes(IniPath(), CrLf(kDefaultSettingsFile) + std::string(5000, 'x')));
    ConfigRecord r = Defaults();
    r.PotCopy = 0;
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(r));
    EXPECT_EQ(WithValue(CrLf(kDefaultSettingsFile), "PotCopy:", "0"), ReadBytes(IniPath()));
}

TEST(ProgramFolder, WithoutAFolderNothingIsReadOrWritten) {
    TempFolder folder;
    ASSERT_TRUE(WriteBytes(folder.File(L"Fyx.ini"), WithValue(CrLf(kDefaultSettingsFile), "PotCopy:", "0")));
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(folder.path().c_str());

    PREFS_StoreProgramPath(L"");
    ConfigRecord loaded;
    PREFS_LoadAllExtConfiguration(&loaded);
    EXPECT_EQ(1u, loaded.PotCopy);
    EXPECT_EQ(1, PREFS_SaveAllExtConfiguration(MakeSampleRecord(1)));

    PREFS_StoreProgramPath((folder.path() + L"\\missing").c_str());
    EXPECT_EQ(1, PREFS_SaveAllExtConfiguration(MakeSampleRecord(1)));

    SetCurrentDirectoryW(saved);
    EXPECT_EQ(1u, folder.FileNames().size());
    PREFS_StoreProgramPath(L"");
}

TEST(ProgramFolder, StoredInitialisedAndSharingTheReturnBuffer) {
    TempFolder folder;
    PREFS_StoreProgramPath(folder.path().c_str());
    const wchar_t* path = PREFS_GetProgramPath();
    EXPECT_EQ(folder.path(), path);
    const wchar_t* version = PREFS_GetVersion();
    EXPECT_STREQ(L"1.12", version);
    EXPECT_EQ(path, version);  // one buffer: the version text replaced the folder
    EXPECT_STREQ(L"1.12", path);

    // A folder that does not fit is refused rather than cut to another folder.
    std::wstring tooLong = L"C:\\" + std::wstring(257, L'd');
    PREFS_StoreProgramPath(tooLong.c_str());
    EXPECT_STREQ(L"", PREFS_GetProgramPath());
    PREFS_StoreProgramPath(tooLong.substr(0, 259).c_str());
    EXPECT_EQ(tooLong.substr(0, 259), PREFS_GetProgramPath());

    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(0, PREFS_InitProgramPath());
    EXPECT_STREQ(current, PREFS_GetProgramPath());
    SetCurrentDirectoryW(saved);
    PREFS_StoreProgramPath(L"");
}

}  // namespace

namespace {

// Needs a folder on a small drive that may be filled, e.g. a 1 MiB tmpfs
// mapped to a wine drive letter; the variable FYX_SMALL_DRIVE_DIR names it.
TEST(SettingsFileOnAFullDisk, SaveFailsAndTheOldFileStays) {
    const wchar_t* dir = _wgetenv(L"FYX_SMALL_DRIVE_DIR");
    if (!dir || !dir[0]) GTEST_SKIP() << "FYX_SMALL_DRIVE_DIR not set";
    std::wstring folder = dir;
    if (folder.back() == L'\\') folder.pop_back();
    std::wstring ini = folder + L"\\Fyx.ini";
    std::wstring filler = folder + L"\\filler.bin";
    std::string old = CrLf(kDefaultSettingsFile);
    ASSERT_TRUE(WriteBytes(ini, old));

    HANDLE file = CreateFileW(filler.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::string chunk(65536, 'f');
    for (DWORD size = 65536; size > 0; size /= 2) {
        DWORD written = 0;
        while (WriteFile(file, chunk.data(), size, &written, NULL) && written == size) {
        }
    }
    CloseHandle(file);

    PREFS_StoreProgramPath(folder.c_str());
    ConfigRecord big = MakeSampleRecord(1);
    SET_TEXT(big.FYXLeftWinPath, std::wstring(259, L'\x0416').c_str());
    SET_TEXT(big.FYXRightWinPath, std::wstring(259, L'\x0416').c_str());
    EXPECT_EQ(1, PREFS_SaveAllExtConfiguration(big));
    PREFS_StoreProgramPath(L"");
    EXPECT_EQ(old, ReadBytes(ini));

    DeleteFileW(filler.c_str());
    DeleteFileW(ini.c_str());
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "temporary file left behind";
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

}  // namespace
