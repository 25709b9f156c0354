// Fyx ZIP packing library.
#include <windows.h>

extern "C" __declspec(dllexport) unsigned ZpVersion(void) { return 1; }
