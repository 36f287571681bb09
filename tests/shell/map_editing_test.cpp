// Editing on the map through the real widgets: clicks and rectangles select, the rubber band is
// shown while a rectangle is dragged, placements follow the mouse and a right click cancels them,
// and the item information window's click waits for an idle tool.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "gamedata/item_defs.h"
#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "render/map_transform.h"
#include "shell/info_windows.h"
#include "shell/map_view_widget.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>

namespace {

QPoint mapPoint(MainWindow& window, int x, int y) {
    return window.mapView()->contentsRect().topLeft() + QPoint(x, y);
}

// The first definition of a vehicle: shown with the start-up show flags.
int32_t vehicleType() {
    for (int i = 0; i < itemdef_Count(); ++i)
        if (itemdef_Get(i)->type == kItemTypeVehicle) return itemdef_Get(i)->id;
    return itemdef_Get(0)->id;
}

// Where item `slot` of the current page is drawn, in image pixels.
QPoint itemPixel(MainWindow& window, int slot) {
    EditorApp& app = window.editor();
    const MapTransform transform =
        map_MakeTransform(app.viewState(), app.image().width(), app.image().height());
    const MissionItem& item = app.currentPage().items[slot];
    const ScreenPoint s = WorldToScreen(transform, item.position[0], item.position[1]);
    return {s.x, s.y};
}

} // namespace

class MapEditingTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(fixture.start());
        MissionPage& page = fixture.window->editor().currentPage();
        page_Clear(page);
        // Three vehicles 20 m apart along X around the view centre.
        for (int i = 0; i < 3; ++i)
            QVERIFY(page_AddItem(page, vehicleType(), (i - 1) * 20 * 256, 0, 0) == i);
        fixture.window->mapView()->redraw();
    }
    void cleanup() { fixture.stop(); }

    void clickTogglesTheNearestItem() {
        MainWindow& window = *fixture.window;
        MissionPage& page = window.editor().currentPage();
        const QPoint at = itemPixel(window, 1);
        QCoreApplication::processEvents();
        const int renders = window.mapView()->renderCount();
        QTest::mouseClick(window.mapView(), Qt::LeftButton, {}, mapPoint(window, at.x() + 1, at.y()));
        QCOMPARE(page.selection.count, 1);
        QCOMPARE(page.selection.slots[0], 1);
        // Only the toggled item is drawn again: the view shows the image without rendering the page.
        QCoreApplication::processEvents();
        QCOMPARE(window.mapView()->renderCount(), renders);
        QTest::mouseClick(window.mapView(), Qt::LeftButton, {}, mapPoint(window, at.x(), at.y() + 1));
        QCOMPARE(page.selection.count, 0);
    }

    void shiftRectangleShowsTheBandAndAddsWhatItCovers() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        MissionPage& page = window.editor().currentPage();
        const QPoint first = itemPixel(window, 0);
        const QPoint second = itemPixel(window, 1);
        const QPoint from(first.x() - 4, first.y() - 4);
        const QPoint to(second.x() + 4, second.y() + 4);
        QTest::mousePress(map, Qt::LeftButton, Qt::ShiftModifier, mapPoint(window, from.x(), from.y()));
        QTest::mouseMove(map, mapPoint(window, to.x(), to.y()));
        BandRect band;
        QVERIFY(window.editor().mouse().bandShown(band));
        QCOMPARE(QPoint(band.x2, band.y2), to);

        // The band is on the screen, exclusive-or'ed over the map, and nowhere else.
        const QImage shown = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint corner = mapPoint(window, to.x(), to.y() - 2);
        const uint32_t underneath =
            window.editor().image().pixels()[(to.y() - 2) * window.editor().image().width() + to.x()];
        QCOMPARE(shown.pixel(corner) & 0xFFFFFFu, (underneath ^ kRubberBandColour) & 0xFFFFFFu);

        QTest::mouseRelease(map, Qt::LeftButton, Qt::ShiftModifier, mapPoint(window, to.x(), to.y()));
        QVERIFY(!window.editor().mouse().bandShown(band));
        QCOMPARE(page.selection.count, 2);
        QCOMPARE(page.selection.slots[0], 0);
        QCOMPARE(page.selection.slots[1], 1);

        // Control removes the first again.
        QTest::mousePress(map, Qt::LeftButton, Qt::ControlModifier,
                          mapPoint(window, first.x() - 2, first.y() - 2));
        QTest::mouseMove(map, mapPoint(window, first.x() + 2, first.y() + 2));
        QTest::mouseRelease(map, Qt::LeftButton, Qt::ControlModifier,
                            mapPoint(window, first.x() + 2, first.y() + 2));
        QCOMPARE(page.selection.count, 1);
        QCOMPARE(page.selection.slots[0], 1);
    }

    void moveFollowsTheMouseAndARightClickCancelsIt() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        MissionPage& page = window.editor().currentPage();
        QCOMPARE(sel_Add(page, 2), 1);
        const int32_t x = page.items[2].position[0];
        window.runCommand(kCmdMove);
        QCOMPARE(window.editor().mouse().toolState(), int32_t(kToolMove));
        QTest::mouseMove(map, mapPoint(window, 10, 10));
        QVERIFY(window.editor().mouse().offsetX() != 0);
        QTest::mouseClick(map, Qt::RightButton, {}, mapPoint(window, 10, 10));
        QCOMPARE(window.editor().mouse().toolState(), int32_t(kToolIdle));
        QCOMPARE(page.items[2].position[0], x);
        // The cancelling click opens no context menu.
        QCOMPARE(map->lastContextMenu(), static_cast<QMenu*>(nullptr));

        // Moved for real this time: the item lands under the click.
        window.runCommand(kCmdMove);
        const QPoint target = itemPixel(window, 0);
        QTest::mouseMove(map, mapPoint(window, target.x(), target.y()));
        QTest::mouseClick(map, Qt::LeftButton, {}, mapPoint(window, target.x(), target.y()));
        QCOMPARE(window.editor().mouse().toolState(), int32_t(kToolIdle));
        const QPoint landed = itemPixel(window, 2);
        QVERIFY2((landed - target).manhattanLength() <= 1, "the moved item lands under the click");
    }

    void itemInformationClickWaitsForAnIdleTool() {
        MainWindow& window = *fixture.window;
        MissionPage& page = window.editor().currentPage();
        QCOMPARE(sel_Add(page, 0), 1);
        window.runCommand(kCmdCopy);
        window.runCommand(kCmdPaste);
        QCOMPARE(window.editor().mouse().toolState(), int32_t(kToolPaste));
        QTest::mouseClick(window.itemInfoWindow(), Qt::LeftButton);
        QVERIFY(fixture.services.messages.empty());
        // Idle again: the click asks for the item attributes, not built yet.
        QTest::mouseClick(window.mapView(), Qt::RightButton, {}, mapPoint(window, 5, 5));
        QTest::mouseClick(window.itemInfoWindow(), Qt::LeftButton);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QCOMPARE(fixture.services.messages[0].text,
                 std::string(TextLookup("Dialog Message", "NOT_AVAILABLE")));
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(MapEditingTest);
#include "map_editing_test.moc"
