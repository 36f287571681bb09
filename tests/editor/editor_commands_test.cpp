// The command table's effects on the view state, the pages and the screen.

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "editor/control_layout.h"
#include "editor/dialog_memory.h"
#include "editor/mouse_tool.h"
#include "editor_fixture.h"
#include "gamedata/item_defs.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class EditorCommands : public EditorTest {};

// ---- View settings ----------------------------------------------------------------------------

TEST_F(EditorCommands, MapModeCommandsSetTheModeCheckTheirRadioAndRepaintTheMap) {
    const int commands[] = {kCmdDepthMap, kCmdFirstOrderMap, kCmdColorMap};
    const int radios[] = {kControlDepthMap, kControlFirstOrderMap, kControlColorMap};
    const int modes[] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) {
        screen.clearRecord();
        ASSERT_TRUE(app.command(commands[i]));
        EXPECT_EQ(view().map_mode, modes[i]);
        EXPECT_TRUE(screen.controlChecks[radios[i]]);
        EXPECT_EQ(screen.menuChecks.count(kCmdInsertMode), 1u) << "menu checks were not updated";
        EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);
        EXPECT_EQ(screen.redraws, 0);
    }
}

// The bits, check boxes and commands of the show flags, as the main window documents them.
struct ShowFlagCase {
    uint32_t bit;
    int control;
    int command;
};
constexpr ShowFlagCase kShowFlagCases[] = {
    {0x2, 1017, 148},     {0x4, 1021, 151},      {0x8, 1018, 149},      {0x10, 1022, 153},
    {0x20, 1019, 152},    {0x40, 1020, 150},     {0x80, 1041, 228},     {0x100, 1042, 229},
    {0x200, 1044, 1045},  {0x10000, 1025, 217},  {0x20000, 1023, 154},  {0x40000, 1024, 155},
    {0x80000, 1046, 220}, {0x100000, 1047, 221}, {0x200000, 1026, 233},
};

TEST_F(EditorCommands, EachShowFlagCommandTogglesOnlyItsBitAndItsCheckBox) {
    for (const ShowFlagCase& c : kShowFlagCases) {
        const uint32_t before = view().show_flags;
        screen.clearRecord();
        ASSERT_TRUE(app.command(c.command)) << c.command;
        EXPECT_EQ(view().show_flags, before ^ c.bit) << c.command;
        ASSERT_EQ(screen.controlChecks.count(c.control), 1u) << c.command;
        EXPECT_EQ(screen.controlChecks[c.control], (view().show_flags & c.bit) != 0) << c.command;
        EXPECT_EQ(screen.controlChecks.size(), 1u) << c.command << " touched another control";
        EXPECT_EQ(screen.redraws, 1) << c.command;
        EXPECT_EQ(screen.menuChecks.count(kCmdViewBySide), 1u) << c.command;

        app.command(c.command);
        EXPECT_EQ(view().show_flags, before) << c.command;
        EXPECT_EQ(screen.controlChecks[c.control], (before & c.bit) != 0) << c.command;
    }
}

TEST_F(EditorCommands, GridLargerDoublesUpTo4096MetresAndNoFurther) {
    view().grid_size = 0x80000;
    app.command(kCmdGridLarger);
    EXPECT_EQ(view().grid_size, 0x100000);
    EXPECT_EQ(screen.gridText, "4096 m");
    screen.clearRecord();
    app.command(kCmdGridLarger);
    EXPECT_EQ(view().grid_size, 0x100000);
    EXPECT_EQ(screen.gridText, "4096 m");
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);
}

TEST_F(EditorCommands, GridSmallerHalvesDownToOneUnitAndNoFurther) {
    view().grid_size = 2;
    app.command(kCmdGridSmaller);
    EXPECT_EQ(view().grid_size, 1);
    app.command(kCmdGridSmaller);
    EXPECT_EQ(view().grid_size, 1);
    EXPECT_EQ(screen.gridText, "0.390625 cm");
}

TEST_F(EditorCommands, GridSizeChangesRepaintTheMapOnlyWhileTheGridIsShown) {
    view().grid_shown = 0;
    app.command(kCmdGridSmaller);
    EXPECT_EQ(view().grid_size, 0x10000);
    EXPECT_EQ(screen.gridText, "256 m");
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 0);
    EXPECT_EQ(screen.redraws, 0);
}

TEST_F(EditorCommands, SnapAndGridViewToggleWithTheirCheckBoxes) {
    ASSERT_EQ(view().snap_to_grid, 0);
    app.command(kCmdToggleSnap);
    EXPECT_EQ(view().snap_to_grid, 1);
    EXPECT_TRUE(screen.controlChecks[kControlSnapToGrid]);
    EXPECT_EQ(screen.redraws, 0);

    app.command(kCmdToggleGrid);
    EXPECT_EQ(view().grid_shown, 0);
    EXPECT_FALSE(screen.controlChecks[kControlGridView]);
    EXPECT_EQ(screen.redraws, 1);
}

TEST_F(EditorCommands, InsertModeAndViewByUpdateTheMenuChecks) {
    app.command(kCmdInsertMode);
    EXPECT_EQ(view().insert_mode, 1);
    EXPECT_TRUE(screen.menuChecks[kCmdInsertMode]);
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);

    app.command(kCmdViewBySide);
    EXPECT_EQ(view().view_by, kViewBySide);
    EXPECT_FALSE(screen.menuChecks[kCmdViewByType]);
    EXPECT_TRUE(screen.menuChecks[kCmdViewBySide]);
    EXPECT_EQ(screen.redraws, 1);

    app.command(kCmdViewByType);
    EXPECT_EQ(view().view_by, kViewByType);
    EXPECT_TRUE(screen.menuChecks[kCmdViewByType]);
    EXPECT_FALSE(screen.menuChecks[kCmdViewBySide]);

    app.command(kCmdInsertMode);
    EXPECT_EQ(view().insert_mode, 0);
    EXPECT_FALSE(screen.menuChecks[kCmdInsertMode]);
}

// ---- Pages ------------------------------------------------------------------------------------

TEST_F(EditorCommands, PageSwitchMakesThePageCurrentAndTitlesItsFile) {
    std::strcpy(page2().general.mission_file, "second.mis");
    app.command(kCmdPage2);
    EXPECT_EQ(view().current_page, 1);
    EXPECT_EQ(&app.currentPage(), &page2());
    EXPECT_EQ(&app.currentPage(), &page2());
    EXPECT_TRUE(screen.controlChecks[kControlPage2]);
    EXPECT_FALSE(screen.controlChecks[kControlPage1]);
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - second.mis");
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);

    app.command(kCmdPage1);
    EXPECT_EQ(view().current_page, 0);
    EXPECT_EQ(&app.currentPage(), &page1());
    EXPECT_EQ(screen.title(), "QZ Editor 1.43");
}

TEST_F(EditorCommands, PressingTheCurrentPageDoesNothing) {
    app.command(kCmdPage1);
    EXPECT_EQ(screen.log, Strings{});
    app.buttonClicked(kControlPage1);
    EXPECT_EQ(screen.log, Strings{});
}

TEST_F(EditorCommands, ClearEmptiesOnlyTheCurrentPageAndResetsTheTitle) {
    addItem(page1(), kTestJeepType);
    addItem(page2(), kTestJeepType);
    app.command(kCmdPage2);
    std::strcpy(page2().general.mission_file, "second.mis");
    screen.clearRecord();

    app.command(kCmdClear);
    EXPECT_EQ(page2().num_items, 0);
    EXPECT_EQ(page1().num_items, 1);
    // The cleared page differs from what was opened: the title marks it changed.
    EXPECT_EQ(screen.title(), "QZ Editor 1.43*");
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);
    EXPECT_EQ(screen.repaintCount(EditorWindow::ItemInfo), 1);
}

// ---- Selection --------------------------------------------------------------------------------

TEST_F(EditorCommands, DeleteRemovesTheSelectedItemsOfTheCurrentPage) {
    MissionPage& page = page1();
    for (int i = 0; i < 3; ++i)
        addItem(page, kTestJeepType, i * 256);
    sel_Add(page, 0);
    sel_Add(page, 2);
    app.command(kCmdDelete);
    ASSERT_EQ(page.num_items, 1);
    EXPECT_EQ(page.items[0].position[0], 256);
    EXPECT_EQ(page.selection.count, 0);
    EXPECT_EQ(screen.repaintCount(EditorWindow::ItemInfo), 1);
    EXPECT_EQ(screen.redraws, 1);
}

TEST_F(EditorCommands, UnselectAllAndHidingWorkOnTheCurrentPage) {
    MissionPage& page = page1();
    for (int i = 0; i < 3; ++i)
        addItem(page, kTestJeepType);
    sel_Add(page, 1);

    app.command(kCmdHideUnselected);
    EXPECT_EQ(page.items[0].hidden, 1);
    EXPECT_EQ(page.items[1].hidden, 0);
    EXPECT_EQ(page.items[2].hidden, 1);
    EXPECT_EQ(page.selection.count, 1);

    app.command(kCmdHideSelected);
    EXPECT_EQ(page.items[1].hidden, 1);
    EXPECT_EQ(page.selection.count, 0) << "hide selected leaves the selection empty";

    app.command(kCmdUnhideAll);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(page.items[i].hidden, 0);

    sel_Add(page, 0);
    screen.clearRecord();
    app.command(kCmdUnselectAll);
    EXPECT_EQ(page.selection.count, 0);
    EXPECT_EQ(screen.log, (Strings{"redraw", "repaint:item"}));
}

TEST_F(EditorCommands, EditingCommandsWorkThroughTheClipboardAndTheMouseTools) {
    MissionPage& page = page1();
    addItem(page, kTestJeepType);
    page.items[0].position[0] = 5 * 256;
    sel_Add(page, 0);

    ASSERT_TRUE(app.command(kCmdCopy));
    EXPECT_EQ(clipboard().num_items, 1);
    EXPECT_EQ(clipboard().items[0].position[0], 0); // the anchor sits at the origin
    ASSERT_TRUE(app.command(kCmdPaste));
    EXPECT_EQ(app.mouse().toolState(), kToolPaste);
    // A paste under way refuses a move; a right click would cancel it.
    ASSERT_TRUE(app.command(kCmdMove));
    EXPECT_EQ(app.mouse().toolState(), kToolPaste);
    app.mouse().reset();
    ASSERT_TRUE(app.command(kCmdMove));
    EXPECT_EQ(app.mouse().toolState(), kToolMove);
    app.mouse().reset();

    ASSERT_TRUE(app.command(kCmdCut));
    EXPECT_EQ(page.num_items, 0);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(EditorCommands, NumericMoveAppliesWhatItsDialogRemembers) {
    MissionPage& page = page1();
    addItem(page, kTestJeepType);
    sel_Add(page, 0);
    NumericMoveMemory& memory = app.document().numericMoveMemory();
    const NumericMoveMemory saved = memory;

    // The dialog stands in for the user: offsets -128, 512, 3 as a move.
    screen.onDialog = [&](const char* name, MissionPage&) {
        if (std::string(name) != "NUMERICMC") return;
        memory.dx = -128;
        memory.dy = 512;
        memory.dz = 3;
        memory.move = true;
    };
    ASSERT_TRUE(app.command(kCmdNumericMove));
    EXPECT_EQ(screen.dialogs, (std::vector<std::string>{"NUMERICMC"}));
    EXPECT_EQ(page.num_items, 1);
    EXPECT_EQ(page.items[0].position[0], -128);
    EXPECT_EQ(page.items[0].position[1], 512);

    // As a copy: the copy is displaced and selected, the original stays.
    screen.onDialog = [&](const char*, MissionPage&) { memory.move = false; };
    screen.clearRecord();
    ASSERT_TRUE(app.command(kCmdNumericMove));
    EXPECT_EQ(screen.repaintCount(EditorWindow::ItemInfo), 1); // it shows the copy now
    ASSERT_EQ(page.num_items, 2);
    EXPECT_EQ(page.items[0].position[0], -128);
    EXPECT_EQ(page.items[1].position[0], -256);
    EXPECT_EQ(page.selection.count, 1);
    EXPECT_EQ(page.selection.slots[0], 1);

    // Cancelled: nothing changes.
    screen.dialogAnswers = {DialogResult::Cancelled};
    ASSERT_TRUE(app.command(kCmdNumericMove));
    EXPECT_EQ(page.num_items, 2);
    memory = saved;
}

TEST_F(EditorCommands, InsertModeClickAddsTheDefinitionTheInsertDialogRemembers) {
    ASSERT_TRUE(app.createOffscreenImage(200, 100));
    MissionPage& page = page1();
    InsertItemMemory& memory = app.document().insertItemMemory();
    const InsertItemMemory saved = memory;
    app.viewState().insert_mode = 1;
    screen.onDialog = [&](const char*, MissionPage&) {
        memory.definition_name = itemdef_Get(1)->name;
        memory.random_facing = false;
    };
    MouseContext ctx = app.mouseContext();
    app.mouse().leftDown(ctx, 100, 50, false, false);
    EXPECT_EQ(screen.dialogs, (std::vector<std::string>{"INSERTITEM"}));
    ASSERT_EQ(page.num_items, 1);
    EXPECT_EQ(page.items[0].type_id, itemdef_Get(1)->id);

    screen.dialogAnswers = {DialogResult::Cancelled};
    app.mouse().leftDown(ctx, 100, 50, false, false);
    EXPECT_EQ(page.num_items, 1);
    memory = saved;
}

TEST_F(EditorCommands, EditAttributesOpensItsDialogOnlyWithASelection) {
    MissionPage& page = page1();
    ASSERT_TRUE(app.command(kCmdEditAttributes));
    EXPECT_TRUE(screen.dialogs.empty());
    addItem(page, kTestJeepType);
    sel_Add(page, 0);
    ASSERT_TRUE(app.command(kCmdEditAttributes));
    EXPECT_EQ(screen.dialogs, (std::vector<std::string>{"ITEMATTRIBUTES"}));
}

TEST_F(EditorCommands, MenuItemsWithoutActionAndUnknownNumbersDoNothing) {
    for (int command : {kCmdPrint, kCmdMetafile, kCmdMemoryStack, kCmdWrapObjects}) {
        EXPECT_TRUE(app.command(command)) << command;
    }
    EXPECT_FALSE(app.command(999));
    EXPECT_FALSE(app.command(0));
    EXPECT_EQ(screen.log, Strings{});
}

// ---- Dialogs ----------------------------------------------------------------------------------

struct DialogCase {
    int command;
    const char* templateName;
    Strings after; // what the screen does once the dialog has closed
};

TEST_F(EditorCommands, DialogCommandsOpenTheirTemplateOnTheCurrentPageAndRepaint) {
    const DialogCase cases[] = {
        {kCmdGetCenter, "GETCENTER", {"repaint:centre", "repaint:map"}},
        {kCmdIntegrityCheck, "INTEGRITYCHECK", {"redraw", "repaint:item"}},
        {kCmdGeneralInfo, "GENERALINFO", {"repaint:map"}},
        {kCmdWaypoints, "EDITWAYPOINTS", {"redraw", "repaint:item"}},
        {kCmdEvents, "EDITEVENTS", {}},
        {kCmdGroups, "EDITGROUPS", {"redraw", "repaint:item"}},
        {kCmdWavLists, "WAVLISTS", {"redraw"}},
        {kCmdVisibleLayers, "VISIBLELAYERS", {"redraw"}},
        {kCmdLayerNames, "LAYERNAMES", {"redraw", "repaint:item"}},
        {kCmdWaypointNames, "WAYPOINTNAMES", {"redraw"}},
        {kCmdAreaTriggers, "EDITAREATRIGGERS", {"redraw", "repaint:item"}},
        {kCmdAbout, "ABOUT_QZMED", {}},
        {kCmdBriefing, "EDITBRIEFING", {"repaint:map"}},
    };
    app.command(kCmdPage2);
    const MissionPage* seen = nullptr;
    screen.onDialog = [&](const char*, MissionPage& page) { seen = &page; };
    for (const DialogCase& c : cases) {
        screen.clearRecord();
        seen = nullptr;
        app.command(c.command);
        Strings expected{std::string("dialog:") + c.templateName};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(screen.log, expected) << c.command;
        EXPECT_EQ(seen, &page2()) << c.command;
    }
}

TEST_F(EditorCommands, ListDialogsSeeTheirDerivedDataRebuilt) {
    MissionPage& page = page1();
    const int marker1 = addItem(page, kWaypointMarkerType);
    const int marker2 = addItem(page, kWaypointMarkerType, 512);
    page.items[marker1].waypoint_id = 3;
    page.items[marker2].waypoint_id = 3;
    page.items[marker2].wpnumber = 1;
    const int area = addItem(page, kAreaTriggerMarkerType, -1024, 2048);
    page.items[area].wpnumber = 7;
    const int soldier = addItem(page, kTestSoldierType);
    page.items[soldier].group_id = 5;

    int members = -1, groupMembers = -1, areaNumber = -1;
    screen.onDialog = [&](const char* name, MissionPage& p) {
        if (std::strcmp(name, "EDITWAYPOINTS") == 0) members = p.waypoints[3].member_count;
        if (std::strcmp(name, "EDITGROUPS") == 0) groupMembers = p.groups[5].member_count;
        if (std::strcmp(name, "EDITAREATRIGGERS") == 0) areaNumber = p.area_triggers[7].area_number;
    };
    app.command(kCmdWaypoints);
    app.command(kCmdGroups);
    app.command(kCmdAreaTriggers);
    EXPECT_EQ(members, 2);
    EXPECT_EQ(groupMembers, 1);
    EXPECT_EQ(areaNumber, 7);
}

// ---- Buttons and context menus ----------------------------------------------------------------

TEST_F(EditorCommands, ButtonsSendTheirCommands) {
    // Control id → command, as the main window's buttons are wired.
    const std::pair<int, int> wiring[] = {
        {1001, 101}, {1002, 102}, {1003, 103},  {1010, 144}, {1013, 147}, {1014, 146}, {1015, 111},
        {1017, 148}, {1018, 149}, {1019, 152},  {1020, 150}, {1021, 151}, {1022, 153}, {1023, 154},
        {1024, 155}, {1025, 217}, {1026, 233},  {1034, 165}, {1035, 166}, {1040, 145}, {1041, 228},
        {1042, 229}, {1043, 230}, {1044, 1045}, {1046, 220}, {1047, 221},
    };
    for (const auto& [control, command] : wiring)
        EXPECT_EQ(ctl_ButtonCommand(control), command) << control;
    EXPECT_EQ(ctl_ButtonCommand(1011), 0);
    EXPECT_EQ(ctl_ButtonCommand(1012), 0);

    app.buttonClicked(kControlGridLarger);
    EXPECT_EQ(view().grid_size, 0x40000);
    app.buttonClicked(kControlLayers);
    EXPECT_EQ(screen.dialogs, Strings{"VISIBLELAYERS"});
    screen.clearRecord();
    app.buttonClicked(kControlGridBox);
    app.buttonClicked(kControlGridSizeText);
    EXPECT_EQ(screen.log, Strings{});
}

TEST_F(EditorCommands, ContextMenusForwardOnlyTheirOwnCommands) {
    app.contextCommand(kCmdPage2);
    app.contextCommand(kCmdGridLarger);
    EXPECT_EQ(view().current_page, 0);
    EXPECT_EQ(view().grid_size, kGridSizeWindowStart);
    app.contextCommand(kCmdInsertMode);
    EXPECT_EQ(view().insert_mode, 1);
    app.contextCommand(kCmdViewBySide);
    EXPECT_EQ(view().view_by, kViewBySide);
}

TEST_F(EditorCommands, EveryCommandNumberHasOneEntry) {
    std::vector<int> seen;
    for (const CommandEntry& entry : cmd_Table()) {
        EXPECT_EQ(std::count(seen.begin(), seen.end(), entry.id), 0) << entry.id;
        seen.push_back(entry.id);
        EXPECT_NE(entry.run, nullptr) << entry.id;
    }
    // Every number a menu, button or key can send has an entry.
    for (const ControlDef& control : ctl_Controls())
        if (control.command != 0) {
            EXPECT_NE(cmd_Find(control.command), nullptr) << control.id;
        }
}

} // namespace
