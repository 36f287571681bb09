#pragma once
// Qt key events to the editor's keys (key_bindings.h). Keys the editor does not bind keep Qt's
// default handling.

#include "editor/key_bindings.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <optional>

// The editor key of `key` with `modifiers`, or nullopt. The numeric keypad counts as the keypad
// (Qt::KeypadModifier): keypad 9 and 3 zoom, keypad + and - zoom, keypad 2, 4, 6 and 8 repaint the
// map; with Num Lock off the keypad sends navigation keys, which count as those keys. Keys held
// with Alt are left to the menus' mnemonics.
std::optional<EditorKey> shell_TranslateKey(int key, Qt::KeyboardModifiers modifiers);
std::optional<EditorKey> shell_TranslateKey(const QKeyEvent& event);

// The key sequence of `key`, as Qt shows shortcuts (keypad keys with the keypad modifier):
// the inverse of shell_TranslateKey.
QKeySequence shell_KeySequence(EditorKey key);
