// The mission named on the command line, opened into Page 1 after start-up.

#include "editor/startup_mission.h"
#include "editor_fixture.h"

#include "mission/metafile_writer.h"
#include "support/temp_dir.h"

#include <string>

namespace {

class StartupMission : public EditorTest {
  protected:
    // Writes a mission of `items` jeeps and returns its path.
    std::string writeMission(int items) {
        MissionPage& scratch = this->scratch();
        page_Clear(scratch);
        for (int i = 0; i < items; ++i)
            addItem(scratch, kTestJeepType, i * 256, 0);
        const std::string path = dir.path("start.mis");
        EXPECT_TRUE(metafile_Write(scratch, path.c_str()));
        page_Clear(scratch);
        return path;
    }

    TempDir dir;
};

TEST_F(StartupMission, OpensIntoPageOneWithTitleAndRepaints) {
    const std::string path = writeMission(3);
    screen.clearRecord();
    EXPECT_TRUE(editor_OpenMissionFile(app, path));
    EXPECT_EQ(page1().num_items, 3);
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_GE(screen.repaintCount(EditorWindow::MapView), 1);
    EXPECT_GE(screen.repaintCount(EditorWindow::ItemInfo), 1);
    EXPECT_TRUE(screen.fileRequests.empty()) << "the path is given: no file chooser";
    EXPECT_TRUE(screen.messages.empty()) << "a mission without a terrain lacks no terrain file";
}

TEST_F(StartupMission, TerrainThatCannotBeFoundIsNamed) {
    MissionPage& mission = scratch();
    page_Clear(mission);
    std::snprintf(mission.general.terrain, sizeof mission.general.terrain, "%s", "faraway");
    const std::string path = dir.path("far.mis");
    ASSERT_TRUE(metafile_Write(mission, path.c_str()));
    page_Clear(mission);
    screen.clearRecord();
    EXPECT_TRUE(editor_OpenMissionFile(app, path)) << "the mission itself was read";
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "terrain faraway lacks faraway.trn");
    EXPECT_STREQ(page1().general.terrain, "faraway") << "the page keeps the terrain it names";
}

TEST_F(StartupMission, ReplacesWhatPageOneHeld) {
    addItem(page1(), kTestHouseType);
    addItem(page1(), kTestHouseType);
    addItem(page1(), kTestHouseType);
    const std::string path = writeMission(1);
    ASSERT_TRUE(editor_OpenMissionFile(app, path));
    EXPECT_EQ(page1().num_items, 1);
}

TEST_F(StartupMission, MissingFileIsReportedAndChangesNothing) {
    addItem(page1(), kTestHouseType);
    const std::string path = dir.path("absent.mis");
    screen.clearRecord();
    EXPECT_FALSE(editor_OpenMissionFile(app, path));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find(path), std::string::npos);
    EXPECT_EQ(page1().num_items, 1);
    EXPECT_STREQ(page1().general.mission_file, "");
    EXPECT_TRUE(screen.titles.empty());
}

TEST_F(StartupMission, UnreadableFileKeepsPageOneAndItsTitleAsTheOpenCommandDoes) {
    const std::string path = dir.write("broken.mis", "this is no mission\n");
    screen.clearRecord();
    EXPECT_FALSE(editor_OpenMissionFile(app, path));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find(path), std::string::npos);
    EXPECT_STREQ(page1().general.mission_file, "");
    EXPECT_TRUE(screen.titles.empty());
}

TEST_F(StartupMission, DamagedFileIsOfferedAndOpenedAsReadOnYes) {
    std::string text = test_ReadFile(writeMission(2));
    const size_t at = text.find("  num_items 2\n");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 14, "  num_items 3\n");
    const std::string path = dir.write("start.mis", text);
    screen.clearRecord();
    screen.messageAnswers = {MsgAnswer::Yes};
    EXPECT_TRUE(editor_OpenMissionFile(app, path));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(page1().num_items, 3) << "as the reader read it";
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path + "*") << "what was read differs from the file";
}

} // namespace
