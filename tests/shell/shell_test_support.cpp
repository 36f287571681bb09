#include "shell_test_support.h"

#include "editor/startup_options.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QTemporaryDir* g_gameRoot = nullptr;
} // namespace

std::vector<ShellTestFactory>& shellTest_Registry() {
    static std::vector<ShellTestFactory> registry;
    return registry;
}

QString shellTest_GameDir() {
    return g_gameRoot != nullptr ? g_gameRoot->filePath(QStringLiteral("game")) : QString();
}

QString shellTest_DemoMission() {
    return QDir(shellTest_GameDir()).filePath(QStringLiteral("demo.mis"));
}

bool EditorWindowFixture::start(const EditorOptions& extra) {
    stop();
    EditorOptions options = extra;
    options.game_directory = shellTest_GameDir().toStdString();
    window = std::make_unique<MainWindow>(services);
    if (window->startUp(options) != StartupResult::Running) return false;
    window->resize(1280, 860);
    window->show();
    QApplication::setActiveWindow(window.get());
    window->setFocus();
    return QTest::qWaitForWindowExposed(window.get());
}

void EditorWindowFixture::stop() {
    window.reset();
    services = ScriptedShellServices();
}

bool EditorWindowFixture::startWithDemoMission() {
    return start() && window->openMissionFile(shellTest_DemoMission().toStdString());
}

int main(int argc, char** argv) {
    // The editor keeps settings, backups and its clean-exit mark in the user's folders: the tests
    // (and the editor programs they start) use folders of their own.
    QTemporaryDir userFolders;
    if (!userFolders.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", userFolders.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", userFolders.filePath(QStringLiteral("state")).toLocal8Bit());
    QApplication application(argc, argv);
    QTemporaryDir root;
    if (!root.isValid()) return 1;
    g_gameRoot = &root;
    const int made =
        QProcess::execute(QStringLiteral(QZ_QZDATA), {QStringLiteral("demo"), shellTest_GameDir()});
    if (made != 0) {
        qCritical("qzdata demo failed with %d", made);
        return 1;
    }
    const QString start = QDir::currentPath();
    int failures = 0;
    for (const ShellTestFactory& factory : shellTest_Registry()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
        QDir::setCurrent(start);
    }
    g_gameRoot = nullptr;
    return failures == 0 ? 0 : 1;
}
