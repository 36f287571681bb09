#pragma once
// The entries of the lists of the item attributes dialog. Every entry is text in the game's 8-bit
// code page: fixed entries come from the interface string table, names from the name table and
// the page. An item's value is the position of its entry in the list (the definition list,
// which is sorted, carries each entry's definition index instead).

#include "gamedata/string_table.h"
#include "mission/mission_page.h"

#include <string>
#include <vector>

// What the dialog reads besides the page.
struct ItemAttrSources {
    const StringTable* names = nullptr; // "qz2wpn.bin": person and waypoint names; null: none
    bool show_all = false;              // "/SHOWALL": every definition in the definition list
};

// A waypoint-list description longer than this many characters is shown cut, followed by "...".
constexpr size_t kItemAttrListTextMax = 200;

struct ItemAttrDefinitionEntry {
    std::string name;
    int def_index; // index into the item definitions
};

struct ItemAttrLists {
    std::vector<std::string> layers;                  // 16: layer 0 to 15
    std::vector<ItemAttrDefinitionEntry> definitions; // sorted by name, letter case ignored
    std::vector<std::string> map_symbols;             // 0 none to 8 triangle
    std::vector<std::string> groups;                  // 0 none, then groups 1 to 63
    std::vector<std::string> teams;                   // 0 neutral to 4 violet
    std::vector<std::string> names;                   // person names from 0 up to the first missing one
    std::vector<std::string> weapons;                 // 0 none, then the ten NPC weapons
    std::vector<std::string> waypoint_lists;          // 0 none, then lists 1 to 127
    std::vector<std::string> waypoint_names;          // waypoint names from 0 up to the first missing one
};

// The lists for an item of class `shownClass` on `page`. Without show_all the definition list
// holds the definitions of that class that are not marked "NoTool" or "NoCTool"; with it, every
// definition.
ItemAttrLists itemattr_BuildLists(const MissionPage& page, int32_t shownClass,
                                  const ItemAttrSources& sources);

// The definition-list entry shown for an item of `typeId`: the first entry whose name equals,
// letter case ignored, the name of the definition itemdef_FindById gives (the first definition
// when none has the id); -1 when no entry has that name or there are no definitions.
int itemattr_DefinitionEntryOf(const ItemAttrLists& lists, int32_t typeId);

// "SSN" of section "Items" filled with the item's serial number.
std::string itemattr_SerialText(int32_t id);
// The name of class `itemClass` (1 to 6) from section "Item Type"; empty for any other class.
std::string itemattr_ClassText(int32_t itemClass);
