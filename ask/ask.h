// Fyx dialog library: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_FYXASK
#define FYXASK_API extern "C" __declspec(dllexport)
#else
#define FYXASK_API extern "C" __declspec(dllimport)
#endif

FYXASK_API const wchar_t* FYXASK_GetVersion(void);
