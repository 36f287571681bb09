#pragma once
// The catalogue of event triggers and actions: which type codes exist, which of the four
// variable slots (values 3 to 6) each type uses and what choices a slot offers, and how a
// trigger or action reads as a sentence. The events dialogs fill their lists from it and the
// event reports print with it. Every text comes from section "Triggers" of the interface string
// table unless another section is named; the sentence texts are used as formats with numbers.

#include "gamedata/string_table.h"
#include "mission/mission_page.h"

#include <array>
#include <string>
#include <vector>

constexpr int kEventVariableSlots = 4; // variable slots: values 3, 4, 5, 6
constexpr int kEventFirstVariable = 3;

// Trigger value 0: logic flags.
constexpr int32_t kTriggerNegate = 0x1; // the NOT form of the condition
constexpr int32_t kTriggerOr = 0x2;     // joined with the next trigger by OR (wins over XOR)
constexpr int32_t kTriggerXor = 0x4;    // joined by XOR; neither bit: AND
// Trigger value 1 (type), value 2 (group condition); action value 1 (type), value 2 (AI change).
constexpr int kEventTypeValue = 1;
constexpr int kEventSubtypeValue = 2;
constexpr int32_t kTriggerTypeGroup = 1;

inline constexpr const char* kTriggerSection = "Triggers";
inline constexpr const char* kTriggerLogicSection = "Trigger Logic";

// The choice lists a variable slot can offer.
enum class ChoiceList {
    None,
    Groups,            // "NULL": 0, then groups 1-63 as "%2i - %s"
    WaypointLists,     // "NULL": 0, then lists 1-127 as "%2i - %s"
    Areas,             // "NULL": 0, then area triggers 1-99 as "%2i - %s"
    Events,            // all 256 events as "(%i) %s"
    CampaignVariables, // "NULL": 0, then 1-31 as "CAMP_VAR_NUM" formatted with the number
    WaypointNumbers,   // "NULL": 0, then "1" to "31"
    WinConditions,     // entries 1-4: "%i - %s" with the page's win condition names
    LoseConditions,    // the same with the lose conditions
    Teams,             // section "Teams": neutral 0, good 1, evil 2
    Weapons,           // "Med Resources" "NONE": 0, then six weapons of section "Weapons"
    Bit,               // "0", "1"
    Numbers0To31,
    Numbers0To100,
    Numbers0To128,
    Numbers0To359,
    Numbers0To999,
};

// What the four variable slots of a trigger or action show.
struct EventSlots {
    std::array<std::string, kEventVariableSlots> labels; // the "NULL" text for unused slots
    std::array<ChoiceList, kEventVariableSlots> lists{}; // ChoiceList::None for unused slots
    bool selector_enabled = false; // group-condition list (type 1) / AI-change list (3, 12, 13)
};

// ---- Names and slots --------------------------------------------------------------------------

EventSlots event_TriggerSlots(int32_t type, int32_t condition);
EventSlots event_ActionSlots(int32_t type, int32_t ai_change);
// Names of table entries; codes outside a table give "NULL" ("RESERVED" for action types).
const char* event_TriggerTypeName(int32_t type);
// "NULL" unless the trigger type is 1.
const char* event_GroupConditionName(int32_t trigger_type, int32_t condition);
const char* event_ActionTypeName(int32_t type);
// "NULL" unless the action type is 3, 12 or 13.
const char* event_AiChangeName(int32_t action_type, int32_t code);
// 1 for the action types whose AI-change list is used (3, 12, 13).
bool event_ActionHasAiChange(int32_t action_type);

// The codes the events dialogs offer, in list order (a subset of the catalogue).
const std::vector<int32_t>& event_OfferedTriggerTypes();
const std::vector<int32_t>& event_OfferedGroupConditions(int32_t trigger_type);
const std::vector<int32_t>& event_OfferedActionTypes();
const std::vector<int32_t>& event_OfferedAiChanges(int32_t action_type);

// ---- Sentences --------------------------------------------------------------------------------

// The trigger's sentence; a trigger that is not the last of its event is followed by its logic
// word ("Trigger Logic" "OR", "XOR" or "AND"). Unknown types read "???"; a group condition
// above 13 reads as an empty text (still followed by the logic word).
std::string event_TriggerText(const EventTrigger& trigger, bool is_last);
// The action's sentence; unknown types read as the "RESERVED2" text.
std::string event_ActionText(const EventAction& action);
// The AI-change part of an action of type 3, 12 or 13 (by value 2, with value 4); empty for an
// AI change above 19.
std::string event_AiChangeText(const EventAction& action);

// ---- Choice lists -----------------------------------------------------------------------------

// One list entry: its text and the code stored in the slot when it is chosen.
struct ChoiceEntry {
    std::string text;
    int32_t code = 0;
};
using ChoiceEntries = std::vector<ChoiceEntry>;

// Builds a list from scratch. `names` is the second string table ("qz2wpn.bin"), used for the
// win and lose condition names; a null table names every condition with the "NULL" text.
ChoiceEntries event_ChoiceEntries(ChoiceList list, const MissionPage& page, const StringTable* names);

// The entry to select for a stored code: the first entry with that code, else entry 0; -1 for an
// empty list.
int combo_SelectByData(const ChoiceEntries& entries, int32_t value);
// The code of entry `index`, or -1 when no entry is selected (index out of range).
int32_t combo_SelectedCode(const ChoiceEntries& entries, int index);

// One variable combo box of the events dialogs, as it is to be shown.
struct SlotCombo {
    bool enabled = false;
    ChoiceEntries entries; // empty for a disabled box
    int selected = -1;     // index into entries; -1 when empty
};

// The four variable combo boxes for a trigger's or action's values: box k shows slot k's list
// (enabled) with the entry of value 3+k selected, or is empty and disabled when the slot has no
// list.
std::array<SlotCombo, kEventVariableSlots> combo_FillSlots(const EventSlots& slots,
                                                           const int32_t (&values)[kEventValueCount],
                                                           const MissionPage& page, const StringTable* names);
