#pragma once
// ShellServices answered from a script, for tests: records every message box and file chooser
// and answers them from queues without showing anything.

#include "shell/shell_services.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedShellServices : public ShellServices {
  public:
    struct Message {
        std::string caption;
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
    };
    struct FileRequest {
        FileDialogKind kind;
        FileFilter filter;
        std::string start; // where the chooser was asked to start
    };

    // ---- Script: answers taken in order ----
    // Message answers; when empty, Ok for Ok and Ok/Cancel boxes and Cancel for questions.
    std::deque<MsgAnswer> messageAnswers;
    // Chosen paths; when empty, "" (cancelled).
    std::deque<std::string> fileAnswers;

    // ---- What was asked ----
    std::vector<Message> messages;
    std::vector<FileRequest> fileRequests;

    MsgAnswer showMessage(QWidget* parent, const std::string& caption, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override;
    std::string chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter,
                           const std::string& start) override;
};
