// Fyx file utility library.
#include "fsk.h"

FYX_FSK_API const wchar_t* FYX_FSK_GetVersion(void) { return L"1.0"; }
