// The editor's start-up in a small game directory built by the test: options, the required and
// optional string tables, the item and sky definitions with their names, and the state the main
// window starts with.

#include "editor/command_ids.h"
#include "editor/control_layout.h"
#include "editor_fixture.h"

#include "gamedata/item_defs.h"
#include "gamedata/string_table_writer.h"
#include "gamedata/sunset_defs.h"
#include "mission/terrain_images.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kSeventyChars(70, 'x');

std::vector<uint8_t> buildTable(const std::string& source) {
    StrtabSource parsed;
    std::string error;
    EXPECT_TRUE(strtab_ParseSource(source, parsed, &error)) << error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(strtab_Build(parsed, bytes, &error)) << error;
    return bytes;
}

std::string sunsetDef(const char* name, int id) {
    return std::string("begin ") + name + "\r\n  id " + std::to_string(id) +
           "\r\n  skygrad sky\r\n  clouds cloud\r\n  skyheight 1000\r\n  horizon 1.0\r\n  gamma 128\r\n"
           "  sat 128\r\n  r 255\r\n  g 255\r\n  b 255\r\nend\r\n";
}

// A game directory with every file the start-up reads; tests leave files out or spoil them.
class GameDir {
  public:
    GameDir() {
        dir.write("TEXT.BIN", buildTable(kEditorTestTexts)); // letter case as another system wrote it
        dir.write("qz2wpn.bin", buildTable("[WPNames]\nSTRWPNAME000=Alpha\n"));
        dir.write("qz2items.bin", buildTable(std::string("[QZ2 Item Names]\nSTR_ITM0003=Field Jeep\n"
                                                         "[QZ2 Sunsets]\nSUNSET005=") +
                                             kSeventyChars + "\nSUNSET001=Dawn\n"));
        dir.write("items.def", test_ItemDefsFileText());
        dir.write("sunsets.def", sunsetDef("noon", 1) + sunsetDef("long", 5) + sunsetDef("unnamed", 9));
    }
    void remove(const char* name) { std::remove(dir.path(name).c_str()); }

    TempDir dir;
};

class EditorStartup : public ::testing::Test {
  protected:
    void SetUp() override {
        // Leftovers of earlier tests that start-up must replace.
        editorTest_InstallTexts();
        test_LoadItemDefs();
        view_Reset(view());
        view().current_page = 1;
        view().zoom = 5.0f;
    }

    StartupResult startUp(const EditorOptions& options = {}) {
        ScopedCurrentDir inGame(game.dir.path());
        return app.startUp(options);
    }

    ViewState& view() { return app.document().view(); }
    MissionPage& page1() { return app.document().page(kPage1); }
    MissionPage& page2() { return app.document().page(kPage2); }

    GameDir game;
    FakeEditorView screen;
    EditorApp app{screen};
};

TEST_F(EditorStartup, MissingInterfaceTextsStopStartUpWithAWarning) {
    game.remove("TEXT.BIN");
    EXPECT_EQ(startUp(), StartupResult::MissingTexts);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Warning: Unable to load file text.bin");
    EXPECT_EQ(screen.messages[0].caption, "");
    EXPECT_EQ(screen.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(screen.titles.empty()) << "nothing of the window may be set up";
    EXPECT_TRUE(screen.controlChecks.empty());
}

TEST_F(EditorStartup, MissingNameTableStopsStartUpWithAWarning) {
    game.remove("qz2wpn.bin");
    EXPECT_EQ(startUp(), StartupResult::MissingNames);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "Warning: Unable to load file qz2wpn.bin");
    EXPECT_EQ(screen.messages[0].caption, "");
    EXPECT_TRUE(screen.titles.empty());
}

TEST_F(EditorStartup, CompleteDirectoryStartsSilentlyWithNamesApplied) {
    ASSERT_EQ(startUp(), StartupResult::Running);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(itemdef_Count(), 10);
    EXPECT_STREQ(itemdef_Get(itemdef_FindById(kTestJeepType))->name, "Field Jeep");
    EXPECT_STREQ(itemdef_Get(itemdef_FindById(kTestSoldierType))->name, "Soldier");
    ASSERT_EQ(sunset_Count(), 3);
    EXPECT_STREQ(sunset_Get(0)->name, "Dawn");
    EXPECT_EQ(std::string(sunset_Get(1)->name), kSeventyChars.substr(0, 63));
    EXPECT_STREQ(sunset_Get(2)->name, "unnamed");
}

TEST_F(EditorStartup, MissingItemNameTableIsSilentAndKeepsTheParsedNames) {
    game.remove("qz2items.bin");
    ASSERT_EQ(startUp(), StartupResult::Running);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_STREQ(itemdef_Get(itemdef_FindById(kTestJeepType))->name, "Jeep");
    EXPECT_STREQ(sunset_Get(1)->name, "long");
}

TEST_F(EditorStartup, MissingItemDefinitionsAreReported) {
    game.remove("items.def");
    ASSERT_EQ(startUp(), StartupResult::Running);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "no item definitions\nReason: No such file or directory");
    EXPECT_EQ(screen.messages[0].caption, "");
    EXPECT_EQ(itemdef_Count(), 0);
    EXPECT_FALSE(screen.titles.empty()) << "the editor runs on";
}

TEST_F(EditorStartup, ItemDefinitionsWithoutAnyDefinitionAreReportedAfterTheBadLine) {
    game.dir.write("items.def", "nonsense line\r\n");
    ASSERT_EQ(startUp(), StartupResult::Running);
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_NE(screen.messages[0].text.find("nonsense"), std::string::npos) << screen.messages[0].text;
    EXPECT_EQ(screen.messages[1].text, "no item definitions");
}

TEST_F(EditorStartup, ABadLineKeepsTheDefinitionsReadBeforeIt) {
    game.dir.write("items.def", "begin Scout\r\n  id 100001\r\n  type person\r\nend\r\nnonsense line\r\n");
    ASSERT_EQ(startUp(), StartupResult::Running);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_NE(screen.messages[0].text.find("nonsense"), std::string::npos) << screen.messages[0].text;
    ASSERT_EQ(itemdef_Count(), 1);
    EXPECT_STREQ(itemdef_Get(0)->name, "Scout");
}

TEST_F(EditorStartup, StateAndControlsAreThoseOfANewMainWindow) {
    page_AddItem(page1(), kTestJeepType, 0, 0, 0);
    page_AddItem(page2(), kTestJeepType, 0, 0, 0);
    ASSERT_EQ(startUp(), StartupResult::Running);

    EXPECT_EQ(page1().num_items, 0);
    EXPECT_EQ(page2().num_items, 0);
    EXPECT_EQ(&app.currentPage(), &page1());
    EXPECT_STREQ(page1().groups[1].description, "Blue players");

    const ViewState& view = app.document().view();
    EXPECT_EQ(view.show_flags, 0x1F03FEu);
    EXPECT_EQ(view.zoom, 0.001f);
    EXPECT_EQ(view.current_page, 0);
    EXPECT_EQ(view.snap_to_grid, 0);
    EXPECT_EQ(view.grid_size, 0x20000);
    EXPECT_EQ(view.grid_shown, 1);

    EXPECT_EQ(screen.title(), "QZ Editor 1.43");
    EXPECT_EQ(screen.gridText, "512 m");
    EXPECT_TRUE(screen.controlChecks[kControlColorMap]);
    EXPECT_TRUE(screen.controlChecks[kControlPage1]);
    EXPECT_TRUE(screen.controlChecks[kControlGridView]);
    EXPECT_FALSE(screen.controlChecks[kControlSnapToGrid]);
    for (const ShowFlagControl& entry : ctl_ShowFlagControls())
        EXPECT_EQ(screen.controlChecks[entry.control], entry.control != kControlCharacters) << entry.control;
    EXPECT_FALSE(screen.menuChecks[kCmdInsertMode]);
    EXPECT_TRUE(screen.menuChecks[kCmdViewByType]);
    EXPECT_FALSE(screen.menuChecks[kCmdViewBySide]);
}

TEST_F(EditorStartup, OptionsReachTheEditorAndTheTerrainLoader) {
    EditorOptions options;
    options.show_all = true;
    options.sixteen_bit_depth = true;
    ASSERT_EQ(startUp(options), StartupResult::Running);
    EXPECT_TRUE(app.document().options().show_all);
    EXPECT_TRUE(terrain_FalseColourElevation());

    ASSERT_EQ(startUp(), StartupResult::Running);
    EXPECT_FALSE(app.document().options().show_all);
    EXPECT_FALSE(terrain_FalseColourElevation());
}

TEST_F(EditorStartup, GameDirectoryOptionIsEnteredBeforeLoading) {
    TempDir elsewhere;
    ScopedCurrentDir away(elsewhere.path());
    EditorOptions options;
    options.game_directory = game.dir.path();
    EXPECT_EQ(app.startUp(options), StartupResult::Running);
    EXPECT_TRUE(screen.messages.empty());

    options.game_directory = game.dir.path("missing");
    EXPECT_EQ(app.startUp(options), StartupResult::NoDirectory);
    EXPECT_EQ(screen.messages.size(), 1u);
}

TEST(EditorOptions, OptionsAreWholeArgumentsInAnyLetterCase) {
    const char* argv[] = {"qzmed", "/showall", "/16"};
    const EditorOptions options = editor_ParseOptions(3, argv);
    EXPECT_TRUE(options.show_all);
    EXPECT_TRUE(options.sixteen_bit_depth);
}

TEST(EditorOptions, PathsContainingAnOptionSwitchNothingOn) {
    const char* argv[] = {"qzmed", "/home/user/16/mission.mis", "/tmp/16", "/SHOWALLX", "x/16", nullptr};
    const EditorOptions options = editor_ParseOptions(6, argv);
    EXPECT_FALSE(options.show_all);
    EXPECT_FALSE(options.sixteen_bit_depth);
}

TEST(EditorOptions, GameDirectoryFollowsItsOption) {
    const char* argv[] = {"qzmed", "--game", "/games/qz", "/16"};
    const EditorOptions options = editor_ParseOptions(4, argv);
    EXPECT_EQ(options.game_directory, "/games/qz");
    EXPECT_TRUE(options.sixteen_bit_depth);
    const char* dangling[] = {"qzmed", "--game"};
    EXPECT_EQ(editor_ParseOptions(2, dangling).game_directory, "");
}

TEST_F(EditorStartup, OffscreenImageIsSixteenAlignedAndWiderThanTheView) {
    ASSERT_TRUE(app.createOffscreenImage(1000, 700));
    EXPECT_EQ(app.image().width(), 1008);
    EXPECT_EQ(app.image().height(), 700);
    ASSERT_TRUE(app.createOffscreenImage(1008, 700));
    EXPECT_EQ(app.image().width(), 1024);
    EXPECT_EQ(app.renderMap(), 1);
}

TEST_F(EditorStartup, OffscreenImageThatCannotBeMadeIsReportedAndNothingIsDrawn) {
    EXPECT_FALSE(app.createOffscreenImage(0, 700));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "no image");
    EXPECT_EQ(app.renderMap(), 0);
}

} // namespace
