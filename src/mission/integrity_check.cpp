#include "mission/integrity_check.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/item_lookup.h"
#include "mission/page_ops.h"

#include <algorithm>

std::vector<int> page_FindUnknownItems(const MissionPage& page) {
    std::vector<int> unknown;
    const int n = std::clamp(page.num_items, 0, kMaxItems);
    for (int slot = 0; slot < n; ++slot)
        if (item_FindDefIndex(page.items[slot].type_id) < 0) unknown.push_back(slot);
    return unknown;
}

void page_SelectUnknownItems(MissionPage& page) {
    sel_Clear(page);
    for (int slot : page_FindUnknownItems(page))
        sel_Add(page, slot);
}

std::string integrity_SummaryText(int count) {
    return fmt_Format(TextLookup("Dialog Message", "UNKNOWN_ITEMS"), {count});
}
