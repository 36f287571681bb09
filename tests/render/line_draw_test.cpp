// Lines: outcode clipping to the image and 16.16 stepping along the major axis.
#include "render_test_util.h"

#include <random>

namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet drawn(int32_t w, int32_t h, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    TestImage image(rtest_View(1.0f), w, h);
    map_DrawScreenLineInt(image.image.target(), x0, y0, x1, y1, 0xFFFFFF);
    return image.changed();
}

} // namespace

TEST(LineDraw, ShallowLineStepsTheMinorAxisIn16_16) {
    // Step 2 × 65536 ÷ 4 = 0x8000 from 0x8000: y = 0, 1, 1, 2, 2.
    EXPECT_EQ(drawn(8, 8, 0, 0, 4, 2), (PixelSet{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
}

TEST(LineDraw, SteepLineStepsX) {
    // Step 65536 ÷ 5 = 13107 from 0x18000: x = 1, 1, 1, 2, 2, 2.
    EXPECT_EQ(drawn(8, 8, 1, 0, 2, 5), (PixelSet{{1, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}}));
}

TEST(LineDraw, DrawnFromTheEndWithTheSmallerMajorCoordinate) {
    EXPECT_EQ(drawn(8, 8, 4, 2, 0, 0), drawn(8, 8, 0, 0, 4, 2));
    EXPECT_EQ(drawn(8, 8, 2, 5, 1, 0), drawn(8, 8, 1, 0, 2, 5));
    // Decreasing minor coordinate: step -0x8000 from 0x38000: y = 3, 3, 2, 2, 1.
    EXPECT_EQ(drawn(8, 8, 0, 3, 4, 1), (PixelSet{{0, 3}, {1, 3}, {2, 2}, {3, 2}, {4, 1}}));
}

TEST(LineDraw, DiagonalRunsAlongY) {
    EXPECT_EQ(drawn(8, 8, 0, 0, 3, 3), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(LineDraw, CoincidentEndsDrawNothing) {
    EXPECT_TRUE(drawn(8, 8, 3, 3, 3, 3).empty());
}

TEST(LineDraw, ClippedToTheImageWithIntegerIntercepts) {
    PixelSet row;
    for (int32_t x = 0; x < 16; ++x)
        row.insert({x, 5});
    EXPECT_EQ(drawn(16, 10, -10, 5, 20, 5), row);
    // The left end is cut at x = 0 (y = 20 × 10 ÷ 40 = 5); the right end first at x = 15
    // (y = 5 + 15 × 15 ÷ 30 = 12), then at y = 9 (x = 15 × 4 ÷ 7 = 8).
    const PixelSet clipped = drawn(16, 10, -10, 0, 30, 20);
    for (const auto& [x, y] : clipped) {
        EXPECT_GE(x, 0);
        EXPECT_LE(y, 9);
    }
    EXPECT_TRUE(clipped.count({0, 5}));
    EXPECT_TRUE(clipped.count({8, 9}));
}

TEST(LineDraw, SegmentsWhollyOutsideAreDropped) {
    EXPECT_TRUE(drawn(16, 10, -5, -5, 30, -1).empty());
    EXPECT_TRUE(drawn(16, 10, 16, 0, 16, 9).empty());
    EXPECT_TRUE(drawn(16, 10, -40, 30, 30, 40).empty());
}

TEST(LineDraw, NothingIsWrittenOutsideTheImageAndPixelsHugTheLine) {
    constexpr int32_t kW = 61, kH = 37, kGuard = 256;
    std::vector<uint32_t> buffer(size_t(kW) * kH + 2 * kGuard, 0);
    RasterTarget target{kW, kH, buffer.data() + kGuard};
    std::mt19937_64 random(99);
    // Up to 2^53 the clipping is exact and the pixels stay on the line; beyond, only the image
    // bounds are promised.
    const double scales[] = {50.0, 1e4, 1e9, 4e15, 1e300};
    for (uint32_t n = 1; n <= 4000; ++n) {
        const double scale = scales[n % 5];
        auto coord = [&](double centre) {
            return std::round(centre + std::uniform_real_distribution<double>(-scale, scale)(random));
        };
        // One end near the image now and then, so that many lines cross it.
        const ScreenPointF a{coord(kW / 2.0), coord(kH / 2.0)};
        const ScreenPointF b =
            n % 3 == 0 ? ScreenPointF{std::round(std::uniform_real_distribution<double>(-10, 70)(random)),
                                      std::round(std::uniform_real_distribution<double>(-10, 45)(random))}
                       : ScreenPointF{coord(kW / 2.0), coord(kH / 2.0)};
        map_DrawScreenLine(target, a, b, n); // each line in a colour of its own
        for (int i = 0; i < kGuard; ++i) {
            ASSERT_EQ(buffer[i], 0u);
            ASSERT_EQ(buffer[buffer.size() - 1 - i], 0u);
        }
        if (scale > 9007199254740992.0) continue;
        // Every pixel lies within 2 pixels of the line through the two ends (an intercept truncates
        // by less than one, the stepping rounds by half a pixel).
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                if (target.pixels[y * kW + x] != n) continue;
                const double distance = std::fabs(dx * (a.y - y) - dy * (a.x - x)) / length;
                ASSERT_LE(distance, 2.0) << "line " << a.x << "," << a.y << " - " << b.x << "," << b.y
                                         << " pixel " << x << "," << y;
            }
    }
}

TEST(LineDraw, LinesThroughTheImageAreDrawnEvenFromFarAway) {
    TestImage image(rtest_View(1.0f), 64, 48);
    // A horizontal line from -1e12 to +1e12 across row 20 covers the whole row.
    map_DrawScreenLine(image.image.target(), ScreenPointF{-1e12, 20}, ScreenPointF{1e12, 20}, 0xFFFFFF);
    for (int32_t x = 0; x < 64; ++x)
        EXPECT_EQ(image.at(x, 20), 0xFFFFFFu) << x;
    EXPECT_EQ(image.count(0xFFFFFF), 64);
    // Undefined ends draw nothing.
    map_DrawScreenLine(image.image.target(), ScreenPointF{NAN, 3}, ScreenPointF{10, 3}, 0x123456);
    EXPECT_EQ(image.count(0x123456), 0);
}

TEST(LineDraw, WorldLinesGoThroughTheTransform) {
    const ViewState view = rtest_View(0.01f, 1000, 1000);
    TestImage image(view, 64, 48);
    DrawWorldLine(image.canvas, 1000, 1000, 2000, 1000, 0xFFFFFF);
    const ScreenPoint a = WorldToScreen(image.canvas.transform, 1000, 1000);
    const ScreenPoint b = WorldToScreen(image.canvas.transform, 2000, 1000);
    EXPECT_EQ(image.changed(), drawn(64, 48, a.x, a.y, b.x, b.y));
    EXPECT_EQ(image.count(0xFFFFFF), 11);
    // At the largest zoom one world unit east is far outside the image: the line from the
    // centre runs to the right edge.
    TestImage far(rtest_View(3.0e38f), 64, 48);
    DrawWorldLine(far.canvas, 0, 0, 1, 0, 0xFFFFFF);
    PixelSet half;
    for (int32_t x = 32; x < 64; ++x)
        half.insert({x, 24});
    EXPECT_EQ(far.changed(), half);
}
