// The archive writer: a plan of kept and new entries written in order while
// worker threads deflate the new files that follow.
#include "zip_writer.h"

#include <string.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "zip_cipher.h"
#include "zip_format.h"
#include "zip_names.h"

extern "C" {
#include <zlib.h>
}

namespace fyxzip {
namespace {

const uint64_t kBytesInFlight = 512ull << 20;  // compressed jobs waiting to be written
const size_t kChunk = 1 << 20;
const uint32_t kMax32 = 0xFFFFFFFF;
const uint16_t kVersionMadeBy = 45;  // 4.5, MS-DOS attributes

// What the central directory needs of an entry once it is written.
struct Record {
    std::string rawName, localExtra, centralExtra, rawComment;
    uint16_t versionNeeded = 20, flags = 0, method = 0, internalAttributes = 0;
    uint32_t dosTime = 0, crc = 0, externalAttributes = 0;
    uint64_t compressedSize = 0, size = 0, offset = 0;
    uint16_t versionMadeBy = kVersionMadeBy;
};

std::string WithoutZip64(const std::string& extra) {
    std::string out;
    size_t pos = 0;
    while (pos + 4 <= extra.size()) {
        const uint8_t* p = reinterpret_cast<const uint8_t*>(extra.data()) + pos;
        size_t size = Get16(p + 2);
        if (pos + 4 + size > extra.size()) break;
        if (Get16(p) != kExtraZip64) out.append(extra, pos, 4 + size);
        pos += 4 + size;
    }
    return out;
}

std::string NtfsExtra(uint64_t fileTime) {
    std::string e;
    Put16(&e, kExtraNtfs);
    Put16(&e, 32);
    Put32(&e, 0);
    Put16(&e, 1);
    Put16(&e, 24);
    Put64(&e, fileTime);
    Put64(&e, fileTime);
    Put64(&e, fileTime);
    return e;
}

bool NeedsLocalZip64(const Record& r, bool force) { return force || r.size >= kMax32 || r.compressedSize >= kMax32; }

std::string LocalHeader(const Record& r, bool zip64) {
    std::string extra = r.localExtra;
    if (zip64) {
        Put16(&extra, kExtraZip64);
        Put16(&extra, 16);
        Put64(&extra, r.size);
        Put64(&extra, r.compressedSize);
    }
    std::string h;
    Put32(&h, kLocalHeaderSignature);
    Put16(&h, zip64 ? 45 : r.versionNeeded);
    Put16(&h, r.flags);
    Put16(&h, r.method);
    Put32(&h, r.dosTime);
    Put32(&h, r.crc);
    Put32(&h, zip64 ? kMax32 : uint32_t(r.compressedSize));
    Put32(&h, zip64 ? kMax32 : uint32_t(r.size));
    Put16(&h, uint16_t(r.rawName.size()));
    Put16(&h, uint16_t(extra.size()));
    h += r.rawName;
    h += extra;
    return h;
}

std::string CentralHeader(const Record& r, bool force) {
    bool bigSize = force || r.size >= kMax32, bigPacked = force || r.compressedSize >= kMax32;
    bool bigOffset = force || r.offset >= kMax32;
    std::string extra = r.centralExtra;
    if (bigSize || bigPacked || bigOffset) {
        std::string z;
        if (bigSize) Put64(&z, r.size);
        if (bigPacked) Put64(&z, r.compressedSize);
        if (bigOffset) Put64(&z, r.offset);
        Put16(&extra, kExtraZip64);
        Put16(&extra, uint16_t(z.size()));
        extra += z;
    }
    std::string h;
    Put32(&h, kCentralHeaderSignature);
    Put16(&h, r.versionMadeBy);
    Put16(&h, (bigSize || bigPacked || bigOffset) ? 45 : r.versionNeeded);
    Put16(&h, r.flags);
    Put16(&h, r.method);
    Put32(&h, r.dosTime);
    Put32(&h, r.crc);
    Put32(&h, bigPacked ? kMax32 : uint32_t(r.compressedSize));
    Put32(&h, bigSize ? kMax32 : uint32_t(r.size));
    Put16(&h, uint16_t(r.rawName.size()));
    Put16(&h, uint16_t(extra.size()));
    Put16(&h, uint16_t(r.rawComment.size()));
    Put16(&h, 0);
    Put16(&h, r.internalAttributes);
    Put32(&h, r.externalAttributes);
    Put32(&h, bigOffset ? kMax32 : uint32_t(r.offset));
    h += r.rawName;
    h += extra;
    h += r.rawComment;
    return h;
}

std::string DataDescriptor(const Record& r, bool zip64) {
    std::string d;
    Put32(&d, kDataDescriptorSignature);
    Put32(&d, r.crc);
    if (zip64) {
        Put64(&d, r.compressedSize);
        Put64(&d, r.size);
    } else {
        Put32(&d, uint32_t(r.compressedSize));
        Put32(&d, uint32_t(r.size));
    }
    return d;
}

Record RecordForItem(const NewItem& item, bool encrypt) {
    Record r;
    r.rawName = item.name;
    if (!IsAscii(item.name)) r.flags |= kFlagUtf8;
    if (encrypt && !item.sourcePath.empty()) r.flags |= kFlagEncrypted;
    r.dosTime = item.dosTime;
    r.externalAttributes = item.attributes;
    r.size = item.size;
    if (item.fileTime) {
        r.localExtra = NtfsExtra(item.fileTime);
        r.centralExtra = r.localExtra;
    }
    return r;
}

void EncryptionHeader(uint8_t check, uint8_t header[12]) {
    static std::mutex lock;
    static std::random_device device;
    static std::mt19937 generator(device());
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i < 11; ++i) header[i] = uint8_t(generator());
    header[11] = check;
}

// A new file deflated in memory by a worker.
struct Job {
    int item = -1;
    int state = 0;  // 0 waiting, 1 taken, 2 done
    Result result = kOk;
    uint16_t method = 0;
    uint32_t crc = 0;
    std::vector<uint8_t> data;
};

// Deflates `raw` at `level`; false when deflate would not make it smaller
// (it also gives up early on data that does not compress at all).
bool Deflate(const std::vector<uint8_t>& raw, int level, std::vector<uint8_t>* packed) {
    if (level <= 0 || raw.empty()) return false;
    z_stream zs;
    memset(&zs, 0, sizeof zs);
    if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    packed->resize(raw.size());
    zs.next_out = packed->data();
    zs.avail_out = static_cast<uInt>(packed->size());
    size_t pos = 0;
    bool smaller = true;
    for (;;) {
        size_t piece = std::min(raw.size() - pos, kChunk);
        zs.next_in = const_cast<Bytef*>(raw.data() + pos);
        zs.avail_in = static_cast<uInt>(piece);
        pos += piece;
        int flush = pos == raw.size() ? Z_FINISH : Z_NO_FLUSH;
        int z = deflate(&zs, flush);
        if (z == Z_STREAM_END) break;
        if (zs.avail_out == 0 || (z != Z_OK && z != Z_BUF_ERROR)) { smaller = false; break; }
        if (zs.total_in >= kChunk && zs.total_out > zs.total_in / 100 * 98) { smaller = false; break; }
    }
    size_t produced = zs.total_out;
    deflateEnd(&zs);
    if (!smaller || produced >= raw.size()) return false;
    packed->resize(produced);
    return true;
}

class Writer {
public:
    Writer(OutputFile& out, const Archive* old, const std::vector<PlanStep>& plan,
           const std::vector<NewItem>& items, SourceOpener& opener, const WriteOptions& options,
           WriteProgress& progress)
        : out_(out), old_(old), plan_(plan), items_(items), opener_(opener), options_(options), progress_(progress) {}

    Result Run();

private:
    void Worker();
    void Compress(Job& job);
    Result WriteOld(const Entry& e);
    Result WriteFromJob(const NewItem& item, Job& job, bool replacing);
    Result WriteStreamed(const NewItem& item, bool replacing);
    Result WriteFolder(const NewItem& item, bool replacing);
    Result WriteData(Record& r, const uint8_t* data, size_t size, TraditionalCipher* cipher);
    Result Put(const std::string& bytes) { return out_.Write(bytes.data(), bytes.size()) ? kOk : kWriteError; }
    Result Report(uint64_t bytes) { return progress_.BytesDone(bytes) ? kOk : kCancelled; }
    Result Finish();

    OutputFile& out_;
    const Archive* old_;
    const std::vector<PlanStep>& plan_;
    const std::vector<NewItem>& items_;
    SourceOpener& opener_;
    const WriteOptions& options_;
    WriteProgress& progress_;
    std::vector<Record> records_;
    bool openFailed_ = false;

    std::vector<Job> jobs_;
    std::vector<int> jobOfStep_;
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t nextJob_ = 0, writingJob_ = 0;
    uint64_t inFlight_ = 0;
    size_t window_ = 4;
    bool stop_ = false;
};

void Writer::Compress(Job& job) {
    const NewItem& item = items_[job.item];
    std::unique_ptr<InputFile> in = opener_.Open(item.sourcePath);
    if (!in) { job.result = kOpenError; return; }
    std::vector<uint8_t> raw;
    try {
        raw.resize(static_cast<size_t>(item.size));
    } catch (...) {
        job.result = kNoMemory;
        return;
    }
    if (!ReadExact(*in, 0, raw.data(), raw.size())) { job.result = kReadError; return; }
    job.crc = 0;
    for (size_t pos = 0; pos < raw.size(); pos += kChunk) {
        size_t n = std::min(kChunk, raw.size() - pos);
        job.crc = static_cast<uint32_t>(crc32(job.crc, raw.data() + pos, static_cast<uInt>(n)));
    }
    std::vector<uint8_t> packed;
    if (Deflate(raw, options_.level, &packed)) {
        job.method = kMethodDeflated;
        job.data.swap(packed);
    } else {
        job.method = kMethodStored;
        job.data.swap(raw);
    }
}

void Writer::Worker() {
    for (;;) {
        size_t k;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] {
                if (stop_ || nextJob_ >= jobs_.size()) return true;
                uint64_t size = items_[jobs_[nextJob_].item].size;
                return nextJob_ == writingJob_ ||
                       (nextJob_ < writingJob_ + window_ && inFlight_ + size <= kBytesInFlight);
            });
            if (stop_ || nextJob_ >= jobs_.size()) return;
            k = nextJob_++;
            jobs_[k].state = 1;
            inFlight_ += items_[jobs_[k].item].size;
        }
        try {
            Compress(jobs_[k]);
        } catch (...) {
            // An exception must not end the thread (and the process) here.
            jobs_[k].data.clear();
            jobs_[k].result = kNoMemory;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            jobs_[k].state = 2;
        }
        changed_.notify_all();
    }
}

Result Writer::WriteData(Record& r, const uint8_t* data, size_t size, TraditionalCipher* cipher) {
    if (!cipher) return out_.Write(data, size) ? kOk : kWriteError;
    std::vector<uint8_t> piece(std::min(size, kChunk));
    for (size_t pos = 0; pos < size; pos += kChunk) {
        size_t n = std::min(kChunk, size - pos);
        memcpy(piece.data(), data + pos, n);
        cipher->Encrypt(piece.data(), n);
        if (!out_.Write(piece.data(), n)) return kWriteError;
    }
    return kOk;
}

Result Writer::WriteOld(const Entry& e) {
    uint64_t dataStart;
    Result r = old_->DataOffset(e, &dataStart);
    if (r != kOk) return r;
    uint8_t h[kLocalHeaderSize];
    if (!ReadExact(*old_->file(), e.localHeaderOffset, h, sizeof h)) return kTruncated;
    std::string localExtra(Get16(h + 28), '\0');
    if (!ReadExact(*old_->file(), e.localHeaderOffset + kLocalHeaderSize + Get16(h + 26), &localExtra[0],
                   localExtra.size()))
        return kTruncated;
    Record rec;
    rec.rawName = e.rawName;
    rec.localExtra = WithoutZip64(localExtra);
    rec.centralExtra = WithoutZip64(e.centralExtra);
    rec.rawComment = e.rawComment;
    rec.versionNeeded = e.versionNeeded;
    rec.versionMadeBy = e.versionMadeBy;
    rec.flags = e.flags;
    rec.method = e.storedMethod;
    rec.internalAttributes = e.internalAttributes;
    rec.dosTime = e.dosTime;
    rec.crc = e.crc;
    rec.externalAttributes = e.externalAttributes;
    rec.compressedSize = e.compressedSize;
    rec.size = e.size;
    rec.offset = out_.Position();
    bool zip64 = NeedsLocalZip64(rec, options_.forceZip64);
    if ((r = Put(LocalHeader(rec, zip64))) != kOk) return r;
    std::vector<uint8_t> buffer(kChunk);
    for (uint64_t done = 0; done < e.compressedSize;) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, e.compressedSize - done));
        if (!ReadExact(*old_->file(), dataStart + done, buffer.data(), n)) return kTruncated;
        if (!out_.Write(buffer.data(), n)) return kWriteError;
        done += n;
    }
    if ((rec.flags & kFlagDataDescriptor) && (r = Put(DataDescriptor(rec, zip64))) != kOk) return r;
    records_.push_back(rec);
    return kOk;
}

Result Writer::WriteFolder(const NewItem& item, bool replacing) {
    if (!progress_.ItemStarted(item, replacing)) return kCancelled;
    Record rec = RecordForItem(item, false);
    rec.size = 0;
    rec.externalAttributes |= 0x10;
    rec.versionNeeded = 20;
    rec.offset = out_.Position();
    Result r = Put(LocalHeader(rec, options_.forceZip64));
    if (r == kOk) records_.push_back(rec);
    return r;
}

Result Writer::WriteFromJob(const NewItem& item, Job& job, bool replacing) {
    if (job.result != kOk) {
        progress_.ItemFailed(item, job.result);
        openFailed_ = true;
        return kOk;
    }
    if (!progress_.ItemStarted(item, replacing)) return kCancelled;
    bool encrypt = !options_.password.empty();
    Record rec = RecordForItem(item, encrypt);
    rec.method = job.method;
    rec.crc = job.crc;
    rec.compressedSize = job.data.size() + (encrypt ? 12 : 0);
    rec.offset = out_.Position();
    Result r = Put(LocalHeader(rec, NeedsLocalZip64(rec, options_.forceZip64)));
    if (r != kOk) return r;
    std::unique_ptr<TraditionalCipher> cipher;
    if (encrypt) {
        cipher.reset(new TraditionalCipher(options_.password));
        uint8_t header[12];
        EncryptionHeader(uint8_t(rec.crc >> 24), header);
        cipher->Encrypt(header, 12);
        if (!out_.Write(header, 12)) return kWriteError;
    }
    // Progress follows the written share of the data.
    const size_t total = job.data.size();
    for (size_t pos = 0; pos < total || pos == 0; pos += kChunk) {
        size_t n = std::min(kChunk, total - pos);
        if ((r = WriteData(rec, job.data.data() + pos, n, cipher.get())) != kOk) return r;
        uint64_t share = total ? item.size * (pos + n) / total - item.size * pos / total : 0;
        if ((r = Report(share)) != kOk) return r;
        if (total == 0) break;
    }
    records_.push_back(rec);
    return kOk;
}

// Large files: deflated while read, the header patched afterwards; stored
// again from the start when deflate does not pay.
Result Writer::WriteStreamed(const NewItem& item, bool replacing) {
    std::unique_ptr<InputFile> in = opener_.Open(item.sourcePath);
    if (!in) {
        progress_.ItemFailed(item, kOpenError);
        openFailed_ = true;
        return kOk;
    }
    if (!progress_.ItemStarted(item, replacing)) return kCancelled;
    bool encrypt = !options_.password.empty();
    Record rec = RecordForItem(item, encrypt);
    if (encrypt) rec.flags |= kFlagDataDescriptor;  // the check byte comes from the time
    rec.offset = out_.Position();
    const bool zip64 = NeedsLocalZip64(rec, options_.forceZip64);
    std::vector<uint8_t> raw(kChunk), packed(kChunk + kChunk / 8 + 1024);
    uint64_t reported = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool deflating = attempt == 0 && options_.level > 0;
        if (!out_.Seek(rec.offset)) return kWriteError;
        rec.method = deflating ? kMethodDeflated : kMethodStored;
        rec.crc = 0;
        rec.compressedSize = 0;
        Result r = Put(LocalHeader(rec, zip64));
        if (r != kOk) return r;
        const uint64_t dataStart = out_.Position();
        std::unique_ptr<TraditionalCipher> cipher;
        if (encrypt) {
            cipher.reset(new TraditionalCipher(options_.password));
            uint8_t header[12];
            EncryptionHeader(uint8_t(rec.dosTime >> 8), header);
            cipher->Encrypt(header, 12);
            if (!out_.Write(header, 12)) return kWriteError;
        }
        z_stream zs;
        memset(&zs, 0, sizeof zs);
        if (deflating && deflateInit2(&zs, options_.level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return kNoMemory;
        bool giveUp = false;
        uint32_t crc = 0;
        for (uint64_t done = 0; done < item.size;) {
            size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, item.size - done));
            if (n && !ReadExact(*in, done, raw.data(), n)) {
                if (deflating) deflateEnd(&zs);
                progress_.ItemFailed(item, kReadError);
                openFailed_ = true;
                out_.Seek(rec.offset);
                return out_.Truncate() ? kOk : kWriteError;
            }
            done += n;
            crc = static_cast<uint32_t>(crc32(crc, raw.data(), static_cast<uInt>(n)));
            if (!deflating) {
                if ((r = WriteData(rec, raw.data(), n, cipher.get())) != kOk) return r;
            } else {
                zs.next_in = raw.data();
                zs.avail_in = static_cast<uInt>(n);
                int flush = done == item.size ? Z_FINISH : Z_NO_FLUSH;
                int z;
                do {
                    zs.next_out = packed.data();
                    zs.avail_out = static_cast<uInt>(packed.size());
                    z = deflate(&zs, flush);
                    size_t got = packed.size() - zs.avail_out;
                    if (got && (r = WriteData(rec, packed.data(), got, cipher.get())) != kOk) {
                        deflateEnd(&zs);
                        return r;
                    }
                } while (zs.avail_out == 0 || (flush == Z_FINISH && z == Z_OK));
                // Data that does not compress at its start is stored from the start.
                if (done <= 4 * kChunk && zs.total_out > zs.total_in / 100 * 98) giveUp = true;
            }
            if (done > reported) {
                if ((r = Report(done - reported)) != kOk) {
                    if (deflating) deflateEnd(&zs);
                    return r;
                }
                reported = done;
            }
            if (giveUp) break;
        }
        if (deflating) deflateEnd(&zs);
        rec.crc = crc;
        rec.compressedSize = out_.Position() - dataStart;
        if (deflating && (giveUp || rec.compressedSize >= item.size + (encrypt ? 12 : 0))) continue;  // store instead
        if (rec.flags & kFlagDataDescriptor) {
            if ((r = Put(DataDescriptor(rec, zip64))) != kOk) return r;
        }
        const uint64_t end = out_.Position();
        if (!out_.Truncate() || !out_.Seek(rec.offset) || Put(LocalHeader(rec, zip64)) != kOk || !out_.Seek(end))
            return kWriteError;
        records_.push_back(rec);
        return kOk;
    }
    return kWriteError;
}

Result Writer::Finish() {
    const uint64_t cdStart = out_.Position();
    std::string cd;
    for (const Record& r : records_) {
        cd += CentralHeader(r, options_.forceZip64);
        if (cd.size() >= kChunk) {
            if (Put(cd) != kOk) return kWriteError;
            cd.clear();
        }
    }
    if (Put(cd) != kOk) return kWriteError;
    const uint64_t cdEnd = out_.Position(), cdSize = cdEnd - cdStart, count = records_.size();
    std::string comment = options_.comment;
    if (options_.keepComment && old_) {
        // The stored bytes of the old comment are kept as they were.
        comment = old_->rawComment();
    }
    if (comment.size() > 0xFFFF) comment.resize(0xFFFF);
    const bool zip64 = options_.forceZip64 || count >= 0xFFFF || cdStart >= kMax32 || cdSize >= kMax32;
    std::string tail;
    if (zip64) {
        Put32(&tail, kZip64EndSignature);
        Put64(&tail, kZip64EndSize - 12);
        Put16(&tail, kVersionMadeBy);
        Put16(&tail, 45);
        Put32(&tail, 0);
        Put32(&tail, 0);
        Put64(&tail, count);
        Put64(&tail, count);
        Put64(&tail, cdSize);
        Put64(&tail, cdStart);
        Put32(&tail, kZip64LocatorSignature);
        Put32(&tail, 0);
        Put64(&tail, cdEnd);
        Put32(&tail, 1);
    }
    Put32(&tail, kEndSignature);
    Put16(&tail, 0);
    Put16(&tail, 0);
    Put16(&tail, zip64 ? 0xFFFF : uint16_t(count));
    Put16(&tail, zip64 ? 0xFFFF : uint16_t(count));
    Put32(&tail, zip64 ? kMax32 : uint32_t(cdSize));
    Put32(&tail, zip64 ? kMax32 : uint32_t(cdStart));
    Put16(&tail, uint16_t(comment.size()));
    tail += comment;
    return Put(tail);
}

Result Writer::Run() {
    jobOfStep_.assign(plan_.size(), -1);
    for (size_t s = 0; s < plan_.size(); ++s) {
        int n = plan_[s].newIndex;
        if (n < 0 || items_[n].sourcePath.empty() || items_[n].size > options_.inMemoryLimit) continue;
        jobOfStep_[s] = static_cast<int>(jobs_.size());
        Job job;
        job.item = n;
        jobs_.push_back(job);
    }
    int threads = options_.threads > 0 ? options_.threads : static_cast<int>(std::thread::hardware_concurrency());
    if (threads < 1) threads = 1;
    if (threads > 64) threads = 64;
    window_ = static_cast<size_t>(threads) * 4;
    std::vector<std::thread> workers;
    if (!jobs_.empty()) {
        for (int i = 0; i < threads; ++i) workers.emplace_back(&Writer::Worker, this);
    }
    Result result = kOk;
    for (size_t s = 0; s < plan_.size() && result == kOk; ++s) {
        const PlanStep& step = plan_[s];
        if (step.oldIndex >= 0) {
            result = WriteOld(old_->entries()[step.oldIndex]);
        } else if (items_[step.newIndex].sourcePath.empty()) {
            result = WriteFolder(items_[step.newIndex], step.replacing);
        } else if (jobOfStep_[s] < 0) {
            result = WriteStreamed(items_[step.newIndex], step.replacing);
        } else {
            size_t k = static_cast<size_t>(jobOfStep_[s]);
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return jobs_[k].state == 2; });
            }
            result = WriteFromJob(items_[step.newIndex], jobs_[k], step.replacing);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                std::vector<uint8_t>().swap(jobs_[k].data);
                inFlight_ -= items_[jobs_[k].item].size;
                writingJob_ = k + 1;
            }
            changed_.notify_all();
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : workers) t.join();
    if (result != kOk) return result;
    result = Finish();
    if (result == kOk && openFailed_) return kOpenError;
    return result;
}

}  // namespace

std::vector<PlanStep> BuildPlan(const Archive* old, const std::vector<NewItem>& items, UpdateMode mode) {
    std::vector<PlanStep> plan;
    const size_t oldCount = old ? old->entries().size() : 0;
    std::vector<int> replacement(oldCount, -1);
    std::vector<bool> removed(oldCount, false), placed(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t o = 0; o < oldCount; ++o) {
            const Entry& e = old->entries()[o];
            if (!SameEntryName(e.name, items[i].name)) continue;
            if (mode == kDeleteNamed) {
                removed[o] = true;
            } else if (placed[i] && (mode == kAddAndReplace || mode == kUpdateNewer ||
                                     mode == kFreshenExisting) && replacement[o] < 0 &&
                       std::find(replacement.begin(), replacement.end(), int(i)) != replacement.end()) {
                removed[o] = true;  // a second old entry of the same name
            } else if (mode == kAddAndReplace || (items[i].dosTime > e.dosTime)) {
                replacement[o] = static_cast<int>(i);
            } else {
                placed[i] = true;  // an old entry as new as the item stays
            }
            if (mode != kDeleteNamed) placed[i] = placed[i] || replacement[o] == static_cast<int>(i);
        }
    }
    for (size_t o = 0; o < oldCount; ++o) {
        if (removed[o]) continue;
        PlanStep step;
        if (replacement[o] >= 0) {
            step.newIndex = replacement[o];
            step.replacing = true;
        } else {
            step.oldIndex = static_cast<int>(o);
        }
        plan.push_back(step);
    }
    if (mode == kAddAndReplace || mode == kUpdateNewer) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (placed[i]) continue;
            PlanStep step;
            step.newIndex = static_cast<int>(i);
            plan.push_back(step);
            placed[i] = true;
        }
    }
    return plan;
}

Result WriteArchive(OutputFile& out, const Archive* old, const std::vector<PlanStep>& plan,
                    const std::vector<NewItem>& items, SourceOpener& opener,
                    const WriteOptions& options, WriteProgress& progress) {
    Writer writer(out, old, plan, items, opener, options, progress);
    return writer.Run();
}

}  // namespace fyxzip
