// Shared pieces of the library's tests.
#include "test_support.h"

#include <stdlib.h>
#include <string.h>

namespace unrartest {

std::string RarDataDirUtf8() {
    const char* dir = getenv("FYX_TESTDATA_DIR");
    return std::string(dir ? dir : "") + "/rar";
}

std::wstring RarDataDir() {
    std::string unix = RarDataDirUtf8();
    std::wstring out = L"Z:";
    for (char c : unix) out += c == '/' ? L'\\' : (wchar_t)(unsigned char)c;
    return out;
}

// Answers as the file manager's unpack tool does: 0 goes on, -1 stops.
int CALLBACK TestCallback(UINT msg, LPARAM user, LPARAM p1, LPARAM p2) {
    CallbackState* s = (CallbackState*)user;
    switch (msg) {
        case UCM_CHANGEVOLUME:
            if (p2 == RAR_VOL_NOTIFY) {
                ++s->volumeNotified;
                return 0;
            }
            ++s->volumeAsked;
            if (s->refuseVolume) return -1;
            strcpy((char*)p1, s->replacementVolume.c_str());
            return 0;
        case UCM_CHANGEVOLUMEW:
            if (p2 != RAR_VOL_ASK || !s->answerWide) return 0;
            ++s->volumeAsked;
            MultiByteToWideChar(CP_ACP, 0, s->replacementVolume.c_str(), -1, (wchar_t*)p1, 1024);
            return 1;
        case UCM_PROCESSDATA:
            s->crc = crc32(s->crc, (const Bytef*)p1, (uInt)p2);
            s->processed += (uint64_t)p2;
            return s->processed >= s->cancelAfter ? -1 : 0;
        case UCM_NEEDPASSWORD:
            ++s->passwordAsked;
            if (s->cancelPassword) return -1;
            strncpy((char*)p1, s->password.c_str(), (size_t)p2 - 1);
            return 0;
        default:
            return 0;
    }
}

bool FileCrc(const std::wstring& path, uint32_t* crc, uint64_t* size) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    uLong c = crc32(0, Z_NULL, 0);
    *size = 0;
    std::vector<uint8_t> buf(1 << 16);
    DWORD n = 0;
    while (ReadFile(h, buf.data(), (DWORD)buf.size(), &n, NULL) && n > 0) {
        c = crc32(c, buf.data(), n);
        *size += n;
    }
    CloseHandle(h);
    *crc = (uint32_t)c;
    return true;
}

}  // namespace unrartest
