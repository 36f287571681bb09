#include "foundation/file_access.h"

#include "foundation/loose_read.h"
#include "foundation/mem_arena.h"
#include "foundation/user_message.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FileState g_state;

void reportNotFound(const char* operation, const char* path) {
    if (!g_state.reportOpenFailures) return;
    char text[128];
    std::snprintf(text, sizeof text, "Cannot open file %s", path != nullptr ? path : "");
    msg_Show(operation, text, MsgIcon::None, MsgButtons::Ok);
}

// Opens an existing regular file for reading without touching the current file. A directory, a
// FIFO or a device is not opened (and a FIFO is never waited for).
int openForReading(const char* path) {
    if (path == nullptr) return -1;
    std::string resolved = file_ResolveLoose(path);
    if (resolved.empty()) return -1;
    return file_OpenRegular(resolved.c_str(), nullptr);
}

long readAll(int fd, void* buffer, long count) {
    if (fd < 0 || buffer == nullptr || count <= 0) return count == 0 ? 0 : -1;
    long done = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (done < count) {
        ssize_t got = ::read(fd, bytes + done, static_cast<size_t>(count - done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return done > 0 ? done : -1;
        if (got == 0) break;
        done += got;
    }
    return done;
}

long seekHandle(int fd, long offset, int origin) {
    int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : -1;
    if (fd < 0 || whence < 0) return -1;
    off_t result = ::lseek(fd, static_cast<off_t>(offset), whence);
    return result < 0 ? -1 : static_cast<long>(result);
}

bool isArchiveHandle(FileHandle handle) {
    for (ArchiveSource* archive : g_state.archives) {
        if (archive != nullptr && archive->archive_Handle() == handle) return true;
    }
    return false;
}

enum class Where { Nowhere, Loose, Archive };

// The search order shared by the archive-aware operations. `slot` receives the archive's slot.
Where locate(const char* path, int& slot) {
    slot = -1;
    if (path == nullptr) return Where::Nowhere;
    if (g_state.looseFirst || g_state.archiveCount == 0) {
        if (file_ExistsLoose(path)) return Where::Loose;
    }
    for (int i = 0; i < kArchiveSlots; ++i) {
        ArchiveSource* archive = g_state.archives[i];
        if (archive != nullptr && archive->archive_Contains(path)) {
            slot = i;
            return Where::Archive;
        }
    }
    return Where::Nowhere;
}
// Records the outcome of opening a loose file: a descriptor becomes the current handle; a
// failure (-1) marks the last operation failed. Returns the handle or -1.
FileHandle recordOpened(int fd) {
    if (fd < 0) {
        g_state.lastFailed = true;
        return -1;
    }
    g_state.currentHandle = fd;
    g_state.inArchive = false;
    g_state.lastFailed = false;
    return fd;
}
} // namespace

FileState& file_State() {
    return g_state;
}

void file_ResetState() {
    if (g_state.currentHandle >= 0 && !g_state.inArchive && !isArchiveHandle(g_state.currentHandle))
        ::close(g_state.currentHandle);
    g_state = FileState{};
}

FileHandle file_Create(const char* path) {
    std::string resolved = path != nullptr ? file_ResolveForCreate(path) : std::string();
    int fd = resolved.empty() ? -1 : ::open(resolved.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) reportNotFound("file_Create", path);
    return recordOpened(fd);
}

FileHandle file_Open(const char* path) {
    return recordOpened(openForReading(path));
}

int file_ExistsLoose(const char* path) {
    int fd = openForReading(path);
    if (fd < 0) return 0;
    ::close(fd);
    return 1;
}

long file_Read(void* buffer, long count) {
    return readAll(g_state.currentHandle, buffer, count);
}

long file_Write(const void* buffer, long count) {
    if (g_state.currentHandle < 0 || buffer == nullptr || count < 0) return -1;
    long done = 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    while (done < count) {
        ssize_t put = ::write(g_state.currentHandle, bytes + done, static_cast<size_t>(count - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return done > 0 ? done : -1;
        done += put;
    }
    return done;
}

long file_Seek(long offset, int origin) {
    return seekHandle(g_state.currentHandle, offset, origin);
}

void file_Close() {
    // An archive's handle belongs to its reader and stays open for the life of the archive.
    if (g_state.currentHandle >= 0 && !g_state.inArchive && !isArchiveHandle(g_state.currentHandle))
        ::close(g_state.currentHandle);
    g_state.currentHandle = -1;
    g_state.inArchive = false;
}

void* file_LoadFile(const char* path) {
    if (file_Open(path) < 0) return nullptr;
    long size = file_Seek(0, 2);
    file_Seek(0, 0);
    if (size < 0 || size > INT32_MAX) {
        file_Close();
        return nullptr;
    }
    void* block = mem_GetMemEx(static_cast<size_t>(size), 4, 0, "LOADED FILE");
    if (block == nullptr) {
        file_Close();
        return nullptr;
    }
    long got = file_Read(block, size);
    file_Close();
    // A file that shrank since its size was taken gives what it still holds.
    g_state.lastLoadSize = static_cast<int32_t>(got < 0 ? 0 : got);
    return block;
}

long file_FileSize(const char* path) {
    int fd = openForReading(path);
    if (fd < 0) return -1;
    long size = seekHandle(fd, 0, 2);
    ::close(fd);
    return size;
}

int file_ExistsEx(const char* path) {
    int slot;
    Where where = locate(path, slot);
    g_state.lastFailed = where == Where::Nowhere;
    return where == Where::Nowhere ? 0 : 1;
}

FileHandle file_OpenEx(const char* path) {
    int slot;
    switch (locate(path, slot)) {
    case Where::Loose: {
        FileHandle fd = file_Open(path);
        if (fd >= 0) return fd;
        break;
    }
    case Where::Archive:
        if (g_state.archives[slot]->archive_Select(path)) {
            g_state.currentHandle = g_state.archives[slot]->archive_Handle();
            g_state.inArchive = true;
            g_state.archiveIndex = slot;
            g_state.archiveSlot = slot;
            g_state.lastFailed = false;
            return 1;
        }
        break;
    case Where::Nowhere:
        break;
    }
    g_state.lastFailed = true;
    reportNotFound("file_OpenEx", path);
    return -1;
}

long file_ReadEx(void* buffer, long count) {
    if (g_state.inArchive) {
        if (g_state.archiveSlot < 0 || g_state.archiveSlot >= kArchiveSlots) return -1;
        ArchiveSource* archive = g_state.archives[g_state.archiveSlot];
        return archive != nullptr ? archive->archive_Read(buffer, count) : -1;
    }
    return file_Read(buffer, count);
}

long file_SeekEx(long offset, int origin) {
    if (g_state.inArchive) {
        if (g_state.archiveSlot < 0 || g_state.archiveSlot >= kArchiveSlots) return -1;
        ArchiveSource* archive = g_state.archives[g_state.archiveSlot];
        return archive != nullptr ? archive->archive_Seek(offset, origin) : -1;
    }
    return file_Seek(offset, origin);
}

void file_CloseEx() {
    if (g_state.inArchive) return;
    file_Close();
}

long file_FileSizeEx(const char* path) {
    int slot;
    long size = -1;
    switch (locate(path, slot)) {
    case Where::Loose:
        size = file_FileSize(path);
        break;
    case Where::Archive:
        size = g_state.archives[slot]->archive_EntrySize(path);
        break;
    case Where::Nowhere:
        break;
    }
    g_state.lastFailed = size < 0;
    if (size < 0) reportNotFound("file_FileSizeEx", path);
    return size;
}

void* file_LoadFileEx(const char* path) {
    int slot;
    switch (locate(path, slot)) {
    case Where::Loose:
        // No archive is tried after a loose file that opened but could not be loaded.
        return file_LoadFile(path);
    case Where::Archive:
        g_state.lastFailed = false;
        return g_state.archives[slot]->archive_Load(path);
    case Where::Nowhere:
        break;
    }
    g_state.lastFailed = true;
    reportNotFound("file_LoadFileEx", path);
    return nullptr;
}

void pff_ClearSet() {
    for (ArchiveSource*& archive : g_state.archives)
        archive = nullptr;
    g_state.archiveCount = 0;
    g_state.inArchive = false;
    g_state.archiveIndex = -1;
    g_state.archiveSlot = -1;
}

void pff_AddToSet(ArchiveSource* archive) {
    if (archive == nullptr) return;
    for (ArchiveSource*& slot : g_state.archives) {
        if (slot == nullptr) {
            slot = archive;
            break;
        }
    }
    int count = 0;
    for (ArchiveSource* slot : g_state.archives)
        count += slot != nullptr ? 1 : 0;
    g_state.archiveCount = count;
}

int file_SetLooseFirst(int flag) {
    int previous = g_state.looseFirst ? 1 : 0;
    g_state.looseFirst = flag != 0;
    return previous;
}
