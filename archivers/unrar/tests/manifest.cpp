// A small reader for the tables of the test archive manifest.
#include "manifest.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <sstream>

namespace unrartest {

namespace {

std::wstring Wide(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), NULL, 0);
    std::wstring w((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(' ');
    size_t b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '|') {
            cells.push_back(Trim(cell));
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    return cells;
}

std::string Unquote(const std::string& s) {
    std::string t = Trim(s);
    if (t.size() >= 2 && (t[0] == '`' || t[0] == '"')) return t.substr(1, t.size() - 2);
    return t;
}

// "\n" and "\r\n" as written in the manifest's code spans.
std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == 'r')) {
            out += s[i + 1] == 'n' ? '\n' : '\r';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

int ErrorCode(const std::string& name) {
    static const struct {
        const char* name;
        int code;
    } kCodes[] = {{"ERAR_BAD_DATA", 12}, {"ERAR_BAD_ARCHIVE", 13}, {"ERAR_UNKNOWN_FORMAT", 14},
                  {"ERAR_EOPEN", 15},    {"ERAR_EREAD", 18},       {"ERAR_BAD_PASSWORD", 24}};
    for (const auto& c : kCodes)
        if (name.compare(0, strlen(c.name), c.name) == 0) return c.code;
    return -1;
}

void ParseMethod(const std::string& cell, ManifestEntry* e) {
    static const char* const kNames[] = {"Storing", "Fastest", "Fast", "Normal", "Good", "Best"};
    std::istringstream in(cell);
    std::string name, version;
    in >> name >> version;
    for (unsigned i = 0; i < 6; ++i)
        if (name == kNames[i]) e->method = 0x30 + i;
    if (version.size() == 3) e->unpVer = (unsigned)((version[0] - '0') * 10 + (version[2] - '0'));
}

void ParseEntry(const std::vector<std::string>& c, ManifestEntry* e) {
    std::wstring name = Wide(Unquote(c[1]));
    e->name = name;
    e->kind = c[2];
    e->unpacked = strtoull(c[3].c_str(), NULL, 10);
    e->packed = strtoull(c[4].c_str(), NULL, 10);
    if (c[5] != "-" && c[5].find("(header)") == std::string::npos) {
        e->crc = (uint32_t)strtoul(c[5].c_str(), NULL, 16);
        e->hasCrc = true;
    }
    ParseMethod(c[6], e);
    e->encrypted = c[7] == "yes";
    if (c[8].compare(0, 4, "Unix") == 0) e->hostOs = 3;
    if (c[8].compare(0, 7, "Windows") == 0) e->hostOs = 2;
    size_t comma = c[8].find(", 0x");
    if (comma != std::string::npos) e->attributes = (uint32_t)strtoul(c[8].c_str() + comma + 2, NULL, 16);
}

void ParsePassword(const std::string& text, ManifestArchive* a) {
    std::string t = Trim(text);
    if (t == "none") return;
    if (t[0] == '"') {
        a->password = Unquote(t);
        return;
    }
    // "pw1 (a.txt) / pw2 (b.txt)"
    std::istringstream in(t);
    std::string pw, name, slash;
    while (in >> pw >> name) {
        a->perEntry.push_back(std::make_pair(Wide(name.substr(1, name.size() - 2)), pw));
        in >> slash;
    }
}

}  // namespace

std::vector<ManifestArchive> LoadManifest(const std::string& path) {
    std::vector<ManifestArchive> all;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return all;
    std::string text;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    fclose(f);
    std::istringstream lines(text);
    std::string line;
    ManifestArchive* cur = nullptr;
    bool inFiles = false, inEntries = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, 3, "## ") == 0) {
            all.push_back(ManifestArchive());
            cur = &all.back();
            cur->title = line.substr(3);
            inFiles = inEntries = false;
            continue;
        }
        if (!cur) continue;
        if (line.compare(0, 8, "| File |") == 0) {
            inFiles = true;
            continue;
        }
        if (line.compare(0, 4, "| # ") == 0) {
            inEntries = true;
            continue;
        }
        if (line.compare(0, 4, "|---") == 0) continue;
        if (line.compare(0, 2, "| ") == 0) {
            std::vector<std::string> c = Cells(line);
            if (inFiles && cur->file.empty() && !c.empty()) cur->file = Unquote(c[0]);
            if (inEntries && c.size() >= 10) {
                cur->entries.push_back(ManifestEntry());
                ParseEntry(c, &cur->entries.back());
            }
            continue;
        }
        inFiles = inEntries = false;
        if (line.compare(0, 10, "- Format: ") == 0) cur->generation = line.find("5.0") != std::string::npos ? 5 : 4;
        if (line.compare(0, 12, "- Password: ") == 0) ParsePassword(line.substr(12), cur);
        if (line.compare(0, 19, "- Archive comment: ") == 0) {
            cur->hasComment = true;
            cur->comment = Unescape(Unquote(line.substr(19)));
        }
        const std::string kFlags = "- Archive flags reported by the official UnRAR";
        if (line.compare(0, kFlags.size(), kFlags) == 0) {
            std::string list = line.substr(line.rfind(':') + 1);
            std::istringstream in(list);
            std::string flag;
            while (std::getline(in, flag, ',')) {
                flag = Trim(flag);
                if (!flag.empty() && flag != "none of these") cur->flags.push_back(flag);
            }
        }
        size_t stop = line.find("official UnRAR stops with ");
        if (line.compare(0, 2, "- ") == 0 && stop != std::string::npos) {
            cur->stopCode = ErrorCode(line.substr(stop + 26));
            size_t file = line.find("file=", stop);
            if (file != std::string::npos) {
                std::string name = Trim(line.substr(file + 5));
                cur->stopEntry.assign(name.begin(), name.end());
            }
        }
    }
    // Sections without archives (notes, gaps) are dropped.
    std::vector<ManifestArchive> archives;
    for (ManifestArchive& a : all)
        if (!a.file.empty()) archives.push_back(a);
    return archives;
}

}  // namespace unrartest
