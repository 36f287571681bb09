#pragma once
// Reading loose files that the user names (missions, tool inputs): only regular files are read.
// A directory, a FIFO, a device or a socket is refused with its reason, and opening never waits
// for a FIFO's writer.

#include "foundation/file_failure.h"

#include <cstddef>
#include <string>

constexpr size_t kLooseReadMaxBytes = size_t{1} << 30; // larger files are refused (EFBIG)

// Opens the regular file at `resolved` (a path on disk, already resolved) for reading; the
// descriptor blocks as usual once open. -1 on failure, with the reason in `failure` when given.
int file_OpenRegular(const char* resolved, FileFailure* failure);

// Reads the whole loose file `path` (resolved without regard to letter case) into `bytes`.
// False on failure, with the reason in `failure` when given: ENOENT when nothing is there,
// EISDIR for a directory, NotRegular for a FIFO, device or socket, EFBIG beyond
// kLooseReadMaxBytes, or the system's reason of the open or read.
bool file_ReadLooseWhole(const char* path, std::string& bytes, FileFailure* failure);

// True when `path` names a regular file that can be opened for reading; otherwise false with
// the reason as file_ReadLooseWhole gives it.
bool file_CheckReadable(const char* path, FileFailure* failure);
