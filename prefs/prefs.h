// Fyx configuration store: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_PREFS
#define PREFS_API extern "C" __declspec(dllexport)
#else
#define PREFS_API extern "C" __declspec(dllimport)
#endif

PREFS_API const wchar_t* PREFS_GetVersion(void);
