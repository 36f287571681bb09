#include "editor/menu_tables.h"

#include "editor/command_ids.h"
#include "editor/command_table.h"
#include "gamedata/string_table.h"

#include <algorithm>

namespace {

constexpr MenuEntry item(int command, const char* key, const char* resource, bool checkable = false) {
    return {MenuEntryKind::Item, command, key, resource, checkable};
}
constexpr MenuEntry separator() {
    return {MenuEntryKind::Separator, 0, nullptr, "", false};
}

constexpr MenuEntry kFileMenu[] = {
    item(kCmdClear, "FILE_CLEAR", "&Clear"),
    item(kCmdOpen, "FILE_OPEN", "&Open..."),
    item(kCmdSaveInPlace, nullptr, "&Save"),
    // Beside Save, this entry needs words of its own: Save As always asks where.
    item(kCmdSave, nullptr, "Save &As..."),
    separator(),
    {MenuEntryKind::RecentMissions, 0, nullptr, "&Recent Missions", false},
    separator(),
    item(kCmdExport, "FILE_EXPORT", "&Export Binary Mission..."),
    separator(),
    item(kCmdPrint, "FILE_PRINT", "&Print"),
    item(kCmdMetafile, nullptr, "&Metafile"),
    separator(),
    item(kCmdExit, "FILE_EXIT", "E&xit"),
};

constexpr MenuEntry kEditMenu[] = {
    // The editor gives both their texts ("Undo Move") and greys them when there is no step.
    item(kCmdUndo, nullptr, "Undo"),
    item(kCmdRedo, nullptr, "Redo"),
    separator(),
    item(kCmdCut, "EDIT_CUT", "Cu&t"),
    item(kCmdCopy, "EDIT_COPY", "&Copy"),
    item(kCmdPaste, "EDIT_PASTE", "&Paste"),
    separator(),
    item(kCmdDelete, "EDIT_DELETE", "&Delete"),
    separator(),
    item(kCmdInsertMode, "EDIT_INSERTMODE", "&Insert Mode", true),
    separator(),
    item(kCmdFindItems, "EDIT_FINDITEMS", "&Find Items..."),
    item(kCmdMeasure, "EDIT_MEASURE", "&Measure"),
    separator(),
    item(kCmdBriefing, "EDIT_BRIEFING", "&Briefing..."),
    item(kCmdGeneralInfo, "EDIT_GENERALINFO", "&General Information..."),
    item(kCmdGroups, "EDIT_GROUPS", "G&roups..."),
    item(kCmdAreaTriggers, "EDIT_AREATRIGGERS", "&Area Triggers..."),
    item(kCmdWaypoints, "EDIT_WAYPOINTS", "&Waypoints..."),
    item(kCmdEvents, "EDIT_EVENTS", "&Events..."),
    item(kCmdLayerNames, "EDIT_LAYERNAMES", "&Layer Names..."),
    // Events name wav lists and player waypoints by number: both lists stay within reach.
    item(kCmdWavLists, "EDIT_WAVLISTS", "Wa&v Lists..."),
    item(kCmdWaypointNames, "EDIT_WAYPOINTNAMES", "Player Waypoint &Names..."),
};

// The map modes, the zoom steps and Unselect All: what the keys F1-F3, Page Up, Page Down and U
// do, with the keys beside the entries.
constexpr MenuEntry kViewMenu[] = {
    item(kCmdColorMap, "VIEW_COLORMAP", "&Colour Map"),
    item(kCmdDepthMap, "VIEW_DEPTHMAP", "&Depth Map"),
    item(kCmdFirstOrderMap, "VIEW_FIRSTORDERMAP", "&First Order Map"),
    separator(),
    item(kCmdZoomIn, "VIEW_ZOOMIN", "Zoom &In"),
    item(kCmdZoomOut, "VIEW_ZOOMOUT", "Zoom &Out"),
    separator(),
    item(kCmdUnselectAll, "VIEW_UNSELECTALL", "&Unselect All"),
};

constexpr MenuEntry kPageMenu[] = {
    item(kCmdPage1, "PAGE_1", "Page &1"),
    item(kCmdPage2, "PAGE_2", "Page &2"),
};

constexpr MenuEntry kInfoMenu[] = {
    item(kCmdMemoryStack, nullptr, "Memory Stack.."), item(kCmdIntegrityCheck, nullptr, "Integrity Check..."),
    item(kCmdProblems, "INFO_PROBLEMS", "&Problems"), separator(),
    item(kCmdAbout, "INFO_ABOUTQZ2MED", "&About..."),
};

constexpr MenuDef kMainMenu[] = {
    {"MenuMainWindow", "FILE", "&File", kFileMenu}, {"MenuMainWindow", "EDIT", "&Edit", kEditMenu},
    {"MenuMainWindow", "VIEW", "&View", kViewMenu}, {"MenuMainWindow", "PAGE", "&Page", kPageMenu},
    {"MenuMainWindow", "INFO", "&Info", kInfoMenu},
};

constexpr MenuEntry kMapContextEntries[] = {
    item(kCmdInsertMode, "EDIT_INSERTMODE", "&Insert Mode", true),
    separator(),
    item(kCmdPaste, "EDIT_PASTE", "&Paste"),
    separator(),
    item(kCmdUnhideAll, "MOUSE_UNHIDEALL", "&Unhide All"),
    separator(),
    item(kCmdViewByType, "MOUSE_VIEWBYTYPE", "View by &Type", true),
    item(kCmdViewBySide, "MOUSE_VIEWBYSIDE", "View by &Side", true),
    separator(),
    item(kCmdExit, "MOUSE_EXITPROGRAM", "E&xit Program"),
};

constexpr MenuEntry kItemContextEntries[] = {
    item(kCmdCut, "EDIT_CUT", "Cu&t"),
    item(kCmdCopy, "EDIT_COPY", "&Copy"),
    item(kCmdPaste, "EDIT_PASTE", "&Paste"),
    separator(),
    item(kCmdMove, "MOUSE_MOVE", "&Move"),
    item(kCmdNumericMove, nullptr, "Numeric Move"),
    separator(),
    item(kCmdHideSelected, "MOUSE_HIDESELECTED", "&Hide Selected"),
    item(kCmdHideUnselected, "MOUSE_HIDEUNSELECTED", "Hide U&nselected"),
    item(kCmdUnhideAll, "MOUSE_UNHIDEALL", "&Unhide All"),
    separator(),
    item(kCmdSelectType, "MOUSE_SELECTTYPE", "Select This &Type"),
    separator(),
    item(kCmdDelete, "EDIT_DELETE", "&Delete"),
};

constexpr MenuDef kMapContextMenu = {"MouseMenu", nullptr, "", kMapContextEntries};
constexpr MenuDef kItemContextMenu = {"MouseMenuItem", nullptr, "", kItemContextEntries};

constexpr int kForwardedContextCommands[] = {
    kCmdCopy,           kCmdNumericMove, kCmdExit,       kCmdCut,        kCmdPaste,
    kCmdDelete,         kCmdInsertMode,  kCmdMove,       kCmdUnhideAll,  kCmdHideSelected,
    kCmdHideUnselected, kCmdViewByType,  kCmdViewBySide, kCmdSelectType,
};

} // namespace

std::span<const MenuDef> menu_MainMenu() {
    return kMainMenu;
}
const MenuDef& menu_MapContextMenu() {
    return kMapContextMenu;
}
const MenuDef& menu_ItemContextMenu() {
    return kItemContextMenu;
}

std::string menu_EntryText(const MenuEntry& entry) {
    if (entry.text_key != nullptr) return TextLookup(kMenuTextSection, entry.text_key);
    return entry.resource_text != nullptr ? entry.resource_text : "";
}

bool menu_EntryEnabled(const MenuEntry& entry) {
    if (entry.kind == MenuEntryKind::RecentMissions) return true;
    return entry.kind == MenuEntryKind::Item && cmd_HasAction(entry.command);
}

std::string menu_Title(const MenuDef& menu) {
    if (menu.title_key != nullptr) return TextLookup(kMenuTextSection, menu.title_key);
    return menu.resource_title != nullptr ? menu.resource_title : "";
}

std::span<const int> menu_ForwardedContextCommands() {
    return kForwardedContextCommands;
}

bool menu_IsForwardedContextCommand(int command) {
    return std::find(std::begin(kForwardedContextCommands), std::end(kForwardedContextCommands), command) !=
           std::end(kForwardedContextCommands);
}
