#include "mission_loading.h"

#include "foundation/file_identity.h"
#include "foundation/user_message.h"
#include "gamedata/game_data_setup.h"
#include "mission/metafile_problem_text.h"
#include "mission/metafile_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void tool_AbsolutePaths(std::vector<std::string>& paths) {
    for (std::string& path : paths)
        path = gamedata_AbsolutePath(path);
}

int tool_LoadGameData(const ToolContext& context) {
    const std::string directory = gamedata_AbsolutePath(context.gameDir);
    const GameDataResult result = gamedata_LoadForTools(context.gameDir.c_str());
    if (result == GameDataResult::NoDirectory) {
        const int error = errno;
        std::fprintf(stderr, "qzmission: cannot enter the game directory %s: %s\n", directory.c_str(),
                     std::strerror(error));
        return 2;
    }
    return result == GameDataResult::Loaded ? 0 : 2;
}

void tool_ReadMission(const std::string& path, const std::string& given, MissionPage*& page,
                      MetafileReport& report) {
    // One page for the run, kept: a page is too large for the stack.
    static MissionPage* const toolPage = new MissionPage;
    page = toolPage;
    // Groups 1 and 2 named as the editor names those of the page it opens a mission into.
    metafile_Read(*page, path.c_str(), &report, DefaultGroupNames::Give);
    file_ProtectInput(path.c_str());
    char* field = page->general.mission_file;
    std::strncpy(field, given.c_str(), sizeof page->general.mission_file - 1);
    field[sizeof page->general.mission_file - 1] = '\0';
}

int tool_LoadMission(const ToolContext& context, const std::string& path, const std::string& given,
                     MissionPage*& page) {
    MetafileReport report;
    tool_ReadMission(path, given, page, report);
    if (report.clean()) return 0;
    const bool use = context.openDamaged && report.partlyReadable();
    const MetafileReadMessage message = metafile_ReadMessage(report, path, false);
    msg_Show(message.caption.c_str(), message.text.c_str(), MsgIcon::Error, MsgButtons::Ok);
    return use ? 0 : 1;
}
