// The general information dialog's rules: what its lists offer, which entry shows a stored
// value, and what OK writes (only what changed, held to what the fields can hold, in order, with
// the terrain loaded only when it changed).

#include "editor/general_info_choices.h"
#include "editor/general_info_store.h"

#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kTexts =
    "[Dialog Message]\n"
    "LOADING...=Loading %s\n"
    "TERRAIN_NAME_TOO_LONG=Too long: %s (at most %i)\n"
    "[Colors]\nGREEN=Green\nBROWN=Brown\nWHITE=White\nALPHA=Alpha\n"
    "[Weather]\nNICE_DAY=Sunny\nRAIN=Drizzle\nSNOW=Blizzard\n"
    "[Weapons]\nSOCOM=Socom\nSOCOMS=Socom silenced\nH&K_P11=P11\n"
    "MASTER_KEY=Shotgun rifle\nM203=Grenade rifle\nM249=Machine gun\nBL50=Heavy rifle\n"
    "H&K_MP5_SD=MP5\nM40A1=Sniper rifle\nUAR=Assault rifle\n"
    "DOUBLE_AMMO=Ammo\nSMAW=Rocket\nSATCHEL=Satchel\nCLAYMORE=Claymore\n"
    "VIDEO_CAMERA=Camera\nKEVLAR_VEST=Vest\nGHILLIE_SUIT=Ghillie\nLARV=Light rocket\n";

constexpr const char* kNames = "[WinConditions]\nSTRWINCOND000=(none)\nSTRWINCOND001=Take the hill\n"
                               "STRWINCOND002=Hold the bridge\nSTRWINCOND004=Never reached\n"
                               "[LoseConditions]\nSTRLOSECOND000=(none)\nSTRLOSECOND001=Squad lost\n";

SunsetDef sunset(const char* name, uint8_t id) {
    SunsetDef def{};
    std::strncpy(def.name, name, sizeof def.name - 1);
    def.id = id;
    return def;
}

// The text of every entry of `list`, in order.
std::vector<std::string> textsOf(const GeneralInfoChoiceList& list) {
    std::vector<std::string> texts;
    for (const GeneralInfoChoice& entry : list)
        texts.push_back(entry.text);
    return texts;
}

int indexOfText(const GeneralInfoChoiceList& list, const std::string& text) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].text == text) return static_cast<int>(i);
    ADD_FAILURE() << "no entry " << text;
    return -1;
}

template <size_t N> void setText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N));
}

class GeneralInfoRules : public ::testing::Test {
  protected:
    void SetUp() override {
        test_InstallTexts(kTexts);
        sunsets = {sunset("Noon", 0), sunset("Dawn", 5), sunset("Dusk", 7)};
        sources.terrain_files = {"hills.trn", "coast.trn", "desert.trn"};
        sources.names = test_BuildTable(kNames);
        sources.sunsets = sunsets;
        choices = geninfo_BuildChoices(sources);
        page = std::make_unique<MissionPage>();
    }

    // The page's plain data as it is now.
    std::unique_ptr<MissionPageData> snapshot() const {
        auto copy = std::make_unique<MissionPageData>();
        std::memcpy(static_cast<void*>(copy.get()), static_cast<const MissionPageData*>(page.get()),
                    sizeof *copy);
        return copy;
    }
    bool unchangedSince(const MissionPageData& before) const {
        return std::memcmp(&before, static_cast<const MissionPageData*>(page.get()), sizeof before) == 0;
    }

    // OK with `edited` over the form the page opens as; the effects are logged.
    bool store(const GeneralInfoForm& opened, const GeneralInfoForm& edited) {
        GeneralInfoEffects effects;
        effects.show_status = [this](const std::string& text) { log.push_back("status:" + text); };
        effects.hide_status = [this] { log.push_back("hide"); };
        effects.load_terrain = [this](MissionPage& loaded) {
            log.push_back(std::string("terrain:") + loaded.general.terrain);
            atTerrainLoad = snapshot();
        };
        effects.load_models = [this] { log.push_back("models"); };
        return geninfo_Store(*page, choices, opened, edited, effects);
    }

    std::vector<SunsetDef> sunsets;
    GeneralInfoSources sources;
    GeneralInfoChoices choices;
    std::unique_ptr<MissionPage> page;
    std::vector<std::string> log;
    std::unique_ptr<MissionPageData> atTerrainLoad;
};

// ---- Lists --------------------------------------------------------------------------------------

TEST_F(GeneralInfoRules, TerrainsAreTheTrnFilesWithoutExtensionSortedAndOnce) {
    sources.terrain_files = {"hills.trn", "Coast.TRN", "desert.trn", "coast.trn", ".trn"};
    EXPECT_EQ(textsOf(geninfo_BuildChoices(sources).terrains),
              (std::vector<std::string>{"Coast", "desert", "hills"}));
}

TEST_F(GeneralInfoRules, PageTerrainIsFoundWhateverItsLetterCaseOrExtension) {
    const int hills = indexOfText(choices.terrains, "hills");
    EXPECT_EQ(geninfo_IndexOfTerrain(choices.terrains, "HILLS", 16), hills);
    EXPECT_EQ(geninfo_IndexOfTerrain(choices.terrains, "Hills.trn", 16), hills);
    EXPECT_EQ(geninfo_IndexOfTerrain(choices.terrains, "", 16), -1);
    EXPECT_EQ(geninfo_IndexOfTerrain(choices.terrains, "mars", 16), -1);
    // A field filled to the brim without its terminator is read no further than its size.
    const char unterminated[5] = {'h', 'i', 'l', 'l', 's'};
    EXPECT_EQ(geninfo_IndexOfTerrain(choices.terrains, unterminated, sizeof unterminated), hills);
}

TEST_F(GeneralInfoRules, StoredCodeShowsTheFirstEntryWithItOrTheFirstEntry) {
    const GeneralInfoChoiceList list = {{"a", 4}, {"b", 9}, {"c", 9}};
    EXPECT_EQ(geninfo_IndexOfCode(list, 9), 1);
    EXPECT_EQ(geninfo_IndexOfCode(list, 77), 0);
    EXPECT_EQ(geninfo_IndexOfCode({}, 4), -1);
    EXPECT_EQ(geninfo_ExactIndexOfCode(list, 77), -1);
    EXPECT_EQ(geninfo_CodeAt(list, 2), 9);
    EXPECT_EQ(geninfo_CodeAt(list, 3), -1);
    EXPECT_EQ(geninfo_CodeAt(list, -1), -1);
}

TEST_F(GeneralInfoRules, WeatherIsSortedByTextAndKeepsItsCodes) {
    EXPECT_EQ(textsOf(choices.weather), (std::vector<std::string>{"Blizzard", "Drizzle", "Sunny"}));
    EXPECT_EQ(choices.weather[static_cast<size_t>(indexOfText(choices.weather, "Drizzle"))].code, 1);
    EXPECT_EQ(choices.weather[static_cast<size_t>(indexOfText(choices.weather, "Sunny"))].code, 0);
}

TEST_F(GeneralInfoRules, SkyPresetsAreSortedByNameAndCarryTheirIds) {
    EXPECT_EQ(textsOf(choices.suns), (std::vector<std::string>{"Dawn", "Dusk", "Noon"}));
    EXPECT_EQ(choices.suns[0].code, 5);
    EXPECT_EQ(choices.suns[2].code, 0);
}

TEST_F(GeneralInfoRules, EachEquipmentSlotOffersItsOwnWeapons) {
    // E0 is the sidearm: the pistols, not the rifles of E1.
    const GeneralInfoChoiceList& sidearms = choices.equipment[kEquipmentSidearm];
    EXPECT_EQ(sidearms[static_cast<size_t>(indexOfText(sidearms, "P11"))].code, 28);
    EXPECT_EQ(geninfo_ExactIndexOfCode(sidearms, 23), -1);
    const GeneralInfoChoiceList& primaries = choices.equipment[kEquipmentPrimary];
    EXPECT_EQ(primaries[static_cast<size_t>(indexOfText(primaries, "Sniper rifle"))].code, 23);
    // Only the auxiliary slot offers the vest.
    for (int slot = 0; slot < kDefaultEquipmentSlots; ++slot)
        EXPECT_EQ(geninfo_ExactIndexOfCode(choices.equipment[slot], 31) >= 0, slot == kEquipmentAuxiliary)
            << slot;
}

TEST_F(GeneralInfoRules, ConditionsRunToTheFirstMissingKeyAndCodeTheirPosition) {
    EXPECT_EQ(textsOf(choices.win), (std::vector<std::string>{"(none)", "Take the hill", "Hold the bridge"}));
    EXPECT_EQ(choices.win[2].code, 2);
    EXPECT_EQ(choices.lose.size(), 2u);
}

TEST_F(GeneralInfoRules, NoMoreConditionsThanASignedByteCanName) {
    std::string names = "[WinConditions]\n";
    for (int i = 0; i < 200; ++i)
        names += "STRWINCOND" +
                 std::string(i < 10    ? "00"
                             : i < 100 ? "0"
                                       : "") +
                 std::to_string(i) + "=Goal " + std::to_string(i) + "\n";
    sources.names = test_BuildTable(names);
    const GeneralInfoChoices many = geninfo_BuildChoices(sources);
    ASSERT_EQ(many.win.size(), 128u);
    EXPECT_EQ(many.win.back().code, 127);
    EXPECT_TRUE(many.lose.empty());
}

// ---- OK -----------------------------------------------------------------------------------------

TEST_F(GeneralInfoRules, UntouchedDamagedPageKeepsEveryByte) {
    GeneralInfo& g = page->general;
    std::memset(g.name, 'N', sizeof g.name); // no terminator
    setText(g.designer, std::string(79, 'd'));
    setText(g.terrain, "mars");
    g.terrain_color = 9;
    g.default_equipment[0] = 99;
    g.default_equipment[1] = -3;
    g.default_equipment[3] = 1000;
    g.wind[0] = 60;
    g.wind[1] = -7;
    g.fog_color = static_cast<int32_t>(0xC0C0C0C0);
    g.weather_type = 5;
    g.sunset = 200;
    g.attrib = static_cast<int32_t>(0xFFFFFFFF);
    g.visible_if = 1234;
    page->subgoals_win[0] = 50;
    page->subgoals_win[1] = -1;
    page->subgoals_lose[2] = -128;
    const auto before = snapshot();

    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    EXPECT_EQ(opened.terrain, -1);
    EXPECT_EQ(opened.colour, -1);
    EXPECT_EQ(opened.weather, -1);
    EXPECT_EQ(opened.win[0], -1);
    EXPECT_EQ(opened.equipment[0], 0); // an unknown weapon shows the first entry
    EXPECT_EQ(opened.name.size(), static_cast<size_t>(kGeneralInfoTextLimit));
    EXPECT_FALSE(geninfo_FormProblem(choices, opened, opened));
    EXPECT_FALSE(store(opened, opened));
    EXPECT_TRUE(unchangedSince(*before));
    EXPECT_EQ(log, (std::vector<std::string>{"status:Loading ", "hide"}));
}

TEST_F(GeneralInfoRules, WindSpeedIsHeldTo45AndDirectionReadsNoNegatives) {
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    struct Case {
        int32_t speed, direction, storedSpeed, storedDirection;
    };
    for (const Case& c : {Case{60, 400, 45, 400}, Case{-5, -5, 0, 0}, Case{45, 90, 45, 90},
                          Case{INT32_MAX, INT32_MIN, 45, 0}, Case{44, 1, 44, 1}}) {
        page->general.wind[0] = page->general.wind[1] = 0;
        GeneralInfoForm edited = opened;
        edited.wind_speed = c.speed;
        edited.wind_direction = c.direction;
        store(opened, edited);
        EXPECT_EQ(page->general.wind[0], c.storedSpeed) << c.speed;
        EXPECT_EQ(page->general.wind[1], c.storedDirection) << c.direction;
    }
}

TEST_F(GeneralInfoRules, FogColourPartsAreHeldToAByteAndTheTopByteCleared) {
    page->general.fog_color = static_cast<int32_t>(0xC0C0C0C0);
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    EXPECT_EQ(opened.fog_red, 0xC0);
    GeneralInfoForm edited = opened;
    edited.fog_red = 300;
    edited.fog_green = 20;
    edited.fog_blue = 10;
    store(opened, edited);
    EXPECT_EQ(page->general.fog_color, 0xFF140A);
    edited.fog_red = -1;
    store(opened, edited);
    EXPECT_EQ(page->general.fog_color, 0x00140A);
}

TEST_F(GeneralInfoRules, ChangedTerrainIsLoadedBetweenTheNamesAndTheRestThenModels) {
    setText(page->general.terrain, "hills");
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    ASSERT_EQ(opened.terrain, indexOfText(choices.terrains, "hills"));
    GeneralInfoForm edited = opened;
    edited.name = "New name";
    edited.terrain = indexOfText(choices.terrains, "coast");
    edited.colour = 2;
    EXPECT_TRUE(store(opened, edited));
    EXPECT_STREQ(page->general.terrain, "coast");
    EXPECT_EQ(log, (std::vector<std::string>{"status:Loading ", "terrain:coast", "hide", "models"}));
    // The name is written before the terrain loads, the colour after.
    ASSERT_TRUE(atTerrainLoad);
    EXPECT_STREQ(atTerrainLoad->general.name, "New name");
    EXPECT_EQ(atTerrainLoad->general.terrain_color, 0);
    EXPECT_EQ(page->general.terrain_color, 2);
}

TEST_F(GeneralInfoRules, OtherChangesWithTheSameTerrainLoadNothing) {
    setText(page->general.terrain, "HILLS.trn");
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    GeneralInfoForm edited = opened;
    edited.name = "Renamed";
    edited.weather = indexOfText(choices.weather, "Blizzard");
    EXPECT_FALSE(store(opened, edited));
    EXPECT_STREQ(page->general.terrain, "HILLS.trn");
    EXPECT_EQ(page->general.weather_type, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"status:Loading ", "hide"}));
}

TEST_F(GeneralInfoRules, TerrainNotInstalledIsKeptUntilAnotherIsChosen) {
    setText(page->general.terrain, "mars");
    sources.terrain_files.clear();
    choices = geninfo_BuildChoices(sources);
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    EXPECT_FALSE(store(opened, opened));
    EXPECT_STREQ(page->general.terrain, "mars");

    choices = geninfo_BuildChoices(GeneralInfoSources{{"desert.trn"}, sources.names, sunsets});
    GeneralInfoForm edited = geninfo_FormOfPage(*page, choices);
    const GeneralInfoForm reopened = edited;
    edited.terrain = 0;
    EXPECT_TRUE(store(reopened, edited));
    EXPECT_STREQ(page->general.terrain, "desert");
}

TEST_F(GeneralInfoRules, TerrainNameTheFieldCannotHoldIsRefused) {
    sources.terrain_files.push_back("averyveryverylongname.trn");
    choices = geninfo_BuildChoices(sources);
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    GeneralInfoForm edited = opened;
    edited.terrain = indexOfText(choices.terrains, "averyveryverylongname");
    const auto problem = geninfo_FormProblem(choices, opened, edited);
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "Too long: averyveryverylongname (at most 15)");
    edited.terrain = indexOfText(choices.terrains, "desert");
    EXPECT_FALSE(geninfo_FormProblem(choices, opened, edited));
}

TEST_F(GeneralInfoRules, BitsOutsideTheDialogSurviveAndItsOwnFollowTheBoxes) {
    const int32_t outside = ~geninfo_DialogBits();
    page->general.attrib = outside | kGeneralAttribFogLevel | (1 << 31);
    page->general.visible_if = 77;
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    GeneralInfoForm edited = opened;
    edited.attrib_bits = kGeneralAttribNight | (1 << 24) | kGeneralAttribWaterLevel;
    store(opened, edited);
    EXPECT_EQ(page->general.attrib, outside | kGeneralAttribNight | (1 << 24) | kGeneralAttribWaterLevel);
    EXPECT_EQ(page->general.visible_if, 77);
    // Bits 4-19, 21 and 22 are the ones the dialog leaves alone.
    EXPECT_EQ(outside, static_cast<int32_t>(0x006FFFF0));
}

TEST_F(GeneralInfoRules, ChosenEntriesStoreTheirCodes) {
    page->general.default_equipment[kEquipmentSidearm] = 6;
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    GeneralInfoForm edited = opened;
    edited.equipment[kEquipmentSidearm] = indexOfText(choices.equipment[kEquipmentSidearm], "P11");
    edited.equipment[kEquipmentAuxiliary] = indexOfText(choices.equipment[kEquipmentAuxiliary], "Ghillie");
    edited.sun = indexOfText(choices.suns, "Dusk");
    edited.win[3] = 2;
    edited.lose[0] = -1;
    edited.colour = 3;
    edited.arty = -4;
    store(opened, edited);
    const GeneralInfo& g = page->general;
    EXPECT_EQ(g.default_equipment[kEquipmentSidearm], 28);
    EXPECT_EQ(g.default_equipment[kEquipmentAuxiliary], 32);
    EXPECT_EQ(g.sunset, 7);
    EXPECT_EQ(page->subgoals_win[3], 2);
    EXPECT_EQ(page->subgoals_lose[0], -1);
    EXPECT_EQ(g.terrain_color, 3);
    EXPECT_EQ(g.arty, -4);
}

TEST_F(GeneralInfoRules, NamesAreCutAtTheEditsLimit) {
    const GeneralInfoForm opened = geninfo_FormOfPage(*page, choices);
    GeneralInfoForm edited = opened;
    edited.name = std::string(100, 'x');
    edited.designer = "Me";
    setText(page->general.designer, std::string(79, 'o'));
    store(opened, edited);
    EXPECT_EQ(std::string(page->general.name), std::string(kGeneralInfoTextLimit, 'x'));
    EXPECT_STREQ(page->general.designer, "Me");
    for (size_t i = 2; i < sizeof page->general.designer; ++i)
        ASSERT_EQ(page->general.designer[i], '\0') << i;
}

} // namespace
