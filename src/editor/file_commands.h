#pragma once
// The editor's file commands: open and save a mission, export the binary mission, and write the
// reports the list dialogs print. Each asks for the path with the view's file chooser, using a
// filter built from the "File I/O" texts.

#include "editor/editor_document.h"
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
// The page's mission_file as a string (the field may lack its terminating NUL).
std::string file_StoredPath(const MissionPage& page);

// What an Open did to the page it was asked to fill.
enum class OpenOutcome {
    Cancelled,     // no file was chosen: nothing changed, nothing was shown
    Opened,        // the file read clean: the page holds it, and its path
    OpenedDamaged, // the file is damaged and the user chose to open what could be read: the page
                   // holds that, and the file's path, and no longer agrees with the file
    Kept,          // the file could not be read, or the user declined what could be read: the
                   // page, its path and so its title are as they were; a message said why
};

// Reads the metafile at `path` into a fresh page and puts that in the place of `page` only when
// it is to be kept; the replaced content is released. Groups are named as a read in place names
// them: the fresh page's when `page` is the document's current page, else the current page's.
// - A clean read replaces `page` and stores `path` in it, and starts the page's history anew
//   (EditorDocument::finishOpen): Opened.
// Whenever `page` is replaced, the files of its terrain that cannot be found are named next
// (notice_ShowMissingTerrain).
// - A damaged file of which something was read (counts and blocks disagree, a line rejected
//   after the first block, ...) shows its problems and asks "OPEN_DAMAGED" (Yes/No): Yes
//   replaces `page` with what was read and stores `path`, as one undoable step that marks the page
//   changed: OpenedDamaged; No: Kept.
// - A file that cannot be read (missing, a directory, a FIFO, no permission) shows
//   "CANT_READ_FILE" with the reason; a file of which nothing could be read (not a mission)
//   shows its problems and "DAMAGED": Kept.
// Caption of every message: "Dialog Message" "ASCII_PARSE". Paths are shown as given.
OpenOutcome OpenMissionFile(EditorDocument& document, MissionPage& page, const std::string& path);

// Asks for a mission to open and opens it into `page` with OpenMissionFile (Cancelled when the
// user chose no file).
OpenOutcome OpenMission(EditorView& view, EditorDocument& document, MissionPage& page);

// What the open command's dialogue did.
struct OpenResult {
    OpenOutcome outcome = OpenOutcome::Cancelled; // Opened also for a new mission (`created`)
    bool created = false; // the chosen file does not exist: the page was cleared and took its name
    std::string path;     // the file read or named (the whole path, uncut)
};

// The open command's dialogue: asks for a file, the chooser starting at `start` (a folder, or ""
// for its last folder). A chosen name means the file file_ResolveOpenPath gives with the
// "DEF_EXT" extension. An existing file is opened with OpenMissionFile. For a file that does not
// exist the user is asked whether to start a new mission under that name; Yes clears the page,
// stores the name and starts its history anew, unchanged (nothing is written until the page is
// saved); No: Cancelled.
OpenResult ChooseAndOpenMission(EditorView& view, EditorDocument& document, MissionPage& page,
                                const std::string& start);

// Asks where to save `page`; writes it with the metafile writer. True only when the file was
// written: false when the user cancelled, and false (with the "CANT_WRITE_FILE" message, the
// previous file kept) when the write failed. The path is stored in the page when it was written.
bool SaveMission(EditorView& view, MissionPage& page);
// SaveMission with the chooser starting at `start` (a file or folder; "" for the chooser's last
// folder). The path written, or "" when nothing was.
std::string SaveMissionAs(EditorView& view, MissionPage& page, const std::string& start);
// Writes `page` to `path` with the metafile writer, without asking. On success stores the path in
// the page; on failure shows "CANT_WRITE_FILE" (the previous file is kept). True when written.
bool file_WriteMission(MissionPage& page, const std::string& path);

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
