// The map centre dialog: the view centre shown in whole metres and set from them.

#include "shell_test_support.h"

#include "dialogs/center_dialog.h"
#include "dialogs/dialog_catalogue.h"
#include "editor/view_state.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <climits>

class CenterDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }
    void init() { saved = view_State(); }
    void cleanup() { view_State() = saved; }

    void opensWithTheCentreInWholeMetres() {
        view_State().center_x = 100 * 256 + 200;
        view_State().center_y = -12795; // -49.98 m: the whole metre below is -50
        CenterDialog dialog(fixture.window.get(), fixture.services);
        QCOMPARE(dialog.edit(kCenterEditX)->text(), QStringLiteral("100"));
        QCOMPARE(dialog.edit(kCenterEditY)->text(), QStringLiteral("-50"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Map Centre"));
        QCOMPARE(dialog.label(kCenterLabelX)->text(), QStringLiteral("X (east)"));
        QCOMPARE(dialog.label(kCenterLabelY)->text(), QStringLiteral("Y (north)"));
    }

    void okSetsTheCentreFromMetresAndKeepsZ() {
        view_State().center_x = 3;
        view_State().center_y = 4;
        view_State().center_z = 777;
        CenterDialog dialog(fixture.window.get(), fixture.services);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("100"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("-50"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(view_State().center_x, 25600);
        QCOMPARE(view_State().center_y, -12800);
        QCOMPARE(view_State().center_z, 777);
    }

    void okDropsTheFractionOfAnUntouchedCentre() {
        view_State().center_x = 10 * 256 + 17;
        view_State().center_y = -1;
        CenterDialog dialog(fixture.window.get(), fixture.services);
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(view_State().center_x, 2560);
        QCOMPARE(view_State().center_y, -256);
    }

    void cancelChangesNothing() {
        view_State().center_x = 1234;
        view_State().center_y = -5678;
        CenterDialog dialog(fixture.window.get(), fixture.services);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("100"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("-50"));
        QTest::mouseClick(dialog.button(kControlCancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(view_State().center_x, 1234);
        QCOMPARE(view_State().center_y, -5678);
    }

    void metresBeyondTheWorldRangeAreClamped() {
        QCOMPARE(CenterDialog::worldUnitsOfMetres(8388607), 8388607 * 256);
        QCOMPARE(CenterDialog::worldUnitsOfMetres(8388608), 8388607 * 256);
        QCOMPARE(CenterDialog::worldUnitsOfMetres(INT32_MIN), INT32_MIN);

        CenterDialog dialog(fixture.window.get(), fixture.services);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("40000000"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("none"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(view_State().center_x, 8388607 * 256);
        QCOMPARE(view_State().center_y, 0);
    }

    void runnerAnswersAcceptedAfterOk() {
        view_State().center_x = 512;
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlOk, &clicked);
        const DialogResult result =
            dialogs_RunGetCenter(fixture.window.get(), page_Current(), fixture.services);
        QCOMPARE(clicked, kControlOk);
        QVERIFY(result == DialogResult::Accepted);
        QCOMPARE(view_State().center_x, 512);
    }

  private:
    EditorWindowFixture fixture;
    ViewState saved{};
};

QZ_SHELL_TEST(CenterDialogTest);

#include "center_dialog_test.moc"
