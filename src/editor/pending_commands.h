#pragma once
// The editing commands that work with the mouse tools and the clipboard (copy, cut, paste, move,
// numeric move, select this type, item attributes). Until those tools exist each of these entries
// tells the user that the command is not available yet ("Dialog Message" "NOT_AVAILABLE") and
// changes nothing.

class EditorApp;

void cmd_CopyNotAvailable(EditorApp& app, int command);
void cmd_CutNotAvailable(EditorApp& app, int command);
void cmd_PasteNotAvailable(EditorApp& app, int command);
void cmd_MoveNotAvailable(EditorApp& app, int command);
void cmd_NumericMoveNotAvailable(EditorApp& app, int command);
void cmd_SelectTypeNotAvailable(EditorApp& app, int command);
void cmd_EditAttributesNotAvailable(EditorApp& app, int command);
