#include "editor/startup_mission.h"

#include "editor/editor_app.h"
#include "editor/file_commands.h"
#include "editor/mission_file_commands.h"
#include "foundation/file_access.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"

bool editor_OpenStartMission(EditorApp& app, const std::string& path, int recoveredPages) {
    if ((recoveredPages & 1) != 0) {
        const std::string text = fmt_Format(text_Own("START_MISSION_NOT_OPENED"), {path});
        msg_Show("", text.c_str(), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    return editor_OpenMissionFile(app, path);
}

bool editor_OpenMissionFile(EditorApp& app, const std::string& path) {
    // A path typed on the command line may name no file at all: that has a warning of its own.
    if (!file_ExistsLoose(path.c_str())) {
        const std::string text = fmt_Format(text_Own("UNABLE_TO_OPEN_MISSION_FILE"), {path});
        msg_Show("", text.c_str(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    return editor_ReadMissionInto(app, kPage1, path);
}
