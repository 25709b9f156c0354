// Fyx options program: answers "version"; the settings pages come later.
#include <windows.h>

#include "plugin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (PluginAnswerVersionRequest(commandLine, 0, L"1.34")) return 0;
    return 0;
}
