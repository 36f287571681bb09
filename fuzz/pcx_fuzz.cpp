// 8-bit PCX files from outside data, through both reader variants.
#include "gamedata/pcx_decoder.h"
#include "image_fuzz_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> file(data, size);
    fuzz_PrepareArena();
    ImageHolder holder{};
    fuzz_CheckImage(holder, pcx_DecodeIndexed(holder, file));
    fuzz_CheckImage(holder, pcx_DecodeHeight(holder, file));
    return 0;
}
