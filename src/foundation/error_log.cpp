#include "foundation/error_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
// -1 until decided: the environment switch is read at the first use unless a caller set it.
int g_enabled = -1;

bool decide() {
    if (g_enabled < 0) {
        const char* value = std::getenv("QZMED_ERRORLOG");
        g_enabled = (value != nullptr && std::strcmp(value, "1") == 0) ? 1 : 0;
    }
    return g_enabled == 1;
}

// The text is "a format without arguments": only "%%" means something, and it stands for "%".
// Any other conversion is written as it stands, so no caller text ever reaches printf.
void writeFormatWithoutArguments(std::FILE* file, const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        std::fputc(*p, file);
        if (p[0] == '%' && p[1] == '%') ++p;
    }
}
} // namespace

void errorlog_SetEnabled(bool enabled) {
    g_enabled = enabled ? 1 : 0;
}

bool errorlog_Enabled() {
    return decide();
}

void errorlog_Write(const char* text) {
    if (!decide()) return;
    std::FILE* file = std::fopen(kErrorLogFileName, "a");
    if (file == nullptr) return;
    writeFormatWithoutArguments(file, text != nullptr ? text : "");
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::fprintf(file, " - %i/%i/%i, %i:%02i:%02i\n", local.tm_mon + 1, local.tm_mday, local.tm_year + 1900,
                 local.tm_hour, local.tm_min, local.tm_sec);
    std::fclose(file);
}
