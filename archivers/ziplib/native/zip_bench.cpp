// Command-line packer and unpacker over the portable core, for the
// side-by-side benchmark (bench/run.sh):
//   zip_bench pack ARCHIVE FOLDER [LEVEL [THREADS]]
//   zip_bench unpack ARCHIVE FOLDER [THREADS]
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "stdio_files.h"
#include "zip_extract.h"
#include "zip_names.h"
#include "zip_reader.h"
#include "zip_time.h"
#include "zip_writer.h"

using namespace fyxzip;
namespace fs = std::filesystem;

namespace {

uint32_t LocalDos(time_t t) {
    struct tm local;
    localtime_r(&t, &local);
    CalendarTime c = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return CalendarToDos(c);
}

int Pack(const char* archivePath, const char* folder, int level, int threads) {
    std::vector<NewItem> items;
    fs::path root(folder);
    for (const fs::directory_entry& d : fs::recursive_directory_iterator(root)) {
        struct stat st;
        if (stat(d.path().c_str(), &st) != 0) continue;
        NewItem item;
        item.name = fs::relative(d.path(), root).generic_string();
        item.dosTime = LocalDos(st.st_mtime);
        item.fileTime = UnixToFileTime(st.st_mtime);
        if (d.is_directory()) {
            item.name += '/';
            item.attributes = 0x10;
        } else if (d.is_regular_file()) {
            item.sourcePath = d.path().string();
            item.size = static_cast<uint64_t>(st.st_size);
            item.attributes = 0x20;
        } else {
            continue;
        }
        items.push_back(item);
    }
    std::unique_ptr<StdioOutput> out = StdioOutput::Create(archivePath);
    if (!out) return 2;
    StdioOpener opener;
    WriteOptions options;
    options.level = level;
    options.threads = threads;
    WriteProgress progress;
    Result r = WriteArchive(*out, nullptr, BuildPlan(nullptr, items, kAddAndReplace), items, opener, options, progress);
    if (!out->Close() || r != kOk) {
        fprintf(stderr, "pack: %s\n", ResultText(r));
        return 1;
    }
    return 0;
}

struct FileSink : Sink {
    FILE* f = nullptr;
    bool Write(const uint8_t* data, size_t size) override { return fwrite(data, 1, size, f) == size; }
};

int Unpack(const char* archivePath, const char* folder, int threads) {
    std::unique_ptr<StdioInput> in = StdioInput::Open(archivePath);
    if (!in) return 2;
    Archive archive;
    if (archive.Open(in.get()) != kOk) return 2;
    const std::vector<Entry>& entries = archive.entries();
    std::vector<std::string> paths(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string safe;
        if (MakeSafeRelativePath(entries[i].name, &safe) == kNameRefused) continue;
        paths[i] = std::string(folder) + "/" + safe;
        fs::create_directories(entries[i].isFolder ? fs::path(paths[i]) : fs::path(paths[i]).parent_path());
    }
    // Entries are independent: each thread reads through its own handle.
    std::atomic<size_t> next(0);
    std::atomic<int> failures(0);
    auto work = [&]() {
        std::unique_ptr<StdioInput> file = StdioInput::Open(archivePath);
        Archive own;
        if (!file || own.Open(file.get()) != kOk) {
            ++failures;
            return;
        }
        for (size_t i = next++; i < entries.size(); i = next++) {
            if (paths[i].empty() || entries[i].isFolder) continue;
            FileSink sink;
            sink.f = fopen(paths[i].c_str(), "wb");
            if (!sink.f) {
                ++failures;
                continue;
            }
            static const size_t kBuffer = 1 << 20;
            setvbuf(sink.f, nullptr, _IOFBF, kBuffer);
            Result r = ExtractEntry(own, own.entries()[i], "", sink);
            if (fclose(sink.f) != 0 || r != kOk) ++failures;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
    for (std::thread& t : pool) t.join();
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    int cores = static_cast<int>(std::thread::hardware_concurrency());
    if (argc >= 4 && std::string(argv[1]) == "pack")
        return Pack(argv[2], argv[3], argc > 4 ? atoi(argv[4]) : 6, argc > 5 ? atoi(argv[5]) : 0);
    if (argc >= 4 && std::string(argv[1]) == "unpack") return Unpack(argv[2], argv[3], argc > 4 ? atoi(argv[4]) : cores);
    fprintf(stderr, "usage: zip_bench pack ARCHIVE FOLDER [LEVEL [THREADS]] | unpack ARCHIVE FOLDER [THREADS]\n");
    return 2;
}
