// Model files of arbitrary bytes: the loader must never read or write outside its buffers, and
// whatever it accepts must read back safely through the accessors the map view uses.
//
// Seeds: run once with QZ_MODEL_FUZZ_SEEDS=<dir> set to write demo models and small models with
// textures into <dir>, then fuzz with <dir> as the corpus.
#include "demo/demo_shapes.h"
#include "demo/model_writer.h"
#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/model_access.h"
#include "gamedata/model_cache.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& modelPath() {
    static const std::string path = "/tmp/qz_model_fuzz_" + std::to_string(getpid()) + ".3di";
    return path;
}

void writeSeed(const std::string& dir, const std::string& name, const ModelDesc& desc) {
    model_WriteFile(desc, (dir + "/" + name + ".3di").c_str());
}

void writeSeeds(const std::string& dir) {
    const char* shapes[] = {"box", "tank", "helicopter", "building", "tree", "boat"};
    for (const char* word : shapes) {
        DemoShape shape;
        ModelDesc desc;
        if (model_DemoShapeFromName(word, shape) && model_BuildDemo(word, 3, 6, 2, shape, desc))
            writeSeed(dir, word, desc);
    }
    ModelDesc textured;
    textured.name = "textured";
    for (int i = 0; i < 3; ++i) {
        ModelDescTexture t;
        t.name = "tex";
        t.id = uint16_t(i + 1);
        t.flags = i == 1 ? 0x04 : 0x21;
        t.width = 4;
        t.height = 2;
        t.pixels.assign(8, uint8_t(i));
        t.palette.assign(16, uint8_t(i * 3));
        textured.textures.push_back(t);
    }
    for (int l = 0; l < 2; ++l) {
        ModelDescLod lod;
        lod.name = "lod";
        lod.flags = uint8_t(l);
        lod.e_count = 1;
        ModelDescPart part;
        part.vertices = {{0, 0, 0}, {100, 0, 0}, {0, 100, 50}};
        part.triangles.resize(1);
        part.triangles[0].v[1] = 1;
        part.triangles[0].v[2] = 2;
        part.triangles[0].surface = 1;
        part.b_count = 1;
        part.groups = {1};
        part.x = 10 << 8;
        lod.parts = {part, part};
        lod.parts[1].parent = 0;
        ModelDescSurface plain, tex, second;
        tex.flags = 1 | (1u << 14);
        tex.texture_id = 3;
        tex.kind = 2;
        tex.count = 3;
        tex.size = 100;
        second.flags = 1u << 15;
        second.second_texture_id = 1;
        lod.surfaces = {plain, tex, second};
        textured.lods.push_back(lod);
    }
    writeSeed(dir, "textured", textured);
}

void walk(const ModelRecord& model) {
    volatile int32_t sink = model_Radius(model) ^ model_Extent(model);
    for (int slot = 0; slot < kModelMaxLods; ++slot) {
        ModelLodView view(model_Lod(model, slot));
        view.forEachOutlineEdge(
            [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) { sink = sink ^ x0 ^ y0 ^ x1 ^ y1; });
        for (uint32_t s = 0; s < view.surfaceCount(); ++s) {
            ModelSurface surface;
            if (view.surface(s, surface) && surface.texture >= 0) {
                const ModelTexture* texture = model_Texture(surface.texture);
                if (texture == nullptr) std::abort(); // a textured surface must name a loaded texture
                sink = sink ^ texture->data[texture->pixel_size + kTexturePaletteSize + 767];
            }
        }
        for (uint32_t v = 0; v < view.vertexCount(); ++v) {
            int32_t x, y, z;
            if (view.vertexInModel(v, x, y, z)) sink = sink ^ x ^ y ^ z;
        }
        for (uint32_t g = 0; g < view.count(kArrG); ++g) {
            ModelRange range;
            if (view.groupFRange(g, range) && range.count != 0)
                sink = sink ^ view.element(kArrF, range.first)[0];
        }
    }
}

void freeAll() {
    ModelTables& tables = model_Tables();
    for (int i = 0; i < tables.texture_count; ++i)
        mem_FreeMem(tables.textures[i].data);
    for (int i = 0; i < tables.lod_count; ++i)
        mem_FreeMem(tables.lods[i].data);
    model_Clear();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mem_DebugLevel = 0;
    if (const char* dir = std::getenv("QZ_MODEL_FUZZ_SEEDS")) writeSeeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ModelRecord record;
    ModelMemorySource source(data, size);
    if (model_LoadFrom(record, source, "fuzz/model.3di", 7) == 1) walk(record);
    freeAll();

    // Every eighth input also goes through the file layer.
    if (size % 8 == 0) {
        std::FILE* file = std::fopen(modelPath().c_str(), "wb");
        if (file == nullptr) return 0;
        std::fwrite(data, 1, size, file);
        std::fclose(file);
        if (model_Load(record, modelPath().c_str(), 1) == 1) walk(record);
        freeAll();
    }
    return 0;
}
