#pragma once
// The modal dialogs the main window can open, by template name ("GENERALINFO", "EDITEVENTS",
// ...). The dialog library registers its dialogs here; a template with no registered dialog is
// answered by MainWindow::showDialogNotAvailable.

#include "editor/editor_view.h"
#include "mission/mission_page.h"

#include <functional>
#include <map>
#include <string>

class QWidget;
class ShellServices;

// Runs one modal dialog owned by `parent` on `page`, which it edits in place. Message boxes and
// file choosers go through `services`.
using DialogRunner = std::function<DialogResult(QWidget* parent, MissionPage& page, ShellServices& services)>;

class DialogRegistry {
  public:
    // Registers (or replaces) the dialog of `templateName`; names are compared without regard to
    // ASCII letter case.
    void add(const std::string& templateName, DialogRunner runner);
    // The dialog of `templateName`, or null when none is registered.
    const DialogRunner* find(const std::string& templateName) const;
    bool empty() const { return runners_.empty(); }

  private:
    std::map<std::string, DialogRunner> runners_; // keyed by the upper-case name
};
