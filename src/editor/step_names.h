#pragma once
// The names of undo steps as the Edit menu shows them after "Undo" and "Redo": what the user did,
// in a few words ("Move", "Item Attributes", "Paste 12 Items"). All are texts of our own
// (gamedata/own_texts.h).

#include "editor/mouse_tool.h"

#include <string>

// The step a command makes when it changes the page; "Change" for a command that names none.
std::string step_CommandName(int command);
// The step of a mission read that failed part way.
std::string step_OpenName();
// The step of a mouse edit; `items` counts the items a paste added.
std::string step_MouseName(MouseEdit edit, int items);
// "Paste 1 Item", "Paste 12 Items".
std::string step_PasteName(int items);
// The Edit menu's texts: "Undo Move" ("Undo" with no step), "Redo Move" ("Redo" with none).
std::string step_UndoText(const std::string& name);
std::string step_RedoText(const std::string& name);
