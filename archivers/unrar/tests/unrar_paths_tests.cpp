// Stored names made safe for writing under a destination folder.
#include <gtest/gtest.h>

#include "unrar_paths.h"

namespace fyxunrar {
namespace {

TEST(SafeRelativePath, KeepsOrdinaryNamesAndTakesOutEscapes) {
    const struct {
        const wchar_t* stored;
        const wchar_t* safe;
    } kCases[] = {
        {L"a.txt", L"a.txt"},
        {L"dir/sub/a.txt", L"dir\\sub\\a.txt"},
        {L"dir\\a.txt", L"dir\\a.txt"},
        {L"../../evil.txt", L"evil.txt"},
        {L"a/../../b.txt", L"a\\b.txt"},
        {L"..\\..\\win.txt", L"win.txt"},
        {L"/etc/passwd", L"etc\\passwd"},
        {L"\\\\server\\share\\x", L"server\\share\\x"},
        {L"C:\\Windows\\x.dll", L"Windows\\x.dll"},
        {L"c:relative.txt", L"relative.txt"},
        {L"a.txt:stream", L"a.txt_stream"},
        {L"dir/x:y/z", L"dir\\x_y\\z"},
        {L"CON", L"_CON"},
        {L"dir/nul.txt", L"dir\\_nul.txt"},
        {L"com1", L"_com1"},
        {L"LPT9.log", L"_LPT9.log"},
        {L"com10", L"com10"},
        {L"console.txt", L"console.txt"},
        {L"... /x", L"x"},
        {L"name. ", L"name"},
        {L"a\x01?*<>|\"b", L"a_______b"},
        {L"..", L""},
        {L"", L""},
    };
    for (const auto& c : kCases) EXPECT_EQ(SafeRelativePath(c.stored), c.safe) << c.stored;
}

TEST(JoinDestination, AddsOneSeparator) {
    EXPECT_EQ(JoinDestination(L"C:\\out", L"a\\b"), L"C:\\out\\a\\b");
    EXPECT_EQ(JoinDestination(L"C:\\out\\", L"a"), L"C:\\out\\a");
    EXPECT_EQ(JoinDestination(L"", L"a"), L"a");
}

}  // namespace
}  // namespace fyxunrar
