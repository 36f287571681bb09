// The item attributes dialog over the demo game, driven through its control ids: what it shows,
// which controls a selection leaves enabled, what OK writes (and Cancel does not), typed input
// and the keyboard.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/item_attributes_dialog.h"
#include "editor/command_ids.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "modal_dialog_click.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <climits>
#include <cstring>
#include <memory>

namespace {

// Definition ids of the demo game's items.def.
constexpr int32_t kBlueRifleman = 3001;
constexpr int32_t kRedRifleman = 3005;
constexpr int32_t kBarracks = 5001;
constexpr int32_t kBunker = 5003;

const QString kBadText = QStringLiteral("Bad Texttool String");

int comboEntry(const QComboBox* list, const QString& text) {
    return list->findText(text, Qt::MatchExactly);
}

QStringList comboTexts(const QComboBox* list) {
    QStringList texts;
    for (int entry = 0; entry < list->count(); ++entry)
        texts << list->itemText(entry);
    return texts;
}

// The control ids the selection of a person and a building leaves enabled among those that
// follow the items, and those it disables.
const int kFacingSymbolTeamName[] = {kAttrEditHeading, kAttrEditPitch, kAttrListMapSymbol, kAttrListTeam,
                                     kAttrListName};
const int kPeopleOnly[] = {
    kAttrEditFov,           kAttrEditAccuracy,       kAttrEditPerception,   kAttrListWeapon,
    kAttrListWaypointList,  kAttrEditWaypointNumber, kAttrListWaypointName, kAttrEditWaypointDistance,
    kAttrCheckLessThan,     kAttrEditLessThan,       kAttrCheckMoreThan,    kAttrEditMoreThan,
    kAttrCheckMultiplayer,  kAttrCheckBlind,         kAttrCheckGuarding,    kAttrCheckBreakLeft,
    kAttrCheckBreakRight,   kAttrCheckStanding,      kAttrCheckProne,       kAttrCheckSilent,
    kAttrCheckClimbLadders, kAttrCheckNoWater,       kAttrCheckDeaf};
const int kNeverDisabled[] = {kAttrListLayer,       kAttrListDefinition, kAttrEditMetresX, kAttrEditPartsX,
                              kAttrEditMetresX + 2, kAttrEditPartsX + 2, kAttrListGroup};

} // namespace

class ItemAttributesDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }
    void init() {
        page_Clear(page());
        fixture.services.messages.clear();
        sources = ItemAttrSources{};
        sources.names = gamedata_Tables().names;
    }

    // ---- What it shows ----

    void everyCaptionAndListEntryIsADemoText() {
        const int person = add(kBlueRifleman);
        select({person});
        auto dialog = makeDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Item Attributes"));
        QCOMPARE(dialog->label(kAttrTextClass)->text(), QStringLiteral("Person"));
        QCOMPARE(dialog->label(kAttrTextSerial)->text(),
                 QStringLiteral("Serial number %1").arg(page().items[person].id));
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            QVERIFY2(!label->text().contains(kBadText), qPrintable(label->objectName()));
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            QVERIFY2(!button->text().contains(kBadText) && !button->text().isEmpty(),
                     qPrintable(button->objectName()));
        for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
            QVERIFY2(!group->title().contains(kBadText), qPrintable(group->objectName()));
        for (const QComboBox* list : dialog->findChildren<QComboBox*>())
            for (const QString& text : comboTexts(list))
                QVERIFY2(!text.contains(kBadText), qPrintable(list->objectName()));
    }

    void listsHoldTheirEntriesAndSelectTheShownItemsValues() {
        std::strcpy(page().layers[2].description, "Red forces");
        std::strcpy(page().groups[4].description, "Hostage guards");
        std::strcpy(page().waypoints[3].description, "Boat circuit");
        const int person = add(kRedRifleman);
        MissionItem& item = page().items[person];
        item.layer = 2;
        item.group_id = 4;
        item.waypoint_id = 3;
        item.team = 2;
        item.map_symbol = 7;
        item.weapon_type = 6;
        item.name_index = 12;
        item.ttoolindex = 9;
        select({person});
        auto dialog = makeDialog();
        QCOMPARE(dialog->combo(kAttrListLayer)->count(), kMaxLayers);
        QCOMPARE(dialog->combo(kAttrListLayer)->currentText(), QStringLiteral(" 3 - Red forces"));
        QCOMPARE(dialog->combo(kAttrListLayer)->itemText(5), QStringLiteral("Layer 6"));
        QCOMPARE(dialog->combo(kAttrListGroup)->count(), kMaxGroups);
        QCOMPARE(dialog->combo(kAttrListGroup)->itemText(0), QStringLiteral("None"));
        QCOMPARE(dialog->combo(kAttrListGroup)->currentText(), QStringLiteral(" 4 - Hostage guards"));
        QCOMPARE(dialog->combo(kAttrListWaypointList)->count(), kMaxWaypointLists);
        QCOMPARE(dialog->combo(kAttrListWaypointList)->currentText(), QStringLiteral(" 3 - Boat circuit"));
        QCOMPARE(dialog->combo(kAttrListTeam)->currentText(), QStringLiteral("Red"));
        QCOMPARE(dialog->combo(kAttrListMapSymbol)->count(), 9);
        QCOMPARE(dialog->combo(kAttrListMapSymbol)->currentText(), QStringLiteral("Circled cross"));
        QCOMPARE(dialog->combo(kAttrListWeapon)->count(), 11);
        QCOMPARE(dialog->combo(kAttrListWeapon)->currentText(), QStringLiteral("Uzi"));
        QCOMPARE(dialog->combo(kAttrListName)->count(), 41);
        QCOMPARE(dialog->combo(kAttrListName)->currentText(), QStringLiteral("Pvt. Paula Greer"));
        QCOMPARE(dialog->combo(kAttrListWaypointName)->count(), 21);
        QCOMPARE(dialog->combo(kAttrListWaypointName)->currentText(), QStringLiteral("Bridge"));
        QCOMPARE(dialog->combo(kAttrListDefinition)->currentText(), QStringLiteral("Rifleman (Red)"));
        QVERIFY(comboEntry(dialog->combo(kAttrListDefinition), QStringLiteral("Barracks")) < 0);
    }

    void showAllListsEveryDefinition() {
        select({add(kBarracks)});
        const int buildings = makeDialog()->combo(kAttrListDefinition)->count();
        sources.show_all = true;
        auto dialog = makeDialog();
        QComboBox* definitions = dialog->combo(kAttrListDefinition);
        QCOMPARE(definitions->count(), itemdef_Count());
        QVERIFY(definitions->count() > buildings);
        QVERIFY(comboEntry(definitions, QStringLiteral("Jeep Wreck")) >= 0);      // NoTool
        QVERIFY(comboEntry(definitions, QStringLiteral("Camera Position")) >= 0); // NoCTool
        QCOMPARE(definitions->currentText(), QStringLiteral("Barracks"));
    }

    void numbersShowInMetresAndPartsAndTheBoxesShowTheBits() {
        const int person = add(kBlueRifleman, -1, 2688);
        page().items[person].bmsi_attributes = 0x4000 | 0x0010 | 0x0080;
        page().items[person].wpdistance = 25;
        select({person});
        auto dialog = makeDialog();
        QCOMPARE(dialog->edit(kAttrEditMetresX)->text(), QStringLiteral("-1"));
        QCOMPARE(dialog->edit(kAttrEditPartsX)->text(), QStringLiteral("255"));
        QCOMPARE(dialog->edit(kAttrEditMetresX + 1)->text(), QStringLiteral("10"));
        QCOMPARE(dialog->edit(kAttrEditPartsX + 1)->text(), QStringLiteral("128"));
        QCOMPARE(dialog->edit(kAttrEditWaypointDistance)->text(), QStringLiteral("25"));
        QVERIFY(dialog->check(kAttrCheckDeaf)->isChecked());
        QVERIFY(dialog->check(kAttrCheckLessThan)->isChecked());
        QVERIFY(!dialog->check(kAttrCheckBlind)->isChecked());
    }

    // ---- Enabling ----

    void aPersonAndABuildingLeaveFacingMapSymbolTeamAndName() {
        select({add(kBlueRifleman), add(kBarracks)});
        auto dialog = makeDialog();
        for (int id : kFacingSymbolTeamName)
            QVERIFY2(dialog->control(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : kPeopleOnly)
            QVERIFY2(!dialog->control(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : kNeverDisabled)
            QVERIFY2(dialog->control(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void aNewBuildingDefinitionChangesTheBuildingOnly() {
        const int person = add(kBlueRifleman);
        const int building = add(kBarracks);
        select({person, building});
        auto dialog = makeDialog();
        QComboBox* definitions = dialog->combo(kAttrListDefinition);
        QCOMPARE(definitions->currentText(), QStringLiteral("Barracks"));
        definitions->setCurrentIndex(comboEntry(definitions, QStringLiteral("Bunker")));
        dialog->button(kControlOk)->click();
        QCOMPARE(dialog->result(), 1);
        QCOMPARE(page().items[building].type_id, kBunker);
        QCOMPARE(page().items[building].def_index, itemdef_FindById(kBunker));
        QCOMPARE(page().items[person].type_id, kBlueRifleman);
    }

    void aControlTheNewDefinitionDoesNotUseShowsTheItemsValueAgain() {
        sources.show_all = true;
        const int person = add(kBlueRifleman);
        page().items[person].fov = 120;
        select({person});
        auto dialog = makeDialog();
        dialog->edit(kAttrEditFov)->setText(QStringLiteral("60"));
        QComboBox* definitions = dialog->combo(kAttrListDefinition);
        definitions->setCurrentIndex(comboEntry(definitions, QStringLiteral("Barracks")));
        QVERIFY(!dialog->edit(kAttrEditFov)->isEnabled());
        QCOMPARE(dialog->edit(kAttrEditFov)->text(), QStringLiteral("120"));
        definitions->setCurrentIndex(comboEntry(definitions, QStringLiteral("Rifleman (Red)")));
        QVERIFY(dialog->edit(kAttrEditFov)->isEnabled());
        dialog->button(kControlOk)->click();
        QCOMPARE(page().items[person].fov, 120);
        QCOMPARE(page().items[person].type_id, kRedRifleman);
    }

    // ---- What OK writes ----

    void threeItemsChangingOnlyTheirTeam() {
        const int a = add(kBlueRifleman, 100, 100);
        const int b = add(kRedRifleman, 900, -40);
        const int c = add(kBlueRifleman, 5, 5);
        page().items[a].name_index = 3;
        page().items[b].name_index = 8;
        page().items[a].group_id = 1;
        page().items[b].group_id = 6;
        select({a, b, c});
        const MissionItem before[3] = {page().items[a], page().items[b], page().items[c]};
        auto dialog = makeDialog();
        dialog->combo(kAttrListTeam)->setCurrentIndex(3);
        dialog->button(kControlOk)->click();
        const int slots[3] = {a, b, c};
        for (int i = 0; i < 3; ++i) {
            MissionItem expected = before[i];
            expected.team = 3;
            QVERIFY2(std::memcmp(&page().items[slots[i]], &expected, sizeof expected) == 0,
                     qPrintable(QString::number(slots[i])));
        }
    }

    void positionEditsStoreMetresTimes256PlusParts() {
        const int person = add(kBlueRifleman);
        select({person});
        {
            auto dialog = makeDialog();
            dialog->edit(kAttrEditMetresX)->setText(QStringLiteral("10"));
            dialog->edit(kAttrEditPartsX)->setText(QStringLiteral("128"));
            dialog->edit(kAttrEditMetresX + 1)->setText(QStringLiteral("-1"));
            dialog->edit(kAttrEditPartsX + 1)->setText(QStringLiteral("0"));
            dialog->button(kControlOk)->click();
        }
        QCOMPARE(page().items[person].position[0], 2688);
        QCOMPARE(page().items[person].position[1], -256);
        auto again = makeDialog();
        QCOMPARE(again->edit(kAttrEditMetresX + 1)->text(), QStringLiteral("-1"));
        QCOMPARE(again->edit(kAttrEditPartsX + 1)->text(), QStringLiteral("0"));
    }

    void waypointNumber31IsStoredAnd32RefusedWhileATeamChangeLands() {
        const int marker = add(kWaypointMarkerType);
        page().items[marker].waypoint_id = 1;
        page().items[marker].wpnumber = 2;
        select({marker});
        {
            auto dialog = makeDialog();
            dialog->edit(kAttrEditWaypointNumber)->setText(QStringLiteral("31"));
            dialog->button(kControlOk)->click();
        }
        QCOMPARE(page().items[marker].wpnumber, 31);
        QVERIFY(fixture.services.messages.empty());

        auto dialog = makeDialog();
        dialog->edit(kAttrEditWaypointNumber)->setText(QStringLiteral("32"));
        dialog->combo(kAttrListTeam)->setCurrentIndex(1);
        dialog->button(kControlOk)->click();
        QCOMPARE(dialog->result(), 1);
        QCOMPARE(page().items[marker].wpnumber, 31);
        QCOMPARE(page().items[marker].team, 1);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        const ScriptedShellServices::Message& message = fixture.services.messages[0];
        QCOMPARE(message.caption, std::string("Waypoint Number"));
        QCOMPARE(message.text,
                 std::string("A waypoint number must be below 32. The number was not changed."));
        QCOMPARE(message.icon, MsgIcon::Error);
    }

    void uziSetsDistancesOnEveryItemAndDragunovLeavesThem() {
        const int a = add(kBlueRifleman);
        const int b = add(kRedRifleman);
        page().items[a].weapon_type = 6;
        page().items[a].edistances[0] = 1;
        page().items[a].edistances[1] = 2;
        page().items[b].weapon_type = 1;
        select({a, b});
        {
            auto dialog = makeDialog();
            QComboBox* weapons = dialog->combo(kAttrListWeapon);
            weapons->setCurrentIndex(comboEntry(weapons, QStringLiteral("Uzi")));
            dialog->button(kControlOk)->click();
        }
        for (int slot : {a, b}) {
            QCOMPARE(page().items[slot].weapon_type, 6);
            QCOMPARE(page().items[slot].edistances[0], 100);
            QCOMPARE(page().items[slot].edistances[1], 300);
        }
        page().items[a].edistances[0] = 7;
        auto dialog = makeDialog();
        QComboBox* weapons = dialog->combo(kAttrListWeapon);
        weapons->setCurrentIndex(comboEntry(weapons, QStringLiteral("Dragunov sniper rifle")));
        dialog->button(kControlOk)->click();
        QCOMPARE(page().items[a].weapon_type, 4);
        QCOMPARE(page().items[a].edistances[0], 7);
        QCOMPARE(page().items[b].edistances[0], 100);
    }

    void bitsWithoutBoxesAndOtherAttributesSurvive() {
        const int a = add(kBlueRifleman);
        const int b = add(kBlueRifleman);
        page().items[a].bmsi_attributes = 0x0080 | 0x0800 | static_cast<int32_t>(0xFFFF0000u);
        page().items[a].attributes = 0x00C0FFEE;
        page().items[b].bmsi_attributes = 0x0002;
        select({a, b});
        auto dialog = makeDialog();
        QVERIFY(dialog->check(kAttrCheckGuarding)->isChecked());
        dialog->check(kAttrCheckGuarding)->click();
        dialog->check(kAttrCheckSilent)->click();
        dialog->button(kControlOk)->click();
        QCOMPARE(page().items[a].bmsi_attributes,
                 0x0080 | 0x0800 | 0x0400 | static_cast<int32_t>(0xFFFF0000u));
        QCOMPARE(page().items[b].bmsi_attributes, 0x0400);
        QCOMPARE(page().items[a].attributes, 0x00C0FFEE);
    }

    void cancelEscapeAndClosingWriteNothing() {
        const int person = add(kBlueRifleman);
        select({person});
        const MissionItem before = page().items[person];
        const auto edited = [this] {
            auto dialog = makeDialog();
            dialog->combo(kAttrListTeam)->setCurrentIndex(4);
            dialog->edit(kAttrEditHeading)->setText(QStringLiteral("45"));
            dialog->check(kAttrCheckDeaf)->click();
            return dialog;
        };
        {
            auto dialog = edited();
            dialog->button(kControlCancel)->click();
            QCOMPARE(dialog->result(), 0);
        }
        {
            auto dialog = edited();
            QVERIFY(dialogTest_Shown(*dialog));
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
            QCOMPARE(dialog->result(), 0);
        }
        {
            auto dialog = edited();
            QVERIFY(dialogTest_Shown(*dialog));
            dialog->close();
            QCOMPARE(dialog->result(), 0);
        }
        QVERIFY(std::memcmp(&page().items[person], &before, sizeof before) == 0);
    }

    // ---- Typed input and the keyboard ----

    void enterInAnEditIsOk() {
        const int person = add(kBlueRifleman);
        select({person});
        auto dialog = makeDialog();
        QVERIFY(dialogTest_Shown(*dialog));
        QLineEdit* heading = dialog->edit(kAttrEditHeading);
        heading->setFocus();
        heading->selectAll();
        QTest::keyClicks(heading, QStringLiteral("270"));
        QTest::keyClick(heading, Qt::Key_Return);
        QCOMPARE(dialog->result(), 1);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(page().items[person].facing[0], 270);
    }

    void enterOnAListIsOk() {
        const int person = add(kBlueRifleman);
        select({person});
        auto dialog = makeDialog();
        QVERIFY(dialogTest_Shown(*dialog));
        QComboBox* team = dialog->combo(kAttrListTeam);
        team->setFocus();
        QTest::keyClick(team, Qt::Key_Down);
        QTest::keyClick(team, Qt::Key_Return);
        QCOMPARE(dialog->result(), 1);
        QCOMPARE(page().items[person].team, 2);
    }

    void tabOrderFollowsTheLayout() {
        select({add(kBlueRifleman)});
        auto dialog = makeDialog();
        QVERIFY(dialogTest_Shown(*dialog));
        const QList<int> expected = {kAttrListLayer,
                                     kAttrListDefinition,
                                     kAttrEditMetresX,
                                     kAttrEditPartsX,
                                     kAttrEditMetresX + 1,
                                     kAttrEditPartsX + 1,
                                     kAttrEditMetresX + 2,
                                     kAttrEditPartsX + 2,
                                     kAttrEditHeading,
                                     kAttrEditPitch,
                                     kAttrListMapSymbol,
                                     kAttrCheckLessThan,
                                     kAttrEditLessThan,
                                     kAttrCheckMoreThan,
                                     kAttrEditMoreThan,
                                     kAttrCheckMultiplayer,
                                     kAttrListGroup,
                                     kAttrListTeam,
                                     kAttrListName,
                                     kAttrEditFov,
                                     kAttrEditAccuracy,
                                     kAttrEditPerception,
                                     kAttrListWeapon,
                                     kAttrListWaypointList,
                                     kAttrEditWaypointNumber,
                                     kAttrListWaypointName,
                                     kAttrEditWaypointDistance,
                                     kAttrCheckBlind,
                                     kAttrCheckGuarding,
                                     kAttrCheckBreakLeft,
                                     kAttrCheckBreakRight,
                                     kAttrCheckStanding,
                                     kAttrCheckProne,
                                     kAttrCheckSilent,
                                     kAttrCheckClimbLadders,
                                     kAttrCheckNoWater,
                                     kAttrCheckDeaf,
                                     kControlOk,
                                     kControlCancel};
        dialog->control(expected.first())->setFocus(Qt::TabFocusReason);
        for (qsizetype step = 1; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dialog->control(expected[step]));
        }
    }

    void lettersReadAsZeroAndHugeNumbersAreClamped() {
        const int person = add(kBlueRifleman);
        page().items[person].facing[0] = 90;
        page().items[person].waccuracy2 = 50;
        select({person});
        auto dialog = makeDialog();
        dialog->edit(kAttrEditHeading)->setText(QStringLiteral("east"));
        dialog->edit(kAttrEditPitch)->setText(QStringLiteral("99999999999999999999"));
        dialog->edit(kAttrEditFov)->setText(QStringLiteral("-99999999999"));
        dialog->edit(kAttrEditAccuracy)->setText(QStringLiteral("75.9"));
        dialog->edit(kAttrEditMetresX)->setText(QStringLiteral("9999999"));
        dialog->button(kControlOk)->click();
        QCOMPARE(page().items[person].facing[0], 0);
        QCOMPARE(page().items[person].facing[1], INT_MAX);
        QCOMPARE(page().items[person].fov, INT_MIN);
        QCOMPARE(page().items[person].waccuracy2, 75);
        QCOMPARE(page().items[person].position[0], INT_MAX);
    }

    void editsTakeAtMost34Characters() {
        select({add(kBlueRifleman)});
        auto dialog = makeDialog();
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
            edit->setText(QString(40, QLatin1Char('7')));
            QCOMPARE(edit->text().size(), kAttrEditMaxChars);
        }
    }

    // ---- A damaged page ----

    void aDamagedItemOpensAndOkWritesNothing() {
        const int stray = add(kBlueRifleman);
        MissionItem& item = page().items[stray];
        item.type_id = 77777;
        item.layer = 99;
        item.team = -4;
        item.group_id = 64;
        item.waypoint_id = 128;
        item.name_index = 100000;
        item.ttoolindex = -1;
        item.weapon_type = 11;
        item.map_symbol = 9;
        std::memset(page().layers[0].description, 'x', sizeof page().layers[0].description);
        std::memset(page().groups[1].description, 'y', sizeof page().groups[1].description);
        std::memset(page().waypoints[1].description, 'z', sizeof page().waypoints[1].description);
        page().selection.count = 2;
        page().selection.slots[0] = 4000; // names no item
        page().selection.slots[1] = stray;
        const MissionItem before = item;

        auto dialog = makeDialog();
        for (int id : {kAttrListLayer, kAttrListTeam, kAttrListGroup, kAttrListWaypointList, kAttrListName,
                       kAttrListWaypointName, kAttrListWeapon, kAttrListMapSymbol})
            QVERIFY2(dialog->combo(id)->currentIndex() == -1, qPrintable(QString::number(id)));
        QVERIFY(dialog->combo(kAttrListLayer)->itemText(0).size() < 300);
        dialog->button(kControlOk)->click();
        QVERIFY(std::memcmp(&item, &before, sizeof before) == 0);
        QVERIFY(fixture.services.messages.empty());
    }

    void runnerAnswersCancelledWithoutShowingWhenTheSelectionNamesNoItem() {
        add(kBlueRifleman);
        page().selection.count = 1;
        page().selection.slots[0] = 7;
        QCOMPARE(dialogs_RunItemAttributes(fixture.window.get(), page(), fixture.services, sources),
                 DialogResult::Cancelled);
    }

    // ---- Through the editor ----

    void command170OpensTheRegisteredDialogOnTheSelection() {
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        const int person = add(kBlueRifleman);
        select({person});
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<ItemAttributesDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
                return;
            }
            dialog->combo(kAttrListTeam)->setCurrentIndex(4);
            dialog->button(kControlOk)->click();
        });
        fixture.window->runCommand(kCmdEditAttributes);
        QCOMPARE(page().items[person].team, 4);
        QVERIFY(fixture.services.messages.empty());
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }
    int add(int32_t type, int32_t x = 0, int32_t y = 0) {
        const int slot = page_AddItem(page(), type, x, y, 0);
        if (slot < 0) qFatal("page_AddItem refused type %d", type);
        return slot;
    }
    void select(std::initializer_list<int> slots) {
        sel_Clear(page());
        for (int slot : slots)
            sel_Add(page(), slot);
    }
    std::unique_ptr<ItemAttributesDialog> makeDialog() {
        std::optional<ItemAttrSession> session = ItemAttrSession::open(page(), sources);
        if (!session) qFatal("no item selected");
        return std::make_unique<ItemAttributesDialog>(fixture.window.get(), page(), fixture.services,
                                                      std::move(*session));
    }

    EditorWindowFixture fixture;
    ItemAttrSources sources;
};

QZ_SHELL_TEST(ItemAttributesDialogTest);
#include "item_attributes_dialog_test.moc"
