#include "editor/editor_app.h"

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "editor/control_layout.h"
#include "editor/edit_commands.h"
#include "editor/file_commands.h"
#include "editor/menu_tables.h"
#include "editor/step_names.h"
#include "editor/title_text.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/model_cache.h"
#include "gamedata/own_texts.h"
#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "mission/terrain_images.h"

#include <cstring>
#include <string>
#include <unistd.h>

EditorApp::EditorApp(EditorView& view) : view_(view) {
    msg_SetSink(&view_);
}

EditorApp::~EditorApp() {
    if (msg_Sink() == &view_) msg_SetSink(nullptr);
}

StartupResult EditorApp::startUp(const EditorOptions& options) {
    document_.setOptions(options);
    terrain_SetFalseColourElevation(options.sixteen_bit_depth);
    if (!options.game_directory.empty() && ::chdir(options.game_directory.c_str()) != 0) {
        const std::string text =
            fmt_Format(text_Own("UNABLE_TO_OPEN_GAME_DIRECTORY"), {options.game_directory});
        msg_Show("", text.c_str(), MsgIcon::None, MsgButtons::Ok);
        return StartupResult::NoDirectory;
    }

    switch (gamedata_LoadTables()) {
    case GameDataResult::Loaded:
        break;
    case GameDataResult::MissingTexts:
        return StartupResult::MissingTexts;
    case GameDataResult::MissingNames:
        return StartupResult::MissingNames;
    case GameDataResult::NoDirectory:
        return StartupResult::NoDirectory;
    case GameDataResult::BadDefinitions:
        break; // not a result of the tables
    }

    // A clear names the groups of the current page, so Page 1 is made current first: it ends with
    // groups 1 and 2 named, Page 2 with none.
    ViewState& view = document_.view();
    view_Reset(view);
    document_.clearPage(document_.page(kPage1));
    document_.clearPage(document_.page(kPage2));
    document_.markOpened(kPage1);
    document_.markOpened(kPage2);
    model_Clear();

    // What the main window's creation sets, with its controls.
    view_ApplyWindowStart(view);
    syncControls();
    updateTitle();
    updateMenuChecks();
    updateHistoryShown();

    gamedata_LoadDefinitions();
    return StartupResult::Running;
}

bool EditorApp::createOffscreenImage(int viewWidth, int viewHeight) {
    if (image_.createForView(viewWidth, viewHeight)) return true;
    msg_Show("", TextLookup("Dialog Message", "CANT_CREATE_DIB"), MsgIcon::None, MsgButtons::Ok);
    return false;
}

int EditorApp::renderMap(const MapRenderOptions& options) {
    MapRenderOptions withPreview = options;
    if (withPreview.preview.page == nullptr) withPreview.preview = mouse_.preview(mouseContext());
    return MapRender(currentPage(), document_.view(), image_.target(), withPreview);
}

MouseContext EditorApp::mouseContext() {
    return edit_MouseContext(*this, edit_InsertItemPrompt(*this));
}

bool EditorApp::command(int command) {
    const CommandEntry* entry = cmd_Find(command);
    if (entry == nullptr) return false;
    // The boundary: what the outermost command changed in the page current as it started is one
    // step; changes nobody recorded before it (a path stored by Save) are no step.
    const int index = document_.currentIndex();
    const bool outermost = commandDepth_++ == 0;
    if (outermost) document_.history(index).absorb(document_.page(index));
    entry->run(*this, command);
    --commandDepth_;
    if (outermost) {
        MissionPage& page = document_.page(index);
        document_.history(index).record(page, step_CommandName(command));
        updateHistoryShown();
    }
    // The command boundary: whatever the command did to the page, what shows it follows.
    view_.pageChanged(PageChange::Content);
    return true;
}

void EditorApp::buttonClicked(int control) {
    const int command = ctl_ButtonCommand(control);
    if (command != 0) this->command(command);
}

void EditorApp::contextCommand(int command) {
    if (menu_IsForwardedContextCommand(command)) this->command(command);
}

bool EditorApp::keyPressed(EditorKey key) {
    const KeyBinding* binding = key_Find(key);
    if (binding == nullptr) return false;
    ViewState& view = document_.view();
    switch (binding->action) {
    case KeyAction::ZoomIn:
        if (view_ZoomIn(view)) view_.redrawMap();
        break;
    case KeyAction::ZoomOut:
        if (view_ZoomOut(view)) view_.redrawMap();
        break;
    case KeyAction::Redraw:
        view_.redrawMap();
        break;
    case KeyAction::CentreLeft:
    case KeyAction::CentreRight:
    case KeyAction::CentreUp:
    case KeyAction::CentreDown: {
        const int dx = binding->action == KeyAction::CentreLeft    ? -1
                       : binding->action == KeyAction::CentreRight ? 1
                                                                   : 0;
        const int dy = binding->action == KeyAction::CentreUp     ? 1
                       : binding->action == KeyAction::CentreDown ? -1
                                                                  : 0;
        view_StepCentre(view, dx, dy);
        view_.repaint(EditorWindow::CenterInfo);
        view_.redrawMap();
        break;
    }
    case KeyAction::Command:
        command(binding->command);
        break;
    case KeyAction::RepaintMap:
        view_.repaint(EditorWindow::MapView);
        break;
    case KeyAction::Nothing:
        break;
    case KeyAction::EndMeasure:
        if (!mouse_.endMeasure()) return false;
        view_.repaint(EditorWindow::MapView);
        break;
    }
    return true;
}

void EditorApp::updateTitle() {
    const char* file = currentPage().general.mission_file;
    titleModified_ = document_.isModified(document_.currentIndex());
    // A changed page shows a '*' after its name, as desktop editors do.
    view_.setTitle(editor_TitleText(std::string(file, strnlen(file, kMissionFileSize)).c_str()) +
                   (titleModified_ ? "*" : ""));
}

void EditorApp::updateHistoryShown() {
    const PageHistory& history = document_.history(document_.currentIndex());
    const std::string undoName = history.undoName();
    const std::string redoName = history.redoName();
    if (!historyShown_ || undoName != shownUndo_)
        view_.setMenuItem(kCmdUndo, step_UndoText(undoName), history.canUndo());
    if (!historyShown_ || redoName != shownRedo_)
        view_.setMenuItem(kCmdRedo, step_RedoText(redoName), history.canRedo());
    shownUndo_ = undoName;
    shownRedo_ = redoName;
    historyShown_ = true;
    if (history.modified() != titleModified_) updateTitle();
}

namespace {

std::string terrainOf(const MissionPage& page) {
    return std::string(page.general.terrain, strnlen(page.general.terrain, sizeof page.general.terrain));
}

} // namespace

void EditorApp::undo() {
    const int index = document_.currentIndex();
    PageHistory& history = document_.history(index);
    MissionPage& page = document_.page(index);
    if (!mouse_.idle() || !history.canUndo()) return;
    const std::string terrain = terrainOf(page);
    history.undo(page);
    afterHistoryMove(page, terrain);
}

void EditorApp::redo() {
    const int index = document_.currentIndex();
    PageHistory& history = document_.history(index);
    MissionPage& page = document_.page(index);
    if (!mouse_.idle() || !history.canRedo()) return;
    const std::string terrain = terrainOf(page);
    history.redo(page);
    afterHistoryMove(page, terrain);
}

void EditorApp::afterHistoryMove(MissionPage& page, const std::string& terrainBefore) {
    if (terrainOf(page) != terrainBefore) {
        terrain_LoadImages(page);
        // What the load derives is no step of its own.
        document_.history(document_.indexOf(page)).absorb(page);
    }
    loadModels();
    updateTitle();
    view_.redrawMap();
    view_.repaint(EditorWindow::ItemInfo);
}

void EditorApp::mouseFinished(const MouseResult& result) {
    const int index = document_.currentIndex();
    PageHistory& history = document_.history(index);
    MissionPage& page = document_.page(index);
    if (result.has(kMousePageChanged)) {
        std::string name = step_MouseName(result.edit, page.num_items - history.baseItemCount());
        history.record(page, std::move(name));
        updateHistoryShown();
    } else if (result.has(kMouseSelectionChanged)) {
        history.record(page, "Select"); // the selection alone makes no step
    }
}

void EditorApp::showGridSize() {
    view_.setGridSizeText(editor_GridSizeText(document_.view().grid_size));
}

void EditorApp::updateMenuChecks() {
    const ViewState& view = document_.view();
    view_.setMenuCheck(kCmdInsertMode, view.insert_mode != 0);
    view_.setMenuCheck(kCmdViewByType, view.view_by == kViewByType);
    view_.setMenuCheck(kCmdViewBySide, view.view_by == kViewBySide);
}

void EditorApp::switchPage(int index) {
    ViewState& view = document_.view();
    if (index != kPage1 && index != kPage2) return;
    if (view.current_page == index) return;
    view.current_page = index;
    view_.setControlCheck(index == 0 ? kControlPage1 : kControlPage2, true);
    updateMenuChecks();
    view_.repaint(EditorWindow::MapView);
    updateTitle();
    updateHistoryShown();
}

void EditorApp::syncControls() {
    const ViewState& view = document_.view();
    if (view.map_mode >= kMapModeColor && view.map_mode <= kMapModeOutline)
        view_.setControlCheck(kControlColorMap + view.map_mode, true);
    view_.setControlCheck(view.current_page == 1 ? kControlPage2 : kControlPage1, true);
    view_.setControlCheck(kControlGridView, view.grid_shown != 0);
    view_.setControlCheck(kControlSnapToGrid, view.snap_to_grid != 0);
    for (const ShowFlagControl& entry : ctl_ShowFlagControls())
        view_.setControlCheck(entry.control, (view.show_flags & entry.bit) != 0);
    showGridSize();
}
