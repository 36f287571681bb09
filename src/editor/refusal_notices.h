#pragma once
// What the editor tells the user when it cannot do what was asked, or does only part of it: an
// insert into a full page, a copy or paste of which only some items fit, a mission whose terrain
// files cannot be found. The texts are "Dialog Message" formats, each checked against its
// arguments (a table without them gives the built-in wording); notice_Show shows one as a
// warning with the caption "WARNING".

#include "mission/mission_page.h"

#include <string>
#include <vector>

// The refusal of an insert into `page` when it already holds kMaxItems items; empty when it has room.
std::string notice_InsertRefused(const MissionPage& page);
// A numeric copy that added `copied` of `wanted` items; empty when every one was copied.
std::string notice_CopyCutShort(int copied, int wanted);
// A paste that added `pasted` of `wanted` items; empty when every one was pasted.
std::string notice_PasteCutShort(int pasted, int wanted);
// The files of terrain `terrainName` that cannot be found (terrain_MissingFiles), named in one
// text; empty when none is missing.
std::string notice_TerrainFilesMissing(const std::string& terrainName,
                                       const std::vector<std::string>& missing);

// Shows `text` in a warning box with an OK button through msg_Show; nothing when it is empty.
// True when a box was shown.
bool notice_Show(const std::string& text);

// After a mission was read into `page`: names the files of its terrain that cannot be found, when
// there are any. True when a box was shown.
bool notice_ShowMissingTerrain(const MissionPage& page);
