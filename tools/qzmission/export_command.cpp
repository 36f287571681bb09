// qzmission export MISSION.mis OUT.bms: the binary mission of a metafile.
#include "../tool_command.h"
#include "mission_loading.h"

#include "mission/binary_export.h"

#include <cstdio>

namespace {
int runExport(const ToolContext& context, const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qzmission [--game DIR] export MISSION.mis OUT.bms\n");
        return 2;
    }
    if (!tool_CheckOutputName("qzmission", args[1])) return 2;
    std::vector<std::string> paths = args;
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(context, paths[0], args[0], page)) return status;
    // The export shows its own message when the file cannot be written.
    return export_BinaryMission(*page, paths[1].c_str()) == 1 ? 0 : 1;
}

const ToolCommand kExport("export", "MISSION.mis OUT.bms", runExport);
} // namespace
