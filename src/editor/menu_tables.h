#pragma once
// The menus of the editor as data: the main menu bar and the two context menus of the map view.
// Each item carries its command number; the user interface builds its menus from these tables
// and sends the command of a chosen item to the editor.

#include <span>
#include <string>

// RecentMissions stands for the Recent Missions submenu, whose entries the user interface fills
// from the editor's list (commands kCmdRecentMissionFirst onwards).
enum class MenuEntryKind { Item, Separator, RecentMissions };

struct MenuEntry {
    MenuEntryKind kind;
    int command;               // EditorCommand; 0 for a separator
    const char* text_key;      // "Menu Text" key, or null: the item keeps its resource text
    const char* resource_text; // the text of the menu resource ('&' marks the mnemonic)
    bool checkable;            // carries a check mark (set by UpdateMenuChecks)
};

struct MenuDef {
    const char* name;           // resource name of the menu
    const char* title_key;      // "Menu Text" key of a top-level menu; null for a context menu
    const char* resource_title; // title of the menu resource
    std::span<const MenuEntry> entries;
};

inline constexpr const char* kMenuTextSection = "Menu Text";

// File, Edit, View, Page and Info, in menu-bar order.
std::span<const MenuDef> menu_MainMenu();
// The map view's menu when no item is selected ("MouseMenu").
const MenuDef& menu_MapContextMenu();
// The map view's menu when items are selected ("MouseMenuItem").
const MenuDef& menu_ItemContextMenu();

// The text an item shows: TextLookup("Menu Text", key) when it has a key, else its resource text.
std::string menu_EntryText(const MenuEntry& entry);
// Whether an item can be chosen: false (greyed) for the commands that do nothing here.
bool menu_EntryEnabled(const MenuEntry& entry);
// The title a top-level menu shows, by the same rule.
std::string menu_Title(const MenuDef& menu);

// The context-menu commands the map view forwards to the editor; any other command chosen in a
// context menu is dropped.
std::span<const int> menu_ForwardedContextCommands();
bool menu_IsForwardedContextCommand(int command);
