#include "editor/dialog_memory.h"

InsertItemMemory& dlg_InsertItemMemory() {
    static InsertItemMemory memory;
    return memory;
}

NumericMoveMemory& dlg_NumericMoveMemory() {
    static NumericMoveMemory memory;
    return memory;
}
