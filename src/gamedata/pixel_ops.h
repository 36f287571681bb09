#pragma once
// The two pixel operations of the detail texture: premultiplying its tiles once when a terrain is
// loaded, and laying a premultiplied tile texel over a colour-map texel when the map is drawn.
//
// Both work on the four bytes of a pixel (blue, green, red, fourth) as four 16-bit lanes: a byte x
// is first widened to h(x) = (x × 257) ÷ 2, a 15-bit fraction of one.

#include <cstdint>

// Premultiplies `width` × `height` pixels in place. For a pixel (b, g, r, a) each of b, g and r
// becomes (h(x) × h(a)) ÷ 2^23 (0 to 127), and the fourth byte becomes ((h(a) × 0x7F7F) ÷ 2^23)
// XOR 0x7F, the weight left for the colour underneath (alpha 255 gives 0, alpha 0 gives 127).
// Nothing happens when either side is 0 or less.
void pixel_Premultiply(uint8_t* pixels, int width, int height);

// One texel of a premultiplied tile laid over one colour pixel (both 0xAARRGGBB). For each of the
// four byte lanes: min(255, min(65535, h(tile) + (w × h(colour)) ÷ 2^16) ÷ 64) with
// w = tile alpha × 257. Premultiplied tiles carry alphas of 0 to 127, for which the result is about
// twice the tile value plus alpha × colour ÷ 127. The weight is taken unsigned, so alphas of 128
// and more keep growing smoothly instead of saturating every lane.
inline uint32_t pixel_Blend(uint32_t tile, uint32_t colour) {
    const uint32_t weight = (tile >> 24) * 257u;
    uint32_t out = 0;
    for (int lane = 0; lane < 4; ++lane) {
        const uint32_t t = (tile >> (lane * 8)) & 0xFFu;
        const uint32_t c = (colour >> (lane * 8)) & 0xFFu;
        uint32_t sum = (t * 257u >> 1) + ((weight * (c * 257u >> 1)) >> 16);
        if (sum > 65535u) sum = 65535u;
        uint32_t value = sum >> 6;
        if (value > 255u) value = 255u;
        out |= value << (lane * 8);
    }
    return out;
}
