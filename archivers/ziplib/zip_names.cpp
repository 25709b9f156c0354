// Code page 437 table, UTF-8 helpers and safe relative paths.
#include "zip_names.h"

#include "cp437.h"

#include <vector>

namespace fyxzip {
namespace {

// Code points of bytes 0x00-0x1F (graphic forms); the upper half is shared.
const uint16_t kLow[32] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

uint32_t Cp437CodePoint(uint8_t b) {
    if (b < 0x20) return kLow[b];
    if (b == 0x7F) return 0x2302;
    if (b < 0x80) return b;
    return fyxarchive::kCp437High[b - 0x80];
}

// Decodes one code point; false on malformed UTF-8.
bool NextCodePoint(const std::string& s, size_t* i, uint32_t* cp) {
    uint8_t b = static_cast<uint8_t>(s[*i]);
    int extra;
    uint32_t value, minimum;
    if (b < 0x80) { *cp = b; ++*i; return true; }
    if ((b & 0xE0) == 0xC0) { extra = 1; value = b & 0x1F; minimum = 0x80; }
    else if ((b & 0xF0) == 0xE0) { extra = 2; value = b & 0x0F; minimum = 0x800; }
    else if ((b & 0xF8) == 0xF0) { extra = 3; value = b & 0x07; minimum = 0x10000; }
    else return false;
    if (*i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        uint8_t c = static_cast<uint8_t>(s[*i + k]);
        if ((c & 0xC0) != 0x80) return false;
        value = (value << 6) | (c & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    *cp = value;
    *i += extra + 1;
    return true;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

bool IsDeviceName(const std::string& part) {
    // The base name before the first dot decides ("CON.txt" is the console too).
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::string lower;
    for (char c : base) lower += Lower(c);
    static const char* const kNames[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* n : kNames)
        if (lower == n) return true;
    if (lower.size() == 4 && (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0) &&
        lower[3] >= '0' && lower[3] <= '9')
        return true;
    return false;
}

bool IsRefusedCharacter(unsigned char c) {
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
           c == '*';
}

}  // namespace

std::string Cp437ToUtf8(const std::string& raw) {
    std::string out;
    out.reserve(raw.size());
    for (char c : raw) {
        uint8_t b = static_cast<uint8_t>(c);
        // Separators and plain text stay; only control and high bytes change.
        if (b >= 0x20 && b < 0x7F) out += c;
        else AppendUtf8(Cp437CodePoint(b), &out);
    }
    return out;
}

namespace {
LegacyDecoder g_legacy = nullptr;
}

void SetLegacyDecoder(LegacyDecoder decoder) { g_legacy = decoder; }

std::string DecodeLegacy(const std::string& raw) { return g_legacy ? g_legacy(raw) : Cp437ToUtf8(raw); }

bool Utf8ToCp437(const std::string& utf8, std::string* raw) {
    raw->clear();
    size_t i = 0;
    while (i < utf8.size()) {
        uint32_t cp;
        if (!NextCodePoint(utf8, &i, &cp)) return false;
        if (cp >= 0x20 && cp < 0x7F) { *raw += char(cp); continue; }
        int found = -1;
        for (int b = 1; b < 256 && found < 0; ++b)
            if ((b < 0x20 || b >= 0x7F) && Cp437CodePoint(uint8_t(b)) == cp) found = b;
        if (found < 0) return false;
        *raw += char(found);
    }
    return true;
}

bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    uint32_t cp;
    while (i < text.size())
        if (!NextCodePoint(text, &i, &cp)) return false;
    return true;
}

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<uint8_t>(c) >= 0x80) return false;
    return true;
}

size_t Utf8Length(const std::string& text) {
    size_t n = 0;
    for (char c : text)
        if ((static_cast<uint8_t>(c) & 0xC0) != 0x80) ++n;
    return n;
}

void AppendUtf8(uint32_t cp, std::string* out) {
    if (cp < 0x80) {
        *out += char(cp);
    } else if (cp < 0x800) {
        *out += char(0xC0 | (cp >> 6));
        *out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out += char(0xE0 | (cp >> 12));
        *out += char(0x80 | ((cp >> 6) & 0x3F));
        *out += char(0x80 | (cp & 0x3F));
    } else {
        *out += char(0xF0 | (cp >> 18));
        *out += char(0x80 | ((cp >> 12) & 0x3F));
        *out += char(0x80 | ((cp >> 6) & 0x3F));
        *out += char(0x80 | (cp & 0x3F));
    }
}

NameSafety MakeSafeRelativePath(const std::string& name, std::string* path) {
    path->clear();
    NameSafety safety = kNameSafe;
    std::string rest = name;
    // A drive ("C:") or a UNC or rooted start is dropped: the name stays inside.
    if (rest.size() >= 2 && rest[1] == ':' &&
        ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
        rest.erase(0, 2);
        safety = kNameChanged;
    }
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= rest.size(); ++i) {
        char c = i < rest.size() ? rest[i] : '/';
        if (c != '/' && c != '\\') {
            part += c;
            continue;
        }
        if (part.empty()) {
            if (i == 0 && !rest.empty()) safety = kNameChanged;  // a rooted name
        } else if (part == "..") {
            return kNameRefused;
        } else if (part != ".") {
            std::string fixed;
            for (char ch : part) fixed += IsRefusedCharacter(static_cast<unsigned char>(ch)) ? '_' : ch;
            // Windows drops trailing dots and blanks, which would merge names.
            size_t end = fixed.size();
            while (end > 0 && (fixed[end - 1] == '.' || fixed[end - 1] == ' ')) --end;
            if (end != fixed.size()) fixed = fixed.substr(0, end) + std::string(fixed.size() - end, '_');
            if (IsDeviceName(fixed)) fixed = "_" + fixed;
            if (fixed != part) safety = kNameChanged;
            parts.push_back(fixed);
        }
        part.clear();
    }
    if (parts.empty()) return kNameRefused;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) *path += '/';
        *path += parts[i];
    }
    return safety;
}

bool SameEntryName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] == '\\' ? '/' : Lower(a[i]);
        char y = b[i] == '\\' ? '/' : Lower(b[i]);
        if (x != y) return false;
    }
    return true;
}

}  // namespace fyxzip
