#pragma once
// The file access layer: one current file, found loose on disk or inside an archive of the
// archive set.
//
// Game directories come from a case-insensitive world: loose paths accept "\" and "/" as
// separators, a drive prefix ("C:") is ignored, and each path component is matched on disk
// whatever its letter case ("TEXT.BIN", "Text.bin" and "text.bin" all answer to "text.bin").
// Names inside archives are compared exactly as given, without regard to ASCII letter case.

#include <cstddef>
#include <cstdint>
#include <string>

using FileHandle = int; // a POSIX descriptor; -1 for none

// An archive as the file layer sees it. The packed archive reader implements it; every call
// that moves the archive's file makes it the layer's current handle.
class ArchiveSource {
  public:
    virtual ~ArchiveSource() = default;
    virtual bool archive_Contains(const char* name) = 0;     // entry present
    virtual bool archive_Select(const char* name) = 0;       // make it current, position 0
    virtual long archive_Read(void* buffer, long count) = 0; // from the selected entry
    virtual long archive_Seek(long offset, int origin) = 0;  // relative to the selected entry
    virtual long archive_EntrySize(const char* name) = 0;    // -1 when absent
    virtual void* archive_Load(const char* name) = 0;        // whole entry, unscrambled; main arena
    virtual FileHandle archive_Handle() const = 0;
};

constexpr int kArchiveSlots = 16;

struct FileState {
    FileHandle currentHandle = -1;
    int32_t lastLoadSize = 0;
    bool looseFirst = false;
    bool lastFailed = false;
    bool reportOpenFailures = false;
    ArchiveSource* archives[kArchiveSlots] = {};
    int archiveCount = 0;
    bool inArchive = false;
    int archiveIndex = -1;
    int archiveSlot = -1;
};

// The process-wide state. file_ResetState clears it (start-up does this before opening archives);
// it closes the current loose file but never the archives, which belong to their readers.
FileState& file_State();
void file_ResetState();

// Plain operations on the current handle (no archive involved).
FileHandle file_Create(const char* path); // create or truncate; -1 on failure
FileHandle file_Open(const char* path);   // open an existing loose file for reading
int file_ExistsLoose(const char* path);   // 1 or 0
long file_Read(void* buffer, long count);
long file_Write(const void* buffer, long count);
long file_Seek(long offset, int origin); // origin 0 start, 1 current, 2 end; new position or -1
void file_Close();
void* file_LoadFile(const char* path); // whole loose file in a main-arena block, or null
long file_FileSize(const char* path);  // -1 when it cannot be opened

// Archive-aware operations, following the search order (loose first when `looseFirst` is set or
// the archive set is empty, then the archives in slot order).
int file_ExistsEx(const char* path);      // 1 or 0; the current file is left unchanged
FileHandle file_OpenEx(const char* path); // loose handle, 1 for an archive entry, -1 when nowhere
long file_ReadEx(void* buffer, long count);
long file_SeekEx(long offset, int origin);
void file_CloseEx();                     // closes only a loose file
long file_FileSizeEx(const char* path);  // -1 when found nowhere
void* file_LoadFileEx(const char* path); // whole file in a main-arena block, or null

// The archive set of 16 slots.
void pff_ClearSet();
void pff_AddToSet(ArchiveSource* archive); // first empty slot; null or a full set changes nothing
int file_SetLooseFirst(int flag);          // returns the previous value

// Rebuilds a path from the parts of `path` selected by `mask` (1 drive, 2 directory, 4 file name,
// 8 extension with its dot). The result lives in a static buffer that the next call overwrites.
const char* file_PathParts(const char* path, int mask);

// The path on disk that a loose path names, matching each component without regard to letter
// case; empty when nothing on disk matches. A drive prefix is dropped and "\" becomes "/".
std::string file_ResolveLoose(const char* path);
// The path to create a loose file at: the existing directory components resolved as above, the
// final name as given (or the existing file's spelling when one already exists).
std::string file_ResolveForCreate(const char* path);
