// The terrain image under the map: one of the page's three 1024 × 1024 maps, repeating every
// 1024 m, sampled with 16.16 fixed-point steps (1/65,536 m units), optionally overlaid with the
// detail characters and tinted below the water level.
//
// Every decision (map, tint, detail) is taken once per frame; the row loops below do nothing but
// arithmetic. A row that samples the same texels as the row above is copied from it.
//
// Detail characters: a screen row reads one texel row of every tile its cells name. The tiles lie
// 16 KiB apart, so those rows compete for a handful of cache sets, and drawing the rows in screen
// order would miss the cache at nearly every pixel. The rows are therefore drawn grouped by the
// tile texel row they read: for each of the 64 texel rows, that row of all 256 tiles is gathered
// into one contiguous 64 KiB strip, and every screen row that reads it is drawn from the strip.
// The pixels are the same; only the order of drawing the rows changes.
#include "render/map_render.h"

#include "gamedata/pixel_ops.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t kTexelMask = kTerrainMapSize - 1;    // addresses wrap at 1024
constexpr uint32_t kTileSide = 64;                      // detail tile: 64 × 64 texels
constexpr uint32_t kTileTexels = kTileSide * kTileSide; // 16,384 bytes per tile
constexpr uint32_t kTintAdd = 0x40353F4D;
constexpr uint32_t kDetailMaxStep = 0x10000; // details only above one pixel per metre
constexpr uint32_t kTileCount = 256;         // tile numbers are bytes

// One texel row of every tile, tile after tile: strip[tile × 64 + column].
using TileStrip = uint32_t[kTileCount * kTileSide];

void gatherStrip(const uint32_t* tiles, uint32_t texelRow, uint32_t* strip) {
    for (uint32_t t = 0; t < kTileCount; ++t)
        std::memcpy(strip + t * kTileSide, tiles + t * kTileTexels + texelRow * kTileSide,
                    kTileSide * sizeof(uint32_t));
}

uint32_t tintColourMap(uint32_t p) {
    return ((p >> 1) & 0x7F7F7F7F) + kTintAdd;
}
// The depth and outline maps are tinted without the mask, as a whole 32-bit shift.
uint32_t tintOtherMap(uint32_t p) {
    return (p >> 1) + kTintAdd;
}

using TintFn = uint32_t (*)(uint32_t);

void rowCopy(uint32_t* out, int32_t width, const uint32_t* src, uint32_t u, uint32_t step) {
    for (int32_t x = 0; x < width; ++x) {
        out[x] = src[(u >> 16) & kTexelMask];
        u += step;
    }
}

template <TintFn Tint>
void rowTinted(uint32_t* out, int32_t width, const uint32_t* src, const uint32_t* elevation, uint32_t level,
               uint32_t u, uint32_t step) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t i = (u >> 16) & kTexelMask;
        const uint32_t p = src[i];
        out[x] = ((elevation[i] >> 8) & 0xFF) <= level ? Tint(p) : p;
        u += step;
    }
}

// pixel_Blend, four lanes at once: the same arithmetic (the unsigned high half of w × h(colour),
// the sum saturating at 65535, the result at 255), so the pixels are identical.
inline uint32_t blendDetail(uint32_t tile, uint32_t colour) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i k257 = _mm_set1_epi16(257);
    const __m128i t257 = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(tile)), zero), k257);
    const __m128i c257 = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(int(colour)), zero), k257);
    const __m128i weight = _mm_shufflelo_epi16(t257, _MM_SHUFFLE(3, 3, 3, 3)); // tile alpha × 257
    const __m128i sum =
        _mm_adds_epu16(_mm_srli_epi16(t257, 1), _mm_mulhi_epu16(weight, _mm_srli_epi16(c257, 1)));
    const __m128i value = _mm_srli_epi16(sum, 6);
    return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(value, value)));
#else
    return pixel_Blend(tile, colour);
#endif
}

#if defined(__SSE2__)
// blendDetail for two pixels at once (lanes 0-3 the first, 4-7 the second), stored at out[0..1].
inline void blendDetailPair(uint32_t tile0, uint32_t colour0, uint32_t tile1, uint32_t colour1,
                            uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i k257 = _mm_set1_epi16(257);
    const __m128i tiles = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(tile0)), _mm_cvtsi32_si128(int(tile1)));
    const __m128i colours =
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(colour0)), _mm_cvtsi32_si128(int(colour1)));
    const __m128i t257 = _mm_mullo_epi16(_mm_unpacklo_epi8(tiles, zero), k257);
    const __m128i c257 = _mm_mullo_epi16(_mm_unpacklo_epi8(colours, zero), k257);
    const __m128i weight =
        _mm_shufflehi_epi16(_mm_shufflelo_epi16(t257, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
    const __m128i sum =
        _mm_adds_epu16(_mm_srli_epi16(t257, 1), _mm_mulhi_epu16(weight, _mm_srli_epi16(c257, 1)));
    const __m128i value = _mm_srli_epi16(sum, 6);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(value, value));
}
#else
inline void blendDetailPair(uint32_t tile0, uint32_t colour0, uint32_t tile1, uint32_t colour1,
                            uint32_t* out) {
    out[0] = pixel_Blend(tile0, colour0);
    out[1] = pixel_Blend(tile1, colour1);
}
#endif

// `strip` holds the texel row this screen row samples, of every tile (gatherStrip). Pixels are
// blended in pairs.
template <bool kTint>
void rowDetail(uint32_t* out, int32_t width, const uint32_t* colour, const uint8_t* characters,
               const uint32_t* strip, const uint32_t* elevation, uint32_t level, uint32_t u, uint32_t step) {
    auto tileTexel = [&](uint32_t i, uint32_t at) {
        return strip[characters[i] * kTileSide + ((at >> 10) & (kTileSide - 1))];
    };
    auto tint = [&](uint32_t i, uint32_t& p) {
        if constexpr (kTint) {
            if (((elevation[i] >> 8) & 0xFF) <= level) p = tintColourMap(p);
        } else {
            (void)i;
            (void)p;
        }
    };
    int32_t x = 0;
    for (; x + 1 < width; x += 2) {
        const uint32_t u1 = u + step;
        const uint32_t i0 = (u >> 16) & kTexelMask;
        const uint32_t i1 = (u1 >> 16) & kTexelMask;
        blendDetailPair(tileTexel(i0, u), colour[i0], tileTexel(i1, u1), colour[i1], out + x);
        tint(i0, out[x]);
        tint(i1, out[x + 1]);
        u = u1 + step;
    }
    if (x < width) {
        const uint32_t i = (u >> 16) & kTexelMask;
        out[x] = blendDetail(tileTexel(i, u), colour[i]);
        tint(i, out[x]);
    }
}

enum class RowKind { Copy, TintColour, TintOther };

// The colour map with detail characters (and the tint), drawn in groups of rows that read the same
// tile texel row.
void drawDetailRows(const RasterTarget& target, const TerrainImagery& imagery, const uint32_t* colour,
                    bool tint, uint32_t level, uint32_t u0, uint32_t v0, uint32_t step) {
    static thread_local TileStrip strip;
    const int32_t width = target.width;
    const size_t rowBytes = size_t(width) * sizeof(uint32_t);
    for (uint32_t texelRow = 0; texelRow < kTileSide; ++texelRow) {
        bool gathered = false;
        uint32_t* previous = nullptr;
        uint32_t previousKey = 0;
        uint32_t v = v0;
        for (int32_t row = 0; row < target.height; ++row, v += step) {
            if (((v >> 10) & (kTileSide - 1)) != texelRow) continue;
            uint32_t* out = target.pixels + size_t(row) * size_t(width);
            // Rows of the same metre row and tile texel row are identical.
            const uint32_t key = (v >> 10) & 0xFFFF;
            if (previous != nullptr && key == previousKey) {
                std::memcpy(out, previous, rowBytes);
                continue;
            }
            if (!gathered) {
                gatherStrip(imagery.detail_premultiplied, texelRow, strip);
                gathered = true;
            }
            const size_t rowStart = size_t((v >> 16) & kTexelMask) * kTerrainMapSize;
            const uint8_t* characters = imagery.character_map + rowStart;
            const uint32_t* elevation = imagery.elevation_map + rowStart;
            if (tint)
                rowDetail<true>(out, width, colour + rowStart, characters, strip, elevation, level, u0, step);
            else
                rowDetail<false>(out, width, colour + rowStart, characters, strip, elevation, level, u0,
                                 step);
            previous = out;
            previousKey = key;
        }
    }
}

} // namespace

uint32_t map_WaterLevel(const MissionPage& page) {
    const int32_t source =
        (page.general.attrib & 1) != 0 ? page.general.water_level : page.general.terrain_water_height;
    return uint32_t(source) & 0xFF;
}

uint32_t map_TexelStep(const MapTransform& transform) {
    const int32_t step = map_TruncToInt(std::trunc(256.0f / transform.zoom));
    return step < 0 ? 0u : uint32_t(step);
}

void map_DrawTerrain(const MapCanvas& canvas, const MissionPage& page, int32_t mapMode) {
    const RasterTarget& target = canvas.target;
    if (!target.valid()) return;
    const MapTransform& t = canvas.transform;
    const int32_t width = target.width;
    const size_t rowBytes = size_t(width) * sizeof(uint32_t);

    const uint32_t level = map_WaterLevel(page);
    const bool tint = (canvas.show_flags & kShowWater) != 0 && level != 0;
    const bool colourMode = mapMode != kMapModeDepth && mapMode != kMapModeOutline;

    const TerrainImagery* imagery = page.imagery.get();
    if (imagery == nullptr) {
        // No terrain loaded: the maps are all zero, so every pixel is 0 and lies at or below any
        // water level.
        const uint32_t fill = tint ? (colourMode ? tintColourMap(0) : tintOtherMap(0)) : 0u;
        for (size_t i = 0, n = size_t(width) * size_t(target.height); i < n; ++i)
            target.pixels[i] = fill;
        return;
    }

    // Positions in 1/65,536 m. Only bits 10 to 25 are ever used, so the arithmetic wraps freely.
    const uint32_t step = map_TexelStep(t);
    const uint32_t u0 = uint32_t(int64_t(std::trunc(t.cx * 256.0f))) - step * uint32_t(t.hw);
    const uint32_t v0 = uint32_t(int64_t(std::trunc(-t.cy * 256.0f))) - step * uint32_t(t.hh);

    const uint32_t* source = colourMode                 ? imagery->color_map
                             : mapMode == kMapModeDepth ? imagery->elevation_map
                                                        : imagery->outline_map;
    const bool detail = colourMode && (canvas.show_flags & kShowCharacters) != 0 && step < kDetailMaxStep &&
                        page.detail_images_present == 1;
    RowKind kind = RowKind::Copy;
    if (tint) kind = colourMode ? RowKind::TintColour : RowKind::TintOther;

    if (detail) {
        drawDetailRows(target, *imagery, source, tint, level, u0, v0, step);
        return;
    }

    // A row depends on its texel row only.
    uint32_t* previous = nullptr;
    uint32_t previousKey = 0;
    uint32_t v = v0;
    for (int32_t row = 0; row < target.height; ++row, v += step) {
        uint32_t* out = target.pixels + size_t(row) * size_t(width);
        const uint32_t key = (v >> 16) & kTexelMask;
        if (previous != nullptr && key == previousKey) {
            std::memcpy(out, previous, rowBytes);
            continue;
        }
        const size_t rowStart = size_t(key) * kTerrainMapSize;
        const uint32_t* src = source + rowStart;
        const uint32_t* elevation = imagery->elevation_map + rowStart;
        switch (kind) {
        case RowKind::TintColour:
            rowTinted<tintColourMap>(out, width, src, elevation, level, u0, step);
            break;
        case RowKind::TintOther:
            rowTinted<tintOtherMap>(out, width, src, elevation, level, u0, step);
            break;
        default:
            rowCopy(out, width, src, u0, step);
            break;
        }
        previous = out;
        previousKey = key;
    }
}
