// The language table's life in the main program: the language file on disk,
// start-up, taking up changed settings, publishing to the plugin library.
#include <stdlib.h>
#include <wchar.h>

#include "language.h"
#include "plugin.h"

const wchar_t kLanguageDefault[] = L"Default";

namespace {

const wchar_t kLanguageFolder[] = L"Language";

bool IsPlainFileName(const wchar_t* name) {
    if (!name || !name[0]) return false;
    if (wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0) return false;
    return wcspbrk(name, L"\\/:") == NULL;
}

bool Append(wchar_t* path, size_t capacity, const wchar_t* part) {
    size_t length = wcslen(path);
    bool separator = length > 0 && path[length - 1] != L'\\' && path[length - 1] != L'/';
    size_t needed = length + (separator ? 1 : 0) + wcslen(part) + 1;
    if (needed > capacity) return false;
    if (separator) path[length++] = L'\\';
    wcscpy(path + length, part);
    return true;
}

bool LanguageFilePath(const wchar_t* programFolder, const wchar_t* languageFile, wchar_t* path,
                      size_t capacity) {
    if (!programFolder || wcslen(programFolder) >= capacity) return false;
    wcscpy(path, programFolder);
    return Append(path, capacity, kLanguageFolder) && Append(path, capacity, languageFile);
}

// The whole file in one allocation; NULL when it cannot be read.
void* ReadWholeFile(const wchar_t* path, size_t* size) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return NULL;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file, &fileSize) || fileSize.QuadPart < 0 || fileSize.QuadPart > 0x7FFFFFFF) {
        CloseHandle(file);
        return NULL;
    }
    DWORD total = (DWORD)fileSize.QuadPart;
    unsigned char* content = (unsigned char*)malloc(total ? total : 1);
    DWORD done = 0;
    while (content && done < total) {
        DWORD got = 0;
        if (!ReadFile(file, content + done, total - done, &got, NULL) || got == 0) {
            free(content);
            content = NULL;
            break;
        }
        done += got;
    }
    CloseHandle(file);
    *size = done;
    return content;
}

// Built-in lines, or the named file with the built-in lines as the fallback.
int LoadNamed(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile) {
    LanguageFree(table);
    if (wcscmp(languageFile, kLanguageDefault) == 0) {
        LanguageLoadBuiltin(table);
        return LANGUAGE_FILE_USED;
    }
    if (LanguageLoadFile(table, programFolder, languageFile) == LANGUAGE_FILE_USED) return LANGUAGE_FILE_USED;
    LanguageFree(table);
    LanguageLoadBuiltin(table);
    return LANGUAGE_FILE_UNUSABLE;
}

}  // namespace

int LanguageLoadFile(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile) {
    if (!IsPlainFileName(languageFile)) return LANGUAGE_FILE_UNUSABLE;
    wchar_t path[MAX_PATH];
    if (!LanguageFilePath(programFolder, languageFile, path, MAX_PATH)) return LANGUAGE_FILE_UNUSABLE;
    size_t size = 0;
    void* content = ReadWholeFile(path, &size);
    if (!content) return LANGUAGE_FILE_UNUSABLE;
    int result = LanguageReadContent(table, content, size);
    free(content);
    return result;
}

void LanguagePublish(const LanguageTable* table) {
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id)
        FYXPLG_PutLineToLanguageBuffer(id, LanguageLine(table, id));
}

int LanguageStartUp(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile) {
    int result = LoadNamed(table, programFolder, languageFile ? languageFile : kLanguageDefault);
    LanguagePublish(table);
    return result;
}

bool LanguageMustReload(const wchar_t* keptLanguageFile, const wchar_t* reloadedLanguageFile) {
    if (!keptLanguageFile || !reloadedLanguageFile) return true;
    return wcscmp(keptLanguageFile, reloadedLanguageFile) != 0;
}

int LanguageTakeSettings(LanguageTable* table, HWND mainWindow, const wchar_t* programFolder,
                         const wchar_t* keptLanguageFile, wchar_t* liveLanguageFile, size_t liveCapacity) {
    if (!liveLanguageFile || !LanguageMustReload(keptLanguageFile, liveLanguageFile)) return LANGUAGE_UNCHANGED;
    int result = LANGUAGE_RELOADED;
    if (LoadNamed(table, programFolder, liveLanguageFile) != LANGUAGE_FILE_USED) {
        if (liveCapacity > wcslen(kLanguageDefault)) wcscpy(liveLanguageFile, kLanguageDefault);
        result = LANGUAGE_FELL_BACK;
    }
    if (mainWindow) LanguageApplyMenuTexts(mainWindow, table);
    LanguagePublish(table);
    return result;
}
