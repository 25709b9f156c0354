// Folder listings of an archive.
#include "list_folders.h"

#include <stdio.h>

namespace fyxlist {
namespace {

wchar_t Fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c; }

bool SameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

// `path` lies under `prefix` ("a\b\" or empty): gives the rest.
bool Under(const std::wstring& path, const std::wstring& prefix, std::wstring* rest) {
    if (path.size() <= prefix.size()) return false;
    if (!SameName(path.substr(0, prefix.size()), prefix)) return false;
    *rest = path.substr(prefix.size());
    return true;
}

std::wstring Prefix(const std::wstring& folder) {
    std::wstring p = folder;
    while (!p.empty() && p[0] == L'\\') p.erase(0, 1);
    if (!p.empty() && p.back() != L'\\') p += L'\\';
    return p;
}

}  // namespace

std::vector<FolderItem> ListFolder(const std::vector<ListedEntry>& entries, const std::wstring& folder) {
    const std::wstring prefix = Prefix(folder);
    std::vector<FolderItem> folders, files;
    for (const ListedEntry& e : entries) {
        std::wstring rest;
        if (!Under(e.path, prefix, &rest)) continue;
        size_t slash = rest.find(L'\\');
        bool isFolder = e.folder || slash != std::wstring::npos;
        std::wstring name = slash == std::wstring::npos ? rest : rest.substr(0, slash);
        if (!isFolder) {
            FolderItem f;
            f.name = name;
            f.size = e.size;
            f.dosTime = e.dosTime;
            f.attributes = e.attributes;
            files.push_back(f);
            continue;
        }
        FolderItem* known = nullptr;
        for (FolderItem& f : folders)
            if (SameName(f.name, name)) known = &f;
        if (!known) {
            FolderItem f;
            f.name = name;
            f.folder = true;
            f.dosTime = e.dosTime;
            folders.push_back(f);
            known = &folders.back();
        }
        // A folder's own entry gives its time and attributes.
        if (e.folder && slash == std::wstring::npos) {
            known->dosTime = e.dosTime;
            known->attributes = e.attributes;
        }
    }
    for (FolderItem& f : folders) f.size = SizeUnder(entries, prefix + f.name + L"\\");
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

uint64_t SizeUnder(const std::vector<ListedEntry>& entries, const std::wstring& folder) {
    const std::wstring prefix = Prefix(folder);
    uint64_t total = 0;
    std::wstring rest;
    for (const ListedEntry& e : entries)
        if (!e.folder && (prefix.empty() || Under(e.path, prefix, &rest))) total += e.size;
    return total;
}

std::wstring DateText(uint32_t dosTime, uint32_t attributes) {
    wchar_t letters[7];
    int n = 0;
    const struct { uint32_t bit; wchar_t letter; } kLetters[] = {
        {0x02, L'H'}, {0x04, L'S'}, {0x01, L'R'}, {0x20, L'A'}, {0x800, L'C'}, {0x4000, L'E'}};
    for (const auto& l : kLetters)
        if (attributes & l.bit) letters[n++] = l.letter;
    while (n < 6) letters[n++] = L' ';
    letters[6] = 0;
    wchar_t text[64];
    swprintf(text, 64, L"%02d.%02d.%d  %02d:%02d:%02d  %ls", int((dosTime >> 16) & 0x1F), int((dosTime >> 21) & 0x0F),
             int(1980 + (dosTime >> 25)), int((dosTime >> 11) & 0x1F), int((dosTime >> 5) & 0x3F), int((dosTime & 0x1F) * 2),
             letters);
    return text;
}

}  // namespace fyxlist
