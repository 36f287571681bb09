// The window title and grid-size texts, and the conversion check that guards their formats.

#include "editor/checked_format.h"
#include "editor/title_text.h"
#include "editor_fixture.h"

#include <climits>

namespace {

class TitleText : public ::testing::Test {
  protected:
    void SetUp() override { editorTest_InstallTexts(); }
};

TEST_F(TitleText, TitleWithoutAFileNamesConsumerAndVersion) {
    EXPECT_EQ(editor_TitleText(""), "QZ Editor 1.43");
    EXPECT_EQ(editor_TitleText(nullptr), "QZ Editor 1.43");
}

TEST_F(TitleText, TitleWithAFileAddsItLast) {
    EXPECT_EQ(editor_TitleText("/missions/a.mis"), "QZ Editor 1.43 - /missions/a.mis");
}

TEST_F(TitleText, TitleFormatsThatDoNotFitTheirArgumentsAreReplaced) {
    test_InstallTexts("[Dialog Message]\nQZMED_TITLE=%s %s %s %n\nQZMED_TITLE_PLUS_FNAME=%d\nCONSUMER=QZ\n");
    EXPECT_EQ(editor_TitleText(""), "QZ Mission Editor 1.43");
    EXPECT_EQ(editor_TitleText("a.mis"), "QZ Mission Editor 1.43 - a.mis");
}

TEST_F(TitleText, GridBelowOneMetreShowsCentimetres) {
    EXPECT_EQ(editor_GridSizeText(255), "99.609375 cm");
    EXPECT_EQ(editor_GridSizeText(1), "0.390625 cm");
}

TEST_F(TitleText, GridFromOneMetreShowsWholeMetresRoundedDown) {
    EXPECT_EQ(editor_GridSizeText(256), "1 m");
    EXPECT_EQ(editor_GridSizeText(511), "1 m");
    EXPECT_EQ(editor_GridSizeText(0x20000), "512 m");
    EXPECT_EQ(editor_GridSizeText(INT32_MAX), "8388607 m");
}

TEST_F(TitleText, GridFormatsOfTheWrongKindAreReplaced) {
    test_InstallTexts("[Med Window Text]\nQZ_GRID_SIZE_CM=%s cm\nQZ_GRID_SIZE_M=%f m\n");
    EXPECT_EQ(editor_GridSizeText(128), "50.00 cm");
    EXPECT_EQ(editor_GridSizeText(512), "2 m");
}

TEST(CheckedFormat, ConversionKindsReadFlagsWidthsAndLengths) {
    EXPECT_EQ(text_ConversionKinds("plain"), "");
    EXPECT_EQ(text_ConversionKinds("100%% of %s"), "s");
    EXPECT_EQ(text_ConversionKinds("%-8.3ld|%05i|%.1f|%lg|%E"), "ddfff");
    EXPECT_EQ(text_ConversionKinds(nullptr), "");
}

TEST(CheckedFormat, ConversionKindsRefuseWhatCannotBeCheckedAgainstAnArgument) {
    for (const char* format :
         {"%n", "%*d", "%c", "%p", "%x", "%ls", "%lllld", "ends in %", "ends in %-5", "%.*f"})
        EXPECT_FALSE(text_ConversionKinds(format).has_value()) << format;
}

TEST(CheckedFormat, AMatchingFormatIsUsedAndAnyOtherFallsBack) {
    EXPECT_EQ(text_FormatChecked("<%s|%i>", "sd", "%s=%i", {"a", 5}), "<a|5>");
    EXPECT_EQ(text_FormatChecked("<%s>", "sd", "%s=%i", {"a", 5}), "a=5");
    EXPECT_EQ(text_FormatChecked("<%i|%s>", "sd", "%s=%i", {"a", 5}), "a=5");
    EXPECT_EQ(text_FormatChecked("<%s|%i|%i>", "sd", "%s=%i", {"a", 5}), "a=5");
}

} // namespace
