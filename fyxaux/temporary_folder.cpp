// The exported temporary folder: the documents folder comes from the shell.
#include <windows.h>
#include <shlobj.h>

#include "fyxaux.h"
#include "fyxaux_core.h"
#include "fyxaux_state.h"

FYXFYX_API const wchar_t* FYXFYX_GetFYXTemporaryPath(void) {
    wchar_t documents[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, documents)))
        FyxAuxTemporaryPathFor(documents, folder, MAX_PATH);
    return FyxAuxReturnText(folder);
}
