// Damaged JPEG files: each must be refused cleanly (or decode) without reading or writing outside
// a buffer. Run under the sanitizer build to catch what a plain build would not.
#include "gamedata/jpeg_decoder.h"
#include "jpeg_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::vector<uint8_t> segment(uint8_t marker, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> out = {0xFF, marker, static_cast<uint8_t>((payload.size() + 2) >> 8),
                                static_cast<uint8_t>(payload.size() + 2)};
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// A hand-made greyscale file, 16 × 8 by default (two blocks), whose parts the tests spoil one at a
// time. The DC table has the one code "0" (difference 0); the AC table has "0" for run 15 with a
// 1-bit value and "10" for the end of the block.
struct MiniJpeg {
    std::vector<uint8_t> app0 = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    std::vector<uint8_t> dqt = std::vector<uint8_t>(65, 1);
    std::vector<uint8_t> dhtDc = {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00};
    std::vector<uint8_t> dhtAc = {0x10, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF1, 0x00};
    std::vector<uint8_t> sof = {8, 0, 8, 0, 16, 1, 1, 0x11, 0};
    std::vector<uint8_t> sos = {1, 1, 0x00, 0, 63, 0};
    std::vector<uint8_t> entropy = {0x4B}; // "010" "010" for two blocks of DC only, padded with ones
    bool eoi = true;

    MiniJpeg() { dqt[0] = 0x00; }

    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> out = {0xFF, 0xD8};
        for (const auto& s : {segment(0xE0, app0), segment(0xDB, dqt), segment(0xC4, dhtDc),
                              segment(0xC4, dhtAc), segment(0xC0, sof), segment(0xDA, sos)})
            out.insert(out.end(), s.begin(), s.end());
        out.insert(out.end(), entropy.begin(), entropy.end());
        if (eoi) out.insert(out.end(), {0xFF, 0xD9});
        return out;
    }
};

void setSize(MiniJpeg& m, int width, int height) {
    m.sof[1] = static_cast<uint8_t>(height >> 8);
    m.sof[2] = static_cast<uint8_t>(height);
    m.sof[3] = static_cast<uint8_t>(width >> 8);
    m.sof[4] = static_cast<uint8_t>(width);
}

void expectRefused(const std::vector<uint8_t>& file) {
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    EXPECT_EQ(jpeg_Decode(file, width, height, pixels, 1), 0);
    EXPECT_EQ(pixels, nullptr);
    int w = 0, h = 0;
    jpeg_Probe(file, w, h); // must not crash either
}

TEST(JpegCrashers, HandMadeFileIsValid) {
    jpegtest_ExpectMatchesReference(MiniJpeg().bytes());
}

TEST(JpegCrashers, HuffmanRunsOffEnd) {
    MiniJpeg m;
    setSize(m, 16, 16); // four blocks, data for two
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanRunsOffEndOfFile) {
    MiniJpeg m;
    setSize(m, 64, 64);
    m.eoi = false;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, InvalidHuffmanCode) {
    MiniJpeg m;
    m.entropy = {0xFF, 0x00, 0xFF, 0x00}; // all ones: no DC code starts with "1"
    expectRefused(m.bytes());
}

TEST(JpegCrashers, AcRunPastBlockEndLandsOnLastCoefficient) {
    MiniJpeg m;
    // First block: DC "0", then four times run 15 + value bit "1" (the fourth run passes position
    // 63); second block "010".
    m.entropy = {0x2A, 0xAF};
    jpegtest_ExpectMatchesReference(m.bytes());
}

TEST(JpegCrashers, BadQuantTableId) {
    MiniJpeg m;
    m.dqt[0] = 0x04;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, QuantPrecisionOutOfRange) {
    MiniJpeg m;
    m.dqt[0] = 0x20;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, SixteenBitQuantTableTruncated) {
    MiniJpeg m;
    m.dqt[0] = 0x10; // needs 128 bytes, has 64
    expectRefused(m.bytes());
}

TEST(JpegCrashers, MissingQuantTable) {
    MiniJpeg m;
    m.sof[8] = 1;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, BadHuffmanTableId) {
    MiniJpeg m;
    m.dhtAc[0] = 0x14;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanClassOutOfRange) {
    MiniJpeg m;
    m.dhtAc[0] = 0x20;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanCountsOver256) {
    MiniJpeg m;
    m.dhtAc.assign(17, 17);
    m.dhtAc[0] = 0x10;
    m.dhtAc.resize(17 + 272, 0);
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanSymbolsPastSegment) {
    MiniJpeg m;
    m.dhtAc[3] = 5; // seven symbols announced, two present
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanCodeSpaceOverflow) {
    MiniJpeg m;
    m.dhtDc = {0x00, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2}; // three 1-bit codes
    expectRefused(m.bytes());
    m.dhtDc = {0x00, 1, 2, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0,
               0,    0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7}; // 3-bit codes overflow
    expectRefused(m.bytes());
}

TEST(JpegCrashers, HuffmanTableUsingTheAllOnesCode) {
    MiniJpeg m;
    m.dhtDc = {0x00, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}; // "0" and "1"
    expectRefused(m.bytes());
}

TEST(JpegCrashers, DcTableWithSymbolAbove15) {
    MiniJpeg m;
    m.dhtDc.back() = 16;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, ScanUsesUndefinedTable) {
    MiniJpeg m;
    m.sos[2] = 0x11;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, ScanTableIdOutOfRange) {
    MiniJpeg m;
    m.sos[2] = 0x0F;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, ScanComponentNotInFrame) {
    MiniJpeg m;
    m.sos[1] = 2;
    expectRefused(m.bytes());
}

TEST(JpegCrashers, ScanHeaderLengthWrong) {
    MiniJpeg m;
    m.sos.push_back(0);
    expectRefused(m.bytes());
}

TEST(JpegCrashers, MarkerLengthPastEnd) {
    MiniJpeg m;
    std::vector<uint8_t> file = m.bytes();
    // The DQT segment's length field (after SOI and the 18-byte APP0 segment).
    ASSERT_EQ(file[20], 0xFF);
    ASSERT_EQ(file[21], 0xDB);
    file[22] = 0xFF;
    file[23] = 0xFF;
    expectRefused(file);
}

TEST(JpegCrashers, MarkerLengthBelowTwo) {
    std::vector<uint8_t> file = MiniJpeg().bytes();
    file[22] = 0;
    file[23] = 1;
    expectRefused(file);
}

TEST(JpegCrashers, FileEndsInsideMarker) {
    expectRefused({0xFF, 0xD8, 0xFF});
    expectRefused({0xFF, 0xD8, 0xFF, 0xDB, 0x00});
    expectRefused({0xFF});
    expectRefused({});
}

TEST(JpegCrashers, HugeDimensions) {
    for (auto [w, h] : {std::pair{65535, 65535}, {16384, 16384}, {16385, 1}, {1, 16385}}) {
        MiniJpeg m;
        setSize(m, w, h);
        expectRefused(m.bytes());
    }
}

TEST(JpegCrashers, LargestAllowedFrameWithoutDataFailsCleanly) {
    MiniJpeg m;
    setSize(m, 16384, 4096); // exactly the pixel cap: allocated, then the data runs out
    expectRefused(m.bytes());
}

TEST(JpegCrashers, ZeroDimensions) {
    for (auto [w, h] : {std::pair{0, 8}, {8, 0}}) {
        MiniJpeg m;
        setSize(m, w, h);
        expectRefused(m.bytes());
    }
}

TEST(JpegCrashers, SamplingFactorsOutOfRange) {
    for (int factors : {0x01, 0x10, 0x51, 0x15, 0x00}) {
        MiniJpeg m;
        m.sof[7] = static_cast<uint8_t>(factors);
        expectRefused(m.bytes());
    }
}

TEST(JpegCrashers, ComponentCountOutOfRange) {
    for (int count : {0, 5}) {
        MiniJpeg m;
        m.sof[5] = static_cast<uint8_t>(count);
        expectRefused(m.bytes());
    }
}

TEST(JpegCrashers, FrameHeaderLengthWrong) {
    MiniJpeg m;
    m.sof.push_back(0);
    expectRefused(m.bytes());
}

TEST(JpegCrashers, RestartIntervalSegmentWrongLength) {
    MiniJpeg m;
    std::vector<uint8_t> file = m.bytes();
    const std::vector<uint8_t> dri = segment(0xDD, {0, 1, 0});
    file.insert(file.begin() + 2, dri.begin(), dri.end());
    expectRefused(file);
}

TEST(JpegCrashers, RestartMarkerWhereNoneExpectedIsHarmless) {
    MiniJpeg m;
    m.entropy = {0x4B, 0xFF, 0xD0};
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    EXPECT_EQ(jpeg_Decode(m.bytes(), width, height, pixels, 1), 1);
    jpeg_FreePixels(pixels);
}

TEST(JpegCrashers, TruncatedAtEveryLength) {
    JpegFixture fixture;
    fixture.width = 37;
    fixture.height = 21;
    fixture.restartInterval = 2;
    fixture.optimize = true;
    const std::vector<uint8_t> file = jpegtest_Encode(fixture);
    ASSERT_FALSE(file.empty());
    for (size_t length = 0; length < file.size(); ++length) {
        SCOPED_TRACE(length);
        expectRefused(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(length)));
    }
}

// Corrupts one to four bytes of valid files many times over: whatever the decoder answers, it must
// not touch memory outside its buffers, and a success must come with pixels.
TEST(JpegCrashers, CorruptedBytesFailOrDecodeCleanly) {
    std::vector<std::vector<uint8_t>> files;
    JpegFixture fixture;
    fixture.width = 33;
    fixture.height = 17;
    files.push_back(jpegtest_Encode(fixture));
    fixture.restartInterval = 1;
    fixture.sampling[0][0] = 4;
    fixture.sampling[0][1] = 1;
    files.push_back(jpegtest_Encode(fixture));
    JpegFixture greyFixture;
    greyFixture.components = 1;
    greyFixture.width = 20;
    greyFixture.height = 20;
    greyFixture.quality = 3;
    greyFixture.forceBaseline = false;
    files.push_back(jpegtest_Encode(greyFixture));
    files.push_back(MiniJpeg().bytes());

    uint32_t state = 12345;
    auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    int decoded = 0;
    for (const std::vector<uint8_t>& original : files) {
        ASSERT_FALSE(original.empty());
        for (int round = 0; round < 1500; ++round) {
            std::vector<uint8_t> file = original;
            const int flips = 1 + static_cast<int>(next() % 4);
            for (int i = 0; i < flips; ++i)
                file[next() % file.size()] = static_cast<uint8_t>(next());
            int width = 0, height = 0;
            uint32_t* pixels = nullptr;
            const int result = jpeg_Decode(file, width, height, pixels, 1);
            if (result) {
                ASSERT_NE(pixels, nullptr);
                ASSERT_GT(width, 0);
                ASSERT_GT(height, 0);
                ++decoded;
            } else {
                ASSERT_EQ(pixels, nullptr);
            }
            jpeg_FreePixels(pixels);
            int w = 0, h = 0;
            jpeg_Probe(file, w, h);
        }
    }
    EXPECT_GT(decoded, 0) << "some corruptions only change pixels";
}
} // namespace
