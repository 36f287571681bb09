// The selection of a page and the operations on the selected items.
#include "mission/page_ops.h"

#include <cstring>
#include <vector>

namespace {

int itemCount(const MissionPage& page) {
    return page.num_items < 0 ? 0 : (page.num_items > kMaxItems ? kMaxItems : page.num_items);
}

int selectionCount(const MissionPage& page) {
    const int count = page.selection.count;
    return count < 0 ? 0 : (count > kMaxSelection ? kMaxSelection : count);
}

bool isItemSlot(const MissionPage& page, int32_t slot) {
    return slot >= 0 && slot < itemCount(page);
}

} // namespace

void sel_Clear(MissionPage& page) {
    page.selection.count = 0;
    for (int i = 0; i < kMaxItems; ++i)
        page.items[i].display_flags &= ~kDisplayFlagHighlight;
}

int sel_Contains(const MissionPage& page, int slot) {
    const int count = selectionCount(page);
    for (int p = 0; p < count; ++p)
        if (page.selection.slots[p] == slot) return 1;
    return 0;
}

int sel_Add(MissionPage& page, int slot) {
    if (!isItemSlot(page, slot) || sel_Contains(page, slot)) return 0;
    const int count = selectionCount(page);
    if (count >= kMaxSelection) return 0;
    page.selection.slots[count] = slot;
    page.selection.count = count + 1;
    return 1;
}

int sel_Remove(MissionPage& page, int slot) {
    const int count = selectionCount(page);
    for (int p = 0; p < count; ++p) {
        if (page.selection.slots[p] != slot) continue;
        std::memmove(&page.selection.slots[p], &page.selection.slots[p + 1],
                     sizeof(int32_t) * (count - 1 - p));
        page.selection.count = count - 1;
        return 1;
    }
    return 0;
}

int sel_Toggle(MissionPage& page, int slot) {
    if (sel_Remove(page, slot)) return -1;
    return sel_Add(page, slot);
}

void sel_HideSelected(MissionPage& page) {
    const int count = selectionCount(page);
    for (int p = 0; p < count; ++p) {
        const int32_t slot = page.selection.slots[p];
        if (isItemSlot(page, slot)) page.items[slot].hidden = 1;
    }
}

void sel_HideUnselected(MissionPage& page) {
    const int items = itemCount(page);
    for (int i = 0; i < items; ++i)
        page.items[i].hidden = 1;
    const int count = selectionCount(page);
    for (int p = 0; p < count; ++p) {
        const int32_t slot = page.selection.slots[p];
        if (isItemSlot(page, slot)) page.items[slot].hidden = 0;
    }
}

void sel_Move(MissionPage& page, int32_t dx, int32_t dy, int32_t dz) {
    const int count = selectionCount(page);
    for (int p = 0; p < count; ++p) {
        const int32_t slot = page.selection.slots[p];
        if (!isItemSlot(page, slot)) continue;
        int32_t* position = page.items[slot].position;
        // Wrapping arithmetic, as the 32-bit fields of the game do.
        position[0] = static_cast<int32_t>(static_cast<uint32_t>(position[0]) + static_cast<uint32_t>(dx));
        position[1] = static_cast<int32_t>(static_cast<uint32_t>(position[1]) + static_cast<uint32_t>(dy));
        position[2] = static_cast<int32_t>(static_cast<uint32_t>(position[2]) + static_cast<uint32_t>(dz));
    }
}

// Deleting the entries one after the other (shift the later items down, lower the later entries
// above the deleted slot) means: each entry deletes the first item still present at or after
// the slot it named originally; an entry at or past the end deletes nothing. A "next present
// slot" union-find gives that target in near-constant time, and one compaction pass then moves
// every surviving item once.
void sel_Delete(MissionPage& page) {
    const int items = itemCount(page);
    const int count = selectionCount(page);
    if (items > 0 && count > 0) {
        std::vector<int32_t> next(items + 1);
        for (int i = 0; i <= items; ++i)
            next[i] = i;
        auto findPresent = [&next](int32_t slot) {
            int32_t root = slot;
            while (next[root] != root)
                root = next[root];
            while (next[slot] != root) {
                const int32_t up = next[slot];
                next[slot] = root;
                slot = up;
            }
            return root;
        };
        std::vector<uint8_t> deleted(items, 0);
        for (int p = 0; p < count; ++p) {
            const int32_t entry = page.selection.slots[p];
            if (entry < 0 || entry >= items) continue;
            const int32_t target = findPresent(entry);
            if (target >= items) continue;
            deleted[target] = 1;
            next[target] = target + 1;
        }
        int kept = 0;
        for (int i = 0; i < items; ++i) {
            if (deleted[i]) continue;
            if (kept != i) std::memcpy(&page.items[kept], &page.items[i], sizeof(MissionItem));
            ++kept;
        }
        if (kept < items) std::memset(&page.items[kept], 0, sizeof(MissionItem) * (items - kept));
        page.num_items = kept;
    }
    sel_Clear(page);
}

int sel_CopyInto(MissionPage& target, const MissionPage& source, int32_t dx, int32_t dy, int32_t dz) {
    // Taken first, so that copying a page's selection into the page itself stays defined.
    const int count = selectionCount(source);
    std::vector<int32_t> slots(source.selection.slots, source.selection.slots + count);
    const int sourceItems = itemCount(source);
    sel_Clear(target);
    int skipped = 0;
    for (const int32_t slot : slots) {
        if (slot < 0 || slot >= sourceItems) continue;
        MissionItem copy;
        std::memcpy(&copy, &source.items[slot], sizeof copy);
        copy.position[0] =
            static_cast<int32_t>(static_cast<uint32_t>(copy.position[0]) + static_cast<uint32_t>(dx));
        copy.position[1] =
            static_cast<int32_t>(static_cast<uint32_t>(copy.position[1]) + static_cast<uint32_t>(dy));
        copy.position[2] =
            static_cast<int32_t>(static_cast<uint32_t>(copy.position[2]) + static_cast<uint32_t>(dz));
        copy.hidden = 0;
        const int added = page_AddItemCopy(target, copy);
        if (added >= 0)
            sel_Add(target, added);
        else
            ++skipped;
    }
    return skipped;
}
