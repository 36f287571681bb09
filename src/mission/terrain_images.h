#pragma once
// Loading a page's terrain imagery: the terrain definition named by the page's general
// information and the images it names (colour, elevation, detail map and detail tiles), each
// found through the file layer on disk or in an archive, into the page's 1024 × 1024 buffers.

#include "gamedata/terrain_defs.h"
#include "mission/mission_page.h"

#include <cstdint>
#include <string>
#include <vector>

// The terrain record every terrain load resets and refills (one for the whole run).
TerrainDef& terrain_Current();

// The start-up option "/16": elevation maps from R16 files are stored as the false-colour ramp
// instead of the height in the green byte. Off until set.
void terrain_SetFalseColourElevation(bool on);
bool terrain_FalseColourElevation();

// Fills the terrain imagery of `page` from `page.general.terrain`:
//   - every buffer is cleared first; an empty terrain name stops there (result 1);
//   - the ".trn" file is read into terrain_Current(); a failed read gives 0;
//   - colour map: the colour map name with the extension "jpg" when that file exists and is a
//     1024 × 1024 baseline JPEG; otherwise the name itself, a ".tga" (TGA) or ".pcx" (PCX read
//     as heights) file;
//   - elevation map: a ".r16" or ".pcx" file;
//   - detail texture: a ".tga" file of 64 × 64 tiles, also stored premultiplied;
//   - character map and palette: a ".pcx" file of tile indices;
//   - outline map computed from the elevation map;
//   - the terrain's water height (whole units) in `page.general.terrain_water_height`.
// Images of another size fill only the part they cover; a missing or unreadable image leaves
// its buffer cleared. `page.detail_images_present` is 1 exactly when both the detail texture and
// the character map were loaded. Returns 1, or 0 when the ".trn" read fails or the imagery
// cannot be allocated.
int terrain_LoadImages(MissionPage& page);

// The files of terrain `terrainName` (a page's terrain field, up to kPageTerrainNameSize bytes,
// terminated or not) that terrain_LoadImages would look for and cannot find, on disk or in an
// archive: the ".trn" file alone when it is missing; otherwise each image it names that is
// missing (the colour map, counting its ".jpg" form as found, the elevation map, the detail
// texture and the character map), as the ".trn" file writes them. Empty for an empty name and
// for a terrain whose files are all there. Reads the ".trn" file into a record of its own, so
// terrain_Current() is left as it is.
std::vector<std::string> terrain_MissingFiles(const char* terrainName);

// The outline of an elevation map (kTerrainMapSize square, wrapping at the edges): kOutlinePixel
// where a pixel differs from any of its four neighbours, 0 where it equals all of them.
void terrain_ComputeOutline(const uint32_t* elevation, uint32_t* outline);
