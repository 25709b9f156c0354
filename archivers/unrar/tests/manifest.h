// The shared RAR test archives as their MANIFEST.md describes them: files,
// passwords, expected entries and the result the official library gives.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace unrartest {

struct ManifestEntry {
    std::wstring name;  // '\' between parts
    std::string kind;   // "file", "dir", or a link description
    uint64_t unpacked = 0;
    uint64_t packed = 0;
    uint32_t crc = 0;
    bool hasCrc = false;
    unsigned method = 0;  // 0x30..0x35
    unsigned unpVer = 0;
    bool encrypted = false;
    int hostOs = -1;  // 2 or 3, -1 when not stated
    uint32_t attributes = 0;
};

struct ManifestArchive {
    std::string title;
    std::string file;  // the first volume
    int generation = 0;
    // Passwords: one for all encrypted entries, or one per named entry.
    std::string password;
    std::vector<std::pair<std::wstring, std::string>> perEntry;
    std::string comment;
    bool hasComment = false;
    std::vector<std::string> flags;  // "volume", "solid", "headerEncrypted" ...
    int stopCode = 0;  // ERAR_ code the official library stops with; 0 = none
    std::wstring stopEntry;  // the entry it stops on, when the manifest names one
    std::vector<ManifestEntry> entries;
};

std::vector<ManifestArchive> LoadManifest(const std::string& path);

}  // namespace unrartest
