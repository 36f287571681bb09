#include "gamedata/sunset_defs.h"

#include "foundation/line_reader.h"
#include "gamedata/def_words.h"

#include <cstdio>
#include <cstring>

namespace {

SunsetDef g_sunsets[kSunsetMax] = {};
int g_count = 0;

constexpr int kSunsetRejectLine = 1;

int handleLine(const LineTokens* line) {
    if (line == nullptr || line->count == 0) return 0;
    const char* key = line->words[0];
    const char* value = line->count >= 2 ? line->words[1] : nullptr;
    if (defword_Equal(key, "end")) {
        if (g_count >= kSunsetMax) return kSunsetRejectLine;
        ++g_count;
        return 0;
    }
    static const char* const kKnown[] = {"begin", "skygrad", "clouds", "skyheight", "horizon", "id",
                                         "gamma", "sat",     "r",      "g",         "b"};
    bool known = false;
    for (const char* word : kKnown)
        known = known || defword_Equal(key, word);
    if (!known) return kSunsetRejectLine;
    if (g_count >= kSunsetMax || value == nullptr) return 0; // no record left, or no value
    SunsetDef& sunset = g_sunsets[g_count];

    if (defword_Equal(key, "begin")) {
        defword_Copy(sunset.name, kSunsetNameSize, value);
    } else if (defword_Equal(key, "skygrad")) {
        defword_Copy(sunset.skygrad, kSunsetFileNameSize, value);
        SetExtension(sunset.skygrad, kSunsetFileNameSize, "tga");
    } else if (defword_Equal(key, "clouds")) {
        defword_Copy(sunset.clouds, kSunsetFileNameSize, value);
        SetExtension(sunset.clouds, kSunsetFileNameSize, "pcx");
    } else if (defword_Equal(key, "skyheight")) {
        sunset.skyheight = defword_Int(value);
    } else if (defword_Equal(key, "horizon")) {
        sunset.horizon = defword_Fixed16(value);
    } else {
        const uint8_t byte = static_cast<uint8_t>(defword_Int(value));
        if (defword_Equal(key, "id"))
            sunset.id = byte;
        else if (defword_Equal(key, "gamma"))
            sunset.gamma = byte;
        else if (defword_Equal(key, "sat"))
            sunset.sat = byte;
        else if (defword_Equal(key, "r"))
            sunset.r = byte;
        else if (defword_Equal(key, "g"))
            sunset.g = byte;
        else if (defword_Equal(key, "b"))
            sunset.b = byte;
    }
    return 0;
}

} // namespace

void sunset_Clear() {
    std::memset(g_sunsets, 0, sizeof g_sunsets);
    g_count = 0;
}

int sunset_Load() {
    sunset_Clear();
    const int result = ascii_ReadFile(
        kSunsetFile, [](const LineTokens* line, int) { return handleLine(line); }, 0);
    return result == 0 ? 1 : 0;
}

int sunset_LoadBuffer(const char* data, size_t size) {
    sunset_Clear();
    const int result = ascii_ReadBuffer(
        data, size, [](const LineTokens* line, int) { return handleLine(line); }, 0);
    return result == 0 ? 1 : 0;
}

void sunset_ApplyNames(const StringTable* table) {
    if (table == nullptr) return;
    for (int i = 0; i < g_count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, kStrtabSunsetKey, static_cast<int>(g_sunsets[i].id));
        if (const char* name = strtab_FindText(table, kStrtabSunsetSection, key))
            defword_Copy(g_sunsets[i].name, kSunsetNameSize, name);
    }
}

int sunset_Count() {
    return g_count;
}

SunsetDef* sunset_Get(int index) {
    return index >= 0 && index < g_count ? &g_sunsets[index] : nullptr;
}

SunsetDef* sunset_All() {
    return g_sunsets;
}
