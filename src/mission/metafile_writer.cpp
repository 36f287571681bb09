#include "mission/metafile_writer.h"

#include "foundation/atomic_file.h"
#include "mission/metafile_keys.h"
#include "mission/page_ops.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

int clampCount(int32_t count, int capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}

// Appends text lines to one string; numbers with to_chars ("%i" form).
class LineOut {
  public:
    explicit LineOut(std::string& out) : out_(out) {}

    LineOut& text(const char* s) {
        out_ += s;
        return *this;
    }
    LineOut& num(int32_t value) {
        char buffer[16];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, result.ptr);
        return *this;
    }
    // " v" for each value.
    LineOut& nums(const int32_t* values, int count) {
        for (int i = 0; i < count; ++i) {
            out_ += ' ';
            num(values[i]);
        }
        return *this;
    }
    void end() { out_ += '\n'; }

    // "<prefix><value>\n"
    void keyNum(const char* prefix, int32_t value) { text(prefix).num(value).end(); }
    void keyNumIfSet(const char* prefix, int32_t value) {
        if (value != 0) keyNum(prefix, value);
    }

    // "<prefix>"<text>"\n" with the text made safe for the format (see metafile_writer.h).
    void keyQuoted(const char* prefix, const char* field, size_t size) {
        const size_t prefix_length = std::strlen(prefix);
        const size_t room = kMetafileMaxLineChars - prefix_length - 2;
        size_t length = strnlen(field, size);
        if (length > room) length = room;
        out_ += prefix;
        out_ += '"';
        appendSafe(field, length, ' ');
        out_ += "\"\n";
    }

    // A file-name value: written bare, as the format has it, unless it holds a separator the
    // reader would split at; then quoted like any text.
    void keyBare(const char* prefix, const char* field, size_t size) {
        const size_t length = strnlen(field, size);
        bool needs_quotes = false;
        for (size_t i = 0; i < length; ++i)
            if (std::strchr(" \t,\r\n\"", field[i]) != nullptr) needs_quotes = true;
        if (needs_quotes) {
            keyQuoted(prefix, field, size);
            return;
        }
        out_ += prefix;
        out_.append(field, length);
        out_ += '\n';
    }

    // Appends `length` characters with a double quote replaced by an apostrophe and a line feed
    // by `line_feed`.
    void appendSafe(const char* s, size_t length, char line_feed) {
        for (size_t i = 0; i < length; ++i) {
            char c = s[i];
            if (c == '"')
                c = '\'';
            else if (c == '\n')
                c = line_feed;
            out_ += c;
        }
    }

  private:
    std::string& out_;
};

void writeHeader(LineOut& out, const MetafileTime& when) {
    char line[96];
    std::snprintf(line, sizeof line, "// mission metafile, saved on %i/%i/%i, %i:%2i\n\n\n", when.month,
                  when.day, when.year, when.hour, when.minute);
    out.text(line);
}

void writeGeneral(LineOut& out, const MissionPage& page) {
    const GeneralInfo& g = page.general;
    out.text("begin general_information\n");
    out.keyQuoted("  name ", g.name, sizeof g.name);
    out.keyQuoted("  designer ", g.designer, sizeof g.designer);
    out.keyBare("  terrain ", g.terrain, sizeof g.terrain);
    out.keyBare("  cnv_file ", g.cnv_file, sizeof g.cnv_file);
    out.keyBare("  tt_file ", g.tt_file, sizeof g.tt_file);
    for (const GeneralIntKey& key : kGeneralIntKeys)
        out.text("  ").text(key.key).nums(&(g.*key.field), 1).end();
    out.keyNum("  num_items ", clampCount(page.num_items, kMaxItems));
    out.keyNum("  num_events ", clampCount(page.num_events, kMaxEvents));
    int32_t win[kSubgoalCount];
    int32_t lose[kSubgoalCount];
    for (int i = 0; i < kSubgoalCount; ++i) {
        win[i] = page.subgoals_win[i];
        lose[i] = page.subgoals_lose[i];
    }
    out.text("  subgoals_win").nums(win, kSubgoalCount).end();
    out.text("  subgoals_lose").nums(lose, kSubgoalCount).end();
    out.keyNum("  sunset ", g.sunset);
    // Slots in the order E1, E2, E3, E0.
    const int32_t equipment[kDefaultEquipmentSlots] = {g.default_equipment[1], g.default_equipment[2],
                                                       g.default_equipment[3], g.default_equipment[0]};
    out.text("  default_equipment").nums(equipment, kDefaultEquipmentSlots).end();
    out.text("  wind").nums(g.wind, 2).end();
    out.text("  wp_names_blue").nums(g.wp_names_blue, kPlayerWaypointNames).end();
    out.text("  wp_names_red").nums(g.wp_names_red, kPlayerWaypointNames).end();
    out.text("end general_information\n\n");
}

// Pieces of 100 characters, cut inside words if need be; the reader joins them again.
void writeBriefing(LineOut& out, const MissionPage& page) {
    const size_t length = strnlen(page.briefing, kBriefingSize - 1);
    if (length == 0) return;
    out.text("begin briefing\n\n");
    for (size_t start = 0; start < length; start += kBriefingPieceChars) {
        const size_t piece = length - start < kBriefingPieceChars ? length - start : kBriefingPieceChars;
        out.text("  brief \"");
        out.appendSafe(page.briefing + start, piece, '|');
        out.text("\"\n");
    }
    out.text("endbriefing\n\n");
}

void writeAreaTriggers(LineOut& out, const MissionPage& page) {
    for (int n = 1; n < kMaxAreaTriggers; ++n) {
        const AreaTrigger& trigger = page.area_triggers[n];
        if (trigger.area_number == 0 && trigger.description[0] == '\0') continue;
        out.text("begin areatrig ").num(n).end();
        out.keyQuoted("  description ", trigger.description, sizeof trigger.description);
        out.keyNumIfSet("  color ", trigger.color);
        out.keyNumIfSet("  attrib ", trigger.attrib);
        out.text("end areatrig\n\n");
    }
}

void writeWaypointLists(LineOut& out, const MissionPage& page) {
    for (int n = 1; n < kMaxWaypointLists; ++n) {
        const WaypointList& list = page.waypoints[n];
        if (list.member_count == 0 && list.description[0] == '\0') continue;
        out.text("begin waypoint ").num(n).end();
        out.keyQuoted("  description ", list.description, sizeof list.description);
        out.keyNumIfSet("  color ", list.color);
        out.keyNumIfSet("  attrib ", list.attrib);
        out.text("end waypoint\n\n");
    }
}

void writeGroups(LineOut& out, const MissionPage& page) {
    for (int n = 1; n < kMaxGroups; ++n) {
        const ItemGroup& group = page.groups[n];
        if (group.member_count == 0 && group.description[0] == '\0') continue;
        out.text("begin group ").num(n).end();
        out.keyQuoted("  description ", group.description, sizeof group.description);
        out.keyNumIfSet("  attrib ", group.attrib);
        out.keyNumIfSet("  color ", group.color);
        out.keyNumIfSet("  commander ", group.commander);
        out.text("end group\n\n");
    }
}

void writeWavLists(LineOut& out, const MissionPage& page) {
    for (int n = 1; n < kMaxWavLists; ++n) {
        const WavList& wav = page.wav_lists[n];
        if (wav.file_name[0] == '\0' && wav.description[0] == '\0') continue;
        out.text("begin wav_list ").num(n).end();
        out.keyQuoted("  description ", wav.description, sizeof wav.description);
        out.keyQuoted("  file_name ", wav.file_name, sizeof wav.file_name);
        out.text("end wav_list\n\n");
    }
}

void writeLayers(LineOut& out, const MissionPage& page) {
    for (int n = 0; n < kMaxLayers; ++n) {
        const LayerName& layer = page.layers[n];
        if (layer.description[0] == '\0') continue;
        out.text("begin layer ").num(n).end();
        out.keyQuoted("  description ", layer.description, sizeof layer.description);
        out.text("end layer\n\n");
    }
}

void writeEvents(LineOut& out, const MissionPage& page) {
    const int events = clampCount(page.num_events, kMaxEvents);
    for (int n = 0; n < events; ++n) {
        const MissionEvent& event = page.events[n];
        out.text("begin event ").num(n).end();
        out.keyQuoted("  name ", event.name, sizeof event.name);
        out.keyNumIfSet("  attrib ", event.attrib);
        out.keyNumIfSet("  reset_value ", event.reset_value);
        out.keyNumIfSet("  delay_value ", event.delay_value);
        const int triggers = clampCount(event.trigger_count, kMaxTriggers);
        if (triggers != 0) {
            out.keyNum("  begin triggers ", triggers);
            for (int t = 0; t < triggers; ++t) {
                const int32_t* v = event.triggers[t].value;
                out.text("   ").nums(v, kEventValueCount).end();
            }
            out.text("  end triggers\n");
        }
        const int actions = clampCount(event.action_count, kMaxActions);
        if (actions != 0) {
            out.keyNum("  begin actions ", actions);
            for (int a = 0; a < actions; ++a) {
                const int32_t* v = event.actions[a].value;
                // Values 2 and 7 come last: older files had six values per action.
                const int32_t ordered[kEventValueCount] = {v[0], v[1], v[3], v[4], v[5], v[6], v[2], v[7]};
                out.text("   ").nums(ordered, kEventValueCount).end();
            }
            out.text("  end actions\n");
        }
        out.text("end event\n\n");
    }
}

void writeItems(LineOut& out, const MissionPage& page) {
    const int items = clampCount(page.num_items, kMaxItems);
    for (int n = 0; n < items; ++n) {
        const MissionItem& item = page.items[n];
        out.text("begin item ").num(n).end();
        out.keyNum("  id ", item.id);
        out.keyNum("  type_id ", item.type_id);
        out.text("  position").nums(item.position, 3).end();
        if (item.facing[0] != 0 || item.facing[1] != 0) out.text("  facing").nums(item.facing, 2).end();
        for (const ItemIntKey& key : kItemWrittenKeys) {
            const int32_t value = item.*key.field;
            if (value != 0) out.text("  ").text(key.key).nums(&value, 1).end();
        }
        if (item.edistances[0] != 0 || item.edistances[1] != 0)
            out.text("  edistances").nums(item.edistances, 2).end();
        for (const ItemIntKey& key : kItemTrailingKeys) {
            const int32_t value = item.*key.field;
            if (value != 0) out.text("  ").text(key.key).nums(&value, 1).end();
        }
        out.text("end item\n\n");
    }
}

} // namespace

MetafileTime metafile_Now() {
    std::time_t now = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0') now = static_cast<std::time_t>(seconds);
    }
    std::tm local{};
    MetafileTime when;
    if (localtime_r(&now, &local) != nullptr) {
        when.month = local.tm_mon + 1;
        when.day = local.tm_mday;
        when.year = local.tm_year + 1900;
        when.hour = local.tm_hour;
        when.minute = local.tm_min;
    }
    return when;
}

void metafile_Format(MissionPage& page, const MetafileTime& when, std::string& out) {
    page_RebuildAreaTriggers(page);
    page_RebuildWaypointLists(page);
    page_CountGroupMembers(page);
    LineOut lines(out);
    writeHeader(lines, when);
    writeGeneral(lines, page);
    writeBriefing(lines, page);
    writeAreaTriggers(lines, page);
    writeWaypointLists(lines, page);
    writeGroups(lines, page);
    writeWavLists(lines, page);
    writeLayers(lines, page);
    writeEvents(lines, page);
    writeItems(lines, page);
}

bool metafile_Write(MissionPage& page, const char* path, FileFailure* failure) {
    std::string text;
    text.reserve(1 << 20);
    metafile_Format(page, metafile_Now(), text);
    return file_WriteWhole(path, text.data(), text.size(), failure);
}
