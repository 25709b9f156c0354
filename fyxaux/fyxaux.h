// Fyx main program support library: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_FYXFYX
#define FYXFYX_API extern "C" __declspec(dllexport)
#else
#define FYXFYX_API extern "C" __declspec(dllimport)
#endif

FYXFYX_API const wchar_t* FYXFYX_GetVersion(void);
