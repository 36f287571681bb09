// Clearing a page and adding, copying and deleting its items.
#include "mission/page_ops.h"

#include "foundation/text_source.h"
#include "gamedata/def_words.h"
#include "gamedata/item_defs.h"
#include "mission/item_lookup.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kDefaultEdistanceMin = 16;
constexpr int32_t kDefaultEdistanceMax = 1024;
constexpr int32_t kDefaultPercent = 100;
constexpr int32_t kDefaultObliqueness = 15;
constexpr int32_t kDefaultMoveTimer = 3;
constexpr int32_t kDefaultCrouchTimer = 3;
constexpr int32_t kDefaultShootTimer = 5;
constexpr int32_t kDefaultAttention = 30;
constexpr int32_t kDefaultAdvanceTimer = 10;
constexpr int32_t kDefaultFov = 180;
constexpr int32_t kDefaultWpDistance = 4;

void nameGroupIfEmpty(ItemGroup& group, const char* key) {
    if (group.description[0] != '\0') return;
    defword_Copy(group.description, sizeof group.description, text_Get("Players", key));
}

} // namespace

void page_Clear(MissionPage& page) {
    std::memset(static_cast<MissionPageData*>(&page), 0, sizeof(MissionPageData));
    page.imagery.reset();
    page.wind_zones.clear();
}

void page_NameDefaultGroups(MissionPage& page) {
    nameGroupIfEmpty(page.groups[1], "BLUEPLAYERS");
    nameGroupIfEmpty(page.groups[2], "REDPLAYERS");
}

void page_Swap(MissionPage& a, MissionPage& b) {
    if (&a == &b) return;
    // The data is trivially copyable: exchanged byte by byte, without a page-sized temporary.
    auto* first = reinterpret_cast<unsigned char*>(static_cast<MissionPageData*>(&a));
    auto* second = reinterpret_cast<unsigned char*>(static_cast<MissionPageData*>(&b));
    std::swap_ranges(first, first + sizeof(MissionPageData), second);
    a.imagery.swap(b.imagery);
    a.wind_zones.swap(b.wind_zones);
}

int32_t page_NextItemId(const MissionPage& page) {
    const int count = page.num_items < 0 ? 0 : (page.num_items > kMaxItems ? kMaxItems : page.num_items);
    int32_t highest = 0;
    for (int i = 0; i < count; ++i)
        if (page.items[i].id > highest) highest = page.items[i].id;
    return static_cast<int32_t>(static_cast<uint32_t>(highest) + 1u); // wraps instead of overflowing
}

void page_SetItemDefaults(MissionItem& item) {
    // Unknown types keep definition index 0 (what the rest of the editor expects) but take no
    // class or team from the unrelated first definition.
    const int index = item_FindDefIndex(item.type_id);
    const ItemDef* def = index >= 0 ? itemdef_Get(index) : nullptr;
    item.def_index = index >= 0 ? index : 0;
    item.item_class = def != nullptr ? def->type : 0;
    item.edistances[0] = kDefaultEdistanceMin;
    item.edistances[1] = kDefaultEdistanceMax;
    item.waccuracy2 = kDefaultPercent;
    item.perception2 = kDefaultPercent;
    item.perfectionist2 = kDefaultPercent;
    item.obliqueness = kDefaultObliqueness;
    item.movetimer = kDefaultMoveTimer;
    item.crouchtimer = kDefaultCrouchTimer;
    item.shoottimer = kDefaultShootTimer;
    item.attention = kDefaultAttention;
    item.advancetimer = kDefaultAdvanceTimer;
    item.fov = kDefaultFov;
    item.wpdistance = kDefaultWpDistance;
    item.team = 0;
    if (def != nullptr && (def->attributes & kItemAttrGood) != 0) item.team = 1;
    if (def != nullptr && (def->attributes & kItemAttrEvil) != 0) item.team = 2;
}

int page_AddItem(MissionPage& page, int32_t type_id, int32_t x, int32_t y, int32_t z) {
    if (page.num_items < 0 || page.num_items >= kMaxItems) return -1;
    const int slot = page.num_items;
    MissionItem& item = page.items[slot];
    std::memset(&item, 0, sizeof item);
    item.type_id = type_id;
    item.id = page_NextItemId(page);
    page_SetItemDefaults(item);
    item.position[0] = x;
    item.position[1] = y;
    item.position[2] = z;
    item.layer = page.general.current_layer;
    page.num_items = slot + 1;
    return slot;
}

int page_AddItemCopy(MissionPage& page, const MissionItem& item) {
    if (page.num_items < 0 || page.num_items >= kMaxItems) return -1;
    const int slot = page.num_items;
    const int32_t id = page_NextItemId(page);
    MissionItem& copy = page.items[slot];
    if (&copy != &item) std::memcpy(&copy, &item, sizeof copy);
    copy.id = id;
    copy.layer = page.general.current_layer;
    page.num_items = slot + 1;
    return slot;
}

void page_UnhideAll(MissionPage& page) {
    for (int i = 0; i < page.num_items && i < kMaxItems; ++i)
        page.items[i].hidden = 0;
}

int page_DeleteItem(MissionPage& page, int slot) {
    if (slot < 0 || slot >= page.num_items || slot >= kMaxItems) return 0;
    const int last = page.num_items - 1;
    std::memmove(&page.items[slot], &page.items[slot + 1], sizeof(MissionItem) * (last - slot));
    std::memset(&page.items[last], 0, sizeof(MissionItem));
    page.num_items = last;
    ItemSelection& sel = page.selection;
    int kept = 0;
    for (int p = 0; p < sel.count && p < kMaxSelection; ++p) {
        const int32_t entry = sel.slots[p];
        if (entry == slot) continue;
        sel.slots[kept++] = entry > slot ? entry - 1 : entry;
    }
    sel.count = kept;
    return 1;
}
