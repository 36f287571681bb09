#pragma once
// Which controls of the item attributes dialog an item uses, by its class and definition id.
// The dialog enables only what every selected item uses: the layer, definition, group and
// position controls are always enabled, the others below follow the items.

#include "mission/mission_page.h"

#include <cstdint>

// The controls the items decide about, as bits of a ItemAttrControls set.
enum ItemAttrControl : uint32_t {
    kAttrHeading = 1u << 0,
    kAttrPitch = 1u << 1,
    kAttrMapSymbol = 1u << 2,
    kAttrTeam = 1u << 3,
    kAttrName = 1u << 4,
    kAttrFov = 1u << 5,
    kAttrAccuracy = 1u << 6,
    kAttrPerception = 1u << 7,
    kAttrWaypointList = 1u << 8,
    kAttrWaypointNumber = 1u << 9,
    kAttrWaypointDistance = 1u << 10,
    kAttrWaypointName = 1u << 11,
    kAttrWeapon = 1u << 12,
    kAttrRemoveIf = 1u << 13, // the three remove-if boxes and the two player counts
    kAttrBlind = 1u << 14,
    kAttrGuarding = 1u << 15,
    kAttrBreakLeft = 1u << 16,
    kAttrBreakRight = 1u << 17,
    kAttrStanding = 1u << 18,
    kAttrProne = 1u << 19,
    kAttrSilent = 1u << 20,
    kAttrClimbLadders = 1u << 21,
    kAttrNoWater = 1u << 22,
    kAttrDeaf = 1u << 23,
};
using ItemAttrControls = uint32_t;

// Every control of the set.
constexpr ItemAttrControls kAttrAllControls = (1u << 24) - 1;

// One check box of the dialog and the bit of `bmsi_attributes` it shows. Bits 7 and 11 have no
// box; the dialog keeps them.
struct ItemAttrBox {
    int bit;                 // bit number in bmsi_attributes (0 is the lowest)
    ItemAttrControl control; // the control whose enabling it follows
    const char* caption_key; // "Dialog Message" text
};

// The thirteen boxes in the order OK writes them: the remove-if boxes (bits 4, 5, 6), then the
// attribute boxes (bits 0, 14, 1, 2, 3, 8, 9, 10, 12, 13).
inline constexpr ItemAttrBox kItemAttrBoxes[] = {
    {4, kAttrRemoveIf, "LESS_THAN"},   {5, kAttrRemoveIf, "MORE_THAN"},
    {6, kAttrRemoveIf, "MULTIPLAYER"}, {0, kAttrBlind, "BLIND"},
    {14, kAttrDeaf, "DEAF"},           {1, kAttrGuarding, "GUARDING"},
    {2, kAttrBreakLeft, "BREAK_LEFT"}, {3, kAttrBreakRight, "BREAK_RIGHT"},
    {8, kAttrStanding, "STANDING"},    {9, kAttrProne, "PRONE"},
    {10, kAttrSilent, "SILENT"},       {12, kAttrClimbLadders, "CLIMB_LADDERS"},
    {13, kAttrNoWater, "NO_WATER"},
};

// The bmsi_attributes bits that have a box.
constexpr int32_t itemattr_BoxBits() {
    int32_t bits = 0;
    for (const ItemAttrBox& box : kItemAttrBoxes)
        bits |= int32_t{1} << box.bit;
    return bits;
}

// What an item is for the enabling rules.
struct ItemAttrKind {
    int32_t item_class;
    int32_t type_id;
};

// The controls an item of `kind` uses. People and classes outside 1 to 6 use all of them; a
// marker of a type with no rule uses none.
ItemAttrControls itemattr_UsedControls(ItemAttrKind kind);
