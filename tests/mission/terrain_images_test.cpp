// Loading a page's terrain imagery from the terrain definition and the images it names.
#include "demo/jpeg_encoder.h"
#include "demo/pcx_writer.h"
#include "demo/r16_writer.h"
#include "demo/tga_writer.h"
#include "foundation/file_access.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/jpeg_decoder.h"
#include "gamedata/pff_writer.h"
#include "gamedata/pixel_ops.h"
#include "gamedata/r16_decoder.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "mission/terrain_images.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
constexpr int N = kTerrainMapSize;
constexpr size_t kPixels = kTerrainMapPixels;
constexpr int kTileSide = 64;
constexpr int kTileRows = kTileSide * 256;

// The source pictures of the test terrain, each distinct so that a buffer filled from the wrong
// file shows.
struct Pictures {
    std::vector<uint32_t> jpegColour, tgaColour;
    std::vector<uint16_t> heights;
    std::vector<uint8_t> characters, palette;
    std::vector<uint32_t> tiles;
    std::vector<uint8_t> jpegFile;
};

Pictures makePictures() {
    Pictures p;
    p.jpegColour.resize(kPixels);
    p.tgaColour.resize(kPixels);
    p.heights.resize(kPixels);
    p.characters.resize(kPixels);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const size_t i = static_cast<size_t>(y) * N + x;
            p.jpegColour[i] = static_cast<uint32_t>((x / 4) & 0xFF) << 16 |
                              static_cast<uint32_t>((y / 4) & 0xFF) << 8 | 0x40;
            p.tgaColour[i] = 0x00102030u + static_cast<uint32_t>((x ^ y) & 0x7F);
            // Plateaus 32 pixels wide: outlines only along their edges.
            p.heights[i] = static_cast<uint16_t>(((x / 32) * 1000 + (y / 32) * 37) & 0xFFFF);
            p.characters[i] = static_cast<uint8_t>((x / 8 + y / 8) % 5 + 5 * ((x / 64) % 3));
        }
    p.palette.resize(kPcxPaletteBytes);
    for (int i = 0; i < 256; ++i) {
        p.palette[i * 3] = static_cast<uint8_t>(i);
        p.palette[i * 3 + 1] = static_cast<uint8_t>(255 - i);
        p.palette[i * 3 + 2] = static_cast<uint8_t>(i * 7);
    }
    p.tiles.resize(static_cast<size_t>(kTileSide) * kTileRows);
    for (size_t i = 0; i < p.tiles.size(); ++i)
        p.tiles[i] = static_cast<uint32_t>((i * 2654435761u) >> 8 & 0xFFFFFF) |
                     static_cast<uint32_t>(i / 4096 % 200 + 20) << 24;
    JpegEncodeOptions options;
    options.quality = 80;
    p.jpegFile = jpeg_Encode(p.jpegColour, N, N, options);
    return p;
}

// The definition of a test terrain.
std::string trn(const std::string& colour, const std::string& elevation, const std::string& detailMap,
                const std::string& detailColour, int waterHeight = 7) {
    return "terrain_name \"Test\"\r\ncolor_map " + colour + "\r\nelev_map " + elevation + "\r\ndetail_map " +
           detailMap + "\r\ndetail_color " + detailColour + "\r\nwater_height " +
           std::to_string(waterHeight) + "\r\n";
}

class TerrainImages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        pictures_ = new Pictures(makePictures());
        dir_ = new TempDir();
        const Pictures& p = *pictures_;
        TgaWriteOptions colour;
        dir_->write("full_c.jpg", p.jpegFile);
        dir_->write("full_c.tga", tga_Encode(N, N, p.tgaColour, colour));
        dir_->write("plain_c.tga", tga_Encode(N, N, p.tgaColour, colour));
        // The same JPEG marked as progressive: the probe refuses it.
        std::vector<uint8_t> progressive = p.jpegFile;
        for (size_t i = 2; i + 4 <= progressive.size() && progressive[i + 1] != 0xDA;
             i += 2 + (progressive[i + 2] << 8 | progressive[i + 3]))
            if (progressive[i + 1] == 0xC0) progressive[i + 1] = 0xC2;
        dir_->write("prog_c.jpg", progressive);
        dir_->write("prog_c.tga", tga_Encode(N, N, p.tgaColour, colour));
        std::vector<uint32_t> small(512 * 512, 0x00FF0000u);
        dir_->write("small_c.jpg", jpeg_Encode(small, 512, 512));
        dir_->write("small_c.tga", tga_Encode(N, N, p.tgaColour, colour));
        dir_->write("part_c.tga", tga_Encode(300, 200, p.tgaColour, colour));
        dir_->write("t_e.r16", r16_Encode(N, N, p.heights));
        std::vector<uint8_t> levels(kPixels);
        for (size_t i = 0; i < kPixels; ++i)
            levels[i] = static_cast<uint8_t>(p.heights[i] >> 8);
        dir_->write("t_e.pcx", pcx_EncodeIndexed(N, N, levels, p.palette));
        dir_->write("t_d.pcx", pcx_EncodeIndexed(N, N, p.characters, p.palette));
        TgaWriteOptions tiles;
        tiles.depth = 32;
        dir_->write("t_t.tga", tga_Encode(kTileSide, kTileRows, p.tiles, tiles));
        // Taller than the texture buffer: only what fits is taken.
        std::vector<uint32_t> tall(static_cast<size_t>(kTileSide) * (kTileRows + 16), 0x80FFFFFFu);
        dir_->write("tall_t.tga", tga_Encode(kTileSide, kTileRows + 16, tall, tiles));
    }
    static void TearDownTestSuite() {
        delete dir_;
        delete pictures_;
    }

    void SetUp() override {
        cwd_ = std::make_unique<ScopedCurrentDir>(dir_->path());
        gamedata_OpenArchives();
        page_ = std::make_unique<MissionPage>();
    }
    void TearDown() override { cwd_.reset(); }

    // Writes "<name>.trn" and loads terrain `name` into the page.
    int load(const std::string& name, const std::string& definition) {
        dir_->write(name + ".trn", definition);
        std::snprintf(page_->general.terrain, sizeof page_->general.terrain, "%s", name.c_str());
        return terrain_LoadImages(*page_);
    }
    std::vector<uint32_t> colour() const {
        return {page_->imagery->color_map, page_->imagery->color_map + kPixels};
    }
    // The TGA colour as read: 24-bit pixels have a fourth byte of 0.
    static std::vector<uint32_t> tgaColour() { return pictures_->tgaColour; }

    static Pictures* pictures_;
    static TempDir* dir_;
    std::unique_ptr<ScopedCurrentDir> cwd_;
    std::unique_ptr<MissionPage> page_;
};
Pictures* TerrainImages::pictures_ = nullptr;
TempDir* TerrainImages::dir_ = nullptr;
} // namespace

TEST_F(TerrainImages, FillsEveryBufferFromTheFilesTheDefinitionNames) {
    ASSERT_EQ(load("full", trn("full_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga")), 1);
    ASSERT_NE(page_->imagery, nullptr);
    const TerrainImagery& im = *page_->imagery;
    const Pictures& p = *pictures_;

    // Colour: the JPEG of the colour map's name comes first.
    int width = 0, height = 0;
    uint32_t* decoded = nullptr;
    ASSERT_EQ(jpeg_Decode(p.jpegFile, width, height, decoded, 1), 1);
    const std::vector<uint32_t> expectedColour(decoded, decoded + kPixels);
    jpeg_FreePixels(decoded);
    EXPECT_TRUE(colour() == expectedColour);

    for (size_t i = 0; i < kPixels; i += 4099) {
        ASSERT_EQ(im.elevation_map[i], static_cast<uint32_t>(p.heights[i] >> 8) << 8) << i;
        ASSERT_EQ(im.character_map[i], p.characters[i]) << i;
    }
    EXPECT_EQ(std::memcmp(im.character_palette, p.palette.data(), 768), 0)
        << "the palette as red, green, blue";
    EXPECT_EQ(std::memcmp(im.detail_texture, p.tiles.data(), kPixels * 4), 0);
    std::vector<uint32_t> premultiplied = p.tiles;
    pixel_Premultiply(reinterpret_cast<uint8_t*>(premultiplied.data()), kTileSide, kTileRows);
    EXPECT_EQ(std::memcmp(im.detail_premultiplied, premultiplied.data(), kPixels * 4), 0);

    std::vector<uint32_t> outline(kPixels);
    terrain_ComputeOutline(im.elevation_map, outline.data());
    EXPECT_EQ(std::memcmp(im.outline_map, outline.data(), kPixels * 4), 0);
    EXPECT_EQ(im.outline_map[5 * N + 5], 0u) << "inside a plateau";
    EXPECT_EQ(im.outline_map[5 * N + 31], kOutlinePixel) << "at a plateau edge";

    EXPECT_EQ(page_->detail_images_present, 1);
    EXPECT_EQ(page_->general.terrain_water_height, 7);
    EXPECT_STREQ(terrain_Current().terrain_name, "Test");
}

TEST_F(TerrainImages, ColourComesFromTheTgaWhenTheJpegIsMissingRefusedOrOfAnotherSize) {
    for (const char* base : {"plain", "prog", "small"}) {
        SCOPED_TRACE(base);
        const std::string name = std::string(base) + "_c.tga";
        ASSERT_EQ(load(base, trn(name, "t_e.r16", "t_d.pcx", "t_t.tga")), 1);
        EXPECT_TRUE(colour() == tgaColour());
    }
}

TEST_F(TerrainImages, AnImageSmallerThanTheMapFillsOnlyWhatItCovers) {
    ASSERT_EQ(load("part", trn("part_c.tga", "none.r16", "t_d.pcx", "t_t.tga")), 1);
    const std::vector<uint32_t> map = colour();
    const std::vector<uint32_t>& source = pictures_->tgaColour; // the first 300 × 200 pixels, row by row
    for (int y = 0; y < N; y += 7)
        for (int x = 0; x < N; x += 5) {
            const uint32_t expected = x < 300 && y < 200 ? source[static_cast<size_t>(y) * 300 + x] : 0u;
            ASSERT_EQ(map[static_cast<size_t>(y) * N + x], expected) << x << "," << y;
        }
    // The missing elevation file leaves its map black and the outline empty.
    EXPECT_TRUE(std::all_of(page_->imagery->elevation_map, page_->imagery->elevation_map + kPixels,
                            [](uint32_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(page_->imagery->outline_map, page_->imagery->outline_map + kPixels,
                            [](uint32_t v) { return v == 0; }));
}

TEST_F(TerrainImages, ElevationFromPcxIsTheRedOfThePixelsPaletteEntry) {
    ASSERT_EQ(load("pcxelev", trn("plain_c.tga", "t_e.pcx", "t_d.pcx", "t_t.tga")), 1);
    for (size_t i = 0; i < kPixels; i += 3001) {
        const uint8_t index = static_cast<uint8_t>(pictures_->heights[i] >> 8);
        ASSERT_EQ(page_->imagery->elevation_map[i], static_cast<uint32_t>(pictures_->palette[index * 3]) << 8)
            << i;
    }
}

TEST_F(TerrainImages, FalseColourElevationFollowsTheStartUpOption) {
    terrain_SetFalseColourElevation(true);
    const int result = load("ramp", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga"));
    terrain_SetFalseColourElevation(false);
    ASSERT_EQ(result, 1);
    for (size_t i = 0; i < kPixels; i += 5003)
        ASSERT_EQ(page_->imagery->elevation_map[i], r16_RampPixel(pictures_->heights[i])) << i;
}

TEST_F(TerrainImages, DetailFlagIsClearedUnlessBothDetailImagesLoad) {
    ASSERT_EQ(load("notga", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "t_t.pcx")), 1);
    EXPECT_EQ(page_->detail_images_present, 0) << "detail colour not a .tga name";
    EXPECT_EQ(page_->imagery->detail_texture[100], 0u);
    EXPECT_EQ(page_->imagery->character_map[9], pictures_->characters[9]) << "the character map still loads";

    ASSERT_EQ(load("nopcx", trn("plain_c.tga", "t_e.r16", "t_d.tga", "t_t.tga")), 1);
    EXPECT_EQ(page_->detail_images_present, 0) << "detail map not a .pcx name";
    EXPECT_EQ(page_->imagery->detail_texture[100], pictures_->tiles[100]);

    // A detail texture that cannot be read would blend every map pixel with nothing (black).
    ASSERT_EQ(load("lost", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "lost_t.tga")), 1);
    EXPECT_EQ(page_->detail_images_present, 0) << "detail texture named but missing";

    ASSERT_EQ(load("both", trn("plain_c.tga", "t_e.r16", "T_D.PCX", "T_T.TGA")), 1);
    EXPECT_EQ(page_->detail_images_present, 1) << "extensions compare without regard to case";
}

TEST_F(TerrainImages, ATextureTallerThanTheBufferIsCutToIt) {
    ASSERT_EQ(load("tall", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "tall_t.tga")), 1);
    EXPECT_EQ(page_->detail_images_present, 1);
    EXPECT_EQ(page_->imagery->detail_texture[kPixels - 1], 0x80FFFFFFu);
}

TEST_F(TerrainImages, WaterHeightIsTheDefinitionsValueInWholeUnits) {
    ASSERT_EQ(load("wet", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga", 40)), 1);
    EXPECT_EQ(terrain_Current().water_height, 40 * 32768);
    EXPECT_EQ(page_->general.terrain_water_height, 40);
}

TEST_F(TerrainImages, NoTerrainOrNoDefinitionLeavesEveryBufferCleared) {
    ASSERT_EQ(load("full", trn("full_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga")), 1);
    page_->general.terrain[0] = '\0';
    EXPECT_EQ(terrain_LoadImages(*page_), 1);
    EXPECT_EQ(page_->detail_images_present, 0);
    ASSERT_NE(page_->imagery, nullptr);
    EXPECT_TRUE(std::all_of(page_->imagery->color_map, page_->imagery->color_map + kPixels,
                            [](uint32_t v) { return v == 0; }));

    auto fresh = std::make_unique<MissionPage>();
    EXPECT_EQ(terrain_LoadImages(*fresh), 1);
    EXPECT_EQ(fresh->imagery, nullptr) << "no buffers for a page without a terrain";

    std::snprintf(page_->general.terrain, sizeof page_->general.terrain, "%s", "nowhere");
    EXPECT_EQ(terrain_LoadImages(*page_), 1) << "a missing definition leaves the reset values";
    EXPECT_EQ(terrain_Current().sky_height, kTerrainDefaultSkyHeight);
    EXPECT_EQ(page_->detail_images_present, 0);
    EXPECT_TRUE(std::all_of(page_->imagery->detail_texture, page_->imagery->detail_texture + kPixels,
                            [](uint32_t v) { return v == 0; }));
}

TEST_F(TerrainImages, FindsTheDefinitionAndImagesInsideAnArchive) {
    std::vector<PffWriterEntry> entries;
    entries.push_back({"packed.trn", {}, false});
    const std::string definition = trn("packed_c.tga", "packed_e.r16", "packed_d.pcx", "packed_t.tga");
    entries.back().data.assign(definition.begin(), definition.end());
    for (const auto& [entry, file] :
         {std::pair{"packed_c.tga", "plain_c.tga"}, std::pair{"packed_e.r16", "t_e.r16"},
          std::pair{"packed_d.pcx", "t_d.pcx"}, std::pair{"packed_t.tga", "t_t.tga"}})
        entries.push_back({entry, test_ReadBytes(dir_->path(file)), false});
    ASSERT_TRUE(pff_WriteArchive(dir_->path("terrains.pff").c_str(), entries));
    ASSERT_EQ(gamedata_OpenArchives(), 1);
    std::snprintf(page_->general.terrain, sizeof page_->general.terrain, "%s", "packed");
    const int result = terrain_LoadImages(*page_);
    EXPECT_TRUE(terrain_MissingFiles(page_->general.terrain).empty()) << "files in an archive are found";
    std::remove(dir_->path("terrains.pff").c_str());
    ASSERT_EQ(result, 1);
    EXPECT_TRUE(colour() == tgaColour());
    EXPECT_EQ(page_->detail_images_present, 1);
    EXPECT_EQ(page_->imagery->character_map[77], pictures_->characters[77]);
}

TEST_F(TerrainImages, OpeningAMetafileLoadsItsTerrain) {
    dir_->write("opened.trn", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga", 3));
    auto written = std::make_unique<MissionPage>();
    std::snprintf(written->general.terrain, sizeof written->general.terrain, "%s", "opened");
    const std::string path = dir_->path("opened.mis");
    ASSERT_TRUE(metafile_Write(*written, path.c_str()));
    ASSERT_EQ(metafile_Load(*page_, path.c_str()), 1);
    ASSERT_NE(page_->imagery, nullptr);
    EXPECT_TRUE(colour() == tgaColour());
    EXPECT_EQ(page_->general.terrain_water_height, 3);
}

TEST_F(TerrainImages, MissingFilesAreTheDefinitionOrTheImagesTheLoadCannotFind) {
    using Files = std::vector<std::string>;
    EXPECT_EQ(terrain_MissingFiles(""), Files{});
    EXPECT_EQ(terrain_MissingFiles(nullptr), Files{});
    EXPECT_EQ(terrain_MissingFiles("nowhere"), Files{"nowhere.trn"})
        << "the definition alone when it is missing";

    ASSERT_EQ(load("wet", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga", 40)), 1);
    EXPECT_EQ(terrain_MissingFiles("wet"), Files{});
    // A colour map found only in its JPEG form is no missing file: the load takes the JPEG.
    dir_->write("jpgonly_c.jpg", pictures_->jpegFile);
    dir_->write("jpgonly.trn", trn("jpgonly_c.tga", "t_e.r16", "t_d.pcx", "t_t.tga"));
    EXPECT_EQ(terrain_MissingFiles("jpgonly"), Files{});
    // Every image that cannot be found, in the order colour, elevation, texture, characters.
    dir_->write("gaps.trn", trn("gone_c.tga", "gone_e.r16", "gone_d.pcx", "gone_t.tga"));
    EXPECT_EQ(terrain_MissingFiles("gaps"), (Files{"gone_c.tga", "gone_e.r16", "gone_t.tga", "gone_d.pcx"}));
    dir_->write("halfgaps.trn", trn("plain_c.tga", "t_e.r16", "t_d.pcx", "lost_t.tga"));
    EXPECT_EQ(terrain_MissingFiles("halfgaps"), Files{"lost_t.tga"});
    EXPECT_EQ(terrain_Current().water_height, 40 * 32768) << "the loaded terrain stays as it was";

    // A name that fills the whole field, without its terminator.
    char field[kPageTerrainNameSize];
    std::memset(field, 'q', sizeof field);
    EXPECT_EQ(terrain_MissingFiles(field), Files{std::string(kPageTerrainNameSize, 'q') + ".trn"});
}

TEST(TerrainOutline, FlatMapHasNoOutline) {
    std::vector<uint32_t> elevation(kPixels, 0x4200), outline(kPixels, 1);
    terrain_ComputeOutline(elevation.data(), outline.data());
    EXPECT_TRUE(std::all_of(outline.begin(), outline.end(), [](uint32_t v) { return v == 0; }));
}

TEST(TerrainOutline, ARaisedPixelOutlinesItselfAndItsFourNeighboursAcrossTheEdges) {
    struct Case {
        int x, y;
    };
    for (const Case c : {Case{5, 7}, Case{0, 0}, Case{N - 1, N - 1}, Case{0, 500}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        std::vector<uint32_t> elevation(kPixels, 0x1000), outline(kPixels);
        elevation[static_cast<size_t>(c.y) * N + c.x] = 0x1100;
        terrain_ComputeOutline(elevation.data(), outline.data());
        std::vector<size_t> expected;
        for (const Case d : {Case{0, 0}, Case{1, 0}, Case{-1, 0}, Case{0, 1}, Case{0, -1}})
            expected.push_back(static_cast<size_t>((c.y + d.y + N) % N) * N + (c.x + d.x + N) % N);
        std::sort(expected.begin(), expected.end());
        std::vector<size_t> marked;
        for (size_t i = 0; i < kPixels; ++i) {
            if (outline[i] == kOutlinePixel)
                marked.push_back(i);
            else
                ASSERT_EQ(outline[i], 0u);
        }
        EXPECT_EQ(marked, expected);
    }
}
