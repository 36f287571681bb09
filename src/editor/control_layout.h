#pragma once
// The main window's controls and child windows as data: kind, label, position and size in units
// of the fixed-pitch font (character width cw, line height lh), and the command a click sends.
// The user interface builds its widgets from these tables; tests check them without a display.

#include "editor/command_ids.h"

#include <cstdint>
#include <span>

enum class ControlKind : uint8_t {
    RadioButton, // push-like radio button
    PushButton,
    CheckBox,
    GroupBox,
    StaticText,
};

enum class LayoutUnit : uint8_t { None, CharWidth, LineHeight };

// outer × ((inner × unit) ÷ divisor), integer division toward zero; a term of unit None is 0.
struct LayoutTerm {
    int16_t outer = 0;
    int16_t inner = 0;
    LayoutUnit unit = LayoutUnit::None;
    int16_t divisor = 1;
};

// A sum of up to three terms.
struct LayoutValue {
    LayoutTerm terms[3];
};

struct ControlDef {
    int id; // EditorControl
    ControlKind kind;
    bool starts_group;     // first control of a radio or tab group
    const char* label_key; // "Med Window Text" key of the label
    LayoutValue x, y, width, height;
    int command; // sent on a click; 0: a click only gives the focus back
};

inline constexpr const char* kControlTextSection = "Med Window Text";

// Every control of the main window, in creation order.
std::span<const ControlDef> ctl_Controls();
// The control with `id`, or null.
const ControlDef* ctl_Find(int id);
// The command a click on control `id` sends; 0 when it sends none (group boxes, the grid-size
// text, unknown ids).
int ctl_ButtonCommand(int id);

int layout_Evaluate(const LayoutValue& value, int charWidth, int lineHeight);

struct LayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
};
LayoutRect layout_ControlRect(const ControlDef& control, int charWidth, int lineHeight);

// A child window as left, top, right, bottom, all inclusive (width = right - left + 1).
struct ChildWindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct ChildWindowLayout {
    ChildWindowRect map_view;
    ChildWindowRect item_info;
    ChildWindowRect center_info;
};
// The three child windows for a main window whose client area ends at (right, bottom). The centre
// information window is `centerInfoWidth` pixels wide when that is more than the table's 33 characters
// (the width its widest text needs, info_WidestCenterText); the controls right of it move by
// layout_RightOfCenterShift.
ChildWindowLayout layout_ChildWindows(int right, int bottom, int charWidth, int lineHeight,
                                      int centerInfoWidth = 0);
// How far the controls right of the centre information window (ctl_IsRightOfCenterInfo) move
// right so that a centre window `centerInfoWidth` pixels wide leaves them the gap the table has.
int layout_RightOfCenterShift(int charWidth, int centerInfoWidth);
// True for the controls that stand right of the centre information window on the top row.
bool ctl_IsRightOfCenterInfo(int id);

// ---- Show flags -------------------------------------------------------------------------------

// One show-flag bit of ViewState with the check box and the command that toggle it.
struct ShowFlagControl {
    uint32_t bit;
    int control; // EditorControl (a check box)
    int command; // EditorCommand
};
std::span<const ShowFlagControl> ctl_ShowFlagControls();
// The entry whose command is `command`, or null.
const ShowFlagControl* ctl_ShowFlagByCommand(int command);
