// Shell helpers: paths of item id lists, shortcut targets, making paths available.
#include <shlobj.h>

#include "fsk.h"
#include "fsk_text.h"

namespace {

// Initialises COM for one call unless the thread has it already in another mode.
struct ComScope {
    bool ownsInit;
    ComScope() {
        HRESULT hr = CoInitialize(NULL);
        ownsInit = SUCCEEDED(hr);  // S_FALSE still has to be balanced
    }
    ~ComScope() {
        if (ownsInit) CoUninitialize();
    }
};

// Connects the network resource behind a drive letter or a UNC path.
void Reconnect(HWND owner, const wchar_t* path) {
    wchar_t remote[1024];
    wchar_t local[3] = {0, L':', 0};
    NETRESOURCEW resource = {};
    resource.dwType = RESOURCETYPE_DISK;
    size_t length = wcslen(path);
    if (length >= 2 && fsk::IsAsciiLetter(path[0]) && path[1] == L':') {
        local[0] = path[0];
        DWORD size = 1024;
        DWORD rc = WNetGetConnectionW(local, remote, &size);
        // A remembered but unconnected drive reports ERROR_CONNECTION_UNAVAIL with its name.
        if (rc != NO_ERROR && rc != ERROR_CONNECTION_UNAVAIL) return;
        resource.lpLocalName = local;
    } else if (length >= 2 && fsk::IsSlash(path[0]) && fsk::IsSlash(path[1])) {
        // "\\server\share" without the separator behind it.
        size_t root = fsk::RootLength(path, length);
        while (root > 2 && fsk::IsSlash(path[root - 1])) --root;
        if (root >= 1024) return;
        wmemcpy(remote, path, root);
        remote[root] = 0;
    } else {
        return;
    }
    resource.lpRemoteName = remote;
    WNetAddConnection3W(owner, &resource, NULL, NULL, CONNECT_INTERACTIVE);
}

}  // namespace

FYX_FSK_API const wchar_t* FYX_FSK_GetPathFromFileSystemPidl(const struct _ITEMIDLIST* pidl) {
    FSK_RESULT_BUFFER(result);
    result[0] = 0;
    wchar_t path[MAX_PATH];
    if (pidl && SHGetPathFromIDListW(pidl, path)) {
        fsk::TextBuf out(result, fsk::kTextCap);
        out.Append(path);
    }
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetShortcutTarget(const wchar_t* linkPath) {
    FSK_RESULT_BUFFER(result);
    result[0] = 0;
    if (!linkPath || !linkPath[0]) return result;
    ComScope com;
    IShellLinkW* link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&link)))
        return result;
    IPersistFile* file = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
        if (SUCCEEDED(file->Load(linkPath, STGM_READ))) {
            WIN32_FIND_DATAW found;
            if (link->GetPath(result, (int)fsk::kTextCap, &found, 0) != S_OK) result[0] = 0;
        }
        file->Release();
    }
    link->Release();
    return result;
}

FYX_FSK_API BOOL FYX_FSK_ActivatePathByShell(HWND owner, const wchar_t* path) {
    if (!path || !path[0]) return FALSE;
    if (FYX_FSK_IsValidDirectory(path) == 0) return TRUE;
    Reconnect(owner, path);
    return FYX_FSK_IsValidDirectory(path) == 0;
}
