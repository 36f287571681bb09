// Definition files whose last line end is followed by one stray byte (a lone LF, CR or the old
// end-of-file mark 0x1A) read their last entry, without a parse-error message.
#include "foundation/file_access.h"
#include "foundation/line_reader.h"
#include "gamedata/item_defs.h"
#include "gamedata/sunset_defs.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const kTrailers[] = {"\n", "\r", "\x1A"};

const std::string kItems = "begin Jeep\r\nid 100003\r\ntype vehicle\r\nend\r\nbegin Tree\r\nid 100004\r\nend";
const std::string kSunsets = "begin Dusk\r\nid 1\r\nend\r\nbegin Dawn\r\nid 2\r\nend";

std::string scrambled(const std::string& text, uint32_t key) {
    std::string body = text;
    ascii_Scramble(reinterpret_cast<uint8_t*>(body.data()), body.size(), key);
    return std::string(reinterpret_cast<const char*>(kScrambleMark), sizeof kScrambleMark) + body;
}

class DefinitionTrailer : public ::testing::Test {
  protected:
    void TearDown() override {
        itemdef_Clear();
        sunset_Clear();
    }
    CapturedMessages messages;
};

} // namespace

TEST_F(DefinitionTrailer, ItemDefinitionsReadTheirLastEntry) {
    for (const char* trailer : kTrailers) {
        for (const std::string& ending : {std::string(trailer), "\r\n" + std::string(trailer)}) {
            const std::string plain = kItems + ending;
            ASSERT_EQ(itemdef_LoadBuffer(plain.data(), plain.size(), 0), 1);
            ASSERT_EQ(itemdef_Count(), 2);
            EXPECT_EQ(itemdef_Get(1)->id, 4);
            // The game ships the file scrambled: the trailer is part of the scrambled text.
            const std::string shipped = scrambled(plain, kItemDefsScrambleKey);
            ASSERT_EQ(itemdef_LoadBuffer(shipped.data(), shipped.size(), kItemDefsScrambleKey), 1);
            EXPECT_EQ(itemdef_Count(), 2);
            EXPECT_STREQ(itemdef_Get(1)->name, "Tree");
        }
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DefinitionTrailer, ItemDefinitionFilesReadWhole) {
    TempDir dir;
    file_ResetState();
    bool complete = false;
    const std::string good = dir.write("items.def", kItems + "\x1A");
    ASSERT_EQ(itemdef_Load(good.c_str(), 0, &complete), 1);
    EXPECT_TRUE(complete);
    EXPECT_EQ(itemdef_Count(), 2);
    const std::string bad = dir.write("bad.def", kItems + "\r\nwobble 3\r\n");
    ASSERT_EQ(itemdef_Load(bad.c_str(), 0, &complete), 1);
    EXPECT_FALSE(complete) << "a rejected line";
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("File: " + bad), std::string::npos)
        << "the message names the file";
    ASSERT_EQ(itemdef_Load(dir.path("absent.def").c_str(), 0, &complete), 1);
    EXPECT_FALSE(complete) << "a missing file";
}

TEST_F(DefinitionTrailer, SunsetsReadTheirLastEntry) {
    for (const char* trailer : kTrailers) {
        for (const std::string& ending : {std::string(trailer), "\r\n" + std::string(trailer)}) {
            const std::string text = kSunsets + ending;
            EXPECT_EQ(sunset_LoadBuffer(text.data(), text.size()), 1);
            ASSERT_EQ(sunset_Count(), 2) << int(trailer[0]);
            EXPECT_STREQ(sunset_Get(1)->name, "Dawn");
        }
    }
    EXPECT_TRUE(messages.messages.empty());
}
