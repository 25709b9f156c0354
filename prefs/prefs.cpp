// Fyx configuration store: the program folder, the per-process return
// buffer, and loading and saving of the configuration record.
#include "prefs.h"

#include <string.h>
#include <wchar.h>

#include "file_io.h"
#include "info_block.h"
#include "settings_table.h"
#include "settings_text.h"

namespace {

const wchar_t kSettingsFileName[] = L"Fyx.ini";
const wchar_t kVersionText[] = L"1.12";
// Far more than any settings file written by the library; a damaged file
// beyond this is read as if it ended there.
const size_t kMaxSettingsFileBytes = 1 << 20;

// Per process (the library's data is not shared between processes).
wchar_t g_programFolder[PREFS_TEXT_CAPACITY];
wchar_t g_returnBuffer[PREFS_TEXT_CAPACITY];

bool SettingsFilePath(wchar_t* out, size_t capacity) {
    return g_programFolder[0] != 0 && JoinFolderFile(g_programFolder, kSettingsFileName, out, capacity);
}

const wchar_t* ReturnCopy(const wchar_t* text) {
    wcsncpy(g_returnBuffer, text, PREFS_TEXT_CAPACITY - 1);
    g_returnBuffer[PREFS_TEXT_CAPACITY - 1] = 0;
    return g_returnBuffer;
}

}  // namespace

PREFS_API ConfigRecord* PREFS_GetDefaultConfiguration(ConfigRecord* record) {
    FillDefaultSettings(record);
    return record;
}

PREFS_API ConfigRecord* PREFS_LoadAllExtConfiguration(ConfigRecord* record) {
    ConfigRecord loaded;
    FillDefaultSettings(&loaded);
    wchar_t path[MAX_PATH + 16];
    unsigned char* data;
    size_t size;
    if (SettingsFilePath(path, MAX_PATH + 16) && ReadSmallFile(path, kMaxSettingsFileBytes, &data, &size)) {
        ParseSettingsFile(data, size, &loaded);
        FreeFileData(data);
    }
    memcpy(record, &loaded, sizeof(loaded));
    return record;
}

PREFS_API int PREFS_SaveAllExtConfiguration(ConfigRecord record) {
    wchar_t path[MAX_PATH + 16];
    if (!SettingsFilePath(path, MAX_PATH + 16)) return 1;
    char* text = (char*)HeapAlloc(GetProcessHeap(), 0, SETTINGS_FILE_MAX_BYTES);
    if (!text) return 1;
    size_t size = FormatSettingsFile(record, text);
    int result = ReplaceFileWhole(path, text, size);
    HeapFree(GetProcessHeap(), 0, text);
    return result;
}

PREFS_API int PREFS_InitProgramPath(void) {
    wchar_t folder[PREFS_TEXT_CAPACITY];
    DWORD length = GetCurrentDirectoryW(PREFS_TEXT_CAPACITY, folder);
    if (length == 0 || length > PREFS_TEXT_LIMIT) {
        g_programFolder[0] = 0;
        return 1;
    }
    wmemcpy(g_programFolder, folder, length + 1);
    return 0;
}

PREFS_API void PREFS_StoreProgramPath(const wchar_t* folder) {
    size_t length = folder ? wcslen(folder) : 0;
    if (length > PREFS_TEXT_LIMIT) length = 0;
    wmemcpy(g_programFolder, folder ? folder : L"", length);
    g_programFolder[length] = 0;
}

PREFS_API const wchar_t* PREFS_GetProgramPath(void) { return ReturnCopy(g_programFolder); }

PREFS_API const wchar_t* PREFS_GetVersion(void) { return ReturnCopy(kVersionText); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        AttachInfoBlock();
        break;
    case DLL_PROCESS_DETACH:
        // At process end the system releases the handles itself.
        if (!reserved) DetachInfoBlock();
        break;
    }
    return TRUE;
}
