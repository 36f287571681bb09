// Files the JPEG decoder refuses: other frame types, other containers, broken scan structure.
#include "gamedata/jpeg_decoder.h"
#include "jpeg_reference.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
JpegFixture colour(int width, int height) {
    JpegFixture s;
    s.width = width;
    s.height = height;
    return s;
}

// Offset of the first marker `code` among the segments before the scan data; 0 when absent.
size_t findHeaderMarker(const std::vector<uint8_t>& file, uint8_t code) {
    size_t pos = 2;
    while (pos + 4 <= file.size() && file[pos] == 0xFF) {
        if (file[pos + 1] == code) return pos;
        if (file[pos + 1] == 0xDA) return 0;
        pos += 2 + ((file[pos + 2] << 8) | file[pos + 3]);
    }
    return 0;
}

// Offset of the first marker `code` after the scan header (in the entropy-coded data).
size_t findScanMarker(const std::vector<uint8_t>& file, uint8_t code) {
    const size_t sos = findHeaderMarker(file, 0xDA);
    for (size_t i = sos + 2; sos && i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == code) return i;
    return 0;
}

// Decodes into a fresh allocation and expects the refusal to leave nothing allocated.
void expectRefused(const std::vector<uint8_t>& file) {
    int width = 0, height = 0;
    uint32_t* pixels = reinterpret_cast<uint32_t*>(&width); // must be reset to null
    EXPECT_EQ(jpeg_Decode(file, width, height, pixels, 1), 0);
    EXPECT_EQ(pixels, nullptr);
    EXPECT_EQ(width, 0);
}

int decodes(const std::vector<uint8_t>& file) {
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    const int result = jpeg_Decode(file, width, height, pixels, 1);
    jpeg_FreePixels(pixels);
    return result;
}

TEST(JpegRefusal, ProgressiveFiles) {
    JpegFixture fixture = colour(40, 30);
    fixture.progressive = true;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_TRUE(jpegtest_ReferenceDecode(file).ok);
    expectRefused(file);
}

TEST(JpegRefusal, ArithmeticCodedFiles) {
    JpegFixture fixture = colour(40, 30);
    fixture.arithmetic = true;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_TRUE(jpegtest_ReferenceDecode(file).ok);
    expectRefused(file);
}

TEST(JpegRefusal, EveryFrameTypeButBaseline) {
    const std::vector<uint8_t> baseline = jpegtest_Encode(colour(24, 24));
    const size_t sof = findHeaderMarker(baseline, 0xC0);
    ASSERT_NE(sof, 0u);
    for (int code : {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
        SCOPED_TRACE(code);
        std::vector<uint8_t> file = baseline;
        file[sof + 1] = static_cast<uint8_t>(code);
        expectRefused(file);
    }
}

TEST(JpegRefusal, ExtendedSequentialFramesEvenWithEightBitSamples) {
    JpegFixture fixture = colour(24, 24);
    fixture.quality = 1;
    fixture.forceBaseline = false; // 16-bit tables: libjpeg labels the frame SOF1
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_NE(findHeaderMarker(file, 0xC1), 0u);
    ASSERT_TRUE(jpegtest_ReferenceDecode(file).ok);
    expectRefused(file);
}

TEST(JpegRefusal, PrecisionOtherThanEightBits) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(24, 24));
    const size_t sof = findHeaderMarker(file, 0xC0);
    ASSERT_NE(sof, 0u);
    file[sof + 4] = 12;
    expectRefused(file);
}

TEST(JpegRefusal, App0ThatIsNotJfifVersionOne) {
    const std::vector<uint8_t> file = jpegtest_Encode(colour(24, 24));
    ASSERT_EQ(findHeaderMarker(file, 0xE0), 2u);
    std::vector<uint8_t> jfxx = file;
    jfxx[8] = 'X';
    jfxx[9] = 'X';
    expectRefused(jfxx);
    std::vector<uint8_t> version2 = file;
    version2[11] = 2;
    expectRefused(version2);
    std::vector<uint8_t> minor9 = file;
    minor9[12] = 9;
    EXPECT_EQ(decodes(minor9), 1) << "any 1.x is JFIF";
}

TEST(JpegRefusal, FileWithoutJfifSegmentStillDecodes) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(30, 20));
    const size_t length = (file[4] << 8) | file[5];
    file.erase(file.begin() + 2, file.begin() + 4 + static_cast<long>(length));
    jpegtest_ExpectMatchesReference(file);
}

TEST(JpegRefusal, ScansThatAreNotOneInterleavedScan) {
    JpegFixture fixture = colour(32, 32);
    fixture.sampling[0][0] = fixture.sampling[0][1] = 1;
    fixture.separateScans = true;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_TRUE(jpegtest_ReferenceDecode(file).ok);
    expectRefused(file);
}

TEST(JpegRefusal, DataEndingBeforeEoi) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(32, 32));
    ASSERT_EQ(file.back(), 0xD9);
    file.pop_back();
    file.pop_back();
    expectRefused(file);
}

TEST(JpegRefusal, MisnumberedOrMissingRestartMarker) {
    JpegFixture fixture = colour(64, 32);
    fixture.restartInterval = 1;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_EQ(decodes(file), 1);
    const size_t rst0 = findScanMarker(file, 0xD0);
    ASSERT_NE(rst0, 0u);
    std::vector<uint8_t> misnumbered = file;
    misnumbered[rst0 + 1] = 0xD3;
    expectRefused(misnumbered);
    std::vector<uint8_t> missing = file;
    missing.erase(missing.begin() + static_cast<long>(rst0), missing.begin() + static_cast<long>(rst0) + 2);
    expectRefused(missing);
}

TEST(JpegRefusal, DuplicateFrameHeader) {
    std::vector<uint8_t> file = jpegtest_Encode(colour(16, 16));
    const size_t sof = findHeaderMarker(file, 0xC0);
    ASSERT_NE(sof, 0u);
    const size_t length = (file[sof + 2] << 8) | file[sof + 3];
    const std::vector<uint8_t> frame(file.begin() + static_cast<long>(sof),
                                     file.begin() + static_cast<long>(sof + 2 + length));
    file.insert(file.begin() + static_cast<long>(sof), frame.begin(), frame.end());
    expectRefused(file);
}
} // namespace
