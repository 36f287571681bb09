#pragma once
// Generated terrain images for the demo game data: a height field, a colour map shaded by height
// and slope, a detail map of tile indices and the 256 detail tiles. Every image repeats seamlessly
// every 1024 pixels, as the map wraps.

#include "gamedata/terrain_defs.h"

#include <cstdint>
#include <vector>

constexpr int kDemoMapSize = 1024;  // width and height of the maps, one pixel per metre
constexpr int kDemoTileSize = 64;   // detail tiles are 64 × 64 texels
constexpr int kDemoTileCount = 256; // tiles stacked top to bottom in one 64-wide picture

// The kind of landscape: rolling hills around a lake, a coast with the sea on one side, or a dry
// valley between dunes.
enum class DemoLandform { Hills, Coast, Desert };

struct DemoTerrainDef {
    DemoLandform landform = DemoLandform::Hills;
    uint32_t seed = 1;
    int waterLevel = 0; // water surface as the high byte of a height sample; 0: no water
    TerrainType types[kTerrainMaxTypes] = {}; // the ".trn" "type" lines: colour and surface code
    int typeCount = 0;
};

struct DemoTerrainImages {
    std::vector<uint16_t> heights;      // kDemoMapSize² samples, row 0 first (north)
    std::vector<uint32_t> colour;       // kDemoMapSize² pixels 0x00RRGGBB
    std::vector<uint8_t> detailMap;     // kDemoMapSize² tile numbers
    std::vector<uint8_t> detailPalette; // 256 (red, green, blue) triples: entry n has the colour of
                                        // the type of tile n, so entries 0 .. typeCount-1 are the types
    std::vector<uint32_t> detailTiles;  // kDemoTileSize × (kDemoTileSize × 256) pixels 0xAARRGGBB
};

// The description of a terrain from its definition: the landform from the terrain's name ("coast",
// "desert", anything else hills), the water level from `water_height`, the types as listed.
DemoTerrainDef demo_TerrainDef(const char* terrainName, const TerrainDef& def);

// Builds every image of a terrain. Deterministic for a given landSpec.
void demo_BuildTerrainImages(const DemoTerrainDef& landSpec, DemoTerrainImages& out);

// The detail tile number of `type` (0 .. typeCount-1) in its `variant`: tiles n with
// n % typeCount == type show that type.
int demo_TileOfType(int type, int variant, int typeCount);
