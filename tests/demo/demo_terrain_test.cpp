// The generated demo terrain images: sizes, the tie between detail tiles and the terrain's types,
// water where the definition puts the water level, and maps that wrap without a seam.
#include "demo/demo_files.h"
#include "demo/demo_terrain.h"
#include "gamedata/demo_data_support.h"
#include "gamedata/terrain_defs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {
constexpr int N = kDemoMapSize;

struct BuiltTerrain {
    TerrainDef def;
    DemoTerrainDef shape;
    DemoTerrainImages images;
};

// The images of demo terrain `name`, built once per test program.
const BuiltTerrain& built(const std::string& name) {
    static std::map<std::string, BuiltTerrain> cache;
    auto found = cache.find(name);
    if (found != cache.end()) return found->second;
    BuiltTerrain& terrain = cache[name];
    const std::string text = demo_Read("terrains/" + name + ".trn");
    terrain_LoadBuffer(text.data(), text.size(), terrain.def);
    terrain.shape = demo_TerrainDef(name.c_str(), terrain.def);
    demo_BuildTerrainImages(terrain.shape, terrain.images);
    return terrain;
}

int highByte(const BuiltTerrain& t, int x, int y) {
    return t.images.heights[static_cast<size_t>(y) * N + x] >> 8;
}

double underWater(const BuiltTerrain& t, int x0, int x1) {
    size_t wet = 0, all = 0;
    for (int y = 0; y < N; ++y)
        for (int x = x0; x < x1; ++x, ++all)
            wet += highByte(t, x, y) <= t.shape.waterLevel;
    return static_cast<double>(wet) / static_cast<double>(all);
}

// Mean absolute height step between neighbours across the seam (last column to first, last row to
// first) and inside the map.
void seamAndInside(const BuiltTerrain& t, double& seam, double& inside) {
    auto h = [&](int x, int y) {
        return static_cast<double>(t.images.heights[static_cast<size_t>(y) * N + x]);
    };
    seam = inside = 0.0;
    for (int i = 0; i < N; ++i) {
        seam += std::abs(h(N - 1, i) - h(0, i)) + std::abs(h(i, N - 1) - h(i, 0));
        inside += std::abs(h(N / 2 - 1, i) - h(N / 2, i)) + std::abs(h(i, N / 2 - 1) - h(i, N / 2));
    }
}
} // namespace

TEST(DemoTerrain, EveryImageHasItsSizeAndEveryTileShowsItsType) {
    for (const char* name : {"hills", "coast", "desert"}) {
        SCOPED_TRACE(name);
        const BuiltTerrain& t = built(name);
        const int types = t.shape.typeCount;
        ASSERT_GE(types, 4);
        ASSERT_EQ(t.images.heights.size(), static_cast<size_t>(N) * N);
        ASSERT_EQ(t.images.colour.size(), static_cast<size_t>(N) * N);
        ASSERT_EQ(t.images.detailMap.size(), static_cast<size_t>(N) * N);
        ASSERT_EQ(t.images.detailPalette.size(), 768u);
        ASSERT_EQ(t.images.detailTiles.size(),
                  static_cast<size_t>(kDemoTileSize) * kDemoTileSize * kDemoTileCount);
        // Palette entry n has the colour of the type of tile n; entries 0 .. types-1 are the types.
        for (int n = 0; n < 256; ++n)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(t.images.detailPalette[n * 3 + c], t.def.types[n % types].values[c])
                    << "entry " << n;
        // Each tile is a light cover: alpha well between none and full.
        for (size_t i = 0; i < t.images.detailTiles.size(); i += 997) {
            const uint32_t alpha = t.images.detailTiles[i] >> 24;
            ASSERT_GE(alpha, 40u);
            ASSERT_LE(alpha, 160u);
        }
        // Every type the map uses is one of the definition's; the tile variants are spread out.
        std::vector<size_t> perTile(256, 0);
        for (uint8_t tile : t.images.detailMap)
            ++perTile[tile];
        int used = 0;
        for (size_t count : perTile)
            used += count != 0;
        EXPECT_GT(used, 2 * types) << "variants of the tiles should be in use";
        EXPECT_EQ(demo_TileOfType(1, 0, types), 1);
        EXPECT_EQ(demo_TileOfType(1, 2, types) % types, 1);
        EXPECT_LT(demo_TileOfType(types - 1, 1000, types), 256);
    }
}

TEST(DemoTerrain, WaterLiesWhereTheDefinitionPutsIt) {
    const BuiltTerrain& hills = built("hills");
    ASSERT_EQ(hills.shape.waterLevel, 18);
    const double lake = underWater(hills, 0, N);
    EXPECT_GT(lake, 0.01) << "the hills have a lake";
    EXPECT_LT(lake, 0.15) << "and it is a lake, not a sea";
    // Water is drawn blue in the colour map.
    const uint32_t centre = hills.images.colour[static_cast<size_t>(360) * N + 640];
    EXPECT_LE(highByte(hills, 640, 360), 18);
    EXPECT_GT(centre & 0xFF, (centre >> 16) & 0xFF) << "lake centre is not blue";

    const BuiltTerrain& coast = built("coast");
    ASSERT_EQ(coast.shape.waterLevel, 40);
    EXPECT_GT(underWater(coast, 820, 940), 0.9) << "the sea side";
    EXPECT_LT(underWater(coast, 300, 600), 0.01) << "the land side";

    const BuiltTerrain& desert = built("desert");
    EXPECT_EQ(desert.shape.waterLevel, 0);
    EXPECT_EQ(desert.shape.landform, DemoLandform::Desert);
}

TEST(DemoTerrain, HeightFieldsWrapWithoutASeam) {
    for (const char* name : {"hills", "coast", "desert"}) {
        SCOPED_TRACE(name);
        double seam = 0.0, inside = 0.0;
        seamAndInside(built(name), seam, inside);
        EXPECT_LT(seam, inside * 3.0 + N * 64.0);
    }
}

TEST(DemoTerrain, TheSameDefinitionGivesTheSameImages) {
    const BuiltTerrain& first = built("desert");
    DemoTerrainImages again;
    demo_BuildTerrainImages(first.shape, again);
    EXPECT_TRUE(again.heights == first.images.heights);
    EXPECT_TRUE(again.colour == first.images.colour);
    EXPECT_TRUE(again.detailMap == first.images.detailMap);
    EXPECT_TRUE(again.detailTiles == first.images.detailTiles);
}

TEST(DemoModels, BuildsEveryModelOfTheTableAndNamesBadLines) {
    std::vector<DemoFile> files;
    std::string error;
    ASSERT_TRUE(demo_BuildModels(demo_Read("models.tsv"), files, &error)) << error;
    EXPECT_GE(files.size(), 50u);
    for (const DemoFile& file : files) {
        EXPECT_EQ(file.name.substr(file.name.size() - 4), ".3di");
        EXPECT_FALSE(file.bytes.empty()) << file.name;
    }

    files.clear();
    EXPECT_FALSE(demo_BuildModels("# comment\nbox\tobject\t1x1\t1\tbox\tnote\nodd\tobject\t1x1\t1\tblob\n",
                                  files, &error));
    EXPECT_EQ(error, "line 3: unknown shape blob");
    EXPECT_FALSE(demo_BuildModels("crate\tobject\t1by1\t1\tbox\n", files, &error));
    EXPECT_EQ(error, "line 1: bad footprint or height");
    EXPECT_FALSE(demo_BuildModels("crate\tobject\t1x1\n", files, &error));
    EXPECT_EQ(error, "line 1: expected model, class, footprint, height and shape");
}
