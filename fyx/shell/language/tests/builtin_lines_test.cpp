// The built-in lines against a copy of the list taken independently of the table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "builtin_lines.h"
#include "test_support.h"

namespace {

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), (int)text.size(), NULL, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), (int)text.size(), &wide[0], length);
    return wide;
}

// "\n" in the data file stands for one LF.
std::string DecodeLineBreaks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Lines "<id>\t<text>", one per id.
bool ReadExpectedLines(std::vector<std::wstring>* lines) {
    std::string bytes;
    if (!ReadBytes(TestSourceFile(L"builtin_lines.txt"), &bytes)) return false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string row = bytes.substr(start, end - start);
        start = end + 1;
        size_t tab = row.find('\t');
        if (tab == std::string::npos) return false;
        if (std::stoul(row.substr(0, tab)) != lines->size()) return false;
        lines->push_back(FromUtf8(DecodeLineBreaks(row.substr(tab + 1))));
    }
    return true;
}

TEST(BuiltinLines, EveryLineMatchesTheList) {
    std::vector<std::wstring> expected;
    ASSERT_TRUE(ReadExpectedLines(&expected));
    ASSERT_EQ(expected.size(), (size_t)LANGUAGE_LINE_COUNT);
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
        ASSERT_NE(BuiltinLine(id), nullptr) << id;
        EXPECT_EQ(std::wstring(BuiltinLine(id)), expected[id]) << "line " << id;
    }
}

TEST(BuiltinLines, IdsOutOfRangeGiveEmptyText) {
    EXPECT_STREQ(BuiltinLine(LANGUAGE_LINE_COUNT), L"");
    EXPECT_STREQ(BuiltinLine(0xFFFFFFFFu), L"");
}

}  // namespace
