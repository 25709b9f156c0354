// Internal text helpers of the file utility library: bounded result buffers and
// the path-shape rules every part of the library shares.
#pragma once

#include <stddef.h>
#include <wchar.h>

namespace fsk {

// Code units of a result buffer, the terminating zero included.
constexpr size_t kTextCap = 32768;

// Each exported text function owns one of these per thread, so a worker thread
// and a window thread of one program never overwrite each other's results.
#define FSK_RESULT_BUFFER(name) static thread_local wchar_t name[fsk::kTextCap]

// Appends to a fixed buffer; whatever does not fit is dropped, the text stays terminated.
struct TextBuf {
    wchar_t* buf;
    size_t cap;
    size_t len;

    TextBuf(wchar_t* b, size_t c) : buf(b), cap(c), len(0) { buf[0] = 0; }
    void Put(wchar_t c);
    void Append(const wchar_t* text, size_t count);
    void Append(const wchar_t* text) { Append(text, Length(text)); }
    // Decimal digits of a number, at least `minDigits` of them.
    void AppendNumber(unsigned long long value, int minDigits = 1);
    // Drops the last units down to `length`.
    void Truncate(size_t length);
    static size_t Length(const wchar_t* text) { return text ? wcslen(text) : 0; }
};

inline const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }
inline bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }
inline bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
inline bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Length of the root at the start of a path: "C:\" 3, "C:" 2, "\\server\share\" with its
// backslash, "\" 1, "\\?\C:\" and "\\?\UNC\server\share\" likewise; 0 for a relative path.
size_t RootLength(const wchar_t* path, size_t length);

// Length of the path without its trailing separators, never shorter than its root.
size_t TrimmedLength(const wchar_t* path, size_t length);

// Start of the last component of the first `length` units (after the last separator past the root).
size_t LastComponentStart(const wchar_t* path, size_t length);

// Copies `count` units without ending inside a surrogate pair; returns the units copied.
size_t SafeCut(const wchar_t* text, size_t count);

// The path in the form the file system takes for long paths: an absolute path of
// MAX_PATH - 12 units or more gets "\\?\" (or "\\?\UNC\"); others are copied as they are.
// Returns false when the result does not fit.
bool ExtendedPath(const wchar_t* path, wchar_t* out, size_t cap);

// Textual normalisation of a directory path (see FYX_FSK_UpdateDirectoryPath).
void NormaliseDirectory(const wchar_t* in, TextBuf& out);

}  // namespace fsk
