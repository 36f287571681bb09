#include "foundation/text_source.h"

#include <cstring>

namespace {
TextSourceFn g_source = nullptr;
}

void text_SetSource(TextSourceFn source) {
    g_source = source;
}

const char* text_Get(const char* section, const char* key) {
    if (g_source == nullptr || section == nullptr || key == nullptr) return kBadTextString;
    const char* text = g_source(section, key);
    if (text == nullptr || text[0] == '\0') return kBadTextString;
    return text;
}

const char* text_GetOr(const char* section, const char* key, const char* fallback) {
    const char* text = text_Get(section, key);
    return std::strcmp(text, kBadTextString) == 0 ? fallback : text;
}
