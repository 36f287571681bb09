#include "dialogs/integrity_check_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "mission/integrity_check.h"
#include "mission/mission_page.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

IntegrityCheckDialog::IntegrityCheckDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    setWindowTitle(ownText("INTEGRITYCHECK_TITLE"));

    auto* summary = add(kIntegritySummary, new QLabel(this));
    summary->setWordWrap(true);
    auto* list = add(kIntegrityList, new QListWidget(this));
    list->setSortingEnabled(true);
    auto* selectAll = add(kIntegritySelectAll, new QPushButton(ownText("INTEGRITYCHECK_SELECT_ALL"), this));
    auto* print = add(kIntegrityPrint, new QPushButton(ownText("INTEGRITYCHECK_PRINT"), this));
    print->setEnabled(false);
    // Enter belongs to the window (it closes it with 1) unless a button has the focus.
    selectAll->setAutoDefault(false);
    print->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addStretch(1);
    buttons->addWidget(print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);

    const std::vector<int> unknown = page_FindUnknownItems(page_);
    for (int slot : unknown)
        list->addItem(QString::number(slot));
    summary->setText(fromPageBytes(integrity_SummaryText(static_cast<int>(unknown.size()))));

    connect(selectAll, &QPushButton::clicked, this, &IntegrityCheckDialog::selectAll);
    setTemplateSize(161, 154);
}

void IntegrityCheckDialog::selectAll() {
    page_SelectUnknownItems(page_);
    done(1);
}

void IntegrityCheckDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            done(1);
            return;
        }
    }
    DialogFrame::keyPressEvent(event);
}

DialogResult dialogs_RunIntegrityCheck(QWidget* parent, MissionPage& page, ShellServices& services) {
    IntegrityCheckDialog dialog(parent, page, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
