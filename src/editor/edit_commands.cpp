#include "editor/edit_commands.h"

#include "editor/editor_app.h"
#include "editor/refusal_notices.h"
#include "mission/page_ops.h"
#include "render/map_render.h"

#include <algorithm>

int edit_AnchorItem(const MissionPage& page) {
    const int count = page.selection.count;
    if (count <= 0 || count > kMaxSelection) return -1;
    const int slot = page.selection.slots[count - 1];
    if (slot < 0 || slot >= page.num_items || slot >= kMaxItems) return -1;
    return slot;
}

int edit_Copy(MissionPage& page, MissionPage& clipboard) {
    const int anchor = edit_AnchorItem(page);
    if (anchor < 0) return 0;
    const int32_t ax = page.items[anchor].position[0];
    const int32_t ay = page.items[anchor].position[1];
    // A clear names the groups of the page the editor works on, which is the one copied from.
    page_Clear(clipboard);
    page_NameDefaultGroups(page);
    // The negated anchor is formed in 64 bits: -INT32_MIN does not fit (the copy then wraps as
    // the position arithmetic of the page does).
    sel_CopyInto(clipboard, page, int32_t(uint32_t(-int64_t(ax))), int32_t(uint32_t(-int64_t(ay))), 0);
    return 1;
}

int edit_Cut(MissionPage& page, MissionPage& clipboard) {
    if (edit_Copy(page, clipboard) == 0) return 0;
    sel_Delete(page);
    return 1;
}

int edit_NumericMoveCopy(MissionPage& page, MissionPage& scratch, const NumericMoveChoice& choice) {
    if (page.selection.count <= 0) return 0;
    if (!choice.copy) {
        sel_Move(page, choice.dx, choice.dy, choice.dz);
        return 1;
    }
    page_Clear(scratch);
    page_NameDefaultGroups(page); // as for the clipboard: the page worked on gets the names
    sel_CopyInto(scratch, page, 0, 0, 0);
    const int skipped = sel_CopyInto(page, scratch, choice.dx, choice.dy, choice.dz);
    const int copied = page.selection.count; // the copies are the new selection
    notice_Show(notice_CopyCutShort(copied, copied + skipped));
    return 1;
}

int edit_SelectType(MissionPage& page, uint32_t showFlags) {
    const int anchor = edit_AnchorItem(page);
    if (anchor < 0) return 0;
    const int32_t type = page.items[anchor].type_id;
    int added = 0;
    const int count = std::min(page.num_items, kMaxItems);
    for (int i = 0; i < count; ++i) {
        if (page.items[i].type_id != type || !ItemVisible(page, i, showFlags)) continue;
        added += sel_Add(page, i);
    }
    return added;
}

void edit_HideSelected(MissionPage& page) {
    sel_HideSelected(page);
    sel_Clear(page);
}
void edit_HideUnselected(MissionPage& page) {
    sel_HideUnselected(page);
}
void edit_UnhideAll(MissionPage& page) {
    page_UnhideAll(page);
}
void edit_UnselectAll(MissionPage& page) {
    sel_Clear(page);
}

// ---- Command entries --------------------------------------------------------------------------

void cmd_EditCopy(EditorApp& app) {
    edit_Copy(app.currentPage(), app.document().clipboard());
}

void cmd_EditCut(EditorApp& app) {
    edit_Cut(app.currentPage(), app.document().clipboard());
    app.view().repaint(EditorWindow::ItemInfo);
    app.view().repaint(EditorWindow::MapView);
}

void cmd_EditPaste(EditorApp& app, MapMouse& mouse) {
    if (mouse.startPaste(app.document().clipboard())) app.view().repaint(EditorWindow::MapView);
}

void cmd_EditMove(EditorApp& app, MapMouse& mouse) {
    if (mouse.startMove(app.currentPage())) app.view().repaint(EditorWindow::MapView);
}

void cmd_EditNumericMove(EditorApp& app, const MapMouse& mouse, const NumericMovePrompt& prompt) {
    MissionPage& page = app.currentPage();
    if (page.selection.count > 0 && mouse.idle() && prompt) {
        NumericMoveChoice choice;
        if (prompt(choice)) edit_NumericMoveCopy(page, app.document().scratch(), choice);
    }
    app.view().redrawMap();
    // A copy selects the copies, a move changes the positions: both show in the item information.
    app.view().repaint(EditorWindow::ItemInfo);
}

void cmd_EditSelectType(EditorApp& app) {
    edit_SelectType(app.currentPage(), app.viewState().show_flags);
    app.view().redrawMap();
    app.view().repaint(EditorWindow::ItemInfo);
}

void cmd_EditAttributes(EditorApp& app) {
    MissionPage& page = app.currentPage();
    const bool opened = page.selection.count > 0;
    if (opened) app.view().openDialog(kDialogItemAttributes, page);
    page_RebuildWaypointLists(page);
    // A new definition may need its model: loaded before the map is drawn again.
    app.loadModels();
    if (opened) app.view().redrawMap();
    app.view().repaint(EditorWindow::ItemInfo);
}

bool edit_ItemInfoClickAccepted(const MapMouse& mouse) {
    return mouse.idle();
}

MouseContext edit_MouseContext(EditorApp& app, InsertItemPrompt prompt) {
    return MouseContext{app.currentPage(),
                        app.document().clipboard(),
                        app.viewState(),
                        app.image().target(),
                        std::move(prompt),
                        [&app] { app.loadModels(); },
                        {}};
}

InsertItemPrompt edit_InsertItemPrompt(EditorApp& app) {
    return [&app](InsertItemChoice& choice) {
        if (app.view().openDialog(kDialogInsertItem, app.currentPage()) != DialogResult::Accepted)
            return false;
        const InsertItemMemory& memory = app.document().insertItemMemory();
        choice.definition_name = memory.definition_name;
        choice.random_facing = memory.random_facing;
        return true;
    };
}

NumericMovePrompt edit_NumericMovePrompt(EditorApp& app) {
    return [&app](NumericMoveChoice& choice) {
        if (app.view().openDialog(kDialogNumericMove, app.currentPage()) != DialogResult::Accepted)
            return false;
        const NumericMoveMemory& memory = app.document().numericMoveMemory();
        choice.dx = memory.dx;
        choice.dy = memory.dy;
        choice.dz = memory.dz;
        choice.copy = !memory.move;
        return true;
    };
}

void cmd_Copy(EditorApp& app, int) {
    cmd_EditCopy(app);
}
void cmd_Cut(EditorApp& app, int) {
    cmd_EditCut(app);
}
void cmd_Paste(EditorApp& app, int) {
    cmd_EditPaste(app, app.mouse());
}
void cmd_Move(EditorApp& app, int) {
    cmd_EditMove(app, app.mouse());
}
void cmd_NumericMove(EditorApp& app, int) {
    cmd_EditNumericMove(app, app.mouse(), edit_NumericMovePrompt(app));
}
void cmd_SelectType(EditorApp& app, int) {
    cmd_EditSelectType(app);
}
void cmd_EditItemAttributes(EditorApp& app, int) {
    cmd_EditAttributes(app);
}
