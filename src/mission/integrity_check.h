#pragma once
// The integrity check: items whose type has no item definition (for example after loading a
// metafile made with other definitions). Items of the first definition are known items: the
// lookup used here tells "not found" apart from index 0.

#include "mission/mission_page.h"

#include <string>
#include <vector>

// The item slots, in slot order, whose type_id no loaded item definition has.
std::vector<int> page_FindUnknownItems(const MissionPage& page);
// sel_Clear, then sel_Add for each slot of page_FindUnknownItems.
void page_SelectUnknownItems(MissionPage& page);
// The summary line of the check window: "Dialog Message" "UNKNOWN_ITEMS" formatted with `count`.
std::string integrity_SummaryText(int count);
