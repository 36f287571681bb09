#pragma once
// Which file on disk a path names (device and inode, so hard links, symbolic links and other
// spellings of one file compare equal), and the files a run reads, which no output may replace.

#include <sys/types.h>

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool known = false; // false: the path names no file

    bool sameFile(const FileIdentity& other) const {
        return known && other.known && device == other.device && inode == other.inode;
    }
};

// The file `path` names (a loose path, resolved without regard to letter case; symbolic links
// followed). Unknown when nothing is there.
FileIdentity file_IdentityOf(const char* path);

// Marks the file `path` names as an input of this run: the atomic file writer then refuses to
// replace it (FileFailure::Kind::IsInput). A path that names no file changes nothing.
void file_ProtectInput(const char* path);
// True when `identity` is one of the protected inputs.
bool file_IsProtectedInput(const FileIdentity& identity);
// Forgets every protected input.
void file_ClearProtectedInputs();
