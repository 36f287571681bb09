// Derived data: waypoint list members, group member counts, area-trigger extents.
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DerivedData : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        page = std::make_unique<MissionPage>();
    }

    // Adds filler items up to `slot`, then an item of `type` there.
    MissionItem& itemAt(int slot, int32_t type) {
        while (page->num_items <= slot)
            page_AddItem(*page, kTestTreeType, 0, 0, 0);
        MissionItem& item = page->items[slot];
        item.type_id = type;
        page_SetItemDefaults(item);
        return item;
    }

    MissionItem& waypointMarker(int slot, int32_t list, int32_t position) {
        MissionItem& item = itemAt(slot, kWaypointMarkerType);
        item.waypoint_id = list;
        item.wpnumber = position;
        return item;
    }

    MissionItem& areaMarker(int slot, int32_t area, int32_t x, int32_t y) {
        MissionItem& item = itemAt(slot, kAreaTriggerMarkerType);
        item.wpnumber = area;
        item.position[0] = x;
        item.position[1] = y;
        return item;
    }

    std::unique_ptr<MissionPage> page;
};

TEST_F(DerivedData, WaypointMembersAreOrderedByPosition) {
    waypointMarker(4, 3, 2);
    waypointMarker(9, 3, 0);
    page_RebuildWaypointLists(*page);
    ASSERT_EQ(page->waypoints[3].member_count, 2);
    EXPECT_EQ(page->waypoints[3].members[0], 9);
    EXPECT_EQ(page->waypoints[3].members[1], 4);
}

TEST_F(DerivedData, WaypointExchangeSortOrderOfEqualPositions) {
    // Positions 2, 2, 1 in slots 0, 1, 2: exchanging slot 0 with slot 2 puts the second "2" first.
    waypointMarker(0, 5, 2);
    waypointMarker(1, 5, 2);
    waypointMarker(2, 5, 1);
    page_RebuildWaypointLists(*page);
    ASSERT_EQ(page->waypoints[5].member_count, 3);
    EXPECT_EQ(page->waypoints[5].members[0], 2);
    EXPECT_EQ(page->waypoints[5].members[1], 1);
    EXPECT_EQ(page->waypoints[5].members[2], 0);
}

TEST_F(DerivedData, InvalidListNumbersBelongToNoListAndAreReset) {
    waypointMarker(0, 128, 0);
    waypointMarker(1, 0, 0);
    waypointMarker(2, -4, 0);
    MissionItem& other = itemAt(3, kTestSoldierType);
    other.waypoint_id = 200;             // not a marker: an assigned list, left alone
    page->waypoints[1].member_count = 9; // stale
    page_RebuildWaypointLists(*page);
    for (int n = 0; n < kMaxWaypointLists; ++n)
        EXPECT_EQ(page->waypoints[n].member_count, 0) << n;
    EXPECT_EQ(page->items[0].waypoint_id, 0);
    EXPECT_EQ(page->items[2].waypoint_id, 0);
    EXPECT_EQ(page->items[3].waypoint_id, 200);
}

TEST_F(DerivedData, MarkersBeyondSixtyFourMemberSlotsAreSkipped) {
    for (int i = 0; i < 70; ++i)
        waypointMarker(i, 7, 69 - i);
    page_RebuildWaypointLists(*page);
    ASSERT_EQ(page->waypoints[7].member_count, kMaxWaypointMembers);
    EXPECT_EQ(page->waypoints[7].members[0], 63); // the 64 first markers, by position
    EXPECT_EQ(page->waypoints[7].members[63], 0);
    EXPECT_EQ(page->items[69].waypoint_id, 7);
}

TEST_F(DerivedData, NoMarkerDefinitionLeavesListsEmpty) {
    waypointMarker(0, 3, 0);
    areaMarker(1, 4, 0, 0);
    test_ClearItemDefs();
    page_RebuildWaypointLists(*page);
    page_RebuildAreaTriggers(*page);
    EXPECT_EQ(page->waypoints[3].member_count, 0);
    EXPECT_EQ(page->area_triggers[4].area_number, 0);
}

TEST_F(DerivedData, UnknownItemsAreNotMarkersWhenTheMarkerIsTheFirstDefinition) {
    test_LoadItemDefsMarkerFirst();
    waypointMarker(0, 3, 0);
    MissionItem& unknown = itemAt(1, kTestUnknownType);
    unknown.waypoint_id = 3;
    ASSERT_EQ(page->items[0].def_index, 0);
    ASSERT_EQ(unknown.def_index, 0);
    page_RebuildWaypointLists(*page);
    ASSERT_EQ(page->waypoints[3].member_count, 1);
    EXPECT_EQ(page->waypoints[3].members[0], 0);
}

TEST_F(DerivedData, GroupCountsSkipNumbersOutsideTheRecords) {
    itemAt(0, kTestSoldierType).group_id = 1;
    itemAt(1, kTestSoldierType).group_id = 1;
    itemAt(2, kTestSoldierType).group_id = 63;
    itemAt(3, kTestSoldierType).group_id = 64;
    itemAt(4, kTestSoldierType).group_id = -1;
    page_CountGroupMembers(*page);
    EXPECT_EQ(page->groups[1].member_count, 2);
    EXPECT_EQ(page->groups[63].member_count, 1);
    int total = 0;
    for (const ItemGroup& group : page->groups)
        total += group.member_count;
    EXPECT_EQ(total, 3);
}

TEST_F(DerivedData, AreaTriggerExtentsAndFirstMarker) {
    areaMarker(0, 5, 10, 4);
    areaMarker(1, 5, 30, -2);
    areaMarker(2, 5, 10, 9); // same smallest x: the first one stays first_marker
    areaMarker(3, 5, -7, 0);
    areaMarker(4, 6, 1, 1);
    page_RebuildAreaTriggers(*page);
    const AreaTrigger& trigger = page->area_triggers[5];
    EXPECT_EQ(trigger.area_number, 5);
    EXPECT_EQ(trigger.first_marker, 3);
    EXPECT_EQ(trigger.min_x, -7);
    EXPECT_EQ(trigger.max_x, 30);
    EXPECT_EQ(trigger.min_y, -2);
    EXPECT_EQ(trigger.max_y, 9);
    EXPECT_EQ(page->area_triggers[6].first_marker, 4);
}

TEST_F(DerivedData, AreaTriggerTieKeepsTheFirstMarker) {
    areaMarker(2, 5, 10, 0);
    areaMarker(6, 5, 10, 3);
    page_RebuildAreaTriggers(*page);
    EXPECT_EQ(page->area_triggers[5].first_marker, 2);
}

TEST_F(DerivedData, AreaMarkersOutsideOneToNinetyNineAreIgnored) {
    areaMarker(0, 100, 0, 0);
    areaMarker(1, 0, 0, 0);
    areaMarker(2, -1, 0, 0);
    page->area_triggers[50].area_number = 50; // stale
    page_RebuildAreaTriggers(*page);
    for (const AreaTrigger& trigger : page->area_triggers)
        EXPECT_EQ(trigger.area_number, 0);
}

} // namespace
