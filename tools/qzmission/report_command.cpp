// qzmission report groups|areas|waypoints|events MISSION.mis OUT.txt
// qzmission report event N MISSION.mis OUT.txt
#include "../tool_command.h"
#include "mission_loading.h"

#include "mission/page_ops.h"
#include "mission/reports.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
int usage() {
    std::fprintf(stderr,
                 "usage: qzmission [--game DIR] report groups|areas|waypoints|events MISSION.mis OUT.txt\n"
                 "       qzmission [--game DIR] report event N MISSION.mis OUT.txt\n");
    return 2;
}

// A whole decimal number; false for anything else.
bool parseNumber(const std::string& text, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

int runReport(const ToolContext& context, const std::vector<std::string>& args) {
    if (args.empty()) return usage();
    const std::string& kind = args[0];
    const bool oneEvent = kind == "event";
    if (args.size() != (oneEvent ? 4u : 3u)) return usage();
    if (!oneEvent && kind != "groups" && kind != "areas" && kind != "waypoints" && kind != "events")
        return usage();
    long eventNumber = 0;
    if (oneEvent && !parseNumber(args[1], eventNumber)) return usage();

    const size_t first = oneEvent ? 2 : 1;
    if (!tool_CheckOutputName("qzmission", args.back())) return 2;
    std::vector<std::string> paths(args.begin() + static_cast<long>(first), args.end());
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(context, paths[0], args[first], page)) return status;
    const char* out = paths[1].c_str();

    ReportResult result = ReportResult::Written;
    if (kind == "groups") {
        result = report_WriteGroupList(*page, out);
    } else if (kind == "areas") {
        // The list shows the area triggers as the map view last derived them.
        page_RebuildAreaTriggers(*page);
        result = report_WriteAreaTriggerList(*page, out);
    } else if (kind == "waypoints") {
        page_RebuildWaypointLists(*page);
        result = report_WriteWaypointList(*page, out);
    } else if (kind == "events") {
        result = report_WriteEventList(*page, out);
    } else {
        const bool inRange = eventNumber >= 0 && eventNumber < page->num_events;
        result = inRange ? report_WriteEvent(*page, out, static_cast<int>(eventNumber))
                         : ReportResult::NoSuchEvent;
    }
    switch (result) {
    case ReportResult::Written:
        return 0;
    case ReportResult::WriteFailed:
        return 1; // the message was shown
    case ReportResult::NoSuchEvent:
        break;
    }
    std::fprintf(stderr, "qzmission: the mission has no event %s (it has %i)\n", args[1].c_str(),
                 page->num_events);
    return 2;
}

const ToolCommand kReport("report",
                          "groups|areas|waypoints|events MISSION.mis OUT.txt | event N MISSION.mis OUT.txt",
                          runReport);
} // namespace
