// A designer's session through the real window and the real dialogs: open the demo mission,
// insert a person with the insert dialog, move it, copy it, paste it onto Page 2, save Page 2 and
// open the saved file again.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/insert_item_dialog.h"
#include "editor/command_ids.h"
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "render/map_transform.h"
#include "shell/map_view_widget.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

QPoint mapPoint(MainWindow& window, QPoint imagePixel) {
    return window.mapView()->contentsRect().topLeft() + imagePixel;
}

QPoint itemPixel(MainWindow& window, const MissionItem& item) {
    EditorApp& app = window.editor();
    const MapTransform transform =
        map_MakeTransform(app.viewState(), app.image().width(), app.image().height());
    const ScreenPoint s = WorldToScreen(transform, item.position[0], item.position[1]);
    return {s.x, s.y};
}

// Answers the next insert dialog like a designer: People, the first name of the list, OK.
void answerInsertDialogWithAPerson(QString* chosen) {
    QTimer::singleShot(0, [chosen] {
        auto* dialog = qobject_cast<InsertItemDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        dialog->radio(kInsertRadioPeople)->click();
        QListWidget* names = dialog->list(kInsertListNames);
        if (names->count() > 0) {
            names->setCurrentRow(0);
            *chosen = names->item(0)->text();
        }
        dialog->button(kControlOk)->click();
    });
}

} // namespace

class EditorSessionTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(fixture.startWithDemoMission());
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
    }
    void cleanup() { fixture.stop(); }

    void insertMoveCopyPasteSaveAndOpenAgain() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        EditorApp& app = window.editor();
        MissionPage& page1 = app.currentPage();
        const int before = page1.num_items;
        QVERIFY(before > 0);

        // Insert a person at the centre of the view.
        window.runCommand(kCmdInsertMode);
        const QPoint centre(app.image().width() / 2, app.image().height() / 2);
        QString chosen;
        answerInsertDialogWithAPerson(&chosen);
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, centre));
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(page1.num_items, before + 1);
        const int person = before;
        QCOMPARE(page1.items[person].item_class, int32_t(kClassPerson));
        QCOMPARE(QString::fromLatin1(itemdef_Get(itemdef_FindById(page1.items[person].type_id))->name),
                 chosen);
        window.runCommand(kCmdInsertMode);

        // Select it alone and move it 40 pixels to the right.
        window.runCommand(kCmdUnselectAll);
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, itemPixel(window, page1.items[person])));
        QCOMPARE(page1.selection.count, 1);
        QCOMPARE(page1.selection.slots[0], person);
        const QPoint from = itemPixel(window, page1.items[person]);
        const QPoint to = from + QPoint(40, 0);
        window.runCommand(kCmdMove);
        QTest::mouseMove(map, mapPoint(window, to));
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, to));
        QVERIFY((itemPixel(window, page1.items[person]) - to).manhattanLength() <= 1);
        const int32_t heading = page1.items[person].facing[0];

        // Copy it, switch to Page 2 and paste it at the centre.
        window.runCommand(kCmdCopy);
        window.runCommand(kCmdPage2);
        MissionPage& page2 = app.currentPage();
        QVERIFY(&page2 != &page1);
        QCOMPARE(page2.num_items, 0);
        window.runCommand(kCmdPaste);
        QTest::mouseMove(map, mapPoint(window, centre));
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, centre));
        QCOMPARE(page2.num_items, 1);
        QCOMPARE(page2.selection.count, 1);
        QCOMPARE(page2.items[0].type_id, page1.items[person].type_id);
        QCOMPARE(page2.items[0].facing[0], heading);
        const int32_t x = page2.items[0].position[0], y = page2.items[0].position[1];

        // Save Page 2, clear it and open the file again.
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const std::string path = work.filePath(QStringLiteral("page2.mis")).toStdString();
        fixture.services.fileAnswers = {path};
        window.runCommand(kCmdSave);
        QVERIFY(fixture.services.messages.empty());
        QCOMPARE(std::string(page2.general.mission_file), path);
        window.runCommand(kCmdClear);
        QCOMPARE(page2.num_items, 0);
        // The cleared page differs from its file: Open asks first, and No lets it go.
        fixture.services.fileAnswers = {path};
        fixture.services.messageAnswers = {MsgAnswer::No};
        window.runCommand(kCmdOpen);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QCOMPARE(page2.num_items, 1);
        QCOMPARE(page2.items[0].type_id, page1.items[person].type_id);
        QCOMPARE(page2.items[0].position[0], x);
        QCOMPARE(page2.items[0].position[1], y);
        QCOMPARE(page2.items[0].facing[0], heading);
        QVERIFY(window.windowTitle().contains(QStringLiteral("page2.mis")));
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(EditorSessionTest);
#include "editor_session_test.moc"
