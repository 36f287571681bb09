#pragma once
// The command table: every command number of the editor with what it does. Menus, context menus,
// buttons and keys all run their command through this one table (EditorApp::command).

#include "editor/dialog_templates.h" // the dialogs the commands open

#include <span>

class EditorApp;

using CommandFn = void (*)(EditorApp& app, int command);

struct CommandEntry {
    int id;           // EditorCommand
    const char* name; // what the command does, in a few words (for logs and tests)
    CommandFn run;
    bool has_action = true; // false for the commands that do nothing here (their menu items are greyed)
};

std::span<const CommandEntry> cmd_Table();
// The entry of `id`, or null (a number without an entry does nothing).
const CommandEntry* cmd_Find(int id);
// True when command `id` does something: false for numbers without an entry and for the
// commands kept only for their numbers (Print, Metafile, Memory Stack, Wrap Objects).
bool cmd_HasAction(int id);
