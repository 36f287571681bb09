// Targets of the atomic file writer: links are written through, only regular files are
// replaced, the files a run reads are never replaced, and no temporary file is left behind.
#include "foundation/atomic_file.h"
#include "foundation/file_identity.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool isLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

FileFailure writeText(const std::string& path, const std::string& text,
                      AtomicFile::Temporary temporary = AtomicFile::Temporary::Unnamed) {
    AtomicFile file(temporary);
    if (file.open(path.c_str()) && file.write(text)) file.commit();
    return file.failure();
}

// Forgets the protected inputs of a test.
struct InputsCleared {
    ~InputsCleared() { file_ClearProtectedInputs(); }
};

// Starts a write to `path` in a child process that is killed before it commits.
void killedWrite(const std::string& path, AtomicFile::Temporary temporary) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile file(temporary);
        if (file.open(path.c_str())) file.write(std::string(100000, 'h'));
        ::raise(SIGKILL);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
}

} // namespace

TEST(OutputTarget, SymbolicLinksAreWrittenThrough) {
    TempDir dir;
    const std::string real = dir.write("data/mission.mis", "old");
    const std::string link = dir.path("link.mis");
    ASSERT_EQ(::symlink("data/mission.mis", link.c_str()), 0);
    EXPECT_FALSE(writeText(link, "new").failed());
    EXPECT_TRUE(isLink(link)) << "the link stays a link";
    EXPECT_EQ(test_ReadFile(real), "new");
    EXPECT_EQ(listing(dir.path("data")), (std::vector<std::string>{"mission.mis"}));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"data", "link.mis"}));
}

TEST(OutputTarget, ChainsOfLinksAndLinksToNothingYet) {
    TempDir dir;
    const std::string real = dir.write("a/real.txt", "old");
    ASSERT_EQ(::symlink(real.c_str(), dir.path("b").c_str()), 0); // absolute
    ASSERT_EQ(::symlink("b", dir.path("c").c_str()), 0);          // relative, to a link
    EXPECT_FALSE(writeText(dir.path("c"), "through two").failed());
    EXPECT_EQ(test_ReadFile(real), "through two");

    ASSERT_EQ(::symlink("a/later.txt", dir.path("pending").c_str()), 0);
    EXPECT_FALSE(writeText(dir.path("pending"), "created").failed());
    EXPECT_TRUE(isLink(dir.path("pending")));
    EXPECT_EQ(test_ReadFile(dir.path("a/later.txt")), "created");

    ASSERT_EQ(::symlink("loop2", dir.path("loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", dir.path("loop2").c_str()), 0);
    const FileFailure loop = writeText(dir.path("loop1"), "x");
    EXPECT_EQ(loop.kind, FileFailure::Kind::System);
    EXPECT_EQ(loop.error, ELOOP);
}

TEST(OutputTarget, OnlyRegularFilesAreReplaced) {
    TempDir dir;
    dir.write("folder/inside.txt", "kept");
    const FileFailure folder = writeText(dir.path("folder"), "x");
    EXPECT_EQ(folder.kind, FileFailure::Kind::System);
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_EQ(test_ReadFile(dir.path("folder/inside.txt")), "kept");

    const std::string fifo = dir.path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(writeText(fifo, "x").kind, FileFailure::Kind::NotRegular);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO is still there";

    // A device node, and a link to one: refused before anything is made beside it.
    EXPECT_EQ(writeText("/dev/null", "x").kind, FileFailure::Kind::NotRegular);
    ASSERT_EQ(::symlink("/dev/null", dir.path("null-link").c_str()), 0);
    EXPECT_EQ(writeText(dir.path("null-link"), "x").kind, FileFailure::Kind::NotRegular);
    EXPECT_TRUE(isLink(dir.path("null-link")));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"folder", "null-link", "pipe"}));
}

TEST(OutputTarget, FilesTheRunReadsAreNeverReplacedWhateverTheSpelling) {
    TempDir dir;
    InputsCleared cleared;
    const std::string input = dir.write("Missions/lower.mis", "the mission");
    ASSERT_EQ(::link(input.c_str(), dir.path("hard.mis").c_str()), 0);
    ASSERT_EQ(::symlink("Missions/lower.mis", dir.path("soft.mis").c_str()), 0);
    file_ProtectInput(input.c_str());
    for (const char* spelling :
         {"Missions/lower.mis", "MISSIONS/LOWER.MIS", "missions\\Lower.Mis", "hard.mis", "soft.mis"}) {
        const FileFailure failure = writeText(dir.path(spelling), "exported");
        EXPECT_EQ(failure.kind, FileFailure::Kind::IsInput) << spelling;
    }
    EXPECT_EQ(test_ReadFile(input), "the mission");
    EXPECT_FALSE(writeText(dir.path("Missions/other.mis"), "fine").failed());
    file_ClearProtectedInputs();
    EXPECT_FALSE(writeText(input, "now allowed").failed());
}

TEST(OutputTarget, AWriteKilledHalfWayLeavesNothingBehind) {
    TempDir dir;
    const std::string target = dir.write("save.mis", "previous");
    killedWrite(target, AtomicFile::Temporary::Unnamed);
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"save.mis"}));
    EXPECT_EQ(test_ReadFile(target), "previous");
}

TEST(OutputTarget, NamedTemporariesOfAKilledWriteGoAtTheNextSave) {
    TempDir dir;
    const std::string target = dir.write("save.mis", "previous");
    killedWrite(target, AtomicFile::Temporary::Named);
    EXPECT_EQ(listing(dir.path()).size(), 2u) << "a temporary was left";
    // The next write removes it as it starts, even when that write is killed in turn.
    killedWrite(target, AtomicFile::Temporary::Named);
    EXPECT_EQ(listing(dir.path()).size(), 2u) << "only the latest temporary is left";
    EXPECT_EQ(test_ReadFile(target), "previous");

    // One still held by a live writer, one of another target, and a look-alike stay.
    const std::string held = dir.write("save.mis.tmp-HELD01", "busy");
    const int heldFd = ::open(held.c_str(), O_RDONLY);
    ASSERT_GE(heldFd, 0);
    ASSERT_EQ(::flock(heldFd, LOCK_EX), 0);
    dir.write("other.mis.tmp-ABCDEF", "another target's");
    dir.write("save.mis.tmp-toolong", "not a temporary name");

    EXPECT_FALSE(writeText(target, "fresh", AtomicFile::Temporary::Named).failed());
    EXPECT_EQ(test_ReadFile(target), "fresh");
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"other.mis.tmp-ABCDEF", "save.mis",
                                                             "save.mis.tmp-HELD01", "save.mis.tmp-toolong"}));
    ::close(heldFd);
}

TEST(OutputTarget, FailuresCarryTheSystemsReason) {
    TempDir dir;
    const FileFailure missing = writeText(dir.path("no/such/folder/out.txt"), "x");
    EXPECT_EQ(missing.kind, FileFailure::Kind::System);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(file_FailureText(missing), "No such file or directory");
    dir.write("plain", "a file");
    const FileFailure notFolder = writeText(dir.path("plain/out.txt"), "x");
    EXPECT_EQ(file_FailureText(notFolder), "Not a directory");
    FileFailure whole;
    EXPECT_FALSE(file_WriteWhole(dir.path().c_str(), "x", 1, &whole));
    EXPECT_EQ(file_FailureText(whole), "Is a directory");
}
