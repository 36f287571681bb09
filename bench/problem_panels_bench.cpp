// The Find Items and Problems panels on a full page (5,000 items, 256 events of 10 triggers and
// 10 actions), with the figures they must meet:
//   AllChecks         page_CheckProblems, run after every change while the Problems panel is
//                     shown: at most 5 ms
//   FindRefilter      one keystroke in the filter box: the table filtered again (at most 10 ms),
//                     typing "rifle" and deleting it again letter by letter
//   FindRebuild       the rows made again after a change of the page (while the panel is shown)
//   PageCopy          copying the page's plain data once: the yardstick of the ratios
#include "bench_page.h"

#include "editor/find_items.h"
#include "mission/page_checks.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

void BM_AllChecks(benchmark::State& state) {
    const auto page = bench_FullPage(1);
    size_t problems = 0;
    for (auto _ : state) {
        const std::vector<PageProblem> found = page_CheckProblems(*page);
        problems = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["problems"] = static_cast<double>(problems);
}

void BM_FindRefilter(benchmark::State& state) {
    const auto page = bench_FullPage(1);
    FindItemsTable table;
    table.rebuild(*page, bench_LoadDemoData().names);
    const std::string word = "rifle";
    // Typing the word and deleting it again: each step is one keystroke.
    std::vector<std::string> steps;
    for (size_t n = 1; n <= word.size(); ++n)
        steps.push_back(word.substr(0, n));
    for (size_t n = word.size(); n-- > 0;)
        steps.push_back(word.substr(0, n));
    size_t step = 0;
    int shown = 0;
    for (auto _ : state) {
        table.setFilter(steps[step]);
        step = (step + 1) % steps.size();
        shown += table.rowCount();
    }
    benchmark::DoNotOptimize(shown);
}

void BM_FindRebuild(benchmark::State& state) {
    const auto page = bench_FullPage(1);
    FindItemsTable table;
    table.setFilter("rifle");
    for (auto _ : state) {
        table.rebuild(*page, bench_LoadDemoData().names);
        benchmark::DoNotOptimize(table.rowCount());
    }
}

void BM_PageCopy(benchmark::State& state) {
    const auto page = bench_FullPage(1);
    auto copy = std::make_unique<MissionPageData>();
    for (auto _ : state) {
        std::memcpy(copy.get(), static_cast<const MissionPageData*>(page.get()), sizeof(MissionPageData));
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_AllChecks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindRefilter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindRebuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageCopy)->Unit(benchmark::kMicrosecond);
