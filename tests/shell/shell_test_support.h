#pragma once
// Shared set-up of the widget tests: the demo game every test starts the editor in, a main
// window over scripted services, and the registry the test classes join.

#include "shell/main_window.h"
#include "shell/scripted_shell_services.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// The demo game directory (written once per run with `qzdata demo`; absolute).
QString shellTest_GameDir();
// The demo mission inside it.
QString shellTest_DemoMission();

// A main window over scripted services, started in the demo game and shown. The game directory
// becomes the current directory (as in the editor).
struct EditorWindowFixture {
    ScriptedShellServices services;
    std::unique_ptr<MainWindow> window;

    // Creates, starts and shows the window (with a fresh script); false when start-up did not
    // succeed.
    bool start(const EditorOptions& extra = {});
    // Closes nothing: destroys the window and forgets the script.
    void stop();
    // Starts and opens the demo mission into Page 1.
    bool startWithDemoMission();
};

// ---- Registry of the test classes (one program runs them all) ----
using ShellTestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<ShellTestFactory>& shellTest_Registry();

template <typename T> struct ShellTestRegistration {
    ShellTestRegistration() {
        shellTest_Registry().push_back([] { return std::unique_ptr<QObject>(new T); });
    }
};
#define QZ_SHELL_TEST(Class) static const ShellTestRegistration<Class> registration_##Class
