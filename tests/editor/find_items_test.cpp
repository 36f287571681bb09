// The Find Items table without widgets: the texts of its columns, the filter, the order.

#include "editor/find_items.h"

#include "mission/page_ops.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kMetre = 256;

class FindItems : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        static const StringTable* texts =
            test_BuildTable(test_ReadFile(std::string(QZ_SOURCE_DIR) + "/demo/text/text.txt"));
        ASSERT_NE(texts, nullptr);
        TextLookup_SetTable(texts);
        names = test_BuildTable("[WPNames]\nSTRWPNAME000=Alpha\nSTRWPNAME001=Bridge\n"
                                "[PeopleNames]\nSTRNAME000=(unnamed)\nSTRNAME001=Sgt. Alan BROOKS\n"
                                "STRNAME002=Cpl. Dana Ortiz\n");
        page = std::make_unique<MissionPage>();
        std::strcpy(page->groups[3].description, "Red Patrol");
        std::strcpy(page->layers[1].description, "Blue base");
        std::strcpy(page->waypoints[2].description, "Assault");
        soldier = add(kTestSoldierType, 812 * kMetre + 128, -420 * kMetre);
        page->items[soldier].name_index = 1;
        page->items[soldier].group_id = 3;
        page->items[soldier].layer = 1;
        page->items[soldier].waypoint_id = 2;
        enemy = add(kTestEnemyType, 5 * kMetre, 5 * kMetre);
        page->items[enemy].name_index = 2;
        marker = add(kWaypointMarkerType, 0, 0);
        page->items[marker].waypoint_id = 2;
        page->items[marker].wpnumber = 4;
        page->items[marker].ttoolindex = 1;
        jeep = add(kTestJeepType, -kMetre, 0);
        unknown = add(kTestUnknownType, 0, 0);
        table.rebuild(*page, names);
    }

    int add(int32_t type, int32_t x, int32_t y) {
        const int slot = page_AddItem(*page, type, x, y, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }
    std::vector<int> slotsShown() const {
        std::vector<int> slots;
        for (int row = 0; row < table.rowCount(); ++row)
            slots.push_back(table.slotAt(row));
        return slots;
    }
    std::vector<int> matching(const char* filter) {
        table.setFilter(filter);
        return slotsShown();
    }

    const StringTable* names = nullptr;
    std::unique_ptr<MissionPage> page;
    FindItemsTable table;
    int soldier = -1, enemy = -1, marker = -1, jeep = -1, unknown = -1;
};

TEST_F(FindItems, ColumnsShowTheItemInWords) {
    const int row = table.rowOfSlot(soldier);
    ASSERT_GE(row, 0);
    EXPECT_EQ("0", table.cell(row, kFindSlot));
    EXPECT_EQ(std::to_string(page->items[soldier].id), table.cell(row, kFindId));
    EXPECT_EQ("Person", table.cell(row, kFindClass));
    EXPECT_EQ("Soldier", table.cell(row, kFindDefinition));
    EXPECT_EQ("Sgt. Alan BROOKS", table.cell(row, kFindName));
    EXPECT_EQ("Blue", table.cell(row, kFindTeam));
    EXPECT_EQ("3 - Red Patrol", table.cell(row, kFindGroup));
    EXPECT_EQ("2 - Blue base", table.cell(row, kFindLayer)) << "layers counted from 1";
    EXPECT_EQ("2 - Assault", table.cell(row, kFindWaypoint));
    EXPECT_EQ("812.5, -420.0, 0.0", table.cell(row, kFindPosition));
    EXPECT_EQ("Slot", find_ColumnTitle(kFindSlot));
    EXPECT_EQ("Position (m)", find_ColumnTitle(kFindPosition));
}

TEST_F(FindItems, MarkersShowTheirListNumberAndWaypointName) {
    const int row = table.rowOfSlot(marker);
    EXPECT_EQ("2 - Assault / 4", table.cell(row, kFindWaypoint));
    EXPECT_EQ("Bridge", table.cell(row, kFindName));
    EXPECT_EQ("", table.cell(table.rowOfSlot(jeep), kFindName)) << "only people and waypoints have names";
    EXPECT_EQ("", table.cell(table.rowOfSlot(jeep), kFindGroup));
    EXPECT_EQ("Unknown type 999", table.cell(table.rowOfSlot(unknown), kFindDefinition));
}

TEST_F(FindItems, FilterIgnoresLetterCase) {
    EXPECT_EQ((std::vector<int>{soldier}), matching("brooks"));
    EXPECT_EQ((std::vector<int>{soldier}), matching("aLaN"));
    EXPECT_EQ((std::vector<int>{enemy}), matching("ORTIZ"));
    EXPECT_EQ(find_Fold("\xC9T\xC9 \xD7"), "\xE9t\xE9 \xD7") << "Latin-1 capitals fold, the sign does not";
}

TEST_F(FindItems, FilterFindsGroupLayerAndListDescriptions) {
    EXPECT_EQ((std::vector<int>{soldier}), matching("red patrol"));
    EXPECT_EQ((std::vector<int>{soldier}), matching("blue base"));
    EXPECT_EQ((std::vector<int>{soldier, marker}), matching("assault"));
}

TEST_F(FindItems, FilterFindsNumbers) {
    EXPECT_EQ((std::vector<int>{soldier}), matching("812.5"));
    EXPECT_EQ((std::vector<int>{marker}), matching("/ 4"));
    EXPECT_EQ((std::vector<int>{unknown}), matching("999"));
    const std::string id = std::to_string(page->items[jeep].id);
    EXPECT_EQ((std::vector<int>{jeep}), matching(("-1.0 " + id).c_str())) << "every word must match";
}

TEST_F(FindItems, WordsDoNotMatchAcrossColumns) {
    // "Blue" ends the team column and "3 - Red Patrol" starts the group column.
    EXPECT_TRUE(matching("blue3").empty());
    EXPECT_TRUE(matching("nothing like this").empty());
    EXPECT_EQ(5, static_cast<int>(matching("  ").size())) << "an empty filter shows every item";
    EXPECT_EQ(-1, table.rowOfSlot(99));
}

TEST_F(FindItems, SortingByColumnsKeepsTheFilter) {
    table.setFilter("");
    table.sortBy(kFindDefinition, true);
    // Enemy, Jeep, Soldier, Unknown type 999, Waypoint.
    EXPECT_EQ((std::vector<int>{enemy, jeep, soldier, unknown, marker}), slotsShown());
    table.sortBy(kFindPosition, false); // by X, largest first; equal X in slot order reversed
    EXPECT_EQ((std::vector<int>{soldier, enemy, unknown, marker, jeep}), slotsShown());
    table.setFilter("e");
    table.sortBy(kFindSlot, true);
    for (int row = 0; row + 1 < table.rowCount(); ++row)
        EXPECT_LT(table.slotAt(row), table.slotAt(row + 1));
    EXPECT_EQ(table.rowCount(), static_cast<int>(slotsShown().size()));
}

TEST_F(FindItems, RebuildFollowsThePageAndKeepsFilterAndOrder) {
    table.setFilter("soldier");
    table.sortBy(kFindId, false);
    const int second = add(kTestSoldierType, 0, 0);
    page_DeleteItem(*page, enemy);
    table.rebuild(*page, names);
    EXPECT_EQ("soldier", table.filter());
    EXPECT_EQ(kFindId, table.sortColumn());
    EXPECT_EQ((std::vector<int>{second - 1, soldier}), slotsShown());
    EXPECT_EQ(page->num_items, table.itemCount());
}

TEST_F(FindItems, WithoutANameTableTheNameColumnIsEmpty) {
    table.rebuild(*page, nullptr);
    EXPECT_EQ("", table.cell(table.rowOfSlot(soldier), kFindName));
    EXPECT_TRUE(matching("brooks").empty());
}

} // namespace
