// The model cache and its tables: lookups by name, files on disk, and full tables.

#include "model_test_util.h"

#include <cstring>

namespace {

using ModelCache = ModelFixture;

TEST_F(ModelCache, LoadsOnceAndFindsByNameWithoutRegardToCase) {
    ASSERT_TRUE(model_WriteFile(modeltest_Model("Tank", 2), dir.path("tank.3di").c_str()));
    int isNew = -1;
    ModelRecord* first = model_Get("tank", 7, &isNew);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(isNew, 1);
    EXPECT_EQ(model_Tables().model_count, 1);
    ModelRecord* again = model_Get("TANK", 7, &isNew);
    EXPECT_EQ(again, first);
    EXPECT_EQ(isNew, 0);
    EXPECT_EQ(model_Tables().model_count, 1);
    EXPECT_EQ(model_Tables().lod_count, 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(model_Lod(*first, 0)->header), "tank");
}

TEST_F(ModelCache, ReplacesAnExtensionAndFindsFilesWhateverTheirCase) {
    ASSERT_TRUE(model_WriteFile(modeltest_Model("hut", 1), dir.path("HUT.3DI").c_str()));
    int isNew = 0;
    EXPECT_NE(model_Get("hut.old", 0, &isNew), nullptr);
    EXPECT_EQ(isNew, 1);
}

TEST_F(ModelCache, MissingOrRefusedFileGivesNullAndTakesNoRecord) {
    int isNew = -1;
    EXPECT_EQ(model_Get("nothing", 0, &isNew), nullptr);
    EXPECT_EQ(isNew, 0);
    ModelDesc old = modeltest_Model("old", 1);
    old.version = 7;
    ASSERT_TRUE(model_WriteFile(old, dir.path("old.3di").c_str()));
    EXPECT_EQ(model_Get("old", 0, &isNew), nullptr);
    EXPECT_EQ(model_Tables().model_count, 0);
    EXPECT_EQ(model_Tables().lod_count, 0);
}

TEST_F(ModelCache, FileWithAnotherInternalNameLoadsOnEveryRequestUntilFull) {
    ASSERT_TRUE(model_WriteFile(modeltest_Model("other", 1), dir.path("jeep.3di").c_str()));
    ModelRecord* previous = nullptr;
    for (int i = 0; i < kModelCacheSize; ++i) {
        int isNew = 0;
        ModelRecord* record = model_Get("jeep", 0, &isNew);
        ASSERT_NE(record, nullptr) << i;
        ASSERT_NE(record, previous);
        ASSERT_EQ(isNew, 1);
        previous = record;
    }
    EXPECT_EQ(model_Tables().model_count, kModelCacheSize);
    EXPECT_EQ(model_Get("jeep", 0, nullptr), nullptr);
    // A name already cached is still found.
    EXPECT_EQ(model_Get("OTHER", 0, nullptr), &model_Tables().models[0]);
}

TEST_F(ModelCache, FullLodTableLeavesFurtherLodsMissing) {
    std::vector<uint8_t> four = bytesOf(modeltest_Model("four", 4));
    ModelRecord record;
    for (int i = 0; i < kModelLodTableSize / 4 - 1; ++i)
        ASSERT_EQ(loadBytes(four, record), 1);
    ASSERT_EQ(model_Tables().lod_count, kModelLodTableSize - 4);
    ModelDesc more = modeltest_Model("more", 4);
    ASSERT_EQ(loadBytes(bytesOf(modeltest_Model("three", 3)), record), 1);
    ASSERT_EQ(model_Tables().lod_count, kModelLodTableSize - 1);
    ASSERT_EQ(loadBytes(bytesOf(more), record), 1);
    EXPECT_EQ(model_Tables().lod_count, kModelLodTableSize);
    EXPECT_NE(model_Lod(record, 0), nullptr);
    EXPECT_EQ(model_Lod(record, 1), nullptr);
    EXPECT_EQ(model_Lod(record, 3), nullptr);
    ASSERT_EQ(loadBytes(bytesOf(more), record), 1);
    for (int slot = 0; slot < kModelMaxLods; ++slot)
        EXPECT_EQ(model_Lod(record, slot), nullptr);
    EXPECT_EQ(model_Extent(record), 0);
}

TEST_F(ModelCache, FullTextureTableSkipsTexturesButReadsTheRestInPlace) {
    ModelDesc desc = modeltest_Model("many", 1);
    for (int i = 0; i < kModelTextureTableSize + 2; ++i)
        desc.textures.push_back(modeltest_Texture("t", uint16_t(i % 100), 1, uint8_t(i)));
    desc.textures.back().id = 0x77; // only the last, skipped texture has this id
    desc.textures.back().pixels.assign(99, 0);
    ModelDescSurface s;
    s.flags = kSurfTexturedFlag;
    s.texture_id = 0x77;
    desc.lods[0].surfaces = {s};
    desc.lods[0].word36 = 0x5150;
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    EXPECT_EQ(model_Tables().texture_count, kModelTextureTableSize);
    EXPECT_EQ(model_EndTexture(record), kModelTextureTableSize);
    const ModelLod* lod = model_Lod(record, 0);
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(le_U32(lod->header + kLodWord36Offset), 0x5150u);
    ModelSurface surface;
    ASSERT_TRUE(ModelLodView(lod).surface(0, surface));
    EXPECT_EQ(surface.flags & kSurfTexturedFlag, 0u);

    // A further model gets no texture slot and still loads.
    ModelDesc next = modeltest_Model("next", 1);
    next.textures.push_back(modeltest_Texture("x", 1, 1, 0));
    ASSERT_EQ(loadBytes(bytesOf(next), record), 1);
    EXPECT_EQ(model_FirstTexture(record), model_EndTexture(record));
}

TEST_F(ModelCache, ClearEmptiesAllTables) {
    ModelDesc desc = modeltest_Model("a", 2);
    desc.textures.push_back(modeltest_Texture("x", 1, 1, 0));
    ASSERT_TRUE(model_WriteFile(desc, dir.path("a.3di").c_str()));
    ASSERT_NE(model_Get("a", 0, nullptr), nullptr);
    modeltest_FreeAll();
    EXPECT_EQ(model_Tables().model_count, 0);
    EXPECT_EQ(model_Tables().lod_count, 0);
    EXPECT_EQ(model_Tables().texture_count, 0);
    int isNew = 0;
    EXPECT_NE(model_Get("a", 0, &isNew), nullptr);
    EXPECT_EQ(isNew, 1);
}

} // namespace
