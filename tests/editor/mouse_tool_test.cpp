// The map view's mouse tools: picking, rectangles, insert, move and paste placement, snapping.

#include "editor/edit_commands.h"
#include "editor/mouse_tool.h"
#include "editor/snap.h"

#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "support/captured_messages.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <memory>

#include <vector>

namespace {

// One pixel per metre; the view centre (0, 0) sits at pixel (kHw, kHh).
constexpr float kZoom = 1.0f / 256.0f;
constexpr int32_t kWidth = 1024, kHeight = 768;
constexpr int32_t kHw = kWidth / 2, kHh = kHeight / 2;
constexpr int32_t kMetre = 256;

class MouseTool : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        page_Clear(page);
        page_NameDefaultGroups(page);
        page_Clear(clipboard);
        view_Reset(view);
        view_ApplyWindowStart(view);
        view.grid_shown = 0;
        view.zoom = kZoom;
        ASSERT_TRUE(image.create(kWidth, kHeight));
    }
    // The item definitions outlive a test; leave them as found.
    void TearDown() override { test_LoadItemDefs(); }

    MouseContext context() {
        return MouseContext{page, clipboard, view, image.target(), prompt, [this] { ++modelLoads; }, random};
    }
    // An item whose screen position is pixel (sx, sy).
    int addAtPixel(int32_t type, int32_t sx, int32_t sy) {
        const int slot = page_AddItem(page, type, (sx - kHw) * kMetre, (kHh - sy) * kMetre, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }
    std::vector<int32_t> selection() const {
        return std::vector<int32_t>(page.selection.slots, page.selection.slots + page.selection.count);
    }
    MouseResult click(int32_t px, int32_t py, bool shift = false, bool control = false) {
        MouseContext ctx = context();
        return mouse.leftDown(ctx, px, py, shift, control);
    }
    MouseResult drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool shift, bool control) {
        MouseContext ctx = context();
        mouse.leftDown(ctx, x1, y1, shift, control);
        mouse.mouseMove(ctx, (x1 + x2) / 2, (y1 + y2) / 2, false);
        mouse.mouseMove(ctx, x2, y2, false);
        return mouse.leftUp(ctx, x2, y2);
    }

    std::unique_ptr<MissionPage> pages[2] = {std::make_unique<MissionPage>(),
                                             std::make_unique<MissionPage>()};
    MissionPage& page = *pages[0];
    MissionPage& clipboard = *pages[1];
    ViewState view{};
    RasterImage image;
    MapMouse mouse;
    InsertItemPrompt prompt;
    std::function<int()> random;
    int modelLoads = 0;
};

TEST_F(MouseTool, ClickPicksWithinLessThan256Pixels) {
    const int item = addAtPixel(kTestJeepType, kHw + 255, kHh);
    MouseResult r = click(kHw, kHh);
    EXPECT_EQ(selection(), std::vector<int32_t>{item});
    EXPECT_TRUE(r.has(kMousePresent));
    EXPECT_TRUE(r.has(kMouseRepaintItemInfo));
    EXPECT_FALSE(r.has(kMouseRender)); // only the changed item is drawn

    page.items[item].position[0] = 256 * kMetre; // exactly 256 pixels away
    sel_Clear(page);
    r = click(kHw, kHh);
    EXPECT_TRUE(selection().empty());
    EXPECT_FALSE(r.has(kMousePresent));
    // Diagonal: 181² + 181² = 65,522 is still below the limit.
    page.items[item].position[0] = 181 * kMetre;
    page.items[item].position[1] = 181 * kMetre;
    click(kHw, kHh);
    EXPECT_EQ(selection(), std::vector<int32_t>{item});
}

TEST_F(MouseTool, ClickTogglesTheNearestVisibleItemEarlierWinningTies) {
    const int far = addAtPixel(kTestJeepType, 100, 100);
    const int first = addAtPixel(kTestJeepType, 210, 200);
    const int second = addAtPixel(kTestJeepType, 190, 200); // same distance as `first`
    const int hidden = addAtPixel(kTestJeepType, 200, 200);
    page.items[hidden].hidden = 1;
    click(200, 200);
    EXPECT_EQ(selection(), std::vector<int32_t>{first});
    // The overlay colour marks the item just added.
    bool overlay = false;
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        overlay = overlay || image.pixels()[i] == kColourOverlay;
    EXPECT_TRUE(overlay);
    click(200, 200); // clicking a selected item removes it
    EXPECT_TRUE(selection().empty());
    click(101, 100);
    click(190, 201);
    EXPECT_EQ(selection(), (std::vector<int32_t>{far, second}));
}

TEST_F(MouseTool, ItemsOutsideTheImageAreNotPicked) {
    addAtPixel(kTestJeepType, -10, 100);
    click(0, 100);
    EXPECT_TRUE(selection().empty());
}

TEST_F(MouseTool, ShiftRectangleAddsAndControlRectangleRemoves) {
    const int a = addAtPixel(kTestJeepType, 100, 100);
    const int b = addAtPixel(kTestSoldierType, 150, 120);
    const int outside = addAtPixel(kTestJeepType, 300, 100);
    (void)outside;

    MouseContext ctx = context();
    MouseResult r = mouse.leftDown(ctx, 160, 130, true, false); // corners in any order
    EXPECT_EQ(mouse.toolState(), kToolRectAdd);
    EXPECT_TRUE(r.has(kMouseCapture));
    r = mouse.mouseMove(ctx, 120, 110, false);
    EXPECT_TRUE(r.has(kMouseEraseBand) && r.has(kMouseDrawBand));
    EXPECT_EQ(r.erase.x2, 160);
    EXPECT_EQ(r.band.x2, 120);
    r = mouse.mouseMove(ctx, 90, 90, false);
    EXPECT_EQ(r.erase.x2, 120); // the previous rectangle is erased
    r = mouse.leftUp(ctx, 90, 90);
    EXPECT_TRUE(r.has(kMouseEraseBand) && r.has(kMouseRelease) && r.has(kMouseRepaintItemInfo));
    EXPECT_EQ(mouse.toolState(), kToolIdle);
    EXPECT_EQ(selection(), (std::vector<int32_t>{a, b}));

    // Adding again keeps the order; removing takes out only what lies inside.
    drag(95, 95, 105, 105, true, false);
    EXPECT_EQ(selection(), (std::vector<int32_t>{a, b}));
    drag(140, 110, 160, 130, false, true);
    EXPECT_EQ(selection(), std::vector<int32_t>{a});
}

TEST_F(MouseTool, ControlRectangleOverUnselectedItemsLeavesTheSelectionAlone) {
    const int a = addAtPixel(kTestJeepType, 100, 100);
    addAtPixel(kTestJeepType, 400, 400);
    addAtPixel(kTestJeepType, 410, 410);
    sel_Add(page, a);
    drag(390, 390, 420, 420, false, true);
    EXPECT_EQ(selection(), std::vector<int32_t>{a});
}

TEST_F(MouseTool, PasteLandsTheAnchorOnTheSnappedClickAndSelectsExactlyThePaste) {
    view.snap_to_grid = 1;
    view.grid_size = 512;
    const int a = page_AddItem(page, kTestJeepType, 1000, 2000, 7);
    const int b = page_AddItem(page, kTestSoldierType, 3000, -500, 9);
    const int c = page_AddItem(page, kTestHouseType, 1500, 1500, 11); // the anchor
    for (int s : {a, b, c})
        sel_Add(page, s);
    ASSERT_EQ(edit_Copy(page, clipboard), 1);
    ASSERT_TRUE(mouse.startPaste(clipboard));
    EXPECT_EQ(mouse.toolState(), kToolPaste);

    const int32_t px = kHw + 10, py = kHh - 3; // world (2560, 768)
    const WorldPoint p = SnapToGrid(view, ScreenToWorld(map_MakeTransform(view, kWidth, kHeight), px, py));
    EXPECT_EQ(p.x, 2560);
    EXPECT_EQ(p.y, 1024); // 768 snaps up: halves away from zero
    MouseContext ctx = context();
    MouseResult r = mouse.mouseMove(ctx, px, py, false);
    EXPECT_TRUE(r.has(kMouseRender));
    const MapPreview preview = mouse.preview(ctx);
    EXPECT_EQ(preview.page, &clipboard);
    EXPECT_EQ(preview.dx, p.x);
    EXPECT_EQ(preview.dy, p.y);
    EXPECT_FALSE(mouse.mouseMove(ctx, px, py, true).has(kMouseRender));

    r = mouse.leftDown(ctx, px, py, false, false);
    EXPECT_TRUE(r.has(kMouseRender) && r.has(kMouseRepaintItemInfo));
    EXPECT_EQ(mouse.toolState(), kToolIdle);
    ASSERT_EQ(page.num_items, 6);
    EXPECT_EQ(selection(), (std::vector<int32_t>{3, 4, 5}));
    EXPECT_EQ(page.items[5].position[0], p.x);
    EXPECT_EQ(page.items[5].position[1], p.y);
    EXPECT_EQ(page.items[3].position[0], p.x + 1000 - 1500);
    EXPECT_EQ(page.items[4].position[1], p.y - 500 - 1500);
    EXPECT_EQ(page.items[3].position[2], 7 + p.z);
}

TEST_F(MouseTool, PasteNeedsAClipboardSelectionAndAnIdleTool) {
    EXPECT_FALSE(mouse.startPaste(clipboard));
    page_AddItem(clipboard, kTestJeepType, 0, 0, 0);
    sel_Add(clipboard, 0);
    MouseContext ctx = context();
    mouse.rightDown(ctx, 10, 10, true, false); // zoom drag
    EXPECT_FALSE(mouse.startPaste(clipboard));
    mouse.rightUp(ctx);
    EXPECT_TRUE(mouse.startPaste(clipboard));
}

TEST_F(MouseTool, MoveAppliesTheSnappedOffsetAndRightClickCancelsIt) {
    view.snap_to_grid = 1;
    view.grid_size = 1024;
    const int a = page_AddItem(page, kTestJeepType, 300, 300, 5);
    const int b = page_AddItem(page, kTestJeepType, 700, -100, 5);
    sel_Add(page, b);
    sel_Add(page, a); // anchor
    ASSERT_TRUE(mouse.startMove(page));
    MouseContext ctx = context();
    mouse.mouseMove(ctx, kHw + 20, kHh, false); // world (5120, 0)
    EXPECT_EQ(mouse.preview(ctx).page, &page);
    EXPECT_EQ(mouse.offsetX(), 5120 - 300);
    EXPECT_EQ(mouse.offsetY(), -300);

    // Right click cancels without moving anything.
    MouseResult r = mouse.rightDown(ctx, kHw + 20, kHh, false, false);
    EXPECT_TRUE(r.has(kMouseRepaintMap));
    EXPECT_FALSE(r.has(kMouseContextMenu));
    EXPECT_EQ(mouse.toolState(), kToolIdle);
    EXPECT_EQ(mouse.preview(ctx).page, nullptr);
    mouse.leftDown(ctx, kHw + 20, kHh, false, false); // a plain click now
    EXPECT_EQ(page.items[a].position[0], 300);
    EXPECT_EQ(page.items[b].position[0], 700);

    // Move again and place: the anchor lands on the grid, the other item keeps its distance.
    sel_Clear(page);
    sel_Add(page, b);
    sel_Add(page, a);
    ASSERT_TRUE(mouse.startMove(page));
    mouse.mouseMove(ctx, kHw + 20, kHh, true);
    mouse.leftDown(ctx, kHw + 20, kHh, false, false);
    EXPECT_EQ(page.items[a].position[0], 5120);
    EXPECT_EQ(page.items[a].position[1], 0);
    EXPECT_EQ(page.items[b].position[0], 700 + 5120 - 300);
    EXPECT_EQ(page.items[b].position[1], -400);
    EXPECT_EQ(page.items[b].position[2], 5);
}

TEST_F(MouseTool, RightClickWhenIdleShowsTheMenuForTheSelection) {
    MouseContext ctx = context();
    MouseResult r = mouse.rightDown(ctx, 5, 5, false, false);
    ASSERT_TRUE(r.has(kMouseContextMenu));
    EXPECT_STREQ(r.menu, kMouseMenu);
    sel_Add(page, page_AddItem(page, kTestJeepType, 0, 0, 0));
    r = mouse.rightDown(ctx, 5, 5, false, false);
    EXPECT_STREQ(r.menu, kMouseMenuItem);
}

TEST_F(MouseTool, NavigationGesturesArePassedOn) {
    MouseContext ctx = context();
    MouseResult r = mouse.middleDown(ctx, kHw + 4, kHh, false, false);
    EXPECT_TRUE(r.has(kMouseRender) && r.has(kMouseRepaintCentre));
    EXPECT_EQ(view.center_x, 4 * kMetre);

    r = mouse.rightDown(ctx, 101, 0, true, false);
    EXPECT_TRUE(r.has(kMouseCapture));
    EXPECT_EQ(mouse.dragState(), kDragZoom);
    EXPECT_FALSE(mouse.idle());
    const int item = addAtPixel(kTestJeepType, kHw, kHh);
    click(kHw, kHh); // ignored during the drag
    EXPECT_TRUE(selection().empty());
    r = mouse.mouseMove(ctx, 202, 0, false);
    EXPECT_TRUE(r.has(kMouseRenderWhenIdle));
    EXPECT_FLOAT_EQ(view.zoom, kZoom * 2);
    r = mouse.rightUp(ctx);
    EXPECT_TRUE(r.has(kMouseRender) && r.has(kMouseRelease));
    EXPECT_TRUE(mouse.idle());
    (void)item;
}

TEST_F(MouseTool, InsertAddsTheChosenDefinitionAtTheSnappedPoint) {
    view.insert_mode = 1;
    view.snap_to_grid = 1;
    view.grid_size = 512;
    int asked = 0;
    std::string chosen = "jeep";
    bool randomFacing = true;
    prompt = [&](InsertItemChoice& choice) {
        ++asked;
        choice.definition_name = chosen;
        choice.random_facing = randomFacing;
        return true;
    };
    random = [] { return 1000; };
    // The dialog's name matches the definition's without regard to case.
    ASSERT_NE(itemdef_FindById(kTestJeepType), 0);
    ASSERT_EQ(itemdef_FindByName("JEEP"), itemdef_FindById(kTestJeepType));

    MouseResult r = click(kHw + 1, kHh - 1); // world (256, 256) snaps to (512, 512)
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(r.has(kMouseRender));
    ASSERT_EQ(page.num_items, 1);
    EXPECT_EQ(page.items[0].type_id, kTestJeepType);
    EXPECT_EQ(page.items[0].position[0], 512);
    EXPECT_EQ(page.items[0].position[1], 512);
    EXPECT_EQ(page.items[0].facing[0], 1000 % 360);
    EXPECT_EQ(modelLoads, 1);
    EXPECT_TRUE(selection().empty()); // insert mode does not select

    // An unknown name takes the first definition; no random facing leaves the default heading.
    chosen = "no such thing";
    randomFacing = false;
    click(kHw, kHh);
    ASSERT_EQ(page.num_items, 2);
    EXPECT_EQ(page.items[1].type_id, itemdef_Get(0)->id);
    EXPECT_EQ(page.items[1].facing[0], 0);

    // Cancelled: nothing is added.
    prompt = [&](InsertItemChoice&) { return false; };
    r = click(kHw, kHh);
    EXPECT_EQ(page.num_items, 2);
    EXPECT_EQ(r.effects, uint32_t(kMouseNone));
}

TEST_F(MouseTool, InsertIntoAFullPageSaysSoWithoutAskingForAnItem) {
    CapturedMessages messages;
    view.insert_mode = 1;
    int asked = 0;
    prompt = [&](InsertItemChoice& choice) {
        ++asked;
        choice.definition_name = "Jeep";
        return true;
    };
    page.num_items = kMaxItems - 1;
    click(kHw, kHh);
    EXPECT_EQ(page.num_items, kMaxItems) << "the last slot still takes an item";
    EXPECT_TRUE(messages.messages.empty());

    const MouseResult r = click(kHw, kHh);
    EXPECT_EQ(asked, 1) << "no dialog for an item the page cannot take";
    EXPECT_EQ(page.num_items, kMaxItems);
    EXPECT_EQ(r.effects, uint32_t(kMouseNone));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, MsgIcon::Warning);
    EXPECT_NE(messages.messages[0].text.find(std::to_string(kMaxItems)), std::string::npos)
        << messages.messages[0].text;
}

TEST_F(MouseTool, PasteThatOnlyPartlyFitsSaysHowManyWerePasted) {
    CapturedMessages messages;
    test_InstallTexts("[Dialog Message]\nWARNING=Warning\n"); // the built-in wording
    for (int i = 0; i < 3; ++i)
        sel_Add(clipboard, page_AddItem(clipboard, kTestJeepType, 256 * i, 0, 0));
    page.num_items = kMaxItems - 3;
    ASSERT_TRUE(mouse.startPaste(clipboard));
    click(kHw, kHh);
    EXPECT_EQ(page.num_items, kMaxItems);
    EXPECT_TRUE(messages.messages.empty()) << "all three fitted";

    page.num_items = kMaxItems - 1;
    ASSERT_TRUE(mouse.startPaste(clipboard));
    const MouseResult r = click(kHw, kHh);
    EXPECT_TRUE(r.has(kMouseRender) && r.has(kMousePageChanged));
    EXPECT_EQ(page.num_items, kMaxItems);
    EXPECT_EQ(selection(), std::vector<int32_t>{kMaxItems - 1});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "1 of 3 items were pasted. The others did not fit: a page holds at most " +
                  std::to_string(kMaxItems) + " items.");
}

TEST_F(MouseTool, InsertWithoutDefinitionsAddsNothing) {
    test_ClearItemDefs();
    view.insert_mode = 1;
    prompt = [](InsertItemChoice& choice) {
        choice.definition_name = "Jeep";
        return true;
    };
    click(kHw, kHh);
    EXPECT_EQ(page.num_items, 0);
    EXPECT_EQ(modelLoads, 0);
}

TEST(SnapToGrid, HalvesRoundAwayFromZeroAndZStays) {
    ViewState view{};
    view_Reset(view);
    view.snap_to_grid = 1;
    view.grid_size = 512;
    auto snapX = [&](int32_t x) { return SnapToGrid(view, WorldPoint{x, 0, 0}).x; };
    EXPECT_EQ(snapX(-256), -512);
    EXPECT_EQ(snapX(-255), 0);
    EXPECT_EQ(snapX(255), 0);
    EXPECT_EQ(snapX(256), 512);
    EXPECT_EQ(snapX(0), 0);
    EXPECT_EQ(snapX(-767), -512);
    EXPECT_EQ(snapX(768), 1024);
    const WorldPoint p = SnapToGrid(view, WorldPoint{100, -300, 77});
    EXPECT_EQ(p.y, -512);
    EXPECT_EQ(p.z, 77);

    // Extremes stay multiples of the grid inside the 32-bit range.
    const int32_t top = SnapToGrid(view, WorldPoint{INT32_MAX, INT32_MIN, 0}).x;
    const int32_t bottom = SnapToGrid(view, WorldPoint{INT32_MAX, INT32_MIN, 0}).y;
    EXPECT_EQ(top % 512, 0);
    EXPECT_GT(top, INT32_MAX - 512);
    EXPECT_EQ(bottom, INT32_MIN);

    view.snap_to_grid = 0;
    EXPECT_EQ(snapX(-256), -256);
    view.snap_to_grid = 1;
    view.grid_size = 0; // no grid to snap to
    EXPECT_EQ(snapX(-256), -256);
}

} // namespace
