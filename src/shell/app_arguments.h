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
    std::string error;      // not empty: the command line is unusable (the text says why)
};

// Reads the arguments after the program name. An argument starting with "--" that is not one of
// the options above is an error, as are an option missing its value and a second mission file.
AppArguments app_ParseArguments(int argc, const char* const* argv);

// The usage text, ending with a line feed.
const char* app_UsageText();
