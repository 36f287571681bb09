#pragma once
// Loading the game data of a game directory, in the order the editor's start-up uses: memory
// arenas, the archive set ("qz2.pff", "terrains.pff" and the disc archive that "qz2.cd" names),
// loose files first, the string tables, the item definitions and the sky presets. The editor's
// start-up and the command-line tools share it, so both see a game directory the same way.

#include "gamedata/string_table.h"

#include <string>

inline constexpr const char* kGameDiscFile = "qz2.cd";
inline constexpr const char* kGameMainArchive = "qz2.pff";
inline constexpr const char* kGameTerrainArchive = "terrains.pff";
inline constexpr const char* kGameDiscArchiveSuffix = "\\QZ2SETUP\\terrains.pff";
constexpr int kGameDiscPrefixBytes = 2; // drive letter and colon of the installation disc

// The string tables kept for the whole run (null when not loaded).
struct GameTables {
    const StringTable* interface_texts = nullptr; // "text.bin", the table of TextLookup
    const StringTable* names = nullptr;           // "qz2wpn.bin": waypoint, people, condition names
    const StringTable* item_names = nullptr;      // "qz2items.bin": item and sunset names (optional)
};

// Results of gamedata_Load.
enum class GameDataResult {
    Loaded = 0,         // everything required is there (item definitions may still be missing)
    MissingTexts = 1,   // "text.bin" could not be loaded (warning shown)
    MissingNames = 2,   // "qz2wpn.bin" could not be loaded (warning shown)
    NoDirectory = 3,    // gamedata_LoadForTools could not enter the directory
    BadDefinitions = 4, // "items.def" missing, unreadable or damaged, or "sunsets.def" damaged
};

// The tables of the last gamedata_Load.
const GameTables& gamedata_Tables();

// The archive set the start-up builds, from the current directory: "qz2.pff", "terrains.pff"
// and, when "qz2.cd" can be read, its first two bytes followed by kGameDiscArchiveSuffix. The
// archives that open are added to the file layer's set in that order; the file layer is then
// switched to loose files first. Returns the number of archives added.
int gamedata_OpenArchives();

// The start-up's game data steps, from the current directory: gamedata_OpenArchives, then
// "text.bin" (made the TextLookup table) and "qz2wpn.bin", both required: a missing one is shown
// as "Warning: Unable to load file NAME" (no caption) and stops the load. Then "qz2items.bin"
// (optional, silent), "items.def" with kItemDefsScrambleKey and renamed from "qz2items.bin"
// ("CANT_LOAD_ITEMS_DEF", no caption, when it cannot be loaded or yields no definition at all),
// and "sunsets.def" renamed likewise. BadDefinitions when the definitions did not load whole
// (the load still goes on to the end, as the editor's start-up does).
GameDataResult gamedata_Load();

// The two halves of gamedata_Load, for the editor's start-up, which clears the pages and sets up
// its window between them. gamedata_LoadTables: the archives and the three string tables (results
// as gamedata_Load, never BadDefinitions). gamedata_LoadDefinitions: "items.def" and
// "sunsets.def", renamed from "qz2items.bin" when it was loaded; Loaded, or BadDefinitions when
// "items.def" is missing, unreadable, rejected a line or holds no definition, or "sunsets.def"
// is there but rejected a line (its messages were shown).
GameDataResult gamedata_LoadTables();
GameDataResult gamedata_LoadDefinitions();

// For the command-line tools: makes `directory` the current directory and runs gamedata_Load.
// Paths the tool was given must be made absolute first (gamedata_AbsolutePath).
GameDataResult gamedata_LoadForTools(const char* directory);

// `path` made absolute against the current directory (unchanged when already absolute or empty).
std::string gamedata_AbsolutePath(const std::string& path);
