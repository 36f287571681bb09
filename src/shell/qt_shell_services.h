#pragma once
// ShellServices with the real Qt boxes: QMessageBox and QFileDialog.

#include "shell/shell_services.h"

#include <QString>

class QtShellServices : public ShellServices {
  public:
    MsgAnswer showMessage(QWidget* parent, const std::string& caption, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override;
    std::string chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter) override;
};

// The Qt name filter of `filter`: "DESCRIPTION (PATTERNS)", with the patterns of a
// semicolon-separated list ("*.mis;*.txt") separated by spaces as Qt expects. When the
// description already ends with those patterns in parentheses it is used as it stands.
QString shell_QtNameFilter(const FileFilter& filter);
