#include "render/view_state.h"

void view_Reset(ViewState& view) {
    view.show_flags = 0;
    view.zoom = 0.001f;
    view.center_x = 0;
    view.center_y = 0;
    view.center_z = 0;
    view.map_mode = kMapModeColor;
    view.insert_mode = 0;
    view.view_by = kViewByType;
    view.grid_shown = 1;
    view.snap_to_grid = 1;
    view.grid_size = 32;
    view.current_page = 0;
    view.layer_value = 0;
}

void view_ApplyWindowStart(ViewState& view) {
    view.show_flags = kShowFlagsWindowStart;
    view.snap_to_grid = 0;
    view.grid_size = kGridSizeWindowStart;
}
