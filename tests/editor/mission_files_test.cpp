// The File menu's mission commands as the user meets them: Save and Save As, where the choosers
// start, Open with the default extension and new files, Recent Missions, the closing questions
// and the recovery of backups after a run that did not end cleanly.

#include "editor/command_ids.h"
#include "editor/file_commands.h"
#include "editor/startup_mission.h"
#include "editor_fixture.h"

#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "support/other_process.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// XDG_STATE_HOME pointed at a folder of the test for the life of the object.
class ScopedStateHome {
  public:
    explicit ScopedStateHome(const std::string& folder) {
        if (const char* old = std::getenv("XDG_STATE_HOME")) previous_ = old;
        ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    }
    ~ScopedStateHome() {
        if (previous_)
            ::setenv("XDG_STATE_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("XDG_STATE_HOME");
    }

  private:
    std::optional<std::string> previous_;
};

class MissionFiles : public EditorTest {
  protected:
    TempDir dir;
    ScopedStateHome state{dir.path("state")};

    // A mission file with `items` jeeps, written beside the test's other files.
    std::string writeMission(const std::string& name, int items) {
        MissionPage& s = scratch();
        page_Clear(s);
        for (int i = 0; i < items; ++i)
            page_AddItem(s, kTestJeepType, 256 * i, 0, 0);
        const std::string path = dir.path(name);
        EXPECT_TRUE(metafile_Write(s, path.c_str()));
        return path;
    }
    int itemsIn(const std::string& path) {
        MissionPage& s = scratch();
        return metafile_Load(s, path.c_str()) == 1 ? s.num_items : -1;
    }
};

// ---- Save and Save As -------------------------------------------------------------------------

TEST_F(MissionFiles, SaveWritesToThePagesOwnFileWithoutAsking) {
    const std::string path = writeMission("own.mis", 1);
    screen.fileAnswers = {path};
    app.command(kCmdOpen);
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.clearRecord();

    app.command(kCmdSaveInPlace);
    EXPECT_TRUE(screen.fileRequests.empty());
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(itemsIn(path), 2);
}

TEST_F(MissionFiles, SaveOfAPageWithoutAFileAsksWhere) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    const std::string path = dir.path("new.mis");
    screen.fileAnswers = {path};
    app.command(kCmdSaveInPlace);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(screen.fileRequests[0].start, "") << "no file yet: the chooser's own last folder";
    EXPECT_EQ(itemsIn(path), 1);
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);

    screen.clearRecord();
    app.command(kCmdSaveInPlace);
    EXPECT_TRUE(screen.fileRequests.empty()) << "once saved, the page has its own file";
}

TEST_F(MissionFiles, SaveAsAlwaysAsksStartingAtThePagesFile) {
    const std::string first = writeMission("first.mis", 1);
    screen.fileAnswers = {first};
    app.command(kCmdOpen);
    screen.clearRecord();

    const std::string second = dir.path("second.mis");
    screen.fileAnswers = {second};
    app.command(kCmdSave);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].start, first) << "the page's own name is offered";
    EXPECT_EQ(itemsIn(second), 1);
    EXPECT_STREQ(page1().general.mission_file, second.c_str());

    screen.clearRecord();
    app.command(kCmdSave);
    ASSERT_EQ(screen.fileRequests.size(), 1u) << "Save As asks even when the page has a file";
    EXPECT_EQ(screen.fileRequests[0].start, second);
}

TEST_F(MissionFiles, SaveKeepsAPathLongerThanTheFileField) {
    const std::string folder = dir.path(std::string(90, 'f'));
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const std::string path = folder + "/long.mis";
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.fileAnswers = {path};
    app.command(kCmdSave);
    ASSERT_EQ(std::strlen(page1().general.mission_file), size_t(kMissionFileSize - 1));

    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.clearRecord();
    app.command(kCmdSaveInPlace);
    EXPECT_TRUE(screen.fileRequests.empty());
    EXPECT_EQ(itemsIn(path), 2) << "written to the whole path, not to the cut one";
    EXPECT_FALSE(fileExists(std::string(page1().general.mission_file)));
}

TEST_F(MissionFiles, ACutPathThatIsNotKnownWholeIsNeverWrittenTo) {
    const std::string cut = dir.path(std::string(100, 'c'));
    file_StorePath(page1(), cut);
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    app.command(kCmdSaveInPlace);
    ASSERT_EQ(screen.fileRequests.size(), 1u) << "asks rather than guessing the rest";
    EXPECT_FALSE(fileExists(std::string(page1().general.mission_file)));
}

TEST_F(MissionFiles, AFailedSaveSaysSoAndKeepsThePagesFile) {
    const std::string path = writeMission("kept.mis", 1);
    screen.fileAnswers = {path};
    app.command(kCmdOpen);
    // Something other than a file now stands where the mission was: it is never replaced.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
    screen.clearRecord();
    app.command(kCmdSaveInPlace);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text.rfind("cannot write " + path, 0), 0u) << screen.messages[0].text;
    EXPECT_TRUE(screen.fileRequests.empty());
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
}

// ---- Open ---------------------------------------------------------------------------------------

TEST_F(MissionFiles, OpenStartsInTheFolderOfThePagesFile) {
    dir.write("sub/other.txt", "");
    const std::string path = writeMission("sub/a.mis", 1);
    app.command(kCmdOpen);
    EXPECT_EQ(screen.fileRequests.at(0).start, "") << "no file: the chooser's last folder";
    screen.fileAnswers = {path};
    app.command(kCmdOpen);
    screen.clearRecord();
    app.command(kCmdOpen);
    EXPECT_EQ(screen.fileRequests.at(0).start, dir.path("sub"));
}

TEST_F(MissionFiles, OpenAppliesTheDefaultExtension) {
    const std::string path = writeMission("demo.mis", 3);
    screen.fileAnswers = {dir.path("demo")};
    app.command(kCmdOpen);
    EXPECT_EQ(page1().num_items, 3);
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(MissionFiles, OpeningAFileThatDoesNotExistOffersANewMissionUnderItsName) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.fileAnswers = {dir.path("fresh")};
    screen.messageAnswers = {MsgAnswer::No, MsgAnswer::Yes}; // discard the jeep, start anew
    app.command(kCmdOpen);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[1].buttons, MsgButtons::YesNo);
    EXPECT_NE(screen.messages[1].text.find(dir.path("fresh.mis")), std::string::npos);
    EXPECT_EQ(page1().num_items, 0) << "the page is cleared";
    EXPECT_STREQ(page1().general.mission_file, dir.path("fresh.mis").c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + dir.path("fresh.mis"));
    EXPECT_FALSE(fileExists(dir.path("fresh.mis"))) << "nothing is written before a save";
    EXPECT_TRUE(app.recentMissions().entries().empty()) << "not a mission opened yet";

    screen.clearRecord();
    app.command(kCmdSaveInPlace);
    EXPECT_TRUE(screen.fileRequests.empty());
    EXPECT_TRUE(fileExists(dir.path("fresh.mis")));
}

TEST_F(MissionFiles, DecliningANewMissionLeavesThePageAlone) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.fileAnswers = {dir.path("fresh.mis")};
    screen.messageAnswers = {MsgAnswer::No};
    app.command(kCmdOpen);
    EXPECT_EQ(page1().num_items, 1);
    EXPECT_STREQ(page1().general.mission_file, "");
}

// ---- Recent missions ----------------------------------------------------------------------------

TEST_F(MissionFiles, MissionsOpenedAndSavedAreListedMostRecentFirst) {
    const std::string a = writeMission("a.mis", 1);
    const std::string b = dir.path("b.mis");
    screen.fileAnswers = {a, b};
    app.command(kCmdOpen);
    app.command(kCmdSave);
    EXPECT_EQ(app.recentMissions().entries(), (std::vector<std::string>{b, a}));
    ASSERT_FALSE(screen.recentLists.empty());
    EXPECT_EQ(screen.recentLists.back(), (std::vector<std::string>{b, a})) << "shown and stored";
}

TEST_F(MissionFiles, AFailedReadIsNoRecentMission) {
    const std::string bad = dir.write("bad.mis", "this is no mission\n");
    screen.fileAnswers = {bad};
    app.command(kCmdOpen);
    EXPECT_TRUE(app.recentMissions().entries().empty());
}

TEST_F(MissionFiles, ChoosingARecentMissionOpensItIntoTheCurrentPage) {
    const std::string a = writeMission("a.mis", 2);
    const std::string b = writeMission("b.mis", 1);
    app.setRecentMissions({b, a});
    app.command(kCmdPage2);
    app.command(kCmdRecentMissionFirst + 1);
    EXPECT_EQ(page2().num_items, 2);
    EXPECT_EQ(page1().num_items, 0);
    EXPECT_STREQ(page2().general.mission_file, a.c_str());
    EXPECT_EQ(app.recentMissions().entries(), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(screen.fileRequests.empty());
}

TEST_F(MissionFiles, AMissingRecentMissionIsDroppedWithAMessage) {
    const std::string gone = dir.path("gone.mis");
    const std::string kept = writeMission("kept.mis", 1);
    app.setRecentMissions({gone, kept});
    addItem(page1(), kTestJeepType);
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.clearRecord();
    app.command(kCmdRecentMissionFirst);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find(gone), std::string::npos);
    EXPECT_EQ(app.recentMissions().entries(), std::vector<std::string>{kept});
    EXPECT_EQ(screen.recentLists.back(), std::vector<std::string>{kept});
    EXPECT_EQ(page1().num_items, 2) << "the page stays as it was";
}

TEST_F(MissionFiles, AnEntryBeyondTheListDoesNothing) {
    app.setRecentMissions({writeMission("a.mis", 1)});
    screen.clearRecord();
    app.command(kCmdRecentMissionLast);
    EXPECT_TRUE(screen.log.empty());
}

TEST_F(MissionFiles, TheMissionOpenedAtStartIsARecentMission) {
    const std::string a = writeMission("a.mis", 1);
    EXPECT_TRUE(editor_OpenMissionFile(app, a));
    EXPECT_EQ(app.recentMissions().entries(), std::vector<std::string>{a});
}

// ---- Keys ---------------------------------------------------------------------------------------

TEST_F(MissionFiles, ControlKeysOpenSaveAndSaveAs) {
    const std::string a = writeMission("a.mis", 1);
    screen.fileAnswers = {a};
    EXPECT_TRUE(app.keyPressed(EditorKey::ControlO));
    EXPECT_EQ(page1().num_items, 1);
    screen.clearRecord();
    EXPECT_TRUE(app.keyPressed(EditorKey::ControlS));
    EXPECT_TRUE(screen.fileRequests.empty());
    EXPECT_TRUE(app.keyPressed(EditorKey::ControlShiftS));
    EXPECT_EQ(screen.fileRequests.size(), 1u);
}

// ---- Closing --------------------------------------------------------------------------------------

TEST_F(MissionFiles, ClosingAsksAboutPageTwoToo) {
    addItem(page2(), kTestJeepType);
    recordChange(kPage2);
    screen.messageAnswers = {MsgAnswer::Cancel};
    EXPECT_FALSE(app.queryClose());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find("Page 2"), std::string::npos);
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::YesNoCancel);
}

TEST_F(MissionFiles, ClosingWithBothPagesAsksPageOneThenPageTwo) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    addItem(page2(), kTestJeepType);
    recordChange(kPage2);
    const std::string path = dir.path("two.mis");
    screen.messageAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    screen.fileAnswers = {path};
    EXPECT_TRUE(app.queryClose());
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].text, "Save page 1?");
    EXPECT_EQ(itemsIn(path), 1);
    EXPECT_STREQ(page2().general.mission_file, path.c_str());
}

TEST_F(MissionFiles, ACancelledSaveOfPageTwoKeepsTheEditorOpen) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    addItem(page2(), kTestJeepType);
    recordChange(kPage2);
    const std::string path = dir.path("one.mis");
    screen.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Yes};
    screen.fileAnswers = {path};
    EXPECT_FALSE(app.queryClose());
    EXPECT_EQ(itemsIn(path), 1) << "Page 1 was saved before Page 2's chooser was cancelled";
    EXPECT_EQ(screen.fileRequests.size(), 2u);
}

// ---- Open, a recent mission and Clear on a changed page -------------------------------------------

class ChangedPageQuestion : public MissionFiles {
  protected:
    const std::string other = writeMission("other.mis", 3);
    const std::string saved = dir.path("saved.mis");
    const int commands[3] = {kCmdOpen, kCmdRecentMissionFirst, kCmdClear};

    void SetUp() override {
        MissionFiles::SetUp();
        app.setRecentMissions({other});
    }
    // Page 1 with two jeeps that were never saved.
    void changePageOne() {
        page_Clear(page1());
        addItem(page1(), kTestJeepType);
        addItem(page1(), kTestJeepType);
        recordChange(kPage1);
        screen.clearRecord();
        std::filesystem::remove(saved);
    }
    // Runs `command`; File > Open is answered with the other mission.
    void run(int command) {
        if (command == kCmdOpen) screen.fileAnswers.push_back(other);
        app.command(command);
    }
    int itemsAfter(int command) const { return command == kCmdClear ? 0 : 3; }
};

TEST_F(ChangedPageQuestion, AnUnchangedPageIsReplacedWithoutAQuestion) {
    for (int command : commands) {
        SCOPED_TRACE(command);
        run(command);
        EXPECT_TRUE(screen.messages.empty());
        EXPECT_EQ(page1().num_items, itemsAfter(command));
        screen.clearRecord();
    }
}

TEST_F(ChangedPageQuestion, NoDiscardsTheChanges) {
    for (int command : commands) {
        SCOPED_TRACE(command);
        changePageOne();
        screen.messageAnswers = {MsgAnswer::No};
        run(command);
        ASSERT_EQ(screen.messages.size(), 1u);
        EXPECT_EQ(screen.messages[0].caption, command == kCmdClear ? "Clear" : "Open");
        EXPECT_EQ(screen.messages[0].text, "Page 1 has unsaved changes. Do you want to save them first?");
        EXPECT_EQ(screen.messages[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(page1().num_items, itemsAfter(command));
        EXPECT_FALSE(fileExists(saved));
    }
}

TEST_F(ChangedPageQuestion, CancelKeepsThePageAndItsChanges) {
    for (int command : commands) {
        SCOPED_TRACE(command);
        changePageOne();
        screen.messageAnswers = {MsgAnswer::Cancel};
        run(command);
        screen.fileAnswers.clear();
        EXPECT_TRUE(screen.fileRequests.empty()) << "no chooser after Cancel";
        EXPECT_EQ(page1().num_items, 2);
        EXPECT_TRUE(app.document().isModified(kPage1));
    }
}

TEST_F(ChangedPageQuestion, YesSavesFirstThenGoesOn) {
    for (int command : commands) {
        SCOPED_TRACE(command);
        changePageOne();
        screen.messageAnswers = {MsgAnswer::Yes};
        screen.fileAnswers = {saved};
        run(command);
        ASSERT_FALSE(screen.fileRequests.empty());
        EXPECT_EQ(screen.fileRequests[0].kind, FileDialogKind::Save);
        EXPECT_EQ(itemsIn(saved), 2);
        EXPECT_EQ(page1().num_items, itemsAfter(command));
        EXPECT_EQ(app.recentMissions().entries().front(), command == kCmdClear ? saved : other);
    }
}

TEST_F(ChangedPageQuestion, YesWithACancelledOrFailedSaveKeepsThePage) {
    for (int command : commands) {
        SCOPED_TRACE(command);
        changePageOne();
        screen.messageAnswers = {MsgAnswer::Yes};
        app.command(command); // the save chooser is cancelled
        EXPECT_EQ(screen.fileRequests.size(), 1u) << "nothing opened after the cancelled save";
        EXPECT_EQ(page1().num_items, 2);
        EXPECT_TRUE(app.document().isModified(kPage1));
    }
}

TEST_F(ChangedPageQuestion, PageTwoIsAskedAboutOnPageTwoOnly) {
    addItem(page2(), kTestJeepType);
    recordChange(kPage2);
    run(kCmdClear);
    EXPECT_TRUE(screen.messages.empty()) << "Page 1 is unchanged";
    app.command(kCmdPage2);
    screen.messageAnswers = {MsgAnswer::No};
    run(kCmdClear);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Page 2 has unsaved changes. Do you want to save them first?");
    EXPECT_EQ(page2().num_items, 0);
}

// ---- Recovery -----------------------------------------------------------------------------------

TEST_F(MissionFiles, BackupsOfARunThatDidNotEndCleanlyAreOffered) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    addItem(page2(), kTestJeepType);
    addItem(page2(), kTestJeepType);
    recordChange(kPage2);
    ASSERT_EQ(app.backupTick().written, 2);
    // The run ends without closedCleanly; the next start finds empty pages.
    page_Clear(page1());
    page_Clear(page2());
    screen.messageAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(app.offerRecovery(), 2);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_NE(screen.messages[0].text.find("Page 1"), std::string::npos);
    EXPECT_NE(screen.messages[1].text.find("MEDP2BCK.MIS"), std::string::npos);
    EXPECT_EQ(page1().num_items, 0) << "declined";
    EXPECT_EQ(page2().num_items, 2);
    EXPECT_STREQ(page2().general.mission_file, "") << "saving a backup asks where";
    EXPECT_TRUE(app.document().isModified(kPage2)) << "a recovered page is saved by no file";
    EXPECT_TRUE(fileExists(dir.path("state/qzmed/MEDP1BCK.MIS"))) << "a declined backup is kept";
    EXPECT_TRUE(fileExists(dir.path("state/qzmed/MEDP2BCK.MIS")));
}

TEST_F(MissionFiles, NothingIsOfferedAfterACleanExit) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    ASSERT_EQ(app.backupTick().written, 1);
    app.closedCleanly();
    page_Clear(page1());
    EXPECT_EQ(app.offerRecovery(), 0);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(MissionFiles, ABackupStaysOfferedUntilACleanExit) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    ASSERT_EQ(app.backupTick().written, 1);
    screen.messageAnswers = {MsgAnswer::No};
    app.offerRecovery();
    screen.clearRecord();
    screen.messageAnswers = {MsgAnswer::No};
    app.offerRecovery();
    EXPECT_EQ(screen.messages.size(), 1u) << "a second crash before any clean exit offers it again";
}

TEST_F(MissionFiles, TheBackupsOfAnotherRunningEditorAreNotOffered) {
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    ASSERT_EQ(app.backupTick().written, 1);
    OtherProcess other(true); // another editor, still running
    ASSERT_GT(other.pid(), 0);
    dir.write("state/qzmed/running-" + std::to_string(other.pid()), "x");
    EXPECT_EQ(app.offerRecovery(), 0);
    EXPECT_TRUE(screen.messages.empty());
    // This editor ends cleanly while the other runs: the other's backup stays newer than that.
    app.closedCleanly();
    other.end();
    // The other ended without a clean exit: its backup is lost work now.
    screen.messageAnswers = {MsgAnswer::No};
    app.offerRecovery();
    EXPECT_EQ(screen.messages.size(), 1u);
}

TEST_F(MissionFiles, TheStartMissionDoesNotReplaceARecoveredPageOne) {
    const std::string a = writeMission("a.mis", 3);
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    EXPECT_FALSE(editor_OpenStartMission(app, a, 1));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find(a), std::string::npos);
    EXPECT_EQ(page1().num_items, 1);
    EXPECT_TRUE(editor_OpenStartMission(app, a, 2)) << "a recovered Page 2 is no obstacle";
    EXPECT_EQ(page1().num_items, 3);
}

} // namespace
