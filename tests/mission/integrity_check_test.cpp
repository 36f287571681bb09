// The integrity check: items whose type has no definition.
#include "mission/integrity_check.h"
#include "mission/item_lookup.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class IntegrityCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        test_InstallTexts("[Dialog Message]\nUNKNOWN_ITEMS=%i unknown items\n");
        page = std::make_unique<MissionPage>();
    }
    void TearDown() override { test_LoadItemDefs(); }

    void add(int32_t type_id) {
        MissionItem& item = page->items[page->num_items++];
        item.type_id = type_id;
    }

    std::unique_ptr<MissionPage> page;
};

TEST_F(IntegrityCheck, ItemsOfTheFirstDefinitionAreKnown) {
    add(kTestSoldierType); // definition index 0
    add(kTestUnknownType);
    add(kTestJeepType);
    add(-5);
    add(kTestSoldierType);
    EXPECT_EQ((std::vector<int>{1, 3}), page_FindUnknownItems(*page));
}

TEST_F(IntegrityCheck, MarkerAsFirstDefinitionIsKnownToo) {
    test_LoadItemDefsMarkerFirst();
    add(kWaypointMarkerType);
    add(kTestUnknownType);
    add(kTestSoldierType);
    EXPECT_EQ((std::vector<int>{1}), page_FindUnknownItems(*page));
}

TEST_F(IntegrityCheck, WithoutDefinitionsEveryItemIsUnknown) {
    test_ClearItemDefs();
    add(kTestSoldierType);
    add(kWaypointMarkerType);
    EXPECT_EQ((std::vector<int>{0, 1}), page_FindUnknownItems(*page));
}

TEST_F(IntegrityCheck, HasDefinitionAgreesWithTheCheckWhateverTheDefinitionIndexSays) {
    for (int32_t type : {kTestSoldierType, kTestUnknownType, kTestJeepType, -5, kAreaTriggerMarkerType})
        add(type);
    const std::vector<int> unknown = page_FindUnknownItems(*page);
    // def_index 0 (as the readers leave unknown items), a stale index, one outside the table.
    for (int32_t index : {0, 2, 9999, -1}) {
        for (int slot = 0; slot < page->num_items; ++slot) {
            page->items[slot].def_index = index;
            const bool listed = std::find(unknown.begin(), unknown.end(), slot) != unknown.end();
            EXPECT_EQ(item_HasDefinition(page->items[slot]), !listed)
                << "slot " << slot << ", index " << index;
        }
    }
    test_ClearItemDefs();
    EXPECT_FALSE(item_HasDefinition(page->items[0]));
}

TEST_F(IntegrityCheck, EmptyPageHasNoUnknownItems) {
    EXPECT_TRUE(page_FindUnknownItems(*page).empty());
    EXPECT_EQ("0 unknown items", integrity_SummaryText(0));
}

TEST_F(IntegrityCheck, SelectReplacesTheSelectionWithTheUnknownItems) {
    for (int32_t type : {kTestJeepType, kTestUnknownType, kTestTreeType, 12345})
        add(type);
    page->items[0].display_flags = kDisplayFlagHighlight;
    sel_Add(*page, 0);
    sel_Add(*page, 2);
    page_SelectUnknownItems(*page);
    ASSERT_EQ(2, page->selection.count);
    EXPECT_EQ(1, page->selection.slots[0]);
    EXPECT_EQ(3, page->selection.slots[1]);
    EXPECT_EQ(0, page->items[0].display_flags & kDisplayFlagHighlight);
    EXPECT_EQ("2 unknown items", integrity_SummaryText(2));
}

} // namespace
