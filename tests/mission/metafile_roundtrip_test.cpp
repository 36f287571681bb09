// Round trips: any page written and read back holds the same saved fields.
#include "metafile_test_util.h"
#include "mission/page_ops.h"
#include "support/random_page.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class MetafileRoundTrip : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override { test_LoadItemDefs(); }
    TempDir dir;
};

TEST_P(MetafileRoundTrip, RandomPageReadsBackEqual) {
    const uint32_t seed = GetParam();
    RandomPageOptions options;
    options.items = 500 + static_cast<int>(seed % 7) * 500;
    options.events = static_cast<int>(seed % 5) * 60;
    auto written = std::make_unique<MissionPage>();
    test_FillRandomPage(*written, seed, options);
    const std::string path = dir.path("round.mis");
    ASSERT_TRUE(metafile_Write(*written, path.c_str()));
    auto read = std::make_unique<MissionPage>();
    ASSERT_EQ(metafile_Load(*read, path.c_str()), 1);
    EXPECT_EQ(test_SavedFieldsDiff(*written, *read), "");

    // Items that had no id got fresh ones above every id of the page, in slot order.
    int32_t highest = 0;
    for (int i = 0; i < written->num_items; ++i)
        highest = std::max(highest, written->items[i].id);
    for (int i = 0; i < written->num_items; ++i) {
        if (written->items[i].id != 0) continue;
        EXPECT_EQ(read->items[i].id, ++highest) << "slot " << i;
    }

    // Writing the read page gives the same file again, ids aside.
    for (int i = 0; i < written->num_items; ++i)
        if (written->items[i].id == 0) read->items[i].id = 0;
    EXPECT_EQ(firstDifference(formatPage(*read), formatPage(*written)), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, MetafileRoundTrip, ::testing::Values(1u, 2u, 3u, 17u, 42u, 99u, 1234u));

TEST_F(MetafileRoundTrip, FullPageWithFullEvents) {
    RandomPageOptions options;
    options.items = kMaxItems;
    options.events = kMaxEvents;
    options.full_events = true;
    auto written = std::make_unique<MissionPage>();
    test_FillRandomPage(*written, 5150, options);
    const std::string path = dir.path("full.mis");
    ASSERT_TRUE(metafile_Write(*written, path.c_str()));
    auto read = std::make_unique<MissionPage>();
    ASSERT_EQ(metafile_Load(*read, path.c_str()), 1);
    EXPECT_EQ(test_SavedFieldsDiff(*written, *read), "");
}

TEST_F(MetafileRoundTrip, DerivedDataIsRebuiltNotRead) {
    auto written = std::make_unique<MissionPage>();
    const int marker = page_AddItem(*written, kWaypointMarkerType, 0, 0, 0);
    written->items[marker].waypoint_id = 4;
    const int area = page_AddItem(*written, kAreaTriggerMarkerType, 7, 8, 0);
    written->items[area].wpnumber = 6;
    const std::string path = dir.path("derived.mis");
    ASSERT_TRUE(metafile_Write(*written, path.c_str()));
    auto read = std::make_unique<MissionPage>();
    ASSERT_EQ(metafile_Load(*read, path.c_str()), 1);
    EXPECT_EQ(read->waypoints[4].member_count, 0) << "members are derived on use, not loaded";
    page_RebuildWaypointLists(*read);
    page_RebuildAreaTriggers(*read);
    EXPECT_EQ(read->waypoints[4].member_count, 1);
    EXPECT_EQ(read->area_triggers[6].first_marker, area);
    EXPECT_EQ(read->items[area].def_index, written->items[area].def_index);
    EXPECT_EQ(read->items[area].item_class, kClassMarker);
}

TEST_F(MetafileRoundTrip, OutOfRangeMarkerListIsWrittenAsZero) {
    auto written = std::make_unique<MissionPage>();
    const int marker = page_AddItem(*written, kWaypointMarkerType, 0, 0, 0);
    written->items[marker].waypoint_id = 300;
    const std::string text = formatPage(*written);
    EXPECT_EQ(written->items[marker].waypoint_id, 0) << "the rebuild before writing resets it";
    EXPECT_EQ(text.find("waypoint_id"), std::string::npos);
}

} // namespace
