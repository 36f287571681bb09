#pragma once
// A full page for the benchmarks of the editor's lists and checks: the demo game's item
// definitions, interface texts and names read from the demo sources of the repository, and the
// demo mission filled up to 5,000 items and 256 events of 10 triggers and 10 actions each.

#include "gamedata/string_table.h"
#include "mission/mission_page.h"

#include <memory>

struct BenchGameData {
    const StringTable* texts = nullptr; // made the table of TextLookup
    const StringTable* names = nullptr; // the name table ("qz2wpn.bin")
};

// Loads the demo definitions and tables once; later calls return the same tables.
const BenchGameData& bench_LoadDemoData();
// The demo mission with random items of the demo definitions on the terrain and events naming
// the mission's groups, lists and areas.
std::unique_ptr<MissionPage> bench_FullPage(uint32_t seed);
