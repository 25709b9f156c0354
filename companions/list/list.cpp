// Fyx archive listing library: recognises RAR and ZIP archives and lists
// their folders for the panels. Each format is one row of a table; RAR
// archives are listed through the RAR reader (an error while it cannot
// read a generation yet).
#include "list.h"

#include <string.h>

#include <algorithm>
#include <vector>

#include "list_folders.h"
#include "rar_reader.h"
#include "win32_files.h"
#include "zip_names.h"
#include "zip_reader.h"

using namespace fyxlist;

namespace {

// A signature test on the first bytes of the file, and the directory reader.
struct Format {
    int type;
    bool (*recognise)(const std::vector<uint8_t>& head, fyxzipwin::Win32Input& file);
    bool (*browse)(fyxzipwin::Win32Input& file, const std::wstring& path, std::vector<ListedEntry>* entries);
};

const size_t kHeadBytes = 1 << 20;  // where a RAR signature may start

bool RecogniseRar(const std::vector<uint8_t>& head, fyxzipwin::Win32Input&) {
    fyxrar::MemoryStream stream(head);
    uint64_t at = 0;
    return fyxrar::FindSignature(&stream, head.size(), &at) != 0;
}

// A RAR volume read through Win32, for the RAR reader.
class RarVolume : public fyxrar::Stream {
public:
    explicit RarVolume(std::unique_ptr<fyxzipwin::Win32Input> file) : file_(std::move(file)) {}
    bool Read(void* buffer, size_t size, size_t* got) override {
        if (!file_->ReadAt(position_, buffer, size, got)) return false;
        position_ += *got;
        return true;
    }
    bool Seek(uint64_t position) override {
        position_ = position;
        return true;
    }
    uint64_t Size() override { return file_->Size(); }

private:
    std::unique_ptr<fyxzipwin::Win32Input> file_;
    uint64_t position_ = 0;
};

// Listing needs no password and no questions: a missing volume ends the list.
class RarListHost : public fyxrar::Host {
public:
    std::unique_ptr<fyxrar::Stream> OpenVolume(const std::string& path) override {
        std::unique_ptr<fyxzipwin::Win32Input> file = fyxzipwin::Win32Input::Open(fyxzipwin::Utf8ToWide(path));
        if (!file) return nullptr;
        return std::unique_ptr<fyxrar::Stream>(new RarVolume(std::move(file)));
    }
};

uint32_t RarAttributes(const fyxrar::EntryInfo& e) {
    if (e.hostOs == fyxrar::kHostMsDos || e.hostOs == fyxrar::kHostWin32) return e.attributes & 0x4827;
    uint32_t attributes = 0;
    if (e.hostOs == fyxrar::kHostUnix && (e.attributes & 0200) == 0) attributes |= 0x01;
    return attributes;
}

bool BrowseRar(fyxzipwin::Win32Input&, const std::wstring& path, std::vector<ListedEntry>* entries) {
    RarListHost host;
    std::string utf8 = fyxzipwin::WideToUtf8(path);
    std::unique_ptr<fyxrar::Stream> stream = host.OpenVolume(utf8);
    if (!stream) return false;
    std::unique_ptr<fyxrar::Reader> reader;
    fyxrar::ArchiveInfo info;
    if (fyxrar::OpenArchive(&host, utf8, std::move(stream), fyxrar::kModeList, &reader, &info) != fyxrar::kOk)
        return false;
    for (;;) {
        fyxrar::EntryInfo e;
        fyxrar::Result r = reader->NextEntry(&e);
        if (r == fyxrar::kEndArchive) return true;
        if (r != fyxrar::kOk) return false;
        std::string safe;
        if (fyxzip::MakeSafeRelativePath(e.name, &safe) != fyxzip::kNameRefused) {
            ListedEntry l;
            l.path = fyxzipwin::Utf8ToWide(safe);
            std::replace(l.path.begin(), l.path.end(), L'/', L'\\');
            l.folder = e.directory;
            l.size = e.directory ? 0 : e.unpackedSize;
            l.dosTime = e.modified ? fyxzipwin::FileTimeToDos(fyxzipwin::EntryFileTime(e.modified, 0)) : e.dosTime;
            l.attributes = RarAttributes(e) | (e.encrypted ? 0x4000u : 0u);
            entries->push_back(l);
        }
        if (reader->Skip() != fyxrar::kOk) return false;
    }
}

bool RecogniseZip(const std::vector<uint8_t>& head, fyxzipwin::Win32Input& file) {
    if (head.size() >= 4 && head[0] == 'P' && head[1] == 'K' && (head[2] == 3 || head[2] == 5) && head[3] == head[2] + 1)
        return true;
    fyxzip::Archive archive;
    fyxzip::Result r = archive.Open(&file);
    return r != fyxzip::kNotZip && r != fyxzip::kReadError;
}

bool BrowseZip(fyxzipwin::Win32Input& file, const std::wstring&, std::vector<ListedEntry>* entries) {
    fyxzip::Archive archive;
    if (archive.Open(&file) != fyxzip::kOk) return false;
    for (const fyxzip::Entry& e : archive.entries()) {
        std::string safe;
        // Names that would be refused on unpacking are not shown either.
        if (fyxzip::MakeSafeRelativePath(e.name, &safe) == fyxzip::kNameRefused) continue;
        ListedEntry l;
        l.path = fyxzipwin::Utf8ToWide(safe);
        std::replace(l.path.begin(), l.path.end(), L'/', L'\\');
        l.folder = e.isFolder;
        l.size = e.isFolder ? 0 : e.size;
        l.dosTime = e.dosTime;
        if (e.fileTime) {
            FILETIME utc = fyxzipwin::EntryFileTime(e.fileTime, 0);
            l.dosTime = fyxzipwin::FileTimeToDos(utc);
        }
        l.attributes = e.Attributes() & ~0x10u;
        if (e.encrypted()) l.attributes |= 0x4000;
        entries->push_back(l);
    }
    return true;
}

bool RecogniseRarAtStart(const std::vector<uint8_t>& head, fyxzipwin::Win32Input& file) {
    static const uint8_t kStart[6] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07};
    return head.size() >= 8 && memcmp(head.data(), kStart, 6) == 0 && RecogniseRar(head, file);
}

// A RAR signature at the start wins; then the ZIP end record (a ZIP archive
// may hold a RAR archive as stored data); then a RAR signature further in.
const Format kFormats[] = {
    {FYXLST_TYPE_RAR, RecogniseRarAtStart, BrowseRar},
    {FYXLST_TYPE_ZIP, RecogniseZip, BrowseZip},
    {FYXLST_TYPE_RAR, RecogniseRar, BrowseRar},
};

struct State {
    std::vector<ListedEntry> entries;
    std::vector<FolderItem> folder;
    size_t next = 0;
    bool browsed = false;
};

State g_state;

const Format* Identify(const wchar_t* path, std::unique_ptr<fyxzipwin::Win32Input>* opened) {
    if (!path || !*path) return nullptr;
    std::unique_ptr<fyxzipwin::Win32Input> file = fyxzipwin::Win32Input::Open(path);
    if (!file) return nullptr;
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(file->Size(), kHeadBytes)));
    if (!fyxzip::ReadExact(*file, 0, head.data(), head.size())) return nullptr;
    // Programs (self-extracting archives among them) are run, not browsed.
    if (head.size() >= 2 && head[0] == 'M' && head[1] == 'Z') return nullptr;
    for (const Format& f : kFormats) {
        if (f.recognise(head, *file)) {
            if (opened) *opened = std::move(file);
            return &f;
        }
    }
    return nullptr;
}

void Fill(const FolderItem& item, FyxListRecord* record) {
    memset(record, 0, sizeof *record);
    wcsncpy(record->name, item.name.c_str(), 259);
    record->size = item.size;
    record->flags = item.folder ? FYXLST_FOLDER : 0;
    std::wstring date = DateText(item.dosTime, item.attributes);
    wcsncpy(record->date, date.c_str(), 29);
}

}  // namespace

FYXLST_API const wchar_t* FYXLST_GetVersion(void) { return L"1.0"; }

FYXLST_API int FYXLST_Initialize(void) { return 1; }

FYXLST_API void FYXLST_UnInitialize(void) { FYXLST_ExitList(); }

FYXLST_API int FYXLST_GetArchiveType(const wchar_t* path) {
    try {
        const Format* f = Identify(path, nullptr);
        return f ? f->type : 0;
    } catch (...) {
        return 0;
    }
}

FYXLST_API int FYXLST_IsSupportedArchive(const wchar_t* path) { return FYXLST_GetArchiveType(path) != 0 ? 1 : 0; }

FYXLST_API int FYXLST_BrowseArchive(const wchar_t* path) {
    FYXLST_ExitList();
    try {
        std::unique_ptr<fyxzipwin::Win32Input> file;
        const Format* f = Identify(path, &file);
        if (!f) return 1;
        if (!f->browse(*file, path, &g_state.entries)) {
            g_state.entries.clear();
            return 2;
        }
        g_state.browsed = true;
        return 0;
    } catch (...) {
        FYXLST_ExitList();
        return 2;
    }
}

FYXLST_API int FYXLST_ReadList(FyxListRecord* record, int next, const wchar_t* folder) {
    if (!record || !g_state.browsed) return FYXLST_ERROR;
    if (!next) {
        try {
            g_state.folder = ListFolder(g_state.entries, folder ? folder : L"");
        } catch (...) {
            return FYXLST_ERROR;
        }
        g_state.next = 0;
        if (g_state.folder.empty()) return FYXLST_EMPTY;
    }
    if (g_state.next >= g_state.folder.size()) return FYXLST_END;
    Fill(g_state.folder[g_state.next++], record);
    return FYXLST_DELIVERED;
}

FYXLST_API uint64_t FYXLST_GetExtractedDirectorySize(const wchar_t* folder) {
    try {
        return SizeUnder(g_state.entries, folder ? folder : L"");
    } catch (...) {
        return 0;
    }
}

FYXLST_API uint64_t FYXLST_GetExtractedArchiveSize(void) { return FYXLST_GetExtractedDirectorySize(L""); }

FYXLST_API void FYXLST_ExitList(void) {
    g_state.entries.clear();
    g_state.folder.clear();
    g_state.next = 0;
    g_state.browsed = false;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) fyxzipwin::UseSystemOemCodePage();
    return TRUE;
}
