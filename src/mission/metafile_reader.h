#pragma once
// The mission metafile reader: the grammar of metafile_writer.h plus the keys of older files.
//
// Bounds: whatever does not fit the page is ignored, never stored elsewhere. Blocks whose number
// is outside the record's usable range (items 0-4,999, waypoint lists 1-127, groups 1-63, wav
// lists 1-31, area triggers 1-99, layers 0-15, events 0-255) are read and checked but not kept;
// trigger and action lines beyond ten, player waypoint names beyond eight and the characters of
// a text beyond its field are dropped; counts are held to their capacities. A value missing from
// a line reads as 0 (an empty text). Unknown keys still reject the line.

#include "mission/mission_page.h"

// Clears `page` and fills it from the metafile at `path` (a loose path). Then loads the page's
// terrain and gives every item its definition index and class, and every item without an id a
// fresh one. Returns 1 on success; 0 when the file cannot be opened, a line is rejected (the
// line reader shows the parse-error message) or a block is not closed at the end. On failure the
// page keeps what was read before the failure and the terrain and item steps are skipped.
int metafile_Load(MissionPage& page, const char* path);

// The fraction form of older files' "waccuracy", "perception" and "perfectionist": the decimal
// number times 100, truncated toward zero, computed exactly ("0.29" gives 29); 0 without a
// number; held to the 32-bit range.
int32_t metafile_PercentFromFraction(const char* word);
