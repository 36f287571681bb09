#include "shell/status_window.h"

#include "gamedata/string_table.h"
#include "shell/game_text.h"

#include <QLabel>
#include <QVBoxLayout>

StatusWindow::StatusWindow(QWidget* parent) : QDialog(parent), text_(new QLabel(this)) {
    setObjectName(QStringLiteral("statusWindow"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    text_->setObjectName(QStringLiteral("control%1").arg(kStatusTextControl));
    text_->setTextFormat(Qt::PlainText);
    text_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
}

void StatusWindow::reset() {
    setWindowTitle(shell_Text("Dialog Message", "STATUS"));
    text_->clear();
}

void StatusWindow::setText(const QString& text) {
    text_->setText(text);
    // The editor is busy until the window goes away: paint the new text now.
    text_->repaint();
}

QString StatusWindow::text() const {
    return text_->text();
}
