#include "editor/step_names.h"

#include "editor/command_ids.h"
#include "foundation/safe_format.h"
#include "gamedata/own_texts.h"

namespace {

struct StepName {
    int command;
    const char* key; // own text
};

// Commands that change the page. The placement commands (Move, Paste) start a mouse tool and
// change nothing themselves: their steps are named after the mouse edit (step_MouseName).
constexpr StepName kStepNames[] = {
    {kCmdCopy, "STEP_COPY"},
    {kCmdGetCenter, "STEP_CENTRE"},
    {kCmdIntegrityCheck, "STEP_INTEGRITY_CHECK"},
    {kCmdNumericMove, "STEP_NUMERIC_MOVE"},
    {kCmdClear, "STEP_CLEAR"},
    {kCmdOpen, "STEP_OPEN"},
    {kCmdSave, "STEP_SAVE"},
    {kCmdExport, "STEP_EXPORT"},
    {kCmdUnselectAll, "STEP_UNSELECT_ALL"},
    {kCmdCut, "STEP_CUT"},
    {kCmdDelete, "STEP_DELETE"},
    {kCmdEditAttributes, "STEP_ITEM_ATTRIBUTES"},
    {kCmdGeneralInfo, "STEP_GENERAL_INFORMATION"},
    {kCmdUnhideAll, "STEP_UNHIDE_ALL"},
    {kCmdHideSelected, "STEP_HIDE_SELECTED"},
    {kCmdHideUnselected, "STEP_HIDE_UNSELECTED"},
    {kCmdWaypoints, "STEP_WAYPOINTS"},
    {kCmdEvents, "STEP_EVENTS"},
    {kCmdGroups, "STEP_GROUPS"},
    {kCmdSelectType, "STEP_SELECT_TYPE"},
    {kCmdWavLists, "STEP_WAV_LISTS"},
    {kCmdVisibleLayers, "STEP_VISIBLE_LAYERS"},
    {kCmdLayerNames, "STEP_LAYER_NAMES"},
    {kCmdWaypointNames, "STEP_PLAYER_WAYPOINT_NAMES"},
    {kCmdAreaTriggers, "STEP_AREA_TRIGGERS"},
    {kCmdBriefing, "STEP_BRIEFING"},
};

} // namespace

std::string step_CommandName(int command) {
    for (const StepName& entry : kStepNames)
        if (entry.command == command) return text_Own(entry.key);
    return text_Own("STEP_CHANGE");
}

std::string step_OpenName() {
    return text_Own("STEP_OPEN");
}

std::string step_MouseName(MouseEdit edit, int items) {
    switch (edit) {
    case MouseEdit::Move:
        return text_Own("STEP_MOVE");
    case MouseEdit::Insert:
        return text_Own("STEP_INSERT_ITEM");
    case MouseEdit::Paste:
        return step_PasteName(items);
    case MouseEdit::None:
        break;
    }
    return text_Own("STEP_CHANGE");
}

std::string step_PasteName(int items) {
    if (items == 1) return text_Own("STEP_PASTE_ONE");
    return fmt_Format(text_Own("STEP_PASTE_MANY"), {items});
}

std::string step_UndoText(const std::string& name) {
    const std::string undo = text_Own("UNDO");
    return name.empty() ? undo : undo + " " + name;
}

std::string step_RedoText(const std::string& name) {
    const std::string redo = text_Own("REDO");
    return name.empty() ? redo : redo + " " + name;
}
