#pragma once
// The problem checks of a page: everything the editor can tell is wrong with a mission before the
// game or the binary export meets it. The editor's Problems panel and `qzmission check` both show
// the list page_CheckProblems returns, so the two always agree.
//
// Each problem has a severity, a stable code (for scripts: "unknown-item-type", ...), a sentence
// in the words of the interface string table (section "Problems"; the export-limit sentences are
// the export's own warnings) and the records it concerns. The checks only read the page: the
// derived lists (waypoint members, group counts, area extents) are worked out on the side, by the
// same rules as the page operations, so running them changes nothing.

#include "mission/mission_page.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class ProblemSeverity {
    Error,   // the game or the export cannot use it as it stands
    Warning, // probably not what the designer meant
};

enum class ProblemCode {
    UnknownItemType,      // items whose type no item definition has (the integrity check)
    ItemOutsideTerrain,   // an item beyond the terrain's outer boundary
    DuplicateItemId,      // items sharing one id
    WaypointNumberGap,    // a waypoint list skips numbers between its first and last marker
    WaypointNumberRepeat, // two markers of a list with the same number
    WaypointLateStart,    // a list's first marker is numbered above 0: none comes before it
    WaypointNumberRange,  // a waypoint marker numbered outside 0 to 31
    WaypointListTooLong,  // more markers than a list can carry into the game
    WaypointMarkerNoList, // a waypoint marker whose list number is not 1 to 127
    AreaTooFewMarkers,    // an area trigger outlined by fewer than three markers
    AreaMarkerNoTrigger,  // an area marker whose number is not 1 to 99
    EventMissingGroup,    // a trigger or action names a group that does not exist
    EventEmptyGroup,      // ... or one that has no members
    EventMissingWaypointList,
    EventEmptyWaypointList, // a list without markers
    EventMissingArea,
    EventEmptyArea, // an area trigger without markers
    EventMissingWavList,
    EventEmptyWavList, // a wav list without a file name
    EventMissingEvent,
    EventEmptyEvent,          // an event with neither triggers nor actions
    ExportTooManyDecorations, // the export's category limits: it cuts the extra items
    ExportTooManyMarkers,
    ExportTooManyPeople,
    ExportTooManyItems,
    ExportTextCut, // a text longer than its field of the binary mission
    ExportTimeCut, // an event delay or reset time the binary mission cannot hold
};
constexpr int kProblemCodeCount = static_cast<int>(ProblemCode::ExportTimeCut) + 1;

// The outer terrain boundary: items farther east, west, north or south of the origin than this
// (world units, 2048 m) lie off the map.
constexpr int32_t kTerrainBoundary = 524288;
// The longest delay or reset time (seconds) the binary mission holds: it stores 50 ticks a second
// in a signed 16-bit field.
constexpr int32_t kExportMaxEventSeconds = 655;
// Markers of one waypoint list the binary mission carries.
constexpr int kExportWaypointSlots = 32;

// One problem and what it concerns. Item slots in slot order; record numbers as the page numbers
// them (waypoint lists, groups, wav lists 1 to 127/63/31, area triggers 1 to 99, events from 0).
struct PageProblem {
    ProblemSeverity severity = ProblemSeverity::Warning;
    ProblemCode code = ProblemCode::UnknownItemType;
    std::string message;
    std::vector<int> items;
    std::vector<int> waypoint_lists;
    std::vector<int> groups;
    std::vector<int> area_triggers;
    std::vector<int> wav_lists;
    std::vector<int> events;

    bool operator==(const PageProblem&) const = default;
};

// Every problem of `page`, grouped by check in the order of ProblemCode's families (items,
// waypoint lists, area triggers, events, export), each family in page order.
std::vector<PageProblem> page_CheckProblems(const MissionPage& page);

// The stable code of a problem, as scripts see it ("unknown-item-type").
const char* problem_CodeName(ProblemCode code);
// "error" or "warning".
const char* problem_SeverityName(ProblemSeverity severity);
// The severity as the interface shows it ("Problems" "SEVERITY_ERROR" / "SEVERITY_WARNING").
std::string problem_SeverityText(ProblemSeverity severity);

// What a problem concerns, in words: "items 3, 7; group 2". Lists longer than `maxPerList`
// numbers end in "..." followed by how many more there are. Empty when it concerns nothing.
std::string problem_ConcernText(const PageProblem& problem, int maxPerList = 20);
// One line of `qzmission check`: "error unknown-item-type: SENTENCE [CONCERNS]".
std::string problem_Line(const PageProblem& problem);
