// The player waypoint names dialog: sixteen integers shown and stored by OK, by Escape and by
// the window's close box.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/waypoint_names_dialog.h"
#include "mission/page_ops.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <climits>

namespace {

QLineEdit* blueEdit(const DialogFrame& dialog, int row) {
    return dialog.edit(kWaypointNamesFirstBlue + row - 1);
}
QLineEdit* redEdit(const DialogFrame& dialog, int row) {
    return dialog.edit(kWaypointNamesFirstRed + row - 1);
}

} // namespace

class WaypointNamesDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }

    void init() {
        page_Clear(page());
        for (int entry = 0; entry < kPlayerWaypointNames; ++entry) {
            page().general.wp_names_blue[entry] = entry + 1;
            page().general.wp_names_red[entry] = 100 + entry;
        }
        page().general.wp_names_red[7] = -12;
    }

    void rowsShowTheValuesOfBothTeams() {
        WaypointNamesDialog dialog(nullptr, page(), fixture.services);
        for (int row = 1; row <= 8; ++row) {
            QVERIFY(blueEdit(dialog, row) != nullptr && redEdit(dialog, row) != nullptr);
            QCOMPARE(blueEdit(dialog, row)->text(), QString::number(row));
        }
        QCOMPARE(redEdit(dialog, 1)->text(), QStringLiteral("100"));
        QCOMPARE(redEdit(dialog, 8)->text(), QStringLiteral("-12"));
    }

    void okStoresEveryValueAsAnInteger() {
        WaypointNamesDialog dialog(nullptr, page(), fixture.services);
        blueEdit(dialog, 1)->setText(QStringLiteral("42"));
        blueEdit(dialog, 8)->setText(QStringLiteral("  -7x"));
        redEdit(dialog, 2)->setText(QStringLiteral("abc"));
        redEdit(dialog, 3)->setText(QStringLiteral("99999999999"));
        redEdit(dialog, 4)->clear();
        dialog.button(kControlOk)->click();
        QCOMPARE(dialog.result(), 1);
        const GeneralInfo& general = page().general;
        QCOMPARE(general.wp_names_blue[0], 42);
        QCOMPARE(general.wp_names_blue[1], 2);
        QCOMPARE(general.wp_names_blue[7], -7);
        QCOMPARE(general.wp_names_red[0], 100);
        QCOMPARE(general.wp_names_red[1], 0);
        QCOMPARE(general.wp_names_red[2], INT32_MAX);
        QCOMPARE(general.wp_names_red[3], 0);
        QCOMPARE(general.wp_names_red[7], -12);
    }

    void escapeStoresAndClosesWithOne() {
        WaypointNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        redEdit(dialog, 5)->setText(QStringLiteral("555"));
        blueEdit(dialog, 2)->setText(QStringLiteral("-2"));
        QTest::keyClick(redEdit(dialog, 5), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(page().general.wp_names_red[4], 555);
        QCOMPARE(page().general.wp_names_blue[1], -2);
    }

    void closingTheWindowStoresToo() {
        WaypointNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        blueEdit(dialog, 3)->setText(QStringLiteral("33"));
        dialog.close();
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(page().general.wp_names_blue[2], 33);
    }

    void runnerAnswersAcceptedAndKeepsTheValues() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            blueEdit(*dialog, 6)->setText(QStringLiteral("60"));
            dialog->button(kControlOk)->click();
        });
        QCOMPARE(dialogs_RunWaypointNames(fixture.window.get(), page(), fixture.services),
                 DialogResult::Accepted);
        QCOMPARE(page().general.wp_names_blue[5], 60);
        QCOMPARE(page().general.wp_names_red[7], -12);
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }

    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(WaypointNamesDialogTest);
#include "waypoint_names_dialog_test.moc"
