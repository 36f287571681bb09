#pragma once
// The editing commands on the selection of a page: copy, cut, paste, move, numeric move or copy,
// select this type, hide, unhide and unselect. The edit_* functions work on pages alone; the
// cmd_Edit* functions are the command entries of the main window (what they repaint included).

#include "editor/dialog_templates.h" // the dialogs the editing commands open
#include "editor/mouse_tool.h"
#include "mission/mission_page.h"

#include <cstdint>
#include <functional>

class EditorApp;

// What the numeric move-or-copy dialog chose: offsets in world units, and move or copy.
struct NumericMoveChoice {
    int32_t dx = 0, dy = 0, dz = 0;
    bool copy = false; // false: move the selected items; true: copy them by the offsets
};
// Runs the numeric move-or-copy dialog; false when it was cancelled.
using NumericMovePrompt = std::function<bool(NumericMoveChoice& choice)>;

// ---- On pages ---------------------------------------------------------------------------------

// The last selected item's slot, or -1 when the selection is empty or its last entry names no
// item of the page.
int edit_AnchorItem(const MissionPage& page);

// Replaces the clipboard's content by copies of the selected items, shifted so that the last
// selected item lies at X = 0, Y = 0 (Z unchanged); the copies are the clipboard's selection.
// Clearing the clipboard names the groups 1 and 2 of `page` (the page the editor works on) when
// they are empty. 1 when copied; 0 (clipboard unchanged) when nothing is selected.
int edit_Copy(MissionPage& page, MissionPage& clipboard);
// edit_Copy, then the selected items are deleted. 1 when copied and deleted, else 0.
int edit_Cut(MissionPage& page, MissionPage& clipboard);
// Moves the selected items by the offsets (move), or adds copies of them displaced by the
// offsets through `scratch`, the copies becoming the selection and the originals staying where
// they are (copy; clearing the scratch page names the groups of `page` as edit_Copy does); a copy
// of which only some items fit in the page says how many were copied (notice_CopyCutShort). 1 when
// done, 0 when nothing is selected.
int edit_NumericMoveCopy(MissionPage& page, MissionPage& scratch, const NumericMoveChoice& choice);
// Adds to the selection every item, in item order, that is visible under `showFlags` and has
// the type_id of the last selected item; entries already selected keep their place. The number
// of items added; 0 when nothing is selected.
int edit_SelectType(MissionPage& page, uint32_t showFlags);
// sel_HideSelected, then sel_Clear.
void edit_HideSelected(MissionPage& page);
void edit_HideUnselected(MissionPage& page);
void edit_UnhideAll(MissionPage& page);
void edit_UnselectAll(MissionPage& page);

// ---- Command entries --------------------------------------------------------------------------

// 107: copy to the clipboard page.
void cmd_EditCopy(EditorApp& app);
// 160: copy, delete the selection, repaint the item information window and the map view.
void cmd_EditCut(EditorApp& app);
// 161: paste placement (repaint the map view) when the clipboard holds a selection and `mouse`
// is idle.
void cmd_EditPaste(EditorApp& app, MapMouse& mouse);
// 184: move placement (repaint the map view) when something is selected and `mouse` is idle.
void cmd_EditMove(EditorApp& app, MapMouse& mouse);
// 125: when something is selected and `mouse` is idle, asks `prompt` and applies the choice
// through the scratch page; then the map is rendered and the item information repainted.
void cmd_EditNumericMove(EditorApp& app, const MapMouse& mouse, const NumericMovePrompt& prompt);
// 226: select this type; render; repaint the item information window.
void cmd_EditSelectType(EditorApp& app);
// 170: when something is selected, the dialog "ITEMATTRIBUTES" on the current page; then the
// waypoint lists are rebuilt, the models loaded, the map rendered (after the dialog only) and the
// item information repainted.
void cmd_EditAttributes(EditorApp& app);
// A click in the item information window sends command 170 only while the mouse tools are idle.
bool edit_ItemInfoClickAccepted(const MapMouse& mouse);

// The insert-item dialog as the mouse tools ask it: runs "INSERTITEM" on the current page and,
// when it was confirmed, answers with the definition name and random-facing switch it remembers.
InsertItemPrompt edit_InsertItemPrompt(EditorApp& app);
// The numeric move-or-copy dialog: runs "NUMERICMC" on the current page and, when it was
// confirmed, answers with the offsets and the move-or-copy choice it remembers.
NumericMovePrompt edit_NumericMovePrompt(EditorApp& app);

// ---- Entries of the command table -------------------------------------------------------------
// The commands above as the table runs them, on the editor's own mouse tools and dialogs.
void cmd_Copy(EditorApp& app, int command);
void cmd_Cut(EditorApp& app, int command);
void cmd_Paste(EditorApp& app, int command);
void cmd_Move(EditorApp& app, int command);
void cmd_NumericMove(EditorApp& app, int command);
void cmd_SelectType(EditorApp& app, int command);
void cmd_EditItemAttributes(EditorApp& app, int command);

// The context of the map view's mouse handler for the current page of `app`, with the
// insert-item dialog `prompt` and the model loading of `app`.
MouseContext edit_MouseContext(EditorApp& app, InsertItemPrompt prompt);
