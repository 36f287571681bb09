#pragma once
// The editor's command line: qzmed [/SHOWALL] [/16] [--game DIR] [--screenshot FILE] [MISSION.mis]
// (Qt's own options are taken out by QApplication before this runs).

#include "editor/startup_options.h"

#include <string>

struct AppArguments {
    EditorOptions options;  // /SHOWALL, /16 (whole arguments, any letter case) and --game DIR
    std::string mission;    // the mission to open into Page 1; empty: none
    std::string screenshot; // --screenshot FILE: write the window to this PNG after start-up and exit
    bool help = false;      // --help or -h
    bool version = false;   // --version
    std::string error;      // not empty: the command line is unusable (the text says why)
};

// Reads the arguments after the program name. An argument starting with "--" that is not one of
// the options above is an error, as are an option missing its value and a second mission file.
AppArguments app_ParseArguments(int argc, const char* const* argv);

// The usage text, ending with a line feed.
const char* app_UsageText();
// The version line ("qzmed VERSION"), ending with a line feed.
const char* app_VersionText();

// What the program answers without a window: --help (or -h) and --version, looked for among all
// arguments except the values of --game and --screenshot. Read before Qt starts, so these answers
// never need a display; Help wins when both are given.
enum class AppEarlyAnswer { None, Help, Version };
AppEarlyAnswer app_EarlyAnswer(int argc, const char* const* argv);
// True when the arguments hold --screenshot with a value: the run only writes a picture.
bool app_WantsScreenshot(int argc, const char* const* argv);
