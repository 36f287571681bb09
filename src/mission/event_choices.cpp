// Choice lists of the variable slots and the Qt-free half of the events dialogs' combo boxes.
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/event_tables.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr int kCampaignVariables = 31;
constexpr int kWaypointNumbers = 31;

// A fixed-width text field as a string (the field need not be terminated).
std::string fieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

std::string numbered(const char* format, int number, const std::string& text) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, format, number);
    return prefix + text;
}

void addNumbers(ChoiceEntries& entries, int first, int last) {
    for (int n = first; n <= last; ++n)
        entries.push_back({std::to_string(n), n});
}

// The name of a win or lose condition from the second string table; the "NULL" text for the
// stored index -1, for a missing table and for an index that has no entry.
std::string conditionName(const StringTable* names, const char* section, const char* key_format, int index) {
    if (index == -1 || names == nullptr) return event_Text("NULL");
    char key[32];
    std::snprintf(key, sizeof key, key_format, index);
    const char* text = strtab_FindText(names, section, key);
    return text != nullptr && text[0] != '\0' ? text : event_Text("NULL");
}

void addConditions(ChoiceEntries& entries, const int8_t (&stored)[kSubgoalCount], const StringTable* names,
                   const char* section, const char* key_format) {
    for (int entry = 1; entry <= kSubgoalCount; ++entry) {
        const std::string name = conditionName(names, section, key_format, stored[entry - 1]);
        entries.push_back({numbered("%i - ", entry, name), entry});
    }
}
} // namespace

ChoiceEntries event_ChoiceEntries(ChoiceList list, const MissionPage& page, const StringTable* names) {
    ChoiceEntries entries;
    switch (list) {
    case ChoiceList::None:
        break;
    case ChoiceList::Groups:
        entries.push_back({event_Text("NULL"), 0});
        for (int g = 1; g < kMaxGroups; ++g)
            entries.push_back(
                {numbered("%2i - ", g, fieldText(page.groups[g].description, kGroupDescSize)), g});
        break;
    case ChoiceList::WaypointLists:
        entries.push_back({event_Text("NULL"), 0});
        for (int w = 1; w < kMaxWaypointLists; ++w)
            entries.push_back(
                {numbered("%2i - ", w, fieldText(page.waypoints[w].description, kWaypointDescSize)), w});
        break;
    case ChoiceList::Areas:
        entries.push_back({event_Text("NULL"), 0});
        for (int a = 1; a < kMaxAreaTriggers; ++a)
            entries.push_back(
                {numbered("%2i - ", a, fieldText(page.area_triggers[a].description, kAreaTriggerDescSize)),
                 a});
        break;
    case ChoiceList::Events:
        for (int e = 0; e < kMaxEvents; ++e)
            entries.push_back({numbered("(%i) ", e, fieldText(page.events[e].name, kEventNameSize)), e});
        break;
    case ChoiceList::CampaignVariables:
        entries.push_back({event_Text("NULL"), 0});
        for (int v = 1; v <= kCampaignVariables; ++v)
            entries.push_back({fmt_Format(event_Text("CAMP_VAR_NUM"), {v}), v});
        break;
    case ChoiceList::WaypointNumbers:
        entries.push_back({event_Text("NULL"), 0});
        addNumbers(entries, 1, kWaypointNumbers);
        break;
    case ChoiceList::WinConditions:
        addConditions(entries, page.subgoals_win, names, kStrtabWinSection, kStrtabWinKey);
        break;
    case ChoiceList::LoseConditions:
        addConditions(entries, page.subgoals_lose, names, kStrtabLoseSection, kStrtabLoseKey);
        break;
    case ChoiceList::Teams:
        entries.push_back({TextLookup("Teams", "NEUTRALTEAM"), 0});
        entries.push_back({TextLookup("Teams", "GOODTEAM"), 1});
        entries.push_back({TextLookup("Teams", "EVILTEAM"), 2});
        break;
    case ChoiceList::Weapons:
        entries.push_back({TextLookup("Med Resources", "NONE"), 0});
        entries.push_back({TextLookup("Weapons", "M16"), 1});
        entries.push_back({TextLookup("Weapons", "AK47"), 2});
        entries.push_back({TextLookup("Weapons", "DRAGUNOVA"), 3});
        entries.push_back({TextLookup("Weapons", "H&K_MP5_SD"), 6});
        entries.push_back({TextLookup("Weapons", "COLT_45"), 8});
        entries.push_back({TextLookup("Weapons", "SUPPRESSED_22"), 9});
        break;
    case ChoiceList::Bit:
        addNumbers(entries, 0, 1);
        break;
    case ChoiceList::Numbers0To31:
        addNumbers(entries, 0, 31);
        break;
    case ChoiceList::Numbers0To100:
        addNumbers(entries, 0, 100);
        break;
    case ChoiceList::Numbers0To128:
        addNumbers(entries, 0, 128);
        break;
    case ChoiceList::Numbers0To359:
        addNumbers(entries, 0, 359);
        break;
    case ChoiceList::Numbers0To999:
        addNumbers(entries, 0, 999);
        break;
    }
    return entries;
}

int combo_SelectByData(const ChoiceEntries& entries, int32_t value) {
    if (entries.empty()) return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].code == value) return static_cast<int>(i);
    return 0;
}

int32_t combo_SelectedCode(const ChoiceEntries& entries, int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return -1;
    return entries[static_cast<size_t>(index)].code;
}

std::array<SlotCombo, kEventVariableSlots> combo_FillSlots(const EventSlots& slots,
                                                           const int32_t (&values)[kEventValueCount],
                                                           const MissionPage& page,
                                                           const StringTable* names) {
    std::array<SlotCombo, kEventVariableSlots> boxes;
    for (int k = 0; k < kEventVariableSlots; ++k) {
        if (slots.lists[k] == ChoiceList::None) continue;
        boxes[k].enabled = true;
        boxes[k].entries = event_ChoiceEntries(slots.lists[k], page, names);
        boxes[k].selected = combo_SelectByData(boxes[k].entries, values[kEventFirstVariable + k]);
    }
    return boxes;
}
