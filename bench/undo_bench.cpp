// The undo history on a full 5,000-item page: the boundary after a command (compare with the base
// copy and keep what changed), undo and redo of small and whole-page steps, and the memory 200
// single-item moves hold.

#include "bench_page.h"
#include "editor/page_history.h"
#include "mission/page_ops.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<MissionPage> fullPage() {
    bench_LoadDemoData();
    return bench_FullPage(7);
}

// The boundary of a command that changed nothing (the most common case: view commands).
void BM_BoundaryNothingChanged(benchmark::State& state) {
    auto page = fullPage();
    PageHistory history;
    history.reset(*page);
    for (auto _ : state)
        benchmark::DoNotOptimize(history.record(*page, "Nothing"));
    state.counters["items"] = page->num_items;
}
BENCHMARK(BM_BoundaryNothingChanged)->Unit(benchmark::kMicrosecond);

// The boundary after a mouse move of one item: one step kept.
void BM_BoundaryAfterSingleItemMove(benchmark::State& state) {
    auto page = fullPage();
    PageHistory history;
    history.reset(*page);
    int slot = 0;
    for (auto _ : state) {
        page->items[slot].position[0] += 256;
        slot = (slot + 37) % page->num_items;
        benchmark::DoNotOptimize(history.record(*page, "Move"));
    }
}
BENCHMARK(BM_BoundaryAfterSingleItemMove)->Unit(benchmark::kMicrosecond);

// The boundary after a move of every item (each item record changes).
void BM_BoundaryAfterMoveOfAllItems(benchmark::State& state) {
    auto page = fullPage();
    PageHistory history;
    history.reset(*page);
    for (auto _ : state) {
        for (int i = 0; i < page->num_items; ++i)
            page->items[i].position[1] += 256;
        benchmark::DoNotOptimize(history.record(*page, "Move"));
    }
}
BENCHMARK(BM_BoundaryAfterMoveOfAllItems)->Unit(benchmark::kMicrosecond);

// Undo then redo of a single-item move.
void BM_UndoRedoSingleItemMove(benchmark::State& state) {
    auto page = fullPage();
    PageHistory history;
    history.reset(*page);
    page->items[100].position[0] += 256;
    history.record(*page, "Move");
    for (auto _ : state) {
        history.undo(*page);
        history.redo(*page);
    }
}
BENCHMARK(BM_UndoRedoSingleItemMove)->Unit(benchmark::kMicrosecond);

// Undo then redo of Clear on the full page: the largest step there is.
void BM_UndoRedoClear(benchmark::State& state) {
    auto page = fullPage();
    PageHistory history;
    history.reset(*page);
    page_Clear(*page);
    page_NameDefaultGroups(*page);
    history.record(*page, "Clear");
    for (auto _ : state) {
        history.undo(*page);
        history.redo(*page);
    }
    state.counters["step_bytes"] = double(history.stepBytes());
}
BENCHMARK(BM_UndoRedoClear)->Unit(benchmark::kMicrosecond);

// 200 steps of single-item moves: the bytes the steps hold, and with the base copy.
void BM_MemoryOf200SingleItemMoves(benchmark::State& state) {
    auto page = fullPage();
    size_t stepBytes = 0;
    for (auto _ : state) {
        PageHistory history;
        history.reset(*page);
        for (int step = 0; step < 200; ++step) {
            page->items[(step * 53) % page->num_items].position[0] += 256;
            history.record(*page, "Move");
        }
        stepBytes = history.stepBytes();
        benchmark::DoNotOptimize(stepBytes);
    }
    state.counters["step_bytes"] = double(stepBytes);
    state.counters["with_base_copy_bytes"] = double(stepBytes + sizeof(MissionPageData));
}
BENCHMARK(BM_MemoryOf200SingleItemMoves)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
