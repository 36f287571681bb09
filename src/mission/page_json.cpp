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
    template <typename T> void nums(const T* values, int count) {
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

    // "name": value, as one member of the open object.
    void field(const char* name, int64_t value) {
        key(name);
        num(value);
    }
    void textField(const char* name, const char* value, size_t size) {
        key(name);
        text(value, size);
    }
    template <typename T> void numsField(const char* name, const T* values, int count) {
        key(name);
        nums(values, count);
    }

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
    json.textField("name", g.name, sizeof g.name);
    json.textField("designer", g.designer, sizeof g.designer);
    json.textField("terrain", g.terrain, sizeof g.terrain);
    json.textField("cnv_file", g.cnv_file, sizeof g.cnv_file);
    json.textField("tt_file", g.tt_file, sizeof g.tt_file);
    for (const GeneralIntKey& k : kGeneralIntKeys) {
        json.field(k.key, g.*k.field);
    }
    json.field("sunset", g.sunset);
    json.numsField("default_equipment", g.default_equipment, kDefaultEquipmentSlots);
    json.numsField("wind", g.wind, 2);
    json.numsField("wp_names_blue", g.wp_names_blue, kPlayerWaypointNames);
    json.numsField("wp_names_red", g.wp_names_red, kPlayerWaypointNames);
    json.close('}');
}

// Every record of the usable numbers, as a list of objects with their number.
template <typename Record, typename Fields>
void writeRecords(JsonOut& json, const char* name, const Record* records, int first, int count,
                  Fields fields) {
    json.key(name);
    json.open('[');
    bool any = false;
    for (int n = first; n < count; ++n) {
        if (any) json.separator();
        any = true;
        json.open('{');
        json.field("number", n);
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
        json.textField("name", event.name, sizeof event.name);
        json.field("attrib", event.attrib);
        json.field("reset_value", event.reset_value);
        json.field("delay_value", event.delay_value);
        json.field("trigger_count", event.trigger_count);
        json.field("action_count", event.action_count);
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
        json.field("id", item.id);
        json.field("type_id", item.type_id);
        json.field("def_index", item.def_index);
        json.field("item_class", item.item_class);
        json.numsField("position", item.position, 3);
        json.numsField("facing", item.facing, 2);
        json.numsField("edistances", item.edistances, 2);
        for (const ItemIntKey& k : kItemWrittenKeys) {
            json.field(k.key, item.*k.field);
        }
        for (const ItemIntKey& k : kItemTrailingKeys) {
            json.field(k.key, item.*k.field);
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
    json.field("num_items", page.num_items);
    json.field("num_events", page.num_events);
    json.numsField("subgoals_win", page.subgoals_win, kSubgoalCount);
    json.numsField("subgoals_lose", page.subgoals_lose, kSubgoalCount);
    json.textField("briefing", page.briefing, sizeof page.briefing);
    json.field("waypoint_marker_def", item_FindDefIndex(kWaypointMarkerType));
    json.field("area_marker_def", item_FindDefIndex(kAreaTriggerMarkerType));
    writeRecords(json, "waypoints", page.waypoints, 1, kMaxWaypointLists, [&json](const WaypointList& r) {
        json.textField("description", r.description, sizeof r.description);
        json.field("color", r.color);
        json.field("attrib", r.attrib);
    });
    writeRecords(json, "groups", page.groups, 1, kMaxGroups, [&json](const ItemGroup& r) {
        json.textField("description", r.description, sizeof r.description);
        json.field("attrib", r.attrib);
        json.field("color", r.color);
        json.field("commander", r.commander);
    });
    writeRecords(json, "wav_lists", page.wav_lists, 1, kMaxWavLists, [&json](const WavList& r) {
        json.textField("description", r.description, sizeof r.description);
        json.textField("file_name", r.file_name, sizeof r.file_name);
    });
    writeRecords(json, "layers", page.layers, 0, kMaxLayers, [&json](const LayerName& r) {
        json.textField("description", r.description, sizeof r.description);
    });
    writeRecords(json, "area_triggers", page.area_triggers, 1, kMaxAreaTriggers,
                 [&json](const AreaTrigger& r) {
                     json.textField("description", r.description, sizeof r.description);
                     json.field("color", r.color);
                     json.field("attrib", r.attrib);
                 });
    writeEvents(json, page);
    writeItems(json, page);
    json.close('}');
    out += '\n';
}
