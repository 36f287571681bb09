// The editor's side of its mission files: each page's own file, the recent missions, the
// questions on closing and the recovery of backups at start.

#include "editor/editor_app.h"

#include "editor/backup.h"
#include "editor/file_commands.h"
#include "editor/file_paths.h"
#include "editor/recovery.h"
#include "editor/step_names.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"
#include "gamedata/string_table.h"
#include "mission/metafile_reader.h"

namespace {

bool validIndex(int index) {
    return index == 0 || index == 1;
}

} // namespace

std::string EditorApp::pageFile(int index) {
    if (!validIndex(index)) return {};
    return file_WholePath(file_StoredPath(document_.page(index)), kMissionFileSize - 1, wholePaths_[index]);
}

void EditorApp::noteMissionFile(int index, const std::string& path, bool recent) {
    if (!validIndex(index)) return;
    wholePaths_[index] = path;
    if (recent && recent_.add(path)) view_.setRecentMissions(recent_.entries());
}

void EditorApp::setRecentMissions(const std::vector<std::string>& paths) {
    recent_.set(paths);
    view_.setRecentMissions(recent_.entries());
}

void EditorApp::forgetRecentMission(const std::string& path) {
    if (recent_.remove(path)) view_.setRecentMissions(recent_.entries());
}

bool EditorApp::savePageAs(int index) {
    const std::string path =
        SaveMissionAs(view_, document_.page(index), file_SaveChooserStart(pageFile(index)));
    if (path.empty()) return false;
    document_.markSaved(index);
    noteMissionFile(index, path, true);
    if (index == document_.currentIndex()) updateTitle();
    return true;
}

bool EditorApp::askToSave(int index, const char* caption, const char* question) {
    if (!document_.isModified(index)) return true;
    const MsgAnswer answer = msg_Show(caption, question, MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::No) return true;
    // Cancel keeps everything; an Ok cannot answer this question and is taken as no decision.
    if (answer != MsgAnswer::Yes) return false;
    return savePageAs(index);
}

bool EditorApp::queryClose() {
    const char* exit = TextLookup("Dialog Message", "EXIT");
    return askToSave(kPage1, exit, TextLookup("Dialog Message", "SAVE_PAGE_1?")) &&
           askToSave(kPage2, exit, text_Own("SAVE_PAGE_2?"));
}

bool EditorApp::offerToSaveChanges(int index, const char* caption) {
    if (!validIndex(index)) return true;
    const std::string question = fmt_Format(text_Own("SAVE_CHANGES?"), {index + 1});
    return askToSave(index, caption, question.c_str());
}

void EditorApp::closedCleanly() {
    // A marker that cannot be written only means the next start offers these backups again.
    const std::string folder = backup_Folder();
    recovery_UnmarkRunning(folder);
    if (!recovery_OthersMarked(folder)) recovery_MarkCleanExit(folder);
}

int EditorApp::offerRecovery() {
    const std::string folder = backup_Folder();
    // The backups of an editor that is still running are its own, not lost work.
    const bool otherEditor = recovery_OtherEditorRunning(folder);
    recovery_MarkRunning(folder);
    if (otherEditor) return 0;
    const RecoveryScan scan = recovery_Scan(folder);
    int opened = 0;
    for (int index = 0; index < 2; ++index) {
        const RecoverableBackup& backup = scan.pages[index];
        if (!backup.found) continue;
        const std::string question =
            fmt_Format(text_Own("RECOVER_PAGE?"),
                       {index + 1, recovery_TimeText(backup.written), backup.path, index + 1});
        if (msg_Show(text_Own("RECOVERY_CAPTION"), question.c_str(), MsgIcon::Question, MsgButtons::YesNo) !=
            MsgAnswer::Yes)
            continue;
        MissionPage& page = document_.page(index);
        // A backup is no file of the page's own: saving it asks where. What was read of it
        // differs from every file, so the page counts as changed until it is saved.
        if (OpenMissionFile(document_, page, backup.path) == OpenOutcome::Kept) continue;
        file_StorePath(page, "");
        // The page no longer names the backup: one step, so the page counts as changed.
        document_.history(index).record(page, step_OpenName());
        wholePaths_[index].clear();
        opened |= 1 << index;
    }
    if (opened != 0) {
        loadModels();
        updateTitle();
        view_.repaint(EditorWindow::MapView);
        view_.repaint(EditorWindow::ItemInfo);
        view_.pageChanged(PageChange::Content);
    }
    return opened;
}
