#include "demo/demo_mission.h"

#include "gamedata/def_words.h"
#include "mission/metafile_writer.h"
#include "mission/page_ops.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {
// Item definition ids of the demo items.def (its "id" values minus 100000).
enum DemoItem : int32_t {
    kPine = 1002,
    kOak = 1003,
    kBush = 1005,
    kBoulder = 1006,
    kWoodenFence = 1008,
    kWireFence = 1009,
    kSandbags = 1010,
    kTankTrap = 1011,
    kFallenRed = 1042,
    kJeepBlue = 2001,
    kTruckBlue = 2003,
    kTruckRed = 2004,
    kApcRed = 2005,
    kTankRed = 2006,
    kHeliBlue = 2007,
    kPatrolBoat = 2008,
    kDinghy = 2009,
    kJeepWreck = 2090,
    kBlueRifleman = 3001,
    kBlueSniper = 3002,
    kBlueGunner = 3003,
    kBlueOfficer = 3004,
    kRedRifleman = 3005,
    kRedSniper = 3006,
    kRedGunner = 3007,
    kRedOfficer = 3008,
    kRedRocket = 3009,
    kCivilian = 3010,
    kHostage = 3011,
    kCrate = 4001,
    kAmmoCrate = 4002,
    kOilBarrel = 4003,
    kExplosiveBarrel = 4004,
    kMedKit = 4010,
    kBriefcase = 4015,
    kLandMine = 4035,
    kAtMine = 4036,
    kSecurityCamera = 4047,
    kSearchlight = 4048,
    kBarracks = 5001,
    kWatchtower = 5002,
    kBunker = 5003,
    kFarmhouse = 5004,
    kRadarStation = 5005,
    kFuelDepot = 5006,
    kPier = 5007,
    kInsertionPoint = 6001,
    kObjective = 6003,
    kExtractionPoint = 6004,
    kSoundSource = 6026,
    kFire = 8001,
    kSmoke = 8002,
};

enum Team : int32_t { kNeutral = 0, kBlue = 1, kRed = 2 };

// Groups, waypoint lists and area triggers of the mission.
enum : int32_t {
    kGroupBlue = 1,
    kGroupRed = 2,
    kGroupPatrol = 3,
    kGroupGuards = 4,
    kGroupArmour = 5,
    kGroupCivilians = 6
};
enum : int32_t { kListPatrol = 1, kListAssault = 2, kListBoat = 3 };
enum : int32_t { kAreaFarm = 1, kAreaOutpost = 2 };
enum : int32_t { kLayerDefault = 0, kLayerBlue = 1, kLayerRed = 2, kLayerScenery = 3 };

constexpr int32_t kUnitsPerMetre = 256;
// The lake of the hills terrain: centre and a radius that keeps land items off the water.
constexpr double kLakeColumn = 640.0, kLakeRow = 360.0, kLakeKeepOut = 200.0;

class MissionBuilder {
  public:
    explicit MissionBuilder(MissionPage& page) : page_(page) {}

    // An item at map pixel (column, row): X = column metres east, Y = row metres south (negative).
    int place(int32_t type, double column, double row, int32_t heading, int32_t team = kNeutral,
              int32_t group = 0, int32_t layer = kLayerDefault) {
        const int slot = page_AddItem(page_, type, metres(column), -metres(row), 0);
        if (slot < 0) return slot;
        MissionItem& item = page_.items[slot];
        item.facing[0] = heading;
        item.team = team;
        item.group_id = group;
        item.layer = layer;
        return slot;
    }
    // People get the names of the name table in turn ("STRNAME001" onwards; 000 is no name).
    int person(int32_t type, double column, double row, int32_t heading, int32_t team, int32_t group,
               int32_t list = 0) {
        const int slot =
            place(type, column, row, heading, team, group, team == kBlue ? kLayerBlue : kLayerRed);
        if (slot < 0) return slot;
        page_.items[slot].waypoint_id = list;
        page_.items[slot].name_index = ++lastName_;
        return slot;
    }
    void waypoint(int32_t list, int32_t number, double column, double row) {
        const int slot = place(6005, column, row, 0, kNeutral, 0, kLayerDefault);
        if (slot < 0) return;
        page_.items[slot].waypoint_id = list;
        page_.items[slot].wpnumber = number;
    }
    void areaCorner(int32_t area, double column, double row) {
        const int slot = place(6013, column, row, 0);
        if (slot >= 0) page_.items[slot].wpnumber = area;
    }

  private:
    static int32_t metres(double m) { return static_cast<int32_t>(std::lround(m * kUnitsPerMetre)); }
    MissionPage& page_;
    int32_t lastName_ = 0;
};

void copyText(char* field, size_t size, const char* text) {
    defword_Copy(field, size, text);
}

void describe(MissionPage& page) {
    GeneralInfo& g = page.general;
    copyText(g.name, sizeof g.name, "Operation Green Hills");
    copyText(g.designer, sizeof g.designer, "qzmed demo");
    copyText(g.terrain, sizeof g.terrain, "hills");
    g.weather_type = 0;
    g.sunset = 1; // dawn
    g.wind[0] = 12;
    g.wind[1] = 225;
    g.fog_level = 600;
    g.fog_color = 0xB0BEC8;
    // Weapons the general information dialog offers for each slot.
    g.default_equipment[0] = 6;  // sidearm: SOCOM pistol
    g.default_equipment[1] = 9;  // primary: rifle with grenade launcher
    g.default_equipment[2] = 24; // secondary: claymore mines
    g.default_equipment[3] = 31; // auxiliary: body armour
    const int32_t blueNames[] = {1, 2, 3, 6, 12, 19};
    const int32_t redNames[] = {4, 5, 11, 16, 17};
    for (size_t i = 0; i < std::size(blueNames); ++i)
        g.wp_names_blue[i] = blueNames[i];
    for (size_t i = 0; i < std::size(redNames); ++i)
        g.wp_names_red[i] = redNames[i];
    // Condition 0 is the empty choice.
    const int8_t win[kSubgoalCount] = {2, 1, 0, 0};  // rescue the hostages, destroy the radar station
    const int8_t lose[kSubgoalCount] = {1, 2, 0, 0}; // squad killed, a hostage killed
    std::memcpy(page.subgoals_win, win, sizeof win);
    std::memcpy(page.subgoals_lose, lose, sizeof lose);
    copyText(page.briefing, sizeof page.briefing,
             "Red forces hold a farm by the lake and watch the valley from a radar post on the ridge.\n"
             "Free the hostages at the farm, then take the outpost.\n"
             "Extraction is at the south-west corner.");

    const char* groups[] = {nullptr,          "Blue Players", "Red Players", "Red patrol",
                            "Hostage guards", "Red armour",   "Civilians"};
    for (int32_t n = 1; n < static_cast<int32_t>(std::size(groups)); ++n) {
        copyText(page.groups[n].description, sizeof page.groups[n].description, groups[n]);
        page.groups[n].color = n;
    }
    const char* layers[] = {"Default", "Blue base", "Red forces", "Scenery"};
    for (int n = 0; n < static_cast<int>(std::size(layers)); ++n)
        copyText(page.layers[n].description, sizeof page.layers[n].description, layers[n]);

    WaypointList& patrol = page.waypoints[kListPatrol];
    copyText(patrol.description, sizeof patrol.description, "Red patrol round the outpost");
    patrol.attrib = 0x4; // red team, looping
    patrol.color = 2;
    WaypointList& assault = page.waypoints[kListAssault];
    copyText(assault.description, sizeof assault.description, "Blue assault on the farm");
    assault.attrib = 0x1 | 0x2; // no loop, blue team
    assault.color = 1;
    WaypointList& boat = page.waypoints[kListBoat];
    copyText(boat.description, sizeof boat.description, "Boat circuit on the lake");
    boat.attrib = 0x4;
    boat.color = 5;

    copyText(page.area_triggers[kAreaFarm].description, sizeof page.area_triggers[kAreaFarm].description,
             "Farmhouse");
    page.area_triggers[kAreaFarm].color = 3;
    copyText(page.area_triggers[kAreaOutpost].description,
             sizeof page.area_triggers[kAreaOutpost].description, "Red outpost");
    page.area_triggers[kAreaOutpost].color = 4;

    copyText(page.wav_lists[1].description, sizeof page.wav_lists[1].description, "Radio chatter");
    copyText(page.wav_lists[1].file_name, sizeof page.wav_lists[1].file_name, "radio01.wav");
}

void placeBlueBase(MissionBuilder& b) {
    b.place(kBarracks, 180, 840, 90, kBlue, 0, kLayerBlue);
    b.place(kBarracks, 180, 880, 90, kBlue, 0, kLayerBlue);
    b.place(kWatchtower, 230, 800, 0, kBlue, 0, kLayerBlue);
    b.place(kFuelDepot, 130, 800, 0, kBlue, 0, kLayerBlue);
    b.place(kHeliBlue, 250, 900, 45, kBlue, 0, kLayerBlue);
    b.place(kJeepBlue, 215, 845, 0, kBlue, kGroupBlue, kLayerBlue);
    b.place(kTruckBlue, 225, 860, 0, kBlue, 0, kLayerBlue);
    for (int i = 0; i < 6; ++i)
        b.place(kSandbags, 150 + i * 3.2, 775, 90, kNeutral, 0, kLayerBlue);
    b.place(kAmmoCrate, 200, 830, 30, kNeutral, 0, kLayerBlue);
    b.place(kMedKit, 202, 832, 0, kNeutral, 0, kLayerBlue);
    b.place(kInsertionPoint, 210, 820, 45);
    b.place(kExtractionPoint, 60, 980, 0);
    b.person(kBlueOfficer, 205, 815, 45, kBlue, kGroupBlue);
    b.person(kBlueRifleman, 208, 812, 45, kBlue, kGroupBlue, kListAssault);
    b.person(kBlueRifleman, 212, 818, 45, kBlue, kGroupBlue, kListAssault);
    b.person(kBlueGunner, 202, 822, 45, kBlue, kGroupBlue, kListAssault);
    b.person(kBlueSniper, 232, 798, 30, kBlue, kGroupBlue);
}

void placeFarm(MissionBuilder& b) {
    b.place(kFarmhouse, 480, 600, 15, kNeutral, 0, kLayerScenery);
    for (int i = 0; i < 8; ++i)
        b.place(kWoodenFence, 455 + i * 4.0, 628, 90, kNeutral, 0, kLayerScenery);
    for (int i = 0; i < 6; ++i)
        b.place(kWoodenFence, 452, 604 + i * 4.0, 0, kNeutral, 0, kLayerScenery);
    b.place(kOak, 505, 585, 0, kNeutral, 0, kLayerScenery);
    b.place(kOak, 460, 580, 120, kNeutral, 0, kLayerScenery);
    b.place(kTruckRed, 500, 620, 200, kRed, kGroupGuards, kLayerRed);
    b.place(kCrate, 470, 612, 10, kNeutral, 0, kLayerRed);
    b.place(kBriefcase, 482, 603, 0, kNeutral, 0, kLayerRed);
    b.place(kObjective, 478, 598, 0);
    b.person(kHostage, 477, 601, 180, kNeutral, kGroupCivilians);
    b.person(kHostage, 479, 602, 170, kNeutral, kGroupCivilians);
    b.person(kCivilian, 520, 640, 300, kNeutral, kGroupCivilians);
    b.person(kRedRifleman, 470, 590, 220, kRed, kGroupGuards);
    b.person(kRedRifleman, 495, 612, 160, kRed, kGroupGuards);
    b.person(kRedGunner, 488, 575, 200, kRed, kGroupGuards);
    for (const auto& [c, r] :
         {std::pair{430.0, 550.0}, std::pair{530.0, 550.0}, std::pair{530.0, 650.0}, std::pair{430.0, 650.0}})
        b.areaCorner(kAreaFarm, c, r);
}

void placeOutpost(MissionBuilder& b) {
    b.place(kBunker, 850, 200, 200, kRed, 0, kLayerRed);
    b.place(kRadarStation, 890, 170, 0, kRed, 0, kLayerRed);
    b.place(kWatchtower, 815, 235, 0, kRed, 0, kLayerRed);
    b.place(kSearchlight, 818, 232, 225, kRed, 0, kLayerRed);
    b.place(kSecurityCamera, 845, 190, 200, kRed, 0, kLayerRed);
    b.place(kTankRed, 870, 240, 225, kRed, kGroupArmour, kLayerRed);
    b.place(kApcRed, 880, 215, 250, kRed, kGroupArmour, kLayerRed);
    b.place(kOilBarrel, 860, 178, 0, kNeutral, 0, kLayerRed);
    b.place(kExplosiveBarrel, 862, 178, 0, kNeutral, 0, kLayerRed);
    for (int i = 0; i < 5; ++i)
        b.place(kTankTrap, 790 + i * 6.0, 270, 45, kNeutral, 0, kLayerRed);
    for (int i = 0; i < 5; ++i)
        b.place(kWireFence, 800 + i * 5.0, 140, 90, kNeutral, 0, kLayerRed);
    for (int i = 0; i < 4; ++i)
        b.place(kLandMine, 780 + i * 7.0, 282, 0, kNeutral, 0, kLayerRed);
    b.place(kAtMine, 760, 300, 0, kNeutral, 0, kLayerRed);
    b.person(kRedOfficer, 852, 210, 225, kRed, kGroupRed);
    b.person(kRedSniper, 815, 236, 225, kRed, kGroupRed);
    b.person(kRedRocket, 840, 215, 240, kRed, kGroupRed);
    for (int i = 0; i < 4; ++i)
        b.person(kRedRifleman, 790 + i * 3.0, 250, 180, kRed, kGroupPatrol, kListPatrol);
    for (const auto& [c, r] :
         {std::pair{800.0, 150.0}, std::pair{920.0, 150.0}, std::pair{920.0, 260.0}, std::pair{800.0, 260.0}})
        b.areaCorner(kAreaOutpost, c, r);
}

void placeLakeAndScenery(MissionBuilder& b) {
    b.place(kPier, 528, 360, 90, kNeutral, 0, kLayerScenery);
    b.place(kPatrolBoat, 610, 335, 90, kRed, kGroupPatrol, kLayerRed);
    b.place(kDinghy, 545, 372, 80, kNeutral, 0, kLayerScenery);
    b.place(kJeepWreck, 330, 660, 135, kNeutral, 0, kLayerScenery);
    b.place(kFallenRed, 334, 664, 60, kNeutral, 0, kLayerScenery);
    b.place(kFire, 331, 661, 0, kNeutral, 0, kLayerScenery);
    b.place(kSmoke, 332, 659, 0, kNeutral, 0, kLayerScenery);
    b.place(kSoundSource, 850, 205, 0);

    // Trees, bushes and boulders strewn over the land, off the lake and the bases.
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    };
    const int32_t kinds[] = {kPine, kPine, kOak, kBush, kBush, kBoulder};
    for (int placed = 0; placed < 120;) {
        const double c = next() * 1024.0, r = next() * 1024.0;
        const int32_t type = kinds[static_cast<int>(next() * std::size(kinds)) % std::size(kinds)];
        const int32_t heading = static_cast<int32_t>(next() * 360.0);
        if (std::hypot(c - kLakeColumn, r - kLakeRow) < kLakeKeepOut) continue;
        if (std::hypot(c - 190, r - 850) < 110 || std::hypot(c - 480, r - 600) < 90 ||
            std::hypot(c - 850, r - 210) < 110)
            continue;
        b.place(type, c, r, heading, kNeutral, 0, kLayerScenery);
        ++placed;
    }
}

void placeRoutes(MissionBuilder& b) {
    const double patrol[][2] = {{780, 250}, {800, 330}, {900, 330}, {950, 240}, {900, 140}};
    for (int i = 0; i < static_cast<int>(std::size(patrol)); ++i)
        b.waypoint(kListPatrol, i, patrol[i][0], patrol[i][1]);
    const double assault[][2] = {{230, 760}, {300, 700}, {380, 640}, {450, 610}};
    for (int i = 0; i < static_cast<int>(std::size(assault)); ++i)
        b.waypoint(kListAssault, i, assault[i][0], assault[i][1]);
    const double boat[][2] = {{600, 330}, {680, 300}, {700, 390}, {620, 420}};
    for (int i = 0; i < static_cast<int>(std::size(boat)); ++i)
        b.waypoint(kListBoat, i, boat[i][0], boat[i][1]);
}

// Values of a group trigger: type 1, condition, then its variables.
EventTrigger groupTrigger(int32_t condition, int32_t first, int32_t second = 0, int32_t logic = 0) {
    return EventTrigger{{logic, 1, condition, first, second, 0, 0, 0}};
}

EventAction action(int32_t type, int32_t first = 0, int32_t second = 0, int32_t aiChange = 0) {
    return EventAction{{0, type, aiChange, first, second, 0, 0, 0}};
}

void addEvent(MissionPage& page, const char* name, int32_t delay,
              std::initializer_list<EventTrigger> triggers, std::initializer_list<EventAction> actions) {
    if (page.num_events >= kMaxEvents) return;
    MissionEvent& event = page.events[page.num_events++];
    copyText(event.name, sizeof event.name, name);
    event.delay_value = delay;
    for (const EventTrigger& t : triggers)
        if (event.trigger_count < kMaxTriggers) event.triggers[event.trigger_count++] = t;
    for (const EventAction& a : actions)
        if (event.action_count < kMaxActions) event.actions[event.action_count++] = a;
}

void addEvents(MissionPage& page) {
    constexpr int32_t kSeenEnemy = 1, kAllDestroyed = 4, kAreaTrigger = 10, kLostUnits = 6;
    constexpr int32_t kRedirect = 1, kChangeAi = 3, kOutputText = 6, kPlayWavList = 7, kBlueWin = 8,
                      kRedWin = 9, kSubGoalWon = 14, kSubGoalLost = 15, kAiRedAlert = 5;
    addEvent(page, "Hostages rescued", 0,
             {groupTrigger(kAreaTrigger, kGroupBlue, kAreaFarm), groupTrigger(kAllDestroyed, kGroupGuards)},
             {action(kSubGoalWon, 1), action(kOutputText, 12)});
    addEvent(
        page, "Patrol alerted", 2,
        {groupTrigger(kSeenEnemy, kGroupPatrol, kGroupBlue, 0x2), groupTrigger(kLostUnits, kGroupRed, 1)},
        {action(kChangeAi, kGroupPatrol, 0, kAiRedAlert), action(kRedirect, kGroupArmour, kListPatrol),
         action(kPlayWavList, 1)});
    addEvent(page, "Outpost taken", 5,
             {groupTrigger(kAreaTrigger, kGroupBlue, kAreaOutpost), groupTrigger(kAllDestroyed, kGroupRed)},
             {action(kSubGoalWon, 2), action(kBlueWin)});
    addEvent(page, "Blue squad lost", 0, {groupTrigger(kAllDestroyed, kGroupBlue)},
             {action(kSubGoalLost, 1), action(kRedWin)});
}
} // namespace

void demo_BuildMission(MissionPage& page) {
    describe(page);
    MissionBuilder builder(page);
    placeBlueBase(builder);
    placeFarm(builder);
    placeOutpost(builder);
    placeLakeAndScenery(builder);
    placeRoutes(builder);
    addEvents(page);
    page_RebuildWaypointLists(page);
    page_CountGroupMembers(page);
    page_RebuildAreaTriggers(page);
}

bool demo_WriteMission(const char* path) {
    auto page = std::make_unique<MissionPage>();
    demo_BuildMission(*page);
    return metafile_Write(*page, path);
}
