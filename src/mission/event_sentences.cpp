// Trigger, action and AI-change sentences.
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/event_tables.h"

namespace {
// A sentence format with the first `numbers` variables (values 3, 4, 5) as its arguments.
std::string formatWithValues(const char* key, const int32_t (&value)[kEventValueCount], int numbers) {
    const char* format = event_Text(key);
    const int32_t* v = &value[kEventFirstVariable];
    switch (numbers) {
    case 0:
        return fmt_Format(format, {});
    case 1:
        return fmt_Format(format, {v[0]});
    case 2:
        return fmt_Format(format, {v[0], v[1]});
    default:
        return fmt_Format(format, {v[0], v[1], v[2]});
    }
}

const char* logicWord(int32_t flags) {
    if (flags & kTriggerOr) return "OR";
    if (flags & kTriggerXor) return "XOR";
    return "AND";
}

// "Colors" word of a team in a change-team sentence; none for other values.
const char* teamColourKey(int32_t team) {
    switch (team) {
    case 0:
        return "GREEN";
    case 1:
        return "BLUE";
    case 2:
        return "RED";
    default:
        return nullptr;
    }
}
} // namespace

std::string event_TriggerText(const EventTrigger& trigger, bool is_last) {
    const int32_t flags = trigger.value[0];
    const bool negated = (flags & kTriggerNegate) != 0;
    const int32_t type = trigger.value[kEventTypeValue];
    std::string text;
    if (type == kTriggerTypeGroup) {
        if (const GroupConditionRow* row = event_GroupConditionRow(trigger.value[kEventSubtypeValue]))
            text = formatWithValues(negated ? row->negated : row->sentence, trigger.value, row->numbers);
    } else if (const TriggerTypeRow* row = event_TriggerTypeRow(type)) {
        text = formatWithValues(negated ? row->negated : row->sentence, trigger.value, row->numbers);
    } else {
        text = "???";
    }
    if (!is_last) text += fmt_Format(TextLookup(kTriggerLogicSection, logicWord(flags)), {});
    return text;
}

std::string event_AiChangeText(const EventAction& action) {
    const AiChangeRow* row = event_AiChangeRow(action.value[kEventSubtypeValue]);
    if (row == nullptr) return {};
    const int32_t setting = action.value[kEventFirstVariable + 1];
    switch (row->kind) {
    case AiChangeSentence::Fixed:
        return event_Text(row->on_key);
    case AiChangeSentence::Bit:
        return event_Text(setting != 0 ? row->on_key : row->off_key);
    case AiChangeSentence::Value:
        return fmt_Format(event_Text(row->on_key), {setting});
    }
    return {};
}

std::string event_ActionText(const EventAction& action) {
    const ActionTypeRow* row = event_ActionTypeRow(action.value[kEventTypeValue]);
    if (row == nullptr) return event_Text("RESERVED2");
    const int32_t first = action.value[kEventFirstVariable];
    const int32_t second = action.value[kEventFirstVariable + 1];
    const char* format = event_Text(row->sentence);
    switch (row->args) {
    case ActionArgs::Text:
        return format;
    case ActionArgs::Values:
        return fmt_Format(format, {first, second});
    case ActionArgs::AiChange:
        return fmt_Format(format, {first, event_AiChangeText(action)});
    case ActionArgs::Team: {
        std::string text = fmt_Format(format, {first});
        if (const char* colour = teamColourKey(second)) text += TextLookup("Colors", colour);
        return text;
    }
    }
    return {};
}
