// The effects of the editor's commands and the table that names them.

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "editor/control_layout.h"
#include "editor/edit_commands.h"
#include "editor/editor_app.h"
#include "editor/file_commands.h"
#include "editor/mission_file_commands.h"
#include "gamedata/own_texts.h"
#include "mission/page_ops.h"

namespace {

EditorView& screen(EditorApp& app) {
    return app.view();
}

// ---- View settings ----------------------------------------------------------------------------

void setMapMode(EditorApp& app, int command) {
    const int mode = command - kCmdColorMap;
    app.viewState().map_mode = mode;
    screen(app).setControlCheck(kControlColorMap + mode, true);
    app.updateMenuChecks();
    screen(app).repaint(EditorWindow::MapView);
}

// The zoom keys' steps as commands: zoom × 1.1 or × 0.9, redrawn unless held at the limit.
void zoomIn(EditorApp& app, int) {
    if (view_ZoomIn(app.viewState())) screen(app).redrawMap();
}

void zoomOut(EditorApp& app, int) {
    if (view_ZoomOut(app.viewState())) screen(app).redrawMap();
}

void toggleSnap(EditorApp& app, int) {
    ViewState& view = app.viewState();
    view.snap_to_grid = view.snap_to_grid != 0 ? 0 : 1;
    screen(app).setControlCheck(kControlSnapToGrid, view.snap_to_grid != 0);
    app.updateMenuChecks();
}

void toggleGrid(EditorApp& app, int) {
    ViewState& view = app.viewState();
    view.grid_shown = view.grid_shown != 0 ? 0 : 1;
    screen(app).setControlCheck(kControlGridView, view.grid_shown != 0);
    app.updateMenuChecks();
    screen(app).redrawMap();
}

void gridLarger(EditorApp& app, int) {
    ViewState& view = app.viewState();
    if (view.grid_size < kGridSizeMax) view.grid_size *= 2;
    app.showGridSize();
    if (view.grid_shown != 0) screen(app).repaint(EditorWindow::MapView);
}

void gridSmaller(EditorApp& app, int) {
    ViewState& view = app.viewState();
    if (view.grid_size > 1) view.grid_size /= 2;
    app.showGridSize();
    if (view.grid_shown != 0) screen(app).repaint(EditorWindow::MapView);
}

void toggleShowFlag(EditorApp& app, int command) {
    const ShowFlagControl* entry = ctl_ShowFlagByCommand(command);
    if (entry == nullptr) return;
    ViewState& view = app.viewState();
    view.show_flags ^= entry->bit;
    screen(app).setControlCheck(entry->control, (view.show_flags & entry->bit) != 0);
    app.updateMenuChecks();
    screen(app).redrawMap();
}

void toggleInsertMode(EditorApp& app, int) {
    ViewState& view = app.viewState();
    view.insert_mode = view.insert_mode != 0 ? 0 : 1;
    app.updateMenuChecks();
    screen(app).repaint(EditorWindow::MapView);
}

void setViewBy(EditorApp& app, int command) {
    app.viewState().view_by = command == kCmdViewBySide ? kViewBySide : kViewByType;
    app.updateMenuChecks();
    screen(app).redrawMap();
}

void switchPage(EditorApp& app, int command) {
    app.switchPage(command == kCmdPage2 ? 1 : 0);
}

// ---- Pages and selection ----------------------------------------------------------------------

void clearPage(EditorApp& app, int) {
    if (!app.offerToSaveChanges(app.document().currentIndex(), text_Own("CLEAR_CAPTION"))) return;
    app.document().clearPage(app.currentPage());
    app.updateTitle();
    screen(app).repaint(EditorWindow::MapView);
    screen(app).repaint(EditorWindow::ItemInfo);
}

void unselectAll(EditorApp& app, int) {
    sel_Clear(app.currentPage());
    screen(app).redrawMap();
    screen(app).repaint(EditorWindow::ItemInfo);
}

void deleteSelection(EditorApp& app, int) {
    sel_Delete(app.currentPage());
    screen(app).repaint(EditorWindow::ItemInfo);
    screen(app).redrawMap();
}

void unhideAll(EditorApp& app, int) {
    page_UnhideAll(app.currentPage());
    screen(app).redrawMap();
}

void hideSelected(EditorApp& app, int) {
    MissionPage& page = app.currentPage();
    sel_HideSelected(page);
    sel_Clear(page);
    screen(app).repaint(EditorWindow::ItemInfo);
    screen(app).redrawMap();
}

void hideUnselected(EditorApp& app, int) {
    sel_HideUnselected(app.currentPage());
    screen(app).redrawMap();
}

// ---- Files ------------------------------------------------------------------------------------

void exportMission(EditorApp& app, int) {
    ExportMission(screen(app), app.currentPage());
}

void exitProgram(EditorApp& app, int) {
    if (app.queryClose()) screen(app).quit(0);
}

void doNothing(EditorApp&, int) {}

void undo(EditorApp& app, int) {
    app.undo();
}

void redo(EditorApp& app, int) {
    app.redo();
}

// ---- Dialogs ----------------------------------------------------------------------------------

DialogResult openDialog(EditorApp& app, const char* templateName) {
    return screen(app).openDialog(templateName, app.currentPage());
}

void getCenter(EditorApp& app, int) {
    openDialog(app, kDialogGetCenter);
    screen(app).repaint(EditorWindow::CenterInfo);
    screen(app).repaint(EditorWindow::MapView);
}

void integrityCheck(EditorApp& app, int) {
    openDialog(app, kDialogIntegrityCheck);
    screen(app).redrawMap();
    // "Select All" may have selected the unknown items.
    screen(app).repaint(EditorWindow::ItemInfo);
}

void generalInfo(EditorApp& app, int) {
    openDialog(app, kDialogGeneralInfo);
    screen(app).repaint(EditorWindow::MapView);
}

// The list dialogs can add markers or members to the selection, which the item information counts.
void redrawAfterListDialog(EditorApp& app) {
    screen(app).redrawMap();
    screen(app).repaint(EditorWindow::ItemInfo);
}

void waypoints(EditorApp& app, int) {
    page_RebuildWaypointLists(app.currentPage());
    openDialog(app, kDialogWaypoints);
    redrawAfterListDialog(app);
}

void events(EditorApp& app, int) {
    openDialog(app, kDialogEvents);
}

void groups(EditorApp& app, int) {
    page_CountGroupMembers(app.currentPage());
    openDialog(app, kDialogGroups);
    redrawAfterListDialog(app);
}

void areaTriggers(EditorApp& app, int) {
    page_RebuildAreaTriggers(app.currentPage());
    openDialog(app, kDialogAreaTriggers);
    redrawAfterListDialog(app);
}

// Dialogs after which the map is simply rendered again.
void dialogThenRedraw(EditorApp& app, int command) {
    const char* name = command == kCmdWavLists        ? kDialogWavLists
                       : command == kCmdVisibleLayers ? kDialogVisibleLayers
                       : command == kCmdLayerNames    ? kDialogLayerNames
                                                      : kDialogWaypointNames;
    openDialog(app, name);
    screen(app).redrawMap();
    // The item information names the selected item's layer.
    if (command == kCmdLayerNames) screen(app).repaint(EditorWindow::ItemInfo);
}

void about(EditorApp& app, int) {
    openDialog(app, kDialogAbout);
}

void briefing(EditorApp& app, int) {
    openDialog(app, kDialogBriefing);
    screen(app).repaint(EditorWindow::MapView);
}

// ---- Panels and the ruler ---------------------------------------------------------------------

void showPanel(EditorApp& app, int command) {
    screen(app).showPanel(command == kCmdProblems ? EditorPanel::Problems : EditorPanel::FindItems);
}

// Takes up the ruler, or puts it away when it is in use; the map view shows the change.
void measure(EditorApp& app, int) {
    MapMouse& mouse = app.mouse();
    if (mouse.measuring() ? mouse.endMeasure() : mouse.startMeasure())
        screen(app).repaint(EditorWindow::MapView);
}

constexpr CommandEntry kCommands[] = {
    {kCmdColorMap, "colour map", setMapMode},
    {kCmdDepthMap, "depth map", setMapMode},
    {kCmdFirstOrderMap, "first-order map", setMapMode},
    {kCmdCopy, "copy the selection", cmd_Copy},
    {kCmdToggleSnap, "toggle snap to grid", toggleSnap},
    {kCmdGetCenter, "centre dialog", getCenter},
    {kCmdIntegrityCheck, "integrity check dialog", integrityCheck},
    {kCmdPrint, "print (no action)", doNothing, false},
    {kCmdNumericMove, "numeric move or copy", cmd_NumericMove},
    {kCmdMetafile, "metafile (no action)", doNothing, false},
    {kCmdMemoryStack, "memory stack (no action)", doNothing, false},
    {kCmdClear, "clear the page", clearPage},
    {kCmdOpen, "open a mission", cmd_OpenMission},
    {kCmdSave, "save the mission as a chosen file", cmd_SaveMissionAs},
    {kCmdSaveInPlace, "save the mission to its own file", cmd_SaveMission},
    {kCmdExport, "export the binary mission", exportMission},
    {kCmdExit, "exit", exitProgram},
    {kCmdUnselectAll, "unselect all", unselectAll},
    {kCmdToggleGrid, "toggle the grid", toggleGrid},
    {kCmdGridLarger, "double the grid size", gridLarger},
    {kCmdGridSmaller, "halve the grid size", gridSmaller},
    {kCmdShowVehicles, "show vehicles", toggleShowFlag},
    {kCmdShowPeople, "show people", toggleShowFlag},
    {kCmdShowObjects, "show objects", toggleShowFlag},
    {kCmdShowDecorations, "show decorations", toggleShowFlag},
    {kCmdShowBuildings, "show buildings", toggleShowFlag},
    {kCmdShowMarkers, "show markers", toggleShowFlag},
    {kCmdShowTeamBlue, "show team blue", toggleShowFlag},
    {kCmdShowTeamRed, "show team red", toggleShowFlag},
    {kCmdShowTeamGreen, "show team green", toggleShowFlag},
    {kCmdShowTeamYellow, "show team yellow", toggleShowFlag},
    {kCmdShowTeamViolet, "show team violet", toggleShowFlag},
    {kCmdShowFovCones, "show view cones", toggleShowFlag},
    {kCmdShowAreaTriggers, "show area triggers", toggleShowFlag},
    {kCmdShowCharacters, "show detail tiles", toggleShowFlag},
    {kCmdShowWater, "show water", toggleShowFlag},
    {kCmdCut, "cut the selection", cmd_Cut},
    {kCmdPaste, "paste", cmd_Paste},
    {kCmdDelete, "delete the selection", deleteSelection},
    {kCmdInsertMode, "toggle insert mode", toggleInsertMode},
    {kCmdPage1, "page 1", switchPage},
    {kCmdPage2, "page 2", switchPage},
    {kCmdEditAttributes, "item attributes", cmd_EditItemAttributes},
    {kCmdMove, "move the selection", cmd_Move},
    {kCmdGeneralInfo, "general information dialog", generalInfo},
    {kCmdUnhideAll, "unhide all", unhideAll},
    {kCmdHideSelected, "hide selected", hideSelected},
    {kCmdHideUnselected, "hide unselected", hideUnselected},
    {kCmdViewByType, "view by type", setViewBy},
    {kCmdViewBySide, "view by side", setViewBy},
    {kCmdWaypoints, "waypoints dialog", waypoints},
    {kCmdEvents, "events dialog", events},
    {kCmdGroups, "groups dialog", groups},
    {kCmdSelectType, "select this type", cmd_SelectType},
    {kCmdWavLists, "wav lists dialog", dialogThenRedraw},
    {kCmdVisibleLayers, "visible layers dialog", dialogThenRedraw},
    {kCmdLayerNames, "layer names dialog", dialogThenRedraw},
    {kCmdWaypointNames, "player waypoint names dialog", dialogThenRedraw},
    {kCmdAreaTriggers, "area triggers dialog", areaTriggers},
    {kCmdWrapObjects, "wrap objects (no action)", doNothing, false},
    {kCmdAbout, "about dialog", about},
    {kCmdBriefing, "briefing dialog", briefing},
    {kCmdUndo, "undo", undo},
    {kCmdRedo, "redo", redo},
    {kCmdFindItems, "find items panel", showPanel},
    {kCmdProblems, "problems panel", showPanel},
    {kCmdMeasure, "measure with the ruler", measure},
    {kCmdZoomIn, "zoom in", zoomIn},
    {kCmdZoomOut, "zoom out", zoomOut},
    {kCmdRecentMissionFirst + 0, "open recent mission 1", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 1, "open recent mission 2", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 2, "open recent mission 3", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 3, "open recent mission 4", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 4, "open recent mission 5", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 5, "open recent mission 6", cmd_OpenRecentMission},
    {kCmdRecentMissionFirst + 6, "open recent mission 7", cmd_OpenRecentMission},
    {kCmdRecentMissionLast, "open recent mission 8", cmd_OpenRecentMission},
};

} // namespace

std::span<const CommandEntry> cmd_Table() {
    return kCommands;
}

const CommandEntry* cmd_Find(int id) {
    for (const CommandEntry& entry : kCommands)
        if (entry.id == id) return &entry;
    return nullptr;
}

bool cmd_HasAction(int id) {
    const CommandEntry* entry = cmd_Find(id);
    return entry != nullptr && entry->has_action;
}
