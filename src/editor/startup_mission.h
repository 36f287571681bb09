#pragma once
// The mission named on the command line: opened into Page 1 once the editor has started, as the
// Open command would open it after the user chose that file.

#include <string>

class EditorApp;

// A path that names no file is reported ("Warning: Unable to open the mission file PATH") and
// changes nothing. Otherwise opens the metafile at `path` into Page 1 as Open does
// (OpenMissionFile: a file that cannot be read, or a damaged one the user declines, leaves Page 1,
// its path and the title as they were); when it was opened, loads the models the pages need, sets
// the title and repaints the map view and the item information window. `path` must be absolute
// or relative to the current directory, which start-up has made the game directory. True when
// Page 1 now holds the file (read clean, or damaged and opened as read).
bool editor_OpenMissionFile(EditorApp& app, const std::string& path);

// The mission named at start, after the recovery offer: opened as editor_OpenMissionFile opens it,
// unless `recoveredPages` has bit 0 (Page 1 holds a recovered backup, which it must not replace):
// then the user is told that the mission was not opened. True when it was read.
bool editor_OpenStartMission(EditorApp& app, const std::string& path, int recoveredPages);
