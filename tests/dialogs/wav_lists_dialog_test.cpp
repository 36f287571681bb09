// The wav lists dialog: wav lists 1 to 31 on its lines, the description and file name limits,
// and lines that keep the texts they opened with.

#include "shell_test_support.h"

#include "dialogs/list_editing.h"
#include "dialogs/wav_lists_dialog.h"
#include "mission/page_ops.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>

#include <cstring>

namespace {

void setWavList(MissionPage& page, int number, const char* description, const char* fileName) {
    WavList& record = page.wav_lists[number];
    std::memset(&record, 0, sizeof record);
    std::strncpy(record.description, description, sizeof record.description - 1);
    std::strncpy(record.file_name, fileName, sizeof record.file_name - 1);
}

QString description(const MissionPage& page, int number) {
    return QString::fromLatin1(page.wav_lists[number].description);
}
QString fileName(const MissionPage& page, int number) {
    return QString::fromLatin1(page.wav_lists[number].file_name);
}

// Makes the list's first notification (the one that only clears the flag) happen.
void passFirstNotification(WavListsDialog& dialog) {
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dialog.list(kWavListsList), &event);
    QVERIFY(!dialog.listEditor().firstNotificationPending());
}

// Types into an edit without the edit's own signals, as the dialog stores on switching anyway.
void typeSilently(QLineEdit* edit, const QString& text) {
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

} // namespace

class WavListsDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }

    void init() {
        page_Clear(page());
        setWavList(page(), 0, "never listed", "zero.wav");
        setWavList(page(), 1, "Radio chatter", "radio1.wav");
        setWavList(page(), 2, "Alarm", "alarm.wav");
        setWavList(page(), 31, "Last", "last.wav");
    }

    void linesShowWavListsOneToThirtyOne() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        QListWidget* list = dialog.list(kWavListsList);
        QCOMPARE(list->count(), 31);
        QCOMPARE(list->item(0)->text(), QStringLiteral(" 1 - Radio chatter"));
        QCOMPARE(list->item(1)->text(), QStringLiteral(" 2 - Alarm"));
        QCOMPARE(list->item(2)->text(), QStringLiteral(" 3 - "));
        QCOMPARE(list->item(30)->text(), QStringLiteral("31 - Last"));
        for (int row = 0; row < list->count(); ++row)
            QVERIFY(!list->item(row)->text().contains(QStringLiteral("never listed")));
    }

    void theFirstLineEditsWavListOne() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        QCOMPARE(dialog.list(kWavListsList)->currentRow(), 0);
        QCOMPARE(dialog.edit(kWavListsDescription)->text(), QStringLiteral("Radio chatter"));
        QCOMPARE(dialog.edit(kWavListsFileName)->text(), QStringLiteral("radio1.wav"));
        typeSilently(dialog.edit(kWavListsDescription), QStringLiteral("Orders"));
        typeSilently(dialog.edit(kWavListsFileName), QStringLiteral("orders.wav"));
        dialog.button(kControlOk)->click();
        QCOMPARE(description(page(), 1), QStringLiteral("Orders"));
        QCOMPARE(fileName(page(), 1), QStringLiteral("orders.wav"));
        QCOMPARE(description(page(), 0), QStringLiteral("never listed"));
        QCOMPARE(fileName(page(), 0), QStringLiteral("zero.wav"));
        QCOMPARE(dialog.result(), 1);
    }

    void switchingLinesStoresTheShownListAndShowsTheChosenOne() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        passFirstNotification(dialog);
        typeSilently(dialog.edit(kWavListsDescription), QStringLiteral("Chatter 2"));
        dialog.list(kWavListsList)->setCurrentRow(30);
        QCOMPARE(description(page(), 1), QStringLiteral("Chatter 2"));
        QCOMPARE(fileName(page(), 1), QStringLiteral("radio1.wav"));
        QCOMPARE(dialog.edit(kWavListsDescription)->text(), QStringLiteral("Last"));
        QCOMPARE(dialog.edit(kWavListsFileName)->text(), QStringLiteral("last.wav"));
    }

    void firstNotificationDoesNotStore() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        typeSilently(dialog.edit(kWavListsDescription), QStringLiteral("lost"));
        dialog.list(kWavListsList)->setCurrentRow(1);
        QCOMPARE(description(page(), 1), QStringLiteral("Radio chatter"));
        QCOMPARE(dialog.edit(kWavListsDescription)->text(), QStringLiteral("Alarm"));
    }

    void descriptionAndFileNameAreCutAtTheirLimits() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        const QString longDescription(120, QLatin1Char('d'));
        const QString longFileName = QStringLiteral("a_very_long_sound_file_name.wav");
        dialog.edit(kWavListsDescription)->setText(longDescription);
        dialog.edit(kWavListsFileName)->setText(longFileName);
        dialog.button(kControlOk)->click();
        QCOMPARE(description(page(), 1), longDescription.left(79));
        QCOMPARE(fileName(page(), 1), longFileName.left(15));
        QCOMPARE(page().wav_lists[1].description[79], '\0');
        QCOMPARE(page().wav_lists[1].file_name[15], '\0');
    }

    void linesKeepTheTextsTheyOpenedWith() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        passFirstNotification(dialog);
        QTest::keyClicks(dialog.edit(kWavListsDescription), QStringLiteral(" again"));
        dialog.list(kWavListsList)->setCurrentRow(2);
        QCOMPARE(description(page(), 1), QStringLiteral("Radio chatter again"));
        QCOMPARE(dialog.list(kWavListsList)->item(0)->text(), QStringLiteral(" 1 - Radio chatter"));
    }

    void aFieldFilledToTheBrimIsShownWithoutReadingPastIt() {
        std::memset(page().wav_lists[2].file_name, 'x', sizeof page().wav_lists[2].file_name);
        WavListsDialog dialog(nullptr, page(), fixture.services);
        passFirstNotification(dialog);
        dialog.list(kWavListsList)->setCurrentRow(1);
        QCOMPARE(dialog.edit(kWavListsFileName)->text(), QString(15, QLatin1Char('x')));
    }

    void onlyOkClosesTheWavLists() {
        WavListsDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QVERIFY(dialog.isVisible());
        dialog.button(kControlOk)->click();
        QVERIFY(!dialog.isVisible());
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }

    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(WavListsDialogTest);
#include "wav_lists_dialog_test.moc"
