// Loading UNZIP32.DLL as the pack/unpack tool does, and callbacks whose
// answers a test sets in advance (the callbacks carry no context).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "unzip_api.h"

namespace unziptest {

typedef WizSingleEntryUnzipFn UnzipFn;

// Found on the search path and bound by name, as the tool does.
UnzipFn LoadUnzip();

// What the callbacks saw, and how they answer.
struct Script {
    std::function<int(const std::string& name, int kind)> replace;
    std::string password;           // given when asked; empty: decline
    int cancelAtFilesize = -1;      // the n-th "filesize:" line returns -1
    std::vector<std::string> lines;
    std::vector<std::string> messageNames;
    std::vector<unsigned long> messageAttributes, messageDosTimes;
    int passwordQuestions = 0;
    int filesizeLines = 0;
};

extern Script g_script;

UnzipCallbacks Callbacks();
// A zeroed option block as the tool fills it, for `archive` into `folder`.
UnzipOptions Options(std::string& archive, std::string& folder);

std::wstring TestArchive(const char* name);
std::string Ansi(const std::wstring& text);
bool ReadAll(const std::wstring& path, std::string* bytes);
uint32_t Crc(const std::string& bytes);

}  // namespace unziptest
