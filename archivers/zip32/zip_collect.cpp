// Walking files and folders for Zip32.dll.
#include "zip_collect.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "win32_files.h"
#include "zip_names.h"

using namespace fyxzipwin;

namespace fyxzip32 {
namespace {

bool IsAbsolute(const std::wstring& p) {
    return (p.size() >= 2 && p[1] == L':') || (p.size() >= 1 && (p[0] == L'\\' || p[0] == L'/'));
}

// The stored form of a path relative to the root: '/' between parts and no
// drive or leading separators.
std::string EntryName(const std::wstring& relative, bool folder, const CollectOptions& o) {
    std::wstring r = relative;
    for (wchar_t& c : r)
        if (c == L'\\') c = L'/';
    if (r.size() >= 2 && r[1] == L':') r.erase(0, 2);
    while (!r.empty() && r[0] == L'/') r.erase(0, 1);
    while (!r.empty() && r.back() == L'/') r.pop_back();
    if (o.dropFolderNames) {
        size_t slash = r.find_last_of(L'/');
        if (slash != std::wstring::npos) r = r.substr(slash + 1);
    }
    std::string name = WideToUtf8(r);
    if (folder && !name.empty()) name += '/';
    return name;
}

bool Skipped(const std::wstring& full, const CollectOptions& o) {
    for (const std::wstring& s : o.skip)
        if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, s.c_str(), -1, full.c_str(), -1) == CSTR_EQUAL)
            return true;
    return false;
}

void Add(const std::wstring& full, const std::wstring& relative, const WIN32_FILE_ATTRIBUTE_DATA& data,
         const CollectOptions& o, std::vector<fyxzip::NewItem>* items) {
    bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && (o.noFolderEntries || o.dropFolderNames)) return;
    if (!folder && Skipped(full, o)) return;
    fyxzip::NewItem item;
    item.name = EntryName(relative, folder, o);
    if (item.name.empty()) return;
    for (const fyxzip::NewItem& other : *items)
        if (fyxzip::SameEntryName(other.name, item.name)) return;
    item.dosTime = FileTimeToDos(data.ftLastWriteTime);
    if (!folder) {
        if (o.onOrAfter && item.dosTime < o.onOrAfter) return;
        if (o.before && item.dosTime >= o.before) return;
        item.sourcePath = WideToUtf8(full);
        item.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    if (o.timeFields)
        item.fileTime = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    item.attributes = data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                               FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    items->push_back(item);
}

bool Visible(DWORD attributes, const CollectOptions& o) {
    return o.includeSystemAndHidden || !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

void AddTree(const std::wstring& full, const std::wstring& relative, const WIN32_FILE_ATTRIBUTE_DATA& data,
             const CollectOptions& o, std::vector<fyxzip::NewItem>* items);

void Walk(const std::wstring& folder, const std::wstring& relative, const CollectOptions& o,
          std::vector<fyxzip::NewItem>* items) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L"..")) continue;
        if (!Visible(fd.dwFileAttributes, o)) continue;
        WIN32_FILE_ATTRIBUTE_DATA data;
        data.dwFileAttributes = fd.dwFileAttributes;
        data.ftLastWriteTime = fd.ftLastWriteTime;
        data.ftCreationTime = fd.ftCreationTime;
        data.ftLastAccessTime = fd.ftLastAccessTime;
        data.nFileSizeHigh = fd.nFileSizeHigh;
        data.nFileSizeLow = fd.nFileSizeLow;
        AddTree(folder + L"\\" + fd.cFileName, relative + L"\\" + fd.cFileName, data, o, items);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
}

void AddTree(const std::wstring& full, const std::wstring& relative, const WIN32_FILE_ATTRIBUTE_DATA& data,
             const CollectOptions& o, std::vector<fyxzip::NewItem>* items) {
    Add(full, relative, data, o, items);
    // Reparse points (junctions) are packed as folders but not entered: they
    // may lead back into the tree.
    bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && o.recurse && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        Walk(full, relative, o, items);
}

}  // namespace

bool CollectName(const std::wstring& name, const CollectOptions& o, std::vector<fyxzip::NewItem>* items) {
    std::wstring cleaned = name;
    while (cleaned.size() > 1 && (cleaned.back() == L'\\' || cleaned.back() == L'/')) cleaned.pop_back();
    std::wstring full = IsAbsolute(cleaned) ? cleaned : o.root + cleaned;
    const std::wstring& relative = cleaned;
    if (cleaned.find_first_of(L"*?") != std::wstring::npos) {
        size_t slash = full.find_last_of(L"\\/");
        size_t relSlash = relative.find_last_of(L"\\/");
        std::wstring folder = slash == std::wstring::npos ? L"" : full.substr(0, slash);
        std::wstring relFolder = relSlash == std::wstring::npos ? L"" : relative.substr(0, relSlash + 1);
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW(full.c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE) return false;
        bool any = false;
        do {
            if (!wcscmp(fd.cFileName, L".") || !wcscmp(fd.cFileName, L"..")) continue;
            if (!Visible(fd.dwFileAttributes, o)) continue;
            WIN32_FILE_ATTRIBUTE_DATA data;
            data.dwFileAttributes = fd.dwFileAttributes;
            data.ftLastWriteTime = fd.ftLastWriteTime;
            data.nFileSizeHigh = fd.nFileSizeHigh;
            data.nFileSizeLow = fd.nFileSizeLow;
            AddTree(folder + L"\\" + fd.cFileName, relFolder + fd.cFileName, data, o, items);
            any = true;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
        return any;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(full.c_str(), GetFileExInfoStandard, &data)) return false;
    AddTree(full, relative, data, o, items);
    return true;
}

uint32_t ParseDate(const char* text) {
    if (!text) return 0;
    int y = 0, m = 0, d = 0;
    if (strlen(text) == 10 && text[4] == '-' && sscanf(text, "%4d-%2d-%2d", &y, &m, &d) == 3) {
    } else if (strlen(text) == 8 && sscanf(text, "%2d%2d%4d", &m, &d, &y) == 3) {
    } else {
        return 0;
    }
    if (y < 1980 || y > 2107 || m < 1 || m > 12 || d < 1 || d > 31) return 0;
    return (uint32_t(y - 1980) << 25) | (uint32_t(m) << 21) | (uint32_t(d) << 16);
}

}  // namespace fyxzip32
