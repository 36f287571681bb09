#pragma once
// A JSON dump of the fields of a page that the metafile carries, with the definition data the
// writer derives from (each item's def_index, the definition indices of the two marker types).
// Texts are byte strings: each byte is one character U+0000..U+00FF (decode as Latin-1).
// Used by `qzmission info --json` and by the tests that compare the writer with a reference.

#include "mission/mission_page.h"

#include <string>

void page_WriteJson(const MissionPage& page, std::string& out);
