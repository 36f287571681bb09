#pragma once
// The editor core's only way to the screen. The main window of the user interface implements it;
// tests implement it with a scripted fake. Every call comes from the one thread the editor runs on
// and completes before it returns (dialogs and file choosers are modal).
//
// Messages and Yes/No/Cancel questions reach the view as a MessageSink: the editor installs the
// view as the sink of msg_Show at start-up, so the messages of the lower layers (file reading,
// export limits, write failures) appear in the same boxes as the editor's own.

#include "foundation/user_message.h"
#include "mission/mission_page.h"

#include <string>
#include <vector>

// The child windows that can be asked to repaint.
enum class EditorWindow {
    MapView,    // repaints by rendering the current page (what a paint of the map view does)
    ItemInfo,   // the item information window: the selection of the current page
    CenterInfo, // the centre information window: the view centre
};

enum class DialogResult { Accepted, Cancelled };

// The dockable panels beside the map view.
enum class EditorPanel {
    FindItems, // every item of the current page, with a filter
    Problems,  // what is wrong with the current page
};

// What changed in the current page (or which page is current).
enum class PageChange {
    Selection, // only the selection
    Content,   // anything of the page, the selection included, or another page became current
};

enum class FileDialogKind {
    Open, // a file to read (the editor checks that it exists)
    Save, // asks before overwriting an existing file
};

// One filter of a file dialog: a description ("Mission files (*.mis)"), a pattern ("*.mis") and
// the extension added to a typed name that has none ("mis", without the dot; may be empty).
struct FileFilter {
    std::string description;
    std::string pattern;
    std::string default_extension;
};

class EditorView : public MessageSink {
  public:
    ~EditorView() override = default;

    // Renders the current page into the off-screen image and shows it now.
    virtual void redrawMap() = 0;
    // Marks a window for repainting; it repaints from the editor's state when the screen asks.
    virtual void repaint(EditorWindow window) = 0;
    // The caption of the main window.
    virtual void setTitle(const std::string& title) = 0;
    // The check mark of every menu item (main menu and context menus) carrying `command`.
    virtual void setMenuCheck(int command, bool checked) = 0;
    // The state of the check box or push-like radio button with control id `control`. Checking
    // one radio button of a group unchecks the others of that group.
    virtual void setControlCheck(int control, bool checked) = 0;
    // The grid-size text beside the grid buttons (control kControlGridSizeText).
    virtual void setGridSizeText(const std::string& text) = 0;
    // Runs the modal dialog whose template is named `templateName` ("GENERALINFO", "EDITEVENTS",
    // ...) on `page`, which it edits in place.
    virtual DialogResult openDialog(const char* templateName, MissionPage& page) = 0;
    // A modal file chooser. It starts at `start`: a folder, or a file whose folder it shows with
    // its name offered; with an empty `start`, in the folder it was last used in (the current
    // directory at first). Open accepts a name of a file that does not exist (the editor decides
    // what it means). Returns the chosen path, or an empty string when the user cancelled.
    virtual std::string chooseFile(FileDialogKind kind, const FileFilter& filter,
                                   const std::string& start) = 0;
    // The modeless status window made from template `templateName`, showing `text`; stays until
    // hideStatus. showStatus while one is shown replaces it.
    virtual void showStatus(const char* templateName, const std::string& text) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual void hideStatus() = 0;
    // Closes the main window without asking anything and ends the event loop with `code`.
    virtual void quit(int code) = 0;
    // The text and the enabled state of every menu item carrying `command` (the Edit menu's Undo
    // and Redo items name the step they take: "Undo Move").
    virtual void setMenuItem(int command, const std::string& text, bool enabled) = 0;
    // Shows panel `panel` (and gives it the keyboard focus).
    virtual void showPanel(EditorPanel panel) = 0;
    // Told after every command, mouse action and file load that may have changed the current page
    // or made another page current; what shows the page follows it.
    virtual void pageChanged(PageChange change) = 0;
    // Shows `paths` (most recent first) as File > Recent Missions and keeps them for the next run.
    virtual void setRecentMissions(const std::vector<std::string>& paths) { (void)paths; }
};
