// A fresh folder under the temporary folder for one test, removed with everything in it,
// also below MAX_PATH depth.
#pragma once

#include <windows.h>

#include <string>

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring Sub(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// "\\?\" form of an absolute path, for paths beyond MAX_PATH.
std::wstring LongForm(const std::wstring& path);
bool MakeDir(const std::wstring& path);
bool MakeFile(const std::wstring& path, size_t bytes);
