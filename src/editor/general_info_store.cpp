#include "editor/general_info_store.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kMessageSection = "Dialog Message";

std::string fieldText(const char* field, size_t size, size_t limit) {
    return std::string(field, strnlen(field, std::min(size, limit)));
}

template <size_t N> void storeText(char (&field)[N], const std::string& bytes, size_t limit) {
    const size_t length = std::min({bytes.size(), limit, N - 1});
    std::memset(field, 0, N);
    std::memcpy(field, bytes.data(), length);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// Steps 2 and 3: name, designer and terrain. True when the terrain was loaded.
bool storeNames(MissionPage& page, const GeneralInfoChoices& choices, const GeneralInfoForm& opened,
                const GeneralInfoForm& edited, const GeneralInfoEffects& effects) {
    GeneralInfo& g = page.general;
    if (edited.name != opened.name) storeText(g.name, edited.name, kGeneralInfoTextLimit);
    if (edited.designer != opened.designer) storeText(g.designer, edited.designer, kGeneralInfoTextLimit);

    // A terrain the list does not offer (none installed, or not this one) is kept until the user
    // chooses another.
    if (edited.terrain == opened.terrain || edited.terrain < 0 ||
        static_cast<size_t>(edited.terrain) >= choices.terrains.size())
        return false;
    const std::string& chosen = choices.terrains[static_cast<size_t>(edited.terrain)].text;
    if (equalIgnoringCase(chosen, std::string_view(g.terrain, strnlen(g.terrain, sizeof g.terrain))))
        return false;
    storeText(g.terrain, chosen, kGeneralInfoTerrainLimit);
    if (effects.load_terrain) effects.load_terrain(page);
    return true;
}

// A list's value: the code of the entry chosen, -1 for none.
template <typename Field>
void storeChoice(Field& field, const GeneralInfoChoiceList& list, int opened, int edited) {
    if (edited != opened) field = static_cast<Field>(geninfo_CodeAt(list, edited));
}

template <typename Field> void storeNumber(Field& field, int32_t opened, int32_t edited) {
    if (edited != opened) field = edited;
}

} // namespace

int32_t geninfo_WindSpeed(int32_t typed) {
    return std::clamp<int32_t>(typed, 0, kGeneralInfoMaxWindSpeed);
}

int32_t geninfo_WindDirection(int32_t typed) {
    return std::max<int32_t>(typed, 0);
}

int32_t geninfo_FogColour(int32_t red, int32_t green, int32_t blue) {
    auto part = [](int32_t value) { return std::clamp<int32_t>(value, 0, 255); };
    return part(red) << 16 | part(green) << 8 | part(blue);
}

GeneralInfoForm geninfo_FormOfPage(const MissionPage& page, const GeneralInfoChoices& choices) {
    const GeneralInfo& g = page.general;
    GeneralInfoForm form;
    form.name = fieldText(g.name, sizeof g.name, kGeneralInfoTextLimit);
    form.designer = fieldText(g.designer, sizeof g.designer, kGeneralInfoTextLimit);
    form.terrain = geninfo_IndexOfTerrain(choices.terrains, g.terrain, sizeof g.terrain);
    form.colour = geninfo_ExactIndexOfCode(choices.colours, g.terrain_color);
    for (int slot = 0; slot < kDefaultEquipmentSlots; ++slot)
        form.equipment[slot] = geninfo_IndexOfCode(choices.equipment[slot], g.default_equipment[slot]);
    form.wind_speed = g.wind[0];
    form.wind_direction = g.wind[1];
    form.attrib_bits = g.attrib & geninfo_DialogBits();
    form.water_level = g.water_level;
    form.fog_level = g.fog_level;
    form.fog_red = (g.fog_color >> 16) & 0xFF;
    form.fog_green = (g.fog_color >> 8) & 0xFF;
    form.fog_blue = g.fog_color & 0xFF;
    form.weather = geninfo_ExactIndexOfCode(choices.weather, g.weather_type);
    form.sun = geninfo_IndexOfCode(choices.suns, g.sunset);
    for (int k = 0; k < kSubgoalCount; ++k) {
        form.win[k] = geninfo_ExactIndexOfCode(choices.win, page.subgoals_win[k]);
        form.lose[k] = geninfo_ExactIndexOfCode(choices.lose, page.subgoals_lose[k]);
    }
    form.arty = g.arty;
    return form;
}

std::optional<std::string> geninfo_FormProblem(const GeneralInfoChoices& choices,
                                               const GeneralInfoForm& opened, const GeneralInfoForm& edited) {
    if (edited.terrain == opened.terrain || edited.terrain < 0 ||
        static_cast<size_t>(edited.terrain) >= choices.terrains.size())
        return std::nullopt;
    const std::string& name = choices.terrains[static_cast<size_t>(edited.terrain)].text;
    if (name.size() <= static_cast<size_t>(kGeneralInfoTerrainLimit)) return std::nullopt;
    return text_FormatChecked(
        TextLookup(kMessageSection, "TERRAIN_NAME_TOO_LONG"), "sd",
        "The terrain name %s is too long: a mission can name a terrain of at most %i characters.",
        {name, kGeneralInfoTerrainLimit});
}

bool geninfo_Store(MissionPage& page, const GeneralInfoChoices& choices, const GeneralInfoForm& opened,
                   const GeneralInfoForm& edited, const GeneralInfoEffects& effects) {
    GeneralInfo& g = page.general;
    if (effects.show_status)
        effects.show_status(
            text_FormatChecked(TextLookup(kMessageSection, "LOADING..."), "s", "Loading %s...", {""}));

    const bool terrainLoaded = storeNames(page, choices, opened, edited, effects);
    storeChoice(g.terrain_color, choices.colours, opened.colour, edited.colour);
    for (int k = 0; k < kSubgoalCount; ++k) {
        storeChoice(page.subgoals_win[k], choices.win, opened.win[k], edited.win[k]);
        storeChoice(page.subgoals_lose[k], choices.lose, opened.lose[k], edited.lose[k]);
    }
    storeNumber(g.arty, opened.arty, edited.arty);

    const int32_t bits = geninfo_DialogBits();
    g.attrib = (g.attrib & ~bits) | (edited.attrib_bits & bits);

    storeNumber(g.water_level, opened.water_level, edited.water_level);
    storeNumber(g.fog_level, opened.fog_level, edited.fog_level);
    if (edited.fog_red != opened.fog_red || edited.fog_green != opened.fog_green ||
        edited.fog_blue != opened.fog_blue)
        g.fog_color = geninfo_FogColour(edited.fog_red, edited.fog_green, edited.fog_blue);

    storeChoice(g.weather_type, choices.weather, opened.weather, edited.weather);
    storeChoice(g.sunset, choices.suns, opened.sun, edited.sun);
    // Written E1, E2, E3, then E0, as the lists are read.
    for (int slot : {kEquipmentPrimary, kEquipmentSecondary, kEquipmentAuxiliary, kEquipmentSidearm})
        storeChoice(g.default_equipment[slot], choices.equipment[slot], opened.equipment[slot],
                    edited.equipment[slot]);

    if (edited.wind_speed != opened.wind_speed) g.wind[0] = geninfo_WindSpeed(edited.wind_speed);
    if (edited.wind_direction != opened.wind_direction)
        g.wind[1] = geninfo_WindDirection(edited.wind_direction);

    if (effects.hide_status) effects.hide_status();
    if (terrainLoaded && effects.load_models) effects.load_models();
    return terrainLoaded;
}
