// The row kernels of the detail characters: every kernel the processor runs draws the same pixels
// as the portable one, and the portable one draws pixel_Blend of the addressed texels.
#include "render/detail_rows.h"

#include "gamedata/pixel_ops.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr DetailKernel kVectorKernels[] = {DetailKernel::Avx2, DetailKernel::Avx512};

class DetailRows : public ::testing::Test {
  protected:
    void SetUp() override {
        imagery = std::make_unique<TerrainImagery>();
        std::mt19937 random(17);
        for (uint32_t i = 0; i < uint32_t(kTerrainMapPixels); ++i) {
            imagery->color_map[i] = uint32_t(random());
            imagery->elevation_map[i] = uint32_t(random());
            // Alphas over the whole byte range, not only the premultiplied 0 to 127.
            imagery->detail_premultiplied[i] = uint32_t(random());
            // Runs of one tile, as real character maps have, broken by single cells.
            imagery->character_map[i] = uint8_t(i % 7 == 0 ? uint32_t(random()) : (i / 5) * 37);
        }
    }

    std::vector<uint32_t> draw(int32_t width, int32_t height, const DetailFrame& frame, DetailKernel kernel) {
        std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0xDEADBEEF);
        const RasterTarget target{width, height, pixels.data()};
        detail_DrawRows(target, *imagery, imagery->color_map, frame, kernel);
        return pixels;
    }

    std::unique_ptr<TerrainImagery> imagery;
};

} // namespace

TEST_F(DetailRows, PortableKernelBlendsTheAddressedTileTexelOverTheColour) {
    DetailFrame frame;
    frame.u0 = 0xFFF3'1234; // wraps past the last map column
    frame.v0 = 0x03FF'8000; // starts in the last map row
    frame.step = 0x5A3F;
    frame.tint = true;
    frame.level = 0x80;
    const int32_t width = 301, height = 23;
    const std::vector<uint32_t> pixels = draw(width, height, frame, DetailKernel::Portable);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t u = frame.u0 + uint32_t(x) * frame.step, v = frame.v0 + uint32_t(y) * frame.step;
            const uint32_t cell = ((v >> 16) & 1023) * 1024 + ((u >> 16) & 1023);
            const uint32_t tile = imagery->character_map[cell];
            uint32_t want = pixel_Blend(
                imagery->detail_premultiplied[tile * 4096 + ((v >> 10) & 63) * 64 + ((u >> 10) & 63)],
                imagery->color_map[cell]);
            if (((imagery->elevation_map[cell] >> 8) & 0xFF) <= frame.level)
                want = terrain_TintColourMap(want);
            ASSERT_EQ(pixels[size_t(y) * width + size_t(x)], want) << x << "," << y;
        }
}

TEST_F(DetailRows, VectorKernelsDrawThePortablePixels) {
    std::mt19937 random(5);
    int compared = 0;
    for (DetailKernel kernel : kVectorKernels) {
        if (!detail_KernelAvailable(kernel)) continue;
        for (int n = 0; n < 40; ++n) {
            DetailFrame frame;
            frame.u0 = uint32_t(random());
            frame.v0 = uint32_t(random());
            // Steps from a few texels to just under a metre a pixel, where a group of columns spans
            // the most cells.
            frame.step = n % 4 == 0 ? 0xFFFF - uint32_t(n) : 1 + uint32_t(random()) % 0xFFFF;
            frame.tint = n % 3 != 0;
            frame.level = uint32_t(random()) % 256;
            // Widths below, at and between the group sizes.
            const int32_t width = n < 8 ? 1 + n * 3 : 7 + int32_t(random() % 700);
            const int32_t height = 1 + int32_t(random() % 9);
            const std::vector<uint32_t> want = draw(width, height, frame, DetailKernel::Portable);
            const std::vector<uint32_t> got = draw(width, height, frame, kernel);
            for (size_t i = 0; i < want.size(); ++i)
                ASSERT_EQ(got[i], want[i]) << "kernel " << int(kernel) << " frame " << n << " pixel " << i
                                           << " of " << width << "x" << height;
            ++compared;
        }
    }
    if (compared == 0) GTEST_SKIP() << "no vector kernel on this processor";
}
