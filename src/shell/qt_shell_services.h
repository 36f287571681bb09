#pragma once
// ShellServices with the real Qt boxes: QMessageBox and QFileDialog.

#include "shell/shell_services.h"

#include <QString>

class QFileDialog;

class QtShellServices : public ShellServices {
  public:
    MsgAnswer showMessage(QWidget* parent, const std::string& caption, const std::string& text, MsgIcon icon,
                          MsgButtons buttons) override;
    std::string chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter,
                           const std::string& start) override;

    // The folder a chooser with no start of its own opens in: the folder of the last file chosen
    // (kept between runs), else the current directory.
    QString lastFolder() const;

    // Sets up `dialog` as chooseFile shows it (exposed for tests, which cannot answer a modal
    // chooser): modes, filter, default extension and where it starts.
    void prepareChooser(QFileDialog& dialog, FileDialogKind kind, const FileFilter& filter,
                        const std::string& start) const;
};

// The Qt name filter of `filter`: "DESCRIPTION (PATTERNS)", with the patterns of a
// semicolon-separated list ("*.mis;*.txt") separated by spaces as Qt expects. When the
// description already ends with those patterns in parentheses it is used as it stands.
QString shell_QtNameFilter(const FileFilter& filter);
