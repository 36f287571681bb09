// Undo and redo in the editor: every kind of change to a page is one step that undo takes back and
// redo does again to the byte (compared as metafile text), dialogs closed without a change add no
// step, Open starts the history anew, and the changed flag and the title follow.

#include "editor_fixture.h"

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "editor/edit_commands.h"
#include "editor/step_names.h"
#include "gamedata/item_defs.h"
#include "mission/metafile_writer.h"
#include "support/temp_dir.h"

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

namespace {

// The page as the metafile writes it, followed by every byte of the page record but the selection
// (hidden flags and unused records are not written).
std::string metafileText(MissionPage& page) {
    MetafileTime when;
    when.year = 2001;
    std::string text;
    metafile_Format(page, when, text);
    const char* bytes = reinterpret_cast<const char*>(static_cast<const MissionPageData*>(&page));
    text.append(bytes, offsetof(MissionPageData, selection));
    const size_t rest = offsetof(MissionPageData, selection) + sizeof(ItemSelection);
    text.append(bytes + rest, sizeof(MissionPageData) - rest);
    return text;
}

class Undo : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(app.createOffscreenImage(400, 300));
        MissionPage& page = page1();
        for (int i = 0; i < 6; ++i)
            addItem(page, i % 2 == 0 ? kTestSoldierType : kTestJeepType, i * 2048, i * 1024);
        std::strcpy(page.general.name, "Ridge");
        app.document().markOpened(kPage1);
    }

    MissionPage& page() { return app.currentPage(); }
    PageHistory& history() { return app.document().history(app.document().currentIndex()); }
    void select(std::initializer_list<int> slots) {
        for (int slot : slots)
            sel_Add(page(), slot);
        // A selection made by the mouse: the history takes it without a step.
        MouseResult selected;
        selected.effects = kMouseSelectionChanged;
        app.mouseFinished(selected);
    }

    // Runs `change`, expects one step named `name`, then undo back to the text before and redo
    // to the text after.
    void expectOneUndoableStep(const std::function<void()>& change, const std::string& name) {
        const std::string before = metafileText(page());
        const size_t steps = history().undoCount();
        change();
        const std::string after = metafileText(page());
        ASSERT_NE(after, before) << name << ": the change changed nothing (" << page().selection.count
                                 << " selected)";
        ASSERT_EQ(history().undoCount(), steps + 1) << name;
        EXPECT_EQ(history().undoName(), name);
        EXPECT_EQ(screen.menuItems[kCmdUndo].text, "Undo " + name);
        EXPECT_TRUE(screen.menuItems[kCmdUndo].enabled);

        app.command(kCmdUndo);
        EXPECT_EQ(metafileText(page()), before) << name;
        EXPECT_EQ(screen.menuItems[kCmdRedo].text, "Redo " + name);
        app.command(kCmdRedo);
        EXPECT_EQ(metafileText(page()), after) << name;
        app.command(kCmdUndo);
        EXPECT_EQ(metafileText(page()), before) << name;
    }

    // A dialog run by `command` that does `edit` to the page it is given.
    void withDialogEdit(const char* templateName, std::function<void(MissionPage&)> edit) {
        screen.onDialog = [templateName, edit](const char* name, MissionPage& page) {
            if (std::strcmp(name, templateName) == 0) edit(page);
        };
    }
};

TEST_F(Undo, MouseMovePasteAndInsertAreStepsNamedAfterWhatTheMouseDid) {
    select({1, 2, 4});
    expectOneUndoableStep(
        [this] {
            app.command(kCmdMove);
            MouseContext ctx = app.mouseContext();
            app.mouse().mouseMove(ctx, 250, 120, false);
            app.mouseFinished(app.mouse().leftDown(ctx, 250, 120, false, false));
        },
        "Move");
    // Undo gives the selection back as it was before the step.
    EXPECT_EQ(page().selection.count, 3);

    app.command(kCmdCopy);
    expectOneUndoableStep(
        [this] {
            app.command(kCmdPaste);
            MouseContext ctx = app.mouseContext();
            app.mouse().mouseMove(ctx, 100, 100, false);
            app.mouseFinished(app.mouse().leftDown(ctx, 100, 100, false, false));
        },
        "Paste 3 Items");

    app.document().insertItemMemory().definition_name = itemdef_Get(itemdef_FindById(kTestHouseType))->name;
    view().insert_mode = 1;
    expectOneUndoableStep(
        [this] {
            MouseContext ctx = app.mouseContext();
            app.mouseFinished(app.mouse().leftDown(ctx, 60, 70, false, false));
        },
        "Insert Item");
}

TEST_F(Undo, CommandsThatChangeThePageAreOneStepEach) {
    select({0, 3});
    expectOneUndoableStep([this] { app.command(kCmdDelete); }, "Delete");
    expectOneUndoableStep([this] { app.command(kCmdCut); }, "Cut");
    expectOneUndoableStep([this] { app.command(kCmdHideSelected); }, "Hide Selected");
    expectOneUndoableStep([this] { app.command(kCmdHideUnselected); }, "Hide Unselected");
    app.command(kCmdHideUnselected);
    expectOneUndoableStep([this] { app.command(kCmdUnhideAll); }, "Unhide All");
    expectOneUndoableStep(
        [this] {
            screen.messageAnswers = {MsgAnswer::No}; // the changes are not saved first
            app.command(kCmdClear);
        },
        "Clear");

    NumericMoveMemory& numeric = app.document().numericMoveMemory();
    numeric = NumericMoveMemory{};
    numeric.dx = 512;
    numeric.move = true;
    expectOneUndoableStep([this] { app.command(kCmdNumericMove); }, "Numeric Move");
    numeric.move = false;
    expectOneUndoableStep([this] { app.command(kCmdNumericMove); }, "Numeric Move");
}

TEST_F(Undo, EveryDialogThatChangesThePageIsOneStep) {
    select({2});
    struct Case {
        int command;
        const char* dialog;
        std::function<void(MissionPage&)> edit;
        const char* name;
    };
    const Case cases[] = {
        {kCmdEditAttributes, kDialogItemAttributes, [](MissionPage& p) { p.items[2].team = 2; },
         "Item Attributes"},
        {kCmdGeneralInfo, kDialogGeneralInfo, [](MissionPage& p) { std::strcpy(p.general.designer, "Kim"); },
         "General Information"},
        {kCmdEvents, kDialogEvents,
         [](MissionPage& p) {
             std::strcpy(p.events[0].name, "Ambush");
             p.num_events = 1;
         },
         "Events"},
        {kCmdWaypoints, kDialogWaypoints,
         [](MissionPage& p) { std::strcpy(p.waypoints[1].description, "Road"); }, "Waypoints"},
        {kCmdGroups, kDialogGroups, [](MissionPage& p) { p.groups[1].attrib = 3; }, "Groups"},
        {kCmdAreaTriggers, kDialogAreaTriggers, [](MissionPage& p) { p.area_triggers[2].color = 5; },
         "Area Triggers"},
        {kCmdLayerNames, kDialogLayerNames,
         [](MissionPage& p) { std::strcpy(p.layers[3].description, "Night"); }, "Layer Names"},
        {kCmdBriefing, kDialogBriefing, [](MissionPage& p) { std::strcpy(p.briefing, "Take the bridge"); },
         "Briefing"},
        {kCmdWavLists, kDialogWavLists,
         [](MissionPage& p) { std::strcpy(p.wav_lists[1].file_name, "go.wav"); }, "Wav Lists"},
        {kCmdWaypointNames, kDialogWaypointNames, [](MissionPage& p) { p.general.wp_names_blue[0] = 4; },
         "Player Waypoint Names"},
    };
    for (const Case& c : cases) {
        withDialogEdit(c.dialog, c.edit);
        expectOneUndoableStep([this, &c] { app.command(c.command); }, c.name);
    }
    // The visible layers dialog hides and shows items by layer.
    withDialogEdit(kDialogVisibleLayers, [](MissionPage& p) { p.items[4].hidden = 1; });
    expectOneUndoableStep([this] { app.command(kCmdVisibleLayers); }, "Visible Layers");
}

TEST_F(Undo, DialogsClosedWithoutAChangeAddNoStep) {
    select({1});
    // Derived values out of date (as after a delete) are rebuilt around some dialogs: no step.
    page().items[5].type_id = kWaypointMarkerType;
    page().items[5].waypoint_id = 2;
    page().items[5].group_id = 1;
    app.document().markOpened(kPage1);
    screen.onDialog = nullptr;
    for (int command : {kCmdEditAttributes, kCmdGeneralInfo, kCmdEvents, kCmdWaypoints, kCmdGroups,
                        kCmdAreaTriggers, kCmdLayerNames, kCmdBriefing, kCmdWavLists, kCmdWaypointNames,
                        kCmdVisibleLayers, kCmdGetCenter, kCmdIntegrityCheck, kCmdAbout}) {
        screen.dialogAnswers.push_back(DialogResult::Accepted);
        app.command(command);
        EXPECT_FALSE(history().canUndo()) << command;
    }
    // Commands that only look or select make no step either.
    for (int command : {kCmdUnselectAll, kCmdToggleGrid, kCmdColorMap, kCmdSelectType, kCmdPage2, kCmdPage1})
        app.command(command);
    EXPECT_FALSE(history().canUndo());
    EXPECT_FALSE(app.document().isModified(kPage1));
    EXPECT_EQ(screen.menuItems[kCmdUndo].text, "Undo");
    EXPECT_FALSE(screen.menuItems[kCmdUndo].enabled);
    EXPECT_FALSE(screen.menuItems[kCmdRedo].enabled);
}

TEST_F(Undo, EachPageHasItsOwnHistory) {
    select({0});
    app.command(kCmdDelete);
    app.command(kCmdPage2);
    EXPECT_FALSE(screen.menuItems[kCmdUndo].enabled);
    app.command(kCmdUndo); // nothing to undo on Page 2
    EXPECT_EQ(page1().num_items, 5);
    app.command(kCmdPage1);
    EXPECT_EQ(screen.menuItems[kCmdUndo].text, "Undo Delete");
    app.command(kCmdUndo);
    EXPECT_EQ(page1().num_items, 6);
}

TEST_F(Undo, KeysRunUndoAndRedo) {
    select({0});
    app.command(kCmdDelete);
    app.keyPressed(EditorKey::ControlZ);
    EXPECT_EQ(page().num_items, 6);
    app.keyPressed(EditorKey::ControlY);
    EXPECT_EQ(page().num_items, 5);
    app.keyPressed(EditorKey::ControlZ);
    app.keyPressed(EditorKey::ControlShiftZ);
    EXPECT_EQ(page().num_items, 5);
}

TEST_F(Undo, NothingIsUndoneWhileTheMousePlacesItems) {
    select({0});
    app.command(kCmdDelete);
    select({1});
    app.command(kCmdMove);
    app.command(kCmdUndo);
    EXPECT_EQ(page().num_items, 5);
}

TEST_F(Undo, OpenEmptiesThatPagesHistoryAndCountsAsUnchanged) {
    TempDir dir;
    select({0});
    app.command(kCmdDelete);
    std::string path = dir.path() + "/saved.mis";
    screen.fileAnswers.push_back(path);
    app.command(kCmdSave);
    EXPECT_FALSE(app.document().isModified(kPage1));

    app.command(kCmdPage2);
    addItem(page2(), kTestTreeType);
    app.command(kCmdPage1);
    select({0});
    app.command(kCmdDelete);
    screen.fileAnswers.push_back(path);
    screen.messageAnswers = {MsgAnswer::No};
    app.command(kCmdOpen);
    EXPECT_FALSE(history().canUndo());
    EXPECT_FALSE(history().canRedo());
    EXPECT_FALSE(screen.menuItems[kCmdUndo].enabled);
    EXPECT_FALSE(app.document().isModified(kPage1));
    EXPECT_EQ(page1().num_items, 5);
}

TEST_F(Undo, ChangedFlagAndTitleFollowEditSaveUndoAndRedo) {
    TempDir dir;
    EXPECT_FALSE(app.document().isModified(kPage1));
    select({0});
    app.command(kCmdDelete);
    EXPECT_TRUE(app.document().isModified(kPage1));
    EXPECT_EQ(screen.title(), "QZ Editor 1.43*");

    const std::string path = dir.path() + "/m.mis";
    screen.fileAnswers.push_back(path);
    app.command(kCmdSave);
    EXPECT_FALSE(app.document().isModified(kPage1));
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    // The path Save stored is no step: undo takes back the delete, not the path.
    EXPECT_EQ(history().undoName(), "Delete");

    select({1});
    app.command(kCmdHideSelected);
    EXPECT_TRUE(app.document().isModified(kPage1));
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path + "*");
    app.command(kCmdUndo);
    EXPECT_FALSE(app.document().isModified(kPage1)); // back at the saved state
    EXPECT_EQ(screen.title(), "QZ Editor 1.43 - " + path);
    EXPECT_STREQ(page1().general.mission_file, path.c_str());
    app.command(kCmdUndo);
    EXPECT_TRUE(app.document().isModified(kPage1));
    app.command(kCmdRedo);
    EXPECT_FALSE(app.document().isModified(kPage1));
    app.command(kCmdRedo);
    EXPECT_TRUE(app.document().isModified(kPage1));
    // Page 2 was not touched.
    EXPECT_FALSE(app.document().isModified(kPage2));
}

TEST(StepNames, PasteCountsItsItemsAndTheMenuNamesTheStep) {
    EXPECT_EQ(step_PasteName(1), "Paste 1 Item");
    EXPECT_EQ(step_PasteName(12), "Paste 12 Items");
    EXPECT_EQ(step_UndoText("Move"), "Undo Move");
    EXPECT_EQ(step_UndoText(""), "Undo");
    EXPECT_EQ(step_RedoText("Item Attributes"), "Redo Item Attributes");
    EXPECT_EQ(step_CommandName(kCmdEditAttributes), "Item Attributes");
}

} // namespace
