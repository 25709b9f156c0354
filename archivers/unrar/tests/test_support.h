// Shared pieces of the library's tests: test data paths, a callback that
// records and answers, CRC32 of files.
#pragma once

#include <windows.h>
#include <zlib.h>

#include <map>
#include <string>
#include <vector>

#include "unrar.h"

namespace unrartest {

// Windows path of the shared test data's RAR folder.
std::wstring RarDataDir();
std::string RarDataDirUtf8();  // Unix form, for reading the manifest

// What the callback saw and how it answers.
struct CallbackState {
    std::string password;          // answer to password requests ("" = none)
    bool cancelPassword = false;   // answer -1 instead
    int passwordAsked = 0;
    int volumeAsked = 0;
    int volumeNotified = 0;
    std::string replacementVolume;  // written into the buffer when asked
    bool refuseVolume = true;
    bool answerWide = false;  // answer volume questions through the wide message
    uint64_t processed = 0;
    uint64_t cancelAfter = ~(uint64_t)0;
    uLong crc = 0;
    void ResetData() {
        processed = 0;
        crc = crc32(0, Z_NULL, 0);
    }
};

int CALLBACK TestCallback(UINT msg, LPARAM user, LPARAM p1, LPARAM p2);

bool FileCrc(const std::wstring& path, uint32_t* crc, uint64_t* size);

}  // namespace unrartest
