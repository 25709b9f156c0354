// Callback protocol: only -1 stops; the wide message goes first and the
// 8-bit one follows when the wide one left its buffer unchanged.
#include "unrar_host.h"

#include <vector>

#include "unrar_files.h"
#include "unrar_text.h"

namespace fyxunrar {

namespace {
const size_t kNameBuffer = 65536;
const size_t kPasswordBuffer = 512;
}  // namespace

int DllHost::Call(UINT msg, LPARAM p1, LPARAM p2) {
    if (!callback) return 0;
    return callback(msg, userData, p1, p2);
}

std::unique_ptr<fyxrar::Stream> DllHost::OpenVolume(const std::string& path) {
    std::wstring wide = Utf8ToWide(path);
    std::unique_ptr<fyxrar::Stream> s = OpenVolumeFile(wide);
    if (s) volume = wide;
    return s;
}

bool DllHost::VolumeMessage(std::string* path, int mode) {
    std::wstring original = Utf8ToWide(*path);
    bool changed = false;
    if (callback) {
        std::vector<wchar_t> wide(kNameBuffer, 0);
        CopyText(original, wide.data(), wide.size());
        if (Call(UCM_CHANGEVOLUMEW, (LPARAM)wide.data(), mode) == -1) return false;
        wide.back() = 0;
        std::wstring answer(wide.data());
        if (mode == RAR_VOL_ASK && answer != original && !answer.empty()) {
            *path = WideToUtf8(answer);
            changed = true;
        }
    }
    if (changed) return true;
    std::vector<char> narrow(kNameBuffer, 0);
    std::string ansi = WideToCodePage(original, CP_ACP);
    CopyText(ansi, narrow.data(), narrow.size());
    if (callback) {
        if (Call(UCM_CHANGEVOLUME, (LPARAM)narrow.data(), mode) == -1) return false;
    } else if (changeVolProc) {
        // The old procedure stops with 0.
        if (changeVolProc(narrow.data(), mode) == 0) return false;
    } else {
        return mode == RAR_VOL_NOTIFY;
    }
    narrow.back() = 0;
    if (mode == RAR_VOL_ASK && ansi != narrow.data()) *path = WideToUtf8(CodePageToWide(narrow.data(), CP_ACP));
    return true;
}

bool DllHost::AskVolume(std::string* path) {
    if (!callback && !changeVolProc) return false;
    return VolumeMessage(path, RAR_VOL_ASK);
}

bool DllHost::VolumeOpened(const std::string& path) {
    std::string name = path;
    return VolumeMessage(&name, RAR_VOL_NOTIFY);
}

bool DllHost::GetPassword(std::string* out) {
    if (hasPassword) {
        *out = password;
        return true;
    }
    if (!callback) return false;
    std::vector<wchar_t> wide(kPasswordBuffer, 0);
    std::wstring answer;
    if (Call(UCM_NEEDPASSWORDW, (LPARAM)wide.data(), (LPARAM)wide.size()) != -1) {
        wide.back() = 0;
        answer = wide.data();
    }
    if (answer.empty()) {
        std::vector<char> narrow(kPasswordBuffer, 0);
        if (Call(UCM_NEEDPASSWORD, (LPARAM)narrow.data(), (LPARAM)narrow.size()) == -1) return false;
        narrow.back() = 0;
        answer = CodePageToWide(narrow.data(), CP_ACP);
    }
    if (answer.empty()) return false;
    password = WideToUtf8(answer);
    hasPassword = true;
    *out = password;
    return true;
}

bool DllHost::ProcessedData(const uint8_t* data, size_t size) {
    // Large pieces go out in parts that an int size can carry.
    while (size > 0) {
        size_t n = size > 0x10000000 ? 0x10000000 : size;
        if (callback) {
            if (Call(UCM_PROCESSDATA, (LPARAM)data, (LPARAM)n) == -1) return false;
        } else if (processDataProc) {
            if (processDataProc((unsigned char*)data, (int)n) == 0) return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace fyxunrar
