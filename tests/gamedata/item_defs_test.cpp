#include "gamedata/item_defs.h"
#include "gamedata/string_table_writer.h"

#include "foundation/error_log.h"
#include "foundation/file_access.h"
#include "foundation/line_reader.h"
#include "foundation/mem_arena.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Definition files end their lines with CR LF.
std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
    return out;
}

class ItemDefsTest : public ::testing::Test {
  protected:
    int load(const std::string& text) {
        const std::string bytes = crlf(text);
        return itemdef_LoadBuffer(bytes.data(), bytes.size(), 0);
    }
    const ItemDef& def(int index) {
        const ItemDef* found = itemdef_Get(index);
        EXPECT_NE(found, nullptr);
        static ItemDef none{};
        return found ? *found : none;
    }
    void TearDown() override { itemdef_Clear(); }
    CapturedMessages messages;
};

TEST_F(ItemDefsTest, NumbersAreConverted) {
    ASSERT_EQ(load("begin Jeep\n"
                   "id 100000\n"
                   "turn_rate 45\n"
                   "acceleration 3\n"
                   "axle_dist 1.5\n"
                   "hp 250 40\n"
                   "phrase_set -7\n face_set 12x\n"
                   "interrupt_sound_id +9\nextra 77\naf3type 5\n"
                   "end\n"
                   "begin Tank\n"
                   "id 100123\n"
                   "turn_rate -90\n"
                   "axle_dist -0.25\n"
                   "hp 1000\n"
                   "end\n"),
              1);
    ASSERT_EQ(itemdef_Count(), 2);
    const ItemDef& jeep = def(0);
    EXPECT_STREQ(jeep.name, "Jeep");
    EXPECT_EQ(jeep.id, 0);
    EXPECT_EQ(jeep.turn_rate, 128);
    EXPECT_EQ(jeep.acceleration, 3 * 1024);
    EXPECT_EQ(jeep.axle_dist, 98304);
    EXPECT_EQ(jeep.hp, 250);
    EXPECT_EQ(jeep.hp2, 40);
    EXPECT_EQ(jeep.phrase_set, -7);
    EXPECT_EQ(jeep.face_set, 12);
    EXPECT_EQ(jeep.interrupt_sound_id, 9);
    EXPECT_EQ(jeep.extra, 77);
    EXPECT_EQ(jeep.af3type, 5);
    const ItemDef& tank = def(1);
    EXPECT_EQ(tank.id, 123);
    EXPECT_EQ(tank.turn_rate, -256);
    EXPECT_EQ(tank.axle_dist, -16384);
    EXPECT_EQ(tank.hp, 1000);
    EXPECT_EQ(tank.hp2, 0);
}

TEST_F(ItemDefsTest, TurnRateFollowsTheGamesIntegerSteps) {
    // degrees * 65536 in 32 bits, divided by 360 toward zero, then shifted right by 6 (down).
    const std::vector<std::pair<int, int>> cases = {{0, 0},        {1, 2},      {-1, -3},
                                                    {90, 256},     {360, 1024}, {359, 1021},
                                                    {-359, -1022}, {720, 2048}, {40000, -72636}};
    for (auto [degrees, expected] : cases) {
        load("begin X\nturn_rate " + std::to_string(degrees) + "\nend\n");
        EXPECT_EQ(def(0).turn_rate, expected) << degrees;
    }
}

TEST_F(ItemDefsTest, AttributeAndTypeWordsIgnoreLetterCase) {
    load("BEGIN Soldier\n"
         "TYPE Person\n"
         "attrib: good FLESH NoAK snap unknown\n"
         "ATTRIB: s&d\n"
         "end\n"
         "begin Thing\n"
         "type vehicle\n"
         "type spaceship\n"
         "attrib: evil aidata fo movecb powerup notool pfoil train noctool\n"
         "end\n"
         "begin Untyped\nend\n");
    EXPECT_EQ(def(0).type, kItemTypePerson);
    EXPECT_EQ(def(0).attributes, 0x2C1 | kItemAttrSAndD);
    EXPECT_EQ(def(1).type, kItemTypeVehicle); // an unknown word leaves the type unchanged
    EXPECT_EQ(def(1).attributes, 0x2D3E);
    EXPECT_EQ(def(2).type, kItemTypeNone);
    for (auto [word, code] : std::vector<std::pair<const char*, int>>{
             {"decoration", 2}, {"marker", 4}, {"building", 5}, {"object", 6}, {"effect", 8}}) {
        load(std::string("begin X\ntype ") + word + "\nend\n");
        EXPECT_EQ(def(0).type, code) << word;
    }
}

TEST_F(ItemDefsTest, AmbientSlotsFillInOrderAndAFifthIsIgnored) {
    load("begin Truck\n"
         "ambient engine 3\nambient horn\nambient radio 7\nambient siren 9\nambient fifth 11\n"
         "end\n");
    const ItemDef& truck = def(0);
    EXPECT_STREQ(truck.ambient[0], "engine");
    EXPECT_STREQ(truck.ambient[1], "horn");
    EXPECT_STREQ(truck.ambient[2], "radio");
    EXPECT_STREQ(truck.ambient[3], "siren");
    EXPECT_EQ(truck.ambient_value[0], 3);
    EXPECT_EQ(truck.ambient_value[1], 0);
    EXPECT_EQ(truck.ambient_value[2], 7);
    EXPECT_EQ(truck.ambient_value[3], 9);
}

TEST_F(ItemDefsTest, TextsKeepWhatFitsAndMissingValuesChangeNothing) {
    const std::string long_name(70, 'n');
    load("begin " + long_name +
         "\n"
         "graphic abcdefghijklmnopqrstuvwxyz\n"
         "husk h\nchr_file c\nanim_def a\n"
         "ai_function abcdefghijklmnop\nmove_function walk\n"
         "ambient abcdefghijklmnop 4\n"
         "graphic\nid\nhp\nturn_rate\nbegin\nambient\n"
         "end\n");
    const ItemDef& item = def(0);
    EXPECT_EQ(std::string(item.name), long_name.substr(0, kItemNameFileMax));
    EXPECT_STREQ(item.graphic, "abcdefghijklmno");
    EXPECT_STREQ(item.husk, "h");
    EXPECT_STREQ(item.chr_file, "c");
    EXPECT_STREQ(item.anim_def, "a");
    EXPECT_STREQ(item.ai_function, "abcdefghijk");
    EXPECT_STREQ(item.move_function, "walk");
    EXPECT_STREQ(item.ambient[0], "abcdefghijk");
    EXPECT_EQ(item.ambient[1][0], '\0');
    EXPECT_EQ(item.id, 0);
    EXPECT_EQ(item.model, nullptr);
}

TEST_F(ItemDefsTest, ThreeBeginsTwoEndsFillTheThirdRecord) {
    load("begin A\nid 100001\nend\n"
         "begin B\nid 100002\n"
         "begin C\nid 100003\nend\n"
         "hp 5\n");
    ASSERT_EQ(itemdef_Count(), 3);
    EXPECT_STREQ(def(0).name, "A");
    EXPECT_STREQ(def(1).name, "C"); // B's keys were overwritten by C's
    EXPECT_EQ(def(1).id, 3);
    EXPECT_EQ(def(2).name[0], '\0');
    EXPECT_EQ(def(2).hp, 5); // keys after the second "end" land in the third record
}

TEST_F(ItemDefsTest, KeysAfterTheLastRecordAreIgnored) {
    load("begin A\nend\nhp 9\ngraphic late\nend\nend\nhp 10\n");
    ASSERT_EQ(itemdef_Count(), 1);
    EXPECT_EQ(def(0).hp, 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ItemDefsTest, UnknownKeyStopsTheReadButKeepsTheRecords) {
    EXPECT_EQ(load("begin A\nhp 1\nend\nbegin B\nweight 3\nhp 2\nend\n"), 1);
    ASSERT_EQ(itemdef_Count(), 2);
    EXPECT_EQ(def(0).hp, 1);
    EXPECT_STREQ(def(1).name, "B");
    EXPECT_EQ(def(1).hp, 0);
    ASSERT_EQ(messages.messages.size(), 1u);
}

TEST_F(ItemDefsTest, FindersFallBackToTheFirstDefinition) {
    EXPECT_EQ(itemdef_FindById(5), 0);
    EXPECT_EQ(itemdef_FindByName("Jeep"), 0);
    EXPECT_EQ(itemdef_Get(0), nullptr);
    load("begin Jeep\nid 100005\nend\nbegin Tank\nid 100006\nend\nbegin tank\nid 100006\nend\n");
    EXPECT_EQ(itemdef_FindById(6), 1);
    EXPECT_EQ(itemdef_FindById(7), 0);
    EXPECT_EQ(itemdef_FindByName("TANK"), 1);
    EXPECT_EQ(itemdef_FindByName("Plane"), 0);
    EXPECT_EQ(itemdef_FindByName(nullptr), 0);
    EXPECT_EQ(itemdef_Get(3), nullptr);
    EXPECT_EQ(itemdef_Get(-1), nullptr);
}

TEST_F(ItemDefsTest, DisplayNamesComeFromTheItemNameTable) {
    load("begin jeep\nid 100000\nend\nbegin tank\nid 112345\nend\nbegin plane\nid 100007\nend\n");
    StrtabSource source;
    ASSERT_TRUE(strtab_ParseSource("[QZ2 Item Names]\nSTR_ITM0000=Jeep M151\nSTR_ITM12345=" +
                                       std::string(80, 'T') + "\n[Other]\nSTR_ITM0007=not this section\n",
                                   source, nullptr));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(strtab_Build(source, bytes, nullptr));
    StringTable* table = strtab_Open(bytes.data(), bytes.size());
    ASSERT_NE(table, nullptr);
    itemdef_ApplyNames(nullptr);
    EXPECT_STREQ(def(0).name, "jeep");
    itemdef_ApplyNames(table);
    EXPECT_STREQ(def(0).name, "Jeep M151");
    EXPECT_EQ(std::string(def(1).name), std::string(63, 'T'));
    EXPECT_STREQ(def(2).name, "plane");
    strtab_Free(table);
}

TEST_F(ItemDefsTest, LoadsTheScrambledFileThroughTheFileLayer) {
    TempDir dir;
    std::string body = crlf("begin Scrambled\nid 100042\nend\n");
    std::vector<uint8_t> bytes(kScrambleMark, kScrambleMark + 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    ascii_Scramble(bytes.data() + 4, bytes.size() - 4, kItemDefsScrambleKey);
    dir.write("ITEMS.DEF", bytes);
    file_ResetState();
    ASSERT_EQ(itemdef_Load(dir.path(kItemDefsFile).c_str(), kItemDefsScrambleKey), 1);
    ASSERT_EQ(itemdef_Count(), 1);
    EXPECT_STREQ(def(0).name, "Scrambled");
    EXPECT_EQ(def(0).id, 42);

    EXPECT_EQ(itemdef_Load(dir.path("missing.def").c_str(), kItemDefsScrambleKey), 1);
    EXPECT_EQ(itemdef_Count(), 0);
}

TEST_F(ItemDefsTest, OutOfMemoryIsLoggedAndReported) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    errorlog_SetEnabled(true);
    // Fill every gap of the main arena so that not even one record fits.
    std::vector<void*> taken;
    for (size_t chunk = size_t{1} << 22; chunk >= 16; chunk /= 2) {
        while (void* block = mem_GetMemEx(chunk, 16, 0, "test filler"))
            taken.push_back(block);
    }
    const int result = load("begin A\nend\n");
    for (void* block : taken)
        mem_FreeMem(block);
    errorlog_SetEnabled(false);
    std::filesystem::current_path(previous);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(itemdef_Count(), 0);
    const std::string log = test_ReadFile(dir.path(kErrorLogFileName));
    EXPECT_EQ(log.rfind(kItemDefsOutOfMemory, 0), 0u) << log;
}

TEST_F(ItemDefsTest, ReloadReplacesThePreviousDefinitions) {
    load("begin A\nend\nbegin B\nend\n");
    load("begin C\nend\n");
    ASSERT_EQ(itemdef_Count(), 1);
    EXPECT_STREQ(def(0).name, "C");
}

} // namespace
