#include "dialogs/layer_names_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/field_text.h"
#include "dialogs/list_editing.h"
#include "mission/mission_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LayerNamesDialog::LayerNamesDialog(QWidget* parent, MissionPage& page, ShellServices& services)
    : DialogFrame(parent, services), page_(page) {
    setWindowTitle(dialogText("LAYER_NAMES"));

    // The list comes first so that it holds the input focus when the dialog appears.
    auto* list = add(kLayerNamesList, new QListWidget(this));
    auto* nameLabel = add(kLayerNamesLabel, new QLabel(dialogText("NAME"), this));
    auto* name = add(kLayerNamesEdit, new QLineEdit(this));
    name->setMaxLength(kLayerDialogMaxChars);
    nameLabel->setBuddy(name);
    auto* ok = add(kControlOk, new QPushButton(dialogText("OK"), this));
    ok->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(nameLabel);
    side->addWidget(name);
    side->addStretch(1);
    side->addWidget(ok, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 3);
    layout->addLayout(side, 2);

    editor_ = std::make_unique<ListEditor>(list, kMaxLayers,
                                           ListEditor::Callbacks{[this](int row) { return lineText(row); },
                                                                 [this](int row) { storeLayer(row); },
                                                                 [this](int row) { showLayer(row); }});
    connect(name, &QLineEdit::textChanged, this, [this] { editor_->shownEntryEdited(); });
    connect(ok, &QPushButton::clicked, this, &LayerNamesDialog::confirm);

    editor_->open();
    list->setFocus();
    setTemplateSize(269, 181);
}

LayerNamesDialog::~LayerNamesDialog() = default;

QString LayerNamesDialog::lineText(int layer) const {
    return ListEditor::numberedLine(layer + 1, dialogs_FieldText(page_.layers[layer].description));
}

void LayerNamesDialog::storeLayer(int layer) {
    LayerName& record = page_.layers[layer];
    storeField(record.description, sizeof record.description,
               edit(kLayerNamesEdit)->text().left(kLayerDialogMaxChars));
}

void LayerNamesDialog::showLayer(int layer) {
    edit(kLayerNamesEdit)->setText(dialogs_FieldText(page_.layers[layer].description));
}

void LayerNamesDialog::confirm() {
    editor_->storeShown();
    done(1);
}

void LayerNamesDialog::reject() {}

DialogResult dialogs_RunLayerNames(QWidget* parent, MissionPage& page, ShellServices& services) {
    LayerNamesDialog dialog(parent, page, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
