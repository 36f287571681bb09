#pragma once
// Snapping clicked world positions to the grid of the view.

#include "render/map_transform.h"
#include "render/view_state.h"

// With snap on, X and Y move to the nearest multiple of the grid size, halves away from zero
// (v > 0: ((v + g/2) ÷ g) × g; v <= 0: ((v - g/2) ÷ g) × g, ÷ truncating). Z is never snapped.
// With snap off, or a grid size below 1, the point is returned unchanged. A multiple beyond the
// 32-bit range is held at the nearest multiple inside it.
WorldPoint SnapToGrid(const ViewState& view, WorldPoint point);

// One coordinate snapped to multiples of `gridSize` (> 0) by the rule above.
int32_t snap_Coordinate(int32_t value, int32_t gridSize);
