#pragma once
// The view and tool settings of the map view: what is shown, where, how large, and how the mouse
// places things. The renderer draws a page as this record says.

#include <cstdint>

// ---- Show flags: one bit per kind of thing the map view draws ------------------------------------

constexpr uint32_t kShowVehicles = 0x2;        // item_class 1
constexpr uint32_t kShowDecorations = 0x4;     // item_class 2
constexpr uint32_t kShowPeople = 0x8;          // item_class 3
constexpr uint32_t kShowMarkers = 0x10;        // item_class 4, and the waypoint lists
constexpr uint32_t kShowBuildings = 0x20;      // item_class 5
constexpr uint32_t kShowObjects = 0x40;        // item_class 6
constexpr uint32_t kShowFovCones = 0x80;       // field-of-view cones of people
constexpr uint32_t kShowAreaTriggers = 0x100;  // area trigger rectangles
constexpr uint32_t kShowWater = 0x200;         // tint the terrain below the water level
constexpr uint32_t kShowTeamGreen = 0x10000;   // team 0
constexpr uint32_t kShowTeamBlue = 0x20000;    // team 1
constexpr uint32_t kShowTeamRed = 0x40000;     // team 2
constexpr uint32_t kShowTeamYellow = 0x80000;  // team 3
constexpr uint32_t kShowTeamViolet = 0x100000; // team 4
constexpr uint32_t kShowCharacters = 0x200000; // detail tiles over the colour map

// Item class k is drawn when bit (1 << k) is set; team n when bit (1 << (n + kShowTeamShift)) is.
constexpr int kShowTeamShift = 16;

// What the main window sets when it is created: every bit above except kShowCharacters.
constexpr uint32_t kShowFlagsWindowStart = 0x1F03FE;

// ---- Other settings ---------------------------------------------------------------------------

enum MapMode : int32_t {
    kMapModeColor = 0,   // the colour map
    kMapModeDepth = 1,   // the elevation map
    kMapModeOutline = 2, // the first-order (outline) map
};

enum ViewBy : int32_t {
    kViewByType = 0, // item colours by item_class
    kViewBySide = 1, // item colours by team
};

// Zoom (screen pixels per world unit) limits: the zoom keys hold both, the zoom drag only the lower.
constexpr float kZoomMin = 0.0001f;
constexpr float kZoomMax = 1000.0f;

constexpr int32_t kGridSizeWindowStart = 0x20000; // 512 m
constexpr int32_t kGridSizeMax = 0x100000;        // the grid size is doubled only below this

struct ViewState {
    uint32_t show_flags; // kShow* bits
    float zoom;          // screen pixels per world unit
    int32_t center_x;    // world units (1/256 m)
    int32_t center_y;
    int32_t center_z;
    int32_t map_mode;     // MapMode
    int32_t insert_mode;  // 1: a left click inserts an item
    int32_t view_by;      // ViewBy
    int32_t grid_shown;   // 1: the grid is drawn
    int32_t snap_to_grid; // 1: clicked positions snap to the grid
    int32_t grid_size;    // world units
    int32_t current_page; // 0 Page 1, 1 Page 2
    int32_t layer_value;  // layer handed to paste and numeric copy
};

// The start-up values: show flags 0, zoom 0.001, centre (0, 0, 0), colour map, insert mode off,
// view by type, grid shown, snap on, grid size 32, page 0, layer value 0.
void view_Reset(ViewState& view);
// What the main window's creation then sets: show flags kShowFlagsWindowStart, snap off, grid size
// kGridSizeWindowStart.
void view_ApplyWindowStart(ViewState& view);
