// Derived data of a page: waypoint list members, group member counts, area-trigger extents.
#include "mission/item_lookup.h"
#include "mission/page_ops.h"

namespace {

int itemCount(const MissionPage& page) {
    return page.num_items < 0 ? 0 : (page.num_items > kMaxItems ? kMaxItems : page.num_items);
}

// An item is a marker of `type_id` when it carries the marker's definition index and type. The
// type check keeps items of unknown types (which fall back to index 0) out of the lists when the
// marker happens to be the first definition.
bool isMarker(const MissionItem& item, int def_index, int32_t type_id) {
    return item.def_index == def_index && item.type_id == type_id;
}

} // namespace

int page_MarkerDefIndex(int32_t type_id) {
    return item_FindDefIndex(type_id);
}

void page_RebuildWaypointLists(MissionPage& page) {
    for (WaypointList& list : page.waypoints)
        list.member_count = 0;
    const int marker = page_MarkerDefIndex(kWaypointMarkerType);
    if (marker < 0) return;
    const int items = itemCount(page);
    for (int i = 0; i < items; ++i) {
        MissionItem& item = page.items[i];
        if (!isMarker(item, marker, kWaypointMarkerType)) continue;
        const int32_t list_number = item.waypoint_id;
        if (list_number < 1 || list_number >= kMaxWaypointLists) {
            item.waypoint_id = 0;
            continue;
        }
        WaypointList& list = page.waypoints[list_number];
        if (list.member_count >= kMaxWaypointMembers) continue; // no member slot left
        list.members[list.member_count++] = i;
    }
    // The exchange sort is kept on purpose: its order of markers with equal positions is what
    // the lists have always shown and exported.
    for (int n = 1; n < kMaxWaypointLists; ++n) {
        WaypointList& list = page.waypoints[n];
        for (int o = 0; o + 1 < list.member_count; ++o) {
            for (int j = o + 1; j < list.member_count; ++j) {
                if (page.items[list.members[o]].wpnumber > page.items[list.members[j]].wpnumber) {
                    const int32_t swap = list.members[o];
                    list.members[o] = list.members[j];
                    list.members[j] = swap;
                }
            }
        }
    }
}

void page_CountGroupMembers(MissionPage& page) {
    for (ItemGroup& group : page.groups)
        group.member_count = 0;
    const int items = itemCount(page);
    for (int i = 0; i < items; ++i) {
        const int32_t group = page.items[i].group_id;
        if (group >= 1 && group < kMaxGroups) ++page.groups[group].member_count;
    }
}

void page_RebuildAreaTriggers(MissionPage& page) {
    for (AreaTrigger& trigger : page.area_triggers)
        trigger.area_number = 0;
    const int marker = page_MarkerDefIndex(kAreaTriggerMarkerType);
    if (marker < 0) return;
    const int items = itemCount(page);
    for (int i = 0; i < items; ++i) {
        const MissionItem& item = page.items[i];
        if (!isMarker(item, marker, kAreaTriggerMarkerType)) continue;
        const int32_t number = item.wpnumber;
        if (number <= 0 || number >= kMaxAreaTriggers) continue;
        AreaTrigger& trigger = page.area_triggers[number];
        const int32_t x = item.position[0];
        const int32_t y = item.position[1];
        if (trigger.area_number == 0) {
            trigger.area_number = number;
            trigger.min_x = trigger.max_x = x;
            trigger.min_y = trigger.max_y = y;
            trigger.first_marker = i;
            continue;
        }
        if (x < trigger.min_x) {
            trigger.min_x = x;
            trigger.first_marker = i;
        }
        if (x > trigger.max_x) trigger.max_x = x;
        if (y < trigger.min_y) trigger.min_y = y;
        if (y > trigger.max_y) trigger.max_y = y;
    }
}
