#pragma once
// The rules of the trigger dialog ("EVENTTRIGGERS") and the action dialog ("EVENTACTIONS"),
// without their controls: the codes they offer, what their lists and variable labels show for a
// type and its sub-code (the group condition of a trigger, the AI change of an action), and what
// OK writes into the slot.
//
// Both dialogs show a type list and a sub-code list whose entries carry their codes; a stored code
// is shown by selecting the first entry with that code, or the first entry when none has it (a
// stored trigger type 3, which is not offered, shows as the first offered type). The labels and
// the four variable lists follow the codes the two lists show, so the dialog never offers the
// variables of a type it does not show; the variable lists select the slot's stored values 3 to 6
// by code.

#include "mission/event_catalogue.h"
#include "mission/mission_page.h"

#include <array>

// What the type, sub-code and variable controls of a trigger or action dialog show.
struct EventSlotView {
    ChoiceEntries types;
    int type_selected = -1;
    ChoiceEntries subtypes; // group conditions / AI changes offered for the shown type
    int subtype_selected = -1;
    bool subtype_enabled = false;
    std::array<std::string, kEventVariableSlots> labels;
    std::array<SlotCombo, kEventVariableSlots> variables;

    int32_t shownType() const { return combo_SelectedCode(types, type_selected); }
    int32_t shownSubtype() const { return combo_SelectedCode(subtypes, subtype_selected); }
};

// The offered trigger types (texts event_TriggerTypeName) and the group conditions offered for
// `type` (texts event_GroupConditionName); a type that is not offered gets the conditions of the
// first offered type.
ChoiceEntries trigger_TypeEntries();
ChoiceEntries trigger_ConditionEntries(int32_t type);
// The same for actions: event_ActionTypeName and the AI changes offered for `type`.
ChoiceEntries action_TypeEntries();
ChoiceEntries action_AiChangeEntries(int32_t type);

// The trigger dialog showing `type` and `condition`, with the variable lists selecting the values
// of `slot`. Opening uses the slot's own type and condition; a change of type shows (new type, 0);
// a change of condition shows (type, new condition).
EventSlotView trigger_View(int32_t type, int32_t condition, const EventTrigger& slot, const MissionPage& page,
                           const StringTable* names);
// The action dialog likewise, with the AI change as the sub-code.
EventSlotView action_View(int32_t type, int32_t ai_change, const EventAction& slot, const MissionPage& page,
                          const StringTable* names);

// What the trigger dialog's buttons show for a stored value 0: "FALSE" when bit 0 is set; "OR"
// when bit 1 is set, else "AND" unless only XOR (bit 2) is set, when neither is checked.
enum class TriggerLogicShown { And, Or, Neither };
bool trigger_ShowsFalse(const EventTrigger& slot);
TriggerLogicShown trigger_ShownLogic(const EventTrigger& slot);

// The choices of a confirmed trigger dialog.
struct TriggerChoice {
    int32_t type = 0;
    int32_t condition = 0;
    bool negated = false;                                 // "FALSE" checked
    std::array<int32_t, kEventVariableSlots> variables{}; // -1 for an unused variable
    bool or_checked = false;
    bool logic_picked = false; // the user clicked "AND" or "OR"
};

// OK of the trigger dialog: value 1 = type, value 2 = condition, values 3 to 6 = the variables;
// in value 0 bit 0 = negated, bit 1 = OR, and bit 2 stays set only when it was set without bit 1
// and the user picked neither AND nor OR (XOR, which the dialog cannot show, is kept). The other
// bits of value 0 and value 7 are untouched.
void trigger_Store(EventTrigger& slot, const TriggerChoice& choice);

struct ActionChoice {
    int32_t type = 0;
    int32_t ai_change = 0;
    std::array<int32_t, kEventVariableSlots> variables{};
};

// OK of the action dialog: value 1 = type, value 2 = AI change, values 3 to 6 = the variables;
// values 0 and 7 are untouched.
void action_Store(EventAction& slot, const ActionChoice& choice);
