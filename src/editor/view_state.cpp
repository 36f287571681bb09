#include "editor/view_state.h"

ViewState& view_State() {
    static ViewState state = [] {
        ViewState view{};
        view_Reset(view);
        return view;
    }();
    return state;
}
