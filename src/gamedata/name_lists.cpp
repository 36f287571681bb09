#include "gamedata/name_lists.h"

#include "foundation/file_access.h"
#include "gamedata/pff_archive.h"

#include <string>

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Appends the lower-cased `name` unless the list holds it already. False when memory ran out.
bool appendOnce(StringList* list, const std::string& name) {
    const std::string lower = lowerAscii(name);
    if (strlist_Find(list, lower.c_str()) != nullptr) return true;
    return strlist_Append(list, lower.c_str()) != nullptr;
}

} // namespace

StringList* namelist_Build(const char* pattern) {
    if (pattern == nullptr) return nullptr;
    StringList* list = strlist_New();
    if (list == nullptr) return nullptr;
    const FileState& state = file_State();

    if (state.looseFirst || state.archiveCount == 0) {
        if (DirList* disk = dirlist_Find(pattern, kDirListIgnoreCase)) {
            bool ok = true;
            for (const DirEntry* entry = disk->first; entry && ok; entry = entry->next)
                ok = appendOnce(list, entry->name);
            dirlist_Free(disk);
            if (!ok) {
                strlist_Free(list);
                return nullptr;
            }
        }
    }

    for (ArchiveSource* source : state.archives) {
        // Only packed archives have a directory to walk.
        const auto* archive = dynamic_cast<const PffArchive*>(source);
        if (archive == nullptr || archive->directory == nullptr) continue;
        for (uint32_t i = 0; i < archive->entryCount; ++i) {
            const std::string name = pff_RecordName(archive->directory[i]);
            if (!wild_Match(name.c_str(), pattern)) continue;
            if (!appendOnce(list, name)) {
                strlist_Free(list);
                return nullptr;
            }
        }
    }

    if (list->count == 0) {
        strlist_Free(list);
        return nullptr;
    }
    return list;
}
