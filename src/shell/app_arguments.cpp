#include "shell/app_arguments.h"

#include "editor/title_text.h"

#include <cstring>
#include <string>

namespace {

bool equalsIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const char ca = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 'a' + 'A') : *a;
        const char cb = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 'a' + 'A') : *b;
        if (ca != cb) return false;
    }
    return *a == *b;
}

bool isEditorOption(const char* argument) {
    return equalsIgnoringCase(argument, "/SHOWALL") || equalsIgnoringCase(argument, "/16");
}

bool takesValue(const char* argument) {
    return std::strcmp(argument, "--game") == 0 || std::strcmp(argument, "--screenshot") == 0;
}

bool isHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

bool isVersion(const char* argument) {
    return std::strcmp(argument, "--version") == 0;
}

} // namespace

AppArguments app_ParseArguments(int argc, const char* const* argv) {
    AppArguments parsed;
    parsed.options = editor_ParseOptions(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        if (isEditorOption(argument)) continue;
        if (takesValue(argument)) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                parsed.error = std::string(argument) + " needs a value";
                return parsed;
            }
            if (std::strcmp(argument, "--screenshot") == 0) parsed.screenshot = argv[i + 1];
            ++i;
        } else if (isHelp(argument)) {
            parsed.help = true;
        } else if (isVersion(argument)) {
            parsed.version = true;
        } else if (std::strncmp(argument, "--", 2) == 0) {
            parsed.error = std::string("unknown option ") + argument;
            return parsed;
        } else if (!parsed.mission.empty()) {
            parsed.error = std::string("more than one mission file: ") + argument;
            return parsed;
        } else if (*argument != '\0') {
            parsed.mission = argument;
        }
    }
    return parsed;
}

const char* app_UsageText() {
    return "usage: qzmed [/SHOWALL] [/16] [--game DIR] [--screenshot FILE] [MISSION.mis]\n"
           "  /SHOWALL          the item attributes dialog lists every item definition\n"
           "  /16               elevation maps in false colour\n"
           "  --game DIR        the game directory (default: the current directory)\n"
           "  --screenshot FILE after start-up, write the main window (1280 x 800) to the PNG FILE and exit\n"
           "  MISSION.mis       a mission to open into Page 1\n"
           "  --help, -h        print this text and exit\n"
           "  --version         print the version and exit\n"
           "Without a display, set QT_QPA_PLATFORM=offscreen or use --screenshot FILE.\n";
}

const char* app_VersionText() {
    // The build's version, and the version the editor shows in its title and about box.
    static const std::string text =
        std::string("qzmed ") + QZMED_VERSION + " (mission editor " + kEditorVersion + ")\n";
    return text.c_str();
}

AppEarlyAnswer app_EarlyAnswer(int argc, const char* const* argv) {
    AppEarlyAnswer answer = AppEarlyAnswer::None;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        if (takesValue(argument))
            ++i;
        else if (isHelp(argument))
            return AppEarlyAnswer::Help;
        else if (isVersion(argument))
            answer = AppEarlyAnswer::Version;
    }
    return answer;
}

bool app_WantsScreenshot(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        if (!takesValue(argument)) continue;
        if (std::strcmp(argument, "--screenshot") == 0 && i + 1 < argc && argv[i + 1] != nullptr) return true;
        ++i;
    }
    return false;
}
