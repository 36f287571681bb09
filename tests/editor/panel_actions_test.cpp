// What the panels do to the editor: selection both ways, centring, going to a problem, and the
// notices the view gets after every change of the page.

#include "editor/command_ids.h"
#include "editor/panel_actions.h"
#include "editor_fixture.h"

#include <vector>

namespace {

constexpr int32_t kMetre = 256;

class PanelActions : public EditorTest {
  protected:
    std::vector<int> selection() {
        const MissionPage& page = app.currentPage();
        return std::vector<int>(page.selection.slots, page.selection.slots + page.selection.count);
    }
    MissionPage& page() { return app.currentPage(); }
};

TEST_F(PanelActions, ReplacingTheSelectionKeepsTheEntriesThatStay) {
    for (int i = 0; i < 6; ++i)
        addItem(page(), kTestJeepType, i * kMetre);
    sel_Add(page(), 4);
    sel_Add(page(), 1);
    sel_Add(page(), 3);
    const int wanted[] = {0, 3, 1, 99, -1};
    EXPECT_EQ(1, sel_Replace(page(), wanted));
    EXPECT_EQ((std::vector<int>{1, 3, 0}), selection()) << "1 and 3 keep their order; 0 is added";
    EXPECT_EQ(0, sel_Replace(page(), wanted)) << "the same choice changes nothing";
    EXPECT_EQ(1, sel_Replace(page(), {}));
    EXPECT_TRUE(selection().empty());
}

TEST_F(PanelActions, SelectingFromThePanelShowsOnTheMap) {
    for (int i = 0; i < 3; ++i)
        addItem(page(), kTestJeepType);
    const int slots[] = {2, 0};
    editor_SelectItems(app, slots);
    EXPECT_EQ((std::vector<int>{2, 0}), selection());
    EXPECT_EQ(1, screen.redraws);
    EXPECT_EQ(1, screen.repaintCount(EditorWindow::ItemInfo));
    EXPECT_EQ(1, screen.selectionChanges);
    EXPECT_EQ(0, screen.contentChanges);
    editor_SelectItems(app, slots);
    EXPECT_EQ(1, screen.redraws) << "nothing changed: nothing drawn";
}

TEST_F(PanelActions, MapSelectionReachesTheViewAsASelectionChange) {
    ASSERT_TRUE(app.createOffscreenImage(400, 300));
    view().zoom = 1.0f / kMetre;
    addItem(page(), kTestJeepType);
    MouseContext ctx = app.mouseContext();
    const MouseResult click = app.mouse().leftDown(ctx, 200, 150, false, false);
    EXPECT_TRUE(click.has(kMouseSelectionChanged));
    EXPECT_FALSE(click.has(kMousePageChanged));
    EXPECT_EQ((std::vector<int>{0}), selection());
    // Moving the selection changes the page itself.
    app.command(kCmdMove);
    MouseContext moving = app.mouseContext();
    app.mouse().mouseMove(moving, 210, 150, false);
    EXPECT_TRUE(app.mouse().leftDown(moving, 210, 150, false, false).has(kMousePageChanged));
}

TEST_F(PanelActions, EveryCommandEndsWithAPageChange) {
    app.command(kCmdUnselectAll);
    EXPECT_EQ(1, screen.contentChanges);
    app.keyPressed(EditorKey::Delete);
    EXPECT_EQ(2, screen.contentChanges);
    app.buttonClicked(kControlPage2);
    EXPECT_EQ(3, screen.contentChanges);
    EXPECT_FALSE(app.command(99999));
    EXPECT_EQ(3, screen.contentChanges) << "no command, no change";
    app.keyPressed(EditorKey::PageUp); // zoom: the page is untouched
    EXPECT_EQ(3, screen.contentChanges);
}

TEST_F(PanelActions, PanelCommandsShowThePanels) {
    app.command(kCmdFindItems);
    app.keyPressed(EditorKey::ControlF);
    app.command(kCmdProblems);
    EXPECT_EQ(
        (std::vector<EditorPanel>{EditorPanel::FindItems, EditorPanel::FindItems, EditorPanel::Problems}),
        screen.panels);
}

TEST_F(PanelActions, CentringTakesTheMiddleOfTheItems) {
    addItem(page(), kTestJeepType, -10 * kMetre, 4 * kMetre);
    addItem(page(), kTestJeepType, 30 * kMetre, -8 * kMetre);
    addItem(page(), kTestJeepType, 1000 * kMetre, 1000 * kMetre);
    view().center_z = 77;
    const int slots[] = {1, 0};
    editor_CentreOnItems(app, slots);
    EXPECT_EQ(10 * kMetre, view().center_x);
    EXPECT_EQ(-2 * kMetre, view().center_y);
    EXPECT_EQ(77, view().center_z);
    EXPECT_EQ(1, screen.redraws);
    EXPECT_EQ(1, screen.repaintCount(EditorWindow::CenterInfo));
    const int none[] = {5, -1};
    editor_CentreOnItems(app, none);
    EXPECT_EQ(1, screen.redraws);
    int32_t x = 0, y = 0;
    page().items[0].position[0] = INT32_MIN;
    page().items[1].position[0] = INT32_MAX;
    ASSERT_TRUE(editor_ItemsCentre(page(), slots, x, y));
    EXPECT_EQ(0, x) << "no overflow between the extremes";
}

TEST_F(PanelActions, ProblemWithItemsSelectsAndCentresThem) {
    addItem(page(), kTestJeepType);
    addItem(page(), kTestJeepType, 40 * kMetre, 0);
    addItem(page(), kTestJeepType, 60 * kMetre, 0);
    PageProblem problem;
    problem.items = {1, 2};
    problem.waypoint_lists = {3};
    editor_GoToProblem(app, problem);
    EXPECT_EQ((std::vector<int>{1, 2}), selection());
    EXPECT_EQ(50 * kMetre, view().center_x);
    EXPECT_TRUE(screen.dialogs.empty());
}

TEST_F(PanelActions, ProblemWithoutItemsOpensTheDialogThatFixesIt) {
    PageProblem problem;
    problem.code = ProblemCode::EventEmptyGroup;
    problem.events = {0};
    problem.groups = {5};
    editor_GoToProblem(app, problem);
    EXPECT_EQ((std::vector<std::string>{"EDITEVENTS"}), screen.dialogs);

    struct Case {
        PageProblem problem;
        int command;
    };
    PageProblem list, area, group, wav, text, count;
    list.waypoint_lists = {2};
    area.area_triggers = {2};
    group.groups = {2};
    wav.wav_lists = {2};
    wav.code = text.code = ProblemCode::ExportTextCut;
    count.code = ProblemCode::ExportTooManyPeople;
    EXPECT_EQ(kCmdWaypoints, problem_FixCommand(list));
    EXPECT_EQ(kCmdAreaTriggers, problem_FixCommand(area));
    EXPECT_EQ(kCmdGroups, problem_FixCommand(group));
    EXPECT_EQ(kCmdWavLists, problem_FixCommand(wav));
    EXPECT_EQ(kCmdGeneralInfo, problem_FixCommand(text));
    EXPECT_EQ(0, problem_FixCommand(count));
    screen.clearRecord();
    editor_GoToProblem(app, count);
    EXPECT_TRUE(screen.dialogs.empty());
    EXPECT_EQ(0, screen.contentChanges);
}

} // namespace
