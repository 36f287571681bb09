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

    // The form the text will be stored with, which sets what a line break costs.
    void setBreakForm(BriefingBreak form) { form_ = form; }

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
        cut.setText(text.left(BriefingDialog::fittingPrefix(text, room(), form_)));
        QPlainTextEdit::insertFromMimeData(&cut);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        const QString commit = event->commitString();
        const qsizetype keep = BriefingDialog::fittingPrefix(commit, room(), form_);
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
        return kBriefingLimit -
               (BriefingDialog::storedLength(text, form_) - BriefingDialog::storedLength(selected, form_));
    }

    // Bytes the key would add when the edit inserts it as text; 0 for every other key.
    qsizetype bytesTyped(const QKeyEvent& event) const {
        if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
            return BriefingDialog::storedLength(u"\n", form_);
        if ((event.modifiers() & Qt::ControlModifier) != 0) return 0;
        const QString text = event.text();
        if (text.isEmpty() || !text.front().isPrint()) return 0;
        return BriefingDialog::storedLength(text, form_);
    }

    BriefingBreak form_ = BriefingBreak::CrLf;
};

} // namespace

BriefingDialog::BriefingDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    buildControls();
    setTemplateSize(247, 126);

    // Kept in the form it has, a stored briefing never takes more than it did: it opens whole.
    const size_t length = strnlen(page.briefing, std::min<size_t>(sizeof page.briefing, kBriefingMaxBytes));
    form_ = briefing_BreakForm(std::string_view(page.briefing, length));
    auto* text = static_cast<LimitedTextEdit*>(textEdit(kBriefingEdit));
    text->setBreakForm(form_);
    opened_ = shownText(page.briefing, sizeof page.briefing);
    text->setPlainText(opened_);
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
    const size_t length = strnlen(briefing, std::min<size_t>(size, kBriefingMaxBytes));
    return fromPageBytes(briefing_Shown(std::string_view(briefing, length)));
}

qsizetype BriefingDialog::storedLength(QStringView text, BriefingBreak form) {
    return static_cast<qsizetype>(briefing_StoredLength(static_cast<size_t>(text.size()),
                                                        static_cast<size_t>(text.count(u'\n')), form));
}

qsizetype BriefingDialog::fittingPrefix(QStringView text, qsizetype room, BriefingBreak form) {
    const auto breakWidth = static_cast<qsizetype>(briefing_BreakBytes(form).size());
    qsizetype keep = 0;
    qsizetype used = 0;
    while (keep < text.size()) {
        const qsizetype width = text[keep] == u'\n' ? breakWidth : 1;
        if (used + width > room) break;
        used += width;
        ++keep;
    }
    if (keep > 0 && keep < text.size() && text[keep - 1].isHighSurrogate()) --keep;
    return keep;
}

std::string BriefingDialog::storedBytes(const QString& text, BriefingBreak form) {
    return briefing_Stored(toPageBytes(text), form);
}

void BriefingDialog::enforceLimit() {
    if (adjusting_ || changeAdded_ <= 0) return;
    QPlainTextEdit* box = textEdit(kBriefingEdit);
    const QString text = box->toPlainText();
    const qsizetype total = storedLength(text, form_);
    if (total <= kBriefingLimit) return;

    // The document may count its closing paragraph mark in the change: keep to the text.
    const qsizetype start = std::clamp<qsizetype>(changePosition_, 0, text.size());
    const qsizetype end = std::min<qsizetype>(start + changeAdded_, text.size());
    const QStringView inserted = QStringView(text).mid(start, end - start);
    const qsizetype room = kBriefingLimit - (total - storedLength(inserted, form_));

    const qsizetype keep = fittingPrefix(inserted, room, form_);

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
    const QString text = textEdit(kBriefingEdit)->toPlainText();
    // Not edited: the page keeps its bytes, whatever a round trip through the edit would make of
    // them.
    if (text == opened_) {
        done(1);
        return;
    }
    const std::string bytes = storedBytes(text, form_);
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
