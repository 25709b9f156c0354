// Win32 side of the ZIP core shared by Zip32.dll, UNZIP32.DLL and list.dll:
// file streams, text conversions and time stamps.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "zip_io.h"
#include "zip_writer.h"

namespace fyxzipwin {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::wstring AnsiToWide(const char* text);
// Characters without an ANSI form become '?'.
std::string WideToAnsi(const std::wstring& text);

class Win32Input : public fyxzip::InputFile {
public:
    explicit Win32Input(HANDLE h);
    ~Win32Input() override;
    static std::unique_ptr<Win32Input> Open(const std::wstring& path);
    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    uint64_t Size() override { return size_; }

private:
    HANDLE h_;
    uint64_t size_ = 0;
};

// Buffered: headers are small, so writes are gathered before they reach the file.
class Win32Output : public fyxzip::OutputFile {
public:
    explicit Win32Output(HANDLE h) : h_(h) {}
    ~Win32Output() override;
    // `createNew`: fails when the file exists.
    static std::unique_ptr<Win32Output> Create(const std::wstring& path, bool createNew);
    bool Write(const void* data, size_t size) override;
    bool Seek(uint64_t position) override;
    uint64_t Position() override { return position_; }
    bool Truncate() override;
    bool Close();
    HANDLE handle() const { return h_; }

private:
    bool Flush();
    HANDLE h_;
    std::vector<uint8_t> buffer_;
    uint64_t bufferStart_ = 0;  // file position of buffer_[0]
    uint64_t position_ = 0;
    bool failed_ = false;
};

class Win32Opener : public fyxzip::SourceOpener {
public:
    std::unique_ptr<fyxzip::InputFile> Open(const std::string& path) override;
};

// '*' and '?' patterns; '/' and '\\' match each other.
bool MatchesPattern(const std::wstring& pattern, const std::wstring& name, bool caseInsensitive);

// Names without the UTF-8 flag are read in the system's OEM code page
// (code page 437 stays the core's own table).
void UseSystemOemCodePage();

// MS-DOS form of a file time in local time.
uint32_t FileTimeToDos(const FILETIME& utc);
// A UTC file time from an entry: its NTFS/Unix time, else its DOS local time.
FILETIME EntryFileTime(uint64_t fileTime, uint32_t dosTime);

}  // namespace fyxzipwin
