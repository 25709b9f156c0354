// Fyx delete tool: answers "version", reads its request and reports its end.
#include <windows.h>

#include "plugin.h"

namespace {
const UINT WM_TOOL_FINISHED = 0x8002;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (PluginAnswerVersionRequest(commandLine, 3, L"1.20")) return 0;
    PluginParams request = FYXPLG_LoadPluginParams();
    if (request.mainWindow == 0) return 0;
    SendMessageW(PluginParamsWindow(request), WM_TOOL_FINISHED, 0, 0);
    return 0;
}
