// The list of recent missions: order, the eight-entry limit, duplicates and stored lists.

#include "editor/recent_missions.h"

#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string mission(int n) {
    return "/missions/m" + std::to_string(n) + ".mis";
}

TEST(RecentMissions, MostRecentFirstAndEightAtMost) {
    RecentMissions recent;
    for (int n = 1; n <= 10; ++n)
        recent.add(mission(n));
    ASSERT_EQ(recent.entries().size(), 8u);
    EXPECT_EQ(recent.entries().front(), mission(10));
    EXPECT_EQ(recent.entries().back(), mission(3)) << "the two oldest fell off";
}

TEST(RecentMissions, AMissionUsedAgainMovesUpInsteadOfAppearingTwice) {
    RecentMissions recent;
    recent.add(mission(1));
    recent.add(mission(2));
    recent.add(mission(3));
    recent.add(mission(1));
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{mission(1), mission(3), mission(2)}));
}

TEST(RecentMissions, AFullListKeepsEveryOtherEntryWhenOneMovesUp) {
    RecentMissions recent;
    for (int n = 1; n <= 8; ++n)
        recent.add(mission(n));
    recent.add(mission(1));
    ASSERT_EQ(recent.entries().size(), 8u);
    EXPECT_EQ(recent.entries().front(), mission(1));
    EXPECT_EQ(recent.entries().back(), mission(2));
}

TEST(RecentMissions, RelativePathsAreListedInFull) {
    TempDir dir;
    ScopedCurrentDir here(dir.path());
    RecentMissions recent;
    recent.add("a.mis");
    recent.add("./sub/../a.mis");
    ASSERT_EQ(recent.entries().size(), 1u) << "both name one file";
    EXPECT_EQ(recent.entries().front(), dir.path("a.mis"));
}

TEST(RecentMissions, RemoveTakesOneEntryOff) {
    RecentMissions recent;
    recent.add(mission(1));
    recent.add(mission(2));
    EXPECT_TRUE(recent.remove(mission(1)));
    EXPECT_FALSE(recent.remove(mission(1)));
    EXPECT_EQ(recent.entries(), std::vector<std::string>{mission(2)});
    EXPECT_FALSE(recent.add(""));
    EXPECT_EQ(recent.entries().size(), 1u);
}

TEST(RecentMissions, AStoredListIsCleanedOnTheWayIn) {
    RecentMissions recent;
    std::vector<std::string> stored = {mission(1), "", "relative.mis", mission(2), mission(1)};
    for (int n = 3; n <= 12; ++n)
        stored.push_back(mission(n));
    recent.set(stored);
    ASSERT_EQ(recent.entries().size(), 8u);
    EXPECT_EQ(recent.entries()[0], mission(1));
    EXPECT_EQ(recent.entries()[1], mission(2));
    EXPECT_EQ(recent.entries()[7], mission(8));
}

TEST(RecentMissions, EntriesByIndex) {
    RecentMissions recent;
    recent.add(mission(1));
    recent.add(mission(2));
    ASSERT_NE(recent.entry(1), nullptr);
    EXPECT_EQ(*recent.entry(1), mission(1));
    EXPECT_EQ(recent.entry(2), nullptr);
    EXPECT_EQ(recent.entry(-1), nullptr);
}

} // namespace
