// The waypoint lists, area triggers and groups dialogs: the list-editing pattern with live lines,
// colours that redraw the map, the waypoint boxes, selecting markers and members, printing, the
// keys that close them, and damaged records that open without harm.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/list_editing.h"
#include "dialogs/list_records_dialog.h"
#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "mission/page_ops.h"
#include "render/map_render.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <vector>

namespace {

constexpr int32_t kDemoPersonType = 3001;

void setText(char* field, size_t size, const char* text) {
    std::memset(field, 0, size);
    std::strncpy(field, text, size - 1);
}

void sendFocusIn(QWidget* widget) {
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

// The list's first notification (the one that only clears the flag), as the dialog appearing
// with the list focused gives it.
void passFirstNotification(ListRecordsDialog& dialog) {
    sendFocusIn(dialog.list(dialog.controls().list));
    QVERIFY(!dialog.listEditor().firstNotificationPending());
}

std::vector<int> selectionOf(const MissionPage& page) {
    return std::vector<int>(page.selection.slots, page.selection.slots + page.selection.count);
}

// Pixels of `colour` in the editor's map image.
int pixelsOf(EditorApp& editor, uint32_t colour) {
    const RasterImage& image = editor.image();
    int count = 0;
    for (int i = 0; i < image.width() * image.height(); ++i)
        if ((image.pixels()[i] & 0xFFFFFF) == colour) ++count;
    return count;
}

} // namespace

class ListRecordsDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(fixture.start());
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        page_Clear(page());
        setText(page().waypoints[1].description, kWaypointDescSize, "Patrol");
        page().waypoints[1].color = 3;
        page().waypoints[1].attrib = 0x10;
        setText(page().waypoints[2].description, kWaypointDescSize, "Convoy");
        setText(page().groups[1].description, kGroupDescSize, "Alpha");
        page().groups[1].commander = 17;
        page().groups[1].attrib = 3;
        page().groups[1].color = 9;
        renders = 0;
    }
    void cleanup() { fixture.stop(); }

    // ---- Opening and the list-editing pattern ----

    void opensWithEveryNumberedRecordAndTheFirstShown() {
        const struct {
            ListDialogKind kind;
            int lines;
        } cases[] = {{ListDialogKind::Waypoints, 127},
                     {ListDialogKind::AreaTriggers, 99},
                     {ListDialogKind::Groups, 63}};
        for (const auto& c : cases) {
            ListRecordsDialog dialog(nullptr, page(), fixture.services, c.kind, hooks());
            QListWidget* list = dialog.list(dialog.controls().list);
            QCOMPARE(list->count(), c.lines);
            QCOMPARE(list->currentRow(), 0);
            QVERIFY(list->item(c.lines - 1)->text().startsWith(QString::asprintf("%2i - ", c.lines)));
            QVERIFY(dialog.listEditor().firstNotificationPending());
        }
        ListRecordsDialog waypoints(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        QCOMPARE(waypoints.list(kWaypointsList)->item(0)->text(), QStringLiteral(" 1 - Patrol"));
        QCOMPARE(waypoints.edit(kWaypointsDescription)->text(), QStringLiteral("Patrol"));
        QCOMPARE(waypoints.combo(kWaypointsColour)->count(), kListColourCount);
        QCOMPARE(waypoints.combo(kWaypointsColour)->currentIndex(), 3);
        QCOMPARE(waypoints.combo(kWaypointsColour)->itemText(3), QStringLiteral("Red"));
        QCOMPARE(renders, 0);
    }

    void okAtOnceLeavesListOneUnchanged() {
        // Even what the controls cannot show whole: a description longer than the edit takes.
        const std::string longText(700, 'p');
        setText(page().waypoints[1].description, kWaypointDescSize, longText.c_str());
        page().waypoints[1].attrib = 0x7FFFFFF0 | kWaypointRedTeam;
        const WaypointList before = page().waypoints[1];
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.button(kControlOk)->click();
        QCOMPARE(dialog.result(), 1);
        QVERIFY(std::memcmp(&before, &page().waypoints[1], sizeof before) == 0);
    }

    void typingUpdatesTheLineAndTheRecordAtEveryKeystroke() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        passFirstNotification(dialog);
        QListWidget* list = dialog.list(kWaypointsList);
        list->setCurrentRow(4);
        QLineEdit* description = dialog.edit(kWaypointsDescription);
        QTest::keyClicks(description, QStringLiteral("R"));
        QCOMPARE(list->item(4)->text(), QStringLiteral(" 5 - R"));
        QCOMPARE(QString::fromLatin1(page().waypoints[5].description), QStringLiteral("R"));
        QTest::keyClicks(description, QStringLiteral("idge"));
        QCOMPARE(list->item(4)->text(), QStringLiteral(" 5 - Ridge"));
        QCOMPARE(QString::fromLatin1(page().waypoints[5].description), QStringLiteral("Ridge"));
        QCOMPARE(list->currentRow(), 4);
        QCOMPARE(QString::fromLatin1(page().waypoints[1].description), QStringLiteral("Patrol"));
    }

    void theListHasTheFocusWhenTheDialogAppearsSoTypingAtOnceIsStored() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Groups, hooks());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.list(kGroupsList)->hasFocus());
        QVERIFY(!dialog.listEditor().firstNotificationPending());
        QTest::keyClick(dialog.list(kGroupsList), Qt::Key_Tab);
        QLineEdit* description = dialog.edit(kGroupsDescription);
        QVERIFY(description->hasFocus());
        QTest::keyClick(description, Qt::Key_End);
        QTest::keyClicks(description, QStringLiteral(" Team"));
        QCOMPARE(QString::fromLatin1(page().groups[1].description), QStringLiteral("Alpha Team"));
        QCOMPARE(dialog.list(kGroupsList)->item(0)->text(), QStringLiteral(" 1 - Alpha Team"));
    }

    void theFirstNotificationOnlyClearsTheFlagAndLaterOnesStoreTheShownRecord() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        QLineEdit* description = dialog.edit(kWaypointsDescription);
        {
            const QSignalBlocker blocker(description);
            description->setText(QStringLiteral("lost"));
        }
        dialog.list(kWaypointsList)->setCurrentRow(1); // the first notification
        QCOMPARE(QString::fromLatin1(page().waypoints[1].description), QStringLiteral("Patrol"));
        QCOMPARE(description->text(), QStringLiteral("Convoy"));
        {
            const QSignalBlocker blocker(description);
            description->setText(QStringLiteral("Convoy north"));
        }
        dialog.list(kWaypointsList)->setCurrentRow(0);
        QCOMPARE(QString::fromLatin1(page().waypoints[2].description), QStringLiteral("Convoy north"));
        QCOMPARE(description->text(), QStringLiteral("Patrol"));
    }

    void changesWhileTheFlagIsSetAreIgnored() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        dialog.edit(kWaypointsDescription)->setText(QStringLiteral("Early"));
        dialog.combo(kWaypointsColour)->setCurrentIndex(7);
        QCOMPARE(QString::fromLatin1(page().waypoints[1].description), QStringLiteral("Patrol"));
        QCOMPARE(page().waypoints[1].color, 3);
        QCOMPARE(dialog.list(kWaypointsList)->item(0)->text(), QStringLiteral(" 1 - Patrol"));
        QCOMPARE(renders, 0);
    }

    // ---- Colours and boxes ----

    void aColourChangeIsStoredAndRedrawsAtOnce() {
        page().area_triggers[9].color = 5;
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::AreaTriggers, hooks());
        passFirstNotification(dialog);
        dialog.list(kAreaTriggersList)->setCurrentRow(8);
        QCOMPARE(renders, 0); // showing another record is no change
        dialog.combo(kAreaTriggersColour)->setCurrentIndex(12);
        QCOMPARE(page().area_triggers[9].color, 12);
        QCOMPARE(renders, 1);
    }

    void aWaypointColourChangeRedrawsTheMapWithTheNewColourBeforeTheDialogCloses() {
        MainWindow& window = *fixture.window;
        EditorApp& editor = window.editor();
        MissionPage& current = editor.currentPage();
        const int32_t x = editor.viewState().center_x, y = editor.viewState().center_y;
        const int32_t step = static_cast<int32_t>(60 / editor.viewState().zoom); // 60 pixels
        for (int i = 0; i < 3; ++i) {
            const int slot = page_AddItem(current, kWaypointMarkerType, x + i * step, y + (i % 2) * step, 0);
            QVERIFY(slot >= 0);
            current.items[slot].waypoint_id = 2;
            current.items[slot].wpnumber = i;
        }
        window.redrawMap();
        const uint32_t indigo = ListColour(12);
        QCOMPARE(pixelsOf(editor, indigo), 0);
        int seen = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ListRecordsDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            passFirstNotification(*dialog);
            dialog->list(kWaypointsList)->setCurrentRow(1);
            QCOMPARE(dialog->label(kWaypointsSize)->text(), QStringLiteral("Members: 3"));
            dialog->combo(kWaypointsColour)->setCurrentIndex(12);
            seen = pixelsOf(editor, indigo);
            dialog->button(kControlOk)->click();
        });
        window.runCommand(kCmdWaypoints);
        QVERIFY(seen > 0);
        QCOMPARE(current.waypoints[2].color, 12);
    }

    void noLoopStoresAndRedrawsTheTeamBoxesWaitForTheNextStore() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        QVERIFY(dialogTestShown(dialog));
        passFirstNotification(dialog);
        dialog.check(kWaypointsBlue)->click();
        QCOMPARE(page().waypoints[1].attrib, 0x10);
        QCOMPARE(renders, 0);
        dialog.check(kWaypointsNoLoop)->click();
        QCOMPARE(page().waypoints[1].attrib, 0x10 | kWaypointNoLoop | kWaypointBlueTeam);
        QCOMPARE(renders, 1);
    }

    void aTickedTeamBoxIsStoredOnItsListWhenAnotherListIsChosen() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        QVERIFY(dialogTestShown(dialog));
        passFirstNotification(dialog);
        dialog.check(kWaypointsBlue)->click();
        dialog.list(kWaypointsList)->setCurrentRow(1);
        QCOMPARE(page().waypoints[1].attrib, 0x10 | kWaypointBlueTeam);
        QCOMPARE(page().waypoints[2].attrib, 0);
        QVERIFY(!dialog.check(kWaypointsBlue)->isChecked());
    }

    // ---- Selecting ----

    void selectMembersAddsTheVisibleMembersToWhatIsSelected() {
        const int stranger = page_AddItem(page(), kDemoPersonType, 0, 0, 0);
        const int visible = page_AddItem(page(), kDemoPersonType, 256, 0, 0);
        const int hidden = page_AddItem(page(), kDemoPersonType, 512, 0, 0);
        const int second = page_AddItem(page(), kDemoPersonType, 768, 0, 0);
        for (int slot : {visible, hidden, second})
            page().items[slot].group_id = 1;
        page().items[hidden].hidden = 1;
        sel_Add(page(), stranger);
        page_CountGroupMembers(page());
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Groups, hooks());
        QCOMPARE(dialog.label(kGroupsSize)->text(), QStringLiteral("Members: 3"));
        dialog.button(kGroupsSelect)->click();
        QCOMPARE(selectionOf(page()), (std::vector<int>{stranger, visible, second}));
        QCOMPARE(renders, 1);
    }

    void selectMarkersStoresTheShownAreaTriggerFirst() {
        const int marker = page_AddItem(page(), kAreaTriggerMarkerType, 0, 0, 0);
        page().items[marker].wpnumber = 1;
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::AreaTriggers, hooks());
        {
            const QSignalBlocker blocker(dialog.edit(kAreaTriggersDescription));
            dialog.edit(kAreaTriggersDescription)->setText(QStringLiteral("Village"));
        }
        dialog.button(kAreaTriggersSelect)->click();
        QCOMPARE(QString::fromLatin1(page().area_triggers[1].description), QStringLiteral("Village"));
        QCOMPARE(selectionOf(page()), std::vector<int>{marker});
    }

    void selectMembersWorksThroughTheGroupsCommand() {
        const int member = page_AddItem(page(), kDemoPersonType, 0, 0, 0);
        page().items[member].group_id = 1;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<ListRecordsDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            dialog->button(kGroupsSelect)->click();
            dialog->button(kControlOk)->click();
        });
        fixture.window->runCommand(kCmdGroups);
        QCOMPARE(selectionOf(page()), std::vector<int>{member});
    }

    // ---- Groups keep what the dialog has no controls for ----

    void aGroupsCommanderAttribAndColourSurviveOpeningEditingAndClosing() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Groups, hooks());
        QVERIFY(dialogTestShown(dialog));
        passFirstNotification(dialog);
        QTest::keyClicks(dialog.edit(kGroupsDescription), QStringLiteral("!"));
        dialog.list(kGroupsList)->setCurrentRow(3);
        dialog.list(kGroupsList)->setCurrentRow(0);
        dialog.button(kControlOk)->click();
        QCOMPARE(QString::fromLatin1(page().groups[1].description), QStringLiteral("Alpha!"));
        QCOMPARE(page().groups[1].commander, 17);
        QCOMPARE(page().groups[1].attrib, 3);
        QCOMPARE(page().groups[1].color, 9);
    }

    // ---- Printing ----

    void printListWritesTheReportToTheChosenFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("groups.txt"));
        fixture.services.fileAnswers.push_back(path.toStdString());
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Groups, hooks());
        dialog.button(kGroupsPrint)->click();
        QCOMPARE(fixture.services.fileRequests.size(), size_t(1));
        QCOMPARE(fixture.services.fileRequests[0].kind, FileDialogKind::Save);
        QCOMPARE(QString::fromStdString(fixture.services.fileRequests[0].filter.pattern),
                 QStringLiteral("*.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(" 1 - Alpha\n"));
    }

    void printListCancelledWritesNothing() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        dialog.button(kWaypointsPrint)->click(); // the script answers "" (cancelled)
        QCOMPARE(fixture.services.fileRequests.size(), size_t(1));
        QVERIFY(fixture.services.messages.empty());
    }

    // ---- Keys ----

    void tabOrderFollowsTheLayout() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const int order[] = {kWaypointsList, kWaypointsDescription, kWaypointsColour, kWaypointsNoLoop,
                             kWaypointsBlue, kWaypointsRed,         kWaypointsSelect, kWaypointsPrint,
                             kControlOk,     kWaypointsList};
        QCOMPARE(QApplication::focusWidget(), dialog.control(order[0]));
        for (size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog.control(order[i]));
        }
    }

    void enterInTheDescriptionStoresAndCloses() {
        ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::AreaTriggers, hooks());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* description = dialog.edit(kAreaTriggersDescription);
        description->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(description, QStringLiteral("Ford"));
        QTest::keyClick(description, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(QString::fromLatin1(page().area_triggers[1].description), QStringLiteral("Ford"));
    }

    void escapeAndTheCloseBoxStoreAndCloseWithOne() {
        for (bool escape : {true, false}) {
            ListRecordsDialog dialog(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            {
                const QSignalBlocker blocker(dialog.check(kWaypointsRed));
                dialog.check(kWaypointsRed)->setChecked(!dialog.check(kWaypointsRed)->isChecked());
            }
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), 1);
        }
        // Ticked by the first, cleared by the second.
        QCOMPARE(page().waypoints[1].attrib, 0x10);
    }

    // ---- Damaged records ----

    void aDamagedRecordOpensShowsWhatFitsAndIsWrittenOnlyWhereTheUserChangedIt() {
        std::memset(page().groups[1].description, 'g', kGroupDescSize);
        // Bytes an edit might be tempted to change: a tab, a control character, the top of the code page.
        setText(page().groups[6].description, kGroupDescSize,
                "a\tb\x01"
                "c\xff");
        std::memset(page().waypoints[1].description, 'w', kWaypointDescSize);
        page().waypoints[1].color = 77;
        page().waypoints[1].member_count = -3;
        const MissionPage& p = page();
        const std::vector<char> groupsBefore(reinterpret_cast<const char*>(&p.groups),
                                             reinterpret_cast<const char*>(&p.groups) + sizeof p.groups);
        const WaypointList listBefore = p.waypoints[1];

        ListRecordsDialog groups(nullptr, page(), fixture.services, ListDialogKind::Groups, hooks());
        QCOMPARE(groups.edit(kGroupsDescription)->text(),
                 QString(kListDescriptionMaxChars, QLatin1Char('g')));
        QVERIFY(groups.list(kGroupsList)->item(0)->text().endsWith(QStringLiteral("g...")));
        passFirstNotification(groups);
        groups.list(kGroupsList)->setCurrentRow(5);
        groups.button(kControlOk)->click();
        QVERIFY(std::memcmp(groupsBefore.data(), &p.groups, sizeof p.groups) == 0);

        ListRecordsDialog waypoints(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        QCOMPARE(waypoints.combo(kWaypointsColour)->currentIndex(), -1);
        waypoints.button(kWaypointsSelect)->click();
        waypoints.button(kControlOk)->click();
        QVERIFY(std::memcmp(&listBefore, &p.waypoints[1], sizeof listBefore) == 0);
        QVERIFY(selectionOf(page()).empty());

        ListRecordsDialog again(nullptr, page(), fixture.services, ListDialogKind::Waypoints, hooks());
        passFirstNotification(again);
        again.combo(kWaypointsColour)->setCurrentIndex(5);
        QCOMPARE(page().waypoints[1].color, 5);
        QCOMPARE(std::string(page().waypoints[1].description, kWaypointDescSize),
                 std::string(kWaypointDescSize, 'w'));
    }

    // ---- Registration ----

    void everyListDialogIsRegisteredAndAlwaysAnswersAccepted() {
        for (const char* name : {kDialogWaypoints, kDialogAreaTriggers, kDialogGroups}) {
            const DialogRunner* runner = fixture.window->dialogs().find(name);
            QVERIFY2(runner != nullptr, name);
            QTimer::singleShot(0, [] {
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            });
            QCOMPARE((*runner)(fixture.window.get(), page(), fixture.services), DialogResult::Accepted);
        }
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }
    ListDialogHooks hooks() {
        ListDialogHooks h;
        h.show_flags = fixture.window->editor().viewState().show_flags;
        h.redrawMap = [this] { ++renders; };
        return h;
    }
    static bool dialogTestShown(QDialog& dialog) {
        dialog.show();
        return QTest::qWaitForWindowExposed(&dialog);
    }

    EditorWindowFixture fixture;
    int renders = 0;
};

QZ_SHELL_TEST(ListRecordsDialogTest);
#include "list_records_dialog_test.moc"
