// Writing a ZIP archive: new entries deflated on all cores (stored when
// deflate does not help), entries of an existing archive copied unchanged,
// ZIP64 records where sizes, offsets or the count need them.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "zip_io.h"
#include "zip_reader.h"
#include "zip_result.h"

namespace fyxzip {

struct NewItem {
    std::string name;        // UTF-8 entry name, '/' between parts; folders end with '/'
    std::string sourcePath;  // the file to read; empty for a folder
    uint64_t size = 0;
    uint64_t fileTime = 0;   // NTFS modification time (UTC), 0 when unknown
    uint32_t dosTime = 0;    // local time in MS-DOS form
    uint32_t attributes = 0; // Windows attributes
};

class SourceOpener {
public:
    virtual ~SourceOpener() {}
    // Opens a source file for reading; nullptr when it cannot be opened.
    virtual std::unique_ptr<InputFile> Open(const std::string& path) = 0;
};

// Called on the thread that writes, never from the compressing threads.
class WriteProgress {
public:
    virtual ~WriteProgress() {}
    // A new entry begins; `replacing` when it takes the place of an old one. False cancels.
    virtual bool ItemStarted(const NewItem& item, bool replacing) { return true; }
    // Uncompressed bytes of the current item written since the last call. False cancels.
    virtual bool BytesDone(uint64_t bytes) { return true; }
    // A source could not be read; the entry is left out and the work goes on.
    virtual void ItemFailed(const NewItem& item, Result why) {}
};

struct WriteOptions {
    int level = 6;          // 0 stores everything
    int threads = 0;        // 0: one per processor
    std::string password;   // not empty: traditional PKWARE encryption of new files
    bool forceZip64 = false;
    // Files up to this size are deflated whole in memory by the workers;
    // larger ones are deflated while they are written.
    uint64_t inMemoryLimit = 64ull << 20;
    bool keepComment = true;
    std::string comment;    // used when keepComment is false or there is no old archive
};

// One entry of the archive to write, in order: an old entry kept or a new item.
struct PlanStep {
    int oldIndex = -1;   // entry of the old archive to copy
    int newIndex = -1;   // item to add
    bool replacing = false;
};

enum UpdateMode {
    kAddAndReplace,    // every item is added; old entries of the same name are replaced
    kUpdateNewer,      // like add, but an old entry is replaced only by a newer item
    kFreshenExisting,  // only old entries are replaced, and only by newer items
    kDeleteNamed,      // old entries named by the items are removed
};

// Decides which old entries stay and where the new items go; names compare
// folding ASCII case. Old entries keep their order, a replacement takes the
// place of the entry it replaces, additions follow.
std::vector<PlanStep> BuildPlan(const Archive* old, const std::vector<NewItem>& items, UpdateMode mode);

// Writes the whole archive; items that fail to open are left out (see
// WriteProgress::ItemFailed) and reported as kOpenError when all else went well.
Result WriteArchive(OutputFile& out, const Archive* old, const std::vector<PlanStep>& plan,
                    const std::vector<NewItem>& items, SourceOpener& opener,
                    const WriteOptions& options, WriteProgress& progress);

}  // namespace fyxzip
