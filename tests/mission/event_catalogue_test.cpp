// The event catalogue: sentences of every trigger and action type, names, slots and choice lists.
#include "mission/event_catalogue.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Every key the catalogue looks up, each text showing its key and taking the numbers the
// catalogue gives it ("%i" once per number, "%s" for an inserted sentence).
const char* const kFormatted[][2] = {
    {"GROUP_SEES_GROUP", "%i %i"},
    {"GROUP_NOT_SEES_GROUP", "%i %i"},
    {"GROUP_HAS_TARGETED_GROUP", "%i %i"},
    {"GROUP_HAS_NOT_TARGETED_GROUP", "%i %i"},
    {"GROUP_AT_RED_ALERT", "%i"},
    {"GROUP_NOT_AT_RED_ALERT", "%i"},
    {"GROUP_DESTROYED", "%i"},
    {"GROUP_NOT_DESTROYED", "%i"},
    {"GROUP_ALIVE", "%i"},
    {"GROUP_NOT_ALIVE", "%i"},
    {"GROUP_HAS_LOST_MORE_UNITS", "%i %i"},
    {"GROUP_HAS_NOT_LOST_MORE_UNITS", "%i %i"},
    {"GROUP_AT_WAYPOINT", "%i %i %i"},
    {"GROUP_NOT_AT_WAYPOINT", "%i %i %i"},
    {"GROUP_FINISH_WP_LIST", "%i"},
    {"GROUP_NOT_FINISH_WP_LIST", "%i"},
    {"GROUP_INTACT", "%i"},
    {"GROUP_NOT_INTACT", "%i"},
    {"GROUP_IS_WITHIN_AREA", "%i %i"},
    {"GROUP_IS_NOT_WITHIN_AREA", "%i %i"},
    {"GROUP_HOLDING_GROUP", "%i %i"},
    {"GROUP_NOT_HOLDING_GROUP", "%i %i"},
    {"GROUP_HAS_MORE_UNITS", "%i %i"},
    {"GROUP_LESS_THAN", "%i %i"},
    {"GROUP_HAS_SHOT_GROUP", "%i %i"},
    {"GROUP_HAS_NOT_SHOT_GROUP", "%i %i"},
    {"EVENT_TRIGGERED", "%i"},
    {"EVENT_NOT_TRIGGERED", "%i"},
    {"CAMPAIGN_VARIABLE_SET", "%i"},
    {"CAMPAIGN_VARIABLE_NOT_SET", "%i"},
    {"GROUP_REDIRECT_TO", "%i %i"},
    {"ELIMINATE_GROUP", "%i"},
    {"CHANGE_GROUP", "%i %s"},
    {"VAPORIZE_GROUP_NUM", "%i"},
    {"SET_CAMPAIGN_VARIABLE_NUM", "%i %i"},
    {"TEXT_MESSAGE", "%i"},
    {"PLAY_WAV_FILE_LIST", "%i"},
    {"SET_GROUP_TO_SPEED", "%i %i"},
    {"CHANGE_ALL_RED_IN_AREA", "%i %s"},
    {"CHANGE_ALL_BLUE_IN_AREA", "%i %s"},
    {"SUB_GOAL_NUM_WON", "%i"},
    {"SUB_GOAL_NUM_LOST", "%i"},
    {"CHANGE_TEAM_STRING", "%i"},
    {"CHANGE_GROUP_STRING", "%i %i"},
    {"GROUP_TELEPORT_STRING", "%i %i"},
    {"WEAPONS_TO", "%i"},
    {"TO_FOV_DEGREES", "%i"},
    {"ACCURACY_TO", "%i"},
    {"PERCEPTION_TO", "%i"},
    {"MOVE_TIMER_TO", "%i"},
    {"CROUCH_TIMER_TO", "%i"},
    {"ATTENTION_SPAN_TO", "%i"},
    {"OBLIQUENESS_TO", "%i"},
    {"CAMP_VAR_NUM", "%i"},
};

const char* const kPlain[] = {
    // names and sentences without numbers
    "NULL",
    "GROUP",
    "EVENT",
    "CAMPAIGN_VARIABLE",
    "SECOND_TIME",
    "SQUADMATES",
    "SEEN_ENEMY",
    "HAS_TARGETED",
    "CONDITION_RED",
    "ALL_DESTROYED",
    "ANY_ALIVE",
    "LOST_X_UNITS",
    "REACHED_WAYPOINT",
    "FINISHES_WAYPOINT",
    "ALL_INTACT",
    "AREA_TRIGGER",
    "HOLDS_ITEM",
    "HAS_X_UNITS",
    "GROUP_SHOT_GROUP",
    "GROUP-NULL",
    "SECOND_TIME_THROUGH",
    "NOT_SECOND_TIME_THROUGH",
    "SQUADMATES_ARE_ON",
    "SQUADMATES_ARE_OFF",
    "REDIRECT_GROUP_TO",
    "KILL_GROUP",
    "CHANGE_GROUP_AI",
    "VAPORIZE_GROUP",
    "SET_CAMPAIGN_VARIABLE",
    "OUTPUT_TEXT",
    "PLAY_WAVLIST",
    "BLUE_WIN",
    "RED_WIN",
    "GREEN_WIN",
    "GROUP_VELOCITY",
    "AREA_AI_RED",
    "AREA_AI_BLUE",
    "SUB_GOAL_WON",
    "SUB_GOAL_LOST",
    "CHANGE_TEAM_ACTION",
    "CHANGE_GROUP_ACTION",
    "GROUP_TELEPORT_ACTION",
    "RESERVED",
    "RESERVED2",
    "NEW_WEAPON",
    "GUARDER",
    "STANDER",
    "PRONER",
    "RED_ALERT",
    "GREEN_ALERT",
    "FIELD_OF_VIEW",
    "ACCURACY",
    "PERCEPTION",
    "MOVE_TIMER",
    "CROUCH_TIMER",
    "ATTENTION_SPAN",
    "OBLIQUENESS",
    "SILENT",
    "BLIND",
    "BERSERK",
    "CLIMBER",
    "NO_WATER",
    "DEAF",
    "COLON_NULL",
    "TO_RED_ALERT",
    "TO_GREEN_ALERT",
    "GUARD_ON",
    "GUARD_OFF",
    "STAND_ON",
    "STAND_OFF",
    "PRONE_ON",
    "PRONE_OFF",
    "SILENT_ON",
    "SILENT_OFF",
    "BLIND_ON",
    "BLIND_OFF",
    "BERSERK_ON",
    "BERSERK_OFF",
    "CLIMBER_ON",
    "CLIMBER_OFF",
    "NO_WATER_ON",
    "NO_WATER_OFF",
    "DEAF_ON",
    "DEAF_OFF",
    // slot labels
    "GROUP1",
    "GROUP2",
    "NUM_UNITS",
    "WAYPOINT_LIST",
    "WAYPOINT_NUMBER",
    "AREA",
    "ITEM_GROUP",
    "EVENT_NUMBER_STRING",
    "VARIABLE_NUMBER_STRING",
    "VARIABLE_STATUS",
    "TEXT_ID",
    "WAV_LIST_NUMBER",
    "VELOCITY_KPH",
    "AREA_ID",
    "SUB_GOAL_NUMBER",
    "TEAM",
    "TELEPORT_TARGET_NUM",
    "WEAPON_NUMBER",
    "GUARD_BIT",
    "STAND_BIT",
    "PRONE_BIT",
    "FOV_DEGREES",
    "ACCURACY_100",
    "PERCEPTION_100",
    "TIMER_SEC",
    "OBLIQUENESS_DEGREES",
    "SILENT_BIT",
    "BLIND_BIT",
    "BERSERK_BIT",
    "CLIMBER_BIT",
    "NO_WATER_BIT",
    "DEAF_BIT",
};

std::string catalogueSource() {
    std::string source = "[Triggers]\n";
    for (const auto& entry : kFormatted)
        source += std::string(entry[0]) + "=[" + entry[0] + " " + entry[1] + "]\n";
    for (const char* key : kPlain)
        source += std::string(key) + "=[" + key + "]\n";
    source += "[Trigger Logic]\nAND= AND\nOR= OR\nXOR= XOR\n";
    source += "[Colors]\nGREEN= green\nBLUE= blue\nRED= red\n";
    source += "[Teams]\nNEUTRALTEAM=Neutral\nGOODTEAM=Good\nEVILTEAM=Evil\n";
    source += "[Med Resources]\nNONE=No weapon\n";
    source += "[Weapons]\nM16=M16 rifle\nAK47=AK-47\nDRAGUNOVA=Dragunov\nH&K_MP5_SD=MP5 SD\nCOLT_45=Colt\n"
              "SUPPRESSED_22=Silenced .22\n";
    return source;
}

EventTrigger trigger(int32_t flags, int32_t type, int32_t condition, int32_t v3 = 11, int32_t v4 = 22,
                     int32_t v5 = 33) {
    return EventTrigger{{flags, type, condition, v3, v4, v5, 44, 55}};
}

EventAction action(int32_t type, int32_t change, int32_t v3 = 11, int32_t v4 = 22) {
    return EventAction{{0, type, change, v3, v4, 33, 44, 55}};
}

class EventCatalogue : public ::testing::Test {
  protected:
    void SetUp() override { test_InstallTexts(catalogueSource()); }
};

TEST_F(EventCatalogue, GroupTriggerSentencesForEveryCondition) {
    const char* const expected[][2] = {
        {"[GROUP-NULL]", "[GROUP-NULL]"},
        {"[GROUP_SEES_GROUP 11 22]", "[GROUP_NOT_SEES_GROUP 11 22]"},
        {"[GROUP_HAS_TARGETED_GROUP 11 22]", "[GROUP_HAS_NOT_TARGETED_GROUP 11 22]"},
        {"[GROUP_AT_RED_ALERT 11]", "[GROUP_NOT_AT_RED_ALERT 11]"},
        {"[GROUP_DESTROYED 11]", "[GROUP_NOT_DESTROYED 11]"},
        {"[GROUP_ALIVE 11]", "[GROUP_NOT_ALIVE 11]"},
        {"[GROUP_HAS_LOST_MORE_UNITS 11 22]", "[GROUP_HAS_NOT_LOST_MORE_UNITS 11 22]"},
        {"[GROUP_AT_WAYPOINT 11 22 33]", "[GROUP_NOT_AT_WAYPOINT 11 22 33]"},
        {"[GROUP_FINISH_WP_LIST 11]", "[GROUP_NOT_FINISH_WP_LIST 11]"},
        {"[GROUP_INTACT 11]", "[GROUP_NOT_INTACT 11]"},
        {"[GROUP_IS_WITHIN_AREA 11 22]", "[GROUP_IS_NOT_WITHIN_AREA 11 22]"},
        {"[GROUP_HOLDING_GROUP 11 22]", "[GROUP_NOT_HOLDING_GROUP 11 22]"},
        {"[GROUP_HAS_MORE_UNITS 11 22]", "[GROUP_LESS_THAN 11 22]"},
        {"[GROUP_HAS_SHOT_GROUP 11 22]", "[GROUP_HAS_NOT_SHOT_GROUP 11 22]"},
    };
    for (int32_t condition = 0; condition < 14; ++condition) {
        EXPECT_EQ(expected[condition][0], event_TriggerText(trigger(0, 1, condition), true)) << condition;
        EXPECT_EQ(expected[condition][1], event_TriggerText(trigger(1, 1, condition), true)) << condition;
    }
    EXPECT_EQ("", event_TriggerText(trigger(0, 1, 14), true));
    EXPECT_EQ(" OR", event_TriggerText(trigger(2, 1, 14), false));
    EXPECT_EQ("", event_TriggerText(trigger(0, 1, -1), true));
}

TEST_F(EventCatalogue, OtherTriggerTypeSentences) {
    const char* const expected[][2] = {
        {"[NULL]", "[NULL]"},
        {nullptr, nullptr},
        {"[EVENT_TRIGGERED 11]", "[EVENT_NOT_TRIGGERED 11]"},
        {"[CAMPAIGN_VARIABLE_SET 11]", "[CAMPAIGN_VARIABLE_NOT_SET 11]"},
        {"[SECOND_TIME_THROUGH]", "[NOT_SECOND_TIME_THROUGH]"},
        {"[SQUADMATES_ARE_ON]", "[SQUADMATES_ARE_OFF]"},
    };
    for (int32_t type : {0, 2, 3, 4, 5}) {
        EXPECT_EQ(expected[type][0], event_TriggerText(trigger(0, type, 7), true)) << type;
        EXPECT_EQ(expected[type][1], event_TriggerText(trigger(1, type, 7), true)) << type;
    }
    EXPECT_EQ("???", event_TriggerText(trigger(0, 6, 0), true));
    EXPECT_EQ("??? XOR", event_TriggerText(trigger(4, -3, 0), false));
}

TEST_F(EventCatalogue, LogicWordFollowsEveryTriggerButTheLast) {
    EXPECT_EQ("[GROUP_AT_WAYPOINT 2 5 3] AND", event_TriggerText(trigger(0, 1, 7, 2, 5, 3), false));
    EXPECT_EQ("[GROUP_NOT_AT_WAYPOINT 2 5 3] OR", event_TriggerText(trigger(3, 1, 7, 2, 5, 3), false));
    EXPECT_EQ("[EVENT_TRIGGERED 11] XOR", event_TriggerText(trigger(4, 2, 0), false));
    EXPECT_EQ("[EVENT_TRIGGERED 11] OR", event_TriggerText(trigger(6, 2, 0), false)); // OR wins
    EXPECT_EQ("[EVENT_TRIGGERED 11]", event_TriggerText(trigger(6, 2, 0), true));
}

TEST_F(EventCatalogue, FinishedWaypointListNamesOnlyTheGroup) {
    EXPECT_EQ("[GROUP_FINISH_WP_LIST 4]", event_TriggerText(trigger(0, 1, 8, 4, 9), true));
}

TEST_F(EventCatalogue, ActionSentencesForEveryType) {
    const char* const expected[] = {
        "[NULL]",
        "[GROUP_REDIRECT_TO 11 22]",
        "[ELIMINATE_GROUP 11]",
        "[CHANGE_GROUP 11 [GUARD_ON]]",
        "[VAPORIZE_GROUP_NUM 11]",
        "[SET_CAMPAIGN_VARIABLE_NUM 11 22]",
        "[TEXT_MESSAGE 11]",
        "[PLAY_WAV_FILE_LIST 11]",
        "[BLUE_WIN]",
        "[RED_WIN]",
        "[GREEN_WIN]",
        "[SET_GROUP_TO_SPEED 11 22]",
        "[CHANGE_ALL_RED_IN_AREA 11 [GUARD_ON]]",
        "[CHANGE_ALL_BLUE_IN_AREA 11 [GUARD_ON]]",
        "[SUB_GOAL_NUM_WON 11]",
        "[SUB_GOAL_NUM_LOST 11]",
        "[CHANGE_TEAM_STRING 11]",
        "[CHANGE_GROUP_STRING 11 22]",
        "[GROUP_TELEPORT_STRING 11 22]",
    };
    for (int32_t type = 0; type < 19; ++type)
        EXPECT_EQ(expected[type], event_ActionText(action(type, 2))) << type;
    EXPECT_EQ("[RESERVED2]", event_ActionText(action(19, 0)));
    EXPECT_EQ("[RESERVED2]", event_ActionText(action(-1, 0)));
}

TEST_F(EventCatalogue, ChangeTeamAddsTheColourOfTheTeam) {
    EXPECT_EQ("[CHANGE_TEAM_STRING 4] green", event_ActionText(action(16, 0, 4, 0)));
    EXPECT_EQ("[CHANGE_TEAM_STRING 4] blue", event_ActionText(action(16, 0, 4, 1)));
    EXPECT_EQ("[CHANGE_TEAM_STRING 4] red", event_ActionText(action(16, 0, 4, 2)));
    EXPECT_EQ("[CHANGE_TEAM_STRING 4]", event_ActionText(action(16, 0, 4, 5)));
}

TEST_F(EventCatalogue, AiChangeSentencesForEveryCode) {
    const char* const on[] = {
        "[COLON_NULL]",
        "[WEAPONS_TO 1]",
        "[GUARD_ON]",
        "[STAND_ON]",
        "[PRONE_ON]",
        "[TO_RED_ALERT]",
        "[TO_GREEN_ALERT]",
        "[TO_FOV_DEGREES 1]",
        "[ACCURACY_TO 1]",
        "[PERCEPTION_TO 1]",
        "[MOVE_TIMER_TO 1]",
        "[CROUCH_TIMER_TO 1]",
        "[ATTENTION_SPAN_TO 1]",
        "[OBLIQUENESS_TO 1]",
        "[SILENT_ON]",
        "[BLIND_ON]",
        "[BERSERK_ON]",
        "[CLIMBER_ON]",
        "[NO_WATER_ON]",
        "[DEAF_ON]",
    };
    const char* const off[] = {
        "[COLON_NULL]",          "[WEAPONS_TO 0]",     "[GUARD_OFF]",       "[STAND_OFF]",
        "[PRONE_OFF]",           "[TO_RED_ALERT]",     "[TO_GREEN_ALERT]",  "[TO_FOV_DEGREES 0]",
        "[ACCURACY_TO 0]",       "[PERCEPTION_TO 0]",  "[MOVE_TIMER_TO 0]", "[CROUCH_TIMER_TO 0]",
        "[ATTENTION_SPAN_TO 0]", "[OBLIQUENESS_TO 0]", "[SILENT_OFF]",      "[BLIND_OFF]",
        "[BERSERK_OFF]",         "[CLIMBER_OFF]",      "[NO_WATER_OFF]",    "[DEAF_OFF]",
    };
    for (int32_t code = 0; code < 20; ++code) {
        EXPECT_EQ(on[code], event_AiChangeText(action(3, code, 7, 1))) << code;
        EXPECT_EQ(off[code], event_AiChangeText(action(3, code, 7, 0))) << code;
    }
    EXPECT_EQ("", event_AiChangeText(action(3, 20)));
    EXPECT_EQ("[CHANGE_GROUP 7 ]", event_ActionText(action(3, 20, 7, 1)));
    EXPECT_EQ("[CHANGE_GROUP 6 [GUARD_OFF]]", event_ActionText(action(3, 2, 6, 0)));
    EXPECT_EQ("[CHANGE_ALL_BLUE_IN_AREA 9 [TO_FOV_DEGREES 90]]", event_ActionText(action(13, 7, 9, 90)));
}

TEST_F(EventCatalogue, NamesOfTableEntries) {
    EXPECT_EQ(std::string("[SQUADMATES]"), event_TriggerTypeName(5));
    EXPECT_EQ(std::string("[NULL]"), event_TriggerTypeName(6));
    EXPECT_EQ(std::string("[FINISHES_WAYPOINT]"), event_GroupConditionName(1, 8));
    EXPECT_EQ(std::string("[NULL]"), event_GroupConditionName(2, 8));
    EXPECT_EQ(std::string("[NULL]"), event_GroupConditionName(1, 14));
    EXPECT_EQ(std::string("[GROUP_TELEPORT_ACTION]"), event_ActionTypeName(18));
    EXPECT_EQ(std::string("[RESERVED]"), event_ActionTypeName(19));
    EXPECT_EQ(std::string("[DEAF]"), event_AiChangeName(12, 19));
    EXPECT_EQ(std::string("[NULL]"), event_AiChangeName(4, 19));
    EXPECT_EQ(std::string("[NULL]"), event_AiChangeName(3, 20));
}

TEST_F(EventCatalogue, TriggerSlotsFollowTypeAndCondition) {
    EventSlots slots = event_TriggerSlots(1, 7);
    EXPECT_TRUE(slots.selector_enabled);
    EXPECT_EQ((std::array<std::string, 4>{"[GROUP1]", "[WAYPOINT_LIST]", "[WAYPOINT_NUMBER]", "[NULL]"}),
              slots.labels);
    EXPECT_EQ((std::array<ChoiceList, 4>{ChoiceList::Groups, ChoiceList::WaypointLists,
                                         ChoiceList::WaypointNumbers, ChoiceList::None}),
              slots.lists);
    slots = event_TriggerSlots(1, 12);
    EXPECT_EQ(ChoiceList::Numbers0To128, slots.lists[1]);
    slots = event_TriggerSlots(1, 10);
    EXPECT_EQ("[GROUP]", slots.labels[0]);
    EXPECT_EQ(ChoiceList::Areas, slots.lists[1]);
    slots = event_TriggerSlots(1, 0);
    EXPECT_TRUE(slots.selector_enabled);
    EXPECT_EQ(ChoiceList::None, slots.lists[0]);
    slots = event_TriggerSlots(2, 7);
    EXPECT_FALSE(slots.selector_enabled);
    EXPECT_EQ("[EVENT_NUMBER_STRING]", slots.labels[0]);
    EXPECT_EQ(ChoiceList::Events, slots.lists[0]);
    EXPECT_EQ(ChoiceList::None, slots.lists[1]);
    EXPECT_EQ(ChoiceList::CampaignVariables, event_TriggerSlots(3, 0).lists[0]);
    for (int32_t type : {0, 4, 5, 6, -1}) {
        slots = event_TriggerSlots(type, 1);
        EXPECT_FALSE(slots.selector_enabled) << type;
        EXPECT_EQ((std::array<std::string, 4>{"[NULL]", "[NULL]", "[NULL]", "[NULL]"}), slots.labels) << type;
    }
}

TEST_F(EventCatalogue, ActionSlotsFollowTypeAndAiChange) {
    EventSlots slots = event_ActionSlots(3, 2);
    EXPECT_TRUE(slots.selector_enabled);
    EXPECT_EQ("[GROUP]", slots.labels[0]);
    EXPECT_EQ("[GUARD_BIT]", slots.labels[1]);
    EXPECT_EQ(ChoiceList::Bit, slots.lists[1]);
    EXPECT_EQ(ChoiceList::None, slots.lists[2]);
    slots = event_ActionSlots(3, 0);
    EXPECT_EQ("[NULL]", slots.labels[1]);
    EXPECT_EQ(ChoiceList::None, slots.lists[1]);
    slots = event_ActionSlots(12, 1);
    EXPECT_EQ("[AREA_ID]", slots.labels[0]);
    EXPECT_EQ(ChoiceList::Areas, slots.lists[0]);
    EXPECT_EQ("[WEAPON_NUMBER]", slots.labels[1]);
    EXPECT_EQ(ChoiceList::Weapons, slots.lists[1]);
    EXPECT_EQ(ChoiceList::Numbers0To359, event_ActionSlots(13, 13).lists[1]);
    EXPECT_EQ(ChoiceList::Numbers0To999, event_ActionSlots(13, 12).lists[1]);
    slots = event_ActionSlots(5, 2);
    EXPECT_FALSE(slots.selector_enabled);
    EXPECT_EQ(ChoiceList::CampaignVariables, slots.lists[0]);
    EXPECT_EQ("[VARIABLE_STATUS]", slots.labels[1]);
    EXPECT_EQ(ChoiceList::Bit, slots.lists[1]);
    EXPECT_EQ(ChoiceList::WinConditions, event_ActionSlots(14, 0).lists[0]);
    EXPECT_EQ(ChoiceList::LoseConditions, event_ActionSlots(15, 0).lists[0]);
    EXPECT_EQ(ChoiceList::Teams, event_ActionSlots(16, 0).lists[1]);
    EXPECT_EQ(ChoiceList::Groups, event_ActionSlots(17, 0).lists[1]);
    EXPECT_EQ(ChoiceList::Numbers0To31, event_ActionSlots(18, 0).lists[1]);
    for (int32_t type : {0, 8, 9, 10, 19, -1}) {
        slots = event_ActionSlots(type, 2);
        EXPECT_FALSE(slots.selector_enabled) << type;
        EXPECT_EQ(ChoiceList::None, slots.lists[0]) << type;
        EXPECT_EQ(ChoiceList::None, slots.lists[1]) << type;
    }
}

TEST_F(EventCatalogue, OfferedCodesOfTheDialogs) {
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 4, 5}), event_OfferedTriggerTypes());
    EXPECT_EQ((std::vector<int32_t>{0, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13}), event_OfferedGroupConditions(1));
    EXPECT_EQ((std::vector<int32_t>{0}), event_OfferedGroupConditions(2));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 4, 8, 9, 11, 14, 15, 16}), event_OfferedActionTypes());
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 17, 18, 19}),
              event_OfferedAiChanges(3));
    EXPECT_EQ((std::vector<int32_t>{0}), event_OfferedAiChanges(12));
}

} // namespace
