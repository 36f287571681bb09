#pragma once
// Directory listings, wildcard matching and the merged lists of file names found on disk and in
// the open archives (for example every "*.trn" a mission can use). All list nodes come from the
// tracked node allocator, each tagged with its kind.

#include <cstdint>

inline constexpr const char* kDirListTag = "_EDIRLIST";
inline constexpr const char* kDirEntryTag = "_EDIRLIST_ENTRY";
inline constexpr const char* kStringListTag = "_STRINGLIST";
inline constexpr const char* kStringEntryTag = "_STRINGLIST_ENTRY";

// dirlist_Find flags.
constexpr int kDirListWithPrefix = 0x100; // store names with the pattern's directory and "\"
constexpr int kDirListKeepDotDot = 0x200; // keep the ".." entry
constexpr int kDirListIgnoreCase = 0x400; // sort without regard to ASCII letter case

// Attribute bits of a directory entry.
constexpr uint32_t kDirAttrArchive = 1;
constexpr uint32_t kDirAttrCompressed = 2;
constexpr uint32_t kDirAttrDirectory = 4;
constexpr uint32_t kDirAttrHidden = 8;
constexpr uint32_t kDirAttrNormal = 16;
constexpr uint32_t kDirAttrReadOnly = 32;
constexpr uint32_t kDirAttrSystem = 64;
constexpr uint32_t kDirAttrTemporary = 128;

// A file time in UTC; all zero when it could not be converted.
struct DirTime {
    uint8_t day;
    uint8_t month;
    uint16_t year;
    uint8_t hour;
    uint8_t minute;
    uint8_t second;
    uint8_t millisecond; // low 8 bits of the milliseconds
};
static_assert(sizeof(DirTime) == 8);

struct DirList;

struct DirEntry {
    DirEntry* prev;
    DirEntry* next;
    DirList* list;
    char* name;      // stored right behind the entry
    uint32_t size;   // low 32 bits of the file size
    DirTime created; // the status-change time where the platform has no creation time
    DirTime accessed;
    DirTime written;
    uint32_t attributes; // kDirAttr* bits
};

struct DirList {
    DirEntry* first;
    DirEntry* last;
    int count;
};

struct StringList;

struct StringEntry {
    StringEntry* prev;
    StringEntry* next;
    StringList* list;
    char* text; // stored right behind the entry
};

struct StringList {
    StringEntry* first;
    StringEntry* last;
    int count;
};

// Lists the files matching `pattern`: a path whose last component may hold the wildcards of the
// platform's directory search ("*" any run, "?" any one character, letter case ignored); "\" or
// "/" separate directories, a drive prefix is ignored and the directories are found whatever
// their letter case. "." is skipped, ".." only kept with kDirListKeepDotDot.
// Entries are sorted ascending (by character codes, or without regard to letter case with
// kDirListIgnoreCase); an equal name goes in front of the existing one. Null when nothing
// matches or memory runs out.
DirList* dirlist_Find(const char* pattern, int flags);
void dirlist_Free(DirList* list);

StringList* strlist_New();
// Appends a copy of `text`; the new entry or null when memory runs out.
StringEntry* strlist_Append(StringList* list, const char* text);
// The first entry equal to `text` without regard to ASCII letter case, or null.
StringEntry* strlist_Find(const StringList* list, const char* text);
void strlist_Remove(StringEntry* entry);
void strlist_Clear(StringList* list);
void strlist_Free(StringList* list);

// 1 when `text` matches `pattern` as a whole: "*" any run (also none), "+" a run of one or
// more, "?" any one character, "#" one decimal digit, "@" one ASCII letter, any other character
// itself without regard to letter case.
int wild_Match(const char* text, const char* pattern);

// The lower-cased names of the files matching `pattern`: first those on disk (when the file
// layer tries loose files first or no archive is open), sorted without regard to letter case,
// then the matching directory records of each archive of the set in slot and directory order;
// each name once (compared without regard to letter case). Null when nothing matches or memory
// runs out.
StringList* namelist_Build(const char* pattern);
