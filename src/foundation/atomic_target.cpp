#include "foundation/atomic_target.h"

#include "foundation/file_identity.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kMaxLinkHops = 40; // as the system's own limit on links in one path lookup

bool readLink(const std::string& path, std::string& target) {
    std::vector<char> buffer(256);
    while (true) {
        const ssize_t got = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (got < 0) return false;
        if (static_cast<size_t>(got) < buffer.size()) {
            target.assign(buffer.data(), static_cast<size_t>(got));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}
} // namespace

std::string atomic_DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string atomic_BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool atomic_FinalTarget(const std::string& target, std::string& final_path, FileFailure& failure) {
    std::string path = target;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                failure = FileFailure::system(errno);
                return false;
            }
            final_path = path; // nothing there yet: the file is created here
            return true;
        }
        if (S_ISLNK(info.st_mode)) {
            std::string next;
            if (!readLink(path, next)) {
                failure = FileFailure::system(errno);
                return false;
            }
            path = (!next.empty() && next[0] == '/') ? next : atomic_DirectoryOf(path) + "/" + next;
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            failure = FileFailure::system(EISDIR);
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            failure = FileFailure::of(FileFailure::Kind::NotRegular);
            return false;
        }
        const FileIdentity identity{info.st_dev, info.st_ino, true};
        if (file_IsProtectedInput(identity)) {
            failure = FileFailure::of(FileFailure::Kind::IsInput);
            return false;
        }
        final_path = path;
        return true;
    }
    failure = FileFailure::system(ELOOP);
    return false;
}

std::string atomic_TemporaryPrefix(const std::string& name) {
    return name + ".tmp-";
}

void atomic_RemoveStaleTemporaries(const std::string& directory, const std::string& name) {
    const std::string prefix = atomic_TemporaryPrefix(name);
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate.size() != prefix.size() + kAtomicTemporarySuffixChars) continue;
        if (candidate.compare(0, prefix.size(), prefix) != 0) continue;
        stale.push_back(directory + "/" + candidate);
    }
    ::closedir(dir);
    for (const std::string& path : stale) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        // A writer holds its temporary file locked until the rename; one that can be locked
        // now was left by a write that never finished.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
}
