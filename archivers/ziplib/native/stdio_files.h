// Files of the native build: ZIP core streams over stdio, and a source opener.
#pragma once

#include <stdio.h>

#include <memory>
#include <string>

#include "zip_io.h"
#include "zip_writer.h"

namespace fyxzip {

class StdioInput : public InputFile {
public:
    explicit StdioInput(FILE* f);
    ~StdioInput() override;
    static std::unique_ptr<StdioInput> Open(const std::string& path);
    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    uint64_t Size() override { return size_; }

private:
    FILE* f_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};

class StdioOutput : public OutputFile {
public:
    explicit StdioOutput(FILE* f) : f_(f) {}
    ~StdioOutput() override;
    static std::unique_ptr<StdioOutput> Create(const std::string& path);
    bool Write(const void* data, size_t size) override;
    bool Seek(uint64_t position) override;
    uint64_t Position() override { return position_; }
    bool Truncate() override;
    bool Close();

private:
    FILE* f_;
    uint64_t position_ = 0;
};

class StdioOpener : public SourceOpener {
public:
    std::unique_ptr<InputFile> Open(const std::string& path) override { return StdioInput::Open(path); }
};

}  // namespace fyxzip
