#pragma once
// The modal services of the user interface: message boxes and file choosers. The main window and
// the dialogs reach them only through this interface, so a test can answer them from a script
// (ScriptedShellServices, tests/shell) and never blocks on a modal box.

#include "editor/editor_view.h"
#include "foundation/user_message.h"

#include <string>

class QWidget;

class ShellServices {
  public:
    virtual ~ShellServices() = default;

    // A modal message box owned by `parent` (may be null). An empty caption leaves the platform's
    // default title. Returns the button the user chose; closing the box counts as Cancel in a
    // box that has one, as No in a Yes/No question and as Ok otherwise.
    virtual MsgAnswer showMessage(QWidget* parent, const std::string& caption, const std::string& text,
                                  MsgIcon icon, MsgButtons buttons) = 0;

    // A modal file chooser owned by `parent`, showing `filter` and starting at `start` as
    // EditorView::chooseFile describes (an empty `start`: the folder last chosen in). Open
    // returns any name typed, existing or not; Save asks before overwriting a file and adds the
    // filter's default extension to a name typed without one. Returns the chosen path, or an
    // empty string when the user cancelled.
    virtual std::string chooseFile(QWidget* parent, FileDialogKind kind, const FileFilter& filter,
                                   const std::string& start) = 0;
};
