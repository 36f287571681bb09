#pragma once
// Writes a file so that a failure never destroys the previous one: the bytes go to a temporary
// file in the target's directory, which takes the target's name only when every byte was
// written. Every file the program writes goes through here (missions, backups, binary missions,
// reports, tool outputs), so all of them follow the same rules:
//
// - The target is a loose path, resolved as file_ResolveForCreate does (an existing file keeps
//   its spelling on disk).
// - A symbolic link is written through: the file it finally names is replaced and the link
//   stays; a link to a file that does not exist yet creates that file.
// - Only a regular file is replaced. A directory (EISDIR), a FIFO, a device or a socket
//   (FileFailure::Kind::NotRegular) at the target is refused, as is a file that this run reads
//   (file_ProtectInput; FileFailure::Kind::IsInput).
// - No temporary file is left behind. Where the system offers it (O_TMPFILE), the temporary
//   file has no name until it is complete, and is then linked beside the target and renamed
//   over it at once. Elsewhere it is "<target name>.tmp-XXXXXX", held locked while it is
//   written; such files of the same target that no writer holds any more (left by a write that
//   was killed) are removed whenever that target is written again.

#include "foundation/file_failure.h"

#include <cstddef>
#include <cstdio>
#include <string>

class AtomicFile {
  public:
    // Unnamed: an unnamed temporary file where the system offers one, else a named one.
    // Named: always a named one (the form every system offers).
    enum class Temporary { Unnamed, Named };

    explicit AtomicFile(Temporary temporary = Temporary::Unnamed) : temporary_(temporary) {}
    ~AtomicFile(); // a file never committed is discarded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and opens the temporary file for it. False, with the reason in
    // failure(), when the target may not be replaced or no temporary file can be made.
    bool open(const char* path);
    bool write(const void* data, size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    // printf-style text; false once anything failed.
    bool printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Flushes, syncs and puts the file in the target's place. False if any step (or any earlier
    // write) failed; the target then keeps its previous contents.
    bool commit();
    void discard();
    bool ok() const { return file_ != nullptr && !failure_.failed(); }
    // The file that is (or would be) replaced: the target with its links followed.
    const std::string& targetPath() const { return target_; }
    // Why the last open, write or commit failed; Kind::None while nothing failed.
    const FileFailure& failure() const { return failure_; }

  private:
    void fail(const FileFailure& failure);
    bool createTemporary(const std::string& directory, const std::string& name);
    bool nameTemporary();

    Temporary temporary_;
    std::FILE* file_ = nullptr;
    std::string target_;
    std::string temp_; // the temporary file's name; empty while it has none
    std::string directory_;
    std::string baseName_;
    FileFailure failure_;
};

// Writes `size` bytes to `path` through an AtomicFile. False on failure, with the reason in
// `failure` when given.
bool file_WriteWhole(const char* path, const void* data, size_t size, FileFailure* failure = nullptr);
