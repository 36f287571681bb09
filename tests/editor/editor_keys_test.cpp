// The keys of the main window: zoom limits, centre steps and the keys that run commands.

#include "editor/command_ids.h"
#include "editor/key_bindings.h"
#include "editor_fixture.h"

#include <climits>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class EditorKeys : public EditorTest {};

TEST_F(EditorKeys, ZoomInStopsAtOneThousandWithoutRedrawing) {
    view().zoom = 950.0f;
    EXPECT_TRUE(app.keyPressed(EditorKey::PageUp));
    EXPECT_EQ(view().zoom, 1000.0f);
    EXPECT_EQ(screen.redraws, 0);

    view().zoom = 500.0f;
    app.keyPressed(EditorKey::Keypad9);
    EXPECT_FLOAT_EQ(view().zoom, 550.0f);
    EXPECT_EQ(screen.redraws, 1);
    app.keyPressed(EditorKey::KeypadPlus);
    EXPECT_FLOAT_EQ(view().zoom, 605.0f);
    EXPECT_EQ(screen.redraws, 2);
}

TEST_F(EditorKeys, ZoomOutStopsAtOneTenThousandthWithoutRedrawing) {
    view().zoom = 0.0001f;
    app.keyPressed(EditorKey::PageDown);
    EXPECT_EQ(view().zoom, kZoomMin);
    EXPECT_EQ(screen.redraws, 0);

    view().zoom = 1.0f;
    app.keyPressed(EditorKey::Keypad3);
    EXPECT_FLOAT_EQ(view().zoom, 0.9f);
    app.keyPressed(EditorKey::KeypadMinus);
    EXPECT_FLOAT_EQ(view().zoom, 0.81f);
    EXPECT_EQ(screen.redraws, 2);
}

TEST_F(EditorKeys, ArrowsMoveTheCentreByATenthOfTheGrid) {
    view().grid_size = 512;
    app.keyPressed(EditorKey::Left);
    EXPECT_EQ(view().center_x, -51);
    app.keyPressed(EditorKey::Up);
    EXPECT_EQ(view().center_y, 51);
    app.keyPressed(EditorKey::Right);
    app.keyPressed(EditorKey::Right);
    EXPECT_EQ(view().center_x, 51);
    app.keyPressed(EditorKey::Down);
    app.keyPressed(EditorKey::Down);
    EXPECT_EQ(view().center_y, -51);
    EXPECT_EQ(screen.repaintCount(EditorWindow::CenterInfo), 6);
    EXPECT_EQ(screen.redraws, 6);
}

TEST_F(EditorKeys, LeftArrowWithGridFiveMovesNothingButStillRedraws) {
    view().grid_size = 5;
    view().center_x = 100;
    app.keyPressed(EditorKey::Left);
    EXPECT_EQ(view().center_x, 100);
    EXPECT_EQ(screen.redraws, 1);
}

TEST_F(EditorKeys, CentreStepsStopAtTheEndsOfTheRange) {
    view().grid_size = 0x100000;
    view().center_x = INT32_MIN + 10;
    view().center_y = INT32_MAX - 10;
    app.keyPressed(EditorKey::Left);
    app.keyPressed(EditorKey::Up);
    EXPECT_EQ(view().center_x, INT32_MIN);
    EXPECT_EQ(view().center_y, INT32_MAX);
}

TEST_F(EditorKeys, CommandKeysRunTheirCommands) {
    MissionPage& page = page1();
    addItem(page, kTestJeepType);
    addItem(page, kTestJeepType);

    app.keyPressed(EditorKey::Insert);
    EXPECT_EQ(view().insert_mode, 1);
    sel_Add(page, 0);
    app.keyPressed(EditorKey::U);
    EXPECT_EQ(page.selection.count, 0);
    sel_Add(page, 1);
    app.keyPressed(EditorKey::Delete);
    EXPECT_EQ(page.num_items, 1);
    app.keyPressed(EditorKey::F2);
    EXPECT_EQ(view().map_mode, kMapModeDepth);
    app.keyPressed(EditorKey::F3);
    EXPECT_EQ(view().map_mode, kMapModeOutline);
    app.keyPressed(EditorKey::F1);
    EXPECT_EQ(view().map_mode, kMapModeColor);
}

TEST_F(EditorKeys, SpaceRedrawsF4DoesNothingAndTheKeypadArrowsRepaint) {
    EXPECT_TRUE(app.keyPressed(EditorKey::Space));
    EXPECT_EQ(screen.log, Strings{"redraw"});
    screen.clearRecord();
    EXPECT_TRUE(app.keyPressed(EditorKey::F4));
    EXPECT_EQ(screen.log, Strings{});
    for (EditorKey key : {EditorKey::Keypad2, EditorKey::Keypad4, EditorKey::Keypad6, EditorKey::Keypad8})
        app.keyPressed(key);
    EXPECT_EQ(screen.log, Strings(4, "repaint:map"));
}

} // namespace
