// Choice lists of the event variable slots and the combo-box helpers of the events dialogs.
#include "mission/event_catalogue.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class EventChoices : public ::testing::Test {
  protected:
    void SetUp() override {
        test_InstallTexts("[Triggers]\nNULL=(none)\nCAMP_VAR_NUM=Variable #%i\n"
                          "[Teams]\nNEUTRALTEAM=Neutral\nGOODTEAM=Good\nEVILTEAM=Evil\n"
                          "[Med Resources]\nNONE=No weapon\n"
                          "[Weapons]\nM16=M16 rifle\nAK47=AK-47\nDRAGUNOVA=Dragunov\nH&K_MP5_SD=MP5 SD\n"
                          "COLT_45=Colt\nSUPPRESSED_22=Silenced .22\n");
        names =
            test_BuildTable("[WinConditions]\nSTRWINCOND000=Hold the bridge\nSTRWINCOND003=Rescue the pilot\n"
                            "STRWINCOND004=\n[LoseConditions]\nSTRLOSECOND002=Lose the convoy\n");
        page = std::make_unique<MissionPage>();
    }

    ChoiceEntries list(ChoiceList which) const { return event_ChoiceEntries(which, *page, names); }

    static std::vector<std::string> textsOf(const ChoiceEntries& entries) {
        std::vector<std::string> texts;
        for (const ChoiceEntry& e : entries)
            texts.push_back(e.text);
        return texts;
    }
    static std::vector<int32_t> codesOf(const ChoiceEntries& entries) {
        std::vector<int32_t> codes;
        for (const ChoiceEntry& e : entries)
            codes.push_back(e.code);
        return codes;
    }

    const StringTable* names = nullptr;
    std::unique_ptr<MissionPage> page;
};

TEST_F(EventChoices, NumberedRecordListsStartWithNull) {
    std::strcpy(page->groups[1].description, "Blue Players");
    std::strcpy(page->groups[63].description, "Last");
    std::strcpy(page->waypoints[127].description, "Patrol");
    std::strcpy(page->area_triggers[12].description, "Bridge");

    const ChoiceEntries groups = list(ChoiceList::Groups);
    ASSERT_EQ(64u, groups.size());
    EXPECT_EQ("(none)", groups[0].text);
    EXPECT_EQ(" 1 - Blue Players", groups[1].text);
    EXPECT_EQ(" 2 - ", groups[2].text);
    EXPECT_EQ("63 - Last", groups[63].text);
    for (int32_t i = 0; i < 64; ++i)
        EXPECT_EQ(i, groups[i].code);

    const ChoiceEntries lists = list(ChoiceList::WaypointLists);
    ASSERT_EQ(128u, lists.size());
    EXPECT_EQ("127 - Patrol", lists[127].text);
    EXPECT_EQ(127, lists[127].code);

    const ChoiceEntries areas = list(ChoiceList::Areas);
    ASSERT_EQ(100u, areas.size());
    EXPECT_EQ("12 - Bridge", areas[12].text);
    EXPECT_EQ(" 9 - ", areas[9].text);
}

TEST_F(EventChoices, EventsListShowsAllRecordsUsedOrNot) {
    page->num_events = 1;
    std::strcpy(page->events[0].name, "Start");
    std::strcpy(page->events[200].name, "Leftover");
    std::memset(page->events[5].name, 'x', sizeof page->events[5].name); // not terminated
    const ChoiceEntries events = list(ChoiceList::Events);
    ASSERT_EQ(256u, events.size());
    EXPECT_EQ("(0) Start", events[0].text);
    EXPECT_EQ("(1) ", events[1].text);
    EXPECT_EQ("(5) " + std::string(64, 'x'), events[5].text);
    EXPECT_EQ("(200) Leftover", events[200].text);
    EXPECT_EQ(255, events[255].code);
}

TEST_F(EventChoices, CampaignVariablesAndWaypointNumbers) {
    const ChoiceEntries variables = list(ChoiceList::CampaignVariables);
    ASSERT_EQ(32u, variables.size());
    EXPECT_EQ("(none)", variables[0].text);
    EXPECT_EQ("Variable #1", variables[1].text);
    EXPECT_EQ("Variable #31", variables[31].text);
    const ChoiceEntries numbers = list(ChoiceList::WaypointNumbers);
    ASSERT_EQ(32u, numbers.size());
    EXPECT_EQ("(none)", numbers[0].text);
    EXPECT_EQ("31", numbers[31].text);
    EXPECT_EQ(31, numbers[31].code);
}

TEST_F(EventChoices, ConditionListsNameThePagesSubGoals) {
    page->subgoals_win[0] = -1;
    page->subgoals_win[1] = 3;
    page->subgoals_win[2] = -1;
    page->subgoals_win[3] = -1;
    EXPECT_EQ((std::vector<std::string>{"1 - (none)", "2 - Rescue the pilot", "3 - (none)", "4 - (none)"}),
              textsOf(list(ChoiceList::WinConditions)));
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 4}), codesOf(list(ChoiceList::WinConditions)));

    // Index 0 has a name; 9 has no entry and 4 an empty one: both read "NULL".
    page->subgoals_win[0] = 0;
    page->subgoals_win[1] = 9;
    page->subgoals_win[2] = 4;
    EXPECT_EQ((std::vector<std::string>{"1 - Hold the bridge", "2 - (none)", "3 - (none)", "4 - (none)"}),
              textsOf(list(ChoiceList::WinConditions)));

    page->subgoals_lose[3] = 2;
    EXPECT_EQ((std::vector<std::string>{"1 - (none)", "2 - (none)", "3 - (none)", "4 - Lose the convoy"}),
              textsOf(list(ChoiceList::LoseConditions)));
    EXPECT_EQ("1 - (none)", event_ChoiceEntries(ChoiceList::LoseConditions, *page, nullptr)[0].text);
}

TEST_F(EventChoices, TeamsWeaponsAndNumbers) {
    EXPECT_EQ((std::vector<std::string>{"Neutral", "Good", "Evil"}), textsOf(list(ChoiceList::Teams)));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), codesOf(list(ChoiceList::Teams)));
    EXPECT_EQ((std::vector<std::string>{"No weapon", "M16 rifle", "AK-47", "Dragunov", "MP5 SD", "Colt",
                                        "Silenced .22"}),
              textsOf(list(ChoiceList::Weapons)));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 6, 8, 9}), codesOf(list(ChoiceList::Weapons)));
    EXPECT_EQ((std::vector<std::string>{"0", "1"}), textsOf(list(ChoiceList::Bit)));
    const std::pair<ChoiceList, int32_t> ranges[] = {{ChoiceList::Numbers0To31, 31},
                                                     {ChoiceList::Numbers0To100, 100},
                                                     {ChoiceList::Numbers0To128, 128},
                                                     {ChoiceList::Numbers0To359, 359},
                                                     {ChoiceList::Numbers0To999, 999}};
    for (auto [which, last] : ranges) {
        const ChoiceEntries entries = list(which);
        ASSERT_EQ(static_cast<size_t>(last) + 1, entries.size());
        EXPECT_EQ(std::to_string(last), entries.back().text);
        EXPECT_EQ(last, entries.back().code);
        EXPECT_EQ(0, entries.front().code);
    }
    EXPECT_TRUE(list(ChoiceList::None).empty());
}

TEST_F(EventChoices, SelectByDataTakesTheFirstMatchOrTheFirstEntry) {
    const ChoiceEntries entries = {{"a", 5}, {"b", 7}, {"c", 7}};
    EXPECT_EQ(1, combo_SelectByData(entries, 7));
    EXPECT_EQ(0, combo_SelectByData(entries, 5));
    EXPECT_EQ(0, combo_SelectByData(entries, -1));
    EXPECT_EQ(-1, combo_SelectByData({}, 0));
    EXPECT_EQ(7, combo_SelectedCode(entries, 2));
    EXPECT_EQ(-1, combo_SelectedCode(entries, 3));
    EXPECT_EQ(-1, combo_SelectedCode(entries, -1));
}

TEST_F(EventChoices, FillSlotsSelectsTheStoredValues) {
    std::strcpy(page->groups[4].description, "Alpha");
    const EventTrigger stored{{0, 1, 7, 4, 200, 9, -1, 0}};
    const auto boxes = combo_FillSlots(event_TriggerSlots(1, 7), stored.value, *page, names);
    EXPECT_TRUE(boxes[0].enabled);
    EXPECT_EQ(" 4 - Alpha", boxes[0].entries[boxes[0].selected].text);
    EXPECT_TRUE(boxes[1].enabled);
    EXPECT_EQ(0, boxes[1].selected); // list 200 does not exist: the first entry
    EXPECT_EQ(9, boxes[2].selected);
    EXPECT_EQ("9", boxes[2].entries[9].text);
    EXPECT_FALSE(boxes[3].enabled);
    EXPECT_TRUE(boxes[3].entries.empty());
    EXPECT_EQ(-1, boxes[3].selected);
    EXPECT_EQ(-1, combo_SelectedCode(boxes[3].entries, boxes[3].selected)); // stored back as -1
}

} // namespace
