#pragma once
// A scripted EditorView: records every call in order and answers dialogs, file choosers and
// message boxes from queues.

#include "editor/editor_view.h"
#include "support/captured_messages.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeEditorView : public EditorView {
  public:
    struct FileRequest {
        FileDialogKind kind;
        FileFilter filter;
        std::string start; // where the chooser was asked to start
    };

    // ---- What happened ----
    std::vector<std::string> log; // "redraw", "repaint:map", "title:...", "dialog:NAME", ...
    int redraws = 0;
    std::map<EditorWindow, int> repaints;
    std::vector<std::string> titles;
    std::map<int, bool> menuChecks;
    // setMenuItem calls, the latest per command (not in `log`: they follow the history).
    struct MenuItemState {
        std::string text;
        bool enabled = false;
    };
    std::map<int, MenuItemState> menuItems;
    std::map<int, bool> controlChecks;
    std::string gridText;
    std::vector<std::string> dialogs;
    std::vector<FileRequest> fileRequests;
    std::vector<std::string> statusTexts; // showStatus texts and setStatusText texts, in order
    std::string statusTemplate;
    bool statusVisible = false;
    std::vector<CapturedMessage> messages;
    std::vector<int> quits;
    std::vector<EditorPanel> panels; // showPanel calls
    // pageChanged calls (not in `log`: they follow every command).
    int selectionChanges = 0;
    int contentChanges = 0;
    std::vector<std::vector<std::string>> recentLists; // every list setRecentMissions showed

    // ---- Script ----
    std::deque<DialogResult> dialogAnswers;                  // then Accepted
    std::deque<std::string> fileAnswers;                     // then "" (cancelled)
    std::deque<MsgAnswer> messageAnswers;                    // then Ok, or Cancel for a question
    std::function<void(const char*, MissionPage&)> onDialog; // runs inside openDialog

    // Forgets what happened (the script stays).
    void clearRecord() {
        log.clear();
        redraws = 0;
        repaints.clear();
        titles.clear();
        menuChecks.clear();
        controlChecks.clear();
        gridText.clear();
        dialogs.clear();
        fileRequests.clear();
        statusTexts.clear();
        messages.clear();
        quits.clear();
        panels.clear();
        selectionChanges = 0;
        contentChanges = 0;
        recentLists.clear();
    }

    int repaintCount(EditorWindow window) const {
        auto found = repaints.find(window);
        return found == repaints.end() ? 0 : found->second;
    }
    const std::string& title() const {
        static const std::string none;
        return titles.empty() ? none : titles.back();
    }

    // ---- EditorView ----
    void redrawMap() override {
        ++redraws;
        log.push_back("redraw");
    }
    void repaint(EditorWindow window) override {
        ++repaints[window];
        log.push_back(window == EditorWindow::MapView    ? "repaint:map"
                      : window == EditorWindow::ItemInfo ? "repaint:item"
                                                         : "repaint:centre");
    }
    void setTitle(const std::string& title) override {
        titles.push_back(title);
        log.push_back("title:" + title);
    }
    void setMenuCheck(int command, bool checked) override {
        menuChecks[command] = checked;
        log.push_back("menu:" + std::to_string(command) + (checked ? "=1" : "=0"));
    }
    void setMenuItem(int command, const std::string& text, bool enabled) override {
        menuItems[command] = MenuItemState{text, enabled};
    }
    void setControlCheck(int control, bool checked) override {
        // Radio groups: checking one button unchecks the others of its group.
        for (const std::vector<int>& group :
             {std::vector<int>{1001, 1002, 1003}, std::vector<int>{1034, 1035}}) {
            bool inGroup = false;
            for (int id : group)
                inGroup = inGroup || id == control;
            if (inGroup && checked)
                for (int id : group)
                    controlChecks[id] = false;
        }
        controlChecks[control] = checked;
        log.push_back("check:" + std::to_string(control) + (checked ? "=1" : "=0"));
    }
    void setGridSizeText(const std::string& text) override {
        gridText = text;
        log.push_back("grid:" + text);
    }
    DialogResult openDialog(const char* templateName, MissionPage& page) override {
        dialogs.push_back(templateName);
        log.push_back(std::string("dialog:") + templateName);
        if (onDialog) onDialog(templateName, page);
        if (dialogAnswers.empty()) return DialogResult::Accepted;
        DialogResult answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }
    std::string chooseFile(FileDialogKind kind, const FileFilter& filter, const std::string& start) override {
        fileRequests.push_back({kind, filter, start});
        log.push_back(kind == FileDialogKind::Open ? "file:open" : "file:save");
        if (fileAnswers.empty()) return {};
        std::string answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void showStatus(const char* templateName, const std::string& text) override {
        statusTemplate = templateName;
        statusVisible = true;
        statusTexts.push_back(text);
        log.push_back("status:show");
    }
    void setStatusText(const std::string& text) override {
        statusTexts.push_back(text);
        log.push_back("status:" + text);
    }
    void hideStatus() override {
        statusVisible = false;
        log.push_back("status:hide");
    }
    void quit(int code) override {
        quits.push_back(code);
        log.push_back("quit:" + std::to_string(code));
    }
    void showPanel(EditorPanel panel) override {
        panels.push_back(panel);
        log.push_back(panel == EditorPanel::FindItems ? "panel:find" : "panel:problems");
    }
    void pageChanged(PageChange change) override {
        ++(change == PageChange::Selection ? selectionChanges : contentChanges);
    }
    void setRecentMissions(const std::vector<std::string>& paths) override {
        recentLists.push_back(paths);
        log.push_back("recent:" + std::to_string(paths.size()));
    }
    MsgAnswer showMessage(const char* caption, const char* text, MsgIcon icon, MsgButtons buttons) override {
        messages.push_back({caption ? caption : "", text ? text : "", icon, buttons});
        log.push_back(std::string("message:") + (text ? text : ""));
        if (!messageAnswers.empty()) {
            MsgAnswer answer = messageAnswers.front();
            messageAnswers.pop_front();
            return answer;
        }
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                                            : MsgAnswer::Cancel;
    }
};
