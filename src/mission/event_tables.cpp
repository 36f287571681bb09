#include "mission/event_tables.h"

namespace {
constexpr ChoiceList kGroups = ChoiceList::Groups;
constexpr SlotDef kGroup1{"GROUP1", kGroups};
constexpr SlotDef kGroup2{"GROUP2", kGroups};
constexpr SlotDef kGroup{"GROUP", kGroups};
constexpr SlotDef kUnits{"NUM_UNITS", ChoiceList::Numbers0To128};
constexpr SlotDef kWaypointList{"WAYPOINT_LIST", ChoiceList::WaypointLists};
// Slot 4 of an action type with an AI change: filled from table 4.
constexpr SlotDef kByAiChange{"", ChoiceList::None};
} // namespace

const GroupConditionRow kGroupConditions[kGroupConditionCount] = {
    {"NULL", {}, "GROUP-NULL", "GROUP-NULL", 0},
    {"SEEN_ENEMY", {kGroup1, kGroup2}, "GROUP_SEES_GROUP", "GROUP_NOT_SEES_GROUP", 2},
    {"HAS_TARGETED", {kGroup1, kGroup2}, "GROUP_HAS_TARGETED_GROUP", "GROUP_HAS_NOT_TARGETED_GROUP", 2},
    {"CONDITION_RED", {kGroup1}, "GROUP_AT_RED_ALERT", "GROUP_NOT_AT_RED_ALERT", 1},
    {"ALL_DESTROYED", {kGroup1}, "GROUP_DESTROYED", "GROUP_NOT_DESTROYED", 1},
    {"ANY_ALIVE", {kGroup1}, "GROUP_ALIVE", "GROUP_NOT_ALIVE", 1},
    {"LOST_X_UNITS", {kGroup1, kUnits}, "GROUP_HAS_LOST_MORE_UNITS", "GROUP_HAS_NOT_LOST_MORE_UNITS", 2},
    {"REACHED_WAYPOINT",
     {kGroup1, kWaypointList, {"WAYPOINT_NUMBER", ChoiceList::WaypointNumbers}},
     "GROUP_AT_WAYPOINT",
     "GROUP_NOT_AT_WAYPOINT",
     3},
    // Stores a waypoint list too, but its sentence names only the group.
    {"FINISHES_WAYPOINT", {kGroup1, kWaypointList}, "GROUP_FINISH_WP_LIST", "GROUP_NOT_FINISH_WP_LIST", 1},
    {"ALL_INTACT", {kGroup1}, "GROUP_INTACT", "GROUP_NOT_INTACT", 1},
    {"AREA_TRIGGER",
     {kGroup, {"AREA", ChoiceList::Areas}},
     "GROUP_IS_WITHIN_AREA",
     "GROUP_IS_NOT_WITHIN_AREA",
     2},
    {"HOLDS_ITEM", {kGroup, {"ITEM_GROUP", kGroups}}, "GROUP_HOLDING_GROUP", "GROUP_NOT_HOLDING_GROUP", 2},
    {"HAS_X_UNITS", {kGroup1, kUnits}, "GROUP_HAS_MORE_UNITS", "GROUP_LESS_THAN", 2},
    {"GROUP_SHOT_GROUP", {kGroup1, kGroup2}, "GROUP_HAS_SHOT_GROUP", "GROUP_HAS_NOT_SHOT_GROUP", 2},
};

const TriggerTypeRow kTriggerTypes[kTriggerTypeCount] = {
    {"NULL", {}, "NULL", "NULL", 0},
    {"GROUP", {}, nullptr, nullptr, 0}, // slots and sentences by group condition
    {"EVENT", {{"EVENT_NUMBER_STRING", ChoiceList::Events}}, "EVENT_TRIGGERED", "EVENT_NOT_TRIGGERED", 1},
    {"CAMPAIGN_VARIABLE",
     {{"VARIABLE_NUMBER_STRING", ChoiceList::CampaignVariables}},
     "CAMPAIGN_VARIABLE_SET",
     "CAMPAIGN_VARIABLE_NOT_SET",
     1},
    {"SECOND_TIME", {}, "SECOND_TIME_THROUGH", "NOT_SECOND_TIME_THROUGH", 0},
    {"SQUADMATES", {}, "SQUADMATES_ARE_ON", "SQUADMATES_ARE_OFF", 0},
};

const ActionTypeRow kActionTypes[kActionTypeCount] = {
    {"NULL", {}, "NULL", ActionArgs::Text},
    {"REDIRECT_GROUP_TO", {kGroup, kWaypointList}, "GROUP_REDIRECT_TO", ActionArgs::Values},
    {"KILL_GROUP", {kGroup}, "ELIMINATE_GROUP", ActionArgs::Values},
    {"CHANGE_GROUP_AI", {kGroup, kByAiChange}, "CHANGE_GROUP", ActionArgs::AiChange},
    {"VAPORIZE_GROUP", {kGroup}, "VAPORIZE_GROUP_NUM", ActionArgs::Values},
    {"SET_CAMPAIGN_VARIABLE",
     {{"VARIABLE_NUMBER_STRING", ChoiceList::CampaignVariables}, {"VARIABLE_STATUS", ChoiceList::Bit}},
     "SET_CAMPAIGN_VARIABLE_NUM",
     ActionArgs::Values},
    {"OUTPUT_TEXT", {{"TEXT_ID", ChoiceList::Numbers0To999}}, "TEXT_MESSAGE", ActionArgs::Values},
    {"PLAY_WAVLIST",
     {{"WAV_LIST_NUMBER", ChoiceList::Numbers0To999}},
     "PLAY_WAV_FILE_LIST",
     ActionArgs::Values},
    {"BLUE_WIN", {}, "BLUE_WIN", ActionArgs::Text},
    {"RED_WIN", {}, "RED_WIN", ActionArgs::Text},
    {"GREEN_WIN", {}, "GREEN_WIN", ActionArgs::Text},
    {"GROUP_VELOCITY",
     {kGroup, {"VELOCITY_KPH", ChoiceList::Numbers0To100}},
     "SET_GROUP_TO_SPEED",
     ActionArgs::Values},
    {"AREA_AI_RED",
     {{"AREA_ID", ChoiceList::Areas}, kByAiChange},
     "CHANGE_ALL_RED_IN_AREA",
     ActionArgs::AiChange},
    {"AREA_AI_BLUE",
     {{"AREA_ID", ChoiceList::Areas}, kByAiChange},
     "CHANGE_ALL_BLUE_IN_AREA",
     ActionArgs::AiChange},
    {"SUB_GOAL_WON",
     {{"SUB_GOAL_NUMBER", ChoiceList::WinConditions}},
     "SUB_GOAL_NUM_WON",
     ActionArgs::Values},
    {"SUB_GOAL_LOST",
     {{"SUB_GOAL_NUMBER", ChoiceList::LoseConditions}},
     "SUB_GOAL_NUM_LOST",
     ActionArgs::Values},
    {"CHANGE_TEAM_ACTION", {kGroup, {"TEAM", ChoiceList::Teams}}, "CHANGE_TEAM_STRING", ActionArgs::Team},
    {"CHANGE_GROUP_ACTION", {kGroup, kGroup}, "CHANGE_GROUP_STRING", ActionArgs::Values},
    {"GROUP_TELEPORT_ACTION",
     {kGroup, {"TELEPORT_TARGET_NUM", ChoiceList::Numbers0To31}},
     "GROUP_TELEPORT_STRING",
     ActionArgs::Values},
};

const AiChangeRow kAiChanges[kAiChangeCount] = {
    {"NULL", {}, AiChangeSentence::Fixed, "COLON_NULL", nullptr},
    {"NEW_WEAPON", {"WEAPON_NUMBER", ChoiceList::Weapons}, AiChangeSentence::Value, "WEAPONS_TO", nullptr},
    {"GUARDER", {"GUARD_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "GUARD_ON", "GUARD_OFF"},
    {"STANDER", {"STAND_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "STAND_ON", "STAND_OFF"},
    {"PRONER", {"PRONE_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "PRONE_ON", "PRONE_OFF"},
    {"RED_ALERT", {}, AiChangeSentence::Fixed, "TO_RED_ALERT", nullptr},
    {"GREEN_ALERT", {}, AiChangeSentence::Fixed, "TO_GREEN_ALERT", nullptr},
    {"FIELD_OF_VIEW",
     {"FOV_DEGREES", ChoiceList::Numbers0To359},
     AiChangeSentence::Value,
     "TO_FOV_DEGREES",
     nullptr},
    {"ACCURACY",
     {"ACCURACY_100", ChoiceList::Numbers0To100},
     AiChangeSentence::Value,
     "ACCURACY_TO",
     nullptr},
    {"PERCEPTION",
     {"PERCEPTION_100", ChoiceList::Numbers0To100},
     AiChangeSentence::Value,
     "PERCEPTION_TO",
     nullptr},
    {"MOVE_TIMER",
     {"TIMER_SEC", ChoiceList::Numbers0To999},
     AiChangeSentence::Value,
     "MOVE_TIMER_TO",
     nullptr},
    {"CROUCH_TIMER",
     {"TIMER_SEC", ChoiceList::Numbers0To999},
     AiChangeSentence::Value,
     "CROUCH_TIMER_TO",
     nullptr},
    {"ATTENTION_SPAN",
     {"TIMER_SEC", ChoiceList::Numbers0To999},
     AiChangeSentence::Value,
     "ATTENTION_SPAN_TO",
     nullptr},
    {"OBLIQUENESS",
     {"OBLIQUENESS_DEGREES", ChoiceList::Numbers0To359},
     AiChangeSentence::Value,
     "OBLIQUENESS_TO",
     nullptr},
    {"SILENT", {"SILENT_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "SILENT_ON", "SILENT_OFF"},
    {"BLIND", {"BLIND_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "BLIND_ON", "BLIND_OFF"},
    {"BERSERK", {"BERSERK_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "BERSERK_ON", "BERSERK_OFF"},
    {"CLIMBER", {"CLIMBER_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "CLIMBER_ON", "CLIMBER_OFF"},
    {"NO_WATER", {"NO_WATER_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "NO_WATER_ON", "NO_WATER_OFF"},
    {"DEAF", {"DEAF_BIT", ChoiceList::Bit}, AiChangeSentence::Bit, "DEAF_ON", "DEAF_OFF"},
};

const GroupConditionRow* event_GroupConditionRow(int32_t code) {
    return code >= 0 && code < kGroupConditionCount ? &kGroupConditions[code] : nullptr;
}
const TriggerTypeRow* event_TriggerTypeRow(int32_t code) {
    return code >= 0 && code < kTriggerTypeCount ? &kTriggerTypes[code] : nullptr;
}
const ActionTypeRow* event_ActionTypeRow(int32_t code) {
    return code >= 0 && code < kActionTypeCount ? &kActionTypes[code] : nullptr;
}
const AiChangeRow* event_AiChangeRow(int32_t code) {
    return code >= 0 && code < kAiChangeCount ? &kAiChanges[code] : nullptr;
}

const char* event_Text(const char* key) {
    return TextLookup(kTriggerSection, key);
}
