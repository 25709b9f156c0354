// Second process of the configuration store tests. Modes:
//   save FOLDER VARIANT COUNT  saves sample record VARIANT COUNT times;
//                              exit code: number of failed saves
//   load FOLDER COUNT EVENT    loads at least COUNT times and on until the
//                              named event is set; exit code: number of
//                              loads that were neither sample record, whole
//   saveinfo WINDOW FOLDER     stores a hand-over block
//   loadinfo FILE              writes the shared hand-over block to FILE
#include <windows.h>
#include <stdlib.h>
#include <wchar.h>

#include <initializer_list>

#include "prefs.h"
#include "sample_records.h"

namespace {

int Clamp(long n) { return n > 250 ? 250 : (int)n; }

int SaveMany(const wchar_t* folder, int variant, long count) {
    PREFS_StoreProgramPath(folder);
    ConfigRecord record = MakeSampleRecord(variant);
    long failures = 0;
    for (long i = 0; i < count; ++i) {
        if (PREFS_SaveAllExtConfiguration(record) != 0) ++failures;
    }
    return Clamp(failures);
}

int LoadMany(const wchar_t* folder, long count, const wchar_t* stopEventName) {
    HANDLE stop = OpenEventW(SYNCHRONIZE, FALSE, stopEventName);
    if (!stop) return 251;
    PREFS_StoreProgramPath(folder);
    ConfigRecord first = MakeSampleRecord(1);
    ConfigRecord second = MakeSampleRecord(2);
    // The fields without a line always come back as defaults.
    ConfigRecord defaults;
    PREFS_GetDefaultConfiguration(&defaults);
    for (ConfigRecord* r : {&first, &second}) {
        r->PotCopyDragDrop = defaults.PotCopyDragDrop;
        r->PotMoveDragDrop = defaults.PotMoveDragDrop;
        r->PackRecursive = defaults.PackRecursive;
    }
    long bad = 0;
    for (long i = 0; i < count || WaitForSingleObject(stop, 0) == WAIT_TIMEOUT; ++i) {
        ConfigRecord loaded;
        PREFS_LoadAllExtConfiguration(&loaded);
        if (!SameRecord(loaded, first) && !SameRecord(loaded, second)) ++bad;
    }
    CloseHandle(stop);
    return Clamp(bad);
}

int SaveInfo(const wchar_t* window, const wchar_t* folder) {
    InfoBlock block = {};
    block.mainWindow = (uint32_t)wcstoul(window, NULL, 10);
    wcsncpy(block.programFolder, folder, PREFS_TEXT_CAPACITY - 1);
    return PREFS_SaveInfo(block);
}

int LoadInfo(const wchar_t* path) {
    InfoBlock block;
    PREFS_LoadInfo(&block);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    BOOL ok = WriteFile(file, &block, sizeof(block), &written, NULL);
    CloseHandle(file);
    return ok && written == sizeof(block) ? 0 : 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && wcscmp(argv[1], L"save") == 0) return SaveMany(argv[2], _wtoi(argv[3]), _wtol(argv[4]));
    if (argc == 5 && wcscmp(argv[1], L"load") == 0) return LoadMany(argv[2], _wtol(argv[3]), argv[4]);
    if (argc == 4 && wcscmp(argv[1], L"saveinfo") == 0) return SaveInfo(argv[2], argv[3]);
    if (argc == 3 && wcscmp(argv[1], L"loadinfo") == 0) return LoadInfo(argv[2]);
    return 255;
}
