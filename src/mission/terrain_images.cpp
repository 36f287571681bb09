#include "mission/terrain_images.h"

#include "foundation/file_access.h"
#include "gamedata/def_words.h"
#include "gamedata/image_holder.h"
#include "gamedata/jpeg_decoder.h"
#include "gamedata/pcx_decoder.h"
#include "gamedata/pixel_ops.h"
#include "gamedata/r16_decoder.h"
#include "gamedata/tga_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {
bool g_falseColourElevation = false;

constexpr int kMapSize = kTerrainMapSize;
constexpr size_t kMapPixels = kTerrainMapPixels;
constexpr size_t kPaletteEntries = 256;

// An image holder that gives its block back however the load ends.
struct Holder {
    ImageHolder image{};
    Holder() = default;
    ~Holder() { image_Free(image); }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
};

// True when `name` ends in `ext` (with its dot), without regard to letter case.
bool hasExtension(const char* name, const char* ext) {
    const size_t length = std::strlen(name), extLength = std::strlen(ext);
    return length >= extLength && strcasecmp(name + length - extLength, ext) == 0;
}

// A name field of the terrain record as a string (the field may fill its whole width).
template <size_t N> void fieldName(const char (&field)[N], char* out) {
    std::memcpy(out, field, N);
    out[N] = '\0';
}

// Copies the part of a `width` × `height` image of 32-bit pixels that overlaps the map.
void copyIntoMap(const ImageHolder& image, uint32_t* map) {
    const int rows = std::min<int>(image.height, kMapSize), columns = std::min<int>(image.width, kMapSize);
    for (int y = 0; y < rows; ++y)
        std::memcpy(map + static_cast<size_t>(y) * kMapSize,
                    image.pixels + static_cast<size_t>(y) * image.width * 4,
                    static_cast<size_t>(columns) * 4);
}

// The JPEG of the colour map's name, when it exists and is a map-sized baseline file.
bool loadJpegColourMap(const char* colourName, uint32_t* map) {
    char name[kTerrainFileNameSize + 1];
    std::memcpy(name, colourName, sizeof name);
    SetExtension(name, sizeof name, "jpg");
    if (!file_ExistsEx(name)) return false;
    ImageFileBuffer file;
    if (file.load(name, true) != kImageOk) return false;
    int width = 0, height = 0;
    if (jpeg_Probe(file.bytes(), width, height) != 1 || width != kMapSize || height != kMapSize) return false;
    uint32_t* pixels = map;
    if (jpeg_Decode(file.bytes(), width, height, pixels, 0) == 1) return true;
    // A file that fails part way may have written some rows; the fallback starts from black.
    std::memset(map, 0, kMapPixels * sizeof(uint32_t));
    return false;
}

void loadColourMap(const TerrainDef& def, TerrainImagery& imagery) {
    char name[kTerrainFileNameSize + 1];
    fieldName(def.color_map, name);
    if (name[0] == '\0') return;
    if (loadJpegColourMap(name, imagery.color_map)) return;
    Holder holder;
    int result = kImageNotFound;
    if (hasExtension(name, ".tga"))
        result = tga_Read(holder.image, name);
    else if (hasExtension(name, ".pcx"))
        result = pcx_ReadHeight(holder.image, name);
    if (result == kImageOk) copyIntoMap(holder.image, imagery.color_map);
}

void loadElevationMap(const TerrainDef& def, TerrainImagery& imagery) {
    char name[kTerrainFileNameSize + 1];
    fieldName(def.elev_map, name);
    Holder holder;
    int result = kImageNotFound;
    if (hasExtension(name, ".r16"))
        result = r16_Read(holder.image, name, g_falseColourElevation);
    else if (hasExtension(name, ".pcx"))
        result = pcx_ReadHeight(holder.image, name);
    if (result == kImageOk) copyIntoMap(holder.image, imagery.elevation_map);
}

// The tiles lie one after another, so the decoded pixels are taken in order, as many as fit.
bool loadDetailTexture(const TerrainDef& def, TerrainImagery& imagery) {
    char name[kTerrainFileNameSize + 1];
    fieldName(def.detail_color, name);
    if (!hasExtension(name, ".tga")) return false;
    Holder holder;
    if (tga_Read(holder.image, name) != kImageOk) return false;
    const size_t count = std::min<size_t>(holder.image.pixelCount, kMapPixels);
    std::memcpy(imagery.detail_texture, holder.image.pixels, count * 4);
    std::memcpy(imagery.detail_premultiplied, imagery.detail_texture, count * 4);
    // Whole rows of the texture's width; a partial last row is premultiplied on its own.
    const int width = std::max<int>(holder.image.width, 1);
    const size_t rows = count / static_cast<size_t>(width), rest = count % static_cast<size_t>(width);
    auto* bytes = reinterpret_cast<uint8_t*>(imagery.detail_premultiplied);
    pixel_Premultiply(bytes, width, static_cast<int>(rows));
    if (rest != 0)
        pixel_Premultiply(bytes + rows * static_cast<size_t>(width) * 4, static_cast<int>(rest), 1);
    return true;
}

// The character map, and its palette as the file's (red, green, blue) triples.
bool loadCharacterMap(const TerrainDef& def, TerrainImagery& imagery) {
    char name[kTerrainFileNameSize + 1];
    fieldName(def.detail_map, name);
    if (!hasExtension(name, ".pcx")) return false;
    Holder holder;
    if (pcx_ReadIndexed(holder.image, name) != kImageOk) return false;
    const ImageHolder& image = holder.image;
    const int rows = std::min<int>(image.height, kMapSize), columns = std::min<int>(image.width, kMapSize);
    for (int y = 0; y < rows; ++y)
        std::memcpy(imagery.character_map + static_cast<size_t>(y) * kMapSize,
                    image.pixels + static_cast<size_t>(y) * image.width, static_cast<size_t>(columns));
    for (size_t i = 0; i < kPaletteEntries; ++i) {
        const uint8_t* entry = image.palette + i * 4; // blue, green, red, 0
        imagery.character_palette[i * 3 + 0] = entry[2];
        imagery.character_palette[i * 3 + 1] = entry[1];
        imagery.character_palette[i * 3 + 2] = entry[0];
    }
    return true;
}

void clearImagery(TerrainImagery& imagery) {
    std::memset(imagery.color_map, 0, sizeof imagery.color_map);
    std::memset(imagery.elevation_map, 0, sizeof imagery.elevation_map);
    std::memset(imagery.outline_map, 0, sizeof imagery.outline_map);
    std::memset(imagery.character_map, 0, sizeof imagery.character_map);
    std::memset(imagery.character_palette, 0, sizeof imagery.character_palette);
    std::memset(imagery.detail_texture, 0, sizeof imagery.detail_texture);
    std::memset(imagery.detail_premultiplied, 0, sizeof imagery.detail_premultiplied);
}
} // namespace

TerrainDef& terrain_Current() {
    static TerrainDef def = [] {
        TerrainDef fresh;
        terrain_Reset(fresh);
        return fresh;
    }();
    return def;
}

void terrain_SetFalseColourElevation(bool on) {
    g_falseColourElevation = on;
}
bool terrain_FalseColourElevation() {
    return g_falseColourElevation;
}

void terrain_ComputeOutline(const uint32_t* elevation, uint32_t* outline) {
    constexpr int mask = kMapSize - 1; // the map wraps: neighbours are taken modulo its size
    for (int y = 0; y < kMapSize; ++y) {
        const uint32_t* row = elevation + static_cast<size_t>(y) * kMapSize;
        const uint32_t* above = elevation + static_cast<size_t>((y - 1) & mask) * kMapSize;
        const uint32_t* below = elevation + static_cast<size_t>((y + 1) & mask) * kMapSize;
        uint32_t* out = outline + static_cast<size_t>(y) * kMapSize;
        for (int x = 0; x < kMapSize; ++x) {
            const uint32_t value = row[x];
            const bool flat = row[(x - 1) & mask] == value && row[(x + 1) & mask] == value &&
                              above[x] == value && below[x] == value;
            out[x] = flat ? 0 : kOutlinePixel;
        }
    }
}

int terrain_LoadImages(MissionPage& page) {
    page.detail_images_present = 0;
    const bool named = page.general.terrain[0] != '\0';
    // A page without a terrain needs no buffers; one that has them gets them cleared. Buffers
    // allocated here start out cleared (a page opened from a file always gets fresh ones).
    const bool fresh = !page.imagery;
    TerrainImagery* imagery = named ? page_EnsureImagery(page) : page.imagery.get();
    if (imagery != nullptr && !fresh) clearImagery(*imagery);
    if (!named) return 1;

    char terrainName[kPageTerrainNameSize + 1] = {};
    std::memcpy(terrainName, page.general.terrain, kPageTerrainNameSize);
    TerrainDef& def = terrain_Current();
    if (terrain_Load(terrainName, def) == 0) return 0;
    if (imagery == nullptr) return 0;

    loadColourMap(def, *imagery);
    loadElevationMap(def, *imagery);
    const bool texture = loadDetailTexture(def, *imagery);
    const bool characters = loadCharacterMap(def, *imagery);
    page.detail_images_present = texture && characters ? 1 : 0;
    terrain_ComputeOutline(imagery->elevation_map, imagery->outline_map);
    page.general.terrain_water_height = def.water_height / kTerrainWaterHeightScale;
    return 1;
}

std::vector<std::string> terrain_MissingFiles(const char* terrainName) {
    std::vector<std::string> missing;
    char name[kPageTerrainNameSize + 1] = {};
    if (terrainName != nullptr) std::memcpy(name, terrainName, strnlen(terrainName, kPageTerrainNameSize));
    if (name[0] == '\0') return missing;
    char file[kTerrainFileBaseMax + 1 + 4];
    terrain_FileName(name, file, sizeof file);
    if (!file_ExistsEx(file)) {
        missing.emplace_back(file);
        return missing;
    }
    auto def = std::make_unique<TerrainDef>();
    if (terrain_Load(name, *def) == 0) return missing; // out of memory: nothing to tell about files
    const auto check = [&missing](const char(&field)[kTerrainFileNameSize], bool jpegForm) {
        char image[kTerrainFileNameSize + 1];
        fieldName(field, image);
        if (image[0] == '\0' || file_ExistsEx(image)) return;
        if (jpegForm) {
            char jpeg[kTerrainFileNameSize + 1];
            std::memcpy(jpeg, image, sizeof jpeg);
            SetExtension(jpeg, sizeof jpeg, "jpg");
            if (file_ExistsEx(jpeg)) return;
        }
        missing.emplace_back(image);
    };
    check(def->color_map, true);
    check(def->elev_map, false);
    check(def->detail_color, false);
    check(def->detail_map, false);
    return missing;
}
