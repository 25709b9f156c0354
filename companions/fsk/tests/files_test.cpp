// Directories on disk: existence, marking and creating missing parts, fresh names,
// file sizes and information lines, volume figures.
#include <gtest/gtest.h>

#include <string>

#include "fsk.h"
#include "scratch_dir.h"

namespace {

TEST(FskDirectories, ExistenceIsZeroAndFailuresSayWhy) {
    ScratchDir scratch;
    ASSERT_FALSE(scratch.path().empty());
    ASSERT_TRUE(MakeFile(scratch.Sub(L"file.txt"), 3));
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory(scratch.path().c_str()));
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory((scratch.path() + L"\\").c_str()));
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, FYX_FSK_IsValidDirectory(scratch.Sub(L"file.txt").c_str()));
    EXPECT_NE(0u, FYX_FSK_IsValidDirectory(scratch.Sub(L"missing").c_str()));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, FYX_FSK_IsValidDirectory(L""));
}

TEST(FskDirectories, MarksTheMissingPartAndCreatesIt) {
    ScratchDir scratch;
    ASSERT_TRUE(MakeDir(scratch.Sub(L"have")));
    std::wstring typed = scratch.path() + L"\\have\\new\\sub\\";
    std::wstring marked = FYX_FSK_CreateValidAndInvalidDirectoryString(typed.c_str());
    EXPECT_EQ(scratch.path() + L"\\have\\|new\\sub", marked);
    EXPECT_STREQ(L"new\\sub", FYX_FSK_GetInvalidDirectoryString(marked.c_str()));
    EXPECT_STREQ(L"new\\sub", FYX_FSK_GetInvalidDirectoryString(typed.c_str()));

    EXPECT_TRUE(FYX_FSK_CreatePathFromInvalidPath(marked.c_str()));
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory(scratch.Sub(L"have\\new\\sub").c_str()));
    EXPECT_EQ(scratch.path() + L"\\have\\new\\sub|",
              std::wstring(FYX_FSK_CreateValidAndInvalidDirectoryString(typed.c_str())));
    EXPECT_STREQ(L"", FYX_FSK_GetInvalidDirectoryString(typed.c_str()));
    // Creating what exists is success, too.
    EXPECT_TRUE(FYX_FSK_CreatePathFromInvalidPath(typed.c_str()));
}

TEST(FskDirectories, MarkingWhenNothingOrEverythingExists) {
    // A drive letter no system of the test bed uses for a volume of its own.
    DWORD drives = GetLogicalDrives();
    wchar_t letter = 0;
    for (wchar_t c = L'Q'; c <= L'Y' && !letter; ++c)
        if (!(drives & (1u << (c - L'A')))) letter = c;
    ASSERT_NE(0, letter);
    std::wstring missing = std::wstring(1, letter) + L":\\a\\b";
    EXPECT_EQ(L"|" + missing, std::wstring(FYX_FSK_CreateValidAndInvalidDirectoryString(missing.c_str())));
    EXPECT_EQ(missing, std::wstring(FYX_FSK_GetInvalidDirectoryString(missing.c_str())));
    EXPECT_FALSE(FYX_FSK_CreatePathFromInvalidPath(missing.c_str()));

    ScratchDir scratch;
    std::wstring root = scratch.path().substr(0, 3);
    EXPECT_EQ(root + L"|", std::wstring(FYX_FSK_CreateValidAndInvalidDirectoryString(root.c_str())));
    // Forward slashes and doubled separators are marked in their normal form.
    std::wstring typed = scratch.path() + L"//x/";
    EXPECT_EQ(scratch.path() + L"\\|x", std::wstring(FYX_FSK_CreateValidAndInvalidDirectoryString(typed.c_str())));
}

TEST(FskDirectories, CreationFailsWhereAFileStands) {
    ScratchDir scratch;
    ASSERT_TRUE(MakeFile(scratch.Sub(L"blocker"), 1));
    EXPECT_FALSE(FYX_FSK_CreatePathFromInvalidPath(scratch.Sub(L"blocker\\below").c_str()));
    EXPECT_FALSE(FYX_FSK_CreatePathFromInvalidPath(L""));
}

TEST(FskDirectories, CreatesPathsLongerThanMaxPath) {
    ScratchDir scratch;
    std::wstring deep = scratch.path();
    for (int i = 0; i < 12; ++i) deep += L"\\" + std::wstring(40, (wchar_t)(L'a' + i));
    ASSERT_GT(deep.size(), (size_t)MAX_PATH);
    EXPECT_TRUE(FYX_FSK_CreatePathFromInvalidPath(deep.c_str()));
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory(deep.c_str()));
    EXPECT_EQ(0ULL, FYX_FSK_GetDirectorySizeInBytes(deep.c_str()));
    // Long forms are taken literally by the system, so "/" and ".." are resolved first.
    std::wstring roundabout = deep + L"/../" + std::wstring(40, L'l') + L"/./";
    EXPECT_EQ(0u, FYX_FSK_IsValidDirectory(roundabout.c_str()));
    ASSERT_TRUE(MakeFile(deep + L"\\f.txt", 9));
    EXPECT_EQ(9ULL, FYX_FSK_GetFileSize((deep + L"/f.txt").c_str()));
    std::wstring line = FYX_FSK_GetFileInformationBuffer((deep + L"\\f.txt").c_str());
    EXPECT_EQ(0u, line.find(L"9 bytes, "));
}

TEST(FskDirectories, NewFileNamesAreUnused) {
    ScratchDir scratch;
    std::wstring first = FYX_FSK_GetNewFileNameInDirectory(scratch.path().c_str());
    ASSERT_EQ(0u, first.find(scratch.path() + L"\\~fyx"));
    EXPECT_EQ(L".tmp", first.substr(first.size() - 4));
    ASSERT_TRUE(MakeFile(first, 1));
    for (int i = 0; i < 5; ++i) {
        std::wstring next = FYX_FSK_GetNewFileNameInDirectory(scratch.path().c_str());
        EXPECT_NE(first, next);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(next.c_str()));
    }
    EXPECT_STREQ(L"", FYX_FSK_GetNewFileNameInDirectory(scratch.Sub(L"missing").c_str()));
}

TEST(FskSizes, FilesAndUnreadableItems) {
    ScratchDir scratch;
    ASSERT_TRUE(MakeFile(scratch.Sub(L"five"), 5));
    ASSERT_TRUE(MakeFile(scratch.Sub(L"empty"), 0));
    EXPECT_EQ(5ULL, FYX_FSK_GetFileSize(scratch.Sub(L"five").c_str()));
    EXPECT_EQ(0ULL, FYX_FSK_GetFileSize(scratch.Sub(L"empty").c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetFileSize(scratch.Sub(L"missing").c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetFileSize(scratch.path().c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetFileSize(nullptr));

    HANDLE file = CreateFileW(scratch.Sub(L"five").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                              NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(5ULL, FYX_FSK_GetFileSizeByHandle(file));
    CloseHandle(file);
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetFileSizeByHandle(INVALID_HANDLE_VALUE));
}

TEST(FskSizes, LargeFileSizesKeepTheirHighPart) {
    ScratchDir scratch;
    std::wstring path = scratch.Sub(L"sparse");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER at;
    at.QuadPart = 5LL << 30;  // 5 GiB, past 32 bits; the file system keeps it sparse
    bool grown = SetFilePointerEx(file, at, NULL, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!grown) GTEST_SKIP() << "the temporary volume cannot hold a 5 GiB file";
    EXPECT_EQ(5ULL << 30, FYX_FSK_GetFileSize(path.c_str()));
    EXPECT_EQ(5ULL << 30, FYX_FSK_GetDirectorySizeInBytes(scratch.path().c_str()));
}

TEST(FskInformation, LineOfAFileOnDisk) {
    ScratchDir scratch;
    std::wstring path = scratch.Sub(L"info.txt");
    ASSERT_TRUE(MakeFile(path, 1234));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    std::wstring line = FYX_FSK_GetFileInformationBuffer(path.c_str());

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    FILETIME local;
    SYSTEMTIME t;
    ASSERT_TRUE(FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &t));
    EXPECT_EQ(std::wstring(FYX_FSK_CreateFileInformationBuffer(1234, t, data.dwFileAttributes)), line);
    EXPECT_EQ(0u, line.find(L"1 234 bytes, "));
    EXPECT_NE(std::wstring::npos, line.find(L", RA"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_STREQ(L"", FYX_FSK_GetFileInformationBuffer(scratch.Sub(L"missing").c_str()));
    EXPECT_STREQ(L"", FYX_FSK_GetFileInformationBuffer(L""));
}

TEST(FskVolumes, FreeAndTotalOfTheTemporaryVolume) {
    ScratchDir scratch;
    unsigned long long total = FYX_FSK_GetDiskTotalInBytes(scratch.path().c_str());
    unsigned long long available = FYX_FSK_GetDiskFreeSpaceInBytes(scratch.path().c_str());
    ASSERT_NE(FYX_FSK_UNREADABLE_SIZE, total);
    ASSERT_NE(FYX_FSK_UNREADABLE_SIZE, available);
    EXPECT_GT(total, 0ULL);
    EXPECT_LE(available, total);
    // A path that does not exist yet still lies on its volume.
    EXPECT_EQ(total, FYX_FSK_GetDiskTotalInBytes(scratch.Sub(L"not\\yet").c_str()));
    EXPECT_EQ(FYX_FSK_UNREADABLE_SIZE, FYX_FSK_GetDiskFreeSpaceInBytes(L""));
}

}  // namespace
