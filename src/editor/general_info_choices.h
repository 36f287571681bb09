#pragma once
// What the general information dialog ("GENERALINFO") offers in its lists, and which entry shows
// a stored value. Every list is a sequence of entries in the order shown, each with the text
// shown (bytes of the game's 8-bit code page) and the code stored for it.
//
// Lists and codes:
//   terrains   the terrain names (the "*.trn" files of the disk and the archives without their
//              extension), sorted; the page stores the name itself
//   colours    "Colors" texts of "GREEN", "BROWN", "WHITE", "ALPHA": terrain_color 0 to 3
//   equipment  per default-equipment slot (E0 sidearm, E1 primary, E2 secondary, E3 auxiliary)
//              the "Weapons" texts of the slot's weapons, each with its weapon code
//   weather    "Weather" texts of "NICE_DAY", "RAIN", "SNOW" (weather_type 0, 1, 2), sorted
//   suns       one entry per loaded sky preset: its display name and its id, sorted
//   win, lose  the names "STRWINCOND%0.3i" / "STRLOSECOND%0.3i" of the name table from 0 up to
//              the first missing key; the code is the position. Sub-goals are signed bytes, so
//              only the first 128 names are offered.

#include "gamedata/sunset_defs.h"
#include "mission/mission_page.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct StringTable;

struct GeneralInfoChoice {
    std::string text;
    int32_t code;
};
using GeneralInfoChoiceList = std::vector<GeneralInfoChoice>;

// Default-equipment slots, the indices of GeneralInfo::default_equipment.
enum EquipmentSlot : int {
    kEquipmentSidearm = 0,   // E0
    kEquipmentPrimary = 1,   // E1
    kEquipmentSecondary = 2, // E2
    kEquipmentAuxiliary = 3, // E3
};

// One weapon a default-equipment list offers: its key in section "Weapons" and its code.
struct EquipmentWeaponDef {
    const char* key;
    int32_t code;
};
// The weapons of `slot` (E0 to E3) in the order shown; empty for any other slot.
std::span<const EquipmentWeaponDef> geninfo_EquipmentWeapons(int slot);

// Bits of GeneralInfo::attrib the dialog sets from its check boxes.
constexpr int32_t kGeneralAttribWaterLevel = 1 << 0; // water-level override
constexpr int32_t kGeneralAttribFogLevel = 1 << 1;   // fog-level override
constexpr int32_t kGeneralAttribFogColor = 1 << 2;   // fog-colour override
constexpr int32_t kGeneralAttribWeather = 1 << 3;    // weather override
constexpr int32_t kGeneralAttribNight = 1 << 20;

// A map-type check box: its control id, caption key ("Dialog Message") and bit of attrib.
struct MapTypeDef {
    int control;
    const char* key;
    int bit;
};
// The nine map types in the order the dialog shows them.
std::span<const MapTypeDef> geninfo_MapTypes();

// Every attrib bit the dialog owns; the others are kept as they are.
int32_t geninfo_DialogBits();

// Where the lists come from.
struct GeneralInfoSources {
    std::vector<std::string> terrain_files; // "*.trn" names as the file-name listing gives them
    const StringTable* names = nullptr;     // the name table ("qz2wpn.bin"): condition names
    std::span<const SunsetDef> sunsets;     // the sky presets loaded at start-up
};
// The sources of the game data loaded at start-up: namelist_Build("*.trn"), the name table and
// the sky presets.
GeneralInfoSources geninfo_GameSources();

struct GeneralInfoChoices {
    GeneralInfoChoiceList terrains;
    GeneralInfoChoiceList colours;
    GeneralInfoChoiceList equipment[kDefaultEquipmentSlots]; // by slot E0 to E3
    GeneralInfoChoiceList weather;
    GeneralInfoChoiceList suns;
    GeneralInfoChoiceList win;
    GeneralInfoChoiceList lose;
};
// Fills every list (texts through TextLookup and the name table of `sources`).
GeneralInfoChoices geninfo_BuildChoices(const GeneralInfoSources& sources);

// The entry a stored code shows by the rule of the choice lists: the first entry with that code,
// the first entry when none has it, -1 when the list is empty.
int geninfo_IndexOfCode(const GeneralInfoChoiceList& list, int32_t code);
// The first entry with `code`, or -1 when none has it.
int geninfo_ExactIndexOfCode(const GeneralInfoChoiceList& list, int32_t code);
// The terrain entry naming the page's terrain `terrain` (a field of `size` bytes, read up to its
// first NUL): equal without regard to letter case, a ".trn" extension on either side ignored.
// -1 when there is none (also for an empty terrain name).
int geninfo_IndexOfTerrain(const GeneralInfoChoiceList& terrains, const char* terrain, size_t size);
// The code of entry `index`, or -1 for no entry (an index outside the list).
int32_t geninfo_CodeAt(const GeneralInfoChoiceList& list, int index);
