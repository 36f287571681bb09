#pragma once
// The mission page: one record that holds a whole mission in memory.
//
// Every array has a fixed capacity and an explicit count; nothing grows. All plain data lives in
// MissionPageData, which is trivially copyable and all-zero for an empty mission. A MissionPage
// adds the two things it owns on the heap: the terrain imagery (allocated by the terrain image
// load, absent until then) and the chain of wind zones read from older metafiles.
//
// A page is about 2 MB: never put one on the stack; allocate it (std::make_unique<MissionPage>()).
// The editor's pages belong to its document (editor/editor_document.h). Pages cannot be copied;
// items move between pages only through page_AddItemCopy and sel_CopyInto (page_ops.h).

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

// ---- Capacities -------------------------------------------------------------------------------

constexpr int kMaxItems = 5000;           // item slots 0 to 4,999
constexpr int kMaxSelection = 5000;       // selected item indices
constexpr int kMaxWaypointLists = 128;    // records; numbers 1 to 127 are used
constexpr int kMaxWaypointMembers = 64;   // derived members of one waypoint list
constexpr int kMaxWaypointPositions = 32; // wpnumber 0 to 31 can be entered and exported
constexpr int kMaxGroups = 64;            // records; numbers 1 to 63 are used
constexpr int kMaxEvents = 256;           // events 0 to 255
constexpr int kMaxTriggers = 10;          // triggers per event
constexpr int kMaxActions = 10;           // actions per event
constexpr int kEventValueCount = 8;       // values of one trigger or action
constexpr int kMaxWavLists = 32;          // records; numbers 1 to 31 are used
constexpr int kMaxLayers = 16;            // layers 0 to 15
constexpr int kMaxAreaTriggers = 100;     // records; numbers 1 to 99 are used
constexpr int kPlayerWaypointNames = 8;   // wp_names_blue / wp_names_red entries
constexpr int kDefaultEquipmentSlots = 4; // E0 sidearm, E1 primary, E2 secondary, E3 auxiliary
constexpr int kSubgoalCount = 4;          // subgoals_win / subgoals_lose entries
constexpr int kPageLegacyLoadout = 6;     // page-level legacy loadout values
constexpr int kItemLegacyLoadout = 5;     // item-level legacy loadout values

// ---- Text field widths (bytes, including the terminating NUL) ---------------------------------

constexpr int kMissionNameSize = 80;
constexpr int kDesignerSize = 80;
constexpr int kMissionFileSize = 80;
constexpr int kPageTerrainNameSize = 16;
constexpr int kCnvFileSize = 16;
constexpr int kTtFileSize = 16;
constexpr int kWaypointDescSize = 1280;
constexpr int kGroupDescSize = 256;
constexpr int kEventNameSize = 64;
constexpr int kWavDescSize = 256;
constexpr int kWavFileNameSize = 40;
constexpr int kLayerDescSize = 296;
constexpr int kLayerDialogMaxChars = 79; // what the layer dialog lets the user enter
constexpr int kAreaTriggerDescSize = 256;
constexpr int kWindZoneNameSize = 24;
constexpr int kBriefingSize = 256;     // at most 255 characters
constexpr int kItemLegacyTextSize = 4; // bumper, name_override: not NUL-terminated when full

// ---- Fixed item types and codes ---------------------------------------------------------------

constexpr int32_t kWaypointMarkerType = 6005;
constexpr int32_t kAreaTriggerMarkerType = 6013;

// item_class values (copied from the item definition's type)
enum ItemClass : int32_t {
    kClassVehicle = 1,
    kClassDecoration = 2,
    kClassPerson = 3,
    kClassMarker = 4,
    kClassBuilding = 5,
    kClassObject = 6,
    kClassEffect = 8,
};

// display_flags bit that changes the drawing colour; cleared by sel_Clear.
constexpr int32_t kDisplayFlagHighlight = 0x2;

// Trigger type code of an event trigger (value 1) whose value 3 names another event.
constexpr int32_t kTriggerTypeEvent = 2;
constexpr int kTriggerTypeValue = 1;
constexpr int kTriggerEventRefValue = 3;

// ---- Records ----------------------------------------------------------------------------------

struct GeneralInfo {
    char name[kMissionNameSize];
    char designer[kDesignerSize];
    char mission_file[kMissionFileSize]; // last opened/saved path; not part of the metafile
    char terrain[kPageTerrainNameSize];  // terrain definition name; empty: no terrain
    char cnv_file[kCnvFileSize];
    char tt_file[kTtFileSize];
    int32_t terrain_color; // 0 green, 1 brown, 2 white, 3 alpha
    int32_t attrib;        // option bits (overrides, night, map types)
    int32_t visible_if;
    int32_t notvisible_if;
    int32_t arty;
    int32_t water_level;
    int32_t fog_level;
    int32_t fog_color;                                 // 0x00RRGGBB
    int32_t weather_type;                              // 0 nice day, 1 rain, 2 snow
    int32_t sunset;                                    // sky setting id
    int32_t default_equipment[kDefaultEquipmentSlots]; // E0, E1, E2, E3
    int32_t wind[2];                                   // speed km/h, direction
    uint32_t hidden_layers;                            // bit n: layer n is not drawn
    int32_t current_layer;                             // 0 to 15
    int32_t lowest_elev;
    int32_t terrain_water_height; // set by the terrain load; not saved
    int32_t wp_names_blue[kPlayerWaypointNames];
    int32_t wp_names_red[kPlayerWaypointNames];
};

struct MissionItem {
    int32_t type_id;     // item definition id
    int32_t id;          // serial number, unique in the page
    int32_t item_class;  // ItemClass, copied from the definition
    int32_t position[3]; // x, y, z in world units (1/256 m)
    int32_t facing[2];   // heading (degrees, 0 north), pitch (degrees)
    int32_t reserved0;
    int32_t team;       // 0 neutral, 1 good, 2 evil, 3 yellow, 4 violet
    int32_t map_symbol; // 0 none ... 8 triangle
    int32_t bmsi_attributes;
    int32_t nolessthan;
    int32_t nomorethan;
    int32_t name_index;
    int32_t weapon_type;
    int32_t sweapon_type;
    int32_t group_id;    // 0 none, else group 1 to 63
    int32_t waypoint_id; // 0 none, else waypoint list 1 to 127
    int32_t wpnumber;    // waypoint marker: position 0..31; area marker: trigger 1..99
    int32_t wpdistance;
    int32_t fov;
    int32_t alert_state; // 0 green, 1 yellow, 2 red
    int32_t obliqueness;
    int32_t movetimer;
    int32_t crouchtimer;
    int32_t shoottimer;
    int32_t attention;
    int32_t advancetimer;
    int32_t waccuracy2;               // percent
    int32_t perception2;              // percent
    int32_t perfectionist2;           // percent
    int32_t edistances[2];            // engagement distances min, max
    char bumper[kItemLegacyTextSize]; // legacy, read only
    int32_t camo_type;                // legacy fields below, read from older files, never written
    int32_t speed;
    int32_t ai;
    int32_t advance;
    int32_t formation;
    int32_t icon_value;
    int32_t ammo_50_cal;
    int32_t ammo_tow;
    int32_t ammo_stinger;
    int32_t ammo_grenade;
    int32_t delay;
    int32_t smoke_time;
    char name_override[kItemLegacyTextSize]; // legacy, read only
    int32_t reserved1;
    int32_t attributes;    // further attribute bits, kept as is
    int32_t def_index;     // index into the item definitions; 0 when none matches
    int32_t hidden;        // 1: hidden by Hide Selected / Hide Unselected
    int32_t layer;         // 0 to 15
    int32_t display_flags; // kDisplayFlagHighlight
    int32_t reserved2;
    int32_t loadout[kItemLegacyLoadout]; // legacy, read only
    int32_t group_rel;                   // second group reference, saved as is
    int32_t ttoolindex;                  // waypoint name index
};

// Selected item slots in the order they were selected; each slot occurs at most once.
struct ItemSelection {
    int32_t count;
    int32_t slots[kMaxSelection];
};

struct WaypointList {
    char description[kWaypointDescSize];
    int32_t attrib;                       // bit 0 no loop, bit 1 blue team, bit 2 red team
    int32_t color;                        // palette index
    int32_t member_count;                 // derived
    int32_t members[kMaxWaypointMembers]; // derived: item slots ordered by wpnumber
};

struct ItemGroup {
    char description[kGroupDescSize];
    int32_t attrib; // bits 0 and 1 are exported
    int32_t color;
    int32_t commander;
    int32_t member_count; // derived
};

// Eight values whose meaning follows from the type codes (event_catalogue.h).
// Trigger: value 1 is the trigger type. Action: value 1 is the action type.
struct EventTrigger {
    int32_t value[kEventValueCount];
};

struct EventAction {
    int32_t value[kEventValueCount];
};

struct MissionEvent {
    char name[kEventNameSize];
    int32_t attrib;
    int32_t reset_value;   // seconds, 0 never
    int32_t delay_value;   // seconds before the actions run
    int32_t trigger_count; // 0 to 10
    int32_t action_count;  // 0 to 10
    EventTrigger triggers[kMaxTriggers];
    EventAction actions[kMaxActions];
    int32_t first_trigger; // derived by the binary export
    int32_t first_action;  // derived by the binary export
};

struct WavList {
    char description[kWavDescSize];
    char file_name[kWavFileNameSize];
};

struct LayerName {
    char description[kLayerDescSize];
};

struct AreaTrigger {
    char description[kAreaTriggerDescSize];
    int32_t attrib;
    int32_t color;
    int32_t area_number;  // derived: own number when a marker refers to it, else 0
    int32_t first_marker; // derived: slot of the marker with the smallest x (first on a tie)
    int32_t min_x;        // derived extents
    int32_t max_y;
    int32_t max_x;
    int32_t min_y;
    uint8_t reserved[16];
};

// One wind zone of an older metafile. Nodes are owned by the page's WindZoneChain.
struct WindZone {
    char name[kWindZoneNameSize];
    int32_t start;
    int32_t stop;
    int16_t heading;
    int16_t speed;
    int32_t reserved;
    WindZone* next;
};

// The owning head of a page's wind-zone chain. Frees its nodes iteratively (no recursion, so a
// long chain cannot exhaust the stack).
class WindZoneChain {
  public:
    WindZoneChain() = default;
    ~WindZoneChain() { clear(); }
    WindZoneChain(const WindZoneChain&) = delete;
    WindZoneChain& operator=(const WindZoneChain&) = delete;

    WindZone* head() const { return head_; }
    // A new zeroed node that becomes the whole chain: the previous nodes are released (a chain
    // is only reachable from its head). Null when out of memory (the chain is then empty).
    WindZone* startNew();
    // A new zeroed node linked behind `after` (which must be a node of this chain, or null to
    // append at the end). Null when out of memory.
    WindZone* appendAfter(WindZone* after);
    void clear();
    int count() const;
    // Exchanges the nodes of two chains (each keeps owning what it holds afterwards).
    void swap(WindZoneChain& other) noexcept { std::swap(head_, other.head_); }

  private:
    WindZone* head_ = nullptr;
};

// ---- Terrain imagery --------------------------------------------------------------------------

constexpr int kTerrainMapSize = 1024; // width and height of every map
constexpr int kTerrainMapPixels = kTerrainMapSize * kTerrainMapSize;
constexpr uint32_t kOutlinePixel = 0x404040;

// Filled by the terrain image load and drawn by the map view; none of it is saved.
struct TerrainImagery {
    uint32_t color_map[kTerrainMapPixels]; // 0x00RRGGBB
    uint32_t elevation_map[kTerrainMapPixels];
    uint32_t outline_map[kTerrainMapPixels];  // kOutlinePixel or 0
    uint8_t character_map[kTerrainMapPixels]; // CharacterMap: detail tile index per pixel
    uint8_t character_palette[256 * 3];
    uint32_t detail_texture[kTerrainMapPixels];
    uint32_t detail_premultiplied[kTerrainMapPixels];
};

struct TerrainImageryDeleter {
    void operator()(TerrainImagery* imagery) const;
};
using TerrainImageryPtr = std::unique_ptr<TerrainImagery, TerrainImageryDeleter>;

// ---- The page ---------------------------------------------------------------------------------

// Everything of a page that is plain data, in record order. All-zero is an empty mission.
struct MissionPageData {
    GeneralInfo general;
    int32_t detail_images_present; // 1 when detail texture and detail map loaded as expected
    int32_t num_items;             // 0 to 5,000; items live densely in slots 0..num_items-1
    MissionItem items[kMaxItems];
    ItemSelection selection;
    WaypointList waypoints[kMaxWaypointLists];
    ItemGroup groups[kMaxGroups];
    int32_t num_events; // 0 to 256
    MissionEvent events[kMaxEvents];
    WavList wav_lists[kMaxWavLists];
    LayerName layers[kMaxLayers];
    AreaTrigger area_triggers[kMaxAreaTriggers];
    int32_t wind_zone_count;             // count field of the wind chain; reading leaves it 0
    int32_t loadout[kPageLegacyLoadout]; // legacy, read only
    int32_t time_limit;                  // legacy, read only
    int32_t tank_loadout;                // legacy, read only
    char briefing[kBriefingSize];        // lines separated by line feeds
    int8_t subgoals_win[kSubgoalCount];
    int8_t subgoals_lose[kSubgoalCount];
};
static_assert(std::is_trivially_copyable_v<MissionPageData>);

struct MissionPage : MissionPageData {
    MissionPage(); // all-zero, no imagery, no wind zones
    ~MissionPage() = default;
    MissionPage(const MissionPage&) = delete;
    MissionPage& operator=(const MissionPage&) = delete;

    TerrainImageryPtr imagery; // null until the terrain image load allocates it
    WindZoneChain wind_zones;
};

// The terrain imagery of a page, allocated zeroed on first use. Null only when out of memory.
TerrainImagery* page_EnsureImagery(MissionPage& page);

// A page holds a mission when it has items or a terrain name.
bool page_HoldsMission(const MissionPage& page);
