// The metafile reader: older forms, bounds, rejected lines and the steps after reading.
#include "gamedata/item_defs.h"
#include "metafile_test_util.h"
#include "support/captured_messages.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class MetafileReader : public ::testing::Test {
  protected:
    void SetUp() override { test_LoadItemDefs(); }

    std::unique_ptr<MissionPage> load(const std::string& text, int expected_result = 1) {
        int result = -1;
        auto page = loadText(dir, text, &result);
        EXPECT_EQ(result, expected_result) << text;
        return page;
    }

    TempDir dir;
    CapturedMessages messages;
};

TEST_F(MetafileReader, OlderItemKeys) {
    auto page =
        load("begin general_information\n num_items 2\nend general_information\n"
             "begin item 0\n"
             "  name Enemy\n  alignment 2\n  waccuracy 0.755\n  perception 0.29\n  perfectionist 1.5\n"
             "  facing\n  loadout 1 2 3 4 5\n  bumper ABCDEF\n  name_override xy\n"
             "  camo_type 1\n  speed 2\n  ai 3\n  advance 4\n  formation 5\n  icon_value 6\n  ammo_50_cal 7\n"
             "  ammo_tow 8\n  ammo_stinger 9\n  ammo_grenade 10\n  delay 11\n  smoke_time 12\n"
             "  ai_name whatever\n  value 3\nend item\n"
             "begin item 1\n  type_id 3\n  name Enemy\n  facing 90\n  facing 45 -5\nend item\n");
    const MissionItem& a = page->items[0];
    EXPECT_EQ(a.type_id, kTestEnemyType);
    EXPECT_EQ(a.def_index, 1);
    EXPECT_EQ(a.item_class, kClassPerson);
    EXPECT_EQ(a.team, 2);
    EXPECT_EQ(a.waccuracy2, 75);
    EXPECT_EQ(a.perception2, 29) << "exact decimal, not 28.999...";
    EXPECT_EQ(a.perfectionist2, 150);
    EXPECT_EQ(a.facing[0], 0);
    EXPECT_EQ(a.loadout[4], 5);
    EXPECT_EQ(std::memcmp(a.bumper, "ABCD", 4), 0);
    EXPECT_EQ(std::memcmp(a.name_override, "xy\0\0", 4), 0);
    EXPECT_EQ(a.camo_type + a.speed + a.ai + a.advance + a.formation + a.icon_value, 21);
    EXPECT_EQ(a.ammo_50_cal + a.ammo_tow + a.ammo_stinger + a.ammo_grenade + a.delay + a.smoke_time, 57);
    const MissionItem& b = page->items[1];
    EXPECT_EQ(b.type_id, kTestJeepType) << "\"name\" only fills an unset type";
    EXPECT_EQ(b.facing[0], 45);
    EXPECT_EQ(b.facing[1], -5);
}

TEST_F(MetafileReader, UnknownDefinitionNameLeavesTheTypeUnset) {
    auto page = load("begin general_information\n num_items 1\nend general_information\n"
                     "begin item 0\n  name NoSuchThing\nend item\n");
    EXPECT_EQ(page->items[0].type_id, 0) << "not the first definition's type";
}

TEST_F(MetafileReader, PercentFromFractionIsExact) {
    EXPECT_EQ(metafile_PercentFromFraction("0.755"), 75);
    EXPECT_EQ(metafile_PercentFromFraction("0.29"), 29);
    EXPECT_EQ(metafile_PercentFromFraction("  -0.5"), -50);
    EXPECT_EQ(metafile_PercentFromFraction("-0.009"), 0);
    EXPECT_EQ(metafile_PercentFromFraction("1"), 100);
    EXPECT_EQ(metafile_PercentFromFraction(".0755"), 7);
    EXPECT_EQ(metafile_PercentFromFraction("7.55e-1"), 75);
    EXPECT_EQ(metafile_PercentFromFraction("00012.5x"), 1250);
    EXPECT_EQ(metafile_PercentFromFraction("abc"), 0);
    EXPECT_EQ(metafile_PercentFromFraction(""), 0);
    EXPECT_EQ(metafile_PercentFromFraction("1e30"), INT32_MAX);
    EXPECT_EQ(metafile_PercentFromFraction("-99999999999"), INT32_MIN);
}

TEST_F(MetafileReader, OlderGeneralKeysAndSkippedKeys) {
    auto page = load("begin general_information\n"
                     "  loadout 1 2 3 4 5 6\n  time_limit 600\n  tank_loadout 3\n"
                     "  mapkey_circle 1\n  mapkey_fcircle 1\n  mapkey_diamond 1\n  mapkey_cross 1\n"
                     "  attribA 1\n  attribB 2\n  attribN 3\n"
                     "  subgoals_win 1 -1 300 4\n  default_equipment 11 12 13 10\n  wind 20 270\n"
                     "  wp_names_blue 5 6\n  wp_names_red\n"
                     "end general_information\n");
    EXPECT_EQ(page->loadout[5], 6);
    EXPECT_EQ(page->time_limit, 600);
    EXPECT_EQ(page->tank_loadout, 3);
    EXPECT_EQ(page->subgoals_win[1], -1);
    EXPECT_EQ(page->subgoals_win[2], 44) << "300 cut to 8 bits";
    EXPECT_EQ(page->general.default_equipment[0], 10);
    EXPECT_EQ(page->general.default_equipment[1], 11);
    EXPECT_EQ(page->general.wind[1], 270);
    EXPECT_EQ(page->general.wp_names_blue[1], 6);
    EXPECT_EQ(page->general.wp_names_blue[2], 0);
}

TEST_F(MetafileReader, SixWordActionLinesOfOlderFiles) {
    auto page = load(
        "begin general_information\n num_events 1\nend general_information\n"
        "begin event 0\n  begin actions 2\n    1 2 3 4 5 6\n    1 2 3 4 5 6 7\n  end actions\nend event\n");
    const EventAction& six = page->events[0].actions[0];
    EXPECT_EQ(six.value[0], 1);
    EXPECT_EQ(six.value[1], 2);
    EXPECT_EQ(six.value[2], 0);
    EXPECT_EQ(six.value[3], 3);
    EXPECT_EQ(six.value[6], 6);
    EXPECT_EQ(six.value[7], 0);
    const EventAction& seven = page->events[0].actions[1];
    EXPECT_EQ(seven.value[2], 7);
    EXPECT_EQ(seven.value[7], 0);
}

TEST_F(MetafileReader, SevenWordTriggerLineKeepsValueSeven) {
    auto page = load("begin general_information\n num_events 1\nend general_information\n"
                     "begin event 0\n  begin triggers 1\n    1 2 3 4 5 6 7\n  end triggers\nend event\n");
    const EventTrigger& trigger = page->events[0].triggers[0];
    EXPECT_EQ(trigger.value[6], 7);
    EXPECT_EQ(trigger.value[7], 0);
    EXPECT_EQ(page->events[0].trigger_count, 1);
}

TEST_F(MetafileReader, WindBlocksBuildTheChain) {
    auto page =
        load("begin wind 1\n  name FirstZoneWithAVeryLongNameIndeed\n  start 5\n  stop 9\n  heading 70000\n"
             "  speed 12\n  gusts 4\nend wind\n"
             "begin wind 2\n  name Second\nend wind\n"
             "begin wind 3\n  name Third\nend\n");
    ASSERT_EQ(page->wind_zones.count(), 3);
    const WindZone* first = page->wind_zones.head();
    EXPECT_STREQ(first->name, "FirstZoneWithAVeryLongN") << "23 characters fit";
    EXPECT_EQ(first->start, 5);
    EXPECT_EQ(first->stop, 9);
    EXPECT_EQ(first->heading, static_cast<int16_t>(70000));
    EXPECT_EQ(first->speed, 12);
    EXPECT_STREQ(first->next->name, "Second");
    EXPECT_STREQ(first->next->next->name, "Third");
    EXPECT_EQ(page->wind_zone_count, 0);
}

TEST_F(MetafileReader, WindBlockOneStartsANewChain) {
    auto page = load("begin wind 2\n name Orphan\nend wind\nbegin wind 1\n name A\nend wind\nbegin wind 1\n "
                     "name B\nend wind\n");
    ASSERT_EQ(page->wind_zones.count(), 1);
    EXPECT_STREQ(page->wind_zones.head()->name, "B");
}

TEST_F(MetafileReader, WaypointKeysOfOlderFiles) {
    auto page = load("begin waypoint 3\n  noloop 1\n  speed 4\n  color 2\nend waypoint\n");
    EXPECT_EQ(page->waypoints[3].attrib, 1);
    EXPECT_EQ(page->waypoints[3].color, 2);
    load("begin group 3\n  speed 4\nend group\n", 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("speed 4"), std::string::npos);
}

TEST_F(MetafileReader, KeysAndBlockNamesIgnoreLetterCase) {
    auto page = load("BEGIN General_Information\n  NUM_ITEMS 1\nEND\nBegin ITEM 0\n  Type_ID 4\nEnd Item\n");
    EXPECT_EQ(page->num_items, 1);
    EXPECT_EQ(page->items[0].type_id, kTestTreeType);
}

TEST_F(MetafileReader, ItemsWithoutIdGetSuccessiveFreshIds) {
    auto page = load("begin general_information\n num_items 3\nend general_information\n"
                     "begin item 0\n type_id 1\nend item\n"
                     "begin item 1\n id 40\nend item\n"
                     "begin item 2\nend item\n");
    EXPECT_EQ(page->items[1].id, 40);
    EXPECT_EQ(page->items[0].id, 41);
    EXPECT_EQ(page->items[2].id, 42);
}

TEST_F(MetafileReader, ItemBlockFillsTheSlotItNames) {
    auto page = load("begin general_information\n num_items 8\nend general_information\n"
                     "begin item 7\n id 3\n type_id 3\nend item\n");
    EXPECT_EQ(page->items[7].type_id, kTestJeepType);
    EXPECT_EQ(page->items[7].item_class, kClassVehicle);
    EXPECT_EQ(page->items[0].type_id, 0);
    EXPECT_EQ(page->items[0].id, 4) << "unmentioned slots count and get ids";
}

TEST_F(MetafileReader, WithoutCountLinesNothingCounts) {
    auto page = load("begin item 0\n id 3\nend item\nbegin event 0\n name x\nend event\n");
    EXPECT_EQ(page->num_items, 0);
    EXPECT_EQ(page->num_events, 0);
    EXPECT_EQ(page->items[0].id, 3) << "the slot was still filled";
}

TEST_F(MetafileReader, BriefingBarsBecomeLineFeeds) {
    auto page =
        load("begin briefing\n\n  brief \"Go|north\"\n  anything \" and on\"\n  lonely\nendbriefing\n");
    EXPECT_STREQ(page->briefing, "Go\nnorth and on");
}

TEST_F(MetafileReader, BriefingKeepsWhatFits) {
    std::string text = "begin briefing\n";
    for (int i = 0; i < 4; ++i)
        text += "  brief \"" + std::string(100, static_cast<char>('a' + i)) + "\"\n";
    auto page = load(text + "endbriefing\n");
    EXPECT_EQ(std::strlen(page->briefing), 255u);
    EXPECT_EQ(page->briefing[254], 'c');
}

TEST_F(MetafileReader, CarriageReturnLineFeedFiles) {
    auto page =
        load("// saved\r\n\r\nbegin general_information\r\n  name \"Crlf\"\r\n  terrain \r\n  num_items 1\r\n"
             "end general_information\r\n\r\nbegin item 0\r\n  id 9\r\nend item\r\n");
    EXPECT_STREQ(page->general.name, "Crlf");
    EXPECT_STREQ(page->general.terrain, "");
    EXPECT_EQ(page->items[0].id, 9);
}

TEST_F(MetafileReader, RejectedLinesStopTheLoadWithTheParseMessage) {
    auto page = load("begin general_information\n num_items 2\nend general_information\n"
                     "begin item 0\n id 5\n   \nend item\n",
                     0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(page->num_items, 2) << "what was read before the line stays";
    EXPECT_EQ(page->items[0].id, 5);
    EXPECT_EQ(page->items[1].id, 0) << "no id fix-up after a failure";
    load("begin nonsense 3\nend\n", 0);
    load("name \"outside\"\n", 0);
    load("begin event 0\n begin speech\nend event\n", 0);
    load("begin general_information\n colour 4\nend general_information\n", 0);
    EXPECT_EQ(messages.messages.size(), 5u);
}

TEST_F(MetafileReader, UnterminatedBlockFailsWithoutMessage) {
    load("begin general_information\n name \"x\"\n", 0);
    load("begin event 0\n begin triggers 1\n 1 2 3 4 5 6 7 8\nend event\n", 0);
    load("begin briefing\n brief \"x\"\nend briefing\n", 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MetafileReader, MissingFileFailsAndLeavesTheTargetCleared) {
    auto page = std::make_unique<MissionPage>();
    page->num_items = 4;
    EXPECT_EQ(metafile_Load(*page, dir.path("absent.mis").c_str()), 0);
    EXPECT_EQ(page->num_items, 0);
}

TEST_F(MetafileReader, RecordNumbersOutsideTheRecordsAreIgnored) {
    auto page = load(
        "begin item 5000\n id 3\nend item\nbegin item -1\n id 4\nend item\n"
        "begin waypoint 128\n description \"w\"\nend waypoint\nbegin waypoint 0\n color 3\nend waypoint\n"
        "begin group 64\n description \"g\"\nend group\nbegin wav_list 32\n file_name \"f\"\nend wav_list\n"
        "begin layer 16\n description \"l\"\nend layer\nbegin areatrig 100\n color 1\nend areatrig\n"
        "begin event 256\n name \"e\"\n begin triggers 1\n 1 2 3 4 5 6 7 8\n end triggers\nend event\n");
    auto empty = std::make_unique<MissionPage>();
    EXPECT_EQ(std::memcmp(static_cast<MissionPageData*>(page.get()),
                          static_cast<MissionPageData*>(empty.get()), sizeof(MissionPageData)),
              0);
}

TEST_F(MetafileReader, KeysOfIgnoredBlocksAreStillChecked) {
    load("begin item 9000\n wobble 3\nend item\n", 0);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(MetafileReader, CountsAndListsBeyondCapacityKeepWhatFits) {
    auto page =
        load("begin general_information\n num_items 7000\n num_events 300\n"
             " wp_names_blue 1 2 3 4 5 6 7 8 9 10\nend general_information\n"
             "begin event 3\n begin triggers 12\n"
             " 1 0 0 0 0 0 0 0\n 2 0 0 0 0 0 0 0\n 3 0 0 0 0 0 0 0\n 4 0 0 0 0 0 0 0\n 5 0 0 0 0 0 0 0\n"
             " 6 0 0 0 0 0 0 0\n 7 0 0 0 0 0 0 0\n 8 0 0 0 0 0 0 0\n 9 0 0 0 0 0 0 0\n 10 0 0 0 0 0 0 0\n"
             " 11 0 0 0 0 0 0 0\n 12 0 0 0 0 0 0 0\n end triggers\n"
             " begin actions -4\n end actions\nend event\n");
    EXPECT_EQ(page->num_items, kMaxItems);
    EXPECT_EQ(page->num_events, kMaxEvents);
    EXPECT_EQ(page->general.wp_names_blue[7], 8);
    EXPECT_EQ(page->general.wp_names_red[0], 0) << "the ninth value does not spill over";
    const MissionEvent& event = page->events[3];
    EXPECT_EQ(event.trigger_count, kMaxTriggers);
    EXPECT_EQ(event.triggers[9].value[0], 10);
    EXPECT_EQ(event.action_count, 0);
    EXPECT_EQ(page->events[4].triggers[0].value[0], 0) << "lines 11 and 12 went nowhere";
}

TEST_F(MetafileReader, LongTextsKeepWhatFits) {
    const std::string long_text(600, 'q');
    auto page = load("begin general_information\n name \"" + long_text + "\"\n terrain " + long_text +
                     "\nend general_information\nbegin event 1\n name \"" + long_text +
                     "\"\nend event\n"
                     "begin wav_list 1\n file_name \"" +
                     long_text + "\"\nend wav_list\n");
    EXPECT_EQ(std::strlen(page->general.name), static_cast<size_t>(kMissionNameSize - 1));
    EXPECT_EQ(std::strlen(page->general.terrain), static_cast<size_t>(kPageTerrainNameSize - 1));
    EXPECT_EQ(page->general.tt_file[0], '\0');
    EXPECT_EQ(std::strlen(page->events[1].name), static_cast<size_t>(kEventNameSize - 1));
    EXPECT_EQ(std::strlen(page->wav_lists[1].file_name), static_cast<size_t>(kWavFileNameSize - 1));
}

TEST_F(MetafileReader, MissingValuesReadAsZero) {
    auto page = load("begin general_information\n num_items 1\nend general_information\n"
                     "begin item 0\n position 5 6\n edistances\n type_id\nend item\n");
    EXPECT_EQ(page->items[0].position[0], 5);
    EXPECT_EQ(page->items[0].position[2], 0);
    EXPECT_EQ(page->items[0].edistances[1], 0);
}

} // namespace
