#include "gamedata/string_table.h"
#include "gamedata/string_table_writer.h"

#include "foundation/file_access.h"
#include "foundation/text_source.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TableDeleter {
    void operator()(StringTable* table) const { strtab_Free(table); }
};
using TablePtr = std::unique_ptr<StringTable, TableDeleter>;

std::vector<uint8_t> buildBytes(const std::string& source_text) {
    StrtabSource source;
    std::string error;
    EXPECT_TRUE(strtab_ParseSource(source_text, source, &error)) << error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(strtab_Build(source, bytes, &error)) << error;
    return bytes;
}

// A table over its own copy of the bytes (kept alive by the fixture).
class StringTableTest : public ::testing::Test {
  protected:
    const StringTable* open(const std::string& source_text) {
        storage_.push_back(buildBytes(source_text));
        tables_.emplace_back(strtab_Open(storage_.back().data(), storage_.back().size()));
        EXPECT_NE(tables_.back(), nullptr);
        return tables_.back().get();
    }
    void TearDown() override { TextLookup_SetTable(nullptr); }

  private:
    std::vector<std::vector<uint8_t>> storage_;
    std::vector<TablePtr> tables_;
};

const char* kInterface = "[Dialog Message]\n"
                         "CANT_CREATE_DIB=Cannot create the image\n"
                         "QZMED_TITLE=Mission Editor\n"
                         "EMPTY=\n"
                         "[Colors]\n"
                         "RED=Red\n";

TEST_F(StringTableTest, SectionsAndKeysIgnoreLetterCase) {
    const StringTable* table = open(kInterface);
    EXPECT_STREQ(strtab_FindText(table, "dialog message", "cant_create_dib"), "Cannot create the image");
    EXPECT_STREQ(strtab_FindText(table, "DIALOG MESSAGE", "Qzmed_Title"), "Mission Editor");
    EXPECT_STREQ(strtab_FindText(table, "colors", "red"), "Red");
    EXPECT_EQ(strtab_Find(table, "Colors", "CANT_CREATE_DIB"), nullptr); // keys belong to their section
    EXPECT_EQ(strtab_Find(table, "Dialog Messag", "QZMED_TITLE"), nullptr);
    EXPECT_EQ(strtab_Find(table, "Dialog Message", "QZMED_TITL"), nullptr);
}

TEST_F(StringTableTest, RecordNumbersRunSectionBySection) {
    const StringTable* table = open(kInterface);
    const StrtabRecord* red = strtab_Find(table, "Colors", "RED");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red, strtab_Record(table, 3)); // after the three keys of "Dialog Message"
    EXPECT_EQ(strtab_Record(table, 4), nullptr);
}

TEST_F(StringTableTest, EmptyStringFallsBackInTextLookupOnly) {
    const StringTable* table = open(kInterface);
    TextLookup_SetTable(table);
    const StrtabRecord* empty = strtab_Find(table, "Dialog Message", "EMPTY");
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(strtab_Text(table, empty), "");
    EXPECT_STREQ(TextLookup("Dialog Message", "EMPTY"), kBadTextString);
    EXPECT_STREQ(TextLookup("Dialog Message", "QZMED_TITLE"), "Mission Editor");
    EXPECT_STREQ(TextLookup("Dialog Message", "MISSING"), kBadTextString);
    EXPECT_STREQ(TextLookup(nullptr, "QZMED_TITLE"), kBadTextString);
    EXPECT_STREQ(TextLookup("Dialog Message", nullptr), kBadTextString);
}

TEST_F(StringTableTest, TextLookupWithoutTableAndAsFoundationSource) {
    TextLookup_SetTable(nullptr);
    EXPECT_STREQ(TextLookup("Dialog Message", "QZMED_TITLE"), kBadTextString);
    EXPECT_STREQ(text_Get("Dialog Message", "QZMED_TITLE"), kBadTextString);
    TextLookup_SetTable(open(kInterface));
    EXPECT_STREQ(text_Get("dialog message", "qzmed_title"), "Mission Editor");
}

TEST_F(StringTableTest, FirstOfTwoEquallyNamedSectionsWins) {
    const StringTable* table = open("[Teams]\nA=first\n[teams]\nA=second\nB=only in the second\n");
    EXPECT_STREQ(strtab_FindText(table, "TEAMS", "A"), "first");
    EXPECT_EQ(strtab_Find(table, "Teams", "B"), nullptr);
}

TEST_F(StringTableTest, FirstOfTwoEquallyNamedKeysWins) {
    const StringTable* table = open("[Teams]\nA=first\na=second\n");
    EXPECT_STREQ(strtab_FindText(table, "Teams", "A"), "first");
}

TEST_F(StringTableTest, EmptyFirstSectionHidesLaterOnes) {
    const StringTable* table = open("[Weather]\n[Weather]\nRAIN=Rain\n");
    EXPECT_EQ(strtab_Find(table, "Weather", "RAIN"), nullptr);
}

TEST_F(StringTableTest, TableWithoutSectionsFindsNothing) {
    const StringTable* table = open("");
    EXPECT_EQ(table->sectionCount, 0u);
    EXPECT_EQ(strtab_Find(table, "", ""), nullptr);
    EXPECT_EQ(strtab_Find(table, "Dialog Message", "QZMED_TITLE"), nullptr);
    EXPECT_EQ(strtab_Find(nullptr, "Dialog Message", "QZMED_TITLE"), nullptr);
}

TEST_F(StringTableTest, EnumerationStopsAtFirstGap) {
    const StringTable* table =
        open("[PeopleNames]\nSTRNAME000=Anna\nSTRNAME001=Boris\nSTRNAME002=Carl\nSTRNAME004=Eve\n"
             "[WPNames]\nSTRWPNAME001=not numbered from 0\n");
    std::vector<std::string> names;
    for (const char* text : strtab_NumberedList(table, kStrtabPeopleSection, kStrtabPeopleKey))
        names.push_back(text);
    EXPECT_EQ(names, (std::vector<std::string>{"Anna", "Boris", "Carl"}));
    EXPECT_TRUE(strtab_NumberedList(table, kStrtabWaypointSection, kStrtabWaypointKey).empty());
    std::vector<int> numbers;
    EXPECT_EQ(strtab_EnumerateNumbered(table, "peoplenames", "strname%0.3i",
                                       [&](int n, const char*) { numbers.push_back(n); }),
              3);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));
}

TEST_F(StringTableTest, WalkVisitsEverySectionInStoredOrder) {
    const StringTable* table = open("[B]\nX=1\n[A]\n[B]\nY=2\nZ=\n");
    std::string walk;
    strtab_ForEach(table,
                   [&](uint32_t s, const char* section, uint32_t k, const char* key, const char* text) {
                       walk += std::to_string(s) + section + std::to_string(k) + key + "=" + text + ";";
                   });
    EXPECT_EQ(walk, "0B0X=1;2B0Y=2;2B1Z=;");
    StrtabSectionView view;
    ASSERT_TRUE(strtab_Section(table, 2, &view));
    EXPECT_EQ(view.keyCount, 2u);
    EXPECT_EQ(view.firstRecord, 1u);
    EXPECT_FALSE(strtab_Section(table, 3, &view));
}

TEST_F(StringTableTest, LoadReadsThroughTheFileLayerAndKeepsUnreadWords) {
    TempDir dir;
    std::vector<uint8_t> bytes = buildBytes(kInterface);
    // Words the editor gives no meaning: header words 0 and 2 and record words 1 to 3.
    bytes[0] = 0x11;
    bytes[8] = 0x22;
    bytes[16 + 4] = 0x33;
    const std::string path = dir.write("TEXT.BIN", bytes);
    file_ResetState();
    StringTable* table = strtab_Load(dir.path("text.bin").c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(std::memcmp(table->data, bytes.data(), bytes.size()), 0);
    EXPECT_EQ(strtab_RecordWord(strtab_Record(table, 0), 1), 0x33u);
    EXPECT_STREQ(strtab_FindText(table, "Colors", "RED"), "Red");
    strtab_Free(table);
    EXPECT_EQ(strtab_Load(dir.path("missing.bin").c_str()), nullptr);
}

// --- corrupt tables -------------------------------------------------------------------------

void putWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
uint32_t getWord(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (uint32_t{bytes[offset + 3]} << 24);
}

bool opens(const std::vector<uint8_t>& bytes) {
    StringTable* table = strtab_Open(bytes.data(), bytes.size());
    strtab_Free(table);
    return table != nullptr;
}

class CorruptStringTable : public ::testing::Test {
  protected:
    std::vector<uint8_t> good = buildBytes("[Menu Text]\nOPEN=Open\nSAVE=Save\n[Teams]\nBLUE=Blue\n");
    uint32_t directory() const { return getWord(good, kStrtabHeaderDirectoryOffset); }
};

TEST_F(CorruptStringTable, IntactTableOpens) {
    EXPECT_TRUE(opens(good));
}

TEST_F(CorruptStringTable, ShortHeaderIsRefused) {
    for (size_t size = 0; size < kStrtabHeaderSize; ++size)
        EXPECT_FALSE(opens(std::vector<uint8_t>(good.begin(), good.begin() + size))) << size;
}

TEST_F(CorruptStringTable, RecordCountPastTheEndIsRefused) {
    putWord(good, kStrtabHeaderRecordCount, 0x10000000); // 16 * N wraps 32 bits
    EXPECT_FALSE(opens(good));
    putWord(good, kStrtabHeaderRecordCount, static_cast<uint32_t>(good.size() / 16));
    EXPECT_FALSE(opens(good));
}

TEST_F(CorruptStringTable, DirectoryOutsideTheFileIsRefused) {
    putWord(good, kStrtabHeaderDirectoryOffset, static_cast<uint32_t>(good.size() - 3));
    EXPECT_FALSE(opens(good));
    putWord(good, kStrtabHeaderDirectoryOffset, 0xFFFFFFFE);
    EXPECT_FALSE(opens(good));
}

TEST_F(CorruptStringTable, SectionCountPastTheEndIsRefused) {
    putWord(good, directory(), 0x20000000); // 8 * S wraps 32 bits
    EXPECT_FALSE(opens(good));
    putWord(good, directory(), 3);
    EXPECT_FALSE(opens(good)); // the third pair is made of name bytes and points far outside
}

TEST_F(CorruptStringTable, StringOffsetPastTheEndIsRefused) {
    putWord(good, kStrtabHeaderSize + kStrtabRecordSize * 2, 0xFFFFFFF0);
    EXPECT_FALSE(opens(good));
}

TEST_F(CorruptStringTable, KeyNamesPastTheEndAreRefused) {
    const size_t pair1 = directory() + 4 + 8;
    std::vector<uint8_t> offset_out = good;
    putWord(offset_out, pair1, 0xFFFFFF00);
    EXPECT_FALSE(opens(offset_out));
    std::vector<uint8_t> count_out = good;
    putWord(count_out, pair1 + 4, 1000);
    EXPECT_FALSE(opens(count_out));
}

TEST_F(CorruptStringTable, UnterminatedLastNameIsRefused) {
    ASSERT_EQ(good.back(), 0);
    good.back() = 'X'; // the last key name of the last section loses its terminator
    EXPECT_FALSE(opens(good));
    good.pop_back();
    EXPECT_FALSE(opens(good));
}

TEST_F(CorruptStringTable, UnterminatedStringIsRefused) {
    // 48 bytes: header; one record; directory at 32 with one section whose name "S" (at 44) is
    // also its only key name; the record's text "T" in the last two bytes.
    std::vector<uint8_t> bytes(48, 0);
    putWord(bytes, kStrtabHeaderDirectoryOffset, 32);
    putWord(bytes, kStrtabHeaderRecordCount, 1);
    putWord(bytes, 16, 46 - 32); // from the string area, which starts after the record
    putWord(bytes, 32, 1);
    putWord(bytes, 36, 44 - 36); // key names counted from the first pair
    putWord(bytes, 40, 1);
    bytes[44] = 'S';
    bytes[46] = 'T';
    ASSERT_TRUE(opens(bytes));
    {
        StringTable* table = strtab_Open(bytes.data(), bytes.size());
        EXPECT_STREQ(strtab_FindText(table, "s", "S"), "T");
        strtab_Free(table);
    }
    bytes[47] = 'U';
    EXPECT_FALSE(opens(bytes));
}

TEST_F(CorruptStringTable, RecordNumberPastCountFindsNothing) {
    // The first section claims three keys; its third name is the first key name of "Teams",
    // so "Teams" now starts at record 3 of 3: more keys than records is tolerated, and those
    // keys simply have no record.
    putWord(good, directory() + 4 + 4, 3);
    StringTable* table = strtab_Open(good.data(), good.size());
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(strtab_FindText(table, "Menu Text", "SAVE"), "Save");
    EXPECT_STREQ(strtab_FindText(table, "Menu Text", "BLUE"), "Blue");
    EXPECT_EQ(strtab_Find(table, "Teams", "BLUE"), nullptr);
    strtab_Free(table);
}

} // namespace
