#pragma once
// The editor core: start-up, the command entry points of the main window (commands, buttons,
// keys, context menus), the backup timer and the closing question. It owns the document (the
// pages, the view state and everything else the editor changes) and reaches the screen only
// through an EditorView.
//
// The user interface drives it in this order: construct it with the view; startUp (on false the
// program ends); show the main window; createOffscreenImage with the map view's size; then
// forward commands, keys and button clicks, call backupTick every kBackupIntervalMs, and call
// queryClose when the window is asked to close.

#include "editor/backup.h"
#include "editor/editor_document.h"
#include "editor/editor_view.h"
#include "editor/key_bindings.h"
#include "editor/mouse_tool.h"
#include "editor/recent_missions.h"
#include "editor/startup_options.h"
#include "mission/mission_page.h"
#include "render/map_render.h"
#include "render/raster_target.h"
#include "render/view_state.h"

#include <string>
#include <vector>

enum class StartupResult {
    Running,      // the editor is set up; run the event loop
    NoDirectory,  // the game directory could not be entered (message shown)
    MissingTexts, // "text.bin" could not be loaded (warning shown); end the program
    MissingNames, // "qz2wpn.bin" could not be loaded (warning shown); end the program
};

class EditorApp {
  public:
    // Installs `view` as the sink of msg_Show for the life of the editor. The document starts
    // empty (EditorDocument()); startUp sets it up as the editor starts.
    explicit EditorApp(EditorView& view);
    ~EditorApp();
    EditorApp(const EditorApp&) = delete;
    EditorApp& operator=(const EditorApp&) = delete;

    // The start-up: options; the memory arenas, the archive set and loose files first; the
    // string tables (a missing "text.bin" or "qz2wpn.bin" shows "Warning: Unable to load file
    // NAME" and stops here); both pages cleared with Page 1 current; the model tables cleared;
    // the view state's start values, then the main window's (show flags, snap off, grid 512 m)
    // with the matching controls, grid text, title and menu checks; the item definitions with
    // their display names ("CANT_LOAD_ITEMS_DEF" when there are none); the sky presets with
    // theirs.
    StartupResult startUp(const EditorOptions& options);

    // The off-screen image for a map view of the given size (raster_ImageWidth wide). On failure
    // "CANT_CREATE_DIB" is shown, the editor runs on and the map view shows nothing.
    bool createOffscreenImage(int viewWidth, int viewHeight);
    RasterImage& image() { return image_; }
    // Renders the current page into the off-screen image, with the placement preview of the
    // mouse tools unless `options` names another. 0 (nothing drawn) without an image.
    int renderMap(const MapRenderOptions& options = {});

    // Runs command `command` of the command table. False for a number the table does not hold
    // (such commands do nothing).
    bool command(int command);
    // A click on control `control`: its command, if it has one.
    void buttonClicked(int control);
    // A command chosen in a map-view context menu; only the forwarded ones run.
    void contextCommand(int command);
    // A key pressed in the main window. False when the key is not bound (default handling).
    bool keyPressed(EditorKey key);

    // One tick of the backup timer.
    BackupWriter::Result backupTick() { return backup_.tick(document_.page(kPage1), document_.page(kPage2)); }
    // A close request: asks about each page that differs from its opened or saved state
    // (EditorDocument::isModified), Page 1 with "SAVE_PAGE_1?", then Page 2. Yes saves the page
    // through the save chooser, No goes on. True when the window may close; false after Cancel,
    // and after Yes when the save was cancelled or failed (pages saved before that stay saved).
    bool queryClose();
    // Before page `index` is replaced by File > Open, a recent mission or File > Clear: when it
    // differs from its opened or saved state, asks (caption `caption`) whether to save it first.
    // Yes saves it through the save chooser, No discards the changes. True when the command may
    // go on; false after Cancel, or after Yes when the save was cancelled or failed.
    bool offerToSaveChanges(int index, const char* caption);
    // The window closed as the user asked: records the clean exit, so that the next start offers
    // no backup of this run (unless another editor's backups share the folder: then the record
    // is left to the last editor that closes).
    void closedCleanly();
    // At start: offers to open each backup written after the last clean exit into its page (one
    // Yes/No question per page; nothing is deleted whatever the answer), unless another editor
    // using the same backups is running. Marks this editor as running until closedCleanly.
    // Returns the pages opened, bit 0 for Page 1 and bit 1 for Page 2.
    int offerRecovery();

    // ---- Mission files -------------------------------------------------------------------------
    // The whole path of page `index`'s own file (0 or 1): "" when it has none, or only a cut one.
    std::string pageFile(int index);
    // Page `index` was read from or written to `path`: keeps its whole path and, when `recent`,
    // puts it at the top of the recent missions (shown and stored through the view).
    void noteMissionFile(int index, const std::string& path, bool recent);
    // The missions last opened or saved, most recent first.
    const RecentMissions& recentMissions() const { return recent_; }
    // Replaces the recent missions with a stored list (at start-up), and shows it.
    void setRecentMissions(const std::vector<std::string>& paths);
    // Takes `path` off the recent missions, and shows the list.
    void forgetRecentMission(const std::string& path);

    // ---- Shared steps of the commands ---------------------------------------------------------
    void updateTitle();      // from the current page's mission_file
    void showGridSize();     // the grid-size text
    void updateMenuChecks(); // insert mode, view by type, view by side
    // Loads the model of every definition used by an item of either page (except people) that
    // has a graphic and no model yet, with the status window while it runs.
    void loadModels();
    // Makes page `index` (0 or 1) current, with its radio button, menu checks, map repaint and
    // title; nothing when it is current already.
    void switchPage(int index);
    // Sets every control to the view state (radio buttons, check boxes, grid text).
    void syncControls();

    // ---- Undo and redo ------------------------------------------------------------------------
    // Every command is one step of the current page's history when it changed the page
    // (PageHistory::record after it runs); a mouse message that changed the page is one step when
    // the map view hands its result to mouseFinished. Dialogs run inside their commands, so a
    // dialog is one step, and none when it changed nothing.

    // Takes back (does again) the newest step of the current page: the page as it was, its terrain
    // loaded again when the step changed it, the models it needs, the map and item information
    // drawn again. Nothing while the mouse places items or when there is no such step.
    void undo();
    void redo();
    // After a mouse message: the step of a result with kMousePageChanged, named after its
    // MouseEdit ("Move", "Paste 12 Items", "Insert Item"); the selection of any other result
    // taken into the history without a step.
    void mouseFinished(const MouseResult& result);
    // The Edit menu's Undo and Redo items (text, greyed) and the title's changed mark follow the
    // current page's history. Sets only what differs from what was set last.
    void updateHistoryShown();

    EditorView& view() { return view_; }
    // Everything the editor changes: pages, clipboard, view state, options, dialog memory.
    EditorDocument& document() { return document_; }
    // The mouse tools of the map view, and what they work on now: the current page, the
    // clipboard, the view state, the off-screen image and the insert-item dialog.
    MapMouse& mouse() { return mouse_; }
    MouseContext mouseContext();
    ViewState& viewState() { return document_.view(); }
    // The command-line options of this run.
    const EditorOptions& options() const { return document_.options(); }
    MissionPage& currentPage() { return document_.currentPage(); }

  private:
    EditorView& view_;
    EditorDocument document_;
    RasterImage image_;
    BackupWriter backup_;
    MapMouse mouse_;
    // What updateHistoryShown set last.
    std::string shownUndo_, shownRedo_;
    bool historyShown_ = false;
    bool titleModified_ = false;
    void afterHistoryMove(MissionPage& page, const std::string& terrainBefore);
    int commandDepth_ = 0; // commands running (a dialog may run one inside another)
    RecentMissions recent_;
    // Saves page `index` through the save chooser; true when it was written.
    bool savePageAs(int index);
    // Asks `question` about page `index` when it has unsaved changes; see offerToSaveChanges.
    bool askToSave(int index, const char* caption, const char* question);
    std::string wholePaths_[2]; // the uncut path last stored in each page's mission_file
};
