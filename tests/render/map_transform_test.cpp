// The view state's start values, the off-screen image size and the world/screen transform.
#include "render/map_transform.h"
#include "render/raster_target.h"
#include "render/view_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

TEST(ViewStateStart, StartUpValuesThenWindowCreation) {
    ViewState view{};
    view_Reset(view);
    EXPECT_EQ(view.show_flags, 0u);
    EXPECT_FLOAT_EQ(view.zoom, 0.001f);
    EXPECT_EQ(view.center_x, 0);
    EXPECT_EQ(view.map_mode, kMapModeColor);
    EXPECT_EQ(view.insert_mode, 0);
    EXPECT_EQ(view.view_by, kViewByType);
    EXPECT_EQ(view.grid_shown, 1);
    EXPECT_EQ(view.snap_to_grid, 1);
    EXPECT_EQ(view.grid_size, 32);
    view_ApplyWindowStart(view);
    EXPECT_EQ(view.show_flags, 0x1F03FEu);
    EXPECT_EQ(view.snap_to_grid, 0);
    EXPECT_EQ(view.grid_size, 0x20000);
    EXPECT_EQ(view.show_flags & kShowCharacters, 0u);
}

TEST(RasterImageSize, WidthIsViewWidthPlus16RoundedDownTo16) {
    EXPECT_EQ(raster_ImageWidth(1000), 1008);
    EXPECT_EQ(raster_ImageWidth(1008), 1024);
    EXPECT_EQ(raster_ImageWidth(1), 16);
    RasterImage image;
    ASSERT_TRUE(image.createForView(1000, 700));
    EXPECT_EQ(image.width(), 1008);
    EXPECT_EQ(image.height(), 700);
    EXPECT_FALSE(image.createForView(0, 700));
    EXPECT_FALSE(image.target().valid());
    EXPECT_FALSE(image.create(kRasterMaxSide + 1, 10));
}

namespace {
MapTransform transformOf(float zoom, int32_t cx, int32_t cy, int32_t w, int32_t h, int32_t cz = 0) {
    ViewState view{};
    view_Reset(view);
    view.zoom = zoom;
    view.center_x = cx;
    view.center_y = cy;
    view.center_z = cz;
    return map_MakeTransform(view, w, h);
}
} // namespace

TEST(WorldToScreen, CentreLandsOnHalfSizeAndYGrowsUp) {
    const MapTransform t = transformOf(0.01f, 1000, -2000, 801, 601);
    EXPECT_EQ(t.hw, 400);
    EXPECT_EQ(t.hh, 300);
    ScreenPoint p = WorldToScreen(t, 1000, -2000);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 300);
    EXPECT_TRUE(p.inside);
    // 250 units east and north at 0.01 px per unit: 2.5 px, truncated toward zero.
    p = WorldToScreen(t, 1250, -1750);
    EXPECT_EQ(p.x, 402);
    EXPECT_EQ(p.y, 298);
    // West and south truncate toward zero as well (not down).
    p = WorldToScreen(t, 750, -2250);
    EXPECT_EQ(p.x, 398);
    EXPECT_EQ(p.y, 302);
}

TEST(WorldToScreen, InsideMeansWithinTheImage) {
    const MapTransform t = transformOf(1.0f, 0, 0, 100, 50);
    EXPECT_TRUE(WorldToScreen(t, -50, 25).inside); // (0, 0)
    EXPECT_TRUE(WorldToScreen(t, 49, -24).inside); // (99, 49)
    EXPECT_FALSE(WorldToScreen(t, 50, 0).inside);  // x = 100
    EXPECT_FALSE(WorldToScreen(t, 0, -25).inside); // y = 50
    EXPECT_FALSE(WorldToScreen(t, -51, 0).inside); // x = -1
    // Far beyond the 32-bit pixel range: held, never inside.
    const MapTransform huge = transformOf(1000.0f, 0, 0, 100, 50);
    const ScreenPoint p = WorldToScreen(huge, INT32_MAX, INT32_MIN);
    EXPECT_EQ(p.x, INT32_MAX);
    EXPECT_EQ(p.y, INT32_MAX);
    EXPECT_FALSE(p.inside);
}

TEST(ScreenToWorld, InverseOfTheCentreAndOffsets) {
    const MapTransform t = transformOf(0.01f, 1000, -2000, 800, 600, 77);
    WorldPoint w = ScreenToWorld(t, 400, 300);
    EXPECT_EQ(w.x, 1000);
    EXPECT_EQ(w.y, -2000);
    EXPECT_EQ(w.z, 77);
    w = ScreenToWorld(t, 403, 295);
    EXPECT_EQ(w.x, 1300);
    EXPECT_EQ(w.y, -1500);
    w = ScreenToWorld(t, 0, 0);
    EXPECT_EQ(w.x, 1000 - 40000);
    EXPECT_EQ(w.y, -2000 + 30000);
}

TEST(ScreenToWorld, PixelOfAWorldPointMapsBackWithinOnePixelOfWorld) {
    std::mt19937 random(5);
    for (int n = 0; n < 2000; ++n) {
        const float zoom = std::uniform_real_distribution<float>(0.0001f, 0.5f)(random);
        const int32_t cx = std::uniform_int_distribution<int32_t>(-1 << 20, 1 << 20)(random);
        const int32_t cy = std::uniform_int_distribution<int32_t>(-1 << 20, 1 << 20)(random);
        const MapTransform t = transformOf(zoom, cx, cy, 1008, 700);
        const int32_t px = std::uniform_int_distribution<int32_t>(0, 1007)(random);
        const int32_t py = std::uniform_int_distribution<int32_t>(0, 699)(random);
        const WorldPoint w = ScreenToWorld(t, px, py);
        const ScreenPoint p = WorldToScreen(t, w.x, w.y);
        ASSERT_LE(std::abs(p.x - px), 1) << "zoom " << zoom;
        ASSERT_LE(std::abs(p.y - py), 1) << "zoom " << zoom;
    }
}

TEST(MapTransform, ShiftMovesTheCentreTheOtherWay) {
    const MapTransform t = transformOf(1.0f, 100, 200, 64, 64);
    const MapTransform s = map_ShiftedTransform(t, 10, -20, 5);
    EXPECT_EQ(s.center_x, 90);
    EXPECT_EQ(s.center_y, 220);
    EXPECT_EQ(s.center_z, -5);
    // Drawn through the shifted transform, a point appears displaced by (10, -20).
    EXPECT_EQ(WorldToScreen(s, 100, 200).x, WorldToScreen(t, 110, 180).x);
    EXPECT_EQ(WorldToScreen(s, 100, 200).y, WorldToScreen(t, 110, 180).y);
}

TEST(MapTransform, UnusableZoomsAreHeldToTheUsableRange) {
    EXPECT_FLOAT_EQ(transformOf(0.0f, 0, 0, 10, 10).zoom, kZoomMin);
    EXPECT_FLOAT_EQ(transformOf(-3.0f, 0, 0, 10, 10).zoom, kZoomMin);
    EXPECT_FLOAT_EQ(transformOf(std::nanf(""), 0, 0, 10, 10).zoom, kZoomMin);
    EXPECT_FLOAT_EQ(transformOf(INFINITY, 0, 0, 10, 10).zoom, kZoomTransformMax);
    EXPECT_FLOAT_EQ(transformOf(3.0e38f, 0, 0, 10, 10).zoom, kZoomTransformMax);
    // Within the limit every screen position of a 32-bit point is a whole number below 2^53.
    const MapTransform t = transformOf(kZoomTransformMax, INT32_MIN, INT32_MAX, 16384, 16384);
    const ScreenPointF p = map_WorldToScreenExact(t, INT32_MAX, INT32_MIN);
    EXPECT_LE(std::fabs(p.x), 9007199254740992.0);
    EXPECT_LE(std::fabs(p.y), 9007199254740992.0);
    EXPECT_EQ(p.x, std::trunc(p.x));
}
