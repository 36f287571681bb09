#pragma once
// The command table: every command number of the editor with what it does. Menus, context menus,
// buttons and keys all run their command through this one table (EditorApp::command).

#include <span>

class EditorApp;

using CommandFn = void (*)(EditorApp& app, int command);

struct CommandEntry {
    int id;           // EditorCommand
    const char* name; // what the command does, in a few words (for logs and tests)
    CommandFn run;
    bool has_action = true; // false for the commands that do nothing here (their menu items are greyed)
};

std::span<const CommandEntry> cmd_Table();
// The entry of `id`, or null (a number without an entry does nothing).
const CommandEntry* cmd_Find(int id);
// True when command `id` does something: false for numbers without an entry and for the
// commands kept only for their numbers (Print, Metafile, Memory Stack, Wrap Objects).
bool cmd_HasAction(int id);

// The template names of the dialogs the commands open.
inline constexpr const char* kDialogGetCenter = "GETCENTER";
inline constexpr const char* kDialogIntegrityCheck = "INTEGRITYCHECK";
inline constexpr const char* kDialogGeneralInfo = "GENERALINFO";
inline constexpr const char* kDialogWaypoints = "EDITWAYPOINTS";
inline constexpr const char* kDialogEvents = "EDITEVENTS";
inline constexpr const char* kDialogGroups = "EDITGROUPS";
inline constexpr const char* kDialogWavLists = "WAVLISTS";
inline constexpr const char* kDialogVisibleLayers = "VISIBLELAYERS";
inline constexpr const char* kDialogLayerNames = "LAYERNAMES";
inline constexpr const char* kDialogWaypointNames = "WAYPOINTNAMES";
inline constexpr const char* kDialogAreaTriggers = "EDITAREATRIGGERS";
inline constexpr const char* kDialogAbout = "ABOUT_QZMED";
inline constexpr const char* kDialogBriefing = "EDITBRIEFING";
