// Fyx main program support library.
#include "fyxaux.h"

FYXFYX_API const wchar_t* FYXFYX_GetVersion(void) { return L"1.0"; }
