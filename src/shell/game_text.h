#pragma once
// Texts as every window of the editor shows them. The game's texts (the string tables, the
// mission page, our own texts) are 8-bit bytes of the Windows-1252 code page; this is the one
// codec between them and what Qt shows, used by the main window, the menus, the title, the
// information windows, the message boxes and the dialogs alike.
//
// Windows-1252 agrees with Latin-1 except at 0x80-0x9F, where it has the euro sign, typographic
// quotes, dashes and a few letters. Its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) are
// read as the control characters of the same number, so every byte survives a decode and an
// encode unchanged.

#include <QString>

#include <string>
#include <string_view>

// `bytes` read as Windows-1252 (null: empty).
QString shell_DecodeText(std::string_view bytes);
QString shell_DecodeText(const char* bytes);

// `text` as Windows-1252 bytes, cut to at most `limit` bytes. A character the code page has no
// byte for becomes '?'.
std::string shell_EncodeText(const QString& text, size_t limit = std::string::npos);

// The interface text of (`section`, `key`) from the string table (TextLookup), decoded.
QString shell_Text(const char* section, const char* key);

// Our own text under `key` (text_Own), decoded.
QString shell_OwnText(const char* key);
