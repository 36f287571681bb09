#include "editor/map_navigation.h"

#include "render/map_transform.h"

namespace {
constexpr uint32_t kZoomDragMinX = 2;
constexpr uint32_t kZoomDragMaxX = 1024;
} // namespace

void nav_Recentre(ViewState& view, int32_t imageWidth, int32_t imageHeight, int32_t px, int32_t py) {
    const WorldPoint p = ScreenToWorld(map_MakeTransform(view, imageWidth, imageHeight), px, py);
    view.center_x = p.x;
    view.center_y = p.y;
    view.center_z = p.z;
}

uint32_t nav_MiddleButtonDown(MapNavigation& nav, ViewState& view, int32_t imageWidth, int32_t imageHeight,
                              int32_t px, int32_t py, bool shift, bool control) {
    if (shift || control || nav.drag_state != kDragNone) return kNavHandled;
    nav_Recentre(view, imageWidth, imageHeight, px, py);
    return kNavHandled | kNavRepaintCentre | kNavRender;
}

uint32_t nav_RightButtonDown(MapNavigation& nav, ViewState& view, int32_t imageWidth, int32_t imageHeight,
                             int32_t px, int32_t py, bool shift, bool control) {
    if (!shift && !control) return kNavNone;
    if (nav.drag_state != kDragNone) return kNavHandled;
    if (shift) {
        nav.drag_state = kDragZoom;
        nav.zoom_start = view.zoom;
        nav.x_start = int32_t(uint16_t(px) | 1u);
        return kNavHandled | kNavCaptureMouse;
    }
    nav_Recentre(view, imageWidth, imageHeight, px, py);
    return kNavHandled | kNavRepaintCentre | kNavRender;
}

uint32_t nav_MouseMove(MapNavigation& nav, ViewState& view, int32_t px) {
    if (nav.drag_state != kDragZoom) return kNavNone;
    const uint32_t x = uint16_t(px);
    if (x >= kZoomDragMinX && x <= kZoomDragMaxX) {
        const float candidate = float(x) / float(nav.x_start) * nav.zoom_start;
        if (candidate >= kZoomMin) view.zoom = candidate;
    }
    return kNavHandled | kNavRenderWhenIdle;
}

uint32_t nav_RightButtonUp(MapNavigation& nav) {
    if (nav.drag_state != kDragZoom) return kNavNone;
    nav.drag_state = kDragNone;
    return kNavHandled | kNavRender | kNavReleaseMouse;
}
