// Input reaching the editor: button clicks (and the keyboard focus after them), keys, the mouse
// in the map view and the information windows, dialogs and the status window.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "editor/info_text.h"
#include "editor/map_navigation.h"
#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "shell/editor_menus.h"
#include "shell/info_windows.h"
#include "shell/map_view_widget.h"
#include "shell/status_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QTest>

namespace {

bool isChecked(MainWindow& window, int id) {
    auto* button = qobject_cast<QAbstractButton*>(window.control(id));
    return button != nullptr && button->isChecked();
}

void click(MainWindow& window, int id) {
    QWidget* control = window.control(id);
    QVERIFY(control != nullptr);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// A point of the map view given in off-screen image pixels.
QPoint mapPoint(MainWindow& window, int x, int y) {
    return window.mapView()->contentsRect().topLeft() + QPoint(x, y);
}

const char* notAvailableText() {
    return TextLookup("Dialog Message", "NOT_AVAILABLE");
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { QVERIFY(fixture.start()); }
    void cleanup() { fixture.stop(); }

    void checkBoxClickTogglesItsShowFlagAndGivesTheFocusBack() {
        MainWindow& window = *fixture.window;
        ViewState& view = window.editor().viewState();
        const uint32_t before = view.show_flags;
        click(window, kControlVehicles);
        QCOMPARE(view.show_flags, before & ~kShowVehicles);
        QVERIFY(!isChecked(window, kControlVehicles));
        QCOMPARE(QApplication::focusWidget(), &window);
        click(window, kControlVehicles);
        QCOMPARE(view.show_flags, before);
        QVERIFY(isChecked(window, kControlVehicles));
    }

    void keysWorkAtOnceAfterAButtonClick() {
        MainWindow& window = *fixture.window;
        click(window, kControlCharacters);
        QVERIFY(window.editor().viewState().show_flags & kShowCharacters);
        // Space would toggle a focused check box; here it reaches the main window as "redraw".
        const int renders = window.mapView()->renderCount();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(window.editor().viewState().show_flags & kShowCharacters);
        QCOMPARE(window.mapView()->renderCount(), renders + 1);
    }

    void mapModeButtonsAndKeysShareTheirRadioGroup() {
        MainWindow& window = *fixture.window;
        click(window, kControlDepthMap);
        QCOMPARE(window.editor().viewState().map_mode, 1);
        QVERIFY(isChecked(window, kControlDepthMap));
        QVERIFY(!isChecked(window, kControlColorMap));
        QTest::keyClick(&window, Qt::Key_F3);
        QCOMPARE(window.editor().viewState().map_mode, 2);
        QVERIFY(isChecked(window, kControlFirstOrderMap));
        QVERIFY(!isChecked(window, kControlDepthMap));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(window.editor().viewState().map_mode, 0);
        QVERIFY(isChecked(window, kControlColorMap));
        // The page buttons are a group of their own.
        QVERIFY(isChecked(window, kControlPage1));
    }

    void pageButtonsSwitchPageAndTitle() {
        MainWindow& window = *fixture.window;
        QVERIFY(window.openMissionFile(shellTest_DemoMission().toStdString()));
        const QString page1Title = window.windowTitle();
        QVERIFY(page1Title.contains(QStringLiteral("demo.mis")));
        click(window, kControlPage2);
        QCOMPARE(window.editor().viewState().current_page, 1);
        QVERIFY(isChecked(window, kControlPage2));
        QVERIFY(!isChecked(window, kControlPage1));
        QVERIFY(!window.windowTitle().contains(QStringLiteral("demo.mis")));
        window.menus().actionsFor(kCmdPage1).front()->trigger();
        QCOMPARE(window.editor().viewState().current_page, 0);
        QVERIFY(isChecked(window, kControlPage1));
        QCOMPARE(window.windowTitle(), page1Title);
    }

    void gridButtonsChangeTheGridSizeText() {
        MainWindow& window = *fixture.window;
        auto gridText = [&] { return window.control(kControlGridSizeText)->property("text").toString(); };
        const QString start = gridText();
        click(window, kControlGridSmaller);
        QCOMPARE(window.editor().viewState().grid_size, 0x10000);
        QVERIFY(gridText() != start);
        click(window, kControlGridLarger);
        QCOMPARE(window.editor().viewState().grid_size, 0x20000);
        QCOMPARE(gridText(), start);
    }

    void zoomAndCentreKeys() {
        MainWindow& window = *fixture.window;
        ViewState& view = window.editor().viewState();
        const float zoom = view.zoom;
        QTest::keyClick(&window, Qt::Key_PageUp);
        QCOMPARE(view.zoom, zoom * 1.1f);
        QTest::keyClick(&window, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(view.zoom, zoom * 1.1f * 0.9f);
        // A plain 3 is no key of the editor.
        QTest::keyClick(&window, Qt::Key_3);
        QCOMPARE(view.zoom, zoom * 1.1f * 0.9f);
        const int32_t x = view.center_x;
        const int32_t y = view.center_y;
        QTest::keyClick(&window, Qt::Key_Left);
        QTest::keyClick(&window, Qt::Key_Up);
        QCOMPARE(view.center_x, x - view.grid_size / 10);
        QCOMPARE(view.center_y, y + view.grid_size / 10);
    }

    void insertKeyTogglesInsertModeAndItsText() {
        MainWindow& window = *fixture.window;
        QTest::keyClick(&window, Qt::Key_Insert);
        QCOMPARE(window.editor().viewState().insert_mode, 1);
        for (QAction* action : window.menus().actionsFor(kCmdInsertMode))
            QVERIFY(action->isChecked());
        // The text stands over the top-right corner of the picture, which shows the image elsewhere.
        MapViewWidget& map = *window.mapView();
        const QImage shown = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const RasterImage& image = window.editor().image();
        const QRect contents = map.contentsRect();
        const QImage drawn(reinterpret_cast<const uchar*>(image.pixels()), image.width(), image.height(),
                           static_cast<qsizetype>(image.width()) * 4, QImage::Format_RGB32);
        auto differs = [&](const QRect& area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (shown.pixel(contents.left() + x, contents.top() + y) != drawn.pixel(x, y))
                        return true;
            return false;
        };
        const int w = contents.width();
        QVERIFY(differs(QRect(w - 60, 10, 50, 10)));
        QVERIFY(!differs(QRect(0, contents.height() / 2, 100, 10)));
        QVERIFY(!differs(QRect(w - 9, 0, 9, 9))); // the margin stays clear
    }

    void presentShowsTheRenderedImage() {
        QVERIFY(fixture.window->openMissionFile(shellTest_DemoMission().toStdString()));
        MainWindow& window = *fixture.window;
        MapViewWidget& map = *window.mapView();
        const QImage shown = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const RasterImage& image = window.editor().image();
        const QRect contents = map.contentsRect();
        int nonBlack = 0;
        for (int y = 0; y < contents.height(); y += 7) {
            for (int x = 0; x < contents.width(); x += 7) {
                const uint32_t pixel = image.pixels()[static_cast<size_t>(y) * image.width() + x] & 0xFFFFFF;
                QCOMPARE(shown.pixel(contents.left() + x, contents.top() + y) & 0xFFFFFF, pixel);
                nonBlack += pixel != 0;
            }
        }
        QVERIFY(nonBlack > 0); // the demo terrain is drawn
    }

    void middleClickRecentresOnThePointAndUpdatesTheCentreText() {
        MainWindow& window = *fixture.window;
        ViewState expected = window.editor().viewState();
        const RasterImage& image = window.editor().image();
        nav_Recentre(expected, image.width(), image.height(), 40, 30);
        QTest::mouseClick(window.mapView(), Qt::MiddleButton, {}, mapPoint(window, 40, 30));
        const ViewState& view = window.editor().viewState();
        QCOMPARE(view.center_x, expected.center_x);
        QCOMPARE(view.center_y, expected.center_y);
        QVERIFY(view.center_x != 0 || view.center_y != 0);
        // Shift + middle does nothing.
        const ViewState before = view;
        QTest::mouseClick(window.mapView(), Qt::MiddleButton, Qt::ShiftModifier, mapPoint(window, 200, 200));
        QCOMPARE(view.center_x, before.center_x);
    }

    void shiftRightDragZooms() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        ViewState& view = window.editor().viewState();
        const float start = view.zoom;
        QTest::mousePress(map, Qt::RightButton, Qt::ShiftModifier, mapPoint(window, 100, 50));
        QVERIFY(map->dragActive());
        QTest::mouseMove(map, mapPoint(window, 300, 60));
        QCOMPARE(view.zoom, 300.0f / 101.0f * start); // the start x is forced odd
        QTest::mouseRelease(map, Qt::RightButton, Qt::ShiftModifier, mapPoint(window, 300, 60));
        QVERIFY(!map->dragActive());
    }

    void rightClickOpensTheContextMenuOfTheSelection() {
        MainWindow& window = *fixture.window;
        MapViewWidget* map = window.mapView();
        QTest::mouseClick(map, Qt::RightButton, {}, mapPoint(window, 50, 50));
        QCOMPARE(map->lastContextMenu(), window.menus().mapContextMenu());
        QTRY_VERIFY(window.menus().mapContextMenu()->isVisible());
        window.menus().mapContextMenu()->close();

        QVERIFY(window.openMissionFile(shellTest_DemoMission().toStdString()));
        QCOMPARE(sel_Add(window.editor().currentPage(), 0), 1);
        QTest::mouseClick(map, Qt::RightButton, {}, mapPoint(window, 50, 50));
        QCOMPARE(map->lastContextMenu(), window.menus().itemContextMenu());
        window.menus().itemContextMenu()->close();
    }

    void dialogsWithoutAnImplementationSayNotAvailable() {
        MainWindow& window = *fixture.window;
        window.runCommand(kCmdGeneralInfo);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QCOMPARE(fixture.services.messages.back().text, std::string(notAvailableText()));
        QCOMPARE(fixture.services.messages.back().caption, std::string("Not Available"));
        // A registered dialog runs instead, on the current page.
        MissionPage* seen = nullptr;
        QWidget* owner = nullptr;
        ShellServices* services = nullptr;
        window.dialogs().add("generalinfo", [&](QWidget* parent, MissionPage& page, ShellServices& boxes) {
            seen = &page;
            owner = parent;
            services = &boxes;
            return DialogResult::Accepted;
        });
        window.runCommand(kCmdGeneralInfo);
        QCOMPARE(seen, &window.editor().currentPage());
        QCOMPARE(owner, static_cast<QWidget*>(&window));
        QCOMPARE(services, static_cast<ShellServices*>(&fixture.services));
        QCOMPARE(fixture.services.messages.size(), size_t(1));
    }

    void infoWindowClicksSendTheirCommands() {
        MainWindow& window = *fixture.window;
        MissionPage* centred = nullptr;
        window.dialogs().add("GETCENTER", [&](QWidget*, MissionPage& page, ShellServices&) {
            centred = &page;
            return DialogResult::Accepted;
        });
        QTest::mouseClick(window.centerInfoWindow(), Qt::LeftButton);
        QVERIFY(centred != nullptr);
        // With nothing selected the item attributes have nothing to edit.
        fixture.services.messages.clear();
        QTest::mouseClick(window.itemInfoWindow(), Qt::LeftButton);
        QCOMPARE(fixture.services.messages.size(), size_t(0));
        // With a selection the click asks for them; until their dialog exists a message answers.
        QVERIFY(window.openMissionFile(shellTest_DemoMission().toStdString()));
        QCOMPARE(sel_Add(window.editor().currentPage(), 0), 1);
        QTest::mouseClick(window.itemInfoWindow(), Qt::LeftButton);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        // A right click is ignored.
        QTest::mouseClick(window.itemInfoWindow(), Qt::RightButton);
        QCOMPARE(fixture.services.messages.size(), size_t(1));
    }

    void itemInfoWindowShowsTheSelection() {
        MainWindow& window = *fixture.window;
        QVERIFY(window.openMissionFile(shellTest_DemoMission().toStdString()));
        MissionPage& page = window.editor().currentPage();
        QCOMPARE(sel_Add(page, 1), 1);
        window.repaint(EditorWindow::ItemInfo);
        const std::vector<InfoLine> lines =
            info_ItemLines(page, window.metrics().charWidth, window.metrics().lineHeight);
        QCOMPARE(lines.size(), size_t(14));
        // Drawn text leaves dark pixels on the line's row, none below the last line.
        const QImage shown = window.itemInfoWindow()->grab().toImage();
        const QPoint origin = window.itemInfoWindow()->contentsRect().topLeft() + QPoint(5, 5);
        auto inked = [&](int top, int height) {
            for (int y = top; y < top + height && y < shown.height(); ++y)
                for (int x = origin.x(); x < shown.width() - 2; ++x)
                    if (qGray(shown.pixel(x, y)) < 100) return true;
            return false;
        };
        const int lh = window.metrics().lineHeight;
        QVERIFY(inked(origin.y() + lines.front().y, lh));
        QVERIFY(inked(origin.y() + lines.back().y, lh));
        QVERIFY(!inked(origin.y() + lines.back().y + 2 * lh, lh));
    }

    void modelLoadingShowsTheStatusWindowAndHidesIt() {
        MainWindow& window = *fixture.window;
        QVERIFY(window.openMissionFile(shellTest_DemoMission().toStdString()));
        StatusWindow* status = window.statusWindow();
        QVERIFY(status != nullptr);
        QVERIFY(!status->isVisible());
        QCOMPARE(status->windowTitle(), QString::fromLocal8Bit(TextLookup("Dialog Message", "STATUS")));
        QVERIFY(!status->text().isEmpty());
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(InputTest);
#include "input_test.moc"
