#pragma once
// Shared helpers of the model tests: a fixture that starts with empty model tables inside a fresh
// temporary directory, and small model descriptions to vary.

#include "demo/model_writer.h"
#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/model_access.h"
#include "gamedata/model_cache.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

// Gives back the arena blocks the tables hold, then empties them. Tests only: the program keeps
// models for the whole run.
inline void modeltest_FreeAll() {
    ModelTables& tables = model_Tables();
    for (int i = 0; i < tables.texture_count; ++i)
        mem_FreeMem(tables.textures[i].data);
    for (int i = 0; i < tables.lod_count; ++i)
        mem_FreeMem(tables.lods[i].data);
    model_Clear();
}

inline int modeltest_ArenaBlocks() {
    int count = 0;
    const MemArena& arena = mem_MainArena();
    for (const MemBlock* b = arena.head; b != nullptr; b = mem_NextBlock(arena, b))
        ++count;
    return count;
}

class ModelFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        modeltest_FreeAll();
        file_ResetState();
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer) != nullptr) previousDir_ = buffer;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override {
        if (!previousDir_.empty()) {
            EXPECT_EQ(chdir(previousDir_.c_str()), 0);
        }
        modeltest_FreeAll();
    }

    // Loads bytes as the file `path` would be loaded.
    int loadBytes(const std::vector<uint8_t>& bytes, ModelRecord& record, const char* path = "model.3di",
                  int tag = 0) {
        ModelMemorySource source(bytes.data(), bytes.size());
        return model_LoadFrom(record, source, path, tag);
    }
    std::vector<uint8_t> bytesOf(const ModelDesc& desc, ModelFileLayout* layout = nullptr) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(model_WriteBytes(desc, bytes, layout));
        return bytes;
    }

    TempDir dir;

  private:
    std::string previousDir_;
};

// One part holding one triangle on surface 0.
inline ModelDescPart modeltest_TrianglePart(int16_t size = 256) {
    ModelDescPart part;
    part.vertices = {{0, 0, 0}, {size, 0, 0}, {0, size, 0}};
    ModelDescTriangle t;
    t.v[0] = 0;
    t.v[1] = 1;
    t.v[2] = 2;
    part.triangles.push_back(t);
    return part;
}

inline ModelDescLod modeltest_Lod(const char* name = "lod") {
    ModelDescLod lod;
    lod.name = name;
    lod.parts.push_back(modeltest_TrianglePart());
    lod.surfaces.resize(1);
    return lod;
}

inline ModelDesc modeltest_Model(const char* name, int lods) {
    ModelDesc desc;
    desc.name = name;
    desc.radius = 300 << 8;
    for (int i = 0; i < lods; ++i)
        desc.lods.push_back(modeltest_Lod());
    return desc;
}

inline ModelDescTexture modeltest_Texture(const char* name, uint16_t id, uint8_t flags, uint8_t fill) {
    ModelDescTexture t;
    t.name = name;
    t.id = id;
    t.flags = flags;
    t.width = 4;
    t.height = 4;
    t.pixels.assign(16, fill);
    for (int i = 0; i < 1024; ++i)
        t.palette.push_back(static_cast<uint8_t>(i * 3 + fill));
    return t;
}
