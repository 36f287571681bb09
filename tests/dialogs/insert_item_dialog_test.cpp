// The insert-item dialog over the demo game's item definitions: what it shows on opening, which
// definitions each class lists, and what OK, Cancel and the random-facing box remember.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/insert_item_dialog.h"
#include "editor/dialog_memory.h"
#include "editor/mouse_tool.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const int kAllRadios[] = {kInsertRadioVehicles, kInsertRadioDecorations, kInsertRadioPeople,
                          kInsertRadioMarkers,  kInsertRadioBuildings,   kInsertRadioObjects};

QStringList listTexts(const QListWidget* names) {
    QStringList texts;
    for (int row = 0; row < names->count(); ++row)
        texts << names->item(row)->text();
    return texts;
}

QString selectedText(const QListWidget* names) {
    const QList<QListWidgetItem*> selected = names->selectedItems();
    return selected.size() == 1 ? selected.first()->text() : QString();
}

// Selects the entry with `text`; false when the list has none.
bool selectEntry(QListWidget* names, const QString& text) {
    const QList<QListWidgetItem*> found = names->findItems(text, Qt::MatchExactly);
    if (found.size() != 1) return false;
    names->setCurrentItem(found.first());
    return true;
}

// A double click as the user makes it: a click, then a second press that the system reports as a
// double click.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class InsertItemDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }
    void init() {
        memory = InsertItemMemory{};
        showAll = false;
    }

    void firstOpeningChecksNoClassAndListsNothing() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        for (int id : kAllRadios) {
            QVERIFY2(dialog.radio(id) != nullptr, qPrintable(QString::number(id)));
            QVERIFY(!dialog.radio(id)->isChecked());
        }
        QCOMPARE(dialog.list(kInsertListNames)->count(), 0);
        QVERIFY(!dialog.check(kInsertCheckRandomFacing)->isChecked());
    }

    void captionsComeFromTheDialogTexts() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Item"));
        QCOMPARE(dialog.radio(kInsertRadioPeople)->text(), QStringLiteral("People"));
        QCOMPARE(dialog.radio(kInsertRadioMarkers)->text(), QStringLiteral("Markers"));
        QCOMPARE(dialog.check(kInsertCheckRandomFacing)->text(), QStringLiteral("Random facing"));
    }

    void okRemembersPeopleAndTheNameForTheNextOpening() {
        {
            InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
            QVERIFY(dialogTest_Shown(dialog));
            QTest::mouseClick(dialog.radio(kInsertRadioPeople), Qt::LeftButton);
            QVERIFY(dialog.radio(kInsertRadioPeople)->isChecked());
            QVERIFY(selectEntry(dialog.list(kInsertListNames), QStringLiteral("Sniper (Red)")));
            QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
            QCOMPARE(dialog.result(), 1);
        }
        QCOMPARE(memory.item_class, kInsertClassPerson);
        QCOMPARE(memory.definition_name, std::string("Sniper (Red)"));
        QVERIFY(!memory.cancelled);

        InsertItemDialog again(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(again));
        for (int id : kAllRadios)
            QCOMPARE(again.radio(id)->isChecked(), id == kInsertRadioPeople);
        QCOMPARE(again.list(kInsertListNames)->count(), 11);
        QCOMPARE(selectedText(again.list(kInsertListNames)), QStringLiteral("Sniper (Red)"));
    }

    void rememberedNameIsFoundWhateverItsLetterCase() {
        memory.item_class = kInsertClassBuilding;
        memory.definition_name = "rADAR station";
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QVERIFY(dialog.radio(kInsertRadioBuildings)->isChecked());
        QCOMPARE(selectedText(dialog.list(kInsertListNames)), QStringLiteral("Radar Station"));
    }

    void rememberedNameOfAnotherClassSelectsNothing() {
        memory.item_class = kInsertClassVehicle;
        memory.definition_name = "Bush";
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QVERIFY(dialog.list(kInsertListNames)->count() > 0);
        QVERIFY(dialog.list(kInsertListNames)->selectedItems().isEmpty());
    }

    void vehiclesAreListedSortedWithoutTheNoToolWreck() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QTest::mouseClick(dialog.radio(kInsertRadioVehicles), Qt::LeftButton);
        const QStringList expected = {
            QStringLiteral("Armoured Carrier (Red)"),
            QStringLiteral("Battle Tank (Red)"),
            QStringLiteral("Cargo Truck (Blue)"),
            QStringLiteral("Cargo Truck (Red)"),
            QStringLiteral("Field Car (Red)"),
            QStringLiteral("Jeep (Blue)"),
            QStringLiteral("Patrol Boat (Red)"),
            QStringLiteral("Rubber Dinghy (Blue)"),
            QStringLiteral("Transport Helicopter (Blue)"),
        };
        QCOMPARE(listTexts(dialog.list(kInsertListNames)), expected);
    }

    void listIsSortedWithoutRegardToLetterCase() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        for (int id : kAllRadios) {
            QTest::mouseClick(dialog.radio(id), Qt::LeftButton);
            const QStringList shown = listTexts(dialog.list(kInsertListNames));
            for (qsizetype row = 1; row < shown.size(); ++row)
                QVERIFY2(shown[row - 1].compare(shown[row], Qt::CaseInsensitive) <= 0,
                         qPrintable(shown[row - 1] + QStringLiteral(" / ") + shown[row]));
        }
    }

    void doubleClickOnAnEntryIsOk() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QTest::mouseClick(dialog.radio(kInsertRadioBuildings), Qt::LeftButton);
        QListWidget* names = dialog.list(kInsertListNames);
        const QList<QListWidgetItem*> found = names->findItems(QStringLiteral("Bunker"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QPoint centre = names->visualItemRect(found.first()).center();
        doubleClick(names->viewport(), centre);
        QCOMPARE(dialog.result(), 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(memory.item_class, kInsertClassBuilding);
        QCOMPARE(memory.definition_name, std::string("Bunker"));
        QVERIFY(!memory.cancelled);
    }

    void doubleClickBesideTheEntriesDoesNothing() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QTest::mouseClick(dialog.radio(kInsertRadioBuildings), Qt::LeftButton);
        QListWidget* names = dialog.list(kInsertListNames);
        const QRect last = names->visualItemRect(names->item(names->count() - 1));
        doubleClick(names->viewport(), QPoint(last.center().x(), last.bottom() + 10));
        QVERIFY(dialog.isVisible());
        QCOMPARE(memory.definition_name, std::string());
    }

    void eachClassListsOnlyItsOwnDefinitions() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QListWidget* names = dialog.list(kInsertListNames);

        QTest::mouseClick(dialog.radio(kInsertRadioDecorations), Qt::LeftButton);
        QCOMPARE(names->count(), 13);
        QVERIFY(!names->findItems(QStringLiteral("Fallen Soldier (Red)"), Qt::MatchExactly).isEmpty());
        QVERIFY(names->findItems(QStringLiteral("Barracks"), Qt::MatchExactly).isEmpty());

        QTest::mouseClick(dialog.radio(kInsertRadioBuildings), Qt::LeftButton);
        QCOMPARE(names->count(), 8);
        QVERIFY(!names->findItems(QStringLiteral("Barracks"), Qt::MatchExactly).isEmpty());
        QVERIFY(names->findItems(QStringLiteral("Bush"), Qt::MatchExactly).isEmpty());

        // Effects (class 8) belong to none of the six buttons.
        for (int id : kAllRadios) {
            QTest::mouseClick(dialog.radio(id), Qt::LeftButton);
            QVERIFY(names->findItems(QStringLiteral("Fire"), Qt::MatchExactly).isEmpty());
        }
    }

    void noCToolAndNoToolDefinitionsAreLeftOut() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QListWidget* names = dialog.list(kInsertListNames);

        QTest::mouseClick(dialog.radio(kInsertRadioObjects), Qt::LeftButton);
        QCOMPARE(names->count(), 10);
        QVERIFY(names->findItems(QStringLiteral("Target Dummy"), Qt::MatchExactly).isEmpty());

        QTest::mouseClick(dialog.radio(kInsertRadioMarkers), Qt::LeftButton);
        QCOMPARE(names->count(), 19);
        QVERIFY(names->findItems(QStringLiteral("Camera Position"), Qt::MatchExactly).isEmpty());
        QVERIFY(names->findItems(QStringLiteral("Area Corner (Old)"), Qt::MatchExactly).isEmpty());
        QVERIFY(!names->findItems(QStringLiteral("Waypoint"), Qt::MatchExactly).isEmpty());
    }

    void showAllListsEveryDefinitionOfTheClass() {
        showAll = true;
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QListWidget* names = dialog.list(kInsertListNames);

        QTest::mouseClick(dialog.radio(kInsertRadioVehicles), Qt::LeftButton);
        QCOMPARE(names->count(), 10);
        QVERIFY(!names->findItems(QStringLiteral("Jeep Wreck"), Qt::MatchExactly).isEmpty());

        QTest::mouseClick(dialog.radio(kInsertRadioMarkers), Qt::LeftButton);
        QCOMPARE(names->count(), 21);
        QVERIFY(!names->findItems(QStringLiteral("Camera Position"), Qt::MatchExactly).isEmpty());
    }

    void switchingClassReplacesTheList() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QListWidget* names = dialog.list(kInsertListNames);
        QTest::mouseClick(dialog.radio(kInsertRadioPeople), Qt::LeftButton);
        QTest::mouseClick(dialog.radio(kInsertRadioBuildings), Qt::LeftButton);
        QCOMPARE(names->count(), 8);
        QVERIFY(names->findItems(QStringLiteral("Hostage"), Qt::MatchExactly).isEmpty());
    }

    void randomFacingTickedThenCancelledStaysOn() {
        memory.item_class = kInsertClassObject;
        memory.definition_name = "Oil Barrel";
        {
            InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
            QVERIFY(dialogTest_Shown(dialog));
            QTest::mouseClick(dialog.check(kInsertCheckRandomFacing), Qt::LeftButton);
            QVERIFY(dialog.check(kInsertCheckRandomFacing)->isChecked());
            QTest::mouseClick(dialog.radio(kInsertRadioPeople), Qt::LeftButton);
            QVERIFY(selectEntry(dialog.list(kInsertListNames), QStringLiteral("Hostage")));
            QTest::mouseClick(dialog.button(kControlCancel), Qt::LeftButton);
            QCOMPARE(dialog.result(), 0);
        }
        QVERIFY(memory.random_facing);
        QVERIFY(memory.cancelled);
        // Cancel keeps the earlier choice.
        QCOMPARE(memory.item_class, kInsertClassObject);
        QCOMPARE(memory.definition_name, std::string("Oil Barrel"));

        InsertItemDialog again(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(again));
        QVERIFY(again.check(kInsertCheckRandomFacing)->isChecked());
        QVERIFY(again.radio(kInsertRadioObjects)->isChecked());
    }

    void untickingRandomFacingTurnsItOff() {
        memory.random_facing = true;
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QVERIFY(dialog.check(kInsertCheckRandomFacing)->isChecked());
        QTest::mouseClick(dialog.check(kInsertCheckRandomFacing), Qt::LeftButton);
        QVERIFY(!memory.random_facing);
    }

    void okWithNothingSelectedKeepsTheEarlierName() {
        memory.item_class = kInsertClassDecoration;
        memory.definition_name = "Bush";
        memory.cancelled = true;
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QCOMPARE(selectedText(dialog.list(kInsertListNames)), QStringLiteral("Bush"));
        QTest::mouseClick(dialog.radio(kInsertRadioPeople), Qt::LeftButton);
        QVERIFY(dialog.list(kInsertListNames)->selectedItems().isEmpty());
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(memory.item_class, kInsertClassPerson);
        QCOMPARE(memory.definition_name, std::string("Bush"));
        QVERIFY(!memory.cancelled);
    }

    void escapeCountsAsCancel() {
        InsertItemDialog dialog(fixture.window.get(), fixture.services, memory, showAll);
        QVERIFY(dialogTest_Shown(dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), 0);
        QVERIFY(memory.cancelled);
    }

    void registeredRunnerUsesTheEditorsMemoryAndAnswersAcceptedAfterOk() {
        EditorDocument& document = fixture.window->editor().document();
        document.insertItemMemory().cancelled = true;
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        const DialogRunner* runner = fixture.window->dialogs().find(kDialogInsertItem);
        QVERIFY(runner != nullptr);
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlOk, &clicked);
        const DialogResult result = (*runner)(fixture.window.get(), document.currentPage(), fixture.services);
        QCOMPARE(clicked, kControlOk);
        QVERIFY(result == DialogResult::Accepted);
        QVERIFY(!document.insertItemMemory().cancelled);
    }

  private:
    EditorWindowFixture fixture;
    InsertItemMemory memory;
    bool showAll = false;
};

QZ_SHELL_TEST(InsertItemDialogTest);

#include "insert_item_dialog_test.moc"
