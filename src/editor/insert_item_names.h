#pragma once
// What the insert-item dialog lists for an item class: the names of the definitions of that
// class the user may place, in the order the list shows them.

#include "gamedata/item_defs.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The names (display names, up to their first NUL) of every definition of `defs` whose type is
// `itemClass`, leaving out those whose attributes carry NoTool or NoCTool unless `showAll` is set.
// Sorted without regard to letter case ("Half-track" before "HMMWV"); names that differ only in
// case keep the order of the table.
std::vector<std::string> insert_DefinitionNames(std::span<const ItemDef> defs, int32_t itemClass,
                                                bool showAll);

// The same over the loaded item definitions.
std::vector<std::string> insert_DefinitionNames(int32_t itemClass, bool showAll);

// Orders two names as the list does: byte by byte with ASCII letters folded to one case.
bool insert_NameBefore(const std::string& a, const std::string& b);
