// Items on the map: the visibility rule, their colours, culling, and their shapes (model
// outlines by level of detail, the plain symbol with its facing and field-of-view cone, the
// radius symbol of radius markers).
#include "render/item_geometry.h"
#include "render/map_render.h"

#include "gamedata/item_defs.h"
#include "gamedata/model_access.h"
#include "mission/item_lookup.h"

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

// The cone (or circle) around P: P to the first point, point to point, the last back to P.
void drawCone(const MapCanvas& canvas, const MissionItem& item, double radius, int32_t angle,
              uint32_t colour) {
    WorldPoint points[kMaxConePoints];
    const int count =
        geom_ConePoints(item.position[0], item.position[1], item.facing[0], radius, angle, points);
    if (count == 0) return;
    const int32_t px = item.position[0];
    const int32_t py = item.position[1];
    DrawWorldLine(canvas, px, py, points[0].x, points[0].y, colour);
    for (int i = 1; i < count; ++i)
        DrawWorldLine(canvas, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
    DrawWorldLine(canvas, points[count - 1].x, points[count - 1].y, px, py, colour);
}

// The facing line and the diamond, from the five symbol points (facing end, then the diamond's
// corners in drawing order).
void drawSymbolShape(const MapCanvas& canvas, const WorldPoint (&p)[kSymbolPoints], int32_t px, int32_t py,
                     uint32_t colour) {
    DrawWorldLine(canvas, px, py, p[0].x, p[0].y, colour);
    for (int i = 1; i < kSymbolPoints; ++i) {
        const WorldPoint& a = p[i];
        const WorldPoint& b = p[i + 1 < kSymbolPoints ? i + 1 : 1];
        DrawWorldLine(canvas, a.x, a.y, b.x, b.y, colour);
    }
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

// The outline edges of a LOD: every edge of every triangle of every part whose hidden bit is
// clear and whose ends differ in X or Y (as ModelLodView::forEachOutlineEdge walks them). Each
// vertex is placed and taken to the screen once, not once per edge that uses it.
void drawModelOutline(const MapCanvas& canvas, const MissionItem& item, const ModelRecord& model, int lod,
                      uint32_t colour) {
    const ModelLodView view(model_Lod(model, lod));
    if (!view.valid()) return;
    const ItemRotation rotation = geom_Rotation(item.facing[0]);
    const uint32_t vertexCount = view.vertexCount();
    static thread_local std::vector<ModelVertex> local;
    static thread_local std::vector<ScreenPointF> screen;
    if (local.size() < vertexCount) {
        local.resize(vertexCount);
        screen.resize(vertexCount);
    }
    for (uint32_t v = 0; v < vertexCount; ++v) {
        if (!view.vertex(v, local[v])) return; // cannot happen below the count
        const WorldPoint w = geom_Place(item.position[0], item.position[1], rotation,
                                        LocalPoint{double(local[v].x), double(local[v].y)});
        screen[v] = map_WorldToScreenExact(canvas.transform, w.x, w.y);
    }
    for (uint32_t n = 0; n < view.nodeCount(); ++n) {
        ModelNode part;
        if (!view.node(n, part)) continue;
        for (uint32_t p = part.polygons.first; p < part.polygons.first + part.polygons.count; ++p) {
            ModelPolygon poly;
            if (!view.polygon(p, poly) || poly.vertex[0] >= vertexCount || poly.vertex[1] >= vertexCount ||
                poly.vertex[2] >= vertexCount)
                continue;
            for (int e = 0; e < 3; ++e) {
                const uint16_t a = poly.vertex[e];
                const uint16_t b = poly.vertex[(e + 1) % 3];
                if (poly.edgeHidden(e) || (local[a].x == local[b].x && local[a].y == local[b].y)) continue;
                map_DrawScreenLine(canvas.target, screen[a], screen[b], colour);
            }
        }
    }
}

// The cross of an item without a definition: two diagonals kUndefinedMarkHalfSize pixels each
// way from its position, the same size at every zoom.
void drawUndefinedMark(const MapCanvas& canvas, const MissionItem& item, uint32_t colour) {
    const ScreenPointF p = map_WorldToScreenExact(canvas.transform, item.position[0], item.position[1]);
    const double h = kUndefinedMarkHalfSize;
    map_DrawScreenLine(canvas.target, {p.x - h, p.y - h}, {p.x + h, p.y + h}, colour);
    map_DrawScreenLine(canvas.target, {p.x - h, p.y + h}, {p.x + h, p.y - h}, colour);
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

    const int32_t radius = map_CullRadius(item);
    if (map_Culled(canvas.transform, item.position[0], item.position[1], radius)) return;

    if (!item_HasDefinition(item)) {
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
    if (const ModelRecord* model = itemModel(item)) {
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
