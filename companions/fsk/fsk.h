// Fyx file utility library: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_FYX_FSK
#define FYX_FSK_API extern "C" __declspec(dllexport)
#else
#define FYX_FSK_API extern "C" __declspec(dllimport)
#endif

FYX_FSK_API const wchar_t* FYX_FSK_GetVersion(void);
