// Win32 streams, conversions and times for the ZIP libraries.
#include "win32_files.h"

#include <string.h>

#include "zip_names.h"

namespace fyxzipwin {

namespace {

std::wstring ToWide(UINT codePage, const char* text, int length) {
    if (length == 0) return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text, length, &out[0], n);
    return out;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

const size_t kWriteBuffer = 1 << 20;

wchar_t Fold(wchar_t c, bool caseInsensitive) {
    if (c == L'/') return L'\\';
    if (caseInsensitive && c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    return c;
}


}  // namespace

std::wstring Utf8ToWide(const std::string& text) {
    return ToWide(CP_UTF8, text.data(), static_cast<int>(text.size()));
}

std::string WideToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, text); }

std::wstring AnsiToWide(const char* text) {
    if (!text) return std::wstring();
    return ToWide(CP_ACP, text, static_cast<int>(strlen(text)));
}

std::string WideToAnsi(const std::wstring& text) { return FromWide(CP_ACP, text); }

Win32Input::Win32Input(HANDLE h) : h_(h) {
    LARGE_INTEGER size;
    if (GetFileSizeEx(h_, &size)) size_ = static_cast<uint64_t>(size.QuadPart);
}

Win32Input::~Win32Input() { CloseHandle(h_); }

std::unique_ptr<Win32Input> Win32Input::Open(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<Win32Input>(new Win32Input(h));
}

bool Win32Input::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) {
    *got = 0;
    uint8_t* p = static_cast<uint8_t*>(buffer);
    while (size > 0) {
        // A positioned read: the offset travels in the OVERLAPPED block.
        OVERLAPPED at;
        memset(&at, 0, sizeof at);
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD piece = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size), read = 0;
        if (!ReadFile(h_, p, piece, &read, &at)) return GetLastError() == ERROR_HANDLE_EOF;
        if (read == 0) return true;
        *got += read;
        p += read;
        offset += read;
        size -= read;
    }
    return true;
}

Win32Output::~Win32Output() { Close(); }

std::unique_ptr<Win32Output> Win32Output::Create(const std::wstring& path, bool createNew) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           createNew ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<Win32Output>(new Win32Output(h));
}

bool Win32Output::Flush() {
    if (buffer_.empty()) return !failed_;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(bufferStart_);
    const uint8_t* p = buffer_.data();
    size_t left = buffer_.size();
    bool ok = SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) != 0;
    while (ok && left > 0) {
        DWORD written = 0;
        ok = WriteFile(h_, p, static_cast<DWORD>(left), &written, nullptr) && written > 0;
        p += written;
        left -= written;
    }
    buffer_.clear();
    if (!ok) failed_ = true;
    return ok;
}

bool Win32Output::Write(const void* data, size_t size) {
    if (failed_) return false;
    if (buffer_.empty()) bufferStart_ = position_;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    buffer_.insert(buffer_.end(), p, p + size);
    position_ += size;
    if (buffer_.size() >= kWriteBuffer) return Flush();
    return true;
}

bool Win32Output::Seek(uint64_t position) {
    if (!Flush()) return false;
    position_ = position;
    return true;
}

bool Win32Output::Truncate() {
    if (!Flush()) return false;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(position_);
    return SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) && SetEndOfFile(h_);
}

bool Win32Output::Close() {
    if (h_ == INVALID_HANDLE_VALUE) return !failed_;
    bool ok = Flush();
    ok = CloseHandle(h_) && ok;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
}

std::unique_ptr<fyxzip::InputFile> Win32Opener::Open(const std::string& path) {
    return Win32Input::Open(Utf8ToWide(path));
}

namespace {

std::string OemToUtf8(const std::string& raw) {
    if (raw.empty()) return raw;
    // Control bytes keep their graphic forms, as on the OEM console.
    int n = MultiByteToWideChar(CP_OEMCP, MB_USEGLYPHCHARS, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
    if (n <= 0) return fyxzip::Cp437ToUtf8(raw);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_OEMCP, MB_USEGLYPHCHARS, raw.data(), static_cast<int>(raw.size()), &wide[0], n);
    return WideToUtf8(wide);
}

}  // namespace

void UseSystemOemCodePage() {
    if (GetOEMCP() != 437) fyxzip::SetLegacyDecoder(OemToUtf8);
}

uint32_t FileTimeToDos(const FILETIME& utc) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return (1u << 21) | (1u << 16);
    return (uint32_t(date) << 16) | time;
}

FILETIME EntryFileTime(uint64_t fileTime, uint32_t dosTime) {
    FILETIME result;
    if (fileTime) {
        result.dwLowDateTime = static_cast<DWORD>(fileTime);
        result.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
        return result;
    }
    FILETIME local;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosTime >> 16), static_cast<WORD>(dosTime), &local) ||
        !LocalFileTimeToFileTime(&local, &result)) {
        result.dwLowDateTime = result.dwHighDateTime = 0;
    }
    return result;
}

bool MatchesPattern(const std::wstring& pattern, const std::wstring& name, bool caseInsensitive) {
    size_t p = 0, n = 0, starP = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p], caseInsensitive) == Fold(name[n], caseInsensitive))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace fyxzipwin
