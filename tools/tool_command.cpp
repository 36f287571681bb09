#include "tool_command.h"

#include <cstdio>
#include <cstring>

namespace {
std::vector<const ToolCommand*>& registry() {
    static std::vector<const ToolCommand*> commands;
    return commands;
}

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--game DIR] [--open-damaged] SUBCOMMAND ARGS...\n", program);
    for (const ToolCommand* command : registry())
        std::fprintf(stderr, "  %s %s\n", command->name, command->usage);
    return 2;
}
} // namespace

ToolCommand::ToolCommand(const char* command_name, const char* command_usage, ToolCommandFn command_run)
    : name(command_name), usage(command_usage), run(command_run) {
    registry().push_back(this);
}

const std::vector<const ToolCommand*>& tool_Commands() {
    return registry();
}

int tool_Main(const char* program, int argc, char** argv) {
    ToolContext context;
    int i = 1;
    while (i < argc && std::strncmp(argv[i], "--", 2) == 0) {
        if (std::strcmp(argv[i], "--game") == 0 && i + 1 < argc) {
            context.gameDir = argv[i + 1];
            i += 2;
        } else if (std::strcmp(argv[i], "--open-damaged") == 0) {
            context.openDamaged = true;
            ++i;
        } else {
            return usage(program);
        }
    }
    if (i >= argc) return usage(program);
    for (const ToolCommand* command : registry()) {
        if (std::strcmp(command->name, argv[i]) == 0) {
            std::vector<std::string> args(argv + i + 1, argv + argc);
            return command->run(context, args);
        }
    }
    std::fprintf(stderr, "%s: unknown subcommand '%s'\n", program, argv[i]);
    return usage(program);
}

bool tool_CheckOutputName(const char* program, const std::string& path) {
    if (path != "-") return true;
    std::fprintf(stderr, "%s: '-' is not an output here; name a file to write\n", program);
    return false;
}
