// The folder for extract-and-execute, derived from a documents folder.
#include <windows.h>

#include "fsk.h"
#include "fyxaux_core.h"

namespace {

bool IsFolder(const wchar_t* path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// dir + "\" + name into out; false when it does not fit.
bool Join(const wchar_t* dir, const wchar_t* name, wchar_t* out, size_t capacity) {
    size_t dirLength = lstrlenW(dir);
    size_t nameLength = lstrlenW(name);
    bool separator = dirLength > 0 && dir[dirLength - 1] != L'\\';
    size_t total = dirLength + (separator ? 1 : 0) + nameLength;
    if (total + 1 > capacity) return false;
    wchar_t* p = out;
    for (size_t i = 0; i < dirLength; ++i) *p++ = dir[i];
    if (separator) *p++ = L'\\';
    for (size_t i = 0; i < nameLength; ++i) *p++ = name[i];
    *p = 0;
    return true;
}

}  // namespace

bool FyxAuxTemporaryPathFor(const wchar_t* documents, wchar_t* out, size_t capacity) {
    if (!out || capacity == 0) return false;
    out[0] = 0;
    if (!documents || !documents[0]) return false;

    const wchar_t* parent = FYX_FSK_GetPathWithoutLastPath(documents);
    // A root has no parent: its own "Local Settings" would be a guess.
    if (!parent[0] || lstrcmpW(parent, documents) == 0) return false;

    wchar_t temp[MAX_PATH];
    if (!Join(parent, L"Local Settings\\Temp", temp, MAX_PATH) || !IsFolder(temp)) return false;

    wchar_t folder[MAX_PATH];
    if (!Join(temp, L"_fyx", folder, MAX_PATH) || lstrlenW(folder) + 1 > (int)capacity) return false;
    if (!IsFolder(folder)) {
        // Another process may make it at the same moment; what counts is that it is a folder now.
        if (!CreateDirectoryW(folder, NULL) && !IsFolder(folder)) return false;
    }
    lstrcpyW(out, folder);
    return true;
}
