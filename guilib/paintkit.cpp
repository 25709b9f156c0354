// Fyx drawing library.
#include "paintkit.h"

GUILIB_API const wchar_t* GUILIB_GetVersion(void) { return L"1.0"; }

GUILIB_API void InitGuiLib(void) {}
