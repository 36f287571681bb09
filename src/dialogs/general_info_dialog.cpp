#include "dialogs/general_info_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "gamedata/string_table.h"
#include "mission/mission_page.h"
#include "shell/shell_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <utility>

namespace {

struct NumberEdit {
    int id;
    int32_t GeneralInfoForm::*value;
};

constexpr NumberEdit kNumberEdits[] = {
    {kGeneralEditWindSpeed, &GeneralInfoForm::wind_speed},
    {kGeneralEditWindDirection, &GeneralInfoForm::wind_direction},
    {kGeneralEditWaterLevel, &GeneralInfoForm::water_level},
    {kGeneralEditFogLevel, &GeneralInfoForm::fog_level},
    {kGeneralEditFogRed, &GeneralInfoForm::fog_red},
    {kGeneralEditFogGreen, &GeneralInfoForm::fog_green},
    {kGeneralEditFogBlue, &GeneralInfoForm::fog_blue},
    {kGeneralEditFireMissions, &GeneralInfoForm::arty},
};

struct BitBox {
    int id;
    int32_t bit;
};

constexpr BitBox kOverrideBoxes[] = {
    {kGeneralCheckWaterLevel, kGeneralAttribWaterLevel}, {kGeneralCheckFogLevel, kGeneralAttribFogLevel},
    {kGeneralCheckFogColour, kGeneralAttribFogColor},    {kGeneralCheckWeather, kGeneralAttribWeather},
    {kGeneralCheckNight, kGeneralAttribNight},
};

// The list controls with the form value each shows.
template <typename Form, typename Visit> void forEachList(Form& form, Visit visit) {
    visit(kGeneralListTerrain, form.terrain);
    visit(kGeneralListColours, form.colour);
    for (int slot = 0; slot < kDefaultEquipmentSlots; ++slot)
        visit(GeneralInfoDialog::equipmentListId(slot), form.equipment[slot]);
    visit(kGeneralListWeather, form.weather);
    visit(kGeneralListSun, form.sun);
    for (int k = 0; k < kSubgoalCount; ++k) {
        visit(kGeneralListFirstWin + k, form.win[k]);
        visit(kGeneralListFirstLose + k, form.lose[k]);
    }
}

// The attrib bits the check boxes stand for: the overrides, night and the map types.
template <typename Visit> void forEachBitBox(Visit visit) {
    for (const BitBox& box : kOverrideBoxes)
        visit(box.id, box.bit);
    for (const MapTypeDef& type : geninfo_MapTypes())
        visit(type.control, static_cast<int32_t>(1u << type.bit));
}

} // namespace

GeneralInfoDialog::GeneralInfoDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                                     GeneralInfoChoices choices, GeneralInfoEffects effects)
    : DialogFrame(parent, services), page_(page), choices_(std::move(choices)), effects_(std::move(effects)) {
    buildControls();
    orderTabs();
    setTemplateSize(512, 346);

    opened_ = geninfo_FormOfPage(page_, choices_);
    showForm(opened_);
    // What the edits show may differ from the page's bytes (a text cut at the edit's limit); an
    // edit still showing it is an unchanged value.
    openedName_ = edit(kGeneralEditName)->text();
    openedDesigner_ = edit(kGeneralEditDesigner)->text();
    edit(kGeneralEditName)->setFocus();
}

void GeneralInfoDialog::showForm(const GeneralInfoForm& form) {
    edit(kGeneralEditName)->setText(fromPageBytes(form.name));
    edit(kGeneralEditDesigner)->setText(fromPageBytes(form.designer));
    forEachList(form, [this](int id, int index) { combo(id)->setCurrentIndex(index); });
    for (const NumberEdit& number : kNumberEdits)
        edit(number.id)->setText(QString::number(form.*number.value));
    forEachBitBox([&](int id, int32_t bit) { check(id)->setChecked((form.attrib_bits & bit) != 0); });
}

GeneralInfoForm GeneralInfoDialog::currentForm() const {
    GeneralInfoForm form;
    const QString name = edit(kGeneralEditName)->text();
    const QString designer = edit(kGeneralEditDesigner)->text();
    form.name = name == openedName_ ? opened_.name : toPageBytes(name, kGeneralInfoTextLimit);
    form.designer =
        designer == openedDesigner_ ? opened_.designer : toPageBytes(designer, kGeneralInfoTextLimit);
    forEachList(form, [this](int id, int& index) { index = combo(id)->currentIndex(); });
    for (const NumberEdit& number : kNumberEdits)
        form.*number.value = parseInteger(edit(number.id)->text());
    forEachBitBox([&](int id, int32_t bit) {
        if (check(id)->isChecked()) form.attrib_bits |= bit;
    });
    return form;
}

void GeneralInfoDialog::storeAndClose() {
    const GeneralInfoForm edited = currentForm();
    if (const auto problem = geninfo_FormProblem(choices_, opened_, edited)) {
        services().showMessage(this, TextLookup("Dialog Message", "GENERAL_INFORMATION"), *problem,
                               MsgIcon::Warning, MsgButtons::Ok);
        activateWindow();
        combo(kGeneralListTerrain)->setFocus();
        return;
    }
    geninfo_Store(page_, choices_, opened_, edited, effects_);
    done(1);
}

void GeneralInfoDialog::reject() {
    done(1);
}

DialogResult dialogs_RunGeneralInfo(QWidget* parent, MissionPage& page, ShellServices& services,
                                    GeneralInfoChoices choices, GeneralInfoEffects effects) {
    GeneralInfoDialog dialog(parent, page, services, std::move(choices), std::move(effects));
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
