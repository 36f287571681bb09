// Copy, cut, numeric move and copy, select this type, hiding, and the command entries.

#include "editor/edit_commands.h"
#include "editor_fixture.h"

#include "mission/page_ops.h"

#include <vector>

namespace {

std::vector<int32_t> selectionOf(const MissionPage& page) {
    return std::vector<int32_t>(page.selection.slots, page.selection.slots + page.selection.count);
}

class EditCommands : public EditorTest {
  protected:
    MissionPage& page = page1();
    MissionPage& clipboard = app.document().clipboard();
    MissionPage& scratch = app.document().scratch();
    // Items 0..n-1 at X = 1000 × slot, Y = -10 × slot, Z = slot.
    void addItems(int n, int32_t type = kTestJeepType) {
        for (int i = 0; i < n; ++i) {
            const int slot = page_AddItem(page, type, 1000 * i, -10 * i, i);
            ASSERT_EQ(slot, page.num_items - 1);
        }
    }
};

TEST_F(EditCommands, CopyPutsTheLastSelectedItemAtTheOrigin) {
    addItems(4);
    page_AddItem(clipboard, kTestHouseType, 5, 5, 5); // replaced by the copy
    sel_Add(page, 3);
    sel_Add(page, 1);
    ASSERT_EQ(edit_Copy(page, clipboard), 1);
    ASSERT_EQ(clipboard.num_items, 2);
    EXPECT_EQ(selectionOf(clipboard), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(clipboard.items[0].position[0], 3000 - 1000);
    EXPECT_EQ(clipboard.items[0].position[1], -30 + 10);
    EXPECT_EQ(clipboard.items[0].position[2], 3);
    EXPECT_EQ(clipboard.items[1].position[0], 0);
    EXPECT_EQ(clipboard.items[1].position[1], 0);
    EXPECT_EQ(page.num_items, 4); // copy leaves the page alone
    EXPECT_EQ(selectionOf(page), (std::vector<int32_t>{3, 1}));

    // Nothing selected: the clipboard keeps what it holds.
    sel_Clear(page);
    EXPECT_EQ(edit_Copy(page, clipboard), 0);
    EXPECT_EQ(clipboard.num_items, 2);
}

TEST_F(EditCommands, CutOfSlotsTwoAndFiveRemovesExactlyThoseItems) {
    addItems(7);
    std::vector<int32_t> ids;
    for (int i = 0; i < 7; ++i)
        ids.push_back(page.items[i].id);
    sel_Add(page, 2);
    sel_Add(page, 5);
    ASSERT_EQ(edit_Cut(page, clipboard), 1);
    ASSERT_EQ(page.num_items, 5);
    std::vector<int32_t> left;
    for (int i = 0; i < page.num_items; ++i)
        left.push_back(page.items[i].id);
    EXPECT_EQ(left, (std::vector<int32_t>{ids[0], ids[1], ids[3], ids[4], ids[6]}));
    EXPECT_EQ(page.selection.count, 0);
    EXPECT_EQ(clipboard.num_items, 2);
    EXPECT_EQ(clipboard.items[1].position[0], 0); // slot 5 was the anchor
    EXPECT_EQ(clipboard.items[0].position[0], 2000 - 5000);
}

TEST_F(EditCommands, NumericCopyWithZeroOffsetsDuplicatesInPlaceAndSelectsTheCopies) {
    addItems(3);
    sel_Add(page, 2);
    sel_Add(page, 0);
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{0, 0, 0, true}), 1);
    ASSERT_EQ(page.num_items, 5);
    EXPECT_EQ(selectionOf(page), (std::vector<int32_t>{3, 4}));
    for (int k : {0, 1, 2}) {
        EXPECT_EQ(page.items[3].position[k], page.items[2].position[k]);
        EXPECT_EQ(page.items[4].position[k], page.items[0].position[k]);
    }
    EXPECT_NE(page.items[3].id, page.items[2].id);
    EXPECT_TRUE(screen.messages.empty()) << "every copy fitted";

    // Copy with offsets: originals stay, copies are displaced.
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{10, 20, 30, true}), 1);
    ASSERT_EQ(page.num_items, 7);
    EXPECT_EQ(page.items[5].position[0], 2000 + 10);
    EXPECT_EQ(page.items[5].position[1], -20 + 20);
    EXPECT_EQ(page.items[5].position[2], 2 + 30);
    EXPECT_EQ(page.items[3].position[0], 2000);

    // Move: the selection moves, nothing is added.
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{-10, 0, 0, false}), 1);
    EXPECT_EQ(page.num_items, 7);
    EXPECT_EQ(page.items[5].position[0], 2000);

    sel_Clear(page);
    EXPECT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{1, 1, 1, true}), 0);
    EXPECT_EQ(page.num_items, 7);
}

TEST_F(EditCommands, NumericCopyThatOnlyPartlyFitsSaysHowManyWereCopied) {
    addItems(3);
    for (int slot : {0, 1, 2})
        sel_Add(page, slot);
    page.num_items = kMaxItems - 2; // the three stay at the front
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{5, 0, 0, true}), 1);
    EXPECT_EQ(page.num_items, kMaxItems);
    EXPECT_EQ(selectionOf(page), (std::vector<int32_t>{kMaxItems - 2, kMaxItems - 1}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].caption, "Warning");
    EXPECT_EQ(screen.messages[0].text, "copied 2 of 3, most 5000");

    // A move never adds, and a copy into a full page copies nothing and says so.
    screen.clearRecord();
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{5, 0, 0, false}), 1);
    EXPECT_TRUE(screen.messages.empty());
    ASSERT_EQ(edit_NumericMoveCopy(page, scratch, NumericMoveChoice{5, 0, 0, true}), 1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].text, "copied 0 of 2, most 5000");
}

TEST_F(EditCommands, SelectTypeAddsVisibleItemsOfTheAnchorsType) {
    addItems(2, kTestJeepType);    // 0, 1
    addItems(2, kTestSoldierType); // 2, 3
    addItems(3, kTestJeepType);    // 4, 5, 6
    page.items[5].hidden = 1;
    sel_Add(page, 2);
    sel_Add(page, 4); // anchor: a jeep
    EXPECT_EQ(edit_SelectType(page, view().show_flags), 3);
    EXPECT_EQ(selectionOf(page), (std::vector<int32_t>{2, 4, 0, 1, 6}));
    sel_Clear(page);
    EXPECT_EQ(edit_SelectType(page, view().show_flags), 0);
    EXPECT_EQ(page.selection.count, 0);
}

TEST_F(EditCommands, HideSelectedLeavesAnEmptySelection) {
    addItems(3);
    sel_Add(page, 1);
    edit_HideSelected(page);
    EXPECT_EQ(page.selection.count, 0);
    EXPECT_EQ(page.items[1].hidden, 1);
    EXPECT_EQ(page.items[0].hidden, 0);
    sel_Add(page, 0);
    edit_HideUnselected(page);
    EXPECT_EQ(page.items[2].hidden, 1);
    EXPECT_EQ(page.items[0].hidden, 0);
    edit_UnhideAll(page);
    EXPECT_EQ(page.items[1].hidden + page.items[2].hidden, 0);
    edit_UnselectAll(page);
    EXPECT_EQ(page.selection.count, 0);
}

TEST_F(EditCommands, CommandEntriesRepaintAndHonourTheToolState) {
    addItems(3);
    sel_Add(page, 0);
    MapMouse mouse;

    cmd_EditCut(app);
    EXPECT_EQ(page.num_items, 2);
    EXPECT_EQ(screen.repaintCount(EditorWindow::ItemInfo), 1);
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 1);

    cmd_EditPaste(app, mouse);
    EXPECT_EQ(mouse.toolState(), kToolPaste);
    EXPECT_EQ(screen.repaintCount(EditorWindow::MapView), 2);
    EXPECT_FALSE(edit_ItemInfoClickAccepted(mouse));

    // Busy: move and numeric move are refused.
    sel_Add(page, 1);
    int prompts = 0;
    NumericMovePrompt prompt = [&](NumericMoveChoice& choice) {
        ++prompts;
        choice = NumericMoveChoice{0, 0, 0, true};
        return true;
    };
    cmd_EditMove(app, mouse);
    EXPECT_EQ(mouse.toolState(), kToolPaste);
    cmd_EditNumericMove(app, mouse, prompt);
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(page.num_items, 2);

    mouse.reset();
    cmd_EditNumericMove(app, mouse, prompt);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(page.num_items, 3);
    cmd_EditMove(app, mouse);
    EXPECT_EQ(mouse.toolState(), kToolMove);

    // Item attributes: a dialog only with a selection.
    screen.clearRecord();
    sel_Clear(page);
    cmd_EditAttributes(app);
    EXPECT_TRUE(screen.dialogs.empty());
    sel_Add(page, 0);
    cmd_EditAttributes(app);
    EXPECT_EQ(screen.dialogs, std::vector<std::string>{kDialogItemAttributes});
    EXPECT_EQ(screen.repaintCount(EditorWindow::ItemInfo), 2);
}

} // namespace
