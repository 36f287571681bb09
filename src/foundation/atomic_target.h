#pragma once
// The target checks and temporary-file names of the atomic file writer (internal to the
// foundation).

#include "foundation/file_failure.h"

#include <string>

// The path a write to `target` replaces: symbolic links followed to the path they finally name.
// False, with the reason, when that path holds something other than a regular file, a file
// this run reads, or cannot be examined. A path where nothing exists yet is fine.
bool atomic_FinalTarget(const std::string& target, std::string& final_path, FileFailure& failure);

// "<name>.tmp-": the start of the names of the temporary files of target `name`.
std::string atomic_TemporaryPrefix(const std::string& name);
constexpr size_t kAtomicTemporarySuffixChars = 6; // the XXXXXX of "<name>.tmp-XXXXXX"

// Removes the temporary files of target `name` in `directory` that no writer holds (each writer
// keeps an exclusive lock on its temporary file until it is renamed).
void atomic_RemoveStaleTemporaries(const std::string& directory, const std::string& name);

// The directory part of `path` ("." when it has none) and its last component.
std::string atomic_DirectoryOf(const std::string& path);
std::string atomic_BaseName(const std::string& path);
