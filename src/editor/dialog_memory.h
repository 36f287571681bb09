#pragma once
// What the insert-item and numeric move-or-copy dialogs remember for the whole run (the editor's
// document holds one of each). The dialogs fill these in; the editing commands read them after
// the dialog has closed.

#include <cstdint>
#include <string>

// The item classes of the insert-item dialog (0: none chosen yet).
enum InsertItemClass : int32_t {
    kInsertClassNone = 0,
    kInsertClassVehicle = 1,
    kInsertClassDecoration = 2,
    kInsertClassPerson = 3,
    kInsertClassMarker = 4,
    kInsertClassBuilding = 5,
    kInsertClassObject = 6,
};

struct InsertItemMemory {
    int32_t item_class = kInsertClassNone; // the class last chosen
    std::string definition_name;           // the definition name last chosen
    bool random_facing = false;
    bool cancelled = false; // the last use ended with Cancel
};

struct NumericMoveMemory {
    int32_t dx = 0, dy = 0, dz = 0; // offsets in world units (1/256 m)
    bool move = false;              // false: copy
    bool cancelled = false;         // the last use ended with Cancel
};
