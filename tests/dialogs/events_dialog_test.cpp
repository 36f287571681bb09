// The events dialog with its trigger and action dialogs, driven through their control ids: the
// events list and its "NEW_EVENT" line, the shown event's controls, the commands on triggers,
// actions and events with their questions and clipboards, printing, OK and Escape, and a page
// whose counts and codes are damaged.

#include "event_dialog_driving.h"
#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/event_action_dialog.h"
#include "dialogs/event_trigger_dialog.h"
#include "dialogs/events_dialog.h"
#include "editor/command_ids.h"
#include "mission/event_catalogue.h"
#include "mission/page_ops.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

QStringList lines(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

int selectedRow(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

QString text(const char* section, const char* key) {
    return QString::fromLatin1(TextLookup(section, key));
}

QString line(int number, const std::string& sentence) {
    return QStringLiteral("(%1) ").arg(number) + QString::fromLatin1(sentence.c_str());
}

} // namespace

class EventsDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }

    void init() {
        page = std::make_unique<MissionPage>();
        clipboards = EventClipboards{};
        fixture.services.messages.clear();
        fixture.services.messageAnswers.clear();
        fixture.services.fileAnswers.clear();
        fixture.services.fileRequests.clear();
    }

    // ---- Opening and the events list ----

    void openingWithoutEventsCreatesEventZeroNamedByTheEventNumFormat() {
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QCOMPARE(page->num_events, 1);
        const QString name = QString::asprintf(TextLookup("Triggers", "EVENT_NUM"), 0);
        QCOMPARE(QString::fromLatin1(page->events[0].name), name);
        QListWidget* events = dialog.list(kEventsList);
        QCOMPARE(lines(events), (QStringList{"(0) " + name, text("Triggers", "NEW_EVENT")}));
        QCOMPARE(selectedRow(events), 0);
        QCOMPARE(dialog.edit(kEventsName)->text(), name);
        QCOMPARE(dialog.edit(kEventsDelay)->text(), QStringLiteral("0"));
        QCOMPARE(lines(dialog.list(kEventsTriggers)), QStringList{text("Triggers", "NEW_TRIGGER")});
        QCOMPARE(lines(dialog.list(kEventsActions)), QStringList{text("Triggers", "NEW_ACTION")});
        QVERIFY(!dialog.button(kEventsPasteEvent)->isEnabled());
        QVERIFY(!dialog.button(kEventsPasteTrigger)->isEnabled());
        QVERIFY(!dialog.button(kEventsPasteAction)->isEnabled());
        QCOMPARE(dialog.windowTitle(), text("Dialog Message", "EVENTS"));
    }

    void selectingTheNewEventLineAppendsAnEventAndShowsIt() {
        addEvents(1);
        page->events[0].delay_value = 7;
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* events = dialog.list(kEventsList);
        events->setCurrentRow(1);
        QCOMPARE(page->num_events, 2);
        const QString name = QString::asprintf(TextLookup("Triggers", "EVENT_NUM"), 1);
        QCOMPARE(lines(events), (QStringList{"(0) E0", "(1) " + name, text("Triggers", "NEW_EVENT")}));
        QCOMPARE(selectedRow(events), 1);
        QCOMPARE(dialog.editing().current(), 1);
        QCOMPARE(dialog.edit(kEventsName)->text(), name);
        QCOMPARE(dialog.edit(kEventsDelay)->text(), QStringLiteral("0"));
        QVERIFY(!dialog.check(kEventsResetCheck)->isChecked());
    }

    void switchingEventsStoresTheShownOneThroughTheDecimalConversion() {
        addEvents(2);
        page->events[0].attrib = 0x6; // pre- and post-mission, which have no control
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        dialog.edit(kEventsDelay)->setText(QStringLiteral("  -12s"));
        dialog.edit(kEventsReset)->setText(QStringLiteral("soon"));
        dialog.check(kEventsResetCheck)->setChecked(true);
        dialog.list(kEventsList)->setCurrentRow(1);
        QCOMPARE(page->events[0].delay_value, -12);
        QCOMPARE(page->events[0].reset_value, 0);
        QCOMPARE(page->events[0].attrib, 0x7);
        dialog.edit(kEventsDelay)->setText(QStringLiteral("99999999999"));
        dialog.list(kEventsList)->setCurrentRow(0);
        QCOMPARE(page->events[1].delay_value, INT32_MAX);
        QCOMPARE(dialog.edit(kEventsDelay)->text(), QStringLiteral("-12"));
        QCOMPARE(dialog.edit(kEventsReset)->text(), QStringLiteral("0"));
        QVERIFY(dialog.check(kEventsResetCheck)->isChecked());
    }

    void theNameLineFollowsEachKeystroke() {
        addEvents(2);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
        dialog.list(kEventsList)->setCurrentRow(1);
        QLineEdit* name = dialog.edit(kEventsName);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_End);
        QString expected = QStringLiteral("E1");
        for (QChar c : QStringLiteral(" go")) {
            QTest::keyClick(name, c.toLatin1());
            expected += c;
            QCOMPARE(QString::fromLatin1(page->events[1].name), expected);
            QCOMPARE(dialog.list(kEventsList)->item(1)->text(), "(1) " + expected);
            QCOMPARE(selectedRow(dialog.list(kEventsList)), 1);
        }
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(dialog.list(kEventsList)->item(1)->text(), QStringLiteral("(1) E1 g"));
        QCOMPARE(dialog.list(kEventsList)->item(0)->text(), QStringLiteral("(0) E0"));
    }

    void aFullPageHasNoNewEventLine() {
        addEvents(kMaxEvents);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* events = dialog.list(kEventsList);
        QCOMPARE(events->count(), kMaxEvents);
        QCOMPARE(events->item(kMaxEvents - 1)->text(), QStringLiteral("(255) E255"));
        events->setCurrentRow(kMaxEvents - 1);
        QCOMPARE(page->num_events, kMaxEvents);
        QCOMPARE(dialog.editing().current(), kMaxEvents - 1);
    }

    // ---- The trigger and action dialogs from the lists ----

    void newTriggerWithCancelAddsNothingAndWithOkAppendsTheTrigger() {
        addEvents(1);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
        QListWidget* triggers = dialog.list(kEventsTriggers);

        bool opened = false;
        whenModal<EventTriggerDialog>([&opened](EventTriggerDialog& trigger) {
            opened = true;
            chooseCode(trigger.combo(kTriggerTypeList), 1);
            trigger.button(kControlCancel)->click();
        });
        doubleClickRow(triggers, 0);
        QVERIFY(opened);
        QCOMPARE(page->events[0].trigger_count, 0);
        QCOMPARE(page->events[0].triggers[0].value[1], 0);
        QCOMPARE(lines(triggers), QStringList{text("Triggers", "NEW_TRIGGER")});

        whenModal<EventTriggerDialog>([](EventTriggerDialog& trigger) {
            chooseCode(trigger.combo(kTriggerTypeList), 1);
            QVERIFY(trigger.combo(kTriggerConditionList)->isEnabled());
            chooseCode(trigger.combo(kTriggerConditionList), 4);
            QVERIFY(trigger.combo(kTriggerFirstVariableList)->isEnabled());
            QVERIFY(!trigger.combo(kTriggerFirstVariableList + 1)->isEnabled());
            chooseCode(trigger.combo(kTriggerFirstVariableList), 2);
            trigger.button(kControlOk)->click();
        });
        doubleClickRow(triggers, 0);
        QCOMPARE(page->events[0].trigger_count, 1);
        const EventTrigger expected = makeTrigger(0, 1, 4, 2);
        QCOMPARE(std::memcmp(&page->events[0].triggers[0], &expected, sizeof expected), 0);
        QCOMPARE(lines(triggers),
                 (QStringList{line(0, event_TriggerText(expected, true)), text("Triggers", "NEW_TRIGGER")}));
    }

    void newActionWithOkAppendsTheAction() {
        addEvents(1);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
        whenModal<EventActionDialog>([](EventActionDialog& action) {
            QVERIFY(!action.combo(kActionAiChangeList)->isEnabled());
            chooseCode(action.combo(kActionTypeList), 3); // change group AI
            QVERIFY(action.combo(kActionAiChangeList)->isEnabled());
            chooseCode(action.combo(kActionAiChangeList), 2); // guard
            chooseCode(action.combo(kActionFirstVariableList), 5);
            chooseCode(action.combo(kActionFirstVariableList + 1), 1);
            action.button(kControlOk)->click();
        });
        doubleClickRow(dialog.list(kEventsActions), 0);
        QCOMPARE(page->events[0].action_count, 1);
        const EventAction expected = makeAction(3, 2, 5, 1);
        QCOMPARE(std::memcmp(&page->events[0].actions[0], &expected, sizeof expected), 0);
        QCOMPARE(dialog.list(kEventsActions)->item(0)->text(), line(0, event_ActionText(expected)));
    }

    void aTriggerJoinedByXorKeepsItUnlessAndOrOrIsPicked() {
        EventTrigger slot = makeTrigger(kTriggerXor, 1, 4, 2);
        {
            EventTriggerDialog trigger(nullptr, slot, *page, nullptr, fixture.services);
            QVERIFY(!trigger.radio(kTriggerAndButton)->isChecked());
            QVERIFY(!trigger.radio(kTriggerOrButton)->isChecked());
            QVERIFY(trigger.radio(kTriggerTrueButton)->isChecked());
            trigger.button(kControlOk)->click();
            QCOMPARE(trigger.result(), 1);
        }
        QCOMPARE(slot.value[0], kTriggerXor);
        {
            EventTriggerDialog trigger(nullptr, slot, *page, nullptr, fixture.services);
            QVERIFY(QTest::qWaitForWindowExposed(showDialog(trigger)));
            QTest::mouseClick(trigger.radio(kTriggerAndButton), Qt::LeftButton);
            QTest::mouseClick(trigger.radio(kTriggerFalseButton), Qt::LeftButton);
            trigger.button(kControlOk)->click();
        }
        QCOMPARE(slot.value[0], kTriggerNegate);
    }

    void aStoredTypeThatIsNotOfferedOpensAsNullAndOkStoresTypeZero() {
        EventTrigger slot = makeTrigger(0, 3, 0, 12); // campaign variable 12
        slot.value[7] = 99;
        EventTriggerDialog trigger(nullptr, slot, *page, nullptr, fixture.services);
        QComboBox* types = trigger.combo(kTriggerTypeList);
        QCOMPARE(types->currentIndex(), 0);
        QCOMPARE(types->currentText(), text("Triggers", "NULL"));
        QCOMPARE(types->count(), static_cast<int>(event_OfferedTriggerTypes().size()));
        QCOMPARE(types->findData(3), -1);
        QVERIFY(!trigger.combo(kTriggerConditionList)->isEnabled());
        for (int k = 0; k < kEventVariableSlots; ++k)
            QVERIFY(!trigger.combo(kTriggerFirstVariableList + k)->isEnabled());
        trigger.button(kControlOk)->click();
        const EventTrigger expected = [] {
            EventTrigger t = makeTrigger(0, 0, 0, -1);
            t.value[7] = 99;
            return t;
        }();
        QCOMPARE(std::memcmp(&slot, &expected, sizeof slot), 0);
    }

    void aChangeOfTypeResetsTheConditionAndOffersTheNewTypesVariables() {
        addEvents(8);
        EventTrigger slot = makeTrigger(0, 1, 7, 2, 5); // group 2 reached waypoint list 5
        EventTriggerDialog trigger(nullptr, slot, *page, nullptr, fixture.services);
        QCOMPARE(trigger.combo(kTriggerConditionList)->currentData().toInt(), 7);
        QCOMPARE(trigger.label(kTriggerFirstVariableLabel + 2)->text(), text("Triggers", "WAYPOINT_NUMBER"));
        chooseCode(trigger.combo(kTriggerTypeList), 2); // waits for an event
        QCOMPARE(trigger.combo(kTriggerConditionList)->count(), 1);
        QVERIFY(!trigger.combo(kTriggerConditionList)->isEnabled());
        QCOMPARE(trigger.label(kTriggerFirstVariableLabel)->text(), text("Triggers", "EVENT_NUMBER_STRING"));
        QComboBox* events = trigger.combo(kTriggerFirstVariableList);
        QCOMPARE(events->count(), kMaxEvents);
        QCOMPARE(events->currentData().toInt(), 2); // the stored value 2 selects by code
        QCOMPARE(events->itemText(2), QStringLiteral("(2) E2"));
        chooseCode(events, 6);
        chooseCode(trigger.combo(kTriggerTypeList), 1);
        QCOMPARE(trigger.combo(kTriggerConditionList)->currentData().toInt(), 0);
        QVERIFY(trigger.combo(kTriggerConditionList)->isEnabled());
        chooseCode(trigger.combo(kTriggerTypeList), 2);
        trigger.button(kControlOk)->click();
        const EventTrigger expected = makeTrigger(0, 2, 0, 2);
        QCOMPARE(std::memcmp(&slot, &expected, sizeof slot), 0); // refilled lists select the stored values
    }

    void cancelAndEscapeOfTheSlotDialogsWriteNothing() {
        EventAction slot = makeAction(8, 0, 0, 0);
        const EventAction before = slot;
        EventActionDialog action(nullptr, slot, *page, nullptr, fixture.services);
        QVERIFY(QTest::qWaitForWindowExposed(showDialog(action)));
        chooseCode(action.combo(kActionTypeList), 2);
        QTest::keyClick(&action, Qt::Key_Escape);
        QCOMPARE(action.result(), 0);
        QVERIFY(!action.isVisible());
        QCOMPARE(std::memcmp(&slot, &before, sizeof slot), 0);
    }

    // ---- Trigger and action commands ----

    void aCopiedTriggerIsPastedOnTheNewTriggerLineOfAnotherEvent() {
        addEvents(2);
        const EventTrigger trigger = makeTrigger(0, 1, 4, 2);
        event_InsertTrigger(*page, 0, 0, trigger);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* triggers = dialog.list(kEventsTriggers);
        dialog.button(kEventsCopyTrigger)->click(); // nothing selected: nothing copied
        QVERIFY(!clipboards.trigger_full);
        triggers->setCurrentRow(0);
        dialog.button(kEventsCopyTrigger)->click();
        QVERIFY(clipboards.trigger_full);
        QVERIFY(dialog.button(kEventsPasteTrigger)->isEnabled());
        dialog.list(kEventsList)->setCurrentRow(1);
        QCOMPARE(lines(triggers), QStringList{text("Triggers", "NEW_TRIGGER")});
        triggers->setCurrentRow(0);
        dialog.button(kEventsPasteTrigger)->click();
        QCOMPARE(page->events[1].trigger_count, 1);
        QCOMPARE(std::memcmp(&page->events[1].triggers[0], &trigger, sizeof trigger), 0);
        QCOMPARE(triggers->item(0)->text(), line(0, event_TriggerText(trigger, true)));
    }

    void deletingATriggerAsksAndNoKeepsIt() {
        addEvents(1);
        event_InsertTrigger(*page, 0, 0, makeTrigger(0, 4, 0, -1));
        event_InsertTrigger(*page, 0, 1, makeTrigger(0, 5, 0, -1));
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* triggers = dialog.list(kEventsTriggers);
        triggers->setCurrentRow(2); // the new-trigger line: nothing to delete, nothing asked
        dialog.button(kEventsDeleteTrigger)->click();
        QVERIFY(fixture.services.messages.empty());
        triggers->setCurrentRow(0);
        fixture.services.messageAnswers = {MsgAnswer::No};
        dialog.button(kEventsDeleteTrigger)->click();
        QCOMPARE(page->events[0].trigger_count, 2);
        QCOMPARE(fixture.services.messages.size(), size_t{1});
        const ScriptedShellServices::Message& asked = fixture.services.messages.front();
        QCOMPARE(QString::fromStdString(asked.caption), text("Dialog Message", "EVENTS"));
        QCOMPARE(QString::fromStdString(asked.text), text("Dialog Message", "DELETE_TRIGGER_?"));
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        QCOMPARE(asked.icon, MsgIcon::Question);
        triggers->setCurrentRow(0);
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        dialog.button(kEventsDeleteTrigger)->click();
        QCOMPARE(page->events[0].trigger_count, 1);
        QCOMPARE(page->events[0].triggers[0].value[1], 5);
    }

    void actionCommandsCopyPasteAndDelete() {
        addEvents(1);
        event_InsertAction(*page, 0, 0, makeAction(8, 0, -1));
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* actions = dialog.list(kEventsActions);
        actions->setCurrentRow(0);
        dialog.button(kEventsCopyAction)->click();
        QVERIFY(clipboards.action_full);
        actions->setCurrentRow(1);
        dialog.button(kEventsPasteAction)->click();
        QCOMPARE(page->events[0].action_count, 2);
        actions->setCurrentRow(1);
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        dialog.button(kEventsDeleteAction)->click();
        QCOMPARE(page->events[0].action_count, 1);
        QCOMPARE(QString::fromStdString(fixture.services.messages.at(0).text),
                 text("Dialog Message", "DELETE_ACTION_?"));
    }

    // ---- Event commands ----

    void deletingTheLastEventLeavesTheNewEventLineAndAFormOfNoEvent() {
        addEvents(3);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* events = dialog.list(kEventsList);
        events->setCurrentRow(2);
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        dialog.button(kEventsDeleteEvent)->click();
        QCOMPARE(QString::fromStdString(fixture.services.messages.at(0).text),
                 text("Dialog Message", "DELETE_EVENT_?"));
        QCOMPARE(page->num_events, 2);
        QCOMPARE(lines(events), (QStringList{"(0) E0", "(1) E1", text("Triggers", "NEW_EVENT")}));
        QCOMPARE(selectedRow(events), 2);
        QCOMPARE(dialog.edit(kEventsName)->text(), QString());
        // The form belongs to no event: what is typed there goes nowhere.
        dialog.edit(kEventsName)->setText(QStringLiteral("Ghost"));
        dialog.edit(kEventsDelay)->setText(QStringLiteral("5"));
        dialog.button(kEventsCopyEvent)->click();
        QCOMPARE(page->num_events, 2);
        QCOMPARE(page->events[2].name[0], '\0');
        QCOMPARE(page->events[2].delay_value, 0);
        QCOMPARE(events->item(2)->text(), text("Triggers", "NEW_EVENT"));
        QVERIFY(!clipboards.event_full);
        // No trigger can be added to it either.
        auto opened = std::make_shared<bool>(false);
        whenModal<EventTriggerDialog>(
            [opened](EventTriggerDialog& trigger) {
                *opened = true;
                trigger.button(kControlOk)->click();
            },
            3);
        QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
        doubleClickRow(dialog.list(kEventsTriggers), 0);
        QTest::qWait(100); // longer than the answer looks for the dialog
        QVERIFY(!*opened);
        QCOMPARE(page->events[2].trigger_count, 0);

        // A click on the selected "NEW_EVENT" line adds the event.
        QTest::mouseClick(events->viewport(), Qt::LeftButton, {},
                          events->visualItemRect(events->item(2)).center());
        QCOMPARE(page->num_events, 3);
        QCOMPARE(selectedRow(events), 2);
        QCOMPARE(dialog.edit(kEventsName)->text(), QString::asprintf(TextLookup("Triggers", "EVENT_NUM"), 2));
        QCOMPARE(events->item(3)->text(), text("Triggers", "NEW_EVENT"));
    }

    void deletingTheOnlyEventLeavesOneFreshEventZero() {
        addEvents(1);
        page->events[0].delay_value = 9;
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        dialog.button(kEventsDeleteEvent)->click();
        QCOMPARE(page->num_events, 1);
        const QString name = QString::asprintf(TextLookup("Triggers", "EVENT_NUM"), 0);
        QCOMPARE(QString::fromLatin1(page->events[0].name), name);
        QCOMPARE(page->events[0].delay_value, 0);
        QCOMPARE(lines(dialog.list(kEventsList)),
                 (QStringList{"(0) " + name, text("Triggers", "NEW_EVENT")}));
        QCOMPARE(selectedRow(dialog.list(kEventsList)), 0);
        QCOMPARE(dialog.edit(kEventsDelay)->text(), QStringLiteral("0"));
    }

    void answeringNoKeepsTheEvent() {
        addEvents(2);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        fixture.services.messageAnswers = {MsgAnswer::No};
        dialog.button(kEventsDeleteEvent)->click();
        QCOMPARE(page->num_events, 2);
        QCOMPARE(dialog.list(kEventsList)->count(), 3);
    }

    void anEditedDelayIsCarriedByTheCopiedEvent() {
        addEvents(2);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        dialog.edit(kEventsDelay)->setText(QStringLiteral("45"));
        dialog.button(kEventsCopyEvent)->click();
        QVERIFY(clipboards.event_full);
        QCOMPARE(clipboards.event.delay_value, 45);
        QCOMPARE(page->events[0].delay_value, 45);
        QVERIFY(dialog.button(kEventsPasteEvent)->isEnabled());
    }

    void pastingAnEventRenumbersReferencesAndShowsThePastedCopy() {
        addEvents(3);
        event_InsertTrigger(*page, 2, 0, makeTrigger(0, 2, 0, 1)); // E2 waits for E1
        event_InsertTrigger(*page, 0, 0, makeTrigger(0, 2, 0, 2)); // E0 waits for E2
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QListWidget* events = dialog.list(kEventsList);
        events->setCurrentRow(2);
        dialog.button(kEventsCopyEvent)->click();
        events->setCurrentRow(1);
        dialog.button(kEventsPasteEvent)->click();
        QCOMPARE(page->num_events, 4);
        QCOMPARE(lines(events),
                 (QStringList{"(0) E0", "(1) E2", "(2) E1", "(3) E2", text("Triggers", "NEW_EVENT")}));
        QCOMPARE(selectedRow(events), 1);
        QCOMPARE(dialog.edit(kEventsName)->text(), QStringLiteral("E2"));
        QCOMPARE(page->events[1].triggers[0].value[3], 2); // the copy waits for E1, now event 2
        QCOMPARE(page->events[3].triggers[0].value[3], 2);
        QCOMPARE(page->events[0].triggers[0].value[3], 3);
        QCOMPARE(dialog.list(kEventsTriggers)->item(0)->text(),
                 line(0, event_TriggerText(page->events[1].triggers[0], true)));
    }

    void theClipboardsOutliveTheDialogAndFillThePasteButtonsOfTheNext() {
        addEvents(1);
        event_InsertTrigger(*page, 0, 0, makeTrigger(0, 4, 0, -1));
        {
            EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
            dialog.list(kEventsTriggers)->setCurrentRow(0);
            dialog.button(kEventsCopyTrigger)->click();
            dialog.button(kEventsCopyEvent)->click();
        }
        auto other = std::make_unique<MissionPage>();
        EventsDialog dialog(nullptr, *other, clipboards, nullptr, fixture.services);
        QVERIFY(dialog.button(kEventsPasteEvent)->isEnabled());
        QVERIFY(dialog.button(kEventsPasteTrigger)->isEnabled());
        QVERIFY(!dialog.button(kEventsPasteAction)->isEnabled());
        dialog.button(kEventsPasteEvent)->click();
        QCOMPARE(other->num_events, 2);
        QCOMPARE(QString::fromLatin1(other->events[0].name), QStringLiteral("E0"));
    }

    // ---- Printing ----

    void printEventAndPrintAllWriteTheReportsToTheChosenFile() {
        QTemporaryDir dir;
        addEvents(2);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        dialog.list(kEventsList)->setCurrentRow(1);
        dialog.edit(kEventsDelay)->setText(QStringLiteral("30"));
        const QString one = dir.filePath(QStringLiteral("one.txt"));
        fixture.services.fileAnswers = {one.toStdString()};
        dialog.button(kEventsPrintEvent)->click();
        QCOMPARE(fixture.services.fileRequests.size(), size_t{1});
        QCOMPARE(fixture.services.fileRequests[0].kind, FileDialogKind::Save);
        QCOMPARE(QString::fromStdString(fixture.services.fileRequests[0].filter.pattern),
                 text("File I/O", "TEXT_FILE_FILTER_EXT"));
        const QString report = readFile(one);
        QVERIFY(report.contains(QString::asprintf(TextLookup("Write Event", "EVENT_NUMBER"), 1, "E1")));
        QVERIFY2(report.contains(QString::asprintf(TextLookup("Write Event", "DELAY_EVENT"), 30)),
                 "the shown event is stored before it is printed");
        QVERIFY(!report.contains(QStringLiteral("E0")));

        const QString all = dir.filePath(QStringLiteral("all.txt"));
        fixture.services.fileAnswers = {all.toStdString()};
        dialog.button(kEventsPrintAll)->click();
        QVERIFY(readFile(all).contains(QStringLiteral("E0")));
        QVERIFY(readFile(all).contains(QStringLiteral("E1")));

        fixture.services.fileAnswers.clear(); // the chooser is cancelled
        dialog.button(kEventsPrintAll)->click();
        QCOMPARE(fixture.services.fileRequests.size(), size_t{3});
    }

    // ---- OK, Escape, keys ----

    void okStoresTheShownEventAndEscapeLeavesItsControlsUnstored() {
        addEvents(1);
        {
            EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
            QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
            dialog.edit(kEventsDelay)->setText(QStringLiteral("8"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QCOMPARE(dialog.result(), 0);
            QVERIFY(!dialog.isVisible());
        }
        QCOMPARE(page->events[0].delay_value, 0);
        {
            EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
            QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
            dialog.edit(kEventsDelay)->setText(QStringLiteral("8"));
            dialog.edit(kEventsDelay)->setFocus();
            QTest::keyClick(dialog.edit(kEventsDelay), Qt::Key_Return); // Enter is OK
            QCOMPARE(dialog.result(), 1);
            QVERIFY(!dialog.isVisible());
        }
        QCOMPARE(page->events[0].delay_value, 8);
    }

    void tabFollowsTheLayout() {
        addEvents(1);
        clipboards.event_full = true;
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QVERIFY(QTest::qWaitForWindowActive(showDialog(dialog)));
        QCOMPARE(QApplication::focusWidget(), dialog.control(kEventsList));
        const QList<int> expected = {
            kEventsDeleteEvent, kEventsCopyEvent,    kEventsPasteEvent,    kEventsPrintEvent,
            kEventsPrintAll,    kEventsName,         kEventsDelay,         kEventsResetCheck,
            kEventsReset,       kEventsTriggers,     kEventsDeleteTrigger, kEventsCopyTrigger,
            kEventsActions,     kEventsDeleteAction, kEventsCopyAction,    kControlOk};
        for (int id : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog.control(id));
        }
    }

    // ---- A damaged page ----

    void aDamagedEventOpensAndEditsWithinItsSlots() {
        addEvents(3);
        page->num_events = 9999;
        MissionEvent& damaged = page->events[0];
        std::memset(damaged.name, 'x', sizeof damaged.name); // no terminating zero
        damaged.trigger_count = 50;
        damaged.action_count = -7;
        damaged.triggers[0] = makeTrigger(0, 77, 0, 0);
        damaged.triggers[1] = makeTrigger(kTriggerOr, 1, 99, 1000);
        damaged.triggers[9] = makeTrigger(0, 1, 4, 700);
        damaged.actions[0] = makeAction(400, 0, 0);
        page->events[1].action_count = 10;
        page->events[1].actions[3] = makeAction(3, 55, 4, 9);
        EventsDialog dialog(nullptr, *page, clipboards, nullptr, fixture.services);
        QCOMPARE(dialog.list(kEventsList)->count(), kMaxEvents);
        QCOMPARE(dialog.list(kEventsTriggers)->count(), kMaxTriggers);
        QCOMPARE(dialog.list(kEventsActions)->count(), 1);
        QCOMPARE(dialog.edit(kEventsName)->text(), QString(kEventNameMaxChars, QLatin1Char('x')));

        QVERIFY(QTest::qWaitForWindowExposed(showDialog(dialog)));
        whenModal<EventTriggerDialog>([](EventTriggerDialog& trigger) {
            QCOMPARE(trigger.combo(kTriggerTypeList)->currentData().toInt(), 1);
            QCOMPARE(trigger.combo(kTriggerFirstVariableList)->currentData().toInt(),
                     0); // a group beyond the list shows the first entry
            trigger.button(kControlOk)->click();
        });
        doubleClickRow(dialog.list(kEventsTriggers), 9);
        QCOMPARE(damaged.trigger_count, 50); // editing a trigger adds none
        QCOMPARE(damaged.triggers[9].value[3], 0);

        whenModal<EventActionDialog>([](EventActionDialog& action) { action.button(kControlOk)->click(); });
        doubleClickRow(dialog.list(kEventsActions), 0);
        QCOMPARE(damaged.action_count, 1);

        dialog.list(kEventsList)->setCurrentRow(1);
        QCOMPARE(dialog.list(kEventsActions)->count(), kMaxActions);
        whenModal<EventActionDialog>([](EventActionDialog& action) {
            QCOMPARE(action.combo(kActionTypeList)->currentData().toInt(), 3);
            QCOMPARE(action.combo(kActionAiChangeList)->currentData().toInt(), 0);
            action.button(kControlCancel)->click();
        });
        doubleClickRow(dialog.list(kEventsActions), 3);
        QCOMPARE(page->events[1].actions[3].value[2], 55); // Cancel keeps the damaged slot as it was
        QCOMPARE(page->num_events, 9999); // opening and editing leave the count to the file's repair
    }

    // ---- The editor opens it ----

    void theEventsCommandOpensTheDialogWithTheEditorsClipboards() {
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        EditorApp& editor = fixture.window->editor();
        MissionPage& current = editor.currentPage();
        const int before = current.num_events;
        whenModal<EventsDialog>([](EventsDialog& dialog) {
            dialog.button(kEventsCopyEvent)->click();
            dialog.button(kControlOk)->click();
        });
        fixture.window->runCommand(kCmdEvents);
        QVERIFY(fixture.services.messages.empty()); // no "not available"
        QVERIFY(editor.document().eventClipboards().event_full);
        QCOMPARE(
            std::memcmp(&editor.document().eventClipboards().event, &current.events[0], sizeof(MissionEvent)),
            0);
        QCOMPARE(current.num_events, before > 0 ? before : 1);
    }

  private:
    void addEvents(int count) {
        page->num_events = count;
        for (int e = 0; e < count; ++e)
            std::snprintf(page->events[e].name, sizeof page->events[e].name, "E%d", e);
    }

    static QWidget* showDialog(QDialog& dialog) {
        dialog.show();
        return &dialog;
    }

    static QString readFile(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(file.readAll());
    }

    EditorWindowFixture fixture;
    std::unique_ptr<MissionPage> page;
    EventClipboards clipboards;
};

QZ_SHELL_TEST(EventsDialogTest);
#include "events_dialog_test.moc"
