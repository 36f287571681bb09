#pragma once
// The rules of the events dialog ("EDITEVENTS"), without its controls: which event is shown, the
// lines of its three lists, what storing the shown event writes, and the commands on events,
// triggers and actions with their clipboards. The dialog reads its controls into an EventForm,
// asks its questions and presents what these rules leave in the page.
//
// Every change reaches the page at once. Counts and numbers read from the page are taken within
// their capacities (256 events, 10 triggers, 10 actions), so a damaged page is shown as far as it
// fits and nothing is ever written outside those slots.

#include "editor/event_clipboards.h"
#include "mission/mission_page.h"

#include <string>
#include <vector>

// The name edit takes at most this many characters.
constexpr int kEventNameMaxChars = 59;
// attrib bit 0: the event resets after reset_value seconds. Bits 1 (pre-mission) and 2
// (post-mission) have no control in the dialog and keep their values.
constexpr int32_t kEventResetBit = 0x1;

// What the name, delay and reset controls of the shown event hold.
struct EventForm {
    std::string name; // page bytes
    int32_t delay = 0;
    int32_t reset = 0;
    bool reset_after = false;
};

// num_events, trigger_count and action_count taken within 0 and their capacities.
int events_Count(const MissionPage& page);
int events_TriggerCount(const MissionEvent& event);
int events_ActionCount(const MissionEvent& event);

// Appends event n = num_events, cleared, named by the "Triggers" "EVENT_NUM" format with n.
// Returns n, or -1 (no change) when the page already holds 256 events.
int events_AppendNew(MissionPage& page);

EventForm events_FormOf(const MissionEvent& event);
// name = the first kEventNameMaxChars bytes of form.name, delay_value, reset_value, attrib bit 0;
// the other bits of attrib are untouched.
void events_StoreForm(MissionEvent& event, const EventForm& form);

// "(%i) %s": the event's number and name.
std::string events_EventLine(const MissionPage& page, int event);
// One line per event, then "NEW_EVENT" while the page holds fewer than 256.
std::vector<std::string> events_EventLines(const MissionPage& page);
// "(%i) %s" per trigger with its sentence (every line but the last ends with its logic word), then
// "NEW_TRIGGER" while the event has fewer than 10.
std::vector<std::string> events_TriggerLines(const MissionEvent& event);
// "(%i) %s" per action with its sentence, then "NEW_ACTION" while the event has fewer than 10.
std::vector<std::string> events_ActionLines(const MissionEvent& event);

// The state of one opening of the events dialog: the page it edits, the current event and the
// editor's clipboards. Line numbers are rows of the dialog's lists (row n of the events list is
// event n; the row after the last event is "NEW_EVENT", likewise for triggers and actions).
class EventsEditing {
  public:
    EventsEditing(MissionPage& page, EventClipboards& clipboards);

    // Opening: a page without events gets a new event 0; event 0 becomes current.
    void open();

    int current() const { return current_; }
    // True when the current index is an event of the page (below num_events). After the last
    // event was deleted the current index is the "NEW_EVENT" row, which belongs to no event.
    bool currentIsReal() const;
    // The record at the current index (a cleared record when it is not real).
    const MissionEvent& currentEvent() const;

    // Stores `form` into the current event when it is real; otherwise nothing.
    void store(const EventForm& form);

    // The events list chose `line`: it becomes the current event; the "NEW_EVENT" row appends a
    // new event first. Rows beyond it are ignored. True when the events list changed.
    bool chooseEvent(int line);

    // ---- Triggers and actions of the current event ----
    // The slot the trigger (action) dialog edits for `line`: a trigger of the current event or,
    // for the "NEW_TRIGGER" row, the slot after the last. Null when the current event is not real
    // or the row is neither.
    EventTrigger* triggerSlot(int line);
    EventAction* actionSlot(int line);
    // The dialog of `line` was confirmed: the "NEW_TRIGGER" ("NEW_ACTION") row becomes a trigger.
    void triggerConfirmed(int line);
    void actionConfirmed(int line);

    // True when `line` is a trigger (action) of the current event, not the "NEW" row.
    bool isTrigger(int line) const;
    bool isAction(int line) const;
    // Each returns true when it changed the page or a clipboard. Delete and copy need a real
    // trigger (action); paste puts the clipboard before any row, the "NEW" row included, and does
    // nothing when the clipboard was never filled or the event already holds 10.
    bool deleteTrigger(int line);
    bool copyTrigger(int line);
    bool pasteTrigger(int line);
    bool deleteAction(int line);
    bool copyAction(int line);
    bool pasteAction(int line);

    // ---- Events ----
    // True when `line` is an event of the page, not the "NEW_EVENT" row.
    bool isEvent(int line) const;
    // The event of `line` becomes current and is deleted (event references are renumbered); when
    // no event remains a new event 0 is appended and made current. Nothing for other rows.
    bool deleteEvent(int line);
    // Copies the event of `line` (as the page holds it) into the event clipboard.
    bool copyEvent(int line);
    // The event of `line` becomes current and the clipboard event is inserted before it, event
    // references at or above it renumbered, so the current event is the pasted copy. Nothing when
    // the clipboard was never filled or `line` is not an event. A page that already holds 256
    // events refuses the insert: the event of `line` is then current and false is returned.
    bool pasteEvent(int line);

    EventClipboards& clipboards() { return clipboards_; }

  private:
    MissionPage& page_;
    EventClipboards& clipboards_;
    int current_ = 0;
};
