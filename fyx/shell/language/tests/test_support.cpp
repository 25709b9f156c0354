// Helpers of the language tests.
#include "test_support.h"

std::wstring TestSourceFile(const wchar_t* name) {
    return fyxtest::JoinPath(fyxtest::FromUnixPath(FYX_LANGUAGE_TEST_DIR), name);
}

std::string LanguageBytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += (char)(unit & 0xFF);
        bytes += (char)(unit >> 8);
    }
    return bytes;
}

std::wstring JoinLines(const std::initializer_list<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}
