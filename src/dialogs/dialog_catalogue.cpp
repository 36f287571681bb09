#include "dialogs/dialog_catalogue.h"

#include "dialogs/list_records_dialog.h"
#include "editor/command_table.h"
#include "editor/edit_commands.h"
#include "editor/editor_app.h"
#include "editor/mouse_tool.h"
#include "mission/game_data_setup.h"

namespace {

// A list dialog's runner: the view's show flags as the dialog opens, and the map with the item
// information (which counts the selection) drawn again whenever the dialog changes what they show.
DialogRunner listDialogRunner(EditorApp& editor, ListDialogKind kind) {
    return [&editor, kind](QWidget* parent, MissionPage& page, ShellServices& services) {
        ListDialogHooks hooks;
        hooks.show_flags = editor.viewState().show_flags;
        hooks.redrawMap = [&editor] {
            editor.view().redrawMap();
            editor.view().repaint(EditorWindow::ItemInfo);
        };
        return dialogs_RunListRecords(parent, page, services, kind, std::move(hooks));
    };
}

} // namespace

void dialogs_RegisterAll(DialogRegistry& registry, EditorApp& editor) {
    registry.add(kDialogInsertItem, dialogs_RunInsertItem);
    registry.add(kDialogNumericMove, dialogs_RunNumericMove);
    registry.add(kDialogGetCenter, dialogs_RunGetCenter);
    registry.add(kDialogIntegrityCheck, dialogs_RunIntegrityCheck);
    registry.add(kDialogVisibleLayers, dialogs_RunVisibleLayers);
    registry.add(kDialogLayerNames, dialogs_RunLayerNames);
    registry.add(kDialogWavLists, dialogs_RunWavLists);
    registry.add(kDialogWaypointNames, dialogs_RunWaypointNames);
    registry.add(kDialogBriefing, dialogs_RunBriefing);
    registry.add(kDialogAbout, dialogs_RunAbout);
    registry.add(kDialogWaypoints, listDialogRunner(editor, ListDialogKind::Waypoints));
    registry.add(kDialogAreaTriggers, listDialogRunner(editor, ListDialogKind::AreaTriggers));
    registry.add(kDialogGroups, listDialogRunner(editor, ListDialogKind::Groups));
    registry.add(kDialogItemAttributes,
                 [&editor](QWidget* parent, MissionPage& page, ShellServices& services) {
                     ItemAttrSources sources;
                     sources.names = gamedata_Tables().names;
                     sources.show_all = editor.options().show_all;
                     return dialogs_RunItemAttributes(parent, page, services, sources);
                 });
}
