// The undo history of one page on its own: steps, the selection, derived values, wind zones, the
// byte bound and the changed flag.

#include "editor/page_history.h"
#include "mission/page_ops.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

bool sameBytes(const MissionPageData& a, const MissionPageData& b) {
    return std::memcmp(&a, &b, sizeof(MissionPageData)) == 0;
}

std::unique_ptr<MissionPageData> copyOf(const MissionPage& page) {
    auto copy = std::make_unique<MissionPageData>();
    std::memcpy(static_cast<void*>(copy.get()), static_cast<const MissionPageData*>(&page),
                sizeof(MissionPageData));
    return copy;
}

class PageHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 10; ++i)
            page_AddItem(page, 1000 + i, i * 256, i * 512, 0);
        history.reset(page);
    }

    MissionPage page;
    PageHistory history;
};

TEST_F(PageHistoryTest, NothingChangedIsNoStep) {
    EXPECT_FALSE(history.record(page, "Move"));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.modified());
}

TEST_F(PageHistoryTest, UndoAndRedoRestoreEveryByteOutsideTheSelection) {
    const auto before = copyOf(page);
    page.items[3].position[0] += 4096;
    std::strcpy(page.general.name, "Hill");
    page_AddItem(page, 77, 1, 2, 3);
    const auto after = copyOf(page);
    ASSERT_TRUE(history.record(page, "Edit"));
    EXPECT_EQ(history.undoName(), "Edit");

    ASSERT_TRUE(history.undo(page));
    EXPECT_TRUE(sameBytes(page, *before));
    EXPECT_EQ(history.redoName(), "Edit");
    EXPECT_FALSE(history.canUndo());
    ASSERT_TRUE(history.redo(page));
    EXPECT_TRUE(sameBytes(page, *after));
    EXPECT_FALSE(history.canRedo());
}

TEST_F(PageHistoryTest, StepsUndoInReverseOrderAndANewStepDropsTheRedoSteps) {
    const auto start = copyOf(page);
    page.items[0].team = 2;
    history.record(page, "First");
    const auto afterFirst = copyOf(page);
    page.items[0].team = 3;
    history.record(page, "Second");
    history.undo(page);
    EXPECT_TRUE(sameBytes(page, *afterFirst));
    history.undo(page);
    EXPECT_TRUE(sameBytes(page, *start));
    history.redo(page);
    page.items[1].team = 4;
    history.record(page, "Third");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.stepCount(), 2u);
    EXPECT_EQ(history.undoName(), "Third");
}

TEST_F(PageHistoryTest, SelectionAloneIsNoStepButStepsRestoreIt) {
    sel_Add(page, 2);
    sel_Add(page, 5);
    EXPECT_FALSE(history.record(page, "Select"));

    sel_Move(page, 100, 0, 0);
    sel_Clear(page);
    sel_Add(page, 7);
    ASSERT_TRUE(history.record(page, "Move"));
    history.undo(page);
    ASSERT_EQ(page.selection.count, 2);
    EXPECT_EQ(page.selection.slots[0], 2);
    EXPECT_EQ(page.selection.slots[1], 5);
    history.redo(page);
    ASSERT_EQ(page.selection.count, 1);
    EXPECT_EQ(page.selection.slots[0], 7);
}

TEST_F(PageHistoryTest, DerivedValuesAloneAreNoStep) {
    page.items[4].type_id = kWaypointMarkerType;
    page.items[4].waypoint_id = 3;
    history.record(page, "Marker");
    page_RebuildWaypointLists(page);
    page_CountGroupMembers(page);
    EXPECT_FALSE(history.record(page, "Waypoints"));
    EXPECT_EQ(history.stepCount(), 1u);
    // What the rebuild left is the new base: an edit afterwards keeps it through undo.
    const int32_t members = page.waypoints[3].member_count;
    page.general.wind[0] = 9;
    history.record(page, "Wind");
    history.undo(page);
    EXPECT_EQ(page.waypoints[3].member_count, members);
}

TEST_F(PageHistoryTest, WindZonesAreRestored) {
    WindZone* zone = page.wind_zones.startNew();
    std::strcpy(zone->name, "North");
    zone->speed = 12;
    page.wind_zones.appendAfter(zone)->heading = 90;
    ASSERT_TRUE(history.record(page, "Wind zones"));
    history.undo(page);
    EXPECT_EQ(page.wind_zones.count(), 0);
    history.redo(page);
    ASSERT_EQ(page.wind_zones.count(), 2);
    EXPECT_STREQ(page.wind_zones.head()->name, "North");
    EXPECT_EQ(page.wind_zones.head()->next->heading, 90);
}

TEST_F(PageHistoryTest, ChangedFlagFollowsSaveUndoAndRedo) {
    page.items[0].fov = 90;
    history.record(page, "Fov");
    EXPECT_TRUE(history.modified());
    history.markSaved();
    EXPECT_FALSE(history.modified());
    page.items[0].fov = 45;
    history.record(page, "Fov");
    EXPECT_TRUE(history.modified());
    history.undo(page);
    EXPECT_FALSE(history.modified()); // back at the saved state
    history.undo(page);
    EXPECT_TRUE(history.modified()); // before the saved state
    history.redo(page);
    EXPECT_FALSE(history.modified());
    history.redo(page);
    EXPECT_TRUE(history.modified());
}

TEST_F(PageHistoryTest, SavedStateLostToANewBranchStaysChanged) {
    page.items[0].fov = 90;
    history.record(page, "Fov");
    history.markSaved();
    history.undo(page);
    page.items[0].fov = 90; // the same bytes again, but by another step
    history.record(page, "Fov");
    EXPECT_TRUE(history.modified());
}

TEST_F(PageHistoryTest, ResetForgetsTheStepsAndCountsAsSaved) {
    page.items[0].fov = 90;
    history.record(page, "Fov");
    history.reset(page);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.modified());
    EXPECT_EQ(history.stepBytes(), 0u);
}

TEST_F(PageHistoryTest, AbsorbedChangesAreNoStepAndSurviveUndo) {
    std::strcpy(page.general.mission_file, "a.mis");
    history.absorb(page);
    page.items[1].team = 2;
    history.record(page, "Team");
    history.undo(page);
    EXPECT_STREQ(page.general.mission_file, "a.mis");
    EXPECT_FALSE(history.modified());
}

TEST(PageHistoryBound, OldestStepsGoWhenTheBytesPassTheBound) {
    MissionPage page;
    for (int i = 0; i < 100; ++i)
        page_AddItem(page, 1000, 0, 0, 0);
    PageHistory history(64 * 1024);
    history.reset(page);
    for (int step = 0; step < 200; ++step) {
        for (int i = 0; i < 100; ++i)
            page.items[i].position[0] += 256; // about 3 KB a step
        history.record(page, "Move");
        EXPECT_LE(history.stepBytes(), history.byteLimit());
    }
    EXPECT_LT(history.stepCount(), 200u);
    EXPECT_GT(history.stepCount(), 1u);
    // Undo as far as the history reaches; the page is then where the oldest kept step began.
    const size_t kept = history.stepCount();
    while (history.undo(page)) {
    }
    EXPECT_EQ(page.items[0].position[0], int32_t(256 * (200 - kept)));
    EXPECT_TRUE(history.modified());
}

TEST(PageHistoryBound, AStepLargerThanTheBoundIsStillKept) {
    MissionPage page;
    PageHistory history(1024);
    history.reset(page);
    for (int i = 0; i < 1000; ++i)
        page_AddItem(page, 1000, i, 0, 0);
    ASSERT_TRUE(history.record(page, "Paste 1000 Items"));
    EXPECT_EQ(history.stepCount(), 1u);
    history.undo(page);
    EXPECT_EQ(page.num_items, 0);
}

} // namespace
