// Which backups a start offers to open: those written after the last clean exit.

#include "editor/recovery.h"

#include "support/other_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

class Recovery : public ::testing::Test {
  protected:
    TempDir dir;
    std::string folder() const { return dir.path("state/qzmed/"); }

    // Writes `name` in the folder with its modification time set to `seconds` after the epoch.
    void writeAt(const std::string& name, long seconds) {
        const std::string path = dir.write("state/qzmed/" + name, "bytes");
        const struct utimbuf times { seconds, seconds };
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }
    long modified(const std::string& name) {
        struct stat info {};
        return ::stat((folder() + name).c_str(), &info) == 0 ? info.st_mtim.tv_sec : -1;
    }
};

TEST_F(Recovery, NoBackupsNothingToOffer) {
    EXPECT_FALSE(recovery_Scan(folder()).any());
    EXPECT_FALSE(recovery_Scan("").any());
}

TEST_F(Recovery, BackupsAfterACrashAreOffered) {
    writeAt("clean-exit", 1000);
    writeAt("MEDP2BCK.MIS", 2000);
    const RecoveryScan scan = recovery_Scan(folder());
    EXPECT_FALSE(scan.pages[0].found);
    ASSERT_TRUE(scan.pages[1].found);
    EXPECT_EQ(scan.pages[1].path, folder() + "MEDP2BCK.MIS");
    EXPECT_EQ(scan.pages[1].written.tv_sec, 2000);
}

TEST_F(Recovery, BackupsOlderThanACleanExitAreNotOffered) {
    writeAt("MEDP1BCK.MIS", 1000);
    writeAt("MEDP2BCK.MIS", 1000);
    writeAt("clean-exit", 2000);
    EXPECT_FALSE(recovery_Scan(folder()).any());
}

TEST_F(Recovery, WithoutAnyCleanExitEveryBackupIsOffered) {
    writeAt("MEDP1BCK.MIS", 1000);
    writeAt("MEDP2BCK.MIS", 1000);
    const RecoveryScan scan = recovery_Scan(folder());
    EXPECT_TRUE(scan.pages[0].found);
    EXPECT_TRUE(scan.pages[1].found);
}

TEST_F(Recovery, ACleanExitAfterACrashEndsTheOffer) {
    writeAt("MEDP1BCK.MIS", 1000);
    ASSERT_TRUE(recovery_Scan(folder()).pages[0].found);
    ASSERT_TRUE(recovery_MarkCleanExit(folder()));
    EXPECT_FALSE(recovery_Scan(folder()).any());
    EXPECT_EQ(modified("MEDP1BCK.MIS"), 1000) << "the backup itself is left alone";
}

TEST_F(Recovery, MarkingMakesTheFolder) {
    ASSERT_TRUE(recovery_MarkCleanExit(folder()));
    EXPECT_GT(modified("clean-exit"), 0);
    EXPECT_FALSE(recovery_MarkCleanExit(""));
}

TEST_F(Recovery, AFolderInPlaceOfABackupIsNoBackup) {
    ::mkdir(dir.path("state").c_str(), 0700);
    ::mkdir(folder().c_str(), 0700);
    ::mkdir((folder() + "MEDP1BCK.MIS").c_str(), 0700);
    EXPECT_FALSE(recovery_Scan(folder()).any());
}

TEST_F(Recovery, AnotherRunningEditorIsSeenUntilItEnds) {
    EXPECT_FALSE(recovery_OtherEditorRunning(folder())) << "no folder yet";
    ASSERT_TRUE(recovery_MarkRunning(folder()));
    EXPECT_FALSE(recovery_OtherEditorRunning(folder())) << "this editor's own marker";

    OtherProcess other(true);
    ASSERT_GT(other.pid(), 0);
    const std::string marker = std::string(kRunningMarkerPrefix) + std::to_string(other.pid());
    dir.write("state/qzmed/" + marker, "x");
    EXPECT_TRUE(recovery_OtherEditorRunning(folder()));

    other.end();
    EXPECT_FALSE(recovery_OtherEditorRunning(folder())) << "it ended without a clean exit";
    EXPECT_EQ(modified(marker), -1) << "its stale marker is gone";
    EXPECT_GE(modified(std::string(kRunningMarkerPrefix) + std::to_string(::getpid())), 0);
    recovery_UnmarkRunning(folder());
    EXPECT_EQ(modified(std::string(kRunningMarkerPrefix) + std::to_string(::getpid())), -1);
}

TEST_F(Recovery, MarkersOfEndedOrOtherProgramsOrOddNamesAreNoEditor) {
    OtherProcess ended(false);
    dir.write("state/qzmed/" + std::string(kRunningMarkerPrefix) + std::to_string(ended.pid()), "x");
    dir.write("state/qzmed/" + std::string(kRunningMarkerPrefix) + "1x", "x");
    dir.write("state/qzmed/" + std::string(kRunningMarkerPrefix), "x");
    EXPECT_FALSE(recovery_OtherEditorRunning(folder()));
    if (::getppid() > 1) {
        // The parent runs another program (the test driver or a shell).
        dir.write("state/qzmed/" + std::string(kRunningMarkerPrefix) + std::to_string(::getppid()), "x");
        EXPECT_FALSE(recovery_OtherEditorRunning(folder()));
    }
}

TEST(RecoveryTime, LocalDateAndMinute) {
    const std::timespec when{0, 0};
    const std::string text = recovery_TimeText(when);
    ASSERT_EQ(text.size(), 16u);
    EXPECT_TRUE(text.rfind("1970-01-01", 0) == 0 || text.rfind("1969-12-31", 0) == 0) << text;
}

} // namespace
