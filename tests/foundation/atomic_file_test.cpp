#include "foundation/atomic_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
// Names in the directory, so that a left-over temporary file shows.
std::vector<std::string> listing(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(AtomicFile, CommitReplacesTheTarget) {
    TempDir dir;
    std::string target = dir.write("mission.mis", "old");
    AtomicFile file;
    ASSERT_TRUE(file.open(target.c_str()));
    EXPECT_TRUE(file.write("new "));
    EXPECT_TRUE(file.printf("%d-%s", 42, "x"));
    EXPECT_EQ(test_ReadFile(target), "old"); // nothing visible before the commit
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(test_ReadFile(target), "new 42-x");
    EXPECT_EQ(listing(dir), (std::vector<std::string>{"mission.mis"}));
}

TEST(AtomicFile, DiscardAndDestructionKeepThePreviousFile) {
    TempDir dir;
    std::string target = dir.write("report.txt", "previous");
    {
        AtomicFile file;
        ASSERT_TRUE(file.open(target.c_str()));
        file.write("half");
        file.discard();
        EXPECT_FALSE(file.commit());
    }
    {
        AtomicFile file;
        ASSERT_TRUE(file.open(target.c_str()));
        file.write("never committed");
    }
    EXPECT_EQ(test_ReadFile(target), "previous");
    EXPECT_EQ(listing(dir), (std::vector<std::string>{"report.txt"}));
}

TEST(AtomicFile, MissingDirectoryFailsAtOpen) {
    TempDir dir;
    AtomicFile file;
    EXPECT_FALSE(file.open(dir.path("no/such/dir/out.bin").c_str()));
    EXPECT_FALSE(file.ok());
    EXPECT_FALSE(file.write("x"));
    EXPECT_FALSE(file.commit());
    EXPECT_FALSE(file_WriteWhole(dir.path("no/such/out.bin").c_str(), "x", 1));
}

TEST(AtomicFile, FailedWritesKeepThePreviousFile) {
    TempDir dir;
    std::string target = dir.write("backup.mis", "safe copy");
    // A file size limit makes the writes fail part way, as a full disk would.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool committed;
    {
        AtomicFile file;
        bool opened = file.open(target.c_str());
        std::string block(1000, 'z');
        for (int i = 0; i < 100; ++i)
            file.write(block);
        committed = opened && file.commit();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(committed);
    EXPECT_EQ(test_ReadFile(target), "safe copy");
    EXPECT_EQ(listing(dir), (std::vector<std::string>{"backup.mis"}));
}

TEST(AtomicFile, KeepsTheTargetModeAndCaseInsensitiveName) {
    TempDir dir;
    std::string target = dir.write("Sub/Events.TXT", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(file_WriteWhole(dir.path("SUB\\events.txt").c_str(), "fresh", 5));
    EXPECT_EQ(test_ReadFile(target), "fresh");
    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
