// The map centre dialog: the view centre shown in whole metres and set from them.

#include "shell_test_support.h"

#include "dialogs/center_dialog.h"
#include "dialogs/dialog_catalogue.h"
#include "editor/command_table.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"
#include "render/view_state.h"

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
    void init() { view_Reset(view); }

    void opensWithTheCentreInWholeMetres() {
        view.center_x = 100 * 256 + 200;
        view.center_y = -12795; // -49.98 m: the whole metre below is -50
        CenterDialog dialog(fixture.window.get(), fixture.services, view);
        QCOMPARE(dialog.edit(kCenterEditX)->text(), QStringLiteral("100"));
        QCOMPARE(dialog.edit(kCenterEditY)->text(), QStringLiteral("-50"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Map Centre"));
        QCOMPARE(dialog.label(kCenterLabelX)->text(), QStringLiteral("X (east)"));
        QCOMPARE(dialog.label(kCenterLabelY)->text(), QStringLiteral("Y (north)"));
    }

    void okSetsTheCentreFromMetresAndKeepsZ() {
        view.center_x = 3;
        view.center_y = 4;
        view.center_z = 777;
        CenterDialog dialog(fixture.window.get(), fixture.services, view);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("100"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("-50"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(view.center_x, 25600);
        QCOMPARE(view.center_y, -12800);
        QCOMPARE(view.center_z, 777);
    }

    void okDropsTheFractionOfAnUntouchedCentre() {
        view.center_x = 10 * 256 + 17;
        view.center_y = -1;
        CenterDialog dialog(fixture.window.get(), fixture.services, view);
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(view.center_x, 2560);
        QCOMPARE(view.center_y, -256);
    }

    void cancelChangesNothing() {
        view.center_x = 1234;
        view.center_y = -5678;
        CenterDialog dialog(fixture.window.get(), fixture.services, view);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("100"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("-50"));
        QTest::mouseClick(dialog.button(kControlCancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(view.center_x, 1234);
        QCOMPARE(view.center_y, -5678);
    }

    void metresBeyondTheWorldRangeAreClamped() {
        QCOMPARE(CenterDialog::worldUnitsOfMetres(8388607), 8388607 * 256);
        QCOMPARE(CenterDialog::worldUnitsOfMetres(8388608), 8388607 * 256);
        QCOMPARE(CenterDialog::worldUnitsOfMetres(INT32_MIN), INT32_MIN);

        CenterDialog dialog(fixture.window.get(), fixture.services, view);
        dialog.edit(kCenterEditX)->setText(QStringLiteral("40000000"));
        dialog.edit(kCenterEditY)->setText(QStringLiteral("none"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(view.center_x, 8388607 * 256);
        QCOMPARE(view.center_y, 0);
    }

    void registeredRunnerEditsTheEditorsViewAndAnswersAcceptedAfterOk() {
        ViewState& editorView = fixture.window->editor().document().view();
        editorView.center_x = 512;
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        const DialogRunner* runner = fixture.window->dialogs().find(kDialogGetCenter);
        QVERIFY(runner != nullptr);
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlOk, &clicked);
        const DialogResult result =
            (*runner)(fixture.window.get(), fixture.window->editor().currentPage(), fixture.services);
        QCOMPARE(clicked, kControlOk);
        QVERIFY(result == DialogResult::Accepted);
        QCOMPARE(editorView.center_x, 512);
    }

  private:
    EditorWindowFixture fixture;
    ViewState view{};
};

QZ_SHELL_TEST(CenterDialogTest);

#include "center_dialog_test.moc"
