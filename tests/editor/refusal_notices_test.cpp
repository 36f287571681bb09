// What the editor says when it cannot do all that was asked: the texts and how they are shown.

#include "editor/refusal_notices.h"

#include "support/captured_messages.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char* kNoticeTexts = "[Dialog Message]\n"
                                     "WARNING=Careful\n"
                                     "PAGE_FULL_INSERT=full at %i\n"
                                     "PAGE_FULL_COPY=copied %i of %i, most %i\n"
                                     "PAGE_FULL_PASTE=pasted %i of %i, most %i\n"
                                     "TERRAIN_FILES_MISSING=terrain %s lacks %s\n";

class RefusalNotices : public ::testing::Test {
  protected:
    void SetUp() override { test_InstallTexts(kNoticeTexts); }
    std::unique_ptr<MissionPage> page = std::make_unique<MissionPage>();
};

TEST_F(RefusalNotices, NothingIsSaidWhenEverythingWasDone) {
    page->num_items = kMaxItems - 1;
    EXPECT_EQ(notice_InsertRefused(*page), "");
    EXPECT_EQ(notice_CopyCutShort(3, 3), "");
    EXPECT_EQ(notice_PasteCutShort(0, 0), "");
    EXPECT_EQ(notice_TerrainFilesMissing("desert", {}), "");
    CapturedMessages messages;
    EXPECT_FALSE(notice_Show(""));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RefusalNotices, CountsAreDoneThenWantedThenTheLimit) {
    page->num_items = kMaxItems;
    EXPECT_EQ(notice_InsertRefused(*page), "full at 5000");
    EXPECT_EQ(notice_CopyCutShort(1335, 3664), "copied 1335 of 3664, most 5000");
    EXPECT_EQ(notice_PasteCutShort(0, 2), "pasted 0 of 2, most 5000");
    EXPECT_EQ(notice_TerrainFilesMissing("desert", {"desert.trn"}), "terrain desert lacks desert.trn");
    EXPECT_EQ(notice_TerrainFilesMissing("hills", {"h_c.tga", "h_e.r16"}),
              "terrain hills lacks h_c.tga, h_e.r16");
}

TEST_F(RefusalNotices, ATableWithoutTheTextsOrWithForeignFormatsGivesTheBuiltInWording) {
    test_InstallTexts("[Dialog Message]\nPAGE_FULL_COPY=%s copied\nPAGE_FULL_PASTE=%i of %i pasted\n");
    page->num_items = kMaxItems;
    EXPECT_EQ(notice_InsertRefused(*page),
              "No item was inserted: the page already holds 5000 items, the most a page can hold.");
    EXPECT_EQ(notice_CopyCutShort(2, 3),
              "2 of 3 items were copied. The others did not fit: a page holds at most 5000 items.");
    EXPECT_EQ(notice_PasteCutShort(2, 3),
              "2 of 3 items were pasted. The others did not fit: a page holds at most 5000 items.");
    EXPECT_EQ(notice_TerrainFilesMissing("desert", {"desert.trn"}),
              "The terrain desert cannot be shown in full: desert.trn cannot be found.");
}

TEST_F(RefusalNotices, ShownAsAWarningWithAnOkButton) {
    CapturedMessages messages;
    EXPECT_TRUE(notice_Show(notice_CopyCutShort(1, 2)));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Careful");
    EXPECT_EQ(messages.messages[0].text, "copied 1 of 2, most 5000");
    EXPECT_EQ(messages.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(messages.messages[0].buttons, MsgButtons::Ok);
}

TEST_F(RefusalNotices, MissingTerrainOfAPageIsNamedOnlyWhenItHasOne) {
    CapturedMessages messages;
    EXPECT_FALSE(notice_ShowMissingTerrain(*page)) << "no terrain, nothing to find";
    std::snprintf(page->general.terrain, sizeof page->general.terrain, "%s", "nowhere");
    EXPECT_TRUE(notice_ShowMissingTerrain(*page));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "terrain nowhere lacks nowhere.trn");
}

} // namespace
