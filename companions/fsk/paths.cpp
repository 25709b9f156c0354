// Path splitting and the shape checks of typed paths; pure text.
#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

FYX_FSK_API const wchar_t* FYX_FSK_GetLastPathString(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    path = fsk::OrEmpty(path);
    size_t length = fsk::TrimmedLength(path, wcslen(path));
    size_t start = fsk::LastComponentStart(path, length);
    out.Append(path + start, length - start);
    return result;
}

// Parent of a path: the text before its last component, without the separator
// unless that separator belongs to the root.
static void ParentPath(const wchar_t* path, TextBuf& out) {
    path = fsk::OrEmpty(path);
    size_t length = fsk::TrimmedLength(path, wcslen(path));
    size_t root = fsk::RootLength(path, length);
    size_t start = fsk::LastComponentStart(path, length);
    size_t keep = start;
    while (keep > root && fsk::IsSlash(path[keep - 1])) --keep;
    out.Append(path, keep);
}

FYX_FSK_API const wchar_t* FYX_FSK_GetPathWithoutLastPath(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    ParentPath(path, out);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_CutPath(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    ParentPath(path, out);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_CutPathLeft(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    path = fsk::OrEmpty(path);
    size_t length = wcslen(path);
    size_t i = fsk::RootLength(path, length);
    if (i == 0) {
        while (i < length && !fsk::IsSlash(path[i])) ++i;
    }
    while (i < length && fsk::IsSlash(path[i])) ++i;
    out.Append(path + i, length - i);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_UpdateDirectoryPath(const wchar_t* directory) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    fsk::NormaliseDirectory(directory, out);
    return result;
}

FYX_FSK_API BOOL FYX_FSK_IncludePathRootPath(const wchar_t* text) {
    text = fsk::OrEmpty(text);
    if (fsk::IsSlash(text[0]) && fsk::IsSlash(text[1])) return TRUE;
    return fsk::IsAsciiLetter(text[0]) && text[1] == L':' && (text[2] == 0 || fsk::IsSlash(text[2]));
}

FYX_FSK_API BOOL FYX_FSK_IsPathOnlyPath(const wchar_t* text) {
    text = fsk::OrEmpty(text);
    size_t length = wcslen(text);
    if (length == 0) return FALSE;
    if (fsk::IsSlash(text[length - 1])) return TRUE;
    if (length == 2 && fsk::IsAsciiLetter(text[0]) && text[1] == L':') return TRUE;
    size_t start = fsk::LastComponentStart(text, length);
    size_t count = length - start;
    return (count == 1 && text[start] == L'.') || (count == 2 && text[start] == L'.' && text[start + 1] == L'.');
}

FYX_FSK_API BOOL FYX_FSK_IsPathValidLength(const wchar_t* text) {
    text = fsk::OrEmpty(text);
    size_t length = wcslen(text);
    if (length < 1 || length > MAX_PATH - 1) return FALSE;
    for (size_t i = 0; i < length; ++i)
        if (text[i] < 32) return FALSE;
    return TRUE;
}
