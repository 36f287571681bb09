#pragma once
// The File menu's mission commands on the current page: Open (kCmdOpen), Save As (kCmdSave,
// always asks where), Save (kCmdSaveInPlace, the page's own file without asking) and the
// entries of Recent Missions (kCmdRecentMissionFirst to kCmdRecentMissionLast). Every mission
// read or saved goes to the top of the recent missions.

#include <string>

class EditorApp;

void cmd_OpenMission(EditorApp& app, int command);
void cmd_SaveMissionAs(EditorApp& app, int command);
void cmd_SaveMission(EditorApp& app, int command);
// Opens the recent mission the command numbers. A file that no longer exists is reported
// and taken off the list; the page is left as it was.
void cmd_OpenRecentMission(EditorApp& app, int command);

// Reads the mission at `path` into page `index` as Open reads a chosen file: the page's path and
// recent missions, the models, the title and the repaints. True when it was read.
bool editor_ReadMissionInto(EditorApp& app, int index, const std::string& path);
