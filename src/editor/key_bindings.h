#pragma once
// The keys of the main window as data. The user interface turns its key events into EditorKey
// values (keys it does not list here keep their default handling) and hands them to the editor.

#include "render/view_state.h"

#include <span>

// Page Up, keypad 9 and keypad + zoom in; Page Down, keypad 3 and keypad - zoom out.
enum class EditorKey {
    PageUp,
    Keypad9,
    KeypadPlus,
    PageDown,
    Keypad3,
    KeypadMinus,
    Space,
    Left,
    Right,
    Up,
    Down,
    Insert,
    Delete,
    U,
    F1,
    F2,
    F3,
    F4,
    Keypad2,
    Keypad4,
    Keypad6,
    Keypad8,
    R,             // the ruler
    Escape,        // puts the ruler away
    ControlF,      // Control + F: the Find Items panel
    ControlO,      // Open
    ControlS,      // Save
    ControlShiftS, // Save As
    ControlZ,      // Control + Z: undo
    ControlY,      // Control + Y: redo
    ControlShiftZ, // Control + Shift + Z: redo
};

enum class KeyAction {
    ZoomIn,      // zoom × 1.1, held at kZoomMax
    ZoomOut,     // zoom × 0.9, held at kZoomMin
    Redraw,      // render the map again
    CentreLeft,  // centre X − grid size ÷ 10
    CentreRight, // centre X + grid size ÷ 10
    CentreUp,    // centre Y + grid size ÷ 10
    CentreDown,  // centre Y − grid size ÷ 10
    Command,     // run the binding's command
    RepaintMap,  // repaint the map view
    Nothing,     // taken, no effect
    EndMeasure,  // puts the ruler away; not taken when the ruler is not in use
};

struct KeyBinding {
    EditorKey key;
    KeyAction action;
    int command; // for KeyAction::Command
};

std::span<const KeyBinding> key_Bindings();
// The binding of `key` (every EditorKey has one).
const KeyBinding* key_Find(EditorKey key);

// The command whose effect the key has: its command for KeyAction::Command, kCmdZoomIn and
// kCmdZoomOut for the zoom keys; 0 for keys that no command stands for.
int key_CommandOf(const KeyBinding& binding);
// The key a menu shows beside the entry of `command`: the first key of the table that has the
// command's effect; false when no key has it.
bool key_MenuKey(int command, EditorKey& key);

// zoom × 1.1. True when the map must be redrawn; false when the result passed kZoomMax and was
// held there.
bool view_ZoomIn(ViewState& view);
// zoom × 0.9. True when the map must be redrawn; false when the result fell below kZoomMin and
// was held there.
bool view_ZoomOut(ViewState& view);
// Moves the centre by (dx, dy) grid steps of grid size ÷ 10 (integer division toward zero),
// held to the 32-bit range.
void view_StepCentre(ViewState& view, int dx, int dy);
