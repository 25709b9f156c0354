// Memory streams and the exact-read helper.
#include "zip_io.h"

#include <string.h>

namespace fyxzip {

bool ReadExact(InputFile& file, uint64_t offset, void* buffer, size_t size) {
    size_t got = 0;
    return file.ReadAt(offset, buffer, size, &got) && got == size;
}

bool MemoryInput::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    if (offset >= size_) return true;
    size_t n = size_ - static_cast<size_t>(offset);
    if (n > size) n = size;
    if (n) memcpy(buffer, data_ + offset, n);
    *got = n;
    return true;
}

bool MemoryOutput::Write(const void* data, size_t size) {
    if (position_ + size > bytes.size()) bytes.resize(static_cast<size_t>(position_ + size));
    if (size) memcpy(bytes.data() + position_, data, size);
    position_ += size;
    return true;
}

bool MemoryOutput::Seek(uint64_t position) {
    if (position > bytes.size()) return false;
    position_ = position;
    return true;
}

bool MemoryOutput::Truncate() {
    bytes.resize(static_cast<size_t>(position_));
    return true;
}

}  // namespace fyxzip
