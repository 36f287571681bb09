#pragma once
// The demo game directory: everything the editor's start-up and a mission load need, built from
// the text sources of the demo (string-table sources, item and sky definitions, terrain
// definitions and the models table) plus generated images, models and archives.
//
// Layout of the written directory:
//   loose        "text.bin", "qz2wpn.bin" (string tables), "items.def" (scrambled with the
//                item-definition key, as the game ships it), "sunsets.def", the definitions and
//                images of every terrain but the archived one, and the demo mission "demo.mis"
//   "qz2.pff"    every model ("<model>.3di"), "qz2items.bin" (stored scrambled) and a second
//                copy of "sunsets.def" (the loose copy is the one found, as loose files come
//                first once the archives are open)
//   "terrains.pff" the definition and images of one terrain (kDemoArchivedTerrain)

#include <string>
#include <vector>

// One source file: its path relative to the demo folder ("text/text.txt", "terrains/hills.trn")
// and its bytes.
struct DemoSourceFile {
    std::string path;
    std::string bytes;
};
using DemoSources = std::vector<DemoSourceFile>;

inline constexpr const char* kDemoArchivedTerrain = "desert";
inline constexpr const char* kDemoMissionFile = "demo.mis";

// What was written where (bare file names, in writing order).
struct DemoGameContents {
    std::vector<std::string> looseFiles;
    std::vector<std::string> mainArchive;    // entries of "qz2.pff"
    std::vector<std::string> terrainArchive; // entries of "terrains.pff"
};

// Reads the sources from a demo folder: every "text/*.txt", "items.def", "sunsets.def",
// "models.tsv" and every "terrains/*.trn". False with `error` when the folder or a required file
// cannot be read.
bool demo_ReadSources(const std::string& folder, DemoSources& out, std::string* error);

// Writes the demo game directory into `outdir` (created when missing; files of the same names are
// replaced). Needs "text/text.txt", "text/qz2wpn.txt", "items.def", "sunsets.def" and
// "models.tsv" among the sources. False with `error` on a missing or unusable source or a file
// that cannot be written.
bool demo_WriteGame(const DemoSources& sources, const std::string& outdir, std::string* error,
                    DemoGameContents* contents = nullptr);
