// Export limits: categories, warnings in their order, and the cut in the file.
#include "mission/binary_export.h"
#include "mission/bms_layout.h"
#include "mission/export_limits.h"
#include "support/captured_messages.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ExportLimits : public ::testing::Test {
  protected:
    void SetUp() override {
        test_InstallTexts("[Dialog Message]\nWARNING=Careful\nTOO_MANY_DECOR=decor %i>%i\n"
                          "TOO_MANY_MARKERS=markers %i>%i\nTOO_MANY_ORGANICS=people %i>%i\n"
                          "TOO_MANY_ITEMS=items %i>%i\n");
        page = std::make_unique<MissionPage>();
    }

    // Appends `count` items of `item_class` with type ids counting up from `first_type`.
    void add(int32_t item_class, int count, int32_t first_type) {
        for (int i = 0; i < count; ++i) {
            MissionItem& item = page->items[page->num_items++];
            item.item_class = item_class;
            item.type_id = first_type + i;
            item.id = page->num_items;
        }
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const CapturedMessage& m : messages.messages)
            out.push_back(m.caption + "|" + m.text);
        return out;
    }

    CapturedMessages messages;
    std::unique_ptr<MissionPage> page;
};

TEST_F(ExportLimits, CategoriesFollowTheItemClass) {
    EXPECT_EQ(ExportCategory::Decorations, export_CategoryOf(kClassDecoration));
    EXPECT_EQ(ExportCategory::Decorations, export_CategoryOf(kClassBuilding));
    EXPECT_EQ(ExportCategory::Markers, export_CategoryOf(kClassMarker));
    EXPECT_EQ(ExportCategory::People, export_CategoryOf(kClassPerson));
    for (int32_t other : {0, int32_t{kClassVehicle}, int32_t{kClassObject}, 7, int32_t{kClassEffect}, 9, -1})
        EXPECT_EQ(ExportCategory::General, export_CategoryOf(other)) << other;
}

TEST_F(ExportLimits, WarningsComeInCategoryOrderWithCountAndLimit) {
    add(kClassPerson, 300, 1000);
    add(kClassMarker, 600, 2000);
    const ExportCounts counts = page_CheckExportLimits(*page);
    EXPECT_EQ((std::vector<std::string>{"Careful|markers 600>512", "Careful|people 300>256"}), texts());
    EXPECT_EQ(MsgButtons::Ok, messages.messages[0].buttons);
    EXPECT_EQ(512, counts[ExportCategory::Markers]);
    EXPECT_EQ(256, counts[ExportCategory::People]);
    EXPECT_EQ(0, counts[ExportCategory::General]);
}

TEST_F(ExportLimits, AllFourCategoriesOverTheirLimits) {
    add(kClassVehicle, 1025, 10000);
    add(kClassPerson, 257, 20000);
    add(kClassMarker, 513, 30000);
    add(kClassBuilding, 1025, 40000);
    page_CheckExportLimits(*page);
    EXPECT_EQ((std::vector<std::string>{"Careful|decor 1025>1024", "Careful|markers 513>512",
                                        "Careful|people 257>256", "Careful|items 1025>1024"}),
              texts());
}

TEST_F(ExportLimits, ExactlyAtTheLimitGivesNoWarning) {
    add(kClassDecoration, 1024, 100);
    add(kClassMarker, 512, 5000);
    add(kClassPerson, 256, 6000);
    add(kClassObject, 1024, 7000);
    const ExportCounts counts = page_CheckExportLimits(*page);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(export_LimitWarnings(*page).empty());
    EXPECT_EQ(1024, counts[ExportCategory::Decorations]);
}

TEST_F(ExportLimits, ExtraDecorationsAreLeftOutOfTheFile) {
    add(kClassDecoration, 1030, 100); // type ids 100 .. 1129, already in export order
    add(kClassVehicle, 3, 5000);
    const std::vector<uint8_t> bytes = [&] {
        export_SortItems(*page);
        return export_BuildBytes(*page, page_CheckExportLimits(*page));
    }();
    EXPECT_EQ((std::vector<std::string>{"Careful|decor 1030>1024"}), texts());
    auto rd32 = [&](size_t at) {
        return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                    bytes[at + 3] << 24);
    };
    EXPECT_EQ(3, rd32(kBmsHdrGeneralCount));
    EXPECT_EQ(1024, rd32(kBmsHdrDecorationCount));
    // Section 2b follows the three general items and holds the first 1,024 decorations.
    const size_t decorations = kBmsHeaderSize + 3 * kBmsItemSize;
    EXPECT_EQ(100, rd32(decorations));
    EXPECT_EQ(100 + 1023, rd32(decorations + 1023 * kBmsItemSize));
    const size_t tables = decorations + 1024 * kBmsItemSize;
    EXPECT_EQ(0, rd32(tables)); // waypoint record 0 starts right after them
    EXPECT_EQ(tables + kBmsWaypointRecords * kBmsWaypointSize + kBmsGroupRecords * kBmsGroupSize +
                  kBmsWavRecords * kBmsWavSize + kBmsEventTableHeaderSize,
              bytes.size());
}

TEST_F(ExportLimits, HeaderNeverPromisesMoreItemsThanThePageHas) {
    add(kClassPerson, 2, 10);
    ExportCounts generous;
    generous[ExportCategory::People] = 50;
    generous[ExportCategory::General] = 7;
    const std::vector<uint8_t> bytes = export_BuildBytes(*page, generous);
    EXPECT_EQ(2, bytes[kBmsHdrPeopleCount]);
    EXPECT_EQ(0, bytes[kBmsHdrGeneralCount]);
    EXPECT_EQ(kBmsHeaderSize + 2 * kBmsItemSize + kBmsWaypointRecords * kBmsWaypointSize +
                  kBmsGroupRecords * kBmsGroupSize + kBmsWavRecords * kBmsWavSize + kBmsEventTableHeaderSize,
              bytes.size());
}

TEST_F(ExportLimits, WarningFormatsThatDoNotFitTheirNumbersStayAsTheyAre) {
    test_InstallTexts("[Dialog Message]\nWARNING=W\nTOO_MANY_ORGANICS=%s people, limit %i\n");
    add(kClassPerson, 260, 1);
    page_CheckExportLimits(*page);
    EXPECT_EQ((std::vector<std::string>{"W|%s people, limit 256"}), texts());
}

} // namespace
