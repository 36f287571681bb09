// The Find Items and Problems panels and the ruler in the real main window: filtering as the
// user types, selection both ways with the map, centring, going to a problem, a closed panel that
// costs nothing, and the ruler drawn over the map.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "gamedata/item_defs.h"
#include "gamedata/string_table.h"
#include "mission/page_checks.h"
#include "mission/page_ops.h"
#include "render/map_transform.h"
#include "shell/find_items_panel.h"
#include "shell/map_view_widget.h"
#include "shell/problems_panel.h"

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

QPoint mapPoint(MainWindow& window, QPoint p) {
    return window.mapView()->contentsRect().topLeft() + p;
}

QPoint itemPixel(MainWindow& window, int slot) {
    EditorApp& app = window.editor();
    const MapTransform transform =
        map_MakeTransform(app.viewState(), app.image().width(), app.image().height());
    const MissionItem& item = app.currentPage().items[slot];
    const ScreenPoint s = WorldToScreen(transform, item.position[0], item.position[1]);
    return {s.x, s.y};
}

// A double click as the user makes it: a click, then a second press reported as a double click.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

// The centre of a table cell, for clicks.
QPoint cellCentre(QTableView* view, int row, int column) {
    return view->visualRect(view->model()->index(row, column)).center();
}

int32_t firstDefinitionOfType(int32_t type) {
    for (int i = 0; i < itemdef_Count(); ++i)
        if (itemdef_Get(i)->type == type) return itemdef_Get(i)->id;
    return itemdef_Get(0)->id;
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { QVERIFY(fixture.startWithDemoMission()); }
    void cleanup() { fixture.stop(); }

    void findItemsFiltersAsTheUserTypes() {
        MainWindow& window = *fixture.window;
        FindItemsPanel* panel = window.findItemsPanel();
        QVERIFY(!panel->isVisible());
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(panel->isVisible());
        QCOMPARE(window.focusWidget(), static_cast<QWidget*>(panel->filterBox()));
        // Texts come from the tables the start-up loaded, after the panel was made.
        QCOMPARE(panel->windowTitle(), QString::fromLatin1(TextLookup("Find Items", "TITLE")));
        QCOMPARE(panel->model().headerData(kFindName, Qt::Horizontal).toString(),
                 QString::fromLatin1(TextLookup("Find Items", "COLUMN_NAME")));
        const MissionPage& page = window.editor().currentPage();
        QCOMPARE(panel->model().rowCount(), page.num_items);

        QTest::keyClicks(panel->filterBox(), "BARRACKS");
        const int rows = panel->model().rowCount();
        QVERIFY(rows > 0 && rows < page.num_items);
        for (int row = 0; row < rows; ++row) {
            const QString definition = panel->model().index(row, kFindDefinition).data().toString();
            QVERIFY2(definition.contains(QStringLiteral("barracks"), Qt::CaseInsensitive),
                     qPrintable(definition));
        }
        panel->filterBox()->clear();
        QCOMPARE(panel->model().rowCount(), page.num_items);
    }

    void selectionGoesBothWays() {
        MainWindow& window = *fixture.window;
        FindItemsPanel* panel = window.findItemsPanel();
        window.runCommand(kCmdFindItems);
        MissionPage& page = window.editor().currentPage();
        QTableView* table = panel->tableView();

        // Rows chosen in the table select their items on the map.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(table, 3, kFindDefinition));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          cellCentre(table, 5, kFindDefinition));
        QCOMPARE(page.selection.count, 2);
        QCOMPARE(page.selection.slots[0], panel->model().table().slotAt(3));
        QCOMPARE(page.selection.slots[1], panel->model().table().slotAt(5));

        // A click on the map shows in the table.
        window.runCommand(kCmdUnselectAll);
        QCoreApplication::processEvents();
        QVERIFY(table->selectionModel()->selectedRows().isEmpty());
        const int slot = 7;
        const QPoint at = itemPixel(window, slot);
        QTest::mouseClick(window.mapView(), Qt::LeftButton, {}, mapPoint(window, at));
        QCOMPARE(page.selection.count, 1);
        const int picked = page.selection.slots[0];
        QCoreApplication::processEvents();
        const QModelIndexList rows = table->selectionModel()->selectedRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(panel->model().table().slotAt(rows[0].row()), picked);

        // Rows added with Control keep the items the filter hides; a plain click replaces them all.
        panel->filterBox()->setText(QStringLiteral("no item is called this"));
        QCOMPARE(panel->model().rowCount(), 0);
        QCOMPARE(page.selection.count, 1); // filtering changes no selection
        panel->filterBox()->setText(QStringLiteral("barracks"));
        QVERIFY(panel->model().table().rowOfSlot(picked) < 0);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          cellCentre(table, 0, kFindSlot));
        QCOMPARE(page.selection.count, 2);
        QCOMPARE(page.selection.slots[0], picked);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(table, 1, kFindSlot));
        QCOMPARE(page.selection.count, 1);
        QCOMPARE(page.selection.slots[0], panel->model().table().slotAt(1));
    }

    void doubleClickCentresTheMapOnTheItem() {
        MainWindow& window = *fixture.window;
        FindItemsPanel* panel = window.findItemsPanel();
        window.runCommand(kCmdFindItems);
        QTableView* table = panel->tableView();
        const int row = 10;
        const int slot = panel->model().table().slotAt(row);
        table->scrollTo(panel->model().index(row, 0));
        const QPoint cell = cellCentre(table, row, kFindName);
        doubleClick(table->viewport(), cell);
        const MissionItem& item = window.editor().currentPage().items[slot];
        QCOMPARE(window.editor().viewState().center_x, item.position[0]);
        QCOMPARE(window.editor().viewState().center_y, item.position[1]);
    }

    void panelsFollowEveryChangeOnlyWhileShown() {
        MainWindow& window = *fixture.window;
        FindItemsPanel* find = window.findItemsPanel();
        ProblemsPanel* problems = window.problemsPanel();
        window.runCommand(kCmdFindItems);
        window.runCommand(kCmdProblems);
        QCoreApplication::processEvents();
        const int rebuilds = find->rebuildCount();
        const int checks = problems->checkCount();
        MissionPage& page = window.editor().currentPage();
        const int before = page.num_items;
        QCOMPARE(sel_Add(page, 0), 1);
        window.runCommand(kCmdDelete);
        window.runCommand(kCmdUnselectAll); // two commands, one update
        QCoreApplication::processEvents();
        QCOMPARE(find->model().rowCount(), before - 1);
        QCOMPARE(find->rebuildCount(), rebuilds + 1);
        QCOMPARE(problems->checkCount(), checks + 1);

        find->hide();
        problems->hide();
        for (int i = 0; i < 5; ++i)
            window.runCommand(kCmdUnselectAll);
        QCoreApplication::processEvents();
        QCOMPARE(find->rebuildCount(), rebuilds + 1);
        QCOMPARE(problems->checkCount(), checks + 1);
        window.runCommand(kCmdFindItems);
        QCOMPARE(find->rebuildCount(), rebuilds + 2);
        QCOMPARE(find->model().rowCount(), before - 1);
    }

    void findItemsKeepsItsPlaceWhileTheRowsStay() {
        MainWindow& window = *fixture.window;
        FindItemsPanel* panel = window.findItemsPanel();
        window.runCommand(kCmdFindItems);
        QCoreApplication::processEvents();
        MissionPage& page = window.editor().currentPage();
        QTableView* table = panel->tableView();
        QSignalSpy resets(&panel->model(), &QAbstractItemModel::modelReset);

        // The first row chosen, then the table scrolled away from it, down and across.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(table, 0, kFindSlot));
        const int slot = panel->model().table().slotAt(0);
        QCOMPARE(page.selection.count, 1);
        QScrollBar* down = table->verticalScrollBar();
        QScrollBar* across = table->horizontalScrollBar();
        QVERIFY(down->maximum() > 0 && across->maximum() > 0);
        down->setValue(down->maximum());
        across->setValue(across->maximum());

        // Commands that move or change nothing in the rows leave the table where it is; moved
        // items show their new positions.
        const QString before = panel->model().index(0, kFindPosition).data().toString();
        page.items[slot].position[0] += 256 * 100;
        window.runCommand(kCmdColorMap);
        window.runCommand(kCmdMeasure);
        window.runCommand(kCmdMeasure);
        QCoreApplication::processEvents();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(down->value(), down->maximum());
        QCOMPARE(across->value(), across->maximum());
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        QVERIFY(panel->model().index(0, kFindPosition).data().toString() != before);

        // A new selection scrolls to its row, but only up or down.
        window.runCommand(kCmdUnselectAll);
        QCoreApplication::processEvents();
        QVERIFY(table->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(sel_Add(page, slot), 1);
        window.runCommand(kCmdColorMap);
        QCoreApplication::processEvents();
        QCOMPARE(down->value(), 0);
        QCOMPARE(across->value(), across->maximum());

        // Rows that come or go make a new table.
        window.runCommand(kCmdDelete);
        QCoreApplication::processEvents();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(panel->model().rowCount(), page.num_items);
    }

    void problemsListStaysAsItIsWhenNothingChanged() {
        MainWindow& window = *fixture.window;
        ProblemsPanel* panel = window.problemsPanel();
        MissionPage& page = window.editor().currentPage();
        window.runCommand(kCmdProblems);
        const int32_t vehicle = firstDefinitionOfType(kItemTypeVehicle);
        QVERIFY(page_AddItem(page, vehicle, kTerrainBoundary + 2560, 0, 0) >= 0);
        QVERIFY(page_AddItem(page, vehicle, -kTerrainBoundary - 2560, 0, 0) >= 0);
        window.runCommand(kCmdUnselectAll);
        QCoreApplication::processEvents();
        QCOMPARE(panel->model().rowCount(), 2);
        QTableView* table = panel->tableView();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          cellCentre(table, 1, ProblemsModel::kProblem));
        QSignalSpy resets(panel->tableView()->model(), &QAbstractItemModel::modelReset);

        window.runCommand(kCmdColorMap);
        QCoreApplication::processEvents();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(table->selectionModel()->selectedRows()[0].row(), 1);
    }

    void problemsListTheChecksAndADoubleClickGoesThere() {
        MainWindow& window = *fixture.window;
        ProblemsPanel* panel = window.problemsPanel();
        MissionPage& page = window.editor().currentPage();
        window.runCommand(kCmdProblems);
        QCOMPARE(panel->model().rowCount(), 0); // the demo mission is sound
        QVERIFY(panel->windowTitle().startsWith(QString::fromLatin1(TextLookup("Problems", "TITLE"))));
        const int far =
            page_AddItem(page, firstDefinitionOfType(kItemTypeVehicle), kTerrainBoundary + 2560, 0, 0);
        QVERIFY(far >= 0);
        window.runCommand(kCmdUnselectAll);
        QCoreApplication::processEvents();
        QCOMPARE(panel->model().rowCount(), 1);
        QCOMPARE(panel->model().problems()[0].code, ProblemCode::ItemOutsideTerrain);
        QVERIFY(panel->windowTitle().contains(QStringLiteral("(1)")));

        QTableView* table = panel->tableView();
        doubleClick(table->viewport(), cellCentre(table, 0, ProblemsModel::kProblem));
        QCOMPARE(page.selection.count, 1);
        QCOMPARE(page.selection.slots[0], far);
        QCOMPARE(window.editor().viewState().center_x, page.items[far].position[0]);

        // Deleting the selected item fixes it: the list follows.
        window.runCommand(kCmdDelete);
        QCoreApplication::processEvents();
        QCOMPARE(panel->model().rowCount(), 0);
        QCOMPARE(page_CheckProblems(page).size(), size_t(0));
    }

    void rulerIsDrawnOverTheMapAndEscapePutsItAway() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        QTest::keyClick(&window, Qt::Key_R);
        QVERIFY(window.editor().mouse().measuring());
        const QPoint from(100, 100), to(300, 100);
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, from));
        QTest::mouseMove(map, mapPoint(window, to));
        RulerLine line;
        QVERIFY(window.editor().mouse().rulerShown(line));
        QCOMPARE(line.by, line.ay); // straight east
        QVERIFY(line.bx > line.ax);

        // The line is drawn on the screen over the image, not into it.
        QCoreApplication::processEvents();
        const QImage shown = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint middle = mapPoint(window, QPoint(200, 100));
        QCOMPARE(shown.pixel(middle) & 0xFFFFFFu, 0xFFFFFFu);
        QCoreApplication::processEvents();
        const int renders = map->renderCount();
        QTest::mouseMove(map, mapPoint(window, QPoint(320, 140)));
        QCoreApplication::processEvents();
        QCOMPARE(map->renderCount(), renders); // following the mouse renders nothing

        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.editor().mouse().measuring());
        QVERIFY(!window.editor().mouse().rulerShown(line));
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(PanelsTest);
#include "panels_test.moc"
