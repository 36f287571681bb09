#include "editor/panel_actions.h"

#include "editor/command_ids.h"
#include "editor/editor_app.h"
#include "mission/page_ops.h"

#include <algorithm>
#include <vector>

namespace {
bool isItem(const MissionPage& page, int slot) {
    return slot >= 0 && slot < std::clamp(page.num_items, 0, kMaxItems);
}
} // namespace

int sel_Replace(MissionPage& page, std::span<const int> slots) {
    std::vector<char> chosen(static_cast<size_t>(kMaxItems), 0);
    for (int slot : slots)
        if (isItem(page, slot)) chosen[static_cast<size_t>(slot)] = 1;
    int changed = 0;
    // Entries no longer chosen leave, from the end so the indices stay valid.
    for (int i = std::clamp(page.selection.count, 0, kMaxSelection) - 1; i >= 0; --i) {
        const int slot = page.selection.slots[i];
        if (slot >= 0 && slot < kMaxItems && chosen[static_cast<size_t>(slot)]) continue;
        changed |= sel_Remove(page, slot);
    }
    for (int slot : slots)
        if (isItem(page, slot) && !sel_Contains(page, slot)) changed |= sel_Add(page, slot);
    return changed != 0 ? 1 : 0;
}

void editor_SelectItems(EditorApp& app, std::span<const int> slots) {
    if (sel_Replace(app.currentPage(), slots) == 0) return;
    app.view().redrawMap();
    app.view().repaint(EditorWindow::ItemInfo);
    app.view().pageChanged(PageChange::Selection);
}

bool editor_ItemsCentre(const MissionPage& page, std::span<const int> slots, int32_t& x, int32_t& y) {
    bool any = false;
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int slot : slots) {
        if (!isItem(page, slot)) continue;
        const MissionItem& item = page.items[slot];
        if (!any) {
            minX = maxX = item.position[0];
            minY = maxY = item.position[1];
            any = true;
            continue;
        }
        minX = std::min<int64_t>(minX, item.position[0]);
        maxX = std::max<int64_t>(maxX, item.position[0]);
        minY = std::min<int64_t>(minY, item.position[1]);
        maxY = std::max<int64_t>(maxY, item.position[1]);
    }
    if (!any) return false;
    // The halves of two 32-bit values stay within 32 bits.
    x = static_cast<int32_t>((minX + maxX) / 2);
    y = static_cast<int32_t>((minY + maxY) / 2);
    return true;
}

void editor_CentreOnItems(EditorApp& app, std::span<const int> slots) {
    int32_t x = 0, y = 0;
    if (!editor_ItemsCentre(app.currentPage(), slots, x, y)) return;
    ViewState& view = app.viewState();
    view.center_x = x;
    view.center_y = y;
    app.view().repaint(EditorWindow::CenterInfo);
    app.view().redrawMap();
}

int problem_FixCommand(const PageProblem& problem) {
    // What an event names is fixed where the event is edited.
    if (!problem.events.empty()) return kCmdEvents;
    if (!problem.waypoint_lists.empty()) return kCmdWaypoints;
    if (!problem.area_triggers.empty()) return kCmdAreaTriggers;
    if (!problem.groups.empty()) return kCmdGroups;
    if (!problem.wav_lists.empty()) return kCmdWavLists;
    if (problem.code == ProblemCode::ExportTextCut) return kCmdGeneralInfo;
    return 0;
}

void editor_GoToProblem(EditorApp& app, const PageProblem& problem) {
    if (!problem.items.empty()) {
        editor_SelectItems(app, problem.items);
        editor_CentreOnItems(app, problem.items);
        return;
    }
    if (const int command = problem_FixCommand(problem)) app.command(command);
}
