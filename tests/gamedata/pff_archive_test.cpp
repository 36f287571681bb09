#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"
#include "gamedata/pff_writer.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
std::vector<uint8_t> randomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> textBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

void putLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getLe32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::vector<uint8_t> loaded(PffArchive* archive, const char* name) {
    void* block = pff_Load(archive, name);
    if (block == nullptr) return {};
    auto* bytes = static_cast<uint8_t*>(block);
    std::vector<uint8_t> copy(bytes, bytes + archive->lastSize);
    mem_FreeMem(block);
    return copy;
}

// Writes archives into a fresh directory and closes every archive it opened.
class PffTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ResetState();
        pff_ClearSet();
    }
    void TearDown() override {
        pff_ClearSet();
        for (PffArchive* archive : opened_)
            pff_Close(archive);
        file_ResetState();
    }

    PffArchive* open(const std::string& name, const std::vector<uint8_t>& bytes) {
        PffArchive* archive = pff_Open(dir.write(name, bytes).c_str());
        if (archive != nullptr) opened_.push_back(archive);
        return archive;
    }
    PffArchive* build(const std::string& name, const std::vector<PffWriterEntry>& entries) {
        std::string error;
        std::vector<uint8_t> bytes = pff_BuildArchive(entries, &error);
        EXPECT_EQ(error, "");
        return open(name, bytes);
    }

    TempDir dir;
    std::vector<PffArchive*> opened_;
};
} // namespace

TEST_F(PffTest, HeaderSizeBelowTwentyIsRejected) {
    std::vector<uint8_t> bytes = pff_BuildArchive({{"a.txt", textBytes("abc"), false}});
    putLe32(bytes, 0, 19);
    EXPECT_EQ(open("19.pff", bytes), nullptr);
    putLe32(bytes, 0, 20);
    EXPECT_NE(open("20.pff", bytes), nullptr);
    putLe32(bytes, 0, 0x7FFFFFFF); // only a lower bound is checked
    EXPECT_NE(open("big.pff", bytes), nullptr);
    EXPECT_EQ(pff_Open(dir.path("missing.pff").c_str()), nullptr);
}

TEST_F(PffTest, DescriptorAndDirectoryLiveInTheArchiveArena) {
    PffArchive* archive = build("a.pff", {{"one", textBytes("1"), false}, {"two", textBytes("22"), false}});
    ASSERT_NE(archive, nullptr);
    MemArena& arena = mem_ArchiveArena();
    EXPECT_STREQ(mem_BlockTag(arena, mem_BlockOf(archive)), "PFF STRUCT");
    EXPECT_STREQ(mem_BlockTag(arena, mem_BlockOf(archive->directory)), "PFF HEADERS");
    EXPECT_EQ(mem_BlockOf(archive->directory)->size, 2 * kPffRecordSize);
    EXPECT_TRUE(archive->isOpen);
    EXPECT_EQ(archive->entryCount, 2u);
    EXPECT_EQ(archive->header[0], kPffHeaderSize);
    EXPECT_STREQ(archive->path, dir.path("a.pff").c_str());
    EXPECT_EQ(file_State().currentHandle, -1); // the archive keeps its handle to itself
}

TEST_F(PffTest, NamesMatchWholeAndWithoutRegardToCase) {
    PffArchive* archive = build("n.pff", {{"maps\\Desert.TRN", textBytes("trn"), false}, {"x", {}, false}});
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Exists(archive, "MAPS\\desert.trn"), 1);
    EXPECT_FALSE(archive->failed);
    EXPECT_EQ(pff_Exists(archive, "desert.trn"), 0);
    EXPECT_TRUE(archive->failed);
    EXPECT_EQ(pff_Exists(archive, "maps/desert.trn"), 0);
    EXPECT_EQ(pff_Exists(archive, "maps\\desert.trn2"), 0);
    EXPECT_EQ(pff_Size(archive, "x"), 0);
    EXPECT_EQ(pff_Size(archive, "y"), -1);
}

TEST_F(PffTest, FirstOfTwoEqualNamesWins) {
    // The writer refuses equal names, so the second record is renamed in the built bytes, as
    // another tool could have written it.
    std::vector<uint8_t> bytes = pff_BuildArchive(
        {{"same.txt", textBytes("first"), false}, {"OTHER.TXT", textBytes("second"), false}});
    const size_t secondName = bytes.size() - kPffNameSize;
    ASSERT_EQ(std::string(bytes.begin() + static_cast<long>(secondName),
                          bytes.begin() + static_cast<long>(secondName) + 9),
              "OTHER.TXT");
    std::memcpy(bytes.data() + secondName, "SAME.TXT\0", 9);
    PffArchive* archive = open("d.pff", bytes);
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(loaded(archive, "Same.txt"), textBytes("first"));
    EXPECT_EQ(pff_Find(archive, "same.txt"), &archive->directory[0]);
}

TEST_F(PffTest, SixteenCharacterNamesHaveNoTerminator) {
    PffArchive* archive = build("s.pff", {{"abcdefghijklmnop", textBytes("16"), false}});
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_RecordName(archive->directory[0]), "abcdefghijklmnop");
    EXPECT_EQ(loaded(archive, "ABCDEFGHIJKLMNOP"), textBytes("16"));
    EXPECT_EQ(pff_Exists(archive, "abcdefghijklmnopq"), 0);
    EXPECT_EQ(pff_Exists(archive, "abcdefghijklmno"), 0);
}

TEST_F(PffTest, ScrambledEntriesLoadUnscrambledButReadRaw) {
    std::vector<uint8_t> original = randomBytes(3000, 1);
    std::vector<uint8_t> bytes =
        pff_BuildArchive({{"img.pcx", original, true}, {"plain.bin", original, false}});
    PffArchive* archive = open("s.pff", bytes);
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->directory[0].flags & kPffScrambledFlag, kPffScrambledFlag);
    EXPECT_EQ(loaded(archive, "img.pcx"), original);
    EXPECT_EQ(archive->lastSize, 3000);
    EXPECT_EQ(file_State().lastLoadSize, 3000);
    EXPECT_EQ(loaded(archive, "plain.bin"), original);

    // A select and read hands out the bytes as they are stored in the file.
    ASSERT_EQ(pff_Select(archive, "img.pcx"), 1);
    std::vector<uint8_t> raw(3000);
    EXPECT_EQ(pff_Read(raw.data(), 3000, archive), 3000);
    uint32_t offset = getLe32(bytes, getLe32(bytes, 16) + 4);
    EXPECT_EQ(raw, std::vector<uint8_t>(bytes.begin() + offset, bytes.begin() + offset + 3000));
    EXPECT_NE(raw, original);
    pff_Unscramble(raw.data(), raw.size());
    EXPECT_EQ(raw, original);
}

TEST_F(PffTest, SeeksAreRelativeToTheSelectedEntry) {
    std::vector<uint8_t> first = randomBytes(500, 2);
    std::vector<uint8_t> palette = randomBytes(2000, 3);
    PffArchive* archive = build("k.pff", {{"first", first, false}, {"image.pcx", palette, false}});
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(pff_Select(archive, "image.pcx"), 1);
    std::vector<uint8_t> buffer(800);
    EXPECT_EQ(pff_Read(buffer.data(), 100, archive), 100);
    EXPECT_EQ(archive->position, 100);
    EXPECT_EQ(pff_Seek(10, 1, archive), 110);
    EXPECT_EQ(pff_Read(buffer.data(), 5, archive), 5);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 5, palette.begin() + 110));
    EXPECT_EQ(pff_Seek(7, 0, archive), 7);
    EXPECT_EQ(pff_Read(buffer.data(), 1, archive), 1);
    EXPECT_EQ(buffer[0], palette[7]);
    EXPECT_EQ(pff_Seek(-769, 2, archive), 2000 - 769);
    EXPECT_EQ(pff_Read(buffer.data(), 769, archive), 769);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 769, palette.end() - 769));
    EXPECT_EQ(pff_Seek(0, 2, archive), 2000);
    // Any other origin is an absolute file offset: the first entry starts right after the header.
    EXPECT_EQ(pff_Seek(kPffHeaderSize, 9, archive),
              static_cast<long>(kPffHeaderSize) - archive->current->offset);
    EXPECT_EQ(pff_Read(buffer.data(), 1, archive), 1);
    EXPECT_EQ(buffer[0], first[0]);
    EXPECT_EQ(pff_Seek(-1, 9, archive), -1);
}

TEST_F(PffTest, ReadsRunOnPastTheEntryButNotPastTheFile) {
    std::vector<uint8_t> a = textBytes("AAAA");
    std::vector<uint8_t> b = textBytes("BBBB");
    std::vector<uint8_t> bytes = pff_BuildArchive({{"a", a, false}, {"b", b, false}});
    PffArchive* archive = open("r.pff", bytes);
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(pff_Select(archive, "a"), 1);
    std::vector<uint8_t> buffer(bytes.size() + 100);
    long got = pff_Read(buffer.data(), static_cast<long>(buffer.size()), archive);
    EXPECT_EQ(got, static_cast<long>(bytes.size() - kPffHeaderSize)); // to the end of the file
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 8), "AAAABBBB");
    EXPECT_EQ(pff_Read(buffer.data(), 10, archive), 0);
}

TEST_F(PffTest, MissingEntriesAreReportedOnlyWithTheSwitchOn) {
    CapturedMessages messages;
    PffArchive* archive = build("m.pff", {{"here", textBytes("x"), false}});
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(pff_Select(archive, "gone"), 0);
    EXPECT_EQ(pff_Load(archive, "gone"), nullptr);
    EXPECT_TRUE(messages.messages.empty());
    archive->reportErrors = true;
    EXPECT_EQ(pff_Select(archive, "gone"), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "pffmgr");
    EXPECT_EQ(messages.messages[0].text, "Error reading gone in PFF file " + dir.path("m.pff") + ".");
    EXPECT_TRUE(archive->failed);
}

TEST_F(PffTest, EmptyArchiveHasNoEntries) {
    PffArchive* archive = build("e.pff", {});
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->entryCount, 0u);
    EXPECT_EQ(pff_Exists(archive, ""), 0);
    EXPECT_EQ(pff_Load(archive, "a"), nullptr);
}

TEST_F(PffTest, FileLayerReadsEntriesAndKeepsTheArchiveAfterCloseEx) {
    std::vector<uint8_t> palette = randomBytes(1500, 4);
    PffArchive* archive =
        build("qz2.pff", {{"ground.pcx", palette, false}, {"text.bin", textBytes("ARCHIVED"), true}});
    ASSERT_NE(archive, nullptr);
    pff_AddToSet(archive);
    EXPECT_EQ(file_OpenEx("GROUND.PCX"), 1);
    EXPECT_EQ(file_State().currentHandle, archive->handle);
    EXPECT_EQ(file_SeekEx(-769, 2), 1500 - 769);
    std::vector<uint8_t> tail(769);
    EXPECT_EQ(file_ReadEx(tail.data(), 769), 769);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), palette.end() - 769));
    file_CloseEx();
    EXPECT_EQ(file_FileSizeEx("ground.pcx"), 1500);
    void* text = file_LoadFileEx("text.bin");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(text), 8), "ARCHIVED");
    EXPECT_EQ(file_State().lastLoadSize, 8);
    EXPECT_STREQ(mem_BlockTag(mem_MainArena(), mem_BlockOf(text)), "PFF LOADED FILE");
    mem_FreeMem(text);
    // The plain close never closes an archive's handle, even when a direct select made it current.
    file_Close();
    ASSERT_EQ(pff_Select(archive, "text.bin"), 1);
    EXPECT_FALSE(file_State().inArchive);
    EXPECT_EQ(file_State().currentHandle, archive->handle);
    file_Close();
    EXPECT_EQ(file_ExistsEx("ground.pcx"), 1);
    EXPECT_EQ(file_OpenEx("ground.pcx"), 1);
    EXPECT_EQ(file_ReadEx(tail.data(), 4), 4);
    EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 4, palette.begin()));
}

TEST_F(PffTest, LooseFilesWinOnlyOnceLooseFirstIsSet) {
    dir.write("Text.bin", "LOOSE");
    PffArchive* archive = build("qz2.pff", {{"text.bin", textBytes("ARCHIVED"), false}});
    ASSERT_NE(archive, nullptr);
    pff_AddToSet(archive);
    std::string path = dir.path("text.bin");
    // The archive stores the bare name, so a path with directories is not in it.
    EXPECT_EQ(file_ExistsEx(path.c_str()), 0);
    void* fromArchive = file_LoadFileEx("TEXT.BIN");
    ASSERT_NE(fromArchive, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(fromArchive), 8), "ARCHIVED");
    mem_FreeMem(fromArchive);
    file_SetLooseFirst(1);
    void* fromDisk = file_LoadFileEx(path.c_str());
    ASSERT_NE(fromDisk, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(fromDisk), 5), "LOOSE");
    EXPECT_STREQ(mem_BlockTag(mem_MainArena(), mem_BlockOf(fromDisk)), "LOADED FILE");
    mem_FreeMem(fromDisk);
}

TEST_F(PffTest, TwoArchivesServeFromTheLowerSlot) {
    PffArchive* first = build("one.pff", {{"shared", textBytes("one"), false}});
    PffArchive* second =
        build("two.pff", {{"shared", textBytes("two"), false}, {"own", textBytes("own"), false}});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    pff_AddToSet(first);
    pff_AddToSet(second);
    void* shared = file_LoadFileEx("shared");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(shared), 3), "one");
    mem_FreeMem(shared);
    EXPECT_EQ(file_OpenEx("own"), 1);
    EXPECT_EQ(file_State().archiveSlot, 1);
}

TEST_F(PffTest, CloseTakesTheArchiveOutOfTheSet) {
    PffArchive* archive =
        pff_Open(dir.write("c.pff", pff_BuildArchive({{"a", textBytes("a"), false}})).c_str());
    ASSERT_NE(archive, nullptr);
    pff_AddToSet(archive);
    EXPECT_EQ(file_State().archiveCount, 1);
    pff_Close(archive);
    EXPECT_EQ(file_State().archiveCount, 0);
    EXPECT_EQ(file_ExistsEx("a"), 0);
}

TEST(PffWriter, RefusesNamesThatDoNotFit) {
    std::string error;
    EXPECT_TRUE(pff_BuildArchive({{"abcdefghijklmnopq", {}, false}}, &error).empty());
    EXPECT_NE(error, "");
    EXPECT_TRUE(pff_BuildArchive({{"", {}, false}}, &error).empty());
    EXPECT_FALSE(pff_BuildArchive({{"abcdefghijklmnop", {}, false}}, &error).empty());
    EXPECT_EQ(error, "");
    TempDir dir;
    EXPECT_FALSE(pff_WriteArchive(dir.path("x/y.pff").c_str(), {{"a", {}, false}}, &error));
}
