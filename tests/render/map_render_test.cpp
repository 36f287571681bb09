// The whole render: grid, terrain boundary, waypoint lists, area triggers, the selection on top
// and the preview.
#include "render_test_util.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

class MapRenderTest : public RenderFixture {
  protected:
    // A white terrain, so that the black grid shows.
    void whiteTerrain() {
        TerrainImagery* imagery = page_EnsureImagery(*page);
        ASSERT_NE(imagery, nullptr);
        std::fill(std::begin(imagery->color_map), std::end(imagery->color_map), kWhite);
    }
    TestImage render(const ViewState& view, int32_t w, int32_t h, const MapRenderOptions& options = {}) {
        TestImage image(view, w, h, 0x12345678);
        EXPECT_EQ(MapRender(*page, view, image.image.target(), options), 1);
        return image;
    }
    int marker(int32_t type, int32_t number, int32_t list, int32_t x, int32_t y) {
        const int slot = rtest_AddItem(*page, type, x, y, 90);
        page->items[slot].wpnumber = number;
        page->items[slot].waypoint_id = list;
        return slot;
    }
    // Checks that `colour` covers exactly the reference lines' pixels, except where an item
    // symbol (`itemColour`) was drawn over them later.
    void expectLines(const TestImage& rendered, const TestImage& reference, uint32_t colour,
                     uint32_t itemColour) {
        int lines = 0;
        for (int32_t y = 0; y < rendered.image.height(); ++y)
            for (int32_t x = 0; x < rendered.image.width(); ++x) {
                const bool expected = reference.at(x, y) == colour && rendered.at(x, y) != itemColour;
                ASSERT_EQ(rendered.at(x, y) == colour, expected) << x << "," << y;
                lines += expected;
            }
        EXPECT_GT(lines, 50);
    }
};

} // namespace

TEST_F(MapRenderTest, NoImageNoRender) {
    const ViewState view = rtest_View(0.01f);
    EXPECT_EQ(MapRender(*page, view, RasterTarget{}), 0);
    uint32_t pixel = 7;
    EXPECT_EQ(MapRender(*page, view, RasterTarget{0, 1, &pixel}), 0);
    EXPECT_EQ(pixel, 7u);
}

TEST_F(MapRenderTest, GridHas65LinesEachWayCovering64CellsAroundTheCentre) {
    whiteTerrain();
    ViewState view = rtest_View(0.005f, 5000, -7000);
    view.grid_shown = 1;
    view.grid_size = 1024;
    const TestImage image = render(view, 512, 512);
    const MapTransform& t = image.canvas.transform;
    // x0 = 1024 × (5000 ÷ 1024 - 32) = -28672, y0 = 1024 × (-7000 ÷ 1024 - 32) = -38912.
    std::set<int32_t> columns, rows;
    for (int i = 0; i <= 64; ++i) {
        columns.insert(WorldToScreen(t, -28672 + i * 1024, 0).x);
        rows.insert(WorldToScreen(t, 0, -38912 + i * 1024).y);
    }
    ASSERT_EQ(columns.size(), 65u);
    ASSERT_EQ(rows.size(), 65u);
    const int32_t left = *columns.begin(), right = *columns.rbegin();
    const int32_t top = *rows.begin(), bottom = *rows.rbegin();
    EXPECT_EQ(top, WorldToScreen(t, 0, -38912 + 65536).y);
    for (int32_t y = 0; y < 512; ++y)
        for (int32_t x = 0; x < 512; ++x) {
            const bool onGrid = x >= left && x <= right && y >= top && y <= bottom &&
                                (columns.count(x) != 0 || rows.count(y) != 0);
            ASSERT_EQ(image.at(x, y) == 0u, onGrid) << x << "," << y;
        }
    // Hidden grid, or a grid size of 0: no black at all.
    view.grid_size = 0;
    EXPECT_EQ(render(view, 512, 512).count(0), 0);
    view.grid_size = 1024;
    view.grid_shown = 0;
    EXPECT_EQ(render(view, 512, 512).count(0), 0);
}

TEST_F(MapRenderTest, BoundarySquaresAt1024And2048Metres) {
    const ViewState view = rtest_View(0.0005f);
    const TestImage image = render(view, 640, 640);
    // ±262,144 × 0.0005 = ±131 px, ±524,288 × 0.0005 = ±262 px around (320, 320).
    for (const int32_t d : {-131, 131}) {
        EXPECT_EQ(image.at(320 + d, 320), 0x00FF00u);
        EXPECT_EQ(image.at(320, 320 + d), 0x00FF00u);
    }
    for (const int32_t d : {-262, 262}) {
        EXPECT_EQ(image.at(320 + d, 320), 0xFF0000u);
        EXPECT_EQ(image.at(320, 320 + d), 0xFF0000u);
    }
    EXPECT_EQ(image.count(0x00FF00), 4 * 263 - 4);
    EXPECT_EQ(image.count(0xFF0000), 4 * 525 - 4);
    EXPECT_EQ(image.at(320, 320), 0u); // no terrain: black
}

TEST_F(MapRenderTest, WaypointListJoinsItsMarkersInOrderAndLoops) {
    marker(kWaypointMarkerType, 2, 1, 0, 2000);
    marker(kWaypointMarkerType, 0, 1, -2000, -2000);
    marker(kWaypointMarkerType, 1, 1, 2000, -2000);
    page->waypoints[1].color = 3; // red
    const ViewState view = rtest_View(0.02f);
    const uint32_t markerColour = 0x4BAADF;

    TestImage reference(view, 256, 256), open(view, 256, 256);
    for (TestImage* image : {&reference, &open}) {
        DrawWorldLine(image->canvas, -2000, -2000, 2000, -2000, 0xFF0000);
        DrawWorldLine(image->canvas, 2000, -2000, 0, 2000, 0xFF0000);
    }
    DrawWorldLine(reference.canvas, -2000, -2000, 0, 2000, 0xFF0000); // first to last

    expectLines(render(view, 256, 256), reference, 0xFF0000, markerColour);
    page->waypoints[1].attrib = 1; // no loop
    expectLines(render(view, 256, 256), open, 0xFF0000, markerColour);
    // Hidden markers hide their lists.
    ViewState noMarkers = view;
    noMarkers.show_flags &= ~kShowMarkers;
    EXPECT_EQ(render(noMarkers, 256, 256).count(0xFF0000), 0);
}

TEST_F(MapRenderTest, ListOfOneMarkerDrawsNothing) {
    marker(kWaypointMarkerType, 0, 5, -2000, 0);
    page->waypoints[5].color = 3;
    EXPECT_EQ(render(rtest_View(0.02f), 256, 256).count(0xFF0000), 0);
}

TEST_F(MapRenderTest, ListWhoseFirstMarkerIsHiddenDrawsNothing) {
    const int first = marker(kWaypointMarkerType, 0, 1, -2000, -2000);
    marker(kWaypointMarkerType, 1, 1, 2000, -2000);
    marker(kWaypointMarkerType, 2, 1, 0, 2000);
    page->waypoints[1].color = 3;
    page->items[first].hidden = 1;
    EXPECT_EQ(render(rtest_View(0.02f), 256, 256).count(0xFF0000), 0);
    // Hiding a later marker keeps the list.
    page->items[first].hidden = 0;
    page->items[2].hidden = 1;
    EXPECT_GT(render(rtest_View(0.02f), 256, 256).count(0xFF0000), 0);
}

TEST_F(MapRenderTest, AreaTriggerIsTheRectangleOfItsMarkers) {
    const int west = marker(kAreaTriggerMarkerType, 1, 0, -3000, 1000);
    marker(kAreaTriggerMarkerType, 1, 0, 2000, -1500);
    page->area_triggers[1].color = 12; // 0xB2006A
    const ViewState view = rtest_View(0.02f);
    TestImage reference(view, 256, 256);
    DrawWorldLine(reference.canvas, -3000, 1000, 2000, 1000, 0xB2006A);
    DrawWorldLine(reference.canvas, 2000, 1000, 2000, -1500, 0xB2006A);
    DrawWorldLine(reference.canvas, 2000, -1500, -3000, -1500, 0xB2006A);
    DrawWorldLine(reference.canvas, -3000, -1500, -3000, 1000, 0xB2006A);
    // Area triggers come after the items, so nothing covers them.
    expectLines(render(view, 256, 256), reference, 0xB2006A, 0xB2006A + 1);

    ViewState hidden = view;
    hidden.show_flags &= ~kShowAreaTriggers;
    EXPECT_EQ(render(hidden, 256, 256).count(0xB2006A), 0);
    page->items[west].hidden = 1; // the first marker (smallest x)
    EXPECT_EQ(render(view, 256, 256).count(0xB2006A), 0);
}

TEST_F(MapRenderTest, SelectionIsDrawnOnTopInTheOverlayColour) {
    const int a = rtest_AddItem(*page, kTestCrateType, 0, 0, 90);
    const int b = rtest_AddItem(*page, kTestCrateType, 0, 0, 90);
    ASSERT_EQ(sel_Add(*page, a), 1);
    const ViewState view = rtest_View(0.05f);
    const TestImage image = render(view, 128, 128);
    EXPECT_GT(image.count(kColourOverlay), 0);
    EXPECT_EQ(image.count(0x4BAADF), 0); // item b lies under the selected a
    // A selected item that is not visible is not drawn at all.
    page->items[a].hidden = 1;
    page->items[b].hidden = 1;
    EXPECT_EQ(render(view, 128, 128).count(kColourOverlay), 0);
}

TEST_F(MapRenderTest, PreviewDrawsTheOtherPagesSelectionDisplaced) {
    auto clipboard = std::make_unique<MissionPage>();
    const int slot = rtest_AddItem(*clipboard, kTestCrateType, 0, 0, 90);
    ASSERT_EQ(sel_Add(*clipboard, slot), 1);
    const ViewState view = rtest_View(0.05f);
    MapRenderOptions options;
    options.preview.page = clipboard.get();
    options.preview.dx = 600;
    options.preview.dy = -400;
    const TestImage image = render(view, 128, 128, options);

    TestImage expected(view, 128, 128);
    DrawSelection(expected.canvas, *clipboard, 600, -400, 0);
    const std::set<std::pair<int32_t, int32_t>> shifted = expected.changed();
    // The symbol's centre moved by (600 × 0.05, 400 × 0.05) pixels.
    EXPECT_TRUE(shifted.count({64 + 30, 64 + 20}));
    EXPECT_FALSE(shifted.count({64, 64}));
    std::set<std::pair<int32_t, int32_t>> overlay;
    for (int32_t y = 0; y < 128; ++y)
        for (int32_t x = 0; x < 128; ++x)
            if (image.at(x, y) == kColourOverlay) overlay.insert({x, y});
    EXPECT_EQ(overlay, shifted);
}
