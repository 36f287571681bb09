#include "dialogs/dialog_catalogue.h"

#include "dialogs/events_dialog.h"
#include "dialogs/list_records_dialog.h"
#include "editor/command_table.h"
#include "editor/edit_commands.h"
#include "editor/editor_app.h"
#include "editor/mouse_tool.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/string_table.h"
#include "mission/terrain_images.h"

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

// What OK of the general information dialog does around the page: the editor's status window,
// the terrain load of the page and the model loading that follows an Open.
GeneralInfoEffects generalInfoEffects(EditorApp& editor) {
    GeneralInfoEffects effects;
    effects.show_status = [&editor](const std::string& text) {
        editor.view().showStatus(TextLookup("Dialog Message", "STATUSDIALOG"), text);
    };
    effects.hide_status = [&editor] { editor.view().hideStatus(); };
    effects.load_terrain = [](MissionPage& page) { terrain_LoadImages(page); };
    effects.load_models = [&editor] { editor.loadModels(); };
    return effects;
}

} // namespace

void dialogs_RegisterAll(DialogRegistry& registry, EditorApp& editor) {
    registry.add(kDialogInsertItem, [&editor](QWidget* parent, MissionPage&, ShellServices& services) {
        EditorDocument& document = editor.document();
        return dialogs_RunInsertItem(parent, services, document.insertItemMemory(),
                                     document.options().show_all);
    });
    registry.add(kDialogNumericMove, [&editor](QWidget* parent, MissionPage&, ShellServices& services) {
        return dialogs_RunNumericMove(parent, services, editor.document().numericMoveMemory());
    });
    registry.add(kDialogGetCenter, [&editor](QWidget* parent, MissionPage&, ShellServices& services) {
        return dialogs_RunGetCenter(parent, services, editor.document().view());
    });
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
    registry.add(kDialogGeneralInfo, [&editor](QWidget* parent, MissionPage& page, ShellServices& services) {
        return dialogs_RunGeneralInfo(parent, page, services, geninfo_BuildChoices(geninfo_GameSources()),
                                      generalInfoEffects(editor));
    });
    registry.add(kDialogEvents, [&editor](QWidget* parent, MissionPage& page, ShellServices& services) {
        return dialogs_RunEvents(parent, page, services, editor.document().eventClipboards(),
                                 gamedata_Tables().names);
    });
}
