#include "support/problem_page.h"

#include "mission/export_limits.h"
#include "mission/page_checks.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"

#include <cstring>

namespace {

constexpr int32_t kMetre = 256;

int add(MissionPage& page, int32_t type, int32_t xMetres = 10, int32_t yMetres = 10) {
    return page_AddItem(page, type, xMetres * kMetre, yMetres * kMetre, 0);
}

void waypoints(MissionPage& page, int32_t list, std::initializer_list<int32_t> numbers) {
    for (int32_t number : numbers) {
        const int slot = add(page, kWaypointMarkerType, 100 + number, 100 + list);
        page.items[slot].waypoint_id = list;
        page.items[slot].wpnumber = number;
    }
}

void areaMarkers(MissionPage& page, int32_t area, int count) {
    for (int i = 0; i < count; ++i) {
        const int slot = add(page, kAreaTriggerMarkerType, 200 + (i % 2) * 10, 200 + (i / 2) * 10);
        page.items[slot].wpnumber = area;
    }
}

EventTrigger groupTrigger(int32_t condition, int32_t group, int32_t second = 0) {
    return EventTrigger{{0, 1, condition, group, second, 0, 0, 0}};
}

EventAction action(int32_t type, int32_t first, int32_t second = 0) {
    return EventAction{{0, type, 0, first, second, 0, 0, 0}};
}

} // namespace

void test_FillPageWithEveryProblem(MissionPage& page) {
    page_Clear(page);
    std::strcpy(page.general.name, "A mission whose name is too long for the file");

    // Items: an unknown type, one off the map, two sharing an id.
    add(page, kTestUnknownType);
    const int far = add(page, kTestJeepType);
    page.items[far].position[0] = kTerrainBoundary + kMetre;
    const int tree = add(page, kTestTreeType);
    const int twin = add(page, kTestTreeType);
    page.items[twin].id = page.items[tree].id;

    // Waypoint lists: 1 sound, 2 a gap, 3 a repeat, 4 a late start, 5 a number out of range and
    // one marker too many; a marker of no list.
    waypoints(page, 1, {0, 1, 2});
    waypoints(page, 2, {0, 2});
    waypoints(page, 3, {0, 0, 1});
    waypoints(page, 4, {1, 2});
    for (int32_t n = 0; n < kExportWaypointSlots; ++n)
        waypoints(page, 5, {n});
    waypoints(page, 5, {40});
    waypoints(page, 0, {0});

    // Area triggers: 2 with two markers, a marker of no trigger, and enough sound ones (four
    // markers each) to pass the markers' export limit.
    areaMarkers(page, 2, 2);
    areaMarkers(page, 0, 1);
    for (int32_t area = 10; area < kMaxAreaTriggers; ++area)
        areaMarkers(page, area, 6);
    areaMarkers(page, 1, 4);

    // Export categories above their limits; the people form group 1.
    for (int i = 0; i <= kExportLimitPeople; ++i)
        page.items[add(page, kTestSoldierType)].group_id = 1;
    for (int i = 0; i <= kExportLimitDecorations; ++i)
        add(page, kTestHouseType);
    for (int i = 0; i <= kExportLimitGeneral; ++i)
        add(page, kTestCrateType);

    std::strcpy(page.wav_lists[1].file_name, "radio.wav");
    std::strcpy(page.wav_lists[3].description, "Silence");

    page.num_events = 2;
    MissionEvent& event = page.events[0];
    std::strcpy(event.name, "Everything wrong");
    event.delay_value = 1000;
    const EventTrigger triggers[] = {
        groupTrigger(4, 70),        // all destroyed: a group that does not exist
        groupTrigger(4, 5),         // ... a group without members
        groupTrigger(10, 1, 0),     // within an area that does not exist
        groupTrigger(10, 1, 7),     // ... an area without markers
        EventTrigger{{0, 2, 0, 9}}, // event 9 triggered: no such event
        EventTrigger{{0, 2, 0, 1}}, // event 1 triggered: it is empty
    };
    for (const EventTrigger& t : triggers)
        event.triggers[event.trigger_count++] = t;
    const EventAction actions[] = {
        action(1, 1, 0), // redirect group 1 to a list that does not exist
        action(1, 1, 9), // ... to a list without markers
        action(7, 40),   // play a wav list that does not exist
        action(7, 3),    // ... one without a file
    };
    for (const EventAction& a : actions)
        event.actions[event.action_count++] = a;
    std::strcpy(page.events[1].name, "Nothing");
}
