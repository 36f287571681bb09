// Inserting and deleting events, triggers and actions, and the renumbering of event references.
#include "mission/page_ops.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

EventTrigger eventRef(int32_t event) {
    EventTrigger trigger{};
    trigger.value[kTriggerTypeValue] = kTriggerTypeEvent;
    trigger.value[kTriggerEventRefValue] = event;
    return trigger;
}

EventTrigger otherTrigger(int32_t marker) {
    EventTrigger trigger{};
    trigger.value[kTriggerTypeValue] = 5;
    trigger.value[kTriggerEventRefValue] = marker; // not an event reference
    return trigger;
}

std::unique_ptr<MissionPage> pageWithEvents(int count) {
    auto page = std::make_unique<MissionPage>();
    page->num_events = count;
    for (int e = 0; e < count; ++e)
        std::snprintf(page->events[e].name, sizeof page->events[e].name, "E%d", e);
    return page;
}

void addTrigger(MissionPage& page, int event, const EventTrigger& trigger) {
    MissionEvent& record = page.events[event];
    ASSERT_EQ(event_InsertTrigger(page, event, record.trigger_count, trigger), 1);
}

std::vector<int32_t> refs(const MissionEvent& event) {
    std::vector<int32_t> result;
    for (int t = 0; t < event.trigger_count; ++t)
        result.push_back(event.triggers[t].value[kTriggerEventRefValue]);
    return result;
}

TEST(EventDelete, RemovesReferencesToItAndLowersLaterOnes) {
    auto page = pageWithEvents(5);
    addTrigger(*page, 0, eventRef(2));
    addTrigger(*page, 0, eventRef(3));
    addTrigger(*page, 0, eventRef(2));
    addTrigger(*page, 0, eventRef(4));
    addTrigger(*page, 0, otherTrigger(2));
    addTrigger(*page, 4, eventRef(1));
    EXPECT_EQ(event_Delete(*page, 2), 1);
    ASSERT_EQ(page->num_events, 4);
    EXPECT_STREQ(page->events[2].name, "E3");
    EXPECT_STREQ(page->events[3].name, "E4");
    EXPECT_STREQ(page->events[4].name, "") << "the vacated record is zeroed";
    EXPECT_EQ(refs(page->events[0]), (std::vector<int32_t>{2, 3, 2}));
    EXPECT_EQ(page->events[0].triggers[2].value[kTriggerTypeValue], 5)
        << "other trigger types are kept as they are";
    EXPECT_EQ(refs(page->events[3]), (std::vector<int32_t>{1}));
    EXPECT_EQ(page->events[0].triggers[3].value[kTriggerTypeValue], 0) << "vacated trigger slots are zeroed";
}

TEST(EventDelete, ConsecutiveReferencesToTheDeletedEventAreAllRemoved) {
    auto page = pageWithEvents(3);
    addTrigger(*page, 0, eventRef(1));
    addTrigger(*page, 0, eventRef(1));
    addTrigger(*page, 0, eventRef(1));
    event_Delete(*page, 1);
    EXPECT_EQ(page->events[0].trigger_count, 0);
}

TEST(EventDelete, OutOfRangeChangesNothing) {
    auto page = pageWithEvents(2);
    EXPECT_EQ(event_Delete(*page, 2), 0);
    EXPECT_EQ(event_Delete(*page, -1), 0);
    EXPECT_EQ(page->num_events, 2);
}

TEST(EventInsert, AtZeroRaisesEveryReferenceIncludingTheInsertedOnes) {
    auto page = pageWithEvents(3);
    addTrigger(*page, 1, eventRef(0));
    addTrigger(*page, 2, eventRef(2));
    MissionEvent record{};
    std::snprintf(record.name, sizeof record.name, "new");
    record.trigger_count = 2;
    record.triggers[0] = eventRef(1);
    record.triggers[1] = otherTrigger(0);
    EXPECT_EQ(event_Insert(*page, 0, record), 1);
    ASSERT_EQ(page->num_events, 4);
    EXPECT_STREQ(page->events[0].name, "new");
    EXPECT_STREQ(page->events[1].name, "E0");
    EXPECT_EQ(refs(page->events[0]), (std::vector<int32_t>{2, 0}));
    EXPECT_EQ(refs(page->events[2]), (std::vector<int32_t>{1}));
    EXPECT_EQ(refs(page->events[3]), (std::vector<int32_t>{3}));
}

TEST(EventInsert, ReferencesBelowThePositionStay) {
    auto page = pageWithEvents(4);
    addTrigger(*page, 3, eventRef(1));
    addTrigger(*page, 3, eventRef(2));
    MissionEvent record{};
    event_Insert(*page, 2, record);
    EXPECT_EQ(refs(page->events[4]), (std::vector<int32_t>{1, 3}));
}

TEST(EventInsert, RefusedOutOfRangeAndOnAFullPage) {
    auto page = pageWithEvents(2);
    MissionEvent record{};
    EXPECT_EQ(event_Insert(*page, 2, record), 0) << "inserts only before an existing event";
    EXPECT_EQ(event_Insert(*page, -1, record), 0);
    auto full = pageWithEvents(kMaxEvents);
    EXPECT_EQ(event_Insert(*full, 0, record), 0);
    EXPECT_EQ(full->num_events, kMaxEvents);
    EXPECT_STREQ(full->events[kMaxEvents - 1].name, "E255");
}

TEST(EventInsert, OwnEventAsRecordIsCopiedBeforeTheShift) {
    auto page = pageWithEvents(3);
    event_Insert(*page, 0, page->events[1]);
    EXPECT_STREQ(page->events[0].name, "E1");
    EXPECT_STREQ(page->events[2].name, "E1");
}

TEST(TriggerEdit, EleventhTriggerChangesNothing) {
    auto page = pageWithEvents(1);
    for (int t = 0; t < kMaxTriggers; ++t)
        addTrigger(*page, 0, otherTrigger(t));
    EXPECT_EQ(event_InsertTrigger(*page, 0, 3, otherTrigger(99)), 0);
    EXPECT_EQ(page->events[0].trigger_count, kMaxTriggers);
    EXPECT_EQ(page->events[0].triggers[3].value[kTriggerEventRefValue], 3);
}

TEST(TriggerEdit, InsertAndDeleteShiftTheSlots) {
    auto page = pageWithEvents(1);
    addTrigger(*page, 0, otherTrigger(0));
    addTrigger(*page, 0, otherTrigger(1));
    EXPECT_EQ(event_InsertTrigger(*page, 0, 0, otherTrigger(9)), 1);
    EXPECT_EQ(refs(page->events[0]), (std::vector<int32_t>{9, 0, 1}));
    EXPECT_EQ(event_InsertTrigger(*page, 0, 4, otherTrigger(8)), 0) << "slot above the count";
    EXPECT_EQ(event_InsertTrigger(*page, 1, 0, otherTrigger(8)), 0) << "no such event";
    EXPECT_EQ(event_DeleteTrigger(*page, 0, 1), 1);
    EXPECT_EQ(refs(page->events[0]), (std::vector<int32_t>{9, 1}));
    EXPECT_EQ(event_DeleteTrigger(*page, 0, 2), 0);
}

TEST(ActionEdit, InsertDeleteAndLimit) {
    auto page = pageWithEvents(2);
    EventAction action{};
    for (int a = 0; a < kMaxActions; ++a) {
        action.value[0] = a;
        ASSERT_EQ(event_InsertAction(*page, 1, 0, action), 1);
    }
    EXPECT_EQ(page->events[1].actions[0].value[0], 9);
    EXPECT_EQ(event_InsertAction(*page, 1, 0, action), 0);
    EXPECT_EQ(event_DeleteAction(*page, 1, 0), 1);
    EXPECT_EQ(page->events[1].action_count, 9);
    EXPECT_EQ(page->events[1].actions[0].value[0], 8);
    EXPECT_EQ(page->events[1].actions[9].value[0], 0);
    EXPECT_EQ(event_DeleteAction(*page, 2, 0), 0);
}

} // namespace
