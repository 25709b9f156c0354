// libFuzzer entry: one input is one RAR 1.5-4.x volume, walked in list and
// extract mode. Longer runs:
//   build/native/rarlib/rar4/tests/rar4_fuzz -max_total_time=600 -max_len=200000 NEW_EMPTY_DIR \
//       ../shared/testdata/rar archivers/rarlib/rar4/tests/fuzz_regressions
// (the first folder receives the new inputs; never name the shared one first).
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "rar_reader.h"

namespace {

class FuzzHost : public fyxrar::Host {
public:
    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string&) override { return nullptr; }
    bool GetPassword(std::string* pw) override {
        *pw = "password";
        return true;
    }
};

class NullSink : public fyxrar::DataSink {
public:
    bool Write(const uint8_t*, size_t) override { return true; }
};

void Walk(const uint8_t* data, size_t size, fyxrar::OpenMode mode) {
    FuzzHost host;
    std::unique_ptr<fyxrar::Reader> reader;
    fyxrar::ArchiveInfo info;
    std::unique_ptr<fyxrar::Stream> s(new fyxrar::MemoryStream(std::vector<uint8_t>(data, data + size)));
    if (fyxrar::OpenArchive(&host, "fuzz.rar", std::move(s), mode, &reader, &info) != fyxrar::kOk) return;
    fyxrar::EntryInfo e;
    NullSink sink;
    for (int i = 0; i < 256 && reader->NextEntry(&e) == fyxrar::kOk; ++i) reader->Extract(&sink);
}

}  // namespace

#ifdef FYX_RAR4_ONLY
// Built without the RAR 5.0 reader: such inputs are simply not opened.
std::unique_ptr<fyxrar::Reader> fyxrar::CreateRar5Reader() { return nullptr; }
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Walk(data, size, fyxrar::kModeExtract);
    Walk(data, size, fyxrar::kModeList);
    return 0;
}
