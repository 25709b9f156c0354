// Helpers of the language tests: folders and files, content of language files.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "language.h"

// A Unix path of the build machine as wine sees it.
std::wstring WinePath(const std::string& unixPath);
// Folder of the built programs (FYX_BIN_DIR).
std::wstring ProductFolder();
// A file next to the tests in the source tree.
std::wstring TestSourceFile(const wchar_t* name);
std::wstring Join(const std::wstring& folder, const std::wstring& name);

bool ReadBytes(const std::wstring& path, std::string* bytes);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

// A fresh folder under the temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return Join(path_, name); }

private:
    std::wstring path_;
};

// Language-file bytes: UTF-16LE.
std::string LanguageBytes(const std::wstring& text);
// Lines each ended by CR LF.
std::wstring JoinLines(const std::initializer_list<std::wstring>& lines);

// A table freed at the end of the scope.
struct ScopedTable {
    LanguageTable table = {};
    ~ScopedTable() { LanguageFree(&table); }
};
