#pragma once
// The editor's command-line options. The system reads no configuration file: these are all.

#include <string>

struct EditorOptions {
    bool show_all = false;          // "/SHOWALL": the item attributes dialog lists every definition
    bool sixteen_bit_depth = false; // "/16": elevation maps as the false-colour ramp
    std::string game_directory;     // "--game DIR": the game directory (empty: the current one)
};

// Reads the arguments after the program name. An option counts only as a whole argument, compared
// without regard to letter case ("/showall" works), so a file path that merely contains "/16"
// switches nothing on. Other arguments are ignored.
EditorOptions editor_ParseOptions(int argc, const char* const* argv);
