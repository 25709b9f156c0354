// Fyx configuration store.
#include "prefs.h"

PREFS_API const wchar_t* PREFS_GetVersion(void) { return L"1.12"; }
