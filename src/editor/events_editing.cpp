#include "editor/events_editing.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/event_catalogue.h"
#include "mission/page_ops.h"

#include <algorithm>
#include <cstring>

namespace {

int clampCount(int32_t count, int capacity) {
    return std::clamp<int32_t>(count, 0, capacity);
}

std::string nameOf(const MissionEvent& event) {
    return std::string(event.name, strnlen(event.name, sizeof event.name));
}

std::string numberedLine(int number, const std::string& text) {
    return fmt_Format("(%i) ", {number}) + text;
}

} // namespace

int events_Count(const MissionPage& page) {
    return clampCount(page.num_events, kMaxEvents);
}

int events_TriggerCount(const MissionEvent& event) {
    return clampCount(event.trigger_count, kMaxTriggers);
}

int events_ActionCount(const MissionEvent& event) {
    return clampCount(event.action_count, kMaxActions);
}

int events_AppendNew(MissionPage& page) {
    const int n = events_Count(page);
    if (n >= kMaxEvents) return -1;
    page.num_events = n + 1;
    MissionEvent& event = page.events[n];
    std::memset(&event, 0, sizeof event);
    const std::string name = fmt_Format(TextLookup(kTriggerSection, "EVENT_NUM"), {n});
    std::strncpy(event.name, name.c_str(), sizeof event.name - 1);
    return n;
}

EventForm events_FormOf(const MissionEvent& event) {
    EventForm form;
    form.name = nameOf(event);
    form.delay = event.delay_value;
    form.reset = event.reset_value;
    form.reset_after = (event.attrib & kEventResetBit) != 0;
    return form;
}

void events_StoreForm(MissionEvent& event, const EventForm& form) {
    const size_t keep = std::min(form.name.size(), static_cast<size_t>(kEventNameMaxChars));
    std::memset(event.name, 0, sizeof event.name);
    std::memcpy(event.name, form.name.data(), keep);
    event.delay_value = form.delay;
    event.reset_value = form.reset;
    event.attrib = form.reset_after ? (event.attrib | kEventResetBit) : (event.attrib & ~kEventResetBit);
}

std::string events_EventLine(const MissionPage& page, int event) {
    if (event < 0 || event >= kMaxEvents) return {};
    return numberedLine(event, nameOf(page.events[event]));
}

std::vector<std::string> events_EventLines(const MissionPage& page) {
    std::vector<std::string> lines;
    const int count = events_Count(page);
    for (int e = 0; e < count; ++e)
        lines.push_back(events_EventLine(page, e));
    if (count < kMaxEvents) lines.emplace_back(TextLookup(kTriggerSection, "NEW_EVENT"));
    return lines;
}

std::vector<std::string> events_TriggerLines(const MissionEvent& event) {
    std::vector<std::string> lines;
    const int count = events_TriggerCount(event);
    for (int t = 0; t < count; ++t)
        lines.push_back(numberedLine(t, event_TriggerText(event.triggers[t], t == count - 1)));
    if (count < kMaxTriggers) lines.emplace_back(TextLookup(kTriggerSection, "NEW_TRIGGER"));
    return lines;
}

std::vector<std::string> events_ActionLines(const MissionEvent& event) {
    std::vector<std::string> lines;
    const int count = events_ActionCount(event);
    for (int a = 0; a < count; ++a)
        lines.push_back(numberedLine(a, event_ActionText(event.actions[a])));
    if (count < kMaxActions) lines.emplace_back(TextLookup(kTriggerSection, "NEW_ACTION"));
    return lines;
}

// ---- EventsEditing ----------------------------------------------------------------------------

EventsEditing::EventsEditing(MissionPage& page, EventClipboards& clipboards)
    : page_(page), clipboards_(clipboards) {}

void EventsEditing::open() {
    if (events_Count(page_) == 0) events_AppendNew(page_);
    current_ = 0;
}

bool EventsEditing::currentIsReal() const {
    return isEvent(current_);
}

const MissionEvent& EventsEditing::currentEvent() const {
    static const MissionEvent none{};
    return current_ >= 0 && current_ < kMaxEvents ? page_.events[current_] : none;
}

void EventsEditing::store(const EventForm& form) {
    if (currentIsReal()) events_StoreForm(page_.events[current_], form);
}

bool EventsEditing::chooseEvent(int line) {
    const int count = events_Count(page_);
    if (line >= 0 && line < count) {
        current_ = line;
        return false;
    }
    if (line != count) return false; // not a row of the list (the "NEW_EVENT" row is `count`)
    const int added = events_AppendNew(page_);
    if (added < 0) return false;
    current_ = added;
    return true;
}

EventTrigger* EventsEditing::triggerSlot(int line) {
    if (!currentIsReal()) return nullptr;
    MissionEvent& event = page_.events[current_];
    if (line < 0 || line > events_TriggerCount(event) || line >= kMaxTriggers) return nullptr;
    return &event.triggers[line];
}

EventAction* EventsEditing::actionSlot(int line) {
    if (!currentIsReal()) return nullptr;
    MissionEvent& event = page_.events[current_];
    if (line < 0 || line > events_ActionCount(event) || line >= kMaxActions) return nullptr;
    return &event.actions[line];
}

void EventsEditing::triggerConfirmed(int line) {
    if (!currentIsReal()) return;
    MissionEvent& event = page_.events[current_];
    const int count = events_TriggerCount(event);
    if (line == count && count < kMaxTriggers) event.trigger_count = count + 1;
}

void EventsEditing::actionConfirmed(int line) {
    if (!currentIsReal()) return;
    MissionEvent& event = page_.events[current_];
    const int count = events_ActionCount(event);
    if (line == count && count < kMaxActions) event.action_count = count + 1;
}

bool EventsEditing::isTrigger(int line) const {
    return currentIsReal() && line >= 0 && line < events_TriggerCount(page_.events[current_]);
}

bool EventsEditing::isAction(int line) const {
    return currentIsReal() && line >= 0 && line < events_ActionCount(page_.events[current_]);
}

bool EventsEditing::deleteTrigger(int line) {
    return isTrigger(line) && event_DeleteTrigger(page_, current_, line) == 1;
}

bool EventsEditing::copyTrigger(int line) {
    if (!isTrigger(line)) return false;
    clipboards_.trigger = page_.events[current_].triggers[line];
    clipboards_.trigger_full = true;
    return true;
}

bool EventsEditing::pasteTrigger(int line) {
    return clipboards_.trigger_full && currentIsReal() &&
           event_InsertTrigger(page_, current_, line, clipboards_.trigger) == 1;
}

bool EventsEditing::deleteAction(int line) {
    return isAction(line) && event_DeleteAction(page_, current_, line) == 1;
}

bool EventsEditing::copyAction(int line) {
    if (!isAction(line)) return false;
    clipboards_.action = page_.events[current_].actions[line];
    clipboards_.action_full = true;
    return true;
}

bool EventsEditing::pasteAction(int line) {
    return clipboards_.action_full && currentIsReal() &&
           event_InsertAction(page_, current_, line, clipboards_.action) == 1;
}

bool EventsEditing::isEvent(int line) const {
    return line >= 0 && line < events_Count(page_);
}

bool EventsEditing::deleteEvent(int line) {
    if (!isEvent(line)) return false;
    current_ = line;
    event_Delete(page_, line);
    if (events_Count(page_) == 0) {
        events_AppendNew(page_);
        current_ = 0;
    }
    return true;
}

bool EventsEditing::copyEvent(int line) {
    if (!isEvent(line)) return false;
    std::memcpy(&clipboards_.event, &page_.events[line], sizeof clipboards_.event);
    clipboards_.event_full = true;
    return true;
}

bool EventsEditing::pasteEvent(int line) {
    if (!clipboards_.event_full || !isEvent(line)) return false;
    current_ = line;
    return event_Insert(page_, line, clipboards_.event) == 1;
}
