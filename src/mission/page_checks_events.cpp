// Checks of what events name: every group, waypoint list, area trigger, wav list and event that a
// trigger or action refers to must exist and hold something.
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/event_tables.h"
#include "mission/page_checks_internal.h"

#include <algorithm>

namespace {
constexpr const char* kProblemSection = "Problems";
constexpr int32_t kActionPlayWavList = 7; // value 3 is the number of a wav list

enum class RefKind { Group, WaypointList, Area, WavList, Event };

struct Reference {
    RefKind kind;
    int32_t number;
};

void addSlot(std::vector<Reference>& refs, const SlotDef& slot, int32_t value) {
    switch (slot.list) {
    case ChoiceList::Groups:
        refs.push_back({RefKind::Group, value});
        break;
    case ChoiceList::WaypointLists:
        refs.push_back({RefKind::WaypointList, value});
        break;
    case ChoiceList::Areas:
        refs.push_back({RefKind::Area, value});
        break;
    case ChoiceList::Events:
        refs.push_back({RefKind::Event, value});
        break;
    default:
        break;
    }
}

// The records a trigger names, by the catalogue's slots of its type (and group condition).
std::vector<Reference> triggerReferences(const EventTrigger& trigger) {
    std::vector<Reference> refs;
    const int32_t* v = trigger.value;
    const SlotDef* slots = nullptr;
    if (v[kEventTypeValue] == kTriggerTypeGroup) {
        if (const GroupConditionRow* row = event_GroupConditionRow(v[kEventSubtypeValue])) slots = row->slots;
    } else if (const TriggerTypeRow* row = event_TriggerTypeRow(v[kEventTypeValue])) {
        slots = row->slots;
    }
    if (slots != nullptr)
        for (int s = 0; s < kEventVariableSlots; ++s)
            addSlot(refs, slots[s], v[kEventFirstVariable + s]);
    return refs;
}

// The records an action names; the second variable of the AI-change types follows the AI change.
std::vector<Reference> actionReferences(const EventAction& action) {
    std::vector<Reference> refs;
    const int32_t* v = action.value;
    const int32_t type = v[kEventTypeValue];
    const ActionTypeRow* row = event_ActionTypeRow(type);
    if (row == nullptr) return refs;
    for (int s = 0; s < kEventVariableSlots; ++s) {
        if (s == 1 && event_ActionHasAiChange(type)) {
            if (const AiChangeRow* change = event_AiChangeRow(v[kEventSubtypeValue]))
                addSlot(refs, change->slot, v[kEventFirstVariable + s]);
            continue;
        }
        addSlot(refs, row->slots[s], v[kEventFirstVariable + s]);
    }
    if (type == kActionPlayWavList) refs.push_back({RefKind::WavList, v[kEventFirstVariable]});
    return refs;
}

struct KindTexts {
    ProblemCode missing;
    ProblemCode empty;
    const char* missingText;
    const char* emptyText;
};

KindTexts textsOf(RefKind kind) {
    switch (kind) {
    case RefKind::Group:
        return {ProblemCode::EventMissingGroup, ProblemCode::EventEmptyGroup,
                TextLookup(kProblemSection, "EVENT_MISSING_GROUP"),
                TextLookup(kProblemSection, "EVENT_EMPTY_GROUP")};
    case RefKind::WaypointList:
        return {ProblemCode::EventMissingWaypointList, ProblemCode::EventEmptyWaypointList,
                TextLookup(kProblemSection, "EVENT_MISSING_WAYPOINT_LIST"),
                TextLookup(kProblemSection, "EVENT_EMPTY_WAYPOINT_LIST")};
    case RefKind::Area:
        return {ProblemCode::EventMissingArea, ProblemCode::EventEmptyArea,
                TextLookup(kProblemSection, "EVENT_MISSING_AREA"),
                TextLookup(kProblemSection, "EVENT_EMPTY_AREA")};
    case RefKind::WavList:
        return {ProblemCode::EventMissingWavList, ProblemCode::EventEmptyWavList,
                TextLookup(kProblemSection, "EVENT_MISSING_WAV_LIST"),
                TextLookup(kProblemSection, "EVENT_EMPTY_WAV_LIST")};
    case RefKind::Event:
        break;
    }
    return {ProblemCode::EventMissingEvent, ProblemCode::EventEmptyEvent,
            TextLookup(kProblemSection, "EVENT_MISSING_EVENT"),
            TextLookup(kProblemSection, "EVENT_EMPTY_EVENT")};
}

class ReferenceCheck {
  public:
    ReferenceCheck(const MissionPage& page, std::vector<PageProblem>& out) : page_(page), out_(out) {
        check_CountLists(page, check_MarkerKinds(), counts_);
        events_ = std::clamp(page.num_events, 0, kMaxEvents);
    }

    void run() {
        for (int e = 0; e < events_; ++e) {
            const MissionEvent& event = page_.events[e];
            const int triggers = std::clamp(event.trigger_count, 0, kMaxTriggers);
            for (int t = 0; t < triggers; ++t)
                for (const Reference& ref : triggerReferences(event.triggers[t]))
                    check({e, t, true}, ref);
            const int actions = std::clamp(event.action_count, 0, kMaxActions);
            for (int a = 0; a < actions; ++a)
                for (const Reference& ref : actionReferences(event.actions[a]))
                    check({e, a, false}, ref);
        }
    }

  private:
    // Whether record `number` of its kind exists, and if so whether it holds anything.
    struct Target {
        bool exists = false;
        bool empty = false;
    };

    Target target(const Reference& ref) const {
        Target t;
        const int32_t n = ref.number;
        switch (ref.kind) {
        case RefKind::Group:
            if (n < 1 || n >= kMaxGroups) return t;
            t.empty = counts_.group_members[n] == 0;
            break;
        case RefKind::WaypointList:
            if (n < 1 || n >= kMaxWaypointLists) return t;
            t.empty = counts_.waypoint_markers[n] == 0;
            break;
        case RefKind::Area:
            if (n < 1 || n >= kMaxAreaTriggers) return t;
            t.empty = counts_.area_markers[n] == 0;
            break;
        case RefKind::WavList:
            if (n < 1 || n >= kMaxWavLists) return t;
            t.empty = page_.wav_lists[n].file_name[0] == '\0';
            break;
        case RefKind::Event:
            if (n < 0 || n >= events_) return t;
            t.empty = page_.events[n].trigger_count <= 0 && page_.events[n].action_count <= 0;
            break;
        }
        t.exists = true;
        return t;
    }

    // A trigger or an action of an event.
    struct Place {
        int event;
        int index;
        bool trigger;
    };

    // "Event 2 (Patrol alerted), trigger 1": triggers and actions counted from 0, as the events
    // dialog lists them.
    std::string placeText(const Place& place) const {
        const MissionEvent& event = page_.events[place.event];
        const std::string label = check_Label(place.event, event.name, sizeof event.name);
        const char* format = place.trigger ? TextLookup(kProblemSection, "EVENT_TRIGGER_PLACE")
                                           : TextLookup(kProblemSection, "EVENT_ACTION_PLACE");
        return fmt_Format(format, {label, place.index});
    }

    // The label of an existing record: its number and description.
    std::string label(const Reference& ref) const {
        const int32_t n = ref.number;
        switch (ref.kind) {
        case RefKind::Group:
            return check_Label(n, page_.groups[n].description, sizeof page_.groups[n].description);
        case RefKind::WaypointList:
            return check_Label(n, page_.waypoints[n].description, sizeof page_.waypoints[n].description);
        case RefKind::Area:
            return check_Label(n, page_.area_triggers[n].description,
                               sizeof page_.area_triggers[n].description);
        case RefKind::WavList:
            return check_Label(n, page_.wav_lists[n].description, sizeof page_.wav_lists[n].description);
        case RefKind::Event:
            break;
        }
        return check_Label(n, page_.events[n].name, sizeof page_.events[n].name);
    }

    void check(const Place& where, const Reference& ref) {
        const Target t = target(ref);
        if (t.exists && !t.empty) return;
        const KindTexts texts = textsOf(ref.kind);
        const std::string place = placeText(where);
        PageProblem problem;
        problem.events.push_back(where.event);
        if (!t.exists) {
            problem.severity = ProblemSeverity::Error;
            problem.code = texts.missing;
            problem.message = fmt_Format(texts.missingText, {place, static_cast<int>(ref.number)});
        } else {
            problem.severity = ProblemSeverity::Warning;
            problem.code = texts.empty;
            problem.message = fmt_Format(texts.emptyText, {place, label(ref)});
            recordOf(ref, problem);
        }
        out_.push_back(std::move(problem));
    }

    static void recordOf(const Reference& ref, PageProblem& problem) {
        switch (ref.kind) {
        case RefKind::Group:
            problem.groups.push_back(ref.number);
            break;
        case RefKind::WaypointList:
            problem.waypoint_lists.push_back(ref.number);
            break;
        case RefKind::Area:
            problem.area_triggers.push_back(ref.number);
            break;
        case RefKind::WavList:
            problem.wav_lists.push_back(ref.number);
            break;
        case RefKind::Event:
            if (problem.events.front() != ref.number) problem.events.push_back(ref.number);
            break;
        }
    }

    const MissionPage& page_;
    std::vector<PageProblem>& out_;
    ListCounts counts_;
    int events_ = 0;
};
} // namespace

void check_EventReferences(const MissionPage& page, std::vector<PageProblem>& out) {
    ReferenceCheck(page, out).run();
}
