// The folders of an archive as a panel sees them: every entry by its safe
// path, folders implied by member paths, and the listing of one folder.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace fyxlist {

struct ListedEntry {
    std::wstring path;     // '\' between parts, no trailing '\'
    bool folder = false;
    uint64_t size = 0;
    uint32_t dosTime = 0;  // local
    uint32_t attributes = 0;
};

struct FolderItem {
    std::wstring name;
    bool folder = false;
    uint64_t size = 0;     // folders: the sum under them
    uint32_t dosTime = 0;
    uint32_t attributes = 0;
};

// The items directly inside `folder` ('\' between parts, with or without a
// trailing '\', empty for the root); each folder once, names compared with
// ASCII case folded. Folders first as they appear, then files.
std::vector<FolderItem> ListFolder(const std::vector<ListedEntry>& entries, const std::wstring& folder);

// Sum of the sizes of all files under `folder`.
uint64_t SizeUnder(const std::vector<ListedEntry>& entries, const std::wstring& folder);

// "dd.mm.yyyy  hh:mm:ss  " and the attribute letters H S R A C E.
std::wstring DateText(uint32_t dosTime, uint32_t attributes);

}  // namespace fyxlist
