// Fyx RAR extraction library.
#include <windows.h>

extern "C" __declspec(dllexport) unsigned RARGetDllVersion(void) { return 1; }
