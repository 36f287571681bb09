#include "editor/recovery.h"

#include "editor/backup.h"
#include "foundation/atomic_file.h"

#include <sys/stat.h>

namespace {

bool modifiedTime(const std::string& path, std::timespec& when) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    when = info.st_mtim;
    return true;
}

bool later(const std::timespec& a, const std::timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

} // namespace

RecoveryScan recovery_Scan(const std::string& folder) {
    RecoveryScan scan;
    if (folder.empty()) return scan;
    std::timespec marker{};
    const bool hasMarker = modifiedTime(folder + kCleanExitMarkerName, marker);
    const char* names[2] = {kBackupPage1Name, kBackupPage2Name};
    for (int page = 0; page < 2; ++page) {
        RecoverableBackup& backup = scan.pages[page];
        const std::string path = folder + names[page];
        std::timespec written{};
        if (!modifiedTime(path, written)) continue;
        if (hasMarker && !later(written, marker)) continue;
        backup.found = true;
        backup.path = path;
        backup.written = written;
    }
    return scan;
}

bool recovery_MarkCleanExit(const std::string& folder) {
    if (folder.empty() || !backup_MakeFolder(folder)) return false;
    const std::string text = "qzmed ended cleanly; backups older than this file hold no lost work.\n";
    return file_WriteWhole((folder + kCleanExitMarkerName).c_str(), text.data(), text.size());
}

std::string recovery_TimeText(const std::timespec& when) {
    std::tm local{};
    const std::time_t seconds = when.tv_sec;
    if (::localtime_r(&seconds, &local) == nullptr) return {};
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) return {};
    return text;
}
