// Conversions between the reader's UTF-8 and the interface's UTF-16 and
// 8-bit (ANSI / OEM) texts.
#pragma once

#include <windows.h>

#include <string>

namespace fyxunrar {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string WideToCodePage(const std::wstring& text, UINT codePage);
std::wstring CodePageToWide(const char* text, UINT codePage);

// Copies `text` into a buffer of `size` characters, always terminated;
// returns false when it had to be cut.
bool CopyText(const std::wstring& text, wchar_t* buffer, size_t size);
bool CopyText(const std::string& text, char* buffer, size_t size);

}  // namespace fyxunrar
