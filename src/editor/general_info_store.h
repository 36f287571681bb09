#pragma once
// The values of the general information dialog and how OK writes them into the page.
//
// The dialog shows a GeneralInfoForm made from the page (geninfo_FormOfPage), lets the user edit
// it, and on OK hands the form as opened and as edited to geninfo_Store. A value the user left
// as it was shown writes nothing: what a page holds outside the dialog's range (a name longer
// than the edit takes, a code no list offers, a condition beyond the name table, a terrain that
// is not installed, bits 24-31 of the fog colour) stays as it is. Every value the user changed
// is written as the dialog describes it, in this order:
//   1. the status window opens with "LOADING..." over an empty name;
//   2. name and designer (at most kGeneralInfoTextLimit bytes each);
//   3. the terrain name; when it differs from the page's (letter case ignored) the terrain
//      imagery is loaded from it at once;
//   4. terrain colour; 5. win and lose conditions (signed bytes); 6. fire missions;
//   7. the map-type, night and override bits of attrib (all other bits kept);
//   8. water and fog level; 9. fog colour, each part held to 0-255, bits 24-31 cleared;
//   10. weather; 11. sky preset and the four default weapons (-1 for a list without entry);
//   12. wind speed held to 0-45, wind direction to 0 and above;
//   13. the status window closes; after a terrain load the models the page needs are loaded.

#include "editor/general_info_choices.h"
#include "mission/mission_page.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Characters the name and designer edits take.
constexpr int kGeneralInfoTextLimit = 77;
// The fastest wind the dialog stores, in km/h.
constexpr int32_t kGeneralInfoMaxWindSpeed = 45;
// The longest terrain name the page can hold.
constexpr int kGeneralInfoTerrainLimit = kPageTerrainNameSize - 1;

// The controls' values. Lists hold the index of the entry shown (-1: none), edits of numbers the
// value they read as (the standard decimal conversion, held to 32 bits).
struct GeneralInfoForm {
    std::string name;     // page bytes
    std::string designer; // page bytes
    int terrain = -1;
    int colour = -1;
    int equipment[kDefaultEquipmentSlots] = {-1, -1, -1, -1}; // by slot E0 to E3
    int32_t wind_speed = 0;
    int32_t wind_direction = 0;
    int32_t attrib_bits = 0; // the dialog's bits of attrib (geninfo_DialogBits) as the boxes show them
    int32_t water_level = 0;
    int32_t fog_level = 0;
    int32_t fog_red = 0;
    int32_t fog_green = 0;
    int32_t fog_blue = 0;
    int weather = -1;
    int sun = -1;
    int win[kSubgoalCount] = {-1, -1, -1, -1};
    int lose[kSubgoalCount] = {-1, -1, -1, -1};
    int32_t arty = 0;

    bool operator==(const GeneralInfoForm&) const = default;
};

// The form the dialog opens with: name and designer up to their first NUL (at most
// kGeneralInfoTextLimit bytes); the terrain entry of the page's terrain or none; the colour,
// weather and condition entries of their stored values or none; the sky preset and weapons by the
// rule of the choice lists; the numbers as stored; the fog colour's three bytes.
GeneralInfoForm geninfo_FormOfPage(const MissionPage& page, const GeneralInfoChoices& choices);

// The form a dialog could not store as it stands: the message to show, or nullopt when OK may
// go on. Refused: a newly chosen terrain whose name is longer than the page holds.
std::optional<std::string> geninfo_FormProblem(const GeneralInfoChoices& choices,
                                               const GeneralInfoForm& opened, const GeneralInfoForm& edited);

// What OK needs from the editor around the page. Empty functions are skipped.
struct GeneralInfoEffects {
    std::function<void(const std::string& text)> show_status; // opens the status window
    std::function<void()> hide_status;
    std::function<void(MissionPage& page)> load_terrain; // the terrain imagery of page.general.terrain
    std::function<void()> load_models;                   // the models the pages' items need
};

// Writes what changed between `opened` and `edited` into `page` in the order above. True when
// the terrain was loaded. The form must have passed geninfo_FormProblem.
bool geninfo_Store(MissionPage& page, const GeneralInfoChoices& choices, const GeneralInfoForm& opened,
                   const GeneralInfoForm& edited, const GeneralInfoEffects& effects);

// The conversions of single values, as geninfo_Store applies them.
int32_t geninfo_WindSpeed(int32_t typed);                            // 0 to kGeneralInfoMaxWindSpeed
int32_t geninfo_WindDirection(int32_t typed);                        // negative values read as 0
int32_t geninfo_FogColour(int32_t red, int32_t green, int32_t blue); // 0x00RRGGBB, parts held to 0-255
