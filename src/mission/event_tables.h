#pragma once
// The rows of the event catalogue (event_catalogue.h), shared by its names, sentences and slots.

#include "mission/event_catalogue.h"

struct SlotDef {
    const char* label = nullptr; // label key; null: unused slot
    ChoiceList list = ChoiceList::None;
};

// Table 2: group conditions of trigger type 1.
struct GroupConditionRow {
    const char* name;
    SlotDef slots[kEventVariableSlots];
    const char* sentence; // positive form
    const char* negated;  // NOT form
    int numbers;          // values 3, 4, ... given to the sentence format
};

// Table 1: trigger types (type 1 takes its slots and sentences from table 2).
struct TriggerTypeRow {
    const char* name;
    SlotDef slots[kEventVariableSlots];
    const char* sentence;
    const char* negated;
    int numbers;
};

// How an action sentence takes its arguments.
enum class ActionArgs {
    Text,     // the looked-up text itself
    Values,   // a format with value 3 and value 4
    AiChange, // a format with value 3 and the AI-change sentence
    Team,     // a format with value 3, then the colour word of value 4
};

// Table 3: action types. Slot 4 of the AI-change types follows the AI change (table 4).
struct ActionTypeRow {
    const char* name;
    SlotDef slots[kEventVariableSlots];
    const char* sentence;
    ActionArgs args;
};

enum class AiChangeSentence {
    Fixed, // the looked-up text itself
    Bit,   // on_key when value 4 is not 0, else off_key
    Value, // on_key as a format with value 4
};

// Table 4: AI changes of action types 3, 12 and 13; `slot` is the second variable (value 4).
struct AiChangeRow {
    const char* name;
    SlotDef slot;
    AiChangeSentence kind;
    const char* on_key;
    const char* off_key;
};

constexpr int32_t kGroupConditionCount = 14; // codes 0 to 13
constexpr int32_t kTriggerTypeCount = 6;     // codes 0 to 5
constexpr int32_t kActionTypeCount = 19;     // codes 0 to 18
constexpr int32_t kAiChangeCount = 20;       // codes 0 to 19

extern const GroupConditionRow kGroupConditions[kGroupConditionCount];
extern const TriggerTypeRow kTriggerTypes[kTriggerTypeCount];
extern const ActionTypeRow kActionTypes[kActionTypeCount];
extern const AiChangeRow kAiChanges[kAiChangeCount];

// The row of a code, or null when the code is outside its table.
const GroupConditionRow* event_GroupConditionRow(int32_t code);
const TriggerTypeRow* event_TriggerTypeRow(int32_t code);
const ActionTypeRow* event_ActionTypeRow(int32_t code);
const AiChangeRow* event_AiChangeRow(int32_t code);

// TextLookup in section "Triggers".
const char* event_Text(const char* key);
