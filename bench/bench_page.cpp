#include "bench_page.h"

#include "demo/demo_game.h"
#include "demo/demo_mission.h"
#include "foundation/mem_arena.h"
#include "gamedata/item_defs.h"
#include "gamedata/string_table_writer.h"
#include "mission/page_ops.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string& sourceText(const DemoSources& sources, const char* path) {
    for (const DemoSourceFile& file : sources)
        if (file.path == path) return file.bytes;
    std::fprintf(stderr, "bench: demo source %s missing\n", path);
    std::exit(2);
}

const StringTable* buildTable(const std::string& source) {
    static std::deque<std::vector<uint8_t>> kept; // the tables point into these bytes
    StrtabSource parsed;
    std::vector<uint8_t>& bytes = kept.emplace_back();
    if (!strtab_ParseSource(source, parsed, nullptr) || !strtab_Build(parsed, bytes, nullptr)) {
        std::fprintf(stderr, "bench: a demo string table does not build\n");
        std::exit(2);
    }
    return strtab_Open(bytes.data(), bytes.size());
}

} // namespace

const BenchGameData& bench_LoadDemoData() {
    static BenchGameData data = [] {
        if (mem_MainArena().base == nullptr) mem_InitArena(mem_MainArena(), 8u << 20);
        DemoSources sources;
        std::string error;
        if (!demo_ReadSources(std::string(QZ_SOURCE_DIR) + "/demo", sources, &error)) {
            std::fprintf(stderr, "bench: %s\n", error.c_str());
            std::exit(2);
        }
        const std::string& defs = sourceText(sources, "items.def");
        itemdef_LoadBuffer(defs.data(), defs.size(), 0);
        BenchGameData loaded;
        loaded.texts = buildTable(sourceText(sources, "text/text.txt"));
        loaded.names = buildTable(sourceText(sources, "text/qz2wpn.txt"));
        TextLookup_SetTable(loaded.texts);
        return loaded;
    }();
    TextLookup_SetTable(data.texts);
    return data;
}

std::unique_ptr<MissionPage> bench_FullPage(uint32_t seed) {
    bench_LoadDemoData();
    auto page = std::make_unique<MissionPage>();
    demo_BuildMission(*page);
    std::mt19937 random(seed);
    auto range = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int defs = itemdef_Count();
    while (page->num_items < kMaxItems) {
        const ItemDef* def = itemdef_Get(range(0, defs - 1));
        // Anywhere on the 1024 m of the terrain image east and south of the origin.
        const int slot = page_AddItem(*page, def->id, range(0, 1024 * 256), -range(0, 1024 * 256), 0);
        if (slot < 0) break;
        MissionItem& item = page->items[slot];
        item.team = range(0, 2);
        item.group_id = range(0, 6);
        item.layer = range(0, 3);
        item.name_index = range(0, 40);
        item.facing[0] = range(0, 359);
    }
    while (page->num_events < kMaxEvents) {
        MissionEvent& event = page->events[page->num_events];
        std::snprintf(event.name, sizeof event.name, "Event %d", page->num_events);
        ++page->num_events;
        event.delay_value = range(0, 30);
        event.trigger_count = kMaxTriggers;
        event.action_count = kMaxActions;
        for (EventTrigger& t : event.triggers)
            t = EventTrigger{{range(0, 7), 1, range(1, 13), range(1, 6), range(1, 3), range(0, 3), 0, 0}};
        for (EventAction& a : event.actions)
            a = EventAction{{0, range(1, 18), range(0, 19), range(1, 6), range(1, 3), 0, 0, 0}};
    }
    return page;
}
