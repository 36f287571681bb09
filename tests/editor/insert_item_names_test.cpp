// What the insert-item dialog lists for a class: which definitions, and in which order.

#include "editor/insert_item_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

ItemDef definition(const char* name, int32_t type, int32_t attributes = 0) {
    ItemDef def{};
    std::strncpy(def.name, name, sizeof def.name - 1);
    def.type = type;
    def.attributes = attributes;
    return def;
}

using Names = std::vector<std::string>;

} // namespace

TEST(InsertItemNames, SortWithoutRegardToLetterCase) {
    const std::vector<ItemDef> defs = {
        definition("HMMWV", 1),        definition("Zodiac", 1), definition("Half-track", 1),
        definition("armoured car", 1), definition("Jeep", 1),
    };
    EXPECT_EQ(insert_DefinitionNames(defs, 1, false),
              (Names{"armoured car", "Half-track", "HMMWV", "Jeep", "Zodiac"}));
}

TEST(InsertItemNames, NamesDifferingOnlyInCaseKeepTableOrder) {
    const std::vector<ItemDef> defs = {definition("jeep", 1), definition("Bus", 1), definition("JEEP", 1),
                                       definition("Jeep", 1)};
    EXPECT_EQ(insert_DefinitionNames(defs, 1, false), (Names{"Bus", "jeep", "JEEP", "Jeep"}));
}

TEST(InsertItemNames, OnlyTheClassAndNoToolsUnlessShowAll) {
    const std::vector<ItemDef> defs = {
        definition("Tank", 1),
        definition("Bush", 2),
        definition("Wreck", 1, kItemAttrNoTool),
        definition("Camera", 1, kItemAttrNoCTool),
    };
    EXPECT_EQ(insert_DefinitionNames(defs, 1, false), (Names{"Tank"}));
    EXPECT_EQ(insert_DefinitionNames(defs, 1, true), (Names{"Camera", "Tank", "Wreck"}));
    EXPECT_EQ(insert_DefinitionNames(defs, 3, true), Names{});
}

TEST(InsertItemNames, PunctuationAndEightBitBytesSortByTheirCodes) {
    // Only A-Z fold; '_' (0x5F) lies between the upper- and lower-case letters, so folding
    // decides where it goes. Bytes above 127 come after every ASCII character.
    EXPECT_TRUE(insert_NameBefore("Tank", "tank_b"));
    EXPECT_TRUE(insert_NameBefore("TANK_A", "tankb"));
    EXPECT_TRUE(insert_NameBefore("zulu", "\xc4rmel"));
    EXPECT_FALSE(insert_NameBefore("abc", "ABC"));
    EXPECT_FALSE(insert_NameBefore("ABC", "abc"));
}
