// Closing the editor (the "SAVE_PAGE_1?" question) and the ten-minute backups.

#include "editor/backup.h"
#include "editor/command_ids.h"
#include "editor_fixture.h"

#include "mission/metafile_reader.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace {

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Sets an environment variable for the life of the object (unset when `value` is null).
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (previous_)
            ::setenv(name_.c_str(), previous_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

class EditorShutdown : public EditorTest {};

TEST_F(EditorShutdown, EmptyPagesCloseWithoutAsking) {
    EXPECT_TRUE(app.queryClose());
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(EditorShutdown, PageOneWithItemsAsksTheExitQuestion) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.messageAnswers = {MsgAnswer::No};
    EXPECT_TRUE(app.queryClose());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Exit");
    EXPECT_EQ(screen.messages[0].text, "Save page 1?");
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(screen.messages[0].icon, MsgIcon::Question);
    EXPECT_TRUE(screen.fileRequests.empty());
}

TEST_F(EditorShutdown, PageOneWithOnlyATerrainAsksToo) {
    std::strcpy(page1().general.terrain, "hills");
    recordChange(kPage1);
    screen.messageAnswers = {MsgAnswer::Cancel};
    EXPECT_FALSE(app.queryClose());
    EXPECT_EQ(screen.messages.size(), 1u);
}

TEST_F(EditorShutdown, YesWithACancelledSaveKeepsTheEditorOpen) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.messageAnswers = {MsgAnswer::Yes};
    EXPECT_FALSE(app.queryClose());
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].kind, FileDialogKind::Save);
}

TEST_F(EditorShutdown, YesWithAFailedSaveKeepsTheEditorOpenAndSaysSo) {
    TempDir dir;
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    const std::string path = dir.path("no-such-folder/a.mis");
    screen.messageAnswers = {MsgAnswer::Yes};
    screen.fileAnswers = {path};
    EXPECT_FALSE(app.queryClose());
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[1].text, "cannot write " + path + "\nReason: No such file or directory");
    EXPECT_STREQ(page1().general.mission_file, "");
}

TEST_F(EditorShutdown, YesWithASavedPageCloses) {
    TempDir dir;
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    const std::string path = dir.path("a.mis");
    screen.messageAnswers = {MsgAnswer::Yes};
    screen.fileAnswers = {path};
    EXPECT_TRUE(app.queryClose());
    EXPECT_TRUE(fileExists(path));
}

TEST_F(EditorShutdown, ExitCommandQuitsOnlyWhenTheQuestionAllowsIt) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.messageAnswers = {MsgAnswer::Cancel};
    app.command(kCmdExit);
    EXPECT_TRUE(screen.quits.empty());
    screen.messageAnswers = {MsgAnswer::No};
    app.contextCommand(kCmdExit);
    EXPECT_EQ(screen.quits, std::vector<int>{0});
}

// ---- Backups ----------------------------------------------------------------------------------

class EditorBackup : public EditorTest {
  protected:
    TempDir dir;
    ScopedEnv state{"XDG_STATE_HOME", dir.path("state").c_str()};
    std::string folder() const { return dir.path("state/qzmed/"); }
};

TEST_F(EditorBackup, FolderFollowsXdgStateHomeThenHome) {
    EXPECT_EQ(backup_Folder(), folder());
    {
        ScopedEnv noState("XDG_STATE_HOME", nullptr);
        ScopedEnv home("HOME", "/home/tester");
        EXPECT_EQ(backup_Folder(), "/home/tester/.local/state/qzmed/");
        ScopedEnv relative("XDG_STATE_HOME", "relative/state");
        EXPECT_EQ(backup_Folder(), "/home/tester/.local/state/qzmed/")
            << "a relative state folder is ignored";
    }
}

TEST_F(EditorBackup, TickWritesOnlyPagesWithItemsIntoANewFolder) {
    addItem(page1(), kTestJeepType, 512, 768);
    recordChange(kPage1);
    std::strcpy(page2().general.terrain, "hills"); // a mission, but no items
    recordChange(kPage2);
    const BackupWriter::Result result = app.backupTick();
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.failed, 0);
    EXPECT_TRUE(fileExists(folder() + "MEDP1BCK.MIS"));
    EXPECT_FALSE(fileExists(folder() + "MEDP2BCK.MIS"));
    EXPECT_TRUE(screen.messages.empty());

    ASSERT_EQ(metafile_Load(scratch(), (folder() + "MEDP1BCK.MIS").c_str()), 1);
    ASSERT_EQ(scratch().num_items, 1);
    EXPECT_EQ(scratch().items[0].position[0], 512);
}

TEST_F(EditorBackup, TickWritesBothPagesUnderTheirOwnNames) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    addItem(page2(), kTestTreeType);
    recordChange(kPage2);
    addItem(page2(), kTestTreeType);
    recordChange(kPage2);
    EXPECT_EQ(app.backupTick().written, 2);
    ASSERT_EQ(metafile_Load(scratch(), (folder() + "MEDP2BCK.MIS").c_str()), 1);
    EXPECT_EQ(scratch().num_items, 2);
}

TEST_F(EditorBackup, FailuresAreReportedOnceUntilABackupSucceedsAgain) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    dir.write("state", "a file where the folder should be");
    EXPECT_EQ(app.backupTick().failed, 1);
    EXPECT_EQ(app.backupTick().failed, 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "cannot write " + folder() + "MEDP1BCK.MIS\nReason: Not a directory");

    std::remove(dir.path("state").c_str());
    EXPECT_EQ(app.backupTick().written, 1);
    EXPECT_EQ(screen.messages.size(), 1u);

    std::filesystem::remove_all(dir.path("state"));
    dir.write("state", "in the way again");
    EXPECT_EQ(app.backupTick().failed, 1);
    EXPECT_EQ(screen.messages.size(), 2u) << "a new failure after a success is reported again";
}

TEST_F(EditorBackup, NothingToBackUpWritesNothing) {
    const BackupWriter::Result result = app.backupTick();
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(result.failed, 0);
    EXPECT_FALSE(fileExists(folder()));
}

} // namespace
