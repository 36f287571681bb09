#pragma once
// Recovery after the editor ended without a clean exit. A clean exit leaves a small marker file
// (kCleanExitMarkerName) in the backup folder; a backup written later than that marker, or any
// backup when there is no marker, comes from a run that did not end cleanly and may hold work
// that was never saved. Nothing here deletes or changes a backup.

#include <ctime>
#include <string>

inline constexpr const char* kCleanExitMarkerName = "clean-exit";
// A running editor keeps a file "running-<process id>" in the backup folder while it runs. Its
// backups are no lost work: another editor started meanwhile must not offer them.
inline constexpr const char* kRunningMarkerPrefix = "running-";

// The backup of one page that a start offers to open.
struct RecoverableBackup {
    bool found = false;      // a backup newer than the last clean exit exists
    std::string path;        // its full path
    std::timespec written{}; // when it was last written
};

struct RecoveryScan {
    RecoverableBackup pages[2]; // Page 1, Page 2
    bool any() const { return pages[0].found || pages[1].found; }
};

// The backups in `folder` (ending in "/", as backup_Folder gives it) written after the marker,
// or all of them when there is no marker. Nothing found for an empty folder name.
RecoveryScan recovery_Scan(const std::string& folder);

// Records a clean exit: (re)writes the marker in `folder`, creating the folder when needed, so
// that every backup there is older than it. False when it could not be written.
bool recovery_MarkCleanExit(const std::string& folder);

// Records that this process is an editor using `folder`: writes its running marker, creating the
// folder when needed. False when it could not be written.
bool recovery_MarkRunning(const std::string& folder);
// Takes this process's running marker away (at a clean exit).
void recovery_UnmarkRunning(const std::string& folder);
// True when another editor process (the same program, alive) has a running marker in `folder`.
// Markers of processes that are gone are removed on the way (at start, before the offer).
bool recovery_OtherEditorRunning(const std::string& folder);
// True when `folder` holds the running marker of any other process, alive or not. A clean exit
// then writes no clean-exit marker: the other editor's backups, or those of one that ended
// without a clean exit meanwhile, must stay newer than the last clean exit.
bool recovery_OthersMarked(const std::string& folder);

// The local date and time of `when` as "YYYY-MM-DD HH:MM", for the question.
std::string recovery_TimeText(const std::timespec& when);
