#pragma once
// Where the foundation finds interface texts by (section, key). The string-table module installs
// its lookup at start-up; before that every lookup answers kBadTextString.

inline constexpr const char* kBadTextString = "Bad Texttool String";

using TextSourceFn = const char* (*)(const char* section, const char* key);
void text_SetSource(TextSourceFn source);
// Never null, never empty.
const char* text_Get(const char* section, const char* key);
// text_Get, or `fallback` when the table has no such text (game data older than the key).
const char* text_GetOr(const char* section, const char* key, const char* fallback);
