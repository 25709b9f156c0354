// Icons, colours and other system resources the main window keeps for its run.
#include "app.h"

namespace {

void LoadIcons(HINSTANCE instance, const unsigned short* ids, HICON* icons, int count) {
    for (int i = 0; i < count; ++i)
        icons[i] = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(ids[i]), IMAGE_ICON, 16, 16, 0);
}

void DestroyIcons(HICON* icons, int count) {
    for (int i = 0; i < count; ++i) {
        if (icons[i]) DestroyIcon(icons[i]);
        icons[i] = NULL;
    }
}

}  // namespace

void LoadButtonIcons(HINSTANCE instance) {
    LoadIcons(instance, kToolbarIcons, g_app.toolbarIcons, 10);
    LoadIcons(instance, kPanelButtonIcons, g_app.panelButtonIcons, 5);
    LoadIcons(instance, kFunctionKeyIcons, g_app.functionKeyIcons, 7);
}

void ReleaseStartupResources() {
    DestroyIcons(g_app.toolbarIcons, 10);
    DestroyIcons(g_app.panelButtonIcons, 5);
    DestroyIcons(g_app.functionKeyIcons, 7);
    if (g_app.extensionIcons) ImageList_Destroy(g_app.extensionIcons);
    g_app.extensionIcons = NULL;
}
