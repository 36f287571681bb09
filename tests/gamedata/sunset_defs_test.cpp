#include "gamedata/sunset_defs.h"

#include "foundation/file_access.h"
#include "gamedata/string_table_writer.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

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

int loadSunsets(const std::string& text) {
    const std::string bytes = crlf(text);
    return sunset_LoadBuffer(bytes.data(), bytes.size());
}

class SunsetDefsTest : public ::testing::Test {
  protected:
    void TearDown() override { sunset_Clear(); }
    CapturedMessages messages;
};

TEST_F(SunsetDefsTest, FieldsAreConverted) {
    ASSERT_EQ(loadSunsets("begin Dusk\nskygrad dusk.bmp\nclouds cumulus\nskyheight 900\nhorizon 0.75\n"
                          "id 258\ngamma 10\nsat 20\nr 255\ng -1\nb 7\nend\n"
                          "BEGIN Dawn\nID 3\nEND\n"),
              1);
    ASSERT_EQ(sunset_Count(), 2);
    const SunsetDef& dusk = *sunset_Get(0);
    EXPECT_STREQ(dusk.name, "Dusk");
    EXPECT_STREQ(dusk.skygrad, "dusk.tga");
    EXPECT_STREQ(dusk.clouds, "cumulus.pcx");
    EXPECT_EQ(dusk.skyheight, 900);
    EXPECT_EQ(dusk.horizon, 49152);
    EXPECT_EQ(dusk.id, 2); // kept to 8 bits
    EXPECT_EQ(dusk.gamma, 10);
    EXPECT_EQ(dusk.sat, 20);
    EXPECT_EQ(dusk.r, 255);
    EXPECT_EQ(dusk.g, 255);
    EXPECT_EQ(dusk.b, 7);
    EXPECT_STREQ(sunset_Get(1)->name, "Dawn");
    EXPECT_EQ(sunset_Get(1)->id, 3);
    EXPECT_EQ(sunset_Get(2), nullptr);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SunsetDefsTest, TheSixtyFifthEndStopsTheRead) {
    std::string text;
    for (int i = 0; i < 65; ++i)
        text += "begin s" + std::to_string(i) + "\nid " + std::to_string(i) + "\nend\n";
    text += "begin after\nend\n";
    EXPECT_EQ(loadSunsets(text), 0);
    EXPECT_EQ(sunset_Count(), kSunsetMax);
    EXPECT_STREQ(sunset_Get(63)->name, "s63");
    ASSERT_EQ(messages.messages.size(), 1u);
}

TEST_F(SunsetDefsTest, UnknownKeyIsRejected) {
    EXPECT_EQ(loadSunsets("begin a\nend\nbegin b\ncolour 5\nend\n"), 0);
    EXPECT_EQ(sunset_Count(), 1);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(SunsetDefsTest, NamesKeepSixtyThreeCharacters) {
    loadSunsets("begin " + std::string(70, 'x') + "\nend\n");
    EXPECT_EQ(std::string(sunset_Get(0)->name), std::string(63, 'x'));
}

TEST_F(SunsetDefsTest, LoadReadsSunsetsDefAndCountsAMissingFileAsFailure) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    file_ResetState();
    EXPECT_EQ(sunset_Load(), 0);
    EXPECT_EQ(sunset_Count(), 0);
    dir.write("SUNSETS.DEF", crlf("begin Noon\nid 1\nend\n"));
    EXPECT_EQ(sunset_Load(), 1);
    EXPECT_EQ(sunset_Count(), 1);
    std::filesystem::current_path(previous);
}

TEST_F(SunsetDefsTest, DisplayNamesComeFromTheSunsetSection) {
    loadSunsets("begin a\nid 7\nend\nbegin b\nid 8\nend\n");
    StrtabSource source;
    ASSERT_TRUE(strtab_ParseSource("[QZ2 Sunsets]\nSUNSET007=Evening Glow\n", source, nullptr));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(strtab_Build(source, bytes, nullptr));
    StringTable* table = strtab_Open(bytes.data(), bytes.size());
    sunset_ApplyNames(table);
    EXPECT_STREQ(sunset_Get(0)->name, "Evening Glow");
    EXPECT_STREQ(sunset_Get(1)->name, "b");
    strtab_Free(table);
}

} // namespace
