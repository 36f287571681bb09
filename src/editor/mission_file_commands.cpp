#include "editor/mission_file_commands.h"

#include "editor/command_ids.h"
#include "editor/editor_app.h"
#include "editor/file_commands.h"
#include "editor/file_paths.h"
#include "editor/recent_missions.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"

#include <sys/stat.h>

static_assert(kCmdRecentMissionLast - kCmdRecentMissionFirst + 1 == kRecentMissionsMax,
              "one command for each entry of Recent Missions");

namespace {

int currentIndex(EditorApp& app) {
    return app.document().currentIndex();
}

void showPageChange(EditorApp& app) {
    app.loadModels();
    app.updateTitle();
    app.view().repaint(EditorWindow::MapView);
    app.view().repaint(EditorWindow::ItemInfo);
    app.view().pageChanged(PageChange::Content);
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool editor_ReadMissionInto(EditorApp& app, int index, const std::string& path) {
    // A page that was kept needs nothing: its path, title, map and models are what they were.
    const OpenOutcome outcome = OpenMissionFile(app.document(), app.document().page(index), path);
    if (outcome == OpenOutcome::Kept || outcome == OpenOutcome::Cancelled) return false;
    app.noteMissionFile(index, path, true);
    showPageChange(app);
    return true;
}

void cmd_OpenMission(EditorApp& app, int) {
    const int index = currentIndex(app);
    if (!app.offerToSaveChanges(index, text_Own("OPEN_CAPTION"))) return;
    const OpenResult result = ChooseAndOpenMission(app.view(), app.document(), app.document().page(index),
                                                   file_ChooserStart(app.pageFile(index)));
    if (result.outcome == OpenOutcome::Cancelled || result.outcome == OpenOutcome::Kept) return;
    // A new mission is no file yet: it joins the recent missions when it is saved.
    app.noteMissionFile(index, result.path, !result.created);
    showPageChange(app);
}

void cmd_SaveMissionAs(EditorApp& app, int) {
    const int index = currentIndex(app);
    const std::string path =
        SaveMissionAs(app.view(), app.document().page(index), file_SaveChooserStart(app.pageFile(index)));
    if (path.empty()) return;
    app.document().markSaved(index);
    app.noteMissionFile(index, path, true);
    app.updateTitle();
}

void cmd_SaveMission(EditorApp& app, int command) {
    const int index = currentIndex(app);
    const std::string path = app.pageFile(index);
    if (path.empty()) {
        cmd_SaveMissionAs(app, command);
        return;
    }
    if (!file_WriteMission(app.document().page(index), path)) return;
    app.document().markSaved(index);
    app.noteMissionFile(index, path, true);
    app.updateTitle();
}

void cmd_OpenRecentMission(EditorApp& app, int command) {
    const std::string* entry = app.recentMissions().entry(command - kCmdRecentMissionFirst);
    if (entry == nullptr) return;
    const std::string path = *entry;
    if (!isRegularFile(path)) {
        const std::string text = fmt_Format(text_Own("RECENT_MISSION_MISSING"), {path});
        msg_Show(text_Own("OPEN_CAPTION"), text.c_str(), MsgIcon::Warning, MsgButtons::Ok);
        app.forgetRecentMission(path);
        return;
    }
    if (!app.offerToSaveChanges(currentIndex(app), text_Own("OPEN_CAPTION"))) return;
    editor_ReadMissionInto(app, currentIndex(app), path);
}
