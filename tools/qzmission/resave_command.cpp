// qzmission resave MISSION.mis OUT.mis: opens a metafile as the editor does and saves it again.
// The header date is the local time, or SOURCE_DATE_EPOCH when that is set.
#include "../tool_command.h"
#include "mission_loading.h"

#include "mission/metafile_writer.h"
#include "mission/write_failure.h"

#include <cstdio>

namespace {
int runResave(const ToolContext& context, const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qzmission [--game DIR] resave MISSION.mis OUT.mis\n");
        return 2;
    }
    if (!tool_CheckOutputName("qzmission", args[1])) return 2;
    std::vector<std::string> paths = args;
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(context, paths[0], args[0], page)) return status;
    FileFailure failure;
    if (!metafile_Write(*page, paths[1].c_str(), &failure)) {
        write_ReportFailure(paths[1].c_str(), failure);
        return 1;
    }
    return 0;
}

const ToolCommand kResave("resave", "MISSION.mis OUT.mis", runResave);
} // namespace
