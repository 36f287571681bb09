#include "dialogs/event_trigger_dialog.h"

#include "dialogs/tab_chain.h"
#include "mission/mission_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const EventSlotControls kTriggerControls = {
    "EVENT_TRIGGER",
    kTriggerTypeLabel,
    "TRIGGER_TYPE",
    kTriggerTypeList,
    kTriggerConditionLabel,
    "TRIGGER_CONDITION",
    kTriggerConditionList,
    kTriggerVariablesGroup,
    "TRIGGER_VARIABLES",
    kTriggerFirstVariableLabel,
    kTriggerFirstVariableList,
};
} // namespace

EventTriggerDialog::EventTriggerDialog(QWidget* parent, EventTrigger& slot, const MissionPage& page,
                                       const StringTable* names, ShellServices& services)
    : EventSlotDialog(parent, kTriggerControls, services), slot_(slot), page_(page), names_(names) {
    auto* ifGroup = add(kTriggerIfGroup, new QGroupBox(dialogText("TRIGGER_IF"), this));
    auto* isTrue = add(kTriggerTrueButton, new QRadioButton(dialogText("TRUE"), ifGroup));
    auto* isFalse = add(kTriggerFalseButton, new QRadioButton(dialogText("FALSE"), ifGroup));
    auto* ifRow = new QHBoxLayout(ifGroup);
    ifRow->addWidget(isTrue);
    ifRow->addWidget(isFalse);
    ifRow->addStretch(1);

    auto* logicGroup = add(kTriggerLogicGroup, new QGroupBox(dialogText("LOGIC"), this));
    auto* isAnd = add(kTriggerAndButton, new QRadioButton(dialogText("AND"), logicGroup));
    auto* isOr = add(kTriggerOrButton, new QRadioButton(dialogText("OR"), logicGroup));
    auto* logicRow = new QHBoxLayout(logicGroup);
    logicRow->addWidget(isAnd);
    logicRow->addWidget(isOr);
    logicRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(takeTypeRows());
    layout->addWidget(ifGroup);
    layout->addWidget(variablesGroup());
    layout->addWidget(logicGroup);
    layout->addStretch(1);
    layout->addLayout(takeButtonRow());
    // Tab order: the type and condition lists, TRUE/FALSE, the variables, AND/OR, OK, Cancel.
    dialogs_SetTabChain({combo(kTriggerTypeList), combo(kTriggerConditionList), isTrue, isFalse,
                         combo(kTriggerFirstVariableList), combo(kTriggerFirstVariableList + 1),
                         combo(kTriggerFirstVariableList + 2), combo(kTriggerFirstVariableList + 3), isAnd,
                         isOr, button(kControlOk), button(kControlCancel)});

    showSlot(slot_.value[kEventTypeValue], slot_.value[kEventSubtypeValue]);
    (trigger_ShowsFalse(slot_) ? isFalse : isTrue)->setChecked(true);
    switch (trigger_ShownLogic(slot_)) {
    case TriggerLogicShown::And:
        isAnd->setChecked(true);
        break;
    case TriggerLogicShown::Or:
        isOr->setChecked(true);
        break;
    case TriggerLogicShown::Neither:
        break;
    }
    // A click (or a key that checks one) is the user's pick; the states set above are not.
    connect(isAnd, &QRadioButton::clicked, this, [this] { logicPicked_ = true; });
    connect(isOr, &QRadioButton::clicked, this, [this] { logicPicked_ = true; });

    combo(kTriggerTypeList)->setFocus();
    setTemplateSize(262, 306);
}

EventSlotView EventTriggerDialog::viewFor(int32_t type, int32_t condition) const {
    return trigger_View(type, condition, slot_, page_, names_);
}

void EventTriggerDialog::accept() {
    TriggerChoice choice;
    choice.type = chosenType();
    choice.condition = chosenSubtype();
    choice.negated = radio(kTriggerFalseButton)->isChecked();
    choice.variables = chosenVariables();
    choice.or_checked = radio(kTriggerOrButton)->isChecked();
    choice.logic_picked = logicPicked_;
    trigger_Store(slot_, choice);
    done(1);
}

DialogResult dialogs_RunEventTrigger(QWidget* parent, EventTrigger& slot, const MissionPage& page,
                                     const StringTable* names, ShellServices& services) {
    EventTriggerDialog dialog(parent, slot, page, names, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
