#pragma once
// The three clipboards of the events dialog: one whole event, one trigger and one action. They
// belong to the editor and live for its whole run, independent of pages and of dialog openings,
// so an event copied on Page 1 can be pasted on Page 2. Each full flag starts clear and, once
// set by a copy, is never cleared again.

#include "mission/mission_page.h"

struct EventClipboards {
    MissionEvent event{};
    EventTrigger trigger{};
    EventAction action{};
    bool event_full = false;
    bool trigger_full = false;
    bool action_full = false;
};
