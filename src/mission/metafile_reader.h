#pragma once
// The mission metafile reader: the grammar of metafile_writer.h plus the keys of older files.
//
// Bounds: whatever does not fit the page is ignored, never stored elsewhere. Blocks whose number
// is outside the record's usable range (items 0-4,999, waypoint lists 1-127, groups 1-63, wav
// lists 1-31, area triggers 1-99, layers 0-15, events 0-255) are read and checked but not kept;
// trigger and action lines beyond ten, player waypoint names beyond eight and the characters of
// a text beyond its field are dropped; counts are held to their capacities. A value missing from
// a line reads as 0 (an empty text). Unknown keys still reject the line.

#include "mission/metafile_report.h"
#include "mission/mission_page.h"

#include <cstddef>

// Whether groups 1 and 2 of the page being read get their default names (page_NameDefaultGroups)
// between the clear and the read, as the editor's current page does when a mission is opened
// into it. A name the file gives replaces the default.
enum class DefaultGroupNames { Give, Skip };

// Clears `page` and fills it from the metafile bytes `data` (`size` bytes, read as the text-mode
// line reader reads a file), then gives every item its definition index and class, and every
// item without an id a fresh one. No terrain imagery is loaded. Nothing is shown: the result
// and, when `report` is given, the problems found say how the read went (metafile_report.h).
// Whatever the result, the page holds what the reader read (for Stopped: everything before
// the line where the read stopped) with the item steps done, so a caller may offer it to the
// user as it stands.
MetafileReadResult metafile_ReadBytes(MissionPage& page, const char* data, size_t size,
                                      MetafileReport* report = nullptr);

// The same for the loose file at `path`, which must be a regular file (a directory, a FIFO or
// a device is Unreadable, with the reason in the report); then loads the page's terrain
// imagery unless the file was Unreadable (the page is then cleared).
MetafileReadResult metafile_Read(MissionPage& page, const char* path, MetafileReport* report = nullptr,
                                 DefaultGroupNames groups = DefaultGroupNames::Skip);

// The plain load: clears `page` and fills it from the metafile at `path`. Then loads the page's
// terrain and gives every item its definition index and class, and every item without an id a
// fresh one. Returns 1 when the file was read to its end (whatever its counts say; use
// metafile_Read to learn of damage); 0 when the file cannot be read, a line is rejected (the
// line reader shows the parse-error message, naming the file) or a block is not closed at the
// end. On failure the page keeps what was read before the failure and the terrain and item
// steps are skipped.
int metafile_Load(MissionPage& page, const char* path, DefaultGroupNames groups = DefaultGroupNames::Skip);

// The fraction form of older files' "waccuracy", "perception" and "perfectionist": the decimal
// number times 100, truncated toward zero, computed exactly ("0.29" gives 29); 0 without a
// number; held to the 32-bit range.
int32_t metafile_PercentFromFraction(const char* word);
