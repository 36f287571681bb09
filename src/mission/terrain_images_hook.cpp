#include "mission/terrain_images_hook.h"

#include "mission/terrain_images.h"

void page_LoadTerrainImages(MissionPage& page) { terrain_LoadImages(page); }
