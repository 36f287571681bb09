#include "shell/main_window.h"

#include "editor/command_ids.h"
#include "editor/startup_mission.h"
#include "gamedata/string_table.h"
#include "shell/app_icon.h"
#include "shell/client_area.h"
#include "shell/editor_menus.h"
#include "shell/find_items_panel.h"
#include "shell/game_text.h"
#include "shell/info_windows.h"
#include "shell/key_translation.h"
#include "shell/map_view_widget.h"
#include "shell/problems_panel.h"
#include "shell/shell_services.h"
#include "shell/status_window.h"
#include "shell/stored_settings.h"

#include <QApplication>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>

#include <algorithm>

namespace {
constexpr int kFindPanelMinWidth = 480; // pixels
constexpr int kProblemsPanelMinHeight = 180;
} // namespace

MainWindow::MainWindow(ShellServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), metrics_(shell_MeasureFixedFont()) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(shell_OwnText("MAIN_WINDOW_TITLE"));
    setWindowIcon(shell_AppIcon());
    setFocusPolicy(Qt::StrongFocus);

    client_ = new ClientArea(metrics_, this);
    setCentralWidget(client_);
    mapView_ = new MapViewWidget(app_);
    itemInfo_ = shell_MakeItemInfoWindow(app_, metrics_);
    centerInfo_ = shell_MakeCenterInfoWindow(app_, metrics_);
    client_->setChildWindows(mapView_, itemInfo_, centerInfo_);

    // The panels start hidden: the map keeps the whole window until one is asked for.
    findItems_ = new FindItemsPanel(app_, this);
    addDockWidget(Qt::RightDockWidgetArea, findItems_);
    findItems_->hide();
    problems_ = new ProblemsPanel(app_, this);
    addDockWidget(Qt::BottomDockWidgetArea, problems_);
    problems_->hide();

    menus_ = new EditorMenus(*menuBar(), mapView_);
    mapView_->setContextMenus(menus_->mapContextMenu(), menus_->itemContextMenu());

    connect(client_, &ClientArea::controlClicked, this, &MainWindow::onControlClicked);
    connect(menus_, &EditorMenus::commandChosen, this, &MainWindow::runCommand);
    for (QMenu* context : {menus_->mapContextMenu(), menus_->itemContextMenu()}) {
        connect(context, &QMenu::triggered, this,
                [this](QAction* action) { onContextCommand(shell_ActionCommand(action)); });
    }
    connect(mapView_, &MapViewWidget::centreMoved, centerInfo_, qOverload<>(&QWidget::update));
    connect(mapView_, &MapViewWidget::selectionChanged, itemInfo_, qOverload<>(&QWidget::update));
    connect(itemInfo_, &InfoWindow::clicked, this, &MainWindow::onItemInfoClicked);
    connect(centerInfo_, &InfoWindow::clicked, this, &MainWindow::onCenterInfoClicked);

    backupTimer_.setInterval(kBackupIntervalMs);
    connect(&backupTimer_, &QTimer::timeout, this, [this] { app_.backupTick(); });

    // The end of the session asks the same question as closing the window.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (quitting_ || !manager.allowsInteraction()) return;
        const bool mayClose = app_.queryClose();
        manager.release();
        if (!mayClose)
            manager.cancel();
        else
            quitting_ = true; // answered: the close that follows asks nothing more
    });
}

MainWindow::~MainWindow() {
    backupTimer_.stop();
    // The child windows paint from the editor core, which is a member and goes first: take them
    // down while it still exists.
    delete client_;
    client_ = nullptr;
    mapView_ = nullptr;
    itemInfo_ = nullptr;
    centerInfo_ = nullptr;
    delete findItems_;
    findItems_ = nullptr;
    delete problems_;
    problems_ = nullptr;
}

StartupResult MainWindow::startUp(const EditorOptions& options) {
    const StartupResult result = app_.startUp(options);
    if (result != StartupResult::Running) return result;
    menus_->applyTexts();
    client_->applyTexts();
    findItems_->applyTexts();
    problems_->applyTexts();
    app_.setRecentMissions(shell_StoredRecentMissions());
    app_.showGridSize(); // the grid-size text replaces the label's default
    backupTimer_.start();
    return result;
}

void MainWindow::showEditor(QSize size) {
    setMinimumSize(client_->minimumSizeHint() + QSize(0, menuBar()->sizeHint().height()));
    if (size.isValid()) {
        resize(size);
        show();
    } else {
        // Without a window manager nothing maximises the window: let it fill the screen anyway.
        if (const QScreen* display = screen()) resize(display->availableSize());
        showMaximized();
    }
    activateWindow();
    setFocus();
}

bool MainWindow::openMissionFile(const std::string& path) {
    return editor_OpenMissionFile(app_, path);
}

void MainWindow::startSession(const std::string& path) {
    const int recovered = app_.offerRecovery();
    if (!path.empty()) editor_OpenStartMission(app_, path, recovered);
}

QWidget* MainWindow::control(int id) const {
    return client_->control(id);
}

void MainWindow::runCommand(int command) {
    app_.command(command);
}

void MainWindow::onControlClicked(int id) {
    app_.buttonClicked(id);
    // The keys of the main window work at once after any click.
    if (!quitting_) setFocus();
}

void MainWindow::onContextCommand(int command) {
    app_.contextCommand(command);
}

void MainWindow::onItemInfoClicked() {
    // Not while a placement, a rectangle or a zoom drag is under way.
    if (!app_.mouse().idle()) return;
    app_.command(kCmdEditAttributes);
}

void MainWindow::onCenterInfoClicked() {
    if (mapView_->dragActive()) return;
    app_.command(kCmdGetCenter);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<EditorKey> key = shell_TranslateKey(*event); key && app_.keyPressed(*key)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_ && !app_.queryClose()) {
        event->ignore();
        return;
    }
    backupTimer_.stop();
    hideStatus();
    app_.closedCleanly();
    event->accept();
}

// ---- EditorView ---------------------------------------------------------------------------------

void MainWindow::redrawMap() {
    mapView_->redraw();
}

void MainWindow::repaint(EditorWindow window) {
    switch (window) {
    case EditorWindow::MapView:
        mapView_->invalidate();
        break;
    case EditorWindow::ItemInfo:
        itemInfo_->update();
        break;
    case EditorWindow::CenterInfo:
        centerInfo_->update();
        break;
    }
}

void MainWindow::setTitle(const std::string& title) {
    setWindowTitle(shell_DecodeText(title));
}

void MainWindow::setMenuCheck(int command, bool checked) {
    menus_->setCheck(command, checked);
}

void MainWindow::setMenuItem(int command, const std::string& text, bool enabled) {
    menus_->setItem(command, text, enabled);
}

void MainWindow::setControlCheck(int control, bool checked) {
    client_->setControlCheck(control, checked);
}

void MainWindow::setGridSizeText(const std::string& text) {
    client_->setGridSizeText(shell_DecodeText(text));
}

DialogResult MainWindow::openDialog(const char* templateName, MissionPage& page) {
    const std::string name = templateName != nullptr ? templateName : "";
    if (const DialogRunner* runner = dialogs_.find(name)) {
        const DialogResult result = (*runner)(this, page, services_);
        setFocus();
        return result;
    }
    return showDialogNotAvailable(name.c_str());
}

DialogResult MainWindow::showDialogNotAvailable(const char*) {
    msg_Show(TextLookup("Dialog Message", "NOT_AVAILABLE_TITLE"),
             TextLookup("Dialog Message", "NOT_AVAILABLE"), MsgIcon::Information, MsgButtons::Ok);
    return DialogResult::Cancelled;
}

std::string MainWindow::chooseFile(FileDialogKind kind, const FileFilter& filter, const std::string& start) {
    return services_.chooseFile(this, kind, filter, start);
}

void MainWindow::setRecentMissions(const std::vector<std::string>& paths) {
    menus_->setRecentMissions(paths);
    shell_StoreRecentMissions(paths);
}

void MainWindow::showStatus(const char*, const std::string& text) {
    if (status_ == nullptr) status_ = new StatusWindow(this);
    status_->reset();
    status_->setText(shell_DecodeText(text));
    status_->show();
    // The editor keeps working without returning to the event loop: let the window appear.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::setStatusText(const std::string& text) {
    if (status_ != nullptr) status_->setText(shell_DecodeText(text));
}

void MainWindow::hideStatus() {
    if (status_ != nullptr) status_->hide();
}

void MainWindow::quit(int code) {
    quitting_ = true;
    exitCode_ = code;
    close();
    QCoreApplication::exit(code);
}

void MainWindow::showPanel(EditorPanel panel) {
    // A panel opens at a size that shows a useful part of its list beside the map.
    if (panel == EditorPanel::Problems) {
        if (!problems_->isVisible()) {
            problems_->show();
            resizeDocks({problems_}, {std::max(kProblemsPanelMinHeight, height() / 4)}, Qt::Vertical);
        }
        problems_->showAndFocus();
    } else {
        if (!findItems_->isVisible()) {
            findItems_->show();
            resizeDocks({findItems_}, {std::max(kFindPanelMinWidth, width() / 3)}, Qt::Horizontal);
        }
        findItems_->showAndFocus();
    }
}

void MainWindow::pageChanged(PageChange change) {
    if (findItems_ != nullptr) findItems_->pageChanged(change);
    if (problems_ != nullptr) problems_->pageChanged(change);
}

MsgAnswer MainWindow::showMessage(const char* caption, const char* text, MsgIcon icon, MsgButtons buttons) {
    // Before the window is shown (start-up failures) the box has no owner.
    QWidget* owner = isVisible() ? this : nullptr;
    const MsgAnswer answer = services_.showMessage(owner, caption != nullptr ? caption : "",
                                                   text != nullptr ? text : "", icon, buttons);
    if (isVisible() && !quitting_) setFocus();
    return answer;
}
