// libFuzzer target: any bytes as the first volume of an archive, every entry
// unpacked to nowhere. Finds crashes, hangs and memory faults of the decoders.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "rar5_unpack.h"
#include "rar_reader.h"

namespace {

// No further volumes, no password; unpacked data is dropped.
class NullHost : public fyxrar::Host {
public:
    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string&) override { return nullptr; }
    bool GetPassword(std::string* out) override {
        *out = "password";
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Hostile headers may ask for dictionaries of gigabytes.
    fyxrar::SetDictionaryLimit(64 << 20);
    NullHost host;
    const fyxrar::OpenMode modes[] = {fyxrar::kModeExtract, fyxrar::kModeListIncSplit};
    for (fyxrar::OpenMode mode : modes) {
        std::unique_ptr<fyxrar::Stream> s(new fyxrar::MemoryStream(std::vector<uint8_t>(data, data + size)));
        std::unique_ptr<fyxrar::Reader> reader;
        fyxrar::ArchiveInfo info;
        if (fyxrar::OpenArchive(&host, "fuzz.rar", std::move(s), mode, &reader, &info) != fyxrar::kOk) continue;
        fyxrar::EntryInfo entry;
        // Extraction unpacks every entry; the listing walks the headers only.
        for (int n = 0; n < 1000 && reader->NextEntry(&entry) == fyxrar::kOk; ++n) {
            if (mode == fyxrar::kModeExtract) {
                reader->Extract(nullptr);
            } else {
                reader->Skip();
            }
        }
    }
    return 0;
}
