// Checks of the lists the markers make: waypoint numbering and area-trigger outlines.
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/page_checks_internal.h"

#include <algorithm>
#include <array>

namespace {
constexpr const char* kProblemSection = "Problems";
constexpr int kMinAreaMarkers = 3;

PageProblem problemOf(ProblemSeverity severity, ProblemCode code, std::string message) {
    PageProblem problem;
    problem.severity = severity;
    problem.code = code;
    problem.message = std::move(message);
    return problem;
}

std::string listLabel(const MissionPage& page, int list) {
    const WaypointList& w = page.waypoints[list];
    return check_Label(list, w.description, sizeof w.description);
}

std::string areaLabel(const MissionPage& page, int area) {
    const AreaTrigger& a = page.area_triggers[area];
    return check_Label(area, a.description, sizeof a.description);
}

// "2, 5, 6" for the numbers a list skips.
std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (int number : numbers) {
        if (!text.empty()) text += ", ";
        text += std::to_string(number);
    }
    return text;
}

// The markers of each waypoint list, in slot order.
using ListMarkers = std::array<std::vector<int>, kMaxWaypointLists>;

void waypointMarkers(const MissionPage& page, const MarkerKinds& kinds, ListMarkers& lists,
                     std::vector<PageProblem>& out) {
    const int n = check_ItemCount(page);
    for (int slot = 0; slot < n; ++slot) {
        const MissionItem& item = page.items[slot];
        if (!kinds.isWaypointMarker(item)) continue;
        if (item.waypoint_id >= 1 && item.waypoint_id < kMaxWaypointLists) {
            lists[static_cast<size_t>(item.waypoint_id)].push_back(slot);
            continue;
        }
        PageProblem problem = problemOf(
            ProblemSeverity::Warning, ProblemCode::WaypointMarkerNoList,
            fmt_Format(TextLookup(kProblemSection, "WAYPOINT_MARKER_NO_LIST"), {slot, item.waypoint_id}));
        problem.items.push_back(slot);
        out.push_back(std::move(problem));
    }
}

// Numbering of one list: numbers outside 0 to 31, a first number above 0, gaps, repeats, and
// more markers than the game takes.
void waypointNumbering(const MissionPage& page, int list, const std::vector<int>& markers,
                       std::vector<PageProblem>& out) {
    const std::string label = listLabel(page, list);
    std::array<std::vector<int>, kMaxWaypointPositions> byNumber;
    for (int slot : markers) {
        const int32_t number = page.items[slot].wpnumber;
        if (number >= 0 && number < kMaxWaypointPositions) {
            byNumber[static_cast<size_t>(number)].push_back(slot);
            continue;
        }
        PageProblem problem = problemOf(ProblemSeverity::Error, ProblemCode::WaypointNumberRange,
                                        fmt_Format(TextLookup(kProblemSection, "WAYPOINT_NUMBER_RANGE"),
                                                   {slot, number, label, kMaxWaypointPositions - 1}));
        problem.items.push_back(slot);
        problem.waypoint_lists.push_back(list);
        out.push_back(std::move(problem));
    }
    int first = -1, last = -1;
    for (int number = 0; number < kMaxWaypointPositions; ++number) {
        if (byNumber[static_cast<size_t>(number)].empty()) continue;
        if (first < 0) first = number;
        last = number;
    }
    if (first > 0) {
        PageProblem problem =
            problemOf(ProblemSeverity::Warning, ProblemCode::WaypointLateStart,
                      fmt_Format(TextLookup(kProblemSection, "WAYPOINT_LATE_START"), {label, first}));
        problem.items = byNumber[static_cast<size_t>(first)];
        problem.waypoint_lists.push_back(list);
        out.push_back(std::move(problem));
    }
    std::vector<int> gaps;
    for (int number = first + 1; first >= 0 && number < last; ++number)
        if (byNumber[static_cast<size_t>(number)].empty()) gaps.push_back(number);
    if (!gaps.empty()) {
        PageProblem problem = problemOf(
            ProblemSeverity::Warning, ProblemCode::WaypointNumberGap,
            fmt_Format(TextLookup(kProblemSection, "WAYPOINT_NUMBER_GAP"), {label, numberList(gaps)}));
        // The markers on either side of the first gap show where it is.
        problem.items.push_back(byNumber[static_cast<size_t>(gaps.front() - 1)].front());
        for (int number = gaps.front() + 1; number <= last; ++number) {
            if (byNumber[static_cast<size_t>(number)].empty()) continue;
            problem.items.push_back(byNumber[static_cast<size_t>(number)].front());
            break;
        }
        std::sort(problem.items.begin(), problem.items.end());
        problem.waypoint_lists.push_back(list);
        out.push_back(std::move(problem));
    }
    for (int number = 0; number < kMaxWaypointPositions; ++number) {
        const std::vector<int>& same = byNumber[static_cast<size_t>(number)];
        if (same.size() < 2) continue;
        PageProblem problem = problemOf(ProblemSeverity::Warning, ProblemCode::WaypointNumberRepeat,
                                        fmt_Format(TextLookup(kProblemSection, "WAYPOINT_NUMBER_REPEAT"),
                                                   {label, static_cast<int>(same.size()), number}));
        problem.items = same;
        problem.waypoint_lists.push_back(list);
        out.push_back(std::move(problem));
    }
    if (static_cast<int>(markers.size()) > kExportWaypointSlots) {
        PageProblem problem =
            problemOf(ProblemSeverity::Error, ProblemCode::WaypointListTooLong,
                      fmt_Format(TextLookup(kProblemSection, "WAYPOINT_LIST_TOO_LONG"),
                                 {label, static_cast<int>(markers.size()), kExportWaypointSlots}));
        problem.items = markers;
        problem.waypoint_lists.push_back(list);
        out.push_back(std::move(problem));
    }
}

void areaTriggers(const MissionPage& page, const MarkerKinds& kinds, std::vector<PageProblem>& out) {
    std::array<std::vector<int>, kMaxAreaTriggers> byArea;
    const int n = check_ItemCount(page);
    for (int slot = 0; slot < n; ++slot) {
        const MissionItem& item = page.items[slot];
        if (!kinds.isAreaMarker(item)) continue;
        if (item.wpnumber >= 1 && item.wpnumber < kMaxAreaTriggers) {
            byArea[static_cast<size_t>(item.wpnumber)].push_back(slot);
            continue;
        }
        PageProblem problem = problemOf(ProblemSeverity::Warning, ProblemCode::AreaMarkerNoTrigger,
                                        fmt_Format(TextLookup(kProblemSection, "AREA_MARKER_NO_TRIGGER"),
                                                   {slot, item.wpnumber, kMaxAreaTriggers - 1}));
        problem.items.push_back(slot);
        out.push_back(std::move(problem));
    }
    for (int area = 1; area < kMaxAreaTriggers; ++area) {
        const std::vector<int>& markers = byArea[static_cast<size_t>(area)];
        if (markers.empty() || static_cast<int>(markers.size()) >= kMinAreaMarkers) continue;
        PageProblem problem =
            problemOf(ProblemSeverity::Warning, ProblemCode::AreaTooFewMarkers,
                      fmt_Format(TextLookup(kProblemSection, "AREA_TOO_FEW_MARKERS"),
                                 {areaLabel(page, area), kMinAreaMarkers, static_cast<int>(markers.size())}));
        problem.items = markers;
        problem.area_triggers.push_back(area);
        out.push_back(std::move(problem));
    }
}
} // namespace

void check_Lists(const MissionPage& page, std::vector<PageProblem>& out) {
    const MarkerKinds kinds = check_MarkerKinds();
    ListMarkers lists;
    waypointMarkers(page, kinds, lists, out);
    for (int list = 1; list < kMaxWaypointLists; ++list)
        if (!lists[static_cast<size_t>(list)].empty())
            waypointNumbering(page, list, lists[static_cast<size_t>(list)], out);
    areaTriggers(page, kinds, out);
}
