// Start placement, size handling and the rectangle kept for the next start.
#include <gtest/gtest.h>

#include "app.h"
#include "window_logic.h"

namespace {

TEST(StartPlacement, FollowsFunPosition) {
    struct Case {
        unsigned position;
        int show;
        bool move;
    } cases[] = {{0, SW_SHOWMAXIMIZED, false}, {1, SW_SHOWMINIMIZED, false}, {2, SW_SHOWNORMAL, true},
                 {7, SW_SHOWMAXIMIZED, false}};
    for (const Case& c : cases) {
        StartPlacement p = DecideStartPlacement(c.position, 10, 20, 810, 620);
        EXPECT_EQ(c.show, p.showCommand) << c.position;
        EXPECT_EQ(c.move, p.moveToRect) << c.position;
    }
    StartPlacement p = DecideStartPlacement(2, 10, 20, 810, 620);
    EXPECT_EQ(10, p.x);
    EXPECT_EQ(20, p.y);
    EXPECT_EQ(800, p.width);
    EXPECT_EQ(600, p.height);
}

TEST(SizeAction, TrayModesDecideIconAndHiding) {
    struct Case {
        int tray;
        WPARAM size;
        bool add, remove, hide, repaint;
    } cases[] = {
        {TRAY_ALWAYS, SIZE_MINIMIZED, false, false, true, false},
        {TRAY_ALWAYS, SIZE_RESTORED, false, false, false, true},
        {TRAY_WHEN_MINIMIZED, SIZE_MINIMIZED, true, false, true, false},
        {TRAY_WHEN_MINIMIZED, SIZE_MAXIMIZED, false, true, false, true},
        {TRAY_NEVER, SIZE_MINIMIZED, false, false, false, true},
        {TRAY_NEVER, SIZE_RESTORED, false, false, false, true},
    };
    for (const Case& c : cases) {
        SizeAction a = DecideSizeAction(c.tray, c.size);
        EXPECT_EQ(c.add, a.addTrayIcon) << c.tray << "/" << c.size;
        EXPECT_EQ(c.remove, a.deleteTrayIcon) << c.tray << "/" << c.size;
        EXPECT_EQ(c.hide, a.hideWindow) << c.tray << "/" << c.size;
        EXPECT_EQ(c.repaint, a.repaint) << c.tray << "/" << c.size;
    }
}

TEST(RectangleToSave, MinimizedWindowKeepsItsRestoredPlace) {
    RECT minimized = {-32000, -32000, -31840, -31969};
    RECT normal = {10, 20, 810, 620};
    POINT origin = {0, 30};  // a taskbar at the top edge
    RECT r = RectangleToSave(minimized, normal, true, origin);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(650, r.bottom);
    RECT shown = {5, 6, 7, 8};
    r = RectangleToSave(shown, normal, false, origin);
    EXPECT_EQ(5, r.left);
    EXPECT_EQ(8, r.bottom);
}

TEST(ListNameBase, IsTheHandleBetweenTwoCs) {
    wchar_t base[32];
    BuildListNameBase((HWND)(uintptr_t)612, base, 32);
    EXPECT_STREQ(L"C612C", base);
}

}  // namespace
