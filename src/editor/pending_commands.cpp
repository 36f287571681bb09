#include "editor/pending_commands.h"

#include "foundation/user_message.h"
#include "gamedata/string_table.h"

namespace {
void notAvailableYet() {
    msg_Show("", TextLookup("Dialog Message", "NOT_AVAILABLE"), MsgIcon::Information, MsgButtons::Ok);
}
} // namespace

void cmd_CopyNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_CutNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_PasteNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_MoveNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_NumericMoveNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_SelectTypeNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
void cmd_EditAttributesNotAvailable(EditorApp&, int) {
    notAvailableYet();
}
