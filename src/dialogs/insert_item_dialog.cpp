#include "dialogs/insert_item_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "editor/insert_item_names.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace {

struct ClassRadio {
    int32_t item_class;
    int id;
    const char* key; // caption in "Dialog Message"
};

// In class order, which is also the order the buttons are shown in.
constexpr ClassRadio kClassRadios[] = {
    {kInsertClassVehicle, kInsertRadioVehicles, "VEHICLES"},
    {kInsertClassDecoration, kInsertRadioDecorations, "DECORATIONS"},
    {kInsertClassPerson, kInsertRadioPeople, "PEOPLE"},
    {kInsertClassMarker, kInsertRadioMarkers, "MARKERS"},
    {kInsertClassBuilding, kInsertRadioBuildings, "BUILDINGS"},
    {kInsertClassObject, kInsertRadioObjects, "OBJECTS"},
};

} // namespace

InsertItemDialog::InsertItemDialog(QWidget* parent, ShellServices& services, InsertItemMemory& memory,
                                   bool showAll)
    : DialogFrame(parent, services), memory_(memory), showAll_(showAll) {
    buildControls();
    setTemplateSize(327, 231);

    if (const int id = radioIdOfClass(memory.item_class); id != 0) {
        radio(id)->setChecked(true); // fills the list through the toggled signal
    }
    selectName(fromPageBytes(memory.definition_name));
    check(kInsertCheckRandomFacing)->setChecked(memory.random_facing);

    // Connected only now, so that setting up the controls above remembers nothing.
    connect(check(kInsertCheckRandomFacing), &QCheckBox::toggled, this,
            [this](bool on) { memory_.random_facing = on; });
}

void InsertItemDialog::buildControls() {
    setWindowTitle(dialogText("INSERT_ITEM"));

    auto* typeGroup = add(kInsertGroupType, new QGroupBox(dialogText("TYPE")));
    auto* typeLayout = new QVBoxLayout(typeGroup);
    for (const ClassRadio& entry : kClassRadios) {
        auto* choice = add(entry.id, new QRadioButton(dialogText(entry.key)));
        typeLayout->addWidget(choice);
        const int32_t itemClass = entry.item_class;
        connect(choice, &QRadioButton::toggled, this, [this, itemClass](bool on) {
            if (on) fillList(itemClass);
        });
    }
    typeLayout->addStretch(1);

    auto* randomFacing = add(kInsertCheckRandomFacing, new QCheckBox(dialogText("RANDOM_FACING")));

    auto* left = new QVBoxLayout;
    left->addWidget(typeGroup, 1);
    left->addWidget(randomFacing);

    auto* names = add(kInsertListNames, new QListWidget);
    // The entries come sorted without regard to letter case (insert_DefinitionNames).
    names->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click on an entry chooses it, as OK does.
    connect(names, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list(kInsertListNames)->setCurrentItem(item);
        storeAndAccept();
    });

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(names, 1);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL")));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &InsertItemDialog::storeAndAccept);
    connect(cancel, &QPushButton::clicked, this, &InsertItemDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

int InsertItemDialog::radioIdOfClass(int32_t itemClass) {
    for (const ClassRadio& entry : kClassRadios)
        if (entry.item_class == itemClass) return entry.id;
    return 0;
}

void InsertItemDialog::fillList(int32_t itemClass) {
    QListWidget* names = list(kInsertListNames);
    names->clear();
    for (const std::string& name : insert_DefinitionNames(itemClass, showAll_))
        names->addItem(fromPageBytes(name));
}

void InsertItemDialog::selectName(const QString& name) {
    QListWidget* names = list(kInsertListNames);
    for (int row = 0; row < names->count(); ++row) {
        if (names->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            names->setCurrentRow(row);
            names->scrollToItem(names->item(row));
            return;
        }
    }
}

int32_t InsertItemDialog::checkedClass() const {
    for (const ClassRadio& entry : kClassRadios)
        if (radio(entry.id)->isChecked()) return entry.item_class;
    return kInsertClassNone;
}

void InsertItemDialog::storeAndAccept() {
    InsertItemMemory& memory = memory_;
    if (const int32_t itemClass = checkedClass(); itemClass != kInsertClassNone)
        memory.item_class = itemClass;
    const QList<QListWidgetItem*> selected = list(kInsertListNames)->selectedItems();
    if (!selected.isEmpty()) memory.definition_name = toPageBytes(selected.first()->text());
    memory.cancelled = false;
    done(1);
}

void InsertItemDialog::reject() {
    memory_.cancelled = true;
    done(0);
}

DialogResult dialogs_RunInsertItem(QWidget* parent, ShellServices& services, InsertItemMemory& memory,
                                   bool showAll) {
    InsertItemDialog dialog(parent, services, memory, showAll);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
