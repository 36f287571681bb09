#pragma once
// The general information dialog ("GENERALINFO"): the mission's name and designer, terrain,
// item colours, default equipment, wind, map types, terrain overrides, sky, win and lose
// conditions and fire missions.
//
// The lists and what each entry stores, the form the page opens as and the order in which OK
// writes it are the editor's (general_info_choices.h, general_info_store.h); the dialog shows
// them and reads its controls back. OK writes what the user changed, with the status window
// open, loading the terrain imagery when the terrain changed; a newly chosen terrain name the
// page cannot hold is refused with a message and the dialog stays open. Cancel (or Escape)
// writes nothing. Both close with result 1.

#include "dialogs/dialog_frame.h"
#include "editor/general_info_choices.h"
#include "editor/general_info_store.h"

#include <QString>

struct MissionPage;

// Control ids.
constexpr int kGeneralLabelName = 1182;
constexpr int kGeneralEditName = 3800;
constexpr int kGeneralLabelDesigner = 1183;
constexpr int kGeneralEditDesigner = 3801;
constexpr int kGeneralLabelTerrain = 1184;
constexpr int kGeneralListTerrain = 3802;
constexpr int kGeneralLabelColours = 1000;
constexpr int kGeneralListColours = 3803;
constexpr int kGeneralGroupEquipment = 1189;
constexpr int kGeneralLabelPrimary = 1188;
constexpr int kGeneralListPrimary = 3805;
constexpr int kGeneralLabelSecondary = 1190;
constexpr int kGeneralListSecondary = 3806;
constexpr int kGeneralLabelAuxiliary = 1192;
constexpr int kGeneralListAuxiliary = 3808;
constexpr int kGeneralLabelSidearm = 1191;
constexpr int kGeneralListSidearm = 3807;
constexpr int kGeneralGroupWind = 1232;
constexpr int kGeneralLabelWindSpeed = 1233;
constexpr int kGeneralEditWindSpeed = 1231;
constexpr int kGeneralLabelWindDirection = 1234;
constexpr int kGeneralEditWindDirection = 1230;
constexpr int kGeneralGroupMapTypes = 1003;
constexpr int kGeneralGroupOverrides = 1187;
constexpr int kGeneralCheckWaterLevel = 1153;
constexpr int kGeneralEditWaterLevel = 1002;
constexpr int kGeneralCheckFogLevel = 1154;
constexpr int kGeneralEditFogLevel = 1001;
constexpr int kGeneralCheckFogColour = 1155;
constexpr int kGeneralEditFogRed = 1007;
constexpr int kGeneralEditFogGreen = 1008;
constexpr int kGeneralEditFogBlue = 1010;
constexpr int kGeneralGroupSky = 1201;
constexpr int kGeneralCheckWeather = 1157;
constexpr int kGeneralListWeather = 1156;
constexpr int kGeneralLabelSun = 1200;
constexpr int kGeneralListSun = 1158;
constexpr int kGeneralCheckNight = 3829;
constexpr int kGeneralGroupWin = 1185;
constexpr int kGeneralListFirstWin = 1174; // 1174 to 1177: subgoals_win[0] to [3]
constexpr int kGeneralGroupLose = 1186;
constexpr int kGeneralListFirstLose = 1178; // 1178 to 1181: subgoals_lose[0] to [3]
constexpr int kGeneralGroupMisc = 1006;
constexpr int kGeneralLabelFireMissions = 1009;
constexpr int kGeneralEditFireMissions = 3816;

class GeneralInfoDialog : public DialogFrame {
    Q_OBJECT
  public:
    GeneralInfoDialog(QWidget* parent, MissionPage& page, ShellServices& services, GeneralInfoChoices choices,
                      GeneralInfoEffects effects);

    // The list control of default-equipment slot `slot` (E0 to E3).
    static int equipmentListId(int slot);
    // What the controls hold now.
    GeneralInfoForm currentForm() const;

  public Q_SLOTS:
    void reject() override;

  private:
    void buildControls();
    // Tab order: the columns top to bottom, left to right, then OK and Cancel.
    void orderTabs();
    void showForm(const GeneralInfoForm& form);
    void storeAndClose();

    MissionPage& page_;
    GeneralInfoChoices choices_;
    GeneralInfoEffects effects_;
    GeneralInfoForm opened_;
    QString openedName_;
    QString openedDesigner_;
};
