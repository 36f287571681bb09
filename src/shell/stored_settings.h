#pragma once
// What the editor keeps between runs, in the user's settings (QSettings, "qzmed/qzmed" in the
// user's configuration folder): the recent missions and the last folder a file chooser chose in.

#include <QString>

#include <string>
#include <vector>

// The recent missions as stored (most recent first; the editor cleans the list).
std::vector<std::string> shell_StoredRecentMissions();
void shell_StoreRecentMissions(const std::vector<std::string>& paths);

// The folder of the last file chosen in a file chooser; empty when none was stored.
QString shell_StoredLastFolder();
void shell_StoreLastFolder(const QString& folder);
