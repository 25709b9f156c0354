// The settings block against the configuration record, per panel side.
#include <gtest/gtest.h>

#include "panel_config.h"

namespace {

TEST(PanelConfig, EachSideTakesItsOwnWordsAndGivesThemBack) {
    ConfigRecord c;
    PREFS_GetDefaultConfiguration(&c);
    c.FYXLeftSortMode = SORT_TIME | SORT_REVERSE;
    c.FYXLeftShowType = 1;
    c.FYXLeftShowMode = 1;
    c.FYXRightSortMode = SORT_SIZE | SORT_DIRS;
    c.FYXRightShowDOSName = 1;
    c.FYXRightTypeInfoType = 2;
    c.WiewRootDir = 1;
    c.DrvFixedIcons = 0;

    Panel* left = PanelCreate(0, L"C:\\");
    Panel* right = PanelCreate(1, L"C:\\");
    left->settings.panelMode = PANEL_SHELL;
    PanelApplyConfiguration(left, &c);
    PanelApplyConfiguration(right, &c);
    EXPECT_EQ(SORT_TIME | SORT_REVERSE, left->settings.sortMode);
    EXPECT_EQ(1, left->settings.showType);
    EXPECT_EQ(1, left->settings.showHidden);
    EXPECT_EQ(1, left->settings.typeOrDosWanted);
    EXPECT_EQ(PANEL_FILESYSTEM, left->settings.panelMode);
    EXPECT_EQ(1, left->settings.sizeFormat);  // left default: short sizes
    EXPECT_EQ(SORT_SIZE | SORT_DIRS, right->settings.sortMode);
    EXPECT_EQ(1, right->settings.typeOrDosWanted);
    EXPECT_EQ(2, right->settings.infoLine2Kind);
    EXPECT_EQ(0, right->settings.sizeFormat);
    EXPECT_EQ(1, right->options.showParentAtRoot);
    EXPECT_EQ(0, right->options.fixedIcons);

    left->settings.dirCase = 0;
    right->settings.windowMode = WM_LIST_IN_OTHER;
    ConfigRecord back;
    PREFS_GetDefaultConfiguration(&back);
    PanelStoreConfiguration(left, &back);
    PanelStoreConfiguration(right, &back);
    EXPECT_EQ(0, back.FYXLeftDirShow);
    EXPECT_EQ(SORT_TIME | SORT_REVERSE, back.FYXLeftSortMode);
    EXPECT_EQ(WM_LIST_IN_OTHER, back.FYXRightWindowMode);
    EXPECT_EQ(SORT_SIZE | SORT_DIRS, back.FYXRightSortMode);
    EXPECT_EQ(2, back.FYXRightTypeInfoType);
    EXPECT_EQ(2, back.FYXRightDirShow);

    PanelSettings block;
    PanelGetSettings(right, &block);
    block.sortMode = SORT_EXT;
    PanelSetSettings(left, &block);
    EXPECT_EQ(SORT_EXT, left->settings.sortMode);
    EXPECT_EQ(WM_LIST_IN_OTHER, left->settings.windowMode);
    PanelDestroy(left);
    PanelDestroy(right);
}

}  // namespace
