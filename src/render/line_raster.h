#pragma once
// The pixel stepping of every map line, for segments whose ends both lie in the image: one pixel
// per step along the major axis, the minor one stepped in 16.16 from the pixel centre, always
// from the end with the smaller major coordinate, so a segment and its reverse set the same
// pixels. Internal to the renderer; clipping comes first (map_DrawScreenLineInt).

#include "render/map_render.h"
#include "render/raster_target.h"

#include <cstddef>
#include <cstdint>
#include <utility>

// Draws (ax, ay)-(bx, by), both within the image of `target`; nothing for coincident ends. Sides
// of at most kRasterMaxSide keep the 16.16 minor coordinate below 2^30.
inline void line_DrawInside(const RasterTarget& target, int32_t ax, int32_t ay, int32_t bx, int32_t by,
                            uint32_t colour) {
    int32_t dx = bx - ax;
    int32_t dy = by - ay;
    if (dx == 0 && dy == 0) return;
    const size_t pitch = size_t(target.width);
    const bool alongX = (dy < 0 ? -dy : dy) < (dx < 0 ? -dx : dx);
    if (alongX) {
        if (dx < 0) {
            std::swap(ax, bx);
            std::swap(ay, by);
            dx = -dx;
            dy = -dy;
        }
        const int32_t step = dy * 65536 / dx;
        int32_t minor = (ay << 16) | 0x8000;
        uint32_t* const pixels = target.pixels;
        for (int32_t x = ax; x <= bx; ++x) {
            pixels[size_t(minor >> 16) * pitch + size_t(x)] = colour;
            minor += step;
        }
    } else {
        if (dy < 0) {
            std::swap(ax, bx);
            std::swap(ay, by);
            dx = -dx;
            dy = -dy;
        }
        const int32_t step = dx * 65536 / dy;
        int32_t minor = (ax << 16) | 0x8000;
        uint32_t* out = target.pixels + size_t(ay) * pitch;
        for (int32_t y = ay; y <= by; ++y, out += pitch) {
            out[minor >> 16] = colour;
            minor += step;
        }
    }
}

// map_DrawScreenLine, with the common case inline: both ends whole numbers in the image.
inline void line_DrawScreen(const RasterTarget& target, const ScreenPointF& a, const ScreenPointF& b,
                            uint32_t colour) {
    const double right = double(target.width - 1), bottom = double(target.height - 1);
    if (target.valid() && a.x >= 0 && a.x <= right && a.y >= 0 && a.y <= bottom && b.x >= 0 && b.x <= right &&
        b.y >= 0 && b.y <= bottom)
        line_DrawInside(target, int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y), colour);
    else
        map_DrawScreenLine(target, a, b, colour);
}
