#pragma once
// The families of page_CheckProblems and what they share: each appends its problems to `out`.

#include "mission/page_checks.h"

#include <cstddef>
#include <string>
#include <vector>

// Unknown item types, items outside the terrain, duplicate item ids.
void check_Items(const MissionPage& page, std::vector<PageProblem>& out);
// Waypoint numbering, waypoint markers without a list, area triggers and their markers.
void check_Lists(const MissionPage& page, std::vector<PageProblem>& out);
// Groups, waypoint lists, areas, wav lists and events that triggers and actions name.
void check_EventReferences(const MissionPage& page, std::vector<PageProblem>& out);
// What the binary export would cut: items per category, texts, event times.
void check_ExportLimits(const MissionPage& page, std::vector<PageProblem>& out);

// Items of slots 0 to num_items-1 (num_items held to 0 to kMaxItems).
int check_ItemCount(const MissionPage& page);
// A record's number followed by its description when it has one: "3 (Patrol)" or "3".
std::string check_Label(int number, const char* description, size_t size);

// The marker items of the derived lists, told apart as the page operations do: the marker's
// definition index and type. Null when the marker type has no definition (no such lists then).
struct MarkerKinds {
    int waypoint_def = -1; // definition index of kWaypointMarkerType, -1 when not defined
    int area_def = -1;     // definition index of kAreaTriggerMarkerType
    bool isWaypointMarker(const MissionItem& item) const;
    bool isAreaMarker(const MissionItem& item) const;
};
MarkerKinds check_MarkerKinds();

// Markers per waypoint list (indices 1 to 127) and per area trigger (1 to 99), counted as the
// derived lists count them (waypoint lists without the 64-member cap).
struct ListCounts {
    int waypoint_markers[kMaxWaypointLists] = {};
    int area_markers[kMaxAreaTriggers] = {};
    int group_members[kMaxGroups] = {};
};
void check_CountLists(const MissionPage& page, const MarkerKinds& kinds, ListCounts& counts);
