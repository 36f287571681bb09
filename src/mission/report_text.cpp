#include "mission/reports.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/event_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr const char* kFileSection = "File I/O";
constexpr const char* kEventSection = "Write Event";

std::string fieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

std::string missionFile(const MissionPage& page) {
    return fieldText(page.general.mission_file, sizeof page.general.mission_file);
}

std::string listHeader(const char* key, const MissionPage& page, const MetafileTime& t) {
    return fmt_Format(TextLookup(kFileSection, key),
                      {missionFile(page), t.month, t.day, t.year, t.hour, t.minute});
}

// "<format of number> - <text>" lines; the number formats are the program's own.
void appendLine(std::string& out, const char* format, int number, const std::string& text) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, format, number);
    out += prefix;
    out += text;
}

int eventCount(const MissionPage& page) {
    return std::clamp(page.num_events, 0, kMaxEvents);
}

std::string eventText(const char* key) {
    return fmt_Format(TextLookup(kEventSection, key), {});
}
} // namespace

std::string report_GroupListText(const MissionPage& page, const MetafileTime& when) {
    std::string out = listHeader("GROUP_LIST_HEADER", page, when);
    for (int g = 1; g < kMaxGroups; ++g) {
        const std::string description = fieldText(page.groups[g].description, kGroupDescSize);
        if (description.empty()) continue;
        appendLine(out, "%2i - ", g, description);
        out += '\n';
    }
    return out;
}

std::string report_AreaTriggerListText(const MissionPage& page, const MetafileTime& when) {
    std::string out = listHeader("AREATRIGGER_LIST_HEADER", page, when);
    for (int a = 1; a < kMaxAreaTriggers; ++a) {
        const AreaTrigger& area = page.area_triggers[a];
        const std::string description = fieldText(area.description, kAreaTriggerDescSize);
        if (area.area_number == 0 && description.empty()) continue;
        appendLine(out, "%3i - ", a, description);
        out += '\n';
    }
    return out;
}

std::string report_WaypointListText(const MissionPage& page, const MetafileTime& when) {
    std::string out = listHeader("WAYPOINT_LIST_HEADER", page, when);
    for (int w = 1; w < kMaxWaypointLists; ++w) {
        const WaypointList& list = page.waypoints[w];
        const std::string description = fieldText(list.description, kWaypointDescSize);
        if (list.member_count == 0 && description.empty()) continue;
        appendLine(out, "%3i - ", w, description);
        out += " (" + std::to_string(list.member_count) + ")\n";
    }
    return out;
}

std::string report_EventBlock(const MissionPage& page, int index) {
    if (index < 0 || index >= kMaxEvents) return {};
    const MissionEvent& event = page.events[index];
    std::string out =
        fmt_Format(TextLookup(kEventSection, "EVENT_NUMBER"), {index, fieldText(event.name, kEventNameSize)});
    if (event.attrib & 0x1) out += fmt_Format(TextLookup(kEventSection, "RESET_AFTER"), {event.reset_value});
    if (event.delay_value != 0)
        out += fmt_Format(TextLookup(kEventSection, "DELAY_EVENT"), {event.delay_value});
    if (event.attrib & 0x2) out += eventText("PRE_MISSION_EVENT");
    if (event.attrib & 0x4) out += eventText("POST_MISSION_EVENT");
    const int triggers = std::clamp(event.trigger_count, 0, kMaxTriggers);
    if (triggers > 0) {
        out += eventText("TRIGGERS");
        for (int t = 0; t < triggers; ++t)
            out += "    " + event_TriggerText(event.triggers[t], t == triggers - 1) + "\n";
    }
    const int actions = std::clamp(event.action_count, 0, kMaxActions);
    if (actions > 0) {
        out += eventText("ACTIONS");
        for (int a = 0; a < actions; ++a)
            out += "    " + event_ActionText(event.actions[a]) + "\n";
    }
    return out;
}

std::string report_EventText(const MissionPage& page, int event, const MetafileTime& t) {
    if (event < 0 || event >= eventCount(page)) return {};
    std::string out = fmt_Format(TextLookup(kEventSection, "EVENT_HEADER"),
                                 {event, missionFile(page), t.month, t.day, t.year, t.hour, t.minute});
    return out + report_EventBlock(page, event);
}

std::string report_EventListText(const MissionPage& page, const MetafileTime& t) {
    std::string out = fmt_Format(TextLookup(kEventSection, "EVENT_LIST_HEADER"),
                                 {missionFile(page), t.month, t.day, t.year, t.hour, t.minute});
    for (int e = 0; e < eventCount(page); ++e)
        out += report_EventBlock(page, e) + "\n";
    return out;
}
