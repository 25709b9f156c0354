// Names: masks, extensions and runs of one character; pure text.
#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

// Position of the dot that starts a name's extension, or `length` when it has none:
// the last dot, unless it is the first or the last character.
static size_t ExtensionDot(const wchar_t* name, size_t length) {
    size_t i = length;
    while (i > 0 && name[i - 1] != L'.') --i;
    if (i <= 1 || i == length) return length;
    return i - 1;
}

// Builds one half of a masked name: "?" takes the next source unit, "*" the rest of the
// source, other characters are written as they stand.
static void ApplyMaskPart(const wchar_t* mask, size_t maskLength, const wchar_t* source, size_t sourceLength,
                          TextBuf& out) {
    size_t s = 0;
    for (size_t m = 0; m < maskLength; ++m) {
        wchar_t c = mask[m];
        if (c == L'*') {
            out.Append(source + s, sourceLength - s);
            s = sourceLength;
        } else if (c == L'?') {
            if (s < sourceLength) {
                out.Put(source[s++]);
                if (fsk::IsHighSurrogate(source[s - 1]) && s < sourceLength) out.Put(source[s++]);
            }
        } else {
            out.Put(c);
        }
    }
}

FYX_FSK_API const wchar_t* FYX_FSK_UpdateLastPathString(const wchar_t* mask, const wchar_t* name) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    mask = fsk::OrEmpty(mask);
    name = fsk::OrEmpty(name);
    size_t nameLength = wcslen(name);
    if (mask[0] == 0 || wcscmp(mask, L"*.*") == 0 || wcscmp(mask, L"*") == 0) {
        out.Append(name, nameLength);
        return result;
    }
    size_t maskLength = wcslen(mask);
    const wchar_t* maskDot = wcsrchr(mask, L'.');
    if (!maskDot) {
        ApplyMaskPart(mask, maskLength, name, nameLength, out);
        return result;
    }
    size_t maskBase = maskDot - mask;
    size_t dot = ExtensionDot(name, nameLength);
    size_t nameBase = dot;
    // A name ending in a dot has an empty extension, not its dot in the base.
    if (dot == nameLength && nameLength > 1 && name[nameLength - 1] == L'.') nameBase = nameLength - 1;
    const wchar_t* ext = dot < nameLength ? name + dot + 1 : L"";
    size_t extLength = dot < nameLength ? nameLength - dot - 1 : 0;

    ApplyMaskPart(mask, maskBase, name, nameBase, out);
    size_t beforeExt = out.len;
    out.Put(L'.');
    ApplyMaskPart(maskDot + 1, maskLength - maskBase - 1, ext, extLength, out);
    if (out.len == beforeExt + 1) out.Truncate(beforeExt);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_RemoveDuplicateCharInString(const wchar_t* text, wchar_t character) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    text = fsk::OrEmpty(text);
    for (size_t i = 0; text[i]; ++i) {
        if (text[i] == character && i > 0 && text[i - 1] == character) continue;
        out.Put(text[i]);
    }
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_PathRemoveExtension(const wchar_t* name) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    name = fsk::OrEmpty(name);
    size_t length = wcslen(name);
    size_t start = fsk::LastComponentStart(name, length);
    size_t dot = ExtensionDot(name + start, length - start);
    out.Append(name, start + dot);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetFileExtension(const wchar_t* name) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    name = fsk::OrEmpty(name);
    size_t length = wcslen(name);
    size_t start = fsk::LastComponentStart(name, length);
    size_t dot = ExtensionDot(name + start, length - start);
    if (start + dot < length) out.Append(name + start + dot + 1, length - start - dot - 1);
    return result;
}
