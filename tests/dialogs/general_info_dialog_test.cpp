// The general information dialog over the demo game: what it shows, what typed values store,
// when the terrain is loaded, Cancel and Escape, the keyboard, a damaged page, and a mission
// edited through it, saved, exported and read back.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/general_info_dialog.h"
#include "editor/command_ids.h"
#include "foundation/text_source.h"
#include "gamedata/string_table.h"
#include "gamedata/sunset_defs.h"
#include "mission/bms_layout.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"
#include "shell/status_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The page's plain data, to compare a page before and after a dialog.
std::unique_ptr<MissionPageData> snapshotOf(const MissionPage& page) {
    auto copy = std::make_unique<MissionPageData>();
    std::memcpy(static_cast<void*>(copy.get()), static_cast<const MissionPageData*>(&page), sizeof *copy);
    return copy;
}

bool sameData(const MissionPageData& before, const MissionPage& page) {
    return std::memcmp(&before, static_cast<const MissionPageData*>(&page), sizeof before) == 0;
}

// The part of a page the dialog edits (the map view recomputes derived fields of the rest while
// a dialog is shown).
bool sameGeneralInfo(const MissionPageData& before, const MissionPage& page) {
    return std::memcmp(&before.general, &page.general, sizeof before.general) == 0 &&
           std::memcmp(before.subgoals_win, page.subgoals_win, sizeof before.subgoals_win) == 0 &&
           std::memcmp(before.subgoals_lose, page.subgoals_lose, sizeof before.subgoals_lose) == 0;
}

int entryIndex(const QComboBox* box, const QString& text) {
    return box->findText(text, Qt::MatchExactly);
}

QString weaponText(const char* key) {
    return QString::fromLatin1(TextLookup("Weapons", key));
}

// Runs `answer` on the modal dialog that opens next.
void whenGeneralInfoOpens(std::function<void(GeneralInfoDialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<GeneralInfoDialog*>(modal)) {
            answer(*dialog);
        } else if (modal != nullptr) {
            modal->close();
        }
    });
}

// A checksum of the colour map the page shows.
quint32 colourMapSum(const MissionPage& page) {
    if (!page.imagery) return 0;
    quint32 sum = 0;
    for (int i = 0; i < kTerrainMapPixels; i += 97)
        sum = sum * 31 + page.imagery->color_map[i];
    return sum;
}

int32_t headerInt(const QByteArray& bytes, size_t offset) {
    int32_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

} // namespace

class GeneralInfoDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(fixture.startWithDemoMission());
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        log.clear();
    }
    void cleanup() { fixture.stop(); }

    void opensWithTheGameTextsAndThePagesValues() {
        MissionPage& page = currentPage();
        auto dialog = makeDialog(page);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("General Information"));
        for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
            if (auto* box = qobject_cast<const QAbstractButton*>(widget)) text = box->text();
            if (auto* group = qobject_cast<const QGroupBox*>(widget)) text = group->title();
            if (auto* list = qobject_cast<const QComboBox*>(widget))
                for (int i = 0; i < list->count(); ++i)
                    text += list->itemText(i);
            QVERIFY2(!text.contains(QLatin1String(kBadTextString)), qPrintable(widget->objectName()));
        }
        QComboBox* terrains = dialog->combo(kGeneralListTerrain);
        QVERIFY(terrains->count() >= 3);
        QCOMPARE(terrains->currentText().toLatin1(), QByteArray(page.general.terrain));
        QCOMPARE(dialog->edit(kGeneralEditName)->text().toLatin1(), QByteArray(page.general.name));
        QCOMPARE(dialog->combo(kGeneralListSun)->count(), sunset_Count());
        QVERIFY(dialog->combo(kGeneralListFirstWin)->count() > 1);
        QVERIFY(dialog->combo(kGeneralListFirstLose + 3)->count() > 1);

        // The demo mission holds values the lists offer: each shows its own entry.
        for (const QComboBox* list : dialog->findChildren<QComboBox*>())
            QVERIFY2(list->currentIndex() >= 0, qPrintable(list->objectName()));
        const GeneralInfoChoices choices = geninfo_BuildChoices(geninfo_GameSources());
        for (int slot = 0; slot < kDefaultEquipmentSlots; ++slot)
            QCOMPARE(dialog->combo(GeneralInfoDialog::equipmentListId(slot))->currentIndex(),
                     geninfo_ExactIndexOfCode(choices.equipment[slot], page.general.default_equipment[slot]));
        QCOMPARE(dialog->combo(kGeneralListSun)->currentIndex(),
                 geninfo_ExactIndexOfCode(choices.suns, page.general.sunset));
    }

    void windSpeedIsHeldTo45AndReadsNoNegatives() {
        MissionPage& page = currentPage();
        QCOMPARE(typeAndOk(page, kGeneralEditWindSpeed, QStringLiteral("60")), 1);
        QCOMPARE(page.general.wind[0], 45);
        typeAndOk(page, kGeneralEditWindSpeed, QStringLiteral("-5"));
        QCOMPARE(page.general.wind[0], 0);
        typeAndOk(page, kGeneralEditWindSpeed, QStringLiteral("  17 km/h"));
        QCOMPARE(page.general.wind[0], 17);
        typeAndOk(page, kGeneralEditWindSpeed, QStringLiteral("99999999999999"));
        QCOMPARE(page.general.wind[0], 45);
        typeAndOk(page, kGeneralEditWindDirection, QStringLiteral("200"));
        QCOMPARE(page.general.wind[1], 200);
        typeAndOk(page, kGeneralEditWindDirection, QStringLiteral("-90"));
        QCOMPARE(page.general.wind[1], 0);
        typeAndOk(page, kGeneralEditFireMissions, QStringLiteral("5"));
        QCOMPARE(page.general.arty, 5);
        typeAndOk(page, kGeneralEditFireMissions, QStringLiteral("abc"));
        QCOMPARE(page.general.arty, 0);
    }

    void fogColourPartsAreHeldToAByte() {
        MissionPage& page = currentPage();
        auto dialog = makeDialog(page);
        dialog->edit(kGeneralEditFogRed)->setText(QStringLiteral("300"));
        dialog->edit(kGeneralEditFogGreen)->setText(QStringLiteral("20"));
        dialog->edit(kGeneralEditFogBlue)->setText(QStringLiteral("10"));
        dialog->check(kGeneralCheckFogColour)->setChecked(true);
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QCOMPARE(page.general.fog_color, 0xFF140A);
        QVERIFY((page.general.attrib & kGeneralAttribFogColor) != 0);
    }

    void okWithoutATerrainChangeLoadsNoTerrain() {
        MissionPage& page = currentPage();
        auto dialog = makeDialog(page);
        dialog->edit(kGeneralEditName)->setText(QStringLiteral("Renamed"));
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QCOMPARE(QByteArray(page.general.name), QByteArray("Renamed"));
        QCOMPARE(log, (QStringList{QStringLiteral("status"), QStringLiteral("hide")}));
    }

    void okWithAnotherTerrainLoadsItAndThenTheModels() {
        MissionPage& page = currentPage();
        auto dialog = makeDialog(page);
        QComboBox* terrains = dialog->combo(kGeneralListTerrain);
        const int coast = entryIndex(terrains, QStringLiteral("coast"));
        QVERIFY(coast >= 0 && coast != terrains->currentIndex());
        terrains->setCurrentIndex(coast);
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QCOMPARE(QByteArray(page.general.terrain), QByteArray("coast"));
        QCOMPARE(log, (QStringList{QStringLiteral("status"), QStringLiteral("terrain:coast"),
                                   QStringLiteral("hide"), QStringLiteral("models")}));
    }

    void terrainChosenFromTheMenuIsShownOnTheMap() {
        MissionPage& page = currentPage();
        const quint32 hills = colourMapSum(page);
        bool opened = false;
        whenGeneralInfoOpens([&opened](GeneralInfoDialog& dialog) {
            opened = true;
            QComboBox* terrains = dialog.combo(kGeneralListTerrain);
            terrains->setCurrentIndex(entryIndex(terrains, QStringLiteral("desert")));
            dialog.button(kControlOk)->click();
        });
        fixture.window->runCommand(kCmdGeneralInfo);
        QVERIFY(opened);
        QVERIFY(fixture.services.messages.empty()); // no "not available yet"
        QCOMPARE(QByteArray(page.general.terrain), QByteArray("desert"));
        QVERIFY(colourMapSum(page) != hills);
        QVERIFY(fixture.window->statusWindow() == nullptr || !fixture.window->statusWindow()->isVisible());
    }

    void cancelAndEscapeChangeNothing() {
        MissionPage& page = currentPage();
        const auto before = snapshotOf(page);
        for (bool escape : {false, true}) {
            auto dialog = makeDialog(page);
            QVERIFY(dialogTest_Shown(*dialog));
            dialog->edit(kGeneralEditName)->setText(QStringLiteral("Changed"));
            dialog->edit(kGeneralEditWindSpeed)->setText(QStringLiteral("30"));
            dialog->check(kGeneralCheckNight)->toggle();
            QComboBox* terrains = dialog->combo(kGeneralListTerrain);
            terrains->setCurrentIndex((terrains->currentIndex() + 1) % terrains->count());
            if (escape)
                QTest::keyClick(dialog->edit(kGeneralEditName), Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->button(kControlCancel), Qt::LeftButton);
            QCOMPARE(dialog->result(), 1);
            QVERIFY(sameGeneralInfo(*before, page));
        }
        QVERIFY(log.isEmpty());
    }

    void enterInAFieldIsOk() {
        MissionPage& page = currentPage();
        auto dialog = makeDialog(page);
        QVERIFY(dialogTest_Shown(*dialog));
        QLineEdit* designer = dialog->edit(kGeneralEditDesigner);
        designer->setFocus();
        designer->selectAll();
        QTest::keyClicks(designer, QStringLiteral("Field Team"));
        QTest::keyClick(designer, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QByteArray(page.general.designer), QByteArray("Field Team"));
    }

    void tabGoesThroughTheColumnsTopToBottom() {
        auto dialog = makeDialog(currentPage());
        QVERIFY(dialogTest_Shown(*dialog));
        QApplication::setActiveWindow(dialog.get());
        dialog->edit(kGeneralEditName)->setFocus();
        const int middle = dialog->group(kGeneralGroupMapTypes)->mapTo(dialog.get(), QPoint()).x();
        const int right = dialog->group(kGeneralGroupSky)->mapTo(dialog.get(), QPoint()).x();
        // Controls in one row share their centre line; the next row lies lower.
        auto before = [&](QWidget* a, QWidget* b) {
            const QPoint pa = a->mapTo(dialog.get(), a->rect().center());
            const QPoint pb = b->mapTo(dialog.get(), b->rect().center());
            auto column = [&](QWidget* w) {
                const int x = w->mapTo(dialog.get(), QPoint()).x();
                return x >= right ? 2 : x >= middle ? 1 : 0;
            };
            if (column(a) != column(b)) return column(a) < column(b);
            if (std::abs(pa.y() - pb.y()) <= 3) return pa.x() < pb.x();
            return pa.y() < pb.y();
        };
        QWidget* previous = QApplication::focusWidget();
        QCOMPARE(previous, dialog->edit(kGeneralEditName));
        int visited = 1;
        while (previous != dialog->control(kGeneralEditFireMissions)) {
            QTest::keyClick(previous, Qt::Key_Tab);
            QWidget* next = QApplication::focusWidget();
            QVERIFY(next != nullptr && next != previous);
            QVERIFY2(before(previous, next),
                     qPrintable(previous->objectName() + " -> " + next->objectName()));
            previous = next;
            QVERIFY(++visited < 100);
        }
        // Every control that takes input is on the way: name, designer, terrain and colours; four
        // weapons; wind speed and direction; nine map types; three override boxes with their five
        // edits; weather box and list, sky preset and night; eight conditions; fire missions.
        QCOMPARE(visited, 4 + 4 + 2 + 9 + 8 + 4 + 8 + 1);
        QTest::keyClick(previous, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->control(kControlOk));
    }

    void terrainNameThePageCannotHoldIsRefusedAndTheDialogStaysOpen() {
        const QString file = QDir(shellTest_GameDir()).filePath(QStringLiteral("averyveryverylongname.trn"));
        QVERIFY(QFile::copy(QDir(shellTest_GameDir()).filePath(QStringLiteral("coast.trn")), file));
        MissionPage& page = currentPage();
        const auto before = snapshotOf(page);
        auto dialog = makeDialog(page);
        QFile::remove(file);
        QVERIFY(dialogTest_Shown(*dialog));
        QComboBox* terrains = dialog->combo(kGeneralListTerrain);
        terrains->setCurrentIndex(entryIndex(terrains, QStringLiteral("averyveryverylongname")));
        QVERIFY(terrains->currentIndex() >= 0);
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QVERIFY(fixture.services.messages[0].text.find("averyveryverylongname") != std::string::npos);
        QVERIFY(sameGeneralInfo(*before, page));
        QVERIFY(log.isEmpty());
        // Another terrain then goes through.
        terrains->setCurrentIndex(entryIndex(terrains, QStringLiteral("coast")));
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QByteArray(page.general.terrain), QByteArray("coast"));
    }

    void weaponsShowByTheChoiceListRuleAndUnknownCodesSurvive() {
        MissionPage& page = currentPage();
        page.general.default_equipment[kEquipmentPrimary] = 23;
        page.general.default_equipment[kEquipmentSidearm] = 99;
        auto dialog = makeDialog(page);
        QCOMPARE(dialog->combo(kGeneralListPrimary)->currentText(), weaponText("M40A1"));
        QCOMPARE(dialog->combo(kGeneralListSidearm)->currentIndex(), 0);
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QCOMPARE(page.general.default_equipment[kEquipmentSidearm], 99);

        auto again = makeDialog(page);
        QComboBox* sidearms = again->combo(kGeneralListSidearm);
        sidearms->setCurrentIndex(entryIndex(sidearms, weaponText("H&K_P11")));
        QComboBox* auxiliary = again->combo(kGeneralListAuxiliary);
        auxiliary->setCurrentIndex(entryIndex(auxiliary, weaponText("GHILLIE_SUIT")));
        QTest::mouseClick(again->button(kControlOk), Qt::LeftButton);
        QCOMPARE(page.general.default_equipment[kEquipmentSidearm], 28);
        QCOMPARE(page.general.default_equipment[kEquipmentAuxiliary], 32);
        QCOMPARE(page.general.default_equipment[kEquipmentPrimary], 23);
    }

    void damagedPageOpensAndOkWritesNothingUntouched() {
        auto page = std::make_unique<MissionPage>();
        GeneralInfo& g = page->general;
        std::memset(g.name, 'N', sizeof g.name);
        std::memset(g.designer, 'D', sizeof g.designer);
        std::memset(g.terrain, 'T', sizeof g.terrain);
        g.terrain_color = -4;
        g.weather_type = 7;
        g.sunset = 250;
        g.default_equipment[2] = -100;
        g.wind[0] = 60;
        g.wind[1] = -1;
        g.fog_color = static_cast<int32_t>(0xC0C0C0C0);
        g.attrib = -1;
        page->subgoals_win[1] = 120;
        page->subgoals_lose[3] = -50;
        const auto before = snapshotOf(*page);
        auto dialog = makeDialog(*page);
        QCOMPARE(dialog->combo(kGeneralListTerrain)->currentIndex(), -1);
        QCOMPARE(dialog->combo(kGeneralListWeather)->currentIndex(), -1);
        QCOMPARE(dialog->combo(kGeneralListFirstWin + 1)->currentIndex(), -1);
        QCOMPARE(dialog->edit(kGeneralEditName)->text(), QString(kGeneralInfoTextLimit, QLatin1Char('N')));
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        QVERIFY(sameData(*before, *page));
        QCOMPARE(log, (QStringList{QStringLiteral("status"), QStringLiteral("hide")}));
    }

    void editedMissionIsSavedExportedAndReadBack() {
        MissionPage& page = currentPage();
        whenGeneralInfoOpens([](GeneralInfoDialog& dialog) {
            dialog.edit(kGeneralEditName)->setText(QStringLiteral("Operation Round Trip"));
            dialog.edit(kGeneralEditDesigner)->setText(QStringLiteral("Geninfo"));
            QComboBox* terrains = dialog.combo(kGeneralListTerrain);
            terrains->setCurrentIndex(entryIndex(terrains, QStringLiteral("coast")));
            QComboBox* weather = dialog.combo(kGeneralListWeather);
            weather->setCurrentIndex(entryIndex(weather, QString::fromLatin1(TextLookup("Weather", "SNOW"))));
            dialog.check(kGeneralCheckWeather)->setChecked(true);
            dialog.edit(kGeneralEditWindSpeed)->setText(QStringLiteral("60"));
            dialog.edit(kGeneralEditWindDirection)->setText(QStringLiteral("270"));
            dialog.edit(kGeneralEditFogRed)->setText(QStringLiteral("300"));
            dialog.edit(kGeneralEditFogGreen)->setText(QStringLiteral("20"));
            dialog.edit(kGeneralEditFogBlue)->setText(QStringLiteral("10"));
            dialog.check(3833)->setChecked(true); // flagball, bit 27
            dialog.combo(kGeneralListFirstWin + 2)->setCurrentIndex(3);
            QComboBox* primary = dialog.combo(kGeneralListPrimary);
            primary->setCurrentIndex(entryIndex(primary, weaponText("UAR")));
            dialog.edit(kGeneralEditFireMissions)->setText(QStringLiteral("6"));
            dialog.button(kControlOk)->click();
        });
        fixture.window->runCommand(kCmdGeneralInfo);
        QCOMPARE(QByteArray(page.general.name), QByteArray("Operation Round Trip"));

        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString mission = work.filePath(QStringLiteral("edited.mis"));
        const QString binary = work.filePath(QStringLiteral("edited.bms"));
        fixture.services.fileAnswers = {mission.toStdString()};
        fixture.window->runCommand(kCmdSave);
        fixture.services.fileAnswers = {binary.toStdString()};
        fixture.window->runCommand(kCmdExport);
        QVERIFY(fixture.services.messages.empty());

        // The metafile, as the command-line tool reads it.
        QProcess info;
        info.start(QStringLiteral(QZ_QZMISSION), {QStringLiteral("--game"), shellTest_GameDir(),
                                                  QStringLiteral("info"), mission, QStringLiteral("--json")});
        QVERIFY(info.waitForFinished(60000));
        QCOMPARE(info.exitCode(), 0);
        const QJsonObject json = QJsonDocument::fromJson(info.readAllStandardOutput()).object();
        const QJsonObject general = json.value(QStringLiteral("general")).toObject();
        QCOMPARE(general.value(QStringLiteral("name")).toString(), QStringLiteral("Operation Round Trip"));
        QCOMPARE(general.value(QStringLiteral("designer")).toString(), QStringLiteral("Geninfo"));
        QCOMPARE(general.value(QStringLiteral("terrain")).toString(), QStringLiteral("coast"));
        QCOMPARE(general.value(QStringLiteral("weather_type")).toInt(), 2);
        QCOMPARE(general.value(QStringLiteral("fog_color")).toInt(), 0xFF140A);
        QCOMPARE(general.value(QStringLiteral("arty")).toInt(), 6);
        QCOMPARE(general.value(QStringLiteral("wind")).toArray(), (QJsonArray{45, 270}));
        QCOMPARE(general.value(QStringLiteral("default_equipment")).toArray().at(kEquipmentPrimary).toInt(),
                 29);
        const int attrib = general.value(QStringLiteral("attrib")).toInt();
        QVERIFY((attrib & (1 << 27)) != 0 && (attrib & kGeneralAttribWeather) != 0);
        QCOMPARE(json.value(QStringLiteral("subgoals_win")).toArray().at(2).toInt(), 3);

        // The binary mission's header.
        QFile exported(binary);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray bytes = exported.readAll();
        QVERIFY(static_cast<size_t>(bytes.size()) >= kBmsHeaderSize);
        QCOMPARE(QByteArray(bytes.constData() + kBmsHdrName), QByteArray("Operation Round Trip"));
        QCOMPARE(QByteArray(bytes.constData() + kBmsHdrTerrain), QByteArray("coast"));
        QCOMPARE(headerInt(bytes, kBmsHdrWeather), 2);
        QCOMPARE(headerInt(bytes, kBmsHdrFogColor), 0xFF140A);
        QCOMPARE(headerInt(bytes, kBmsHdrWindSpeed), 45);
        QCOMPARE(headerInt(bytes, kBmsHdrWindDirection), 270);
        QCOMPARE(static_cast<uint8_t>(bytes[int(kBmsHdrEquipment + kEquipmentPrimary)]), uint8_t(29));
        QCOMPARE(static_cast<int8_t>(bytes[int(kBmsHdrSubgoalsWin + 2)]), int8_t(3));

        // Opened again in the editor.
        fixture.window->runCommand(kCmdClear);
        fixture.services.fileAnswers = {mission.toStdString()};
        fixture.window->runCommand(kCmdOpen);
        QCOMPARE(QByteArray(page.general.name), QByteArray("Operation Round Trip"));
        QCOMPARE(page.general.wind[0], 45);
        auto reopened = makeDialog(page);
        QCOMPARE(reopened->combo(kGeneralListTerrain)->currentText(), QStringLiteral("coast"));
        QCOMPARE(reopened->combo(kGeneralListWeather)->currentText(),
                 QString::fromLatin1(TextLookup("Weather", "SNOW")));
        QCOMPARE(reopened->edit(kGeneralEditFogRed)->text(), QStringLiteral("255"));
    }

  private:
    MissionPage& currentPage() { return fixture.window->editor().currentPage(); }

    // The dialog over the demo game's lists, with effects that only log.
    std::unique_ptr<GeneralInfoDialog> makeDialog(MissionPage& page) {
        GeneralInfoEffects effects;
        effects.show_status = [this](const std::string&) { log << QStringLiteral("status"); };
        effects.hide_status = [this] { log << QStringLiteral("hide"); };
        effects.load_terrain = [this](MissionPage& loaded) {
            log << QStringLiteral("terrain:") + QString::fromLatin1(loaded.general.terrain);
        };
        effects.load_models = [this] { log << QStringLiteral("models"); };
        return std::make_unique<GeneralInfoDialog>(fixture.window.get(), page, fixture.services,
                                                   geninfo_BuildChoices(geninfo_GameSources()), effects);
    }

    // Types `text` into edit `id` of a new dialog and presses OK; the dialog's result.
    int typeAndOk(MissionPage& page, int id, const QString& text) {
        auto dialog = makeDialog(page);
        dialog->edit(id)->setText(text);
        QTest::mouseClick(dialog->button(kControlOk), Qt::LeftButton);
        return dialog->result();
    }

    EditorWindowFixture fixture;
    QStringList log;
};

QZ_SHELL_TEST(GeneralInfoDialogTest);
#include "general_info_dialog_test.moc"
