// qzmission info MISSION.mis [--json]: what a metafile holds, as a summary or as the JSON dump
// of page_WriteJson.
#include "../tool_command.h"
#include "mission_loading.h"

#include "mission/page_json.h"
#include "mission/page_ops.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int countTexts(const char* first, size_t stride, int from, int to) {
    int count = 0;
    for (int n = from; n < to; ++n)
        if (first[n * stride] != '\0') ++count;
    return count;
}

void printSummary(MissionPage& page) {
    page_RebuildWaypointLists(page);
    page_CountGroupMembers(page);
    page_RebuildAreaTriggers(page);
    const GeneralInfo& g = page.general;
    std::printf("name: %.*s\n", kMissionNameSize, g.name);
    std::printf("designer: %.*s\n", kDesignerSize, g.designer);
    std::printf("terrain: %.*s\n", kPageTerrainNameSize, g.terrain);
    int by_class[9] = {};
    for (int i = 0; i < page.num_items; ++i) {
        const int32_t item_class = page.items[i].item_class;
        ++by_class[item_class >= 0 && item_class <= 8 ? item_class : 0];
    }
    std::printf("items: %d (vehicles %d, decorations %d, people %d, markers %d, buildings %d, objects %d, "
                "effects %d, other %d)\n",
                page.num_items, by_class[1], by_class[2], by_class[3], by_class[4], by_class[5], by_class[6],
                by_class[8], by_class[0] + by_class[7]);
    int triggers = 0;
    int actions = 0;
    for (int e = 0; e < page.num_events; ++e) {
        triggers += page.events[e].trigger_count;
        actions += page.events[e].action_count;
    }
    std::printf("events: %d (triggers %d, actions %d)\n", page.num_events, triggers, actions);
    int groups = 0;
    for (int n = 1; n < kMaxGroups; ++n)
        if (page.groups[n].member_count != 0 || page.groups[n].description[0] != '\0') ++groups;
    int lists = 0;
    for (int n = 1; n < kMaxWaypointLists; ++n)
        if (page.waypoints[n].member_count != 0 || page.waypoints[n].description[0] != '\0') ++lists;
    int areas = 0;
    for (int n = 1; n < kMaxAreaTriggers; ++n)
        if (page.area_triggers[n].area_number != 0 || page.area_triggers[n].description[0] != '\0') ++areas;
    int wavs = 0;
    for (int n = 1; n < kMaxWavLists; ++n)
        if (page.wav_lists[n].description[0] != '\0' || page.wav_lists[n].file_name[0] != '\0') ++wavs;
    std::printf("groups: %d\nwaypoint lists: %d\narea triggers: %d\nwav lists: %d\n", groups, lists, areas,
                wavs);
    std::printf("named layers: %d\n",
                countTexts(page.layers[0].description, sizeof(LayerName), 0, kMaxLayers));
    std::printf("briefing: %zu characters\n", strnlen(page.briefing, kBriefingSize));
    const int zones = page.wind_zones.count();
    if (zones != 0) std::printf("wind zones (older file): %d\n", zones);
}

int runInfo(const ToolContext& context, const std::vector<std::string>& args) {
    const bool json = args.size() == 2 && args[1] == "--json";
    if (args.size() != 1 && !json) {
        std::fprintf(stderr, "usage: qzmission [--game DIR] info MISSION.mis [--json]\n");
        return 2;
    }
    std::vector<std::string> paths = {args[0]};
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(context, paths[0], args[0], page)) return status;
    if (json) {
        std::string text;
        page_WriteJson(*page, text);
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
        printSummary(*page);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommand kInfo("info", "MISSION.mis [--json]", runInfo);
} // namespace
