#include "gamedata/r16_decoder.h"

#include "foundation/file_access.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

namespace {
std::vector<uint8_t> makeR16(uint32_t width, uint32_t height, const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> file = {'R', '1', '6', 'a', 0, 0, 0, 0, 0, 0, 0, 0};
    test_Put32(file, 4, width);
    test_Put32(file, 8, height);
    for (uint16_t s : samples) {
        file.push_back(static_cast<uint8_t>(s));
        file.push_back(static_cast<uint8_t>(s >> 8));
    }
    return file;
}

uint32_t rgb(uint32_t blue, uint32_t green, uint32_t red) {
    return blue | green << 8 | red << 16;
}

// The ramp as its table reads: e = sample ÷ 32 in bands of 192, v = e - band start + 64.
uint32_t rampFromTable(uint16_t sample) {
    const uint32_t e = sample / 32u;
    struct Row {
        uint32_t from, below;
        int blue, green, red; // 2: v, 1: v ÷ 2, 0: nothing
    };
    static const Row table[] = {
        {0, 192, 2, 0, 0},     {192, 384, 2, 1, 0},   {384, 576, 2, 2, 0},   {576, 768, 1, 2, 0},
        {768, 960, 0, 2, 0},   {960, 1152, 0, 2, 1},  {1152, 1344, 0, 2, 2}, {1344, 1536, 0, 1, 2},
        {1536, 1728, 0, 0, 2}, {1728, 1920, 1, 0, 2}, {1920, 2048, 2, 0, 2},
    };
    for (const Row& row : table) {
        if (e < row.from || e >= row.below) continue;
        const uint32_t v = e - row.from + 64;
        auto part = [v](int share) { return share == 2 ? v : share == 1 ? v / 2 : 0u; };
        return rgb(part(row.blue), part(row.green), part(row.red));
    }
    return 0xFFFFFFFF;
}

TEST(R16Ramp, FollowsTheBandTableForEverySample) {
    for (uint32_t s = 0; s <= 0xFFFF; ++s)
        ASSERT_EQ(r16_RampPixel(static_cast<uint16_t>(s)), rampFromTable(static_cast<uint16_t>(s))) << s;
}

TEST(R16Ramp, StartsDarkBlueAndEndsInTheLastBand) {
    EXPECT_EQ(r16_RampPixel(0), rgb(64, 0, 0));
    EXPECT_EQ(r16_RampPixel(31), rgb(64, 0, 0));
    EXPECT_EQ(r16_RampPixel(191 * 32), rgb(255, 0, 0));
    EXPECT_EQ(r16_RampPixel(192 * 32), rgb(64, 32, 0));
    EXPECT_EQ(r16_RampPixel(65535), rgb(191, 0, 191));
}

TEST(R16Decode, PutsTheHighByteOfEachSampleInGreenInFileOrder) {
    HeldImage image;
    ASSERT_EQ(r16_Decode(image.holder, makeR16(2, 2, {0x0000, 0x12FF, 0xFF00, 0xABCD}), false), kImageOk);
    EXPECT_EQ(image.holder.width, 2);
    EXPECT_EQ(image.holder.height, 2);
    EXPECT_EQ(image.holder.pixelCount, 4u);
    EXPECT_EQ(image.bytes32(),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0x12, 0, 0, 0, 0xFF, 0, 0, 0, 0xAB, 0, 0}));
}

TEST(R16Decode, ShowsTheRampWithTheSixteenBitOption) {
    const std::vector<uint16_t> samples = {0, 7000, 30000, 65535, 40000, 12345};
    HeldImage image;
    ASSERT_EQ(r16_Decode(image.holder, makeR16(3, 2, samples), true), kImageOk);
    for (size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(image_PixelAt(image.holder, i), r16_RampPixel(samples[i]));
}

TEST(R16Decode, IgnoresBytesAfterTheLastSample) {
    std::vector<uint8_t> file = makeR16(1, 1, {0x4000});
    file.insert(file.end(), {9, 9, 9});
    HeldImage image;
    ASSERT_EQ(r16_Decode(image.holder, file, false), kImageOk);
    EXPECT_EQ(image_PixelAt(image.holder, 0), 0x00004000u);
}

TEST(R16Decode, RefusesDamagedHeadersAndShortSamplesAndLeavesTheHolderEmpty) {
    struct Damage {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<uint8_t> wrongMagic = makeR16(1, 1, {1});
    wrongMagic[3] = 'b';
    std::vector<uint8_t> headerCut = makeR16(1, 1, {});
    headerCut.pop_back();
    std::vector<uint8_t> shortSamples = makeR16(2, 2, {1, 2, 3, 4});
    shortSamples.pop_back();
    const Damage cases[] = {
        {"wrong magic", wrongMagic},
        {"header cut", headerCut},
        {"empty", {}},
        {"zero width", makeR16(0, 1, {1})},
        {"zero height", makeR16(1, 0, {1})},
        {"negative width", makeR16(0xFFFFFFFF, 1, {1})},
        {"width past 16 bits", makeR16(0x10001, 1, {1})},
        {"width 32768", makeR16(32768, 1, {1})},
        {"samples short", shortSamples},
        {"huge size, no samples", makeR16(32767, 32767, {})},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.what);
        HeldImage image;
        ASSERT_EQ(r16_Decode(image.holder, makeR16(1, 1, {5}), false), kImageOk);
        EXPECT_EQ(r16_Decode(image.holder, d.file, false), kImageUnsupported);
        EXPECT_TRUE(image.empty());
    }
}

TEST(R16Read, ReadsThroughTheFileLayerAndNamesTheHolder) {
    file_ResetState();
    TempDir dir;
    std::string path = dir.write("elev.R16", makeR16(1, 1, {0x7F00}));
    HeldImage image;
    ASSERT_EQ(r16_Read(image.holder, path.c_str(), false), kImageOk);
    EXPECT_STREQ(image.holder.name, "elev");
    EXPECT_EQ(image_PixelAt(image.holder, 0), 0x00007F00u);
    ASSERT_EQ(r16_Read(image.holder, path.c_str(), true), kImageOk);
    EXPECT_EQ(image_PixelAt(image.holder, 0), r16_RampPixel(0x7F00));
    EXPECT_EQ(r16_Read(image.holder, dir.path("gone.r16").c_str(), false), kImageNotFound);
    EXPECT_TRUE(image.empty());
}
} // namespace
