#include "mission/page_json.h"

#include "mission/item_lookup.h"
#include "mission/metafile_keys.h"

#include <cstdio>
#include <cstring>

namespace {

class JsonOut {
public:
    explicit JsonOut(std::string& out) : out_(out) {}

    void text(const char* field, size_t size) {
        const size_t length = strnlen(field, size);
        out_ += '"';
        for (size_t i = 0; i < length; ++i) {
            const auto c = static_cast<unsigned char>(field[i]);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += static_cast<char>(c);
            } else if (c < 0x20 || c >= 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out_ += escape;
            } else {
                out_ += static_cast<char>(c);
            }
        }
        out_ += '"';
    }
    void num(int64_t value) { out_ += std::to_string(value); }
    template <typename T>
    void nums(const T* values, int count) {
        out_ += '[';
        for (int i = 0; i < count; ++i) {
            if (i > 0) out_ += ',';
            num(values[i]);
        }
        out_ += ']';
    }
    // "name": — preceded by a comma unless it opens its object.
    void key(const char* name) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
    }
    void open(char bracket) {
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket) {
        out_ += bracket;
        first_ = false;
    }
    void separator() { out_ += ','; }

private:
    std::string& out_;
    bool first_ = true;
};

int clampCount(int32_t count, int capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}

void writeGeneral(JsonOut& json, const MissionPage& page) {
    const GeneralInfo& g = page.general;
    json.key("general");
    json.open('{');
    json.key("name");
    json.text(g.name, sizeof g.name);
    json.key("designer");
    json.text(g.designer, sizeof g.designer);
    json.key("terrain");
    json.text(g.terrain, sizeof g.terrain);
    json.key("cnv_file");
    json.text(g.cnv_file, sizeof g.cnv_file);
    json.key("tt_file");
    json.text(g.tt_file, sizeof g.tt_file);
    for (const GeneralIntKey& k : kGeneralIntKeys) {
        json.key(k.key);
        json.num(g.*k.field);
    }
    json.key("sunset");
    json.num(g.sunset);
    json.key("default_equipment");
    json.nums(g.default_equipment, kDefaultEquipmentSlots);
    json.key("wind");
    json.nums(g.wind, 2);
    json.key("wp_names_blue");
    json.nums(g.wp_names_blue, kPlayerWaypointNames);
    json.key("wp_names_red");
    json.nums(g.wp_names_red, kPlayerWaypointNames);
    json.close('}');
}

// Every record of the usable numbers, as a list of objects with their number.
template <typename Record, typename Fields>
void writeRecords(JsonOut& json, const char* name, const Record* records, int first, int count, Fields fields) {
    json.key(name);
    json.open('[');
    bool any = false;
    for (int n = first; n < count; ++n) {
        if (any) json.separator();
        any = true;
        json.open('{');
        json.key("number");
        json.num(n);
        fields(records[n]);
        json.close('}');
    }
    json.close(']');
}

void writeEvents(JsonOut& json, const MissionPage& page) {
    json.key("events");
    json.open('[');
    for (int e = 0; e < clampCount(page.num_events, kMaxEvents); ++e) {
        const MissionEvent& event = page.events[e];
        if (e > 0) json.separator();
        json.open('{');
        json.key("name");
        json.text(event.name, sizeof event.name);
        json.key("attrib");
        json.num(event.attrib);
        json.key("reset_value");
        json.num(event.reset_value);
        json.key("delay_value");
        json.num(event.delay_value);
        json.key("trigger_count");
        json.num(event.trigger_count);
        json.key("action_count");
        json.num(event.action_count);
        json.key("triggers");
        json.open('[');
        for (int t = 0; t < clampCount(event.trigger_count, kMaxTriggers); ++t) {
            if (t > 0) json.separator();
            json.nums(event.triggers[t].value, kEventValueCount);
        }
        json.close(']');
        json.key("actions");
        json.open('[');
        for (int a = 0; a < clampCount(event.action_count, kMaxActions); ++a) {
            if (a > 0) json.separator();
            json.nums(event.actions[a].value, kEventValueCount);
        }
        json.close(']');
        json.close('}');
    }
    json.close(']');
}

void writeItems(JsonOut& json, const MissionPage& page) {
    json.key("items");
    json.open('[');
    for (int i = 0; i < clampCount(page.num_items, kMaxItems); ++i) {
        const MissionItem& item = page.items[i];
        if (i > 0) json.separator();
        json.open('{');
        json.key("id");
        json.num(item.id);
        json.key("type_id");
        json.num(item.type_id);
        json.key("def_index");
        json.num(item.def_index);
        json.key("item_class");
        json.num(item.item_class);
        json.key("position");
        json.nums(item.position, 3);
        json.key("facing");
        json.nums(item.facing, 2);
        json.key("edistances");
        json.nums(item.edistances, 2);
        for (const ItemIntKey& k : kItemWrittenKeys) {
            json.key(k.key);
            json.num(item.*k.field);
        }
        for (const ItemIntKey& k : kItemTrailingKeys) {
            json.key(k.key);
            json.num(item.*k.field);
        }
        json.close('}');
    }
    json.close(']');
}

} // namespace

void page_WriteJson(const MissionPage& page, std::string& out) {
    JsonOut json(out);
    json.open('{');
    writeGeneral(json, page);
    json.key("num_items");
    json.num(page.num_items);
    json.key("num_events");
    json.num(page.num_events);
    json.key("subgoals_win");
    json.nums(page.subgoals_win, kSubgoalCount);
    json.key("subgoals_lose");
    json.nums(page.subgoals_lose, kSubgoalCount);
    json.key("briefing");
    json.text(page.briefing, sizeof page.briefing);
    json.key("waypoint_marker_def");
    json.num(item_FindDefIndex(kWaypointMarkerType));
    json.key("area_marker_def");
    json.num(item_FindDefIndex(kAreaTriggerMarkerType));
    writeRecords(json, "waypoints", page.waypoints, 1, kMaxWaypointLists, [&json](const WaypointList& r) {
        json.key("description");
        json.text(r.description, sizeof r.description);
        json.key("color");
        json.num(r.color);
        json.key("attrib");
        json.num(r.attrib);
    });
    writeRecords(json, "groups", page.groups, 1, kMaxGroups, [&json](const ItemGroup& r) {
        json.key("description");
        json.text(r.description, sizeof r.description);
        json.key("attrib");
        json.num(r.attrib);
        json.key("color");
        json.num(r.color);
        json.key("commander");
        json.num(r.commander);
    });
    writeRecords(json, "wav_lists", page.wav_lists, 1, kMaxWavLists, [&json](const WavList& r) {
        json.key("description");
        json.text(r.description, sizeof r.description);
        json.key("file_name");
        json.text(r.file_name, sizeof r.file_name);
    });
    writeRecords(json, "layers", page.layers, 0, kMaxLayers, [&json](const LayerName& r) {
        json.key("description");
        json.text(r.description, sizeof r.description);
    });
    writeRecords(json, "area_triggers", page.area_triggers, 1, kMaxAreaTriggers, [&json](const AreaTrigger& r) {
        json.key("description");
        json.text(r.description, sizeof r.description);
        json.key("color");
        json.num(r.color);
        json.key("attrib");
        json.num(r.attrib);
    });
    writeEvents(json, page);
    writeItems(json, page);
    json.close('}');
    out += '\n';
}
