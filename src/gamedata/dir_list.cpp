#include "gamedata/name_lists.h"

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/def_words.h"
#include "gamedata/wild_match_core.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Found {
    std::string name;
    struct stat info;
    bool hasInfo;
};

DirTime toDirTime(const struct timespec& when) {
    DirTime out{};
    struct tm parts {};
    const time_t seconds = when.tv_sec;
    if (gmtime_r(&seconds, &parts) == nullptr) return out;
    const int year = parts.tm_year + 1900;
    if (year < 0 || year > 65535) return out;
    out.day = static_cast<uint8_t>(parts.tm_mday);
    out.month = static_cast<uint8_t>(parts.tm_mon + 1);
    out.year = static_cast<uint16_t>(year);
    out.hour = static_cast<uint8_t>(parts.tm_hour);
    out.minute = static_cast<uint8_t>(parts.tm_min);
    out.second = static_cast<uint8_t>(parts.tm_sec);
    out.millisecond = static_cast<uint8_t>((when.tv_nsec / 1000000) & 0xFF);
    return out;
}

uint32_t attributesOf(const std::string& name, const Found& found) {
    uint32_t bits = 0;
    if (found.hasInfo && S_ISDIR(found.info.st_mode)) bits |= kDirAttrDirectory;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") bits |= kDirAttrHidden;
    if (found.hasInfo && (found.info.st_mode & S_IWUSR) == 0) bits |= kDirAttrReadOnly;
    if (bits == 0) bits = kDirAttrNormal;
    return bits;
}

int compareNames(const char* a, const char* b, bool ignore_case) {
    if (ignore_case) return defword_Compare(a, b);
    const int c = std::strcmp(a, b); // byte order: capitals before small letters
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

DirEntry* makeEntry(DirList* list, const std::string& stored, const Found& found) {
    const size_t bytes = sizeof(DirEntry) + stored.size() + 1;
    if (bytes > static_cast<size_t>(LONG_MAX)) return nullptr;
    auto* entry = static_cast<DirEntry*>(mem_AllocTracked(kDirEntryTag, static_cast<long>(bytes)));
    if (entry == nullptr) return nullptr;
    entry->name = reinterpret_cast<char*>(entry + 1);
    std::memcpy(entry->name, stored.c_str(), stored.size() + 1);
    entry->list = list;
    if (found.hasInfo) {
        entry->size = static_cast<uint32_t>(static_cast<uint64_t>(found.info.st_size) & 0xFFFFFFFFu);
        entry->created = toDirTime(found.info.st_ctim);
        entry->accessed = toDirTime(found.info.st_atim);
        entry->written = toDirTime(found.info.st_mtim);
    }
    entry->attributes = attributesOf(found.name, found);
    return entry;
}

size_t lastSeparator(const std::string& pattern) {
    const size_t back = pattern.rfind('\\');
    const size_t slash = pattern.rfind('/');
    if (back == std::string::npos) return slash;
    if (slash == std::string::npos) return back;
    return std::max(back, slash);
}

} // namespace

DirList* dirlist_Find(const char* pattern, int flags) {
    if (pattern == nullptr || pattern[0] == '\0') return nullptr;
    const std::string whole(pattern);
    const size_t separator = lastSeparator(whole);
    const std::string prefix = separator == std::string::npos ? std::string() : whole.substr(0, separator);
    const std::string wanted = separator == std::string::npos ? whole : whole.substr(separator + 1);

    std::string directory = ".";
    if (separator != std::string::npos) {
        directory = file_ResolveLoose((prefix + "\\").c_str());
        if (directory.empty()) return nullptr;
    }

    // Gather in the platform's order first, as the directory search delivers the names.
    std::vector<Found> found;
    bool matched_any = false;
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) return nullptr;
    while (const dirent* item = ::readdir(dir)) {
        const std::string name(item->d_name);
        if (!wild_MatchCore(name.c_str(), wanted.c_str(), false)) continue;
        matched_any = true;
        if (name == ".") continue;
        Found one{name, {}, false};
        const std::string full = directory + "/" + name;
        one.hasInfo = ::stat(full.c_str(), &one.info) == 0;
        found.push_back(std::move(one));
    }
    ::closedir(dir);
    if (!matched_any) return nullptr;

    auto* list = static_cast<DirList*>(mem_AllocTracked(kDirListTag, sizeof(DirList)));
    if (list == nullptr) return nullptr;
    const bool with_prefix = (flags & kDirListWithPrefix) != 0 && !prefix.empty();
    const bool ignore_case = (flags & kDirListIgnoreCase) != 0;
    std::vector<DirEntry*> entries;
    for (const Found& one : found) {
        if (one.name == ".." && (flags & kDirListKeepDotDot) == 0) continue;
        const std::string stored = with_prefix ? prefix + "\\" + one.name : one.name;
        DirEntry* entry = makeEntry(list, stored, one);
        if (entry == nullptr) {
            for (DirEntry* made : entries)
                mem_FreeTracked(made);
            mem_FreeTracked(list);
            return nullptr;
        }
        entries.push_back(entry);
    }

    // Each name goes in front of the first entry that compares greater or equal, so among equal
    // names the one found last comes first: a stable sort of the reversed platform order.
    std::reverse(entries.begin(), entries.end());
    std::stable_sort(entries.begin(), entries.end(), [ignore_case](const DirEntry* a, const DirEntry* b) {
        return compareNames(a->name, b->name, ignore_case) < 0;
    });
    DirEntry* previous = nullptr;
    for (DirEntry* entry : entries) {
        entry->prev = previous;
        entry->next = nullptr;
        if (previous)
            previous->next = entry;
        else
            list->first = entry;
        previous = entry;
    }
    list->last = previous;
    list->count = static_cast<int>(entries.size());
    return list;
}

void dirlist_Free(DirList* list) {
    if (list == nullptr) return;
    DirEntry* entry = list->first;
    while (entry) {
        DirEntry* next = entry->next;
        mem_FreeTracked(entry);
        entry = next;
    }
    mem_FreeTracked(list);
}
