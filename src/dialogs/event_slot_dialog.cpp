#include "dialogs/event_slot_dialog.h"

#include "dialogs/choice_combo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

EventSlotDialog::EventSlotDialog(QWidget* parent, const EventSlotControls& ids, ShellServices& services)
    : DialogFrame(parent, services), ids_(ids) {
    setWindowTitle(dialogText(ids.title_key));

    auto* typeLabel = add(ids.type_label, new QLabel(dialogText(ids.type_key), this));
    auto* typeList = add(ids.type_list, new QComboBox(this));
    auto* subtypeLabel = add(ids.subtype_label, new QLabel(dialogText(ids.subtype_key), this));
    auto* subtypeList = add(ids.subtype_list, new QComboBox(this));
    typeLabel->setBuddy(typeList);
    subtypeLabel->setBuddy(subtypeList);
    typeRows_ = new QGridLayout;
    typeRows_->addWidget(typeLabel, 0, 0);
    typeRows_->addWidget(typeList, 0, 1);
    typeRows_->addWidget(subtypeLabel, 1, 0);
    typeRows_->addWidget(subtypeList, 1, 1);
    typeRows_->setColumnStretch(1, 1);

    variables_ = add(ids.variables_group, new QGroupBox(dialogText(ids.variables_key), this));
    auto* variableRows = new QGridLayout(variables_);
    variableRows->setColumnStretch(1, 1);
    for (int k = 0; k < kEventVariableSlots; ++k) {
        auto* label = add(ids.first_variable_label + k, new QLabel(variables_));
        auto* list = add(ids.first_variable_list + k, new QComboBox(variables_));
        list->setMaxVisibleItems(20);
        label->setBuddy(list);
        variableRows->addWidget(label, k, 0);
        variableRows->addWidget(list, k, 1);
    }

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK"), this));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL"), this));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons_ = buttons;

    connect(typeList, &QComboBox::currentIndexChanged, this, &EventSlotDialog::typeChosen);
    connect(subtypeList, &QComboBox::currentIndexChanged, this, &EventSlotDialog::subtypeChosen);
    connect(ok, &QPushButton::clicked, this, &EventSlotDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EventSlotDialog::reject);
}

QLayout* EventSlotDialog::takeTypeRows() {
    return typeRows_;
}

QLayout* EventSlotDialog::takeButtonRow() {
    return buttons_;
}

void EventSlotDialog::showSlot(int32_t type, int32_t subtype) {
    present(viewFor(type, subtype), Refill::TypeAndSubtype);
}

void EventSlotDialog::present(const EventSlotView& view, Refill refill) {
    view_ = view;
    if (refill == Refill::TypeAndSubtype)
        dialogs_FillChoices(combo(ids_.type_list), view_.types, view_.type_selected);
    if (refill != Refill::Neither)
        dialogs_FillChoices(combo(ids_.subtype_list), view_.subtypes, view_.subtype_selected);
    combo(ids_.subtype_list)->setEnabled(view_.subtype_enabled);
    for (int k = 0; k < kEventVariableSlots; ++k) {
        const auto slot = static_cast<size_t>(k);
        label(ids_.first_variable_label + k)->setText(fromPageBytes(view_.labels[slot]));
        dialogs_ShowSlotCombo(combo(ids_.first_variable_list + k), view_.variables[slot]);
    }
}

void EventSlotDialog::typeChosen() {
    const int32_t type = chosenType();
    if (type == view_.shownType()) return;
    // The type list keeps what the user chose; the conditions are those of the new type.
    present(viewFor(type, 0), Refill::Subtype);
}

void EventSlotDialog::subtypeChosen() {
    const int32_t subtype = chosenSubtype();
    if (subtype == view_.shownSubtype()) return;
    EventSlotView view = viewFor(view_.shownType(), subtype);
    // The sub-code list keeps what the user chose; only the labels and variables follow it.
    view.subtypes = view_.subtypes;
    view.subtype_selected = combo(ids_.subtype_list)->currentIndex();
    present(view, Refill::Neither);
}

int32_t EventSlotDialog::chosenType() const {
    return combo_SelectedCode(view_.types, combo(ids_.type_list)->currentIndex());
}

int32_t EventSlotDialog::chosenSubtype() const {
    return combo_SelectedCode(view_.subtypes, combo(ids_.subtype_list)->currentIndex());
}

std::array<int32_t, kEventVariableSlots> EventSlotDialog::chosenVariables() const {
    std::array<int32_t, kEventVariableSlots> codes{};
    for (int k = 0; k < kEventVariableSlots; ++k) {
        const auto slot = static_cast<size_t>(k);
        codes[slot] = combo_SelectedCode(view_.variables[slot].entries,
                                         combo(ids_.first_variable_list + k)->currentIndex());
    }
    return codes;
}

void EventSlotDialog::reject() {
    done(0);
}
