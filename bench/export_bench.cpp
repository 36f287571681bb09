// Binary export of a full page: 5,000 items and 256 events with 10 triggers and 10 actions each.
#include "foundation/user_message.h"
#include "mission/binary_export.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

class SilentSink final : public MessageSink {
  public:
    MsgAnswer showMessage(const char*, const char*, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};

std::unique_ptr<MissionPage> fullPage(uint32_t seed) {
    auto page = std::make_unique<MissionPage>();
    std::mt19937 random(seed);
    auto range = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    page->num_items = kMaxItems;
    for (int i = 0; i < kMaxItems; ++i) {
        MissionItem& item = page->items[i];
        item.type_id = range(1, 300);
        item.item_class = range(1, 8);
        item.id = i + 1;
        item.wpnumber = range(0, 31);
        item.waypoint_id = range(0, 127);
        item.group_id = range(0, 63);
        for (int32_t& p : item.position)
            p = range(-(1 << 20), 1 << 20);
        item.facing[0] = range(0, 719);
    }
    page->num_events = kMaxEvents;
    for (int e = 0; e < kMaxEvents; ++e) {
        MissionEvent& event = page->events[e];
        std::snprintf(event.name, sizeof event.name, "Event %d", e);
        event.trigger_count = kMaxTriggers;
        event.action_count = kMaxActions;
        for (auto& t : event.triggers)
            for (int32_t& v : t.value)
                v = range(0, 20);
        for (auto& a : event.actions)
            for (int32_t& v : a.value)
                v = range(0, 20);
    }
    return page;
}

void copyPage(MissionPage& to, const MissionPage& from) {
    std::memcpy(static_cast<MissionPageData*>(&to), static_cast<const MissionPageData*>(&from),
                sizeof(MissionPageData));
}

// The sort as described, moving whole records: the figure the index sort is measured against.
void literalSort(MissionPage& page) {
    for (int o = 0; o + 1 < page.num_items; ++o)
        for (int j = o + 1; j < page.num_items; ++j) {
            const MissionItem& a = page.items[o];
            const MissionItem& b = page.items[j];
            if (a.type_id > b.type_id || (a.type_id == b.type_id && a.wpnumber > b.wpnumber))
                std::swap(page.items[o], page.items[j]);
        }
}

// Sort, limits and bytes of an unsorted page (the page is restored outside the timing).
void BM_ExportBuild(benchmark::State& state) {
    SilentSink sink;
    msg_SetSink(&sink);
    const auto original = fullPage(1);
    auto page = std::make_unique<MissionPage>();
    size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        copyPage(*page, *original);
        state.ResumeTiming();
        export_SortItems(*page);
        const std::vector<uint8_t> out = export_BuildBytes(*page, page_CheckExportLimits(*page));
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    msg_SetSink(nullptr);
}
BENCHMARK(BM_ExportBuild)->Unit(benchmark::kMillisecond);

// The whole export command of an unsorted page, file written and renamed into place.
void BM_ExportToFile(benchmark::State& state) {
    SilentSink sink;
    msg_SetSink(&sink);
    const auto original = fullPage(2);
    auto page = std::make_unique<MissionPage>();
    const std::string path = "/tmp/qzmed_export_bench_" + std::to_string(::getpid()) + ".bms";
    for (auto _ : state) {
        state.PauseTiming();
        copyPage(*page, *original);
        state.ResumeTiming();
        if (export_BinaryMission(*page, path.c_str()) != 1) state.SkipWithError("export failed");
    }
    std::remove(path.c_str());
    msg_SetSink(nullptr);
}
BENCHMARK(BM_ExportToFile)->Unit(benchmark::kMillisecond);

// A second export of the same page: the items are already in order.
void BM_ExportSortedAgain(benchmark::State& state) {
    const auto page = fullPage(3);
    export_SortItems(*page);
    for (auto _ : state)
        export_SortItems(*page);
}
BENCHMARK(BM_ExportSortedAgain)->Unit(benchmark::kMillisecond);

void BM_SortByIndices(benchmark::State& state) {
    const auto original = fullPage(4);
    auto page = std::make_unique<MissionPage>();
    for (auto _ : state) {
        state.PauseTiming();
        copyPage(*page, *original);
        state.ResumeTiming();
        export_SortItems(*page);
    }
}
BENCHMARK(BM_SortByIndices)->Unit(benchmark::kMillisecond);

void BM_SortMovingRecords(benchmark::State& state) {
    const auto original = fullPage(4);
    auto page = std::make_unique<MissionPage>();
    for (auto _ : state) {
        state.PauseTiming();
        copyPage(*page, *original);
        state.ResumeTiming();
        literalSort(*page);
    }
}
BENCHMARK(BM_SortMovingRecords)->Unit(benchmark::kMillisecond);

} // namespace
