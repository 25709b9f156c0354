// Turning the names handed to ZpArchive into the files and folders to pack.
#pragma once

#include <string>
#include <vector>

#include "zip_writer.h"

namespace fyxzip32 {

struct CollectOptions {
    std::wstring root;            // ends with '\' or is empty
    std::vector<std::wstring> skip;  // full paths never packed (the archive itself)
    bool recurse = true;
    bool includeSystemAndHidden = false;
    bool noFolderEntries = false;
    bool dropFolderNames = false;
    bool timeFields = true;       // NTFS times in the entries
    uint32_t onOrAfter = 0;       // MS-DOS time; 0: no limit
    uint32_t before = 0;          // MS-DOS time; 0: no limit
};

// Appends the items for one name (a file, a folder or a pattern); false when
// nothing exists under that name.
bool CollectName(const std::wstring& name, const CollectOptions& options, std::vector<fyxzip::NewItem>* items);

// Parses "mmddyyyy" or "yyyy-mm-dd" into an MS-DOS date (time 0); 0 when invalid.
uint32_t ParseDate(const char* text);

}  // namespace fyxzip32
