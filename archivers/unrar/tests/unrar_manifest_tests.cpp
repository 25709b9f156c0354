// Every archive of the shared test data through the library, checked
// against its manifest: header fields, extracted content, the stop code.
#include <gtest/gtest.h>

#include "fyxcrypto.h"
#include "manifest.h"
#include "rar_reader.h"
#include "test_support.h"
#include "testkit.h"

namespace unrartest {
namespace {

const uint64_t kLargeFile = 8 << 20;  // larger entries are tested, not written

std::vector<ManifestArchive> Archives() {
    return LoadManifest(RarDataDirUtf8() + "/MANIFEST.md");
}

std::string CaseName(const testing::TestParamInfo<ManifestArchive>& info) {
    std::string name;
    for (char c : info.param.file) name += isalnum((unsigned char)c) ? c : '_';
    return name;
}

class ManifestArchives : public testing::TestWithParam<ManifestArchive> {};

TEST(Manifest, DescribesEveryArchive) {
    std::vector<ManifestArchive> all = Archives();
    // One section per archive or volume set of the shared folder.
    EXPECT_GE(all.size(), 30u);
    for (const ManifestArchive& a : all) EXPECT_TRUE(a.stopCode != 0 || !a.entries.empty()) << a.file;
}

unsigned ExpectedFlags(const ManifestArchive& a) {
    unsigned f = 0;
    for (const std::string& s : a.flags) {
        if (s == "volume") f |= ROADF_VOLUME;
        if (s == "lock") f |= ROADF_LOCK;
        if (s == "solid") f |= ROADF_SOLID;
        if (s == "recoveryRecord") f |= ROADF_RECOVERY;
        if (s == "headerEncrypted") f |= ROADF_ENCHEADERS;
    }
    return f;
}

std::string PasswordOf(const ManifestArchive& a, const std::wstring& name) {
    for (const auto& p : a.perEntry)
        if (p.first == name) return p.second;
    return a.password;
}

bool IsLink(const ManifestEntry& e) { return e.kind != "file" && e.kind != "dir"; }

// One pass over the archive with one password; every row is checked.
void RunPass(const ManifestArchive& a, const std::string& password) {
    SCOPED_TRACE("password \"" + password + "\"");
    fyxtest::TempDir out;
    CallbackState cb;
    cb.password = password;
    std::wstring path = RarDataDir() + L"\\" + std::wstring(a.file.begin(), a.file.end());
    wchar_t comment[16384] = {};
    RAROpenArchiveDataEx od = {};
    od.ArcNameW = (wchar_t*)path.c_str();
    od.OpenMode = RAR_OM_EXTRACT;
    od.CmtBufW = comment;
    od.CmtBufSize = 16384;
    od.Callback = TestCallback;
    od.UserData = (LPARAM)&cb;
    HANDLE h = RAROpenArchiveEx(&od);
    ASSERT_TRUE(h != NULL) << "open result " << od.OpenResult;
    const unsigned kReported = ROADF_VOLUME | ROADF_LOCK | ROADF_SOLID | ROADF_RECOVERY | ROADF_ENCHEADERS;
    EXPECT_EQ(od.Flags & kReported, ExpectedFlags(a));
    if (a.hasComment) {
        int n = MultiByteToWideChar(CP_UTF8, 0, a.comment.data(), (int)a.comment.size(), NULL, 0);
        std::wstring want((size_t)n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, a.comment.data(), (int)a.comment.size(), &want[0], n);
        EXPECT_EQ(od.CmtState, 1u);
        EXPECT_EQ(std::wstring(comment), want);
    }
    int code = 0;
    size_t row = 0;
    RARHeaderDataEx hd;
    for (;;) {
        memset(&hd, 0, sizeof hd);
        code = RARReadHeaderEx(h, &hd);
        if (code != 0) break;
        if (row == a.entries.size() && !a.stopEntry.empty()) {
            // The header the official library stops on: its data cannot be read.
            EXPECT_EQ(std::wstring(hd.FileNameW), a.stopEntry);
            code = RARProcessFileW(h, RAR_EXTRACT, (wchar_t*)out.path().c_str(), NULL);
            break;
        }
        ASSERT_LT(row, a.entries.size()) << "more entries than listed";
        const ManifestEntry& e = a.entries[row++];
        SCOPED_TRACE(std::string("entry ") + std::to_string(row));
        EXPECT_EQ(std::wstring(hd.FileNameW), e.name);
        EXPECT_EQ((hd.Flags & 0xE0) == 0xE0, e.kind == "dir");
        EXPECT_EQ(((uint64_t)hd.UnpSizeHigh << 32) | hd.UnpSize, e.unpacked);
        EXPECT_EQ(((uint64_t)hd.PackSizeHigh << 32) | hd.PackSize, e.packed);
        EXPECT_EQ((hd.Flags & RHDF_ENCRYPTED) != 0, e.encrypted);
        EXPECT_EQ(hd.Method, e.method);
        EXPECT_EQ(hd.UnpVer, e.unpVer);
        if (e.hostOs >= 0) {
            EXPECT_EQ((int)hd.HostOS, e.hostOs);
            EXPECT_EQ(hd.FileAttr, e.attributes);
        }
        bool wrongPassword = e.encrypted && PasswordOf(a, e.name) != password;
        bool large = e.unpacked > kLargeFile;
        cb.ResetData();
        code = RARProcessFileW(h, large ? RAR_TEST : RAR_EXTRACT, (wchar_t*)out.path().c_str(), NULL);
        if (wrongPassword) {
            // No check value in 4.x: a wrong key shows as a CRC error.
            EXPECT_EQ(code, a.generation == 5 ? ERAR_BAD_PASSWORD : ERAR_BAD_DATA);
            code = 0;
            continue;
        }
        if (code == ERAR_UNKNOWN_FORMAT && a.title.find("(optional)") != std::string::npos) {
            RARCloseArchive(h);
            GTEST_SKIP() << "optional method not supported";
        }
        if (code != 0) break;
        std::wstring target = out.path() + L"\\" + e.name;
        if (e.kind == "dir") {
            DWORD attr = GetFileAttributesW(target.c_str());
            EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY));
        } else if (!IsLink(e) && e.hasCrc) {
            EXPECT_EQ((uint32_t)cb.crc, e.crc) << "processed data";
            EXPECT_EQ(cb.processed, e.unpacked);
            if (!large) {
                uint32_t crc = 0;
                uint64_t size = 0;
                ASSERT_TRUE(FileCrc(target, &crc, &size));
                EXPECT_EQ(crc, e.crc);
                EXPECT_EQ(size, e.unpacked);
            }
        }
    }
    if (a.stopCode) {
        EXPECT_EQ(code, a.stopCode) << "after row " << row;
    } else {
        EXPECT_EQ(code, ERAR_END_ARCHIVE) << "after row " << row;
        EXPECT_EQ(row, a.entries.size());
    }
    EXPECT_EQ(RARCloseArchive(h), 0);
}

TEST_P(ManifestArchives, ListingContentAndResult) {
    const ManifestArchive& a = GetParam();
    if (!a.perEntry.empty()) {
        for (const auto& p : a.perEntry) RunPass(a, p.second);
    } else {
        RunPass(a, a.password);
    }
}

// Without an answer to the password question the documented codes come back.
TEST_P(ManifestArchives, EncryptedWithoutPassword) {
    const ManifestArchive& a = GetParam();
    if (a.password.empty() && a.perEntry.empty()) return;
    bool crypto = fyxcrypto::Available();
    CallbackState cb;
    cb.cancelPassword = true;
    std::wstring path = RarDataDir() + L"\\" + std::wstring(a.file.begin(), a.file.end());
    RAROpenArchiveDataEx od = {};
    od.ArcNameW = (wchar_t*)path.c_str();
    od.OpenMode = RAR_OM_EXTRACT;
    od.Callback = TestCallback;
    od.UserData = (LPARAM)&cb;
    HANDLE h = RAROpenArchiveEx(&od);
    bool headersEncrypted = ExpectedFlags(a) & ROADF_ENCHEADERS;
    if (headersEncrypted) {
        EXPECT_TRUE(h == NULL);
        // Natively-unavailable crypto is an unknown encryption.
        EXPECT_EQ(od.OpenResult, (unsigned)(crypto ? ERAR_MISSING_PASSWORD : ERAR_UNKNOWN_FORMAT));
        if (h) RARCloseArchive(h);
        return;
    }
    ASSERT_TRUE(h != NULL);
    RARHeaderDataEx hd = {};
    int encryptedSeen = 0;
    while (RARReadHeaderEx(h, &hd) == 0) {
        int code = RARProcessFileW(h, RAR_TEST, NULL, NULL);
        if (hd.Flags & RHDF_ENCRYPTED) {
            ++encryptedSeen;
            EXPECT_EQ(code, crypto ? ERAR_MISSING_PASSWORD : ERAR_UNKNOWN_FORMAT);
            // In a solid stream nothing after a missing file can be read.
            if (od.Flags & ROADF_SOLID) break;
        } else {
            EXPECT_EQ(code, 0);
        }
        memset(&hd, 0, sizeof hd);
    }
    EXPECT_GT(encryptedSeen, 0);
    RARCloseArchive(h);
}

INSTANTIATE_TEST_SUITE_P(Rar, ManifestArchives, testing::ValuesIn(Archives()), CaseName);

}  // namespace
}  // namespace unrartest
