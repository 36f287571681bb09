// The metafile writer: the grammar as written, and the safety of every save.
#include "metafile_test_util.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

namespace {

class MetafileWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        page = std::make_unique<MissionPage>();
    }
    std::unique_ptr<MissionPage> page;
    TempDir dir;
};

TEST_F(MetafileWriter, EmptyPageHasTheHeaderAndAllGeneralKeysOnly) {
    const std::string expected =
        "// mission metafile, saved on 7/4/2001, 9: 5\n\n\n"
        "begin general_information\n"
        "  name \"\"\n  designer \"\"\n  terrain \n  cnv_file \n  tt_file \n"
        "  terrain_color 0\n  attrib 0\n  visible_if 0\n  notvisible_if 0\n  arty 0\n  water_level 0\n"
        "  fog_level 0\n  fog_color 0\n  weather_type 0\n  lowest_elev 0\n  num_items 0\n  num_events 0\n"
        "  subgoals_win 0 0 0 0\n  subgoals_lose 0 0 0 0\n  sunset 0\n  default_equipment 0 0 0 0\n"
        "  wind 0 0\n  wp_names_blue 0 0 0 0 0 0 0 0\n  wp_names_red 0 0 0 0 0 0 0 0\n"
        "end general_information\n\n";
    EXPECT_EQ(formatPage(*page), expected);
}

TEST_F(MetafileWriter, GeneralValuesInFileOrder) {
    page->general.default_equipment[0] = 10; // E0 is written last
    page->general.default_equipment[1] = 11;
    page->general.default_equipment[2] = 12;
    page->general.default_equipment[3] = 13;
    page->subgoals_win[0] = -3;
    page->subgoals_lose[3] = 127;
    page->general.wp_names_red[7] = 99;
    const std::string text = formatPage(*page);
    EXPECT_NE(text.find("  default_equipment 11 12 13 10\n"), std::string::npos);
    EXPECT_NE(text.find("  subgoals_win -3 0 0 0\n"), std::string::npos);
    EXPECT_NE(text.find("  subgoals_lose 0 0 0 127\n"), std::string::npos);
    EXPECT_NE(text.find("  wp_names_red 0 0 0 0 0 0 0 99\n"), std::string::npos);
}

TEST_F(MetafileWriter, BriefingIsCutIntoPiecesOfAHundred) {
    std::memset(page->briefing, 'a', 100);
    std::string text = formatPage(*page);
    EXPECT_NE(text.find("begin briefing\n\n  brief \"" + std::string(100, 'a') + "\"\nendbriefing\n\n"),
              std::string::npos);
    page->briefing[100] = 'b';
    text = formatPage(*page);
    EXPECT_NE(text.find("  brief \"" + std::string(100, 'a') + "\"\n  brief \"b\"\nendbriefing\n"),
              std::string::npos);
}

TEST_F(MetafileWriter, BriefingLineFeedsTravelAsBars) {
    std::strcpy(page->briefing, "Go\r\nnorth\nnow");
    const std::string text = formatPage(*page);
    EXPECT_NE(text.find("  brief \"Go\r|north|now\"\n"), std::string::npos);
    auto read = loadText(dir, text);
    EXPECT_STREQ(read->briefing, "Go\r\nnorth\nnow");
}

TEST_F(MetafileWriter, EventWithTriggersOnlyAndActionValueOrder) {
    page->num_events = 2;
    std::strcpy(page->events[0].name, "first");
    page->events[0].trigger_count = 1;
    for (int i = 0; i < 8; ++i)
        page->events[0].triggers[0].value[i] = 10 + i;
    page->events[1].delay_value = 4;
    page->events[1].action_count = 1;
    for (int i = 0; i < 8; ++i)
        page->events[1].actions[0].value[i] = 20 + i;
    const std::string text = formatPage(*page);
    EXPECT_EQ(blockOf(text, "begin event 0"), "begin event 0\n  name \"first\"\n  begin triggers 1\n    10 "
                                              "11 12 13 14 15 16 17\n  end triggers\nend event\n");
    EXPECT_EQ(blockOf(text, "begin event 1"),
              "begin event 1\n  name \"\"\n  delay_value 4\n  begin actions 1\n    20 21 23 24 25 26 22 27\n"
              "  end actions\nend event\n");
}

TEST_F(MetafileWriter, FacingLineOnlyWhenHeadingOrPitchIsSet) {
    page->num_items = 3;
    page->items[1].facing[1] = 5;
    page->items[2].facing[0] = 270;
    const std::string text = formatPage(*page);
    EXPECT_EQ(blockOf(text, "begin item 0"),
              "begin item 0\n  id 0\n  type_id 0\n  position 0 0 0\nend item\n");
    EXPECT_NE(blockOf(text, "begin item 1").find("  facing 0 5\n"), std::string::npos);
    EXPECT_NE(blockOf(text, "begin item 2").find("  facing 270 0\n"), std::string::npos);
}

TEST_F(MetafileWriter, ItemAttributeLinesInFileOrder) {
    page->num_items = 1;
    MissionItem& item = page->items[0];
    item.id = 3;
    item.type_id = kTestSoldierType;
    item.layer = 2;
    item.attributes = 8;
    item.edistances[1] = 900;
    item.advancetimer = 1;
    item.team = 1;
    item.group_rel = 4;
    item.group_id = 5;
    const std::string text = formatPage(*page);
    EXPECT_EQ(blockOf(text, "begin item 0"),
              "begin item 0\n  id 3\n  type_id 1\n  position 0 0 0\n  team 1\n  group_id 5\n  group_rel 4\n"
              "  advancetimer 1\n  edistances 0 900\n  attributes 8\n  layer 2\nend item\n");
}

TEST_F(MetafileWriter, GroupWithMembersButNoDescription) {
    page_AddItem(*page, kTestSoldierType, 0, 0, 0);
    page->items[0].group_id = 4;
    page->groups[4].color = 3;
    page->groups[4].attrib = 1;
    page->groups[4].commander = 2;
    const std::string text = formatPage(*page);
    EXPECT_EQ(blockOf(text, "begin group 4"),
              "begin group 4\n  description \"\"\n  attrib 1\n  color 3\n  commander 2\nend group\n");
    EXPECT_EQ(page->groups[4].member_count, 1) << "the writer refreshes the derived data";
}

TEST_F(MetafileWriter, ListsWithMarkersAreWrittenWithoutDescription) {
    const int waypoint = page_AddItem(*page, kWaypointMarkerType, 0, 0, 0);
    page->items[waypoint].waypoint_id = 9;
    const int area = page_AddItem(*page, kAreaTriggerMarkerType, 0, 0, 0);
    page->items[area].wpnumber = 12;
    page->area_triggers[12].color = 2;
    std::strcpy(page->wav_lists[3].file_name, "boom.wav");
    std::strcpy(page->layers[0].description, "Ground");
    const std::string text = formatPage(*page);
    EXPECT_EQ(blockOf(text, "begin waypoint 9"), "begin waypoint 9\n  description \"\"\nend waypoint\n");
    EXPECT_EQ(blockOf(text, "begin areatrig 12"),
              "begin areatrig 12\n  description \"\"\n  color 2\nend areatrig\n");
    EXPECT_EQ(blockOf(text, "begin wav_list 3"),
              "begin wav_list 3\n  description \"\"\n  file_name \"boom.wav\"\nend wav_list\n");
    EXPECT_EQ(blockOf(text, "begin layer 0"), "begin layer 0\n  description \"Ground\"\nend layer\n");
    // Block order: area triggers, waypoint lists, groups, wav lists, layers, events, items.
    EXPECT_LT(text.find("begin areatrig"), text.find("begin waypoint"));
    EXPECT_LT(text.find("begin waypoint"), text.find("begin wav_list"));
    EXPECT_LT(text.find("begin wav_list"), text.find("begin layer"));
    EXPECT_LT(text.find("begin layer"), text.find("begin item"));
}

TEST_F(MetafileWriter, DoubleQuotesAndLineFeedsNeverBreakTheFile) {
    std::strcpy(page->general.name, "The \"Big\" One");
    std::strcpy(page->groups[5].description, "two\nlines");
    std::strcpy(page->briefing, "say \"hi\"");
    const std::string text = formatPage(*page);
    EXPECT_NE(text.find("  name \"The 'Big' One\"\n"), std::string::npos);
    EXPECT_NE(text.find("  description \"two lines\"\n"), std::string::npos);
    int result = 0;
    auto read = loadText(dir, text, &result);
    ASSERT_EQ(result, 1);
    EXPECT_STREQ(read->general.name, "The 'Big' One");
    EXPECT_STREQ(read->groups[5].description, "two lines");
    EXPECT_STREQ(read->briefing, "say 'hi'");
    EXPECT_EQ(formatPage(*read), text) << "what was written reads back to the same file";
}

TEST_F(MetafileWriter, FileNamesWithSeparatorsAreQuoted) {
    std::strcpy(page->general.terrain, "my land");
    std::strcpy(page->general.cnv_file, "a,b");
    std::strcpy(page->general.tt_file, "plain.tt");
    const std::string text = formatPage(*page);
    EXPECT_NE(text.find("  terrain \"my land\"\n"), std::string::npos);
    EXPECT_NE(text.find("  cnv_file \"a,b\"\n"), std::string::npos);
    EXPECT_NE(text.find("  tt_file plain.tt\n"), std::string::npos);
    auto read = loadText(dir, text);
    EXPECT_STREQ(read->general.terrain, "my land");
    EXPECT_STREQ(read->general.cnv_file, "a,b");
}

TEST_F(MetafileWriter, LongWaypointDescriptionIsCutToWhatALineCarries) {
    std::memset(page->waypoints[2].description, 'x', kWaypointDescSize - 1);
    const std::string text = formatPage(*page);
    const std::string line = "  description \"" + std::string(682, 'x') + "\"\n";
    EXPECT_NE(text.find(line), std::string::npos);
    int result = 0;
    auto read = loadText(dir, text, &result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(std::strlen(read->waypoints[2].description), 682u);
}

TEST_F(MetafileWriter, CountsOutsideTheRecordAreHeldToCapacity) {
    page->num_events = 1;
    page->events[0].trigger_count = 40;
    page->events[0].action_count = -2;
    const std::string text = formatPage(*page);
    EXPECT_NE(text.find("  begin triggers 10\n"), std::string::npos);
    EXPECT_EQ(text.find("begin actions"), std::string::npos);
}

TEST_F(MetafileWriter, WriteReplacesTheTargetAndLeavesNoTemporaryFile) {
    const std::string path = dir.write("mission.mis", "old contents");
    std::strcpy(page->general.name, "new");
    ASSERT_TRUE(metafile_Write(*page, path.c_str()));
    EXPECT_NE(test_ReadFile(path).find("  name \"new\"\n"), std::string::npos);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(MetafileWriter, UncreatableFileIsReported) {
    EXPECT_FALSE(metafile_Write(*page, dir.path("no/such/folder/x.mis").c_str()));
}

TEST_F(MetafileWriter, FailedWriteKeepsThePreviousFile) {
    const std::string path = dir.write("mission.mis", "previous mission");
    page->num_items = kMaxItems; // a file far larger than the limit below
    // A file-size limit makes the writes fail part way, as a full disk would.
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit limit = old_limit;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written = metafile_Write(*page, path.c_str());
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(test_ReadFile(path), "previous mission");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1) << "the temporary file is removed";
}

TEST_F(MetafileWriter, HeaderUsesSourceDateEpochWhenSet) {
    setenv("SOURCE_DATE_EPOCH", "1000000000", 1);
    setenv("TZ", "UTC", 1);
    tzset();
    const MetafileTime when = metafile_Now();
    unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(when.year, 2001);
    EXPECT_EQ(when.month, 9);
    EXPECT_EQ(when.day, 9);
    EXPECT_EQ(when.hour, 1);
    EXPECT_EQ(when.minute, 46);
}

} // namespace
