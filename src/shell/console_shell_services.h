#pragma once
// ShellServices for runs nobody watches (the --screenshot mode): messages are printed to standard
// error as "CAPTION: TEXT" and answered without waiting (Ok; No to a Yes/No question; Cancel to a
// Yes/No/Cancel one); every file chooser is cancelled.

#include "shell/shell_services.h"

class ConsoleShellServices : public ShellServices {
  public:
    MsgAnswer showMessage(QWidget* parent, const std::string& caption, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override;
    std::string chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter,
                           const std::string& start) override;
};
