// The problem checks: each check finds its problem on a page that has it and stays silent on a
// sound page; the problems name the records they concern.
#include "mission/export_limits.h"
#include "mission/page_checks.h"
#include "mission/page_ops.h"
#include "support/problem_page.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using Slots = std::vector<int>;

constexpr int32_t kMetre = 256;

class PageChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        static const StringTable* demo =
            test_BuildTable(test_ReadFile(std::string(QZ_SOURCE_DIR) + "/demo/text/text.txt"));
        ASSERT_NE(demo, nullptr);
        TextLookup_SetTable(demo);
        page = std::make_unique<MissionPage>();
        buildSoundPage();
    }

    int add(int32_t type, int32_t xMetres = 10, int32_t yMetres = 10) {
        const int slot = page_AddItem(*page, type, xMetres * kMetre, yMetres * kMetre, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }
    int waypoint(int32_t list, int32_t number) {
        const int slot = add(kWaypointMarkerType, 100 + number, 100);
        page->items[slot].waypoint_id = list;
        page->items[slot].wpnumber = number;
        return slot;
    }
    int areaMarker(int32_t area, int32_t x, int32_t y) {
        const int slot = add(kAreaTriggerMarkerType, x, y);
        page->items[slot].wpnumber = area;
        return slot;
    }
    MissionEvent& event(int index) { return page->events[index]; }

    // Group 1 with a soldier; waypoint list 1 with markers 0 to 2; area 1 outlined by four
    // markers; wav list 1 with a file; event 0 uses all of them, event 1 waits for event 0.
    void buildSoundPage() {
        std::strcpy(page->general.name, "Sound page");
        soldier = add(kTestSoldierType);
        page->items[soldier].group_id = 1;
        for (int n = 0; n < 3; ++n)
            waypoint(1, n);
        areaMarker(1, 0, 0);
        areaMarker(1, 50, 0);
        areaMarker(1, 50, 50);
        areaMarker(1, 0, 50);
        std::strcpy(page->wav_lists[1].file_name, "radio.wav");
        std::strcpy(page->groups[1].description, "Alpha");
        page->num_events = 2;
        MissionEvent& first = event(0);
        std::strcpy(first.name, "Start");
        first.trigger_count = 2;
        first.triggers[0] = EventTrigger{{0, 1, 10, 1, 1, 0, 0, 0}}; // group 1 within area 1
        first.triggers[1] = EventTrigger{{0, 1, 7, 1, 1, 2, 0, 0}};  // group 1 at list 1, marker 2
        first.action_count = 2;
        first.actions[0] = EventAction{{0, 1, 0, 1, 1, 0, 0, 0}}; // redirect group 1 to list 1
        first.actions[1] = EventAction{{0, 7, 0, 1, 0, 0, 0, 0}}; // play wav list 1
        MissionEvent& second = event(1);
        std::strcpy(second.name, "After");
        second.trigger_count = 1;
        second.triggers[0] = EventTrigger{{0, 2, 0, 0, 0, 0, 0, 0}}; // event 0 triggered
        second.action_count = 1;
        second.actions[0] = EventAction{{0, 8, 0, 0, 0, 0, 0, 0}}; // blue wins
    }

    std::vector<PageProblem> problems() { return page_CheckProblems(*page); }

    // The only problem of the page, which must have `code`.
    PageProblem only(ProblemCode code) {
        const std::vector<PageProblem> found = problems();
        EXPECT_EQ(1u, found.size()) << describe(found);
        if (found.empty()) return {};
        EXPECT_EQ(problem_CodeName(code), std::string(problem_CodeName(found[0].code))) << found[0].message;
        return found[0];
    }

    static std::string describe(const std::vector<PageProblem>& found) {
        std::string text;
        for (const PageProblem& p : found)
            text += problem_Line(p) + "\n";
        return text;
    }

    std::unique_ptr<MissionPage> page;
    int soldier = -1;
};

TEST_F(PageChecks, SoundPageHasNoProblems) {
    EXPECT_EQ("", describe(problems()));
}

TEST_F(PageChecks, EmptyPageHasNoProblems) {
    page_Clear(*page);
    EXPECT_TRUE(problems().empty());
}

TEST_F(PageChecks, CodesAndSeveritiesHaveStableNames) {
    EXPECT_STREQ("unknown-item-type", problem_CodeName(ProblemCode::UnknownItemType));
    EXPECT_STREQ("export-time-cut", problem_CodeName(ProblemCode::ExportTimeCut));
    EXPECT_STREQ("error", problem_SeverityName(ProblemSeverity::Error));
    EXPECT_STREQ("warning", problem_SeverityName(ProblemSeverity::Warning));
    EXPECT_EQ("Error", problem_SeverityText(ProblemSeverity::Error));
    // Every code has its own name: scripts tell problems apart by it.
    std::vector<std::string> names;
    for (int c = 0; c < kProblemCodeCount; ++c)
        names.push_back(problem_CodeName(static_cast<ProblemCode>(c)));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.end(), std::adjacent_find(names.begin(), names.end()));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "unknown"));
}

// ---- Items ------------------------------------------------------------------------------------

TEST_F(PageChecks, UnknownTypesAreGroupedByType) {
    const int a = add(kTestUnknownType);
    const int b = add(4242);
    const int c = add(kTestUnknownType);
    const std::vector<PageProblem> found = problems();
    ASSERT_EQ(2u, found.size()) << describe(found);
    EXPECT_EQ(ProblemCode::UnknownItemType, found[0].code);
    EXPECT_EQ(ProblemSeverity::Error, found[0].severity);
    EXPECT_EQ((Slots{a, c}), found[0].items);
    EXPECT_NE(std::string::npos, found[0].message.find("999")) << found[0].message;
    EXPECT_EQ((Slots{b}), found[1].items);
}

TEST_F(PageChecks, ItemBeyondTheOuterBoundaryIsOutsideTheTerrain) {
    const int edge = add(kTestJeepType, 2048, -2048); // on the boundary: still on the map
    page->items[edge].position[0] = kTerrainBoundary;
    page->items[edge].position[1] = -kTerrainBoundary;
    EXPECT_TRUE(problems().empty());
    page->items[edge].position[1] = -kTerrainBoundary - 1;
    const PageProblem p = only(ProblemCode::ItemOutsideTerrain);
    EXPECT_EQ((Slots{edge}), p.items);
    EXPECT_NE(std::string::npos, p.message.find("Jeep")) << p.message;
    page->items[edge].position[1] = INT32_MIN; // no 32-bit opposite
    only(ProblemCode::ItemOutsideTerrain);
}

TEST_F(PageChecks, ItemsSharingAnIdAreListedTogether) {
    const int copy = add(kTestTreeType);
    const int other = add(kTestTreeType);
    EXPECT_TRUE(problems().empty());
    page->items[copy].id = page->items[soldier].id;
    page->items[other].id = page->items[soldier].id;
    const PageProblem p = only(ProblemCode::DuplicateItemId);
    EXPECT_EQ((Slots{soldier, copy, other}), p.items);
    EXPECT_NE(std::string::npos, p.message.find("3 items")) << p.message;
}

// ---- Waypoint lists ---------------------------------------------------------------------------

TEST_F(PageChecks, WaypointListWithAGapNamesTheMissingNumbers) {
    const int before = waypoint(2, 0);
    const int after = waypoint(2, 3);
    waypoint(2, 5);
    const PageProblem p = only(ProblemCode::WaypointNumberGap);
    EXPECT_EQ((Slots{2}), p.waypoint_lists);
    EXPECT_EQ((Slots{before, after}), p.items) << "the markers on either side of the first gap";
    EXPECT_NE(std::string::npos, p.message.find("1, 2, 4")) << p.message;
}

TEST_F(PageChecks, WaypointListRepeatingANumber) {
    const int first = waypoint(2, 0);
    const int second = waypoint(2, 0);
    waypoint(2, 1);
    const PageProblem p = only(ProblemCode::WaypointNumberRepeat);
    EXPECT_EQ((Slots{first, second}), p.items);
    EXPECT_EQ((Slots{2}), p.waypoint_lists);
}

TEST_F(PageChecks, WaypointListWithoutMarkerZeroStartsLate) {
    const int start = waypoint(4, 1);
    waypoint(4, 2);
    const PageProblem p = only(ProblemCode::WaypointLateStart);
    EXPECT_EQ((Slots{start}), p.items);
    EXPECT_EQ((Slots{4}), p.waypoint_lists);
}

TEST_F(PageChecks, WaypointNumberAboveThirtyOne) {
    const int marker = waypoint(1, 3);
    page->items[marker].wpnumber = kMaxWaypointPositions;
    const PageProblem p = only(ProblemCode::WaypointNumberRange);
    EXPECT_EQ((Slots{marker}), p.items);
    EXPECT_EQ(ProblemSeverity::Error, p.severity);
}

TEST_F(PageChecks, WaypointListLongerThanTheGameTakes) {
    // 32 markers fit; the 33rd (a repeat of 31, reported as such too) does not.
    for (int n = 3; n < kExportWaypointSlots; ++n)
        waypoint(1, n);
    EXPECT_TRUE(problems().empty()) << describe(problems());
    waypoint(1, 31);
    const std::vector<PageProblem> found = problems();
    ASSERT_EQ(2u, found.size()) << describe(found);
    EXPECT_EQ(ProblemCode::WaypointNumberRepeat, found[0].code);
    EXPECT_EQ(ProblemCode::WaypointListTooLong, found[1].code);
    EXPECT_EQ(33u, found[1].items.size());
}

TEST_F(PageChecks, WaypointMarkerOutsideEveryList) {
    const int marker = waypoint(1, 3);
    page->items[marker].waypoint_id = kMaxWaypointLists;
    EXPECT_EQ((Slots{marker}), only(ProblemCode::WaypointMarkerNoList).items);
    page->items[marker].waypoint_id = 0;
    EXPECT_EQ((Slots{marker}), only(ProblemCode::WaypointMarkerNoList).items);
}

TEST_F(PageChecks, MarkersOfUnknownListTypeAreLeftToTheIntegrityCheck) {
    // Without a waypoint marker definition there are no waypoint lists to check.
    test_LoadItemDefsMarkerFirst(); // waypoint marker, soldier: no area marker
    page_Clear(*page);
    const int marker = page_AddItem(*page, kAreaTriggerMarkerType, 0, 0, 0);
    page->items[marker].wpnumber = 1;
    EXPECT_EQ((Slots{marker}), only(ProblemCode::UnknownItemType).items);
    test_LoadItemDefs();
}

// ---- Area triggers ----------------------------------------------------------------------------

TEST_F(PageChecks, AreaTriggerWithTwoMarkers) {
    const int a = areaMarker(2, 0, 0);
    const int b = areaMarker(2, 10, 10);
    const PageProblem p = only(ProblemCode::AreaTooFewMarkers);
    EXPECT_EQ((Slots{a, b}), p.items);
    EXPECT_EQ((Slots{2}), p.area_triggers);
    areaMarker(2, 10, 0);
    EXPECT_TRUE(problems().empty());
}

TEST_F(PageChecks, AreaMarkerWithoutATriggerNumber) {
    const int marker = areaMarker(kMaxAreaTriggers, 0, 0);
    EXPECT_EQ((Slots{marker}), only(ProblemCode::AreaMarkerNoTrigger).items);
}

// ---- Event references -------------------------------------------------------------------------

TEST_F(PageChecks, EventNamingAGroupThatDoesNotExist) {
    event(0).triggers[1].value[3] = kMaxGroups;
    const PageProblem p = only(ProblemCode::EventMissingGroup);
    EXPECT_EQ((Slots{0}), p.events);
    EXPECT_TRUE(p.groups.empty()) << "a group that does not exist is not listed";
    EXPECT_NE(std::string::npos, p.message.find("Start")) << p.message;
    // Triggers and actions are counted from 0, as the events dialog lists them.
    EXPECT_NE(std::string::npos, p.message.find("trigger 1,")) << p.message;
}

TEST_F(PageChecks, EventNamingAGroupWithoutMembers) {
    event(0).actions[0].value[3] = 5;
    const PageProblem p = only(ProblemCode::EventEmptyGroup);
    EXPECT_EQ((Slots{5}), p.groups);
    EXPECT_NE(std::string::npos, p.message.find("action 0,")) << p.message;
}

TEST_F(PageChecks, EventNamingWaypointLists) {
    event(0).actions[0].value[4] = kMaxWaypointLists;
    EXPECT_EQ((Slots{0}), only(ProblemCode::EventMissingWaypointList).events);
    event(0).actions[0].value[4] = 9;
    EXPECT_EQ((Slots{9}), only(ProblemCode::EventEmptyWaypointList).waypoint_lists);
}

TEST_F(PageChecks, ListSlotOfAFinishedWaypointTriggerCountsToo) {
    // Condition 8 stores a list in its second variable although its sentence shows only the group.
    event(0).triggers[1].value[2] = 8;
    event(0).triggers[1].value[4] = 9;
    EXPECT_EQ((Slots{9}), only(ProblemCode::EventEmptyWaypointList).waypoint_lists);
}

TEST_F(PageChecks, EventNamingAreas) {
    event(0).triggers[0].value[4] = 0;
    EXPECT_EQ(ProblemSeverity::Error, only(ProblemCode::EventMissingArea).severity);
    event(0).triggers[0].value[4] = 7;
    EXPECT_EQ((Slots{7}), only(ProblemCode::EventEmptyArea).area_triggers);
}

TEST_F(PageChecks, AreaChangeActionsNameAreas) {
    event(1).actions[0] = EventAction{{0, 12, 5, 3, 0, 0, 0, 0}}; // red AI in area 3 to red alert
    EXPECT_EQ((Slots{3}), only(ProblemCode::EventEmptyArea).area_triggers);
}

TEST_F(PageChecks, EventPlayingWavLists) {
    event(0).actions[1].value[3] = kMaxWavLists;
    EXPECT_EQ((Slots{0}), only(ProblemCode::EventMissingWavList).events);
    event(0).actions[1].value[3] = 2;
    EXPECT_EQ((Slots{2}), only(ProblemCode::EventEmptyWavList).wav_lists);
}

TEST_F(PageChecks, EventNamingEvents) {
    event(1).triggers[0].value[3] = 2;
    EXPECT_EQ((Slots{1}), only(ProblemCode::EventMissingEvent).events);
    event(1).triggers[0].value[3] = 0;
    event(0).trigger_count = 0;
    event(0).action_count = 0;
    const PageProblem p = only(ProblemCode::EventEmptyEvent);
    EXPECT_EQ((Slots{1, 0}), p.events) << "the event that names it, then the empty one";
}

TEST_F(PageChecks, SlotsWithoutReferencesAreNotChecked) {
    // A campaign-variable trigger, a text output and an AI change of weapons name no records.
    event(1).triggers[0] = EventTrigger{{0, 3, 0, 99, 99, 99, 99, 0}};
    event(1).actions[0] = EventAction{{0, 3, 1, 1, 777, 0, 0, 0}}; // group 1 weapon 777
    event(0).actions[1] = EventAction{{0, 6, 0, 500, 0, 0, 0, 0}};
    EXPECT_TRUE(problems().empty()) << describe(problems());
}

TEST_F(PageChecks, OnlyTheUsedTriggersAndActionsCount) {
    event(0).triggers[5].value[1] = 1;
    event(0).triggers[5].value[2] = 4;
    event(0).triggers[5].value[3] = 50; // beyond trigger_count
    event(0).trigger_count = 99;        // held to 10
    EXPECT_EQ((Slots{0}), only(ProblemCode::EventEmptyGroup).events);
}

// ---- Export -----------------------------------------------------------------------------------

TEST_F(PageChecks, CategoryLimitsAreTheExportsOwnWarnings) {
    // The sound page's soldier and 255 more people are exactly the limit.
    for (int i = 1; i < kExportLimitPeople; ++i)
        add(kTestEnemyType);
    EXPECT_TRUE(problems().empty());
    add(kTestEnemyType);
    const PageProblem p = only(ProblemCode::ExportTooManyPeople);
    EXPECT_NE(std::string::npos, p.message.find("257")) << p.message;
    EXPECT_NE(std::string::npos, p.message.find("256")) << p.message;
}

TEST_F(PageChecks, LimitWarningsKeepTheExportsOrder) {
    for (int i = 0; i <= kExportLimitMarkers; ++i)
        add(kAreaTriggerMarkerType, 5, 5);
    for (int i = 0; i <= kExportLimitPeople; ++i)
        add(kTestEnemyType);
    std::vector<ProblemCode> codes;
    for (const PageProblem& p : problems())
        if (p.code != ProblemCode::AreaMarkerNoTrigger) codes.push_back(p.code);
    EXPECT_EQ((std::vector<ProblemCode>{ProblemCode::ExportTooManyMarkers, ProblemCode::ExportTooManyPeople}),
              codes);
}

TEST_F(PageChecks, TextsLongerThanTheirExportFields) {
    std::strcpy(page->general.name, "A mission name of thirty-one ch");
    EXPECT_TRUE(problems().empty());
    std::strcpy(page->general.name, "A mission name of thirty-two chr");
    const PageProblem p = only(ProblemCode::ExportTextCut);
    EXPECT_NE(std::string::npos, p.message.find("32")) << p.message;
    std::strcpy(page->general.name, "short");
    std::strcpy(page->wav_lists[1].file_name, "sixteen_char.wav");
    EXPECT_EQ((Slots{1}), only(ProblemCode::ExportTextCut).wav_lists);
}

TEST_F(PageChecks, EventTimesBeyondTheExportsSixteenBits) {
    event(1).delay_value = kExportMaxEventSeconds;
    event(1).reset_value = 0;
    EXPECT_TRUE(problems().empty());
    event(1).delay_value = kExportMaxEventSeconds + 1;
    EXPECT_EQ((Slots{1}), only(ProblemCode::ExportTimeCut).events);
    event(1).delay_value = 0;
    event(1).reset_value = -1;
    EXPECT_EQ((Slots{1}), only(ProblemCode::ExportTimeCut).events);
}

// ---- Texts ------------------------------------------------------------------------------------

TEST_F(PageChecks, ConcernTextNamesEachKindAndShortensLongLists) {
    PageProblem p;
    p.items = {3, 7, 9};
    p.groups = {2};
    EXPECT_EQ("items 3, 7, 9; groups 2", problem_ConcernText(p));
    EXPECT_EQ("items 3, 7 ... and 1 more; groups 2", problem_ConcernText(p, 2));
    EXPECT_EQ("", problem_ConcernText(PageProblem{}));
}

TEST_F(PageChecks, LineStartsWithSeverityAndCode) {
    add(kTestUnknownType);
    const std::vector<PageProblem> found = problems();
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ("error unknown-item-type: Items of type 999 (1 on the page) have no item definition. [items 8]",
              problem_Line(found[0]));
}

TEST_F(PageChecks, CheckingChangesNothingInThePage) {
    waypoint(2, 4);
    areaMarker(3, 0, 0);
    page->waypoints[1].member_count = 77;
    page->area_triggers[1].area_number = 0;
    problems();
    EXPECT_EQ(77, page->waypoints[1].member_count);
    EXPECT_EQ(0, page->area_triggers[1].area_number);
}

TEST_F(PageChecks, ThePageWithEveryProblemHasOneOfEachKind) {
    test_FillPageWithEveryProblem(*page);
    const std::vector<PageProblem> found = problems();
    std::vector<int> perCode(kProblemCodeCount);
    for (const PageProblem& p : found)
        ++perCode[static_cast<size_t>(p.code)];
    for (int c = 0; c < kProblemCodeCount; ++c)
        EXPECT_EQ(1, perCode[static_cast<size_t>(c)]) << problem_CodeName(static_cast<ProblemCode>(c)) << "\n"
                                                      << describe(found);
}

} // namespace
