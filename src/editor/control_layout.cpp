#include "editor/control_layout.h"

#include "render/view_state.h"

namespace {

constexpr LayoutTerm CW(int inner, int divisor = 1) {
    return {1, static_cast<int16_t>(inner), LayoutUnit::CharWidth, static_cast<int16_t>(divisor)};
}
constexpr LayoutTerm LH(int inner, int divisor = 1) {
    return {1, static_cast<int16_t>(inner), LayoutUnit::LineHeight, static_cast<int16_t>(divisor)};
}
// outer × (lh ÷ divisor), where the division comes first.
constexpr LayoutTerm LHParts(int outer, int divisor) {
    return {static_cast<int16_t>(outer), 1, LayoutUnit::LineHeight, static_cast<int16_t>(divisor)};
}
constexpr LayoutValue V(LayoutTerm a, LayoutTerm b = {}, LayoutTerm c = {}) {
    return LayoutValue{{a, b, c}};
}

using K = ControlKind;

// The top row of buttons and the two boxes down the left edge.
constexpr LayoutValue kTopY = V(LH(1, 2));
constexpr LayoutValue kTopHeight = V(LH(7, 4));
constexpr LayoutValue kGridRow1Y = V(LH(1, 2), LH(3), LH(1, 4));
constexpr LayoutValue kGridRow2Y = V(LHParts(2, 2), LH(4));
constexpr LayoutValue kOneLine = V(LH(1));

// The check boxes of the Show box stand on lines 7 to 21 below half a line.
constexpr LayoutValue showRow(int line) {
    return V(LH(1, 2), LH(line));
}

constexpr ControlDef kControls[] = {
    {kControlColorMap, K::RadioButton, true, "COLOR_MAP_BUTTON", V(CW(1)), kTopY, V(CW(4)), kTopHeight,
     kCmdColorMap},
    {kControlDepthMap, K::RadioButton, false, "DEPTH_MAP_BUTTON", V(CW(5)), kTopY, V(CW(4)), kTopHeight,
     kCmdDepthMap},
    {kControlFirstOrderMap, K::RadioButton, false, "FIRST_ORDER_MAP_BUTTON", V(CW(9)), kTopY, V(CW(4)),
     kTopHeight, kCmdFirstOrderMap},
    {kControlPage1, K::RadioButton, true, "PAGE_1_BUTTON", V(CW(18)), kTopY, V(CW(4)), kTopHeight, kCmdPage1},
    {kControlPage2, K::RadioButton, false, "PAGE_2_BUTTON", V(CW(22)), kTopY, V(CW(4)), kTopHeight,
     kCmdPage2},
    {kControlLayers, K::PushButton, true, "LAYER_BUTTON", V(CW(62)), kTopY, V(CW(20)), kTopHeight,
     kCmdVisibleLayers},
    {kControlUnselectAll, K::PushButton, true, "UNSELECT_ALL_BUTTON", V(CW(84)), kTopY, V(CW(20)), kTopHeight,
     kCmdUnselectAll},
    {kControlGridBox, K::GroupBox, false, "GRID", V(CW(1)), V(LH(1, 2), LH(2)), V(CW(25)), V(LH(4)), 0},
    {kControlGridView, K::CheckBox, false, "VIEW", V(CW(2)), kGridRow1Y, V(CW(14)), kOneLine, kCmdToggleGrid},
    {kControlGridSmaller, K::PushButton, false, "GRID-", V(CW(17)), kGridRow1Y, V(CW(3)), kOneLine,
     kCmdGridSmaller},
    {kControlGridLarger, K::PushButton, false, "GRID+", V(CW(21)), kGridRow1Y, V(CW(3)), kOneLine,
     kCmdGridLarger},
    {kControlSnapToGrid, K::CheckBox, false, "SNAP_TO_GRID", V(CW(2)), kGridRow2Y, V(CW(14)), kOneLine,
     kCmdToggleSnap},
    {kControlGridSizeText, K::StaticText, false, "DEFAULT_GRID_SIZE", V(CW(17)), kGridRow2Y, V(CW(8)),
     kOneLine, 0},
    {kControlShowBox, K::GroupBox, false, "SHOW", V(CW(1)), V(LH(1, 2), LH(6)), V(CW(25)),
     V(LH(1, 2), LH(17)), 0},
    {kControlVehicles, K::CheckBox, false, "VEHICLES", V(CW(2)), showRow(7), V(CW(17)), kOneLine,
     kCmdShowVehicles},
    {kControlPeople, K::CheckBox, false, "PEOPLE", V(CW(2)), showRow(8), V(CW(17)), kOneLine, kCmdShowPeople},
    {kControlBuildings, K::CheckBox, false, "BUILDINGS", V(CW(2)), showRow(9), V(CW(17)), kOneLine,
     kCmdShowBuildings},
    {kControlObjects, K::CheckBox, false, "OBJECTS", V(CW(2)), showRow(10), V(CW(17)), kOneLine,
     kCmdShowObjects},
    {kControlDecorations, K::CheckBox, false, "DECORATIONS", V(CW(2)), showRow(11), V(CW(17)), kOneLine,
     kCmdShowDecorations},
    {kControlMarkers, K::CheckBox, false, "MARKERS", V(CW(2)), showRow(12), V(CW(17)), kOneLine,
     kCmdShowMarkers},
    {kControlFovCones, K::CheckBox, false, "FOV_CONES", V(CW(2)), showRow(13), V(CW(17)), kOneLine,
     kCmdShowFovCones},
    {kControlAreaTriggers, K::CheckBox, false, "AREA_TRIGGERS", V(CW(2)), showRow(14), V(CW(17)), kOneLine,
     kCmdShowAreaTriggers},
    {kControlWater, K::CheckBox, false, "WATER", V(CW(2)), showRow(15), V(CW(17)), kOneLine, kCmdShowWater},
    {kControlTeamBlue, K::CheckBox, false, "TEAM_BLUE", V(CW(2)), showRow(16), V(CW(17)), kOneLine,
     kCmdShowTeamBlue},
    {kControlTeamRed, K::CheckBox, false, "TEAM_RED", V(CW(2)), showRow(17), V(CW(17)), kOneLine,
     kCmdShowTeamRed},
    {kControlTeamGreen, K::CheckBox, false, "TEAM_GREEN", V(CW(2)), showRow(18), V(CW(17)), kOneLine,
     kCmdShowTeamGreen},
    {kControlTeamYellow, K::CheckBox, false, "TEAM_YELLOW", V(CW(2)), showRow(19), V(CW(17)), kOneLine,
     kCmdShowTeamYellow},
    {kControlTeamViolet, K::CheckBox, false, "TEAM_VIOLET", V(CW(2)), showRow(20), V(CW(17)), kOneLine,
     kCmdShowTeamViolet},
    {kControlCharacters, K::CheckBox, false, "CHARACTERS", V(CW(2)), showRow(21), V(CW(17)), kOneLine,
     kCmdShowCharacters},
};

constexpr ShowFlagControl kShowFlagControls[] = {
    {kShowVehicles, kControlVehicles, kCmdShowVehicles},
    {kShowDecorations, kControlDecorations, kCmdShowDecorations},
    {kShowPeople, kControlPeople, kCmdShowPeople},
    {kShowMarkers, kControlMarkers, kCmdShowMarkers},
    {kShowBuildings, kControlBuildings, kCmdShowBuildings},
    {kShowObjects, kControlObjects, kCmdShowObjects},
    {kShowFovCones, kControlFovCones, kCmdShowFovCones},
    {kShowAreaTriggers, kControlAreaTriggers, kCmdShowAreaTriggers},
    {kShowWater, kControlWater, kCmdShowWater},
    {kShowTeamGreen, kControlTeamGreen, kCmdShowTeamGreen},
    {kShowTeamBlue, kControlTeamBlue, kCmdShowTeamBlue},
    {kShowTeamRed, kControlTeamRed, kCmdShowTeamRed},
    {kShowTeamYellow, kControlTeamYellow, kCmdShowTeamYellow},
    {kShowTeamViolet, kControlTeamViolet, kCmdShowTeamViolet},
    {kShowCharacters, kControlCharacters, kCmdShowCharacters},
};

int unitValue(LayoutUnit unit, int charWidth, int lineHeight) {
    switch (unit) {
    case LayoutUnit::CharWidth:
        return charWidth;
    case LayoutUnit::LineHeight:
        return lineHeight;
    case LayoutUnit::None:
        break;
    }
    return 0;
}

} // namespace

std::span<const ControlDef> ctl_Controls() {
    return kControls;
}

const ControlDef* ctl_Find(int id) {
    for (const ControlDef& control : kControls)
        if (control.id == id) return &control;
    return nullptr;
}

int ctl_ButtonCommand(int id) {
    const ControlDef* control = ctl_Find(id);
    return control != nullptr ? control->command : 0;
}

int layout_Evaluate(const LayoutValue& value, int charWidth, int lineHeight) {
    int total = 0;
    for (const LayoutTerm& term : value.terms) {
        if (term.unit == LayoutUnit::None || term.divisor == 0) continue;
        total += term.outer * (term.inner * unitValue(term.unit, charWidth, lineHeight) / term.divisor);
    }
    return total;
}

LayoutRect layout_ControlRect(const ControlDef& control, int charWidth, int lineHeight) {
    return {layout_Evaluate(control.x, charWidth, lineHeight),
            layout_Evaluate(control.y, charWidth, lineHeight),
            layout_Evaluate(control.width, charWidth, lineHeight),
            layout_Evaluate(control.height, charWidth, lineHeight)};
}

ChildWindowLayout layout_ChildWindows(int right, int bottom, int charWidth, int lineHeight,
                                      int centerInfoWidth) {
    const int cw = charWidth;
    const int lh = lineHeight;
    ChildWindowLayout layout;
    layout.map_view = {27 * cw, 3 * lh, right - cw, bottom - lh / 2};
    layout.item_info = {cw, 24 * lh, 26 * cw, bottom - lh / 2};
    layout.center_info = {27 * cw, lh / 2, 60 * cw + layout_RightOfCenterShift(cw, centerInfoWidth),
                          2 * lh + lh / 8};
    return layout;
}

int layout_RightOfCenterShift(int charWidth, int centerInfoWidth) {
    // The table's window runs from 27 to 60 characters, both edges included.
    const int tableWidth = 33 * charWidth + 1;
    return centerInfoWidth > tableWidth ? centerInfoWidth - tableWidth : 0;
}

bool ctl_IsRightOfCenterInfo(int id) {
    return id == kControlLayers || id == kControlUnselectAll;
}

std::span<const ShowFlagControl> ctl_ShowFlagControls() {
    return kShowFlagControls;
}

const ShowFlagControl* ctl_ShowFlagByCommand(int command) {
    for (const ShowFlagControl& entry : kShowFlagControls)
        if (entry.command == command) return &entry;
    return nullptr;
}
