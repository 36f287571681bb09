#include "render/map_transform.h"

#include <cmath>

namespace {

float saneZoom(float zoom) {
    if (!(zoom >= kZoomMin)) return kZoomMin; // also NaN
    if (zoom > kZoomTransformMax) return kZoomTransformMax;
    return zoom;
}

MapTransform withCentre(MapTransform t, int64_t x, int64_t y, int64_t z) {
    auto clamp32 = [](int64_t v) {
        return int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    };
    t.center_x = clamp32(x);
    t.center_y = clamp32(y);
    t.center_z = clamp32(z);
    t.cx = float(t.center_x);
    t.cy = float(t.center_y);
    t.cz = float(t.center_z);
    return t;
}

} // namespace

int32_t map_TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= double(INT32_MIN)) return INT32_MIN;
    if (value >= double(INT32_MAX)) return INT32_MAX;
    return int32_t(value);
}

MapTransform map_MakeTransform(const ViewState& view, int32_t width, int32_t height) {
    MapTransform t;
    t.zoom = saneZoom(view.zoom);
    t.scale = 1.0f;
    t.width = width;
    t.height = height;
    t.hw = width >> 1;
    t.hh = height >> 1;
    return withCentre(t, view.center_x, view.center_y, view.center_z);
}

MapTransform map_ShiftedTransform(const MapTransform& transform, int32_t dx, int32_t dy, int32_t dz) {
    return withCentre(transform, int64_t(transform.center_x) - dx, int64_t(transform.center_y) - dy,
                      int64_t(transform.center_z) - dz);
}

ScreenPointF map_OffsetsToScreen(const MapTransform& t, float ox, float oy) {
    const float sx = std::trunc(std::trunc(ox) * t.scale);
    const float sy = std::trunc(std::trunc(oy) * t.scale);
    return ScreenPointF{double(sx) + double(t.hw), double(t.hh) - double(sy)};
}

ScreenPointF map_WorldToScreenExact(const MapTransform& t, int32_t x, int32_t y) {
    const float dx = float(x) - t.cx;
    const float dy = float(y) - t.cy;
    return map_OffsetsToScreen(t, dx * t.zoom, dy * t.zoom);
}

ScreenPoint WorldToScreen(const MapTransform& t, int32_t x, int32_t y) {
    const ScreenPointF f = map_WorldToScreenExact(t, x, y);
    ScreenPoint p;
    p.x = map_TruncToInt(f.x);
    p.y = map_TruncToInt(f.y);
    // Held or undefined positions are never inside.
    p.inside = f.x >= 0 && f.x <= double(t.width - 1) && f.y >= 0 && f.y <= double(t.height - 1);
    return p;
}

WorldPoint ScreenToWorld(const MapTransform& t, int32_t px, int32_t py) {
    WorldPoint w;
    w.x = map_TruncToInt(std::trunc(t.cx + float(int64_t(px) - t.hw) / t.zoom));
    w.y = map_TruncToInt(std::trunc(t.cy + float(int64_t(t.hh) - py) / t.zoom));
    w.z = map_TruncToInt(std::trunc(t.cz));
    return w;
}
