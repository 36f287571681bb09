#pragma once
// The texts of the main window that follow the editor's state: the window title and the grid
// size beside the grid buttons. Both formats come from the string tables and are checked
// against the arguments before use (foundation/safe_format.h).

#include <cstdint>
#include <string>

inline constexpr const char* kEditorVersion = "1.43";

// With an empty (or null) file name: "Dialog Message" "QZMED_TITLE" filled with the
// "CONSUMER" text and kEditorVersion. Otherwise "QZMED_TITLE_PLUS_FNAME" filled with the same two
// followed by the file name.
std::string editor_TitleText(const char* fileName);

// Below 256 world units: "Med Window Text" "QZ_GRID_SIZE_CM" with the size in centimetres as a
// real number (units × 0.390625); from 256 on: "QZ_GRID_SIZE_M" with whole metres (units ÷ 256,
// rounded down).
std::string editor_GridSizeText(int32_t gridSize);
