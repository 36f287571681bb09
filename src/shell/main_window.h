#pragma once
// The editor's main window: the menu bar, the controls down the left edge and along the top, the
// map view and the two information windows. It owns the editor core (EditorApp) and is its view:
// every menu item, button, key and context-menu item becomes one command of the core, and the
// core reaches the screen only through the EditorView calls implemented here. Message boxes and
// file choosers go through ShellServices, so tests can answer them from a script.
//
// Use: construct; startUp (on anything but Running the program ends); showEditor; optionally
// openMissionFile; run the event loop.

#include "editor/editor_app.h"
#include "editor/editor_view.h"
#include "shell/dialog_registry.h"
#include "shell/font_metrics.h"

#include <QMainWindow>
#include <QTimer>

class ClientArea;
class EditorMenus;
class FindItemsPanel;
class InfoWindow;
class ProblemsPanel;
class MapViewWidget;
class ShellServices;
class StatusWindow;

class MainWindow : public QMainWindow, public EditorView {
    Q_OBJECT
  public:
    explicit MainWindow(ShellServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The editor's start-up (game data, view state, controls, title, menu checks); when it
    // succeeds the menus and controls get their texts and the backup timer starts.
    StartupResult startUp(const EditorOptions& options);
    // Shows the window maximised, or at `size` when one is given, and gives it the keyboard focus.
    void showEditor(QSize size = QSize());
    // Opens the mission at `path` into Page 1 (a path relative to the current directory, which
    // start-up made the game directory). True when it was read.
    bool openMissionFile(const std::string& path);
    // The start of an interactive run, once the window shows: offers the backups of a run that
    // did not end cleanly, then opens the mission named at start (`path`, may be empty) unless
    // Page 1 took a backup.
    void startSession(const std::string& path);

    // The dialogs openDialog can run, by template name.
    DialogRegistry& dialogs() { return dialogs_; }
    EditorApp& editor() { return app_; }
    ShellServices& services() { return services_; }

    // ---- Parts, for the application and for tests ----
    const ShellMetrics& metrics() const { return metrics_; }
    QWidget* control(int id) const;
    ClientArea* clientArea() const { return client_; }
    MapViewWidget* mapView() const { return mapView_; }
    InfoWindow* itemInfoWindow() const { return itemInfo_; }
    InfoWindow* centerInfoWindow() const { return centerInfo_; }
    EditorMenus& menus() const { return *menus_; }
    StatusWindow* statusWindow() const { return status_; }
    FindItemsPanel* findItemsPanel() const { return findItems_; }
    ProblemsPanel* problemsPanel() const { return problems_; }
    const QTimer& backupTimer() const { return backupTimer_; }
    // The code quit was called with (0 until then).
    int exitCode() const { return exitCode_; }

    // Runs `command` as the menu bar would.
    void runCommand(int command);

    // ---- EditorView ----
    void redrawMap() override;
    using QWidget::repaint;
    void repaint(EditorWindow window) override;
    void setTitle(const std::string& title) override;
    void setMenuCheck(int command, bool checked) override;
    void setMenuItem(int command, const std::string& text, bool enabled) override;
    void setControlCheck(int control, bool checked) override;
    void setGridSizeText(const std::string& text) override;
    DialogResult openDialog(const char* templateName, MissionPage& page) override;
    std::string chooseFile(FileDialogKind kind, const FileFilter& filter, const std::string& start) override;
    void setRecentMissions(const std::vector<std::string>& paths) override;
    void showStatus(const char* templateName, const std::string& text) override;
    void setStatusText(const std::string& text) override;
    void hideStatus() override;
    void quit(int code) override;
    void showPanel(EditorPanel panel) override;
    void pageChanged(PageChange change) override;
    MsgAnswer showMessage(const char* caption, const char* text, MsgIcon icon, MsgButtons buttons) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void onControlClicked(int id);
    void onContextCommand(int command);
    void onItemInfoClicked();
    void onCenterInfoClicked();
    // The answer to a dialog template that has no dialog yet: tells the user so and changes
    // nothing.
    DialogResult showDialogNotAvailable(const char* templateName);

    ShellServices& services_;
    ShellMetrics metrics_;
    EditorApp app_{*this};
    DialogRegistry dialogs_;
    ClientArea* client_ = nullptr;
    MapViewWidget* mapView_ = nullptr;
    InfoWindow* itemInfo_ = nullptr;
    InfoWindow* centerInfo_ = nullptr;
    EditorMenus* menus_ = nullptr;
    StatusWindow* status_ = nullptr;      // made at the first showStatus, a child of the window
    FindItemsPanel* findItems_ = nullptr; // docked beside the map, hidden until asked for
    ProblemsPanel* problems_ = nullptr;
    QTimer backupTimer_;
    bool quitting_ = false;
    int exitCode_ = 0;
};
