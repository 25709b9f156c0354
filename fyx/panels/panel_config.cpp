// Copies between a panel's settings block and its stored words.
#include "panel_config.h"

void PanelSettingsFromStored(const PanelStoredView* s, PanelSettings* out) {
    out->sizeFormat = s->updateSize;
    out->dirCase = s->dirShow;
    out->fileCase = s->fileShow;
    out->showHidden = s->showMode;
    out->sortMode = s->sortMode;
    out->showExt = s->showExt;
    out->showDosName = s->showDosName;
    out->showSize = s->showSize;
    out->showType = s->showType;
    out->showDate = s->showDate;
    out->showTime = s->showTime;
    out->showAttributes = s->showAtr;
    out->typeOrDosWanted = (s->showDosName == 1 || s->showType == 1) ? 1 : 0;
    out->windowMode = s->windowMode;
    out->showInfoLine1 = s->showInverse;
    out->showInfoLine2 = s->showInfoType;
    out->infoLine1Kind = s->typeInverse;
    out->infoLine2Kind = s->typeInfoType;
    out->panelMode = PANEL_FILESYSTEM;
}

void PanelSettingsToStored(const PanelSettings* in, PanelStoredView* s) {
    s->updateSize = in->sizeFormat;
    s->dirShow = in->dirCase;
    s->fileShow = in->fileCase;
    s->showMode = in->showHidden;
    s->sortMode = in->sortMode;
    s->showExt = in->showExt;
    s->showDosName = in->showDosName;
    s->showSize = in->showSize;
    s->showType = in->showType;
    s->showDate = in->showDate;
    s->showTime = in->showTime;
    s->showAtr = in->showAttributes;
    s->windowMode = in->windowMode;
    s->showInverse = in->showInfoLine1;
    s->showInfoType = in->showInfoLine2;
    s->typeInverse = in->infoLine1Kind;
    s->typeInfoType = in->infoLine2Kind;
}

void PanelDefaultStoredView(int index, PanelStoredView* out) {
    int left = index == 0;
    *out = PanelStoredView{};
    out->dirShow = 2;
    out->fileShow = 2;
    out->updateSize = left ? 1 : 0;
    out->showExt = left ? 0 : 1;
    out->showSize = 1;
    out->showDate = 1;
    out->showTime = 1;
    out->showAtr = 1;
    out->windowMode = left ? 2 : 0;
    out->sortMode = SORT_NAME;
    out->showInverse = 1;
    out->showInfoType = 1;
    out->typeInverse = 1;
    out->typeInfoType = 3;
}
