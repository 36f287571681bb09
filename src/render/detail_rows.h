#pragma once
// The colour map with the detail characters laid over it (and the water tint), as the terrain
// drawing of map_DrawTerrain uses it. Internal to the renderer; the tests reach it to compare the
// row kernels with each other.
//
// A pixel at texel position (u, v) (1/65,536 m units) shows pixel_Blend of the texel
// ((v >> 10) & 63, (u >> 10) & 63) of the tile its map cell ((v >> 16) & 1023, (u >> 16) & 1023)
// names in the character map, over that cell's colour; tinted when the cell's elevation byte lies
// at or below the water level.

#include "mission/mission_page.h"
#include "render/raster_target.h"

#include <cstdint>

// The water tint of a colour-map pixel: half its brightness plus a blue-green.
inline uint32_t terrain_TintColourMap(uint32_t p) {
    return ((p >> 1) & 0x7F7F7F7F) + 0x40353F4D;
}
// The depth and outline maps are tinted without the mask, as a whole 32-bit shift.
inline uint32_t terrain_TintOtherMap(uint32_t p) {
    return (p >> 1) + 0x40353F4D;
}

// How the pixels of a detail row are computed. Every kernel gives the same pixels.
enum class DetailKernel {
    Portable, // two pixels at a time, SSE2 where there is SSE2
    Avx2,     // eight pixels at a time (x86-64 with AVX2 only)
    Avx512,   // sixteen pixels at a time (x86-64 with AVX-512 F, BW and VL only)
};

// The fastest kernel this processor runs.
DetailKernel detail_BestKernel();
// True when this processor runs `kernel`.
bool detail_KernelAvailable(DetailKernel kernel);

// Where the frame starts and how it steps: pixel (x, y) lies at u = u0 + x × step,
// v = v0 + y × step (wrapping 32-bit arithmetic).
struct DetailFrame {
    uint32_t u0 = 0;
    uint32_t v0 = 0;
    uint32_t step = 0;
    bool tint = false;
    uint32_t level = 0; // the water level the tint compares with
};

// Fills the whole target with the colour map `colour` of `imagery` and its detail characters.
// `kernel` must be available.
void detail_DrawRows(const RasterTarget& target, const TerrainImagery& imagery, const uint32_t* colour,
                     const DetailFrame& frame, DetailKernel kernel);
