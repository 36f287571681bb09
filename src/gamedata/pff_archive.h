#pragma once
// Reader of the game's packed archives (".pff"): a 20-byte header, then a directory of 32-byte
// records {flags, data offset, data size, unused, 16-byte name}. Bit 16 of the flags marks an
// entry whose stored bytes are scrambled; only whole-entry loads unscramble.

#include "foundation/file_access.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr uint32_t kPffHeaderSize = 20;
constexpr uint32_t kPffRecordSize = 32;
constexpr uint32_t kPffNameSize = 16;
constexpr uint32_t kPffScrambledFlag = 0x10000;
constexpr uint32_t kPffScrambleSeed = 0x6B1D2F9;
constexpr int kPffPathSize = 128;

struct PffRecord {
    uint32_t flags;
    uint32_t offset;
    uint32_t size;
    uint32_t unused;
    char name[kPffNameSize]; // NUL-terminated within the field, or exactly 16 characters
};
static_assert(sizeof(PffRecord) == kPffRecordSize);

struct PffArchive final : ArchiveSource {
    FileHandle handle = -1;
    char path[kPffPathSize] = {};
    uint32_t header[5] = {};        // header size, -, entry count, -, directory offset
    PffRecord* directory = nullptr; // in the archive arena (tag "PFF HEADERS")
    uint32_t entryCount = 0;
    const PffRecord* current = nullptr;
    int32_t position = 0; // within the current entry
    bool isOpen = false;
    int32_t lastSize = 0;
    bool failed = false;
    bool reportErrors = false;
    int64_t fileSize = 0; // bytes of the archive file

    bool archive_Contains(const char* name) override;
    bool archive_Select(const char* name) override;
    long archive_Read(void* buffer, long count) override;
    long archive_Seek(long offset, int origin) override;
    long archive_EntrySize(const char* name) override;
    void* archive_Load(const char* name) override;
    FileHandle archive_Handle() const override { return handle; }
};

// Opens an archive and loads its directory. Null when the file is missing, the header size word
// is below 20, or the directory lies outside the file. An entry whose data lies outside the file
// is treated as missing.
PffArchive* pff_Open(const char* path);
// Closes the file and gives the descriptor and directory back to the archive arena. The editor
// keeps its archives open for the whole run; tools, tests and fuzzers that open many use this.
void pff_Close(PffArchive* archive);
const PffRecord* pff_Find(PffArchive* archive, const char* name);
int pff_Exists(PffArchive* archive, const char* name);
int pff_Select(PffArchive* archive, const char* name);
long pff_Read(void* buffer, long count, PffArchive* archive);
long pff_Seek(long offset, int origin, PffArchive* archive);
long pff_Size(PffArchive* archive, const char* name);
// The whole entry in a main-arena block (tag "PFF LOADED FILE"), unscrambled; null when absent.
void* pff_Load(PffArchive* archive, const char* name);

// The entry name of a record as a string (at most 16 characters).
std::string pff_RecordName(const PffRecord& record);
// Whether two entry names are the same name to the archive's lookup: equal without regard to
// ASCII letter case (the directory part, when there is one, included).
bool pff_NamesEqual(std::string_view a, std::string_view b);
// Scrambling of whole-entry loads: the same operation scrambles and unscrambles.
void pff_Unscramble(uint8_t* data, size_t size);
