// qzdata image: the editor's decoders against ImageMagick (TGA, PCX) and libjpeg-turbo (JPEG).
#include "gamedata/image_test_support.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
const std::string kQzdata = QZ_QZDATA;

int qzdataImage(const std::string& arguments) {
    return test_Run(test_Quote(kQzdata) + " image " + arguments + " 2>/dev/null").status;
}

std::string ppm(uint32_t width, uint32_t height, const std::string& rgb) {
    return "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n" + rgb;
}

std::vector<uint8_t> r16File(uint32_t width, uint32_t height, const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> file = {'R', '1', '6', 'a', 0, 0, 0, 0, 0, 0, 0, 0};
    test_Put32(file, 4, width);
    test_Put32(file, 8, height);
    for (uint16_t s : samples)
        file.insert(file.end(), {static_cast<uint8_t>(s), static_cast<uint8_t>(s >> 8)});
    return file;
}
} // namespace

TEST(QzdataImage, WritesWhatImageMagickDecodesFromTgaAndPcx) {
    if (!test_HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempDir dir;
    const uint32_t width = 45, height = 19;
    std::string in = dir.write(
        "in.ppm", test_NetpbmOf(width, height, 3, test_MakePicture(width, height, 3, Pattern::Noise, 5)));
    const char* cases[][2] = {
        {"plain.tga", ""},
        {"rle.TGA", "-compress RLE"},
        {"mapped.tga", "-type Palette"},
        {"grey.tga", "-type Grayscale -depth 8"},
        {"indexed.pcx", "-type Palette"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        std::string file = dir.path(c[0]);
        bool ok = false;
        test_Convert(test_Quote(in) + " " + c[1] + " " + test_Quote(file), ok);
        ASSERT_TRUE(ok);
        std::string reference = test_Convert(test_Quote(file) + " -auto-orient rgb:-", ok);
        ASSERT_TRUE(ok);
        std::string out = dir.path("out.ppm");
        ASSERT_EQ(qzdataImage(test_Quote(file) + " " + test_Quote(out)), 0);
        EXPECT_EQ(test_ReadFile(out), ppm(width, height, reference));
    }
}

TEST(QzdataImage, WritesWhatLibjpegDecodesFromJpeg) {
    if (!test_HaveImageMagick() || test_Run("command -v djpeg >/dev/null 2>&1").status != 0)
        GTEST_SKIP() << "ImageMagick or libjpeg-turbo's djpeg is not installed";
    TempDir dir;
    const uint32_t width = 50, height = 21;
    std::string in = dir.write(
        "in.ppm", test_NetpbmOf(width, height, 3, test_MakePicture(width, height, 3, Pattern::Gradient, 2)));
    for (const char* sampling : {"4:4:4", "4:2:0"}) {
        SCOPED_TRACE(sampling);
        std::string jpeg = dir.path("colour.jpg");
        bool ok = false;
        test_Convert(test_Quote(in) + " -sampling-factor " + sampling + " -quality 85 " + test_Quote(jpeg),
                     ok);
        ASSERT_TRUE(ok);
        CommandResult reference = test_Run("djpeg -dct int -nosmooth -ppm " + test_Quote(jpeg));
        ASSERT_EQ(reference.status, 0);
        std::string out = dir.path("out.ppm");
        ASSERT_EQ(qzdataImage(test_Quote(jpeg) + " " + test_Quote(out)), 0);
        EXPECT_EQ(test_ReadFile(out), reference.output);
    }
}

TEST(QzdataImage, ShowsR16AsGreenOrAsTheRampWithSixteen) {
    TempDir dir;
    std::string r16 = dir.write("elev.r16", r16File(2, 1, {0x1234, 0}));
    std::string out = dir.path("out.ppm");
    ASSERT_EQ(qzdataImage(test_Quote(r16) + " " + test_Quote(out)), 0);
    EXPECT_EQ(test_ReadFile(out), ppm(2, 1, std::string("\x00\x12\x00\x00\x00\x00", 6)));
    // Sample 0x1234 is e = 145 in the first band (blue v = 209); sample 0 is blue 64.
    ASSERT_EQ(qzdataImage(test_Quote(r16) + " " + test_Quote(out) + " --16"), 0);
    EXPECT_EQ(test_ReadFile(out), ppm(2, 1, std::string("\x00\x00\xD1\x00\x00\x40", 6)));
}

TEST(QzdataImage, ReportsUsageMissingAndDamagedFiles) {
    TempDir dir;
    std::string out = dir.path("out.ppm");
    EXPECT_EQ(qzdataImage(test_Quote(dir.path("only-one.tga"))), 2);
    EXPECT_EQ(qzdataImage(test_Quote(dir.write("picture.bmp", "BM")) + " " + test_Quote(out)), 2);
    EXPECT_EQ(qzdataImage(test_Quote(dir.path("missing.pcx")) + " " + test_Quote(out)), 1);
    std::vector<uint8_t> damaged = r16File(4, 4, {1, 2, 3});
    EXPECT_EQ(qzdataImage(test_Quote(dir.write("short.r16", damaged)) + " " + test_Quote(out)), 1);
    EXPECT_EQ(qzdataImage(test_Quote(dir.write("cut.jpg", "\xFF\xD8\xFF")) + " " + test_Quote(out)), 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}
