// The numeric move-or-copy dialog: offsets shown as whole metres and 1/256 m, stored back as
// world units, the move/copy choice, and what Cancel leaves alone.

#include "shell_test_support.h"

#include "editor/edit_commands.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/numeric_move_dialog.h"
#include "editor/dialog_memory.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <climits>

class NumericMoveDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }
    void init() { memory = NumericMoveMemory{}; }

    void firstOpeningShowsCopyAndZeroOffsets() {
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        QVERIFY(dialog.radio(kNumericRadioCopy)->isChecked());
        QVERIFY(!dialog.radio(kNumericRadioMove)->isChecked());
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(dialog.edit(kNumericEditMetresX + axis)->text(), QStringLiteral("0"));
            QCOMPARE(dialog.edit(kNumericEditFractionX + axis)->text(), QStringLiteral("0"));
        }
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Numeric Move/Copy"));
    }

    void minusOneMetrePlus128IsMinus128AndReopensTheSame() {
        {
            NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
            QVERIFY(dialogTest_Shown(dialog));
            dialog.edit(kNumericEditMetresX)->setText(QStringLiteral("-1"));
            dialog.edit(kNumericEditFractionX)->setText(QStringLiteral("128"));
            QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
            QCOMPARE(dialog.result(), 1);
        }
        QCOMPARE(memory.dx, -128);
        QCOMPARE(memory.dy, 0);
        QCOMPARE(memory.dz, 0);
        QVERIFY(!memory.move);

        NumericMoveDialog again(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(again));
        QCOMPARE(again.edit(kNumericEditMetresX)->text(), QStringLiteral("-1"));
        QCOMPARE(again.edit(kNumericEditFractionX)->text(), QStringLiteral("128"));
    }

    void eachAxisGoesToItsOwnOffset() {
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        dialog.edit(kNumericEditMetresX + 1)->setText(QStringLiteral("2"));
        dialog.edit(kNumericEditFractionX + 1)->setText(QStringLiteral("5"));
        dialog.edit(kNumericEditMetresX + 2)->setText(QStringLiteral("-3"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(memory.dx, 0);
        QCOMPARE(memory.dy, 517);
        QCOMPARE(memory.dz, -768);
    }

    void negativeOffsetsOpenAsFlooredMetresAndAPositiveFraction() {
        memory.dy = -1;     // -1/256 m
        memory.dz = -12801; // -50 m - 1/256 m
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        QCOMPARE(dialog.edit(kNumericEditMetresX + 1)->text(), QStringLiteral("-1"));
        QCOMPARE(dialog.edit(kNumericEditFractionX + 1)->text(), QStringLiteral("255"));
        QCOMPARE(dialog.edit(kNumericEditMetresX + 2)->text(), QStringLiteral("-51"));
        QCOMPARE(dialog.edit(kNumericEditFractionX + 2)->text(), QStringLiteral("255"));
    }

    void moveChoiceIsRememberedAndShownAgain() {
        {
            NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
            QVERIFY(dialogTest_Shown(dialog));
            QTest::mouseClick(dialog.radio(kNumericRadioMove), Qt::LeftButton);
            QVERIFY(!dialog.radio(kNumericRadioCopy)->isChecked());
            QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        }
        QVERIFY(memory.move);
        NumericMoveDialog again(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(again));
        QVERIFY(again.radio(kNumericRadioMove)->isChecked());
        QVERIFY(!again.radio(kNumericRadioCopy)->isChecked());
    }

    void cancelKeepsTheRememberedValues() {
        memory.dx = 1000;
        memory.dz = -5;
        memory.move = true;
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        dialog.edit(kNumericEditMetresX)->setText(QStringLiteral("7"));
        dialog.edit(kNumericEditFractionX + 2)->setText(QStringLiteral("9"));
        QTest::mouseClick(dialog.radio(kNumericRadioCopy), Qt::LeftButton);
        QTest::mouseClick(dialog.button(kControlCancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), 0);
        QVERIFY(memory.cancelled);
        QCOMPARE(memory.dx, 1000);
        QCOMPARE(memory.dz, -5);
        QVERIFY(memory.move);
    }

    void okClearsTheCancelledFlag() {
        memory.cancelled = true;
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QVERIFY(!memory.cancelled);
    }

    void fractionIsNotRangeCheckedAndTextWithoutDigitsIsZero() {
        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        dialog.edit(kNumericEditMetresX)->setText(QStringLiteral("metres"));
        dialog.edit(kNumericEditFractionX)->setText(QStringLiteral("300"));
        dialog.edit(kNumericEditMetresX + 1)->setText(QStringLiteral("  4m"));
        dialog.edit(kNumericEditFractionX + 1)->setText(QStringLiteral("-1"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(memory.dx, 300);
        QCOMPARE(memory.dy, 4 * 256 - 1);
    }

    void offsetsBeyond32BitsAreClamped() {
        QCOMPARE(NumericMoveDialog::offsetOf(8388607, 255), INT32_MAX);
        QCOMPARE(NumericMoveDialog::offsetOf(8388608, 0), INT32_MAX);
        QCOMPARE(NumericMoveDialog::offsetOf(-8388608, 0), INT32_MIN);
        QCOMPARE(NumericMoveDialog::offsetOf(-8388608, -1), INT32_MIN);
        QCOMPARE(NumericMoveDialog::offsetOf(INT32_MAX, INT32_MAX), INT32_MAX);
        QCOMPARE(NumericMoveDialog::offsetOf(INT32_MIN, INT32_MIN), INT32_MIN);

        NumericMoveDialog dialog(fixture.window.get(), fixture.services, memory);
        QVERIFY(dialogTest_Shown(dialog));
        dialog.edit(kNumericEditMetresX)->setText(QStringLiteral("99999999999"));
        dialog.edit(kNumericEditMetresX + 1)->setText(QStringLiteral("-9000000"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(memory.dx, INT32_MAX);
        QCOMPARE(memory.dy, INT32_MIN);
    }

    void registeredRunnerUsesTheEditorsMemoryAndAnswersCancelledAfterCancel() {
        NumericMoveMemory& editorMemory = fixture.window->editor().document().numericMoveMemory();
        editorMemory.dx = 77;
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        const DialogRunner* runner = fixture.window->dialogs().find(kDialogNumericMove);
        QVERIFY(runner != nullptr);
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlCancel, &clicked);
        const DialogResult result =
            (*runner)(fixture.window.get(), fixture.window->editor().currentPage(), fixture.services);
        QCOMPARE(clicked, kControlCancel);
        QVERIFY(result == DialogResult::Cancelled);
        QVERIFY(editorMemory.cancelled);
        QCOMPARE(editorMemory.dx, 77);
    }

  private:
    EditorWindowFixture fixture;
    NumericMoveMemory memory;
};

QZ_SHELL_TEST(NumericMoveDialogTest);

#include "numeric_move_dialog_test.moc"
