#include "editor/startup_mission.h"

#include "editor/editor_app.h"
#include "editor/file_commands.h"
#include "editor/refusal_notices.h"
#include "foundation/file_access.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"
#include "mission/metafile_reader.h"

bool editor_OpenMissionFile(EditorApp& app, const std::string& path) {
    // The reader fails silently on a file it cannot open (the open dialog only offers files that
    // exist); a path typed on the command line may name none, and an empty page titled with it
    // would look like an empty mission.
    if (!file_ExistsLoose(path.c_str())) {
        const std::string text = fmt_Format(text_Own("UNABLE_TO_OPEN_MISSION_FILE"), {path});
        msg_Show("", text.c_str(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    MissionPage& page = page_Page1();
    const bool read = metafile_Load(page, path.c_str()) == 1;
    file_StorePath(page, path);
    if (read) notice_ShowMissingTerrain(page);
    app.loadModels();
    app.updateTitle();
    app.view().repaint(EditorWindow::MapView);
    app.view().repaint(EditorWindow::ItemInfo);
    app.view().pageChanged(PageChange::Content);
    return read;
}
