// Text conversions with the Win32 code page functions.
#include "unrar_text.h"

#include <string.h>

namespace fyxunrar {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0);
    std::wstring out((size_t)n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n);
    return out;
}

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n, NULL, NULL);
    return out;
}

std::string WideToCodePage(const std::wstring& text, UINT codePage) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), NULL, 0, NULL, NULL);
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &out[0], n, NULL, NULL);
    return out;
}

std::wstring CodePageToWide(const char* text, UINT codePage) {
    if (!text || !*text) return std::wstring();
    int len = (int)strlen(text);
    int n = MultiByteToWideChar(codePage, 0, text, len, NULL, 0);
    std::wstring out((size_t)n, L'\0');
    MultiByteToWideChar(codePage, 0, text, len, &out[0], n);
    return out;
}

bool CopyText(const std::wstring& text, wchar_t* buffer, size_t size) {
    if (!buffer || size == 0) return text.empty();
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), n * sizeof(wchar_t));
    buffer[n] = 0;
    return n == text.size();
}

bool CopyText(const std::string& text, char* buffer, size_t size) {
    if (!buffer || size == 0) return text.empty();
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return n == text.size();
}

}  // namespace fyxunrar
