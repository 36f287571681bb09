// TGA files from outside data.
#include "gamedata/tga_decoder.h"
#include "image_fuzz_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_PrepareArena();
    ImageHolder holder{};
    fuzz_CheckImage(holder, tga_Decode(holder, std::span<const uint8_t>(data, size)));
    return 0;
}
