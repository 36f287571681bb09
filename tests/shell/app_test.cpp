// The editor program's command line, the key translation, the file-chooser filters, and the
// program itself run headless with --screenshot.

#include "shell_test_support.h"

#include "shell/app_arguments.h"
#include "shell/key_translation.h"
#include "shell/qt_shell_services.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

AppArguments parse(std::vector<const char*> args) {
    args.insert(args.begin(), "qzmed");
    return app_ParseArguments(static_cast<int>(args.size()), args.data());
}

struct Run {
    int exitCode = -1;
    QByteArray errors;
    QByteArray output;
};

// The environment of a run on the offscreen platform.
QProcessEnvironment offscreen() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// The environment of a run on a machine without any display and no platform chosen.
QProcessEnvironment noDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

Run runEditor(const QStringList& arguments, const QString& workingDirectory = QString(),
              const QProcessEnvironment& environment = offscreen()) {
    QProcess process;
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QZ_QZMED), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = process.readAllStandardError();
    run.output = process.readAllStandardOutput();
    return run;
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void optionsAreWholeArgumentsInAnyCase() {
        const AppArguments parsed = parse({"/showall", "/16", "--game", "dir", "mission.mis"});
        QVERIFY(parsed.error.empty());
        QVERIFY(parsed.options.show_all);
        QVERIFY(parsed.options.sixteen_bit_depth);
        QCOMPARE(parsed.options.game_directory, std::string("dir"));
        QCOMPARE(parsed.mission, std::string("mission.mis"));
        QVERIFY(parsed.screenshot.empty());
    }

    void pathsContainingAnOptionAreMissionsNotOptions() {
        const AppArguments parsed = parse({"/home/user/16/SHOWALL.mis"});
        QVERIFY(parsed.error.empty());
        QVERIFY(!parsed.options.show_all);
        QVERIFY(!parsed.options.sixteen_bit_depth);
        QCOMPARE(parsed.mission, std::string("/home/user/16/SHOWALL.mis"));
    }

    void screenshotTakesAValueAndMistakesAreErrors() {
        QCOMPARE(parse({"--screenshot", "out.png"}).screenshot, std::string("out.png"));
        QVERIFY(!parse({"--screenshot"}).error.empty());
        QVERIFY(!parse({"--game"}).error.empty());
        QVERIFY(!parse({"--frobnicate"}).error.empty());
        QVERIFY(!parse({"a.mis", "b.mis"}).error.empty());
        QVERIFY(parse({"--help"}).help);
        QVERIFY(parse({"--version"}).version);
    }

    void helpAndVersionAreFoundBeforeQtStarts() {
        const auto early = [](std::vector<const char*> args) {
            args.insert(args.begin(), "qzmed");
            return app_EarlyAnswer(static_cast<int>(args.size()), args.data());
        };
        QCOMPARE(early({"mission.mis"}), AppEarlyAnswer::None);
        QCOMPARE(early({"-platform", "xcb", "--version"}), AppEarlyAnswer::Version);
        QCOMPARE(early({"--version", "-h"}), AppEarlyAnswer::Help);
        // A value is never taken for an option: a game directory may be called "--help".
        QCOMPARE(early({"--game", "--help", "--screenshot", "--version"}), AppEarlyAnswer::None);
    }

    void helpAndVersionNeedNoDisplay() {
        const Run help = runEditor({QStringLiteral("--help")}, QString(), noDisplay());
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.output.startsWith("usage: qzmed"));
        QVERIFY(help.errors.isEmpty());
        const Run version =
            runEditor({QStringLiteral("/16"), QStringLiteral("--version")}, QString(), noDisplay());
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, QByteArray(app_VersionText()));
        QVERIFY(version.output.startsWith("qzmed "));
    }

    void startWithoutDisplaySaysWhatToDo() {
        QTemporaryDir out;
        const Run run = runEditor({QStringLiteral("--game"), shellTest_GameDir()}, out.path(), noDisplay());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.errors.contains("QT_QPA_PLATFORM=offscreen"), run.errors.constData());
        QVERIFY(run.errors.contains("--screenshot"));
    }

    void screenshotRunNeedsNoDisplay() {
        QTemporaryDir out;
        const QString picture = out.filePath(QStringLiteral("headless.png"));
        const Run run = runEditor(
            {QStringLiteral("--game"), shellTest_GameDir(), QStringLiteral("--screenshot"), picture},
            QString(), noDisplay());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(!QImage(picture).isNull());
    }

    void keypadKeysAreTheirOwnKeys() {
        QCOMPARE(shell_TranslateKey(Qt::Key_9, Qt::KeypadModifier), std::optional(EditorKey::Keypad9));
        QCOMPARE(shell_TranslateKey(Qt::Key_Plus, Qt::KeypadModifier), std::optional(EditorKey::KeypadPlus));
        QCOMPARE(shell_TranslateKey(Qt::Key_Minus, Qt::KeypadModifier),
                 std::optional(EditorKey::KeypadMinus));
        QCOMPARE(shell_TranslateKey(Qt::Key_8, Qt::KeypadModifier), std::optional(EditorKey::Keypad8));
        // Keypad navigation keys (Num Lock off) are the navigation keys.
        QCOMPARE(shell_TranslateKey(Qt::Key_PageUp, Qt::KeypadModifier), std::optional(EditorKey::PageUp));
        QCOMPARE(shell_TranslateKey(Qt::Key_9, Qt::NoModifier), std::nullopt);
        QCOMPARE(shell_TranslateKey(Qt::Key_Plus, Qt::NoModifier), std::nullopt);
    }

    void lettersAndFunctionKeys() {
        QCOMPARE(shell_TranslateKey(Qt::Key_U, Qt::NoModifier), std::optional(EditorKey::U));
        QCOMPARE(shell_TranslateKey(Qt::Key_U, Qt::ShiftModifier), std::optional(EditorKey::U));
        QCOMPARE(shell_TranslateKey(Qt::Key_U, Qt::AltModifier), std::nullopt); // a menu mnemonic
        QCOMPARE(shell_TranslateKey(Qt::Key_F4, Qt::NoModifier), std::optional(EditorKey::F4));
        QCOMPARE(shell_TranslateKey(Qt::Key_F5, Qt::NoModifier), std::nullopt);
        QCOMPARE(shell_TranslateKey(Qt::Key_Delete, Qt::NoModifier), std::optional(EditorKey::Delete));
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(shell_QtNameFilter({"Mission files", "*.mis", "mis"}),
                 QStringLiteral("Mission files (*.mis)"));
        // A description that already names its pattern is kept as it is.
        QCOMPARE(shell_QtNameFilter({"Mission files (*.mis)", "*.mis", "mis"}),
                 QStringLiteral("Mission files (*.mis)"));
        QCOMPARE(shell_QtNameFilter({"Texts", "*.txt;*.log", ""}), QStringLiteral("Texts (*.txt *.log)"));
        QCOMPARE(shell_QtNameFilter({"", "", ""}), QStringLiteral("(*)"));
    }

    void screenshotOptionWritesThePictureOfTheWindow() {
        QTemporaryDir out;
        const QString picture = out.filePath(QStringLiteral("window.png"));
        const Run run = runEditor({QStringLiteral("--game"), shellTest_GameDir(),
                                   QStringLiteral("--screenshot"), picture, shellTest_DemoMission()});
        QCOMPARE(run.exitCode, 0);
        QImage image(picture);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 640);
        QVERIFY(image.height() >= 480);

        // The same mission and picture named relative to the starting directory: start-up enters
        // the game directory, so both paths must have been made absolute before; the pictures
        // agree only when the mission was found.
        const QString relativePicture = QStringLiteral("relative.png");
        const Run relative =
            runEditor({QStringLiteral("--game"), QStringLiteral("game"), QStringLiteral("--screenshot"),
                       relativePicture, QStringLiteral("game/demo.mis")},
                      QFileInfo(shellTest_GameDir()).absolutePath());
        QCOMPARE(relative.exitCode, 0);
        const QImage second(QFileInfo(shellTest_GameDir()).absolutePath() + QStringLiteral("/relative.png"));
        QCOMPARE(second, image);

        // Without the mission the picture differs.
        const QString empty = out.filePath(QStringLiteral("empty.png"));
        QCOMPARE(
            runEditor({QStringLiteral("--game"), shellTest_GameDir(), QStringLiteral("--screenshot"), empty})
                .exitCode,
            0);
        QVERIFY(QImage(empty) != image);
    }

    void usageErrorsEndWithStatusTwo() {
        const Run run = runEditor({QStringLiteral("--no-such-option")});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.errors.contains("usage"));
    }

    void missingGameDirectoryIsReportedWithoutBlocking() {
        QTemporaryDir out;
        const Run run = runEditor({QStringLiteral("--game"), out.filePath(QStringLiteral("absent")),
                                   QStringLiteral("--screenshot"), out.filePath(QStringLiteral("x.png"))});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.errors.contains("absent"));
    }
};

QZ_SHELL_TEST(AppTest);
#include "app_test.moc"
