#include "support/test_item_defs.h"

#include "foundation/mem_arena.h"
#include "gamedata/item_defs.h"

#include <string>

namespace {

void ensureArena() {
    if (mem_MainArena().base == nullptr) mem_InitArena(mem_MainArena(), 4u << 20);
}

std::string def(const char* name, int32_t type_id, const char* type, const char* attrib) {
    std::string text = std::string("begin ") + name + "\r\n";
    text += "  id " + std::to_string(100000 + type_id) + "\r\n";
    text += std::string("  type ") + type + "\r\n";
    if (attrib[0] != '\0') text += std::string("  attrib: ") + attrib + "\r\n";
    text += "end\r\n";
    return text;
}

std::string regularDefs() {
    return def("Soldier", kTestSoldierType, "person", "good flesh") +
           def("Enemy", kTestEnemyType, "person", "evil") + def("Jeep", kTestJeepType, "vehicle", "") +
           def("Tree", kTestTreeType, "decoration", "") + def("House", kTestHouseType, "building", "") +
           def("Crate", kTestCrateType, "object", "") + def("Smoke", kTestSmokeType, "effect", "") +
           def("DoubleAgent", kTestDoubleAgentType, "person", "good evil");
}

int load(const std::string& text) {
    ensureArena();
    itemdef_LoadBuffer(text.data(), text.size(), 0);
    return itemdef_Count();
}

} // namespace

std::string test_ItemDefsFileText() {
    return regularDefs() + def("Waypoint", 6005, "marker", "") + def("AreaMarker", 6013, "marker", "");
}

int test_LoadItemDefs() {
    return load(test_ItemDefsFileText());
}

int test_LoadItemDefsMarkerFirst() {
    return load(def("Waypoint", 6005, "marker", "") +
                def("Soldier", kTestSoldierType, "person", "good flesh"));
}

void test_ClearItemDefs() {
    itemdef_Clear();
}

const char* test_ItemDefsAsList() {
    return "Soldier=1,Enemy=2,Jeep=3,Tree=4,House=5,Crate=6,Smoke=7,DoubleAgent=8,Waypoint=6005,AreaMarker="
           "6013";
}
