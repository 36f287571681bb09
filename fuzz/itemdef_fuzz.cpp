// Definition files from outside data: "items.def" (plain or scrambled), terrain ".trn" files and
// "sunsets.def", through the line reader over bytes. The first byte chooses the reader.
#include "foundation/user_message.h"
#include "gamedata/item_defs.h"
#include "gamedata/sunset_defs.h"
#include "gamedata/terrain_defs.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Parse errors would open message boxes; the fuzzer answers them silently.
class SilentSink : public MessageSink {
  public:
    MsgAnswer showMessage(const char*, const char*, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};

void checkTerminated(const char* field, size_t size) {
    if (std::memchr(field, 0, size) == nullptr) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentSink sink;
    msg_SetSink(&sink);
    if (size == 0) return 0;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;
    switch (data[0] % 4) {
    case 0:
    case 1: {
        const uint32_t key = data[0] % 4 == 0 ? 0 : kItemDefsScrambleKey;
        if (itemdef_LoadBuffer(text, length, key) != 1) return 0;
        for (int i = 0; i < itemdef_Count(); ++i) {
            const ItemDef* def = itemdef_Get(i);
            checkTerminated(def->name, sizeof def->name);
            checkTerminated(def->graphic, sizeof def->graphic);
            checkTerminated(def->ai_function, sizeof def->ai_function);
            for (const auto& slot : def->ambient)
                checkTerminated(slot, sizeof slot);
            if (itemdef_FindById(def->id) > i || itemdef_FindByName(def->name) > i) std::abort();
        }
        itemdef_Clear();
        break;
    }
    case 2: {
        TerrainDef def;
        terrain_LoadBuffer(text, length, def);
        if (def.type_count < 0 || def.type_count > kTerrainMaxTypes) std::abort();
        checkTerminated(def.terrain_name, sizeof def.terrain_name);
        checkTerminated(def.color_map, sizeof def.color_map);
        break;
    }
    default:
        sunset_LoadBuffer(text, length);
        if (sunset_Count() < 0 || sunset_Count() > kSunsetMax) std::abort();
        for (int i = 0; i < sunset_Count(); ++i) {
            checkTerminated(sunset_Get(i)->name, kSunsetNameSize);
            checkTerminated(sunset_Get(i)->skygrad, kSunsetFileNameSize);
        }
        break;
    }
    return 0;
}
