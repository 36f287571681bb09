#pragma once
// Definition lookups with a distinct not-found result. The finders of item_defs.h answer 0 both
// for "not found" and for the first definition; code that must tell the two apart uses these.

#include <cstdint>

// Index of the first item definition with `type_id`, or -1 when none has it.
int item_FindDefIndex(int32_t type_id);
// Index of the first item definition named `name` (ASCII case-insensitive), or -1.
int item_FindDefIndexByName(const char* name);
