// The RAR 1.5-4.x reader: walks the blocks of a volume set and unpacks entries.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rar4_crypt.h"
#include "rar4_headers.h"
#include "rar4_unpack.h"
#include "rar_reader.h"

namespace fyxrar {
namespace rar4 {

class EntrySource;

class Rar4Reader : public Reader {
public:
    Rar4Reader();
    ~Rar4Reader() override;
    Result Open(Host* host, const std::string& path, std::unique_ptr<Stream> first, uint64_t signatureAt, OpenMode mode,
                ArchiveInfo* info) override;
    Result NextEntry(EntryInfo* entry) override;
    Result Extract(DataSink* sink) override;
    Result Skip() override;

private:
    friend class EntrySource;
    // One block as read from the current volume (decrypted when headers are).
    struct Block {
        BlockHead head;
        std::vector<uint8_t> bytes;  // the whole header
        uint64_t dataPos = 0;
        uint64_t dataSize = 0;
    };

    Result ReadBlock(Block* block);
    uint64_t DataEnd(const Block& block) const;
    Result ReadAt(uint64_t pos, void* buffer, size_t size);
    Result ReadMainHeader(uint64_t at);
    Result OpenNextVolume();
    Result NeedPassword();
    // Moves the entry's data range to its part in the next volume.
    Result NextPart(uint64_t* pos, uint64_t* end);
    Result Decode(DataSink* sink, bool report);
    void ReadComment(ArchiveInfo* info);
    bool DecodeCommentData(const FileHeader& h, const std::vector<uint8_t>& data, uint32_t crcMask, std::string* text);
    bool ReadOldComment(const uint8_t* block, size_t size, std::string* text);
    void ReadLinkTarget(EntryInfo* entry);

    Host* host_ = nullptr;
    OpenMode mode_ = kModeList;
    std::string path_;
    std::unique_ptr<Stream> volume_;
    uint64_t volumeSize_ = 0;
    uint64_t next_ = 0;
    uint16_t mainFlags_ = 0;
    std::vector<uint8_t> mainHeader_;
    bool encryptedHeaders_ = false;
    bool newNumbering_ = false;
    std::string password_;
    bool havePassword_ = false;
    KeyCache keys_;
    std::unique_ptr<Unpacker> unpacker_;
    Result broken_ = kOk;
    bool atEnd_ = false;

    bool haveEntry_ = false;
    bool entryDone_ = true;
    FileHeader current_;
    uint64_t dataPos_ = 0, dataEnd_ = 0;
    bool currentSplitAfter_ = false;  // of the part read last
    uint32_t finalCrc_ = 0;  // from the last part's header
    bool lastSplitAfter_ = false;
};

}  // namespace rar4
}  // namespace fyxrar
