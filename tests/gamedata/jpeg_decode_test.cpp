// The JPEG decoder against libjpeg-turbo (accurate integer DCT, no fancy upsampling): every pixel
// must be identical, with the vector kernels and without them.
#include "gamedata/jpeg_decoder.h"
#include "gamedata/jpeg_internal.h"
#include "jpeg_reference.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace {
struct MatchCase {
    const char* name;
    JpegFixture fixture;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

JpegFixture colour(int width, int height, int hY, int vY, int quality = 90) {
    JpegFixture s;
    s.width = width;
    s.height = height;
    s.components = 3;
    s.quality = quality;
    s.sampling[0][0] = hY;
    s.sampling[0][1] = vY;
    s.sampling[1][0] = s.sampling[1][1] = s.sampling[2][0] = s.sampling[2][1] = 1;
    return s;
}

JpegFixture with(JpegFixture s, void (*change)(JpegFixture&)) {
    change(s);
    return s;
}

JpegFixture grey(int width, int height, int h = 1, int v = 1) {
    JpegFixture s;
    s.width = width;
    s.height = height;
    s.components = 1;
    s.sampling[0][0] = h;
    s.sampling[0][1] = v;
    return s;
}

const MatchCase kMatchCases[] = {
    {"Ycc444_17x9", colour(17, 9, 1, 1)},
    {"Ycc422_33x65", colour(33, 65, 2, 1)},
    {"Ycc420_33x65", colour(33, 65, 2, 2)},
    {"Ycc411_70x20", colour(70, 20, 4, 1)},
    {"Ycc440_20x33", colour(20, 33, 1, 2)},
    {"Ycc14_21x40", colour(21, 40, 1, 4)},
    {"Ycc32_50x37", colour(50, 37, 3, 2)},
    {"Ycc42_61x30", colour(61, 30, 4, 2)},
    {"Ycc24_30x61", colour(30, 61, 2, 4)},
    {"LumaThreeByOneChromaOneByThree_40x40",
     with(colour(40, 40, 3, 1), [](JpegFixture& s) { s.sampling[1][1] = 3; })},
    {"ChromaSampledAboveLuma_37x23",
     with(colour(37, 23, 1, 1), [](JpegFixture& s) { s.sampling[1][0] = s.sampling[1][1] = 2; })},
    {"MixedChroma_45x29", with(colour(45, 29, 2, 2),
                               [](JpegFixture& s) {
                                   s.sampling[2][0] = 2;
                                   s.sampling[2][1] = 1;
                               })},
    {"Size1x1_420", colour(1, 1, 2, 2)},
    {"Size1x1_444", colour(1, 1, 1, 1)},
    {"Size16x16_420", colour(16, 16, 2, 2)},
    {"Size127x3_422", colour(127, 3, 2, 1)},
    {"Size3x127_411", colour(3, 127, 4, 1)},
    {"Size1024x1024_420", colour(1024, 1024, 2, 2)},
    {"Quality100_420", colour(64, 48, 2, 2, 100)},
    {"Quality100_444", colour(40, 24, 1, 1, 100)},
    {"Quality50_420", colour(64, 48, 2, 2, 50)},
    {"Quality1Baseline_420", colour(64, 48, 2, 2, 1)},
    {"Quality1SixteenBitTables_420", with(colour(64, 48, 2, 2, 1),
                                          [](JpegFixture& s) {
                                              s.forceBaseline = false;
                                              s.labelBaseline = true;
                                          })},
    {"Quality5SixteenBitTables_444", with(colour(41, 23, 1, 1, 5),
                                          [](JpegFixture& s) {
                                              s.forceBaseline = false;
                                              s.labelBaseline = true;
                                          })},
    {"Restart1_420", with(colour(50, 35, 2, 2), [](JpegFixture& s) { s.restartInterval = 1; })},
    {"Restart7_444", with(colour(83, 19, 1, 1), [](JpegFixture& s) { s.restartInterval = 7; })},
    {"Restart9_411", with(colour(133, 20, 4, 1), [](JpegFixture& s) { s.restartInterval = 9; })},
    {"OptimizedTables_420", with(colour(96, 80, 2, 2, 97), [](JpegFixture& s) { s.optimize = true; })},
    {"OptimizedTablesRestart_444", with(colour(57, 31, 1, 1, 60),
                                        [](JpegFixture& s) {
                                            s.optimize = true;
                                            s.restartInterval = 3;
                                        })},
    {"Grey_33x65", grey(33, 65)},
    {"Grey_1x1", grey(1, 1)},
    {"GreyFactor2x2_35x19", grey(35, 19, 2, 2)},
    {"GreyFactor4x3_19x35", grey(19, 35, 4, 3)},
    {"GreyRestart3_40x40", with(grey(40, 40), [](JpegFixture& s) { s.restartInterval = 3; })},
    {"GreySixteenBitTables", with(grey(24, 24),
                                  [](JpegFixture& s) {
                                      s.quality = 2;
                                      s.forceBaseline = false;
                                      s.labelBaseline = true;
                                  })},
    {"Rgb_33x17", with(colour(33, 17, 1, 1), [](JpegFixture& s) { s.rgb = true; })},
    {"Cmyk_20x13", with(colour(20, 13, 1, 1),
                        [](JpegFixture& s) {
                            s.components = 4;
                            s.sampling[3][0] = s.sampling[3][1] = 1;
                        })},
    {"Ycck_27x18", with(colour(27, 18, 2, 2),
                        [](JpegFixture& s) {
                            s.components = 4;
                            s.ycck = true;
                            s.sampling[3][0] = s.sampling[3][1] = 2;
                        })},
    {"TwoComponents_19x21", with(colour(19, 21, 2, 2), [](JpegFixture& s) { s.components = 2; })},
};

class JpegMatchesLibjpeg : public testing::TestWithParam<MatchCase> {};

TEST_P(JpegMatchesLibjpeg, PixelsAreIdentical) {
    const std::vector<uint8_t> file = jpegtest_Encode(GetParam().fixture);
    jpegtest_ExpectMatchesReference(file);
}

INSTANTIATE_TEST_SUITE_P(Files, JpegMatchesLibjpeg, testing::ValuesIn(kMatchCases),
                         [](const testing::TestParamInfo<MatchCase>& param) {
                             return std::string(param.param.name);
                         });

// The offset of the first DQT segment's precision/id byte, or 0.
size_t firstQuantTable(const std::vector<uint8_t>& file) {
    for (size_t i = 2; i + 4 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDB) return i + 4;
    return 0;
}

TEST(JpegDecode, SixteenBitQuantisationTablesDecode) {
    JpegFixture fixture = colour(48, 40, 2, 2, 1);
    fixture.forceBaseline = false;
    fixture.labelBaseline = true;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    const size_t table = firstQuantTable(file);
    ASSERT_NE(table, 0u);
    EXPECT_EQ(file[table] >> 4, 1) << "the fixture should carry 16-bit entries";
    jpegtest_ExpectMatchesReference(file);
}

TEST(JpegDecode, CallerBufferOfTheFileSizeGetsTheSamePixels) {
    const std::vector<uint8_t> file = jpegtest_Encode(colour(45, 27, 2, 2));
    int width = 0, height = 0;
    uint32_t* allocated = nullptr;
    ASSERT_EQ(jpeg_Decode(file, width, height, allocated, 1), 1);
    std::vector<uint32_t> buffer(45 * 27, 0xDEADBEEF);
    uint32_t* given = buffer.data();
    int w = 45, h = 27;
    ASSERT_EQ(jpeg_Decode(file, w, h, given, 0), 1);
    EXPECT_EQ(given, buffer.data());
    EXPECT_EQ(std::vector<uint32_t>(allocated, allocated + 45 * 27), buffer);
    jpeg_FreePixels(allocated);
}

TEST(JpegDecode, CallerBufferOfAnotherSizeIsRefusedUntouched) {
    const std::vector<uint8_t> file = jpegtest_Encode(colour(45, 27, 2, 2));
    std::vector<uint32_t> buffer(64 * 64, 0xDEADBEEF);
    uint32_t* given = buffer.data();
    int w = 64, h = 64;
    EXPECT_EQ(jpeg_Decode(file, w, h, given, 0), 0);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    EXPECT_EQ(buffer, std::vector<uint32_t>(64 * 64, 0xDEADBEEF));
    uint32_t* none = nullptr;
    w = 45;
    h = 27;
    EXPECT_EQ(jpeg_Decode(file, w, h, none, 0), 0) << "no buffer given";
}

TEST(JpegDecode, PointerFormDecodesAndRejectsNullArguments) {
    const std::vector<uint8_t> file = jpegtest_Encode(colour(9, 7, 1, 1));
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    ASSERT_EQ(jpeg_Decode(file.data(), file.size(), &width, &height, &pixels, 1), 1);
    EXPECT_EQ(width, 9);
    EXPECT_EQ(height, 7);
    jpeg_FreePixels(pixels);
    EXPECT_EQ(jpeg_Decode(nullptr, file.size(), &width, &height, &pixels, 1), 0);
    EXPECT_EQ(jpeg_Decode(file.data(), file.size(), &width, nullptr, &pixels, 1), 0);
    EXPECT_EQ(jpeg_Decode(file.data(), file.size(), &width, &height, nullptr, 1), 0);
}

TEST(JpegDecode, SegmentsItDoesNotNeedAreSkipped) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(20, 20, 2, 2));
    // A comment, an APP1 and an unknown APP15 after SOI and the JFIF segment, and fill bytes.
    const size_t afterApp0 = 4 + ((file[4] << 8) | file[5]);
    const std::vector<uint8_t> extra = {0xFF, 0xFE, 0x00, 0x05, 'a',  'b',  'c',  0xFF, 0xE1,
                                        0x00, 0x04, 0x00, 0x00, 0xFF, 0xFF, 0xEF, 0x00, 0x02};
    file.insert(file.begin() + static_cast<long>(afterApp0), extra.begin(), extra.end());
    jpegtest_ExpectMatchesReference(file);
}

TEST(JpegDecode, BytesAfterEoiAreIgnored) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(20, 20, 2, 2));
    file.insert(file.end(), {0x12, 0xFF, 0xD8, 0x00});
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    EXPECT_EQ(jpeg_Decode(file, width, height, pixels, 1), 1);
    jpeg_FreePixels(pixels);
}

TEST(JpegProbe, ReportsTheFrameSizeOfAJfifFile) {
    const std::vector<uint8_t> file = jpegtest_Encode(colour(1024, 8, 2, 2));
    int width = 0, height = 0;
    ASSERT_EQ(jpeg_Probe(file, width, height), 1);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 8);
    int w = 0, h = 0;
    EXPECT_EQ(jpeg_Probe(file.data(), file.size(), &w, &h), 1);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(jpeg_Probe(nullptr, 10, &w, &h), 0);
}

TEST(JpegProbe, RefusesProgressiveNonJfifAndTruncatedFiles) {
    JpegFixture progressive = colour(32, 32, 2, 2);
    progressive.progressive = true;
    JpegFixture adobe = colour(32, 32, 1, 1);
    adobe.rgb = true; // Adobe marker, no JFIF
    const std::vector<uint8_t> baseline = jpegtest_Encode(colour(32, 32, 2, 2));
    const size_t sof = [&] {
        for (size_t i = 2; i + 1 < baseline.size(); ++i)
            if (baseline[i] == 0xFF && baseline[i + 1] == 0xC0) return i;
        return size_t{0};
    }();
    ASSERT_NE(sof, 0u);
    std::vector<uint8_t> notJfif = baseline;
    notJfif[6] = 'X'; // "JFIF" -> "XFIF"

    int width = -1, height = -1;
    EXPECT_EQ(jpeg_Probe(jpegtest_Encode(progressive), width, height), 0);
    EXPECT_EQ(jpeg_Probe(jpegtest_Encode(adobe), width, height), 0);
    EXPECT_EQ(jpeg_Probe(notJfif, width, height), 0);
    EXPECT_EQ(jpeg_Probe(std::span(baseline).first(sof + 6), width, height), 0);
    EXPECT_EQ(jpeg_Probe(std::span<const uint8_t>(), width, height), 0);
    EXPECT_EQ(width, -1) << "sizes are only written on success";
    const size_t sofEnd = sof + 2 + ((baseline[sof + 2] << 8) | baseline[sof + 3]);
    EXPECT_EQ(jpeg_Probe(std::span(baseline).first(sofEnd), width, height), 1)
        << "nothing after the frame header is needed";
    EXPECT_EQ(width, 32);
}
} // namespace
