#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <unistd.h>

namespace {
std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// An archive held in memory: names compared without regard to case, reads from the selection.
class FakeArchive : public ArchiveSource {
  public:
    void add(const std::string& name, const std::string& bytes) { entries_[lower(name)] = bytes; }

    bool archive_Contains(const char* name) override { return entries_.count(lower(name)) != 0; }
    bool archive_Select(const char* name) override {
        auto it = entries_.find(lower(name));
        if (it == entries_.end()) return false;
        selected_ = &it->second;
        position_ = 0;
        return true;
    }
    long archive_Read(void* buffer, long count) override {
        if (selected_ == nullptr) return 0;
        long left = static_cast<long>(selected_->size()) - position_;
        long n = std::max(0L, std::min(count, left));
        std::memcpy(buffer, selected_->data() + position_, static_cast<size_t>(n));
        position_ += n;
        return n;
    }
    long archive_Seek(long offset, int origin) override {
        long size = selected_ != nullptr ? static_cast<long>(selected_->size()) : 0;
        position_ = (origin == 0 ? 0 : origin == 1 ? position_ : size) + offset;
        return position_;
    }
    long archive_EntrySize(const char* name) override {
        auto it = entries_.find(lower(name));
        return it == entries_.end() ? -1 : static_cast<long>(it->second.size());
    }
    void* archive_Load(const char* name) override {
        auto it = entries_.find(lower(name));
        if (it == entries_.end()) return nullptr;
        void* block = mem_GetMemEx(it->second.size(), 4, 0, "PFF LOADED FILE");
        std::memcpy(block, it->second.data(), it->second.size());
        file_State().lastLoadSize = static_cast<int32_t>(it->second.size());
        return block;
    }
    FileHandle archive_Handle() const override { return -1; }

  private:
    std::map<std::string, std::string> entries_;
    const std::string* selected_ = nullptr;
    long position_ = 0;
};

// Runs each test inside a fresh directory with a cleared file layer.
class FileLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        file_ResetState();
    }
    void TearDown() override {
        file_ResetState();
        ASSERT_EQ(chdir(previous_), 0);
    }

    // Loads through the search order and returns the text (empty when nothing was found).
    static std::string loadEx(const char* path) {
        void* block = file_LoadFileEx(path);
        if (block == nullptr) return {};
        std::string text(static_cast<const char*>(block), static_cast<size_t>(file_State().lastLoadSize));
        mem_FreeMem(block);
        return text;
    }

    TempDir dir;
    char previous_[4096];
};
} // namespace

TEST_F(FileLayerTest, ArchivesHideLooseFilesUntilLooseFirstIsSet) {
    dir.write("text.bin", "LOOSE");
    FakeArchive archive;
    archive.add("TEXT.BIN", "ARCHIVED");
    pff_ClearSet();
    pff_AddToSet(&archive);
    EXPECT_EQ(loadEx("text.bin"), "ARCHIVED");
    EXPECT_EQ(file_SetLooseFirst(1), 0);
    EXPECT_EQ(loadEx("text.bin"), "LOOSE");
    EXPECT_EQ(file_SetLooseFirst(1), 1);
    EXPECT_EQ(file_FileSizeEx("text.bin"), 5);
}

TEST_F(FileLayerTest, LooseFilesAreNotConsultedWhileArchivesComeFirst) {
    dir.write("only_loose.txt", "x");
    FakeArchive archive;
    pff_AddToSet(&archive);
    EXPECT_EQ(file_ExistsEx("only_loose.txt"), 0);
    EXPECT_TRUE(file_State().lastFailed);
    file_SetLooseFirst(1);
    EXPECT_EQ(file_ExistsEx("only_loose.txt"), 1);
    EXPECT_FALSE(file_State().lastFailed);
}

TEST_F(FileLayerTest, EmptySetFindsLooseFiles) {
    dir.write("a.txt", "abc");
    EXPECT_EQ(file_ExistsEx("a.txt"), 1);
    EXPECT_EQ(loadEx("a.txt"), "abc");
    EXPECT_EQ(file_State().lastLoadSize, 3);
}

TEST_F(FileLayerTest, LowerSlotWins) {
    FakeArchive first, second;
    first.add("x.dat", "FIRST");
    second.add("x.dat", "SECOND");
    second.add("y.dat", "ONLY SECOND");
    pff_AddToSet(&first);
    pff_AddToSet(&second);
    EXPECT_EQ(loadEx("X.DAT"), "FIRST");
    EXPECT_EQ(loadEx("y.dat"), "ONLY SECOND");
    pff_ClearSet();
    EXPECT_EQ(file_State().archiveCount, 0);
    pff_AddToSet(&second);
    pff_AddToSet(&first);
    EXPECT_EQ(loadEx("x.dat"), "SECOND");
}

TEST_F(FileLayerTest, FullSetIgnoresFurtherArchives) {
    std::vector<std::unique_ptr<FakeArchive>> archives;
    for (int i = 0; i < kArchiveSlots + 1; ++i) {
        archives.push_back(std::make_unique<FakeArchive>());
        archives.back()->add("entry" + std::to_string(i), "data");
        pff_AddToSet(archives.back().get());
    }
    EXPECT_EQ(file_State().archiveCount, kArchiveSlots);
    EXPECT_EQ(file_ExistsEx("entry15"), 1);
    EXPECT_EQ(file_ExistsEx("entry16"), 0);
    pff_AddToSet(nullptr);
    EXPECT_EQ(file_State().archiveCount, kArchiveSlots);
}

TEST_F(FileLayerTest, OpenExServesArchiveEntriesThroughReadAndSeek) {
    FakeArchive archive;
    archive.add("dir\\entry.txt", "0123456789");
    pff_AddToSet(&archive);
    EXPECT_EQ(file_OpenEx("DIR\\Entry.txt"), 1);
    EXPECT_TRUE(file_State().inArchive);
    EXPECT_EQ(file_State().archiveSlot, 0);
    char buffer[4] = {};
    EXPECT_EQ(file_ReadEx(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "012");
    EXPECT_EQ(file_SeekEx(-2, 2), 8);
    EXPECT_EQ(file_ReadEx(buffer, 4), 2);
    EXPECT_EQ(std::string(buffer, 2), "89");
    file_CloseEx();
    EXPECT_EQ(file_OpenEx("dir/entry.txt"), -1); // the directory part must match as stored
}

TEST_F(FileLayerTest, LooseOpenReadsSeeksAndCloses) {
    dir.write("Data.Bin", "abcdef");
    FileHandle fd = file_OpenEx("data.bin");
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(file_State().inArchive);
    EXPECT_EQ(file_SeekEx(2, 0), 2);
    char buffer[8];
    EXPECT_EQ(file_ReadEx(buffer, 8), 4);
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    file_CloseEx();
    EXPECT_EQ(file_State().currentHandle, -1);
}

TEST_F(FileLayerTest, FailuresAreReportedOnlyWithTheSwitchOn) {
    CapturedMessages messages;
    EXPECT_EQ(file_OpenEx("missing.txt"), -1);
    EXPECT_TRUE(messages.messages.empty());
    file_State().reportOpenFailures = true;
    EXPECT_EQ(file_OpenEx("missing.txt"), -1);
    EXPECT_EQ(file_FileSizeEx("missing.txt"), -1);
    EXPECT_EQ(file_LoadFileEx("missing.txt"), nullptr);
    EXPECT_EQ(file_ExistsEx("missing.txt"), 0); // a question, not a failure to report
    EXPECT_EQ(file_Create("no/such/dir/out.txt"), -1);
    ASSERT_EQ(messages.messages.size(), 4u);
    EXPECT_EQ(messages.messages[0].caption, "file_OpenEx");
    EXPECT_EQ(messages.messages[0].text, "Cannot open file missing.txt");
    EXPECT_EQ(messages.messages[1].caption, "file_FileSizeEx");
    EXPECT_EQ(messages.messages[2].caption, "file_LoadFileEx");
    EXPECT_EQ(messages.messages[3].caption, "file_Create");
    EXPECT_TRUE(file_State().lastFailed);
}

TEST_F(FileLayerTest, LongPathsInFailureTextsAreCut) {
    CapturedMessages messages;
    file_State().reportOpenFailures = true;
    std::string path(300, 'p');
    EXPECT_EQ(file_OpenEx(path.c_str()), -1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.size(), 127u);
}

TEST_F(FileLayerTest, CreateWriteAndSize) {
    ASSERT_GE(file_Create("out.bin"), 0);
    EXPECT_EQ(file_Write("hello", 5), 5);
    EXPECT_EQ(file_Seek(0, 1), 5);
    file_Close();
    EXPECT_EQ(file_FileSize("OUT.BIN"), 5);
    EXPECT_EQ(file_FileSize("nothing"), -1);
    EXPECT_EQ(file_Seek(0, 0), -1); // no current file any more
}

TEST_F(FileLayerTest, DirectoriesAreNotFiles) {
    dir.write("Maps/readme.txt", "x");
    EXPECT_EQ(file_ExistsLoose("maps"), 0);
    EXPECT_EQ(file_Open("Maps"), -1);
    EXPECT_EQ(file_FileSizeEx("maps"), -1);
}

TEST_F(FileLayerTest, LoosePathsIgnoreCaseSeparatorsAndDrive) {
    std::string real = dir.write("Terrains/Desert/Desert.TRN", "t");
    EXPECT_EQ(file_ResolveLoose("terrains\\DESERT\\desert.trn"), "Terrains/Desert/Desert.TRN");
    EXPECT_EQ(file_ResolveLoose("C:terrains/desert/DESERT.trn"), "Terrains/Desert/Desert.TRN");
    EXPECT_EQ(file_ExistsLoose("TERRAINS\\desert\\Desert.trn"), 1);
    // An absolute path given the Windows way.
    std::string windows = "D:" + real;
    for (char& c : windows) {
        if (c == '/') c = '\\';
    }
    EXPECT_EQ(file_ResolveLoose(windows.c_str()), real);
    std::string upper = dir.path() + "/TERRAINS/desert/desert.TRN";
    EXPECT_EQ(file_ResolveLoose(upper.c_str()), real);
    EXPECT_EQ(file_ResolveLoose("terrains\\missing\\desert.trn"), "");
    EXPECT_EQ(file_ResolveLoose(""), "");
}

TEST_F(FileLayerTest, SeveralSpellingsResolveToTheSmallest) {
    dir.write("abc.txt", "lower");
    dir.write("ABC.txt", "upper");
    EXPECT_EQ(file_ResolveLoose("Abc.TXT"), "ABC.txt");
    EXPECT_EQ(file_ResolveLoose("abc.txt"), "abc.txt"); // an exact match comes first
}

TEST_F(FileLayerTest, CreatePathsReuseExistingSpellings) {
    dir.write("Missions/Old.MIS", "o");
    EXPECT_EQ(file_ResolveForCreate("MISSIONS\\new.mis"), "Missions/new.mis");
    EXPECT_EQ(file_ResolveForCreate("missions\\old.mis"), "Missions/Old.MIS");
    EXPECT_EQ(file_ResolveForCreate("C:plain.txt"), "plain.txt");
    EXPECT_EQ(file_ResolveForCreate("nodir\\x.txt"), "nodir/x.txt");
    ASSERT_GE(file_Create("MISSIONS\\old.mis"), 0);
    file_Close();
    EXPECT_EQ(file_FileSize("Missions/Old.MIS"), 0); // truncated in place, no second spelling
}

TEST(FilePathParts, MasksSelectParts) {
    const char* path = "C:\\games\\qz2\\terrain.jpg";
    EXPECT_STREQ(file_PathParts(path, 2 | 4), "\\games\\qz2\\terrain");
    EXPECT_STREQ(file_PathParts(path, 8), ".jpg");
    EXPECT_STREQ(file_PathParts(path, 1), "C:");
    EXPECT_STREQ(file_PathParts(path, 1 | 2 | 4 | 8), path);
    EXPECT_STREQ(file_PathParts(path, 4 | 8), "terrain.jpg");
    EXPECT_STREQ(file_PathParts("archive.tar.gz", 8), ".gz");
    EXPECT_STREQ(file_PathParts("dir/noext", 4 | 8), "noext");
    EXPECT_STREQ(file_PathParts("dir.d/noext", 8), "");
    EXPECT_STREQ(file_PathParts(nullptr, 15), "");
}
