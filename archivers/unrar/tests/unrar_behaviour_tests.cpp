// The library's behaviour beyond the manifest: names that would escape the
// destination, missing volumes, cancels, destination names, file metadata.
#include <gtest/gtest.h>

#include "fyxcrypto.h"
#include "rar5_builder.h"
#include "test_support.h"
#include "testkit.h"

namespace unrartest {
namespace {

HANDLE OpenWith(const std::wstring& path, unsigned mode, CallbackState* cb, unsigned* result = nullptr) {
    RAROpenArchiveDataEx od = {};
    od.ArcNameW = (wchar_t*)path.c_str();
    od.OpenMode = mode;
    od.Callback = cb ? TestCallback : NULL;
    od.UserData = (LPARAM)cb;
    HANDLE h = RAROpenArchiveEx(&od);
    if (result) *result = od.OpenResult;
    return h;
}

// Extracts everything into `dest`; the first failing code, or 0.
int ExtractAll(HANDLE h, const std::wstring& dest) {
    RARHeaderDataEx hd = {};
    int code;
    while ((code = RARReadHeaderEx(h, &hd)) == 0) {
        code = RARProcessFileW(h, RAR_EXTRACT, (wchar_t*)dest.c_str(), NULL);
        if (code != 0) return code;
        memset(&hd, 0, sizeof hd);
    }
    return code == ERAR_END_ARCHIVE ? 0 : code;
}

std::vector<std::wstring> ListFolder(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE f = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (f == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(n);
    } while (FindNextFileW(f, &fd));
    FindClose(f);
    return names;
}

TEST(UnrarNames, NothingIsWrittenOutsideTheDestination) {
    fyxtest::TempDir tmp;
    std::wstring dest = tmp.File(L"out\\deeper");
    CreateDirectoryW(tmp.File(L"out").c_str(), NULL);
    CreateDirectoryW(dest.c_str(), NULL);
    std::wstring archive = tmp.File(L"evil.rar");
    std::vector<StoredFile> files = {
        {"../../up2.txt", "1"},      {"..\\..\\back.txt", "2"}, {"/abs.txt", "3"},
        {"C:\\drive.txt", "4"},      {"a/../../../b.txt", "5"}, {"CON", "6"},
        {"plain.txt:hidden", "7"},   {"sub/nul.txt", "8"},     {"ok/fine.txt", "9"},
    };
    ASSERT_TRUE(fyxtest::WriteFileBytes(archive, BuildStoredRar5(files)));
    HANDLE h = OpenWith(archive, RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    EXPECT_EQ(ExtractAll(h, dest), 0);
    RARCloseArchive(h);
    // The temporary folder holds only the archive and the destination.
    std::vector<std::wstring> top = ListFolder(tmp.path());
    EXPECT_EQ(top.size(), 2u);
    EXPECT_EQ(ListFolder(tmp.File(L"out")).size(), 1u);
    const wchar_t* expected[] = {L"up2.txt", L"back.txt", L"abs.txt", L"drive.txt", L"a\\b.txt",
                                 L"_CON",    L"plain.txt_hidden", L"sub\\_nul.txt", L"ok\\fine.txt"};
    for (const wchar_t* e : expected) EXPECT_TRUE(fyxtest::FileExists(dest + L"\\" + e)) << e;
}

TEST(UnrarNames, ANameWithNothingSafeLeftIsRefused) {
    fyxtest::TempDir tmp;
    std::wstring archive = tmp.File(L"dots.rar");
    ASSERT_TRUE(fyxtest::WriteFileBytes(archive, BuildStoredRar5({{"../..", "x"}, {"next.txt", "y"}})));
    HANDLE h = OpenWith(archive, RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    RARHeaderDataEx hd = {};
    ASSERT_EQ(RARReadHeaderEx(h, &hd), 0);
    EXPECT_EQ(RARProcessFileW(h, RAR_EXTRACT, (wchar_t*)tmp.path().c_str(), NULL), ERAR_ECREATE);
    ASSERT_EQ(RARReadHeaderEx(h, &hd), 0);
    EXPECT_EQ(RARProcessFileW(h, RAR_EXTRACT, (wchar_t*)tmp.path().c_str(), NULL), 0);
    RARCloseArchive(h);
    EXPECT_TRUE(fyxtest::FileExists(tmp.File(L"next.txt")));
}

const wchar_t* kSolidSet = L"libarchive__test_read_format_rar5_multiarchive_solid.part0";

// The volume set copied to a temporary folder, part `missing` left out.
void CopyVolumes(const fyxtest::TempDir& tmp, int missing) {
    for (int i = 1; i <= 4; ++i) {
        if (i == missing) continue;
        std::wstring name = std::wstring(kSolidSet) + (wchar_t)(L'0' + i) + L".rar";
        ASSERT_TRUE(CopyFileW((RarDataDir() + L"\\" + name).c_str(), tmp.File(name).c_str(), FALSE));
    }
}

TEST(UnrarVolumes, MissingVolumeAnsweredWithCancelStops) {
    fyxtest::TempDir tmp;
    CopyVolumes(tmp, 3);
    CallbackState cb;
    cb.refuseVolume = true;
    HANDLE h = OpenWith(tmp.File(std::wstring(kSolidSet) + L"1.rar"), RAR_OM_EXTRACT, &cb);
    ASSERT_TRUE(h != NULL);
    std::wstring dest = tmp.File(L"out");
    int code = ExtractAll(h, dest);
    RARCloseArchive(h);
    EXPECT_EQ(code, ERAR_EOPEN);
    EXPECT_EQ(cb.volumeAsked, 1);
    EXPECT_EQ(cb.volumeNotified, 1);  // part 2 was opened before
    // The file spread over the volumes is not left half written.
    EXPECT_FALSE(fyxtest::FileExists(dest + L"\\elf-Linux-ARMv7-ls"));
    EXPECT_TRUE(fyxtest::FileExists(dest + L"\\test6.bin"));
}

void FindMovedVolume(bool answerWide) {
    SCOPED_TRACE(answerWide ? "wide answer" : "8-bit answer");
    fyxtest::TempDir tmp;
    CopyVolumes(tmp, 3);
    // Parts 3 and 4 moved to another folder: the answer names part 3 there,
    // and part 4 is then looked for beside it.
    std::wstring elsewhere = tmp.File(L"elsewhere");
    CreateDirectoryW(elsewhere.c_str(), NULL);
    std::wstring part3 = elsewhere + L"\\" + kSolidSet + L"3.rar";
    std::wstring part4 = tmp.File(std::wstring(kSolidSet) + L"4.rar");
    ASSERT_TRUE(CopyFileW((RarDataDir() + L"\\" + kSolidSet + L"3.rar").c_str(), part3.c_str(), FALSE));
    ASSERT_TRUE(MoveFileW(part4.c_str(), (elsewhere + L"\\" + kSolidSet + L"4.rar").c_str()));
    CallbackState cb;
    cb.refuseVolume = false;
    cb.answerWide = answerWide;
    char ansi[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, part3.c_str(), -1, ansi, MAX_PATH, NULL, NULL);
    cb.replacementVolume = ansi;
    HANDLE h = OpenWith(tmp.File(std::wstring(kSolidSet) + L"1.rar"), RAR_OM_EXTRACT, &cb);
    ASSERT_TRUE(h != NULL);
    std::wstring dest = tmp.File(L"out");
    EXPECT_EQ(ExtractAll(h, dest), 0);
    RARCloseArchive(h);
    EXPECT_EQ(cb.volumeAsked, 1);
    EXPECT_EQ(cb.volumeNotified, 3);
    uint32_t crc = 0;
    uint64_t size = 0;
    ASSERT_TRUE(FileCrc(dest + L"\\elf-Linux-ARMv7-ls", &crc, &size));
    EXPECT_EQ(crc, 0x886F91EBu);
}

TEST(UnrarVolumes, MissingVolumeFoundUnderTheGivenName) {
    FindMovedVolume(false);
    FindMovedVolume(true);
}

TEST(UnrarVolumes, ListModeReportsASplitFileOnceAndIncSplitEachPart) {
    const struct {
        unsigned mode;
        int parts;
    } kModes[] = {{RAR_OM_LIST, 1}, {RAR_OM_LIST_INCSPLIT, 4}};
    for (const auto& m : kModes) {
        unsigned result = 0;
        HANDLE h = OpenWith(RarDataDir() + L"\\" + kSolidSet + L"1.rar", m.mode, nullptr, &result);
        ASSERT_TRUE(h != NULL) << result;
        RARHeaderDataEx hd = {};
        int parts = 0, entries = 0;
        while (RARReadHeaderEx(h, &hd) == 0) {
            ++entries;
            if (std::wstring(hd.FileNameW) == L"elf-Linux-ARMv7-ls") ++parts;
            EXPECT_EQ(RARProcessFileW(h, RAR_EXTRACT, NULL, NULL), 0);  // a skip when listing
            memset(&hd, 0, sizeof hd);
        }
        RARCloseArchive(h);
        EXPECT_EQ(parts, m.parts) << m.mode;
        EXPECT_EQ(entries, 8 + m.parts) << m.mode;
    }
}

TEST(UnrarCancel, MinusOneFromProcessedDataStopsWithCode21) {
    fyxtest::TempDir tmp;
    std::wstring archive = tmp.File(L"big.rar");
    std::string content(300000, 'x');
    ASSERT_TRUE(fyxtest::WriteFileBytes(archive, BuildStoredRar5({{"big.txt", content}, {"after.txt", "z"}})));
    CallbackState cb;
    cb.cancelAfter = 1;
    HANDLE h = OpenWith(archive, RAR_OM_EXTRACT, &cb);
    ASSERT_TRUE(h != NULL);
    RARHeaderDataEx hd = {};
    ASSERT_EQ(RARReadHeaderEx(h, &hd), 0);
    std::wstring dest = tmp.File(L"out");
    EXPECT_EQ(RARProcessFileW(h, RAR_EXTRACT, (wchar_t*)dest.c_str(), NULL), ERAR_UNKNOWN);
    RARCloseArchive(h);
    // Stopped after the first piece; the partial file is removed.
    EXPECT_GT(cb.processed, 0u);
    EXPECT_LT(cb.processed, content.size());
    EXPECT_FALSE(fyxtest::FileExists(dest + L"\\big.txt"));
}

TEST(UnrarOutput, DestinationNameTimesAndAttributes) {
    fyxtest::TempDir tmp;
    HANDLE h = OpenWith(RarDataDir() + L"\\libarchive__test_read_format_rar5_win32.rar", RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    RARHeaderDataEx hd = {};
    bool sawReadOnly = false;
    while (RARReadHeaderEx(h, &hd) == 0) {
        std::wstring name = hd.FileNameW;
        if (name == L"test2.bin") {
            std::wstring target = tmp.File(L"renamed.bin");
            ASSERT_EQ(RARProcessFileW(h, RAR_EXTRACT, NULL, (wchar_t*)target.c_str()), 0);
            WIN32_FILE_ATTRIBUTE_DATA fa;
            ASSERT_TRUE(GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &fa));
            EXPECT_TRUE(fa.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
            EXPECT_EQ(fa.ftLastWriteTime.dwLowDateTime, hd.MtimeLow);
            EXPECT_EQ(fa.ftLastWriteTime.dwHighDateTime, hd.MtimeHigh);
            EXPECT_EQ(fa.nFileSizeLow, 4096u);
            sawReadOnly = true;
        } else {
            ASSERT_EQ(RARProcessFileW(h, RAR_SKIP, NULL, NULL), 0);
        }
        memset(&hd, 0, sizeof hd);
    }
    RARCloseArchive(h);
    EXPECT_TRUE(sawReadOnly);
    EXPECT_FALSE(fyxtest::FileExists(tmp.File(L"test2.bin")));
}

TEST(UnrarOutput, BrokenDataIsRemovedUnlessKept) {
    std::string bytes;
    ASSERT_TRUE(fyxtest::ReadFileBytes(RarDataDir() + L"\\libarchive__test_read_format_rar5_stored.rar", &bytes));
    bytes[80] ^= 0x10;  // inside the stored text
    for (unsigned opFlags : {0u, (unsigned)ROADOF_KEEPBROKEN}) {
        fyxtest::TempDir tmp;
        std::wstring archive = tmp.File(L"broken.rar");
        ASSERT_TRUE(fyxtest::WriteFileBytes(archive, bytes));
        RAROpenArchiveDataEx od = {};
        od.ArcNameW = (wchar_t*)archive.c_str();
        od.OpenMode = RAR_OM_EXTRACT;
        od.OpFlags = opFlags;
        HANDLE h = RAROpenArchiveEx(&od);
        ASSERT_TRUE(h != NULL);
        std::wstring dest = tmp.File(L"out");
        EXPECT_EQ(ExtractAll(h, dest), ERAR_BAD_DATA);
        RARCloseArchive(h);
        EXPECT_EQ(fyxtest::FileExists(dest + L"\\helloworld.txt"), opFlags != 0);
    }
}

TEST(UnrarOpen, ErrorsAndVersion) {
    unsigned result = 0;
    EXPECT_TRUE(OpenWith(L"Z:\\no\\such\\archive.rar", RAR_OM_LIST, nullptr, &result) == NULL);
    EXPECT_EQ(result, (unsigned)ERAR_EOPEN);
    fyxtest::TempDir tmp;
    ASSERT_TRUE(fyxtest::WriteFileBytes(tmp.File(L"not.rar"), std::string(100, 'x')));
    EXPECT_TRUE(OpenWith(tmp.File(L"not.rar"), RAR_OM_LIST, nullptr, &result) == NULL);
    EXPECT_EQ(result, (unsigned)ERAR_BAD_ARCHIVE);
    EXPECT_GE(RARGetDllVersion(), 5);
}

TEST(UnrarOpen, NarrowNamesAndShortStructures) {
    char name[MAX_PATH];
    std::wstring path = RarDataDir() + L"\\libarchive__test_read_format_rar5_compressed.rar";
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, name, MAX_PATH, NULL, NULL);
    RAROpenArchiveData od = {};
    od.ArcName = name;
    od.OpenMode = RAR_OM_EXTRACT;
    HANDLE h = RAROpenArchive(&od);
    ASSERT_TRUE(h != NULL);
    RARHeaderData hd = {};
    ASSERT_EQ(RARReadHeader(h, &hd), 0);
    EXPECT_STREQ(hd.FileName, "test.bin");
    EXPECT_EQ(hd.UnpSize, 1200u);
    EXPECT_EQ(RARProcessFile(h, RAR_TEST, NULL, NULL), 0);
    EXPECT_EQ(RARReadHeader(h, &hd), ERAR_END_ARCHIVE);
    RARCloseArchive(h);
}

}  // namespace
}  // namespace unrartest

namespace unrartest {
namespace {

// A wrong password for encrypted headers fails the check value at opening;
// a wrong one for file data fails only that file and is asked for again.
TEST(UnrarPasswords, WrongPasswordsAreTold) {
    if (!fyxcrypto::Available()) GTEST_SKIP() << "no CNG crypto in this build";
    CallbackState cb;
    cb.password = "password222";
    unsigned result = 0;
    HANDLE h = OpenWith(RarDataDir() + L"\\rarfile__rar5-hpsw.rar", RAR_OM_EXTRACT, &cb, &result);
    EXPECT_TRUE(h == NULL);
    EXPECT_EQ(result, (unsigned)ERAR_BAD_PASSWORD);

    CallbackState files;
    files.password = "wrong";
    h = OpenWith(RarDataDir() + L"\\libarchive__test_read_format_rar5_encrypted.rar", RAR_OM_EXTRACT, &files);
    ASSERT_TRUE(h != NULL);
    RARHeaderDataEx hd = {};
    std::vector<int> codes;
    while (RARReadHeaderEx(h, &hd) == 0) {
        codes.push_back(RARProcessFileW(h, RAR_TEST, NULL, NULL));
        memset(&hd, 0, sizeof hd);
    }
    RARCloseArchive(h);
    EXPECT_EQ(codes, (std::vector<int>{0, ERAR_BAD_PASSWORD, 0, ERAR_BAD_PASSWORD}));
    EXPECT_EQ(files.passwordAsked, 2);
}

}  // namespace
}  // namespace unrartest

namespace unrartest {
namespace {

TEST(UnrarHeaders, HashKindDictionaryAndTimes) {
    const struct {
        const wchar_t* file;
        unsigned hashType;
    } kCases[] = {
        {L"libarchive__test_read_format_rar5_blake2.rar", RAR_HASH_BLAKE2},
        {L"libarchive__test_read_format_rar5_compressed.rar", RAR_HASH_CRC32},
    };
    for (const auto& c : kCases) {
        HANDLE h = OpenWith(RarDataDir() + L"\\" + c.file, RAR_OM_LIST, nullptr);
        ASSERT_TRUE(h != NULL) << c.file;
        RARHeaderDataEx hd = {};
        ASSERT_EQ(RARReadHeaderEx(h, &hd), 0);
        EXPECT_EQ(hd.HashType, c.hashType) << c.file;
        if (c.hashType == RAR_HASH_BLAKE2) {
            bool allZero = true;
            for (char b : hd.Hash) allZero = allZero && b == 0;
            EXPECT_FALSE(allZero);
        }
        EXPECT_GE(hd.DictSize, 128u);
        // FileTime is the local MS-DOS form of the UTC modification time.
        FILETIME utc = {hd.MtimeLow, hd.MtimeHigh}, local;
        WORD date = 0, time = 0;
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local) && FileTimeToDosDateTime(&local, &date, &time));
        EXPECT_EQ(hd.FileTime, ((unsigned)date << 16) | time);
        RARCloseArchive(h);
    }
}

}  // namespace
}  // namespace unrartest

namespace unrartest {
namespace {

TEST(UnrarNames, PathsLongerThanMaxPathAreWritten) {
    fyxtest::TempDir tmp;
    std::string stored;
    for (int i = 0; i < 30; ++i) stored += "folder" + std::to_string(10 + i) + "/";
    stored += "deep.txt";
    std::wstring archive = tmp.File(L"deep.rar");
    ASSERT_TRUE(fyxtest::WriteFileBytes(archive, BuildStoredRar5({{stored, "deep content"}})));
    HANDLE h = OpenWith(archive, RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    EXPECT_EQ(ExtractAll(h, tmp.path()), 0);
    RARCloseArchive(h);
    std::wstring path = L"\\\\?\\" + tmp.path() + L"\\" + std::wstring(stored.begin(), stored.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    ASSERT_GT(path.size(), (size_t)MAX_PATH);
    uint32_t crc = 0;
    uint64_t size = 0;
    ASSERT_TRUE(FileCrc(path, &crc, &size));
    EXPECT_EQ(size, 12u);
    // Removed here with the long form: plain paths cannot reach that deep.
    DeleteFileW(path.c_str());
    for (size_t cut = path.rfind(L'\\'); cut > tmp.path().size() + 4; cut = path.rfind(L'\\', cut - 1))
        RemoveDirectoryW(path.substr(0, cut).c_str());
}

}  // namespace
}  // namespace unrartest

namespace unrartest {
namespace {

// The way the unpack tool works: callback and password given after opening.
TEST(UnrarCallback, SetAfterOpeningServesVolumesDataAndPasswords) {
    unsigned result = 0;
    HANDLE h = OpenWith(RarDataDir() + L"\\" + kSolidSet + L"1.rar", RAR_OM_EXTRACT, nullptr, &result);
    ASSERT_TRUE(h != NULL) << result;
    CallbackState cb;
    cb.ResetData();
    RARSetCallback(h, TestCallback, (LPARAM)&cb);
    RARHeaderDataEx hd = {};
    while (RARReadHeaderEx(h, &hd) == 0) {
        EXPECT_EQ(RARProcessFileW(h, RAR_TEST, NULL, NULL), 0);
        memset(&hd, 0, sizeof hd);
    }
    RARCloseArchive(h);
    EXPECT_EQ(cb.volumeNotified, 3);
    EXPECT_EQ(cb.processed, 814u + 1200 + 6 * 4096 + 90808);

    if (!fyxcrypto::Available()) GTEST_SKIP() << "no CNG crypto in this build";
    h = OpenWith(RarDataDir() + L"\\libarchive__test_read_format_rar5_encrypted.rar", RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    char password[] = "password";
    RARSetPassword(h, password);
    std::vector<int> codes;
    while (RARReadHeaderEx(h, &hd) == 0) {
        codes.push_back(RARProcessFileW(h, RAR_TEST, NULL, NULL));
        memset(&hd, 0, sizeof hd);
    }
    RARCloseArchive(h);
    // d.txt has a password of its own.
    EXPECT_EQ(codes, (std::vector<int>{0, 0, 0, ERAR_BAD_PASSWORD}));
}

}  // namespace
}  // namespace unrartest

namespace unrartest {
namespace {

int g_oldVolumeCalls = 0;
int PASCAL RefuseVolume(char*, int mode) {
    ++g_oldVolumeCalls;
    return mode == RAR_VOL_NOTIFY ? 1 : 0;
}
int g_oldDataCalls = 0;
int PASCAL StopData(unsigned char*, int) {
    ++g_oldDataCalls;
    return 0;
}

// The procedures of the older interface stop with 0, not -1.
TEST(UnrarCallback, OlderProceduresStopWithZero) {
    fyxtest::TempDir tmp;
    CopyVolumes(tmp, 3);
    HANDLE h = OpenWith(tmp.File(std::wstring(kSolidSet) + L"1.rar"), RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    RARSetChangeVolProc(h, RefuseVolume);
    EXPECT_EQ(ExtractAll(h, tmp.File(L"out")), ERAR_EOPEN);
    RARCloseArchive(h);
    EXPECT_EQ(g_oldVolumeCalls, 2);  // part 2 notified, part 3 refused

    h = OpenWith(RarDataDir() + L"\\libarchive__test_read_format_rar5_compressed.rar", RAR_OM_EXTRACT, nullptr);
    ASSERT_TRUE(h != NULL);
    RARSetProcessDataProc(h, StopData);
    RARHeaderDataEx hd = {};
    ASSERT_EQ(RARReadHeaderEx(h, &hd), 0);
    EXPECT_EQ(RARProcessFileW(h, RAR_TEST, NULL, NULL), ERAR_UNKNOWN);
    RARCloseArchive(h);
    EXPECT_EQ(g_oldDataCalls, 1);
}

}  // namespace
}  // namespace unrartest
