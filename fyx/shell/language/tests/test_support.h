// Helpers of the language tests: test files of the source tree, content of
// language files.
#pragma once

#include <initializer_list>
#include <string>

#include "language.h"
#include "testkit.h"

// A file next to the tests in the source tree.
std::wstring TestSourceFile(const wchar_t* name);

// Language-file bytes: UTF-16LE.
std::string LanguageBytes(const std::wstring& text);
// Lines each ended by CR LF.
std::wstring JoinLines(const std::initializer_list<std::wstring>& lines);

// A table freed at the end of the scope.
struct ScopedTable {
    LanguageTable table = {};
    ~ScopedTable() { LanguageFree(&table); }
};
