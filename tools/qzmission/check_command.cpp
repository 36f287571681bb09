// qzmission check MISSION.mis: items without a definition and the export-limit warnings.
#include "../tool_command.h"
#include "mission_loading.h"

#include "mission/export_limits.h"
#include "mission/integrity_check.h"

#include <cstdio>

namespace {
int runCheck(const ToolContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: qzmission [--game DIR] check MISSION.mis\n");
        return 2;
    }
    std::vector<std::string> paths = args;
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(paths[0], args[0], page)) return status;

    // What the integrity check window lists: each unknown item's slot, here with its type.
    const std::vector<int> unknown = page_FindUnknownItems(*page);
    for (int slot : unknown)
        std::printf("slot %i: unknown type_id %i\n", slot, page->items[slot].type_id);
    std::printf("%s\n", integrity_SummaryText(static_cast<int>(unknown.size())).c_str());
    std::fflush(stdout);

    // The warnings the export would show, in its order, on standard error.
    const size_t warnings = export_LimitWarnings(*page).size();
    page_CheckExportLimits(*page);
    return unknown.empty() && warnings == 0 ? 0 : 3;
}

const ToolCommand kCheck("check", "MISSION.mis", runCheck);
} // namespace
