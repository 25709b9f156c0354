// libFuzzer target for the reader: any bytes must open or fail cleanly, and
// unpacking must never produce more than an entry's stated size.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "zip_extract.h"
#include "zip_names.h"
#include "zip_reader.h"

namespace {

// Stops an entry after a few MiB so a run stays fast.
struct BoundedSink : fyxzip::Sink {
    uint64_t bytes = 0;
    bool Write(const uint8_t*, size_t size) override {
        bytes += size;
        return bytes < (8u << 20);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fyxzip::MemoryInput input(data, size);
    fyxzip::Archive archive;
    if (archive.Open(&input) != fyxzip::kOk) return 0;
    int n = 0;
    for (const fyxzip::Entry& e : archive.entries()) {
        if (++n > 64) break;
        std::string path;
        fyxzip::NameSafety safety = fyxzip::MakeSafeRelativePath(e.name, &path);
        if (safety != fyxzip::kNameRefused) {
            // No empty, "." or ".." part, no root, no drive, no stream.
            if (path.empty() || path[0] == '/' || path.find(':') != std::string::npos) abort();
            size_t start = 0;
            while (start <= path.size()) {
                size_t end = path.find('/', start);
                if (end == std::string::npos) end = path.size();
                std::string part = path.substr(start, end - start);
                if (part.empty() || part == "." || part == "..") abort();
                start = end + 1;
            }
        }
        BoundedSink sink;
        fyxzip::Result r = fyxzip::ExtractEntry(archive, e, "x", sink);
        if (sink.bytes > e.size && sink.bytes < (8u << 20)) abort();
        if (r == fyxzip::kOk && sink.bytes != e.size) abort();
    }
    return 0;
}
