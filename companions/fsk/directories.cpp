// Existence checks and creation of directories, and fresh names inside them.
#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

namespace {

const wchar_t kMark = L'|';  // cannot occur in a file name

// 0 when the path is an existing directory, else why not.
DWORD DirectoryState(const wchar_t* path) {
    static thread_local wchar_t longPath[fsk::kTextCap + 8];
    if (!path || !path[0]) return ERROR_PATH_NOT_FOUND;
    if (!fsk::ExtendedPath(path, longPath, fsk::kTextCap + 8)) return ERROR_FILENAME_EXCED_RANGE;
    DWORD attributes = GetFileAttributesW(longPath);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error ? error : ERROR_PATH_NOT_FOUND;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_DIRECTORY;
}

// The path without its mark, normalised.
void Unmarked(const wchar_t* path, TextBuf& out) {
    static thread_local wchar_t plain[fsk::kTextCap];
    TextBuf p(plain, fsk::kTextCap);
    for (const wchar_t* c = fsk::OrEmpty(path); *c; ++c)
        if (*c != kMark) p.Put(*c);
    fsk::NormaliseDirectory(plain, out);
}

// Length of the longest prefix of a normalised path, ending at a component boundary, that is an
// existing directory (0 when none, the root counting as a prefix of its own).
size_t ExistingPrefix(wchar_t* path, size_t length) {
    size_t root = fsk::RootLength(path, length);
    size_t end = length;
    while (end > 0) {
        wchar_t saved = path[end];
        path[end] = 0;
        DWORD state = DirectoryState(path);
        path[end] = saved;
        if (state == 0) return end;
        if (end <= root) return 0;
        size_t start = fsk::LastComponentStart(path, end);
        end = start;
        while (end > root && fsk::IsSlash(path[end - 1])) --end;
    }
    return 0;
}

void MarkPath(const wchar_t* path, TextBuf& out) {
    static thread_local wchar_t plain[fsk::kTextCap];
    TextBuf p(plain, fsk::kTextCap);
    Unmarked(path, p);
    size_t valid = ExistingPrefix(plain, p.len);
    out.Append(plain, valid);
    // The separator after the existing part goes with it: "C:\data\|new".
    size_t rest = valid;
    if (valid > 0 && valid < p.len && fsk::IsSlash(plain[valid])) {
        out.Put(L'\\');
        rest = valid + 1;
    }
    out.Put(kMark);
    out.Append(plain + rest, p.len - rest);
}

}  // namespace

FYX_FSK_API DWORD FYX_FSK_IsValidDirectory(const wchar_t* path) { return DirectoryState(path); }

FYX_FSK_API const wchar_t* FYX_FSK_CreateValidAndInvalidDirectoryString(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    MarkPath(path, out);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetInvalidDirectoryString(const wchar_t* marked) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    marked = fsk::OrEmpty(marked);
    const wchar_t* mark = wcschr(marked, kMark);
    if (mark) {
        out.Append(mark + 1);
        return result;
    }
    static thread_local wchar_t fresh[fsk::kTextCap];
    TextBuf f(fresh, fsk::kTextCap);
    MarkPath(marked, f);
    out.Append(wcschr(fresh, kMark) + 1);
    return result;
}

FYX_FSK_API BOOL FYX_FSK_CreatePathFromInvalidPath(const wchar_t* path) {
    static thread_local wchar_t plain[fsk::kTextCap];
    static thread_local wchar_t longPath[fsk::kTextCap + 8];
    TextBuf p(plain, fsk::kTextCap);
    Unmarked(path, p);
    if (p.len == 0) return FALSE;
    size_t root = fsk::RootLength(plain, p.len);
    size_t i = ExistingPrefix(plain, p.len);
    if (i < root) i = root;
    while (i < p.len) {
        while (i < p.len && fsk::IsSlash(plain[i])) ++i;
        while (i < p.len && !fsk::IsSlash(plain[i])) ++i;
        wchar_t saved = plain[i];
        plain[i] = 0;
        if (fsk::ExtendedPath(plain, longPath, fsk::kTextCap + 8) && !CreateDirectoryW(longPath, NULL) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            plain[i] = saved;
            return FALSE;
        }
        plain[i] = saved;
    }
    return DirectoryState(plain) == 0;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetNewFileNameInDirectory(const wchar_t* directory) {
    FSK_RESULT_BUFFER(result);
    static thread_local wchar_t longPath[fsk::kTextCap + 8];
    TextBuf out(result, fsk::kTextCap);
    if (DirectoryState(directory) != 0) return result;
    out.Append(directory);
    if (!fsk::IsSlash(result[out.len - 1])) out.Put(L'\\');
    size_t base = out.len;
    // Start where the clock points so that callers in a row rarely probe the same names.
    unsigned first = GetTickCount() & 0xFFFF;
    for (unsigned k = 0; k < 0x10000; ++k) {
        static const wchar_t kHex[] = L"0123456789ABCDEF";
        unsigned n = (first + k) & 0xFFFF;
        out.Truncate(base);
        out.Append(L"~fyx");
        for (int shift = 12; shift >= 0; shift -= 4) out.Put(kHex[(n >> shift) & 15]);
        out.Append(L".tmp");
        if (!fsk::ExtendedPath(result, longPath, fsk::kTextCap + 8)) break;
        if (GetFileAttributesW(longPath) == INVALID_FILE_ATTRIBUTES) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return result;
        }
    }
    out.Truncate(0);
    return result;
}
