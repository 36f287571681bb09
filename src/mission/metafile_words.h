#pragma once
// Word access shared by the parts of the metafile reader (internal to the mission library).

#include "foundation/line_reader.h"

#include <cstddef>
#include <cstdint>

// Word `index` of the line, or "" when the line has fewer words.
inline const char* metafile_Word(const LineTokens& tokens, int index) {
    return index < tokens.count && tokens.words[index] != nullptr ? tokens.words[index] : "";
}

// Word `index` as a decimal integer (0 when missing or without digits); a value beyond 32 bits
// is held to the nearest value an int32 holds, never wrapped.
int32_t metafile_Int(const LineTokens& tokens, int index);

// Copies word `index` into a text field, keeping what fits and zero-filling the rest.
void metafile_CopyText(char* field, size_t size, const LineTokens& tokens, int index);

// Handles one line of an item block; 0 accepts it, non-zero rejects it.
struct MissionItem;
int metafile_ItemLine(MissionItem& item, const LineTokens& tokens);
