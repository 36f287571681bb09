#include "editor/recovery.h"

#include "editor/backup.h"
#include "foundation/atomic_file.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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

std::string runningMarker(const std::string& folder, long pid) {
    return folder + kRunningMarkerPrefix + std::to_string(pid);
}

// The short program name of process `pid` ("" where the system does not tell it).
std::string programName(const std::string& pid) {
    std::ifstream comm("/proc/" + pid + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// Process `pid` exists and runs the same program as this one, as far as the system tells.
bool sameProgramAlive(long pid) {
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)) return false;
    const std::string theirs = programName(std::to_string(pid));
    return theirs.empty() || theirs == programName("self");
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

bool recovery_MarkRunning(const std::string& folder) {
    if (folder.empty() || !backup_MakeFolder(folder)) return false;
    const std::string text = "a qzmed editor runs as this process; its backups are its own.\n";
    return file_WriteWhole(runningMarker(folder, ::getpid()).c_str(), text.data(), text.size());
}

void recovery_UnmarkRunning(const std::string& folder) {
    if (!folder.empty()) ::unlink(runningMarker(folder, ::getpid()).c_str());
}

namespace {

// Calls `visit(pid, path)` for every running marker of another process in `folder`.
template <typename Visit> void forOtherMarkers(const std::string& folder, Visit visit) {
    if (folder.empty()) return;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = kRunningMarkerPrefix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (end == name.c_str() + prefix.size() || *end != '\0' || pid == ::getpid()) continue;
        visit(pid, folder + name);
    }
    ::closedir(dir);
}

} // namespace

bool recovery_OtherEditorRunning(const std::string& folder) {
    bool running = false;
    forOtherMarkers(folder, [&running](long pid, const std::string& path) {
        if (sameProgramAlive(pid))
            running = true;
        else
            ::unlink(path.c_str()); // left by an editor that did not end cleanly
    });
    return running;
}

bool recovery_OthersMarked(const std::string& folder) {
    bool marked = false;
    forOtherMarkers(folder, [&marked](long, const std::string&) { marked = true; });
    return marked;
}

std::string recovery_TimeText(const std::timespec& when) {
    std::tm local{};
    const std::time_t seconds = when.tv_sec;
    if (::localtime_r(&seconds, &local) == nullptr) return {};
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) return {};
    return text;
}
