#pragma once
// Steps the qzmission subcommands share: loading the game data of --game DIR and reading a
// mission metafile into the current page, as the editor's start-up and Open command do.

#include "../tool_command.h"
#include "mission/mission_page.h"

#include <string>

// Makes the tool's file arguments absolute (they name files relative to where the tool was
// started, which stops being the current directory once the game data is loaded).
void tool_AbsolutePaths(std::vector<std::string>& paths);
// Loads the game data of context.gameDir. 0, or the exit status 2 when the directory cannot be
// entered or a required string table is missing.
int tool_LoadGameData(const ToolContext& context);
// Reads the metafile at `path` into the current page (Page 1) and stores `given` (the path as the
// user wrote it) as the page's mission_file. 0, or the exit status 1 when it cannot be read.
int tool_LoadMission(const std::string& path, const std::string& given, MissionPage*& page);
