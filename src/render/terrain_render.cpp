// The terrain image under the map: one of the page's three 1024 × 1024 maps, repeating every
// 1024 m, sampled with 16.16 fixed-point steps (1/65,536 m units), optionally overlaid with the
// detail characters (detail_rows) and tinted below the water level.
//
// Every decision (map, tint, detail) is taken once per frame; the row loops below do nothing but
// arithmetic. A row that samples the same texels as the row above is copied from it.
#include "render/map_render.h"

#include "render/detail_rows.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kTexelMask = kTerrainMapSize - 1; // addresses wrap at 1024
constexpr uint32_t kDetailMaxStep = 0x10000;         // details only above one pixel per metre

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

enum class RowKind { Copy, TintColour, TintOther };

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
        const uint32_t fill = tint ? (colourMode ? terrain_TintColourMap(0) : terrain_TintOtherMap(0)) : 0u;
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
        DetailFrame frame;
        frame.u0 = u0;
        frame.v0 = v0;
        frame.step = step;
        frame.tint = tint;
        frame.level = level;
        detail_DrawRows(target, *imagery, source, frame, detail_BestKernel());
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
            rowTinted<terrain_TintColourMap>(out, width, src, elevation, level, u0, step);
            break;
        case RowKind::TintOther:
            rowTinted<terrain_TintOtherMap>(out, width, src, elevation, level, u0, step);
            break;
        default:
            rowCopy(out, width, src, u0, step);
            break;
        }
        previous = out;
        previousKey = key;
    }
}
