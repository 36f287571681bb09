// Selection operations: adding, removing, deleting and copying the selected items.
#include "mission/page_ops.h"
#include "support/random_page.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

std::unique_ptr<MissionPage> pageWithItems(int count) {
    auto page = std::make_unique<MissionPage>();
    for (int i = 0; i < count; ++i)
        page->items[i].id = 100 + i; // ids tell the items apart
    page->num_items = count;
    return page;
}

std::vector<int32_t> ids(const MissionPage& page) {
    std::vector<int32_t> result;
    for (int i = 0; i < page.num_items; ++i)
        result.push_back(page.items[i].id);
    return result;
}

// The deletion exactly as the model describes it: one entry after the other, shifting the later
// items and lowering later entries above the deleted slot. Entries that are not item slots at
// their turn are passed over.
void referenceDelete(MissionPage& page) {
    std::vector<int32_t> entries(page.selection.slots, page.selection.slots + page.selection.count);
    for (size_t p = 0; p < entries.size(); ++p) {
        const int32_t s = entries[p];
        if (s < 0 || s >= page.num_items) continue;
        for (int i = s; i + 1 < page.num_items; ++i)
            page.items[i] = page.items[i + 1];
        --page.num_items;
        for (size_t q = p + 1; q < entries.size(); ++q)
            if (entries[q] > s) --entries[q];
    }
    page.selection.count = 0;
}

TEST(SelectionDelete, RemovesSlotsInSelectionOrder) {
    auto page = pageWithItems(10);
    ASSERT_EQ(sel_Add(*page, 5), 1);
    ASSERT_EQ(sel_Add(*page, 2), 1);
    sel_Delete(*page);
    EXPECT_EQ(page->num_items, 8);
    EXPECT_EQ(page->selection.count, 0);
    EXPECT_EQ(ids(*page), (std::vector<int32_t>{100, 101, 103, 104, 106, 107, 108, 109}));
}

TEST(SelectionDelete, IgnoresEntriesThatAreNotItemSlots) {
    auto page = pageWithItems(4);
    page->selection.count = 4;
    const int32_t entries[] = {-1, 7, 4, 1};
    std::memcpy(page->selection.slots, entries, sizeof entries);
    sel_Delete(*page);
    EXPECT_EQ(ids(*page), (std::vector<int32_t>{100, 102, 103}));
}

TEST(SelectionDelete, RepeatedEntryDeletesTheItemThatMovedIntoItsSlot) {
    auto page = pageWithItems(6);
    page->selection.count = 2;
    page->selection.slots[0] = 3;
    page->selection.slots[1] = 3; // not made by sel_Add, but the sequential rule still defines it
    sel_Delete(*page);
    EXPECT_EQ(ids(*page), (std::vector<int32_t>{100, 101, 102, 105}));
}

TEST(SelectionDelete, MatchesOneByOneDeletionOnRandomSelections) {
    std::mt19937 engine(7);
    for (int round = 0; round < 200; ++round) {
        const int count = std::uniform_int_distribution<int>(0, 300)(engine);
        auto page = pageWithItems(count);
        auto expected = pageWithItems(count);
        const int picks = std::uniform_int_distribution<int>(0, 320)(engine);
        std::vector<int32_t> entries;
        for (int p = 0; p < picks; ++p)
            entries.push_back(std::uniform_int_distribution<int>(-3, count + 3)(engine));
        page->selection.count = expected->selection.count = static_cast<int32_t>(entries.size());
        std::copy(entries.begin(), entries.end(), page->selection.slots);
        std::copy(entries.begin(), entries.end(), expected->selection.slots);
        sel_Delete(*page);
        referenceDelete(*expected);
        ASSERT_EQ(ids(*page), ids(*expected)) << "round " << round;
    }
}

TEST(SelectionDelete, ClearsHighlightOfRemainingItems) {
    auto page = pageWithItems(3);
    page->items[2].display_flags = kDisplayFlagHighlight | 1;
    sel_Add(*page, 0);
    sel_Delete(*page);
    EXPECT_EQ(page->items[1].display_flags, 1);
}

TEST(SelectionEdit, AddRemoveToggleKeepOrderAndUniqueness) {
    auto page = pageWithItems(10);
    EXPECT_EQ(sel_Add(*page, 4), 1);
    EXPECT_EQ(sel_Add(*page, 1), 1);
    EXPECT_EQ(sel_Add(*page, 4), 0);
    EXPECT_EQ(sel_Add(*page, 10), 0) << "not an item slot";
    EXPECT_EQ(sel_Add(*page, -1), 0);
    EXPECT_EQ(sel_Toggle(*page, 7), 1);
    EXPECT_EQ(sel_Remove(*page, 1), 1);
    EXPECT_EQ(sel_Remove(*page, 1), 0);
    ASSERT_EQ(page->selection.count, 2);
    EXPECT_EQ(page->selection.slots[0], 4);
    EXPECT_EQ(page->selection.slots[1], 7);
    EXPECT_EQ(sel_Toggle(*page, 4), -1);
    EXPECT_EQ(page->selection.count, 1);
    EXPECT_EQ(sel_Contains(*page, 7), 1);
}

TEST(SelectionEdit, ClearDropsHighlightOfEveryItem) {
    auto page = pageWithItems(5);
    for (int i = 0; i < 5; ++i)
        page->items[i].display_flags = 0x7;
    sel_Add(*page, 1);
    sel_Clear(*page);
    EXPECT_EQ(page->selection.count, 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(page->items[i].display_flags, 0x5);
}

TEST(SelectionEdit, HideAndMoveTouchOnlyTheirItems) {
    auto page = pageWithItems(4);
    sel_Add(*page, 2);
    sel_Add(*page, 0);
    sel_HideSelected(*page);
    EXPECT_EQ(page->items[0].hidden + page->items[1].hidden + page->items[2].hidden + page->items[3].hidden,
              2);
    EXPECT_EQ(page->items[2].hidden, 1);
    sel_HideUnselected(*page);
    EXPECT_EQ(page->items[0].hidden, 0);
    EXPECT_EQ(page->items[1].hidden, 1);
    EXPECT_EQ(page->items[3].hidden, 1);
    page_UnhideAll(*page);
    EXPECT_EQ(page->items[1].hidden, 0);
    sel_Move(*page, 10, -20, 3);
    EXPECT_EQ(page->items[2].position[0], 10);
    EXPECT_EQ(page->items[2].position[1], -20);
    EXPECT_EQ(page->items[2].position[2], 3);
    EXPECT_EQ(page->items[1].position[0], 0);
}

TEST(SelectionCopy, CopiesInSelectionOrderWithOffsetsAndSelectsTheCopies) {
    auto source = pageWithItems(5);
    auto target = pageWithItems(2);
    target->general.current_layer = 6;
    source->items[3].position[0] = 100;
    source->items[3].hidden = 1;
    source->items[3].layer = 2;
    sel_Add(*source, 3);
    sel_Add(*source, 1);
    EXPECT_EQ(sel_CopyInto(*target, *source, 5, 6, 7), 0) << "nothing skipped";
    ASSERT_EQ(target->num_items, 4);
    EXPECT_EQ(target->items[2].position[0], 105);
    EXPECT_EQ(target->items[2].position[1], 6);
    EXPECT_EQ(target->items[2].hidden, 0);
    EXPECT_EQ(target->items[2].layer, 6);
    EXPECT_EQ(target->items[2].id, 102) << "highest id of the target + 1";
    EXPECT_EQ(target->items[3].id, 103);
    ASSERT_EQ(target->selection.count, 2);
    EXPECT_EQ(target->selection.slots[0], 2);
    EXPECT_EQ(target->selection.slots[1], 3);
    EXPECT_EQ(source->num_items, 5);
}

TEST(SelectionCopy, SkipsWhatDoesNotFitAFullPage) {
    auto source = pageWithItems(3);
    auto target = pageWithItems(kMaxItems - 1);
    sel_Add(*source, 0);
    sel_Add(*source, 1);
    sel_Add(*source, 2);
    EXPECT_EQ(sel_CopyInto(*target, *source, 0, 0, 0), 2) << "the items that did not fit";
    EXPECT_EQ(target->num_items, kMaxItems);
    EXPECT_EQ(target->selection.count, 1);
    EXPECT_EQ(sel_CopyInto(*target, *source, 0, 0, 0), 3) << "a full page takes none";
    EXPECT_EQ(target->selection.count, 0);
}

TEST(SelectionCopy, IntoTheSamePageCopiesTheSelection) {
    auto page = pageWithItems(3);
    sel_Add(*page, 2);
    sel_CopyInto(*page, *page, 1, 0, 0);
    ASSERT_EQ(page->num_items, 4);
    EXPECT_EQ(page->items[3].position[0], 1);
    EXPECT_EQ(page->selection.slots[0], 3);
}

TEST(ItemDelete, ShiftsLaterItemsAndLowersSelection) {
    auto page = pageWithItems(5);
    sel_Add(*page, 4);
    sel_Add(*page, 1);
    sel_Add(*page, 0);
    EXPECT_EQ(page_DeleteItem(*page, 1), 1);
    EXPECT_EQ(ids(*page), (std::vector<int32_t>{100, 102, 103, 104}));
    ASSERT_EQ(page->selection.count, 2);
    EXPECT_EQ(page->selection.slots[0], 3);
    EXPECT_EQ(page->selection.slots[1], 0);
    EXPECT_EQ(page_DeleteItem(*page, 4), 0);
}

} // namespace
