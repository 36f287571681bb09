#include "gamedata/pcx_decoder.h"

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

namespace {
constexpr size_t kHeader = 128;

// An 8-bit, one-plane PCX: header, the coded rows as given, marker 0x0C and the palette (entry i
// is (i, 255 - i, i * 3) unless `palette` is given).
std::vector<uint8_t> makePcx(uint32_t width, uint32_t height, uint32_t bytesPerLine,
                             const std::vector<uint8_t>& coded, std::vector<uint8_t> palette = {}) {
    std::vector<uint8_t> file(kHeader, 0);
    file[0] = 0x0A;
    file[1] = 5;
    file[2] = 1;
    file[3] = 8;
    test_Put16(file, 4, 0);
    test_Put16(file, 6, 0);
    test_Put16(file, 8, width - 1);
    test_Put16(file, 10, height - 1);
    file[65] = 1;
    test_Put16(file, 66, bytesPerLine);
    file.insert(file.end(), coded.begin(), coded.end());
    if (palette.empty())
        for (int i = 0; i < 256; ++i) {
            palette.push_back(static_cast<uint8_t>(i));
            palette.push_back(static_cast<uint8_t>(255 - i));
            palette.push_back(static_cast<uint8_t>(i * 3));
        }
    file.push_back(0x0C);
    file.insert(file.end(), palette.begin(), palette.end());
    return file;
}

std::vector<uint8_t> indicesOf(const HeldImage& image) {
    return std::vector<uint8_t>(image.holder.pixels, image.holder.pixels + image.holder.pixelCount);
}

bool fileArenaIsEmpty() {
    MemArena& arena = mem_FileArena();
    return mem_NextBlock(arena, arena.head) == nullptr;
}

// Cases ImageMagick writes as 8-bit one-plane PCX files.
struct MagickCase {
    uint32_t width, height;
    Pattern pattern;
};
const MagickCase kMagickCases[] = {
    {3, 1, Pattern::Gradient}, {37, 23, Pattern::Noise},  {64, 17, Pattern::Blocks},
    {255, 4, Pattern::Noise},  {130, 9, Pattern::Blocks}, {100, 33, Pattern::Gradient},
};

TEST(PcxImageMagick, DecodesWhatImageMagickWritesIdentically) {
    if (!test_HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempDir dir;
    uint32_t seed = 1;
    for (const MagickCase& c : kMagickCases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        auto picture = test_MakePicture(c.width, c.height, 3, c.pattern, seed++);
        std::string in = dir.write("in.ppm", test_NetpbmOf(c.width, c.height, 3, picture));
        std::string pcx = dir.path("out.pcx");
        bool ok = false;
        test_Convert(test_Quote(in) + " -type Palette " + test_Quote(pcx), ok);
        ASSERT_TRUE(ok);
        std::vector<uint8_t> file = test_ReadBytes(pcx);
        ASSERT_GT(file.size(), kHeader);
        ASSERT_EQ(file[3], 8) << "ImageMagick did not write 8 bits per pixel";
        ASSERT_EQ(file[65], 1) << "ImageMagick did not write one plane";
        std::string reference = test_Convert(test_Quote(pcx) + " rgb:-", ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(reference.size(), static_cast<size_t>(c.width) * c.height * 3);

        HeldImage indexed;
        ASSERT_EQ(pcx_DecodeIndexed(indexed.holder, file), kImageOk);
        ASSERT_EQ(indexed.holder.width, c.width);
        ASSERT_EQ(indexed.holder.height, c.height);
        std::string decoded;
        for (uint32_t i = 0; i < indexed.holder.pixelCount; ++i) {
            const uint8_t* entry = indexed.holder.palette + indexed.holder.pixels[i] * 4;
            decoded += static_cast<char>(entry[2]);
            decoded += static_cast<char>(entry[1]);
            decoded += static_cast<char>(entry[0]);
        }
        EXPECT_EQ(decoded, reference);

        HeldImage height;
        ASSERT_EQ(pcx_DecodeHeight(height.holder, file), kImageOk);
        std::vector<uint8_t> expected;
        for (size_t i = 0; i < reference.size(); i += 3)
            expected.insert(expected.end(), {0, uint8_t(reference[i]), 0, 0});
        EXPECT_EQ(height.bytes32(), expected);
    }
}

TEST(PcxImageMagick, RefusesTheTrueColourFilesImageMagickWrites) {
    if (!test_HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempDir dir;
    std::string in =
        dir.write("in.ppm", test_NetpbmOf(20, 6, 3, test_MakePicture(20, 6, 3, Pattern::Noise, 9)));
    std::string pcx = dir.path("colour.pcx");
    bool ok = false;
    test_Convert(test_Quote(in) + " -type TrueColor " + test_Quote(pcx), ok);
    ASSERT_TRUE(ok);
    std::vector<uint8_t> file = test_ReadBytes(pcx);
    ASSERT_GT(file.size(), kHeader);
    ASSERT_EQ(file[3], 8);
    ASSERT_EQ(file[65], 3) << "expected three planes of 8 bits";
    HeldImage image;
    EXPECT_EQ(pcx_DecodeIndexed(image.holder, file), kImageUnsupported);
    EXPECT_EQ(pcx_DecodeHeight(image.holder, file), kImageUnsupported);
    EXPECT_TRUE(image.empty());
}

TEST(PcxDecode, KeepsWidthBytesOfEachPaddedRow) {
    // Width 3 with 4 bytes per line: the fourth byte of each row is padding.
    // The last row's padding must not land behind the image.
    std::vector<uint8_t> coded = {1, 2, 3, 0x77, 4, 5, 6, 0x77};
    CanaryArena arena;
    HeldImage image;
    ASSERT_EQ(pcx_DecodeHeight(image.holder, makePcx(3, 2, 4, coded)), kImageOk);
    EXPECT_EQ(image.holder.pixelCount, 6u);
    EXPECT_TRUE(CanaryArena::untouchedAfter(image.holder));
    ASSERT_EQ(pcx_DecodeIndexed(image.holder, makePcx(3, 2, 4, coded)), kImageOk);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(CanaryArena::untouchedAfter(image.holder));
}

TEST(PcxDecode, CutsRunsAtTheEndOfTheirRow) {
    // Row 0 is a run of 6 over 4 bytes per line: it ends at the row end and row 1 starts with the
    // next coded byte. The last row's run of 63 stays inside the image.
    std::vector<uint8_t> coded = {0xC6, 9, 1, 2, 0xC1, 0xC5, 4, 0xFF, 7};
    CanaryArena arena;
    HeldImage image;
    ASSERT_EQ(pcx_DecodeHeight(image.holder, makePcx(3, 3, 4, coded)), kImageOk);
    EXPECT_TRUE(CanaryArena::untouchedAfter(image.holder));
    ASSERT_EQ(pcx_DecodeIndexed(image.holder, makePcx(3, 3, 4, coded)), kImageOk);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{9, 9, 9, 1, 2, 0xC5, 7, 7, 7}));
    EXPECT_TRUE(CanaryArena::untouchedAfter(image.holder));
}

TEST(PcxDecode, RunOfZeroConsumesItsValueByte) {
    std::vector<uint8_t> coded = {0xC0, 0x55, 1, 0xC2, 3};
    HeldImage image;
    ASSERT_EQ(pcx_DecodeIndexed(image.holder, makePcx(3, 1, 3, coded)), kImageOk);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{1, 3, 3}));
}

TEST(PcxDecode, TakesThePaletteFromTheLast768BytesAsBlueGreenRed) {
    std::vector<uint8_t> palette(768);
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<uint8_t>(i * 7 + 3);
    // Stray bytes between the rows and the palette do not move it.
    std::vector<uint8_t> coded = {0, 255, 0xAA, 0xBB};
    HeldImage image;
    ASSERT_EQ(pcx_DecodeIndexed(image.holder, makePcx(2, 1, 2, coded, palette)), kImageOk);
    ASSERT_EQ(image.holder.palette, image.holder.pixels + 2);
    for (size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(image.holder.palette[i * 4 + 0], palette[i * 3 + 2]);
        EXPECT_EQ(image.holder.palette[i * 4 + 1], palette[i * 3 + 1]);
        EXPECT_EQ(image.holder.palette[i * 4 + 2], palette[i * 3 + 0]);
        EXPECT_EQ(image.holder.palette[i * 4 + 3], 0);
    }
}

TEST(PcxDecode, HeightVariantPutsThePaletteRedInTheGreenByte) {
    std::vector<uint8_t> coded = {0, 1, 0xC2, 200, 0xC1, 255};
    HeldImage image;
    ASSERT_EQ(pcx_DecodeHeight(image.holder, makePcx(5, 1, 5, coded)), kImageOk);
    // The default palette's red component of entry i is i.
    EXPECT_EQ(image.bytes32(),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0, 200, 0, 0, 0, 255, 0, 0}));
}

TEST(PcxDecode, MeasuresTheImageFromItsBounds) {
    std::vector<uint8_t> file = makePcx(1, 1, 2, {1, 2, 3, 4});
    test_Put16(file, 4, 10);
    test_Put16(file, 8, 11);
    test_Put16(file, 6, 5);
    test_Put16(file, 10, 6);
    HeldImage image;
    ASSERT_EQ(pcx_DecodeIndexed(image.holder, file), kImageOk);
    EXPECT_EQ(image.holder.width, 2);
    EXPECT_EQ(image.holder.height, 2);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(PcxDecode, RefusesFilesItCannotDecodeAndLeavesTheHolderEmpty) {
    const std::vector<uint8_t> good = makePcx(2, 2, 2, {1, 2, 3, 4});
    struct Damage {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<Damage> cases;
    auto with = [&](const char* what, auto change) {
        std::vector<uint8_t> file = good;
        change(file);
        cases.push_back({what, file});
    };
    with("24 bits per pixel", [](auto& f) { f[3] = 24; });
    with("three planes", [](auto& f) { f[65] = 3; });
    with("reversed x bounds", [](auto& f) { test_Put16(f, 4, 5); });
    with("reversed y bounds", [](auto& f) { test_Put16(f, 6, 5); });
    with("width of 65536", [](auto& f) {
        test_Put16(f, 8, 0xFFFF);
        test_Put16(f, 66, 0xFFFF);
    });
    with("fewer bytes per line than pixels", [](auto& f) { test_Put16(f, 66, 1); });
    with("no room for the palette", [](auto& f) { f.resize(kHeader + 768); });
    with("header only", [](auto& f) { f.resize(kHeader); });
    with("empty", [](auto& f) { f.clear(); });

    for (const Damage& d : cases) {
        SCOPED_TRACE(d.what);
        HeldImage indexed, height;
        ASSERT_EQ(pcx_DecodeIndexed(indexed.holder, good), kImageOk);
        EXPECT_EQ(pcx_DecodeIndexed(indexed.holder, d.file), kImageUnsupported);
        EXPECT_TRUE(indexed.empty());
        EXPECT_EQ(pcx_DecodeHeight(height.holder, d.file), kImageUnsupported);
        EXPECT_TRUE(height.empty());
    }
}

TEST(PcxDecode, FailsWhenTheCodedRowsRunPastTheEndOfTheFile) {
    // The rows may run on into the palette (the file's end is the only bound), but not past it.
    const std::vector<uint8_t> zeros(768, 0);
    const uint32_t available = 4 + 1 + 768; // coded bytes, marker, palette: one pixel each
    HeldImage image;
    EXPECT_EQ(pcx_DecodeIndexed(image.holder, makePcx(1, available, 1, {1, 2, 3, 4}, zeros)), kImageOk);
    EXPECT_EQ(pcx_DecodeIndexed(image.holder, makePcx(1, available + 1, 1, {1, 2, 3, 4}, zeros)),
              kImageUnsupported);
    EXPECT_TRUE(image.empty());

    // The file's last byte starts a run whose value is missing.
    std::vector<uint8_t> palette = zeros;
    palette.back() = 0xC2;
    EXPECT_EQ(pcx_DecodeIndexed(image.holder, makePcx(1, available, 1, {1, 2, 3, 4}, palette)),
              kImageUnsupported);
    EXPECT_EQ(pcx_DecodeHeight(image.holder, makePcx(1, available, 1, {1, 2, 3, 4}, palette)),
              kImageUnsupported);
    EXPECT_TRUE(image.empty());
}

TEST(PcxRead, ReadsThroughTheFileLayerAndReleasesTheFileBuffer) {
    file_ResetState();
    TempDir dir;
    std::vector<uint8_t> file = makePcx(3, 1, 4, {0xC3, 7, 0});
    std::string path = dir.write("Detail.PCX", file);
    HeldImage indexed, height;
    EXPECT_EQ(pcx_ReadIndexed(indexed.holder, path.c_str()), kImageOk);
    EXPECT_EQ(indicesOf(indexed), (std::vector<uint8_t>{7, 7, 7}));
    EXPECT_EQ(pcx_ReadHeight(height.holder, path.c_str()), kImageOk);
    EXPECT_EQ(height.holder.pixelCount, 3u);
    EXPECT_TRUE(fileArenaIsEmpty());

    EXPECT_EQ(pcx_ReadIndexed(indexed.holder, dir.path("missing.pcx").c_str()), kImageNotFound);
    EXPECT_TRUE(indexed.empty());
    EXPECT_TRUE(fileArenaIsEmpty());
}
} // namespace
