// Native helpers for tests, fuzzing and benchmarks: volumes read from disk
// with stdio, and a host that answers with fixed choices.
#pragma once

#include <stdio.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "rar_reader.h"

namespace fyxrar {

class FileStream : public Stream {
public:
    explicit FileStream(FILE* f) : f_(f) {}
    ~FileStream() override { fclose(f_); }
    bool Read(void* buffer, size_t size, size_t* got) override {
        *got = fread(buffer, 1, size, f_);
        return !ferror(f_);
    }
    bool Seek(uint64_t position) override { return fseeko(f_, (off_t)position, SEEK_SET) == 0; }
    uint64_t Size() override {
        off_t at = ftello(f_);
        fseeko(f_, 0, SEEK_END);
        off_t size = ftello(f_);
        fseeko(f_, at, SEEK_SET);
        return (uint64_t)size;
    }

private:
    FILE* f_;
};

inline std::unique_ptr<Stream> OpenFileStream(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    return std::unique_ptr<Stream>(new FileStream(f));
}

class FileHost : public Host {
public:
    std::string password;
    std::set<std::string> missing;  // volume paths that "do not exist"
    int asked = 0;
    int opened = 0;
    uint64_t processed = 0;
    uint64_t cancelAfter = ~(uint64_t)0;  // cancel once this many bytes went by

    std::unique_ptr<Stream> OpenVolume(const std::string& path) override {
        if (missing.count(path)) return nullptr;
        return OpenFileStream(path);
    }
    bool AskVolume(std::string*) override {
        ++asked;
        return false;
    }
    bool VolumeOpened(const std::string&) override {
        ++opened;
        return true;
    }
    bool GetPassword(std::string* out) override {
        if (password.empty()) return false;
        *out = password;
        return true;
    }
    bool ProcessedData(const uint8_t*, size_t size) override {
        processed += size;
        return processed < cancelAfter;
    }
};

inline Result OpenArchiveFile(Host* host, const std::string& path, OpenMode mode,
                              std::unique_ptr<Reader>* reader, ArchiveInfo* info) {
    std::unique_ptr<Stream> s = OpenFileStream(path);
    if (!s) return kOpenError;
    return OpenArchive(host, path, std::move(s), mode, reader, info);
}

}  // namespace fyxrar
