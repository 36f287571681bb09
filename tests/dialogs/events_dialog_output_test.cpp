// Events built through the events, trigger and action dialogs export, report and save exactly as
// the same events built with the page operations.

#include "event_dialog_driving.h"
#include "shell_test_support.h"

#include "dialogs/event_action_dialog.h"
#include "dialogs/event_trigger_dialog.h"
#include "dialogs/events_dialog.h"
#include "mission/binary_export.h"
#include "mission/metafile_writer.h"
#include "mission/page_ops.h"
#include "mission/reports.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>
#include <memory>

namespace {

constexpr const char* kMissionFile = "C:\\MISSIONS\\BLUEWINS.MIS";

void setMissionFile(MissionPage& page) {
    std::strncpy(page.general.mission_file, kMissionFile, sizeof page.general.mission_file - 1);
}

// The trigger dialog answered with a type, a condition and the first variables.
void answerTrigger(int type, int condition, QList<int> variables, bool negated = false,
                   bool joinByOr = false) {
    whenModal<EventTriggerDialog>([=](EventTriggerDialog& dialog) {
        chooseCode(dialog.combo(kTriggerTypeList), type);
        chooseCode(dialog.combo(kTriggerConditionList), condition);
        for (int k = 0; k < variables.size(); ++k)
            chooseCode(dialog.combo(kTriggerFirstVariableList + k), variables[k]);
        if (negated) dialog.radio(kTriggerFalseButton)->click();
        if (joinByOr) dialog.radio(kTriggerOrButton)->click();
        dialog.button(kControlOk)->click();
    });
}

void answerAction(int type, int aiChange, QList<int> variables) {
    whenModal<EventActionDialog>([=](EventActionDialog& dialog) {
        chooseCode(dialog.combo(kActionTypeList), type);
        chooseCode(dialog.combo(kActionAiChangeList), aiChange);
        for (int k = 0; k < variables.size(); ++k)
            chooseCode(dialog.combo(kActionFirstVariableList + k), variables[k]);
        dialog.button(kControlOk)->click();
    });
}

void setName(MissionEvent& event, const char* name) {
    std::memset(event.name, 0, sizeof event.name);
    std::strncpy(event.name, name, sizeof event.name - 1);
}

} // namespace

class EventsDialogOutputTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }

    void eventsBuiltInTheDialogsExportReportAndSaveAsThoseOfThePageOperations() {
        auto dialogPage = std::make_unique<MissionPage>();
        setMissionFile(*dialogPage);
        {
            EventClipboards clipboards;
            EventsDialog dialog(nullptr, *dialogPage, clipboards, nullptr, fixture.services);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QListWidget* events = dialog.list(kEventsList);

            // Event 0: when group 2 is destroyed, blue wins, after 5 seconds.
            dialog.edit(kEventsName)->setText(QStringLiteral("Blue victory"));
            dialog.edit(kEventsDelay)->setText(QStringLiteral("5"));
            answerTrigger(1, 4, {2});
            doubleClickRow(dialog.list(kEventsTriggers), 0);
            answerAction(8, 0, {});
            doubleClickRow(dialog.list(kEventsActions), 0);

            // Event 1: when event 0 has not happened or the second time through, make group 3
            // guard and kill group 4; resets after 30 seconds.
            events->setCurrentRow(1);
            dialog.edit(kEventsName)->setText(QStringLiteral("Chain"));
            dialog.check(kEventsResetCheck)->setChecked(true);
            dialog.edit(kEventsReset)->setText(QStringLiteral("30"));
            answerTrigger(2, 0, {0}, true, true);
            doubleClickRow(dialog.list(kEventsTriggers), 0);
            answerTrigger(4, 0, {});
            doubleClickRow(dialog.list(kEventsTriggers), 1);
            answerAction(3, 2, {3, 1});
            doubleClickRow(dialog.list(kEventsActions), 0);
            answerAction(2, 0, {4});
            doubleClickRow(dialog.list(kEventsActions), 1);

            // A copy of "Chain" pasted before event 0 (its reference to event 0 follows it).
            dialog.button(kEventsCopyEvent)->click();
            events->setCurrentRow(0);
            dialog.button(kEventsPasteEvent)->click();
            dialog.button(kControlOk)->click();
        }

        auto opsPage = std::make_unique<MissionPage>();
        setMissionFile(*opsPage);
        opsPage->num_events = 2;
        MissionEvent& victory = opsPage->events[0];
        setName(victory, "Blue victory");
        victory.delay_value = 5;
        event_InsertTrigger(*opsPage, 0, 0, makeTrigger(0, 1, 4, 2));
        event_InsertAction(*opsPage, 0, 0, makeAction(8, 0, -1));
        MissionEvent& chain = opsPage->events[1];
        setName(chain, "Chain");
        chain.attrib = 0x1;
        chain.reset_value = 30;
        event_InsertTrigger(*opsPage, 1, 0, makeTrigger(kTriggerNegate | kTriggerOr, 2, 0, 0));
        event_InsertTrigger(*opsPage, 1, 1, makeTrigger(0, 4, 0, -1));
        event_InsertAction(*opsPage, 1, 0, makeAction(3, 2, 3, 1));
        event_InsertAction(*opsPage, 1, 1, makeAction(2, 0, 4));
        MissionEvent copy;
        std::memcpy(&copy, &opsPage->events[1], sizeof copy);
        QCOMPARE(event_Insert(*opsPage, 0, copy), 1);

        QCOMPARE(dialogPage->num_events, 3);
        const MetafileTime when{3, 14, 1999, 9, 26};
        QCOMPARE(QString::fromStdString(report_EventListText(*dialogPage, when)),
                 QString::fromStdString(report_EventListText(*opsPage, when)));
        QCOMPARE(QString::fromStdString(report_EventText(*dialogPage, 2, when)),
                 QString::fromStdString(report_EventText(*opsPage, 2, when)));
        std::string dialogText, opsText;
        metafile_Format(*dialogPage, when, dialogText);
        metafile_Format(*opsPage, when, opsText);
        QCOMPARE(QString::fromStdString(dialogText), QString::fromStdString(opsText));
        const std::vector<uint8_t> dialogBytes =
            export_BuildBytes(*dialogPage, export_CountItems(*dialogPage));
        const std::vector<uint8_t> opsBytes = export_BuildBytes(*opsPage, export_CountItems(*opsPage));
        QVERIFY(dialogBytes == opsBytes);
        QVERIFY(!dialogBytes.empty());
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(EventsDialogOutputTest);
#include "events_dialog_output_test.moc"
