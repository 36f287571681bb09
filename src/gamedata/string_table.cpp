#include "gamedata/string_table.h"

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/strtab_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Positions of every NUL byte of the file, ascending. A run of `count` NUL-terminated strings
// starting at `offset` lies inside the file exactly when at least `count` NULs sit at or after
// `offset`; one binary search answers that for any count, so a hostile directory whose sections
// all point at the same long run cannot make the check quadratic.
class NulIndex {
  public:
    NulIndex(const uint8_t* data, uint32_t size) {
        for (uint32_t i = 0; i < size; ++i)
            if (data[i] == 0) positions_.push_back(i);
    }
    bool stringsFit(uint64_t offset, uint64_t count) const {
        if (count == 0) return true;
        auto first = std::lower_bound(positions_.begin(), positions_.end(), offset);
        uint64_t available = static_cast<uint64_t>(positions_.end() - first);
        return available >= count;
    }

  private:
    std::vector<uint32_t> positions_;
};

bool checkLayout(const uint8_t* data, size_t size, StringTable& out) {
    if (data == nullptr || size < kStrtabHeaderSize || size > UINT32_MAX) return false;
    const uint64_t file_size = size;
    const uint32_t record_count = strtab_ReadWord(data + kStrtabHeaderRecordCount);
    const uint32_t directory = strtab_ReadWord(data + kStrtabHeaderDirectoryOffset);

    const uint64_t string_area = kStrtabHeaderSize + uint64_t{kStrtabRecordSize} * record_count;
    if (string_area > file_size) return false;
    if (uint64_t{directory} + kStrtabDirectoryCountSize > file_size) return false;
    const uint32_t section_count = strtab_ReadWord(data + directory);
    const uint64_t pairs = uint64_t{directory} + kStrtabDirectoryCountSize;
    const uint64_t names = pairs + uint64_t{kStrtabPairSize} * section_count;
    if (names > file_size) return false;

    NulIndex nuls(data, static_cast<uint32_t>(size));
    if (!nuls.stringsFit(names, section_count)) return false;
    for (uint32_t s = 0; s < section_count; ++s) {
        const uint8_t* pair = data + pairs + uint64_t{kStrtabPairSize} * s;
        const uint32_t key_names = strtab_ReadWord(pair);
        const uint32_t key_count = strtab_ReadWord(pair + 4);
        if (key_count == 0) continue; // never read: a section without keys finds nothing
        if (!nuls.stringsFit(pairs + key_names, key_count)) return false;
    }
    for (uint32_t r = 0; r < record_count; ++r) {
        const uint32_t text = strtab_ReadWord(data + kStrtabHeaderSize + uint64_t{kStrtabRecordSize} * r);
        if (!nuls.stringsFit(string_area + text, 1)) return false;
    }

    out.data = data;
    out.size = static_cast<uint32_t>(size);
    out.recordCount = record_count;
    out.sectionCount = section_count;
    out.directoryOffset = directory;
    out.stringAreaOffset = static_cast<uint32_t>(string_area);
    out.sectionNamesOffset = static_cast<uint32_t>(names);
    return true;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares a stored name (NUL-terminated, inside the file) with `wanted`, ASCII letter case
// ignored; `length` receives the stored name's length.
bool nameEquals(const StringTable* table, uint64_t offset, const char* wanted, uint64_t* length) {
    const char* stored = reinterpret_cast<const char*>(table->data + offset);
    const size_t limit = table->size - offset;
    const size_t stored_length = strnlen(stored, limit);
    *length = stored_length;
    size_t i = 0;
    for (; i < stored_length; ++i) {
        if (wanted[i] == '\0' || lowerAscii(stored[i]) != lowerAscii(wanted[i])) return false;
    }
    return wanted[i] == '\0';
}

} // namespace

StringTable* strtab_Open(const uint8_t* data, size_t size) {
    StringTable layout;
    if (!checkLayout(data, size, layout)) return nullptr;
    StringTable* table = new (std::nothrow) StringTable(layout);
    return table;
}

StringTable* strtab_Load(const char* path) {
    void* block = file_LoadFileEx(path);
    if (block == nullptr) return nullptr;
    const int32_t loaded = file_State().lastLoadSize;
    StringTable* table =
        loaded < 0 ? nullptr : strtab_Open(static_cast<const uint8_t*>(block), static_cast<size_t>(loaded));
    if (table == nullptr) {
        mem_FreeMem(block);
        return nullptr;
    }
    table->ownedBlock = block;
    return table;
}

void strtab_Free(StringTable* table) {
    if (table == nullptr) return;
    if (table->ownedBlock != nullptr) mem_FreeMem(table->ownedBlock);
    delete table;
}

uint32_t strtab_RecordWord(const StrtabRecord* record, int index) {
    if (record == nullptr || index < 0 || index > 3) return 0;
    return strtab_ReadWord(record->bytes + 4 * index);
}

const StrtabRecord* strtab_Record(const StringTable* table, uint32_t number) {
    if (table == nullptr || number >= table->recordCount) return nullptr;
    return reinterpret_cast<const StrtabRecord*>(table->data + kStrtabHeaderSize +
                                                 uint64_t{kStrtabRecordSize} * number);
}

const char* strtab_Text(const StringTable* table, const StrtabRecord* record) {
    if (table == nullptr || record == nullptr) return nullptr;
    const uint64_t offset = uint64_t{table->stringAreaOffset} + strtab_RecordWord(record, 0);
    if (offset >= table->size) return nullptr; // cannot happen for a checked table
    return reinterpret_cast<const char*>(table->data + offset);
}

bool strtab_Section(const StringTable* table, uint32_t section, StrtabSectionView* view) {
    if (table == nullptr || view == nullptr || section >= table->sectionCount) return false;
    uint64_t name = table->sectionNamesOffset;
    uint64_t first_record = 0;
    const uint64_t pairs = uint64_t{table->directoryOffset} + kStrtabDirectoryCountSize;
    for (uint32_t s = 0; s < section; ++s) {
        name += strnlen(reinterpret_cast<const char*>(table->data + name), table->size - name) + 1;
        first_record += strtab_ReadWord(table->data + pairs + uint64_t{kStrtabPairSize} * s + 4);
    }
    const uint8_t* pair = table->data + pairs + uint64_t{kStrtabPairSize} * section;
    view->name = reinterpret_cast<const char*>(table->data + name);
    view->keyCount = strtab_ReadWord(pair + 4);
    view->firstRecord = first_record > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(first_record);
    view->keyNamesOffset =
        static_cast<uint32_t>(std::min<uint64_t>(pairs + strtab_ReadWord(pair), UINT32_MAX));
    return true;
}

const StrtabRecord* strtab_Find(const StringTable* table, const char* section, const char* key) {
    if (table == nullptr || section == nullptr || key == nullptr) return nullptr;
    const uint64_t pairs = uint64_t{table->directoryOffset} + kStrtabDirectoryCountSize;
    uint64_t name = table->sectionNamesOffset;
    uint64_t records_before = 0;
    for (uint32_t s = 0; s < table->sectionCount; ++s) {
        const uint8_t* pair = table->data + pairs + uint64_t{kStrtabPairSize} * s;
        const uint32_t key_count = strtab_ReadWord(pair + 4);
        uint64_t length = 0;
        if (nameEquals(table, name, section, &length)) {
            if (key_count == 0) return nullptr;
            uint64_t key_name = pairs + strtab_ReadWord(pair);
            for (uint32_t j = 0; j < key_count; ++j) {
                if (key_name >= table->size) return nullptr; // cannot happen for a checked table
                if (nameEquals(table, key_name, key, &length)) {
                    const uint64_t number = records_before + j;
                    if (number >= table->recordCount) return nullptr;
                    return strtab_Record(table, static_cast<uint32_t>(number));
                }
                key_name += length + 1;
            }
            return nullptr; // only the first section of that name is consulted
        }
        records_before += key_count;
        name += length + 1;
    }
    return nullptr;
}

const char* strtab_FindText(const StringTable* table, const char* section, const char* key) {
    return strtab_Text(table, strtab_Find(table, section, key));
}

void strtab_ForEach(const StringTable* table, const StrtabVisitor& visit) {
    if (table == nullptr) return;
    const uint64_t pairs = uint64_t{table->directoryOffset} + kStrtabDirectoryCountSize;
    uint64_t name = table->sectionNamesOffset;
    uint64_t records_before = 0;
    for (uint32_t s = 0; s < table->sectionCount; ++s) {
        const char* section_name = reinterpret_cast<const char*>(table->data + name);
        const uint8_t* pair = table->data + pairs + uint64_t{kStrtabPairSize} * s;
        const uint32_t key_count = strtab_ReadWord(pair + 4);
        uint64_t key_name = pairs + strtab_ReadWord(pair);
        for (uint32_t j = 0; j < key_count && key_name < table->size; ++j) {
            const char* key = reinterpret_cast<const char*>(table->data + key_name);
            const uint64_t number = records_before + j;
            const char* text = number < table->recordCount
                                   ? strtab_Text(table, strtab_Record(table, static_cast<uint32_t>(number)))
                                   : nullptr;
            visit(s, section_name, j, key, text);
            key_name += strnlen(key, table->size - key_name) + 1;
        }
        records_before += key_count;
        name += strnlen(section_name, table->size - name) + 1;
    }
}

int strtab_EnumerateNumbered(const StringTable* table, const char* section, const char* key_format,
                             const std::function<void(int number, const char* text)>& visit) {
    if (table == nullptr || section == nullptr || key_format == nullptr) return 0;
    // Each number found names a distinct record, so the walk ends after at most N entries.
    int number = 0;
    while (static_cast<uint32_t>(number) < table->recordCount) {
        char key[64];
        std::snprintf(key, sizeof key, key_format, number);
        const char* text = strtab_FindText(table, section, key);
        if (text == nullptr) break;
        if (visit) visit(number, text);
        ++number;
    }
    return number;
}

std::vector<const char*> strtab_NumberedList(const StringTable* table, const char* section,
                                             const char* key_format) {
    std::vector<const char*> list;
    strtab_EnumerateNumbered(table, section, key_format,
                             [&](int, const char* text) { list.push_back(text); });
    return list;
}
