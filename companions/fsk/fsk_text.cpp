// Bounded text output and the shared path-shape rules.
#include "fsk_text.h"

namespace fsk {

void TextBuf::Put(wchar_t c) {
    if (len + 1 < cap) {
        buf[len++] = c;
        buf[len] = 0;
    }
}

void TextBuf::Append(const wchar_t* text, size_t count) {
    if (!text) return;
    size_t room = cap - 1 - len;
    if (count > room) count = SafeCut(text, room);
    wmemcpy(buf + len, text, count);
    len += count;
    buf[len] = 0;
}

void TextBuf::AppendNumber(unsigned long long value, int minDigits) {
    wchar_t digits[24];
    int n = 0;
    do {
        digits[n++] = (wchar_t)(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < minDigits && n < 24) digits[n++] = L'0';
    while (n > 0) Put(digits[--n]);
}

void TextBuf::Truncate(size_t length) {
    if (length < len) {
        len = length;
        buf[len] = 0;
    }
}

size_t SafeCut(const wchar_t* text, size_t count) {
    if (count > 0 && IsHighSurrogate(text[count - 1])) --count;
    return count;
}

// "\\server\share\" or "\\server\share": the length up to and including the separator after share.
static size_t UncRootLength(const wchar_t* path, size_t start, size_t length) {
    size_t i = start;
    while (i < length && !IsSlash(path[i])) ++i;  // server
    if (i >= length) return length;
    ++i;
    while (i < length && !IsSlash(path[i])) ++i;  // share
    return i < length ? i + 1 : length;
}

size_t RootLength(const wchar_t* path, size_t length) {
    if (!path || length == 0) return 0;
    if (length >= 4 && path[0] == L'\\' && path[1] == L'\\' && path[2] == L'?' && path[3] == L'\\') {
        const wchar_t* rest = path + 4;
        size_t restLength = length - 4;
        if (restLength >= 4 && (rest[0] == L'U' || rest[0] == L'u') && (rest[1] == L'N' || rest[1] == L'n') &&
            (rest[2] == L'C' || rest[2] == L'c') && rest[3] == L'\\')
            return UncRootLength(path, 8, length);
        return 4 + RootLength(rest, restLength);
    }
    if (length >= 2 && IsSlash(path[0]) && IsSlash(path[1])) return UncRootLength(path, 2, length);
    if (length >= 2 && IsAsciiLetter(path[0]) && path[1] == L':')
        return (length >= 3 && IsSlash(path[2])) ? 3 : 2;
    if (IsSlash(path[0])) return 1;
    return 0;
}

size_t TrimmedLength(const wchar_t* path, size_t length) {
    size_t root = RootLength(path, length);
    while (length > root && IsSlash(path[length - 1])) --length;
    return length;
}

size_t LastComponentStart(const wchar_t* path, size_t length) {
    size_t root = RootLength(path, length);
    size_t i = length;
    while (i > root && !IsSlash(path[i - 1])) --i;
    return i;
}

bool ExtendedPath(const wchar_t* path, wchar_t* out, size_t cap) {
    TextBuf o(out, cap);
    path = OrEmpty(path);
    size_t length = wcslen(path);
    const size_t kLongFrom = 260 - 12;  // CreateDirectoryW's own limit
    bool already = length >= 4 && path[0] == L'\\' && path[1] == L'\\' && path[2] == L'?' && path[3] == L'\\';
    bool drive = length >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && IsSlash(path[2]);
    bool unc = length >= 3 && IsSlash(path[0]) && IsSlash(path[1]);
    if (length < kLongFrom || already || !(drive || unc)) {
        o.Append(path, length);
        return o.len == length;
    }
    // The prefixed form is taken literally: "/", "." and ".." must be resolved first.
    static thread_local wchar_t plain[kTextCap];
    TextBuf p(plain, kTextCap);
    NormaliseDirectory(path, p);
    if (p.len + 1 == kTextCap) return false;
    o.Append(drive ? L"\\\\?\\" : L"\\\\?\\UNC");
    o.Append(drive ? plain : plain + 1);  // "\\server\share" -> "\\?\UNC\server\share"
    return o.len + 1 < cap;
}

// A component list over the output: each accepted component is appended after a separator,
// ".." takes the last one off again, but never the root.
void NormaliseDirectory(const wchar_t* in, TextBuf& out) {
    in = OrEmpty(in);
    size_t length = wcslen(in);
    size_t start = 0;
    while (start < length && (in[start] == L' ' || in[start] == L'\t')) ++start;
    while (length > start && (in[length - 1] == L' ' || in[length - 1] == L'\t')) --length;
    const wchar_t* text = in + start;
    length -= start;

    size_t root = RootLength(text, length);
    for (size_t i = 0; i < root; ++i) out.Put(IsSlash(text[i]) ? L'\\' : text[i]);
    if (root == 2 && text[1] == L':') {  // "X:" stands for its root
        out.Put(L'\\');
    }
    if (root > 3 && out.buf[out.len - 1] != L'\\') out.Put(L'\\');  // "\\server\share" -> with "\"
    size_t rootOut = out.len;

    size_t i = root;
    while (i < length) {
        while (i < length && IsSlash(text[i])) ++i;
        size_t begin = i;
        while (i < length && !IsSlash(text[i])) ++i;
        size_t count = i - begin;
        if (count == 0) break;
        const wchar_t* part = text + begin;
        if (count == 1 && part[0] == L'.') continue;
        if (count == 2 && part[0] == L'.' && part[1] == L'.') {
            size_t cut = LastComponentStart(out.buf, out.len);
            bool lastIsDots = out.len - cut == 2 && out.buf[cut] == L'.' && out.buf[cut + 1] == L'.';
            if (out.len > rootOut && !lastIsDots) {
                out.Truncate(cut > rootOut ? cut - 1 : rootOut);
                continue;
            }
            if (rootOut > 0) continue;  // nothing above a root
        }
        if (out.len > rootOut) out.Put(L'\\');
        out.Append(part, count);
    }
}

}  // namespace fsk
