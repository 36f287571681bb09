// The window title and grid-size texts.

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

} // namespace
