// Files for the library: archive volumes read through Win32, and extracted
// entries written with their folders, times and attributes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "rar_reader.h"

namespace fyxunrar {

// The form of `path` that Win32 file functions take: paths too long for
// MAX_PATH get the "\\?\" prefix (after being made absolute).
std::wstring Win32Path(const std::wstring& path);

// Opens a volume for reading, shared with writers; nullptr when missing.
std::unique_ptr<fyxrar::Stream> OpenVolumeFile(const std::wstring& path);

// Creates every missing folder of `path` (not the last part).
void CreateParentFolders(const std::wstring& path);

// Writes one extracted file.
class OutputFile : public fyxrar::DataSink {
public:
    OutputFile() : handle_(INVALID_HANDLE_VALUE), failed_(false) {}
    ~OutputFile() override { Close(); }
    // Replaces an existing file (also a read-only one).
    bool Create(const std::wstring& path);
    bool Write(const uint8_t* data, size_t size) override;
    void SetTimes(const fyxrar::EntryInfo& entry);
    bool Close();
    // Removes the file again (a failed or cancelled extraction).
    void Discard();

private:
    HANDLE handle_;
    std::wstring path_;
    bool failed_;
};

// Times as FILETIME; RAR 4.x entries may only have the local DOS time.
bool EntryModified(const fyxrar::EntryInfo& entry, FILETIME* out);

// Windows attributes for an entry (Unix modes are translated).
DWORD EntryAttributes(const fyxrar::EntryInfo& entry);

// Creates a folder entry with its attributes and times.
bool CreateFolderEntry(const std::wstring& path, const fyxrar::EntryInfo& entry);

}  // namespace fyxunrar
