// The file commands: filters, open, save, export and reports, through the scripted file chooser.

#include "editor/command_ids.h"
#include "editor/file_commands.h"
#include "editor_fixture.h"

#include "mission/metafile_writer.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

class FileCommands : public EditorTest {
  protected:
    // A mission of `items` jeeps whose num_items line says `declared` (the blocks of the others
    // are missing when it says more): a damaged file when the two differ.
    std::string writeMission(const char* name, int items, int declared) {
        auto written = std::make_unique<MissionPage>();
        for (int i = 0; i < items; ++i)
            page_AddItem(*written, kTestJeepType, 256 * (i + 1), 512, 0);
        const std::string path = dir.path(name);
        EXPECT_TRUE(metafile_Write(*written, path.c_str()));
        std::string text = test_ReadFile(path);
        const std::string count = "  num_items " + std::to_string(items) + "\n";
        const size_t at = text.find(count);
        EXPECT_NE(at, std::string::npos);
        text.replace(at, count.size(), "  num_items " + std::to_string(declared) + "\n");
        return dir.write(name, text);
    }

    // Page 1 as a page the user works on: one house, its own file, group 1 without a name.
    void fillPageOne() {
        addItem(page1(), kTestHouseType, 4096, 8192);
        file_StorePath(page1(), "/missions/kept.mis");
        page1().groups[1].description[0] = '\0';
        app.updateTitle();
        screen.clearRecord();
    }

    void expectPageOneKept() {
        ASSERT_EQ(page1().num_items, 1);
        EXPECT_EQ(page1().items[0].type_id, kTestHouseType);
        EXPECT_EQ(page1().items[0].position[1], 8192);
        EXPECT_STREQ(page1().general.mission_file, "/missions/kept.mis");
        EXPECT_STREQ(page1().groups[1].description, "")
            << "the read on the side names no group of the kept page";
        EXPECT_TRUE(screen.titles.empty()) << "the title stays";
    }

    TempDir dir;
};

TEST_F(FileCommands, FiltersComeFromTheFileTexts) {
    const FileFilter mission = file_MissionFilter();
    EXPECT_EQ(mission.description, "Missions");
    EXPECT_EQ(mission.pattern, "*.mis");
    EXPECT_EQ(mission.default_extension, "mis");
    const FileFilter binary = file_BinaryFilter();
    EXPECT_EQ(binary.description, "Binary missions");
    EXPECT_EQ(binary.pattern, "*.bms");
    EXPECT_EQ(binary.default_extension, "bms") << "a typed name must not become a mission file";
    const FileFilter text = file_TextFilter();
    EXPECT_EQ(text.pattern, "*.txt");
    EXPECT_EQ(text.default_extension, "txt");
}

TEST_F(FileCommands, PatternExtensionIsEmptyForWildcardsAndLists) {
    EXPECT_EQ(file_PatternExtension("*.MIS"), "MIS");
    EXPECT_EQ(file_PatternExtension("*.*"), "");
    EXPECT_EQ(file_PatternExtension("*.m?s"), "");
    EXPECT_EQ(file_PatternExtension("*.mis;*.txt"), "");
    EXPECT_EQ(file_PatternExtension("*"), "");
}

TEST_F(FileCommands, SaveWritesTheCurrentPageAndTitlesItsPath) {
    addItem(page2(), kTestJeepType);
    app.command(kCmdPage2);
    const std::string path = dir.path("two.mis");
    screen.fileAnswers = {path};
    app.command(kCmdSave);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(screen.fileRequests[0].filter.pattern, "*.mis");
    EXPECT_STREQ(page2().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_NE(test_ReadFile(path).find("  num_items 1\n"), std::string::npos);
}

TEST_F(FileCommands, FailedSaveReportsKeepsThePreviousFileAndReturnsFalse) {
    addItem(page1(), kTestJeepType);
    const std::string blocked = dir.path("blocked");
    dir.write("blocked/old.txt", "previous");
    // The target is a folder: the new file can be written beside it but never put in its place.
    screen.fileAnswers = {blocked};
    EXPECT_FALSE(SaveMission(screen, page1()));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "cannot write " + blocked + "\nReason: Is a directory");
    EXPECT_EQ(test_ReadFile(dir.path("blocked/old.txt")), "previous");
    EXPECT_STREQ(page1().general.mission_file, "");
}

TEST_F(FileCommands, CancelledSaveWritesNothingAndReturnsFalse) {
    addItem(page1(), kTestJeepType);
    EXPECT_FALSE(SaveMission(screen, page1()));
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(FileCommands, LongPathsAreCutToTheFileField) {
    const std::string path = dir.path(std::string(100, 'n') + ".mis");
    screen.fileAnswers = {path};
    ASSERT_TRUE(SaveMission(screen, page1()));
    EXPECT_EQ(std::string(page1().general.mission_file), path.substr(0, kMissionFileSize - 1));
}

TEST_F(FileCommands, OpenReadsIntoTheCurrentPageAndTitlesThePath) {
    addItem(page1(), kTestJeepType, 1024, 2048);
    addItem(page1(), kTestTreeType);
    const std::string path = dir.path("saved.mis");
    ASSERT_TRUE(metafile_Write(page1(), path.c_str()));
    page_Clear(page1());
    app.command(kCmdPage2);
    screen.clearRecord();

    screen.fileAnswers = {path};
    app.command(kCmdOpen);
    EXPECT_EQ(screen.fileRequests.at(0).kind, FileDialogKind::Open);
    ASSERT_EQ(page2().num_items, 2);
    EXPECT_EQ(page2().items[0].position[1], 2048);
    EXPECT_EQ(page1().num_items, 0);
    EXPECT_STREQ(page2().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_GE(screen.repaintCount(EditorWindow::ItemInfo), 1);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(FileCommands, OpenNamesTheTerrainFilesThatCannotBeFound) {
    dir.write("valley.trn", "terrain_name \"Valley\"\r\ncolor_map valley_c.tga\r\nelev_map valley_e.r16\r\n");
    dir.write("valley_e.r16", std::string(8, '\0'));
    std::snprintf(page1().general.terrain, sizeof page1().general.terrain, "%s", "valley");
    const std::string path = dir.path("valley.mis");
    ASSERT_TRUE(metafile_Write(page1(), path.c_str()));
    page_Clear(page1());
    screen.clearRecord();
    const ScopedCurrentDir inGameFolder(dir.path());
    screen.fileAnswers = {path};
    EXPECT_EQ(OpenMission(screen, app.document(), page1()), OpenOutcome::Opened);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Warning");
    EXPECT_EQ(screen.messages[0].text, "terrain valley lacks valley_c.tga") << "the elevation file is there";
}

TEST_F(FileCommands, CancelledOpenLeavesThePageAlone) {
    addItem(page1(), kTestJeepType);
    app.command(kCmdOpen);
    EXPECT_EQ(page1().num_items, 1);
    EXPECT_TRUE(screen.titles.empty()) << "the title stays";
    EXPECT_TRUE(screen.messages.empty());
}

// ---- Open keeps the page unless the file is to be used ----------------------------------------

TEST_F(FileCommands, DamagedMissionShowsItsProblemsAndNoKeepsThePage) {
    fillPageOne();
    const std::string path = writeMission("short.mis", 2, 5);
    screen.fileAnswers = {path};
    screen.messageAnswers = {MsgAnswer::No};
    EXPECT_EQ(OpenMission(screen, app.document(), page1()), OpenOutcome::Kept);
    ASSERT_EQ(screen.messages.size(), 1u);
    const CapturedMessage& asked = screen.messages[0];
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_NE(asked.text.find("num_items is 5, but there is no item block for 2-4."), std::string::npos)
        << asked.text;
    EXPECT_NE(asked.text.find("The mission file " + path + " is damaged. Open what could be read?"),
              std::string::npos)
        << asked.text;
    expectPageOneKept();
}

TEST_F(FileCommands, DamagedMissionOpenedWithYesHoldsWhatWasReadUnderItsPath) {
    fillPageOne();
    const std::string path = writeMission("short.mis", 2, 5);
    screen.fileAnswers = {path};
    screen.messageAnswers = {MsgAnswer::Yes};
    app.command(kCmdOpen);
    ASSERT_EQ(screen.messages.size(), 1u);
    // As the reader read it: the declared count, with the slots of the missing blocks blank.
    ASSERT_EQ(page1().num_items, 5);
    EXPECT_EQ(page1().items[1].type_id, kTestJeepType);
    EXPECT_EQ(page1().items[1].position[0], 512);
    EXPECT_EQ(page1().items[4].type_id, 0);
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path + "*") << "what was read differs from the file";
    EXPECT_TRUE(app.document().isModified(kPage1));
    EXPECT_STREQ(page1().groups[1].description, "Blue players") << "named as a read in place names them";
    EXPECT_GE(screen.repaintCount(EditorWindow::MapView), 1);
}

TEST_F(FileCommands, FileThatCannotBeReadIsReportedWithItsReasonAndKeepsThePage) {
    fillPageOne();
    const std::string folder = dir.path("folder.mis");
    dir.write("folder.mis/inside.txt", "x");
    const std::string missing = dir.path("missing.mis");
    screen.fileAnswers = {folder, missing};
    screen.messageAnswers = {MsgAnswer::Ok, MsgAnswer::No};
    EXPECT_EQ(OpenMission(screen, app.document(), page1()), OpenOutcome::Kept);
    // A name under which nothing exists is offered as a new mission; No keeps the page.
    EXPECT_EQ(OpenMission(screen, app.document(), page1()), OpenOutcome::Cancelled);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(screen.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(screen.messages[0].text, "The file " + folder + " could not be read.\nReason: Is a directory");
    EXPECT_EQ(screen.messages[1].buttons, MsgButtons::YesNo);
    expectPageOneKept();
}

TEST_F(FileCommands, FileThatIsNoMissionIsNamedWithoutAQuestionAndKeepsThePage) {
    fillPageOne();
    static constexpr char kPngStart[] = "\x89PNG\r\n\x1a\n\x01\x02 junk\n";
    const std::string path = dir.write("picture.mis", std::string(kPngStart, sizeof kPngStart - 1));
    screen.fileAnswers = {path};
    EXPECT_EQ(OpenMission(screen, app.document(), page1()), OpenOutcome::Kept);
    ASSERT_EQ(screen.messages.size(), 1u);
    const CapturedMessage& shown = screen.messages[0];
    EXPECT_EQ(shown.buttons, MsgButtons::Ok) << "nothing was read: nothing to offer";
    EXPECT_NE(shown.text.find("The mission file " + path + " is damaged."), std::string::npos) << shown.text;
    EXPECT_EQ(shown.text.find('\x01'), std::string::npos) << "the quoted line is escaped: " << shown.text;
    expectPageOneKept();
}

TEST_F(FileCommands, CleanOpenIntoPageTwoLeavesPageOneAndItsGroupsAlone) {
    fillPageOne();
    app.command(kCmdPage2);
    const std::string path = writeMission("clean.mis", 3, 3);
    screen.clearRecord();
    screen.fileAnswers = {path};
    EXPECT_EQ(OpenMission(screen, app.document(), page2()), OpenOutcome::Opened);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(page2().num_items, 3);
    EXPECT_STREQ(page2().groups[2].description, "Red players");
    EXPECT_EQ(&app.currentPage(), &page2()) << "the stand-in is undone";
    app.command(kCmdPage1);
    screen.clearRecord();
    expectPageOneKept();
}

TEST_F(FileCommands, ExportWritesTheBinaryMission) {
    addItem(page1(), kTestJeepType);
    const std::string path = dir.path("out.bms");
    screen.fileAnswers = {path};
    app.command(kCmdExport);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].filter.pattern, "*.bms");
    EXPECT_FALSE(test_ReadFile(path).empty());
    EXPECT_FALSE(ExportMission(screen, page1())) << "cancelled";
}

TEST_F(FileCommands, ReportsAskForATextFileAndRefuseEventsThePageLacks) {
    MissionPage& page = page1();
    std::strcpy(page.groups[3].description, "Assault team");
    const std::string path = dir.path("groups.txt");
    screen.fileAnswers = {path};
    EXPECT_TRUE(WriteReport(screen, page, ReportKind::GroupList));
    EXPECT_EQ(screen.fileRequests.at(0).filter.pattern, "*.txt");
    EXPECT_NE(test_ReadFile(path).find("Assault team"), std::string::npos);

    screen.clearRecord();
    EXPECT_FALSE(WriteReport(screen, page, ReportKind::Event, 0));
    EXPECT_TRUE(screen.fileRequests.empty()) << "no event 0: nothing to ask for";
}

} // namespace
