#include "editor/backup.h"

#include "mission/metafile_writer.h"
#include "mission/mission_page.h"
#include "mission/write_failure.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kStateSubfolder = ".local/state/";
constexpr const char* kAppFolder = "qzmed/";

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (isAbsolute(home)) return home;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry != nullptr && isAbsolute(entry->pw_dir)) return entry->pw_dir;
    return {};
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string backup_Folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (isAbsolute(state)) return withSlash(state) + kAppFolder;
    const std::string home = homeFolder();
    if (home.empty()) return {};
    return withSlash(home) + kStateSubfolder + kAppFolder;
}

bool backup_MakeFolder(const std::string& folder) {
    if (folder.empty()) return false;
    // Create each component in turn, from the root down.
    for (std::string::size_type slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!isDirectory(part) && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (!isDirectory(folder) && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return isDirectory(folder);
}

BackupWriter::Result BackupWriter::tick(MissionPage& page1, MissionPage& page2) {
    Result result;
    MissionPage* pages[2] = {&page1, &page2};
    const char* names[2] = {kBackupPage1Name, kBackupPage2Name};
    const std::string folder = backup_Folder();
    for (int i = 0; i < 2; ++i) {
        if (pages[i]->num_items < 1) continue;
        const std::string path = folder + names[i];
        FileFailure failure;
        bool written = false;
        if (folder.empty()) {
            failure = FileFailure::system(ENOENT); // neither XDG_STATE_HOME nor a home folder
        } else if (errno = 0; !backup_MakeFolder(folder)) {
            failure = FileFailure::system(errno != 0 ? errno : ENOTDIR);
        } else {
            written = metafile_Write(*pages[i], path.c_str(), &failure);
        }
        if (written) {
            ++result.written;
            reported_[i] = false;
            continue;
        }
        ++result.failed;
        if (!reported_[i]) write_ReportFailure(folder.empty() ? names[i] : path.c_str(), failure);
        reported_[i] = true;
    }
    return result;
}
