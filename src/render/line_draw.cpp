// Clipped line drawing into the off-screen image.
#include "render/map_render.h"

#include "render/line_raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOutLeft = 1, kOutRight = 2, kOutTop = 4, kOutBottom = 8;

// Intercepts multiply two coordinate differences of up to 2^54 each.
__extension__ typedef __int128 Wide;

// Screen positions within this bound are clipped exactly; the transform never makes larger ones.
constexpr double kExactLimit = 9007199254740992.0; // 2^53
// Larger (or infinite) ends are first cut to this margin around the image in floating point.
constexpr double kPreclipMargin = 1024.0;
constexpr double kFarthest = 1e300;

int outcode(int64_t x, int64_t y, int64_t right, int64_t bottom) {
    int code = 0;
    if (x < 0)
        code |= kOutLeft;
    else if (x > right)
        code |= kOutRight;
    if (y < 0)
        code |= kOutTop;
    else if (y > bottom)
        code |= kOutBottom;
    return code;
}

// b + (d1 × d2) ÷ d3 with the product taken in 128 bits; the result lies between two coordinates
// of the segment.
int64_t intercept(int64_t base, int64_t d1, int64_t d2, int64_t d3) {
    return base + int64_t(Wide(d1) * Wide(d2) / Wide(d3));
}

// Liang-Barsky clipping of a -> b to the box [loX, hiX] × [loY, hiY]; false when nothing is left.
// Approximate (floating point), so it only serves to bring far-away ends within the exact range.
bool clipToBox(ScreenPointF& a, ScreenPointF& b, double loX, double hiX, double loY, double hiY) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - loX, hiX - a.x, a.y - loY, hiY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            if (r > t1) return false;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return false;
            if (r < t1) t1 = r;
        }
    }
    const ScreenPointF start = a;
    auto into = [&](double v, double lo, double hi) { return std::clamp(std::round(v), lo, hi); };
    a = ScreenPointF{into(start.x + t0 * dx, loX, hiX), into(start.y + t0 * dy, loY, hiY)};
    b = ScreenPointF{into(start.x + t1 * dx, loX, hiX), into(start.y + t1 * dy, loY, hiY)};
    return true;
}

bool exact(const ScreenPointF& p) {
    return std::fabs(p.x) <= kExactLimit && std::fabs(p.y) <= kExactLimit;
}

ScreenPointF finite(const ScreenPointF& p) {
    return ScreenPointF{std::clamp(p.x, -kFarthest, kFarthest), std::clamp(p.y, -kFarthest, kFarthest)};
}

} // namespace

void map_DrawScreenLineInt(const RasterTarget& target, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                           uint32_t colour) {
    if (!target.valid()) return;
    const int64_t right = target.width - 1;
    const int64_t bottom = target.height - 1;

    // Outcode clipping with integer intercepts. Each pass moves one end onto an edge it was
    // outside of, so four passes per end are enough.
    int code0 = outcode(x0, y0, right, bottom);
    int code1 = outcode(x1, y1, right, bottom);
    for (int pass = 0; (code0 | code1) != 0; ++pass) {
        if ((code0 & code1) != 0 || pass >= 8) return;
        const int code = code0 != 0 ? code0 : code1;
        int64_t x = 0, y = 0;
        if (code & kOutLeft) {
            y = intercept(y0, y1 - y0, 0 - x0, x1 - x0);
            x = 0;
        } else if (code & kOutRight) {
            y = intercept(y0, y1 - y0, right - x0, x1 - x0);
            x = right;
        } else if (code & kOutTop) {
            x = intercept(x0, x1 - x0, 0 - y0, y1 - y0);
            y = 0;
        } else {
            x = intercept(x0, x1 - x0, bottom - y0, y1 - y0);
            y = bottom;
        }
        if (code == code0) {
            x0 = x;
            y0 = y;
            code0 = outcode(x0, y0, right, bottom);
        } else {
            x1 = x;
            y1 = y;
            code1 = outcode(x1, y1, right, bottom);
        }
    }

    line_DrawInside(target, int32_t(x0), int32_t(y0), int32_t(x1), int32_t(y1), colour);
}

void map_DrawScreenLine(const RasterTarget& target, ScreenPointF a, ScreenPointF b, uint32_t colour) {
    if (!target.valid()) return;
    if (std::isnan(a.x) || std::isnan(a.y) || std::isnan(b.x) || std::isnan(b.y)) return;
    if (!exact(a) || !exact(b)) {
        a = finite(a);
        b = finite(b);
        if (!clipToBox(a, b, -kPreclipMargin, double(target.width - 1) + kPreclipMargin, -kPreclipMargin,
                       double(target.height - 1) + kPreclipMargin))
            return;
    }
    map_DrawScreenLineInt(target, int64_t(a.x), int64_t(a.y), int64_t(b.x), int64_t(b.y), colour);
}

void DrawWorldLine(const MapCanvas& canvas, int32_t ax, int32_t ay, int32_t bx, int32_t by, uint32_t colour) {
    line_DrawScreen(canvas.target, map_WorldToScreenFast(canvas.transform, ax, ay),
                    map_WorldToScreenFast(canvas.transform, bx, by), colour);
}
