#include "dialogs/events_dialog.h"

#include "dialogs/event_action_dialog.h"
#include "dialogs/event_trigger_dialog.h"
#include "dialogs/tab_chain.h"
#include "editor/file_commands.h"
#include "editor/file_paths.h"
#include "gamedata/string_table.h"
#include "mission/mission_page.h"
#include "shell/shell_services.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr const char* kDialogSection = "Dialog Message";

void fillList(QListWidget* list, const std::vector<std::string>& lines) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& line : lines)
        list->addItem(DialogFrame::fromPageBytes(line));
}

// A list with its Delete, Copy and Paste buttons below it, in a group box.
QGroupBox* commandGroup(QGroupBox* group, QListWidget* list, QPushButton* remove, QPushButton* copy,
                        QPushButton* paste) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(copy);
    buttons->addWidget(paste);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    return group;
}

} // namespace

EventsDialog::EventsDialog(QWidget* parent, MissionPage& page, EventClipboards& clipboards,
                           const StringTable* names, ShellServices& services)
    : DialogFrame(parent, services), page_(page), names_(names), editing_(page, clipboards) {
    setWindowTitle(dialogText("EVENTS"));

    // Left: the events and the event commands.
    auto* events = add(kEventsList, new QListWidget(this));
    auto* deleteEvent = add(kEventsDeleteEvent, new QPushButton(dialogText("DELETE_EVENT"), this));
    auto* copyEvent = add(kEventsCopyEvent, new QPushButton(dialogText("COPY_EVENT"), this));
    auto* pasteEvent = add(kEventsPasteEvent, new QPushButton(dialogText("PASTE_EVENT"), this));
    auto* printEvent = add(kEventsPrintEvent, new QPushButton(dialogText("PRINT_EVENT"), this));
    auto* printAll = add(kEventsPrintAll, new QPushButton(dialogText("PRINT_ALL"), this));

    // Right: the shown event.
    auto* nameLabel = add(kEventsNameLabel, new QLabel(dialogText("NAME"), this));
    auto* name = add(kEventsName, new QLineEdit(this));
    name->setMaxLength(kEventNameMaxChars);
    nameLabel->setBuddy(name);
    auto* delayLabel = add(kEventsDelayLabel, new QLabel(dialogText("DELAY_SEC"), this));
    auto* delay = add(kEventsDelay, new QLineEdit(this));
    delayLabel->setBuddy(delay);
    auto* resetCheck = add(kEventsResetCheck, new QCheckBox(dialogText("RESET_AFTER"), this));
    auto* reset = add(kEventsReset, new QLineEdit(this));

    auto* triggersGroup = add(kEventsTriggersGroup, new QGroupBox(dialogText("IF_TRIGGERS"), this));
    auto* triggers = add(kEventsTriggers, new QListWidget(triggersGroup));
    auto* deleteTrigger = add(kEventsDeleteTrigger, new QPushButton(dialogText("DELETE"), triggersGroup));
    auto* copyTrigger = add(kEventsCopyTrigger, new QPushButton(dialogText("COPY"), triggersGroup));
    auto* pasteTrigger = add(kEventsPasteTrigger, new QPushButton(dialogText("PASTE"), triggersGroup));
    auto* actionsGroup = add(kEventsActionsGroup, new QGroupBox(dialogText("THEN_ACTIONS"), this));
    auto* actions = add(kEventsActions, new QListWidget(actionsGroup));
    auto* deleteAction = add(kEventsDeleteAction, new QPushButton(dialogText("DELETE"), actionsGroup));
    auto* copyAction = add(kEventsCopyAction, new QPushButton(dialogText("COPY"), actionsGroup));
    auto* pasteAction = add(kEventsPasteAction, new QPushButton(dialogText("PASTE"), actionsGroup));
    auto* ok = add(kControlOk, new QPushButton(dialogText("OK"), this));
    ok->setDefault(true);

    auto* eventButtons = new QGridLayout;
    eventButtons->addWidget(deleteEvent, 0, 0);
    eventButtons->addWidget(copyEvent, 0, 1);
    eventButtons->addWidget(pasteEvent, 0, 2);
    eventButtons->addWidget(printEvent, 1, 0);
    eventButtons->addWidget(printAll, 1, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(events, 1);
    left->addLayout(eventButtons);

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(name, 0, 1, 1, 3);
    fields->addWidget(delayLabel, 1, 0);
    fields->addWidget(delay, 1, 1);
    fields->addWidget(resetCheck, 1, 2);
    fields->addWidget(reset, 1, 3);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(commandGroup(triggersGroup, triggers, deleteTrigger, copyTrigger, pasteTrigger), 1);
    right->addWidget(commandGroup(actionsGroup, actions, deleteAction, copyAction, pasteAction), 1);
    right->addWidget(ok, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);
    dialogs_SetTabChain({events, deleteEvent, copyEvent, pasteEvent, printEvent, printAll, name, delay,
                         resetCheck, reset, triggers, deleteTrigger, copyTrigger, pasteTrigger, actions,
                         deleteAction, copyAction, pasteAction, ok});

    connect(events, &QListWidget::itemSelectionChanged, this, &EventsDialog::eventChosen);
    // After the last event was deleted the "NEW_EVENT" line is already selected; a click on it
    // must still add the event, although the selection does not change.
    connect(events, &QListWidget::itemClicked, this, [this, events](QListWidgetItem* item) {
        if (events->row(item) == events_Count(page_)) eventChosen();
    });
    connect(name, &QLineEdit::textChanged, this, &EventsDialog::nameEdited);
    connect(triggers, &QListWidget::itemDoubleClicked, this, &EventsDialog::editTrigger);
    connect(actions, &QListWidget::itemDoubleClicked, this, &EventsDialog::editAction);
    connect(deleteTrigger, &QPushButton::clicked, this, &EventsDialog::deleteTrigger);
    connect(copyTrigger, &QPushButton::clicked, this, &EventsDialog::copyTrigger);
    connect(pasteTrigger, &QPushButton::clicked, this, &EventsDialog::pasteTrigger);
    connect(deleteAction, &QPushButton::clicked, this, &EventsDialog::deleteAction);
    connect(copyAction, &QPushButton::clicked, this, &EventsDialog::copyAction);
    connect(pasteAction, &QPushButton::clicked, this, &EventsDialog::pasteAction);
    connect(deleteEvent, &QPushButton::clicked, this, &EventsDialog::deleteEvent);
    connect(copyEvent, &QPushButton::clicked, this, &EventsDialog::copyEvent);
    connect(pasteEvent, &QPushButton::clicked, this, &EventsDialog::pasteEvent);
    connect(printEvent, &QPushButton::clicked, this, [this] { print(ReportKind::Event); });
    connect(printAll, &QPushButton::clicked, this, [this] { print(ReportKind::EventList); });
    connect(ok, &QPushButton::clicked, this, &EventsDialog::accept);

    editing_.open();
    pasteEvent->setEnabled(clipboards.event_full);
    pasteTrigger->setEnabled(clipboards.trigger_full);
    pasteAction->setEnabled(clipboards.action_full);
    fillEvents();
    showCurrent();
    events->setFocus();
    setTemplateSize(477, 330);
}

// ---- Form, lists and the shown event ----

int EventsDialog::selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

EventForm EventsDialog::form() const {
    EventForm form;
    form.name = toPageBytes(edit(kEventsName)->text());
    form.delay = parseInteger(edit(kEventsDelay)->text());
    form.reset = parseInteger(edit(kEventsReset)->text());
    form.reset_after = check(kEventsResetCheck)->isChecked();
    return form;
}

void EventsDialog::store() {
    editing_.store(form());
}

void EventsDialog::fillEvents() {
    QListWidget* events = list(kEventsList);
    fillList(events, events_EventLines(page_));
    const QSignalBlocker blocker(events);
    events->setCurrentRow(editing_.current());
}

void EventsDialog::showCurrent() {
    const MissionEvent& event = editing_.currentEvent();
    const EventForm shown = events_FormOf(event);
    showing_ = true;
    edit(kEventsDelay)->setText(QString::number(shown.delay));
    edit(kEventsReset)->setText(QString::number(shown.reset));
    check(kEventsResetCheck)->setChecked(shown.reset_after);
    fillList(list(kEventsTriggers), events_TriggerLines(event));
    fillList(list(kEventsActions), events_ActionLines(event));
    edit(kEventsName)->setText(fromPageBytes(shown.name));
    showing_ = false;
}

bool EventsDialog::confirm(const char* question) {
    return services().showMessage(this, TextLookup(kDialogSection, "EVENTS"), question, MsgIcon::Question,
                                  MsgButtons::YesNo) == MsgAnswer::Yes;
}

// ---- Commands ----

void EventsDialog::eventChosen() {
    const int line = selectedRow(list(kEventsList));
    if (line < 0) return; // nothing selected: the shown event stays
    store();
    if (editing_.chooseEvent(line)) fillEvents();
    showCurrent();
}

void EventsDialog::nameEdited() {
    if (showing_ || !editing_.currentIsReal()) return;
    store();
    QListWidgetItem* line = list(kEventsList)->item(editing_.current());
    if (line != nullptr) line->setText(fromPageBytes(events_EventLine(page_, editing_.current())));
}

void EventsDialog::editTrigger() {
    store();
    const int line = selectedRow(list(kEventsTriggers));
    EventTrigger* slot = line >= 0 ? editing_.triggerSlot(line) : nullptr;
    if (slot == nullptr) return;
    if (dialogs_RunEventTrigger(this, *slot, page_, names_, services()) == DialogResult::Accepted)
        editing_.triggerConfirmed(line);
    showCurrent();
}

void EventsDialog::editAction() {
    store();
    const int line = selectedRow(list(kEventsActions));
    EventAction* slot = line >= 0 ? editing_.actionSlot(line) : nullptr;
    if (slot == nullptr) return;
    if (dialogs_RunEventAction(this, *slot, page_, names_, services()) == DialogResult::Accepted)
        editing_.actionConfirmed(line);
    showCurrent();
}

void EventsDialog::deleteTrigger() {
    store();
    const int line = selectedRow(list(kEventsTriggers));
    if (!editing_.isTrigger(line)) return;
    if (confirm(TextLookup(kDialogSection, "DELETE_TRIGGER_?"))) editing_.deleteTrigger(line);
    showCurrent();
}

void EventsDialog::copyTrigger() {
    store();
    if (editing_.copyTrigger(selectedRow(list(kEventsTriggers))))
        button(kEventsPasteTrigger)->setEnabled(true);
}

void EventsDialog::pasteTrigger() {
    store();
    const int line = selectedRow(list(kEventsTriggers));
    if (line < 0) return;
    editing_.pasteTrigger(line);
    showCurrent();
}

void EventsDialog::deleteAction() {
    store();
    const int line = selectedRow(list(kEventsActions));
    if (!editing_.isAction(line)) return;
    if (confirm(TextLookup(kDialogSection, "DELETE_ACTION_?"))) editing_.deleteAction(line);
    showCurrent();
}

void EventsDialog::copyAction() {
    store();
    if (editing_.copyAction(selectedRow(list(kEventsActions)))) button(kEventsPasteAction)->setEnabled(true);
}

void EventsDialog::pasteAction() {
    store();
    const int line = selectedRow(list(kEventsActions));
    if (line < 0) return;
    editing_.pasteAction(line);
    showCurrent();
}

void EventsDialog::deleteEvent() {
    const int line = selectedRow(list(kEventsList));
    if (!editing_.isEvent(line) || !confirm(TextLookup(kDialogSection, "DELETE_EVENT_?"))) return;
    editing_.deleteEvent(line);
    fillEvents();
    showCurrent();
}

void EventsDialog::copyEvent() {
    store();
    if (editing_.copyEvent(selectedRow(list(kEventsList)))) button(kEventsPasteEvent)->setEnabled(true);
}

void EventsDialog::pasteEvent() {
    store();
    const int line = selectedRow(list(kEventsList));
    if (!editing_.isEvent(line) || !editing_.clipboards().event_full) return;
    editing_.pasteEvent(line);
    fillEvents();
    showCurrent();
}

void EventsDialog::print(ReportKind kind) {
    // A selected line is the shown event (the "NEW_EVENT" line after the last event was deleted,
    // which has nothing to print alone).
    const int line = selectedRow(list(kEventsList));
    if (line >= 0) store();
    if (kind == ReportKind::Event && line < 0) return;
    const std::string start = file_ChooserStart(file_StoredPath(page_));
    const FileChooser choose = [this, &start](FileDialogKind dialog, const FileFilter& filter) {
        return services().chooseFile(this, dialog, filter, start);
    };
    WriteReport(choose, page_, kind, line);
}

void EventsDialog::accept() {
    store();
    done(1);
}

void EventsDialog::reject() {
    done(0);
}

DialogResult dialogs_RunEvents(QWidget* parent, MissionPage& page, ShellServices& services,
                               EventClipboards& clipboards, const StringTable* names) {
    EventsDialog dialog(parent, page, clipboards, names, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
