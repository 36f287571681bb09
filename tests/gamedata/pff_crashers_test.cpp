// Damaged archives, each named after its defect: every one must fail cleanly.
#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"
#include "gamedata/pff_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {
std::string crasher(const char* name) {
    return std::string(QZ_TESTS_DIR) + "/gamedata/crashers/" + name;
}

// Opens a fixture; the test fails when it is refused although it should open, or the reverse.
PffArchive* openCrasher(const char* name) {
    return pff_Open(crasher(name).c_str());
}

// The archive arena gives back what a refused archive took.
class PffCrasherTest : public ::testing::Test {
  protected:
    void SetUp() override { before_ = liveBlocks(); }
    void TearDown() override { EXPECT_EQ(liveBlocks(), before_) << "archive arena blocks leaked"; }
    static int liveBlocks() {
        int count = 0;
        MemArena& arena = mem_ArchiveArena();
        for (MemBlock* b = arena.head; b != nullptr; b = mem_NextBlock(arena, b))
            ++count;
        return count;
    }
    int before_ = 0;
};
} // namespace

TEST_F(PffCrasherTest, TruncatedDirectoryIsRefused) {
    EXPECT_EQ(openCrasher("truncated_directory.pff"), nullptr);
}

TEST_F(PffCrasherTest, HugeEntryCountIsRefused) {
    EXPECT_EQ(openCrasher("huge_entry_count.pff"), nullptr);
}

TEST_F(PffCrasherTest, DirectorySizeThatOverflowsIsRefused) {
    // 0x08000001 records of 32 bytes wrap to 32 bytes in 32-bit arithmetic.
    EXPECT_EQ(openCrasher("directory_size_overflow.pff"), nullptr);
}

TEST_F(PffCrasherTest, DirectoryOffsetPastEndIsRefused) {
    EXPECT_EQ(openCrasher("directory_offset_past_end.pff"), nullptr);
}

TEST_F(PffCrasherTest, HeaderSizeNineteenIsRefused) {
    EXPECT_EQ(openCrasher("header_size_19.pff"), nullptr);
}

TEST_F(PffCrasherTest, ShortHeaderIsRefused) {
    EXPECT_EQ(openCrasher("short_header.pff"), nullptr);
}

TEST_F(PffCrasherTest, EmptyFileIsRefused) {
    EXPECT_EQ(openCrasher("empty.pff"), nullptr);
}

TEST_F(PffCrasherTest, EntryPastEndIsMissingWhileOthersLoad) {
    PffArchive* archive = openCrasher("entry_past_end.pff");
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Exists(archive, "bad.txt"), 0);
    EXPECT_EQ(pff_Size(archive, "bad.txt"), -1);
    EXPECT_EQ(pff_Load(archive, "bad.txt"), nullptr);
    EXPECT_EQ(pff_Select(archive, "bad.txt"), 0);
    void* good = pff_Load(archive, "good.txt");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(good), 5), "hello");
    mem_FreeMem(good);
    pff_Close(archive);
}

TEST_F(PffCrasherTest, EntryOffsetThatWrapsIsMissing) {
    PffArchive* archive = openCrasher("entry_offset_wraps.pff");
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Exists(archive, "wrap.bin"), 0);
    EXPECT_EQ(pff_Load(archive, "wrap.bin"), nullptr);
    pff_Close(archive);
}

TEST_F(PffCrasherTest, EntryEndingAtTheFileEndLoadsAndOneByteMoreIsMissing) {
    TempDir dir;
    std::vector<uint8_t> bytes = pff_BuildArchive({{"last", {'a', 'b', 'c'}, false}});
    // Move the directory in front of the data, so that the entry's data ends the file.
    const uint32_t count = 1;
    std::vector<uint8_t> moved(bytes.begin(), bytes.begin() + kPffHeaderSize);
    moved[16] = static_cast<uint8_t>(kPffHeaderSize);
    moved.insert(moved.end(), bytes.end() - kPffRecordSize * count, bytes.end());
    moved[kPffHeaderSize + 4] = static_cast<uint8_t>(kPffHeaderSize + kPffRecordSize);
    moved.insert(moved.end(), {'a', 'b', 'c'});
    PffArchive* archive = pff_Open(dir.write("edge.pff", moved).c_str());
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Size(archive, "last"), 3);
    pff_Close(archive);

    moved[kPffHeaderSize + 8] = 4; // one byte longer than the file holds
    archive = pff_Open(dir.write("edge2.pff", moved).c_str());
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Exists(archive, "last"), 0);
    pff_Close(archive);
}

TEST_F(PffCrasherTest, RefusedArchivesLeaveTheFileLayerAlone) {
    file_ResetState();
    for (const char* name : {"truncated_directory.pff", "huge_entry_count.pff", "short_header.pff"}) {
        EXPECT_EQ(openCrasher(name), nullptr) << name;
        EXPECT_EQ(file_State().currentHandle, -1) << name;
    }
}
