// The text reports: exact lines after the header formats of the string tables.
#include "mission/page_ops.h"
#include "mission/reports.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

const char kTexts[] = "[File I/O]\n"
                      "GROUP_LIST_HEADER=Groups of %s on %i/%i/%i %i:%02i\\n\\n\n"
                      "AREATRIGGER_LIST_HEADER=Areas of %s on %i/%i/%i %i:%02i\\n\n"
                      "WAYPOINT_LIST_HEADER=Lists of %s\\non %i/%i/%i %i:%02i\\n\n"
                      "CANT_WRITE_FILE=cannot write %s\n"
                      "[Dialog Message]\nWARNING=Careful\n"
                      "[Write Event]\n"
                      "EVENT_HEADER=Event %i of %s on %i/%i/%i %i:%02i\\n\n"
                      "EVENT_LIST_HEADER=Events of %s on %i/%i/%i %i:%02i\\n\n"
                      "EVENT_NUMBER=Event %i: %s\\n\n"
                      "RESET_AFTER=  reset %i\\n\n"
                      "DELAY_EVENT=  delay %i\\n\n"
                      "PRE_MISSION_EVENT=  pre\\n\n"
                      "POST_MISSION_EVENT=  post\\n\n"
                      "TRIGGERS=  IF\\n\n"
                      "ACTIONS=  THEN\\n\n"
                      "[Triggers]\n"
                      "EVENT_TRIGGERED=event %i fired\n"
                      "SECOND_TIME_THROUGH=second time\n"
                      "BLUE_WIN=blue wins\n"
                      "ELIMINATE_GROUP=kill group %i\n"
                      "[Trigger Logic]\nAND= and\nOR= or\nXOR= xor\n";

MetafileTime when() {
    MetafileTime t;
    t.month = 3;
    t.day = 14;
    t.year = 2002;
    t.hour = 16;
    t.minute = 7;
    return t;
}

class Reports : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        test_InstallTexts(kTexts);
        page = std::make_unique<MissionPage>();
        std::strcpy(page->general.mission_file, "C:\\missions\\raid.mis");
    }

    void addMarker(int32_t type, int32_t list_or_area, int32_t number, int32_t x) {
        const int slot = page_AddItem(*page, type, x, 0, 0);
        ASSERT_GE(slot, 0);
        page->items[slot].waypoint_id = list_or_area;
        page->items[slot].wpnumber = number;
    }

    // An event with a trigger, an OR trigger and an action.
    void addEvent(const char* name, int32_t attrib, int32_t reset, int32_t delay) {
        MissionEvent& e = page->events[page->num_events++];
        std::strcpy(e.name, name);
        e.attrib = attrib;
        e.reset_value = reset;
        e.delay_value = delay;
    }

    CapturedMessages messages;
    std::unique_ptr<MissionPage> page;
};

TEST_F(Reports, GroupListHoldsNamedGroups) {
    std::strcpy(page->groups[1].description, "Blue Players");
    std::strcpy(page->groups[17].description, "Snipers");
    std::strcpy(page->groups[63].description, "Reserve");
    page->groups[5].attrib = 3; // no name: not listed
    EXPECT_EQ("Groups of C:\\missions\\raid.mis on 3/14/2002 16:07\n\n"
              " 1 - Blue Players\n"
              "17 - Snipers\n"
              "63 - Reserve\n",
              report_GroupListText(*page, when()));
}

TEST_F(Reports, GroupListWithoutNamesIsOnlyTheHeader) {
    EXPECT_EQ("Groups of C:\\missions\\raid.mis on 3/14/2002 16:07\n\n", report_GroupListText(*page, when()));
}

TEST_F(Reports, AreaTriggerListHoldsTriggersWithMarkersOrNames) {
    addMarker(kAreaTriggerMarkerType, 0, 7, 10);
    addMarker(kAreaTriggerMarkerType, 0, 100, 10); // no such trigger
    std::strcpy(page->area_triggers[2].description, "Bridge");
    std::strcpy(page->area_triggers[7].description, "Village");
    std::strcpy(page->area_triggers[99].description, "Edge");
    page_RebuildAreaTriggers(*page);
    page->area_triggers[50].area_number = 50; // as last derived: listed with an empty name
    EXPECT_EQ("Areas of C:\\missions\\raid.mis on 3/14/2002 16:07\n"
              "  2 - Bridge\n"
              "  7 - Village\n"
              " 50 - \n"
              " 99 - Edge\n",
              report_AreaTriggerListText(*page, when()));
}

TEST_F(Reports, WaypointListShowsMemberCounts) {
    for (int i = 0; i < 4; ++i)
        addMarker(kWaypointMarkerType, 3, i, 0);
    addMarker(kWaypointMarkerType, 120, 0, 0);
    std::strcpy(page->waypoints[10].description, "Patrol route");
    std::strcpy(page->waypoints[120].description, "Escape");
    page_RebuildWaypointLists(*page);
    EXPECT_EQ("Lists of C:\\missions\\raid.mis\non 3/14/2002 16:07\n"
              "  3 -  (4)\n"
              " 10 - Patrol route (0)\n"
              "120 - Escape (1)\n",
              report_WaypointListText(*page, when()));
}

TEST_F(Reports, EventBlockPrintsFlagsTriggersAndActions) {
    addEvent("Ambush", 0x7, 30, 5);
    MissionEvent& e = page->events[0];
    e.trigger_count = 2;
    e.triggers[0] = EventTrigger{{2, 2, 0, 4, 0, 0, 0, 0}};
    e.triggers[1] = EventTrigger{{0, 4, 0, 0, 0, 0, 0, 0}};
    e.action_count = 2;
    e.actions[0] = EventAction{{0, 2, 0, 6, 0, 0, 0, 0}};
    e.actions[1] = EventAction{{0, 8, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ("Event 0: Ambush\n"
              "  reset 30\n"
              "  delay 5\n"
              "  pre\n"
              "  post\n"
              "  IF\n"
              "    event 4 fired or\n"
              "    second time\n"
              "  THEN\n"
              "    kill group 6\n"
              "    blue wins\n",
              report_EventBlock(*page, 0));
}

TEST_F(Reports, EventBlockLeavesOutWhatIsNotSet) {
    addEvent("Quiet", 0x2, 99, 0); // reset value without the reset bit: not printed
    EXPECT_EQ("Event 0: Quiet\n  pre\n", report_EventBlock(*page, 0));
}

TEST_F(Reports, OneEventAndAllEvents) {
    addEvent("First", 0, 0, 0);
    addEvent("Second", 0x4, 0, 2);
    page->events[1].trigger_count = 1;
    page->events[1].triggers[0] = EventTrigger{{1, 4, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ("Event 1 of C:\\missions\\raid.mis on 3/14/2002 16:07\n"
              "Event 1: Second\n  delay 2\n  post\n  IF\n    Bad Texttool String\n",
              report_EventText(*page, 1, when()));
    EXPECT_EQ("Events of C:\\missions\\raid.mis on 3/14/2002 16:07\n"
              "Event 0: First\n\n"
              "Event 1: Second\n  delay 2\n  post\n  IF\n    Bad Texttool String\n\n",
              report_EventListText(*page, when()));
    EXPECT_EQ("", report_EventText(*page, 2, when()));
    EXPECT_EQ("", report_EventText(*page, -1, when()));
}

TEST_F(Reports, WritersUseTheCurrentTimeAndReplaceTheFile) {
    TempDir dir;
    std::strcpy(page->groups[4].description, "Delta");
    const std::string path = dir.write("groups.txt", "old contents");
    EXPECT_EQ(ReportResult::Written, report_WriteGroupList(*page, path.c_str()));
    const std::string text = test_ReadFile(path);
    EXPECT_EQ(0u, text.find("Groups of C:\\missions\\raid.mis on "));
    EXPECT_NE(std::string::npos, text.find("\n\n 4 - Delta\n"));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Reports, WriteEventOutsideTheEventsCreatesNoFile) {
    TempDir dir;
    addEvent("Only", 0, 0, 0);
    const std::string path = dir.path("event.txt");
    EXPECT_EQ(ReportResult::NoSuchEvent, report_WriteEvent(*page, path.c_str(), 1));
    EXPECT_EQ(ReportResult::NoSuchEvent, report_WriteEvent(*page, path.c_str(), -1));
    EXPECT_TRUE(test_ReadBytes(path).empty());
    EXPECT_EQ(ReportResult::Written, report_WriteEvent(*page, path.c_str(), 0));
    EXPECT_EQ(0u, test_ReadFile(path).find("Event 0 of "));
}

TEST_F(Reports, FailedWriteIsReported) {
    TempDir dir;
    const std::string path = dir.path("missing/list.txt");
    EXPECT_EQ(ReportResult::WriteFailed, report_WriteEventList(*page, path.c_str()));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Careful", messages.messages[0].caption);
    EXPECT_EQ("cannot write " + path + "\nReason: No such file or directory", messages.messages[0].text);
}

} // namespace
