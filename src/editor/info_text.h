#pragma once
// The texts of the two information windows: the item information window describes the
// selection of a page, the centre information window the view centre. The windows draw these
// lines as they stand; every format comes from the string tables ("Med Selection",
// "Center Info") and is checked against its arguments before use (foundation/safe_format.h).

#include "mission/mission_page.h"
#include "render/view_state.h"

#include <string>
#include <vector>

inline constexpr const char* kItemInfoSection = "Med Selection";
inline constexpr const char* kCenterInfoSection = "Center Info";

// Pixels between a window's top-left corner and the start of its first line.
constexpr int kInfoTextMargin = 5;

// One line of text at (x, y) pixels from the text origin (the window's top-left corner moved
// kInfoTextMargin right and down); y is the top of the line.
struct InfoLine {
    std::string text;
    int x = 0;
    int y = 0;
};

// The item information window for `page` with the fixed-pitch font's character width and line
// height. An empty selection gives one line, "NO_ITEMS". Otherwise fourteen lines: the selection
// count, then the last selected item's slot, definition name ("UNKNOWN_ITEM_NAME" with its type
// id when no definition has its type), serial number, class, heading,
// waypoint list and position, coordinates in whole metres (rounded toward minus infinity), its
// layer and its group. A selection whose last entry names no item of the page gives the count
// alone.
std::vector<InfoLine> info_ItemLines(const MissionPage& page, int charWidth, int lineHeight);

// The centre information window: "QZ_CENTER_POS" with the centre X and Y in metres.
std::string info_CenterText(const ViewState& view);
// The longest text the centre information window can show: the one for the centre values with
// the most characters (either end of the 32-bit range on both axes).
std::string info_WidestCenterText();
