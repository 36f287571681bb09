// Navigation gestures: re-centring and the zoom drag.
#include "editor/map_navigation.h"
#include "render/map_transform.h"

#include <gtest/gtest.h>

namespace {
ViewState startView() {
    ViewState view{};
    view_Reset(view);
    view_ApplyWindowStart(view);
    view.zoom = 0.01f;
    view.center_x = 1000;
    view.center_y = -500;
    view.center_z = 42;
    return view;
}
} // namespace

TEST(MapNavigation, MiddleClickRecentresOnThePointUnderTheCursor) {
    MapNavigation nav;
    ViewState view = startView();
    const WorldPoint expected = ScreenToWorld(map_MakeTransform(view, 800, 600), 100, 50);
    const uint32_t effects = nav_MiddleButtonDown(nav, view, 800, 600, 100, 50, false, false);
    EXPECT_EQ(effects, kNavHandled | kNavRender | kNavRepaintCentre);
    EXPECT_EQ(view.center_x, expected.x);
    EXPECT_EQ(view.center_y, expected.y);
    EXPECT_EQ(view.center_z, 42);
    EXPECT_EQ(view.center_x, 1000 + (100 - 400) * 100);
    EXPECT_EQ(view.center_y, -500 + (300 - 50) * 100);
}

TEST(MapNavigation, MiddleClickWithAModifierOrDuringADragDoesNothing) {
    MapNavigation nav;
    ViewState view = startView();
    EXPECT_EQ(nav_MiddleButtonDown(nav, view, 800, 600, 0, 0, true, false), uint32_t(kNavHandled));
    EXPECT_EQ(nav_MiddleButtonDown(nav, view, 800, 600, 0, 0, false, true), uint32_t(kNavHandled));
    nav.drag_state = kDragZoom;
    EXPECT_EQ(nav_MiddleButtonDown(nav, view, 800, 600, 0, 0, false, false), uint32_t(kNavHandled));
    EXPECT_EQ(view.center_x, 1000);
}

TEST(MapNavigation, ControlRightClickRecentresPlainRightClickIsNotNavigation) {
    MapNavigation nav;
    ViewState view = startView();
    EXPECT_EQ(nav_RightButtonDown(nav, view, 800, 600, 400, 300, false, false), uint32_t(kNavNone));
    EXPECT_EQ(nav_RightButtonDown(nav, view, 800, 600, 500, 300, false, true),
              kNavHandled | kNavRender | kNavRepaintCentre);
    EXPECT_EQ(view.center_x, 1000 + 100 * 100);
    EXPECT_EQ(nav.drag_state, kDragNone);
}

TEST(MapNavigation, ShiftRightDragZoomsByTheRatioOfCursorX) {
    MapNavigation nav;
    ViewState view = startView();
    // Shift wins over Control; x0 is forced odd: 200 | 1 = 201.
    EXPECT_EQ(nav_RightButtonDown(nav, view, 800, 600, 200, 10, true, true), kNavHandled | kNavCaptureMouse);
    EXPECT_EQ(nav.drag_state, kDragZoom);
    EXPECT_EQ(nav.x_start, 201);
    EXPECT_EQ(nav_MouseMove(nav, view, 402), kNavHandled | kNavRenderWhenIdle);
    EXPECT_FLOAT_EQ(view.zoom, 402.0f / 201.0f * 0.01f);
    // Each move is relative to the zoom when the drag began.
    nav_MouseMove(nav, view, 100);
    EXPECT_FLOAT_EQ(view.zoom, 100.0f / 201.0f * 0.01f);
    // A second Shift+right click during the drag starts nothing.
    EXPECT_EQ(nav_RightButtonDown(nav, view, 800, 600, 50, 10, true, false), uint32_t(kNavHandled));
    EXPECT_EQ(nav.x_start, 201);
    EXPECT_EQ(nav_RightButtonUp(nav), kNavHandled | kNavRender | kNavReleaseMouse);
    EXPECT_EQ(nav.drag_state, kDragNone);
    EXPECT_EQ(nav_MouseMove(nav, view, 300), uint32_t(kNavNone));
    EXPECT_EQ(nav_RightButtonUp(nav), uint32_t(kNavNone));
}

TEST(MapNavigation, ZoomDragKeepsXBetween2And1024AndTheLowerBound) {
    MapNavigation nav;
    ViewState view = startView();
    view.zoom = 0.0002f;
    nav_RightButtonDown(nav, view, 800, 600, 1001, 0, true, false);
    nav_MouseMove(nav, view, 1); // below 2: ignored
    EXPECT_FLOAT_EQ(view.zoom, 0.0002f);
    nav_MouseMove(nav, view, 1025); // above 1024: ignored
    EXPECT_FLOAT_EQ(view.zoom, 0.0002f);
    nav_MouseMove(nav, view, -5); // 0xFFFB as unsigned: ignored
    EXPECT_FLOAT_EQ(view.zoom, 0.0002f);
    nav_MouseMove(nav, view, 2); // 2 / 1001 × 0.0002 is below 0.0001: refused
    EXPECT_FLOAT_EQ(view.zoom, 0.0002f);
    nav_MouseMove(nav, view, 1024);
    EXPECT_FLOAT_EQ(view.zoom, 1024.0f / 1001.0f * 0.0002f);
    nav_MouseMove(nav, view, 0x10000 + 600); // only the low 16 bits count
    EXPECT_FLOAT_EQ(view.zoom, 600.0f / 1001.0f * 0.0002f);
}
