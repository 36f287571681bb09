#include "gamedata/pixel_ops.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
uint32_t h(uint32_t x) {
    return x * 257 / 2;
}

uint32_t pack(uint32_t b, uint32_t g, uint32_t r, uint32_t a) {
    return b | g << 8 | r << 16 | a << 24;
}

// The packed 16-bit arithmetic as described: the weight tile alpha × 257 taken as a signed 16-bit
// value, the high half of a signed 16 × 16 product, an unsigned saturating add, a shift by 6 and a
// saturating pack to a byte.
uint32_t blendSignedWeight(uint32_t tile, uint32_t colour) {
    const int16_t weight = static_cast<int16_t>(static_cast<uint16_t>((tile >> 24) * 257));
    uint32_t out = 0;
    for (int lane = 0; lane < 4; ++lane) {
        const int32_t c = static_cast<int16_t>(h((colour >> (lane * 8)) & 0xFF));
        const uint16_t high = static_cast<uint16_t>((weight * c) >> 16);
        uint32_t sum = h((tile >> (lane * 8)) & 0xFF) + high;
        if (sum > 65535) sum = 65535;
        const uint32_t shifted = sum >> 6;
        out |= (shifted > 255 ? 255 : shifted) << (lane * 8);
    }
    return out;
}

TEST(PixelPremultiply, ScalesColourByAlphaAndLeavesTheInverseWeight) {
    // Every colour value with every alpha, one pixel each.
    std::vector<uint8_t> pixels;
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t x = 0; x < 256; ++x)
            pixels.insert(pixels.end(), {uint8_t(x), uint8_t(255 - x), uint8_t(x / 2), uint8_t(a)});
    const std::vector<uint8_t> original = pixels;
    pixel_Premultiply(pixels.data(), 256, 256);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const uint32_t alpha = original[i + 3];
        for (int lane = 0; lane < 3; ++lane) {
            uint32_t expected = h(original[i + lane]) * h(alpha) / 65536 / 128;
            ASSERT_EQ(pixels[i + lane], expected > 255 ? 255 : expected) << i;
        }
        ASSERT_EQ(pixels[i + 3], (h(alpha) * 0x7F7F / 65536 / 128) ^ 0x7F) << i;
    }
}

TEST(PixelPremultiply, EndsAtHalfIntensityForOpaqueWhite) {
    std::vector<uint8_t> pixels = {255, 255, 255, 255, 200, 100, 50, 0, 0xEE, 0xEE, 0xEE, 0xEE};
    pixel_Premultiply(pixels.data(), 2, 1);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{127, 127, 127, 0, 0, 0, 0, 127, 0xEE, 0xEE, 0xEE, 0xEE}));
    pixel_Premultiply(pixels.data(), 0, 5);
    pixel_Premultiply(pixels.data(), 2, -1);
    EXPECT_EQ(pixels[0], 127);
}

TEST(PixelBlend, MatchesThePackedArithmeticForPremultipliedAlphas) {
    const uint32_t values[] = {0, 1, 2, 63, 64, 100, 127, 128, 200, 254, 255};
    for (uint32_t a = 0; a < 128; ++a)
        for (uint32_t t : values)
            for (uint32_t c : values) {
                const uint32_t tile = pack(t, 255 - t, t / 3, a);
                const uint32_t colour = pack(c, c / 2, 255 - c, 255 - a);
                ASSERT_EQ(pixel_Blend(tile, colour), blendSignedWeight(tile, colour))
                    << a << " " << t << " " << c;
            }
}

TEST(PixelBlend, IsAboutTwiceTheTilePlusAlphaTimesColourOver127) {
    for (uint32_t a = 0; a < 128; a += 9)
        for (uint32_t t = 0; t < 128; t += 13)
            for (uint32_t c = 0; c < 256; c += 17) {
                const int got = static_cast<int>(pixel_Blend(pack(t, 0, 0, a), pack(c, 0, 0, 0)) & 0xFF);
                const int approx = static_cast<int>(std::min<uint32_t>(255, 2 * t + a * c / 127));
                EXPECT_NEAR(got, approx, 2) << a << " " << t << " " << c;
            }
}

TEST(PixelBlend, KeepsGrowingWithAlphaPast127InsteadOfSaturating) {
    // With a signed weight an alpha of 128 or more saturates a lane as soon as the colour is not 0.
    const uint32_t tile = pack(0, 0, 0, 200), colour = pack(40, 0, 0, 0);
    EXPECT_EQ(blendSignedWeight(tile, colour) & 0xFF, 255u);
    const uint32_t expected = (200u * 257 * h(40) >> 16) >> 6;
    EXPECT_EQ(pixel_Blend(tile, colour) & 0xFF, expected);
    uint32_t previous = 0;
    for (uint32_t a = 0; a < 256; ++a) {
        const uint32_t lane = pixel_Blend(pack(10, 0, 0, a), pack(90, 0, 0, 0)) & 0xFF;
        EXPECT_GE(lane, previous) << a;
        previous = lane;
    }
}

TEST(PixelBlend, OpaquePremultipliedTileHidesTheColour) {
    std::vector<uint8_t> texel = {200, 100, 50, 255};
    pixel_Premultiply(texel.data(), 1, 1);
    const uint32_t tile = pack(texel[0], texel[1], texel[2], texel[3]);
    EXPECT_EQ(pixel_Blend(tile, 0x00FFFFFF) & 0xFFFFFF, pixel_Blend(tile, 0) & 0xFFFFFF);
    // A fully transparent tile gives the colour back, less rounding.
    std::vector<uint8_t> clear = {200, 100, 50, 0};
    pixel_Premultiply(clear.data(), 1, 1);
    const uint32_t seeThrough =
        pixel_Blend(pack(clear[0], clear[1], clear[2], clear[3]), pack(90, 160, 30, 0));
    EXPECT_NEAR(int(seeThrough & 0xFF), 90, 1);
    EXPECT_NEAR(int(seeThrough >> 8 & 0xFF), 160, 1);
    EXPECT_NEAR(int(seeThrough >> 16 & 0xFF), 30, 1);
}
} // namespace
