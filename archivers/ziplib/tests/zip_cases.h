// What each shared test archive holds, as its manifest states: the table the
// core's, UNZIP32.DLL's and list.dll's tests walk.
#pragma once

#include <stdint.h>

#include <vector>

#include "zip_result.h"

namespace fyxziptest {

struct ExpectedEntry {
    const char* name;  // UTF-8, '/' between parts, folders end with '/'
    int64_t size;
    uint32_t crc;
    fyxzip::Result unpacked;  // with the case's password
};

struct ArchiveCase {
    const char* file;
    fyxzip::Result opened;
    const char* password;  // "" when none
    int entryCount;        // -1 when not checked
    std::vector<ExpectedEntry> entries;  // each must be present
};

using fyxzip::kOk;

inline const std::vector<ArchiveCase>& ArchiveCases() {
    static const std::vector<ArchiveCase> cases = {
        {"libzip__teststored.zip", kOk, "", 1, {{"abac-repeat.txt", 60, 0xb0354048, kOk}}},
        {"libzip__testdeflated.zip", kOk, "", 1, {{"abac-repeat.txt", 60, 0xb0354048, kOk}}},
        {"jszip__all.windows.zip", kOk, "", 2,
         {{"Hello.txt", 12, 0xb095e5e3, kOk}, {"images/smile.gif", 41, 0x8aeb3f3c, kOk}}},
        {"libzip__zipcmp_zip_dir.zip", kOk, "", 3,
         {{"empty-dir/", 0, 0, kOk}, {"dir-with-file/a", 1, 0xe8b7be43, kOk}, {"00-empty-dir/", 0, 0, kOk}}},
        {"jszip__data_descriptor.zip", kOk, "", 1, {{"Hello.txt", 12, 0xb095e5e3, kOk}}},
        {"yauzl__streaming.zip", kOk, "", 2,
         {{"test1.txt", 25, 0x4fc8b8b2, kOk}, {"test2.txt", 25, 0xce20b234, kOk}}},
        {"go__go-no-datadesc-sig.zip", kOk, "", 2,
         {{"foo.txt", 4, 0x7e3265a8, kOk}, {"bar.txt", 4, 0x04a2b3e9, kOk}}},
        {"yauzl__zip64.zip", kOk, "", 2, {{"test1.txt", 3, 0x8c736521, kOk}, {"test2.txt", 3, 0x76ff8caa, kOk}}},
        {"libzip__bigzero-zip.zip", kOk, "", 1, {{"bigzero.zip", 4168377, 0xae158154, kOk}}},
        {"jszip__pile_of_poo.zip", kOk, "", 1,
         {{"I\xc3\xb1t\xc3\xabrn\xc3\xa2ti\xc3\xb4n\xc3\xa0liz\xc3\xa6ti\xc3\xb8n\xe2\x98\x83\xf0\x9f\x92\xa9.txt", 34,
           0xe3fe808d, kOk}}},
        {"libzip__test-utf8-unmarked.zip", kOk, "", 1,
         {{"\xc3\x84\xc3\x96\xc3\x9c\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc4\x87\xc3\xa7\xc4\x89\xc3\xa9\xc3\xa8\xc3\xaa"
           "\xc3\xab\xc4\x93", 0, 0, kOk}}},
        {"libarchive__zip_7075_utf8_paths.zip", kOk, "", 4,
         {{"File 1.txt", 9, 0x7095e962, kOk}, {"File 2 - \xc3\xb6.txt", 9, 0x7095e962, kOk},
          {"File 3 - \xc3\xa4.txt", 9, 0x7095e962, kOk}, {"File 4 - \xc3\xa5.txt", 9, 0x7095e962, kOk}}},
        {"libzip__test-cp437.zip", kOk, "", 16,
         {{"qrstuvwxyz{|}~\xe2\x8c\x82\xc3\x87", 0, 0, kOk}}},
        {"jszip__local_encoding_in_name.zip", kOk, "", 2, {}},
        {"zt-zip__windows-compressed.zip", kOk, "", 2,
         {{"windows-default-encoded/raudj\xc3\xa4rv.txt", 22, 0xaf946aa7, kOk},
          {"windows-default-encoded/r\xc3\xb6mer.txt", 22, 0xaf946aa7, kOk}}},
        {"zt-zip__backSlashTest.zip", kOk, "", -1,
         {{"testDirectory/testfileInTestDirectory.txt", 8, 0x139b51ba, kOk},
          {"testDirectory/testSubdirectory/testFileInTestSubdirectory.txt", 8, 0xeed8f557, kOk}}},
        {"libzip__encrypt-1234.zip", kOk, "1234", 1, {{"sample.txt", 282, 0x1c63b05b, kOk}}},
        {"libzip__encrypt-aes128.zip", kOk, "foofoofoo", 2,
         {{"plain", 6, 0x3915f9d0, kOk}, {"encrypted", 10, 0xfb8c5e55, kOk}}},
        {"libarchive__zip_winzip_aes256.zip", kOk, "password", 1, {{"README", 6818, 0x864d90bb, kOk}}},
        {"puren_tonbo__aesop_win_winrar.aes256.zip", kOk, "password", 1,
         {{"encrypted.md", 1510, 0xd561a004, kOk}}},
        {"libzip__testcomment.zip", kOk, "", 4,
         {{"file1", 24, 0x7970d930, kOk}, {"file2", 25, 0x90c4d1d0, kOk}, {"file3", 24, 0xec532ae4, kOk},
          {"file4", 25, 0x2989f508, kOk}}},
        {"libzip__testfile-long-comment.zip", kOk, "", 1, {{"testfile.txt", 0, 0, kOk}}},
        {"libzip__multidisk.zip", fyxzip::kMultiDisk, "", 0, {}},
        {"libzip__broken.zip", kOk, "crypt", 6,
         {{"storedok", 10240, 0xb71a694c, kOk},
          {"storedcrcerror", 10240, 0, fyxzip::kCrcError},
          {"deflateok", 43133, 0xfdb799c9, kOk},
          {"deflatecrcerror", 43133, 0, fyxzip::kCrcError},
          {"deflatezliberror", 43133, 0, fyxzip::kDataError},
          {"cryptok", 43133, 0xfdb799c9, kOk}}},
        {"libzip__testfile-truncated.zip", fyxzip::kNotZip, "", 0, {}},
        {"yauzl__invalid-relative-path.zip", kOk, "", 2,
         {{"../xt", 5, 0x8756e051, fyxzip::kUnsafeName}, {"b.txt", 5, 0xc0f69a81, kOk}}},
        {"yauzl__absolute-path-C.zip", kOk, "", 2, {{"C:/xt", 5, 0x8756e051, kOk}, {"b.txt", 5, 0xc0f69a81, kOk}}},
        {"zt-zip__zip-malicious-traversal-backslashes.zip", kOk, "", 2,
         {{"someroot/good.txt", 19, 0xf34f6f0f, kOk}}},
        {"jszip__all_prepended_bytes.zip", kOk, "", 3,
         {{"Hello.txt", 12, 0xb095e5e3, kOk}, {"images/", 0, 0, kOk}, {"images/smile.gif", 41, 0x8aeb3f3c, kOk}}},
        {"libzip__testempty.zip", kOk, "", 0, {}},
        {"libzip__testbzip2.zip", kOk, "", 1, {{"abac-repeat.txt", 60, 0xb0354048, fyxzip::kUnsupportedMethod}}},
        {"commons-compress__long-name.zip", kOk, "", 1, {}},
    };
    return cases;
}

}  // namespace fyxziptest
