#include "gamedata/pff_archive.h"

#include "foundation/mem_arena.h"
#include "foundation/user_message.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Header words, as indices of PffArchive::header.
constexpr int kHeaderSizeWord = 0;
constexpr int kEntryCountWord = 2;
constexpr int kDirectoryOffsetWord = 4;
// Record fields, as byte offsets within a 32-byte record.
constexpr size_t kRecordFlags = 0;
constexpr size_t kRecordOffset = 4;
constexpr size_t kRecordSize = 8;
constexpr size_t kRecordUnused = 12;
constexpr size_t kRecordName = 16;

uint32_t readLe32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool nameEquals(const PffRecord& record, const char* name) {
    return pff_NamesEqual(std::string_view(record.name, strnlen(record.name, kPffNameSize)), name);
}

// The entry's data lies wholly inside the archive file.
bool dataInsideFile(const PffArchive& archive, const PffRecord& record) {
    return static_cast<int64_t>(record.offset) + static_cast<int64_t>(record.size) <= archive.fileSize;
}

// Converts the records from their little-endian file form in place.
void decodeDirectory(PffRecord* records, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t raw[kPffRecordSize];
        std::memcpy(raw, &records[i], kPffRecordSize);
        records[i].flags = readLe32(raw + kRecordFlags);
        records[i].offset = readLe32(raw + kRecordOffset);
        records[i].size = readLe32(raw + kRecordSize);
        records[i].unused = readLe32(raw + kRecordUnused);
        std::memcpy(records[i].name, raw + kRecordName, kPffNameSize);
    }
}

void destroy(PffArchive* archive) {
    if (archive->directory != nullptr) mem_FreeArchiveMem(archive->directory);
    archive->~PffArchive();
    mem_ArenaFree(mem_ArchiveArena(), archive);
}

// Reads exactly `count` bytes at `offset` of the archive file.
bool readAt(FileHandle handle, int64_t offset, void* buffer, size_t count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::pread(handle, bytes + done, count - done,
                              static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}
} // namespace

PffArchive* pff_Open(const char* path) {
    if (path == nullptr) return nullptr;
    void* storage = mem_ArenaAlloc(mem_ArchiveArena(), sizeof(PffArchive), alignof(PffArchive), "PFF STRUCT");
    if (storage == nullptr) return nullptr;
    auto* archive = new (storage) PffArchive();
    std::snprintf(archive->path, sizeof archive->path, "%s", path);

    archive->handle = file_Open(path);
    if (archive->handle < 0) {
        destroy(archive);
        return nullptr;
    }
    struct stat info;
    uint8_t header[kPffHeaderSize];
    bool good = ::fstat(archive->handle, &info) == 0 && readAt(archive->handle, 0, header, sizeof header);
    if (good) {
        archive->fileSize = static_cast<int64_t>(info.st_size);
        for (int i = 0; i < 5; ++i)
            archive->header[i] = readLe32(header + 4 * i);
        good = archive->header[kHeaderSizeWord] >= kPffHeaderSize;
    }
    // The whole directory must lie inside the file; this also caps the count by the file size.
    uint64_t directoryBytes = 0;
    if (good) {
        directoryBytes = static_cast<uint64_t>(archive->header[kEntryCountWord]) * kPffRecordSize;
        good = archive->header[kDirectoryOffsetWord] + directoryBytes <=
               static_cast<uint64_t>(archive->fileSize);
    }
    if (good) {
        archive->entryCount = archive->header[kEntryCountWord];
        archive->directory = static_cast<PffRecord*>(mem_GetArchiveMem(directoryBytes, "PFF HEADERS"));
        good = archive->directory != nullptr && readAt(archive->handle, archive->header[kDirectoryOffsetWord],
                                                       archive->directory, directoryBytes);
    }
    // The handle belongs to the archive from now on, whatever else the file layer opens or closes.
    if (file_State().currentHandle == archive->handle) file_State().currentHandle = -1;
    if (!good) {
        ::close(archive->handle);
        destroy(archive);
        return nullptr;
    }
    decodeDirectory(archive->directory, archive->entryCount);
    archive->isOpen = true;
    archive->failed = false;
    return archive;
}

void pff_Close(PffArchive* archive) {
    if (archive == nullptr) return;
    FileState& state = file_State();
    bool inSet = false;
    for (ArchiveSource*& slot : state.archives) {
        if (slot == archive) {
            slot = nullptr;
            inSet = true;
        }
    }
    if (inSet) {
        state.archiveCount = 0;
        for (ArchiveSource* slot : state.archives)
            state.archiveCount += slot != nullptr ? 1 : 0;
        state.inArchive = false;
    }
    if (state.currentHandle == archive->handle) state.currentHandle = -1;
    if (archive->handle >= 0) ::close(archive->handle);
    destroy(archive);
}

const PffRecord* pff_Find(PffArchive* archive, const char* name) {
    if (archive == nullptr) return nullptr;
    if (name != nullptr && archive->directory != nullptr) {
        for (uint32_t i = 0; i < archive->entryCount; ++i) {
            const PffRecord& record = archive->directory[i];
            if (nameEquals(record, name) && dataInsideFile(*archive, record)) return &record;
        }
    }
    archive->failed = true;
    return nullptr;
}

int pff_Exists(PffArchive* archive, const char* name) {
    return pff_Find(archive, name) != nullptr ? 1 : 0;
}

int pff_Select(PffArchive* archive, const char* name) {
    if (archive == nullptr) return 0;
    const PffRecord* record = pff_Find(archive, name);
    if (record == nullptr) {
        if (archive->reportErrors) {
            char text[300];
            std::snprintf(text, sizeof text, "Error reading %s in PFF file %s.", name != nullptr ? name : "",
                          archive->path);
            msg_Show("pffmgr", text, MsgIcon::None, MsgButtons::Ok);
        }
        archive->failed = true;
        return 0;
    }
    archive->current = record;
    file_State().currentHandle = archive->handle;
    ::lseek(archive->handle, static_cast<off_t>(record->offset), SEEK_SET);
    archive->position = 0;
    archive->failed = false;
    return 1;
}

long pff_Read(void* buffer, long count, PffArchive* archive) {
    if (archive == nullptr || buffer == nullptr || count <= 0) return 0;
    file_State().currentHandle = archive->handle;
    // Not clipped to the entry: the bytes that follow it in the archive file come along, but a
    // read never goes past the end of the file.
    long done = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (done < count) {
        ssize_t got = ::read(archive->handle, bytes + done, static_cast<size_t>(count - done));
        if (got <= 0) break;
        done += got;
    }
    int64_t position = static_cast<int64_t>(archive->position) + done;
    archive->position = position > INT32_MAX ? INT32_MAX : static_cast<int32_t>(position);
    return done;
}

long pff_Seek(long offset, int origin, PffArchive* archive) {
    if (archive == nullptr) return -1;
    int64_t dataOffset = archive->current != nullptr ? archive->current->offset : 0;
    int64_t dataSize = archive->current != nullptr ? archive->current->size : 0;
    int64_t target;
    switch (origin) {
    case 0:
        target = dataOffset + offset;
        break;
    case 1:
        target = dataOffset + archive->position + offset;
        break;
    case 2:
        target = dataOffset + dataSize + offset;
        break;
    default:
        target = offset;
        break;
    }
    int64_t position = target - dataOffset;
    if (target < 0 || position < INT32_MIN || position > INT32_MAX) return -1;
    file_State().currentHandle = archive->handle;
    if (::lseek(archive->handle, static_cast<off_t>(target), SEEK_SET) < 0) return -1;
    archive->position = static_cast<int32_t>(position);
    archive->failed = false;
    return archive->position;
}

long pff_Size(PffArchive* archive, const char* name) {
    if (!pff_Select(archive, name)) return -1;
    return pff_Seek(0, 2, archive);
}

void* pff_Load(PffArchive* archive, const char* name) {
    if (!pff_Select(archive, name)) return nullptr;
    long size = pff_Seek(0, 2, archive);
    pff_Seek(0, 0, archive);
    if (size < 0 || size > INT32_MAX) return nullptr;
    archive->lastSize = static_cast<int32_t>(size);
    file_State().lastLoadSize = archive->lastSize;
    auto* block = static_cast<uint8_t*>(mem_GetMemEx(static_cast<size_t>(size), 4, 0, "PFF LOADED FILE"));
    if (block == nullptr) return nullptr;
    // The entry was checked to lie inside the file; a file cut short since then is refused.
    if (pff_Read(block, size, archive) != size) {
        mem_FreeMem(block);
        archive->failed = true;
        return nullptr;
    }
    if (archive->current->flags & kPffScrambledFlag) pff_Unscramble(block, static_cast<size_t>(size));
    archive->failed = false;
    return block;
}

bool pff_NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

std::string pff_RecordName(const PffRecord& record) {
    return std::string(record.name, strnlen(record.name, kPffNameSize));
}

void pff_Unscramble(uint8_t* data, size_t size) {
    uint32_t key = kPffScrambleSeed;
    for (size_t i = 0; i < size; ++i) {
        key = (key << 7) | (key >> 25);
        data[i] = static_cast<uint8_t>(data[i] ^ (key & 0xFFu));
    }
}

bool PffArchive::archive_Contains(const char* name) {
    return pff_Exists(this, name) != 0;
}
bool PffArchive::archive_Select(const char* name) {
    return pff_Select(this, name) != 0;
}
long PffArchive::archive_Read(void* buffer, long count) {
    return pff_Read(buffer, count, this);
}
long PffArchive::archive_Seek(long offset, int origin) {
    return pff_Seek(offset, origin, this);
}
long PffArchive::archive_EntrySize(const char* name) {
    return pff_Size(this, name);
}
void* PffArchive::archive_Load(const char* name) {
    return pff_Load(this, name);
}
