#pragma once
// PNG encoding of rendered maps (through libpng).

#include <cstdint>
#include <vector>

// Encodes width × height pixels 0x00RRGGBB (top row first; the fourth byte is ignored) as an
// 8-bit RGB PNG into `out`. False when the sizes are not positive or the encoder fails.
bool png_EncodeRgb32(const uint32_t* pixels, int32_t width, int32_t height, std::vector<uint8_t>& out);
