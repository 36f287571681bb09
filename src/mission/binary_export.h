#pragma once
// The binary mission export: the page's items sorted, counted by category and cut to the game's
// limits, then the header and the item, waypoint-list, group, wav-list and event tables
// (bms_layout.h). The export is one-way; the editor never reads binary missions.

#include "mission/export_limits.h"
#include "mission/mission_page.h"

#include <cstdint>
#include <vector>

// The export order of the items: ascending by type_id and, for equal type_id, by wpnumber, as
// the exchange sort the game's tools have always used leaves them (for o = 0 .. n-2, for
// j = o+1 .. n-1: exchange slots o and j when the key of o is greater). That sort is not
// stable; the result here is exactly its result. Entry k is the slot whose item goes to slot k.
std::vector<int> export_SortOrder(const MissionPage& page);
// Puts the items in export_SortOrder, moving each record once. The selection keeps the same
// items (its entries are moved to their items' new slots).
void export_SortItems(MissionPage& page);

// The file bytes of an already sorted page with the given (already lowered) category counts.
// Refreshes the derived waypoint lists, group member counts and the events' first_trigger and
// first_action. Texts longer than their fields are cut (always NUL-terminated); values stored in
// 8 or 16 bits keep their low bits.
std::vector<uint8_t> export_BuildBytes(MissionPage& page, const ExportCounts& counts);

// "Export Binary Mission": sorts the page's items (the order stays in the page), shows the
// category warnings (page_CheckExportLimits) and writes the file at `path` through a temporary
// file that replaces it only when every byte was written. Returns 1 when the file was written;
// 0 when it could not be (a message naming the file is shown; a previous file is kept).
int export_BinaryMission(MissionPage& page, const char* path);
