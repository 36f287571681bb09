#pragma once
// The terrain step of a metafile load: after the blocks are read, the page's terrain (its
// definition and the images it names) is loaded from general.terrain.

#include "mission/mission_page.h"

// Loads the terrain of `page` from its terrain name (terrain_LoadImages, terrain_images.h). An
// empty name loads nothing.
void page_LoadTerrainImages(MissionPage& page);
