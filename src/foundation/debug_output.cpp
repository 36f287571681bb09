#include "foundation/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
DebugSinkFn g_sink = nullptr;

bool envEnabled() {
    // Read once: the switch belongs to the process, not to one call.
    static const bool enabled = [] {
        const char* value = std::getenv("QZMED_DEBUG");
        return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}
} // namespace

void debug_SetSink(DebugSinkFn sink) {
    g_sink = sink;
}

bool debug_OutputEnabled() {
    return g_sink != nullptr || envEnabled();
}

void debug_Output(const char* line) {
    if (line == nullptr) line = "";
    if (g_sink != nullptr) {
        g_sink(line);
        return;
    }
    if (!envEnabled()) return;
    size_t length = std::strlen(line);
    std::fputs(line, stderr);
    if (length == 0 || line[length - 1] != '\n') std::fputc('\n', stderr);
}
