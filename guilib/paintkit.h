// Fyx drawing library: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_GUILIB
#define GUILIB_API extern "C" __declspec(dllexport)
#else
#define GUILIB_API extern "C" __declspec(dllimport)
#endif

GUILIB_API const wchar_t* GUILIB_GetVersion(void);
GUILIB_API void InitGuiLib(void);
