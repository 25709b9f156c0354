// Volumes, passwords and sinks for the reader tests.
#include "rar4_test_host.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include <zlib.h>

namespace rar4test {

std::string TestDataDir() {
    const char* dir = getenv("FYX_TESTDATA_DIR");
    if (!dir || !*dir) return "";
    std::string d = dir;
#ifdef _WIN32
    // The variable holds a Unix path; wine maps the root to drive Z:.
    if (!d.empty() && d[0] == '/') d = "Z:" + d;
    std::replace(d.begin(), d.end(), '/', '\\');
    return d + "\\rar\\";
#else
    return d + "/rar/";
#endif
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes->clear();
    uint8_t buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes->insert(bytes->end(), buffer, buffer + n);
    fclose(f);
    return true;
}

std::unique_ptr<fyxrar::Stream> FileHost::OpenVolume(const std::string& path) {
    for (const std::string& m : missing)
        if (path.size() >= m.size() && path.compare(path.size() - m.size(), m.size(), m) == 0) return nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes)) return nullptr;
    return std::unique_ptr<fyxrar::Stream>(new fyxrar::MemoryStream(std::move(bytes)));
}

bool FileHost::AskVolume(std::string* path) {
    asked.push_back(*path);
    return false;
}

bool FileHost::VolumeOpened(const std::string& path) {
    opened.push_back(path);
    return true;
}

bool FileHost::GetPassword(std::string* pw) {
    ++passwordAsks;
    *pw = password;
    return !password.empty();
}

bool FileHost::ProcessedData(const uint8_t* data, size_t size) {
    processed += size;
    return processed <= cancelAfter;
}

bool CrcSink::Write(const uint8_t* data, size_t n) {
    crc = (uint32_t)crc32(crc, data, (uInt)n);
    size += n;
    if (head.size() < 64) head.append((const char*)data, std::min(n, (size_t)64 - head.size()));
    return true;
}

fyxrar::Result OpenTestArchive(FileHost* host, const std::string& file, fyxrar::OpenMode mode,
                               std::unique_ptr<fyxrar::Reader>* reader, fyxrar::ArchiveInfo* info) {
    std::string path = TestDataDir() + file;
    std::unique_ptr<fyxrar::Stream> stream = host->OpenVolume(path);
    if (!stream) return fyxrar::kOpenError;
    return fyxrar::OpenArchive(host, path, std::move(stream), mode, reader, info);
}

}  // namespace rar4test
