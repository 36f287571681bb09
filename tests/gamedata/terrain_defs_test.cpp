#include "gamedata/terrain_defs.h"

#include "foundation/file_access.h"
#include "gamedata/def_words.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

TerrainDef loadTerrain(const std::string& text) {
    TerrainDef def;
    const std::string bytes = crlf(text);
    EXPECT_EQ(terrain_LoadBuffer(bytes.data(), bytes.size(), def), 1);
    return def;
}

std::string withExtension(const char* name, const char* ext, size_t size = 16) {
    char field[80] = {};
    defword_Copy(field, size, name);
    SetExtension(field, size, ext);
    return field;
}

TEST(SetExtension, ReplacesAfterTheFirstDotOrAppends) {
    EXPECT_EQ(withExtension("desert", "trn"), "desert.trn");
    EXPECT_EQ(withExtension("desert.map", "trn"), "desert.trn");
    EXPECT_EQ(withExtension("a.b.c", "trn"), "a.trn");
    EXPECT_EQ(withExtension("trailing.", "3di"), "trailing.3di");
    EXPECT_EQ(withExtension("", "pcx"), ".pcx");
    EXPECT_EQ(withExtension("abcdefghijklmn", "tga"), "abcdefghijklmn."); // keeps what fits in 16
    EXPECT_EQ(withExtension("abcdefghijk.x", "tga"), "abcdefghijk.tga");
}

TEST(TerrainDefs, ResetValuesWithoutAFile) {
    TerrainDef def = loadTerrain("");
    EXPECT_EQ(def.sky_height, 1236);
    EXPECT_EQ(def.sun_slope, 60);
    EXPECT_EQ(def.horizon, 65536);
    EXPECT_EQ(def.turbidity[0], 23);
    EXPECT_EQ(def.turbidity[1], 8);
    EXPECT_EQ(def.turbidity[2], 4);
    EXPECT_EQ(static_cast<uint32_t>(def.fog_color), 0xC0C0C0C0u);
    EXPECT_EQ(def.type_count, 0);
    EXPECT_EQ(def.color_map[0], '\0');

    TempDir dir;
    file_ResetState();
    def.gamma = 99;
    EXPECT_EQ(terrain_Load(dir.path("nowhere").c_str(), def), 1);
    EXPECT_EQ(def.gamma, 0);
    EXPECT_EQ(static_cast<uint32_t>(def.fog_color), 0xC0C0C0C0u);
}

TEST(TerrainDefs, ImageNamesGetTheirDefaultExtensionOnlyWithoutADot) {
    TerrainDef def = loadTerrain(
        "color_map desert\nelev_map desert.r16\ndetail_map d\ndetail_color dc\ndetail_elev de\n"
        "detail_shade ds\nchar_data cd\nsky_map sm\nsky_palette sp\nwater_map wm\nwater_palette wp\n"
        "moon_sun_object moon\nstar_field stars\nTERRAIN_NAME \"Desert Storm\"\nterrain_creator Someone\n");
    EXPECT_STREQ(def.color_map, "desert.tga");
    EXPECT_STREQ(def.elev_map, "desert.r16");
    EXPECT_STREQ(def.detail_map, "d.pcx");
    EXPECT_STREQ(def.detail_color, "dc.tga");
    EXPECT_STREQ(def.detail_elev, "de.pcx");
    EXPECT_STREQ(def.detail_shade, "ds.pcx");
    EXPECT_STREQ(def.char_data, "cd.txt");
    EXPECT_STREQ(def.sky_map, "sm.pcx");
    EXPECT_STREQ(def.sky_palette, "sp.pcx");
    EXPECT_STREQ(def.water_map, "wm.pcx");
    EXPECT_STREQ(def.water_palette, "wp.pcx");
    EXPECT_STREQ(def.moon_sun_object, "moon.3do");
    EXPECT_STREQ(def.star_field, "stars.sky");
    EXPECT_STREQ(def.terrain_name, "Desert Storm");
    EXPECT_STREQ(def.terrain_creator, "Someone");
}

TEST(TerrainDefs, NumbersAreConverted) {
    TerrainDef def =
        loadTerrain("saturation 3\ngamma 4\nsun_slope 45\nsky_height 2000\nscale_bits 5\nfog_level 6\n"
                    "water_height 2\nwater_opacity 0.5\nhorizon 1.25\ncamouflage Brown\nfilter 1 2 3\n"
                    "turbidity 7.9 9 10\nfog_color 255 255 255\nunknown_key 1\n");
    EXPECT_EQ(def.saturation, 3);
    EXPECT_EQ(def.gamma, 4);
    EXPECT_EQ(def.sun_slope, 45);
    EXPECT_EQ(def.sky_height, 2000);
    EXPECT_EQ(def.scale_bits, 5);
    EXPECT_EQ(def.fog_level, 6);
    EXPECT_EQ(def.water_height, 2 * 32768);
    EXPECT_EQ(def.water_opacity, 32768);
    EXPECT_EQ(def.horizon, 81920);
    EXPECT_EQ(def.camouflage, kCamouflageBrown);
    EXPECT_EQ(def.filter[0], 1);
    EXPECT_EQ(def.filter[2], 3);
    EXPECT_EQ(def.turbidity[0], 7);
    EXPECT_EQ(def.turbidity[1], 9);
    EXPECT_EQ(def.turbidity[2], 10);
    EXPECT_EQ(def.fog_color, 0xFFFFFF);
}

TEST(TerrainDefs, ShortLinesCountMissingValuesAsZero) {
    TerrainDef def = loadTerrain("filter 5\nfog_color 1 2\nturbidity\ncamouflage purple\ncolor_map\n");
    EXPECT_EQ(def.filter[0], 5);
    EXPECT_EQ(def.filter[1], 0);
    EXPECT_EQ(def.fog_color, 0x010200);
    EXPECT_EQ(def.turbidity[0], 0);
    EXPECT_EQ(def.camouflage, kCamouflageGreen);
    EXPECT_EQ(def.color_map[0], '\0');
    // The parts of the fog colour are not masked.
    EXPECT_EQ(loadTerrain("fog_color 0 1 256\n").fog_color, 0x000200);
}

TEST(TerrainDefs, OnlyFiveWordTypeLinesCount) {
    TerrainDef def =
        loadTerrain("type 1 2 3\ntype 1 2 3 grass extra\ntype 257 -1 3 Packed_Dirt\ntype 4 5 6 lava\n");
    ASSERT_EQ(def.type_count, 2);
    EXPECT_EQ(def.types[0].values[0], 1);
    EXPECT_EQ(def.types[0].values[1], 255);
    EXPECT_EQ(def.types[0].values[2], 3);
    EXPECT_EQ(def.types[0].surface, kSurfacePackedDirt);
    EXPECT_EQ(def.types[1].surface, kSurfaceNone);
    const char* surfaces[] = {"dirt", "grass", "snow", "cement", "sand", "packed_dirt"};
    for (int code = 1; code <= 6; ++code)
        EXPECT_EQ(loadTerrain(std::string("type 0 0 0 ") + surfaces[code - 1] + "\n").types[0].surface, code);
}

TEST(TerrainDefs, TheHundredFirstTypeLineIsIgnored) {
    std::string text;
    for (int i = 0; i < 101; ++i)
        text += "type " + std::to_string(i) + " 0 0 sand\n";
    TerrainDef def = loadTerrain(text);
    EXPECT_EQ(def.type_count, 100);
    EXPECT_EQ(def.types[99].values[0], 99);
}

TEST(TerrainDefs, TextsKeepWhatFits) {
    TerrainDef def =
        loadTerrain("terrain_creator " + std::string(50, 'c') + "\ncolor_map abcdefghijklmnopq\n");
    EXPECT_EQ(std::string(def.terrain_creator), std::string(35, 'c'));
    EXPECT_STREQ(def.color_map, "abcdefghijklmno");
}

TEST(TerrainDefs, LoadNamesTheFileAfterTheTerrain) {
    TempDir dir;
    dir.write("Desert.TRN", crlf("gamma 12\nfog_color 1 1 1\n"));
    file_ResetState();
    TerrainDef def;
    EXPECT_EQ(terrain_Load(dir.path("desert.map").c_str(), def), 1);
    EXPECT_EQ(def.gamma, 12);
    EXPECT_EQ(def.fog_color, 0x010101);
    char file[100];
    terrain_FileName("desert.map", file, sizeof file);
    EXPECT_STREQ(file, "desert.trn");
    terrain_FileName(std::string(90, 'x').c_str(), file, sizeof file);
    EXPECT_EQ(std::string(file), std::string(79, 'x') + ".trn");
}

} // namespace
