// The one 8-bit codec of the windows: every byte of the game's code page survives a decode and an
// encode, the code page's own characters show as such, and a text typed into a dialog shows the
// same in the main window's information window.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/layer_names_dialog.h"
#include "editor/command_ids.h"
#include "mission/page_ops.h"
#include "shell/game_text.h"
#include "shell/info_windows.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <string>

class GameTextTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyByteSurvivesADecodeAndAnEncode() {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        const QString shown = shell_DecodeText(all);
        QCOMPARE(shown.size(), qsizetype(256));
        QCOMPARE(QSet<QChar>(shown.begin(), shown.end()).size(), qsizetype(256)); // one to one
        QCOMPARE(shell_EncodeText(shown), all);
    }

    void theCodePageAgreesWithLatin1OutsideItsOwnRow() {
        const QString shown = shell_DecodeText(std::string("\x41\xA0\xE9\xFC\xFF\x81\x8D\x8F\x90\x9D", 10));
        QCOMPARE(shown, QString::fromLatin1("\x41\xA0\xE9\xFC\xFF\x81\x8D\x8F\x90\x9D", 10));
        // The row 0x80-0x9F holds the code page's own characters.
        QCOMPARE(shell_DecodeText("\x80"), QString(QChar(0x20AC))); // euro sign
        QCOMPARE(shell_DecodeText("\x93\x94"), QString::fromUtf8("\u201C\u201D"));
        QCOMPARE(shell_DecodeText("\x9F"), QString(QChar(0x0178))); // Y with diaeresis
        QCOMPARE(shell_EncodeText(QString::fromUtf8("\u20AC \u00FC \u2014")), std::string("\x80 \xFC \x97"));
    }

    void charactersWithoutAByteBecomeQuestionMarksAndTheLimitCuts() {
        QCOMPARE(shell_EncodeText(QString::fromUtf8("a\u263Ab")), std::string("a?b"));
        QCOMPARE(shell_EncodeText(QString::fromUtf8("a\U0001F600b")), std::string("a?b")); // one character
        QCOMPARE(shell_EncodeText(QString::fromUtf8("\u00FC\u00FC\u00FC"), 2), std::string("\xFC\xFC"));
        QCOMPARE(shell_DecodeText(static_cast<const char*>(nullptr)), QString());
    }

    // A layer name typed as "ü" in the layer names dialog is stored as the code page's byte and
    // shows as "ü" in the item information, which reads the page through the same codec.
    void aTypedLayerNameShowsAsTypedInTheItemInformation() {
        QVERIFY(fixture.startWithDemoMission());
        dialogs_RegisterAll(fixture.window->dialogs(), fixture.window->editor());
        MainWindow& window = *fixture.window;
        MissionPage& page = window.editor().currentPage();
        QVERIFY(page.num_items > 1);
        sel_Clear(page);
        QCOMPARE(sel_Add(page, 1), 1);
        const int layer = page.items[1].layer;
        QVERIFY(layer >= 0 && layer < kMaxLayers);

        QTimer::singleShot(0, [layer] {
            auto* dialog = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->list(kLayerNamesList)->setCurrentRow(layer);
            QLineEdit* name = dialog->edit(kLayerNamesEdit);
            name->clear();
            // Typed key by key, as a keyboard with the letter sends it (keyClicks takes ASCII only).
            for (const QChar c : QString::fromUtf8("Br\u00FCcke"))
                QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
            dialog->button(kControlOk)->click();
        });
        window.runCommand(kCmdLayerNames);

        QCOMPARE(std::string(page.layers[layer].description), std::string("Br\xFC"
                                                                          "cke"));
        const QStringList shown = window.itemInfoWindow()->shownLines();
        // The layer line reads "<number> - <name>".
        QVERIFY2(!shown.filter(QRegularExpression(QString::fromUtf8("^\\d+ - Br\u00FCcke$"))).isEmpty(),
                 qPrintable(shown.join(u'|')));
        fixture.stop();
    }

    void theTitleDecodesThroughTheSameCodec() {
        QVERIFY(fixture.start());
        fixture.window->setTitle("M\xFC"
                                 "nchen \x80");
        QCOMPARE(fixture.window->windowTitle(), QString::fromUtf8("M\u00FCnchen \u20AC"));
        fixture.stop();
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(GameTextTest);
#include "game_text_test.moc"
