// Zip32.dll: ZpInit keeps the caller's callbacks, ZpSetOptions its options,
// ZpArchive packs the named files into a new archive written beside the old
// one, which it replaces only when complete.
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "win32_files.h"
#include "zip_api.h"
#include "zip_collect.h"
#include "zip_names.h"
#include "zip_writer.h"

using namespace fyxzipwin;

namespace {

// Copies of what the caller set up: the library keeps no caller pointers.
struct Settings {
    ZipCallbacks callbacks = {};
    ZipOptions options = {};
    std::string date, rootFolder, tempFolder;
};

Settings g_settings;

class PrintProgress : public fyxzip::WriteProgress {
public:
    explicit PrintProgress(const Settings& s) : s_(s) {}
    bool ItemStarted(const fyxzip::NewItem& item, bool replacing) override {
        std::wstring name = Utf8ToWide(item.name);
        std::replace(name.begin(), name.end(), L'/', L'\\');
        if (s_.callbacks.service && current_.size() &&
            s_.callbacks.service(current_.c_str(), static_cast<unsigned long>(currentSize_)) != 0)
            return false;
        current_ = WideToAnsi(name);
        currentSize_ = item.size;
        if (s_.options.quiet) return true;
        return Print((replacing ? "updating: " : "  adding: ") + current_);
    }
    bool BytesDone(uint64_t bytes) override {
        char line[40];
        snprintf(line, sizeof line, "s: %llu", static_cast<unsigned long long>(bytes));
        return Print(line);
    }
    void ItemFailed(const fyxzip::NewItem& item, fyxzip::Result why) override {
        Print("  zip warning: could not read " + WideToAnsi(Utf8ToWide(item.name)) + " (" + fyxzip::ResultText(why) + ")");
    }
    bool Print(const std::string& line) {
        if (!s_.callbacks.print) return true;
        std::string text = line;
        return s_.callbacks.print(&text[0], static_cast<unsigned long>(text.size())) != -1;
    }

private:
    const Settings& s_;
    std::string current_;
    uint64_t currentSize_ = 0;
};

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
    return n > 0 && n < MAX_PATH * 4 ? std::wstring(buffer, n) : path;
}

int LevelOf(char c) { return c >= '0' && c <= '9' ? c - '0' : 6; }

int CodeOf(fyxzip::Result r) {
    switch (r) {
    case fyxzip::kOk: return kZpOk;
    case fyxzip::kCancelled: return kZpCancelled;
    case fyxzip::kNoMemory: return kZpNoMemory;
    case fyxzip::kOpenError: return kZpOpenError;
    case fyxzip::kReadError: return kZpReadError;
    case fyxzip::kWriteError: return kZpWriteError;
    case fyxzip::kTooLarge: return kZpTooBig;
    default: return kZpFormat;
    }
}

// Entries of the old archive named by the delete patterns, as items for the plan.
std::vector<fyxzip::NewItem> EntriesToDelete(const fyxzip::Archive& old, const std::vector<std::wstring>& names) {
    std::vector<fyxzip::NewItem> items;
    for (const fyxzip::Entry& e : old.entries()) {
        std::wstring entry = Utf8ToWide(e.name);
        for (std::wstring pattern : names) {
            std::replace(pattern.begin(), pattern.end(), L'\\', L'/');
            bool match = false;
            if (pattern.find_first_of(L"*?") != std::wstring::npos) {
                std::wstring trimmed = entry;
                if (!trimmed.empty() && trimmed.back() == L'/') trimmed.pop_back();
                match = MatchesPattern(pattern, trimmed, true);
            } else {
                std::string p = WideToUtf8(pattern);
                match = fyxzip::SameEntryName(e.name, p) || fyxzip::SameEntryName(e.name, p + "/") ||
                        (e.name.size() > p.size() + 1 && fyxzip::SameEntryName(e.name.substr(0, p.size() + 1), p + "/"));
            }
            if (match) {
                fyxzip::NewItem item;
                item.name = e.name;
                items.push_back(item);
                break;
            }
        }
    }
    return items;
}

void DeleteSources(const std::vector<fyxzip::NewItem>& items, const std::vector<fyxzip::PlanStep>& plan,
                   const std::wstring& root) {
    std::vector<std::wstring> folders;
    for (const fyxzip::PlanStep& step : plan) {
        if (step.newIndex < 0) continue;
        const fyxzip::NewItem& item = items[step.newIndex];
        if (!item.sourcePath.empty()) {
            std::wstring path = Utf8ToWide(item.sourcePath);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        } else {
            std::wstring folder = Utf8ToWide(item.name);
            std::replace(folder.begin(), folder.end(), L'/', L'\\');
            folders.push_back(root + folder);
        }
    }
    // Deepest first; only folders left empty go.
    std::sort(folders.begin(), folders.end(), [](const std::wstring& a, const std::wstring& b) { return a.size() > b.size(); });
    for (const std::wstring& f : folders) RemoveDirectoryW(f.c_str());
}

int Archive(const ZipCommand& command) {
    const Settings& s = g_settings;
    const ZipOptions& o = s.options;
    PrintProgress progress(s);
    if (!command.archiveName || command.count < 0 || (command.count > 0 && !command.names)) return kZpParameters;
    std::wstring root = WithBackslash(Utf8ToWide(s.rootFolder));
    std::wstring archivePath = AnsiToWide(command.archiveName);
    if (archivePath.empty()) return kZpParameters;
    if (!(archivePath.size() >= 2 && (archivePath[1] == L':' || archivePath[0] == L'\\'))) archivePath = root + archivePath;
    archivePath = FullPath(archivePath);

    std::vector<std::wstring> names;
    for (int i = 0; i < command.count; ++i)
        if (command.names[i] && command.names[i][0]) names.push_back(AnsiToWide(command.names[i]));

    // The old archive, when there is one, stays open until the new one is complete.
    std::unique_ptr<Win32Input> oldFile = Win32Input::Open(archivePath);
    fyxzip::Archive old;
    bool haveOld = false;
    if (oldFile && oldFile->Size() > 0) {
        fyxzip::Result r = old.Open(oldFile.get());
        if (r != fyxzip::kOk) {
            progress.Print(std::string("zip error: ") + fyxzip::ResultText(r) + " (" + command.archiveName + ")");
            return kZpFormat;
        }
        haveOld = true;
    }

    std::vector<fyxzip::NewItem> items;
    bool someMissing = false;
    fyxzip::UpdateMode mode = o.freshen ? fyxzip::kFreshenExisting : o.update ? fyxzip::kUpdateNewer : fyxzip::kAddAndReplace;
    if (o.deleteEntries) {
        if (!haveOld) return kZpNothingToDo;
        items = EntriesToDelete(old, names);
        mode = fyxzip::kDeleteNamed;
    } else {
        fyxzip32::CollectOptions c;
        c.root = root;
        c.skip.push_back(archivePath);
        c.recurse = o.recurse != 0;
        c.includeSystemAndHidden = o.includeSystemAndHidden != 0;
        c.noFolderEntries = o.noFolderEntries != 0;
        c.dropFolderNames = o.dropFolderNames != 0;
        c.timeFields = !o.excludeExtraAttributes;
        uint32_t date = fyxzip32::ParseDate(s.date.c_str());
        if (o.includeByDate) c.onOrAfter = date;
        if (o.excludeByDate) c.before = date;
        for (const std::wstring& n : names) {
            if (!fyxzip32::CollectName(n, c, &items)) {
                someMissing = true;
                progress.Print("  zip warning: name not matched: " + WideToAnsi(n));
            }
        }
    }
    std::vector<fyxzip::PlanStep> plan = fyxzip::BuildPlan(haveOld ? &old : nullptr, items, mode);
    bool changes = mode == fyxzip::kDeleteNamed ? !items.empty()
                                                : std::any_of(plan.begin(), plan.end(), [](const fyxzip::PlanStep& p) { return p.newIndex >= 0; });
    if (!changes && !o.comment) return someMissing || items.empty() ? kZpNothingToDo : kZpOk;

    fyxzip::WriteOptions w;
    w.level = LevelOf(o.level);
    if (o.encrypt) {
        char buffer[128] = {0};
        if (!s.callbacks.password || s.callbacks.password(buffer, sizeof buffer, "Enter password: ", nullptr) != 1)
            return kZpParameters;
        buffer[sizeof buffer - 1] = 0;
        w.password = buffer;
        if (w.password.empty()) return kZpParameters;
    }
    if (o.comment && s.callbacks.comment) {
        std::vector<char> buffer(65536, 0);
        s.callbacks.comment(buffer.data());
        buffer.back() = 0;
        w.comment = buffer.data();
        w.keepComment = false;
    }

    // The new archive is written beside the old one (or in the temporary folder)
    // and takes its place only when it is complete.
    std::wstring tempFolder = o.useTempFolder && !s.tempFolder.empty() ? Utf8ToWide(s.tempFolder) : L"";
    if (tempFolder.empty()) {
        size_t slash = archivePath.find_last_of(L'\\');
        tempFolder = slash == std::wstring::npos ? L"." : archivePath.substr(0, slash + 1);
    }
    wchar_t tempName[MAX_PATH];
    if (!GetTempFileNameW(tempFolder.c_str(), L"fyx", 0, tempName)) return kZpCreateError;
    std::wstring temp = tempName;
    std::unique_ptr<Win32Output> out = Win32Output::Create(temp, false);
    if (!out) {
        DeleteFileW(temp.c_str());
        return kZpCreateError;
    }
    fyxzipwin::Win32Opener opener;
    fyxzip::Result r = fyxzip::WriteArchive(*out, haveOld ? &old : nullptr, plan, items, opener, w, progress);
    bool closed = out->Close();
    oldFile.reset();
    if ((r != fyxzip::kOk && r != fyxzip::kOpenError) || !closed) {
        DeleteFileW(temp.c_str());
        return !closed && r == fyxzip::kOk ? kZpWriteError : CodeOf(r);
    }
    if (!MoveFileExW(temp.c_str(), archivePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        DeleteFileW(temp.c_str());
        return kZpTempError;
    }
    if (o.latestTime) {
        uint64_t newest = 0;
        for (const fyxzip::NewItem& item : items) newest = std::max(newest, item.fileTime);
        HANDLE h = CreateFileW(archivePath.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE && newest) {
            FILETIME t = EntryFileTime(newest, 0);
            SetFileTime(h, nullptr, nullptr, &t);
        }
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    if (o.moveFiles && r == fyxzip::kOk && mode != fyxzip::kDeleteNamed) DeleteSources(items, plan, root);
    if (r == fyxzip::kOpenError || someMissing) return kZpOpenError;
    return kZpOk;
}

}  // namespace

FYXZIP_API int WINAPI ZpInit(ZipCallbacks* callbacks) {
    if (!callbacks || !callbacks->print) return 0;
    g_settings.callbacks = *callbacks;
    return 1;
}

FYXZIP_API BOOL WINAPI ZpSetOptions(ZipOptions* options) {
    if (!options) return FALSE;
    g_settings.options = *options;
    g_settings.date = options->date ? options->date : "";
    g_settings.rootFolder = options->rootFolder ? WideToUtf8(AnsiToWide(options->rootFolder)) : "";
    g_settings.tempFolder = options->tempFolder ? WideToUtf8(AnsiToWide(options->tempFolder)) : "";
    // The copies hold no pointers into the caller's block.
    g_settings.options.date = g_settings.options.rootFolder = g_settings.options.tempFolder = nullptr;
    return TRUE;
}

FYXZIP_API int WINAPI ZpArchive(ZipCommand command) {
    try {
        return Archive(command);
    } catch (...) {
        return kZpNoMemory;  // nothing may leave the library as an exception
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) fyxzipwin::UseSystemOemCodePage();
    return TRUE;
}
