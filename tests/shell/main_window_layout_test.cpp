// The main window as built: every control at its id, kind, label and position, the child
// windows, the start states, the title and the icon.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "editor/control_layout.h"
#include "editor/info_text.h"
#include "editor/title_text.h"
#include "gamedata/string_table.h"
#include "shell/client_area.h"
#include "shell/font_metrics.h"
#include "shell/info_windows.h"
#include "shell/map_view_widget.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// The documented position formulas, written out independently of the editor's layout table.
struct ExpectedControl {
    int id;
    const char* kind; // Qt class name
    const char* label;
    std::function<QRect(int cw, int lh)> rect;
};

std::vector<ExpectedControl> expectedControls() {
    std::vector<ExpectedControl> controls = {
        {1001, "QPushButton", "COLOR_MAP_BUTTON",
         [](int cw, int lh) { return QRect(cw, lh / 2, 4 * cw, 7 * lh / 4); }},
        {1002, "QPushButton", "DEPTH_MAP_BUTTON",
         [](int cw, int lh) { return QRect(5 * cw, lh / 2, 4 * cw, 7 * lh / 4); }},
        {1003, "QPushButton", "FIRST_ORDER_MAP_BUTTON",
         [](int cw, int lh) { return QRect(9 * cw, lh / 2, 4 * cw, 7 * lh / 4); }},
        {1034, "QPushButton", "PAGE_1_BUTTON",
         [](int cw, int lh) { return QRect(18 * cw, lh / 2, 4 * cw, 7 * lh / 4); }},
        {1035, "QPushButton", "PAGE_2_BUTTON",
         [](int cw, int lh) { return QRect(22 * cw, lh / 2, 4 * cw, 7 * lh / 4); }},
        {1043, "QPushButton", "LAYER_BUTTON",
         [](int cw, int lh) { return QRect(62 * cw, lh / 2, 20 * cw, 7 * lh / 4); }},
        {1010, "QPushButton", "UNSELECT_ALL_BUTTON",
         [](int cw, int lh) { return QRect(84 * cw, lh / 2, 20 * cw, 7 * lh / 4); }},
        {1011, "QGroupBox", "GRID",
         [](int cw, int lh) { return QRect(cw, lh / 2 + 2 * lh, 25 * cw, 4 * lh); }},
        {1040, "QCheckBox", "VIEW",
         [](int cw, int lh) { return QRect(2 * cw, lh / 2 + 3 * lh + lh / 4, 14 * cw, lh); }},
        {1013, "QPushButton", "GRID-",
         [](int cw, int lh) { return QRect(17 * cw, lh / 2 + 3 * lh + lh / 4, 3 * cw, lh); }},
        {1014, "QPushButton", "GRID+",
         [](int cw, int lh) { return QRect(21 * cw, lh / 2 + 3 * lh + lh / 4, 3 * cw, lh); }},
        {1015, "QCheckBox", "SNAP_TO_GRID",
         [](int cw, int lh) { return QRect(2 * cw, 2 * (lh / 2) + 4 * lh, 14 * cw, lh); }},
        {1012, "QLabel", nullptr,
         [](int cw, int lh) { return QRect(17 * cw, 2 * (lh / 2) + 4 * lh, 8 * cw, lh); }},
        {1016, "QGroupBox", "SHOW",
         [](int cw, int lh) { return QRect(cw, lh / 2 + 6 * lh, 25 * cw, lh / 2 + 17 * lh); }},
    };
    const std::pair<int, const char*> showBoxes[] = {
        {1017, "VEHICLES"},    {1018, "PEOPLE"},      {1019, "BUILDINGS"},  {1020, "OBJECTS"},
        {1021, "DECORATIONS"}, {1022, "MARKERS"},     {1041, "FOV_CONES"},  {1042, "AREA_TRIGGERS"},
        {1044, "WATER"},       {1023, "TEAM_BLUE"},   {1024, "TEAM_RED"},   {1025, "TEAM_GREEN"},
        {1046, "TEAM_YELLOW"}, {1047, "TEAM_VIOLET"}, {1026, "CHARACTERS"},
    };
    int line = 7;
    for (const auto& [id, label] : showBoxes) {
        const int row = line++;
        controls.push_back({id, "QCheckBox", label,
                            [row](int cw, int lh) { return QRect(2 * cw, lh / 2 + row * lh, 17 * cw, lh); }});
    }
    return controls;
}

QString labelOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
    if (auto* text = qobject_cast<QLabel*>(widget)) return text->text();
    return {};
}

bool isChecked(MainWindow& window, int id) {
    auto* button = qobject_cast<QAbstractButton*>(window.control(id));
    return button != nullptr && button->isChecked();
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { QVERIFY(fixture.start()); }
    void cleanup() { fixture.stop(); }

    void metricsComeFromTheFixedPitchFont() {
        const ShellMetrics measured = shell_MeasureFixedFont();
        const QFontMetrics font(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QCOMPARE(fixture.window->metrics().charWidth, font.averageCharWidth());
        QCOMPARE(fixture.window->metrics().lineHeight, font.height() + font.leading());
        QCOMPARE(measured.charWidth, fixture.window->metrics().charWidth);
    }

    void everyControlStandsAtItsIdKindLabelAndPosition() {
        MainWindow& window = *fixture.window;
        const int cw = window.metrics().charWidth;
        const int lh = window.metrics().lineHeight;
        const std::vector<ExpectedControl> expected = expectedControls();
        QCOMPARE(expected.size(), ctl_Controls().size());
        for (const ExpectedControl& control : expected) {
            QWidget* widget = window.control(control.id);
            QVERIFY2(widget != nullptr, qPrintable(QString::number(control.id)));
            QCOMPARE(shell_ControlId(widget), control.id);
            QCOMPARE(widget->metaObject()->className(), control.kind);
            QCOMPARE(widget->parentWidget(), window.clientArea());
            // The buttons right of the centre window move with its right edge.
            const int shift = ctl_IsRightOfCenterInfo(control.id)
                                  ? window.centerInfoWindow()->geometry().right() - 60 * cw
                                  : 0;
            QCOMPARE(widget->geometry(), control.rect(cw, lh).translated(shift, 0));
            if (control.label != nullptr)
                QCOMPARE(labelOf(widget),
                         QString::fromLocal8Bit(TextLookup("Med Window Text", control.label)));
        }
    }

    void radioButtonsArePushLikeAndGroupedInTwos() {
        MainWindow& window = *fixture.window;
        for (int id : {1001, 1002, 1003, 1034, 1035}) {
            auto* button = qobject_cast<QPushButton*>(window.control(id));
            QVERIFY(button != nullptr);
            QVERIFY(button->isCheckable());
            QVERIFY(button->group() != nullptr);
        }
        auto* colour = qobject_cast<QPushButton*>(window.control(1001));
        auto* page1 = qobject_cast<QPushButton*>(window.control(1034));
        QCOMPARE(colour->group(), qobject_cast<QPushButton*>(window.control(1003))->group());
        QVERIFY(colour->group() != page1->group());
        QVERIFY(!qobject_cast<QPushButton*>(window.control(1043))->isCheckable());
    }

    void startStatesAreThoseOfANewWindow() {
        MainWindow& window = *fixture.window;
        QVERIFY(isChecked(window, 1001));
        QVERIFY(!isChecked(window, 1002));
        QVERIFY(isChecked(window, 1034));
        QVERIFY(!isChecked(window, 1035));
        QVERIFY(isChecked(window, 1040));
        QVERIFY(!isChecked(window, 1015));
        for (const ShowFlagControl& flag : ctl_ShowFlagControls())
            QCOMPARE(isChecked(window, flag.control), flag.control != kControlCharacters);
        QCOMPARE(labelOf(window.control(1012)), QString::fromStdString(editor_GridSizeText(0x20000)));
        QCOMPARE(window.windowTitle(), QString::fromStdString(editor_TitleText("")));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(window.backupTimer().isActive());
        QCOMPARE(window.backupTimer().interval(), 600000);
    }

    void childWindowsFollowTheClientSize() {
        MainWindow& window = *fixture.window;
        const int cw = window.metrics().charWidth;
        const int lh = window.metrics().lineHeight;
        for (const QSize size : {QSize(1280, 860), QSize(1500, 1000)}) {
            window.resize(size);
            QCoreApplication::processEvents();
            const int r = window.clientArea()->width();
            const int b = window.clientArea()->height();
            // Inclusive rectangles: QRect(QPoint, QPoint) has the same convention.
            QCOMPARE(window.mapView()->geometry(),
                     QRect(QPoint(27 * cw, 3 * lh), QPoint(r - cw, b - lh / 2)));
            QCOMPARE(window.itemInfoWindow()->geometry(),
                     QRect(QPoint(cw, 24 * lh), QPoint(26 * cw, b - lh / 2)));
            const QRect centre = window.centerInfoWindow()->geometry();
            QCOMPARE(centre.topLeft(), QPoint(27 * cw, lh / 2));
            QCOMPARE(centre.bottom(), 2 * lh + lh / 8);
            QVERIFY(centre.right() >= 60 * cw);
        }
    }

    void centreWindowHoldsItsWidestTextBesideTheButtons() {
        MainWindow& window = *fixture.window;
        window.resize(1280, 860);
        QCoreApplication::processEvents();
        const QFrame* centre = window.centerInfoWindow();
        const QString widest = QString::fromLocal8Bit(info_WidestCenterText());
        const int needed =
            QFontMetrics(window.metrics().font).horizontalAdvance(widest) + 2 * kInfoTextMargin;
        QVERIFY2(centre->contentsRect().width() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(centre->contentsRect().width()).arg(needed)));
        // The buttons right of it moved over, keeping the table's gap of one character and more.
        for (int id : {kControlLayers, kControlUnselectAll}) {
            QVERIFY(window.control(id)->geometry().left() >
                    centre->geometry().right() + window.metrics().charWidth);
            QVERIFY(window.control(id)->geometry().right() < window.clientArea()->width());
        }
        QVERIFY(window.control(kControlUnselectAll)->geometry().left() >
                window.control(kControlLayers)->geometry().right());
        QVERIFY(window.minimumWidth() > window.control(kControlUnselectAll)->geometry().right());
    }

    void offscreenImageIsRemadeForTheMapViewSize() {
        MainWindow& window = *fixture.window;
        for (const QSize size : {QSize(1280, 860), QSize(1400, 900)}) {
            window.resize(size);
            QCoreApplication::processEvents();
            window.mapView()->repaint();
            const QSize view = window.mapView()->contentsRect().size();
            const RasterImage& image = window.editor().image();
            QCOMPARE(image.height(), view.height());
            QCOMPARE(image.width(), (view.width() + 16) / 16 * 16);
        }
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(MainWindowLayoutTest);
#include "main_window_layout_test.moc"
