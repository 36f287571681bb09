#include "dialogs/event_action_dialog.h"

#include "dialogs/tab_chain.h"
#include "mission/mission_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const EventSlotControls kActionControls = {
    "EVENT_ACTION",
    kActionTypeLabel,
    "ACTION_TYPE",
    kActionTypeList,
    kActionAiChangeLabel,
    "ACTION_SUBTYPE",
    kActionAiChangeList,
    kActionVariablesGroup,
    "ACTION_VARIABLES",
    kActionFirstVariableLabel,
    kActionFirstVariableList,
};
} // namespace

EventActionDialog::EventActionDialog(QWidget* parent, EventAction& slot, const MissionPage& page,
                                     const StringTable* names, ShellServices& services)
    : EventSlotDialog(parent, kActionControls, services), slot_(slot), page_(page), names_(names) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(takeTypeRows());
    layout->addWidget(variablesGroup());
    layout->addStretch(1);
    layout->addLayout(takeButtonRow());
    dialogs_SetTabChain({combo(kActionTypeList), combo(kActionAiChangeList), combo(kActionFirstVariableList),
                         combo(kActionFirstVariableList + 1), combo(kActionFirstVariableList + 2),
                         combo(kActionFirstVariableList + 3), button(kControlOk), button(kControlCancel)});

    showSlot(slot_.value[kEventTypeValue], slot_.value[kEventSubtypeValue]);
    combo(kActionTypeList)->setFocus();
    setTemplateSize(262, 271);
}

EventSlotView EventActionDialog::viewFor(int32_t type, int32_t aiChange) const {
    return action_View(type, aiChange, slot_, page_, names_);
}

void EventActionDialog::accept() {
    ActionChoice choice;
    choice.type = chosenType();
    choice.ai_change = chosenSubtype();
    choice.variables = chosenVariables();
    action_Store(slot_, choice);
    done(1);
}

DialogResult dialogs_RunEventAction(QWidget* parent, EventAction& slot, const MissionPage& page,
                                    const StringTable* names, ShellServices& services) {
    EventActionDialog dialog(parent, slot, page, names, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
