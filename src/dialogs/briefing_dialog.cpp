#include "dialogs/briefing_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "mission/mission_page.h"

#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

static_assert(kBriefingLimit == kBriefingSize - 1);

namespace {

// A plain-text edit that takes in no more text than the briefing can store: typed characters
// and line breaks without room are refused, pasted, dropped and composed text is cut to fit.
// Refusing input before it arrives keeps undo and redo working as usual.
class LimitedTextEdit : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (bytesTyped(*event) > room()) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (source == nullptr || !source->hasText()) return;
        const QString text = source->text();
        QMimeData cut;
        cut.setText(text.left(BriefingDialog::fittingPrefix(text, room())));
        QPlainTextEdit::insertFromMimeData(&cut);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        const QString commit = event->commitString();
        const qsizetype keep = BriefingDialog::fittingPrefix(commit, room());
        if (keep == commit.size()) {
            QPlainTextEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(commit.left(keep), event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cut);
    }

  private:
    // Bytes left for an insertion at the cursor, which replaces the selection.
    qsizetype room() const {
        const QString text = toPlainText();
        const QTextCursor cursor = textCursor();
        const QStringView selected =
            QStringView(text).mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
        return kBriefingLimit - (BriefingDialog::storedLength(text) - BriefingDialog::storedLength(selected));
    }

    // Bytes the key would add when the edit inserts it as text; 0 for every other key.
    static qsizetype bytesTyped(const QKeyEvent& event) {
        if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 2;
        if ((event.modifiers() & Qt::ControlModifier) != 0) return 0;
        const QString text = event.text();
        if (text.isEmpty() || !text.front().isPrint()) return 0;
        return BriefingDialog::storedLength(text);
    }
};

} // namespace

BriefingDialog::BriefingDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    buildControls();
    setTemplateSize(247, 126);

    // A briefing that takes more than the limit with CR LF line breaks opens as it will be stored.
    QPlainTextEdit* text = textEdit(kBriefingEdit);
    const QString shown = shownText(page.briefing, sizeof page.briefing);
    text->setPlainText(shown.left(fittingPrefix(shown, kBriefingLimit)));
    connect(text->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        changePosition_ = position;
        changeAdded_ = added;
    });
    connect(text, &QPlainTextEdit::textChanged, this, &BriefingDialog::enforceLimit);
}

void BriefingDialog::buildControls() {
    setWindowTitle(dialogText("BRIEFING"));

    auto* caption = add(kBriefingLabel, new QLabel(dialogText("BRIEFING")));
    QPlainTextEdit* text = add(kBriefingEdit, new LimitedTextEdit);
    text->setTabChangesFocus(true);
    caption->setBuddy(text);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL")));
    connect(ok, &QPushButton::clicked, this, &BriefingDialog::storeAndClose);
    connect(cancel, &QPushButton::clicked, this, &BriefingDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
}

QString BriefingDialog::shownText(const char* briefing, size_t size) {
    const size_t length = strnlen(briefing, std::min<size_t>(size, kBriefingLimit));
    QString shown;
    shown.reserve(static_cast<qsizetype>(length));
    for (size_t i = 0; i < length; ++i) {
        const char c = briefing[i];
        if (c == '\r') {
            if (i + 1 < length && briefing[i + 1] == '\n') ++i;
            shown.append(QLatin1Char('\n'));
        } else {
            shown.append(QLatin1Char(c));
        }
    }
    return shown;
}

qsizetype BriefingDialog::storedLength(QStringView text) {
    return text.size() + text.count(u'\n');
}

qsizetype BriefingDialog::fittingPrefix(QStringView text, qsizetype room) {
    qsizetype keep = 0;
    qsizetype used = 0;
    while (keep < text.size()) {
        const qsizetype width = text[keep] == u'\n' ? 2 : 1;
        if (used + width > room) break;
        used += width;
        ++keep;
    }
    if (keep > 0 && keep < text.size() && text[keep - 1].isHighSurrogate()) --keep;
    return keep;
}

std::string BriefingDialog::storedBytes(const QString& text) {
    QString withReturns = text;
    withReturns.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    std::string bytes = toPageBytes(withReturns, kBriefingLimit);
    // A cut between CR and LF would leave half a line break.
    if (static_cast<qsizetype>(bytes.size()) < withReturns.size() && !bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    return bytes;
}

void BriefingDialog::enforceLimit() {
    if (adjusting_ || changeAdded_ <= 0) return;
    QPlainTextEdit* box = textEdit(kBriefingEdit);
    const QString text = box->toPlainText();
    const qsizetype total = storedLength(text);
    if (total <= kBriefingLimit) return;

    // The document may count its closing paragraph mark in the change: keep to the text.
    const qsizetype start = std::clamp<qsizetype>(changePosition_, 0, text.size());
    const qsizetype end = std::min<qsizetype>(start + changeAdded_, text.size());
    const QStringView inserted = QStringView(text).mid(start, end - start);
    const qsizetype room = kBriefingLimit - (total - storedLength(inserted));

    const qsizetype keep = fittingPrefix(inserted, room);

    QTextCursor cursor(box->document());
    cursor.setPosition(static_cast<int>(start + keep));
    cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
    adjusting_ = true;
    cursor.removeSelectedText();
    adjusting_ = false;
    changeAdded_ = 0;
    box->setTextCursor(cursor);
}

void BriefingDialog::storeAndClose() {
    const std::string bytes = storedBytes(textEdit(kBriefingEdit)->toPlainText());
    std::memset(page_.briefing, 0, sizeof page_.briefing);
    std::memcpy(page_.briefing, bytes.data(), bytes.size());
    done(1);
}

void BriefingDialog::reject() {
    done(1);
}

DialogResult dialogs_RunBriefing(QWidget* parent, MissionPage& page, ShellServices& services) {
    BriefingDialog dialog(parent, page, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
