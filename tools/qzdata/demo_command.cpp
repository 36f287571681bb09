// qzdata demo OUTDIR: writes the complete demo game directory and the demo mission.
#include "../tool_command.h"

#include "demo/demo_game.h"
#include "demo_sources.h"

#include <chrono>
#include <cstdio>

namespace {
int runDemo(const ToolContext&, const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].empty()) {
        std::fprintf(stderr, "usage: qzdata demo OUTDIR\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    DemoGameContents contents;
    std::string error;
    if (!demo_WriteGame(demo_EmbeddedSources(), args[0], &error, &contents)) {
        std::fprintf(stderr, "qzdata: %s\n", error.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %zu loose files, qz2.pff with %zu entries, terrains.pff with %zu entries (%.2f s)\n",
                args[0].c_str(), contents.looseFiles.size(), contents.mainArchive.size(),
                contents.terrainArchive.size(), seconds);
    return 0;
}

const ToolCommand kDemo("demo", "OUTDIR", runDemo);
} // namespace
