#include "editor/key_bindings.h"

#include "editor/command_ids.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr KeyBinding kBindings[] = {
    {EditorKey::PageUp, KeyAction::ZoomIn, 0},
    {EditorKey::Keypad9, KeyAction::ZoomIn, 0},
    {EditorKey::KeypadPlus, KeyAction::ZoomIn, 0},
    {EditorKey::PageDown, KeyAction::ZoomOut, 0},
    {EditorKey::Keypad3, KeyAction::ZoomOut, 0},
    {EditorKey::KeypadMinus, KeyAction::ZoomOut, 0},
    {EditorKey::Space, KeyAction::Redraw, 0},
    {EditorKey::Left, KeyAction::CentreLeft, 0},
    {EditorKey::Right, KeyAction::CentreRight, 0},
    {EditorKey::Up, KeyAction::CentreUp, 0},
    {EditorKey::Down, KeyAction::CentreDown, 0},
    {EditorKey::Insert, KeyAction::Command, kCmdInsertMode},
    {EditorKey::Delete, KeyAction::Command, kCmdDelete},
    {EditorKey::U, KeyAction::Command, kCmdUnselectAll},
    {EditorKey::F1, KeyAction::Command, kCmdColorMap},
    {EditorKey::F2, KeyAction::Command, kCmdDepthMap},
    {EditorKey::F3, KeyAction::Command, kCmdFirstOrderMap},
    {EditorKey::F4, KeyAction::Nothing, 0},
    {EditorKey::Keypad2, KeyAction::RepaintMap, 0},
    {EditorKey::Keypad4, KeyAction::RepaintMap, 0},
    {EditorKey::Keypad6, KeyAction::RepaintMap, 0},
    {EditorKey::Keypad8, KeyAction::RepaintMap, 0},
    {EditorKey::R, KeyAction::Command, kCmdMeasure},
    {EditorKey::Escape, KeyAction::EndMeasure, 0},
    {EditorKey::ControlF, KeyAction::Command, kCmdFindItems},
    {EditorKey::ControlZ, KeyAction::Command, kCmdUndo},
    {EditorKey::ControlY, KeyAction::Command, kCmdRedo},
    {EditorKey::ControlShiftZ, KeyAction::Command, kCmdRedo},
    {EditorKey::ControlO, KeyAction::Command, kCmdOpen},
    {EditorKey::ControlS, KeyAction::Command, kCmdSaveInPlace},
    {EditorKey::ControlShiftS, KeyAction::Command, kCmdSave},
};

constexpr float kZoomInFactor = 1.1f;
constexpr float kZoomOutFactor = 0.9f;
constexpr int32_t kCentreStepDivisor = 10;

int32_t clampedSum(int32_t value, int64_t delta) {
    const int64_t sum = static_cast<int64_t>(value) + delta;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

} // namespace

std::span<const KeyBinding> key_Bindings() {
    return kBindings;
}

const KeyBinding* key_Find(EditorKey key) {
    for (const KeyBinding& binding : kBindings)
        if (binding.key == key) return &binding;
    return nullptr;
}

int key_CommandOf(const KeyBinding& binding) {
    switch (binding.action) {
    case KeyAction::Command:
        return binding.command;
    case KeyAction::ZoomIn:
        return kCmdZoomIn;
    case KeyAction::ZoomOut:
        return kCmdZoomOut;
    default:
        return 0;
    }
}

bool key_MenuKey(int command, EditorKey& key) {
    if (command == 0) return false;
    for (const KeyBinding& binding : kBindings) {
        if (key_CommandOf(binding) == command) {
            key = binding.key;
            return true;
        }
    }
    return false;
}

bool view_ZoomIn(ViewState& view) {
    view.zoom *= kZoomInFactor;
    if (view.zoom > kZoomMax) {
        view.zoom = kZoomMax;
        return false;
    }
    return true;
}

bool view_ZoomOut(ViewState& view) {
    view.zoom *= kZoomOutFactor;
    if (view.zoom < kZoomMin) {
        view.zoom = kZoomMin;
        return false;
    }
    return true;
}

void view_StepCentre(ViewState& view, int dx, int dy) {
    const int64_t step = view.grid_size / kCentreStepDivisor;
    view.center_x = clampedSum(view.center_x, dx * step);
    view.center_y = clampedSum(view.center_y, dy * step);
}
