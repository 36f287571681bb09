#include "support/test_texts.h"

#include "gamedata/string_table_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace {
// A built table and the bytes it points into, kept for the whole run.
struct KeptTable {
    std::vector<uint8_t> bytes;
    StringTable* table = nullptr;
    explicit KeptTable(std::vector<uint8_t> built) : bytes(std::move(built)) {}
    KeptTable(const KeptTable&) = delete;
    KeptTable& operator=(const KeptTable&) = delete;
    ~KeptTable() { strtab_Free(table); }
};

std::deque<KeptTable>& keptTables() {
    static std::deque<KeptTable> tables;
    return tables;
}
} // namespace

const StringTable* test_BuildTable(std::string_view source) {
    StrtabSource parsed;
    std::string error;
    if (!strtab_ParseSource(source, parsed, &error)) {
        ADD_FAILURE() << "bad string-table source: " << error;
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!strtab_Build(parsed, bytes, &error)) {
        ADD_FAILURE() << "string table not built: " << error;
        return nullptr;
    }
    KeptTable& kept = keptTables().emplace_back(std::move(bytes));
    kept.table = strtab_Open(kept.bytes.data(), kept.bytes.size());
    if (kept.table == nullptr) ADD_FAILURE() << "built string table does not open";
    return kept.table;
}

const StringTable* test_InstallTexts(std::string_view source) {
    const StringTable* table = test_BuildTable(source);
    TextLookup_SetTable(table);
    return table;
}
