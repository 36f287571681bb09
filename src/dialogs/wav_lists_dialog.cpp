#include "dialogs/wav_lists_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/field_text.h"
#include "dialogs/list_editing.h"
#include "mission/mission_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Record 0 is never listed: wav lists are numbered from 1, as events and the mission file use them.
constexpr int kListedWavLists = kMaxWavLists - 1;
} // namespace

WavListsDialog::WavListsDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    setWindowTitle(ownText("WAVLISTS_TITLE"));

    auto* list = add(kWavListsList, new QListWidget(this));
    auto* description = add(kWavListsDescription, new QLineEdit(this));
    description->setMaxLength(kWavDescriptionMaxChars);
    auto* fileName = add(kWavListsFileName, new QLineEdit(this));
    fileName->setMaxLength(kWavFileNameMaxChars);
    auto* ok = add(kControlOk, new QPushButton(ownText("OK"), this));
    ok->setDefault(true);

    auto* fields = new QFormLayout;
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    fields->addRow(ownText("WAVLISTS_DESCRIPTION"), description);
    fields->addRow(ownText("WAVLISTS_FILE_NAME"), fileName);
    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addStretch(1);
    side->addWidget(ok, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(side, 1);

    editor_ = std::make_unique<ListEditor>(list, kListedWavLists,
                                           ListEditor::Callbacks{[this](int row) { return lineText(row); },
                                                                 [this](int row) { storeRecord(row); },
                                                                 [this](int row) { showRecord(row); }});
    connect(ok, &QPushButton::clicked, this, &WavListsDialog::confirm);

    editor_->open();
    list->setFocus();
    setTemplateSize(307, 197);
}

WavListsDialog::~WavListsDialog() = default;

QString WavListsDialog::lineText(int row) const {
    const int number = recordOfRow(row);
    return ListEditor::numberedLine(number, dialogs_FieldText(page_.wav_lists[number].description));
}

void WavListsDialog::storeRecord(int row) {
    WavList& record = page_.wav_lists[recordOfRow(row)];
    storeField(record.description, sizeof record.description,
               edit(kWavListsDescription)->text().left(kWavDescriptionMaxChars));
    storeField(record.file_name, sizeof record.file_name,
               edit(kWavListsFileName)->text().left(kWavFileNameMaxChars));
}

void WavListsDialog::showRecord(int row) {
    const WavList& record = page_.wav_lists[recordOfRow(row)];
    edit(kWavListsDescription)->setText(dialogs_FieldText(record.description));
    edit(kWavListsFileName)->setText(dialogs_FieldText(record.file_name));
}

void WavListsDialog::confirm() {
    editor_->storeShown();
    done(1);
}

void WavListsDialog::reject() {}

DialogResult dialogs_RunWavLists(QWidget* parent, MissionPage& page, ShellServices& services) {
    WavListsDialog dialog(parent, page, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
