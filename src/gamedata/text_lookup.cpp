#include "foundation/text_source.h"
#include "gamedata/string_table.h"

namespace {
const StringTable* g_interfaceTable = nullptr;
}

const char* TextLookup(const char* section, const char* key) {
    if (g_interfaceTable == nullptr || section == nullptr || key == nullptr) return kBadTextString;
    const char* text = strtab_FindText(g_interfaceTable, section, key);
    if (text == nullptr || text[0] == '\0') return kBadTextString;
    return text;
}

void TextLookup_SetTable(const StringTable* table) {
    g_interfaceTable = table;
    text_SetSource(&TextLookup);
}

const StringTable* TextLookup_Table() {
    return g_interfaceTable;
}
