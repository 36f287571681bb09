// GeneralInfoDialog: its controls, their captions and their places. Three columns: the mission,
// its equipment and wind; the map types and terrain overrides; the sky, the conditions and fire
// missions. Tab order follows the columns.

#include "dialogs/general_info_dialog.h"

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

struct EquipmentRow {
    int slot;
    int label;
    int list;
    const char* key;
};

// In the order shown.
constexpr EquipmentRow kEquipmentRows[] = {
    {kEquipmentPrimary, kGeneralLabelPrimary, kGeneralListPrimary, "PRIMARY"},
    {kEquipmentSecondary, kGeneralLabelSecondary, kGeneralListSecondary, "SECONDARY"},
    {kEquipmentAuxiliary, kGeneralLabelAuxiliary, kGeneralListAuxiliary, "AUXILIARY"},
    {kEquipmentSidearm, kGeneralLabelSidearm, kGeneralListSidearm, "SIDEARM"},
};

// Ids of the controls that take focus, in tab order (OK and Cancel follow).
std::vector<int> tabChain() {
    std::vector<int> ids = {kGeneralEditName, kGeneralEditDesigner, kGeneralListTerrain, kGeneralListColours};
    for (const EquipmentRow& row : kEquipmentRows)
        ids.push_back(row.list);
    ids.insert(ids.end(), {kGeneralEditWindSpeed, kGeneralEditWindDirection});
    for (const MapTypeDef& type : geninfo_MapTypes())
        ids.push_back(type.control);
    ids.insert(ids.end(),
               {kGeneralCheckWaterLevel, kGeneralEditWaterLevel, kGeneralCheckFogLevel, kGeneralEditFogLevel,
                kGeneralCheckFogColour, kGeneralEditFogRed, kGeneralEditFogGreen, kGeneralEditFogBlue,
                kGeneralCheckWeather, kGeneralListWeather, kGeneralListSun, kGeneralCheckNight});
    for (int k = 0; k < kSubgoalCount; ++k)
        ids.push_back(kGeneralListFirstWin + k);
    for (int k = 0; k < kSubgoalCount; ++k)
        ids.push_back(kGeneralListFirstLose + k);
    ids.insert(ids.end(), {kGeneralEditFireMissions, kControlOk, kControlCancel});
    return ids;
}

} // namespace

int GeneralInfoDialog::equipmentListId(int slot) {
    for (const EquipmentRow& row : kEquipmentRows)
        if (row.slot == slot) return row.list;
    return 0;
}

void GeneralInfoDialog::buildControls() {
    setWindowTitle(dialogText("GENERAL_INFORMATION"));

    auto makeLabel = [this](int id, const char* key) { return add(id, new QLabel(dialogText(key))); };
    auto makeEdit = [this](int id) { return add(id, new QLineEdit); };
    auto makeList = [this](int id, const GeneralInfoChoiceList& entries) {
        auto* box = add(id, new QComboBox);
        for (const GeneralInfoChoice& entry : entries)
            box->addItem(fromPageBytes(entry.text));
        return box;
    };
    // A row of a grid: caption and field, the caption leading to the field.
    auto row = [](QGridLayout* grid, QLabel* caption, QWidget* field) {
        const int at = grid->rowCount();
        caption->setBuddy(field);
        grid->addWidget(caption, at, 0);
        grid->addWidget(field, at, 1);
    };

    // ---- Left: the mission, its equipment and wind ----
    auto* mission = new QGridLayout;
    auto* name = makeEdit(kGeneralEditName);
    auto* designer = makeEdit(kGeneralEditDesigner);
    name->setMaxLength(kGeneralInfoTextLimit);
    designer->setMaxLength(kGeneralInfoTextLimit);
    row(mission, makeLabel(kGeneralLabelName, "MISSION_NAME"), name);
    row(mission, makeLabel(kGeneralLabelDesigner, "MISSION_DESIGNER"), designer);
    row(mission, makeLabel(kGeneralLabelTerrain, "MISSION_TERRAIN"),
        makeList(kGeneralListTerrain, choices_.terrains));
    row(mission, makeLabel(kGeneralLabelColours, "ITEM_COLORS"),
        makeList(kGeneralListColours, choices_.colours));
    mission->setColumnStretch(1, 1);

    auto* equipment = add(kGeneralGroupEquipment, new QGroupBox(dialogText("EQUIPMENT")));
    auto* equipmentGrid = new QGridLayout(equipment);
    for (const EquipmentRow& entry : kEquipmentRows)
        row(equipmentGrid, makeLabel(entry.label, entry.key),
            makeList(entry.list, choices_.equipment[entry.slot]));
    equipmentGrid->setColumnStretch(1, 1);

    auto* wind = add(kGeneralGroupWind, new QGroupBox(dialogText("WIND")));
    auto* windGrid = new QGridLayout(wind);
    row(windGrid, makeLabel(kGeneralLabelWindSpeed, "SPEED_KPH"), makeEdit(kGeneralEditWindSpeed));
    row(windGrid, makeLabel(kGeneralLabelWindDirection, "DIRECTION"), makeEdit(kGeneralEditWindDirection));

    auto* left = new QVBoxLayout;
    left->addLayout(mission);
    left->addWidget(equipment);
    left->addWidget(wind);
    left->addStretch(1);

    // ---- Middle: map types and terrain overrides ----
    auto* mapTypes = add(kGeneralGroupMapTypes, new QGroupBox(dialogText("MAP_TYPES")));
    auto* mapTypesColumn = new QVBoxLayout(mapTypes);
    for (const MapTypeDef& type : geninfo_MapTypes())
        mapTypesColumn->addWidget(add(type.control, new QCheckBox(dialogText(type.key))));

    auto* overrides = add(kGeneralGroupOverrides, new QGroupBox(dialogText("TERRAIN_OVERRIDES")));
    auto* overridesGrid = new QGridLayout(overrides);
    overridesGrid->addWidget(add(kGeneralCheckWaterLevel, new QCheckBox(dialogText("WATER_LEVEL"))), 0, 0);
    overridesGrid->addWidget(makeEdit(kGeneralEditWaterLevel), 0, 1, 1, 3);
    overridesGrid->addWidget(add(kGeneralCheckFogLevel, new QCheckBox(dialogText("FOG_LEVEL"))), 1, 0);
    overridesGrid->addWidget(makeEdit(kGeneralEditFogLevel), 1, 1, 1, 3);
    overridesGrid->addWidget(add(kGeneralCheckFogColour, new QCheckBox(dialogText("FOG_COLOR"))), 2, 0);
    int column = 1;
    for (int id : {kGeneralEditFogRed, kGeneralEditFogGreen, kGeneralEditFogBlue}) {
        QLineEdit* part = makeEdit(id);
        part->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
        overridesGrid->addWidget(part, 2, column++);
    }

    auto* middle = new QVBoxLayout;
    middle->addWidget(mapTypes);
    middle->addWidget(overrides);
    middle->addStretch(1);

    // ---- Right: sky, conditions, fire missions ----
    auto* sky = add(kGeneralGroupSky, new QGroupBox(dialogText("SKY_SETTINGS")));
    auto* skyGrid = new QGridLayout(sky);
    skyGrid->addWidget(add(kGeneralCheckWeather, new QCheckBox(dialogText("WEATHER"))), 0, 0);
    skyGrid->addWidget(makeList(kGeneralListWeather, choices_.weather), 0, 1);
    row(skyGrid, makeLabel(kGeneralLabelSun, "SUN"), makeList(kGeneralListSun, choices_.suns));
    skyGrid->addWidget(add(kGeneralCheckNight, new QCheckBox(dialogText("NIGHT"))), 2, 0, 1, 2);
    skyGrid->setColumnStretch(1, 1);

    auto conditions = [&](int groupId, const char* key, int firstList, const GeneralInfoChoiceList& entries) {
        auto* group = add(groupId, new QGroupBox(dialogText(key)));
        auto* lists = new QVBoxLayout(group);
        for (int k = 0; k < kSubgoalCount; ++k)
            lists->addWidget(makeList(firstList + k, entries));
        return group;
    };

    auto* misc = add(kGeneralGroupMisc, new QGroupBox(dialogText("MISC")));
    auto* miscGrid = new QGridLayout(misc);
    row(miscGrid, makeLabel(kGeneralLabelFireMissions, "FIRE_MISSIONS_AVAILABLE"),
        makeEdit(kGeneralEditFireMissions));

    auto* right = new QVBoxLayout;
    right->addWidget(sky);
    right->addWidget(conditions(kGeneralGroupWin, "WIN_CONDITION", kGeneralListFirstWin, choices_.win));
    right->addWidget(conditions(kGeneralGroupLose, "LOSE_CONDITION", kGeneralListFirstLose, choices_.lose));
    right->addWidget(misc);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle);
    columns->addLayout(right, 1);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    auto* cancel = add(kControlCancel, new QPushButton(dialogText("CANCEL")));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &GeneralInfoDialog::storeAndClose);
    connect(cancel, &QPushButton::clicked, this, &GeneralInfoDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

void GeneralInfoDialog::orderTabs() {
    const std::vector<int> chain = tabChain();
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(control(chain[i - 1]), control(chain[i]));
}
