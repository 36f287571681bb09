// The briefing dialog (line breaks, the 255-byte limit, OK and Cancel) and the about box.

#include "shell_test_support.h"

#include "dialogs/about_dialog.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/dialog_catalogue.h"
#include "foundation/text_source.h"
#include "gamedata/string_table.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "mission/mission_page.h"
#include "modal_dialog_click.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

void setBriefing(MissionPage& page, const std::string& bytes) {
    std::memset(page.briefing, 0, sizeof page.briefing);
    std::memcpy(page.briefing, bytes.data(), std::min(bytes.size(), sizeof page.briefing - 1));
}

std::string briefingOf(const MissionPage& page) {
    return std::string(page.briefing, strnlen(page.briefing, sizeof page.briefing));
}

// True when every byte after the text is zero.
// Pastes `text` at the cursor through the clipboard, as Ctrl+V does.
void paste(QPlainTextEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    edit->paste();
}

bool restIsZero(const MissionPage& page) {
    for (size_t i = strnlen(page.briefing, sizeof page.briefing); i < sizeof page.briefing; ++i)
        if (page.briefing[i] != '\0') return false;
    return true;
}

} // namespace

class BriefingAboutDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }
    void init() { std::memcpy(saved, page().briefing, sizeof saved); }
    void cleanup() { std::memcpy(page().briefing, saved, sizeof saved); }

    // ---- Briefing ----

    void opensWithEveryKindOfLineBreakAsOne() {
        setBriefing(page(), "Go\r\nnorth\nnow\rquick");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QCOMPARE(dialog.textEdit(kBriefingEdit)->toPlainText(), QStringLiteral("Go\nnorth\nnow\nquick"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Briefing"));
        QCOMPARE(dialog.label(kBriefingLabel)->text(), QStringLiteral("Briefing"));
    }

    void okStoresLineBreaksAsCarriageReturnLineFeed() {
        setBriefing(page(), "A much longer briefing that was there before the edit.");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.textEdit(kBriefingEdit)->setPlainText(QStringLiteral("Line one\nLine two\n"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(briefingOf(page()), std::string("Line one\r\nLine two\r\n"));
        QVERIFY(restIsZero(page()));
    }

    void typedReturnIsStoredAsCarriageReturnLineFeed() {
        setBriefing(page(), "");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.show();
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("Go"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("now"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string("Go\r\nnow"));
    }

    void cancelStoresNothingAndAlsoClosesWithOne() {
        setBriefing(page(), "Keep\r\nthis");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.textEdit(kBriefingEdit)->setPlainText(QStringLiteral("Something else"));
        QTest::mouseClick(dialog.button(kControlCancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(briefingOf(page()), std::string("Keep\r\nthis"));
    }

    void pasteBeyondTheLimitIsCutTo255() {
        setBriefing(page(), "");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        paste(edit, QString(300, QLatin1Char('x')));
        QCOMPARE(edit->toPlainText(), QString(255, QLatin1Char('x')));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string(255, 'x'));
    }

    void oneUndoTakesBackAPasteThatWasCut() {
        setBriefing(page(), "Start");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->moveCursor(QTextCursor::End);
        paste(edit, QString(300, QLatin1Char('x')));
        QCOMPARE(edit->toPlainText().size(), 255);
        edit->undo();
        QCOMPARE(edit->toPlainText(), QStringLiteral("Start"));
        edit->redo();
        QCOMPARE(edit->toPlainText(), QStringLiteral("Start") + QString(250, QLatin1Char('x')));
    }

    void lineBreaksCountTwoAgainstTheLimit() {
        setBriefing(page(), "");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.show();
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        // 250 + 2 + 2 bytes fit; the third line break would make 256.
        paste(edit, QString(250, QLatin1Char('a')) + QStringLiteral("\n\n\nbbb"));
        QCOMPARE(edit->toPlainText(), QString(250, QLatin1Char('a')) + QStringLiteral("\n\n"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return); // would make 256: refused
        QTest::keyClick(edit, Qt::Key_C);      // byte 255
        QTest::keyClick(edit, Qt::Key_D);      // refused
        QCOMPARE(edit->toPlainText(), QString(250, QLatin1Char('a')) + QStringLiteral("\n\nc"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string(250, 'a') + "\r\n\r\nc");
    }

    void typingOverASelectionUsesTheRoomItFrees() {
        setBriefing(page(), std::string(255, 'a'));
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.show();
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Z); // full: refused
        QCOMPARE(edit->toPlainText(), QString(255, QLatin1Char('a')));
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_Return); // two characters selected make room for a line break
        QCOMPARE(edit->toPlainText(), QStringLiteral("\n") + QString(253, QLatin1Char('a')));
        QTest::keyClick(edit, Qt::Key_Backspace); // editing keys still work when full
        QCOMPARE(edit->toPlainText(), QString(253, QLatin1Char('a')));
    }

    void pasteInTheMiddleKeepsTheTextAfterIt() {
        setBriefing(page(), std::string(250, 'a') + "END");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(10);
        edit->setTextCursor(cursor);
        paste(edit, QStringLiteral("12345"));
        const QString expected = QString(10, QLatin1Char('a')) + QStringLiteral("12") +
                                 QString(240, QLatin1Char('a')) + QStringLiteral("END");
        QCOMPARE(edit->toPlainText(), expected);
    }

    void composedTextIsCutToFit() {
        setBriefing(page(), std::string(253, 'a'));
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->moveCursor(QTextCursor::End);
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral(u"\u00e9\u00e8\u00ea"));
        QApplication::sendEvent(edit, &event);
        QCOMPARE(edit->toPlainText(), QString(253, QLatin1Char('a')) + QStringLiteral(u"\u00e9\u00e8"));
    }

    void textSetByTheProgramIsCutToo() {
        setBriefing(page(), std::string(250, 'a') + "END");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(10);
        edit->setTextCursor(cursor);
        edit->insertPlainText(QStringLiteral("1\n345"));
        QCOMPARE(edit->toPlainText(), QString(10, QLatin1Char('a')) + QStringLiteral("1") +
                                          QString(240, QLatin1Char('a')) + QStringLiteral("END"));
        edit->setPlainText(QString(400, QLatin1Char('w')));
        QCOMPARE(edit->toPlainText(), QString(255, QLatin1Char('w')));
    }

    void briefingThatFillsTheFieldWithBareLineFeedsOpensWhole() {
        // 254 characters and a line feed fill the field; as CR LF they would make 256 bytes.
        setBriefing(page(), std::string(254, 'q') + "\n");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QCOMPARE(dialog.textEdit(kBriefingEdit)->toPlainText(),
                 QString(254, QLatin1Char('q')) + QStringLiteral("\n"));
        QVERIFY(dialog.breakForm() == BriefingBreak::Lf);
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string(254, 'q') + "\n");
    }

    // Briefings of exactly 255 bytes whose breaks are bare line feeds (as other tools write them)
    // or CR LF (as the game's text box gives them) survive opening, OK and saving byte for byte.
    void fullBriefingsSurviveOpenOkAndSave_data() {
        QTest::addColumn<QByteArray>("stored");
        // Five lines of 'L' with four breaks, filled up to 255 bytes with '!'.
        const auto full = [](const std::string& lineBreak) {
            std::string bytes;
            for (int line = 0; line < 5; ++line)
                bytes += std::string(40, 'L') + (line < 4 ? lineBreak : std::string());
            return bytes + std::string(kBriefingLimit - bytes.size(), '!');
        };
        const std::string withLf = full("\n");
        const std::string withCrLf = full("\r\n");
        const std::string withCr = full("\r");
        QTest::newRow("bare LF") << QByteArray::fromStdString(withLf);
        QTest::newRow("CR LF") << QByteArray::fromStdString(withCrLf);
        QTest::newRow("bare CR") << QByteArray::fromStdString(withCr);
    }
    void fullBriefingsSurviveOpenOkAndSave() {
        QFETCH(QByteArray, stored);
        QCOMPARE(stored.size(), qsizetype{kBriefingLimit});
        MissionPage& page = this->page();
        setBriefing(page, stored.toStdString());
        char before[kBriefingSize];
        std::memcpy(before, page.briefing, sizeof before);

        BriefingDialog dialog(fixture.window.get(), page, fixture.services);
        QCOMPARE(dialog.textEdit(kBriefingEdit)->toPlainText().count(QLatin1Char('L')), stored.count('L'));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(std::memcmp(page.briefing, before, sizeof before), 0);

        QTemporaryDir out;
        const std::string path = out.filePath(QStringLiteral("briefing.mis")).toStdString();
        QVERIFY(metafile_Write(page, path.c_str()));
        auto reread = std::make_unique<MissionPage>();
        QCOMPARE(metafile_Load(*reread, path.c_str()), 1);
        QCOMPARE(briefingOf(*reread), stored.toStdString());
    }

    void typingAtTheLimitIsRefusedInEveryBreakForm_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("breakBytes");
        QTest::newRow("bare LF") << QByteArray("a\nb") << 1;
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << 2;
        QTest::newRow("no break yet") << QByteArray("ab") << 2;
    }
    void typingAtTheLimitIsRefusedInEveryBreakForm() {
        QFETCH(QByteArray, stored);
        QFETCH(int, breakBytes);
        // Filled up to one byte below the limit.
        const std::string full = stored.toStdString() + std::string(kBriefingLimit - 1 - stored.size(), 'x');
        setBriefing(page(), full);
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.show();
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        const QString opened = edit->toPlainText();
        // A line break fits in the last byte only when it takes one byte.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->toPlainText() != opened, breakBytes == 1);
        if (breakBytes == 1) QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Y);      // the 255th byte
        QTest::keyClick(edit, Qt::Key_Z);      // refused
        QTest::keyClick(edit, Qt::Key_Return); // refused
        QCOMPARE(edit->toPlainText(), opened + QStringLiteral("y"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), full + "y");
    }

    void editedBriefingKeepsItsBareLineFeeds() {
        setBriefing(page(), "North\nSouth");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        dialog.show();
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("East"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string("North\nSouth\nEast"));
    }

    void unEditedBriefingKeepsEveryByteOfTheField() {
        // Mixed breaks, a byte the edit cannot show as itself, and bytes left after the end.
        MissionPage& page = this->page();
        std::memset(page.briefing, 0x5A, sizeof page.briefing);
        std::memcpy(page.briefing, "A\r\nB\nC\rD\x81\0", 10);
        char before[kBriefingSize];
        std::memcpy(before, page.briefing, sizeof before);
        BriefingDialog dialog(fixture.window.get(), page, fixture.services);
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(std::memcmp(page.briefing, before, sizeof before), 0);
    }

    void editedMixedBriefingTakesItsOneByteForm() {
        setBriefing(page(), "A\r\nB\nC");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QVERIFY(dialog.breakForm() == BriefingBreak::Lf);
        QPlainTextEdit* edit = dialog.textEdit(kBriefingEdit);
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(QStringLiteral("D"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string("A\nB\nCD"));
    }

    void storedBytesHelpers() {
        QCOMPARE(BriefingDialog::storedLength(u"a\nb", BriefingBreak::CrLf), qsizetype{4});
        QCOMPARE(BriefingDialog::storedLength(u"a\nb", BriefingBreak::Lf), qsizetype{3});
        QCOMPARE(BriefingDialog::fittingPrefix(u"ab\ncd", 3, BriefingBreak::CrLf), qsizetype{2});
        QCOMPARE(BriefingDialog::fittingPrefix(u"ab\ncd", 4, BriefingBreak::CrLf), qsizetype{3});
        QCOMPARE(BriefingDialog::fittingPrefix(u"ab\ncd", 3, BriefingBreak::Lf), qsizetype{3});
        QCOMPARE(BriefingDialog::fittingPrefix(u"ab", -4, BriefingBreak::CrLf), qsizetype{0});
        // A character outside the basic plane is never split.
        QCOMPARE(BriefingDialog::fittingPrefix(u"a\U0001F600b", 2, BriefingBreak::CrLf), qsizetype{1});
        QCOMPARE(BriefingDialog::storedBytes(QStringLiteral("a\nb"), BriefingBreak::CrLf),
                 std::string("a\r\nb"));
        QCOMPARE(BriefingDialog::storedBytes(QStringLiteral("a\nb"), BriefingBreak::Lf), std::string("a\nb"));
        // Cut at 255 bytes: an odd count of characters before the breaks ends on a whole break.
        const QString breaks = QString(253, QLatin1Char('x')) + QStringLiteral("\n\n");
        QCOMPARE(BriefingDialog::storedBytes(breaks, BriefingBreak::CrLf), std::string(253, 'x') + "\r\n");
    }

    void latin1BytesSurviveARoundTrip() {
        setBriefing(page(), "Caf\xe9 \xfc");
        BriefingDialog dialog(fixture.window.get(), page(), fixture.services);
        QCOMPARE(dialog.textEdit(kBriefingEdit)->toPlainText(), QStringLiteral(u"Caf\u00e9 \u00fc"));
        QTest::mouseClick(dialog.button(kControlOk), Qt::LeftButton);
        QCOMPARE(briefingOf(page()), std::string("Caf\xe9 \xfc"));
    }

    void briefingRunnerAnswersAcceptedEvenAfterCancel() {
        setBriefing(page(), "Unchanged");
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlCancel, &clicked);
        const DialogResult result = dialogs_RunBriefing(fixture.window.get(), page(), fixture.services);
        QCOMPARE(clicked, kControlCancel);
        QVERIFY(result == DialogResult::Accepted);
        QCOMPARE(briefingOf(page()), std::string("Unchanged"));
    }

    // ---- About ----

    void aboutShowsTheDialogTexts() {
        AboutDialog dialog(fixture.window.get(), fixture.services);
        QCOMPARE(dialog.windowTitle(), QString::fromLatin1(TextLookup("Dialog Message", "ABOUT_QZMED")));
        QCOMPARE(dialog.label(kAboutTextProgram)->text(), QStringLiteral("QZ2 Mission Editor"));
        QCOMPARE(dialog.label(kAboutTextVersion)->text(), QStringLiteral("Version 1.43"));
        QCOMPARE(dialog.label(kAboutTextCoder)->text(),
                 QString::fromLatin1(TextLookup("Dialog Message", "ABOUT_CODER_QZ")));
        QCOMPARE(dialog.label(kAboutTextRights)->text(),
                 QString::fromLatin1(TextLookup("Dialog Message", "ABOUT_RIGHTS_QZ")));
        QCOMPARE(dialog.label(kAboutTextHelp)->text(),
                 QString::fromLatin1(TextLookup("Dialog Message", "ABOUT_HELP_QZ")));
        // Every key exists in the demo table, so none shows the missing-text placeholder.
        const QString missing = QString::fromLatin1(kBadTextString);
        QVERIFY(dialog.windowTitle() != missing);
        for (int id :
             {kAboutTextProgram, kAboutTextVersion, kAboutTextCoder, kAboutTextRights, kAboutTextHelp})
            QVERIFY2(dialog.label(id)->text() != missing, qPrintable(QString::number(id)));
    }

    void aboutShowsTheApplicationIconTwice() {
        AboutDialog dialog(fixture.window.get(), fixture.services);
        for (const char* name : {"iconLeft", "iconRight"}) {
            auto* icon = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(icon != nullptr, name);
            QVERIFY(!icon->pixmap().isNull());
        }
    }

    void aboutClosesWithOneWhicheverWay() {
        AboutDialog byOk(fixture.window.get(), fixture.services);
        QTest::mouseClick(byOk.button(kControlOk), Qt::LeftButton);
        QCOMPARE(byOk.result(), 1);

        AboutDialog byEscape(fixture.window.get(), fixture.services);
        byEscape.show();
        QTest::keyClick(&byEscape, Qt::Key_Escape);
        QVERIFY(!byEscape.isVisible());
        QCOMPARE(byEscape.result(), 1);
    }

    void aboutRunnerAnswersAcceptedAfterOk() {
        int clicked = 0;
        dialogTest_ClickWhenModal(kControlOk, &clicked);
        const DialogResult result = dialogs_RunAbout(fixture.window.get(), page(), fixture.services);
        QCOMPARE(clicked, kControlOk);
        QVERIFY(result == DialogResult::Accepted);
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }

    EditorWindowFixture fixture;
    char saved[kBriefingSize] = {};
};

QZ_SHELL_TEST(BriefingAboutDialogTest);

#include "briefing_about_dialog_test.moc"
