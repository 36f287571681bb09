#pragma once
// Navigating the map with the mouse: re-centring (middle click, Control + right click) and the
// zoom drag (Shift + right drag). The map view's mouse handler calls these with client pixel
// coordinates and the Shift/Control states; the result says what the window must do.

#include "render/view_state.h"

#include <cstdint>

// Drag states of the map view (only the zoom drag is a drag).
constexpr int32_t kDragNone = 0;
constexpr int32_t kDragZoom = 2;

struct MapNavigation {
    int32_t drag_state = kDragNone;
    float zoom_start = 0; // z0: the zoom when the drag began
    int32_t x_start = 1;  // x0: the cursor x when the drag began, forced odd
};

// What the window does after a navigation step (bits).
enum NavEffect : uint32_t {
    kNavNone = 0,
    kNavHandled = 0x1,        // the message was a navigation gesture (handled or ignored as one)
    kNavRender = 0x2,         // render the map
    kNavRenderWhenIdle = 0x4, // render unless another mouse move is waiting
    kNavRepaintCentre = 0x8,  // repaint the centre information window
    kNavCaptureMouse = 0x10,
    kNavReleaseMouse = 0x20,
};

// Makes the world point under pixel (px, py) of the width × height image the new centre X, Y and Z.
void nav_Recentre(ViewState& view, int32_t imageWidth, int32_t imageHeight, int32_t px, int32_t py);

// Middle button down: re-centres when neither Shift nor Control is held and no drag is active.
uint32_t nav_MiddleButtonDown(MapNavigation& nav, ViewState& view, int32_t imageWidth, int32_t imageHeight,
                              int32_t px, int32_t py, bool shift, bool control);
// Right button down: with Shift starts the zoom drag, else with Control re-centres (either only
// while no drag is active). Without Shift or Control the result is kNavNone: the gesture is not a
// navigation one and the caller goes on (cancel the tool, context menu).
uint32_t nav_RightButtonDown(MapNavigation& nav, ViewState& view, int32_t imageWidth, int32_t imageHeight,
                             int32_t px, int32_t py, bool shift, bool control);
// Mouse move: during a zoom drag, a cursor x (low 16 bits, unsigned) of 2 to 1024 gives the
// candidate zoom x ÷ x0 × z0, taken unless below kZoomMin. kNavNone when no zoom drag is active.
uint32_t nav_MouseMove(MapNavigation& nav, ViewState& view, int32_t px);
// Right button up: ends a zoom drag (render, release the mouse). kNavNone when none is active.
uint32_t nav_RightButtonUp(MapNavigation& nav);
