// Byte streams the core reads archives from and writes them to; the DLLs
// implement them over Win32 files, native tests over stdio or memory.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace fyxzip {

class InputFile {
public:
    virtual ~InputFile() {}
    // Reads up to `size` bytes at `offset`; *got is less than size only at the end.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) = 0;
    virtual uint64_t Size() = 0;
};

class OutputFile {
public:
    virtual ~OutputFile() {}
    virtual bool Write(const void* data, size_t size) = 0;
    // Moves the write position (to patch a header written earlier).
    virtual bool Seek(uint64_t position) = 0;
    virtual uint64_t Position() = 0;
    // Cuts the file at the current position.
    virtual bool Truncate() = 0;
};

// Reads exactly `size` bytes or fails.
bool ReadExact(InputFile& file, uint64_t offset, void* buffer, size_t size);

class MemoryInput : public InputFile {
public:
    MemoryInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    uint64_t Size() override { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

class MemoryOutput : public OutputFile {
public:
    bool Write(const void* data, size_t size) override;
    bool Seek(uint64_t position) override;
    uint64_t Position() override { return position_; }
    bool Truncate() override;
    std::vector<uint8_t> bytes;

private:
    uint64_t position_ = 0;
};

}  // namespace fyxzip
