#include "editor/event_slot_editing.h"

#include <algorithm>

namespace {

template <typename Name> ChoiceEntries entriesOf(const std::vector<int32_t>& codes, Name name) {
    ChoiceEntries entries;
    for (int32_t code : codes)
        entries.push_back({name(code), code});
    return entries;
}

bool offered(const std::vector<int32_t>& codes, int32_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The type whose sub-codes the list shows: the type itself when offered, else the first offered.
int32_t shownTypeOf(const std::vector<int32_t>& offeredTypes, int32_t type) {
    return offered(offeredTypes, type) || offeredTypes.empty() ? type : offeredTypes.front();
}

void applySlots(EventSlotView& view, const EventSlots& slots, const int32_t (&values)[kEventValueCount],
                const MissionPage& page, const StringTable* names) {
    view.labels = slots.labels;
    view.subtype_enabled = slots.selector_enabled;
    view.variables = combo_FillSlots(slots, values, page, names);
}

} // namespace

ChoiceEntries trigger_TypeEntries() {
    return entriesOf(event_OfferedTriggerTypes(), [](int32_t code) { return event_TriggerTypeName(code); });
}

ChoiceEntries trigger_ConditionEntries(int32_t type) {
    const int32_t shown = shownTypeOf(event_OfferedTriggerTypes(), type);
    return entriesOf(event_OfferedGroupConditions(shown),
                     [shown](int32_t code) { return event_GroupConditionName(shown, code); });
}

ChoiceEntries action_TypeEntries() {
    return entriesOf(event_OfferedActionTypes(), [](int32_t code) { return event_ActionTypeName(code); });
}

ChoiceEntries action_AiChangeEntries(int32_t type) {
    const int32_t shown = shownTypeOf(event_OfferedActionTypes(), type);
    return entriesOf(event_OfferedAiChanges(shown),
                     [shown](int32_t code) { return event_AiChangeName(shown, code); });
}

EventSlotView trigger_View(int32_t type, int32_t condition, const EventTrigger& slot, const MissionPage& page,
                           const StringTable* names) {
    EventSlotView view;
    view.types = trigger_TypeEntries();
    view.type_selected = combo_SelectByData(view.types, type);
    view.subtypes = trigger_ConditionEntries(view.shownType());
    view.subtype_selected = combo_SelectByData(view.subtypes, condition);
    applySlots(view, event_TriggerSlots(view.shownType(), view.shownSubtype()), slot.value, page, names);
    return view;
}

EventSlotView action_View(int32_t type, int32_t ai_change, const EventAction& slot, const MissionPage& page,
                          const StringTable* names) {
    EventSlotView view;
    view.types = action_TypeEntries();
    view.type_selected = combo_SelectByData(view.types, type);
    view.subtypes = action_AiChangeEntries(view.shownType());
    view.subtype_selected = combo_SelectByData(view.subtypes, ai_change);
    applySlots(view, event_ActionSlots(view.shownType(), view.shownSubtype()), slot.value, page, names);
    return view;
}

bool trigger_ShowsFalse(const EventTrigger& slot) {
    return (slot.value[0] & kTriggerNegate) != 0;
}

TriggerLogicShown trigger_ShownLogic(const EventTrigger& slot) {
    const int32_t flags = slot.value[0];
    if (flags & kTriggerOr) return TriggerLogicShown::Or;
    if (flags & kTriggerXor) return TriggerLogicShown::Neither;
    return TriggerLogicShown::And;
}

void trigger_Store(EventTrigger& slot, const TriggerChoice& choice) {
    const int32_t old = slot.value[0];
    const bool keepXor = (old & kTriggerXor) && !(old & kTriggerOr) && !choice.logic_picked;
    int32_t flags = old & ~(kTriggerNegate | kTriggerOr | kTriggerXor);
    if (choice.negated) flags |= kTriggerNegate;
    if (choice.or_checked) flags |= kTriggerOr;
    if (keepXor) flags |= kTriggerXor;
    slot.value[0] = flags;
    slot.value[kEventTypeValue] = choice.type;
    slot.value[kEventSubtypeValue] = choice.condition;
    for (int k = 0; k < kEventVariableSlots; ++k)
        slot.value[kEventFirstVariable + k] = choice.variables[static_cast<size_t>(k)];
}

void action_Store(EventAction& slot, const ActionChoice& choice) {
    slot.value[kEventTypeValue] = choice.type;
    slot.value[kEventSubtypeValue] = choice.ai_change;
    for (int k = 0; k < kEventVariableSlots; ++k)
        slot.value[kEventFirstVariable + k] = choice.variables[static_cast<size_t>(k)];
}
