#include "gamedata/tga_decoder.h"

#include "foundation/file_access.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

namespace {
constexpr size_t kHeader = 18;

struct TgaHeaderFields {
    uint8_t type = 2;
    uint16_t width = 1;
    uint16_t height = 1;
    uint8_t depth = 24;
    uint8_t descriptor = 0;
    std::vector<uint8_t> id;
    uint8_t mapType = 0;
    uint16_t mapFirst = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntryBits = 0;
    std::vector<uint8_t> map;
};

std::vector<uint8_t> makeTga(const TgaHeaderFields& s, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> file(kHeader, 0);
    file[0] = static_cast<uint8_t>(s.id.size());
    file[1] = s.mapType;
    file[2] = s.type;
    test_Put16(file, 3, s.mapFirst);
    test_Put16(file, 5, s.mapLength);
    file[7] = s.mapEntryBits;
    test_Put16(file, 12, s.width);
    test_Put16(file, 14, s.height);
    file[16] = s.depth;
    file[17] = s.descriptor;
    file.insert(file.end(), s.id.begin(), s.id.end());
    file.insert(file.end(), s.map.begin(), s.map.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// What ImageMagick writes for each argument list, and what the header must then say.
struct MagickKind {
    const char* args;
    int channels; // 3: PPM input, 4: PAM input with alpha
    uint8_t type;
    uint8_t depth;
    bool black; // a kind the reader leaves black
};
const MagickKind kMagickKinds[] = {
    {"", 3, 2, 24, false},
    {"", 4, 2, 32, false},
    {"-compress RLE", 3, 10, 24, false},
    {"-compress RLE", 4, 10, 32, false},
    {"-type Palette", 3, 1, 8, false},
    {"-type Grayscale -depth 8", 3, 3, 8, false},
    {"-type Palette -compress RLE", 3, 9, 8, true},
    {"-type Grayscale -depth 8 -compress RLE", 3, 11, 8, true},
};

struct MagickSize {
    uint16_t width, height;
    Pattern pattern;
};
const MagickSize kMagickSizes[] = {
    {1, 1, Pattern::Noise},
    {37, 23, Pattern::Noise},
    {200, 7, Pattern::Blocks},
    {64, 30, Pattern::Gradient},
};

TEST(TgaImageMagick, DecodesEveryKindImageMagickWritesIdentically) {
    if (!test_HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempDir dir;
    uint32_t seed = 11;
    for (const MagickKind& kind : kMagickKinds) {
        for (const MagickSize& size : kMagickSizes) {
            SCOPED_TRACE(std::string(kind.args) + " channels " + std::to_string(kind.channels) + " " +
                         std::to_string(size.width) + "x" + std::to_string(size.height));
            auto picture = test_MakePicture(size.width, size.height, kind.channels, size.pattern, seed++);
            std::string in = dir.write(kind.channels == 3 ? "in.ppm" : "in.pam",
                                       test_NetpbmOf(size.width, size.height, kind.channels, picture));
            std::string tga = dir.path("out.tga");
            bool ok = false;
            test_Convert(test_Quote(in) + " " + kind.args + " " + test_Quote(tga), ok);
            ASSERT_TRUE(ok);
            std::vector<uint8_t> file = test_ReadBytes(tga);
            ASSERT_GE(file.size(), kHeader);
            ASSERT_EQ(file[2], kind.type);
            ASSERT_EQ(file[16], kind.depth);
            // A bottom-up file: ImageMagick's oriented decoding is then the one the reader gives.
            ASSERT_EQ(file[17] & 0x20, 0);

            HeldImage image;
            ASSERT_EQ(tga_Decode(image.holder, file), kImageOk);
            ASSERT_EQ(image.holder.width, size.width);
            ASSERT_EQ(image.holder.height, size.height);
            ASSERT_EQ(image.holder.pixelCount, static_cast<uint32_t>(size.width) * size.height);
            std::vector<uint8_t> expected(static_cast<size_t>(image.holder.pixelCount) * 4, 0);
            if (!kind.black) {
                const bool alpha = kind.depth == 32;
                std::string reference =
                    test_Convert(test_Quote(tga) + " -auto-orient " + (alpha ? "rgba:-" : "rgb:-"), ok);
                ASSERT_TRUE(ok);
                const size_t step = alpha ? 4 : 3;
                ASSERT_EQ(reference.size(), image.holder.pixelCount * step);
                for (size_t i = 0; i < image.holder.pixelCount; ++i) {
                    expected[i * 4 + 0] = static_cast<uint8_t>(reference[i * step + 2]);
                    expected[i * 4 + 1] = static_cast<uint8_t>(reference[i * step + 1]);
                    expected[i * 4 + 2] = static_cast<uint8_t>(reference[i * step + 0]);
                    expected[i * 4 + 3] = alpha ? static_cast<uint8_t>(reference[i * step + 3]) : 0;
                }
            }
            EXPECT_EQ(image.bytes32(), expected);
        }
    }
}

TEST(TgaDecode, FlipsTheRowsWhateverTheDescriptorSays) {
    // File rows: red first, then blue. The first file row always ends up at the bottom.
    const std::vector<uint8_t> rows = {0, 0, 255, 255, 0, 0};
    for (uint8_t descriptor : std::vector<uint8_t>{0x00, 0x10, 0x20, 0x30, 0x08}) {
        SCOPED_TRACE(descriptor);
        TgaHeaderFields header;
        header.height = 2;
        header.descriptor = descriptor;
        HeldImage image;
        ASSERT_EQ(tga_Decode(image.holder, makeTga(header, rows)), kImageOk);
        EXPECT_EQ(image_PixelAt(image.holder, 0), 0x000000FFu);
        EXPECT_EQ(image_PixelAt(image.holder, 1), 0x00FF0000u);
    }
}

TEST(TgaDecode, LeavesKindsItDoesNotReadBlackAtTheirSize) {
    struct Kind {
        uint8_t type, depth, mapEntryBits;
    };
    for (Kind k : {Kind{2, 16, 0}, Kind{2, 15, 0}, Kind{3, 16, 0}, Kind{10, 16, 0}, Kind{1, 8, 32},
                   Kind{1, 16, 24}, Kind{9, 8, 24}, Kind{11, 8, 0}, Kind{5, 8, 0}}) {
        SCOPED_TRACE(std::to_string(k.type) + "/" + std::to_string(k.depth) + "/" +
                     std::to_string(k.mapEntryBits));
        TgaHeaderFields header;
        header.type = k.type;
        header.depth = k.depth;
        header.width = 3;
        header.height = 2;
        header.mapEntryBits = k.mapEntryBits;
        HeldImage image;
        ASSERT_EQ(tga_Decode(image.holder, makeTga(header, std::vector<uint8_t>(24, 0x5A))), kImageOk);
        EXPECT_EQ(image.holder.width, 3);
        EXPECT_EQ(image.holder.height, 2);
        EXPECT_EQ(image.bytes32(), std::vector<uint8_t>(24, 0));
    }
}

TEST(TgaDecode, RunLengthRunsCrossRowsAndAreCutAtTheLastPixel) {
    TgaHeaderFields header;
    header.type = 10;
    header.width = 2;
    header.height = 2;
    // A run of 3 (crossing the row end), then a run of 100 of which one pixel fits.
    std::vector<uint8_t> data = {0x82, 1, 2, 3, 0xE3, 4, 5, 6, 0x00, 9, 9, 9};
    CanaryArena arena;
    HeldImage image;
    ASSERT_EQ(tga_Decode(image.holder, makeTga(header, data)), kImageOk);
    EXPECT_TRUE(CanaryArena::untouchedAfter(image.holder));
    // File order 1 2 3 | 1 2 3 / 1 2 3 | 4 5 6, bottom row first.
    EXPECT_EQ(image.bytes32(), (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0, 1, 2, 3, 0, 1, 2, 3, 0}));
}

TEST(TgaDecode, RunLengthLiteralPastTheLastPixelEndsTheDecoding) {
    TgaHeaderFields header;
    header.type = 10;
    header.depth = 32;
    header.width = 3;
    header.height = 1;
    // One literal pixel, then a literal packet of 3 where 2 pixels remain: it is not used.
    std::vector<uint8_t> data = {0x00, 1, 2, 3, 4, 0x02, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7};
    HeldImage image;
    ASSERT_EQ(tga_Decode(image.holder, makeTga(header, data)), kImageOk);
    EXPECT_EQ(image.bytes32(), (std::vector<uint8_t>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(TgaDecode, MappedPixelsOutsideTheMapAreBlack) {
    TgaHeaderFields header;
    header.type = 1;
    header.depth = 8;
    header.width = 4;
    header.mapType = 1;
    header.mapEntryBits = 24;
    header.mapFirst = 1;
    header.mapLength = 2;
    header.map = {10, 20, 30, 40, 50, 60};
    // Entries cover indices 1 and 2; 0 lies before the map and 3 past it.
    HeldImage image;
    ASSERT_EQ(tga_Decode(image.holder, makeTga(header, {0, 1, 2, 3})), kImageOk);
    EXPECT_EQ(image.bytes32(), (std::vector<uint8_t>{0, 0, 0, 0, 10, 20, 30, 0, 40, 50, 60, 0, 0, 0, 0, 0}));
}

TEST(TgaDecode, SkipsTheIdFieldAndAColourMapOfATrueColourImage) {
    TgaHeaderFields header;
    header.id = {'h', 'e', 'l', 'l', 'o'};
    header.mapType = 1;
    header.mapLength = 3;
    header.mapEntryBits = 15; // two bytes an entry
    header.map = std::vector<uint8_t>(6, 0xEE);
    header.width = 2;
    HeldImage image;
    ASSERT_EQ(tga_Decode(image.holder, makeTga(header, {1, 2, 3, 4, 5, 6})), kImageOk);
    EXPECT_EQ(image.bytes32(), (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));

    header.type = 3;
    header.depth = 8;
    ASSERT_EQ(tga_Decode(image.holder, makeTga(header, {7, 8})), kImageOk);
    EXPECT_EQ(image.bytes32(), (std::vector<uint8_t>{7, 7, 7, 0, 8, 8, 8, 0}));
}

TEST(TgaDecode, RefusesShortAndEmptyFilesAndLeavesTheHolderEmpty) {
    struct Damage {
        const char* what;
        TgaHeaderFields header;
        std::vector<uint8_t> data;
        size_t cut; // bytes removed from the end of the file
    };
    auto header = [](uint8_t type, uint8_t depth, uint16_t width, uint16_t height) {
        TgaHeaderFields s;
        s.type = type;
        s.depth = depth;
        s.width = width;
        s.height = height;
        return s;
    };
    TgaHeaderFields mapped = header(1, 8, 2, 1);
    mapped.mapType = 1;
    mapped.mapLength = 2;
    mapped.mapEntryBits = 24;
    mapped.map = {1, 2, 3, 4, 5, 6};
    TgaHeaderFields withId = header(2, 24, 1, 1);
    withId.id = std::vector<uint8_t>(200, 'x');
    std::vector<Damage> cases = {
        {"header cut", header(2, 24, 1, 1), {1, 2, 3}, 5},
        {"zero width", header(2, 24, 0, 1), {1, 2, 3}, 0},
        {"zero height", header(2, 24, 1, 0), {1, 2, 3}, 0},
        {"true colour short", header(2, 24, 2, 2), std::vector<uint8_t>(11, 1), 0},
        {"32-bit short", header(2, 32, 2, 1), std::vector<uint8_t>(7, 1), 0},
        {"grey short", header(3, 8, 4, 4), std::vector<uint8_t>(15, 1), 0},
        {"mapped pixels short", mapped, {0}, 0},
        {"colour map cut", mapped, {}, 2},
        {"id field cut", withId, {}, 150},
        {"run-length packets end", header(10, 24, 4, 1), {0x81, 1, 2, 3, 0x00, 1, 2}, 0},
        {"run-length run value cut", header(10, 24, 4, 1), {0x83, 1, 2}, 0},
        {"run-length nothing", header(10, 32, 4, 1), {}, 0},
        {"huge size, no data", header(10, 32, 65535, 65535), {0xFF, 1, 2, 3, 4}, 0},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.what);
        std::vector<uint8_t> file = makeTga(d.header, d.data);
        file.resize(file.size() - d.cut);
        HeldImage image;
        ASSERT_EQ(tga_Decode(image.holder, makeTga(TgaHeaderFields{}, {1, 2, 3})), kImageOk);
        EXPECT_EQ(tga_Decode(image.holder, file), kImageUnsupported);
        EXPECT_TRUE(image.empty());
    }
}

TEST(TgaRead, ReadsThroughTheFileLayerAndNamesTheHolder) {
    file_ResetState();
    TempDir dir;
    std::string path = dir.write("DetailColour.tga", makeTga(TgaHeaderFields{}, {1, 2, 3}));
    HeldImage image;
    ASSERT_EQ(tga_Read(image.holder, path.c_str()), kImageOk);
    EXPECT_STREQ(image.holder.name, "DetailCo");
    EXPECT_EQ(image_PixelAt(image.holder, 0), 0x00030201u);
    EXPECT_EQ(tga_Read(image.holder, dir.path("none.tga").c_str()), kImageNotFound);
    EXPECT_TRUE(image.empty());
}

TEST(ImageName, IsTheBaseNameUpToItsFirstDotAndEightCharacters) {
    ImageHolder holder{};
    image_SetName(holder, "C:\\QZ2\\TERRAINS\\desert.r16");
    EXPECT_STREQ(holder.name, "desert");
    image_SetName(holder, "maps/v1.2/snow.map.tga");
    EXPECT_STREQ(holder.name, "snow");
    image_SetName(holder, "averyverylongname");
    EXPECT_STREQ(holder.name, "averyver");
    image_SetName(holder, "dir\\");
    EXPECT_STREQ(holder.name, "");
}
} // namespace
