#pragma once
// The interface texts of ours that no string table has a key for: the fixed captions of the
// dialogs whose templates carry their own texts, the main window's first title, and the editor's
// own messages that the game's tables do not word. One table holds them all,
// so every text a window shows comes either from the string tables or from here.

#include <span>

struct OwnTextDef {
    const char* key;
    const char* text; // 8-bit text, like the string tables' texts
};

// The text of ours under `key` (compared exactly); kBadTextString when there is none. Never null.
const char* text_Own(const char* key);

// The whole table, for tests.
std::span<const OwnTextDef> text_OwnTable();
