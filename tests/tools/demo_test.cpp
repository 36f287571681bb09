// `qzdata demo OUTDIR`: the demo game directory must hold everything the editor's start-up and a
// mission load need, found through the file layer exactly as the editor finds it, and its
// archives and string tables must read the same with the independent reference readers.
#include "demo/demo_game.h"
#include "foundation/file_access.h"
#include "foundation/line_reader.h"
#include "foundation/mem_arena.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/image_holder.h"
#include "gamedata/item_defs.h"
#include "gamedata/jpeg_decoder.h"
#include "gamedata/model_cache.h"
#include "gamedata/pcx_decoder.h"
#include "gamedata/pff_archive.h"
#include "gamedata/string_table_writer.h"
#include "gamedata/sunset_defs.h"
#include "gamedata/tga_decoder.h"
#include "mission/metafile_reader.h"
#include "mission/page_ops.h"
#include "mission/terrain_images.h"
#include "support/captured_messages.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {
const std::string kDemoSource = std::string(QZ_SOURCE_DIR) + "/demo/";
const std::string kPffReference = std::string(QZ_TESTS_DIR) + "/gamedata/pff_reference.py";
const std::string kStrtabReference = std::string(QZ_TESTS_DIR) + "/gamedata/strtab_reference.py";
constexpr const char* kTerrains[] = {"hills", "coast", "desert"};

bool pythonAvailable() {
    return test_Run("python3 -c 'import struct' 2>/dev/null").status == 0;
}

// The entry names of an archive, in directory order.
std::vector<std::string> entriesOf(const std::string& path) {
    std::vector<std::string> names;
    PffArchive* archive = pff_Open(path.c_str());
    if (archive == nullptr) return names;
    for (uint32_t i = 0; i < archive->entryCount; ++i)
        names.push_back(pff_RecordName(archive->directory[i]));
    pff_Close(archive);
    return names;
}

// The whole file through the file layer (disk or archive, unscrambled).
std::vector<uint8_t> loadEx(const char* name) {
    void* block = file_LoadFileEx(name);
    if (block == nullptr) return {};
    std::vector<uint8_t> bytes(static_cast<uint8_t*>(block),
                               static_cast<uint8_t*>(block) + file_State().lastLoadSize);
    mem_FreeMem(block);
    return bytes;
}

std::string canonicalSource(const std::string& relative) {
    StrtabSource source;
    std::string error;
    EXPECT_TRUE(strtab_ParseSource(test_ReadFile(kDemoSource + relative), source, &error)) << error;
    return strtab_FormatSource(source);
}

class DemoGame : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        const auto start = std::chrono::steady_clock::now();
        status_ = test_Run(test_Quote(QZ_QZDATA) + " demo " + test_Quote(dir_->path("game"))).status;
        seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    static void TearDownTestSuite() { delete dir_; }

    void SetUp() override {
        ASSERT_EQ(status_, 0) << "qzdata demo failed";
        RecordProperty("qzdata_demo_seconds", std::to_string(seconds_));
        cwd_ = std::make_unique<ScopedCurrentDir>(game());
    }
    void TearDown() override { cwd_.reset(); }

    static std::string game() { return dir_->path("game"); }
    static std::string path(const std::string& name) { return game() + "/" + name; }

    static TempDir* dir_;
    static int status_;
    static double seconds_;
    std::unique_ptr<ScopedCurrentDir> cwd_;
    CapturedMessages messages_;
};
TempDir* DemoGame::dir_ = nullptr;
int DemoGame::status_ = -1;
double DemoGame::seconds_ = 0.0;
} // namespace

TEST_F(DemoGame, StartUpFindsEveryFileItNeeds) {
    EXPECT_EQ(gamedata_OpenArchives(), 2) << "qz2.pff and terrains.pff";
    for (const char* name : {"text.bin", "qz2wpn.bin", "qz2items.bin", "items.def", "sunsets.def"})
        EXPECT_EQ(file_ExistsEx(name), 1) << name;

    ASSERT_EQ(gamedata_Load(), GameDataResult::Loaded);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.messages.front().text;
    const std::string items = test_ReadFile(kDemoSource + "items.def");
    size_t blocks = 0;
    for (size_t at = items.find("\nbegin "); at != std::string::npos; at = items.find("\nbegin ", at + 1))
        ++blocks;
    EXPECT_EQ(static_cast<size_t>(itemdef_Count()), blocks);
    ASSERT_NE(gamedata_Tables().item_names, nullptr);
    for (int i = 0; i < itemdef_Count(); ++i) {
        const ItemDef* def = itemdef_Get(i);
        char key[16];
        std::snprintf(key, sizeof key, kStrtabItemNameKey, def->id);
        const char* name = strtab_FindText(gamedata_Tables().item_names, kStrtabItemNamesSection, key);
        ASSERT_NE(name, nullptr) << key;
        EXPECT_STREQ(def->name, name) << "display names come from qz2items.bin";
    }
    ASSERT_EQ(sunset_Count(), 6);
    EXPECT_STRNE(sunset_Get(0)->name, "clear_noon") << "sky names come from qz2items.bin";

    // Every model an item definition names loads through the model cache.
    model_Clear();
    std::set<std::string> graphics;
    for (int i = 0; i < itemdef_Count(); ++i)
        for (const char* graphic : {itemdef_Get(i)->graphic, itemdef_Get(i)->husk})
            if (graphic[0] != '\0') graphics.insert(graphic);
    EXPECT_GT(graphics.size(), 40u);
    for (const std::string& graphic : graphics)
        EXPECT_NE(model_Get(graphic.c_str(), 0, nullptr), nullptr) << graphic;

    // Every image the terrain definitions name is there (the colour map as JPEG or as named).
    for (const char* terrain : kTerrains) {
        SCOPED_TRACE(terrain);
        TerrainDef def;
        ASSERT_EQ(file_ExistsEx((std::string(terrain) + ".trn").c_str()), 1);
        ASSERT_EQ(terrain_Load(terrain, def), 1);
        for (const char* image : {def.elev_map, def.detail_map, def.detail_color})
            EXPECT_EQ(file_ExistsEx(image), 1) << image;
        std::string jpeg = def.color_map;
        jpeg = jpeg.substr(0, jpeg.find('.')) + ".jpg";
        EXPECT_TRUE(file_ExistsEx(def.color_map) || file_ExistsEx(jpeg.c_str())) << def.color_map;
    }
}

TEST_F(DemoGame, PackedFilesAreNotAlsoLooseExceptTheSkyPresets) {
    std::set<std::string> loose;
    for (const auto& entry : fs::directory_iterator(game()))
        loose.insert(entry.path().filename().string());
    const std::vector<std::string> main = entriesOf(path("qz2.pff")),
                                   terrains = entriesOf(path("terrains.pff"));
    ASSERT_FALSE(main.empty());
    ASSERT_FALSE(terrains.empty());
    std::set<std::string> both;
    for (const auto* list : {&main, &terrains})
        for (const std::string& name : *list)
            if (loose.count(name)) both.insert(name);
    EXPECT_EQ(both, std::set<std::string>{"sunsets.def"});
    EXPECT_TRUE(std::find(terrains.begin(), terrains.end(), "desert.trn") != terrains.end());
    EXPECT_TRUE(std::find(main.begin(), main.end(), "qz2items.bin") != main.end());

    // With the archives open, the loose copy is the one found.
    gamedata_OpenArchives();
    ASSERT_NE(file_OpenEx("sunsets.def"), -1);
    EXPECT_FALSE(file_State().inArchive);
    file_CloseEx();
    ASSERT_NE(file_OpenEx("desert_d.pcx"), -1);
    EXPECT_TRUE(file_State().inArchive);
    file_CloseEx();
}

TEST_F(DemoGame, ItemDefinitionsReadWithTheKeyEqualTheClearTextSource) {
    const std::string raw = test_ReadFile(path("items.def"));
    ASSERT_GT(raw.size(), 4u);
    EXPECT_EQ(raw.compare(0, 4, "SCR\x01"), 0) << "the scramble mark";
    EXPECT_EQ(raw.find("begin"), std::string::npos) << "the text is scrambled";

    gamedata_OpenArchives();
    auto linesOf = [](auto read) {
        std::vector<std::string> lines;
        read([&lines](const LineTokens* tokens, int) {
            if (tokens == nullptr) return 0;
            std::string line;
            for (int i = 0; i < tokens->count; ++i)
                line += std::string(tokens->words[i]) + "|";
            lines.push_back(line);
            return 0;
        });
        return lines;
    };
    const std::string clear = test_ReadFile(kDemoSource + "items.def");
    const auto scrambledLines =
        linesOf([](const LineHandler& h) { return ascii_ReadFile("items.def", h, kItemDefsScrambleKey); });
    const auto clearLines = linesOf(
        [&clear](const LineHandler& h) { return ascii_ReadBuffer(clear.data(), clear.size(), h, 0); });
    EXPECT_GT(clearLines.size(), 300u);
    EXPECT_EQ(scrambledLines, clearLines);

    ASSERT_EQ(itemdef_LoadBuffer(clear.data(), clear.size(), 0), 1);
    std::vector<ItemDef> expected(itemdef_All(), itemdef_All() + itemdef_Count());
    ASSERT_EQ(itemdef_Load("items.def", kItemDefsScrambleKey), 1);
    ASSERT_EQ(static_cast<size_t>(itemdef_Count()), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::memcmp(itemdef_Get(static_cast<int>(i)), &expected[i], sizeof(ItemDef)), 0)
            << expected[i].name;
}

TEST_F(DemoGame, ArchivesReadTheSameWithTheReferenceReader) {
    if (!pythonAvailable()) GTEST_SKIP() << "python3 not installed";
    gamedata_OpenArchives();
    for (const char* archive : {"qz2.pff", "terrains.pff"}) {
        SCOPED_TRACE(archive);
        const CommandResult reference =
            test_Run("python3 " + test_Quote(kPffReference) + " list " + test_Quote(path(archive)));
        const CommandResult ours = test_Run(test_Quote(QZ_QZDATA) + " pff-list " + test_Quote(path(archive)));
        ASSERT_EQ(reference.status, 0);
        EXPECT_EQ(ours.output, reference.output);
        // Every entry extracted by the reference equals the whole-entry load of the file layer.
        const std::vector<std::string> names = entriesOf(path(archive));
        std::string list;
        for (const std::string& name : names)
            list += name + "\n";
        const std::string names_file = dir_->write("names.txt", list);
        const std::string out = dir_->path(std::string("extracted_") + archive);
        fs::create_directories(out);
        ASSERT_EQ(test_Run("python3 " + test_Quote(kPffReference) + " extract-all " +
                           test_Quote(path(archive)) + " " + test_Quote(out) + " < " + test_Quote(names_file))
                      .status,
                  0);
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == "sunsets.def") continue; // the loose copy is found first
            EXPECT_TRUE(test_ReadBytes(out + "/" + std::to_string(i) + ".bin") == loadEx(names[i].c_str()))
                << names[i];
        }
        fs::remove_all(out);
    }
    const std::string listed =
        test_Run("python3 " + test_Quote(kPffReference) + " list " + test_Quote(path("qz2.pff"))).output;
    EXPECT_NE(listed.find("qz2items.bin\t"), std::string::npos);
    EXPECT_NE(listed.find("\tscrambled"), std::string::npos) << "the item names are stored scrambled";
}

TEST_F(DemoGame, StringTablesDumpToTheirSourcesWithTheReference) {
    if (!pythonAvailable()) GTEST_SKIP() << "python3 not installed";
    const std::string itemNames = dir_->path("qz2items.bin");
    ASSERT_EQ(test_Run("python3 " + test_Quote(kPffReference) + " extract " + test_Quote(path("qz2.pff")) +
                       " qz2items.bin " + test_Quote(itemNames))
                  .status,
              0);
    const std::pair<std::string, std::string> tables[] = {{path("text.bin"), "text/text.txt"},
                                                          {path("qz2wpn.bin"), "text/qz2wpn.txt"},
                                                          {itemNames, "text/qz2items.txt"}};
    for (const auto& [table, source] : tables) {
        SCOPED_TRACE(source);
        const CommandResult dumped =
            test_Run("python3 " + test_Quote(kStrtabReference) + " dump " + test_Quote(table));
        ASSERT_EQ(dumped.status, 0);
        EXPECT_EQ(dumped.output, canonicalSource(source));
    }
}

TEST_F(DemoGame, TerrainsLoadFromLooseFilesAndFromTheArchive) {
    gamedata_OpenArchives();
    auto page = std::make_unique<MissionPage>();
    const struct {
        const char* name;
        int water;
        const char* colourFile; // where the colour map must come from
    } cases[] = {{"hills", 18, "hills_c.jpg"}, {"coast", 40, "coast_c.tga"}, {"desert", 0, "desert_c.jpg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::snprintf(page->general.terrain, sizeof page->general.terrain, "%s", c.name);
        ASSERT_EQ(terrain_LoadImages(*page), 1);
        EXPECT_EQ(page->detail_images_present, 1);
        EXPECT_EQ(page->general.terrain_water_height, c.water);

        std::vector<uint32_t> expected;
        const std::string colour = c.colourFile;
        if (colour.ends_with(".jpg")) {
            const std::vector<uint8_t> file = loadEx(c.colourFile);
            int width = 0, height = 0;
            uint32_t* pixels = nullptr;
            ASSERT_EQ(jpeg_Decode(file, width, height, pixels, 1), 1);
            expected.assign(pixels, pixels + kTerrainMapPixels);
            jpeg_FreePixels(pixels);
        } else {
            EXPECT_EQ(file_ExistsEx("coast_c.jpg"), 0);
            ImageHolder holder{};
            ASSERT_EQ(tga_Read(holder, c.colourFile), kImageOk);
            for (size_t i = 0; i < kTerrainMapPixels; ++i)
                expected.push_back(image_PixelAt(holder, i));
            image_Free(holder);
        }
        EXPECT_EQ(std::memcmp(page->imagery->color_map, expected.data(), kTerrainMapPixels * 4), 0);

        // The elevation as R16 and as PCX of a grey ramp show the same heights.
        ImageHolder pcx{};
        ASSERT_EQ(pcx_ReadHeight(pcx, (std::string(c.name) + "_e.pcx").c_str()), kImageOk);
        EXPECT_EQ(std::memcmp(page->imagery->elevation_map, pcx.pixels, kTerrainMapPixels * 4), 0);
        image_Free(pcx);
        const uint32_t* outline = page->imagery->outline_map;
        const size_t edges =
            static_cast<size_t>(std::count(outline, outline + kTerrainMapPixels, kOutlinePixel));
        EXPECT_GT(edges, kTerrainMapPixels / 20) << "height lines";
        EXPECT_LT(edges, kTerrainMapPixels) << "and flat ground between them";
    }
}

TEST_F(DemoGame, DemoMissionOpensOnTheHillsWithEveryKindOfItem) {
    ASSERT_EQ(gamedata_Load(), GameDataResult::Loaded);
    auto page = std::make_unique<MissionPage>();
    ASSERT_EQ(metafile_Load(*page, "demo.mis"), 1);
    page_RebuildWaypointLists(*page);
    page_CountGroupMembers(*page);
    page_RebuildAreaTriggers(*page);
    EXPECT_STREQ(page->general.terrain, "hills");
    ASSERT_NE(page->imagery, nullptr);
    EXPECT_EQ(page->general.terrain_water_height, 18);
    EXPECT_GT(page->num_items, 150);

    std::set<int32_t> classes;
    for (int i = 0; i < page->num_items; ++i) {
        const MissionItem& item = page->items[i];
        const ItemDef* def = itemdef_Get(item.def_index);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->id, item.type_id) << "item " << i << " has an unknown type";
        classes.insert(item.item_class);
    }
    EXPECT_EQ(classes, (std::set<int32_t>{kClassVehicle, kClassDecoration, kClassPerson, kClassMarker,
                                          kClassBuilding, kClassObject, kClassEffect}));
    for (int list = 1; list <= 3; ++list)
        EXPECT_GE(page->waypoints[list].member_count, 3) << "list " << list;
    for (int area = 1; area <= 2; ++area)
        EXPECT_EQ(page->area_triggers[area].area_number, area);
    EXPECT_EQ(page->num_events, 4);
    EXPECT_GT(page->groups[3].member_count, 0);
}

TEST_F(DemoGame, LooseTextFilesAreTheSourcesAsTheGameShipsThem) {
    for (const char* name : {"sunsets.def", "hills.trn", "coast.trn"}) {
        const std::string source =
            std::string(name).ends_with(".trn") ? "terrains/" + std::string(name) : name;
        EXPECT_EQ(test_ReadFile(path(name)), test_ReadFile(kDemoSource + source)) << name;
    }
    std::vector<uint8_t> items = test_ReadBytes(path("items.def"));
    ASSERT_GT(items.size(), 4u);
    ascii_Descramble(items.data() + 4, items.size() - 4, kItemDefsScrambleKey);
    EXPECT_EQ(std::string(items.begin() + 4, items.end()), test_ReadFile(kDemoSource + "items.def"));

    EXPECT_EQ(test_Run(test_Quote(QZ_QZDATA) + " demo 2>/dev/null").status, 2) << "usage without OUTDIR";
}

TEST_F(DemoGame, TheLibraryBuildsTheSameDirectoryFromTheSourceTree) {
    DemoSources sources;
    std::string error;
    ASSERT_TRUE(demo_ReadSources(kDemoSource, sources, &error)) << error;
    const std::string again = dir_->path("again");
    DemoGameContents contents;
    ASSERT_TRUE(demo_WriteGame(sources, again, &error, &contents)) << error;
    EXPECT_EQ(contents.mainArchive, entriesOf(path("qz2.pff")));
    EXPECT_EQ(contents.terrainArchive, entriesOf(path("terrains.pff")));

    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(game()))
        names.insert(entry.path().filename().string());
    std::set<std::string> listed(contents.looseFiles.begin(), contents.looseFiles.end());
    listed.insert({"qz2.pff", "terrains.pff"});
    EXPECT_EQ(names, listed);
    for (const std::string& name : names) {
        std::string ours = test_ReadFile(path(name)), theirs = test_ReadFile(again + "/" + name);
        if (name == kDemoMissionFile) { // the first line carries the time of writing
            ours.erase(0, ours.find('\n'));
            theirs.erase(0, theirs.find('\n'));
        }
        EXPECT_TRUE(ours == theirs) << name << " differs";
    }

    DemoSources missing;
    EXPECT_FALSE(demo_WriteGame(missing, dir_->path("none"), &error));
    EXPECT_EQ(error, "missing source items.def");
}
