#include "shell/scripted_shell_services.h"

MsgAnswer ScriptedShellServices::showMessage(QWidget*, const std::string& caption, const std::string& text,
                                             MsgIcon icon, MsgButtons buttons) {
    messages.push_back({caption, text, icon, buttons});
    if (!messageAnswers.empty()) {
        const MsgAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

std::string ScriptedShellServices::chooseFile(QWidget*, FileDialogKind kind, const FileFilter& filter,
                                              const std::string& start) {
    fileRequests.push_back({kind, filter, start});
    if (fileAnswers.empty()) return {};
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}
