#include "dialogs/dialog_catalogue.h"

#include "editor/command_table.h"
#include "editor/editor_app.h"
#include "editor/edit_commands.h"
#include "editor/mouse_tool.h"

void dialogs_RegisterAll(DialogRegistry& registry, EditorApp&) {
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
}
