#pragma once
// Item definitions: every placeable thing of a mission is an instance of one. They are read from
// "items.def" (scrambled as the game ships it) into one array in file order; the rest of the
// editor holds a definition's index in that array, files store its `id`.

#include "gamedata/def_words.h"
#include "gamedata/string_table.h"

#include <cstddef>
#include <cstdint>

inline constexpr const char* kItemDefsFile = "items.def";
constexpr uint32_t kItemDefsScrambleKey = 0x2B5E8A1; // descrambling key of "items.def"
inline constexpr const char* kItemDefsTag = "Item Defs";
inline constexpr const char* kItemDefsOutOfMemory = "Item Defs - Out of Memory!";
constexpr uint32_t kItemDefsAlignment = 16;

constexpr int32_t kItemIdBase = 100000; // file ids are stored minus this
constexpr int kItemNameSize = 64;
constexpr int kItemNameFileMax = 62;  // characters of the "begin" word kept
constexpr int kItemFileNameSize = 16; // graphic, husk, chr_file, anim_def
constexpr int kItemFunctionSize = 12; // ai_function, move_function
constexpr int kItemAmbientSlots = 4;
constexpr int kItemAmbientNameSize = 12;

// `type` codes (the items' `item_class`).
constexpr int32_t kItemTypeNone = 0;
constexpr int32_t kItemTypeVehicle = 1;
constexpr int32_t kItemTypeDecoration = 2;
constexpr int32_t kItemTypePerson = 3;
constexpr int32_t kItemTypeMarker = 4;
constexpr int32_t kItemTypeBuilding = 5;
constexpr int32_t kItemTypeObject = 6;
constexpr int32_t kItemTypeEffect = 8;

// `attributes` bits ("attrib:" words).
constexpr int32_t kItemAttrGood = 0x01;
constexpr int32_t kItemAttrEvil = 0x02;
constexpr int32_t kItemAttrAiData = 0x04;
constexpr int32_t kItemAttrFo = 0x08;
constexpr int32_t kItemAttrMoveCb = 0x10;
constexpr int32_t kItemAttrPowerUp = 0x20;
constexpr int32_t kItemAttrFlesh = 0x40;
constexpr int32_t kItemAttrNoAK = 0x80;
constexpr int32_t kItemAttrNoTool = 0x100;
constexpr int32_t kItemAttrSnap = 0x200;
constexpr int32_t kItemAttrPFoil = 0x400;
constexpr int32_t kItemAttrTrain = 0x800;
constexpr int32_t kItemAttrSAndD = 0x1000;
constexpr int32_t kItemAttrNoCTool = 0x2000;

struct ModelRecord; // a loaded 3-D model (model cache)

struct ItemDef {
    char name[kItemNameSize]; // "begin" word, later the display name
    int32_t id;               // "id" - 100000
    int32_t attributes;       // kItemAttr* bits
    int32_t type;             // kItemType* code; 0 when absent
    char graphic[kItemFileNameSize];
    char husk[kItemFileNameSize];
    char chr_file[kItemFileNameSize];
    char anim_def[kItemFileNameSize];
    ModelRecord* model; // loaded for `graphic` when needed; null until then
    char ai_function[kItemFunctionSize];
    char move_function[kItemFunctionSize];
    int32_t hp;
    int32_t hp2;
    int32_t phrase_set;
    int32_t face_set;
    int32_t acceleration; // value * 1024
    int32_t turn_rate;    // 1024 units per full turn
    int32_t axle_dist;    // 16.16 fixed point
    char ambient[kItemAmbientSlots][kItemAmbientNameSize];
    int32_t ambient_value[kItemAmbientSlots];
    int32_t interrupt_sound_id;
    int32_t extra;
    int32_t af3type;
};

// Loads the definitions from `path` through the file layer (descrambled with `key` when the file
// carries the scramble mark), replacing any previous ones. 1 on success (also when the file is
// missing, which leaves 0 definitions, or when a line was rejected, which keeps the records
// filled so far); 0 when memory runs out ("Item Defs - Out of Memory!" goes to the error log).
// `complete`, when given, tells whether the whole file was read: false when it was missing or
// unreadable or a line was rejected.
int itemdef_Load(const char* path, uint32_t key, bool* complete = nullptr);
// The same over bytes in memory (tests, fuzzing); the bytes are copied before descrambling.
int itemdef_LoadBuffer(const char* data, size_t size, uint32_t key);
// Frees the definitions (count 0).
void itemdef_Clear();

// Replaces each name by "QZ2 Item Names"/"STR_ITM%04i" (with the id) of `table` where that key
// has a string; at most 63 characters are kept. A null table changes nothing.
void itemdef_ApplyNames(const StringTable* table);

// Index of the first definition whose name equals `name` (ASCII case-insensitive), or 0 when
// none does (0 is also the first definition).
int itemdef_FindByName(const char* name);
// Index of the first definition with `id`, or 0 when none has it or there are no definitions.
int itemdef_FindById(int32_t id);

int itemdef_Count();
// The definition at `index`, or null when the index is out of range.
ItemDef* itemdef_Get(int index);
// The whole array (null when there are no definitions).
ItemDef* itemdef_All();
