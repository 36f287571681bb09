#include "mission_loading.h"

#include "gamedata/game_data_setup.h"
#include "mission/metafile_reader.h"

#include <cstdio>
#include <cstring>

void tool_AbsolutePaths(std::vector<std::string>& paths) {
    for (std::string& path : paths)
        path = gamedata_AbsolutePath(path);
}

int tool_LoadGameData(const ToolContext& context) {
    const GameDataResult result = gamedata_LoadForTools(context.gameDir.c_str());
    if (result == GameDataResult::NoDirectory) {
        std::fprintf(stderr, "qzmission: cannot enter the game directory %s\n", context.gameDir.c_str());
        return 2;
    }
    return result == GameDataResult::Loaded ? 0 : 2;
}

int tool_LoadMission(const std::string& path, const std::string& given, MissionPage*& page) {
    page = &page_Current();
    if (metafile_Load(*page, path.c_str()) != 1) {
        std::fprintf(stderr, "qzmission: cannot read the mission %s\n", given.c_str());
        return 1;
    }
    char* field = page->general.mission_file;
    std::strncpy(field, given.c_str(), sizeof page->general.mission_file - 1);
    field[sizeof page->general.mission_file - 1] = '\0';
    return 0;
}
