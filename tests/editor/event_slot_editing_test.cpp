// The rules of the trigger and action dialogs: offered codes, what the lists and variable boxes
// show for a type and its sub-code, and what OK writes.
#include "editor/event_slot_editing.h"

#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char* kTexts = "[Triggers]\n"
                               "NULL=None\n"
                               "GROUP=Group\n"
                               "EVENT=Event\n"
                               "SECOND_TIME=Second time\n"
                               "SQUADMATES=Squadmates\n"
                               "ALL_DESTROYED=All destroyed\n"
                               "REACHED_WAYPOINT=Reached waypoint\n"
                               "GROUP1=First group\n"
                               "WAYPOINT_LIST=Waypoint list\n"
                               "WAYPOINT_NUMBER=Waypoint number\n"
                               "CHANGE_GROUP_AI=Change AI\n"
                               "GUARDER=Guard\n"
                               "GUARD_BIT=Guard on\n";

std::vector<int32_t> codes(const ChoiceEntries& entries) {
    std::vector<int32_t> result;
    for (const ChoiceEntry& entry : entries)
        result.push_back(entry.code);
    return result;
}

class EventSlotEditingTest : public ::testing::Test {
  protected:
    void SetUp() override { test_InstallTexts(kTexts); }
    std::unique_ptr<MissionPage> page = std::make_unique<MissionPage>();
};

EventTrigger trigger(int32_t flags, int32_t type, int32_t condition, int32_t v3 = 0, int32_t v4 = 0,
                     int32_t v5 = 0) {
    EventTrigger slot{};
    slot.value[0] = flags;
    slot.value[1] = type;
    slot.value[2] = condition;
    slot.value[3] = v3;
    slot.value[4] = v4;
    slot.value[5] = v5;
    slot.value[7] = 77;
    return slot;
}

// ---- Triggers ----

TEST_F(EventSlotEditingTest, TypeListOffersItsCodesWithTheirNames) {
    const ChoiceEntries types = trigger_TypeEntries();
    EXPECT_EQ(codes(types), event_OfferedTriggerTypes());
    EXPECT_EQ(types.at(1).text, "Group");
    EXPECT_EQ(codes(trigger_ConditionEntries(1)), event_OfferedGroupConditions(1));
    EXPECT_EQ(trigger_ConditionEntries(1).at(3).text, "All destroyed");
    EXPECT_EQ(codes(trigger_ConditionEntries(2)), std::vector<int32_t>{0});
}

TEST_F(EventSlotEditingTest, AGroupTriggerSelectsItsCodesAndItsVariables) {
    const EventTrigger slot = trigger(0, 1, 7, 2, 5, 3);
    const EventSlotView view = trigger_View(1, 7, slot, *page, nullptr);
    EXPECT_EQ(view.shownType(), 1);
    EXPECT_EQ(view.shownSubtype(), 7);
    EXPECT_TRUE(view.subtype_enabled);
    EXPECT_EQ(view.labels[0], "First group");
    EXPECT_EQ(view.labels[2], "Waypoint number");
    EXPECT_EQ(view.labels[3], "None");
    EXPECT_EQ(combo_SelectedCode(view.variables[0].entries, view.variables[0].selected), 2);
    EXPECT_EQ(combo_SelectedCode(view.variables[1].entries, view.variables[1].selected), 5);
    EXPECT_EQ(combo_SelectedCode(view.variables[2].entries, view.variables[2].selected), 3);
    EXPECT_FALSE(view.variables[3].enabled);
}

TEST_F(EventSlotEditingTest, AStoredTypeThatIsNotOfferedShowsTheFirstOfferedTypeAndItsVariables) {
    const EventTrigger slot = trigger(0, 3, 0, 12); // a campaign-variable trigger
    const EventSlotView view = trigger_View(3, 0, slot, *page, nullptr);
    EXPECT_EQ(view.type_selected, 0);
    EXPECT_EQ(view.types.at(0).text, "None");
    EXPECT_EQ(view.shownType(), 0);
    EXPECT_EQ(codes(view.subtypes), std::vector<int32_t>{0});
    EXPECT_FALSE(view.subtype_enabled);
    for (const SlotCombo& box : view.variables)
        EXPECT_FALSE(box.enabled) << "the variables of a type that is not shown are not offered";
}

TEST_F(EventSlotEditingTest, AGroupConditionThatIsNotOfferedShowsAsTheFirstCondition) {
    const EventTrigger slot = trigger(0, 1, 8, 4, 9); // finishes waypoint list: not offered
    const EventSlotView view = trigger_View(1, 8, slot, *page, nullptr);
    EXPECT_EQ(view.shownSubtype(), 0);
    EXPECT_TRUE(view.subtype_enabled);
    EXPECT_FALSE(view.variables[0].enabled);
}

TEST_F(EventSlotEditingTest, AChangeOfTypeShowsConditionZeroAndSelectsTheStoredValuesByCode) {
    const EventTrigger slot = trigger(0, 2, 0, 6); // waits for event 6
    const EventSlotView view = trigger_View(1, 0, slot, *page, nullptr);
    EXPECT_EQ(view.shownSubtype(), 0);
    EXPECT_TRUE(view.subtype_enabled);
    const EventSlotView back = trigger_View(2, 0, slot, *page, nullptr);
    EXPECT_FALSE(back.subtype_enabled);
    ASSERT_TRUE(back.variables[0].enabled);
    EXPECT_EQ(back.variables[0].entries.size(), static_cast<size_t>(kMaxEvents));
    EXPECT_EQ(back.variables[0].selected, 6);
}

TEST_F(EventSlotEditingTest, TheLogicButtonsShowOrAndOrNeitherForXor) {
    EXPECT_EQ(trigger_ShownLogic(trigger(0, 0, 0)), TriggerLogicShown::And);
    EXPECT_EQ(trigger_ShownLogic(trigger(kTriggerOr, 0, 0)), TriggerLogicShown::Or);
    EXPECT_EQ(trigger_ShownLogic(trigger(kTriggerOr | kTriggerXor, 0, 0)), TriggerLogicShown::Or);
    EXPECT_EQ(trigger_ShownLogic(trigger(kTriggerXor, 0, 0)), TriggerLogicShown::Neither);
    EXPECT_TRUE(trigger_ShowsFalse(trigger(kTriggerNegate, 0, 0)));
    EXPECT_FALSE(trigger_ShowsFalse(trigger(kTriggerOr, 0, 0)));
}

TEST_F(EventSlotEditingTest, OkKeepsXorWhenNeitherAndNorOrWasPicked) {
    EventTrigger slot = trigger(kTriggerXor | 0x40, 1, 4, 2);
    TriggerChoice choice;
    choice.type = 1;
    choice.condition = 4;
    choice.variables = {2, -1, -1, -1};
    trigger_Store(slot, choice);
    EXPECT_EQ(slot.value[0], kTriggerXor | 0x40);

    choice.logic_picked = true; // AND clicked
    trigger_Store(slot, choice);
    EXPECT_EQ(slot.value[0], 0x40);
}

TEST_F(EventSlotEditingTest, OkWritesTypeConditionFlagsAndVariablesAndLeavesValueSeven) {
    EventTrigger slot = trigger(kTriggerOr | kTriggerXor, 3, 0, 12);
    TriggerChoice choice;
    choice.type = 1;
    choice.condition = 7;
    choice.negated = true;
    choice.or_checked = true;
    choice.variables = {2, 5, 3, -1};
    trigger_Store(slot, choice);
    EXPECT_EQ(slot.value[0], kTriggerNegate | kTriggerOr) << "XOR under OR is not kept";
    EXPECT_EQ(slot.value[1], 1);
    EXPECT_EQ(slot.value[2], 7);
    EXPECT_EQ(slot.value[3], 2);
    EXPECT_EQ(slot.value[5], 3);
    EXPECT_EQ(slot.value[6], -1);
    EXPECT_EQ(slot.value[7], 77);
}

// ---- Actions ----

TEST_F(EventSlotEditingTest, TheAiChangeListIsOfferedAndEnabledForChangeGroupAiOnly) {
    EventAction slot{};
    slot.value[1] = 3;
    slot.value[2] = 2;
    slot.value[3] = 5;
    slot.value[4] = 1;
    const EventSlotView view = action_View(3, 2, slot, *page, nullptr);
    EXPECT_EQ(codes(view.types), event_OfferedActionTypes());
    EXPECT_EQ(codes(view.subtypes), event_OfferedAiChanges(3));
    EXPECT_TRUE(view.subtype_enabled);
    EXPECT_EQ(view.labels[1], "Guard on");
    EXPECT_EQ(combo_SelectedCode(view.variables[1].entries, view.variables[1].selected), 1);

    const EventSlotView other = action_View(2, 0, slot, *page, nullptr);
    EXPECT_EQ(codes(other.subtypes), std::vector<int32_t>{0});
    EXPECT_FALSE(other.subtype_enabled);

    const EventSlotView notOffered = action_View(12, 2, slot, *page, nullptr); // area AI change
    EXPECT_EQ(notOffered.shownType(), 0);
    EXPECT_FALSE(notOffered.subtype_enabled);
    EXPECT_FALSE(notOffered.variables[0].enabled);
}

TEST_F(EventSlotEditingTest, ActionOkLeavesValuesZeroAndSeven) {
    EventAction slot{};
    slot.value[0] = 11;
    slot.value[7] = 22;
    ActionChoice choice;
    choice.type = 3;
    choice.ai_change = 14;
    choice.variables = {4, 1, -1, -1};
    action_Store(slot, choice);
    EXPECT_EQ(slot.value[0], 11);
    EXPECT_EQ(slot.value[1], 3);
    EXPECT_EQ(slot.value[2], 14);
    EXPECT_EQ(slot.value[4], 1);
    EXPECT_EQ(slot.value[6], -1);
    EXPECT_EQ(slot.value[7], 22);
}

} // namespace
