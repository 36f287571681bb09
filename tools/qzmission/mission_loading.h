#pragma once
// Steps the qzmission subcommands share: loading the game data of --game DIR and reading a
// mission metafile into the current page, as the editor's start-up and Open command do.
//
// Paths in messages are absolute, in every subcommand (the tools work in the game directory,
// so a relative path would name another file there).

#include "../tool_command.h"
#include "mission/metafile_report.h"
#include "mission/mission_page.h"

#include <memory>
#include <string>

// Makes the tool's file arguments absolute (they name files relative to where the tool was
// started, which stops being the current directory once the game data is loaded).
void tool_AbsolutePaths(std::vector<std::string>& paths);
// Loads the game data of context.gameDir. 0, or the exit status 2 when the directory cannot be
// entered, a required string table is missing or the definitions did not load whole (the
// messages were printed).
int tool_LoadGameData(const ToolContext& context);
// Reads the metafile at `path` (absolute) into the current page (Page 1), stores `given` (the
// path as the user wrote it) as the page's mission_file, and marks the file as an input that no
// output of this run may replace. `report` says how the read went; nothing is printed.
void tool_ReadMission(const std::string& path, const std::string& given, MissionPage*& page,
                      MetafileReport& report);
// tool_ReadMission for the subcommands that use the mission. 0 when the page may be used: a
// clean read, or with --open-damaged whatever could be read (the problems are printed all the
// same). Otherwise the message about the file is printed and the result is the exit status 1.
int tool_LoadMission(const ToolContext& context, const std::string& path, const std::string& given,
                     MissionPage*& page);
