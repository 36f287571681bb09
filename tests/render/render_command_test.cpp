// qzmission render: the tool loads a game directory and a mission and writes what the editor's
// renderer draws as a PNG. The PNG is decoded by ImageMagick and compared with the same page
// rendered here.
#include "render_test_util.h"

#include "demo/r16_writer.h"
#include "demo/tga_writer.h"
#include "gamedata/string_table_writer.h"
#include "mission/metafile_writer.h"
#include "mission/terrain_images.h"
#include "support/temp_dir.h"

#include <unistd.h>

namespace {

const std::string kQzmission = QZ_QZMISSION;
constexpr const char* kImageMagick = "/usr/bin/convert";

uint32_t colourAt(uint32_t x, uint32_t y) {
    return ((x * 5) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x ^ y) & 0xFF);
}
uint16_t heightAt(uint32_t x, uint32_t y) {
    return uint16_t(((x * 37 + y * 11) & 0xFF) << 8 | 0x7F);
}

void writeTable(const TempDir& dir, const char* name, const std::string& source) {
    StrtabSource parsed;
    std::string error;
    ASSERT_TRUE(strtab_ParseSource(source, parsed, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(strtab_Build(parsed, bytes, &error)) << error;
    dir.write(name, bytes);
}

class RenderCommand : public RenderFixture {
  protected:
    void SetUp() override {
        RenderFixture::SetUp();
        if (access(kImageMagick, X_OK) != 0) GTEST_SKIP() << "ImageMagick is not installed";
        writeTable(game, "text.bin", "[Players]\nBLUEPLAYERS=Blue side\nREDPLAYERS=Red side\n");
        writeTable(game, "qz2wpn.bin", "[WPNames]\nSTRWPNAME000=Alpha\n");
        game.write("items.def", test_ItemDefsFileText());
        game.write("test.trn", "terrain_name \"Test\"\r\ncolor_map test_c.tga\r\nelev_map test_e.r16\r\n"
                               "water_height 40\r\n");
        std::vector<uint32_t> colour(kTerrainMapPixels);
        std::vector<uint16_t> heights(kTerrainMapPixels);
        for (uint32_t y = 0; y < 1024; ++y)
            for (uint32_t x = 0; x < 1024; ++x) {
                colour[y * 1024 + x] = colourAt(x, y);
                heights[y * 1024 + x] = heightAt(x, y);
            }
        game.write("test_c.tga", tga_Encode(1024, 1024, colour));
        game.write("test_e.r16", r16_Encode(1024, 1024, heights));

        std::snprintf(page->general.terrain, sizeof page->general.terrain, "test");
        rtest_AddItem(*page, kTestJeepType, 131072, -131072, 30);
        const int soldier = rtest_AddItem(*page, kTestSoldierType, 140000, -120000, 200);
        page->items[soldier].fov = 120;
        for (int i = 0; i < 3; ++i) {
            const int slot =
                rtest_AddItem(*page, kWaypointMarkerType, 100000 + 20000 * i, -150000 + 9000 * i * i, 0);
            page->items[slot].waypoint_id = 2;
            page->items[slot].wpnumber = i;
        }
        page->waypoints[2].color = 13;
        std::snprintf(page->waypoints[2].description, sizeof page->waypoints[2].description, "Route");
        mission = work.path("test.mis");
        ASSERT_TRUE(metafile_Write(*page, mission.c_str()));

        // What the tool's terrain load makes of the files.
        TerrainImagery* imagery = page_EnsureImagery(*page);
        ASSERT_NE(imagery, nullptr);
        for (uint32_t i = 0; i < kTerrainMapPixels; ++i) {
            imagery->color_map[i] = colour[i];
            imagery->elevation_map[i] = uint32_t(heights[i] >> 8) << 8;
        }
        terrain_ComputeOutline(imagery->elevation_map, imagery->outline_map);
        page->general.terrain_water_height = 40;
    }

    CommandResult tool(const std::string& args) {
        return test_Run(test_Quote(kQzmission) + " --game " + test_Quote(game.path()) + " render " + args +
                        " 2>" + test_Quote(work.path("stderr.txt")));
    }

    // The PNG's pixels as 0x00RRGGBB, decoded by ImageMagick.
    std::vector<uint32_t> decode(const std::string& png, size_t pixels) {
        const std::string raw = work.path("out.rgb");
        EXPECT_EQ(
            test_Run(std::string(kImageMagick) + " " + test_Quote(png) + " -depth 8 rgb:" + test_Quote(raw))
                .status,
            0);
        const std::vector<uint8_t> bytes = test_ReadBytes(raw);
        EXPECT_EQ(bytes.size(), pixels * 3);
        std::vector<uint32_t> out;
        for (size_t i = 0; i + 2 < bytes.size(); i += 3)
            out.push_back(uint32_t(bytes[i]) << 16 | uint32_t(bytes[i + 1]) << 8 | bytes[i + 2]);
        return out;
    }

    std::vector<uint32_t> expected(ViewState view, int32_t w, int32_t h) {
        RasterImage image;
        EXPECT_TRUE(image.create(w, h));
        EXPECT_EQ(MapRender(*page, view, image.target()), 1);
        std::vector<uint32_t> out(image.pixels(), image.pixels() + size_t(w) * h);
        for (uint32_t& p : out)
            p &= 0xFFFFFF; // the tint reaches into the fourth byte
        return out;
    }

    TempDir game;
    TempDir work;
    std::string mission;
};

} // namespace

TEST_F(RenderCommand, DrawsWhatTheRendererDrawsInEveryMode) {
    ViewState view{};
    view_Reset(view);
    view_ApplyWindowStart(view);
    view.zoom = 0.004f;
    view.center_x = 131072;
    view.center_y = -131072;
    const std::pair<const char*, int32_t> modes[] = {
        {"color", kMapModeColor}, {"depth", kMapModeDepth}, {"outline", kMapModeOutline}};
    for (const auto& [name, mode] : modes) {
        const std::string png = work.path(std::string(name) + ".png");
        const CommandResult result = tool(test_Quote(mission) + " " + test_Quote(png) + " --mode " + name +
                                          " --size 300x200 --zoom 0.004 --center 131072,-131072");
        ASSERT_EQ(result.status, 0) << test_ReadFile(work.path("stderr.txt"));
        view.map_mode = mode;
        const std::vector<uint32_t> want = expected(view, 300, 200);
        EXPECT_TRUE(decode(png, 300 * 200) == want) << name;
        EXPECT_GT(std::count(want.begin(), want.end(), 0x4BAADFu), 0) << "markers are in view";
    }
}

TEST_F(RenderCommand, DefaultsAreTheEditorsFirstView) {
    const std::string png = work.path("default.png");
    ASSERT_EQ(tool(test_Quote(mission) + " " + test_Quote(png)).status, 0);
    ViewState view{};
    view_Reset(view);
    view_ApplyWindowStart(view);
    EXPECT_TRUE(decode(png, 1024 * 768) == expected(view, 1024, 768));
}

TEST_F(RenderCommand, UsageErrorsAndFailures) {
    const std::string png = work.path("x.png");
    const std::string m = test_Quote(mission) + " " + test_Quote(png);
    EXPECT_EQ(tool(test_Quote(mission)).status, 2);
    EXPECT_EQ(tool(m + " --mode sepia").status, 2);
    EXPECT_EQ(tool(m + " --size 0x10").status, 2);
    EXPECT_EQ(tool(m + " --size 20x").status, 2);
    EXPECT_EQ(tool(m + " --size 99999x10").status, 2);
    EXPECT_EQ(tool(m + " --zoom 0").status, 2);
    EXPECT_EQ(tool(m + " --zoom nan").status, 2);
    EXPECT_EQ(tool(m + " --center 5").status, 2);
    EXPECT_EQ(tool(m + " --center 5,x").status, 2);
    EXPECT_EQ(tool(m + " --zoom").status, 2);
    EXPECT_EQ(tool(m + " --frobnicate 1").status, 2);
    EXPECT_NE(test_ReadFile(work.path("stderr.txt")).find("usage: qzmission"), std::string::npos);
    EXPECT_EQ(access(png.c_str(), F_OK), -1);

    EXPECT_EQ(tool(test_Quote(work.path("absent.mis")) + " " + test_Quote(png)).status, 1);
    EXPECT_EQ(tool(test_Quote(mission) + " " + test_Quote(work.path("no/such/dir/x.png"))).status, 1);
    EXPECT_NE(test_ReadFile(work.path("stderr.txt"))
                  .find("could not be written.\nReason: No such file or directory"),
              std::string::npos);
    EXPECT_EQ(tool(m + " --size 40x30 --center -5,-7").status, 0);
}
