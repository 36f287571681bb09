#pragma once
// A small set of item definitions for tests of the mission model: people, vehicles, decoration,
// buildings, objects, effects and the two marker types.

#include <cstdint>
#include <string>

// Type ids of the test definitions (file ids minus 100000).
constexpr int32_t kTestSoldierType = 1;     // person, good
constexpr int32_t kTestEnemyType = 2;       // person, evil
constexpr int32_t kTestJeepType = 3;        // vehicle
constexpr int32_t kTestTreeType = 4;        // decoration
constexpr int32_t kTestHouseType = 5;       // building
constexpr int32_t kTestCrateType = 6;       // object
constexpr int32_t kTestSmokeType = 7;       // effect
constexpr int32_t kTestDoubleAgentType = 8; // person, good and evil
constexpr int32_t kTestUnknownType = 999;   // has no definition
// The waypoint marker 6005 and the area-trigger marker 6013 are defined as well.

// Sets up the main memory arena when needed and loads the definitions above, in that order,
// markers last ("Soldier" is index 0). Returns the number of definitions.
int test_LoadItemDefs();
// Loads exactly two definitions: the waypoint marker (index 0), then "Soldier" (index 1).
int test_LoadItemDefsMarkerFirst();
// The definitions of test_LoadItemDefs as "Name=id,..." in index order (the --defs option of
// tests/mission/metafile_reference.py).
const char* test_ItemDefsAsList();
// The text of the definitions test_LoadItemDefs loads, as an "items.def" file (plain, CR LF).
std::string test_ItemDefsFileText();
// Loads no definitions at all.
void test_ClearItemDefs();
