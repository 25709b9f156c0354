// The panel's view settings as the configuration record stores them.
#pragma once

#include "panel.h"

// The 17 stored words of one panel (FYXLeft... or FYXRight...).
struct PanelStoredView {
    int32_t dirShow;
    int32_t fileShow;
    int32_t updateSize;
    int32_t showDosName;
    int32_t showExt;
    int32_t showSize;
    int32_t showType;
    int32_t showDate;
    int32_t showTime;
    int32_t showAtr;
    int32_t showMode;
    int32_t windowMode;
    int32_t sortMode;
    int32_t showInverse;
    int32_t showInfoType;
    int32_t typeInverse;
    int32_t typeInfoType;
};

// A settings block from the stored words: word 12 from the DOS name and
// type columns, the panel mode FileSystem.
void PanelSettingsFromStored(const PanelStoredView* stored, PanelSettings* out);
void PanelSettingsToStored(const PanelSettings* settings, PanelStoredView* out);
// The defaults of the left (0) or right (1) panel.
void PanelDefaultStoredView(int index, PanelStoredView* out);
