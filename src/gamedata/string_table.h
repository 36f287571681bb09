#pragma once
// String tables: every interface text and the game's name lists, found by (section, key).
//
// File layout (all integers 32-bit little-endian, offsets in bytes):
//   header, 16 bytes: word 0 (kept, no meaning), directory offset from the file start,
//                     word 2 (kept, no meaning), record count N
//   N records of 16 bytes from offset 16: word 0 = string offset counted from the string area,
//                     which starts right after the last record (16 + 16 * N); words 1-3 kept
//   directory, at the directory offset: section count S; S pairs {key-name offset, key count}
//                     (offsets counted from the first pair, directory offset + 4); then the S
//                     section names, NUL-terminated, one after another
//   key names of a section: `key count` NUL-terminated names one after another
// Records are numbered section by section: key j of section s is record
// (sum of the key counts of the sections before s) + j.
//
// A loaded table keeps its file bytes unchanged (the stored 32-bit offsets are resolved at each
// lookup); every offset, count and string of the file was checked when it was loaded, so
// lookups never leave the block and never allocate.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

constexpr uint32_t kStrtabHeaderSize = 16;
constexpr uint32_t kStrtabRecordSize = 16;
constexpr uint32_t kStrtabHeaderWord0 = 0; // kept, no meaning
constexpr uint32_t kStrtabHeaderDirectoryOffset = 4;
constexpr uint32_t kStrtabHeaderWord2 = 8; // kept, no meaning
constexpr uint32_t kStrtabHeaderRecordCount = 12;
constexpr uint32_t kStrtabDirectoryCountSize = 4; // the section count in front of the pairs
constexpr uint32_t kStrtabPairSize = 8;           // {key-name offset, key count}

// The tables start-up loads and the sections and keys of their name lists.
inline constexpr const char* kStrtabInterfaceFile = "text.bin";
inline constexpr const char* kStrtabNamesFile = "qz2wpn.bin";
inline constexpr const char* kStrtabItemNamesFile = "qz2items.bin";
inline constexpr const char* kStrtabWaypointSection = "WPNames";
inline constexpr const char* kStrtabWaypointKey = "STRWPNAME%0.3i";
inline constexpr const char* kStrtabPeopleSection = "PeopleNames";
inline constexpr const char* kStrtabPeopleKey = "STRNAME%0.3i";
inline constexpr const char* kStrtabWinSection = "WinConditions";
inline constexpr const char* kStrtabWinKey = "STRWINCOND%0.3i";
inline constexpr const char* kStrtabLoseSection = "LoseConditions";
inline constexpr const char* kStrtabLoseKey = "STRLOSECOND%0.3i";
inline constexpr const char* kStrtabItemNamesSection = "QZ2 Item Names";
inline constexpr const char* kStrtabItemNameKey = "STR_ITM%04i";
inline constexpr const char* kStrtabSunsetSection = "QZ2 Sunsets";
inline constexpr const char* kStrtabSunsetKey = "SUNSET%03i";

// One 16-byte record as stored in the file. Word 0 is the string offset from the string area.
struct StrtabRecord {
    uint8_t bytes[kStrtabRecordSize];
};
static_assert(sizeof(StrtabRecord) == kStrtabRecordSize);

// A loaded, checked table. `data` is the whole file.
struct StringTable {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    uint32_t recordCount = 0;        // N
    uint32_t sectionCount = 0;       // S
    uint32_t directoryOffset = 0;    // D
    uint32_t stringAreaOffset = 0;   // 16 + 16 * N
    uint32_t sectionNamesOffset = 0; // D + 4 + 8 * S
    void* ownedBlock = nullptr;      // main-arena block of the file, released by strtab_Free
};

// Loads a table whole with file_LoadFileEx (so from disk or an archive) and checks it. Null when
// the file cannot be loaded or is not a sound table: header, records or directory past the end,
// a string, section name or key name without its terminator inside the file.
StringTable* strtab_Load(const char* path);
// Checks `size` bytes and makes a table over them without copying; the bytes must outlive the
// table. Null when they are not a sound table (as strtab_Load).
StringTable* strtab_Open(const uint8_t* data, size_t size);
// Releases a table made by strtab_Load or strtab_Open (and the file block strtab_Load took).
// Tables in use by TextLookup must not be freed. Null is accepted.
void strtab_Free(StringTable* table);

// The record of `key` in the first section named `section` (both compared without regard to
// ASCII letter case), or null: null table or names, no such section, a section with 0 keys, no
// such key in that first section, or a record number of N or more.
const StrtabRecord* strtab_Find(const StringTable* table, const char* section, const char* key);
// The string of a record of `table` (never null for a record strtab_Find returned; may be empty).
// Null for a null table or record.
const char* strtab_Text(const StringTable* table, const StrtabRecord* record);
// strtab_Find followed by strtab_Text: the string or null.
const char* strtab_FindText(const StringTable* table, const char* section, const char* key);
// Word `index` (0 to 3) of a record as stored.
uint32_t strtab_RecordWord(const StrtabRecord* record, int index);
// The record with number `number`, or null when it is N or more.
const StrtabRecord* strtab_Record(const StringTable* table, uint32_t number);

// Walking a table in stored order (dumping, tests). Section indices run 0 to S - 1.
struct StrtabSectionView {
    const char* name = nullptr;
    uint32_t keyCount = 0;
    uint32_t firstRecord = 0;    // number of the record of key 0 (may be N or more)
    uint32_t keyNamesOffset = 0; // file offset of the first key name
};
// False when `section` is out of range.
bool strtab_Section(const StringTable* table, uint32_t section, StrtabSectionView* view);
// Visits every key of every section in stored order with its record's string, or null when the
// key's record number is N or more.
using StrtabVisitor = std::function<void(uint32_t section, const char* section_name, uint32_t key,
                                         const char* key_name, const char* text)>;
void strtab_ForEach(const StringTable* table, const StrtabVisitor& visit);

// Numbered name lists: formats key 0 with `key_format` (for example kStrtabPeopleKey gives
// "STRNAME000"), looks it up in `section`, then 1, 2, ... until a key is missing; `visit`
// receives each number and string. Returns how many were found.
int strtab_EnumerateNumbered(const StringTable* table, const char* section, const char* key_format,
                             const std::function<void(int number, const char* text)>& visit);
// The same list as a vector of strings (pointing into the table).
std::vector<const char*> strtab_NumberedList(const StringTable* table, const char* section,
                                             const char* key_format);

// The interface text of (section, key) from the table chosen with TextLookup_SetTable: the
// string when there is a table, both names are non-null, the key exists and its string is not
// empty; otherwise kBadTextString ("Bad Texttool String"). Never null.
const char* TextLookup(const char* section, const char* key);
// Chooses the interface table (start-up passes "text.bin"; null goes back to no table) and
// installs TextLookup as the foundation's text source (text_SetSource).
void TextLookup_SetTable(const StringTable* table);
const StringTable* TextLookup_Table();
