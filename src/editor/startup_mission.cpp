#include "editor/startup_mission.h"

#include "editor/editor_app.h"
#include "editor/file_commands.h"
#include "foundation/file_access.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"

bool editor_OpenMissionFile(EditorApp& app, const std::string& path) {
    // A path typed on the command line may name no file at all: that has a warning of its own.
    if (!file_ExistsLoose(path.c_str())) {
        const std::string text = fmt_Format(text_Own("UNABLE_TO_OPEN_MISSION_FILE"), {path});
        msg_Show("", text.c_str(), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    const OpenOutcome outcome = OpenMissionFile(app.document(), app.document().page(kPage1), path);
    if (outcome == OpenOutcome::Kept) return false;
    app.loadModels();
    app.updateTitle();
    app.view().repaint(EditorWindow::MapView);
    app.view().repaint(EditorWindow::ItemInfo);
    app.view().pageChanged(PageChange::Content);
    return true;
}
