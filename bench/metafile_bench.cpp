// Metafile write and read of a full page (5,000 items, 256 events with 10 triggers and 10 actions
// each), and deleting a large selection: the one-pass sel_Delete against the item-by-item
// deletion it replaces.
#include "foundation/user_message.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "mission/page_ops.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

std::unique_ptr<MissionPage> fullPage(uint32_t seed) {
    auto page = std::make_unique<MissionPage>();
    std::mt19937 random(seed);
    auto range = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto maybe = [&](int high) { return range(0, 1) != 0 ? range(1, high) : 0; };
    std::snprintf(page->general.name, sizeof page->general.name, "Benchmark mission");
    std::snprintf(page->briefing, sizeof page->briefing, "%s", std::string(250, 'b').c_str());
    page->num_items = kMaxItems;
    for (int i = 0; i < kMaxItems; ++i) {
        MissionItem& item = page->items[i];
        item.type_id = range(1, 300);
        item.id = i + 1;
        for (int32_t& p : item.position)
            p = range(-(1 << 24), 1 << 24);
        item.facing[0] = range(0, 359);
        item.team = maybe(4);
        item.map_symbol = maybe(8);
        item.group_id = maybe(63);
        item.waypoint_id = maybe(127);
        item.wpnumber = maybe(31);
        item.wpdistance = 4;
        item.fov = 180;
        item.obliqueness = 15;
        item.waccuracy2 = item.perception2 = item.perfectionist2 = 100;
        item.movetimer = item.crouchtimer = 3;
        item.shoottimer = 5;
        item.attention = 30;
        item.advancetimer = 10;
        item.edistances[0] = 16;
        item.edistances[1] = 1024;
        item.layer = maybe(15);
    }
    page->num_events = kMaxEvents;
    for (int e = 0; e < kMaxEvents; ++e) {
        MissionEvent& event = page->events[e];
        std::snprintf(event.name, sizeof event.name, "Event %d", e);
        event.trigger_count = kMaxTriggers;
        event.action_count = kMaxActions;
        for (auto& t : event.triggers)
            for (int32_t& v : t.value)
                v = range(0, 300);
        for (auto& a : event.actions)
            for (int32_t& v : a.value)
                v = range(0, 300);
    }
    for (int n = 1; n < kMaxGroups; ++n)
        std::snprintf(page->groups[n].description, 64, "Group %d", n);
    for (int n = 1; n < kMaxWaypointLists; ++n)
        std::snprintf(page->waypoints[n].description, 64, "Route %d", n);
    return page;
}

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/" + name + "-" + std::to_string(getpid()) + ".mis";
}

void BM_MetafileFormat(benchmark::State& state) {
    auto page = fullPage(1);
    const MetafileTime when = metafile_Now();
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text;
        metafile_Format(*page, when, text);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MetafileFormat)->Unit(benchmark::kMillisecond);

void BM_MetafileWrite(benchmark::State& state) {
    auto page = fullPage(1);
    const std::string path = tempPath("qz-bench-write");
    for (auto _ : state) {
        if (!metafile_Write(*page, path.c_str())) state.SkipWithError("write failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_MetafileWrite)->Unit(benchmark::kMillisecond);

void BM_MetafileRead(benchmark::State& state) {
    auto page = fullPage(1);
    const std::string path = tempPath("qz-bench-read");
    if (!metafile_Write(*page, path.c_str())) state.SkipWithError("write failed");
    auto read = std::make_unique<MissionPage>();
    for (auto _ : state) {
        if (metafile_Load(*read, path.c_str()) != 1) state.SkipWithError("read failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_MetafileRead)->Unit(benchmark::kMillisecond);

// Selects every second item of a full page, in descending slot order (the worst order for a
// shifting deletion: every step moves everything above it).
void selectHalf(MissionPage& page) {
    page.selection.count = 0;
    for (int slot = kMaxItems - 1; slot >= 0; slot -= 2)
        page.selection.slots[page.selection.count++] = slot;
}

void BM_SelectionDelete(benchmark::State& state) {
    auto source = fullPage(2);
    auto page = std::make_unique<MissionPage>();
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(static_cast<MissionPageData*>(page.get()), static_cast<MissionPageData*>(source.get()),
                    sizeof(MissionPageData));
        selectHalf(*page);
        state.ResumeTiming();
        sel_Delete(*page);
    }
}
BENCHMARK(BM_SelectionDelete)->Unit(benchmark::kMillisecond);

// The deletion as written in the model: one shift of the item array per selected entry.
void BM_SelectionDeleteItemByItem(benchmark::State& state) {
    auto source = fullPage(2);
    auto page = std::make_unique<MissionPage>();
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(static_cast<MissionPageData*>(page.get()), static_cast<MissionPageData*>(source.get()),
                    sizeof(MissionPageData));
        selectHalf(*page);
        state.ResumeTiming();
        ItemSelection& sel = page->selection;
        for (int p = 0; p < sel.count; ++p) {
            const int32_t s = sel.slots[p];
            if (s < 0 || s >= page->num_items) continue;
            std::memmove(&page->items[s], &page->items[s + 1],
                         sizeof(MissionItem) * (page->num_items - 1 - s));
            --page->num_items;
            for (int q = p + 1; q < sel.count; ++q)
                if (sel.slots[q] > s) --sel.slots[q];
        }
        sel_Clear(*page);
    }
}
BENCHMARK(BM_SelectionDeleteItemByItem)->Unit(benchmark::kMillisecond);

} // namespace
