// Map render per frame at 1920 × 1080 over a generated terrain:
//   ColourMap          the colour map alone (nothing else on the page)
//   ColourMapDetail    the colour map with the detail characters
//   FullPage           the same plus 5,000 items (model outlines, people with cones, markers),
//                      waypoint lists and area triggers
//   FrameCopy          memcpy of a frame buffer of the same size: the yardstick of the ratios
//   ItemsWithoutTerrain  the items, lists and triggers of FullPage over a page without terrain
// The *ZoomedOut variants show the terrain at less than one pixel per metre, where no two rows
// sample the same texels.
#include "demo/demo_shapes.h"
#include "demo/demo_terrain.h"
#include "foundation/mem_arena.h"
#include "gamedata/item_defs.h"
#include "gamedata/model_cache.h"
#include "gamedata/pixel_ops.h"
#include "mission/page_ops.h"
#include "render/map_render.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr float kZoomFill = 1920.0f / (1024.0f * 256.0f); // the terrain fills the width: 1.9 px per metre
constexpr float kZoomOut = 0.002f;                        // 0.5 px per metre
constexpr int32_t kCentre = 131072;                       // the middle of the terrain square

struct BenchDef {
    const char* name;
    int32_t id;
    const char* type;
};
constexpr BenchDef kDefs[] = {
    {"Truck", 1, "vehicle"},        {"Tank", 2, "vehicle"},   {"Tree", 3, "decoration"},
    {"Fence", 4, "decoration"},     {"House", 5, "building"}, {"Tower", 6, "building"},
    {"Crate", 7, "object"},         {"Soldier", 8, "person"}, {"Waypoint", 6005, "marker"},
    {"AreaMarker", 6013, "marker"},
};

void loadDefinitions() {
    std::string text;
    for (const BenchDef& d : kDefs)
        text += std::string("begin ") + d.name + "\r\n  id " + std::to_string(100000 + d.id) + "\r\n  type " +
                d.type + "\r\nend\r\n";
    itemdef_LoadBuffer(text.data(), text.size(), 0);
}

void attachModel(int32_t id, const char* name, double w, double l, double h, DemoShape shape) {
    ModelDesc desc;
    std::vector<uint8_t> bytes;
    if (!model_BuildDemo(name, w, l, h, shape, desc) || !model_WriteBytes(desc, bytes)) return;
    ModelTables& tables = model_Tables();
    ModelRecord& record = tables.models[tables.model_count];
    ModelMemorySource source(bytes.data(), bytes.size());
    if (model_LoadFrom(record, source, name, 0) != 1) return;
    ++tables.model_count;
    itemdef_Get(itemdef_FindById(id))->model = &record;
}

void fillTerrain(MissionPage& page) {
    DemoTerrainDef terrain;
    terrain.waterLevel = 60;
    DemoTerrainImages images;
    demo_BuildTerrainImages(terrain, images);
    TerrainImagery* imagery = page_EnsureImagery(page);
    for (int i = 0; i < kTerrainMapPixels; ++i) {
        imagery->color_map[i] = images.colour[i];
        imagery->elevation_map[i] = uint32_t(images.heights[i] >> 8) << 8;
        imagery->character_map[i] = images.detailMap[i];
    }
    std::memcpy(imagery->detail_premultiplied, images.detailTiles.data(),
                std::min(sizeof imagery->detail_premultiplied, images.detailTiles.size() * sizeof(uint32_t)));
    pixel_Premultiply(reinterpret_cast<uint8_t*>(imagery->detail_premultiplied), 64, 64 * 256);
    page.detail_images_present = 1;
    page.general.terrain_water_height = terrain.waterLevel;
}

// 5,000 items spread over the view: things with models, people, waypoint lists of 8 markers and
// area triggers of 4.
void fillItems(MissionPage& page) {
    std::mt19937 random(7);
    auto range = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int32_t halfW = int32_t(kWidth / 2 / kZoomFill), halfH = int32_t(kHeight / 2 / kZoomFill);
    auto add = [&](int32_t type, int32_t x, int32_t y) {
        const int slot = page_AddItem(page, type, x, y, 0);
        if (slot >= 0) page.items[slot].facing[0] = range(0, 359);
        return slot;
    };
    for (int list = 1; list <= 100; ++list) {
        const int32_t x = kCentre + range(-halfW, halfW), y = -kCentre + range(-halfH, halfH);
        for (int k = 0; k < 8; ++k) {
            const int slot = add(kWaypointMarkerType, x + range(-8000, 8000), y + range(-8000, 8000));
            page.items[slot].waypoint_id = list;
            page.items[slot].wpnumber = k;
        }
        page.waypoints[list].color = list % 17;
    }
    for (int area = 1; area <= 50; ++area) {
        const int32_t x = kCentre + range(-halfW, halfW), y = -kCentre + range(-halfH, halfH);
        for (int k = 0; k < 4; ++k)
            page.items[add(kAreaTriggerMarkerType, x + range(0, 6000), y + range(0, 6000))].wpnumber = area;
        page.area_triggers[area].color = area % 17;
    }
    while (page.num_items < kMaxItems) {
        const int32_t x = kCentre + range(-halfW, halfW), y = -kCentre + range(-halfH, halfH);
        const int kind = range(0, 99);
        const int slot = add(kind < 25 ? 8 : 1 + kind % 7, x, y);
        page.items[slot].fov = 90;
    }
    for (int i = 0; i < 40; ++i)
        sel_Add(page, range(0, kMaxItems - 1));
}

struct Scene {
    std::unique_ptr<MissionPage> page = std::make_unique<MissionPage>();
    std::unique_ptr<MissionPage> itemPage = std::make_unique<MissionPage>();
    std::unique_ptr<MissionPage> itemsOnly = std::make_unique<MissionPage>();
    RasterImage image;

    Scene() {
        if (mem_MainArena().base == nullptr) mem_InitArena(mem_MainArena(), 64u << 20);
        loadDefinitions();
        attachModel(1, "truck", 2.5, 7, 3, DemoShape::Vehicle);
        attachModel(2, "tank", 3.5, 8, 3, DemoShape::Tank);
        attachModel(3, "tree", 6, 6, 12, DemoShape::Tree);
        attachModel(4, "fence", 0.3, 20, 2, DemoShape::Fence);
        attachModel(5, "house", 10, 14, 7, DemoShape::Building);
        attachModel(6, "tower", 4, 4, 15, DemoShape::Tower);
        attachModel(7, "crate", 1.5, 1.5, 1.5, DemoShape::Box);
        fillTerrain(*page);
        fillTerrain(*itemPage);
        fillItems(*itemPage);
        fillItems(*itemsOnly);
        image.create(kWidth, kHeight);
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

ViewState view(float zoom, bool characters) {
    ViewState v{};
    view_Reset(v);
    view_ApplyWindowStart(v);
    v.grid_shown = 0;
    v.zoom = zoom;
    v.center_x = kCentre;
    v.center_y = -kCentre;
    v.show_flags &= ~kShowWater;
    if (characters) v.show_flags |= kShowCharacters;
    return v;
}

void renderFrames(benchmark::State& state, MissionPage& page, const ViewState& v) {
    Scene& s = scene();
    for (auto _ : state) {
        MapRender(page, v, s.image.target());
        benchmark::DoNotOptimize(s.image.pixels());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_FrameCopy(benchmark::State& state) {
    std::vector<uint32_t> from(size_t(kWidth) * kHeight, 0x123456), to(size_t(kWidth) * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 4);
}

void BM_ColourMap(benchmark::State& state) {
    renderFrames(state, *scene().page, view(kZoomFill, false));
}
void BM_ColourMapDetail(benchmark::State& state) {
    renderFrames(state, *scene().page, view(kZoomFill, true));
}
void BM_FullPage(benchmark::State& state) {
    renderFrames(state, *scene().itemPage, view(kZoomFill, true));
}
void BM_ItemsWithoutTerrain(benchmark::State& state) {
    renderFrames(state, *scene().itemsOnly, view(kZoomFill, true));
}
void BM_ColourMapWater(benchmark::State& state) {
    ViewState v = view(kZoomFill, false);
    v.show_flags |= kShowWater;
    renderFrames(state, *scene().page, v);
}
void BM_ColourMapZoomedOut(benchmark::State& state) {
    renderFrames(state, *scene().page, view(kZoomOut, false));
}
void BM_FullPageZoomedOut(benchmark::State& state) {
    renderFrames(state, *scene().itemPage, view(kZoomOut, true));
}

} // namespace

BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColourMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColourMapDetail)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ItemsWithoutTerrain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColourMapWater)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColourMapZoomedOut)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPageZoomedOut)->Unit(benchmark::kMicrosecond);
