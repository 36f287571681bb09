#include "dialogs/list_editing.h"

#include <QEvent>
#include <QListWidget>
#include <QSignalBlocker>

ListEditor::ListEditor(QListWidget* list, int rowCount, Callbacks callbacks)
    : list_(list), rowCount_(rowCount > 0 ? rowCount : 0), callbacks_(std::move(callbacks)) {
    connect(list_, &QListWidget::currentRowChanged, this, [this](int) { notify(); });
    list_->installEventFilter(this);
}

void ListEditor::open() {
    {
        // Filling and the first selection are the editor's own doing, not notifications.
        const QSignalBlocker blocker(list_);
        list_->clear();
        for (int row = 0; row < rowCount_; ++row)
            list_->addItem(callbacks_.lineText ? callbacks_.lineText(row) : QString());
        if (rowCount_ > 0) list_->setCurrentRow(0);
    }
    shownRow_ = 0;
    firstNotification_ = true;
    if (rowCount_ > 0) showRow(shownRow_);
}

void ListEditor::notify() {
    if (rowCount_ == 0 || showing_) return;
    if (firstNotification_)
        firstNotification_ = false;
    else
        storeShown();
    const int selected = list_->currentRow();
    // With no line selected the shown entry stays the one in the edits.
    if (selected >= 0 && selected < rowCount_) shownRow_ = selected;
    showRow(shownRow_);
}

void ListEditor::showRow(int row) {
    if (!callbacks_.show) return;
    // Filling the edits changes them; those changes are not the user's edits of the entry.
    showing_ = true;
    callbacks_.show(row);
    showing_ = false;
}

void ListEditor::storeShown() {
    if (rowCount_ > 0 && callbacks_.store) callbacks_.store(shownRow_);
}

void ListEditor::shownEntryEdited() {
    if (firstNotification_ || showing_) return;
    storeShown();
    refreshShownLine();
}

void ListEditor::refreshShownLine() {
    QListWidgetItem* item = list_->item(shownRow_);
    if (item != nullptr && callbacks_.lineText) item->setText(callbacks_.lineText(shownRow_));
}

QString ListEditor::numberedLine(int number, const QString& text) {
    return QString::asprintf("%2i - ", number) + text;
}

bool ListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) notify();
    return QObject::eventFilter(watched, event);
}
