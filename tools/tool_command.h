#pragma once
// Subcommands of the command-line tools. Each subcommand lives in its own file and registers
// itself with a static ToolCommand object; main() dispatches on the first word after the options.

#include <string>
#include <vector>

struct ToolContext {
    std::string gameDir = "."; // --game DIR
    bool openDamaged = false;  // --open-damaged: use what could be read of a damaged mission
};

// Exit status of a subcommand: 0 success; 1 a file could not be read or written; 2 usage error or
// required game data missing; 3 problems found (check).
using ToolCommandFn = int (*)(const ToolContext& context, const std::vector<std::string>& args);

struct ToolCommand {
    ToolCommand(const char* name, const char* usage, ToolCommandFn run);
    const char* name;
    const char* usage;
    ToolCommandFn run;
};

const std::vector<const ToolCommand*>& tool_Commands();
// Parses "[--game DIR] [--open-damaged] SUBCOMMAND ARGS..." and runs the subcommand.
int tool_Main(const char* program, int argc, char** argv);

// Output arguments name files: "-" (standard output to many tools) is refused with a usage
// message, rather than silently creating a file of that name. True when `path` may be used.
bool tool_CheckOutputName(const char* program, const std::string& path);
