// The problem list of a page, the names of its codes and the shared steps of the checks.
#include "mission/page_checks.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/item_lookup.h"
#include "mission/page_checks_internal.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr const char* kProblemSection = "Problems";

constexpr const char* kCodeNames[kProblemCodeCount] = {
    "unknown-item-type",         "item-outside-terrain",
    "duplicate-item-id",         "waypoint-number-gap",
    "waypoint-number-repeat",    "waypoint-late-start",
    "waypoint-number-range",     "waypoint-list-too-long",
    "waypoint-marker-no-list",   "area-too-few-markers",
    "area-marker-no-trigger",    "event-missing-group",
    "event-empty-group",         "event-missing-waypoint-list",
    "event-empty-waypoint-list", "event-missing-area",
    "event-empty-area",          "event-missing-wav-list",
    "event-empty-wav-list",      "event-missing-event",
    "event-empty-event",         "export-too-many-decorations",
    "export-too-many-markers",   "export-too-many-people",
    "export-too-many-items",     "export-text-cut",
    "export-time-cut",
};

// "items 3, 7" for one list of numbers, shortened after `limit` numbers.
void appendNumbers(std::string& out, const char* word, const std::vector<int>& numbers, int limit) {
    if (numbers.empty()) return;
    if (!out.empty()) out += "; ";
    out += word;
    out += ' ';
    const int shown = std::min(static_cast<int>(numbers.size()), std::max(limit, 1));
    for (int i = 0; i < shown; ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(numbers[static_cast<size_t>(i)]);
    }
    if (shown < static_cast<int>(numbers.size()))
        out += fmt_Format(TextLookup(kProblemSection, "CONCERN_MORE"),
                          {static_cast<int>(numbers.size()) - shown});
}
} // namespace

std::vector<PageProblem> page_CheckProblems(const MissionPage& page) {
    std::vector<PageProblem> problems;
    check_Items(page, problems);
    check_Lists(page, problems);
    check_EventReferences(page, problems);
    check_ExportLimits(page, problems);
    return problems;
}

const char* problem_CodeName(ProblemCode code) {
    const int index = static_cast<int>(code);
    return index >= 0 && index < kProblemCodeCount ? kCodeNames[index] : "unknown";
}

const char* problem_SeverityName(ProblemSeverity severity) {
    return severity == ProblemSeverity::Error ? "error" : "warning";
}

std::string problem_SeverityText(ProblemSeverity severity) {
    return TextLookup(kProblemSection,
                      severity == ProblemSeverity::Error ? "SEVERITY_ERROR" : "SEVERITY_WARNING");
}

std::string problem_ConcernText(const PageProblem& problem, int maxPerList) {
    std::string out;
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_ITEMS"), problem.items, maxPerList);
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_WAYPOINT_LISTS"), problem.waypoint_lists,
                  maxPerList);
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_GROUPS"), problem.groups, maxPerList);
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_AREA_TRIGGERS"), problem.area_triggers,
                  maxPerList);
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_WAV_LISTS"), problem.wav_lists, maxPerList);
    appendNumbers(out, TextLookup(kProblemSection, "CONCERN_EVENTS"), problem.events, maxPerList);
    return out;
}

std::string problem_Line(const PageProblem& problem) {
    std::string line = problem_SeverityName(problem.severity);
    line += ' ';
    line += problem_CodeName(problem.code);
    line += ": ";
    line += problem.message;
    const std::string concerns = problem_ConcernText(problem);
    if (!concerns.empty()) line += " [" + concerns + "]";
    return line;
}

// ---- Shared steps -----------------------------------------------------------------------------

int check_ItemCount(const MissionPage& page) {
    return std::clamp(page.num_items, 0, kMaxItems);
}

std::string check_Label(int number, const char* description, size_t size) {
    const size_t length = strnlen(description, size);
    if (length == 0) return std::to_string(number);
    return fmt_Format(TextLookup(kProblemSection, "NAMED_RECORD"),
                      {number, std::string(description, length)});
}

bool MarkerKinds::isWaypointMarker(const MissionItem& item) const {
    return waypoint_def >= 0 && item.def_index == waypoint_def && item.type_id == kWaypointMarkerType;
}

bool MarkerKinds::isAreaMarker(const MissionItem& item) const {
    return area_def >= 0 && item.def_index == area_def && item.type_id == kAreaTriggerMarkerType;
}

MarkerKinds check_MarkerKinds() {
    MarkerKinds kinds;
    kinds.waypoint_def = item_FindDefIndex(kWaypointMarkerType);
    kinds.area_def = item_FindDefIndex(kAreaTriggerMarkerType);
    return kinds;
}

void check_CountLists(const MissionPage& page, const MarkerKinds& kinds, ListCounts& counts) {
    const int n = check_ItemCount(page);
    for (int i = 0; i < n; ++i) {
        const MissionItem& item = page.items[i];
        if (item.group_id >= 1 && item.group_id < kMaxGroups) ++counts.group_members[item.group_id];
        if (kinds.isWaypointMarker(item)) {
            if (item.waypoint_id >= 1 && item.waypoint_id < kMaxWaypointLists)
                ++counts.waypoint_markers[item.waypoint_id];
        } else if (kinds.isAreaMarker(item)) {
            if (item.wpnumber >= 1 && item.wpnumber < kMaxAreaTriggers) ++counts.area_markers[item.wpnumber];
        }
    }
}
