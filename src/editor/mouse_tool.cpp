#include "editor/mouse_tool.h"

#include "editor/refusal_notices.h"
#include "editor/snap.h"
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kFullCircle = 360;

uint32_t navEffects(uint32_t nav) {
    uint32_t effects = kMouseNone;
    if ((nav & kNavRender) != 0) effects |= kMouseRender;
    if ((nav & kNavRenderWhenIdle) != 0) effects |= kMouseRenderWhenIdle;
    if ((nav & kNavRepaintCentre) != 0) effects |= kMouseRepaintCentre;
    if ((nav & kNavCaptureMouse) != 0) effects |= kMouseCapture;
    if ((nav & kNavReleaseMouse) != 0) effects |= kMouseRelease;
    return effects;
}

MapTransform transformOf(const MouseContext& ctx) {
    return map_MakeTransform(ctx.view, ctx.target.width, ctx.target.height);
}

bool hasSelection(const MissionPage& page) {
    return page.selection.count > 0;
}

} // namespace

int mouse_NearestItem(const MissionPage& page, const ViewState& view, const MapTransform& transform,
                      int32_t px, int32_t py) {
    return mouse_NearestItemWithin(page, view, transform, px, py, kPickDistanceSquared);
}

int mouse_NearestItemWithin(const MissionPage& page, const ViewState& view, const MapTransform& transform,
                            int32_t px, int32_t py, int64_t limitSquared) {
    int best = -1;
    int64_t bestDistance = limitSquared;
    const int count = std::min(page.num_items, kMaxItems);
    for (int i = 0; i < count; ++i) {
        if (!ItemVisible(page, i, view.show_flags)) continue;
        const MissionItem& item = page.items[i];
        const ScreenPoint s = WorldToScreen(transform, item.position[0], item.position[1]);
        if (!s.inside) continue;
        const int64_t ddx = int64_t(s.x) - px;
        const int64_t ddy = int64_t(s.y) - py;
        const int64_t distance = ddx * ddx + ddy * ddy;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

WorldPoint MapMouse::snappedPoint(const MouseContext& ctx, int32_t px, int32_t py) const {
    return SnapToGrid(ctx.view, ScreenToWorld(transformOf(ctx), px, py));
}

MouseResult MapMouse::clickSelect(MouseContext& ctx, int32_t px, int32_t py) {
    MouseResult result;
    const int item = mouse_NearestItem(ctx.page, ctx.view, transformOf(ctx), px, py);
    if (item < 0) return result;
    const int toggled = sel_Toggle(ctx.page, item);
    if (toggled != 0) DrawItem(map_MakeCanvas(ctx.view, ctx.target), ctx.page, item, toggled > 0);
    result.effects |= kMousePresent;
    if (toggled != 0) result.effects |= kMouseSelectionChanged;
    return result;
}

void MapMouse::rectangleSelect(MouseContext& ctx, bool adding) {
    const MapTransform transform = transformOf(ctx);
    const MapCanvas canvas = map_MakeCanvas(ctx.view, ctx.target);
    const int32_t left = std::min(rect_.x1, rect_.x2), right = std::max(rect_.x1, rect_.x2);
    const int32_t top = std::min(rect_.y1, rect_.y2), bottom = std::max(rect_.y1, rect_.y2);
    const int count = std::min(ctx.page.num_items, kMaxItems);
    for (int i = 0; i < count; ++i) {
        if (!ItemVisible(ctx.page, i, ctx.view.show_flags)) continue;
        const MissionItem& item = ctx.page.items[i];
        const ScreenPoint s = WorldToScreen(transform, item.position[0], item.position[1]);
        if (s.x < left || s.x > right || s.y < top || s.y > bottom) continue;
        if (adding) {
            sel_Add(ctx.page, i);
        } else {
            sel_Remove(ctx.page, i);
        }
        DrawItem(canvas, ctx.page, i, adding);
    }
}

MouseResult MapMouse::insertItem(MouseContext& ctx, int32_t px, int32_t py) {
    MouseResult result;
    const WorldPoint p = snappedPoint(ctx, px, py);
    if (!ctx.insertItem) return result;
    // A full page is told before the dialog asks for an item it could not take.
    if (notice_Show(notice_InsertRefused(ctx.page))) return result;
    InsertItemChoice choice;
    if (!ctx.insertItem(choice)) return result;
    // No definitions at all: there is nothing to insert.
    const ItemDef* def = itemdef_Get(itemdef_FindByName(choice.definition_name.c_str()));
    if (def == nullptr) return result;
    const int slot = page_AddItem(ctx.page, def->id, p.x, p.y, p.z);
    if (slot < 0) {
        notice_Show(notice_InsertRefused(ctx.page));
        return result;
    }
    if (ctx.loadModels) ctx.loadModels();
    if (choice.random_facing) {
        const int r = ctx.random ? ctx.random() : std::rand();
        ctx.page.items[slot].facing[0] = ((r % kFullCircle) + kFullCircle) % kFullCircle;
    }
    result.effects |= kMouseRender | kMousePageChanged;
    result.edit = MouseEdit::Insert;
    return result;
}

MouseResult MapMouse::leftDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control) {
    MouseResult result;
    const bool dragging = nav_.drag_state != kDragNone;
    switch (tool_) {
    case kToolIdle:
        if (dragging) return result;
        if (shift || control) {
            tool_ = shift ? kToolRectAdd : kToolRectRemove;
            rect_ = BandRect{px, py, px, py};
            result.effects |= kMouseCapture;
            return result;
        }
        if (ctx.view.insert_mode != 0) return insertItem(ctx, px, py);
        result = clickSelect(ctx, px, py);
        result.effects |= kMouseRepaintItemInfo;
        return result;
    case kToolMove:
        if (dragging) return result;
        tool_ = kToolIdle;
        sel_Move(ctx.page, dx_, dy_, dz_);
        result.effects |= kMouseRender | kMouseRepaintItemInfo | kMousePageChanged;
        result.edit = MouseEdit::Move;
        return result;
    case kToolPaste: {
        if (dragging) return result;
        const WorldPoint p = snappedPoint(ctx, px, py);
        const int skipped = sel_CopyInto(ctx.page, ctx.clipboard, p.x, p.y, p.z);
        tool_ = kToolIdle;
        const int pasted = ctx.page.selection.count; // the copies are the new selection
        notice_Show(notice_PasteCutShort(pasted, pasted + skipped));
        result.effects |= kMouseRender | kMouseRepaintItemInfo | kMousePageChanged;
        result.edit = MouseEdit::Paste;
        return result;
    }
    case kToolMeasure:
        if (dragging) return result;
        return measureClick(ctx, px, py);
    default:
        return result;
    }
}

MouseResult MapMouse::mouseMove(MouseContext& ctx, int32_t px, int32_t py, bool moreMovesWaiting) {
    MouseResult result;
    result.effects |= navEffects(nav_MouseMove(nav_, ctx.view, px));
    switch (tool_) {
    case kToolMove: {
        const WorldPoint p = snappedPoint(ctx, px, py);
        dx_ = int32_t(int64_t(p.x) - ax_);
        dy_ = int32_t(int64_t(p.y) - ay_);
        if (!moreMovesWaiting) result.effects |= kMouseRender;
        break;
    }
    case kToolPaste: {
        const WorldPoint p = snappedPoint(ctx, px, py);
        dx_ = p.x;
        dy_ = p.y;
        if (!moreMovesWaiting) result.effects |= kMouseRender;
        break;
    }
    case kToolMeasure:
        if (rulerStarted_ && !rulerHeld_) {
            const WorldPoint p = rulerPoint(ctx, px, py);
            ruler_.bx = p.x;
            ruler_.by = p.y;
            result.effects |= kMousePresent; // the ruler is drawn over the image
        }
        break;
    case kToolRectAdd:
    case kToolRectRemove:
        result.effects |= kMouseEraseBand | kMouseDrawBand;
        result.erase = rect_;
        rect_.x2 = px;
        rect_.y2 = py;
        result.band = rect_;
        break;
    default:
        break;
    }
    return result;
}

MouseResult MapMouse::leftUp(MouseContext& ctx, int32_t, int32_t) {
    MouseResult result;
    if (tool_ != kToolRectAdd && tool_ != kToolRectRemove) return result;
    result.effects |= kMouseEraseBand;
    result.erase = rect_;
    rectangleSelect(ctx, tool_ == kToolRectAdd);
    tool_ = kToolIdle;
    result.effects |= kMousePresent | kMouseRepaintItemInfo | kMouseRelease | kMouseSelectionChanged;
    return result;
}

MouseResult MapMouse::rightDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control) {
    MouseResult result;
    const uint32_t nav =
        nav_RightButtonDown(nav_, ctx.view, ctx.target.width, ctx.target.height, px, py, shift, control);
    if (nav != kNavNone) {
        result.effects |= navEffects(nav);
        return result;
    }
    if (tool_ != kToolIdle) {
        // A rectangle selection holds the mouse; cancelling it lets the mouse go as well.
        if (tool_ == kToolRectAdd || tool_ == kToolRectRemove) result.effects |= kMouseRelease;
        tool_ = kToolIdle;
        nav_.drag_state = kDragNone;
        dx_ = dy_ = dz_ = 0;
        rulerStarted_ = rulerHeld_ = false;
        result.effects |= kMouseRepaintMap;
        return result;
    }
    result.effects |= kMouseContextMenu;
    result.menu = hasSelection(ctx.page) ? kMouseMenuItem : kMouseMenu;
    return result;
}

MouseResult MapMouse::rightUp(MouseContext&) {
    MouseResult result;
    result.effects |= navEffects(nav_RightButtonUp(nav_));
    return result;
}

MouseResult MapMouse::middleDown(MouseContext& ctx, int32_t px, int32_t py, bool shift, bool control) {
    MouseResult result;
    result.effects |= navEffects(
        nav_MiddleButtonDown(nav_, ctx.view, ctx.target.width, ctx.target.height, px, py, shift, control));
    return result;
}

bool MapMouse::startPaste(const MissionPage& clipboard) {
    if (!hasSelection(clipboard) || !idle()) return false;
    ax_ = ay_ = az_ = 0;
    dx_ = dy_ = dz_ = 0;
    tool_ = kToolPaste;
    return true;
}

bool MapMouse::startMove(const MissionPage& page) {
    if (!hasSelection(page) || !idle()) return false;
    const int count = page.selection.count;
    const int last = count <= kMaxSelection ? page.selection.slots[count - 1] : -1;
    if (last < 0 || last >= page.num_items || last >= kMaxItems) return false;
    ax_ = page.items[last].position[0];
    ay_ = page.items[last].position[1];
    az_ = 0;
    dx_ = dy_ = dz_ = 0;
    tool_ = kToolMove;
    return true;
}

bool MapMouse::startMeasure() {
    if (!idle()) return false;
    tool_ = kToolMeasure;
    rulerStarted_ = rulerHeld_ = false;
    return true;
}

bool MapMouse::endMeasure() {
    if (tool_ != kToolMeasure) return false;
    tool_ = kToolIdle;
    rulerStarted_ = rulerHeld_ = false;
    return true;
}

bool MapMouse::rulerShown(RulerLine& line) const {
    if (tool_ != kToolMeasure || !rulerStarted_) return false;
    line = ruler_;
    return true;
}

WorldPoint MapMouse::rulerPoint(const MouseContext& ctx, int32_t px, int32_t py) const {
    const MapTransform transform = transformOf(ctx);
    const int item =
        mouse_NearestItemWithin(ctx.page, ctx.view, transform, px, py, kRulerSnapDistanceSquared);
    if (item >= 0) {
        const MissionItem& found = ctx.page.items[item];
        return WorldPoint{found.position[0], found.position[1], found.position[2]};
    }
    return ScreenToWorld(transform, px, py);
}

MouseResult MapMouse::measureClick(MouseContext& ctx, int32_t px, int32_t py) {
    MouseResult result;
    const WorldPoint p = rulerPoint(ctx, px, py);
    if (rulerStarted_ && !rulerHeld_) {
        ruler_.bx = p.x;
        ruler_.by = p.y;
        rulerHeld_ = true;
    } else {
        ruler_ = RulerLine{p.x, p.y, p.x, p.y};
        rulerStarted_ = true;
        rulerHeld_ = false;
    }
    result.effects |= kMousePresent;
    return result;
}

MapPreview MapMouse::preview(const MouseContext& ctx) const {
    MapPreview p;
    if (tool_ == kToolMove)
        p.page = &ctx.page;
    else if (tool_ == kToolPaste)
        p.page = &ctx.clipboard;
    else
        return p;
    p.dx = dx_;
    p.dy = dy_;
    p.dz = dz_;
    return p;
}

bool MapMouse::bandShown(BandRect& rect) const {
    if (tool_ != kToolRectAdd && tool_ != kToolRectRemove) return false;
    rect = rect_;
    return true;
}

void MapMouse::reset() {
    tool_ = kToolIdle;
    nav_ = MapNavigation{};
    rect_ = BandRect{};
    ax_ = ay_ = az_ = 0;
    dx_ = dy_ = dz_ = 0;
    ruler_ = RulerLine{};
    rulerStarted_ = rulerHeld_ = false;
}
