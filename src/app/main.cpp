// qzmed: the mission editor. Reads the command line, starts the editor in the game directory,
// optionally opens a mission into Page 1 and runs until the main window closes.

#include "dialogs/dialog_catalogue.h"
#include "gamedata/game_data_setup.h"
#include "shell/app_arguments.h"
#include "shell/app_icon.h"
#include "shell/console_shell_services.h"
#include "shell/display_guard.h"
#include "shell/main_window.h"
#include "shell/qt_shell_services.h"
#include "shell/screenshot.h"

#include <QApplication>

#include <cstdio>

namespace {
constexpr int kExitUsage = 2;      // unusable command line, or the game data is missing
constexpr int kExitScreenshot = 1; // the screenshot could not be written
constexpr QSize kScreenshotSize{1280, 800};
} // namespace

int main(int argc, char** argv) {
    // Help and version need no window: answered before Qt looks for a display.
    switch (app_EarlyAnswer(argc, argv)) {
    case AppEarlyAnswer::Help:
        std::fputs(app_UsageText(), stdout);
        return 0;
    case AppEarlyAnswer::Version:
        std::fputs(app_VersionText(), stdout);
        return 0;
    case AppEarlyAnswer::None:
        break;
    }
    shell_PreparePlatform(app_WantsScreenshot(argc, argv), argc, argv);
    shell_BeginStartupGuard();
    QApplication application(argc, argv); // takes Qt's own options out of argv
    shell_EndStartupGuard();
    QApplication::setApplicationName(QStringLiteral("qzmed"));
    QApplication::setWindowIcon(shell_AppIcon());

    const AppArguments arguments = app_ParseArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "qzmed: %s\n%s", arguments.error.c_str(), app_UsageText());
        return kExitUsage;
    }
    // Start-up enters the game directory: paths given relative to where we were must be fixed now.
    const std::string mission = gamedata_AbsolutePath(arguments.mission);
    const std::string screenshot = gamedata_AbsolutePath(arguments.screenshot);

    // A run that only takes a picture must never wait for a click: its messages go to stderr.
    QtShellServices interactive;
    ConsoleShellServices unattended;
    ShellServices& services = screenshot.empty() ? static_cast<ShellServices&>(interactive) : unattended;
    MainWindow window(services);
    // The dialogs the window can open; a template without one answers "not available yet".
    dialogs_RegisterAll(window.dialogs(), window.editor());
    if (window.startUp(arguments.options) != StartupResult::Running) return kExitUsage;
    // A picture has a known size, whatever screen (or none) the run has.
    window.showEditor(screenshot.empty() ? QSize() : kScreenshotSize);
    if (!screenshot.empty()) {
        if (!mission.empty()) window.openMissionFile(mission);
        if (!shell_SaveScreenshot(window, QString::fromLocal8Bit(screenshot.c_str()))) {
            std::fprintf(stderr, "qzmed: cannot write the screenshot %s\n", screenshot.c_str());
            return kExitScreenshot;
        }
        return 0;
    }
    window.startSession(mission);
    return QApplication::exec();
}
