// The ruler: distance and bearing, and the map tool that measures without changing the page.

#include "editor/command_ids.h"
#include "editor/mouse_tool.h"
#include "editor/ruler.h"
#include "editor_fixture.h"

#include "mission/page_ops.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int32_t kMetre = 256;

// ---- Distance and bearing ---------------------------------------------------------------------

TEST(RulerMeasure, BearingsOfTheFourQuartersCountClockwiseFromNorth) {
    struct Case {
        int32_t east, north;
        double bearing;
    };
    // 30 m east and 40 m north make 50 m at atan(30/40) = 36.87 degrees, mirrored into each quarter.
    const double a = std::atan2(30.0, 40.0) * 180.0 / M_PI;
    const Case cases[] = {{30, 40, a}, {40, -30, 90 + a}, {-30, -40, 180 + a}, {-40, 30, 270 + a}};
    for (const Case& c : cases) {
        const RulerMeasure m = ruler_Measure(1000, -2000, 1000 + c.east * kMetre, -2000 + c.north * kMetre);
        EXPECT_NEAR(50.0, m.metres, 1e-9);
        EXPECT_NEAR(c.bearing, m.bearing, 1e-9) << c.east << ", " << c.north;
    }
}

TEST(RulerMeasure, TheAxesAreNorthEastSouthWest) {
    EXPECT_DOUBLE_EQ(0.0, ruler_Measure(0, 0, 0, kMetre).bearing);
    EXPECT_DOUBLE_EQ(90.0, ruler_Measure(0, 0, kMetre, 0).bearing);
    EXPECT_DOUBLE_EQ(180.0, ruler_Measure(0, 0, 0, -kMetre).bearing);
    EXPECT_DOUBLE_EQ(270.0, ruler_Measure(0, 0, -kMetre, 0).bearing);
    EXPECT_DOUBLE_EQ(1.0, ruler_Measure(0, 0, 0, kMetre).metres);
}

TEST(RulerMeasure, CrossingNorthGoesFrom359To1) {
    // 1000 m north and a few metres either side of the line.
    const int32_t north = 1000 * kMetre;
    const int32_t side = static_cast<int32_t>(std::lround(1000.0 * std::tan(M_PI / 180.0) * kMetre));
    const RulerMeasure west = ruler_Measure(0, 0, -side, north);
    const RulerMeasure east = ruler_Measure(0, 0, side, north);
    EXPECT_EQ(359, ruler_WholeDegrees(west.bearing));
    EXPECT_NEAR(359.0, west.bearing, 1e-3);
    EXPECT_EQ(0, ruler_WholeDegrees(ruler_Measure(0, 0, 0, north).bearing));
    EXPECT_EQ(1, ruler_WholeDegrees(east.bearing));
    // Just west of north rounds to north, never to 360.
    EXPECT_EQ(0, ruler_WholeDegrees(ruler_Measure(0, 0, -1, north).bearing));
    EXPECT_EQ(0, ruler_WholeDegrees(359.6));
}

TEST(RulerMeasure, NoDistanceHasBearingZeroAndExtremesDoNotOverflow) {
    const RulerMeasure none = ruler_Measure(77, 88, 77, 88);
    EXPECT_EQ(0.0, none.metres);
    EXPECT_EQ(0.0, none.bearing);
    const RulerMeasure across = ruler_Measure(INT32_MIN, 0, INT32_MAX, 0);
    EXPECT_NEAR((double(INT32_MAX) - double(INT32_MIN)) / kMetre, across.metres, 1e-6);
    EXPECT_DOUBLE_EQ(90.0, across.bearing);
}

TEST(RulerMeasure, TextFromTheStringTable) {
    test_InstallTexts("[Tool Modes]\nRULER=%.1f metres at %i degrees\n");
    EXPECT_EQ("50.0 metres at 37 degrees", ruler_Text(ruler_Measure(0, 0, 30 * kMetre, 40 * kMetre)));
}

// ---- The map tool -----------------------------------------------------------------------------

// One pixel per metre; the view centre (0, 0) sits at pixel (kHw, kHh).
constexpr int32_t kWidth = 400, kHeight = 300;
constexpr int32_t kHw = kWidth / 2, kHh = kHeight / 2;

class RulerTool : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        view().zoom = 1.0f / kMetre;
        view().grid_shown = 0;
        view().snap_to_grid = 1; // the ruler does not snap to the grid
        view().grid_size = 64 * kMetre;
        ASSERT_TRUE(app.createOffscreenImage(kWidth - 16, kHeight));
        ASSERT_EQ(kWidth, app.image().width());
    }
    MouseResult left(int32_t px, int32_t py) {
        MouseContext ctx = app.mouseContext();
        return app.mouse().leftDown(ctx, px, py, false, false);
    }
    MouseResult move(int32_t px, int32_t py) {
        MouseContext ctx = app.mouseContext();
        return app.mouse().mouseMove(ctx, px, py, false);
    }
    MouseResult right(int32_t px, int32_t py) {
        MouseContext ctx = app.mouseContext();
        return app.mouse().rightDown(ctx, px, py, false, false);
    }
    RulerLine line() {
        RulerLine l;
        EXPECT_TRUE(app.mouse().rulerShown(l));
        return l;
    }
};

TEST_F(RulerTool, MeasureCommandTakesItUpAndPutsItAway) {
    EXPECT_TRUE(app.command(kCmdMeasure));
    EXPECT_TRUE(app.mouse().measuring());
    EXPECT_EQ(1, screen.repaintCount(EditorWindow::MapView));
    RulerLine l;
    EXPECT_FALSE(app.mouse().rulerShown(l)) << "no line before the first click";
    app.command(kCmdMeasure);
    EXPECT_FALSE(app.mouse().measuring());
    EXPECT_TRUE(app.mouse().idle());
}

TEST_F(RulerTool, LineFollowsTheMouseFromTheFirstClickUntilTheSecond) {
    app.command(kCmdMeasure);
    EXPECT_TRUE(move(10, 10).effects == kMouseNone) << "nothing to draw before the first click";
    const MouseResult first = left(kHw, kHh);
    EXPECT_TRUE(first.has(kMousePresent));
    EXPECT_FALSE(first.has(kMouseSelectionChanged));
    EXPECT_TRUE(move(kHw + 30, kHh - 40).has(kMousePresent));
    RulerLine l = line();
    EXPECT_EQ(0, l.ax);
    EXPECT_EQ(0, l.ay);
    EXPECT_EQ(30 * kMetre, l.bx);
    EXPECT_EQ(40 * kMetre, l.by);
    left(kHw + 30, kHh - 40); // holds the second point
    EXPECT_EQ(kMouseNone, move(kHw + 90, kHh).effects);
    EXPECT_EQ(30 * kMetre, line().bx);
    left(kHw - 5, kHh); // a third click starts again there
    l = line();
    EXPECT_EQ(-5 * kMetre, l.ax);
    EXPECT_EQ(l.ax, l.bx);
}

TEST_F(RulerTool, PointsLandOnItemsNearTheCursor) {
    MissionPage& page = app.currentPage();
    const int house = addItem(page, kTestHouseType, 20 * kMetre + 100, 7 * kMetre);
    app.command(kCmdMeasure);
    left(kHw + 20 + 9, kHh - 7); // 9 pixels from the house: on it
    EXPECT_EQ(page.items[house].position[0], line().ax);
    EXPECT_EQ(page.items[house].position[1], line().ay);
    left(kHw + 100, kHh);         // holds the second point
    left(kHw + 20 + 10, kHh - 7); // 10 pixels away: not on it
    EXPECT_EQ(30 * kMetre, line().ax);
}

TEST_F(RulerTool, RightClickOrEscapeEndsIt) {
    app.command(kCmdMeasure);
    left(kHw, kHh);
    EXPECT_TRUE(right(kHw, kHh).has(kMouseRepaintMap));
    EXPECT_FALSE(app.mouse().measuring());
    RulerLine l;
    EXPECT_FALSE(app.mouse().rulerShown(l));
    EXPECT_TRUE(screen.menuChecks.empty());

    app.keyPressed(EditorKey::R);
    EXPECT_TRUE(app.mouse().measuring());
    left(kHw, kHh);
    screen.clearRecord();
    EXPECT_TRUE(app.keyPressed(EditorKey::Escape));
    EXPECT_FALSE(app.mouse().measuring());
    EXPECT_EQ(1, screen.repaintCount(EditorWindow::MapView));
    // Without the ruler, Escape keeps its usual meaning.
    EXPECT_FALSE(app.keyPressed(EditorKey::Escape));
}

TEST_F(RulerTool, MeasuringChangesNothingInThePage) {
    MissionPage& page = app.currentPage();
    for (int i = 0; i < 5; ++i)
        addItem(page, kTestSoldierType, i * 10 * kMetre, 0);
    sel_Add(page, 2);
    auto before = std::make_unique<MissionPageData>();
    std::memcpy(before.get(), static_cast<MissionPageData*>(&page), sizeof(MissionPageData));
    app.keyPressed(EditorKey::R);
    left(kHw, kHh);
    move(kHw + 20, kHh);
    left(kHw + 20, kHh);
    left(kHw + 40, kHh);
    right(kHw, kHh);
    EXPECT_EQ(0, std::memcmp(before.get(), static_cast<MissionPageData*>(&page), sizeof(MissionPageData)));
}

TEST_F(RulerTool, TakenUpOnlyWhenNothingElseIsUnderWay) {
    MissionPage& page = app.currentPage();
    addItem(page, kTestJeepType);
    sel_Add(page, 0);
    app.command(kCmdMove);
    EXPECT_EQ(kToolMove, app.mouse().toolState());
    app.command(kCmdMeasure);
    EXPECT_EQ(kToolMove, app.mouse().toolState());
    // While measuring, move and paste placements are refused, and a click selects nothing.
    right(kHw, kHh);
    app.command(kCmdMeasure);
    app.command(kCmdMove);
    EXPECT_TRUE(app.mouse().measuring());
    sel_Clear(page);
    left(kHw, kHh);
    EXPECT_EQ(0, page.selection.count);
}

} // namespace
