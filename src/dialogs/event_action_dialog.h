#pragma once
// The action dialog ("EVENTACTIONS"): edits one action slot of an event. The type and AI-change
// lists offer the dialog's codes only; the AI-change list is enabled for the types that use it.
// OK writes the slot (values 0 and 7 untouched) and closes with 1; Cancel writes nothing.

#include "dialogs/event_slot_dialog.h"

struct EventAction;
struct MissionPage;
struct StringTable;

constexpr int kActionTypeList = 4400;
constexpr int kActionFirstVariableLabel = 4401; // 4401 to 4404
constexpr int kActionFirstVariableList = 4405;  // 4405 to 4408
constexpr int kActionAiChangeList = 4409;
constexpr int kActionTypeLabel = 4410;
constexpr int kActionAiChangeLabel = 4411;
constexpr int kActionVariablesGroup = 4412;

class EventActionDialog : public EventSlotDialog {
    Q_OBJECT
  public:
    EventActionDialog(QWidget* parent, EventAction& slot, const MissionPage& page, const StringTable* names,
                      ShellServices& services);

    void accept() override;

  protected:
    EventSlotView viewFor(int32_t type, int32_t aiChange) const override;

  private:
    EventAction& slot_;
    const MissionPage& page_;
    const StringTable* names_;
};

// Runs the action dialog on `slot`; Accepted when it was confirmed with OK.
DialogResult dialogs_RunEventAction(QWidget* parent, EventAction& slot, const MissionPage& page,
                                    const StringTable* names, ShellServices& services);
