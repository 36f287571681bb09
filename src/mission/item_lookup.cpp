#include "mission/item_lookup.h"

#include "gamedata/def_words.h"
#include "gamedata/item_defs.h"

int item_FindDefIndex(int32_t type_id) {
    const int count = itemdef_Count();
    for (int i = 0; i < count; ++i) {
        const ItemDef* def = itemdef_Get(i);
        if (def != nullptr && def->id == type_id) return i;
    }
    return -1;
}

int item_FindDefIndexByName(const char* name) {
    if (name == nullptr) return -1;
    const int count = itemdef_Count();
    for (int i = 0; i < count; ++i) {
        const ItemDef* def = itemdef_Get(i);
        if (def != nullptr && defword_Equal(def->name, name)) return i;
    }
    return -1;
}

bool item_HasDefinition(const MissionItem& item) {
    const ItemDef* def = itemdef_Get(item.def_index);
    if (def != nullptr && def->id == item.type_id) return true;
    return item_FindDefIndex(item.type_id) >= 0;
}
