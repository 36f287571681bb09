#pragma once
// Sky presets ("sunsets"), read once at start-up from "sunsets.def".

#include "gamedata/string_table.h"

#include <cstddef>
#include <cstdint>

inline constexpr const char* kSunsetFile = "sunsets.def";
constexpr int kSunsetMax = 64;
constexpr int kSunsetNameSize = 64; // at most 63 characters used
constexpr int kSunsetFileNameSize = 16;

struct SunsetDef {
    char name[kSunsetNameSize];        // "begin" word, later the display name
    char skygrad[kSunsetFileNameSize]; // extension always "tga"
    char clouds[kSunsetFileNameSize];  // extension always "pcx"
    int32_t skyheight;
    int32_t horizon; // 16.16
    uint8_t id;
    uint8_t gamma;
    uint8_t sat;
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

// Resets the count to 0 and reads "sunsets.def" through the file layer (no descrambling).
// 1 when the file exists and no line was rejected; 0 otherwise (a 65th "end" or an unknown word
// rejects its line with the parse-error message and stops the read; sunsets read so far stay).
int sunset_Load();
// The same over definition text in memory (tests, fuzzing).
int sunset_LoadBuffer(const char* data, size_t size);
// Replaces each sunset's name by "QZ2 Sunsets"/"SUNSET%03i" (with its id) of `table` where that
// key has a string, keeping 63 characters. A null table changes nothing.
void sunset_ApplyNames(const StringTable* table);

int sunset_Count();
// The sunset at `index`, or null when out of range.
SunsetDef* sunset_Get(int index);
// The whole array of kSunsetMax records (entries past the count are zero).
SunsetDef* sunset_All();
// Empties the table (count 0, every record zero).
void sunset_Clear();
