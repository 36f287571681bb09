#pragma once
// String tables for tests, built in memory from text source ("[Section]" and "KEY=text" lines,
// the form of `qzdata strtab-build`).

#include "gamedata/string_table.h"

#include <string_view>

// A table built from `source`; it lives until the end of the test program. Fails the current
// test (and returns null) when the source is not valid.
const StringTable* test_BuildTable(std::string_view source);
// test_BuildTable, then made the table of TextLookup.
const StringTable* test_InstallTexts(std::string_view source);
