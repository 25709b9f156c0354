// Second process for the plugin tests: one action from its command line.
//   save OPERATION SOURCEKIND WINDOW NAME   store a request block
//   load FILE                               write the loaded block's bytes to FILE
//   putline ID TEXT / getline ID FILE       language lines
//   putversion SLOT TEXT / getversion SLOT FILE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "plugin.h"

namespace {

bool WriteBytes(const wchar_t* path, const void* data, size_t size) {
    FILE* f = _wfopen(path, L"wb");
    if (!f) return false;
    bool ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

bool WriteText(const wchar_t* path, const wchar_t* text) {
    return WriteBytes(path, text, wcslen(text) * sizeof(wchar_t));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const wchar_t* verb = argv[1];
    if (!wcscmp(verb, L"save") && argc == 6) {
        PluginParams p;
        memset(&p, 0, sizeof(p));
        p.operation = (uint32_t)wcstoul(argv[2], NULL, 10);
        p.sourceKind = (uint32_t)wcstoul(argv[3], NULL, 10);
        p.mainWindow = (uint32_t)wcstoul(argv[4], NULL, 10);
        wcsncpy(p.itemName, argv[5], 259);
        FYXPLG_SavePluginParams(p);
        return 0;
    }
    if (!wcscmp(verb, L"load") && argc == 3) {
        PluginParams p = FYXPLG_LoadPluginParams();
        return WriteBytes(argv[2], &p, sizeof(p)) ? 0 : 3;
    }
    if (!wcscmp(verb, L"putline") && argc == 4) {
        FYXPLG_PutLineToLanguageBuffer((unsigned)wcstoul(argv[2], NULL, 10), argv[3]);
        return 0;
    }
    if (!wcscmp(verb, L"getline") && argc == 4)
        return WriteText(argv[3], FYXPLG_GetLineFromLanguageBuffer((unsigned)wcstoul(argv[2], NULL, 10))) ? 0 : 3;
    if (!wcscmp(verb, L"putversion") && argc == 4) {
        FYXPLG_PutLineToVersionBuffer((unsigned)wcstoul(argv[2], NULL, 10), argv[3]);
        return 0;
    }
    if (!wcscmp(verb, L"getversion") && argc == 4)
        return WriteText(argv[3], FYXPLG_GetLineFromVersionBuffer((unsigned)wcstoul(argv[2], NULL, 10))) ? 0 : 3;
    return 2;
}
