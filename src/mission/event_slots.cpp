// Names of the catalogue's codes, the slots of each type and the codes the dialogs offer.
#include "mission/event_tables.h"

namespace {
void applySlot(EventSlots& slots, int index, const SlotDef& slot) {
    if (slot.label == nullptr || slot.list == ChoiceList::None) return;
    slots.labels[index] = event_Text(slot.label);
    slots.lists[index] = slot.list;
}

EventSlots emptySlots() {
    EventSlots slots;
    for (int i = 0; i < kEventVariableSlots; ++i) {
        slots.labels[i] = event_Text("NULL");
        slots.lists[i] = ChoiceList::None;
    }
    return slots;
}
} // namespace

EventSlots event_TriggerSlots(int32_t type, int32_t condition) {
    EventSlots slots = emptySlots();
    slots.selector_enabled = type == kTriggerTypeGroup;
    if (type == kTriggerTypeGroup) {
        if (const GroupConditionRow* row = event_GroupConditionRow(condition))
            for (int i = 0; i < kEventVariableSlots; ++i)
                applySlot(slots, i, row->slots[i]);
    } else if (const TriggerTypeRow* row = event_TriggerTypeRow(type)) {
        for (int i = 0; i < kEventVariableSlots; ++i)
            applySlot(slots, i, row->slots[i]);
    }
    return slots;
}

bool event_ActionHasAiChange(int32_t action_type) {
    return action_type == 3 || action_type == 12 || action_type == 13;
}

EventSlots event_ActionSlots(int32_t type, int32_t ai_change) {
    EventSlots slots = emptySlots();
    const ActionTypeRow* row = event_ActionTypeRow(type);
    if (row == nullptr) return slots;
    for (int i = 0; i < kEventVariableSlots; ++i)
        applySlot(slots, i, row->slots[i]);
    if (event_ActionHasAiChange(type)) {
        slots.selector_enabled = true;
        // The second variable is the value of the AI change.
        slots.labels[1] = event_Text("NULL");
        slots.lists[1] = ChoiceList::None;
        if (const AiChangeRow* change = event_AiChangeRow(ai_change)) applySlot(slots, 1, change->slot);
    }
    return slots;
}

const char* event_TriggerTypeName(int32_t type) {
    const TriggerTypeRow* row = event_TriggerTypeRow(type);
    return event_Text(row != nullptr ? row->name : "NULL");
}

const char* event_GroupConditionName(int32_t trigger_type, int32_t condition) {
    const GroupConditionRow* row =
        trigger_type == kTriggerTypeGroup ? event_GroupConditionRow(condition) : nullptr;
    return event_Text(row != nullptr ? row->name : "NULL");
}

const char* event_ActionTypeName(int32_t type) {
    const ActionTypeRow* row = event_ActionTypeRow(type);
    return event_Text(row != nullptr ? row->name : "RESERVED");
}

const char* event_AiChangeName(int32_t action_type, int32_t code) {
    const AiChangeRow* row = event_ActionHasAiChange(action_type) ? event_AiChangeRow(code) : nullptr;
    return event_Text(row != nullptr ? row->name : "NULL");
}

const std::vector<int32_t>& event_OfferedTriggerTypes() {
    static const std::vector<int32_t> offered = {0, 1, 2, 4, 5};
    return offered;
}

const std::vector<int32_t>& event_OfferedGroupConditions(int32_t trigger_type) {
    static const std::vector<int32_t> group = {0, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13};
    static const std::vector<int32_t> none = {0};
    return trigger_type == kTriggerTypeGroup ? group : none;
}

const std::vector<int32_t>& event_OfferedActionTypes() {
    static const std::vector<int32_t> offered = {0, 1, 2, 3, 4, 8, 9, 11, 14, 15, 16};
    return offered;
}

const std::vector<int32_t>& event_OfferedAiChanges(int32_t action_type) {
    static const std::vector<int32_t> changeGroupAi = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 17, 18, 19};
    static const std::vector<int32_t> none = {0};
    return action_type == 3 ? changeGroupAi : none;
}
