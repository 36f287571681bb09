// Inserting and deleting events, triggers and actions; event references follow the numbers.
#include "mission/page_ops.h"

#include <cstring>

namespace {

int eventCount(const MissionPage& page) {
    return page.num_events < 0 ? 0 : (page.num_events > kMaxEvents ? kMaxEvents : page.num_events);
}

int clampCount(int32_t count, int capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}

bool isEventReference(const EventTrigger& trigger) {
    return trigger.value[kTriggerTypeValue] == kTriggerTypeEvent;
}

template <typename Entry> int deleteEntry(Entry* entries, int32_t& count, int capacity, int slot) {
    const int used = clampCount(count, capacity);
    if (slot < 0 || slot >= used) return 0;
    std::memmove(&entries[slot], &entries[slot + 1], sizeof(Entry) * (used - 1 - slot));
    std::memset(&entries[used - 1], 0, sizeof(Entry));
    count = used - 1;
    return 1;
}

template <typename Entry>
int insertEntry(Entry* entries, int32_t& count, int capacity, int slot, const Entry& entry) {
    const int used = clampCount(count, capacity);
    if (slot < 0 || slot > used || used >= capacity) return 0;
    const Entry copy = entry; // `entry` may live in the array being shifted
    std::memmove(&entries[slot + 1], &entries[slot], sizeof(Entry) * (used - slot));
    entries[slot] = copy;
    count = used + 1;
    return 1;
}

} // namespace

int event_DeleteTrigger(MissionPage& page, int event, int slot) {
    if (event < 0 || event >= eventCount(page)) return 0;
    MissionEvent& record = page.events[event];
    return deleteEntry(record.triggers, record.trigger_count, kMaxTriggers, slot);
}

int event_InsertTrigger(MissionPage& page, int event, int slot, const EventTrigger& trigger) {
    if (event < 0 || event >= eventCount(page)) return 0;
    MissionEvent& record = page.events[event];
    return insertEntry(record.triggers, record.trigger_count, kMaxTriggers, slot, trigger);
}

int event_DeleteAction(MissionPage& page, int event, int slot) {
    if (event < 0 || event >= eventCount(page)) return 0;
    MissionEvent& record = page.events[event];
    return deleteEntry(record.actions, record.action_count, kMaxActions, slot);
}

int event_InsertAction(MissionPage& page, int event, int slot, const EventAction& action) {
    if (event < 0 || event >= eventCount(page)) return 0;
    MissionEvent& record = page.events[event];
    return insertEntry(record.actions, record.action_count, kMaxActions, slot, action);
}

int event_Delete(MissionPage& page, int event) {
    const int count = eventCount(page);
    if (event < 0 || event >= count) return 0;
    std::memmove(&page.events[event], &page.events[event + 1], sizeof(MissionEvent) * (count - 1 - event));
    std::memset(&page.events[count - 1], 0, sizeof(MissionEvent));
    page.num_events = count - 1;
    for (int e = 0; e < page.num_events; ++e) {
        MissionEvent& record = page.events[e];
        int j = 0;
        while (j < clampCount(record.trigger_count, kMaxTriggers)) {
            EventTrigger& trigger = record.triggers[j];
            if (isEventReference(trigger)) {
                int32_t& ref = trigger.value[kTriggerEventRefValue];
                if (ref == event) {
                    event_DeleteTrigger(page, e, j);
                    continue; // slot j now holds the next trigger
                }
                if (ref > event) --ref;
            }
            ++j;
        }
    }
    return 1;
}

int event_Insert(MissionPage& page, int position, const MissionEvent& record) {
    const int count = eventCount(page);
    if (position < 0 || position >= count || count >= kMaxEvents) return 0;
    // `record` may be one of the page's own events, which the shift below moves.
    MissionEvent copy;
    std::memcpy(&copy, &record, sizeof copy);
    std::memmove(&page.events[position + 1], &page.events[position],
                 sizeof(MissionEvent) * (count - position));
    std::memcpy(&page.events[position], &copy, sizeof copy);
    page.num_events = count + 1;
    for (int e = 0; e < page.num_events; ++e) {
        MissionEvent& event = page.events[e];
        const int triggers = clampCount(event.trigger_count, kMaxTriggers);
        for (int j = 0; j < triggers; ++j) {
            EventTrigger& trigger = event.triggers[j];
            if (isEventReference(trigger) && trigger.value[kTriggerEventRefValue] >= position)
                ++trigger.value[kTriggerEventRefValue];
        }
    }
    return 1;
}
