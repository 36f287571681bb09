#include "editor/general_info_choices.h"

#include "gamedata/game_data_setup.h"
#include "gamedata/name_lists.h"
#include "gamedata/string_table.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr EquipmentWeaponDef kSidearms[] = {{"SOCOM", 6}, {"SOCOMS", 5}, {"H&K_P11", 28}};
constexpr EquipmentWeaponDef kPrimaries[] = {{"MASTER_KEY", 10}, {"M203", 9},   {"M249", 11}, {"BL50", 12},
                                             {"H&K_MP5_SD", 15}, {"M40A1", 23}, {"UAR", 29}};
constexpr EquipmentWeaponDef kSecondaries[] = {
    {"DOUBLE_AMMO", 1}, {"SMAW", 20}, {"SATCHEL", 21}, {"CLAYMORE", 24}, {"VIDEO_CAMERA", 36}};
constexpr EquipmentWeaponDef kAuxiliaries[] = {{"DOUBLE_AMMO", 1}, {"SMAW", 20},        {"SATCHEL", 21},
                                               {"CLAYMORE", 24},   {"KEVLAR_VEST", 31}, {"GHILLIE_SUIT", 32},
                                               {"LARV", 33},       {"VIDEO_CAMERA", 36}};

constexpr MapTypeDef kMapTypes[] = {
    {3821, "COOPERATIVE", 24},
    {3822, "DEATHMATCH", 25},
    {3826, "TEAM_DEATHMATCH", 29},
    {3823, "KING_OF_THE_HILL", 26},
    {3827, "TEAM_KING_OF_THE_HILL", 30},
    {3825, "CAPTURE_THE_FLAG", 28},
    {3831, "ATTACK_AND_DEFEND", 23},
    {3832, "SEARCH_AND_DESTROY", 31},
    {3833, "FLAGBALL", 27},
};

// Keys in list order; the code of an entry is its position in this table.
constexpr const char* kColourKeys[] = {"GREEN", "BROWN", "WHITE", "ALPHA"};
constexpr const char* kWeatherKeys[] = {"NICE_DAY", "RAIN", "SNOW"};

constexpr const char* kColourSection = "Colors";
constexpr const char* kWeatherSection = "Weather";
constexpr const char* kWeaponSection = "Weapons";
constexpr const char* kTerrainPattern = "*.trn";
constexpr const char* kTerrainExtension = ".trn";

// Sub-goals are signed bytes: positions 0 to 127.
constexpr size_t kMaxConditions = 128;

char foldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return foldCase(x) == foldCase(y); });
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldCase(x)) < static_cast<unsigned char>(foldCase(y));
    });
}

// `name` without a trailing ".trn" (letter case ignored).
std::string_view withoutTerrainExtension(std::string_view name) {
    const std::string_view extension(kTerrainExtension);
    if (name.size() >= extension.size() &&
        equalIgnoringCase(name.substr(name.size() - extension.size()), extension))
        name.remove_suffix(extension.size());
    return name;
}

// The lists shown sorted keep entries of equal text in the order they were added.
void sortByText(GeneralInfoChoiceList& list) {
    std::stable_sort(list.begin(), list.end(), [](const GeneralInfoChoice& a, const GeneralInfoChoice& b) {
        return lessIgnoringCase(a.text, b.text);
    });
}

template <size_t N> GeneralInfoChoiceList keyedList(const char* section, const char* const (&keys)[N]) {
    GeneralInfoChoiceList list;
    for (size_t i = 0; i < N; ++i)
        list.push_back({TextLookup(section, keys[i]), static_cast<int32_t>(i)});
    return list;
}

GeneralInfoChoiceList terrainList(const std::vector<std::string>& files) {
    GeneralInfoChoiceList list;
    for (const std::string& file : files) {
        const std::string_view name = withoutTerrainExtension(file);
        if (name.empty()) continue;
        const bool known = std::any_of(list.begin(), list.end(), [&](const GeneralInfoChoice& entry) {
            return equalIgnoringCase(entry.text, name);
        });
        if (!known) list.push_back({std::string(name), 0});
    }
    sortByText(list);
    for (size_t i = 0; i < list.size(); ++i)
        list[i].code = static_cast<int32_t>(i);
    return list;
}

GeneralInfoChoiceList conditionList(const StringTable* names, const char* section, const char* keyFormat) {
    GeneralInfoChoiceList list;
    strtab_EnumerateNumbered(names, section, keyFormat, [&](int number, const char* text) {
        if (list.size() < kMaxConditions) list.push_back({text, number});
    });
    return list;
}

GeneralInfoChoiceList sunList(std::span<const SunsetDef> sunsets) {
    GeneralInfoChoiceList list;
    for (const SunsetDef& sunset : sunsets)
        list.push_back({std::string(sunset.name, strnlen(sunset.name, sizeof sunset.name)), sunset.id});
    sortByText(list);
    return list;
}

} // namespace

std::span<const EquipmentWeaponDef> geninfo_EquipmentWeapons(int slot) {
    switch (slot) {
    case kEquipmentSidearm:
        return kSidearms;
    case kEquipmentPrimary:
        return kPrimaries;
    case kEquipmentSecondary:
        return kSecondaries;
    case kEquipmentAuxiliary:
        return kAuxiliaries;
    default:
        return {};
    }
}

std::span<const MapTypeDef> geninfo_MapTypes() {
    return kMapTypes;
}

int32_t geninfo_DialogBits() {
    uint32_t bits = kGeneralAttribWaterLevel | kGeneralAttribFogLevel | kGeneralAttribFogColor |
                    kGeneralAttribWeather | kGeneralAttribNight;
    for (const MapTypeDef& type : kMapTypes)
        bits |= 1u << type.bit;
    return static_cast<int32_t>(bits);
}

GeneralInfoSources geninfo_GameSources() {
    GeneralInfoSources sources;
    if (StringList* files = namelist_Build(kTerrainPattern)) {
        for (const StringEntry* entry = files->first; entry != nullptr; entry = entry->next)
            sources.terrain_files.emplace_back(entry->text);
        strlist_Free(files);
    }
    sources.names = gamedata_Tables().names;
    sources.sunsets =
        std::span<const SunsetDef>(sunset_All(), static_cast<size_t>(std::max(sunset_Count(), 0)));
    return sources;
}

GeneralInfoChoices geninfo_BuildChoices(const GeneralInfoSources& sources) {
    GeneralInfoChoices choices;
    choices.terrains = terrainList(sources.terrain_files);
    choices.colours = keyedList(kColourSection, kColourKeys);
    for (int slot = 0; slot < kDefaultEquipmentSlots; ++slot)
        for (const EquipmentWeaponDef& weapon : geninfo_EquipmentWeapons(slot))
            choices.equipment[slot].push_back({TextLookup(kWeaponSection, weapon.key), weapon.code});
    choices.weather = keyedList(kWeatherSection, kWeatherKeys);
    sortByText(choices.weather);
    choices.suns = sunList(sources.sunsets);
    choices.win = conditionList(sources.names, kStrtabWinSection, kStrtabWinKey);
    choices.lose = conditionList(sources.names, kStrtabLoseSection, kStrtabLoseKey);
    return choices;
}

int geninfo_ExactIndexOfCode(const GeneralInfoChoiceList& list, int32_t code) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [code](const GeneralInfoChoice& entry) { return entry.code == code; });
    return found == list.end() ? -1 : static_cast<int>(std::distance(list.begin(), found));
}

int geninfo_IndexOfCode(const GeneralInfoChoiceList& list, int32_t code) {
    if (list.empty()) return -1;
    const int index = geninfo_ExactIndexOfCode(list, code);
    return index >= 0 ? index : 0;
}

int geninfo_IndexOfTerrain(const GeneralInfoChoiceList& terrains, const char* terrain, size_t size) {
    const std::string_view name = withoutTerrainExtension(std::string_view(terrain, strnlen(terrain, size)));
    if (name.empty()) return -1;
    for (size_t i = 0; i < terrains.size(); ++i)
        if (equalIgnoringCase(terrains[i].text, name)) return static_cast<int>(i);
    return -1;
}

int32_t geninfo_CodeAt(const GeneralInfoChoiceList& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)].code
                                                                  : -1;
}
