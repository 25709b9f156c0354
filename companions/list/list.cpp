// Fyx archive listing library.
#include "list.h"

FYXLST_API const wchar_t* FYXLST_GetVersion(void) { return L"1.0"; }

FYXLST_API int FYXLST_Initialize(void) { return 1; }
FYXLST_API void FYXLST_UnInitialize(void) {}
