#include "dialogs/item_attributes_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "mission/mission_page.h"
#include "shell/shell_services.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace {

// The check box of each bmsi_attributes bit that has one, in the order the boxes are shown.
struct BoxControl {
    int bit;
    int id;
};
constexpr BoxControl kRemoveIfBoxes[] = {
    {4, kAttrCheckLessThan}, {5, kAttrCheckMoreThan}, {6, kAttrCheckMultiplayer}};
constexpr BoxControl kAttributeBoxes[] = {
    {0, kAttrCheckBlind},    {1, kAttrCheckGuarding}, {2, kAttrCheckBreakLeft}, {3, kAttrCheckBreakRight},
    {8, kAttrCheckStanding}, {9, kAttrCheckProne},    {10, kAttrCheckSilent},   {12, kAttrCheckClimbLadders},
    {13, kAttrCheckNoWater}, {14, kAttrCheckDeaf},
};

// The controls that follow an enabling flag besides the check boxes (which follow their bit's).
struct FlagControl {
    int id;
    ItemAttrControl flag;
};
constexpr FlagControl kFlagControls[] = {
    {kAttrEditHeading, kAttrHeading},
    {kAttrEditPitch, kAttrPitch},
    {kAttrListMapSymbol, kAttrMapSymbol},
    {kAttrEditLessThan, kAttrRemoveIf},
    {kAttrEditMoreThan, kAttrRemoveIf},
    {kAttrListTeam, kAttrTeam},
    {kAttrListName, kAttrName},
    {kAttrEditFov, kAttrFov},
    {kAttrEditAccuracy, kAttrAccuracy},
    {kAttrEditPerception, kAttrPerception},
    {kAttrListWeapon, kAttrWeapon},
    {kAttrListWaypointList, kAttrWaypointList},
    {kAttrEditWaypointNumber, kAttrWaypointNumber},
    {kAttrListWaypointName, kAttrWaypointName},
    {kAttrEditWaypointDistance, kAttrWaypointDistance},
};

// Combo boxes with long entries keep a usable width; the open list shows the entries cut.
constexpr int kComboMinimumChars = 24;

const ItemAttrBox* boxRule(int bit) {
    for (const ItemAttrBox& box : kItemAttrBoxes)
        if (box.bit == bit) return &box;
    return nullptr;
}

std::string editText(const QLineEdit* edit) {
    return DialogFrame::toPageBytes(edit->text());
}

} // namespace

ItemAttributesDialog::ItemAttributesDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                                           ItemAttrSession session)
    : DialogFrame(parent, services), page_(page), session_(std::move(session)) {
    buildControls();
    fillLists();
    showForm(session_.shownForm(), kAttrAllControls);
    combo(kAttrListDefinition)->setCurrentIndex(session_.shownDefinitionEntry());
    applyEnabling();
    // Connected only now: setting up the list is not a choice.
    connect(combo(kAttrListDefinition), &QComboBox::currentIndexChanged, this,
            &ItemAttributesDialog::chooseDefinition);
    setTemplateSize(512, 326);
}

void ItemAttributesDialog::buildControls() {
    setWindowTitle(dialogText("ITEMATTRIB"));
    std::vector<QWidget*> tabOrder;

    const auto makeLabel = [this](int id, const char* key) { return add(id, new QLabel(dialogText(key))); };
    const auto makeCombo = [this, &tabOrder](int id) {
        auto* list = add(id, new QComboBox);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(kComboMinimumChars);
        list->view()->setTextElideMode(Qt::ElideRight);
        tabOrder.push_back(list);
        return list;
    };
    const auto makeEdit = [this, &tabOrder](int id) {
        auto* edit = add(id, new QLineEdit);
        edit->setMaxLength(kAttrEditMaxChars);
        tabOrder.push_back(edit);
        return edit;
    };
    const auto makeBox = [this, &tabOrder](const BoxControl& box) {
        const ItemAttrBox* rule = boxRule(box.bit);
        auto* check = add(box.id, new QCheckBox(rule != nullptr ? dialogText(rule->caption_key) : QString()));
        tabOrder.push_back(check);
        return check;
    };
    // A label beside its control, on row `row` of `grid`.
    const auto addRow = [](QGridLayout* grid, int row, QLabel* label, QWidget* field) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };

    // ---- Left column: what the item is, where it stands, when it is removed ----
    auto* header = new QHBoxLayout;
    header->addWidget(add(kAttrTextClass, new QLabel));
    header->addStretch(1);
    header->addWidget(add(kAttrTextSerial, new QLabel));

    auto* identity = new QGridLayout;
    addRow(identity, 0, makeLabel(kAttrLabelLayer, "LAYER"), makeCombo(kAttrListLayer));
    addRow(identity, 1, makeLabel(kAttrLabelDefinition, "SUBTYPE"), makeCombo(kAttrListDefinition));
    identity->setColumnStretch(1, 1);

    auto* position = add(kAttrGroupPosition, new QGroupBox(dialogText("POSITION")));
    auto* positionGrid = new QGridLayout(position);
    const int axisLabels[3] = {kAttrLabelX, kAttrLabelY, kAttrLabelZ};
    const char* axisKeys[3] = {"X_COORD", "Y_COORD", "Z_COORD"};
    for (int axis = 0; axis < 3; ++axis) {
        QLabel* label = makeLabel(axisLabels[axis], axisKeys[axis]);
        QLineEdit* metres = makeEdit(kAttrEditMetresX + axis);
        QLineEdit* parts = makeEdit(kAttrEditPartsX + axis);
        label->setBuddy(metres);
        positionGrid->addWidget(label, axis, 0);
        positionGrid->addWidget(metres, axis, 1);
        positionGrid->addWidget(parts, axis, 2);
    }
    positionGrid->setColumnStretch(1, 2);
    positionGrid->setColumnStretch(2, 1);

    auto* facing = add(kAttrGroupFacing, new QGroupBox(dialogText("FACING")));
    auto* facingGrid = new QGridLayout(facing);
    addRow(facingGrid, 0, makeLabel(kAttrLabelHeading, "HEADING"), makeEdit(kAttrEditHeading));
    addRow(facingGrid, 1, makeLabel(kAttrLabelPitch, "PITCH"), makeEdit(kAttrEditPitch));
    facingGrid->setColumnStretch(1, 1);

    auto* symbol = new QGridLayout;
    addRow(symbol, 0, makeLabel(kAttrLabelMapSymbol, "MAP_SYMBOL"), makeCombo(kAttrListMapSymbol));
    symbol->setColumnStretch(1, 1);

    auto* removeIf = add(kAttrGroupRemoveIf, new QGroupBox(dialogText("REMOVE_IF")));
    auto* removeGrid = new QGridLayout(removeIf);
    const int countEdits[2] = {kAttrEditLessThan, kAttrEditMoreThan};
    const int playerLabels[2] = {kAttrLabelLessThanPlayers, kAttrLabelMoreThanPlayers};
    for (int row = 0; row < 2; ++row) {
        removeGrid->addWidget(makeBox(kRemoveIfBoxes[row]), row, 0);
        removeGrid->addWidget(makeEdit(countEdits[row]), row, 1);
        removeGrid->addWidget(makeLabel(playerLabels[row], "PLAYERS"), row, 2);
    }
    removeGrid->addWidget(makeBox(kRemoveIfBoxes[2]), 2, 0, 1, 3);
    removeGrid->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(header);
    left->addLayout(identity);
    left->addWidget(position);
    left->addWidget(facing);
    left->addLayout(symbol);
    left->addWidget(removeIf);
    left->addStretch(1);

    // ---- Middle column: the AI variables and the waypoints ----
    auto* variables = add(kAttrGroupAiVariables, new QGroupBox(dialogText("AI_VARIABLES")));
    auto* variablesGrid = new QGridLayout(variables);
    addRow(variablesGrid, 0, makeLabel(kAttrLabelGroup, "GROUP"), makeCombo(kAttrListGroup));
    addRow(variablesGrid, 1, makeLabel(kAttrLabelTeam, "TEAM"), makeCombo(kAttrListTeam));
    addRow(variablesGrid, 2, makeLabel(kAttrLabelName, "NAME"), makeCombo(kAttrListName));
    addRow(variablesGrid, 3, makeLabel(kAttrLabelFov, "FOV"), makeEdit(kAttrEditFov));
    addRow(variablesGrid, 4, makeLabel(kAttrLabelAccuracy, "WEAPON_ACCURACY"), makeEdit(kAttrEditAccuracy));
    addRow(variablesGrid, 5, makeLabel(kAttrLabelPerception, "PERCEPTION"), makeEdit(kAttrEditPerception));
    addRow(variablesGrid, 6, makeLabel(kAttrLabelWeapon, "NPC_WEAPON"), makeCombo(kAttrListWeapon));
    variablesGrid->setColumnStretch(1, 1);

    auto* waypoints = add(kAttrGroupWaypoints, new QGroupBox(dialogText("WAYPOINTS")));
    auto* waypointGrid = new QGridLayout(waypoints);
    addRow(waypointGrid, 0, makeLabel(kAttrLabelWaypointList, "LIST"), makeCombo(kAttrListWaypointList));
    addRow(waypointGrid, 1, makeLabel(kAttrLabelWaypointNumber, "NUMBER"), makeEdit(kAttrEditWaypointNumber));
    addRow(waypointGrid, 2, makeLabel(kAttrLabelWaypointName, "NAME"), makeCombo(kAttrListWaypointName));
    addRow(waypointGrid, 3, makeLabel(kAttrLabelWaypointDistance, "DISTANCE"),
           makeEdit(kAttrEditWaypointDistance));
    waypointGrid->setColumnStretch(1, 1);

    auto* middle = new QVBoxLayout;
    middle->addWidget(variables);
    middle->addWidget(waypoints);
    middle->addStretch(1);

    // ---- Right column: the AI attribute boxes ----
    auto* attributes = add(kAttrGroupAiAttributes, new QGroupBox(dialogText("AI_ATTRIBUTES")));
    auto* attributeColumn = new QVBoxLayout(attributes);
    for (const BoxControl& box : kAttributeBoxes)
        attributeColumn->addWidget(makeBox(box));
    attributeColumn->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(middle, 3);
    columns->addWidget(attributes, 2);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL")));
    ok->setDefault(true);
    tabOrder.push_back(ok);
    tabOrder.push_back(cancel);
    connect(ok, &QPushButton::clicked, this, &ItemAttributesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ItemAttributesDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void ItemAttributesDialog::fillLists() {
    const ItemAttrLists& lists = session_.lists();
    const auto fill = [this](int id, const std::vector<std::string>& entries) {
        QComboBox* list = combo(id);
        for (const std::string& entry : entries)
            list->addItem(fromPageBytes(entry));
    };
    fill(kAttrListLayer, lists.layers);
    for (const ItemAttrDefinitionEntry& entry : lists.definitions)
        combo(kAttrListDefinition)->addItem(fromPageBytes(entry.name));
    fill(kAttrListMapSymbol, lists.map_symbols);
    fill(kAttrListGroup, lists.groups);
    fill(kAttrListTeam, lists.teams);
    fill(kAttrListName, lists.names);
    fill(kAttrListWeapon, lists.weapons);
    fill(kAttrListWaypointList, lists.waypoint_lists);
    fill(kAttrListWaypointName, lists.waypoint_names);

    const MissionItem& item = session_.working();
    label(kAttrTextClass)->setText(fromPageBytes(itemattr_ClassText(item.item_class)));
    label(kAttrTextSerial)->setText(fromPageBytes(itemattr_SerialText(item.id)));
}

void ItemAttributesDialog::showForm(const ItemAttrForm& form, ItemAttrControls which) {
    const bool all = which == kAttrAllControls;
    const auto showList = [&](ItemAttrControl flag, int id, int entry) {
        if (all || (which & flag) != 0) combo(id)->setCurrentIndex(entry);
    };
    const auto showEdit = [&](ItemAttrControl flag, int id, const std::string& text) {
        if (all || (which & flag) != 0) edit(id)->setText(fromPageBytes(text));
    };
    if (all) {
        combo(kAttrListLayer)->setCurrentIndex(form.layer);
        combo(kAttrListGroup)->setCurrentIndex(form.group);
        for (int axis = 0; axis < 3; ++axis) {
            edit(kAttrEditMetresX + axis)->setText(fromPageBytes(form.position_metres[axis]));
            edit(kAttrEditPartsX + axis)->setText(fromPageBytes(form.position_parts[axis]));
        }
    }
    showEdit(kAttrHeading, kAttrEditHeading, form.heading);
    showEdit(kAttrPitch, kAttrEditPitch, form.pitch);
    showList(kAttrMapSymbol, kAttrListMapSymbol, form.map_symbol);
    showEdit(kAttrRemoveIf, kAttrEditLessThan, form.nolessthan);
    showEdit(kAttrRemoveIf, kAttrEditMoreThan, form.nomorethan);
    showList(kAttrTeam, kAttrListTeam, form.team);
    showList(kAttrName, kAttrListName, form.name);
    showEdit(kAttrFov, kAttrEditFov, form.fov);
    showEdit(kAttrAccuracy, kAttrEditAccuracy, form.accuracy);
    showEdit(kAttrPerception, kAttrEditPerception, form.perception);
    showList(kAttrWeapon, kAttrListWeapon, form.weapon);
    showList(kAttrWaypointList, kAttrListWaypointList, form.waypoint_list);
    showEdit(kAttrWaypointNumber, kAttrEditWaypointNumber, form.wpnumber);
    showList(kAttrWaypointName, kAttrListWaypointName, form.waypoint_name);
    showEdit(kAttrWaypointDistance, kAttrEditWaypointDistance, form.wpdistance);
    for (const ItemAttrBox& box : kItemAttrBoxes)
        if (all || (which & box.control) != 0)
            boxOfBit(box.bit)->setChecked((form.ticked_bits & (int32_t{1} << box.bit)) != 0);
}

void ItemAttributesDialog::applyEnabling() {
    const ItemAttrControls enabled = session_.enabled();
    const ItemAttrControls newlyDisabled = enabled_ & ~enabled;
    enabled_ = enabled;
    if (newlyDisabled != 0) showForm(session_.shownForm(), newlyDisabled);
    for (const FlagControl& entry : kFlagControls)
        control(entry.id)->setEnabled((enabled & entry.flag) != 0);
    for (const ItemAttrBox& box : kItemAttrBoxes)
        boxOfBit(box.bit)->setEnabled((enabled & box.control) != 0);
}

void ItemAttributesDialog::chooseDefinition(int entry) {
    session_.chooseDefinition(entry);
    applyEnabling();
}

QCheckBox* ItemAttributesDialog::boxOfBit(int bit) const {
    for (const BoxControl& box : kRemoveIfBoxes)
        if (box.bit == bit) return check(box.id);
    for (const BoxControl& box : kAttributeBoxes)
        if (box.bit == bit) return check(box.id);
    return nullptr;
}

ItemAttrForm ItemAttributesDialog::readForm() const {
    ItemAttrForm form;
    form.layer = combo(kAttrListLayer)->currentIndex();
    form.map_symbol = combo(kAttrListMapSymbol)->currentIndex();
    form.group = combo(kAttrListGroup)->currentIndex();
    form.team = combo(kAttrListTeam)->currentIndex();
    form.name = combo(kAttrListName)->currentIndex();
    form.weapon = combo(kAttrListWeapon)->currentIndex();
    form.waypoint_list = combo(kAttrListWaypointList)->currentIndex();
    form.waypoint_name = combo(kAttrListWaypointName)->currentIndex();
    for (int axis = 0; axis < 3; ++axis) {
        form.position_metres[axis] = editText(edit(kAttrEditMetresX + axis));
        form.position_parts[axis] = editText(edit(kAttrEditPartsX + axis));
    }
    form.heading = editText(edit(kAttrEditHeading));
    form.pitch = editText(edit(kAttrEditPitch));
    form.nolessthan = editText(edit(kAttrEditLessThan));
    form.nomorethan = editText(edit(kAttrEditMoreThan));
    form.fov = editText(edit(kAttrEditFov));
    form.accuracy = editText(edit(kAttrEditAccuracy));
    form.perception = editText(edit(kAttrEditPerception));
    form.wpnumber = editText(edit(kAttrEditWaypointNumber));
    form.wpdistance = editText(edit(kAttrEditWaypointDistance));
    for (const ItemAttrBox& box : kItemAttrBoxes)
        if (boxOfBit(box.bit)->isChecked()) form.ticked_bits |= int32_t{1} << box.bit;
    return form;
}

void ItemAttributesDialog::accept() {
    session_.apply(page_, readForm(), [this](const ItemAttrMessage& message) {
        services().showMessage(this, message.caption, message.text, MsgIcon::Error, MsgButtons::Ok);
    });
    done(1);
}

DialogResult dialogs_RunItemAttributes(QWidget* parent, MissionPage& page, ShellServices& services,
                                       const ItemAttrSources& sources) {
    std::optional<ItemAttrSession> session = ItemAttrSession::open(page, sources);
    if (!session) return DialogResult::Cancelled;
    ItemAttributesDialog dialog(parent, page, services, std::move(*session));
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
