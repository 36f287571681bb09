#include "mission/metafile_reader.h"

#include "foundation/loose_read.h"
#include "gamedata/def_words.h"
#include "gamedata/item_defs.h"
#include "mission/metafile_checks.h"
#include "mission/metafile_keys.h"
#include "mission/metafile_problem_text.h"
#include "mission/metafile_words.h"
#include "mission/page_ops.h"
#include "mission/terrain_images.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

enum class Block {
    Top,
    General,
    Item,
    Waypoint,
    Event,
    Triggers,
    Actions,
    Group,
    WavList,
    Layer,
    Wind,
    AreaTrigger,
    Briefing
};

bool is(const char* word, const char* name) {
    return defword_Equal(word, name);
}

int32_t clampCount(int32_t value, int capacity) {
    return value < 0 ? 0 : (value > capacity ? capacity : value);
}

// The state of one load. Records whose number does not fit the page are read into the scratch
// records, which are thrown away. The tally notes block numbers and counts for the checks.
class MetafileParser {
  public:
    explicit MetafileParser(MissionPage& page) : page_(page) { std::memset(&scratch_, 0, sizeof scratch_); }

    const MetafileTally& tally() const { return tally_; }
    // The line of the "begin" of the block that is still open; 0 when none is.
    int openBlockLine() const { return block_ == Block::Top ? 0 : block_line_; }
    bool readAnything() const { return blocks_begun_ > 0; }

    int handle(const LineTokens* tokens, int line_number) {
        if (tokens == nullptr) return block_ == Block::Top ? 0 : 1; // unterminated block
        line_ = line_number;
        const LineTokens& t = *tokens;
        const char* key = metafile_Word(t, 0);
        if (block_ == Block::Briefing) return briefingLine(t);
        if (block_ != Block::Top && is(key, "end")) return endLine();
        switch (block_) {
        case Block::Top:
            return beginLine(t);
        case Block::General:
            return generalLine(t);
        case Block::Item:
            return metafile_ItemLine(*item_, t);
        case Block::Waypoint:
            return waypointLine(t);
        case Block::Event:
            return eventLine(t);
        case Block::Triggers:
            return triggerLine(t);
        case Block::Actions:
            return actionLine(t);
        case Block::Group:
            return groupLine(t);
        case Block::WavList:
            return wavLine(t);
        case Block::Layer:
            return is(key, "description") ? copy(layer_->description, t) : 1;
        case Block::Wind:
            return windLine(t);
        case Block::AreaTrigger:
            return areaLine(t);
        case Block::Briefing:
            break;
        }
        return 1;
    }

  private:
    // In range: the page's record; otherwise the scratch record of that kind.
    template <typename Record>
    static Record* pick(Record* records, int32_t number, int first, int capacity, Record& scratch) {
        if (number >= first && number < capacity) return &records[number];
        std::memset(&scratch, 0, sizeof scratch);
        return &scratch;
    }

    int beginLine(const LineTokens& t) {
        if (!is(metafile_Word(t, 0), "begin")) return 1;
        const char* name = metafile_Word(t, 1);
        const int32_t number = metafile_Int(t, 2);
        block_line_ = line_;
        ++blocks_begun_;
        if (is(name, "general_information")) {
            block_ = Block::General;
            return 0;
        }
        if (is(name, "briefing")) {
            block_ = Block::Briefing;
            return 0;
        }
        if (is(name, "item")) {
            item_ = pick(page_.items, number, 0, kMaxItems, scratch_.item);
            block_ = Block::Item;
            tally_.blockBegun(MetafileBlock::Item, number, line_);
        } else if (is(name, "waypoint")) {
            waypoint_ = pick(page_.waypoints, number, 1, kMaxWaypointLists, scratch_.waypoint);
            block_ = Block::Waypoint;
            tally_.blockBegun(MetafileBlock::Waypoint, number, line_);
        } else if (is(name, "event")) {
            event_ = pick(page_.events, number, 0, kMaxEvents, scratch_.event);
            event_number_ = number;
            block_ = Block::Event;
            tally_.blockBegun(MetafileBlock::Event, number, line_);
        } else if (is(name, "group")) {
            group_ = pick(page_.groups, number, 1, kMaxGroups, scratch_.group);
            block_ = Block::Group;
            tally_.blockBegun(MetafileBlock::Group, number, line_);
        } else if (is(name, "wav_list")) {
            wav_ = pick(page_.wav_lists, number, 1, kMaxWavLists, scratch_.wav);
            block_ = Block::WavList;
            tally_.blockBegun(MetafileBlock::WavList, number, line_);
        } else if (is(name, "layer")) {
            layer_ = pick(page_.layers, number, 0, kMaxLayers, scratch_.layer);
            block_ = Block::Layer;
            tally_.blockBegun(MetafileBlock::Layer, number, line_);
        } else if (is(name, "areatrig")) {
            area_ = pick(page_.area_triggers, number, 1, kMaxAreaTriggers, scratch_.area);
            block_ = Block::AreaTrigger;
            tally_.blockBegun(MetafileBlock::AreaTrigger, number, line_);
        } else if (is(name, "wind")) {
            // Block 1 starts a new chain; any other number goes behind the current zone.
            WindZone* current = wind_ == &scratch_.wind ? nullptr : wind_;
            wind_ = number == 1 ? page_.wind_zones.startNew() : page_.wind_zones.appendAfter(current);
            if (wind_ == nullptr) {
                std::memset(&scratch_.wind, 0, sizeof scratch_.wind);
                wind_ = &scratch_.wind;
            }
            block_ = Block::Wind;
        } else {
            --blocks_begun_;
            return 1;
        }
        return 0;
    }

    int endLine() {
        if (block_ == Block::Triggers || block_ == Block::Actions) {
            tally_.subBlockEnded();
            block_ = Block::Event;
            return 0;
        }
        block_ = Block::Top;
        return 0;
    }

    static int copy(char* field, size_t size, const LineTokens& t) {
        metafile_CopyText(field, size, t, 1);
        return 0;
    }
    template <size_t N> static int copy(char (&field)[N], const LineTokens& t) { return copy(field, N, t); }

    int generalLine(const LineTokens& t) {
        GeneralInfo& g = page_.general;
        const char* key = metafile_Word(t, 0);
        if (is(key, "name")) return copy(g.name, t);
        if (is(key, "designer")) return copy(g.designer, t);
        if (is(key, "terrain")) return copy(g.terrain, t);
        if (is(key, "cnv_file")) return copy(g.cnv_file, t);
        if (is(key, "tt_file")) return copy(g.tt_file, t);
        for (const GeneralIntKey& k : kGeneralIntKeys) {
            if (is(key, k.key)) {
                g.*k.field = metafile_Int(t, 1);
                return 0;
            }
        }
        if (is(key, "sunset")) {
            g.sunset = metafile_Int(t, 1);
        } else if (is(key, "num_items")) {
            page_.num_items = clampCount(metafile_Int(t, 1), kMaxItems);
            tally_.countDeclared(MetafileBlock::Item, metafile_Int(t, 1), line_);
        } else if (is(key, "num_events")) {
            page_.num_events = clampCount(metafile_Int(t, 1), kMaxEvents);
            tally_.countDeclared(MetafileBlock::Event, metafile_Int(t, 1), line_);
        } else if (is(key, "subgoals_win") || is(key, "subgoals_lose")) {
            int8_t* goals = is(key, "subgoals_win") ? page_.subgoals_win : page_.subgoals_lose;
            for (int i = 0; i < kSubgoalCount; ++i)
                goals[i] = static_cast<int8_t>(metafile_Int(t, 1 + i));
        } else if (is(key, "default_equipment")) {
            // Slots in the order E1, E2, E3, E0.
            g.default_equipment[1] = metafile_Int(t, 1);
            g.default_equipment[2] = metafile_Int(t, 2);
            g.default_equipment[3] = metafile_Int(t, 3);
            g.default_equipment[0] = metafile_Int(t, 4);
        } else if (is(key, "wind")) {
            g.wind[0] = metafile_Int(t, 1);
            g.wind[1] = metafile_Int(t, 2);
        } else if (is(key, "wp_names_blue") || is(key, "wp_names_red")) {
            int32_t* names = is(key, "wp_names_blue") ? g.wp_names_blue : g.wp_names_red;
            for (int i = 1; i < t.count && i <= kPlayerWaypointNames; ++i)
                names[i - 1] = metafile_Int(t, i);
        } else if (is(key, "loadout")) {
            for (int i = 0; i < kPageLegacyLoadout; ++i)
                page_.loadout[i] = metafile_Int(t, 1 + i);
        } else if (is(key, "time_limit")) {
            page_.time_limit = metafile_Int(t, 1);
        } else if (is(key, "tank_loadout")) {
            page_.tank_loadout = metafile_Int(t, 1);
        } else if (is(key, "mapkey_circle") || is(key, "mapkey_fcircle") || is(key, "mapkey_diamond") ||
                   is(key, "mapkey_cross") || is(key, "attribA") || is(key, "attribB") ||
                   is(key, "attribN")) {
            // keys of older files without a place in the page
        } else {
            return 1;
        }
        return 0;
    }

    int waypointLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "description")) return copy(waypoint_->description, t);
        if (is(key, "color")) {
            waypoint_->color = metafile_Int(t, 1);
        } else if (is(key, "attrib") || is(key, "noloop")) {
            waypoint_->attrib = metafile_Int(t, 1);
        } else if (!is(key, "speed")) {
            return 1;
        }
        return 0;
    }

    int groupLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "description")) return copy(group_->description, t);
        if (is(key, "attrib"))
            group_->attrib = metafile_Int(t, 1);
        else if (is(key, "color"))
            group_->color = metafile_Int(t, 1);
        else if (is(key, "commander"))
            group_->commander = metafile_Int(t, 1);
        else
            return 1;
        return 0;
    }

    int wavLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "description")) return copy(wav_->description, t);
        if (is(key, "file_name")) return copy(wav_->file_name, t);
        return 1;
    }

    int areaLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "description")) return copy(area_->description, t);
        if (is(key, "color"))
            area_->color = metafile_Int(t, 1);
        else if (is(key, "attrib"))
            area_->attrib = metafile_Int(t, 1);
        else
            return 1;
        return 0;
    }

    int eventLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "name")) return copy(event_->name, t);
        if (is(key, "attrib")) {
            event_->attrib = metafile_Int(t, 1);
        } else if (is(key, "reset_value")) {
            event_->reset_value = metafile_Int(t, 1);
        } else if (is(key, "delay_value")) {
            event_->delay_value = metafile_Int(t, 1);
        } else if (is(key, "begin") && is(metafile_Word(t, 1), "triggers")) {
            event_->trigger_count = clampCount(metafile_Int(t, 2), kMaxTriggers);
            counter_ = 0;
            block_ = Block::Triggers;
            tally_.subBlockBegun(event_number_, true, metafile_Int(t, 2), line_);
        } else if (is(key, "begin") && is(metafile_Word(t, 1), "actions")) {
            event_->action_count = clampCount(metafile_Int(t, 2), kMaxActions);
            counter_ = 0;
            block_ = Block::Actions;
            tally_.subBlockBegun(event_number_, false, metafile_Int(t, 2), line_);
        } else {
            return 1;
        }
        return 0;
    }

    int triggerLine(const LineTokens& t) {
        tally_.subBlockLine();
        const int slot = counter_++;
        if (slot >= kMaxTriggers) return 0; // no slot left: the line is dropped
        int32_t* v = event_->triggers[slot].value;
        for (int i = 0; i < 7; ++i)
            v[i] = metafile_Int(t, i);
        if (t.count >= 8) v[7] = metafile_Int(t, 7);
        return 0;
    }

    int actionLine(const LineTokens& t) {
        tally_.subBlockLine();
        const int slot = counter_++;
        if (slot >= kMaxActions) return 0;
        int32_t* v = event_->actions[slot].value;
        // The file order is 0, 1, 3, 4, 5, 6, 2, 7; six-word lines of older files end at 6.
        v[0] = metafile_Int(t, 0);
        v[1] = metafile_Int(t, 1);
        for (int i = 0; i < 4; ++i)
            v[3 + i] = metafile_Int(t, 2 + i);
        if (t.count >= 7) v[2] = metafile_Int(t, 6);
        if (t.count >= 8) v[7] = metafile_Int(t, 7);
        return 0;
    }

    int windLine(const LineTokens& t) {
        const char* key = metafile_Word(t, 0);
        if (is(key, "name")) return copy(wind_->name, t);
        if (is(key, "start"))
            wind_->start = metafile_Int(t, 1);
        else if (is(key, "stop"))
            wind_->stop = metafile_Int(t, 1);
        else if (is(key, "heading"))
            wind_->heading = static_cast<int16_t>(metafile_Int(t, 1));
        else if (is(key, "speed"))
            wind_->speed = static_cast<int16_t>(metafile_Int(t, 1));
        return 0; // other keys of a wind block are skipped
    }

    int briefingLine(const LineTokens& t) {
        if (is(metafile_Word(t, 0), "endbriefing")) {
            for (char* c = page_.briefing; *c != '\0'; ++c)
                if (*c == '|') *c = '\n';
            block_ = Block::Top;
            return 0;
        }
        // The key word is not looked at; word 1 is appended, as far as the field has room.
        const size_t used = strnlen(page_.briefing, kBriefingSize - 1);
        const char* text = metafile_Word(t, 1);
        const size_t room = kBriefingSize - 1 - used;
        const size_t length = strnlen(text, room);
        std::memcpy(page_.briefing + used, text, length);
        page_.briefing[used + length] = '\0';
        return 0;
    }

    MissionPage& page_;
    MetafileTally tally_;
    Block block_ = Block::Top;
    int line_ = 0;       // the line being handled
    int block_line_ = 0; // the "begin" line of the current block
    int blocks_begun_ = 0;
    int32_t event_number_ = 0;
    int counter_ = 0;
    MissionItem* item_ = nullptr;
    WaypointList* waypoint_ = nullptr;
    MissionEvent* event_ = nullptr;
    ItemGroup* group_ = nullptr;
    WavList* wav_ = nullptr;
    LayerName* layer_ = nullptr;
    AreaTrigger* area_ = nullptr;
    WindZone* wind_ = nullptr;
    struct Scratch {
        MissionItem item;
        WaypointList waypoint;
        MissionEvent event;
        ItemGroup group;
        WavList wav;
        LayerName layer;
        AreaTrigger area;
        WindZone wind;
    } scratch_;
};

// Definition index and class of every item; ids for items that had none.
void fixUpItems(MissionPage& page) {
    std::unordered_map<int32_t, int> first_index;
    const int defs = itemdef_Count();
    for (int i = defs - 1; i >= 0; --i) {
        const ItemDef* def = itemdef_Get(i);
        if (def != nullptr) first_index[def->id] = i;
    }
    int32_t highest = page_NextItemId(page) - 1;
    for (int i = 0; i < page.num_items; ++i) {
        MissionItem& item = page.items[i];
        const auto found = first_index.find(item.type_id);
        // An unknown type keeps index 0, as everywhere, but no class of an unrelated definition.
        item.def_index = found != first_index.end() ? found->second : 0;
        const ItemDef* def = found != first_index.end() ? itemdef_Get(found->second) : nullptr;
        item.item_class = def != nullptr ? def->type : 0;
        if (item.id == 0) {
            highest = static_cast<int32_t>(static_cast<uint32_t>(highest) + 1u);
            item.id = highest;
        }
    }
}

// Clears the page and reads `size` bytes into it, quietly: what a rejected line or the checks
// find goes into `report`. The items are fixed up whatever the result, so that what was read
// can be used as it stands.
void readBytes(MissionPage& page, const char* data, size_t size, MetafileReport& report,
               DefaultGroupNames groups) {
    page_Clear(page);
    if (groups == DefaultGroupNames::Give) page_NameDefaultGroups(page);
    auto parser = std::make_unique<MetafileParser>(page);
    LineReadReport lines;
    const int result = ascii_ReadTextBuffer(
        data, size,
        [&parser](const LineTokens* tokens, int line_number) { return parser->handle(tokens, line_number); },
        &lines);
    report.read_anything = parser->readAnything();
    report.problems.clear();
    if (lines.rejected_line != 0) {
        report.problems.push_back(
            {lines.rejected_line, ascii_BadLineText(lines.rejected_line, lines.rejected_text)});
    } else if (result != 0) {
        const int line = parser->openBlockLine();
        report.problems.push_back({line, metafile_Text("UNCLOSED_BLOCK", {line})});
    } else {
        parser->tally().addProblems(report.problems);
    }
    if (lines.nul_lines > 0)
        report.problems.push_back(
            {lines.first_nul_line, metafile_Text("NUL_BYTES", {lines.first_nul_line, lines.nul_lines})});
    std::stable_sort(report.problems.begin(), report.problems.end(),
                     [](const MetafileProblem& a, const MetafileProblem& b) { return a.line < b.line; });
    if (result != 0)
        report.result = MetafileReadResult::Stopped;
    else if (!report.problems.empty())
        report.result = MetafileReadResult::Damaged;
    else
        report.result = MetafileReadResult::Clean;
    fixUpItems(page);
}

} // namespace

MetafileReadResult metafile_ReadBytes(MissionPage& page, const char* data, size_t size,
                                      MetafileReport* report) {
    MetafileReport local;
    MetafileReport& out = report != nullptr ? *report : local;
    out = MetafileReport{};
    readBytes(page, data, size, out, DefaultGroupNames::Skip);
    return out.result;
}

MetafileReadResult metafile_Read(MissionPage& page, const char* path, MetafileReport* report,
                                 DefaultGroupNames groups) {
    MetafileReport local;
    MetafileReport& out = report != nullptr ? *report : local;
    out = MetafileReport{};
    std::string bytes;
    if (!file_ReadLooseWhole(path, bytes, &out.failure)) {
        page_Clear(page);
        if (groups == DefaultGroupNames::Give) page_NameDefaultGroups(page);
        out.result = MetafileReadResult::Unreadable;
        return out.result;
    }
    readBytes(page, bytes.data(), bytes.size(), out, groups);
    terrain_LoadImages(page); // a terrain that cannot be read leaves its buffers cleared; the mission stands
    return out.result;
}

int metafile_Load(MissionPage& page, const char* path, DefaultGroupNames groups) {
    page_Clear(page);
    if (groups == DefaultGroupNames::Give) page_NameDefaultGroups(page);
    auto parser = std::make_unique<MetafileParser>(page);
    const int result = ascii_ReadTextFile(path, [&parser](const LineTokens* tokens, int line_number) {
        return parser->handle(tokens, line_number);
    });
    if (result != 0) return 0;
    terrain_LoadImages(page); // a terrain that cannot be read leaves its buffers cleared; the mission stands
    fixUpItems(page);
    return 1;
}
