// Path splitting, path shapes, masks and extensions: tables of cases through the exports.
#include <gtest/gtest.h>

#include <string>

#include "fsk.h"

namespace {

struct PathCase {
    const wchar_t* path;
    const wchar_t* last;
    const wchar_t* parent;
    const wchar_t* withoutFirst;
};

const PathCase kPathCases[] = {
    {L"C:\\a\\b", L"b", L"C:\\a", L"a\\b"},
    {L"C:\\a\\b\\", L"b", L"C:\\a", L"a\\b\\"},
    {L"C:\\a", L"a", L"C:\\", L"a"},
    {L"C:\\", L"", L"C:\\", L""},
    {L"C:", L"", L"C:", L""},
    {L"name.txt", L"name.txt", L"", L""},
    {L"top\\sub\\leaf", L"leaf", L"top\\sub", L"sub\\leaf"},
    {L"top", L"top", L"", L""},
    {L"\\\\server\\share\\dir\\f", L"f", L"\\\\server\\share\\dir", L"dir\\f"},
    {L"\\\\server\\share\\dir", L"dir", L"\\\\server\\share\\", L"dir"},
    {L"\\\\server\\share", L"", L"\\\\server\\share", L""},
    {L"\\dir\\f", L"f", L"\\dir", L"dir\\f"},
    {L"C:/a/b", L"b", L"C:/a", L"a/b"},
    {L"", L"", L"", L""},
};

TEST(FskPaths, SplitsEveryShapeOfPath) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(testing::Message() << "path: " << std::wstring(c.path).size() << " units, case "
                                        << (&c - kPathCases));
        EXPECT_STREQ(c.last, FYX_FSK_GetLastPathString(c.path));
        EXPECT_STREQ(c.parent, FYX_FSK_GetPathWithoutLastPath(c.path));
        EXPECT_STREQ(c.parent, FYX_FSK_CutPath(c.path));
        EXPECT_STREQ(c.withoutFirst, FYX_FSK_CutPathLeft(c.path));
    }
}

TEST(FskPaths, CuttingUpEndsAtTheRoot) {
    // The parent-directories menu cuts until the root comes back unchanged.
    std::wstring path = L"C:\\one\\two\\three";
    const wchar_t* expected[] = {L"C:\\one\\two", L"C:\\one", L"C:\\", L"C:\\"};
    for (const wchar_t* e : expected) {
        path = FYX_FSK_CutPath(path.c_str());
        EXPECT_EQ(std::wstring(e), path);
    }
}

TEST(FskPaths, NullCountsAsEmpty) {
    EXPECT_STREQ(L"", FYX_FSK_GetLastPathString(nullptr));
    EXPECT_STREQ(L"", FYX_FSK_CutPath(nullptr));
    EXPECT_STREQ(L"", FYX_FSK_UpdateLastPathString(nullptr, nullptr));
    EXPECT_STREQ(L"", FYX_FSK_UpdateDirectoryPath(nullptr));
    EXPECT_FALSE(FYX_FSK_IsPathValidLength(nullptr));
}

TEST(FskPaths, ResultsAreCopiesNotTheCallersText) {
    wchar_t path[] = L"C:\\dir\\file";
    const wchar_t* last = FYX_FSK_GetLastPathString(path);
    path[7] = L'X';
    EXPECT_STREQ(L"file", last);
}

struct NormaliseCase {
    const wchar_t* in;
    const wchar_t* out;
};

const NormaliseCase kNormaliseCases[] = {
    {L"C:\\a\\b\\", L"C:\\a\\b"},
    {L"C:/a//b/", L"C:\\a\\b"},
    {L"  C:\\a  ", L"C:\\a"},
    {L"C:", L"C:\\"},
    {L"c:\\", L"c:\\"},
    {L"C:\\a\\.\\b\\..\\c", L"C:\\a\\c"},
    {L"C:\\a\\..\\..\\..\\b", L"C:\\b"},
    {L"C:\\..", L"C:\\"},
    {L"\\\\srv\\share\\\\x\\", L"\\\\srv\\share\\x"},
    {L"\\\\srv\\share", L"\\\\srv\\share\\"},
    {L"\\\\srv\\share\\x\\..\\..", L"\\\\srv\\share\\"},
    {L"rel\\..\\..\\x", L"..\\x"},
    {L"a\\b\\", L"a\\b"},
    {L"", L""},
};

TEST(FskPaths, NormalisesDirectories) {
    for (const NormaliseCase& c : kNormaliseCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kNormaliseCases));
        EXPECT_STREQ(c.out, FYX_FSK_UpdateDirectoryPath(c.in));
    }
}

TEST(FskPaths, NormalisedTargetInsideSourceIsSeenAsInside) {
    // A typed "..\a\d\sub\" from C:\a names a folder inside C:\a\d: once normalised the
    // copy tool's substring test ("C:\a\d\" in target + "\") can see it.
    std::wstring target = FYX_FSK_UpdateDirectoryPath(L"C:\\a\\..\\a\\d\\sub\\");
    EXPECT_NE(std::wstring::npos, (target + L"\\").find(L"C:\\a\\d\\"));
}

struct ShapeCase {
    const wchar_t* text;
    BOOL rooted;
    BOOL directoryOnly;
    BOOL usable;
};

const ShapeCase kShapeCases[] = {
    {L"C:\\dir", TRUE, FALSE, TRUE},
    {L"C:\\dir\\", TRUE, TRUE, TRUE},
    {L"d:/x/", TRUE, TRUE, TRUE},
    {L"C:", TRUE, TRUE, TRUE},
    {L"C:rel", FALSE, FALSE, TRUE},
    {L"\\\\srv\\share\\x", TRUE, FALSE, TRUE},
    {L"\\dir", FALSE, FALSE, TRUE},
    {L"sub\\", FALSE, TRUE, TRUE},
    {L"..", FALSE, TRUE, TRUE},
    {L"C:\\a\\..", TRUE, TRUE, TRUE},
    {L"*.bak", FALSE, FALSE, TRUE},
    {L"", FALSE, FALSE, FALSE},
    {L"a\tb", FALSE, FALSE, FALSE},
};

TEST(FskPaths, TellsTheShapeOfTypedTargets) {
    for (const ShapeCase& c : kShapeCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kShapeCases));
        EXPECT_EQ(c.rooted, FYX_FSK_IncludePathRootPath(c.text));
        EXPECT_EQ(c.directoryOnly, FYX_FSK_IsPathOnlyPath(c.text));
        EXPECT_EQ(c.usable, FYX_FSK_IsPathValidLength(c.text));
    }
}

TEST(FskPaths, UsableLengthEndsAt259Units) {
    std::wstring text(259, L'a');
    EXPECT_TRUE(FYX_FSK_IsPathValidLength(text.c_str()));
    text += L'a';
    EXPECT_FALSE(FYX_FSK_IsPathValidLength(text.c_str()));
}

struct MaskCase {
    const wchar_t* mask;
    const wchar_t* name;
    const wchar_t* result;
};

const MaskCase kMaskCases[] = {
    {L"*.*", L"report.txt", L"report.txt"},
    {L"*.*", L"a.", L"a."},
    {L"*", L"archive.tar.gz", L"archive.tar.gz"},
    {L"", L"x.y", L"x.y"},
    {L"*.bak", L"report.txt", L"report.bak"},
    {L"*.bak", L"README", L"README.bak"},
    {L"*.bak", L"archive.tar.gz", L"archive.tar.bak"},
    {L"*.", L"report.txt", L"report"},
    {L"new.*", L"report.txt", L"new.txt"},
    {L"*_old.*", L"report.txt", L"report_old.txt"},
    {L"x_*", L"report.txt", L"x_report.txt"},
    {L"???.*", L"abcdef.txt", L"abc.txt"},
    {L"?\?-*.?", L"abcdef.txt", L"ab-cdef.t"},
    {L"?????????.*", L"ab.txt", L"ab.txt"},
    {L"copy.txt", L"report.doc", L"copy.txt"},
    {L"plain", L"report.doc", L"plain"},
    {L"*.*", L".profile", L".profile"},
    {L"*.bak", L".profile", L".profile.bak"},
    {L"*.TXT", L"report.txt", L"report.TXT"},
    {L"*.t\xD83D\xDE00t", L"a.b", L"a.t\xD83D\xDE00t"},
};

TEST(FskMasks, ReshapeNamesAsTwoPanelUsersExpect) {
    for (const MaskCase& c : kMaskCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kMaskCases));
        EXPECT_STREQ(c.result, FYX_FSK_UpdateLastPathString(c.mask, c.name));
    }
}

struct ExtensionCase {
    const wchar_t* name;
    const wchar_t* extension;
    const wchar_t* without;
};

const ExtensionCase kExtensionCases[] = {
    {L"archive.tar.gz", L"gz", L"archive.tar"},
    {L"photo.JPG", L"JPG", L"photo"},
    {L".profile", L"", L".profile"},
    {L"name.", L"", L"name."},
    {L"noext", L"", L"noext"},
    {L"a.b", L"b", L"a"},
    {L"C:\\dir.d\\file", L"", L"C:\\dir.d\\file"},
    {L"C:\\dir.d\\file.txt", L"txt", L"C:\\dir.d\\file"},
    {L"C:\\dir\\.hidden", L"", L"C:\\dir\\.hidden"},
    {L"", L"", L""},
};

TEST(FskNames, ExtensionIsAfterTheLastInnerDot) {
    for (const ExtensionCase& c : kExtensionCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kExtensionCases));
        EXPECT_STREQ(c.extension, FYX_FSK_GetFileExtension(c.name));
        EXPECT_STREQ(c.without, FYX_FSK_PathRemoveExtension(c.name));
    }
}

TEST(FskNames, RunsOfOneCharacterBecomeSingle) {
    const struct {
        const wchar_t* text;
        wchar_t character;
        const wchar_t* result;
    } cases[] = {
        {L"C:\\\\a\\\\\\b", L'\\', L"C:\\a\\b"},
        {L"**.**", L'*', L"*.*"},
        {L"a...b..", L'.', L"a.b."},
        {L"aa\\\\", L'.', L"aa\\\\"},
        {L"", L'x', L""},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.result, FYX_FSK_RemoveDuplicateCharInString(c.text, c.character));
}

TEST(FskPaths, OverlongInputIsCutNotOverrun) {
    std::wstring huge(40000, L'a');
    huge[20000] = L'\\';
    const wchar_t* last = FYX_FSK_GetLastPathString(huge.c_str());
    EXPECT_EQ(19999u, wcslen(last));
    EXPECT_EQ(32767u, wcslen(FYX_FSK_RemoveDuplicateCharInString(huge.c_str(), L'x')));
}

}  // namespace

namespace {

DWORD WINAPI OtherThreadSplits(void* param) {
    const wchar_t** seen = (const wchar_t**)param;
    *seen = FYX_FSK_GetLastPathString(L"D:\\other\\thread");
    return 0;
}

TEST(FskBuffers, EachThreadKeepsItsOwnResult) {
    // A tool's worker and its window thread both call the library.
    const wchar_t* mine = FYX_FSK_GetLastPathString(L"C:\\window\\thread");
    const wchar_t* theirs = nullptr;
    HANDLE thread = CreateThread(NULL, 0, OtherThreadSplits, &theirs, 0, NULL);
    ASSERT_NE((HANDLE)NULL, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_STREQ(L"thread", mine);
    EXPECT_NE(mine, theirs);
    EXPECT_STREQ(L"window\\thread", FYX_FSK_CutPathLeft(L"C:\\window\\thread"));
    EXPECT_STREQ(L"thread", mine);
}

}  // namespace
