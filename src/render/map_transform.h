#pragma once
// The transform between world units and map-view pixels, rebuilt from the view state at every
// render. World X grows to the right, Y upwards; the view centre sits at pixel (W >> 1, H >> 1) of
// the W × H image. The arithmetic is 32-bit floating point, truncated toward zero, so positions
// match pixel for pixel wherever they are computed (drawing, selecting, re-centring).

#include "render/view_state.h"

#include <cstdint>

// The largest zoom a transform uses (a million pixels per world unit). It keeps every screen
// position of a 32-bit world point within ±2^53, where lines are clipped exactly.
constexpr float kZoomTransformMax = 1048576.0f;

struct MapTransform {
    int32_t center_x = 0, center_y = 0, center_z = 0; // the integer centre (world units)
    float cx = 0, cy = 0, cz = 0;                     // the same as floats
    float zoom = 0.001f;                              // pixels per world unit
    float scale = 1.0f;
    int32_t width = 0, height = 0; // the image
    int32_t hw = 0, hh = 0;        // width >> 1, height >> 1
};

// The transform of `view` for an image of width × height pixels. A zoom that is not a number or
// below kZoomMin counts as kZoomMin, one above kZoomTransformMax as kZoomTransformMax.
MapTransform map_MakeTransform(const ViewState& view, int32_t width, int32_t height);
// The same transform with the centre moved by (-dx, -dy, -dz), so that everything drawn through it
// appears displaced by (dx, dy, dz).
MapTransform map_ShiftedTransform(const MapTransform& transform, int32_t dx, int32_t dy, int32_t dz);

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool inside = false; // 0 <= x <= width - 1 and 0 <= y <= height - 1
};

// sx = trunc(trunc((X - cX) × zoom) × scale) + hw, sy = hh - trunc(trunc((Y - cY) × zoom) × scale).
// Positions beyond the 32-bit range are held at its ends (they are never inside).
ScreenPoint WorldToScreen(const MapTransform& transform, int32_t x, int32_t y);

// The same position before it is made an integer: whole numbers within ±2^53, exactly as
// computed. Lines use it to clip far-away ends exactly.
struct ScreenPointF {
    double x = 0;
    double y = 0;
};
ScreenPointF map_WorldToScreenExact(const MapTransform& transform, int32_t x, int32_t y);

// map_WorldToScreenExact from the offsets (X - cX) × zoom and (Y - cY) × zoom, for any scale and
// size of offset.
ScreenPointF map_OffsetsToScreen(const MapTransform& transform, float ox, float oy);

// map_WorldToScreenExact, inline for the drawing loops. With a scale of 1 and offsets within the
// 32-bit range, truncating the offsets as integers gives the same whole numbers.
inline ScreenPointF map_WorldToScreenFast(const MapTransform& t, int32_t x, int32_t y) {
    const float ox = (float(x) - t.cx) * t.zoom;
    const float oy = (float(y) - t.cy) * t.zoom;
    constexpr float kLimit = 2147483648.0f; // 2^31
    if (t.scale == 1.0f && ox > -kLimit && ox < kLimit && oy > -kLimit && oy < kLimit)
        return ScreenPointF{double(int32_t(ox)) + double(t.hw), double(t.hh) - double(int32_t(oy))};
    return map_OffsetsToScreen(t, ox, oy);
}

struct WorldPoint {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
};

// X = trunc(cX + (px - hw) ÷ zoom), Y = trunc(cY + (hh - py) ÷ zoom), Z = trunc(cZ), in 32-bit
// floating point; results beyond the 32-bit range are held at its ends. Always succeeds.
WorldPoint ScreenToWorld(const MapTransform& transform, int32_t px, int32_t py);

// A float truncated toward zero as a 32-bit integer, held at the ends of the range; NaN gives 0.
int32_t map_TruncToInt(double value);
