#pragma once
// Building the files of the demo game directory in memory: the images of a terrain and the
// models of the demo items. The demo directory writer (demo_game.h) decides which of
// them stay loose and which go into the archives.

#include "gamedata/terrain_defs.h"

#include <string>
#include <string_view>
#include <vector>

#include <cstdint>

// One file of the game directory: its bare name (no folder part) and its bytes.
struct DemoFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// How a terrain's images are written.
struct DemoTerrainFileOptions {
    bool jpegColourMap = true;    // also write the colour map as "<color_map>.jpg" (tried first)
    bool colourRunLength = false; // the colour map TGA as run-length type 10
    bool tilesRunLength = false;  // the detail tiles TGA as run-length type 10
};

// The images named by the terrain definition `def` of terrain `terrainName`: the colour map
// (TGA, and JPEG unless the options say otherwise), the elevation map as R16 and as 8-bit PCX of
// a grey ramp (the name the definition gives and the same base name with the other extension),
// the detail map (8-bit PCX of tile numbers) and the detail tiles (32-bit TGA). Names come from
// the definition; an image it does not name (or names with an extension the editor does not
// read for it) is not made. Appends to `out`. Touches no shared state, so terrains can be built
// side by side on several threads.
void demo_BuildTerrainFiles(const char* terrainName, const TerrainDef& def,
                            const DemoTerrainFileOptions& options, std::vector<DemoFile>& out);

// The models listed in a models table (demo/models.tsv: model, class, footprint "WxL" in metres,
// height in metres, shape, note; "#" starts a comment line), each as "<model>.3di". False with
// `error` ("line N: ...") for a line that cannot be used.
bool demo_BuildModels(std::string_view table, std::vector<DemoFile>& out, std::string* error);
