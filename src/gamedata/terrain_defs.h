#pragma once
// Terrain definitions: the ".trn" file named after a terrain lists its images and its sky, water
// and fog settings. One record is reused for every terrain load.

#include <cstddef>
#include <cstdint>

constexpr int kTerrainMaxTypes = 100;
constexpr int kTerrainNameSize = 80;
constexpr int kTerrainCreatorSize = 36;
constexpr int kTerrainFileNameSize = 16;
constexpr int kTerrainFileBaseMax = 79; // characters of the terrain name used for the file name
inline constexpr const char* kTerrainExtension = "trn";

// Surface codes of a `types` entry.
constexpr uint8_t kSurfaceNone = 0;
constexpr uint8_t kSurfaceDirt = 1;
constexpr uint8_t kSurfaceGrass = 2;
constexpr uint8_t kSurfaceSnow = 3;
constexpr uint8_t kSurfaceCement = 4;
constexpr uint8_t kSurfaceSand = 5;
constexpr uint8_t kSurfacePackedDirt = 6;

// `camouflage` values.
constexpr int32_t kCamouflageGreen = 0;
constexpr int32_t kCamouflageBrown = 1;
constexpr int32_t kCamouflageWhite = 2;

// Reset values.
constexpr int32_t kTerrainDefaultSkyHeight = 1236;
constexpr int32_t kTerrainDefaultSunSlope = 60;
constexpr int32_t kTerrainDefaultHorizon = 65536; // 1.0 in 16.16
constexpr int32_t kTerrainDefaultTurbidity[3] = {23, 8, 4};
constexpr int32_t kTerrainDefaultFogColor = static_cast<int32_t>(0xC0C0C0C0u);
constexpr int32_t kTerrainWaterHeightScale = 32768; // "water_height" is stored shifted left by 15

struct TerrainType {
    uint8_t values[3]; // low 8 bits of the three numbers of the "type" line
    uint8_t surface;   // kSurface* code
};
static_assert(sizeof(TerrainType) == 4);

struct TerrainDef {
    TerrainType types[kTerrainMaxTypes];
    char terrain_name[kTerrainNameSize];
    char terrain_creator[kTerrainCreatorSize];
    char color_map[kTerrainFileNameSize];       // default extension "tga"
    char elev_map[kTerrainFileNameSize];        // "pcx"
    char detail_map[kTerrainFileNameSize];      // "pcx"
    char detail_color[kTerrainFileNameSize];    // "tga"
    char detail_elev[kTerrainFileNameSize];     // "pcx"
    char detail_shade[kTerrainFileNameSize];    // "pcx"
    char char_data[kTerrainFileNameSize];       // "txt"
    char sky_map[kTerrainFileNameSize];         // "pcx"
    char sky_palette[kTerrainFileNameSize];     // "pcx"
    char water_map[kTerrainFileNameSize];       // "pcx"
    char water_palette[kTerrainFileNameSize];   // "pcx"
    char moon_sun_object[kTerrainFileNameSize]; // "3do"
    char star_field[kTerrainFileNameSize];      // "sky"
    int32_t camouflage;
    int32_t sky_height;
    int32_t sun_slope;
    int32_t water_height;  // value * 32768
    int32_t water_opacity; // 16.16
    int32_t filter[3];
    int32_t saturation;
    int32_t gamma;
    int32_t horizon; // 16.16
    int32_t turbidity[3];
    int32_t type_count; // 0 to 100
    int32_t scale_bits;
    int32_t fog_color; // r * 65536 + g * 256 + b, parts not masked
    int32_t fog_level;
};

// Sets every field to its reset value.
void terrain_Reset(TerrainDef& def);
// Resets `def` and reads "<terrain name>.trn" (the name cut to 79 characters, its extension set
// to "trn") through the file layer when it exists. 0 only when the read failed for lack of
// memory; a missing file leaves the reset values and gives 1.
int terrain_Load(const char* terrain_name, TerrainDef& def);
// Resets `def` and reads definition text from memory (tests, fuzzing). Always 1.
int terrain_LoadBuffer(const char* data, size_t size, TerrainDef& def);
// The file name terrain_Load reads for `terrain_name` into a field of `size` bytes.
void terrain_FileName(const char* terrain_name, char* out, size_t size);
