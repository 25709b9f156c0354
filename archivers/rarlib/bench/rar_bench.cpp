// Extraction speed of our RAR decoder against libarchive's, side by side in
// one run: every compressed sample that both decode to the same bytes is
// unpacked from memory repeatedly; the ratio of our time to theirs is printed.
#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <stdio.h>
#include <string.h>
#include <zlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "file_host.h"
#include "rar_reader.h"

namespace {

// Bytes held elsewhere, read without copying them first.
class ViewStream : public fyxrar::Stream {
public:
    explicit ViewStream(const std::vector<uint8_t>& b) : b_(b), pos_(0) {}
    bool Read(void* out, size_t size, size_t* got) override {
        size_t left = pos_ < b_.size() ? b_.size() - (size_t)pos_ : 0;
        *got = size < left ? size : left;
        memcpy(out, b_.data() + pos_, *got);
        pos_ += *got;
        return true;
    }
    bool Seek(uint64_t p) override {
        pos_ = p;
        return true;
    }
    uint64_t Size() override { return b_.size(); }

private:
    const std::vector<uint8_t>& b_;
    uint64_t pos_;
};

struct CrcSink : fyxrar::DataSink {
    uLong crc = 0;
    uint64_t bytes = 0;
    bool Write(const uint8_t* d, size_t n) override {
        crc = crc32(crc, d, (uInt)n);
        bytes += n;
        return true;
    }
};

struct NoHost : fyxrar::Host {
    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string&) override { return nullptr; }
};

// Our decoder: CRC32 over all unpacked bytes; false on any failure.
bool OursOnce(const std::vector<uint8_t>& bytes, uint32_t* crc, uint64_t* total) {
    NoHost host;
    std::unique_ptr<fyxrar::Reader> reader;
    fyxrar::ArchiveInfo info;
    std::unique_ptr<fyxrar::Stream> s(new ViewStream(bytes));
    if (fyxrar::OpenArchive(&host, "bench.rar", std::move(s), fyxrar::kModeExtract, &reader, &info) != fyxrar::kOk)
        return false;
    CrcSink sink;
    fyxrar::EntryInfo e;
    fyxrar::Result r;
    while ((r = reader->NextEntry(&e)) == fyxrar::kOk) {
        if (e.symlink || e.directory) {
            reader->Skip();
            continue;
        }
        if (reader->Extract(&sink) != fyxrar::kOk) return false;
    }
    *crc = (uint32_t)sink.crc;
    *total = sink.bytes;
    return r == fyxrar::kEndArchive;
}

bool TheirsOnce(const std::vector<uint8_t>& bytes, uint32_t* crc, uint64_t* total) {
    struct archive* a = archive_read_new();
    archive_read_support_format_rar(a);
    archive_read_support_format_rar5(a);
    bool ok = archive_read_open_memory(a, bytes.data(), bytes.size()) == ARCHIVE_OK;
    uLong c = 0;
    uint64_t n = 0;
    struct archive_entry* entry;
    int header;
    // A warning (a name the locale cannot show) still gives the entry.
    while (ok && ((header = archive_read_next_header(a, &entry)) == ARCHIVE_OK || header == ARCHIVE_WARN)) {
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const void* buf;
        size_t size;
        la_int64_t offset;
        int r;
        while ((r = archive_read_data_block(a, &buf, &size, &offset)) == ARCHIVE_OK) {
            c = crc32(c, (const Bytef*)buf, (uInt)size);
            n += size;
        }
        if (r != ARCHIVE_EOF) ok = false;
    }
    archive_read_free(a);
    *crc = (uint32_t)c;
    *total = n;
    return ok;
}

// Seconds per extraction, repeated until at least `budget` seconds passed.
template <typename F>
double Time(F once, const std::vector<uint8_t>& bytes, double budget) {
    uint32_t crc;
    uint64_t total;
    int runs = 0;
    auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    do {
        once(bytes, &crc, &total);
        ++runs;
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (elapsed < budget);
    return elapsed / runs;
}

}  // namespace

int main(int argc, char** argv) {
    setlocale(LC_ALL, "C.UTF-8");
    std::string dir = argc > 1 ? argv[1] : "shared/testdata/rar";
    const char* samples[] = {
        "libarchive__test_read_format_rar5_compressed.rar", "libarchive__test_read_format_rar5_solid.rar",
        "libarchive__test_read_format_rar5_win32.rar",      "libarchive__test_read_format_rar5_arm.rar",
        "libarchive__test_read_format_rar5_blake2.rar",     "sharpcompress__Rar5.rar",
        "libarchive__test_read_format_rar_compress_normal.rar", "libarchive__test_read_format_rar_compress_best.rar",
        "libarchive__test_read_format_rar_filter.rar",      "sharpcompress__Rar.rar",
        "sharpcompress__Rar.Audio_program.rar",             "sharpcompress__Rar2.rar",
        "rarfile__rar3-solid.rar",
    };
    double budget = 0.5;
    int compared = 0, slower = 0;
    double sumOurs = 0, sumTheirs = 0;
    printf("%-55s %10s %12s %12s %7s\n", "archive", "bytes", "ours (ms)", "libarchive", "ratio");
    for (const char* name : samples) {
        std::unique_ptr<fyxrar::Stream> s = fyxrar::OpenFileStream(dir + "/" + name);
        if (!s) {
            printf("%-55s missing\n", name);
            continue;
        }
        std::vector<uint8_t> bytes((size_t)s->Size());
        size_t got = 0;
        s->Read(bytes.data(), bytes.size(), &got);
        uint32_t ourCrc = 0, theirCrc = 0;
        uint64_t ourBytes = 0, theirBytes = 0;
        bool ours = OursOnce(bytes, &ourCrc, &ourBytes);
        bool theirs = TheirsOnce(bytes, &theirCrc, &theirBytes);
        if (!ours || !theirs || ourCrc != theirCrc || ourBytes != theirBytes) {
            printf("%-55s skipped (ours %s, libarchive %s%s)\n", name, ours ? "ok" : "fails",
                   theirs ? "ok" : "fails", ours && theirs ? ", different output" : "");
            continue;
        }
        double a = Time(OursOnce, bytes, budget);
        double b = Time(TheirsOnce, bytes, budget);
        ++compared;
        if (a > b) ++slower;
        sumOurs += a;
        sumTheirs += b;
        printf("%-55s %10llu %12.3f %12.3f %7.2f\n", name, (unsigned long long)ourBytes, a * 1e3, b * 1e3, a / b);
    }
    if (compared == 0) return 1;
    printf("\n%d archives compared, ours slower on %d; total time ratio %.2f\n", compared, slower, sumOurs / sumTheirs);
    return slower == 0 ? 0 : 2;
}
