#include "foundation/atomic_file.h"

#include "foundation/atomic_target.h"
#include "foundation/file_access.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kMaxNameTries = 100;

// The mode a newly created file would get, so the renamed file does not end up private.
mode_t defaultMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

void syncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Six characters of the set mkstemp uses.
std::string randomSuffix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kAtomicTemporarySuffixChars] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        static unsigned counter = 0;
        const unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761u + ++counter * 40503u;
        for (size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string suffix;
    for (unsigned char byte : bytes)
        suffix += kChars[byte % (sizeof kChars - 1)];
    return suffix;
}

// Unnamed files are named later through /proc/self/fd, which needs /proc.
bool canNameUnnamedFiles() {
    return ::access("/proc/self/fd", X_OK) == 0;
}
} // namespace

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::fail(const FileFailure& failure) {
    if (!failure_.failed()) failure_ = failure;
}

bool AtomicFile::createTemporary(const std::string& directory, const std::string& name) {
    int fd = -1;
#ifdef O_TMPFILE
    if (temporary_ == Temporary::Unnamed && canNameUnnamedFiles()) {
        fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        // Filesystems without unnamed files answer one of these; any other error is the
        // directory's own (missing, not writable, full) and a named file would fail alike.
        if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            fail(FileFailure::system(errno));
            return false;
        }
    }
#endif
    if (fd < 0) {
        std::string pattern = directory + "/" + atomic_TemporaryPrefix(name) + "XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd = ::mkostemp(buffer.data(), O_CLOEXEC);
        if (fd < 0) {
            fail(FileFailure::system(errno));
            return false;
        }
        temp_ = buffer.data();
    }
    ::flock(fd, LOCK_EX); // marks the file as in use for atomic_RemoveStaleTemporaries
    struct stat existing {};
    const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : defaultMode();
    ::fchmod(fd, mode);
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        fail(FileFailure::system(errno));
        ::close(fd);
        if (!temp_.empty()) ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    return true;
}

bool AtomicFile::open(const char* path) {
    discard();
    failure_ = FileFailure{};
    target_.clear();
    const std::string resolved = path != nullptr ? file_ResolveForCreate(path) : std::string();
    if (resolved.empty()) {
        fail(FileFailure::system(ENOENT));
        return false;
    }
    FileFailure refused;
    if (!atomic_FinalTarget(resolved, target_, refused)) {
        fail(refused);
        return false;
    }
    directory_ = atomic_DirectoryOf(target_);
    baseName_ = atomic_BaseName(target_);
    atomic_RemoveStaleTemporaries(directory_, baseName_);
    return createTemporary(directory_, baseName_);
}

bool AtomicFile::write(const void* data, size_t size) {
    if (file_ == nullptr || failure_.failed()) return false;
    if (size == 0) return true;
    if (data == nullptr) {
        fail(FileFailure::system(EINVAL));
    } else if (std::fwrite(data, 1, size, file_) != size) {
        fail(FileFailure::system(errno != 0 ? errno : EIO));
    }
    return !failure_.failed();
}

bool AtomicFile::printf(const char* format, ...) {
    if (file_ == nullptr || failure_.failed()) return false;
    va_list args;
    va_start(args, format);
    int written = std::vfprintf(file_, format, args);
    va_end(args);
    if (written < 0) fail(FileFailure::system(errno != 0 ? errno : EIO));
    return !failure_.failed();
}

// Gives an unnamed temporary file its name beside the target.
bool AtomicFile::nameTemporary() {
    const int fd = ::fileno(file_);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const std::string name = directory_ + "/" + atomic_TemporaryPrefix(baseName_) + randomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp_ = name;
            return true;
        }
        if (errno != EEXIST) {
            fail(FileFailure::system(errno));
            return false;
        }
    }
    fail(FileFailure::system(EEXIST));
    return false;
}

bool AtomicFile::commit() {
    if (file_ == nullptr) return false;
    if (std::fflush(file_) != 0) fail(FileFailure::system(errno));
    if (!failure_.failed() && ::fsync(::fileno(file_)) != 0) fail(FileFailure::system(errno));
    bool good = !failure_.failed() && (!temp_.empty() || nameTemporary());
    if (good && std::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(FileFailure::system(errno));
        good = false;
    }
    if (!good && !temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
    // Closing releases the lock; every byte was flushed and synced, and the file is in its
    // place (or gone) by now.
    std::fclose(file_);
    file_ = nullptr;
    if (good) syncDirectory(directory_);
    return good;
}

void AtomicFile::discard() {
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool file_WriteWhole(const char* path, const void* data, size_t size, FileFailure* failure) {
    AtomicFile file;
    bool good = file.open(path) && file.write(data, size) && file.commit();
    if (failure != nullptr) *failure = file.failure();
    return good;
}
