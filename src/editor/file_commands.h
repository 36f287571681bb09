#pragma once
// The editor's file commands: open and save a mission, export the binary mission, and write the
// reports the list dialogs print. Each asks for the path with the view's file chooser, using a
// filter built from the "File I/O" texts.

#include "editor/editor_view.h"
#include "mission/mission_page.h"

#include <functional>
#include <string>

// The filters: missions ("QZ_IN_FILTER_DES"/"QZ_IN_FILTER_EXT", default extension "DEF_EXT"),
// binary missions ("QZ_OUT_FILTER_*") and text reports ("TEXT_FILE_FILTER_*"). The binary and
// text filters take their default extension from their own pattern ("*.bms" gives "bms"), so a
// name typed without one can never land on a mission file.
FileFilter file_MissionFilter();
FileFilter file_BinaryFilter();
FileFilter file_TextFilter();

// The extension of a pattern such as "*.mis" ("mis"); empty when it names none or a wildcard.
std::string file_PatternExtension(const std::string& pattern);

// Stores `path` as the page's mission_file, cut to the field (79 characters).
void file_StorePath(MissionPage& page, const std::string& path);

// Asks for a mission to open; when one is chosen, reads it into `page` (the page is cleared
// first; reading errors are shown by the reader) and stores the path in the page even when the
// read failed. After a read, the files of its terrain that cannot be found are named
// (notice_ShowMissingTerrain). True when a file was chosen and read.
bool OpenMission(EditorView& view, MissionPage& page);

// Asks where to save `page`; writes it with the metafile writer. True only when the file was
// written: false when the user cancelled, and false (with the "CANT_WRITE_FILE" message, the
// previous file kept) when the write failed. The path is stored in the page when it was written.
bool SaveMission(EditorView& view, MissionPage& page);

// Asks where to export `page` as a binary mission and exports it (the exporter shows its limit
// warnings and any write failure). True when the file was written.
bool ExportMission(EditorView& view, MissionPage& page);

enum class ReportKind { GroupList, AreaTriggerList, WaypointList, Event, EventList };

// Asks where to write the report and writes it (a failure is shown). `event` selects the event
// of ReportKind::Event; for a number that is not an event of the page nothing is asked or
// written. True when the report was written.
bool WriteReport(EditorView& view, const MissionPage& page, ReportKind kind, int event = 0);

// A file chooser: the chosen path, or "" when the user cancelled.
using FileChooser = std::function<std::string(FileDialogKind kind, const FileFilter& filter)>;
// WriteReport with another chooser, for a dialog that asks over itself.
bool WriteReport(const FileChooser& choose, const MissionPage& page, ReportKind kind, int event = 0);
