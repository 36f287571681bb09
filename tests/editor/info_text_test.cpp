// The texts of the item and centre information windows.

#include "editor/info_text.h"

#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <memory>

#include <cstring>

namespace {

// Formats whose output shows the argument order.
constexpr const char* kInfoTexts = "[Med Selection]\n"
                                   "NO_ITEMS=nothing\n"
                                   "SELECTED_NUM=sel %i\n"
                                   "ITEM_NUM=slot %i\n"
                                   "ITEM_NAME=name %s\n"
                                   "SSN#=ssn %i\n"
                                   "ITEM_TYPE=class %i\n"
                                   "HEADING=head %i\n"
                                   "ITEM_WAYPOINT=wp %i/%i\n"
                                   "ITEM_X_POS=x %i\n"
                                   "ITEM_Y_POS=y %i\n"
                                   "ITEM_Z_POS=z %i\n"
                                   "LAYER=Layer:\n"
                                   "LAYER_NUM=no %i\n"
                                   "GROUP_COLON=Group:\n"
                                   "GROUP_NONE=none\n"
                                   "UNKNOWN_ITEM_NAME=unknown %i\n"
                                   "[Center Info]\n"
                                   "QZ_CENTER_POS=%.2f,%.2f\n";

constexpr int kCw = 8;
constexpr int kLh = 15; // odd, so that lh/2 rounding shows

class InfoText : public ::testing::Test {
  protected:
    void SetUp() override {
        test_InstallTexts(kInfoTexts);
        test_LoadItemDefs();
        page_Clear(page);
        page_NameDefaultGroups(page);
    }

    int addSelected(int32_t type, int32_t x, int32_t y) {
        const int slot = page_AddItem(page, type, x, y, 0);
        EXPECT_GE(slot, 0);
        EXPECT_EQ(sel_Add(page, slot), 1);
        return slot;
    }

    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const InfoLine& line : info_ItemLines(page, kCw, kLh))
            out.push_back(line.text);
        return out;
    }

    std::unique_ptr<MissionPage> owned = std::make_unique<MissionPage>();
    MissionPage& page = *owned;
};

TEST_F(InfoText, EmptySelectionShowsOneLine) {
    const std::vector<InfoLine> lines = info_ItemLines(page, kCw, kLh);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "nothing");
    EXPECT_EQ(lines[0].x, 0);
    EXPECT_EQ(lines[0].y, 0);
}

TEST_F(InfoText, LastSelectedItemIsDescribedLineByLine) {
    addSelected(kTestJeepType, 0, 0);
    const int slot = addSelected(kTestHouseType, 256 * 7 + 5, -256 * 3);
    MissionItem& item = page.items[slot];
    item.position[2] = 512;
    item.facing[0] = 135;
    item.waypoint_id = 4;
    item.wpnumber = 2;
    item.layer = 2;
    item.group_id = 0;
    const ItemDef* def = itemdef_Get(itemdef_FindById(kTestHouseType));
    ASSERT_NE(def, nullptr);

    const std::vector<std::string> expected = {
        "sel 2",
        "slot " + std::to_string(slot),
        std::string("name ") + def->name,
        "ssn " + std::to_string(item.id),
        "class " + std::to_string(item.item_class),
        "head 135",
        "wp 4/2",
        "x 7",
        "y -3",
        "z 2",
        "Layer:",
        "no 3",
        "Group:",
        "none",
    };
    EXPECT_EQ(texts(), expected);
}

TEST_F(InfoText, LinesStandWhereTheWindowDrawsThem) {
    addSelected(kTestJeepType, 0, 0);
    const std::vector<InfoLine> lines = info_ItemLines(page, kCw, kLh);
    ASSERT_EQ(lines.size(), 14u);
    const int half = kLh + kLh / 2;
    const int expectedY[14] = {0,
                               half,
                               half + kLh,
                               half + 2 * kLh,
                               half + 3 * kLh,
                               half + 4 * kLh,
                               half + 5 * kLh,
                               half + 6 * kLh,
                               half + 7 * kLh,
                               half + 8 * kLh,
                               2 * half + 8 * kLh,
                               2 * half + 9 * kLh,
                               3 * half + 9 * kLh,
                               3 * half + 10 * kLh};
    const int expectedX[14] = {0, 0, kCw, kCw, kCw, kCw, kCw, kCw, kCw, kCw, 0, kCw, 0, kCw};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(lines[i].y, expectedY[i]) << "line " << i + 1;
        EXPECT_EQ(lines[i].x, expectedX[i]) << "line " << i + 1;
    }
}

TEST_F(InfoText, CoordinatesRoundTowardMinusInfinity) {
    const int slot = addSelected(kTestJeepType, -1, 255);
    (void)slot;
    const std::vector<std::string> lines = texts();
    EXPECT_EQ(lines[7], "x -1");
    EXPECT_EQ(lines[8], "y 0");
}

TEST_F(InfoText, NamedLayerAndGroupShowNumberAndName) {
    const int slot = addSelected(kTestJeepType, 0, 0);
    std::strcpy(page.layers[4].description, "Ambush");
    page.items[slot].layer = 4;
    std::strcpy(page.groups[5].description, "Alpha");
    page.items[slot].group_id = 5;
    const std::vector<std::string> lines = texts();
    EXPECT_EQ(lines[11], "5 - Ambush");
    EXPECT_EQ(lines[13], "5 - Alpha");
}

TEST_F(InfoText, UnnamedGroupShowsItsNumberThroughTheLayerText) {
    const int slot = addSelected(kTestJeepType, 0, 0);
    page.groups[3].description[0] = '\0';
    page.items[slot].group_id = 3;
    EXPECT_EQ(texts()[13], "no 3");
}

TEST_F(InfoText, OutOfRangeLayerAndGroupFallBackToNumbers) {
    const int slot = addSelected(kTestJeepType, 0, 0);
    page.items[slot].layer = 40;
    page.items[slot].group_id = -7;
    const std::vector<std::string> lines = texts();
    EXPECT_EQ(lines[11], "no 41");
    EXPECT_EQ(lines[13], "no -7");
}

TEST_F(InfoText, SelectionEntryThatIsNoItemShowsTheCountAlone) {
    page.selection.count = 1;
    page.selection.slots[0] = 3; // the page holds no items
    EXPECT_EQ(texts(), std::vector<std::string>{"sel 1"});
}

TEST_F(InfoText, TypeWithoutDefinitionIsNamedUnknownWithItsTypeId) {
    const int slot = addSelected(kTestJeepType, 0, 0);
    page.items[slot].type_id = kTestUnknownType; // def_index still names the jeep's definition
    EXPECT_EQ(texts()[2], "name unknown 999");
    // The first definition's own items keep their name: index 0 is no sign of an unknown type.
    page.items[slot].type_id = itemdef_Get(0)->id;
    page.items[slot].def_index = 0;
    EXPECT_EQ(texts()[2], std::string("name ") + itemdef_Get(0)->name);
    // A table without the text (or with a foreign format) gives the built-in wording.
    test_InstallTexts("[Med Selection]\nITEM_NAME=%s\nUNKNOWN_ITEM_NAME=%s?\n");
    page.items[slot].type_id = -5;
    EXPECT_EQ(texts()[2], "Unknown type -5");
}

TEST_F(InfoText, BadFormatFallsBackToABuiltInOne) {
    test_InstallTexts("[Med Selection]\nSELECTED_NUM=%s selected\n");
    addSelected(kTestJeepType, 0, 0);
    EXPECT_EQ(info_ItemLines(page, kCw, kLh).front().text, "1 selected");
}

TEST_F(InfoText, CentreIsShownInMetresWithFractions) {
    ViewState view{};
    view.center_x = 128;
    view.center_y = -384;
    EXPECT_EQ(info_CenterText(view), "0.50,-1.50");
}

TEST_F(InfoText, WidestCentreTextHasTheMostNegativeCoordinates) {
    EXPECT_EQ(info_WidestCenterText(), "-8388608.00,-8388608.00");
    // Whatever the format makes of the numbers, no centre gives a longer text.
    test_InstallTexts("[Center Info]\nQZ_CENTER_POS=X %+.1f m Y %.1f m\n");
    const std::string widest = info_WidestCenterText();
    for (const int32_t x : {0, -1, 255, -384000, 2147483647, -2147483647 - 1}) {
        ViewState view{};
        view.center_x = x;
        view.center_y = x;
        EXPECT_LE(info_CenterText(view).size(), widest.size()) << x;
    }
}

} // namespace
