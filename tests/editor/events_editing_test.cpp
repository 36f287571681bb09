// The rules of the events dialog: the shown event, its list lines, storing the form, and the
// commands on events, triggers and actions with the clipboards that outlive the dialog.
#include "editor/events_editing.h"

#include "mission/event_catalogue.h"
#include "mission/page_ops.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kTexts = "[Triggers]\n"
                               "EVENT_NUM=Event #%i\n"
                               "NEW_EVENT=<new event>\n"
                               "NEW_TRIGGER=<new trigger>\n"
                               "NEW_ACTION=<new action>\n"
                               "NULL=nothing\n"
                               "GROUP_DESTROYED=group %i destroyed\n"
                               "EVENT_TRIGGERED=event %i happened\n"
                               "BLUE_WIN=blue wins\n"
                               "ELIMINATE_GROUP=kill group %i\n"
                               "[Trigger Logic]\n"
                               "AND= and\n"
                               "OR= or\n"
                               "XOR= xor\n";

EventTrigger groupDestroyed(int32_t group) {
    EventTrigger trigger{};
    trigger.value[1] = 1;
    trigger.value[2] = 4;
    trigger.value[3] = group;
    return trigger;
}

EventTrigger eventRef(int32_t event) {
    EventTrigger trigger{};
    trigger.value[kTriggerTypeValue] = kTriggerTypeEvent;
    trigger.value[kTriggerEventRefValue] = event;
    return trigger;
}

EventAction blueWins() {
    EventAction action{};
    action.value[1] = 8;
    return action;
}

class EventsEditingTest : public ::testing::Test {
  protected:
    void SetUp() override { test_InstallTexts(kTexts); }

    // A page with `count` events named "E0", "E1", ...
    static std::unique_ptr<MissionPage> pageWith(int count) {
        auto page = std::make_unique<MissionPage>();
        page->num_events = count;
        for (int e = 0; e < count; ++e)
            std::snprintf(page->events[e].name, sizeof page->events[e].name, "E%d", e);
        return page;
    }

    static void addTrigger(MissionPage& page, int event, const EventTrigger& trigger) {
        ASSERT_EQ(event_InsertTrigger(page, event, page.events[event].trigger_count, trigger), 1);
    }

    EventClipboards clipboards;
};

// ---- Opening, choosing and storing ----

TEST_F(EventsEditingTest, OpeningAPageWithoutEventsCreatesEventZeroNamedByTheEventNumFormat) {
    auto page = pageWith(0);
    std::memset(page->events[0].name, 'x', sizeof page->events[0].name); // left over in the record
    page->events[0].trigger_count = 4;
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_EQ(page->num_events, 1);
    EXPECT_STREQ(page->events[0].name, "Event #0");
    EXPECT_EQ(page->events[0].trigger_count, 0) << "the new record is cleared";
    EXPECT_EQ(editing.current(), 0);
    EXPECT_TRUE(editing.currentIsReal());
}

TEST_F(EventsEditingTest, OpeningAPageWithEventsAddsNothing) {
    auto page = pageWith(3);
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_EQ(page->num_events, 3);
    EXPECT_STREQ(editing.currentEvent().name, "E0");
}

TEST_F(EventsEditingTest, ChoosingTheNewEventRowAppendsANamedEventAndMakesItCurrent) {
    auto page = pageWith(2);
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_FALSE(editing.chooseEvent(1)) << "an existing event changes no line";
    EXPECT_EQ(editing.current(), 1);
    EXPECT_TRUE(editing.chooseEvent(2));
    EXPECT_EQ(page->num_events, 3);
    EXPECT_EQ(editing.current(), 2);
    EXPECT_STREQ(page->events[2].name, "Event #2");
    EXPECT_EQ(events_EventLines(*page),
              (std::vector<std::string>{"(0) E0", "(1) E1", "(2) Event #2", "<new event>"}));
    EXPECT_FALSE(editing.chooseEvent(7)) << "not a row of the list";
    EXPECT_EQ(editing.current(), 2);
}

TEST_F(EventsEditingTest, AFullPageHasNoNewEventRowAndCannotGrow) {
    auto page = pageWith(kMaxEvents);
    const std::vector<std::string> lines = events_EventLines(*page);
    ASSERT_EQ(lines.size(), static_cast<size_t>(kMaxEvents));
    EXPECT_EQ(lines.back(), "(255) E255");
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_FALSE(editing.chooseEvent(kMaxEvents));
    EXPECT_EQ(page->num_events, kMaxEvents);
    EXPECT_EQ(events_AppendNew(*page), -1);
}

TEST_F(EventsEditingTest, StoringWritesTheFormAndKeepsTheOtherAttributeBits) {
    auto page = pageWith(1);
    page->events[0].attrib = 0x6 | 0x100; // pre- and post-mission, and a bit the dialog ignores
    EventsEditing editing(*page, clipboards);
    editing.open();
    EventForm form;
    form.name = std::string(70, 'n');
    form.delay = 12;
    form.reset = 30;
    form.reset_after = true;
    editing.store(form);
    EXPECT_EQ(std::string(page->events[0].name), std::string(kEventNameMaxChars, 'n'));
    EXPECT_EQ(page->events[0].delay_value, 12);
    EXPECT_EQ(page->events[0].reset_value, 30);
    EXPECT_EQ(page->events[0].attrib, 0x107);
    form.reset_after = false;
    form.name = "Short";
    editing.store(form);
    EXPECT_EQ(page->events[0].attrib, 0x106);
    EXPECT_STREQ(page->events[0].name, "Short");
    EXPECT_EQ(page->events[0].name[10], '\0') << "the rest of the old name is cleared";
}

// ---- Events: delete, copy, paste ----

TEST_F(EventsEditingTest, DeletingTheLastEventLeavesTheNewEventRowCurrentWhichStoresNothing) {
    auto page = pageWith(3);
    EventsEditing editing(*page, clipboards);
    editing.open();
    editing.chooseEvent(2);
    EXPECT_TRUE(editing.deleteEvent(2));
    EXPECT_EQ(page->num_events, 2);
    EXPECT_EQ(editing.current(), 2);
    EXPECT_FALSE(editing.currentIsReal());
    EXPECT_EQ(events_EventLines(*page).at(2), "<new event>");
    EventForm form;
    form.name = "Ghost";
    form.delay = 5;
    editing.store(form);
    EXPECT_STREQ(page->events[2].name, "");
    EXPECT_EQ(page->events[2].delay_value, 0);
    EXPECT_EQ(editing.triggerSlot(0), nullptr) << "no trigger can be edited in an event that is not there";
    EXPECT_EQ(editing.actionSlot(0), nullptr);
}

TEST_F(EventsEditingTest, DeletingTheOnlyEventLeavesOneFreshEventZero) {
    auto page = pageWith(1);
    page->events[0].delay_value = 9;
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_TRUE(editing.deleteEvent(0));
    EXPECT_EQ(page->num_events, 1);
    EXPECT_EQ(editing.current(), 0);
    EXPECT_STREQ(page->events[0].name, "Event #0");
    EXPECT_EQ(page->events[0].delay_value, 0);
}

TEST_F(EventsEditingTest, DeletingAnEventRemovesTriggersThatWaitForIt) {
    auto page = pageWith(3);
    addTrigger(*page, 2, eventRef(1));
    addTrigger(*page, 2, groupDestroyed(4));
    addTrigger(*page, 0, eventRef(2));
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_TRUE(editing.deleteEvent(1));
    EXPECT_EQ(editing.current(), 1);
    EXPECT_STREQ(editing.currentEvent().name, "E2");
    ASSERT_EQ(page->events[1].trigger_count, 1);
    EXPECT_EQ(page->events[1].triggers[0].value[3], 4);
    EXPECT_EQ(page->events[0].triggers[0].value[kTriggerEventRefValue], 1);
}

TEST_F(EventsEditingTest, DeleteAndCopyOfEventsNeedAnEventRow) {
    auto page = pageWith(2);
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_FALSE(editing.deleteEvent(2));
    EXPECT_FALSE(editing.deleteEvent(-1));
    EXPECT_FALSE(editing.copyEvent(2));
    EXPECT_FALSE(clipboards.event_full);
    EXPECT_EQ(page->num_events, 2);
    EXPECT_FALSE(editing.pasteEvent(0)) << "the clipboard was never filled";
    EXPECT_EQ(page->num_events, 2);
}

TEST_F(EventsEditingTest, AnEditedDelayIsCarriedByTheCopiedEvent) {
    auto page = pageWith(2);
    EventsEditing editing(*page, clipboards);
    editing.open();
    EventForm form = events_FormOf(page->events[0]);
    form.delay = 45;
    editing.store(form);
    EXPECT_TRUE(editing.copyEvent(0));
    EXPECT_TRUE(clipboards.event_full);
    EXPECT_EQ(clipboards.event.delay_value, 45);
    EXPECT_STREQ(clipboards.event.name, "E0");
}

TEST_F(EventsEditingTest, PastingAnEventRenumbersReferencesAtOrAboveItsRow) {
    auto page = pageWith(3);
    addTrigger(*page, 2, eventRef(1));
    addTrigger(*page, 2, eventRef(0));
    addTrigger(*page, 0, eventRef(2));
    EventsEditing editing(*page, clipboards);
    editing.open();
    editing.chooseEvent(2);
    ASSERT_TRUE(editing.copyEvent(2)); // waits for events 1 and 0
    ASSERT_TRUE(editing.pasteEvent(1));
    EXPECT_EQ(page->num_events, 4);
    EXPECT_EQ(editing.current(), 1) << "the pasted copy is shown";
    EXPECT_STREQ(page->events[1].name, "E2");
    EXPECT_EQ(page->events[1].triggers[0].value[kTriggerEventRefValue], 2) << "copy: 1 follows its event";
    EXPECT_EQ(page->events[1].triggers[1].value[kTriggerEventRefValue], 0);
    EXPECT_STREQ(page->events[3].name, "E2");
    EXPECT_EQ(page->events[3].triggers[0].value[kTriggerEventRefValue], 2);
    EXPECT_EQ(page->events[0].triggers[0].value[kTriggerEventRefValue], 3);
    EXPECT_TRUE(clipboards.event_full) << "the clipboard stays full for further pastes";
}

TEST_F(EventsEditingTest, PastingAnEventIntoAFullPageIsRefused) {
    auto page = pageWith(kMaxEvents);
    EventsEditing editing(*page, clipboards);
    editing.open();
    ASSERT_TRUE(editing.copyEvent(3));
    EXPECT_FALSE(editing.pasteEvent(5));
    EXPECT_EQ(page->num_events, kMaxEvents);
    EXPECT_STREQ(page->events[5].name, "E5");
    EXPECT_STREQ(page->events[255].name, "E255");
}

TEST_F(EventsEditingTest, TheClipboardsOutliveTheDialogAndThePage) {
    auto first = pageWith(2);
    addTrigger(*first, 1, groupDestroyed(2));
    first->events[1].actions[0] = blueWins();
    first->events[1].action_count = 1;
    {
        EventsEditing editing(*first, clipboards);
        editing.open();
        editing.chooseEvent(1);
        ASSERT_TRUE(editing.copyEvent(1));
        ASSERT_TRUE(editing.copyTrigger(0));
        ASSERT_TRUE(editing.copyAction(0));
    }
    auto second = pageWith(1);
    EventsEditing editing(*second, clipboards);
    editing.open();
    EXPECT_TRUE(editing.pasteEvent(0));
    EXPECT_STREQ(second->events[0].name, "E1");
    EXPECT_EQ(second->events[0].trigger_count, 1);
    EXPECT_TRUE(editing.pasteTrigger(1));
    EXPECT_TRUE(editing.pasteAction(0));
    EXPECT_EQ(second->events[0].trigger_count, 2);
    EXPECT_EQ(second->events[0].action_count, 2);
}

// ---- Triggers and actions ----

TEST_F(EventsEditingTest, ACopiedTriggerIsAppendedToAnotherEventOnItsNewTriggerRow) {
    auto page = pageWith(2);
    addTrigger(*page, 0, groupDestroyed(2));
    addTrigger(*page, 1, groupDestroyed(7));
    EventsEditing editing(*page, clipboards);
    editing.open();
    ASSERT_TRUE(editing.copyTrigger(0));
    editing.chooseEvent(1);
    EXPECT_TRUE(editing.pasteTrigger(1)); // the "NEW_TRIGGER" row of event 1
    ASSERT_EQ(page->events[1].trigger_count, 2);
    EXPECT_EQ(page->events[1].triggers[0].value[3], 7);
    EXPECT_EQ(page->events[1].triggers[1].value[3], 2);
    EXPECT_TRUE(editing.pasteTrigger(0)) << "a real row: the trigger goes before it";
    EXPECT_EQ(page->events[1].triggers[0].value[3], 2);
    EXPECT_EQ(page->events[1].trigger_count, 3);
    EXPECT_FALSE(editing.pasteTrigger(4)) << "beyond the new-trigger row";
}

TEST_F(EventsEditingTest, TriggerCommandsNeedTheirRowAndRespectTheTenSlots) {
    auto page = pageWith(1);
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_FALSE(editing.pasteTrigger(0)) << "the clipboard was never filled";
    addTrigger(*page, 0, groupDestroyed(1));
    EXPECT_FALSE(editing.copyTrigger(1)) << "the new-trigger row is no trigger";
    EXPECT_FALSE(editing.deleteTrigger(1));
    ASSERT_TRUE(editing.copyTrigger(0));
    for (int n = 1; n < kMaxTriggers; ++n)
        ASSERT_TRUE(editing.pasteTrigger(n));
    EXPECT_EQ(events_TriggerLines(page->events[0]).size(), static_cast<size_t>(kMaxTriggers))
        << "a full event has no new-trigger line";
    EXPECT_FALSE(editing.pasteTrigger(0));
    EXPECT_EQ(page->events[0].trigger_count, kMaxTriggers);
    EXPECT_EQ(editing.triggerSlot(kMaxTriggers), nullptr);
    EXPECT_TRUE(editing.deleteTrigger(9));
    EXPECT_EQ(page->events[0].trigger_count, 9);
}

TEST_F(EventsEditingTest, TheNewTriggerRowBecomesATriggerOnlyWhenItsDialogWasConfirmed) {
    auto page = pageWith(1);
    addTrigger(*page, 0, groupDestroyed(1));
    EventsEditing editing(*page, clipboards);
    editing.open();
    EventTrigger* slot = editing.triggerSlot(1);
    ASSERT_EQ(slot, &page->events[0].triggers[1]);
    editing.triggerConfirmed(0); // an existing trigger: the count stays
    EXPECT_EQ(page->events[0].trigger_count, 1);
    editing.triggerConfirmed(1);
    EXPECT_EQ(page->events[0].trigger_count, 2);
    EventAction* action = editing.actionSlot(0);
    ASSERT_EQ(action, &page->events[0].actions[0]);
    editing.actionConfirmed(0);
    EXPECT_EQ(page->events[0].action_count, 1);
    EXPECT_EQ(editing.actionSlot(2), nullptr);
}

TEST_F(EventsEditingTest, ActionCommandsWorkLikeTriggerCommands) {
    auto page = pageWith(1);
    page->events[0].actions[0] = blueWins();
    page->events[0].action_count = 1;
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_FALSE(editing.copyAction(1));
    ASSERT_TRUE(editing.copyAction(0));
    EXPECT_TRUE(editing.pasteAction(0));
    EXPECT_EQ(page->events[0].action_count, 2);
    EXPECT_TRUE(editing.deleteAction(1));
    EXPECT_FALSE(editing.deleteAction(1));
    EXPECT_EQ(page->events[0].action_count, 1);
}

TEST_F(EventsEditingTest, ListLinesNumberTheEntriesAndJoinTriggersByTheirLogicWords) {
    auto page = pageWith(1);
    EventTrigger first = groupDestroyed(2);
    first.value[0] = kTriggerOr;
    addTrigger(*page, 0, first);
    addTrigger(*page, 0, eventRef(0));
    page->events[0].actions[0] = blueWins();
    page->events[0].action_count = 1;
    EXPECT_EQ(
        events_TriggerLines(page->events[0]),
        (std::vector<std::string>{"(0) group 2 destroyed or", "(1) event 0 happened", "<new trigger>"}));
    EXPECT_EQ(events_ActionLines(page->events[0]),
              (std::vector<std::string>{"(0) blue wins", "<new action>"}));
}

// ---- A damaged page ----

TEST_F(EventsEditingTest, DamagedCountsAreShownWithinTheirSlotsAndNothingIsWrittenBeyond) {
    auto page = pageWith(2);
    page->num_events = 9000;
    page->events[0].trigger_count = 25;
    page->events[0].action_count = -4;
    EXPECT_EQ(events_EventLines(*page).size(), static_cast<size_t>(kMaxEvents));
    EXPECT_EQ(events_TriggerLines(page->events[0]).size(), static_cast<size_t>(kMaxTriggers));
    EXPECT_EQ(events_ActionLines(page->events[0]), std::vector<std::string>{"<new action>"});
    EventsEditing editing(*page, clipboards);
    editing.open();
    EXPECT_EQ(editing.triggerSlot(10), nullptr);
    EXPECT_NE(editing.triggerSlot(9), nullptr);
    editing.actionConfirmed(0);
    EXPECT_EQ(page->events[0].action_count, 1);
    EXPECT_FALSE(editing.chooseEvent(kMaxEvents));

    page->num_events = -3;
    EventsEditing fresh(*page, clipboards);
    fresh.open();
    EXPECT_EQ(page->num_events, 1);
    EXPECT_STREQ(page->events[0].name, "Event #0");
}

} // namespace
