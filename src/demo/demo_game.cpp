#include "demo/demo_game.h"

#include "demo/demo_files.h"
#include "demo/demo_mission.h"
#include "foundation/atomic_file.h"
#include "foundation/line_reader.h"
#include "gamedata/game_data_setup.h"
#include "gamedata/item_defs.h"
#include "gamedata/pff_writer.h"
#include "gamedata/string_table_writer.h"
#include "gamedata/terrain_defs.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {
constexpr const char* kTextFolder = "text/";
constexpr const char* kTerrainFolder = "terrains/";
constexpr const char* kItemDefsSource = "items.def";
constexpr const char* kSunsetsSource = "sunsets.def";
constexpr const char* kModelsSource = "models.tsv";
constexpr const char* kRequiredTables[] = {"text", "qz2wpn"};

bool fail(std::string* error, const std::string& what) {
    if (error != nullptr) *error = what;
    return false;
}

const DemoSourceFile* findSource(const DemoSources& sources, const std::string& path) {
    for (const DemoSourceFile& file : sources)
        if (strcasecmp(file.path.c_str(), path.c_str()) == 0) return &file;
    return nullptr;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string& text, const char* suffix) {
    const size_t n = std::char_traits<char>::length(suffix);
    return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

// The part of `path` after `folder` and before the extension: "terrains/hills.trn" -> "hills".
std::string baseName(const std::string& path, const char* folder) {
    std::string name = path.substr(std::char_traits<char>::length(folder));
    return name.substr(0, name.rfind('.'));
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// "items.def" as the game ships it: the scramble mark, then the text scrambled with its key.
std::vector<uint8_t> scrambledItemDefs(const std::string& text) {
    std::vector<uint8_t> bytes(sizeof kScrambleMark + text.size());
    std::memcpy(bytes.data(), kScrambleMark, sizeof kScrambleMark);
    if (!text.empty()) std::memcpy(bytes.data() + sizeof kScrambleMark, text.data(), text.size());
    ascii_Scramble(bytes.data() + sizeof kScrambleMark, text.size(), kItemDefsScrambleKey);
    return bytes;
}

// Every "text/NAME.txt" becomes the table "NAME.bin".
bool buildTables(const DemoSources& sources, std::vector<DemoFile>& tables, std::string* error) {
    for (const DemoSourceFile& file : sources) {
        if (!startsWith(file.path, kTextFolder) || !endsWith(file.path, ".txt")) continue;
        StrtabSource source;
        std::string message;
        DemoFile table;
        table.name = baseName(file.path, kTextFolder) + ".bin";
        if (!strtab_ParseSource(file.bytes, source, &message) || !strtab_Build(source, table.bytes, &message))
            return fail(error, file.path + ": " + message);
        tables.push_back(std::move(table));
    }
    for (const char* required : kRequiredTables) {
        const std::string name = std::string(required) + ".bin";
        if (std::none_of(tables.begin(), tables.end(), [&](const DemoFile& f) { return f.name == name; }))
            return fail(error, std::string("missing source ") + kTextFolder + required + ".txt");
    }
    return true;
}

// One terrain of the demo: its definition file and the images it names.
struct TerrainJob {
    std::string name;
    TerrainDef def;
    DemoTerrainFileOptions options;
    std::vector<DemoFile> files;
};

// The options each demo terrain is made with. The coast is the terrain whose colour map comes
// from its run-length TGA (no JPEG); the hills carry run-length detail tiles, so both TGA kinds
// are read from the demo data.
DemoTerrainFileOptions terrainOptions(const std::string& name) {
    DemoTerrainFileOptions options;
    if (strcasecmp(name.c_str(), "coast") == 0) {
        options.jpegColourMap = false;
        options.colourRunLength = true;
    }
    if (strcasecmp(name.c_str(), "hills") == 0) options.tilesRunLength = true;
    return options;
}

// Builds the images of every terrain, the terrains side by side. The definitions are read here,
// one after the other, as the line reader has a single line buffer.
std::vector<TerrainJob> buildTerrains(const DemoSources& sources) {
    std::vector<TerrainJob> jobs;
    for (const DemoSourceFile& file : sources) {
        if (!startsWith(file.path, kTerrainFolder) || !endsWith(file.path, ".trn")) continue;
        TerrainJob job;
        job.name = baseName(file.path, kTerrainFolder);
        terrain_LoadBuffer(file.bytes.data(), file.bytes.size(), job.def);
        job.options = terrainOptions(job.name);
        job.files.push_back({job.name + ".trn", bytesOf(file.bytes)});
        jobs.push_back(std::move(job));
    }
    std::vector<std::future<void>> running;
    for (TerrainJob& job : jobs)
        running.push_back(std::async(std::launch::async, [&job] {
            demo_BuildTerrainFiles(job.name.c_str(), job.def, job.options, job.files);
        }));
    for (std::future<void>& done : running)
        done.get();
    return jobs;
}

class Writer {
  public:
    Writer(const std::string& outdir, DemoGameContents& contents) : outdir_(outdir), contents_(contents) {}
    bool loose(const DemoFile& file, std::string* error) {
        if (file.bytes.empty()) return fail(error, "nothing was built for " + file.name);
        const std::string path = outdir_ + "/" + file.name;
        FileFailure failure;
        if (!file_WriteWhole(path.c_str(), file.bytes.data(), file.bytes.size(), &failure))
            return fail(error, "cannot write " + path + ": " + file_FailureText(failure));
        contents_.looseFiles.push_back(file.name);
        return true;
    }
    bool archive(const char* name, const std::vector<PffWriterEntry>& entries,
                 std::vector<std::string>& listed, std::string* error) {
        const std::string path = outdir_ + "/" + name;
        std::string message;
        if (!pff_WriteArchive(path.c_str(), entries, &message))
            return fail(error, "cannot write " + path + ": " + message);
        for (const PffWriterEntry& entry : entries)
            listed.push_back(entry.name);
        return true;
    }

  private:
    std::string outdir_;
    DemoGameContents& contents_;
};

PffWriterEntry entryOf(DemoFile&& file, bool scrambled) {
    PffWriterEntry entry;
    entry.name = std::move(file.name);
    entry.data = std::move(file.bytes);
    entry.scrambled = scrambled;
    return entry;
}
} // namespace

bool demo_ReadSources(const std::string& folder, DemoSources& out, std::string* error) {
    out.clear();
    std::error_code code;
    if (!fs::is_directory(folder, code)) return fail(error, "no demo folder " + folder);
    auto add = [&](const fs::path& path, const std::string& relative) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        out.push_back({relative, std::string(std::istreambuf_iterator<char>(in), {})});
        return true;
    };
    for (const char* name : {kItemDefsSource, kSunsetsSource, kModelsSource})
        if (!add(fs::path(folder) / name, name)) return fail(error, "cannot read " + folder + "/" + name);
    for (const auto& [sub, extension] : {std::pair{kTextFolder, ".txt"}, std::pair{kTerrainFolder, ".trn"}}) {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::directory_iterator(fs::path(folder) / sub, code))
            if (entry.is_regular_file() && endsWith(entry.path().filename().string(), extension))
                paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths)
            if (!add(path, sub + path.filename().string()))
                return fail(error, "cannot read " + path.string());
    }
    return true;
}

bool demo_WriteGame(const DemoSources& sources, const std::string& outdir, std::string* error,
                    DemoGameContents* contents) {
    DemoGameContents local;
    DemoGameContents& listed = contents != nullptr ? *contents : local;
    listed = DemoGameContents{};

    const DemoSourceFile* itemDefs = findSource(sources, kItemDefsSource);
    const DemoSourceFile* sunsets = findSource(sources, kSunsetsSource);
    const DemoSourceFile* models = findSource(sources, kModelsSource);
    for (const auto& [file, name] : {std::pair{itemDefs, kItemDefsSource}, std::pair{sunsets, kSunsetsSource},
                                     std::pair{models, kModelsSource}})
        if (file == nullptr) return fail(error, std::string("missing source ") + name);

    std::vector<DemoFile> tables;
    if (!buildTables(sources, tables, error)) return false;
    std::vector<DemoFile> modelFiles;
    std::string message;
    if (!demo_BuildModels(models->bytes, modelFiles, &message))
        return fail(error, std::string(kModelsSource) + ": " + message);

    std::error_code code;
    fs::create_directories(outdir, code);
    if (!fs::is_directory(outdir, code)) return fail(error, "cannot create " + outdir);
    Writer writer(outdir, listed);

    // qz2.pff: the models, the item and sky names (stored scrambled; string tables are loaded as
    // whole entries, which unscramble) and a copy of the sky presets.
    std::vector<PffWriterEntry> mainEntries;
    for (DemoFile& model : modelFiles)
        mainEntries.push_back(entryOf(std::move(model), false));
    for (DemoFile& table : tables) {
        if (table.name == "qz2items.bin") {
            mainEntries.push_back(entryOf(std::move(table), true));
        } else if (!writer.loose(table, error)) {
            return false;
        }
    }
    mainEntries.push_back({kSunsetsSource, bytesOf(sunsets->bytes), false});
    if (!writer.loose({kItemDefsFile, scrambledItemDefs(itemDefs->bytes)}, error)) return false;
    if (!writer.loose({kSunsetsSource, bytesOf(sunsets->bytes)}, error)) return false;
    if (!writer.archive(kGameMainArchive, mainEntries, listed.mainArchive, error)) return false;
    mainEntries.clear();

    // Terrains: one packed into terrains.pff (image readers take entries as stored, so none of
    // them is scrambled), the others loose.
    std::vector<PffWriterEntry> terrainEntries;
    for (TerrainJob& job : buildTerrains(sources)) {
        const bool archived = strcasecmp(job.name.c_str(), kDemoArchivedTerrain) == 0;
        for (DemoFile& built : job.files) {
            if (built.bytes.empty()) return fail(error, "nothing was built for " + built.name);
            if (archived) {
                terrainEntries.push_back(entryOf(std::move(built), false));
            } else if (!writer.loose(built, error)) {
                return false;
            }
        }
    }
    if (!terrainEntries.empty() &&
        !writer.archive(kGameTerrainArchive, terrainEntries, listed.terrainArchive, error))
        return false;

    const std::string mission = outdir + "/" + kDemoMissionFile;
    if (!demo_WriteMission(mission.c_str())) return fail(error, "cannot write " + mission);
    listed.looseFiles.push_back(kDemoMissionFile);
    return true;
}
