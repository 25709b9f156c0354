// Temporary folders and whole-file reads and writes for the ZIP libraries'
// tests under wine.
#pragma once

#include <string>

namespace ziptest {

// A fresh folder under the temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::wstring& path, std::string* bytes);
bool FileExists(const std::wstring& path);
// The shared test archive of that name, as a Windows path.
std::wstring TestArchive(const char* name);

}  // namespace ziptest
