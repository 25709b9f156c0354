// Fyx archive listing library: recognises RAR and ZIP archives and lists
// their folders for the panels. Each format is one row of a table; RAR
// browsing arrives with its reader, until then RAR archives are recognised
// and report an error when browsed.
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
    bool (*browse)(fyxzipwin::Win32Input& file, std::vector<ListedEntry>* entries);
};

const size_t kHeadBytes = 1 << 20;  // where a RAR signature may start

bool RecogniseRar(const std::vector<uint8_t>& head, fyxzipwin::Win32Input&) {
    fyxrar::MemoryStream stream(head);
    uint64_t at = 0;
    return fyxrar::FindSignature(&stream, head.size(), &at) != 0;
}

bool BrowseRar(fyxzipwin::Win32Input&, std::vector<ListedEntry>*) { return false; }

bool RecogniseZip(const std::vector<uint8_t>& head, fyxzipwin::Win32Input& file) {
    if (head.size() >= 4 && head[0] == 'P' && head[1] == 'K' && (head[2] == 3 || head[2] == 5) && head[3] == head[2] + 1)
        return true;
    fyxzip::Archive archive;
    fyxzip::Result r = archive.Open(&file);
    return r != fyxzip::kNotZip && r != fyxzip::kReadError;
}

bool BrowseZip(fyxzipwin::Win32Input& file, std::vector<ListedEntry>* entries) {
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

// ZIP first: a ZIP archive may carry a RAR archive inside as stored data.
const Format kFormats[] = {
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
        if (!f->browse(*file, &g_state.entries)) {
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
