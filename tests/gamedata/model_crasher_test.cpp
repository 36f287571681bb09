// Damaged model files: each must fail cleanly (0, or a LOD left missing) without reading or
// writing outside a buffer, and a failed load must leave the tables as they were.

#include "model_test_util.h"

#include <cstring>
#include <random>

namespace {

class ModelCrasher : public ModelFixture {
  protected:
    void SetUp() override {
        ModelFixture::SetUp();
        desc = modeltest_Model("damaged", 2);
        desc.textures = {modeltest_Texture("keep", 1, 1, 5), modeltest_Texture("drop", 2, 0, 6)};
        for (ModelDescLod& lod : desc.lods) {
            lod.e_count = 2;
            lod.parts[0].b_count = 1;
            lod.parts[0].groups = {2};
            ModelDescPart second = modeltest_TrianglePart(512);
            second.parent = 0;
            second.groups = {1, 1};
            lod.parts.push_back(second);
            ModelDescSurface textured;
            textured.flags = kSurfTexturedFlag;
            textured.texture_id = 1;
            lod.surfaces.push_back(textured);
            lod.parts[1].triangles[0].surface = 1;
        }
        bytes = bytesOf(desc, &layout);
    }

    size_t lodField(int lod, uint32_t offset) const { return layout.lod_headers[size_t(lod)] + offset; }
    size_t element(int lod, ModelArray array, uint32_t index) const {
        return layout.lod_data[size_t(lod)] + layout.array_offsets[size_t(lod)][array] +
               size_t(index) * kModelElementSize[array];
    }
    void put32(size_t at, uint32_t value) { le_PutU32(bytes.data() + at, value); }

    // Loads `data` and checks the tables are back to their state when it fails.
    int loadChecked(const std::vector<uint8_t>& data) {
        const int textures = model_Tables().texture_count, lods = model_Tables().lod_count;
        const int blocks = modeltest_ArenaBlocks();
        int result = loadBytes(data, record);
        if (result == 0) {
            EXPECT_EQ(model_Tables().texture_count, textures);
            EXPECT_EQ(model_Tables().lod_count, lods);
            EXPECT_EQ(modeltest_ArenaBlocks(), blocks);
        }
        return result;
    }

    // Reads everything the accessors offer, so that the sanitizers see any stray access.
    static void walk(const ModelRecord& model) {
        for (int slot = 0; slot < kModelMaxLods; ++slot) {
            ModelLodView view(model_Lod(model, slot));
            size_t edges = 0;
            view.forEachOutlineEdge([&](int32_t, int32_t, int32_t, int32_t) { ++edges; });
            for (uint32_t s = 0; s < view.surfaceCount(); ++s) {
                ModelSurface surface;
                ASSERT_TRUE(view.surface(s, surface));
                if (surface.texture >= 0) {
                    ASSERT_NE(model_Texture(surface.texture), nullptr);
                }
            }
            for (uint32_t v = 0; v < view.vertexCount(); ++v) {
                int32_t x, y, z;
                ASSERT_TRUE(view.vertexInModel(v, x, y, z));
            }
            for (uint32_t g = 0; g < view.count(kArrG); ++g) {
                ModelRange range;
                view.groupFRange(g, range);
            }
        }
    }

    ModelDesc desc;
    ModelFileLayout layout;
    std::vector<uint8_t> bytes;
    ModelRecord record;
};

TEST_F(ModelCrasher, IntactFileLoadsBothLods) {
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_NE(model_Lod(record, 0), nullptr);
    EXPECT_NE(model_Lod(record, 1), nullptr);
    walk(record);
}

TEST_F(ModelCrasher, TruncatedAtEveryLengthFails) {
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + long(length));
        ASSERT_EQ(loadChecked(prefix), 0) << length;
    }
}

TEST_F(ModelCrasher, ArraysLargerThanTheDataBlockLeaveTheLodMissing) {
    put32(lodField(0, lod_CountOffset(kArrV)), 0x40000000);
    // 0x38E38E39 polygons of 72 bytes wrap to 8 bytes in 32-bit arithmetic.
    put32(lodField(1, lod_CountOffset(kArrP)), 0x38E38E39);
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_EQ(model_Lod(record, 0), nullptr);
    EXPECT_EQ(model_Lod(record, 1), nullptr);
    EXPECT_EQ(model_Tables().lod_count, 0);
    EXPECT_EQ(model_Extent(record), 0);
}

TEST_F(ModelCrasher, DataBlockTooSmallForItsCountsLeavesTheLodMissing) {
    desc.lods.resize(1);
    bytes = bytesOf(desc, &layout);
    put32(lodField(0, kLodDataSizeOffset), le_U32(bytes.data() + lodField(0, kLodDataSizeOffset)) - 8);
    bytes.resize(bytes.size() - 8);
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_EQ(model_Lod(record, 0), nullptr);
}

TEST_F(ModelCrasher, NodeRangesPastTheirArraysLeaveTheLodMissing) {
    const uint32_t fields[] = {kNodeVCountOffset, kNodePCountOffset, kNodeBCountOffset, kNodeGCountOffset};
    std::vector<uint8_t> intact = bytes;
    for (uint32_t field : fields) {
        bytes = intact;
        put32(element(0, kArrN, 1) + field, 0xFFFFFFFF); // the running sum passes the array end
        ASSERT_EQ(loadChecked(bytes), 1) << field;
        EXPECT_EQ(model_Lod(record, 0), nullptr) << field;
        EXPECT_NE(model_Lod(record, 1), nullptr) << field;
    }
    bytes = intact;
    put32(element(1, kArrG, 2) + kGroupFCountOffset, 2); // F array holds 4; sums reach 5
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_NE(model_Lod(record, 0), nullptr);
    EXPECT_EQ(model_Lod(record, 1), nullptr);
}

TEST_F(ModelCrasher, SurfaceIndexPastTheSurfaceArrayLeavesTheLodMissing) {
    put32(element(0, kArrP, 0) + kPolySurfaceOffset, 2);
    put32(element(1, kArrP, 1) + kPolySurfaceOffset, 0xFFFFFFFF);
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_EQ(model_Lod(record, 0), nullptr);
    EXPECT_EQ(model_Lod(record, 1), nullptr);
}

TEST_F(ModelCrasher, SizesPastTheEndOfTheFileFail) {
    std::vector<uint8_t> intact = bytes;
    put32(layout.texture_records[0] + kTextureSizeOffset, 0xFFFFFFF0);
    EXPECT_EQ(loadChecked(bytes), 0);
    bytes = intact;
    put32(layout.texture_records[1] + kTextureSizeOffset, 0x7FFFFFFF);
    EXPECT_EQ(loadChecked(bytes), 0);
    bytes = intact;
    put32(kModelHeaderSize, 0x7FFFFFFF); // texture count
    EXPECT_EQ(loadChecked(bytes), 0);
    bytes = intact;
    put32(lodField(1, kLodDataSizeOffset), 0xFFFFFFFF);
    EXPECT_EQ(loadChecked(bytes), 0);
}

TEST_F(ModelCrasher, LodCountAboveFourLoadsFourAndKeepsTheRadius) {
    desc.lods.resize(4, desc.lods[0]);
    bytes = bytesOf(desc, &layout);
    put32(kModelLodCountOffset, 9);
    put32(96, 0x12345678); // a header word just past the four LOD references
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_EQ(model_LodCount(record), 4);
    EXPECT_EQ(model_Tables().lod_count, 4);
    EXPECT_EQ(model_Radius(record), desc.radius);
    EXPECT_EQ(le_U32(record.header + 96), 0x12345678u);

    put32(kModelLodCountOffset, 0xFFFFFFFD);
    ASSERT_EQ(loadChecked(bytes), 1);
    EXPECT_EQ(model_LodCount(record), 0);
    EXPECT_EQ(model_Lod(record, 0), nullptr);
}

TEST_F(ModelCrasher, VertexNodeAndParentOutsideTheNodesAreLeftAlone) {
    desc.lods[0].flags = kLodVerticesWorldFlag;
    desc.lods[0].parts[0].x = 100 << 8;
    desc.lods[0].parts[1].x = 300 << 8;
    bytes = bytesOf(desc, &layout);
    le_PutU16(bytes.data() + element(0, kArrV, 1) + kVertexNodeOffset, 0xFFFF);
    put32(element(0, kArrN, 1) + kNodeParentOffset, 2);
    ASSERT_EQ(loadChecked(bytes), 1);
    ModelLodView view(model_Lod(record, 0));
    ModelVertex v;
    ASSERT_TRUE(view.vertex(1, v));
    EXPECT_EQ(v.x, 256);
    ASSERT_TRUE(view.vertex(2, v));
    EXPECT_EQ(v.x, -100);
    ModelNode node;
    ASSERT_TRUE(view.node(1, node));
    EXPECT_EQ(node.rel[0], 300 << 8);
}

TEST_F(ModelCrasher, AddressFieldsNeverKeepFileValues) {
    ModelDescSurface both;
    both.flags = kSurfTexturedFlag | kSurfSecondTextureFlag;
    both.texture_id = 1;
    both.second_texture_id = 99;
    desc.lods[0].surfaces.push_back(both);
    bytes = bytesOf(desc, &layout);
    for (uint32_t s = 0; s < 3; ++s) {
        for (uint32_t at : {kSurfPixelsOffset, kSurfSecondPixelsOffset, kSurfPaletteOffset, kSurfEndOffset})
            put32(element(0, kArrS, s) + at, 0x41414141);
    }
    ASSERT_EQ(loadChecked(bytes), 1);
    ModelLodView view(model_Lod(record, 0));
    EXPECT_EQ(le_U32(view.element(kArrS, 0) + kSurfPixelsOffset), 0u);
    EXPECT_EQ(le_U32(view.element(kArrS, 0) + kSurfRenderPixelsOffset), 0u);
    EXPECT_EQ(le_U32(view.element(kArrS, 2) + kSurfSecondPixelsOffset), 0u);
    EXPECT_EQ(le_U32(view.element(kArrS, 2) + kSurfRenderPixelsOffset), 0u);
    EXPECT_NE(le_U32(view.element(kArrS, 2) + kSurfPixelsOffset), 0u);
}

TEST_F(ModelCrasher, OutOfArenaMemoryLeavesLodsMissingAndTexturesUnread) {
    std::vector<void*> filler;
    for (size_t size = kMemMainArenaSize; size >= 16; size /= 2) {
        while (void* block = mem_GetMemEx(size, 4, 0, "filler"))
            filler.push_back(block);
    }
    uint32_t level = mem_DebugLevel;
    mem_DebugLevel = 0;
    int result = loadChecked(bytes);
    mem_DebugLevel = level;
    for (void* block : filler)
        mem_FreeMem(block);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(model_Tables().texture_count, 0);
    EXPECT_EQ(model_Lod(record, 0), nullptr);
    EXPECT_EQ(model_Lod(record, 1), nullptr);
}

TEST_F(ModelCrasher, RandomCorruptionNeverEscapesTheBuffers) {
    std::mt19937 random(20240611);
    const std::vector<uint8_t> intact = bytes;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> data = intact;
        int flips = 1 + int(random() % 8);
        for (int k = 0; k < flips; ++k)
            data[random() % data.size()] = static_cast<uint8_t>(random());
        if (round % 5 == 0) data.resize(random() % data.size());
        if (loadChecked(data) == 1) walk(record);
        if (model_Tables().lod_count > kModelLodTableSize - 8) modeltest_FreeAll();
    }
}

} // namespace
