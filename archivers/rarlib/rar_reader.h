// Reading RAR archives of both generations (1.5-4.x and 5.0): the record of
// one entry, the caller's side (volumes, password, progress) and the reader
// that a format implements. Portable: no Win32 here; names are UTF-8 with
// '/' between path parts.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

namespace fyxrar {

// Same numbers as the UnRAR interface's ERAR_ codes.
enum Result {
    kOk = 0,
    kEndArchive = 10,
    kNoMemory = 11,
    kBadData = 12,
    kBadArchive = 13,
    kUnknownFormat = 14,
    kOpenError = 15,
    kCreateError = 16,
    kCloseError = 17,
    kReadError = 18,
    kWriteError = 19,
    kSmallBuffer = 20,
    kUnknown = 21,  // also a cancel through the host
    kMissingPassword = 22,
    kReferenceError = 23,
    kBadPassword = 24,
    kLargeDictionary = 25,
};

// Same numbers as the UnRAR interface's open modes.
enum OpenMode {
    kModeList = 0,          // a file split over volumes is reported once
    kModeExtract = 1,       // entries are extracted, tested or skipped in order
    kModeListIncSplit = 2,  // one record per part of a split file
};

// Random-access bytes of one volume.
class Stream {
public:
    virtual ~Stream() {}
    // Reads up to `size` bytes at the current position; *got = 0 at the end.
    virtual bool Read(void* buffer, size_t size, size_t* got) = 0;
    virtual bool Seek(uint64_t position) = 0;
    virtual uint64_t Size() = 0;
};

// A stream over bytes held in memory (tests, fuzzing).
class MemoryStream : public Stream {
public:
    explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)), position_(0) {}
    bool Read(void* buffer, size_t size, size_t* got) override;
    bool Seek(uint64_t position) override;
    uint64_t Size() override { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
    uint64_t position_;
};

// What the reader asks of its caller. Every answer "false" stops the work.
class Host {
public:
    virtual ~Host() {}
    // Opens a volume; nullptr when it cannot be opened.
    virtual std::unique_ptr<Stream> OpenVolume(const std::string& path) = 0;
    // The next volume is missing: may put another path into *path; true = try again.
    virtual bool AskVolume(std::string* path) { return false; }
    // The next volume was opened; false stops.
    virtual bool VolumeOpened(const std::string& path) { return true; }
    // A password is needed (UTF-8); false or an empty text = none.
    virtual bool GetPassword(std::string* password) { return false; }
    // Unpacked bytes as they are produced (extract and test); false cancels.
    virtual bool ProcessedData(const uint8_t* data, size_t size) { return true; }
};

// Where extracted bytes go. Write returns false on a write error.
class DataSink {
public:
    virtual ~DataSink() {}
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

enum HostOs { kHostMsDos = 0, kHostOs2 = 1, kHostWin32 = 2, kHostUnix = 3, kHostMacOs = 4, kHostBeOs = 5 };
enum HashKind { kHashNone = 0, kHashCrc32 = 1, kHashBlake2 = 2 };

struct ArchiveInfo {
    int generation = 0;  // 4 (1.5-4.x) or 5
    bool volume = false;
    bool firstVolume = false;
    bool solid = false;
    bool locked = false;
    bool recoveryRecord = false;
    bool encryptedHeaders = false;
    bool newNumbering = false;  // "name.partNN.rar" rather than "name.rNN"
    bool hasComment = false;
    std::string comment;  // UTF-8
};

struct EntryInfo {
    std::string name;  // UTF-8, '/' between parts, as stored (not yet made safe)
    uint64_t packedSize = 0;  // of this part (list incsplit) or of the first part (list)
    uint64_t unpackedSize = 0;
    bool unpackedSizeUnknown = false;
    uint32_t attributes = 0;  // host attributes as stored (Windows bits or Unix mode)
    HostOs hostOs = kHostWin32;
    uint32_t unpackVersion = 0;  // 15, 20, 26, 29, 36 (4.x); 50, 70 (5.0)
    uint32_t method = 0;  // 0x30 stored ... 0x35 best
    uint64_t dictionarySize = 0;  // bytes
    HashKind hashKind = kHashNone;
    uint32_t crc32 = 0;
    uint8_t blake2[32] = {};
    // Times as Windows FILETIME values (100 ns since 1601, UTC); 0 = not stored.
    uint64_t modified = 0;
    uint64_t created = 0;
    uint64_t accessed = 0;
    uint32_t dosTime = 0;  // modification time in MS-DOS packed form (local time as stored)
    bool directory = false;
    bool encrypted = false;
    bool solid = false;  // uses the data of earlier entries
    bool splitBefore = false;
    bool splitAfter = false;
    bool symlink = false;
    bool hardlink = false;
    bool fileCopy = false;  // a reference to an earlier entry (5.0)
    std::string linkTarget;  // UTF-8, for links and references
};

// One generation's reader. Calls go: Open, then NextEntry and exactly one of
// Extract / Skip per entry, until NextEntry gives kEndArchive or an error.
class Reader {
public:
    virtual ~Reader() {}
    // `first` is the opened volume named `path`; `signatureAt` is where the
    // signature was found (after a self-extracting module).
    virtual Result Open(Host* host, const std::string& path, std::unique_ptr<Stream> first,
                        uint64_t signatureAt, OpenMode mode, ArchiveInfo* info) = 0;
    virtual Result NextEntry(EntryInfo* entry) = 0;
    // Unpacks the current entry (following it over volumes) into `sink`, or
    // only checks it when sink is nullptr; verifies its CRC32 or BLAKE2sp.
    virtual Result Extract(DataSink* sink) = 0;
    // Moves past the current entry (in a solid archive opened for extraction
    // it is still unpacked, since later entries need its data).
    virtual Result Skip() = 0;
};

std::unique_ptr<Reader> CreateRar4Reader();
std::unique_ptr<Reader> CreateRar5Reader();

// Finds the signature in the first `limit` bytes: 4 or 5 for the generation
// (with *offset), 0 when none.
int FindSignature(Stream* stream, uint64_t limit, uint64_t* offset);

// Opens the right reader for a stream: kBadArchive when no RAR signature.
Result OpenArchive(Host* host, const std::string& path, std::unique_ptr<Stream> stream,
                   OpenMode mode, std::unique_ptr<Reader>* reader, ArchiveInfo* info);

// Name of the volume after `current`: "x.part01.rar" -> "x.part02.rar" with
// new numbering, "x.rar" -> "x.r00" -> "x.r01" ... "x.r99" -> "x.s00" without.
std::string NextVolumeName(const std::string& current, bool newNumbering);

}  // namespace fyxrar
