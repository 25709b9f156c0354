// Fyx dialog library.
#include "ask.h"

FYXASK_API const wchar_t* FYXASK_GetVersion(void) { return L"1.0"; }
