// The definition files and name lists of the demo game (demo/) read through the editor's own
// loaders: they load without a rejected line, and every id, model and image they name is backed
// by a display name, a model entry or an image entry.

#include "demo_data_support.h"

#include "gamedata/item_defs.h"
#include "gamedata/sunset_defs.h"
#include "gamedata/terrain_defs.h"
#include "support/captured_messages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Model names listed in demo/models.tsv (first column, comments skipped).
std::set<std::string> listedModels() {
    std::set<std::string> names;
    std::istringstream in(demo_Read("models.tsv"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        names.insert(lower(line.substr(0, line.find('\t'))));
    }
    return names;
}

std::string messagesOf(const CapturedMessages& captured) {
    std::string all;
    for (const CapturedMessage& m : captured.messages)
        all += m.caption + ": " + m.text + "\n";
    return all;
}

class DemoItems : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string bytes = demo_Read("items.def");
        ASSERT_EQ(itemdef_LoadBuffer(bytes.data(), bytes.size(), kItemDefsScrambleKey), 1);
        ASSERT_TRUE(messages.messages.empty()) << messagesOf(messages);
        // Definition files end their lines with CR LF; with bare line feeds the reader sees one line.
        ASSERT_GT(itemdef_Count(), 0) << "no definitions read";
        beginLines = 0;
        std::istringstream in(bytes);
        std::string word;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            if (words >> word && lower(word) == "begin") ++beginLines;
        }
    }
    void TearDown() override { itemdef_Clear(); }

    CapturedMessages messages;
    int beginLines = 0;
};

TEST_F(DemoItems, EveryBlockIsCompleteAndIdsAreUnique) {
    EXPECT_EQ(itemdef_Count(), beginLines);
    std::set<int> ids;
    for (int i = 0; i < itemdef_Count(); ++i) {
        const ItemDef& def = *itemdef_Get(i);
        EXPECT_TRUE(ids.insert(def.id).second) << "id repeated: " << def.id;
        EXPECT_NE(def.type, kItemTypeNone) << def.name;
        EXPECT_STRNE(def.graphic, "") << def.name;
        EXPECT_EQ(itemdef_FindById(def.id), i) << def.name;
    }
}

TEST_F(DemoItems, FirstDefinitionIsAnOrdinaryItemAndTheFixedMarkersExist) {
    // Index 0 is also the finders' "not found" answer, so it must not be a marker with a role.
    EXPECT_NE(itemdef_Get(0)->type, kItemTypeMarker);
    for (int id : {6005, 6006, 6013}) {
        const int index = itemdef_FindById(id);
        EXPECT_GT(index, 0) << id;
        EXPECT_EQ(itemdef_Get(index)->type, kItemTypeMarker) << id;
    }
}

TEST_F(DemoItems, EveryClassCanBeInsertedAndBothSidesHaveSoldiers) {
    // The insert dialog offers a class's definitions unless they carry NoTool or NoCTool.
    std::set<int> offered;
    int good = 0;
    int evil = 0;
    int hidden = 0;
    for (int i = 0; i < itemdef_Count(); ++i) {
        const ItemDef& def = *itemdef_Get(i);
        if (def.attributes & (kItemAttrNoTool | kItemAttrNoCTool)) {
            ++hidden;
            continue;
        }
        offered.insert(def.type);
        if (def.type == kItemTypePerson && (def.attributes & kItemAttrGood)) ++good;
        if (def.type == kItemTypePerson && (def.attributes & kItemAttrEvil)) ++evil;
    }
    for (int type : {kItemTypeVehicle, kItemTypeDecoration, kItemTypePerson, kItemTypeMarker,
                     kItemTypeBuilding, kItemTypeObject, kItemTypeEffect})
        EXPECT_TRUE(offered.count(type)) << "no insertable definition of class " << type;
    EXPECT_GT(good, 1);
    EXPECT_GT(evil, 1);
    EXPECT_GT(hidden, 0);
}

TEST_F(DemoItems, DisplayNamesCoverEveryItemAndAreDistinct) {
    // Inserting and the item dialog find a definition by its display name: a shared name would
    // always give the first of them.
    DemoTable names("text/qz2items.txt");
    ASSERT_NE(names.table(), nullptr);
    for (int i = 0; i < itemdef_Count(); ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "STR_ITM%04i", itemdef_Get(i)->id);
        EXPECT_NE(strtab_FindText(names.table(), "QZ2 Item Names", key), nullptr) << key;
    }
    itemdef_ApplyNames(names.table());
    std::set<std::string> seen;
    for (int i = 0; i < itemdef_Count(); ++i) {
        const std::string name = itemdef_Get(i)->name;
        EXPECT_TRUE(seen.insert(lower(name)).second) << "display name repeated: " << name;
        EXPECT_EQ(itemdef_FindByName(name.c_str()), i) << name;
    }
}

TEST_F(DemoItems, EveryModelNamedIsListedForGeneration) {
    const std::set<std::string> models = listedModels();
    std::set<std::string> named;
    for (int i = 0; i < itemdef_Count(); ++i) {
        const ItemDef& def = *itemdef_Get(i);
        named.insert(lower(def.graphic));
        if (def.husk[0] != '\0') named.insert(lower(def.husk));
    }
    for (const std::string& name : named)
        EXPECT_TRUE(models.count(name)) << name << " is not in models.tsv";
    for (const std::string& name : models)
        EXPECT_TRUE(named.count(name)) << name << " is listed but unused";
}

TEST(DemoSunsets, LoadWithDistinctIdsAndDisplayNames) {
    CapturedMessages messages;
    const std::string bytes = demo_Read("sunsets.def");
    EXPECT_EQ(sunset_LoadBuffer(bytes.data(), bytes.size()), 1) << messagesOf(messages);
    ASSERT_GT(sunset_Count(), 1);
    DemoTable names("text/qz2items.txt");
    std::set<int> ids;
    for (int i = 0; i < sunset_Count(); ++i) {
        const SunsetDef& sky = *sunset_Get(i);
        EXPECT_TRUE(ids.insert(sky.id).second) << "sunset id repeated: " << int(sky.id);
        char key[16];
        std::snprintf(key, sizeof key, "SUNSET%03i", sky.id);
        EXPECT_NE(strtab_FindText(names.table(), "QZ2 Sunsets", key), nullptr) << key;
    }
    // A new mission has sunset 0; the export then uses the preset with that id.
    EXPECT_TRUE(ids.count(0));
    sunset_Clear();
}

TEST(DemoTerrains, NameTheImagesTheImageListDescribes) {
    const std::string readme = lower(demo_Read("terrains/README.txt"));
    for (const char* terrain : {"hills", "coast", "desert"}) {
        CapturedMessages messages;
        const std::string bytes = demo_Read(std::string("terrains/") + terrain + ".trn");
        TerrainDef def{};
        ASSERT_EQ(terrain_LoadBuffer(bytes.data(), bytes.size(), def), 1);
        EXPECT_TRUE(messages.messages.empty()) << messagesOf(messages);
        EXPECT_STRNE(def.terrain_name, "") << terrain;
        EXPECT_GT(def.type_count, 0) << terrain;
        // The colour map may come from a JPEG of the same base name, tried first.
        std::string color = lower(def.color_map);
        const std::string jpeg = color.substr(0, color.find('.')) + ".jpg";
        EXPECT_TRUE(readme.find(color) != std::string::npos || readme.find(jpeg) != std::string::npos)
            << terrain << ": " << color;
        for (const char* image : {def.elev_map, def.detail_map, def.detail_color})
            EXPECT_NE(readme.find(lower(image)), std::string::npos) << terrain << ": " << image;
        EXPECT_NE(lower(def.detail_map).find(".pcx"), std::string::npos) << terrain;
        EXPECT_NE(lower(def.detail_color).find(".tga"), std::string::npos) << terrain;
    }
}

TEST(DemoNames, EveryListIsNumberedWithoutGaps) {
    // The name lists are read from 000 upwards until the first missing number, so a gap would
    // silently cut a list short.
    DemoTable names("text/qz2wpn.txt");
    ASSERT_NE(names.table(), nullptr);
    struct List {
        const char* section;
        const char* format;
        size_t minimum;
    };
    for (const List& list :
         {List{"WPNames", "STRWPNAME%0.3i", 20}, List{"PeopleNames", "STRNAME%0.3i", 40},
          List{"WinConditions", "STRWINCOND%0.3i", 4}, List{"LoseConditions", "STRLOSECOND%0.3i", 4}}) {
        size_t inSource = 0;
        for (const StrtabSourceSection& s : names.source().sections)
            if (s.name == list.section) inSource = s.keys.size();
        const size_t enumerated = strtab_NumberedList(names.table(), list.section, list.format).size();
        EXPECT_EQ(enumerated, inSource) << list.section;
        EXPECT_GE(enumerated, list.minimum) << list.section;
    }
}

} // namespace
