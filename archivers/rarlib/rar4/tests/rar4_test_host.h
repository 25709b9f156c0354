// Test side of the reader: volumes from the shared test folder, a password,
// and sinks that keep what was extracted.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "rar_reader.h"

namespace rar4test {

// Folder of the shared RAR test archives ("" when not configured).
std::string TestDataDir();
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes);

class FileHost : public fyxrar::Host {
public:
    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string& path) override;
    bool AskVolume(std::string* path) override;
    bool VolumeOpened(const std::string& path) override;
    bool GetPassword(std::string* password) override;
    bool ProcessedData(const uint8_t* data, size_t size) override;

    std::string password;
    int passwordAsks = 0;
    std::vector<std::string> opened;
    std::vector<std::string> asked;
    std::vector<std::string> missing;  // volume names that "do not exist"
    uint64_t processed = 0;
    uint64_t cancelAfter = ~(uint64_t)0;  // ProcessedData refuses beyond this
};

class CrcSink : public fyxrar::DataSink {
public:
    bool Write(const uint8_t* data, size_t size) override;
    uint32_t crc = 0;
    uint64_t size = 0;
    std::string head;  // first bytes
};

// Opens `file` of the test folder through OpenArchive.
fyxrar::Result OpenTestArchive(FileHost* host, const std::string& file, fyxrar::OpenMode mode,
                               std::unique_ptr<fyxrar::Reader>* reader, fyxrar::ArchiveInfo* info);

}  // namespace rar4test
