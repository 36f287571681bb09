// What the Find Items and Problems panels add to a change of the page in the real main window,
// on the offscreen platform, with the demo mission filled up to 5,000 items. Each iteration runs
// one command (Unselect All: the command boundary tells the panels, and the map is rendered) and
// lets the event loop run:
//   PanelsNeverOpened  the panels were never shown
//   PanelsClosed       both were shown and closed again: must cost what PanelsNeverOpened costs
//   PanelsOpen         both shown: the rows are made again and the checks run after the change
//   FilterKeystroke    one keystroke in the Find Items filter box with the table shown: typing
//                      "rifle" and deleting it again letter by letter (at most 10 ms)
#include "bench_page.h"

#include "demo/demo_game.h"
#include "editor/command_ids.h"
#include "shell/console_shell_services.h"
#include "shell/find_items_panel.h"
#include "shell/main_window.h"
#include "shell/problems_panel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstring>
#include <memory>
#include <vector>

namespace {

QTemporaryDir* g_game = nullptr;

enum class Panels { NeverOpened, Closed, Open };

// Starts the editor in the demo game with the full page as Page 1; false when it does not start.
bool startWithFullPage(MainWindow& window) {
    EditorOptions options;
    options.game_directory = g_game->path().toStdString();
    if (window.startUp(options) != StartupResult::Running) return false;
    window.resize(1280, 860);
    window.show();
    const auto full = bench_FullPage(1);
    MissionPage& page = window.editor().currentPage();
    std::memcpy(static_cast<MissionPageData*>(&page), static_cast<const MissionPageData*>(full.get()),
                sizeof(MissionPageData));
    return true;
}

void redraw(benchmark::State& state, Panels panels) {
    ConsoleShellServices services;
    MainWindow window(services);
    if (!startWithFullPage(window)) {
        state.SkipWithError("the editor did not start");
        return;
    }
    if (panels != Panels::NeverOpened) {
        window.runCommand(kCmdFindItems);
        window.runCommand(kCmdProblems);
        QApplication::processEvents();
    }
    if (panels == Panels::Closed) {
        window.findItemsPanel()->hide();
        window.problemsPanel()->hide();
    }
    QApplication::processEvents();
    for (auto _ : state) {
        window.runCommand(kCmdUnselectAll);
        QApplication::processEvents();
    }
    state.counters["rebuilds"] = window.findItemsPanel()->rebuildCount();
}

void BM_FilterKeystroke(benchmark::State& state) {
    ConsoleShellServices services;
    MainWindow window(services);
    if (!startWithFullPage(window)) {
        state.SkipWithError("the editor did not start");
        return;
    }
    window.runCommand(kCmdFindItems);
    QApplication::processEvents();
    QLineEdit* filter = window.findItemsPanel()->filterBox();
    const QString word = QStringLiteral("rifle");
    std::vector<QString> steps;
    for (qsizetype n = 1; n <= word.size(); ++n)
        steps.push_back(word.left(n));
    for (qsizetype n = word.size(); n-- > 0;)
        steps.push_back(word.left(n));
    size_t step = 0;
    for (auto _ : state) {
        filter->setText(steps[step]);
        step = (step + 1) % steps.size();
        QApplication::processEvents(); // the table repaints
    }
}

void BM_PanelsNeverOpened(benchmark::State& state) {
    redraw(state, Panels::NeverOpened);
}
void BM_PanelsClosed(benchmark::State& state) {
    redraw(state, Panels::Closed);
}
void BM_PanelsOpen(benchmark::State& state) {
    redraw(state, Panels::Open);
}

} // namespace

BENCHMARK(BM_PanelsNeverOpened)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelsClosed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelsOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir game;
    DemoSources sources;
    std::string error;
    if (!game.isValid() || !demo_ReadSources(std::string(QZ_SOURCE_DIR) + "/demo", sources, &error) ||
        !demo_WriteGame(sources, game.path().toStdString(), &error)) {
        std::fprintf(stderr, "panels_redraw_bench: no demo game: %s\n", error.c_str());
        return 2;
    }
    g_game = &game;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
