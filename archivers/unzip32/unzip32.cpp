// UNZIP32.DLL: Wiz_SingleEntryUnzip unpacks, tests or lists one archive,
// asking its caller through the callback block where each entry goes and
// whether existing files are replaced, and reporting progress in lines.
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "unzip_api.h"
#include "unzip_paths.h"
#include "win32_files.h"
#include "zip_extract.h"
#include "zip_names.h"
#include "zip_reader.h"
#include "zip_time.h"

using namespace fyxzipwin;

namespace {

// The state of one call.
struct Job {
    UnzipOptions options;
    UnzipCallbacks* callbacks;
    std::vector<std::wstring> includes, excludes;
    std::wstring folder;  // extraction folder, ends with '\'
    std::string password;
    uint64_t totalDone = 0;
    int worst = kUzOk;
    bool cancelled = false;
    bool overwriteAll = false, skipAll = false;
    std::vector<std::pair<std::wstring, FILETIME>> folderTimes;
};

// A callback line; false when the caller asks to stop.
bool Print(Job& job, const std::string& line) {
    if (!job.callbacks->print) return true;
    std::string text = line;
    if (job.callbacks->print(&text[0], static_cast<unsigned long>(text.size())) == -1) job.cancelled = true;
    return !job.cancelled;
}

void Worsen(Job& job, int code) {
    // Warnings yield to errors; the first real error is kept.
    if (job.worst == kUzOk || job.worst == kUzWarning) job.worst = code;
}

int ErrorCode(fyxzip::Result r) {
    switch (r) {
    case fyxzip::kUnsupportedMethod:
    case fyxzip::kNoCrypto: return kUzUnsupported;
    case fyxzip::kNeedPassword:
    case fyxzip::kBadPassword: return kUzBadPassword;
    case fyxzip::kCancelled: return kUzCancelled;
    case fyxzip::kNoMemory: return kUzNoMemory;
    case fyxzip::kWriteError: return kUzDiskFull;
    default: return kUzError;
    }
}

bool Selected(const Job& job, const std::wstring& name) {
    bool ci = job.options.caseInsensitive != 0;
    if (!job.includes.empty()) {
        bool any = false;
        for (const std::wstring& p : job.includes) any = any || fyxzipwin::MatchesPattern(p, name, ci);
        if (!any) return false;
    }
    for (const std::wstring& p : job.excludes)
        if (fyxzipwin::MatchesPattern(p, name, ci)) return false;
    return true;
}

// Creates every missing folder of `path` (a folder path).
bool CreateFolders(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 0 && path[slash - 1] != L':' && !CreateFolders(path.substr(0, slash)))
        return false;
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Receives an entry's bytes into a file beside the target, created at the
// first byte so a refused password leaves nothing behind.
class FileSink : public fyxzip::Sink {
public:
    FileSink(Job& job, const std::wstring& path) : job_(job), path_(path) {}
    ~FileSink() override { Discard(); }
    bool Write(const uint8_t* data, size_t size) override {
        if (!Open()) return false;
        DWORD written = 0;
        if (!WriteFile(h_, data, static_cast<DWORD>(size), &written, nullptr) || written != size) {
            writeFailed = true;
            return false;
        }
        return Progress(job_, size);
    }
    static bool Progress(Job& job, size_t size) {
        job.totalDone += size;
        char line[64];
        snprintf(line, sizeof line, "filesize: %llu %llu", static_cast<unsigned long long>(job.totalDone),
                 static_cast<unsigned long long>(size));
        return Print(job, line);
    }
    bool Open() {
        if (h_ != INVALID_HANDLE_VALUE) return true;
        h_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h_ == INVALID_HANDLE_VALUE) writeFailed = true;
        return h_ != INVALID_HANDLE_VALUE;
    }
    bool Finish(const FILETIME& time) {
        if (!Open()) return false;
        SetFileTime(h_, nullptr, nullptr, &time);
        bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }
    void Discard() {
        if (h_ == INVALID_HANDLE_VALUE) return;
        CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        DeleteFileW(path_.c_str());
    }
    bool writeFailed = false;

private:
    Job& job_;
    std::wstring path_;
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

class StdoutSink : public fyxzip::Sink {
public:
    explicit StdoutSink(Job& job) : job_(job) {}
    bool Write(const uint8_t* data, size_t size) override {
        return Print(job_, std::string(reinterpret_cast<const char*>(data), size));
    }

private:
    Job& job_;
};

class CountSink : public fyxzip::Sink {
public:
    explicit CountSink(Job& job) : job_(job) {}
    bool Write(const uint8_t*, size_t size) override { return FileSink::Progress(job_, size); }

private:
    Job& job_;
};

// Unpacks into `sink`, asking for a password while it is missing or wrong
// (three tries for each entry).
fyxzip::Result ExtractWithPassword(Job& job, const fyxzip::Archive& archive, const fyxzip::Entry& e,
                                   const std::string& ansiName, fyxzip::Sink& sink) {
    for (int attempt = 0;; ++attempt) {
        fyxzip::Result r = fyxzip::ExtractEntry(archive, e, job.password, sink);
        if ((r != fyxzip::kNeedPassword && r != fyxzip::kBadPassword) || attempt >= 3 || !job.callbacks->password)
            return r;
        char buffer[128] = {0};
        if (job.callbacks->password(buffer, sizeof buffer, "Enter password: ", ansiName.c_str()) != 0) return r;
        buffer[sizeof buffer - 1] = 0;
        job.password = buffer;
        if (job.password.empty()) return r;
    }
}

void SendMessageLine(Job& job, const fyxzip::Entry& e, const std::string& outputName) {
    if (!job.callbacks->message) return;
    fyxzip::CalendarTime t = fyxzip::DosToCalendar(e.dosTime);
    unsigned factor = e.size ? static_cast<unsigned>(100 - std::min<uint64_t>(100, e.compressedSize * 100 / e.size)) : 0;
    const char* method = e.method == fyxzip::kMethodStored ? "Stored" : e.method == fyxzip::kMethodDeflated ? "Defl:N" : "Unk:###";
    auto clamp = [](uint64_t v) { return static_cast<unsigned long>(std::min<uint64_t>(v, 0xFFFFFFFFu)); };
    job.callbacks->message(clamp(e.size), clamp(e.compressedSize), factor, t.month, t.day, t.year, t.hour, t.minute,
                           e.encrypted() ? '*' : ' ', outputName.c_str(), method, e.crc, e.encrypted() ? 1 : 0,
                           e.Attributes(), e.dosTime);
}

// Decides whether an existing file is replaced; false keeps it.
bool MayReplace(Job& job, const fyxzip::Entry& e, const std::wstring& target, const std::string& queryName) {
    WIN32_FILE_ATTRIBUTE_DATA existing;
    if (!GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &existing)) return !job.options.freshen;
    FILETIME entryTime = EntryFileTime(e.fileTime, e.dosTime);
    // MS-DOS times have a 2-second grain; a file within it counts as as new.
    ULARGE_INTEGER a, b;
    a.LowPart = existing.ftLastWriteTime.dwLowDateTime;
    a.HighPart = existing.ftLastWriteTime.dwHighDateTime;
    b.LowPart = entryTime.dwLowDateTime;
    b.HighPart = entryTime.dwHighDateTime;
    bool older = a.QuadPart + 20000000ull < b.QuadPart;
    if ((job.options.freshen || job.options.extractOnlyNewer) && !older) return false;
    if (job.options.alwaysOverwrite || job.overwriteAll) return true;
    if (job.skipAll || !job.options.promptToOverwrite || !job.callbacks->replace) return false;
    std::string name = queryName;
    int answer = job.callbacks->replace(&name[0], older ? kUzQueryOlder : kUzQueryNotOlder);
    if (answer == kUzReplaceAll) job.overwriteAll = true;
    if (answer == kUzReplaceNone) job.skipAll = true;
    return answer == kUzReplaceYes || answer == kUzReplaceYesShort || answer == kUzReplaceAll;
}

void UnpackFile(Job& job, const fyxzip::Archive& archive, const fyxzip::Entry& e, const std::wstring& target,
                const std::string& queryName) {
    std::string outputName = WideToAnsi(target);
    SendMessageLine(job, e, outputName);
    DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
        Print(job, "error:  cannot create " + outputName + " (a folder of that name exists)");
        Worsen(job, kUzError);
        return;
    }
    if (existing != INVALID_FILE_ATTRIBUTES ? !MayReplace(job, e, target, queryName) : job.options.freshen != 0)
        return;
    size_t slash = target.find_last_of(L'\\');
    if (slash != std::wstring::npos && !CreateFolders(target.substr(0, slash))) {
        Print(job, "error:  cannot create folder for " + outputName);
        Worsen(job, kUzError);
        return;
    }
    if (!Print(job, std::string(e.method == fyxzip::kMethodStored ? " extracting: " : "  inflating: ") + outputName))
        return;
    // Written beside the target and put in its place only when complete, so a
    // damaged entry never destroys an existing file.
    std::wstring part = target + L".fyxpart";
    FileSink sink(job, part);
    fyxzip::Result r = ExtractWithPassword(job, archive, e, WideToAnsi(Utf8ToWide(e.name)), sink);
    bool finished = r == fyxzip::kOk && sink.Finish(EntryFileTime(e.fileTime, e.dosTime));
    if (r == fyxzip::kOk && !finished) r = fyxzip::kCreateError;
    if (finished) {
        if (existing != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            DWORD attributes = e.Attributes() & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
            SetFileAttributesW(target.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
            return;
        }
        r = fyxzip::kWriteError;
    }
    sink.Discard();
    DeleteFileW(part.c_str());
    if (job.cancelled || r == fyxzip::kCancelled) {
        job.cancelled = !sink.writeFailed || job.cancelled;
        if (job.cancelled) return;
        r = fyxzip::kWriteError;
    }
    Print(job, "error:  " + outputName + "  (" + fyxzip::ResultText(r) + ")");
    Worsen(job, ErrorCode(r));
}

void UnpackFolder(Job& job, const fyxzip::Entry& e, const std::wstring& target) {
    if (!CreateFolders(target)) {
        Print(job, "error:  cannot create folder " + WideToAnsi(target));
        Worsen(job, kUzError);
        return;
    }
    Print(job, "   creating: " + WideToAnsi(target) + "\\");
    job.folderTimes.push_back(std::make_pair(target, EntryFileTime(e.fileTime, e.dosTime)));
}

void TestEntry(Job& job, const fyxzip::Archive& archive, const fyxzip::Entry& e, const std::string& name) {
    if (e.isFolder) return;
    CountSink sink(job);
    fyxzip::Result r = ExtractWithPassword(job, archive, e, name, sink);
    if (job.cancelled) return;
    Print(job, "    testing: " + name + (r == fyxzip::kOk ? "   OK" : std::string("   ") + fyxzip::ResultText(r)));
    if (r != fyxzip::kOk) Worsen(job, ErrorCode(r));
}

void ListEntries(Job& job, const fyxzip::Archive& archive) {
    for (const fyxzip::Entry& e : archive.entries()) {
        fyxzip::CalendarTime t = fyxzip::DosToCalendar(e.dosTime);
        char line[96];
        snprintf(line, sizeof line, "%10llu  %04d-%02d-%02d %02d:%02d   ", static_cast<unsigned long long>(e.size),
                 t.year, t.month, t.day, t.hour, t.minute);
        if (!Print(job, line + WideToAnsi(Utf8ToWide(e.name)))) return;
    }
}

void SetFolderTimes(Job& job) {
    for (const auto& f : job.folderTimes) {
        HANDLE h = CreateFileW(f.first.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        SetFileTime(h, nullptr, nullptr, &f.second);
        CloseHandle(h);
    }
}

int Run(Job& job) {
    std::wstring archivePath = AnsiToWide(job.options.archiveName);
    std::unique_ptr<Win32Input> file = Win32Input::Open(archivePath);
    if (!file) return kUzNotFound;
    fyxzip::Archive archive;
    fyxzip::Result opened = archive.Open(file.get());
    if (opened == fyxzip::kNotZip) return kUzNotFound;
    if (opened != fyxzip::kOk) {
        Print(job, std::string("error:  ") + fyxzip::ResultText(opened));
        return kUzSevere;
    }
    uint64_t total = 0, packed = 0;
    for (const fyxzip::Entry& e : archive.entries()) {
        total += e.size;
        packed += e.compressedSize;
    }
    UnzipCallbacks& cb = *job.callbacks;
    cb.totalSize = static_cast<uint32_t>(std::min<uint64_t>(total, 0xFFFFFFFFu));
    cb.totalSizeCompressed = static_cast<uint32_t>(std::min<uint64_t>(packed, 0xFFFFFFFFu));
    cb.compressionFactor = total ? static_cast<uint32_t>(100 - std::min<uint64_t>(100, packed * 100 / total)) : 0;
    cb.numberOfMembers = static_cast<uint32_t>(archive.entries().size());
    cb.commentLength = static_cast<uint16_t>(archive.rawComment().size());
    if (job.options.showComment && !archive.comment().empty()) Print(job, WideToAnsi(Utf8ToWide(archive.comment())));
    if (job.options.verboseListing || job.options.archiveInfoOnly) {
        ListEntries(job, archive);
        return job.cancelled ? kUzCancelled : kUzOk;
    }
    std::wstring folder = AnsiToWide(job.options.extractFolder);
    if (folder.empty()) {
        wchar_t current[MAX_PATH];
        DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
        folder.assign(current, n < MAX_PATH ? n : 0);
    }
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    bool matchedAny = false;
    for (const fyxzip::Entry& e : archive.entries()) {
        if (job.cancelled) break;
        std::string safe;
        std::wstring storedName = Utf8ToWide(e.name);
        if (!Selected(job, storedName)) continue;
        matchedAny = true;
        if (fyxzip::MakeSafeRelativePath(e.name, &safe) == fyxzip::kNameRefused) {
            Print(job, "  skipping: " + WideToAnsi(storedName) + "  (unsafe name refused)");
            Worsen(job, kUzWarning);
            continue;
        }
        std::string queryName = WideToAnsi(Utf8ToWide(safe + (e.isFolder ? "/" : "")));
        if (job.options.testOnly) {
            TestEntry(job, archive, e, queryName);
            continue;
        }
        int answer = kUzSelectFullPath;
        if (cb.replace) {
            std::string q = queryName;
            answer = cb.replace(&q[0], kUzQuerySelect);
        }
        std::wstring windowsName = AnsiToWide(queryName.c_str());
        std::replace(windowsName.begin(), windowsName.end(), L'/', L'\\');
        std::wstring relative;
        if (!fyxunzip::ResolveSelection(windowsName, answer, job.options.recreateFolders != 0, &relative)) continue;
        // The name from the callback's form back to the exact stored spelling,
        // so characters outside the ANSI code page survive a full-path answer.
        if (answer == kUzSelectFullPath && job.options.recreateFolders) {
            relative = Utf8ToWide(safe);
            std::replace(relative.begin(), relative.end(), L'/', L'\\');
        }
        if (job.options.spacesToUnderscores) std::replace(relative.begin(), relative.end(), L' ', L'_');
        if (job.options.writeToStdout) {
            if (e.isFolder) continue;
            StdoutSink sink(job);
            fyxzip::Result r = ExtractWithPassword(job, archive, e, queryName, sink);
            if (r != fyxzip::kOk && !job.cancelled) Worsen(job, ErrorCode(r));
            continue;
        }
        if (e.isFolder) {
            if (job.options.recreateFolders) UnpackFolder(job, e, folder + relative);
        } else {
            UnpackFile(job, archive, e, folder + relative, queryName);
        }
        if (cb.service && !job.cancelled && cb.service(queryName.c_str(), static_cast<unsigned long>(e.size)) != 0)
            job.cancelled = true;
    }
    SetFolderTimes(job);
    if (job.cancelled) return kUzCancelled;
    if (!matchedAny && !job.includes.empty()) return kUzNothingMatched;
    return job.worst;
}

}  // namespace

FYXUNZIP_API int WINAPI Wiz_SingleEntryUnzip(int includeCount, char** includeNames, int excludeCount,
                                             char** excludeNames, UnzipOptions* options, UnzipCallbacks* callbacks) {
    if (!options || !callbacks || !options->archiveName) return kUzBadParameters;
    Job job;
    job.options = *options;
    job.callbacks = callbacks;
    for (int i = 0; includeNames && i < includeCount; ++i)
        if (includeNames[i]) job.includes.push_back(AnsiToWide(includeNames[i]));
    for (int i = 0; excludeNames && i < excludeCount; ++i)
        if (excludeNames[i]) job.excludes.push_back(AnsiToWide(excludeNames[i]));
    try {
        return Run(job);
    } catch (...) {
        return kUzNoMemory;  // nothing may leave the library as an exception
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) fyxzipwin::UseSystemOemCodePage();
    return TRUE;
}
