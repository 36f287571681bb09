#include "editor/startup_options.h"

namespace {
char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (asciiUpper(*a) != asciiUpper(*b)) return false;
    return *a == *b;
}
} // namespace

EditorOptions editor_ParseOptions(int argc, const char* const* argv) {
    EditorOptions options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument == nullptr) continue;
        if (sameIgnoringCase(argument, "/SHOWALL")) {
            options.show_all = true;
        } else if (sameIgnoringCase(argument, "/16")) {
            options.sixteen_bit_depth = true;
        } else if (std::string(argument) == "--game" && i + 1 < argc && argv[i + 1] != nullptr) {
            options.game_directory = argv[++i];
        }
    }
    return options;
}
