// The menus, context menus and control layout as the user interface builds them.

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "editor/control_layout.h"
#include "editor/key_bindings.h"
#include "editor/menu_tables.h"
#include "editor_fixture.h"

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kSep = 0;
constexpr int kRecent = -1; // the Recent Missions submenu

std::vector<int> commandsOf(const MenuDef& menu) {
    std::vector<int> commands;
    for (const MenuEntry& entry : menu.entries)
        commands.push_back(entry.kind == MenuEntryKind::Separator        ? kSep
                           : entry.kind == MenuEntryKind::RecentMissions ? kRecent
                                                                         : entry.command);
    return commands;
}

TEST(EditorMenus, MainMenuHoldsFileEditViewPageAndInfoWithTheirSeparators) {
    const auto menus = menu_MainMenu();
    ASSERT_EQ(menus.size(), 5u);
    EXPECT_STREQ(menus[0].title_key, "FILE");
    EXPECT_STREQ(menus[1].title_key, "EDIT");
    EXPECT_STREQ(menus[2].title_key, "VIEW");
    EXPECT_STREQ(menus[3].title_key, "PAGE");
    EXPECT_STREQ(menus[4].title_key, "INFO");
    EXPECT_EQ(commandsOf(menus[0]), (std::vector<int>{134, 135, kCmdSaveInPlace, 136, kSep, kRecent, kSep,
                                                      207, kSep, 124, 126, kSep, 137}));
    EXPECT_EQ(commandsOf(menus[1]),
              (std::vector<int>{kCmdUndo, kCmdRedo, kSep, 160,           107,         161,  kSep,  162,
                                kSep,     163,      kSep, kCmdFindItems, kCmdMeasure, kSep, 40007, 185,
                                225,      40004,    223,  224,           231,         227,  232}));
    EXPECT_EQ(commandsOf(menus[2]),
              (std::vector<int>{101, 102, 103, kSep, kCmdZoomIn, kCmdZoomOut, kSep, 144}));
    EXPECT_EQ(commandsOf(menus[3]), (std::vector<int>{165, 166}));
    EXPECT_EQ(commandsOf(menus[4]), (std::vector<int>{131, 123, kCmdProblems, kSep, 40006}));
}

TEST(EditorMenus, EntriesOfCommandsWithoutActionAreGreyed) {
    std::set<int> greyed;
    for (const MenuDef& menu : menu_MainMenu())
        for (const MenuEntry& entry : menu.entries)
            if (entry.kind == MenuEntryKind::Item && !menu_EntryEnabled(entry)) greyed.insert(entry.command);
    EXPECT_EQ(greyed, (std::set<int>{kCmdPrint, kCmdMetafile, kCmdMemoryStack}));
    EXPECT_FALSE(cmd_HasAction(kCmdWrapObjects));
    EXPECT_FALSE(cmd_HasAction(9999));
    EXPECT_TRUE(cmd_HasAction(kCmdOpen));
}

TEST(EditorMenus, EveryBoundKeyStandsBesideAMenuEntry) {
    // Each command a key runs has an entry in some menu, which shows the key.
    std::set<int> inMenus;
    std::vector<const MenuDef*> menus{&menu_MapContextMenu(), &menu_ItemContextMenu()};
    for (const MenuDef& menu : menu_MainMenu())
        menus.push_back(&menu);
    for (const MenuDef* menu : menus)
        for (const MenuEntry& entry : menu->entries)
            if (entry.kind == MenuEntryKind::Item) inMenus.insert(entry.command);
    for (const KeyBinding& binding : key_Bindings()) {
        const int command = key_CommandOf(binding);
        if (command != 0) {
            EXPECT_TRUE(inMenus.count(command) == 1) << command;
        }
    }
    // The first key of the table is the one shown: Page Up, not keypad 9 or keypad +.
    EditorKey key{};
    ASSERT_TRUE(key_MenuKey(kCmdZoomIn, key));
    EXPECT_EQ(key, EditorKey::PageUp);
    ASSERT_TRUE(key_MenuKey(kCmdZoomOut, key));
    EXPECT_EQ(key, EditorKey::PageDown);
    ASSERT_TRUE(key_MenuKey(kCmdDelete, key));
    EXPECT_EQ(key, EditorKey::Delete);
    ASSERT_TRUE(key_MenuKey(kCmdUnselectAll, key));
    EXPECT_EQ(key, EditorKey::U);
    ASSERT_TRUE(key_MenuKey(kCmdOpen, key));
    EXPECT_EQ(key, EditorKey::ControlO);
    ASSERT_TRUE(key_MenuKey(kCmdSaveInPlace, key));
    EXPECT_EQ(key, EditorKey::ControlS);
    ASSERT_TRUE(key_MenuKey(kCmdSave, key));
    EXPECT_EQ(key, EditorKey::ControlShiftS);
    EXPECT_FALSE(key_MenuKey(kCmdClear, key));
    EXPECT_FALSE(key_MenuKey(0, key));
}

TEST(EditorMenus, ContextMenusMatchTheMapViewsTwoMenus) {
    EXPECT_STREQ(menu_MapContextMenu().name, "MouseMenu");
    EXPECT_EQ(commandsOf(menu_MapContextMenu()),
              (std::vector<int>{163, kSep, 161, kSep, 186, kSep, 218, 219, kSep, 137}));
    EXPECT_STREQ(menu_ItemContextMenu().name, "MouseMenuItem");
    EXPECT_EQ(commandsOf(menu_ItemContextMenu()),
              (std::vector<int>{160, 107, 161, kSep, 184, 125, kSep, 187, 188, 186, kSep, 226, kSep, 162}));
}

TEST(EditorMenus, ForwardedContextCommandsAreExactlyTheContextMenusOwn) {
    const std::set<int> expected{107, 125, 137, 160, 161, 162, 163, 184, 186, 187, 188, 218, 219, 226};
    const auto forwarded = menu_ForwardedContextCommands();
    EXPECT_EQ(std::set<int>(forwarded.begin(), forwarded.end()), expected);
    std::set<int> inMenus;
    for (const MenuDef* menu : {&menu_MapContextMenu(), &menu_ItemContextMenu()})
        for (const MenuEntry& entry : menu->entries)
            if (entry.kind == MenuEntryKind::Item) inMenus.insert(entry.command);
    EXPECT_EQ(inMenus, expected);
    EXPECT_FALSE(menu_IsForwardedContextCommand(kCmdPage1));
}

TEST(EditorMenus, OnlyInsertModeAndViewByCarryCheckMarks) {
    std::set<int> checkable;
    std::vector<const MenuDef*> menus{&menu_MapContextMenu(), &menu_ItemContextMenu()};
    for (const MenuDef& menu : menu_MainMenu())
        menus.push_back(&menu);
    for (const MenuDef* menu : menus)
        for (const MenuEntry& entry : menu->entries)
            if (entry.checkable) checkable.insert(entry.command);
    EXPECT_EQ(checkable, (std::set<int>{163, 218, 219}));
}

TEST(EditorMenus, EveryMenuCommandHasATableEntry) {
    std::vector<const MenuDef*> menus{&menu_MapContextMenu(), &menu_ItemContextMenu()};
    for (const MenuDef& menu : menu_MainMenu())
        menus.push_back(&menu);
    for (const MenuDef* menu : menus)
        for (const MenuEntry& entry : menu->entries)
            if (entry.kind == MenuEntryKind::Item) {
                EXPECT_NE(cmd_Find(entry.command), nullptr) << entry.command;
            }
}

TEST(EditorMenus, KeyedItemsTakeTheirTextFromTheTableAndOthersKeepTheResourceText) {
    test_InstallTexts("[Menu Text]\nFILE=Akte\nFILE_OPEN=Oeffnen\n");
    const MenuDef& file = menu_MainMenu()[0];
    EXPECT_EQ(menu_Title(file), "Akte");
    EXPECT_EQ(menu_EntryText(file.entries[1]), "Oeffnen");
    EXPECT_EQ(menu_EntryText(file.entries[0]), "Bad Texttool String")
        << "a missing key shows the lookup's answer";
    EXPECT_EQ(menu_EntryText(file.entries[10]), "&Metafile");
    EXPECT_EQ(menu_EntryText(file.entries[3]), "Save &As...") << "beside Save, Save As names itself";
    EXPECT_EQ(menu_EntryText(menu_ItemContextMenu().entries[5]), "Numeric Move");
    EXPECT_EQ(menu_EntryText(menu_MainMenu()[4].entries[0]), "Memory Stack..");
}

// ---- Controls ---------------------------------------------------------------------------------

TEST(EditorControls, PositionsUseIntegerDivisionsOfTheFontMetrics) {
    const int cw = 8, lh = 15;
    auto rect = [&](int id) {
        const ControlDef* control = ctl_Find(id);
        EXPECT_NE(control, nullptr) << id;
        return control != nullptr ? layout_ControlRect(*control, cw, lh) : LayoutRect{};
    };
    const LayoutRect colour = rect(1001);
    EXPECT_EQ(colour.x, 8);
    EXPECT_EQ(colour.y, 7);
    EXPECT_EQ(colour.width, 32);
    EXPECT_EQ(colour.height, 26); // 7 × 15 ÷ 4
    EXPECT_EQ(rect(1040).y, 7 + 45 + 3);
    EXPECT_EQ(rect(1013).y, rect(1040).y);
    EXPECT_EQ(rect(1015).y, 14 + 60); // 2 × (15 ÷ 2) + 4 × 15
    EXPECT_EQ(rect(1012).y, rect(1015).y);
    EXPECT_EQ(rect(1012).width, 64);
    EXPECT_EQ(rect(1016).height, 7 + 255);
    EXPECT_EQ(rect(1026).y, 7 + 21 * 15);
    EXPECT_EQ(rect(1010).x, 84 * 8);
    EXPECT_EQ(rect(1043).width, 160);
}

TEST(EditorControls, RadioGroupsStartAtTheMapAndPageButtons) {
    std::vector<int> groupStarts;
    for (const ControlDef& control : ctl_Controls())
        if (control.starts_group) groupStarts.push_back(control.id);
    EXPECT_EQ(groupStarts, (std::vector<int>{1001, 1034, 1043, 1010}));
    EXPECT_EQ(ctl_Find(1002)->kind, ControlKind::RadioButton);
    EXPECT_EQ(ctl_Find(1035)->kind, ControlKind::RadioButton);
    EXPECT_EQ(ctl_Find(1012)->kind, ControlKind::StaticText);
    EXPECT_EQ(ctl_Find(1016)->kind, ControlKind::GroupBox);
    EXPECT_EQ(ctl_Find(9999), nullptr);
}

TEST(EditorControls, ChildWindowsFollowTheClientAreaAndTheFont) {
    const ChildWindowLayout layout = layout_ChildWindows(1279, 959, 8, 15);
    EXPECT_EQ(layout.map_view.left, 216);
    EXPECT_EQ(layout.map_view.top, 45);
    EXPECT_EQ(layout.map_view.right, 1271);
    EXPECT_EQ(layout.map_view.bottom, 952);
    EXPECT_EQ(layout.item_info.left, 8);
    EXPECT_EQ(layout.item_info.top, 360);
    EXPECT_EQ(layout.item_info.right, 208);
    EXPECT_EQ(layout.center_info.top, 7);
    EXPECT_EQ(layout.center_info.right, 480);
    EXPECT_EQ(layout.center_info.bottom, 31); // 2 × 15 + 15 ÷ 8
}

TEST(EditorControls, CentreWindowWidensForItsTextAndTheButtonsRightOfItMove) {
    // The table's window is 33 characters and one pixel wide: a text that fits changes nothing.
    EXPECT_EQ(layout_RightOfCenterShift(8, 0), 0);
    EXPECT_EQ(layout_RightOfCenterShift(8, 265), 0);
    EXPECT_EQ(layout_RightOfCenterShift(8, 300), 35);
    const ChildWindowLayout wide = layout_ChildWindows(1279, 959, 8, 15, 300);
    EXPECT_EQ(wide.center_info.left, 216);
    EXPECT_EQ(wide.center_info.right - wide.center_info.left + 1, 300);
    EXPECT_TRUE(ctl_IsRightOfCenterInfo(kControlLayers));
    EXPECT_TRUE(ctl_IsRightOfCenterInfo(kControlUnselectAll));
    EXPECT_FALSE(ctl_IsRightOfCenterInfo(kControlPage2));
}

} // namespace
