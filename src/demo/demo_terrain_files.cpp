#include "demo/demo_files.h"

#include "demo/demo_terrain.h"
#include "demo/jpeg_encoder.h"
#include "demo/pcx_writer.h"
#include "demo/r16_writer.h"
#include "demo/tga_writer.h"
#include "gamedata/def_words.h"
#include "gamedata/terrain_defs.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace {
bool endsWith(const std::string& name, const char* ext) {
    const size_t n = std::strlen(ext);
    return name.size() >= n && strcasecmp(name.c_str() + name.size() - n, ext) == 0;
}

template <size_t N> std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::string withExtension(const std::string& name, const char* ext) {
    char buffer[kTerrainFileNameSize + 1] = {};
    std::memcpy(buffer, name.data(), std::min(name.size(), sizeof buffer - 1));
    SetExtension(buffer, sizeof buffer, ext);
    return buffer;
}

// The grey ramp of the elevation PCX: entry i is (i, i, i), so a pixel's height is its index.
std::vector<uint8_t> greyRamp() {
    std::vector<uint8_t> palette(kPcxPaletteBytes);
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<uint8_t>(i / 3);
    return palette;
}
} // namespace

void demo_BuildTerrainFiles(const char* terrainName, const TerrainDef& def,
                            const DemoTerrainFileOptions& options, std::vector<DemoFile>& out) {
    DemoTerrainImages images;
    demo_BuildTerrainImages(demo_TerrainDef(terrainName, def), images);
    constexpr int side = kDemoMapSize;

    const std::string colour = fieldText(def.color_map);
    if (!colour.empty()) {
        if (options.jpegColourMap) {
            JpegEncodeOptions jpeg;
            jpeg.quality = 88;
            out.push_back({withExtension(colour, "jpg"), jpeg_Encode(images.colour, side, side, jpeg)});
        }
        if (endsWith(colour, ".tga")) {
            TgaWriteOptions tga;
            tga.runLength = options.colourRunLength;
            out.push_back({colour, tga_Encode(side, side, images.colour, tga)});
        }
    }

    const std::string elevation = fieldText(def.elev_map);
    if (endsWith(elevation, ".r16") || endsWith(elevation, ".pcx")) {
        out.push_back({withExtension(elevation, "r16"), r16_Encode(side, side, images.heights)});
        std::vector<uint8_t> levels(images.heights.size());
        for (size_t i = 0; i < levels.size(); ++i)
            levels[i] = static_cast<uint8_t>(images.heights[i] >> 8);
        out.push_back({withExtension(elevation, "pcx"), pcx_EncodeIndexed(side, side, levels, greyRamp())});
    }

    const std::string detailMap = fieldText(def.detail_map);
    if (endsWith(detailMap, ".pcx"))
        out.push_back({detailMap, pcx_EncodeIndexed(side, side, images.detailMap, images.detailPalette)});

    const std::string detailColour = fieldText(def.detail_color);
    if (endsWith(detailColour, ".tga")) {
        TgaWriteOptions tga;
        tga.depth = 32;
        tga.runLength = options.tilesRunLength;
        out.push_back({detailColour,
                       tga_Encode(kDemoTileSize, kDemoTileSize * kDemoTileCount, images.detailTiles, tga)});
    }
}
