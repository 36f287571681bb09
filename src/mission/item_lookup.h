#pragma once
// Definition lookups with a distinct not-found result. The finders of item_defs.h answer 0 both
// for "not found" and for the first definition; code that must tell the two apart uses these.

#include "mission/mission_page.h"

#include <cstdint>

// Index of the first item definition with `type_id`, or -1 when none has it.
int item_FindDefIndex(int32_t type_id);
// Index of the first item definition named `name` (ASCII case-insensitive), or -1.
int item_FindDefIndexByName(const char* name);
// True when some item definition has the item's type_id. The definition at the item's def_index
// is tried first (the readers and the page operations point it at the first definition of the
// type), so a known item costs one comparison; the others take a search of the table.
bool item_HasDefinition(const MissionItem& item);
