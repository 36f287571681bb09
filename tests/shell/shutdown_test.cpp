// Closing the main window: the question about Page 1 and what each answer does.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "gamedata/string_table.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class ShutdownTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup() { fixture.stop(); }

    void emptyPageOneClosesWithoutAQuestion() {
        QVERIFY(fixture.start());
        QVERIFY(fixture.window->close());
        QVERIFY(fixture.services.messages.empty());
        QVERIFY(!fixture.window->isVisible());
    }

  private:
    // Moves the first item of Page 1 and records that as a step, as a mouse edit would.
    void changePageOne() {
        EditorDocument& document = fixture.window->editor().document();
        document.page(kPage1).items[0].position[0] += 256;
        document.history(kPage1).record(document.page(kPage1), "Move");
    }

  private Q_SLOTS:
    void unchangedMissionClosesWithoutAQuestion() {
        QVERIFY(fixture.startWithDemoMission());
        QVERIFY(fixture.window->close());
        QVERIFY(fixture.services.messages.empty());
        QVERIFY(!fixture.window->isVisible());
    }

    void missionOnPageOneAsksTheSaveQuestion() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        fixture.services.messageAnswers = {MsgAnswer::Cancel};
        QVERIFY(!fixture.window->close());
        QVERIFY(fixture.window->isVisible());
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        const ScriptedShellServices::Message& asked = fixture.services.messages.front();
        QCOMPARE(asked.caption, std::string(TextLookup("Dialog Message", "EXIT")));
        QCOMPARE(asked.text, std::string(TextLookup("Dialog Message", "SAVE_PAGE_1?")));
        QCOMPARE(asked.icon, MsgIcon::Question);
        QCOMPARE(asked.buttons, MsgButtons::YesNoCancel);
    }

    void yesWithACancelledSaveKeepsTheWindowOpen() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        QVERIFY(!fixture.window->close());
        QVERIFY(fixture.window->isVisible());
        QCOMPARE(fixture.services.fileRequests.size(), size_t(1));
        QCOMPARE(fixture.services.fileRequests.front().kind, FileDialogKind::Save);
        QVERIFY(fixture.window->backupTimer().isActive());
    }

    void yesWithAChosenFileSavesAndCloses() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("saved.mis"));
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        fixture.services.fileAnswers = {path.toStdString()};
        QVERIFY(fixture.window->close());
        QVERIFY(!fixture.window->isVisible());
        QVERIFY(QFileInfo(path).size() > 0);
        QVERIFY(!fixture.window->backupTimer().isActive());
    }

    void noClosesWithoutSaving() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        fixture.services.messageAnswers = {MsgAnswer::No};
        QVERIFY(fixture.window->close());
        QVERIFY(fixture.services.fileRequests.empty());
    }

    void exitCommandAsksOnceAndQuits() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        fixture.services.messageAnswers = {MsgAnswer::No};
        fixture.window->runCommand(kCmdExit);
        QVERIFY(!fixture.window->isVisible());
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QCOMPARE(fixture.window->exitCode(), 0);
    }

    void exitCommandCancelledKeepsRunning() {
        QVERIFY(fixture.startWithDemoMission());
        changePageOne();
        fixture.services.messageAnswers = {MsgAnswer::Cancel};
        fixture.window->runCommand(kCmdExit);
        QVERIFY(fixture.window->isVisible());
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(ShutdownTest);
#include "shutdown_test.moc"
