// The PCX, TGA and R16 writers: what they write must decode, with ImageMagick as the outside
// reference and with the editor's own readers, to exactly the pixels that were written.
#include "demo/pcx_writer.h"
#include "demo/r16_writer.h"
#include "demo/tga_writer.h"
#include "gamedata/pcx_decoder.h"
#include "gamedata/r16_decoder.h"
#include "gamedata/tga_decoder.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {
// Indices with long runs (past the 63 a PCX run holds), values of 0xC0 and more (which always
// need a run byte) and noise.
std::vector<uint8_t> makeIndices(int width, int height, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> out(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < out.size(); ++i) {
        const size_t band = (i / 97) % 3;
        out[i] = band == 0   ? 0xC7
                 : band == 1 ? static_cast<uint8_t>(random())
                             : static_cast<uint8_t>(i / 300);
    }
    return out;
}

std::vector<uint8_t> makePalette(uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> palette(kPcxPaletteBytes);
    for (uint8_t& v : palette)
        v = static_cast<uint8_t>(random());
    return palette;
}

// 32-bit pixels 0xAARRGGBB with runs of equal pixels (also across row ends) and noise.
std::vector<uint32_t> makePixels(int width, int height, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> out(static_cast<size_t>(width) * height);
    uint32_t run = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (i % 150 == 0) run = static_cast<uint32_t>(random());
        out[i] = (i / 40) % 2 == 0 ? run : static_cast<uint32_t>(random());
    }
    return out;
}

std::string rgbOf(const std::vector<uint32_t>& pixels, bool alpha) {
    std::string out;
    for (uint32_t p : pixels) {
        out += static_cast<char>(p >> 16);
        out += static_cast<char>(p >> 8);
        out += static_cast<char>(p);
        if (alpha) out += static_cast<char>(p >> 24);
    }
    return out;
}

struct Size {
    int width, height;
};
const Size kSizes[] = {{1, 1}, {7, 3}, {64, 5}, {130, 9}, {201, 4}};
} // namespace

TEST(PcxWriter, ImageMagickAndOurReaderDecodeWhatWasWritten) {
    const bool magick = test_HaveImageMagick();
    TempDir dir;
    uint32_t seed = 1;
    for (const Size& size : kSizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const auto indices = makeIndices(size.width, size.height, seed);
        const auto palette = makePalette(seed++);
        const std::vector<uint8_t> file = pcx_EncodeIndexed(size.width, size.height, indices, palette);
        ASSERT_FALSE(file.empty());
        // Rows are padded to an even length.
        EXPECT_EQ(file[66] | file[67] << 8, size.width + size.width % 2);

        HeldImage image;
        ASSERT_EQ(pcx_DecodeIndexed(image.holder, file), kImageOk);
        ASSERT_EQ(image.holder.width, size.width);
        ASSERT_EQ(image.holder.height, size.height);
        EXPECT_EQ(std::vector<uint8_t>(image.holder.pixels, image.holder.pixels + image.holder.pixelCount),
                  indices);
        for (int e = 0; e < 256; ++e) {
            const uint8_t* entry = image.holder.palette + e * 4;
            ASSERT_EQ(entry[2], palette[e * 3]);
            ASSERT_EQ(entry[1], palette[e * 3 + 1]);
            ASSERT_EQ(entry[0], palette[e * 3 + 2]);
        }

        if (!magick) continue;
        const std::string path = dir.write("out.pcx", file);
        bool ok = false;
        const std::string reference = test_Convert(test_Quote(path) + " rgb:-", ok);
        ASSERT_TRUE(ok);
        std::string expected;
        for (uint8_t index : indices)
            expected.append(reinterpret_cast<const char*>(&palette[index * 3]), 3);
        EXPECT_EQ(reference, expected);
    }
    if (!magick) GTEST_SKIP() << "ImageMagick's convert is not installed; only our reader was checked";
}

TEST(PcxWriter, RefusesSizesAndBuffersItCannotWrite) {
    const std::vector<uint8_t> palette(kPcxPaletteBytes);
    const std::vector<uint8_t> indices(16);
    EXPECT_TRUE(pcx_EncodeIndexed(0, 4, indices, palette).empty());
    EXPECT_TRUE(pcx_EncodeIndexed(4, 65536, indices, palette).empty());
    EXPECT_TRUE(pcx_EncodeIndexed(5, 4, indices, palette).empty()) << "fewer indices than pixels";
    EXPECT_TRUE(pcx_EncodeIndexed(4, 4, indices, std::vector<uint8_t>(767)).empty()) << "short palette";
    EXPECT_FALSE(pcx_EncodeIndexed(4, 4, indices, palette).empty());
}

TEST(TgaWriter, ImageMagickAndOurReaderDecodeEveryKindWritten) {
    const bool magick = test_HaveImageMagick();
    TempDir dir;
    uint32_t seed = 11;
    for (const int depth : {24, 32}) {
        for (const bool runLength : {false, true}) {
            for (const Size& size : kSizes) {
                SCOPED_TRACE("depth " + std::to_string(depth) + (runLength ? " rle " : " plain ") +
                             std::to_string(size.width) + "x" + std::to_string(size.height));
                const auto pixels = makePixels(size.width, size.height, seed++);
                TgaWriteOptions options;
                options.depth = depth;
                options.runLength = runLength;
                const std::vector<uint8_t> file = tga_Encode(size.width, size.height, pixels, options);
                ASSERT_FALSE(file.empty());
                EXPECT_EQ(file[2], runLength ? 10 : 2);
                EXPECT_EQ(file[16], depth);

                std::vector<uint32_t> expected = pixels;
                if (depth == 24)
                    for (uint32_t& p : expected)
                        p &= 0x00FFFFFFu;
                HeldImage image;
                ASSERT_EQ(tga_Decode(image.holder, file), kImageOk);
                ASSERT_EQ(image.holder.pixelCount, expected.size());
                std::vector<uint32_t> decoded(expected.size());
                for (size_t i = 0; i < decoded.size(); ++i)
                    decoded[i] = image_PixelAt(image.holder, i);
                EXPECT_EQ(decoded, expected);

                if (!magick) continue;
                const std::string path = dir.write("out.tga", file);
                bool ok = false;
                const std::string reference = test_Convert(
                    test_Quote(path) + " -auto-orient " + (depth == 32 ? "rgba:-" : "rgb:-"), ok);
                ASSERT_TRUE(ok);
                EXPECT_EQ(reference, rgbOf(pixels, depth == 32));
            }
        }
    }
    if (!magick) GTEST_SKIP() << "ImageMagick's convert is not installed; only our reader was checked";
}

TEST(TgaWriter, RunLengthPacketsNeverCrossARow) {
    // One colour everywhere: each row must still be coded on its own (a packet holds at most
    // 128 pixels, so a 200-pixel row takes two run packets).
    const std::vector<uint32_t> pixels(200 * 3, 0x11223344u);
    TgaWriteOptions options;
    options.depth = 32;
    options.runLength = true;
    const std::vector<uint8_t> file = tga_Encode(200, 3, pixels, options);
    ASSERT_EQ(file.size(), 18u + 3 * 2 * (1 + 4));
    for (int packet = 0; packet < 6; ++packet) {
        const uint8_t header = file[18 + packet * 5];
        EXPECT_EQ(header, packet % 2 == 0 ? 0x80 + 127 : 0x80 + 71);
    }
}

TEST(TgaWriter, RefusesSizesDepthsAndShortBuffers) {
    const std::vector<uint32_t> pixels(16);
    EXPECT_TRUE(tga_Encode(0, 1, pixels).empty());
    EXPECT_TRUE(tga_Encode(65536, 1, pixels).empty());
    EXPECT_TRUE(tga_Encode(5, 4, pixels).empty());
    TgaWriteOptions sixteen;
    sixteen.depth = 16;
    EXPECT_TRUE(tga_Encode(4, 4, pixels, sixteen).empty());
}

TEST(R16Writer, OurReaderGivesTheHighByteOfEverySample) {
    std::mt19937 random(5);
    const int width = 37, height = 11;
    std::vector<uint16_t> samples(static_cast<size_t>(width) * height);
    for (uint16_t& s : samples)
        s = static_cast<uint16_t>(random());
    samples[0] = 0;
    samples[1] = 65535;
    const std::vector<uint8_t> file = r16_Encode(width, height, samples);
    ASSERT_EQ(file.size(), 12 + samples.size() * 2);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "R16a");

    HeldImage plain, ramp;
    ASSERT_EQ(r16_Decode(plain.holder, file, false), kImageOk);
    ASSERT_EQ(r16_Decode(ramp.holder, file, true), kImageOk);
    ASSERT_EQ(plain.holder.width, width);
    ASSERT_EQ(plain.holder.height, height);
    for (size_t i = 0; i < samples.size(); ++i) {
        ASSERT_EQ(image_PixelAt(plain.holder, i), static_cast<uint32_t>(samples[i] >> 8) << 8)
            << "sample " << i;
        ASSERT_EQ(image_PixelAt(ramp.holder, i), r16_RampPixel(samples[i])) << "sample " << i;
    }
    EXPECT_TRUE(r16_Encode(32768, 1, samples).empty());
    EXPECT_TRUE(r16_Encode(width, height + 1, samples).empty());
}
