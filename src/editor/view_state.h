#pragma once
// The editor's view state: one process-wide record shared by the commands, the mouse tools and
// the map view, which renders with it.

#include "render/view_state.h"

// The process-wide view state (start-up values until changed).
ViewState& view_State();
