#pragma once
// Shared helpers of the map renderer tests: images, views, pages with items, and a real model
// written with the model writer and loaded through the model loader.

#include "demo/model_writer.h"
#include "foundation/mem_arena.h"
#include "gamedata/item_defs.h"
#include "gamedata/model_cache.h"
#include "gamedata/model_test_util.h"
#include "mission/page_ops.h"
#include "render/map_render.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// A view with every show flag of the window start, no grid, the given zoom and centre.
inline ViewState rtest_View(float zoom, int32_t cx = 0, int32_t cy = 0) {
    ViewState view{};
    view_Reset(view);
    view_ApplyWindowStart(view);
    view.grid_shown = 0;
    view.zoom = zoom;
    view.center_x = cx;
    view.center_y = cy;
    return view;
}

// An image filled with `fill` and a canvas over it.
struct TestImage {
    RasterImage image;
    MapCanvas canvas;

    TestImage(const ViewState& view, int32_t width, int32_t height, uint32_t fill = 0) {
        EXPECT_TRUE(image.create(width, height));
        for (int32_t i = 0; i < width * height; ++i)
            image.pixels()[i] = fill;
        canvas = map_MakeCanvas(view, image.target());
    }
    uint32_t at(int32_t x, int32_t y) const {
        return image.pixels()[size_t(y) * size_t(image.width()) + size_t(x)];
    }
    int count(uint32_t colour) const {
        int n = 0;
        for (int32_t i = 0; i < image.width() * image.height(); ++i)
            n += image.pixels()[i] == colour;
        return n;
    }
    // Pixels that differ from `fill`.
    std::set<std::pair<int32_t, int32_t>> changed(uint32_t fill = 0) const {
        std::set<std::pair<int32_t, int32_t>> out;
        for (int32_t y = 0; y < image.height(); ++y)
            for (int32_t x = 0; x < image.width(); ++x)
                if (at(x, y) != fill) out.insert({x, y});
        return out;
    }
    bool samePixels(const TestImage& other) const {
        return image.width() == other.image.width() && image.height() == other.image.height() &&
               std::equal(image.pixels(), image.pixels() + image.width() * image.height(),
                          other.image.pixels());
    }
};

// Adds an item of `type` (a test definition) and sets the fields the renderer reads.
inline int rtest_AddItem(MissionPage& page, int32_t type, int32_t x, int32_t y, int32_t heading = 0) {
    const int slot = page_AddItem(page, type, x, y, 0);
    EXPECT_GE(slot, 0);
    page.items[slot].facing[0] = heading;
    return slot;
}

// Fixture: the test item definitions and empty model tables; models loaded by a test are given
// back at the end.
class RenderFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        modeltest_FreeAll();
        page = std::make_unique<MissionPage>();
    }
    void TearDown() override {
        for (int i = 0; i < itemdef_Count(); ++i)
            itemdef_Get(i)->model = nullptr;
        modeltest_FreeAll();
    }

    // Loads `desc` into a model record of the cache tables and gives it to definition `type`.
    ModelRecord* attachModel(int32_t type, const ModelDesc& desc) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(model_WriteBytes(desc, bytes));
        ModelTables& tables = model_Tables();
        ModelRecord& record = tables.models[tables.model_count];
        ModelMemorySource source(bytes.data(), bytes.size());
        if (model_LoadFrom(record, source, "test.3di", 0) != 1) {
            ADD_FAILURE() << "the test model does not load";
            return nullptr;
        }
        ++tables.model_count;
        itemdef_Get(itemdef_FindById(type))->model = &record;
        return &record;
    }

    std::unique_ptr<MissionPage> page;
};

// One LOD: a single part with one triangle (0, 0)-(size, 0)-(0, size) whose edges are hidden
// as `edgeFlags` says (bit k + 1 hides edge k).
inline ModelDescLod rtest_TriangleLod(int16_t size, uint32_t edgeFlags = 0) {
    ModelDescLod lod;
    lod.name = "lod";
    ModelDescPart part;
    part.vertices = {{0, 0, 0}, {size, 0, 0}, {0, size, 0}};
    ModelDescTriangle t;
    t.v[0] = 0;
    t.v[1] = 1;
    t.v[2] = 2;
    t.edge_flags = edgeFlags;
    part.triangles.push_back(t);
    lod.parts.push_back(part);
    lod.surfaces.resize(1);
    return lod;
}
