#include "foundation/loose_read.h"

#include "foundation/file_access.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void setFailure(FileFailure* failure, const FileFailure& value) {
    if (failure != nullptr) *failure = value;
}

// Opens the loose file `path` names; the reason of a failure as file_ReadLooseWhole states it.
int openLoose(const char* path, FileFailure* failure) {
    const std::string resolved = path != nullptr ? file_ResolveLoose(path) : std::string();
    if (resolved.empty()) {
        setFailure(failure, FileFailure::system(ENOENT));
        return -1;
    }
    return file_OpenRegular(resolved.c_str(), failure);
}
} // namespace

int file_OpenRegular(const char* resolved, FileFailure* failure) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    const int fd = ::open(resolved, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        setFailure(failure, FileFailure::system(errno));
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        setFailure(failure, FileFailure::system(errno));
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        setFailure(failure, S_ISDIR(info.st_mode) ? FileFailure::system(EISDIR)
                                                  : FileFailure::of(FileFailure::Kind::NotRegular));
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool file_ReadLooseWhole(const char* path, std::string& bytes, FileFailure* failure) {
    bytes.clear();
    const int fd = openLoose(path, failure);
    if (fd < 0) return false;
    FileFailure result;
    struct stat info {};
    try {
        if (::fstat(fd, &info) == 0 && static_cast<unsigned long long>(info.st_size) <= kLooseReadMaxBytes)
            bytes.reserve(static_cast<size_t>(info.st_size));
        // Read to the end, whatever the size said: the file may have grown since.
        char chunk[65536];
        while (true) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result = FileFailure::system(errno);
                break;
            }
            if (got == 0) break;
            if (bytes.size() + static_cast<size_t>(got) > kLooseReadMaxBytes) {
                result = FileFailure::system(EFBIG);
                break;
            }
            bytes.append(chunk, static_cast<size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        result = FileFailure::system(ENOMEM);
    }
    ::close(fd);
    if (result.failed()) bytes.clear();
    setFailure(failure, result);
    return !result.failed();
}

bool file_CheckReadable(const char* path, FileFailure* failure) {
    const int fd = openLoose(path, failure);
    if (fd < 0) return false;
    ::close(fd);
    setFailure(failure, FileFailure{});
    return true;
}
