#include "support/random_page.h"

#include "support/test_item_defs.h"

#include "gamedata/item_defs.h"
#include "mission/item_lookup.h"

#include <cstring>
#include <memory>
#include <random>
#include <sstream>

namespace {

class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int32_t range(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(engine_);
    }
    int32_t any() { return static_cast<int32_t>(engine_()); }
    bool chance(int percent) { return range(0, 99) < percent; }
    // Mostly 0, otherwise a small or a full-range value.
    int32_t attribute() {
        if (chance(50)) return 0;
        return chance(70) ? range(-1000, 100000) : any();
    }

    // Random text of up to `max_length` characters: printable ASCII without the double quote,
    // some 8-bit characters, and `extra` characters now and then.
    void text(char* field, size_t size, size_t max_length, bool high_bytes, const char* extra = "") {
        std::memset(field, 0, size);
        if (max_length > size - 1) max_length = size - 1;
        const size_t length =
            chance(15) ? 0 : static_cast<size_t>(range(0, static_cast<int32_t>(max_length)));
        const size_t extras = std::strlen(extra);
        for (size_t i = 0; i < length; ++i) {
            char c;
            if (extras > 0 && chance(5)) {
                c = extra[range(0, static_cast<int32_t>(extras) - 1)];
            } else if (high_bytes && chance(3)) {
                c = static_cast<char>(range(0x80, 0xFF));
            } else {
                do
                    c = static_cast<char>(range(0x20, 0x7E));
                while (c == '"');
            }
            field[i] = c;
        }
    }
    void nonEmptyText(char* field, size_t size, size_t max_length, bool high_bytes) {
        do
            text(field, size, max_length, high_bytes, ",\t");
        while (field[0] == '\0');
    }
    void fileName(char* field, size_t size) {
        static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.-";
        std::memset(field, 0, size);
        if (chance(20)) return;
        const int length = range(1, static_cast<int32_t>(size) - 1);
        for (int i = 0; i < length; ++i)
            field[i] = kChars[range(0, sizeof kChars - 2)];
    }

  private:
    std::mt19937 engine_;
};

const std::vector<int32_t>& defaultTypes() {
    static const std::vector<int32_t> types = {
        kTestSoldierType,    kTestEnemyType,      kTestJeepType,          kTestTreeType,
        kTestHouseType,      kTestCrateType,      kTestSmokeType,         kTestDoubleAgentType,
        kWaypointMarkerType, kWaypointMarkerType, kAreaTriggerMarkerType, kAreaTriggerMarkerType,
        kTestUnknownType};
    return types;
}

// Longest description of a waypoint list whose line the reader still takes in one piece.
constexpr size_t kWaypointDescriptionMax = 682;

void fillItems(MissionPage& page, Random& random, const RandomPageOptions& options) {
    const std::vector<int32_t>& types = options.types.empty() ? defaultTypes() : options.types;
    page.num_items = options.items;
    for (int i = 0; i < options.items; ++i) {
        MissionItem& item = page.items[i];
        item.type_id = types[random.range(0, static_cast<int32_t>(types.size()) - 1)];
        item.id = random.chance(3) ? 0 : i * 3 + random.range(1, 3);
        for (int k = 0; k < 3; ++k)
            item.position[k] = random.chance(90) ? random.range(-(1 << 24), 1 << 24) : random.any();
        if (random.chance(60)) {
            item.facing[0] = random.range(0, 359);
            item.facing[1] = random.chance(30) ? random.range(-90, 90) : 0;
        }
        item.team = random.chance(50) ? 0 : random.range(0, 4);
        item.map_symbol = random.chance(50) ? 0 : random.range(0, 8);
        item.name_index = random.attribute();
        item.bmsi_attributes = random.attribute();
        item.nolessthan = random.attribute();
        item.nomorethan = random.attribute();
        item.weapon_type = random.attribute();
        item.sweapon_type = random.attribute();
        item.group_id =
            random.chance(40) ? 0 : (random.chance(90) ? random.range(1, 63) : random.attribute());
        item.group_rel = random.attribute();
        item.waypoint_id = random.chance(40) ? 0 : random.range(0, 130);
        item.wpnumber = random.chance(20) ? 0 : (random.chance(90) ? random.range(0, 101) : random.any());
        item.wpdistance = random.attribute();
        item.ttoolindex = random.attribute();
        item.fov = random.attribute();
        item.alert_state = random.attribute();
        item.obliqueness = random.attribute();
        item.waccuracy2 = random.attribute();
        item.perception2 = random.attribute();
        item.perfectionist2 = random.attribute();
        item.movetimer = random.attribute();
        item.crouchtimer = random.attribute();
        item.shoottimer = random.attribute();
        item.attention = random.attribute();
        item.advancetimer = random.attribute();
        if (random.chance(70)) {
            item.edistances[0] = random.chance(50) ? 0 : random.attribute();
            item.edistances[1] = random.attribute();
        }
        item.attributes = random.attribute();
        item.layer = random.chance(60) ? 0 : random.range(0, 15);
        // What the editor keeps for a placed item: its definition's index and class.
        const int def = item_FindDefIndex(item.type_id);
        item.def_index = def >= 0 ? def : 0;
        item.item_class = def >= 0 ? itemdef_Get(def)->type : 0;
    }
}

void fillEvents(MissionPage& page, Random& random, const RandomPageOptions& options) {
    page.num_events = options.events;
    for (int e = 0; e < options.events; ++e) {
        MissionEvent& event = page.events[e];
        if (options.texts)
            random.text(event.name, sizeof event.name, sizeof event.name - 1, options.high_bytes, ",\t");
        event.attrib = random.attribute();
        event.reset_value = random.attribute();
        event.delay_value = random.attribute();
        event.trigger_count =
            options.full_events ? options.max_triggers : random.range(0, options.max_triggers);
        event.action_count = options.full_events ? options.max_actions : random.range(0, options.max_actions);
        for (int t = 0; t < event.trigger_count; ++t)
            for (int32_t& v : event.triggers[t].value)
                v = random.chance(50) ? random.range(-5, 300) : random.any();
        for (int a = 0; a < event.action_count; ++a)
            for (int32_t& v : event.actions[a].value)
                v = random.chance(50) ? random.range(-5, 300) : random.any();
    }
}

void fillRecords(MissionPage& page, Random& random, const RandomPageOptions& options) {
    const bool texts = options.texts;
    for (int n = 1; n < kMaxWaypointLists; ++n) {
        if (!texts || !random.chance(30)) continue;
        WaypointList& list = page.waypoints[n];
        random.nonEmptyText(list.description, sizeof list.description,
                            random.chance(10) ? kWaypointDescriptionMax : 60, options.high_bytes);
        list.color = random.attribute();
        list.attrib = random.attribute();
    }
    for (int n = 1; n < kMaxGroups; ++n) {
        if (!texts || !random.chance(30)) continue;
        ItemGroup& group = page.groups[n];
        random.nonEmptyText(group.description, sizeof group.description, sizeof group.description - 1,
                            options.high_bytes);
        group.attrib = random.attribute();
        group.color = random.attribute();
        group.commander = random.attribute();
    }
    for (int n = 1; n < kMaxWavLists; ++n) {
        if (!texts || !random.chance(30)) continue;
        WavList& wav = page.wav_lists[n];
        random.text(wav.description, sizeof wav.description, sizeof wav.description - 1, options.high_bytes,
                    ",\t");
        random.fileName(wav.file_name, sizeof wav.file_name);
        if (wav.description[0] == '\0' && wav.file_name[0] == '\0') wav.file_name[0] = 'w';
    }
    for (int n = 0; n < kMaxLayers; ++n) {
        if (!texts || !random.chance(40)) continue;
        random.nonEmptyText(page.layers[n].description, sizeof page.layers[n].description,
                            sizeof page.layers[n].description - 1, options.high_bytes);
    }
    for (int n = 1; n < kMaxAreaTriggers; ++n) {
        if (!texts || !random.chance(30)) continue;
        AreaTrigger& trigger = page.area_triggers[n];
        random.nonEmptyText(trigger.description, sizeof trigger.description, sizeof trigger.description - 1,
                            options.high_bytes);
        trigger.color = random.attribute();
        trigger.attrib = random.attribute();
    }
}

void fillGeneral(MissionPage& page, Random& random, const RandomPageOptions& options) {
    GeneralInfo& g = page.general;
    if (options.texts) {
        random.text(g.name, sizeof g.name, sizeof g.name - 1, options.high_bytes, ",\t/");
        random.text(g.designer, sizeof g.designer, sizeof g.designer - 1, options.high_bytes, ",\t");
        random.fileName(g.cnv_file, sizeof g.cnv_file);
        random.fileName(g.tt_file, sizeof g.tt_file);
        // A terrain name would make the load look for the terrain; tests that want one set it.
    }
    int32_t* ints[] = {&g.terrain_color, &g.attrib,      &g.visible_if, &g.notvisible_if,
                       &g.arty,          &g.water_level, &g.fog_level,  &g.fog_color,
                       &g.weather_type,  &g.sunset,      &g.lowest_elev};
    for (int32_t* value : ints)
        *value = random.attribute();
    for (int32_t& value : g.default_equipment)
        value = random.attribute();
    for (int32_t& value : g.wind)
        value = random.attribute();
    for (int32_t& value : g.wp_names_blue)
        value = random.attribute();
    for (int32_t& value : g.wp_names_red)
        value = random.attribute();
    for (int8_t& value : page.subgoals_win)
        value = static_cast<int8_t>(random.range(-128, 127));
    for (int8_t& value : page.subgoals_lose)
        value = static_cast<int8_t>(random.range(-128, 127));
    if (options.texts) {
        random.text(page.briefing, sizeof page.briefing, sizeof page.briefing - 1, options.high_bytes,
                    "\n\r\n,");
        for (char* c = page.briefing; *c != '\0'; ++c)
            if (*c == '|') *c = '!';
    }
}

// The saved fields of a page, everything else zeroed, so that two pages compare with memcmp.
std::unique_ptr<MissionPageData> savedFields(const MissionPage& page) {
    auto data = std::make_unique<MissionPageData>();
    std::memcpy(data.get(), static_cast<const MissionPageData*>(&page), sizeof(MissionPageData));
    auto clearAfterText = [](char* field, size_t size) {
        const size_t length = strnlen(field, size);
        if (length < size) std::memset(field + length, 0, size - length);
    };
    GeneralInfo& g = data->general;
    std::memset(g.mission_file, 0, sizeof g.mission_file);
    g.hidden_layers = 0;
    g.current_layer = 0;
    g.terrain_water_height = 0;
    clearAfterText(g.name, sizeof g.name);
    clearAfterText(g.designer, sizeof g.designer);
    clearAfterText(g.terrain, sizeof g.terrain);
    clearAfterText(g.cnv_file, sizeof g.cnv_file);
    clearAfterText(g.tt_file, sizeof g.tt_file);
    data->detail_images_present = 0;
    std::memset(&data->selection, 0, sizeof data->selection);
    for (int i = 0; i < kMaxItems; ++i) {
        MissionItem& item = data->items[i];
        if (i >= data->num_items) {
            std::memset(&item, 0, sizeof item);
            continue;
        }
        item.item_class = item.def_index = item.hidden = item.display_flags = 0;
        item.reserved0 = item.reserved1 = item.reserved2 = 0;
        std::memset(item.bumper, 0, sizeof item.bumper);
        std::memset(item.name_override, 0, sizeof item.name_override);
        item.camo_type = item.speed = item.ai = item.advance = item.formation = item.icon_value = 0;
        item.ammo_50_cal = item.ammo_tow = item.ammo_stinger = item.ammo_grenade = item.delay =
            item.smoke_time = 0;
        std::memset(item.loadout, 0, sizeof item.loadout);
    }
    for (WaypointList& list : data->waypoints) {
        clearAfterText(list.description, sizeof list.description);
        list.member_count = 0;
        std::memset(list.members, 0, sizeof list.members);
    }
    for (ItemGroup& group : data->groups) {
        clearAfterText(group.description, sizeof group.description);
        group.member_count = 0;
    }
    for (int e = 0; e < kMaxEvents; ++e) {
        MissionEvent& event = data->events[e];
        if (e >= data->num_events) {
            std::memset(&event, 0, sizeof event);
            continue;
        }
        clearAfterText(event.name, sizeof event.name);
        event.first_trigger = event.first_action = 0;
        for (int t = event.trigger_count; t < kMaxTriggers; ++t)
            event.triggers[t] = EventTrigger{};
        for (int a = event.action_count; a < kMaxActions; ++a)
            event.actions[a] = EventAction{};
    }
    for (WavList& wav : data->wav_lists) {
        clearAfterText(wav.description, sizeof wav.description);
        clearAfterText(wav.file_name, sizeof wav.file_name);
    }
    for (LayerName& layer : data->layers)
        clearAfterText(layer.description, sizeof layer.description);
    for (AreaTrigger& trigger : data->area_triggers) {
        clearAfterText(trigger.description, sizeof trigger.description);
        trigger.area_number = trigger.first_marker = 0;
        trigger.min_x = trigger.max_x = trigger.min_y = trigger.max_y = 0;
        std::memset(trigger.reserved, 0, sizeof trigger.reserved);
    }
    data->wind_zone_count = 0;
    std::memset(data->loadout, 0, sizeof data->loadout);
    data->time_limit = data->tank_loadout = 0;
    clearAfterText(data->briefing, sizeof data->briefing);
    return data;
}

template <typename T> bool differs(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) != 0;
}

} // namespace

void test_FillRandomPage(MissionPage& page, uint32_t seed, const RandomPageOptions& options) {
    Random random(seed);
    fillGeneral(page, random, options);
    fillRecords(page, random, options);
    fillEvents(page, random, options);
    fillItems(page, random, options);
}

std::string test_SavedFieldsDiff(const MissionPage& written, const MissionPage& read) {
    auto a = savedFields(written);
    auto b = savedFields(read);
    for (int i = 0; i < a->num_items && i < kMaxItems; ++i)
        if (a->items[i].id == 0) b->items[i].id = 0;
    std::ostringstream out;
    int reported = 0;
    auto report = [&](const std::string& what) {
        if (reported++ < 10) out << what << "\n";
    };
    if (differs(a->general, b->general)) report("general information");
    if (a->num_items != b->num_items)
        report("num_items " + std::to_string(a->num_items) + " != " + std::to_string(b->num_items));
    if (a->num_events != b->num_events)
        report("num_events " + std::to_string(a->num_events) + " != " + std::to_string(b->num_events));
    for (int i = 0; i < kMaxItems; ++i)
        if (differs(a->items[i], b->items[i])) report("item " + std::to_string(i));
    for (int n = 0; n < kMaxWaypointLists; ++n)
        if (differs(a->waypoints[n], b->waypoints[n])) report("waypoint list " + std::to_string(n));
    for (int n = 0; n < kMaxGroups; ++n)
        if (differs(a->groups[n], b->groups[n])) report("group " + std::to_string(n));
    for (int n = 0; n < kMaxEvents; ++n)
        if (differs(a->events[n], b->events[n])) report("event " + std::to_string(n));
    for (int n = 0; n < kMaxWavLists; ++n)
        if (differs(a->wav_lists[n], b->wav_lists[n])) report("wav list " + std::to_string(n));
    for (int n = 0; n < kMaxLayers; ++n)
        if (differs(a->layers[n], b->layers[n])) report("layer " + std::to_string(n));
    for (int n = 0; n < kMaxAreaTriggers; ++n)
        if (differs(a->area_triggers[n], b->area_triggers[n])) report("area trigger " + std::to_string(n));
    if (std::memcmp(a->briefing, b->briefing, sizeof a->briefing) != 0)
        report(std::string("briefing \"") + a->briefing + "\" != \"" + b->briefing + "\"");
    if (differs(a->subgoals_win, b->subgoals_win) || differs(a->subgoals_lose, b->subgoals_lose))
        report("subgoals");
    if (reported == 0 && std::memcmp(a.get(), b.get(), sizeof(MissionPageData)) != 0)
        report("other saved fields");
    if (reported > 10) out << "... " << reported - 10 << " more\n";
    return out.str();
}
