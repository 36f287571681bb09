#include "gamedata/item_defs.h"

#include "foundation/error_log.h"
#include "foundation/line_reader.h"
#include "foundation/mem_arena.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

ItemDef* g_defs = nullptr;
int g_count = 0;

constexpr int kItemDefRejectLine = 1; // handler result that rejects a line

struct NamedCode {
    const char* word;
    int32_t code;
};

constexpr NamedCode kTypeWords[] = {
    {"vehicle", kItemTypeVehicle}, {"decoration", kItemTypeDecoration}, {"person", kItemTypePerson},
    {"marker", kItemTypeMarker},   {"building", kItemTypeBuilding},     {"object", kItemTypeObject},
    {"effect", kItemTypeEffect},
};

constexpr NamedCode kAttributeWords[] = {
    {"good", kItemAttrGood},   {"evil", kItemAttrEvil},       {"aidata", kItemAttrAiData},
    {"fo", kItemAttrFo},       {"movecb", kItemAttrMoveCb},   {"powerup", kItemAttrPowerUp},
    {"flesh", kItemAttrFlesh}, {"NoAK", kItemAttrNoAK},       {"NoTool", kItemAttrNoTool},
    {"snap", kItemAttrSnap},   {"pfoil", kItemAttrPFoil},     {"train", kItemAttrTrain},
    {"S&D", kItemAttrSAndD},   {"NoCTool", kItemAttrNoCTool},
};

const NamedCode* findWord(const NamedCode* table, size_t count, const char* word) {
    for (size_t i = 0; i < count; ++i)
        if (defword_Equal(table[i].word, word)) return &table[i];
    return nullptr;
}

int32_t wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// "turn_rate" in degrees to 1024 units per full turn, in the 32-bit steps the game takes:
// times 65536 (wrapping), divided by 360 toward zero, then an arithmetic shift right by 6.
int32_t turnRate(int32_t degrees) {
    const int32_t scaled = wrap32(int64_t{degrees} * 65536);
    const int32_t per_degree = scaled / 360;
    return per_degree >> 6;
}

// Copies the value word of a text key into its field; a line without the value changes nothing.
void copyValue(const LineTokens& line, char* field, size_t size) {
    if (line.count >= 2) defword_Copy(field, size, line.words[1]);
}

int handleKey(const LineTokens& line, ItemDef* def, int* current, int count) {
    const char* key = line.words[0];
    const char* value = line.count >= 2 ? line.words[1] : nullptr;
    if (defword_Equal(key, "end")) {
        if (*current < count) ++*current;
        return 0;
    }
    struct TextKey {
        const char* word;
        size_t offset;
        size_t size;
    };
    static const TextKey kTextKeys[] = {
        {"graphic", offsetof(ItemDef, graphic), kItemFileNameSize},
        {"husk", offsetof(ItemDef, husk), kItemFileNameSize},
        {"chr_file", offsetof(ItemDef, chr_file), kItemFileNameSize},
        {"anim_def", offsetof(ItemDef, anim_def), kItemFileNameSize},
        {"ai_function", offsetof(ItemDef, ai_function), kItemFunctionSize},
        {"move_function", offsetof(ItemDef, move_function), kItemFunctionSize},
    };
    struct IntKey {
        const char* word;
        int32_t ItemDef::*field;
    };
    static const IntKey kIntKeys[] = {
        {"phrase_set", &ItemDef::phrase_set},
        {"face_set", &ItemDef::face_set},
        {"interrupt_sound_id", &ItemDef::interrupt_sound_id},
        {"extra", &ItemDef::extra},
        {"af3type", &ItemDef::af3type},
    };

    bool known = defword_Equal(key, "begin") || defword_Equal(key, "id") ||
                 defword_Equal(key, "acceleration") || defword_Equal(key, "turn_rate") ||
                 defword_Equal(key, "axle_dist") || defword_Equal(key, "hp") || defword_Equal(key, "type") ||
                 defword_Equal(key, "attrib:") || defword_Equal(key, "ambient");
    for (const TextKey& text : kTextKeys)
        known = known || defword_Equal(key, text.word);
    for (const IntKey& number : kIntKeys)
        known = known || defword_Equal(key, number.word);
    if (!known) return kItemDefRejectLine;
    if (def == nullptr) return 0; // after the last "end": no record to fill

    for (const TextKey& text : kTextKeys) {
        if (defword_Equal(key, text.word)) {
            copyValue(line, reinterpret_cast<char*>(def) + text.offset, text.size);
            return 0;
        }
    }
    for (const IntKey& number : kIntKeys) {
        if (defword_Equal(key, number.word)) {
            if (value) def->*number.field = defword_Int(value);
            return 0;
        }
    }
    if (defword_Equal(key, "begin")) {
        if (value) defword_Copy(def->name, kItemNameFileMax + 1, value);
    } else if (defword_Equal(key, "id")) {
        if (value) def->id = wrap32(int64_t{defword_Int(value)} - kItemIdBase);
    } else if (defword_Equal(key, "acceleration")) {
        if (value) def->acceleration = wrap32(int64_t{defword_Int(value)} * 1024);
    } else if (defword_Equal(key, "turn_rate")) {
        if (value) def->turn_rate = turnRate(defword_Int(value));
    } else if (defword_Equal(key, "axle_dist")) {
        if (value) def->axle_dist = defword_Fixed16(value);
    } else if (defword_Equal(key, "hp")) {
        if (value) def->hp = defword_Int(value);
        if (line.count >= 3) def->hp2 = defword_Int(line.words[2]);
    } else if (defword_Equal(key, "type")) {
        if (const NamedCode* type = findWord(kTypeWords, std::size(kTypeWords), value))
            def->type = type->code;
    } else if (defword_Equal(key, "attrib:")) {
        for (int i = 1; i < line.count; ++i) {
            if (const NamedCode* bit = findWord(kAttributeWords, std::size(kAttributeWords), line.words[i]))
                def->attributes |= bit->code;
        }
    } else if (defword_Equal(key, "ambient")) {
        if (value == nullptr) return 0;
        for (int slot = 0; slot < kItemAmbientSlots; ++slot) {
            if (def->ambient[slot][0] != '\0') continue;
            defword_Copy(def->ambient[slot], kItemAmbientNameSize, value);
            if (line.count >= 3) def->ambient_value[slot] = defword_Int(line.words[2]);
            break;
        }
    }
    return 0;
}

// Both passes over the definition text; `read` runs the line reader with a handler. `complete`
// tells whether the second pass read the whole text.
template <typename ReadFn> int loadWith(const ReadFn& read, bool* complete = nullptr) {
    if (complete != nullptr) *complete = false;
    itemdef_Clear();

    long begins = 0;
    read([&](const LineTokens* line, int) {
        if (line != nullptr && line->count > 0 && defword_Equal(line->words[0], "begin")) ++begins;
        return 0;
    });
    if (begins > 0) {
        const size_t bytes = static_cast<size_t>(begins) * sizeof(ItemDef);
        void* block = begins > INT32_MAX ? nullptr : mem_GetMemEx(bytes, kItemDefsAlignment, 0, kItemDefsTag);
        if (block == nullptr) {
            errorlog_Write(kItemDefsOutOfMemory);
            return 0;
        }
        std::memset(block, 0, bytes);
        g_defs = static_cast<ItemDef*>(block);
        g_count = static_cast<int>(begins);
    }

    int current = 0;
    const int result = read([&](const LineTokens* line, int) {
        if (line == nullptr || line->count == 0) return 0;
        ItemDef* def = current < g_count ? &g_defs[current] : nullptr;
        return handleKey(*line, def, &current, g_count);
    });
    if (complete != nullptr) *complete = result == 0;
    return 1;
}

} // namespace

int itemdef_Load(const char* path, uint32_t key, bool* complete) {
    return loadWith([&](const LineHandler& handler) { return ascii_ReadFile(path, handler, key); }, complete);
}

int itemdef_LoadBuffer(const char* data, size_t size, uint32_t key) {
    return loadWith([&](const LineHandler& handler) { return ascii_ReadBuffer(data, size, handler, key); });
}

void itemdef_Clear() {
    if (g_defs != nullptr) mem_FreeMem(g_defs);
    g_defs = nullptr;
    g_count = 0;
}

void itemdef_ApplyNames(const StringTable* table) {
    if (table == nullptr) return;
    for (int i = 0; i < g_count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, kStrtabItemNameKey, g_defs[i].id);
        if (const char* name = strtab_FindText(table, kStrtabItemNamesSection, key))
            defword_Copy(g_defs[i].name, kItemNameSize, name);
    }
}

int itemdef_FindByName(const char* name) {
    if (name == nullptr) return 0;
    for (int i = 0; i < g_count; ++i)
        if (defword_Equal(g_defs[i].name, name)) return i;
    return 0;
}

int itemdef_FindById(int32_t id) {
    for (int i = 0; i < g_count; ++i)
        if (g_defs[i].id == id) return i;
    return 0;
}

int itemdef_Count() {
    return g_count;
}

ItemDef* itemdef_Get(int index) {
    return index >= 0 && index < g_count ? &g_defs[index] : nullptr;
}

ItemDef* itemdef_All() {
    return g_defs;
}
