// The baseline JPEG encoder: libjpeg-turbo must decode every file it writes, to a picture close to
// the one encoded, and the editor's decoder must give exactly libjpeg-turbo's pixels.
#include "demo/jpeg_encoder.h"
#include "gamedata/jpeg_decoder.h"
#include "jpeg_reference.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// jpegtest_MakeImage's red-green-blue picture as 0x00RRGGBB pixels.
std::vector<uint32_t> makePixels(int width, int height, uint32_t seed) {
    const std::vector<uint8_t> rgb = jpegtest_MakeImage(width, height, 3, seed);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint32_t>(rgb[i * 3]) << 16 | static_cast<uint32_t>(rgb[i * 3 + 1]) << 8 |
                    rgb[i * 3 + 2];
    return pixels;
}

// A smooth picture, which a good encoder reproduces closely.
std::vector<uint32_t> makeSmooth(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto r = static_cast<uint32_t>(128 + 100 * std::sin(x * 0.05));
            const auto g = static_cast<uint32_t>(128 + 100 * std::cos(y * 0.07));
            const auto b = static_cast<uint32_t>((x + y) * 255 / (width + height));
            pixels[static_cast<size_t>(y) * width + x] = r << 16 | g << 8 | b;
        }
    return pixels;
}

// Peak signal-to-noise ratio of libjpeg-turbo's decoding against the encoded picture, in dB.
double psnr(const std::vector<uint32_t>& original, const std::vector<uint32_t>& decoded) {
    double sum = 0.0;
    for (size_t i = 0; i < original.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const double d =
                static_cast<double>((original[i] >> shift) & 0xFF) - ((decoded[i] >> shift) & 0xFF);
            sum += d * d;
        }
    const double mse = sum / (static_cast<double>(original.size()) * 3.0);
    return mse == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

struct EncodeCase {
    int width, height;
    bool subsample;
    int quality;
    int restartInterval;
};
const EncodeCase kCases[] = {
    {16, 16, true, 85, 0},  {1, 1, true, 85, 0},     {17, 9, true, 50, 0},
    {33, 47, false, 90, 0}, {100, 75, true, 100, 0}, {64, 40, false, 1, 0},
    {80, 48, true, 75, 3},  {41, 29, false, 95, 1},  {256, 16, true, 85, 7},
};
} // namespace

TEST(JpegEncoder, OurDecoderEqualsLibjpegTurboOnEveryFileWritten) {
    uint32_t seed = 1;
    for (const EncodeCase& c : kCases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) +
                     (c.subsample ? " 4:2:0" : " 4:4:4") + " q" + std::to_string(c.quality) + " restart " +
                     std::to_string(c.restartInterval));
        JpegEncodeOptions options;
        options.subsampleChroma = c.subsample;
        options.quality = c.quality;
        options.restartInterval = c.restartInterval;
        const std::vector<uint8_t> file =
            jpeg_Encode(makePixels(c.width, c.height, seed++), c.width, c.height, options);
        jpegtest_ExpectMatchesReference(file);

        int width = 0, height = 0;
        EXPECT_EQ(jpeg_Probe(file, width, height), 1);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
}

TEST(JpegEncoder, LibjpegTurboDecodesThePictureThatWasEncoded) {
    const int width = 96, height = 80;
    const std::vector<uint32_t> picture = makeSmooth(width, height);
    for (const bool subsample : {false, true}) {
        SCOPED_TRACE(subsample ? "4:2:0" : "4:4:4");
        double previous = 0.0;
        for (const int quality : {30, 75, 95}) {
            JpegEncodeOptions options;
            options.subsampleChroma = subsample;
            options.quality = quality;
            const JpegReference ref = jpegtest_ReferenceDecode(jpeg_Encode(picture, width, height, options));
            ASSERT_TRUE(ref.ok) << ref.error;
            const double quality_db = psnr(picture, jpegtest_ReferencePixels(ref));
            EXPECT_GT(quality_db, 30.0) << "quality " << quality;
            EXPECT_GT(quality_db, previous) << "a higher quality must come closer, quality " << quality;
            previous = quality_db;
        }
    }
}

TEST(JpegEncoder, WritesABaselineJfifFile) {
    const std::vector<uint8_t> file = jpeg_Encode(makeSmooth(24, 24), 24, 24);
    ASSERT_GT(file.size(), 20u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    EXPECT_EQ(file[2], 0xFF);
    EXPECT_EQ(file[3], 0xE0);
    EXPECT_EQ(std::string(file.begin() + 6, file.begin() + 11), std::string("JFIF\0", 5));
    EXPECT_EQ(file[11], 1) << "JFIF major version";
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);
    // The only frame header is a baseline one.
    int frames = 0, baseline = 0;
    for (size_t i = 2; i + 4 <= file.size() && file[i] == 0xFF && file[i + 1] != 0xDA;
         i += 2 + (static_cast<size_t>(file[i + 2]) << 8 | file[i + 3])) {
        const uint8_t marker = file[i + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            ++frames;
            baseline += marker == 0xC0;
        }
    }
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(baseline, 1);
}

TEST(JpegEncoder, RefusesSizesBuffersAndIntervalsItCannotWrite) {
    const std::vector<uint32_t> pixels(64);
    EXPECT_TRUE(jpeg_Encode(pixels, 0, 8).empty());
    EXPECT_TRUE(jpeg_Encode(pixels, 65536, 1).empty());
    EXPECT_TRUE(jpeg_Encode(pixels, 9, 8).empty()) << "fewer pixels than the image";
    JpegEncodeOptions options;
    options.restartInterval = 65536;
    EXPECT_TRUE(jpeg_Encode(pixels, 8, 8, options).empty());
    options.restartInterval = -1;
    EXPECT_TRUE(jpeg_Encode(pixels, 8, 8, options).empty());
}
