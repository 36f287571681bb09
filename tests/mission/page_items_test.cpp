// Clearing pages and adding items.
#include "foundation/text_source.h"
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class PageItems : public ::testing::Test {
  protected:
    void SetUp() override { test_LoadItemDefs(); }
};

TEST_F(PageItems, NextItemIdIsOneAboveTheHighest) {
    auto page = std::make_unique<MissionPage>();
    EXPECT_EQ(page_NextItemId(*page), 1);
    page->num_items = 3;
    page->items[0].id = 1;
    page->items[1].id = 7;
    page->items[2].id = 3;
    EXPECT_EQ(page_NextItemId(*page), 8);
    page->items[3].id = 50; // beyond num_items: not counted
    EXPECT_EQ(page_NextItemId(*page), 8);
}

TEST_F(PageItems, AddItemAppliesDefinitionDefaultsAndCurrentLayer) {
    auto page = std::make_unique<MissionPage>();
    page->general.current_layer = 9;
    const int slot = page_AddItem(*page, kTestEnemyType, 100, 200, 300);
    ASSERT_EQ(slot, 0);
    const MissionItem& item = page->items[0];
    EXPECT_EQ(page->num_items, 1);
    EXPECT_EQ(item.id, 1);
    EXPECT_EQ(item.type_id, kTestEnemyType);
    EXPECT_EQ(item.def_index, 1);
    EXPECT_EQ(item.item_class, kClassPerson);
    EXPECT_EQ(item.team, 2);
    EXPECT_EQ(item.position[0], 100);
    EXPECT_EQ(item.position[2], 300);
    EXPECT_EQ(item.layer, 9);
    EXPECT_EQ(item.edistances[0], 16);
    EXPECT_EQ(item.edistances[1], 1024);
    EXPECT_EQ(item.waccuracy2, 100);
    EXPECT_EQ(item.perception2, 100);
    EXPECT_EQ(item.perfectionist2, 100);
    EXPECT_EQ(item.obliqueness, 15);
    EXPECT_EQ(item.movetimer, 3);
    EXPECT_EQ(item.crouchtimer, 3);
    EXPECT_EQ(item.shoottimer, 5);
    EXPECT_EQ(item.attention, 30);
    EXPECT_EQ(item.advancetimer, 10);
    EXPECT_EQ(item.fov, 180);
    EXPECT_EQ(item.wpdistance, 4);
}

TEST_F(PageItems, TeamFollowsGoodAndEvilWithEvilWinning) {
    auto page = std::make_unique<MissionPage>();
    page_AddItem(*page, kTestSoldierType, 0, 0, 0);
    page_AddItem(*page, kTestDoubleAgentType, 0, 0, 0);
    page_AddItem(*page, kTestJeepType, 0, 0, 0);
    EXPECT_EQ(page->items[0].team, 1);
    EXPECT_EQ(page->items[1].team, 2);
    EXPECT_EQ(page->items[2].team, 0);
    EXPECT_EQ(page->items[1].id, 2);
    EXPECT_EQ(page->items[2].id, 3);
}

TEST_F(PageItems, UnknownTypeKeepsIndexZeroButTakesNoClassFromTheFirstDefinition) {
    auto page = std::make_unique<MissionPage>();
    page_AddItem(*page, kTestUnknownType, 0, 0, 0);
    EXPECT_EQ(page->items[0].def_index, 0);
    EXPECT_EQ(page->items[0].item_class, 0);
    EXPECT_EQ(page->items[0].team, 0) << "the first definition is good, the unknown item is not";
}

TEST_F(PageItems, FullPageRefusesAddsWithoutChange) {
    auto page = std::make_unique<MissionPage>();
    page->num_items = kMaxItems;
    page->items[kMaxItems - 1].id = 5;
    MissionItem copy{};
    EXPECT_EQ(page_AddItem(*page, kTestJeepType, 1, 2, 3), -1);
    EXPECT_EQ(page_AddItemCopy(*page, copy), -1);
    EXPECT_EQ(page->num_items, kMaxItems);
    EXPECT_EQ(page->items[kMaxItems - 1].id, 5);
}

TEST_F(PageItems, AddItemCopyGivesFreshIdAndTargetLayer) {
    auto page = std::make_unique<MissionPage>();
    page->num_items = 1;
    page->items[0].id = 41;
    page->general.current_layer = 3;
    MissionItem item{};
    item.id = 41;
    item.layer = 12;
    item.weapon_type = 77;
    EXPECT_EQ(page_AddItemCopy(*page, item), 1);
    EXPECT_EQ(page->items[1].id, 42);
    EXPECT_EQ(page->items[1].layer, 3);
    EXPECT_EQ(page->items[1].weapon_type, 77);
}

TEST_F(PageItems, ClearEmptiesThePageAndReleasesWindZonesAndImagery) {
    auto page = std::make_unique<MissionPage>();
    page->num_items = 3;
    page->num_events = 2;
    std::strcpy(page->general.terrain, "desert");
    page->wind_zones.startNew();
    page->wind_zones.appendAfter(nullptr);
    ASSERT_NE(page_EnsureImagery(*page), nullptr);
    page_Clear(*page);
    EXPECT_EQ(page->num_items, 0);
    EXPECT_EQ(page->num_events, 0);
    EXPECT_EQ(page->general.terrain[0], '\0');
    EXPECT_EQ(page->wind_zones.head(), nullptr);
    EXPECT_EQ(page->imagery, nullptr);
    EXPECT_FALSE(page_HoldsMission(*page));
}

TEST_F(PageItems, ClearNamesNoGroupAndDefaultNamesFillOnlyEmptyGroups) {
    auto page = std::make_unique<MissionPage>();
    std::strcpy(page->groups[1].description, "Blues");
    page_Clear(*page);
    EXPECT_STREQ(page->groups[1].description, "") << "a clear leaves the naming to its caller";
    std::strcpy(page->groups[2].description, "Reds");
    page_NameDefaultGroups(*page);
    EXPECT_STREQ(page->groups[1].description, text_Get("Players", "BLUEPLAYERS"));
    EXPECT_STREQ(page->groups[2].description, "Reds") << "a named group keeps its name";
    EXPECT_STREQ(page->groups[3].description, "") << "only groups 1 and 2 have default names";
}

TEST_F(PageItems, SwapExchangesDataImageryAndWindZones) {
    auto read = std::make_unique<MissionPage>();
    auto kept = std::make_unique<MissionPage>();
    ASSERT_EQ(page_AddItem(*read, kTestEnemyType, 10, 20, 0), 0);
    ASSERT_EQ(page_AddItem(*read, kTestEnemyType, 30, 40, 0), 1);
    std::strcpy(read->briefing, "Hold the bridge");
    TerrainImagery* imagery = page_EnsureImagery(*read);
    ASSERT_NE(imagery, nullptr);
    WindZone* zone = read->wind_zones.startNew();
    ASSERT_EQ(page_AddItem(*kept, kTestEnemyType, 50, 60, 0), 0);
    std::strcpy(kept->general.terrain, "desert");

    page_Swap(*kept, *read);
    EXPECT_EQ(kept->num_items, 2);
    EXPECT_EQ(kept->items[1].position[1], 40);
    EXPECT_STREQ(kept->briefing, "Hold the bridge");
    EXPECT_STREQ(kept->general.terrain, "");
    EXPECT_EQ(kept->imagery.get(), imagery);
    EXPECT_EQ(kept->wind_zones.head(), zone);
    EXPECT_EQ(read->num_items, 1);
    EXPECT_EQ(read->items[0].position[0], 50);
    EXPECT_STREQ(read->general.terrain, "desert");
    EXPECT_EQ(read->imagery, nullptr);
    EXPECT_EQ(read->wind_zones.head(), nullptr);

    page_Swap(*kept, *kept); // a page swapped with itself stays as it is
    EXPECT_EQ(kept->num_items, 2);
    EXPECT_EQ(kept->wind_zones.head(), zone);
}

TEST(WindZoneChain, StartNewReplacesTheChainAndAppendGoesBehind) {
    WindZoneChain chain;
    WindZone* first = chain.startNew();
    ASSERT_NE(first, nullptr);
    WindZone* second = chain.appendAfter(first);
    WindZone* third = chain.appendAfter(second);
    EXPECT_EQ(chain.count(), 3);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->next, third);
    chain.startNew();
    EXPECT_EQ(chain.count(), 1);
    WindZone* last = chain.head();
    for (int i = 0; i < 200000; ++i)
        last = chain.appendAfter(last); // freed without recursion
    EXPECT_EQ(chain.count(), 200001);
}

} // namespace
