// Items on the map: the visibility rule, their colours, culling, and their shapes (model
// outlines by level of detail, the plain symbol with its facing and field-of-view cone, the
// radius symbol of radius markers).
#include "render/item_geometry.h"
#include "render/map_render.h"

#include "gamedata/item_defs.h"
#include "gamedata/model_access.h"
#include "mission/item_lookup.h"
#include "render/line_raster.h"
#include "render/outline_shapes.h"

#include <algorithm>
#include <vector>

namespace {

bool bitSet(uint32_t flags, int64_t bit) {
    return bit >= 0 && bit < 32 && (flags & (1u << bit)) != 0;
}

// The model of the item's definition; none for an item of another type than its def_index names
// (one without a definition keeps index 0, whose model is not its own).
const ModelRecord* itemModel(const MissionItem& item) {
    const ItemDef* def = itemdef_Get(item.def_index);
    return def != nullptr && def->id == item.type_id ? def->model : nullptr;
}

ScreenPointF toScreen(const MapCanvas& canvas, int32_t x, int32_t y) {
    return map_WorldToScreenFast(canvas.transform, x, y);
}

// The cone (or circle) around P: P to the first point, point to point, the last back to P. Each
// point is taken to the screen once.
void drawCone(const MapCanvas& canvas, const MissionItem& item, double radius, int32_t angle,
              uint32_t colour) {
    // Kept between calls: a cone uses a few of the points, and clearing them all every time costs
    // more than drawing it.
    static thread_local WorldPoint points[kMaxConePoints];
    const int count =
        geom_ConePoints(item.position[0], item.position[1], item.facing[0], radius, angle, points);
    if (count == 0) return;
    const ScreenPointF centre = toScreen(canvas, item.position[0], item.position[1]);
    ScreenPointF previous = toScreen(canvas, points[0].x, points[0].y);
    line_DrawScreen(canvas.target, centre, previous, colour);
    for (int i = 1; i < count; ++i) {
        const ScreenPointF next = toScreen(canvas, points[i].x, points[i].y);
        line_DrawScreen(canvas.target, previous, next, colour);
        previous = next;
    }
    line_DrawScreen(canvas.target, previous, centre, colour);
}

// The facing line and the diamond, from the five symbol points (facing end, then the diamond's
// corners in drawing order).
void drawSymbolShape(const MapCanvas& canvas, const WorldPoint (&p)[kSymbolPoints], int32_t px, int32_t py,
                     uint32_t colour) {
    ScreenPointF s[kSymbolPoints];
    for (int i = 0; i < kSymbolPoints; ++i)
        s[i] = toScreen(canvas, p[i].x, p[i].y);
    line_DrawScreen(canvas.target, toScreen(canvas, px, py), s[0], colour);
    for (int i = 1; i < kSymbolPoints; ++i)
        line_DrawScreen(canvas.target, s[i], s[i + 1 < kSymbolPoints ? i + 1 : 1], colour);
}

void drawPlainSymbol(const MapCanvas& canvas, const MissionItem& item, int32_t size, int32_t coneAngle,
                     uint32_t colour) {
    WorldPoint points[kSymbolPoints];
    geom_PlainSymbolPoints(item.position[0], item.position[1], item.facing[0], size, points);
    drawSymbolShape(canvas, points, item.position[0], item.position[1], colour);
    if (coneAngle != 0) drawCone(canvas, item, geom_ConeRadius(size), coneAngle, colour);
}

void drawRadiusSymbol(const MapCanvas& canvas, const MissionItem& item, uint32_t colour) {
    WorldPoint points[kSymbolPoints];
    geom_RadiusSymbolPoints(item.position[0], item.position[1], item.facing[0], points);
    drawSymbolShape(canvas, points, item.position[0], item.position[1], colour);
    drawCone(canvas, item, geom_RadiusInWorldUnits(item.wpdistance), kFullCircle, colour);
}

bool insideImage(const RasterTarget& target, const ScreenPointF& p) {
    return p.x >= 0 && p.x <= double(target.width - 1) && p.y >= 0 && p.y <= double(target.height - 1);
}

// The outline edges of a LOD (see OutlineShape). Each point is placed and taken to the screen
// once. All edges have the item's colour, so the order they are drawn in does not change the
// pixels: an edge with both ends in the image is drawn once whichever way it was met; the others
// are drawn clipped, each way they were met.
void drawModelOutline(const MapCanvas& canvas, const MissionItem& item, const ModelRecord& model, int lod,
                      uint32_t colour) {
    const ModelLod* const modelLod = model_Lod(model, lod);
    static thread_local OutlineShape scratch;
    const OutlineShape* shape = &scratch;
    if (canvas.outlines != nullptr)
        shape = &canvas.outlines->shape(modelLod);
    else
        outline_Build(modelLod, scratch);
    const RasterTarget& target = canvas.target;
    const ItemRotation rotation = geom_Rotation(item.facing[0]);
    const size_t pointCount = shape->points.size();
    static thread_local std::vector<ScreenPointF> screen;
    static thread_local std::vector<uint8_t> inside;
    if (screen.size() < pointCount) {
        screen.resize(pointCount);
        inside.resize(pointCount);
    }
    for (size_t v = 0; v < pointCount; ++v) {
        const WorldPoint w = geom_Place(item.position[0], item.position[1], rotation, shape->points[v]);
        screen[v] = map_WorldToScreenFast(canvas.transform, w.x, w.y);
        inside[v] = insideImage(target, screen[v]) ? 1 : 0;
    }
    for (const OutlineEdge& e : shape->edges) {
        if (inside[e.a] && inside[e.b]) {
            if (!e.reverseSeen)
                line_DrawInside(target, int32_t(screen[e.a].x), int32_t(screen[e.a].y),
                                int32_t(screen[e.b].x), int32_t(screen[e.b].y), colour);
        } else {
            map_DrawScreenLine(target, screen[e.a], screen[e.b], colour);
        }
    }
}

// The cross of an item without a definition: two diagonals kUndefinedMarkHalfSize pixels each
// way from its position, the same size at every zoom.
void drawUndefinedMark(const MapCanvas& canvas, const MissionItem& item, uint32_t colour) {
    const ScreenPointF p = map_WorldToScreenExact(canvas.transform, item.position[0], item.position[1]);
    const double h = kUndefinedMarkHalfSize;
    line_DrawScreen(canvas.target, {p.x - h, p.y - h}, {p.x + h, p.y + h}, colour);
    line_DrawScreen(canvas.target, {p.x - h, p.y + h}, {p.x + h, p.y - h}, colour);
}

} // namespace

bool ItemVisible(const MissionPage& page, int item, uint32_t showFlags) {
    if (item < 0 || item >= page.num_items || item >= kMaxItems) return false;
    const MissionItem& it = page.items[item];
    if (it.hidden != 0) return false;
    // An item without a definition has no class to be hidden by; it stays in sight to be fixed.
    if (!bitSet(showFlags, it.item_class) && item_HasDefinition(it)) return false;
    if (!bitSet(showFlags, int64_t(it.team) + kShowTeamShift)) return false;
    return !bitSet(page.general.hidden_layers, it.layer);
}

uint32_t map_ItemColour(const MissionItem& item, bool overlay, int32_t viewBy) {
    static constexpr uint32_t kBySide[5] = {0x00FF00, 0x0069A9, 0xFF0000, 0xA07B00, 0xCD40FC};
    static constexpr uint32_t kByType[9] = {0xB4B4B4, 0xFF0000, 0xDCDCDC, 0x00FF00, 0x4BAADF,
                                            0xDCDCDC, 0x4BAADF, 0x009186, 0xB4B4B4};
    if (overlay) return kColourOverlay;
    if ((item.display_flags & kDisplayFlagHighlight) != 0) return kColourHighlighted;
    if (viewBy == kViewBySide)
        return item.team >= 0 && item.team < 5 ? kBySide[item.team] : kColourUnknownItem;
    return item.item_class >= 0 && item.item_class < 9 ? kByType[item.item_class] : kColourUnknownItem;
}

int32_t map_CullRadius(const MissionItem& item) {
    if (item.item_class != kClassPerson && item.item_class != kClassMarker) {
        if (const ModelRecord* model = itemModel(item)) return model_Radius(*model) >> 8;
    }
    return kDefaultCullRadius;
}

namespace {
float screenRadius(const MapTransform& t, int32_t radius) {
    return float(radius) * t.zoom;
}
} // namespace

bool map_Culled(const MapTransform& t, int32_t x, int32_t y, int32_t radius) {
    const float h = screenRadius(t, radius);
    const float fx = (float(x) - t.cx) * t.zoom + float(t.hw);
    const float fy = float(t.hh) - t.zoom * (float(y) - t.cy);
    return fx + h < 0.0f || fx - h > kCullRight || fy + h < 0.0f || fy - h > kCullBottom;
}

int map_ChooseLod(float h, int n) {
    if (h > 150.0f) return 0;
    if (h > 80.0f) return n >= 2 ? 1 : 0;
    if (h <= 20.0f && n >= 4) return 3;
    if (n > 2) return 2;
    return n > 1 ? 1 : 0;
}

void DrawItem(const MapCanvas& canvas, const MissionPage& page, int index, bool overlay) {
    if (index < 0 || index >= page.num_items || index >= kMaxItems) return;
    const MissionItem& item = page.items[index];
    const uint32_t colour = map_ItemColour(item, overlay, canvas.view_by);

    // map_CullRadius, with the model looked up once.
    const ModelRecord* const model = itemModel(item);
    const bool symbolClass = item.item_class == kClassPerson || item.item_class == kClassMarker;
    const int32_t radius = !symbolClass && model != nullptr ? model_Radius(*model) >> 8 : kDefaultCullRadius;
    if (map_Culled(canvas.transform, item.position[0], item.position[1], radius)) return;

    // An item with its definition's model has a definition.
    if (model == nullptr && !item_HasDefinition(item)) {
        drawUndefinedMark(canvas, item, overlay ? kColourOverlay : kColourUndefinedItem);
        return;
    }

    if (item.item_class == kClassMarker) {
        if (item.type_id == kRadiusMarkerType)
            drawRadiusSymbol(canvas, item, colour);
        else
            drawPlainSymbol(canvas, item, 1, 0, colour);
        return;
    }
    if (item.item_class == kClassPerson) {
        const int32_t cone = (canvas.show_flags & kShowFovCones) != 0 ? item.fov : 0;
        drawPlainSymbol(canvas, item, 1, cone, colour);
        return;
    }
    if (model != nullptr) {
        const int lod = map_ChooseLod(screenRadius(canvas.transform, radius), model_LodCount(*model));
        drawModelOutline(canvas, item, *model, lod, colour);
        return;
    }
    drawPlainSymbol(canvas, item, 1, 0, colour);
}

void DrawSelection(const MapCanvas& canvas, const MissionPage& page, int32_t dx, int32_t dy, int32_t dz) {
    MapCanvas shifted = canvas;
    shifted.transform = map_ShiftedTransform(canvas.transform, dx, dy, dz);
    const int count = page.selection.count < 0               ? 0
                      : page.selection.count > kMaxSelection ? kMaxSelection
                                                             : page.selection.count;
    for (int i = 0; i < count; ++i) {
        const int slot = page.selection.slots[i];
        if (ItemVisible(page, slot, canvas.show_flags)) DrawItem(shifted, page, slot, true);
    }
}
