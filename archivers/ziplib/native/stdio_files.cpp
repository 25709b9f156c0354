// stdio streams for the native build.
#include "stdio_files.h"

#include <unistd.h>

namespace fyxzip {

StdioInput::StdioInput(FILE* f) : f_(f) {
    fseeko(f_, 0, SEEK_END);
    size_ = static_cast<uint64_t>(ftello(f_));
    fseeko(f_, 0, SEEK_SET);
}

StdioInput::~StdioInput() { fclose(f_); }

std::unique_ptr<StdioInput> StdioInput::Open(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    return std::unique_ptr<StdioInput>(new StdioInput(f));
}

bool StdioInput::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    if (offset != position_ && fseeko(f_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    *got = fread(buffer, 1, size, f_);
    position_ = offset + *got;
    return !ferror(f_);
}

StdioOutput::~StdioOutput() { Close(); }

std::unique_ptr<StdioOutput> StdioOutput::Create(const std::string& path) {
    FILE* f = fopen(path.c_str(), "w+b");
    if (!f) return nullptr;
    return std::unique_ptr<StdioOutput>(new StdioOutput(f));
}

bool StdioOutput::Write(const void* data, size_t size) {
    if (fwrite(data, 1, size, f_) != size) return false;
    position_ += size;
    return true;
}

bool StdioOutput::Seek(uint64_t position) {
    if (fseeko(f_, static_cast<off_t>(position), SEEK_SET) != 0) return false;
    position_ = position;
    return true;
}

bool StdioOutput::Truncate() { return fflush(f_) == 0 && ftruncate(fileno(f_), static_cast<off_t>(position_)) == 0; }

bool StdioOutput::Close() {
    if (!f_) return true;
    bool ok = fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

}  // namespace fyxzip
