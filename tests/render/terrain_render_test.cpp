// The terrain image: texel addressing with 16.16 steps and wrapping, the three map modes, the
// water tint and the detail characters.
#include "render_test_util.h"

#include "gamedata/pixel_ops.h"

#include <random>

namespace {

// A texel value that names its own position.
uint32_t texelId(uint32_t col, uint32_t row) {
    return (row << 10) | col;
}

class TerrainRender : public ::testing::Test {
  protected:
    void SetUp() override {
        page = std::make_unique<MissionPage>();
        imagery = page_EnsureImagery(*page);
        ASSERT_NE(imagery, nullptr);
        for (uint32_t r = 0; r < 1024; ++r)
            for (uint32_t c = 0; c < 1024; ++c) {
                imagery->color_map[r * 1024 + c] = texelId(c, r);
                imagery->elevation_map[r * 1024 + c] = 0x00800000u | texelId(c, r);
                imagery->outline_map[r * 1024 + c] = 0x01000000u | texelId(c, r);
            }
    }

    // Renders only the terrain.
    TestImage terrain(const ViewState& view, int32_t w = 64, int32_t h = 48) {
        TestImage image(view, w, h, 0xDEADBEEF);
        map_DrawTerrain(image.canvas, *page, view.map_mode);
        return image;
    }

    std::unique_ptr<MissionPage> page;
    TerrainImagery* imagery = nullptr;
};

// The texel a pixel shows, computed independently with 64-bit floor arithmetic.
std::pair<uint32_t, uint32_t> expectedTexel(const ViewState& view, int32_t w, int32_t h, int32_t col,
                                            int32_t row) {
    const int64_t c = int64_t(std::trunc(256.0f / view.zoom));
    const int64_t u0 = int64_t(std::trunc(float(view.center_x) * 256.0f)) - c * (w >> 1);
    const int64_t v0 = int64_t(std::trunc(-float(view.center_y) * 256.0f)) - c * (h >> 1);
    const int64_t u = u0 + col * c;
    const int64_t v = v0 + row * c;
    auto wrap = [](int64_t a) { return uint32_t(((a >> 16) % 1024 + 1024) % 1024); };
    return {wrap(u), wrap(v)};
}

} // namespace

TEST_F(TerrainRender, OnePixelPerMetreShowsConsecutiveTexelsAndWraps) {
    const ViewState view = rtest_View(1.0f / 256.0f); // step exactly 0x10000
    EXPECT_EQ(map_TexelStep(map_MakeTransform(view, 64, 48)), 0x10000u);
    const TestImage image = terrain(view);
    // The centre pixel (32, 24) shows texel (0, 0): X = 0, Y = 0.
    EXPECT_EQ(image.at(32, 24), texelId(0, 0));
    EXPECT_EQ(image.at(33, 24), texelId(1, 0));
    // West of X = 0 and north of Y = 0 wrap to the far side of the map.
    EXPECT_EQ(image.at(31, 24), texelId(1023, 0));
    EXPECT_EQ(image.at(32, 23), texelId(0, 1023));
    // Rows run southward.
    EXPECT_EQ(image.at(32, 25), texelId(0, 1));
    EXPECT_EQ(image.at(0, 0), texelId(1024 - 32, 1024 - 24));
}

TEST_F(TerrainRender, TheMapRepeatsEvery1024Metres) {
    const ViewState near = rtest_View(1.0f / 256.0f, 2 * 256, -3 * 256);
    const ViewState far = rtest_View(1.0f / 256.0f, (2 + 3 * 1024) * 256, (-3 - 2 * 1024) * 256);
    const TestImage a = terrain(near);
    const TestImage b = terrain(far);
    EXPECT_EQ(a.at(32, 24), texelId(2, 3));
    EXPECT_TRUE(a.samePixels(b));
}

TEST_F(TerrainRender, EveryPixelMatchesTheAddressingRule) {
    std::mt19937 random(11);
    for (int n = 0; n < 25; ++n) {
        const float zoom = std::uniform_real_distribution<float>(0.0001f, 0.2f)(random);
        const int32_t cx = std::uniform_int_distribution<int32_t>(INT32_MIN / 2, INT32_MAX / 2)(random);
        const int32_t cy = std::uniform_int_distribution<int32_t>(-(1 << 22), 1 << 22)(random);
        const ViewState view = rtest_View(zoom, cx, cy);
        const TestImage image = terrain(view, 97, 41);
        for (int32_t row = 0; row < 41; ++row)
            for (int32_t col = 0; col < 97; ++col) {
                const auto [tc, tr] = expectedTexel(view, 97, 41, col, row);
                ASSERT_EQ(image.at(col, row), texelId(tc, tr))
                    << "zoom " << zoom << " at " << col << "," << row;
            }
    }
}

TEST_F(TerrainRender, DepthAndOutlineModesShowTheirMaps) {
    ViewState view = rtest_View(1.0f / 256.0f);
    view.map_mode = kMapModeDepth;
    EXPECT_EQ(terrain(view).at(33, 25), 0x00800000u | texelId(1, 1));
    view.map_mode = kMapModeOutline;
    EXPECT_EQ(terrain(view).at(33, 25), 0x01000000u | texelId(1, 1));
}

TEST_F(TerrainRender, WithoutImageryTheMapIsBlack) {
    page->imagery.reset();
    ViewState view = rtest_View(0.01f);
    view.show_flags &= ~kShowWater;
    const TestImage image = terrain(view);
    EXPECT_EQ(image.count(0), 64 * 48);
    // Every pixel of the empty elevation map lies at or below a water level.
    view.show_flags |= kShowWater;
    page->general.terrain_water_height = 1;
    EXPECT_EQ(terrain(view).count(0x40353F4D), 64 * 48);
}

// ---- Water tint -------------------------------------------------------------------------------

class WaterTint : public TerrainRender {
  protected:
    void SetUp() override {
        TerrainRender::SetUp();
        // Texel (0, 0) and (1, 0): heights 10 and 11 in the green byte.
        imagery->elevation_map[0] = 10u << 8;
        imagery->elevation_map[1] = 11u << 8;
        imagery->color_map[0] = 0xFFFFFF;
        imagery->color_map[1] = 0xFFFFFF;
        imagery->outline_map[0] = kOutlinePixel;
        page->general.terrain_water_height = 10;
    }
    uint32_t pixelOf(int mode, int texel) {
        ViewState view = rtest_View(1.0f / 256.0f);
        view.map_mode = mode;
        return terrain(view).at(32 + texel, 24);
    }
};

TEST_F(WaterTint, TexelAtTheLevelIsTintedOneAboveIsNot) {
    EXPECT_EQ(pixelOf(kMapModeColor, 0), ((0xFFFFFFu >> 1) & 0x7F7F7F7Fu) + 0x40353F4Du);
    EXPECT_EQ(pixelOf(kMapModeColor, 0), 0x40B4BECCu);
    EXPECT_EQ(pixelOf(kMapModeColor, 1), 0xFFFFFFu);
}

TEST_F(WaterTint, DepthAndOutlineTintShiftsTheWholeWordWithoutMask) {
    // Depth: the pixel is the elevation texel 0x00000B00; unmasked, the shift carries bit 8 into
    // bit 7, which the masked colour-map form would drop.
    imagery->elevation_map[0] = 0x00000B00;  // height 11 is above the level ...
    page->general.terrain_water_height = 11; // ... until the level is 11
    EXPECT_EQ(pixelOf(kMapModeDepth, 0), (0xB00u >> 1) + 0x40353F4Du);
    EXPECT_EQ(pixelOf(kMapModeDepth, 0), 0x403544CDu);
    EXPECT_NE(pixelOf(kMapModeDepth, 0), ((0xB00u >> 1) & 0x7F7F7F7Fu) + 0x40353F4Du);
    // Outline: 0x404040 halves to 0x202020.
    EXPECT_EQ(pixelOf(kMapModeOutline, 0), 0x40555F6Du);
}

TEST_F(WaterTint, LevelByteZeroTintsNothing) {
    page->general.terrain_water_height = 0x100; // low byte 0
    imagery->elevation_map[0] = 0;
    EXPECT_EQ(pixelOf(kMapModeColor, 0), 0xFFFFFFu);
}

TEST_F(WaterTint, HiddenWaterTintsNothing) {
    ViewState view = rtest_View(1.0f / 256.0f);
    view.show_flags &= ~kShowWater;
    EXPECT_EQ(terrain(view).at(32, 24), 0xFFFFFFu);
}

TEST_F(WaterTint, AttribBitZeroTakesTheMissionsWaterLevel) {
    page->general.terrain_water_height = 0;
    page->general.water_level = 0x30B; // low byte 11
    EXPECT_EQ(pixelOf(kMapModeColor, 1), 0xFFFFFFu);
    page->general.attrib = 1;
    EXPECT_EQ(map_WaterLevel(*page), 11u);
    EXPECT_EQ(pixelOf(kMapModeColor, 1), 0x40B4BECCu);
}

// ---- Detail characters ------------------------------------------------------------------------

class DetailCharacters : public TerrainRender {
  protected:
    void SetUp() override {
        TerrainRender::SetUp();
        page->detail_images_present = 1;
        for (uint32_t i = 0; i < 1024 * 1024; ++i) {
            imagery->character_map[i] = uint8_t(i * 7);
            // Premultiplied texels carry alphas of 0 to 127; encode tile, row and column.
            imagery->detail_premultiplied[i] = (uint32_t(i % 128) << 24) | (i & 0xFFFFFF);
        }
        for (uint32_t i = 0; i < 1024 * 1024; ++i)
            imagery->color_map[i] = 0x00336699u ^ i;
    }
    ViewState view(float zoom) {
        ViewState v = rtest_View(zoom);
        v.show_flags |= kShowCharacters;
        v.show_flags &= ~kShowWater;
        return v;
    }
    uint32_t expected(uint32_t texelCol, uint32_t texelRow, uint32_t u, uint32_t v) {
        const uint32_t cell = texelRow * 1024 + texelCol;
        const uint32_t tile = imagery->character_map[cell];
        const uint32_t tileTexel =
            imagery->detail_premultiplied[tile * 4096 + ((v >> 10) & 63) * 64 + ((u >> 10) & 63)];
        return pixel_Blend(tileTexel, imagery->color_map[cell]);
    }
};

TEST_F(DetailCharacters, DrawnOnlyAboveOnePixelPerMetre) {
    const TestImage image = terrain(view(1.0f / 256.0f)); // step exactly 0x10000
    EXPECT_EQ(image.at(33, 25), imagery->color_map[1025]);
    // Step 0x8000: pixel (32 + k, 24) lies at u = k × 0x8000.
    const TestImage fine = terrain(view(2.0f / 256.0f));
    EXPECT_EQ(fine.at(32, 24), expected(0, 0, 0, 0));
    EXPECT_EQ(fine.at(33, 24), expected(0, 0, 0x8000, 0));
    EXPECT_NE(fine.at(32, 24), imagery->color_map[0]);
    EXPECT_EQ(terrain(view(1.0f / 255.0f)).at(32, 24), expected(0, 0, 0, 0));
}

TEST_F(DetailCharacters, NeedTheFlagTheColourModeAndTheDetailImages) {
    ViewState v = view(2.0f / 256.0f);
    v.show_flags &= ~kShowCharacters;
    EXPECT_EQ(terrain(v).at(34, 24), imagery->color_map[1]);
    v = view(2.0f / 256.0f);
    v.map_mode = kMapModeDepth;
    EXPECT_EQ(terrain(v).at(34, 24), imagery->elevation_map[1]);
    page->detail_images_present = 0;
    EXPECT_EQ(terrain(view(2.0f / 256.0f)).at(34, 24), imagery->color_map[1]);
}

TEST_F(DetailCharacters, EveryPixelIsTheBlendOfItsTileTexelAndColour) {
    // Alphas over the whole byte range, and an odd image width.
    for (uint32_t i = 0; i < 1024 * 1024; ++i)
        imagery->detail_premultiplied[i] = (i * 2654435761u) ^ (i << 7);
    imagery->elevation_map[5 * 1024 + 7] = 0;
    std::mt19937 random(3);
    for (int n = 0; n < 12; ++n) {
        const float zoom = std::uniform_real_distribution<float>(1.0f / 250.0f, 0.2f)(random);
        ViewState v = view(zoom);
        v.center_x = std::uniform_int_distribution<int32_t>(-(1 << 24), 1 << 24)(random);
        v.center_y = std::uniform_int_distribution<int32_t>(-(1 << 24), 1 << 24)(random);
        const bool tint = n % 2 == 1;
        if (tint) v.show_flags |= kShowWater;
        page->general.terrain_water_height = 3;
        const TestImage image = terrain(v, 97, 41);
        const MapTransform t = map_MakeTransform(v, 97, 41);
        const uint32_t c = map_TexelStep(t);
        ASSERT_LT(c, 0x10000u);
        const uint32_t u0 = uint32_t(int64_t(std::trunc(t.cx * 256.0f))) - c * 48;
        const uint32_t v0 = uint32_t(int64_t(std::trunc(-t.cy * 256.0f))) - c * 20;
        for (int32_t row = 0; row < 41; ++row)
            for (int32_t col = 0; col < 97; ++col) {
                const uint32_t u = u0 + uint32_t(col) * c, vv = v0 + uint32_t(row) * c;
                const uint32_t cell = ((vv >> 16) & 1023) * 1024 + ((u >> 16) & 1023);
                uint32_t want = expected((u >> 16) & 1023, (vv >> 16) & 1023, u, vv);
                if (tint && ((imagery->elevation_map[cell] >> 8) & 0xFF) <= 3)
                    want = ((want >> 1) & 0x7F7F7F7F) + 0x40353F4D;
                ASSERT_EQ(image.at(col, row), want) << "zoom " << zoom << " at " << col << "," << row;
            }
    }
}
