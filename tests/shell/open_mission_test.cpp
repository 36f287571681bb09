// Open in the running window: a damaged mission is shown with its problems and opened only on
// Yes; a file that cannot be read leaves the page, its title and its path as they were.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "editor/editor_app.h"
#include "gamedata/string_table.h"
#include "mission/mission_page.h"
#include "shell/editor_menus.h"
#include "shell/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <string>

class OpenMissionTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup() { fixture.stop(); }

    void damagedMissionAnsweredNoKeepsThePage() {
        QVERIFY(fixture.startWithDemoMission());
        const Snapshot before = snapshot();
        QVERIFY(before.items > 0);
        const std::string path = writeDamagedDemo();
        fixture.services.fileAnswers = {path};
        fixture.services.messageAnswers = {MsgAnswer::No};
        triggerOpen();

        QCOMPARE(fixture.services.messages.size(), size_t(1));
        const ScriptedShellServices::Message& asked = fixture.services.messages.front();
        QCOMPARE(asked.caption, std::string(TextLookup("Dialog Message", "ASCII_PARSE")));
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        QVERIFY2(asked.text.find("num_items is " + std::to_string(before.items + 3)) != std::string::npos,
                 asked.text.c_str());
        QVERIFY2(asked.text.find(path) != std::string::npos, asked.text.c_str());
        QVERIFY(snapshot() == before);
    }

    void damagedMissionAnsweredYesOpensWhatWasReadAndClosingAsks() {
        QVERIFY(fixture.start());
        QVERIFY(fixture.window->close()); // an empty Page 1 closes without a question...
        QVERIFY(fixture.start());
        const std::string path = writeDamagedDemo();
        fixture.services.fileAnswers = {path};
        fixture.services.messageAnswers = {MsgAnswer::Yes};
        triggerOpen();

        QCOMPARE(fixture.services.messages.size(), size_t(1));
        // As the reader read it: the declared count, the three missing items blank.
        QCOMPARE(fixture.window->editor().document().page(kPage1).num_items, demoItems + 3);
        QVERIFY(fixture.window->editor().document().page(kPage1).items[demoItems - 1].type_id != 0);
        QCOMPARE(fixture.window->editor().document().page(kPage1).items[demoItems].type_id, 0);
        QCOMPARE(std::string(fixture.window->editor().document().page(kPage1).general.mission_file), path);
        QVERIFY(fixture.window->windowTitle().endsWith(QString::fromStdString(path + "*")));

        // ...but the page opened as read differs from its file: closing asks about it.
        fixture.services.messageAnswers = {MsgAnswer::Cancel};
        QVERIFY(!fixture.window->close());
        QCOMPARE(fixture.services.messages.size(), size_t(2));
        QCOMPARE(fixture.services.messages.back().text,
                 std::string(TextLookup("Dialog Message", "SAVE_PAGE_1?")));
    }

    void openThatFailsKeepsThePageItsTitleAndPath() {
        QVERIFY(fixture.startWithDemoMission());
        const Snapshot before = snapshot();
        const std::string folder = dir.filePath(QStringLiteral("folder.mis")).toStdString();
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.mis")));
        fixture.services.fileAnswers = {folder};
        triggerOpen();

        QCOMPARE(fixture.services.messages.size(), size_t(1));
        const ScriptedShellServices::Message& shown = fixture.services.messages.front();
        QCOMPARE(shown.icon, MsgIcon::Error);
        QCOMPARE(shown.buttons, MsgButtons::Ok);
        QVERIFY2(shown.text.find(folder) != std::string::npos, shown.text.c_str());
        QVERIFY2(shown.text.find(std::strerror(EISDIR)) != std::string::npos, shown.text.c_str());
        QVERIFY(snapshot() == before);
    }

  private:
    // What Open must leave alone when it keeps the page.
    struct Snapshot {
        int items = 0;
        int32_t firstX = 0;
        std::string path;
        QString title;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        const MissionPage& page = fixture.window->editor().document().page(kPage1);
        return {page.num_items, page.num_items > 0 ? page.items[0].position[0] : 0, page.general.mission_file,
                fixture.window->windowTitle()};
    }

    // The demo mission with a num_items line that claims three items more than it holds.
    std::string writeDamagedDemo() {
        QFile demo(shellTest_DemoMission());
        if (!demo.open(QIODevice::ReadOnly)) return {};
        QByteArray text = demo.readAll();
        const QRegularExpression count(QStringLiteral("num_items (\\d+)"));
        const QRegularExpressionMatch match = count.match(QString::fromLatin1(text));
        if (!match.hasMatch()) return {};
        demoItems = match.captured(1).toInt();
        text.replace(match.capturedStart(), match.capturedLength(),
                     QStringLiteral("num_items %1").arg(demoItems + 3).toLatin1());
        const QString path = dir.filePath(QStringLiteral("damaged.mis"));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) return {};
        return path.toStdString();
    }

    void triggerOpen() {
        const auto actions = fixture.window->menus().actionsFor(kCmdOpen);
        QVERIFY(!actions.empty());
        actions.front()->trigger();
    }

    EditorWindowFixture fixture;
    QTemporaryDir dir;
    int demoItems = 0;
};

QZ_SHELL_TEST(OpenMissionTest);
#include "open_mission_test.moc"
