// Fyx ZIP extraction library.
#include <windows.h>

extern "C" __declspec(dllexport) unsigned UzpVersion2(void) { return 1; }
