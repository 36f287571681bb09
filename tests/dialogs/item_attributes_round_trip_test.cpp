// Several people of the demo mission edited at once through command 170 and the item attributes
// dialog, then saved and exported: the saved mission (read back by `qzmission info --json` and by
// the editor itself) and the binary mission hold the edited values.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/item_attributes_dialog.h"
#include "editor/command_ids.h"
#include "mission/bms_layout.h"
#include "mission/page_ops.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr int32_t kYellowTeam = 3;
constexpr int32_t kUziWeapon = 6;
constexpr int32_t kBoatList = 3;
constexpr int32_t kHeading = 123;
constexpr int32_t kSilentBit = 0x400;

// The values the edit gives every edited person.
struct Edited {
    int32_t team, weapon, waypoint_list, heading, silent;
    int32_t edistance_min, edistance_max;
};
constexpr Edited kExpected = {kYellowTeam, kUziWeapon, kBoatList, kHeading, kSilentBit, 100, 300};

// Answers the next item attributes dialog like a designer.
void answerWithTheEdit(bool* answered) {
    QTimer::singleShot(0, [answered] {
        auto* dialog = qobject_cast<ItemAttributesDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            return;
        }
        dialog->combo(kAttrListTeam)->setCurrentIndex(kYellowTeam);
        dialog->combo(kAttrListWeapon)->setCurrentIndex(kUziWeapon);
        dialog->combo(kAttrListWaypointList)->setCurrentIndex(kBoatList);
        dialog->edit(kAttrEditHeading)->setText(QString::number(kHeading));
        if (!dialog->check(kAttrCheckSilent)->isChecked()) dialog->check(kAttrCheckSilent)->click();
        *answered = true;
        dialog->button(kControlOk)->click();
    });
}

int32_t readInt32(const QByteArray& bytes, qsizetype at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return static_cast<int32_t>(value);
}

int16_t readInt16(const QByteArray& bytes, qsizetype at) {
    return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

} // namespace

class ItemAttributesRoundTripTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(fixture.startWithDemoMission());
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
    }
    void cleanup() { fixture.stop(); }

    void peopleEditedTogetherAreSavedExportedAndReadBack() {
        MainWindow& window = *fixture.window;
        MissionPage& page = window.editor().currentPage();

        // Three people of the demo mission, one of them with another weapon and team already.
        std::vector<int> people;
        for (int slot = 0; slot < page.num_items && people.size() < 3; ++slot)
            if (page.items[slot].item_class == kClassPerson) people.push_back(slot);
        QCOMPARE(people.size(), size_t(3));
        page.items[people[0]].weapon_type = 4;
        sel_Clear(page);
        for (int slot : people)
            sel_Add(page, slot);
        std::map<int32_t, MissionItem> before; // by serial number
        for (int slot : people)
            before[page.items[slot].id] = page.items[slot];

        bool answered = false;
        answerWithTheEdit(&answered);
        window.runCommand(kCmdEditAttributes);
        QVERIFY(answered);
        for (int slot : people)
            checkEdited(page.items[slot], before.at(page.items[slot].id));

        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString missionPath = work.filePath(QStringLiteral("edited.mis"));
        const QString binaryPath = work.filePath(QStringLiteral("edited.bms"));
        fixture.services.fileAnswers = {missionPath.toStdString()};
        window.runCommand(kCmdSave);
        fixture.services.fileAnswers = {binaryPath.toStdString()};
        window.runCommand(kCmdExport);
        QVERIFY(fixture.services.messages.empty());

        // The saved mission as qzmission reads it.
        QProcess info;
        info.start(QStringLiteral(QZ_QZMISSION),
                   {QStringLiteral("--game"), shellTest_GameDir(), QStringLiteral("info"), missionPath,
                    QStringLiteral("--json")});
        QVERIFY(info.waitForFinished(60000));
        QCOMPARE(info.exitCode(), 0);
        const QJsonArray items =
            QJsonDocument::fromJson(info.readAllStandardOutput()).object()["items"].toArray();
        QCOMPARE(items.size(), page.num_items);
        int found = 0;
        for (const QJsonValue& value : items) {
            const QJsonObject item = value.toObject();
            const auto edited = before.find(item["id"].toInt());
            if (edited == before.end()) continue;
            ++found;
            QCOMPARE(item["team"].toInt(), kExpected.team);
            QCOMPARE(item["weapon_type"].toInt(), kExpected.weapon);
            QCOMPARE(item["waypoint_id"].toInt(), kExpected.waypoint_list);
            QCOMPARE(item["facing"].toArray()[0].toInt(), kExpected.heading);
            QCOMPARE(item["edistances"].toArray()[0].toInt(), kExpected.edistance_min);
            QCOMPARE(item["edistances"].toArray()[1].toInt(), kExpected.edistance_max);
            QCOMPARE(item["bmsi_attributes"].toInt(), edited->second.bmsi_attributes | kExpected.silent);
            QCOMPARE(item["name_index"].toInt(), edited->second.name_index);
            QCOMPARE(item["group_id"].toInt(), edited->second.group_id);
        }
        QCOMPARE(found, 3);

        // The binary mission: every item record carries its serial number.
        QFile binary(binaryPath);
        QVERIFY(binary.open(QIODevice::ReadOnly));
        const QByteArray bytes = binary.readAll();
        QVERIFY(bytes.size() > qsizetype(kBmsHeaderSize));
        const qsizetype records = readInt32(bytes, kBmsHdrGeneralCount) +
                                  readInt32(bytes, kBmsHdrDecorationCount) +
                                  readInt32(bytes, kBmsHdrMarkerCount) + readInt32(bytes, kBmsHdrPeopleCount);
        QVERIFY(qsizetype(kBmsHeaderSize) + records * qsizetype(kBmsItemSize) <= bytes.size());
        found = 0;
        for (qsizetype record = 0; record < records; ++record) {
            const qsizetype at = qsizetype(kBmsHeaderSize) + record * qsizetype(kBmsItemSize);
            if (before.count(readInt32(bytes, at + kBmsItemId)) == 0) continue;
            ++found;
            QCOMPARE(int32_t(uint8_t(bytes[at + kBmsItemTeam])), kExpected.team);
            QCOMPARE(int32_t(uint8_t(bytes[at + kBmsItemWeapon])), kExpected.weapon);
            QCOMPARE(int32_t(uint8_t(bytes[at + kBmsItemWaypointId])), kExpected.waypoint_list);
            QCOMPARE(int32_t(readInt16(bytes, at + kBmsItemHeading)), kExpected.heading);
            QCOMPARE(readInt32(bytes, at + kBmsItemEDistanceMin), kExpected.edistance_min);
            QCOMPARE(readInt32(bytes, at + kBmsItemEDistanceMax), kExpected.edistance_max);
            QVERIFY((readInt32(bytes, at + kBmsItemBmsiAttributes) & kSilentBit) != 0);
        }
        QCOMPARE(found, 3);

        // The editor opens the saved mission with the same values.
        window.runCommand(kCmdClear);
        fixture.services.fileAnswers = {missionPath.toStdString()};
        window.runCommand(kCmdOpen);
        found = 0;
        for (int slot = 0; slot < page.num_items; ++slot) {
            const auto edited = before.find(page.items[slot].id);
            if (edited == before.end()) continue;
            ++found;
            checkEdited(page.items[slot], edited->second);
        }
        QCOMPARE(found, 3);
    }

  private:
    static void checkEdited(const MissionItem& item, const MissionItem& before) {
        QCOMPARE(item.team, kExpected.team);
        QCOMPARE(item.weapon_type, kExpected.weapon);
        QCOMPARE(item.waypoint_id, kExpected.waypoint_list);
        QCOMPARE(item.facing[0], kExpected.heading);
        QCOMPARE(item.edistances[0], kExpected.edistance_min);
        QCOMPARE(item.edistances[1], kExpected.edistance_max);
        QCOMPARE(item.bmsi_attributes, before.bmsi_attributes | kExpected.silent);
        QCOMPARE(item.type_id, before.type_id);
        QCOMPARE(item.position[0], before.position[0]);
        QCOMPARE(item.name_index, before.name_index);
        QCOMPARE(item.group_id, before.group_id);
    }

    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(ItemAttributesRoundTripTest);
#include "item_attributes_round_trip_test.moc"
