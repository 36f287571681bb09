#include "gamedata/game_data_setup.h"

#include "foundation/file_access.h"
#include "foundation/loose_read.h"
#include "foundation/mem_arena.h"
#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/item_defs.h"
#include "gamedata/own_texts.h"
#include "gamedata/pff_archive.h"
#include "gamedata/sunset_defs.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
GameTables g_tables;

void addArchive(const char* path, int& added) {
    PffArchive* archive = pff_Open(path);
    if (archive == nullptr) return;
    pff_AddToSet(archive);
    ++added;
}

// The disc archive path: the first two bytes of "qz2.cd" followed by the setup folder. Empty
// when the file cannot be opened.
std::string discArchivePath() {
    const std::string resolved = file_ResolveLoose(kGameDiscFile);
    if (resolved.empty()) return {};
    std::FILE* file = std::fopen(resolved.c_str(), "rb");
    if (file == nullptr) return {};
    char prefix[kGameDiscPrefixBytes + 1] = {};
    const size_t got = std::fread(prefix, 1, kGameDiscPrefixBytes, file);
    std::fclose(file);
    // A NUL among the two bytes ends the prefix, as it would in the zeroed name buffer.
    std::string path(prefix, strnlen(prefix, got));
    path += kGameDiscArchiveSuffix;
    return path;
}

// Forgets the tables of an earlier load (the tools and tests load more than once; the editor
// once). Their file bytes stay in the main arena like every loaded file (the arena may have been
// set up anew since, so its blocks are not handed back); only the table records are released.
void releaseTables() {
    if (g_tables.interface_texts != nullptr && TextLookup_Table() == g_tables.interface_texts)
        TextLookup_SetTable(nullptr);
    for (const StringTable* loaded : {g_tables.interface_texts, g_tables.names, g_tables.item_names}) {
        StringTable* table = const_cast<StringTable*>(loaded);
        if (table == nullptr) continue;
        table->ownedBlock = nullptr;
        strtab_Free(table);
    }
    g_tables = GameTables{};
}

void unableToLoad(const char* name) {
    const std::string text = fmt_Format(text_Own("UNABLE_TO_LOAD_FILE"), {name});
    msg_Show("", text.c_str(), MsgIcon::None, MsgButtons::Ok);
}
} // namespace

const GameTables& gamedata_Tables() {
    return g_tables;
}

int gamedata_OpenArchives() {
    mem_InitAll();
    file_ResetState();
    pff_ClearSet();
    int added = 0;
    const std::string disc = discArchivePath();
    addArchive(kGameMainArchive, added);
    addArchive(kGameTerrainArchive, added);
    if (!disc.empty()) addArchive(disc.c_str(), added);
    file_SetLooseFirst(1);
    return added;
}

GameDataResult gamedata_Load() {
    const GameDataResult result = gamedata_LoadTables();
    if (result != GameDataResult::Loaded) return result;
    return gamedata_LoadDefinitions();
}

GameDataResult gamedata_LoadTables() {
    gamedata_OpenArchives();
    releaseTables();

    const StringTable* texts = strtab_Load(kStrtabInterfaceFile);
    if (texts == nullptr) {
        unableToLoad(kStrtabInterfaceFile);
        return GameDataResult::MissingTexts;
    }
    TextLookup_SetTable(texts);
    g_tables.interface_texts = texts;

    const StringTable* names = strtab_Load(kStrtabNamesFile);
    if (names == nullptr) {
        unableToLoad(kStrtabNamesFile);
        return GameDataResult::MissingNames;
    }
    g_tables.names = names;
    g_tables.item_names = strtab_Load(kStrtabItemNamesFile);
    return GameDataResult::Loaded;
}

GameDataResult gamedata_LoadDefinitions() {
    // A missing or wholly unreadable file leaves no definitions although the load "succeeds";
    // the editor could then place nothing, so that is reported like a failed load. A damaged
    // file has already shown its bad line; the definitions before it stay.
    bool complete = false;
    const bool loaded =
        itemdef_Load(kItemDefsFile, kItemDefsScrambleKey, &complete) != 0 && itemdef_Count() > 0;
    if (loaded) {
        if (g_tables.item_names != nullptr) itemdef_ApplyNames(g_tables.item_names);
    } else {
        std::string text = TextLookup("Dialog Message", "CANT_LOAD_ITEMS_DEF");
        // Not found anywhere: the loose file's own reason (missing, a directory, no permission).
        FileFailure failure;
        if (file_ExistsEx(kItemDefsFile) == 0 && !file_CheckReadable(kItemDefsFile, &failure)) {
            text += '\n';
            text += file_ReasonLine(failure);
        }
        msg_Show("", text.c_str(), MsgIcon::None, MsgButtons::Ok);
    }

    // "sunsets.def" is optional; one that is there must read whole.
    const bool sunsetsThere = file_ExistsEx(kSunsetFile) != 0;
    const bool sunsetsRead = sunset_Load() != 0;
    if (g_tables.item_names != nullptr) sunset_ApplyNames(g_tables.item_names);
    return loaded && complete && (sunsetsRead || !sunsetsThere) ? GameDataResult::Loaded
                                                                : GameDataResult::BadDefinitions;
}

GameDataResult gamedata_LoadForTools(const char* directory) {
    if (directory != nullptr && directory[0] != '\0' && ::chdir(directory) != 0)
        return GameDataResult::NoDirectory;
    return gamedata_Load();
}

std::string gamedata_AbsolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return path;
    std::string absolute = buffer;
    if (absolute.empty() || absolute.back() != '/') absolute += '/';
    return absolute + path;
}
