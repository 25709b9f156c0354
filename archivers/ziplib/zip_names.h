// Entry names: code page 437 and UTF-8 decoding, and turning a stored name
// into a relative path that cannot leave the extraction folder.
#pragma once

#include <stdint.h>

#include <string>

namespace fyxzip {

// OEM code page 437 bytes to UTF-8, control bytes as their graphic characters.
std::string Cp437ToUtf8(const std::string& raw);

// Decodes names stored without the UTF-8 flag. Code page 437 unless a
// platform installs the system's OEM code page (set once, before any reading).
typedef std::string (*LegacyDecoder)(const std::string& raw);
void SetLegacyDecoder(LegacyDecoder decoder);
std::string DecodeLegacy(const std::string& raw);
// UTF-8 to code page 437; false when a character has no byte there.
bool Utf8ToCp437(const std::string& utf8, std::string* raw);

bool IsValidUtf8(const std::string& text);
bool IsAscii(const std::string& text);
// Number of code points in valid UTF-8.
size_t Utf8Length(const std::string& text);
// Appends one code point as UTF-8.
void AppendUtf8(uint32_t codePoint, std::string* out);

enum NameSafety {
    kNameSafe,     // usable as it stands
    kNameChanged,  // made safe: a root, a drive or characters Windows refuses were replaced
    kNameRefused,  // a ".." part or nothing left: must not be extracted
};

// Turns an entry name ('/' or '\' between parts) into a relative path with '/'
// between parts, with no empty, "." or ".." parts, no drive or root, no
// characters that Windows refuses in names (":" of streams among them), no
// device names and no trailing dots or blanks.
NameSafety MakeSafeRelativePath(const std::string& name, std::string* path);

// ASCII-only case folding comparison of names, '/' and '\' treated alike.
bool SameEntryName(const std::string& a, const std::string& b);

}  // namespace fyxzip
