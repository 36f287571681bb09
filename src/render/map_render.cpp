#include "render/map_render.h"

#include "mission/page_ops.h"
#include "render/outline_shapes.h"

#include <cmath>

namespace {

int32_t clampToInt32(int64_t v) {
    return int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

void drawSquare(const MapCanvas& canvas, int32_t half, uint32_t colour) {
    DrawWorldLine(canvas, -half, half, half, half, colour);
    DrawWorldLine(canvas, half, half, half, -half, colour);
    DrawWorldLine(canvas, half, -half, -half, -half, colour);
    DrawWorldLine(canvas, -half, -half, -half, half, colour);
}

bool isItemSlot(const MissionPage& page, int32_t slot) {
    return slot >= 0 && slot < page.num_items && slot < kMaxItems;
}

void drawItemToItem(const MapCanvas& canvas, const MissionPage& page, int32_t a, int32_t b, uint32_t colour) {
    if (!isItemSlot(page, a) || !isItemSlot(page, b)) return;
    const MissionItem& ia = page.items[a];
    const MissionItem& ib = page.items[b];
    DrawWorldLine(canvas, ia.position[0], ia.position[1], ib.position[0], ib.position[1], colour);
}

} // namespace

MapCanvas map_MakeCanvas(const ViewState& view, RasterTarget target) {
    MapCanvas canvas;
    canvas.target = target;
    canvas.transform = map_MakeTransform(view, target.width, target.height);
    canvas.show_flags = view.show_flags;
    canvas.view_by = view.view_by;
    return canvas;
}

void map_DrawGrid(const MapCanvas& canvas, int32_t gridSize) {
    if (gridSize <= 0) return;
    const int64_t g = gridSize;
    const int64_t x0 = g * (int64_t(std::trunc(canvas.transform.cx)) / g - kGridCells / 2);
    const int64_t y0 = g * (int64_t(std::trunc(canvas.transform.cy)) / g - kGridCells / 2);
    const int32_t left = clampToInt32(x0), right = clampToInt32(x0 + kGridCells * g);
    const int32_t bottom = clampToInt32(y0), top = clampToInt32(y0 + kGridCells * g);
    for (int i = 0; i <= kGridCells; ++i) {
        const int32_t x = clampToInt32(x0 + i * g);
        DrawWorldLine(canvas, x, bottom, x, top, kColourGrid);
    }
    for (int i = 0; i <= kGridCells; ++i) {
        const int32_t y = clampToInt32(y0 + i * g);
        DrawWorldLine(canvas, left, y, right, y, kColourGrid);
    }
}

void map_DrawBoundary(const MapCanvas& canvas) {
    drawSquare(canvas, kInnerBoundary, kColourInnerBoundary);
    drawSquare(canvas, kOuterBoundary, kColourOuterBoundary);
}

void map_DrawWaypointLists(const MapCanvas& canvas, MissionPage& page) {
    page_RebuildWaypointLists(page);
    for (const WaypointList& list : page.waypoints) {
        const int count = list.member_count > kMaxWaypointMembers ? kMaxWaypointMembers : list.member_count;
        if (count <= 1 || !ItemVisible(page, list.members[0], canvas.show_flags)) continue;
        const uint32_t colour = ListColour(list.color);
        for (int k = 1; k < count; ++k)
            drawItemToItem(canvas, page, list.members[k - 1], list.members[k], colour);
        if ((list.attrib & 1) == 0)
            drawItemToItem(canvas, page, list.members[0], list.members[count - 1], colour);
    }
}

void map_DrawAreaTriggers(const MapCanvas& canvas, MissionPage& page) {
    page_RebuildAreaTriggers(page);
    for (const AreaTrigger& area : page.area_triggers) {
        if (area.area_number == 0 || !ItemVisible(page, area.first_marker, canvas.show_flags)) continue;
        const uint32_t colour = ListColour(area.color);
        DrawWorldLine(canvas, area.min_x, area.max_y, area.max_x, area.max_y, colour);
        DrawWorldLine(canvas, area.max_x, area.max_y, area.max_x, area.min_y, colour);
        DrawWorldLine(canvas, area.max_x, area.min_y, area.min_x, area.min_y, colour);
        DrawWorldLine(canvas, area.min_x, area.min_y, area.min_x, area.max_y, colour);
    }
}

int MapRender(MissionPage& page, const ViewState& view, RasterTarget target,
              const MapRenderOptions& options) {
    if (!target.valid()) return 0;
    OutlineCache outlines;
    MapCanvas canvas = map_MakeCanvas(view, target);
    canvas.outlines = &outlines;
    map_DrawTerrain(canvas, page, view.map_mode);
    if (view.grid_shown) map_DrawGrid(canvas, view.grid_size);
    map_DrawBoundary(canvas);
    if ((view.show_flags & kShowMarkers) != 0) map_DrawWaypointLists(canvas, page);
    const int count = page.num_items < 0 ? 0 : page.num_items > kMaxItems ? kMaxItems : page.num_items;
    for (int i = 0; i < count; ++i)
        if (ItemVisible(page, i, canvas.show_flags)) DrawItem(canvas, page, i, false);
    DrawSelection(canvas, page, 0, 0, 0);
    if ((view.show_flags & kShowAreaTriggers) != 0) map_DrawAreaTriggers(canvas, page);
    const MapPreview& preview = options.preview;
    if (preview.page != nullptr) DrawSelection(canvas, *preview.page, preview.dx, preview.dy, preview.dz);
    return 1;
}
