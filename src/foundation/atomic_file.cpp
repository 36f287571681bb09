#include "foundation/atomic_file.h"

#include "foundation/file_access.h"

#include <cstdarg>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
// The mode a newly created file would get, so the renamed file does not end up private.
mode_t defaultMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void syncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::open(const char* path) {
    discard();
    failed_ = false;
    target_ = path != nullptr ? file_ResolveForCreate(path) : std::string();
    if (target_.empty()) {
        failed_ = true;
        return false;
    }
    std::string pattern = target_ + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        failed_ = true;
        return false;
    }
    temp_ = name.data();
    struct stat existing;
    mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : defaultMode();
    ::fchmod(fd, mode);
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        ::unlink(temp_.c_str());
        temp_.clear();
        failed_ = true;
        return false;
    }
    return true;
}

bool AtomicFile::write(const void* data, size_t size) {
    if (file_ == nullptr || failed_) return false;
    if (size == 0) return true;
    if (data == nullptr || std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

bool AtomicFile::printf(const char* format, ...) {
    if (file_ == nullptr || failed_) return false;
    va_list args;
    va_start(args, format);
    int written = std::vfprintf(file_, format, args);
    va_end(args);
    if (written < 0) failed_ = true;
    return !failed_;
}

bool AtomicFile::commit() {
    if (file_ == nullptr) return false;
    bool good = !failed_;
    good = std::fflush(file_) == 0 && good;
    good = ::fsync(::fileno(file_)) == 0 && good;
    good = std::fclose(file_) == 0 && good;
    file_ = nullptr;
    if (good) good = std::rename(temp_.c_str(), target_.c_str()) == 0;
    if (good) {
        syncDirectory(directoryOf(target_));
    } else {
        ::unlink(temp_.c_str());
        failed_ = true;
    }
    temp_.clear();
    return good;
}

void AtomicFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

bool file_WriteWhole(const char* path, const void* data, size_t size) {
    AtomicFile file;
    if (!file.open(path)) return false;
    if (!file.write(data, size)) return false;
    return file.commit();
}
