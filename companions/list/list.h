// Fyx archive listing library: exported interface.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_FYXLST
#define FYXLST_API extern "C" __declspec(dllexport)
#else
#define FYXLST_API extern "C" __declspec(dllimport)
#endif

FYXLST_API const wchar_t* FYXLST_GetVersion(void);
FYXLST_API int FYXLST_Initialize(void);
FYXLST_API void FYXLST_UnInitialize(void);
