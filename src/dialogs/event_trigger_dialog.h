#pragma once
// The trigger dialog ("EVENTTRIGGERS"): edits one trigger slot of an event. The type and
// group-condition lists offer the dialog's codes only; TRUE/FALSE is bit 0 of value 0 and AND/OR
// the join with the next trigger. A trigger joined by XOR shows neither AND nor OR and stays XOR
// unless the user picks one. OK writes the slot and closes with 1; Cancel writes nothing.

#include "dialogs/event_slot_dialog.h"

struct EventTrigger;
struct MissionPage;
struct StringTable;

constexpr int kTriggerIfGroup = 1195;
constexpr int kTriggerTypeLabel = 1196;
constexpr int kTriggerConditionLabel = 1197;
constexpr int kTriggerVariablesGroup = 1198;
constexpr int kTriggerLogicGroup = 1199;
constexpr int kTriggerTypeList = 4300;
constexpr int kTriggerConditionList = 4301;
constexpr int kTriggerTrueButton = 4302;
constexpr int kTriggerFalseButton = 4303;
constexpr int kTriggerFirstVariableLabel = 4304; // 4304 to 4307
constexpr int kTriggerFirstVariableList = 4308;  // 4308 to 4311
constexpr int kTriggerAndButton = 4312;
constexpr int kTriggerOrButton = 4313;

class EventTriggerDialog : public EventSlotDialog {
    Q_OBJECT
  public:
    // `page` supplies the names of the choice lists; `names` is the second string table (win and
    // lose condition names), may be null.
    EventTriggerDialog(QWidget* parent, EventTrigger& slot, const MissionPage& page, const StringTable* names,
                       ShellServices& services);

    void accept() override;

  protected:
    EventSlotView viewFor(int32_t type, int32_t condition) const override;

  private:
    EventTrigger& slot_;
    const MissionPage& page_;
    const StringTable* names_;
    bool logicPicked_ = false;
};

// Runs the trigger dialog on `slot`; Accepted when it was confirmed with OK.
DialogResult dialogs_RunEventTrigger(QWidget* parent, EventTrigger& slot, const MissionPage& page,
                                     const StringTable* names, ShellServices& services);
