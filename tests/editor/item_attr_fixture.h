#pragma once
// Shared set-up of the item attributes tests: definitions chosen for the enabling rules (two
// buildings to switch between, hidden ones, the fallen soldier and the markers with their own
// rules), interface texts whose formats show a wrong argument, a name table, and one page.

#include "editor/item_attr_session.h"
#include "foundation/mem_arena.h"
#include "gamedata/item_defs.h"
#include "mission/page_ops.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// Definition ids (file ids minus 100000).
enum AttrTestType : int32_t {
    kRifleman = 3001,
    kSniper = 3002,
    kBarracks = 5001,
    kBunker = 5002,
    kOldBunker = 5003, // NoTool
    kJeep = 2001,
    kBush = 1005,
    kFallen = 1041,
    kCamera = 4047,
    kDummy = 4090, // NoCTool
    kRadius = 6006,
};

inline std::string attrTest_Definitions() {
    struct Def {
        const char* name;
        int32_t id;
        const char* type;
        const char* attrib;
    };
    const Def defs[] = {
        {"Rifleman", kRifleman, "person", "good"},
        {"sniper", kSniper, "person", "evil"},
        {"Barracks", kBarracks, "building", ""},
        {"Bunker", kBunker, "building", ""},
        {"OldBunker", kOldBunker, "building", "NoTool"},
        {"Jeep", kJeep, "vehicle", ""},
        {"Bush", kBush, "decoration", ""},
        {"Fallen", kFallen, "decoration", ""},
        {"Waypoint", kWaypointMarkerType, "marker", ""},
        {"AreaTrigger", kAreaTriggerMarkerType, "marker", ""},
        {"Radius", kRadius, "marker", ""},
        {"Camera", kCamera, "object", ""},
        {"Dummy", kDummy, "object", "NoCTool"},
    };
    std::string text;
    for (const Def& def : defs) {
        text += std::string("begin ") + def.name + "\r\n  id " + std::to_string(100000 + def.id) +
                "\r\n  type " + def.type + "\r\n";
        if (def.attrib[0] != '\0') text += std::string("  attrib: ") + def.attrib + "\r\n";
        text += "end\r\n";
    }
    return text;
}

inline constexpr const char* kAttrTestTexts = "[Dialog Message]\n"
                                              "LAYERNAME=Unnamed layer %i\n"
                                              "TOO_MANY_WAYPOINTS=waypoint numbers stop below %i\n"
                                              "MAX_NUM_WAYPOINTS=Waypoint Number\n"
                                              "TOO_MANY_AREA_TRIGGERS=area numbers stop at %i\n"
                                              "MAX_NUM_AREA_TRIGGERS=Area Trigger Number\n"
                                              "[Med Resources]\n"
                                              "NONE=(none)\n"
                                              "[Teams]\n"
                                              "NEUTRALTEAM=Neutral\n"
                                              "GOODTEAM=Blue\n"
                                              "EVILTEAM=Red\n"
                                              "YELLOWTEAM=Yellow\n"
                                              "VIOLETTEAM=Violet\n"
                                              "[Weapons]\n"
                                              "UZZI=Uzi\n"
                                              "DRAGUNOVA=Dragunov\n"
                                              "[Items]\n"
                                              "SSN=serial %i\n"
                                              "[Item Type]\n"
                                              "TYPE_BUILDING=Building\n";

inline constexpr const char* kAttrTestNames = "[PeopleNames]\n"
                                              "STRNAME000=nobody\n"
                                              "STRNAME001=Ann\n"
                                              "STRNAME002=Bob\n"
                                              "STRNAME004=Dan\n"
                                              "[WPNames]\n"
                                              "STRWPNAME000=none\n"
                                              "STRWPNAME001=Alpha\n";

// The numbers of the NPC weapon list.
constexpr int kWeaponNone = 0;
constexpr int kWeaponM16 = 1;
constexpr int kWeaponDragunova = 4;
constexpr int kWeaponUzzi = 6;

class ItemAttrTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (mem_MainArena().base == nullptr) mem_InitArena(mem_MainArena(), 4u << 20);
        const std::string defs = attrTest_Definitions();
        itemdef_LoadBuffer(defs.data(), defs.size(), 0);
        static const StringTable* texts = test_BuildTable(kAttrTestTexts);
        TextLookup_SetTable(texts);
        static const StringTable* names = test_BuildTable(kAttrTestNames);
        sources.names = names;
        page_Clear(page);
    }

    // Adds an item of `type`; fails the test when the page refuses it.
    int add(int32_t type, int32_t x = 0, int32_t y = 0) {
        const int slot = page_AddItem(page, type, x, y, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }
    // Selects `slots` in this order (the last one is shown).
    void select(std::initializer_list<int> slots) {
        sel_Clear(page);
        for (int slot : slots)
            sel_Add(page, slot);
    }
    std::optional<ItemAttrSession> open() { return ItemAttrSession::open(page, sources); }
    // OK with `form`; the messages it shows are collected.
    bool ok(const ItemAttrSession& session, const ItemAttrForm& form) {
        return session.apply(page, form,
                             [this](const ItemAttrMessage& message) { messages.push_back(message); });
    }
    MissionItem& item(int slot) { return page.items[slot]; }

    ItemAttrSources sources;
    std::unique_ptr<MissionPage> pagePtr = std::make_unique<MissionPage>();
    MissionPage& page = *pagePtr;
    std::vector<ItemAttrMessage> messages;
};
