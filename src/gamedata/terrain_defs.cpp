#include "gamedata/terrain_defs.h"

#include "foundation/file_access.h"
#include "foundation/line_reader.h"
#include "gamedata/def_words.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr int kReadNoMemory = 2; // ascii_ReadFile: the file could not be loaded
constexpr int kTypeLineWords = 5;

struct FileKey {
    const char* word;
    size_t offset;
    const char* extension;
};

constexpr FileKey kFileKeys[] = {
    {"color_map", offsetof(TerrainDef, color_map), "tga"},
    {"elev_map", offsetof(TerrainDef, elev_map), "pcx"},
    {"detail_map", offsetof(TerrainDef, detail_map), "pcx"},
    {"detail_color", offsetof(TerrainDef, detail_color), "tga"},
    {"detail_elev", offsetof(TerrainDef, detail_elev), "pcx"},
    {"detail_shade", offsetof(TerrainDef, detail_shade), "pcx"},
    {"char_data", offsetof(TerrainDef, char_data), "txt"},
    {"sky_map", offsetof(TerrainDef, sky_map), "pcx"},
    {"sky_palette", offsetof(TerrainDef, sky_palette), "pcx"},
    {"water_map", offsetof(TerrainDef, water_map), "pcx"},
    {"water_palette", offsetof(TerrainDef, water_palette), "pcx"},
    {"moon_sun_object", offsetof(TerrainDef, moon_sun_object), "3do"},
    {"star_field", offsetof(TerrainDef, star_field), "sky"},
};

struct IntKey {
    const char* word;
    int32_t TerrainDef::*field;
};

constexpr IntKey kIntKeys[] = {
    {"saturation", &TerrainDef::saturation}, {"gamma", &TerrainDef::gamma},
    {"sun_slope", &TerrainDef::sun_slope},   {"sky_height", &TerrainDef::sky_height},
    {"scale_bits", &TerrainDef::scale_bits}, {"fog_level", &TerrainDef::fog_level},
};

struct NamedCode {
    const char* word;
    int32_t code;
};

constexpr NamedCode kSurfaces[] = {
    {"dirt", kSurfaceDirt},     {"grass", kSurfaceGrass}, {"snow", kSurfaceSnow},
    {"cement", kSurfaceCement}, {"sand", kSurfaceSand},   {"packed_dirt", kSurfacePackedDirt},
};

constexpr NamedCode kCamouflages[] = {
    {"green", kCamouflageGreen},
    {"brown", kCamouflageBrown},
    {"white", kCamouflageWhite},
};

const NamedCode* findCode(const NamedCode* table, size_t count, const char* word) {
    for (size_t i = 0; i < count; ++i)
        if (defword_Equal(table[i].word, word)) return &table[i];
    return nullptr;
}

// Word `index` of the line, or null when the line is shorter (a missing value counts as 0).
const char* wordAt(const LineTokens& line, int index) {
    return index < line.count ? line.words[index] : nullptr;
}

int32_t wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

void handleLine(const LineTokens& line, TerrainDef& def) {
    const char* key = line.words[0];
    const char* value = wordAt(line, 1);
    if (defword_Equal(key, "terrain_name")) {
        if (value) defword_Copy(def.terrain_name, sizeof def.terrain_name, value);
        return;
    }
    if (defword_Equal(key, "terrain_creator")) {
        if (value) defword_Copy(def.terrain_creator, sizeof def.terrain_creator, value);
        return;
    }
    for (const FileKey& file : kFileKeys) {
        if (!defword_Equal(key, file.word)) continue;
        if (value == nullptr) return;
        char* field = reinterpret_cast<char*>(&def) + file.offset;
        defword_Copy(field, kTerrainFileNameSize, value);
        if (std::strchr(field, '.') == nullptr) SetExtension(field, kTerrainFileNameSize, file.extension);
        return;
    }
    for (const IntKey& number : kIntKeys) {
        if (!defword_Equal(key, number.word)) continue;
        if (value) def.*number.field = defword_Int(value);
        return;
    }
    if (defword_Equal(key, "water_height")) {
        if (value) def.water_height = wrap32(int64_t{defword_Int(value)} * kTerrainWaterHeightScale);
    } else if (defword_Equal(key, "water_opacity")) {
        if (value) def.water_opacity = defword_Fixed16(value);
    } else if (defword_Equal(key, "horizon")) {
        if (value) def.horizon = defword_Fixed16(value);
    } else if (defword_Equal(key, "camouflage")) {
        if (const NamedCode* camouflage = findCode(kCamouflages, std::size(kCamouflages), value))
            def.camouflage = camouflage->code;
    } else if (defword_Equal(key, "filter")) {
        for (int i = 0; i < 3; ++i)
            def.filter[i] = defword_Int(wordAt(line, 1 + i));
    } else if (defword_Equal(key, "fog_color")) {
        const int64_t r = defword_Int(wordAt(line, 1));
        const int64_t g = defword_Int(wordAt(line, 2));
        const int64_t b = defword_Int(wordAt(line, 3));
        def.fog_color = wrap32(r * 65536 + g * 256 + b);
    } else if (defword_Equal(key, "turbidity")) {
        def.turbidity[0] = defword_Truncate(wordAt(line, 1));
        def.turbidity[1] = defword_Int(wordAt(line, 2));
        def.turbidity[2] = defword_Int(wordAt(line, 3));
    } else if (defword_Equal(key, "type")) {
        if (line.count != kTypeLineWords || def.type_count >= kTerrainMaxTypes || def.type_count < 0) return;
        TerrainType& entry = def.types[def.type_count];
        for (int i = 0; i < 3; ++i)
            entry.values[i] = static_cast<uint8_t>(defword_Int(line.words[1 + i]));
        const NamedCode* surface = findCode(kSurfaces, std::size(kSurfaces), line.words[4]);
        entry.surface = surface ? static_cast<uint8_t>(surface->code) : kSurfaceNone;
        ++def.type_count;
    }
    // Any other word is ignored: terrain files never stop on an unknown key.
}

LineHandler handlerFor(TerrainDef& def) {
    return [&def](const LineTokens* line, int) {
        if (line != nullptr && line->count > 0) handleLine(*line, def);
        return 0;
    };
}

} // namespace

void terrain_Reset(TerrainDef& def) {
    std::memset(&def, 0, sizeof def);
    def.sky_height = kTerrainDefaultSkyHeight;
    def.sun_slope = kTerrainDefaultSunSlope;
    def.horizon = kTerrainDefaultHorizon;
    for (int i = 0; i < 3; ++i)
        def.turbidity[i] = kTerrainDefaultTurbidity[i];
    def.fog_color = kTerrainDefaultFogColor;
}

void terrain_FileName(const char* terrain_name, char* out, size_t size) {
    if (out == nullptr || size == 0) return;
    char name[kTerrainFileBaseMax + 1];
    defword_Copy(name, sizeof name, terrain_name);
    // Room for the name and a new extension: the name may keep all of its 79 characters.
    char file[kTerrainFileBaseMax + 1 + 4];
    defword_Copy(file, sizeof file, name);
    SetExtension(file, sizeof file, kTerrainExtension);
    defword_Copy(out, size, file);
}

int terrain_Load(const char* terrain_name, TerrainDef& def) {
    terrain_Reset(def);
    char file[kTerrainFileBaseMax + 1 + 4];
    terrain_FileName(terrain_name, file, sizeof file);
    if (!file_ExistsEx(file)) return 1;
    return ascii_ReadFile(file, handlerFor(def), 0) == kReadNoMemory ? 0 : 1;
}

int terrain_LoadBuffer(const char* data, size_t size, TerrainDef& def) {
    terrain_Reset(def);
    ascii_ReadBuffer(data, size, handlerFor(def), 0);
    return 1;
}
