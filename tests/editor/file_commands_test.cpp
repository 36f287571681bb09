// The file commands: filters, open, save, export and reports, through the scripted file chooser.

#include "editor/command_ids.h"
#include "editor/file_commands.h"
#include "editor_fixture.h"

#include "mission/metafile_writer.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <cstring>
#include <string>

namespace {

class FileCommands : public EditorTest {
  protected:
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
    addItem(page_Page2(), kTestJeepType);
    app.command(kCmdPage2);
    const std::string path = dir.path("two.mis");
    screen.fileAnswers = {path};
    app.command(kCmdSave);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(screen.fileRequests[0].filter.pattern, "*.mis");
    EXPECT_STREQ(page_Page2().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_NE(test_ReadFile(path).find("  num_items 1\n"), std::string::npos);
}

TEST_F(FileCommands, FailedSaveReportsKeepsThePreviousFileAndReturnsFalse) {
    addItem(page_Page1(), kTestJeepType);
    const std::string blocked = dir.path("blocked");
    dir.write("blocked/old.txt", "previous");
    // The target is a folder: the new file can be written beside it but never put in its place.
    screen.fileAnswers = {blocked};
    EXPECT_FALSE(SaveMission(screen, page_Page1()));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "cannot write " + blocked + "\nReason: Is a directory");
    EXPECT_EQ(test_ReadFile(dir.path("blocked/old.txt")), "previous");
    EXPECT_STREQ(page_Page1().general.mission_file, "");
}

TEST_F(FileCommands, CancelledSaveWritesNothingAndReturnsFalse) {
    addItem(page_Page1(), kTestJeepType);
    EXPECT_FALSE(SaveMission(screen, page_Page1()));
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(FileCommands, LongPathsAreCutToTheFileField) {
    const std::string path = dir.path(std::string(100, 'n') + ".mis");
    screen.fileAnswers = {path};
    ASSERT_TRUE(SaveMission(screen, page_Page1()));
    EXPECT_EQ(std::string(page_Page1().general.mission_file), path.substr(0, kMissionFileSize - 1));
}

TEST_F(FileCommands, OpenReadsIntoTheCurrentPageAndTitlesThePath) {
    addItem(page_Page1(), kTestJeepType, 1024, 2048);
    addItem(page_Page1(), kTestTreeType);
    const std::string path = dir.path("saved.mis");
    ASSERT_TRUE(metafile_Write(page_Page1(), path.c_str()));
    page_Clear(page_Page1());
    app.command(kCmdPage2);
    screen.clearRecord();

    screen.fileAnswers = {path};
    app.command(kCmdOpen);
    EXPECT_EQ(screen.fileRequests.at(0).kind, FileDialogKind::Open);
    ASSERT_EQ(page_Page2().num_items, 2);
    EXPECT_EQ(page_Page2().items[0].position[1], 2048);
    EXPECT_EQ(page_Page1().num_items, 0);
    EXPECT_STREQ(page_Page2().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_GE(screen.repaintCount(EditorWindow::ItemInfo), 1);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(FileCommands, OpenNamesTheTerrainFilesThatCannotBeFound) {
    dir.write("valley.trn", "terrain_name \"Valley\"\r\ncolor_map valley_c.tga\r\nelev_map valley_e.r16\r\n");
    dir.write("valley_e.r16", std::string(8, '\0'));
    std::snprintf(page_Page1().general.terrain, sizeof page_Page1().general.terrain, "%s", "valley");
    const std::string path = dir.path("valley.mis");
    ASSERT_TRUE(metafile_Write(page_Page1(), path.c_str()));
    page_Clear(page_Page1());
    screen.clearRecord();
    const ScopedCurrentDir inGameFolder(dir.path());
    screen.fileAnswers = {path};
    EXPECT_TRUE(OpenMission(screen, page_Page1()));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Warning");
    EXPECT_EQ(screen.messages[0].text, "terrain valley lacks valley_c.tga") << "the elevation file is there";
}

TEST_F(FileCommands, CancelledOpenLeavesThePageAlone) {
    addItem(page_Page1(), kTestJeepType);
    app.command(kCmdOpen);
    EXPECT_EQ(page_Page1().num_items, 1);
    EXPECT_EQ(screen.title(), "QZ Editor 1.43");
}

TEST_F(FileCommands, ExportWritesTheBinaryMission) {
    addItem(page_Page1(), kTestJeepType);
    const std::string path = dir.path("out.bms");
    screen.fileAnswers = {path};
    app.command(kCmdExport);
    ASSERT_EQ(screen.fileRequests.size(), 1u);
    EXPECT_EQ(screen.fileRequests[0].filter.pattern, "*.bms");
    EXPECT_FALSE(test_ReadFile(path).empty());
    EXPECT_FALSE(ExportMission(screen, page_Page1())) << "cancelled";
}

TEST_F(FileCommands, ReportsAskForATextFileAndRefuseEventsThePageLacks) {
    MissionPage& page = page_Page1();
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
