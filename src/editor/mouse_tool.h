#pragma once
// The mouse tools of the map view: click and rectangle selection, inserting an item, and the
// move and paste placements with their previews. Navigation gestures (zoom drag, re-centring)
// are passed on to map_navigation.h. The window calls one entry point per mouse message with
// client pixel coordinates (the off-screen image starts at the client origin) and carries out
// the effects the result names, in this order: rubber band erase, band draw, present, render,
// repaints, mouse capture and release, context menu.

#include "editor/dialog_templates.h" // the insert tool opens kDialogInsertItem
#include "editor/map_navigation.h"
#include "mission/mission_page.h"
#include "render/map_render.h"
#include "render/map_transform.h"
#include "render/raster_target.h"
#include "render/view_state.h"

#include <cstdint>
#include <functional>
#include <string>

// Tool states of the map view.
enum MouseToolState : int32_t {
    kToolIdle = 0,
    kToolRectAdd = 3,    // Shift + left drag: the items in the rectangle join the selection
    kToolRectRemove = 4, // Control + left drag: the items in the rectangle leave it
    kToolMove = 9,       // the selection follows the cursor until a left click places it
    kToolPaste = 11,     // the clipboard's items follow the cursor until a left click pastes them
    kToolMeasure = 20,   // the ruler: left clicks set its points; it changes nothing in the page
};

// An item is picked by a click only when its squared pixel distance is below this (256 pixels).
constexpr int64_t kPickDistanceSquared = 65536;
// A ruler point lands on an item's position when the item is closer than this (10 pixels).
constexpr int64_t kRulerSnapDistanceSquared = 100;

// The rubber band: a one-pixel solid blue line (0x00RRGGBB) combined with the screen by
// exclusive-or, so that drawing the same rectangle twice removes it.
constexpr uint32_t kRubberBandColour = 0x0000C8;

// The names of the map view's two context menus (menu_tables.h builds them).
inline constexpr const char* kMouseMenu = "MouseMenu";
inline constexpr const char* kMouseMenuItem = "MouseMenuItem";

// What the insert-item dialog chose: a definition by its (display) name, and whether the new
// item faces a random direction.
struct InsertItemChoice {
    std::string definition_name;
    bool random_facing = false;
};
// Runs the insert-item dialog; false when it was cancelled.
using InsertItemPrompt = std::function<bool(InsertItemChoice& choice)>;

// What the mouse tools work on. `page` is the current page, `target` the off-screen image (its
// size is the size of the transform; selecting draws the changed items into it).
struct MouseContext {
    MissionPage& page;
    MissionPage& clipboard;
    ViewState& view;
    RasterTarget target;
    InsertItemPrompt insertItem;      // no prompt: a click in insert mode inserts nothing
    std::function<void()> loadModels; // after an insert; may be empty
    std::function<int()> random;      // non-negative numbers for a random heading; std::rand when empty
};

// The effects a mouse message asks of the window (bits of MouseResult::effects).
enum MouseEffect : uint32_t {
    kMouseNone = 0,
    kMouseEraseBand = 0x1,       // draw MouseResult::erase again (exclusive-or) to remove it
    kMouseDrawBand = 0x2,        // draw MouseResult::band (exclusive-or)
    kMousePresent = 0x4,         // copy the off-screen image to the window (it was drawn into)
    kMouseRender = 0x8,          // render the current page with MapMouse::preview, then present
    kMouseRenderWhenIdle = 0x10, // the same, unless another mouse move is waiting
    kMouseRepaintMap = 0x20,     // invalidate the map view (its paint renders with the preview)
    kMouseRepaintItemInfo = 0x40,
    kMouseRepaintCentre = 0x80,
    kMouseCapture = 0x100,
    kMouseRelease = 0x200,
    kMouseContextMenu = 0x400,      // show MouseResult::menu at the cursor
    kMouseSelectionChanged = 0x800, // the page's selection changed (and nothing else of it)
    kMousePageChanged = 0x1000,     // the page changed: items added or moved
};

// A rectangle between two corners in client pixels, in any order.
struct BandRect {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The ruler's line, from its first point to the second (world units).
struct RulerLine {
    int32_t ax = 0, ay = 0, bx = 0, by = 0;
};

// What a mouse message that changed the page (kMousePageChanged) did; the editor names the undo
// step after it.
enum class MouseEdit { None, Move, Paste, Insert };

struct MouseResult {
    uint32_t effects = kMouseNone;
    MouseEdit edit = MouseEdit::None; // with kMousePageChanged
    const char* menu = nullptr;       // kMouseMenu or kMouseMenuItem with kMouseContextMenu
    BandRect erase;                   // with kMouseEraseBand
    BandRect band;                    // with kMouseDrawBand
    bool has(uint32_t effect) const { return (effects & effect) != 0; }
};

class MapMouse {
  public:
    MouseResult leftDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control);
    // A double click is one more left button down at the same point.
    MouseResult leftDoubleClick(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control) {
        return leftDown(ctx, px, py, shift, control);
    }
    // `moreMovesWaiting`: another mouse move is already queued (previews are skipped then).
    MouseResult mouseMove(MouseContext& ctx, int32_t px, int32_t py, bool moreMovesWaiting);
    MouseResult leftUp(MouseContext& ctx, int32_t px, int32_t py);
    MouseResult rightDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control);
    MouseResult rightUp(MouseContext& ctx);
    MouseResult middleDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control);

    // Enters paste placement when the clipboard's selection is not empty and the tool is idle;
    // true when entered (the caller repaints the map view).
    bool startPaste(const MissionPage& clipboard);
    // Enters move placement, anchored at the last selected item's X and Y, when the selection is
    // not empty and the tool is idle; true when entered (the caller repaints the map view).
    bool startMove(const MissionPage& page);
    // Takes up the ruler when the tool is idle: the next left click sets its first point, the
    // line then follows the mouse, the click after that holds the second point and a further
    // click starts again. A right click or endMeasure puts it away. True when taken up.
    bool startMeasure();
    // Puts the ruler away; true when it was in use (the caller repaints the map view).
    bool endMeasure();
    bool measuring() const { return tool_ == kToolMeasure; }
    // The ruler's line while it has a first point.
    bool rulerShown(RulerLine& line) const;

    // Idle tool and no drag: the state in which Paste, Move, Numeric move and the item
    // information window's click are accepted.
    bool idle() const { return tool_ == kToolIdle && nav_.drag_state == kDragNone; }
    int32_t toolState() const { return tool_; }
    int32_t dragState() const { return nav_.drag_state; }
    // The placement preview the render draws last: the page's selection during a move, the
    // clipboard's during a paste, displaced by the current offsets; none otherwise.
    MapPreview preview(const MouseContext& ctx) const;
    // The rubber band drawn now, if any (during a rectangle selection).
    bool bandShown(BandRect& rect) const;
    int32_t offsetX() const { return dx_; }
    int32_t offsetY() const { return dy_; }
    int32_t offsetZ() const { return dz_; }

    // Back to idle with no drag (a new page or mission).
    void reset();

  private:
    MouseResult clickSelect(MouseContext& ctx, int32_t px, int32_t py);
    MouseResult insertItem(MouseContext& ctx, int32_t px, int32_t py);
    void rectangleSelect(MouseContext& ctx, bool adding);
    WorldPoint snappedPoint(const MouseContext& ctx, int32_t px, int32_t py) const;
    // The point under the cursor for the ruler: the nearest item's position within
    // kRulerSnapDistanceSquared, else the world point (not snapped to the grid).
    WorldPoint rulerPoint(const MouseContext& ctx, int32_t px, int32_t py) const;
    MouseResult measureClick(MouseContext& ctx, int32_t px, int32_t py);

    int32_t tool_ = kToolIdle;
    MapNavigation nav_;
    BandRect rect_;                    // start (x1, y1) and current point (x2, y2)
    int32_t ax_ = 0, ay_ = 0, az_ = 0; // placement anchor (world units)
    int32_t dx_ = 0, dy_ = 0, dz_ = 0; // placement offsets
    RulerLine ruler_;
    bool rulerStarted_ = false; // the ruler has its first point
    bool rulerHeld_ = false;    // ... and its second: the mouse no longer moves it
};

// The item nearest to pixel (px, py) among the visible items whose screen position lies inside
// the image, counting only squared distances below kPickDistanceSquared; the earlier item on a
// tie. -1 when there is none.
int mouse_NearestItem(const MissionPage& page, const ViewState& view, const MapTransform& transform,
                      int32_t px, int32_t py);
// The same within a squared pixel distance below `limitSquared`.
int mouse_NearestItemWithin(const MissionPage& page, const ViewState& view, const MapTransform& transform,
                            int32_t px, int32_t py, int64_t limitSquared);
