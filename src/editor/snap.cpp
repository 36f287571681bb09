#include "editor/snap.h"

#include <cstdint>
#include <limits>

int32_t snap_Coordinate(int32_t value, int32_t gridSize) {
    const int64_t g = gridSize;
    const int64_t v = value;
    const int64_t half = g / 2;
    int64_t snapped = v > 0 ? ((v + half) / g) * g : ((v - half) / g) * g;
    // Keep the result a multiple of the grid inside the 32-bit range.
    const int64_t hi = (int64_t(std::numeric_limits<int32_t>::max()) / g) * g;
    const int64_t lo = (int64_t(std::numeric_limits<int32_t>::min()) / g) * g;
    if (snapped > hi) snapped = hi;
    if (snapped < lo) snapped = lo;
    return int32_t(snapped);
}

WorldPoint SnapToGrid(const ViewState& view, WorldPoint point) {
    if (view.snap_to_grid == 0 || view.grid_size < 1) return point;
    point.x = snap_Coordinate(point.x, view.grid_size);
    point.y = snap_Coordinate(point.y, view.grid_size);
    return point;
}
