// The file commands in the main window: File > Recent Missions, the Control keys of Open, Save
// and Save As, where the file chooser starts, the closing question about Page 2, and the backups
// offered when a run did not end cleanly.

#include "shell_test_support.h"

#include "editor/backup.h"
#include "editor/command_ids.h"
#include "editor/recovery.h"
#include "shell/editor_menus.h"
#include "shell/qt_shell_services.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::string demoMission() {
    return shellTest_DemoMission().toStdString();
}

// The entries of File > Recent Missions.
QList<QAction*> recentEntries(MainWindow& window) {
    QMenu* menu = window.menus().recentMissionsMenu();
    return menu != nullptr ? menu->actions() : QList<QAction*>();
}

// Removes what earlier runs left in the backup folder: backups and the clean-exit mark.
void clearBackupFolder() {
    QDir folder(QString::fromStdString(backup_Folder()));
    for (const char* name : {kBackupPage1Name, kBackupPage2Name, kCleanExitMarkerName})
        folder.remove(QString::fromLatin1(name));
}

} // namespace

class FileMenuTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        clearBackupFolder();
        QVERIFY(fixture.start());
        fixture.window->editor().setRecentMissions({});
    }
    void cleanup() { fixture.stop(); }

    void recentMissionsStartEmptyAndGreyed() {
        const QList<QAction*> entries = recentEntries(*fixture.window);
        QCOMPARE(entries.size(), 1);
        QVERIFY(!entries[0]->isEnabled());
        QCOMPARE(shell_ActionCommand(entries[0]), 0);
    }

    void anOpenedMissionIsListedAndChoosingItOpensIt() {
        MainWindow& window = *fixture.window;
        QVERIFY(window.openMissionFile(demoMission()));
        const QList<QAction*> entries = recentEntries(window);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->text(), QStringLiteral("&1 ") + shellTest_DemoMission());
        QCOMPARE(shell_ActionCommand(entries[0]), int(kCmdRecentMissionFirst));

        window.runCommand(kCmdPage2);
        QCOMPARE(window.editor().currentPage().num_items, 0);
        // Chosen as the user chooses it: through the File menu that holds the submenu.
        entries[0]->trigger();
        QVERIFY(window.editor().currentPage().num_items > 0);
        QVERIFY(window.windowTitle().endsWith(shellTest_DemoMission()));
    }

    void theListIsKeptForTheNextRun() {
        QVERIFY(fixture.window->openMissionFile(demoMission()));
        fixture.stop();
        QVERIFY(fixture.start());
        const QList<QAction*> entries = recentEntries(*fixture.window);
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries[0]->text().endsWith(shellTest_DemoMission()));
    }

    void aMissingRecentMissionIsDroppedWithAMessage() {
        MainWindow& window = *fixture.window;
        QTemporaryDir dir;
        const std::string gone = dir.filePath(QStringLiteral("gone.mis")).toStdString();
        window.editor().setRecentMissions({gone, demoMission()});
        QCOMPARE(recentEntries(window).size(), 2);
        recentEntries(window)[0]->trigger();
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QVERIFY(fixture.services.messages[0].text.find(gone) != std::string::npos);
        const QList<QAction*> entries = recentEntries(window);
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries[0]->text().endsWith(shellTest_DemoMission()));
        QCOMPARE(window.editor().currentPage().num_items, 0);
    }

    void controlKeysOpenSaveAndSaveAs() {
        MainWindow& window = *fixture.window;
        fixture.services.fileAnswers = {(shellTest_GameDir() + QStringLiteral("/demo")).toStdString()};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(fixture.services.fileRequests.size(), size_t(1));
        QCOMPARE(fixture.services.fileRequests[0].kind, FileDialogKind::Open);
        QVERIFY(window.editor().currentPage().num_items > 0);
        QVERIFY(window.windowTitle().endsWith(shellTest_DemoMission()));

        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.mis"));
        fixture.services.fileAnswers = {copy.toStdString()};
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(fixture.services.fileRequests.size(), size_t(2));
        QCOMPARE(fixture.services.fileRequests[1].kind, FileDialogKind::Save);
        QCOMPARE(fixture.services.fileRequests[1].start, demoMission());
        QVERIFY(QFileInfo(copy).size() > 0);

        QFile::remove(copy);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture.services.fileRequests.size(), size_t(2));
        QVERIFY(QFileInfo(copy).size() > 0);
    }

    void menusCarryTheFileCommands() {
        MainWindow& window = *fixture.window;
        QVERIFY(!window.menus().actionsFor(kCmdSaveInPlace).empty());
        QVERIFY(!window.menus().actionsFor(kCmdSave).empty());
        QMenu* recent = window.menus().recentMissionsMenu();
        QVERIFY(recent != nullptr);
        QVERIFY(window.menus().mainMenus()[0]->actions().contains(recent->menuAction()));
    }

    void closingAsksAboutPageTwo() {
        MainWindow& window = *fixture.window;
        window.runCommand(kCmdPage2);
        fixture.services.fileAnswers = {demoMission()};
        window.runCommand(kCmdOpen);
        QVERIFY(window.editor().currentPage().num_items > 0);
        EditorDocument& document = window.editor().document();
        document.page(kPage2).items[0].position[0] += 256;
        document.history(kPage2).record(document.page(kPage2), "Move");

        fixture.services.messages.clear();
        fixture.services.messageAnswers = {MsgAnswer::Cancel};
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QVERIFY(fixture.services.messages[0].text.find("Page 2") != std::string::npos);
        QCOMPARE(fixture.services.messages[0].buttons, MsgButtons::YesNoCancel);

        fixture.services.messageAnswers = {MsgAnswer::No};
        QVERIFY(window.close());
    }

    void backupsOfARunThatDidNotCloseAreOffered() {
        // A run that wrote a backup and never closed.
        QVERIFY(fixture.window->openMissionFile(demoMission()));
        const int items = fixture.window->editor().currentPage().num_items;
        QCOMPARE(fixture.window->editor().backupTick().written, 1);
        fixture.stop();

        QVERIFY(fixture.start());
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        fixture.window->startSession("");
        QCOMPARE(fixture.services.messages.size(), size_t(1));
        QCOMPARE(fixture.services.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(fixture.window->editor().currentPage().num_items, items);

        // Closed as the user asks: the next start offers nothing.
        fixture.services.messageAnswers = {MsgAnswer::No};
        QVERIFY(fixture.window->close());
        QVERIFY(QFileInfo::exists(QString::fromStdString(backup_Folder() + kBackupPage1Name)));
        fixture.stop();
        QVERIFY(fixture.start());
        fixture.window->startSession(demoMission());
        QVERIFY(fixture.services.messages.empty());
        QVERIFY(fixture.window->editor().currentPage().num_items > 0);
    }

    void chooserStartsAtTheGivenFileOrItsLastFolder() {
        QtShellServices services;
        QFileDialog dialog;
        FileFilter filter{"Missions", "*.mis", "mis"};
        services.prepareChooser(dialog, FileDialogKind::Save, filter, demoMission());
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(shellTest_GameDir()).canonicalPath());
        QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("demo.mis"));
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("mis"));

        QFileDialog open;
        QTemporaryDir somewhere;
        services.prepareChooser(open, FileDialogKind::Open, filter, somewhere.path().toStdString());
        QCOMPARE(QDir(open.directory()).canonicalPath(), QDir(somewhere.path()).canonicalPath());
        QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(open.fileMode(), QFileDialog::AnyFile);

        QFileDialog last;
        services.prepareChooser(last, FileDialogKind::Open, filter, "");
        QCOMPARE(QDir(last.directory()).canonicalPath(), QDir(services.lastFolder()).canonicalPath());
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(FileMenuTest);
#include "file_menu_test.moc"
