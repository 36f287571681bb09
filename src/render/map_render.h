#pragma once
// The software map renderer: draws a mission page, seen from above, into a 32-bit off-screen image
// (RasterTarget). Presenting the image on screen and the insert-mode text are the window's job.
//
// Render order: terrain image (colour, depth or outline map, water tint, detail characters),
// grid, terrain boundary, waypoint lists, the visible items, the selection on top, area triggers,
// then the move or paste preview when one is active.

#include "mission/mission_page.h"
#include "render/map_transform.h"
#include "render/raster_target.h"
#include "render/view_state.h"

#include <cstdint>

// ---- Colours (0x00RRGGBB) ---------------------------------------------------------------------

constexpr uint32_t kColourOverlay = 0xF1E800;       // items drawn as part of the selection
constexpr uint32_t kColourHighlighted = 0xCD40FC;   // items with kDisplayFlagHighlight
constexpr uint32_t kColourUnknownItem = 0xB4B4B4;   // a team or class outside the colour tables
constexpr uint32_t kColourUndefinedItem = 0xFF0000; // the cross of an item whose type has no definition
constexpr uint32_t kColourGrid = 0x000000;
constexpr uint32_t kColourInnerBoundary = 0x00FF00;
constexpr uint32_t kColourOuterBoundary = 0xFF0000;
constexpr uint32_t kListColourDefault = 0xE47C00; // ListColour of an index outside 1 to 16

constexpr int32_t kInnerBoundary = 262144; // 1024 m from the origin
constexpr int32_t kOuterBoundary = 524288; // 2048 m
constexpr int kGridCells = 64;             // the grid covers 64 × 64 cells around the centre

// Items are culled against these fixed screen bounds, whatever the image size.
constexpr float kCullRight = 1200.0f;
constexpr float kCullBottom = 1024.0f;
constexpr int32_t kDefaultCullRadius = 512; // world units, for items drawn as symbols

constexpr int32_t kRadiusMarkerType = 6006; // markers drawn as a circle of `wpdistance` metres
constexpr int kUndefinedMarkHalfSize = 5;   // pixels from the centre of the cross to its corners

// ---- Drawing context --------------------------------------------------------------------------

class OutlineCache;

// What one drawing pass needs: the image, the transform and the view settings it reads.
struct MapCanvas {
    RasterTarget target;
    MapTransform transform;
    uint32_t show_flags = 0;
    int32_t view_by = kViewByType;
    // Model outlines already prepared in this pass; null to prepare each one as it is drawn.
    OutlineCache* outlines = nullptr;
};

MapCanvas map_MakeCanvas(const ViewState& view, RasterTarget target);

// An item preview drawn after everything else (the move and paste placements): the selected
// items of `page`, displaced by (dx, dy, dz), as overlay. No preview when `page` is null.
struct MapPreview {
    const MissionPage* page = nullptr;
    int32_t dx = 0, dy = 0, dz = 0;
};

struct MapRenderOptions {
    MapPreview preview;
};

// Renders `page` as `view` shows it into `target`. Rebuilds the page's waypoint lists and area
// triggers on the way (when they are shown). Returns 1, or 0 (nothing drawn) when the target is
// not valid (no off-screen image).
int MapRender(MissionPage& page, const ViewState& view, RasterTarget target,
              const MapRenderOptions& options = {});

// ---- Steps of the render ----------------------------------------------------------------------

// Fills the whole image from the page's terrain imagery (all black when the page has none) in
// `mapMode` (MapMode; other values show the colour map), with the water tint and the detail
// characters as the show flags ask.
void map_DrawTerrain(const MapCanvas& canvas, const MissionPage& page, int32_t mapMode);
// The water level the tint uses: the low byte of general.water_level when bit 0 of general.attrib
// is set, else the low byte of general.terrain_water_height. 0 means no tint.
uint32_t map_WaterLevel(const MissionPage& page);
// Screen pixels per texel step in 1/65,536 m: trunc(256 ÷ zoom), held to the 32-bit range.
uint32_t map_TexelStep(const MapTransform& transform);

// 65 vertical and 65 horizontal black lines, `gridSize` world units apart, covering 64 × 64 cells
// around the centre. Nothing for a grid size of 0 or less.
void map_DrawGrid(const MapCanvas& canvas, int32_t gridSize);
// The squares at ±kInnerBoundary (green) and ±kOuterBoundary (red).
void map_DrawBoundary(const MapCanvas& canvas);
// page_RebuildWaypointLists, then each list of more than one member whose first member is visible:
// lines between consecutive members and, unless bit 0 of its attrib is set, from the first to
// the last, in ListColour(color).
void map_DrawWaypointLists(const MapCanvas& canvas, MissionPage& page);
// page_RebuildAreaTriggers, then the rectangle of each trigger whose area_number is not 0 and
// whose first marker is visible, in ListColour(color).
void map_DrawAreaTriggers(const MapCanvas& canvas, MissionPage& page);

// ---- Items ------------------------------------------------------------------------------------

// False for a slot that is not an item, a hidden item, or one whose class bit (1 << item_class),
// team bit (1 << (team + 16)) is clear in `showFlags` or whose layer bit is set in the page's
// hidden_layers. A class, team or layer that names no bit of the 32 counts as a clear bit (class,
// team: not drawn; layer: not hidden). An item whose type has no definition has no class: its
// class bit is not asked, so it is drawn (and can be picked) to be found and fixed.
bool ItemVisible(const MissionPage& page, int item, uint32_t showFlags);

// The drawing colour of an item: overlay, then kDisplayFlagHighlight, then by team (kViewBySide)
// or by item_class (kViewByType).
uint32_t map_ItemColour(const MissionItem& item, bool overlay, int32_t viewBy);

// Draws one item (no visibility test): culled by its screen radius against the fixed bounds, then
// as its model outline (by level of detail), a plain symbol (with a field-of-view cone for people
// when kShowFovCones is set) or, for a radius marker, a circle. An item whose type has no
// definition is drawn as a cross of its own in kColourUndefinedItem. `overlay` selects
// kColourOverlay.
void DrawItem(const MapCanvas& canvas, const MissionPage& page, int item, bool overlay);

// Draws every visible item of the page's selection, in selection order, as overlay, displaced by
// (dx, dy, dz).
void DrawSelection(const MapCanvas& canvas, const MissionPage& page, int32_t dx, int32_t dy, int32_t dz);

// Cull radius of an item in world units: its model's radius (24.8 shifted right by 8) for classes
// other than people and markers whose definition has a model, else kDefaultCullRadius.
int32_t map_CullRadius(const MissionItem& item);
// True when a thing at world (x, y) with a cull radius of `radius` world units lies wholly outside
// the fixed bounds (0, 0)-(kCullRight, kCullBottom) of the screen.
bool map_Culled(const MapTransform& transform, int32_t x, int32_t y, int32_t radius);
// The level of detail drawn for a model of `lodCount` levels that is `screenRadius` pixels large.
int map_ChooseLod(float screenRadius, int lodCount);

// ---- Lines and colours ------------------------------------------------------------------------

// A line between two world points: both go through WorldToScreen, the segment is clipped to the
// image and drawn one pixel per step along its major axis with 16.16 stepping of the minor one.
// Nothing is ever written outside the image.
void DrawWorldLine(const MapCanvas& canvas, int32_t ax, int32_t ay, int32_t bx, int32_t by, uint32_t colour);
// The same for screen points: whole numbers, clipped exactly within ±2^53; ends beyond that (or
// infinite) are first cut to the image's surroundings approximately; NaN draws nothing.
void map_DrawScreenLine(const RasterTarget& target, ScreenPointF a, ScreenPointF b, uint32_t colour);
// The same for integer screen points within ±2^53 (the exact range of the screen positions the
// transform makes); larger ones must go through map_DrawScreenLine.
void map_DrawScreenLineInt(const RasterTarget& target, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                           uint32_t colour);

// The list palette of waypoint lists and area triggers: indices 1 to 16, kListColourDefault else.
uint32_t ListColour(int32_t index);
