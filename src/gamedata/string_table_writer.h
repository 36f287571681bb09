#pragma once
// Building string tables and their text source.
//
// Text source: a line "[Section Name]" starts a section; a line "KEY=text" adds a key to the
// current section (the key runs to the first "=", the text to the end of the line; the escapes
// \n, \t, \r and \\ stand for a line feed, a tab, a carriage return and a backslash, any other
// backslash is kept as it stands); empty lines, lines of only spaces and tabs, and lines starting
// with "#" are ignored; a carriage return ending a line is dropped. Sections and keys keep the
// order of the source; repeated sections and keys are kept as repeated (lookups find the first).
//
// Canonical source (what strtab_FormatSource writes): each section as its "[Name]" line followed
// by its "KEY=text" lines, one empty line between sections, every line ending in "\n", and only
// line feeds, tabs, carriage returns and backslashes escaped.

#include "gamedata/string_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct StrtabSourceKey {
    std::string name;
    std::string text;
};

struct StrtabSourceSection {
    std::string name;
    std::vector<StrtabSourceKey> keys;
};

struct StrtabSource {
    std::vector<StrtabSourceSection> sections;
};

// Parses text source. False with `error` ("line N: ...") for a key line before any section or a
// line that is neither a section, a key, blank nor a comment.
bool strtab_ParseSource(std::string_view text, StrtabSource& source, std::string* error);
// The canonical source of `source`.
std::string strtab_FormatSource(const StrtabSource& source);
// The canonical source of a loaded table, walked in stored order (a key whose record number is
// N or more is written with an empty text).
std::string strtab_DumpSource(const StringTable* table);
// Reads a loaded table back into a source record (same rule for missing records).
StrtabSource strtab_ToSource(const StringTable* table);

// Builds the table bytes: header {0, directory offset, 0, N}; the records in section and key
// order with words 1-3 zero; the strings in record order; zero bytes up to a multiple of 4; the
// directory (S, the pairs, the section names, then the key names of each section in order).
// False with `error` when a name cannot be stored (contains a NUL) or the table would not fit
// 32-bit offsets.
bool strtab_Build(const StrtabSource& source, std::vector<uint8_t>& bytes, std::string* error);

// Escaping of one text as the source writes it, and its inverse.
std::string strtab_EscapeText(std::string_view text);
std::string strtab_UnescapeText(std::string_view text);
