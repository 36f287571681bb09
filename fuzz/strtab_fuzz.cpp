// String tables from outside data: any bytes given to the loader, and any bytes read as text
// source. A table that opens is walked, dumped and searched; a source that parses must build a
// table that opens and dumps back to the source's canonical form.
#include "gamedata/string_table.h"
#include "gamedata/string_table_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void exerciseTable(const StringTable* table) {
    size_t visited = 0;
    strtab_ForEach(table, [&](uint32_t, const char* section, uint32_t, const char* key, const char* text) {
        // A key found by the walk is found by name too, unless an earlier equal name shadows it.
        const StrtabRecord* record = strtab_Find(table, section, key);
        if (record != nullptr && strtab_Text(table, record) == nullptr) std::abort();
        visited += text != nullptr;
    });
    (void)visited;
    strtab_Find(table, "Dialog Message", "QZMED_TITLE");
    strtab_Find(table, "", "");
    strtab_NumberedList(table, "PeopleNames", "STRNAME%0.3i");
    (void)strtab_DumpSource(table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (StringTable* table = strtab_Open(data, size)) {
        exerciseTable(table);
        TextLookup_SetTable(table);
        TextLookup("Dialog Message", "ASCII_PARSE");
        TextLookup_SetTable(nullptr);
        strtab_Free(table);
    }

    StrtabSource source;
    if (!strtab_ParseSource(std::string_view(reinterpret_cast<const char*>(data), size), source, nullptr))
        return 0;
    std::vector<uint8_t> bytes;
    if (!strtab_Build(source, bytes, nullptr)) return 0;
    StringTable* built = strtab_Open(bytes.data(), bytes.size());
    if (built == nullptr) std::abort(); // the writer's tables are always sound
    if (strtab_DumpSource(built) != strtab_FormatSource(source)) std::abort();
    exerciseTable(built);
    strtab_Free(built);
    return 0;
}
