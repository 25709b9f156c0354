// Copies between a panel's settings block and the configuration record.
#include "panel_config.h"

// Stored name part and settings word, in record order.
#define PANEL_VIEW_WORDS(X)                                                                  \
    X(DirShow, dirCase) X(FileShow, fileCase) X(UpdateSize, sizeFormat)                      \
    X(ShowDOSName, showDosName) X(ShowExt, showExt) X(ShowSize, showSize)                    \
    X(ShowType, showType) X(ShowDate, showDate) X(ShowTime, showTime)                        \
    X(ShowAtr, showAttributes) X(ShowMode, showHidden) X(WindowMode, windowMode)             \
    X(SortMode, sortMode) X(ShowInverse, showInfoLine1) X(ShowInfoType, showInfoLine2)       \
    X(TypeInverse, infoLine1Kind) X(TypeInfoType, infoLine2Kind)

void PanelApplyConfiguration(Panel* panel, const ConfigRecord* c) {
    PanelSettings& s = panel->settings;
    if (panel->index == 0) {
#define LOAD(stored, word) s.word = c->FYXLeft##stored;
        PANEL_VIEW_WORDS(LOAD)
#undef LOAD
    } else {
#define LOAD(stored, word) s.word = c->FYXRight##stored;
        PANEL_VIEW_WORDS(LOAD)
#undef LOAD
    }
    s.typeOrDosWanted = (s.showDosName == 1 || s.showType == 1) ? 1 : 0;
    s.panelMode = PANEL_FILESYSTEM;
    panel->options.showParentAtRoot = c->WiewRootDir ? 1 : 0;
    panel->options.removableIcons = (int32_t)c->DrvRemovableIcons;
    panel->options.fixedIcons = (int32_t)c->DrvFixedIcons;
    panel->options.cdromIcons = (int32_t)c->DrvCDROMIcons;
    panel->options.networkIcons = (int32_t)c->DrvNetworkIcons;
}

void PanelStoreConfiguration(const Panel* panel, ConfigRecord* c) {
    const PanelSettings& s = panel->settings;
    if (panel->index == 0) {
#define STORE(stored, word) c->FYXLeft##stored = s.word;
        PANEL_VIEW_WORDS(STORE)
#undef STORE
    } else {
#define STORE(stored, word) c->FYXRight##stored = s.word;
        PANEL_VIEW_WORDS(STORE)
#undef STORE
    }
}
