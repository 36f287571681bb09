// R16 elevation files from outside data, shown both ways.
#include "gamedata/r16_decoder.h"
#include "image_fuzz_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> file(data, size);
    fuzz_PrepareArena();
    ImageHolder holder{};
    fuzz_CheckImage(holder, r16_Decode(holder, file, false));
    fuzz_CheckImage(holder, r16_Decode(holder, file, true));
    return 0;
}
