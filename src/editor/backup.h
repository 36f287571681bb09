#pragma once
// The ten-minute backups of both pages: each page that holds at least one item is written with
// the metafile writer to the per-user state folder, Page 1 as kBackupPage1Name and Page 2 as
// kBackupPage2Name.

#include <string>

struct MissionPage;

inline constexpr const char* kBackupPage1Name = "MEDP1BCK.MIS";
inline constexpr const char* kBackupPage2Name = "MEDP2BCK.MIS";

// The backup folder, ending in "/": "$XDG_STATE_HOME/qzmed/" when that variable holds an absolute
// path, else "$HOME/.local/state/qzmed/" (the home folder from the user database when HOME is
// unset or not absolute). Empty when no home folder can be found.
std::string backup_Folder();

// Creates `folder` and any missing parents (mode 0700 for new ones). True when it exists now.
bool backup_MakeFolder(const std::string& folder);

// One tick of the backup timer.
class BackupWriter {
  public:
    struct Result {
        int written = 0; // pages written
        int failed = 0;  // pages that held items but could not be written
    };

    // Writes the pages that hold items (`page1` to kBackupPage1Name first, then `page2`). A page that cannot
    // be written (no folder, a failed write) is reported with the "CANT_WRITE_FILE" message, once: while its
    // backups keep failing the message is not repeated every ten minutes; a later success re-arms it.
    Result tick(MissionPage& page1, MissionPage& page2);

  private:
    bool reported_[2] = {false, false};
};
