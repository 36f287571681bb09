#pragma once
// The demo mission on the demo terrain "hills": items of every class with model graphics, three
// waypoint lists, two area triggers, groups, layers, a wav list and events that tie them together.

#include "mission/mission_page.h"

// Fills an empty page (all-zero, as a new MissionPage is) with the demo mission.
void demo_BuildMission(MissionPage& page);

// Builds the demo mission on a page of its own and writes it as a metafile to `path`. False when
// the file cannot be written.
bool demo_WriteMission(const char* path);
