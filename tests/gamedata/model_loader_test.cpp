// Loading one model: header checks, textures, LOD relocation and surface preparation.

#include "model_test_util.h"

#include <cstring>

namespace {

using ModelLoad = ModelFixture;

uint32_t surfaceWord(const ModelLod* lod, uint32_t surface, uint32_t offset) {
    ModelLodView view(lod);
    const uint8_t* s = view.element(kArrS, surface);
    return s != nullptr ? le_U32(s + offset) : 0xDEADBEEF;
}

TEST_F(ModelLoad, RefusesVersion7AndAcceptsVersion8) {
    ModelDesc desc = modeltest_Model("crate", 1);
    ModelRecord record;
    desc.version = 7;
    EXPECT_EQ(loadBytes(bytesOf(desc), record), 0);
    EXPECT_EQ(model_Tables().lod_count, 0);
    desc.version = 8;
    EXPECT_EQ(loadBytes(bytesOf(desc), record), 1);
    EXPECT_EQ(model_Name(record), "crate");
    std::vector<uint8_t> bytes = bytesOf(desc);
    bytes[1] = 'X';
    EXPECT_EQ(loadBytes(bytes, record), 0);
}

TEST_F(ModelLoad, TextureWithoutKeepBitsTakesNoSlotAndNextIsReadCorrectly) {
    ModelDesc desc = modeltest_Model("m", 1);
    desc.textures.push_back(modeltest_Texture("skipped", 1, 0x04, 0x11));
    desc.textures.back().pixels.assign(333, 0x11); // an odd size: misreading would shift everything
    desc.textures.push_back(modeltest_Texture("kept", 2, 0x08, 0x22));
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record, "m.3di", 0x1234), 1);
    ASSERT_EQ(model_Tables().texture_count, 1);
    EXPECT_EQ(model_FirstTexture(record), 0);
    EXPECT_EQ(model_EndTexture(record), 1);
    const ModelTexture* kept = model_Texture(0);
    ASSERT_NE(kept, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(kept->record), "kept");
    EXPECT_EQ(kept->record[kTextureTagOffset], 0x34);
    EXPECT_EQ(std::vector<uint8_t>(kept->data, kept->data + 16), desc.textures[1].pixels);
    EXPECT_EQ(std::memcmp(kept->data + 16, desc.textures[1].palette.data(), 1024), 0);
    uint32_t pixels = le_U32(kept->record + kTexturePixelsOffset);
    EXPECT_EQ(model_ArenaPointer(pixels, 16), kept->data);
    EXPECT_EQ(le_U32(kept->record + kTexturePaletteOffset), pixels + 16);
    EXPECT_EQ(le_U32(kept->record + kTextureRgbOffset), pixels + 16 + 1024);
    EXPECT_NE(model_Lod(record, 0), nullptr);
}

TEST_F(ModelLoad, TwoLodsLeaveSlotsThreeAndFourEmpty) {
    ModelDesc desc = modeltest_Model("m", 4);
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    desc.lods.resize(2);
    std::memset(&record, 0xAB, sizeof record);
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    EXPECT_EQ(model_LodCount(record), 2);
    EXPECT_EQ(model_Lod(record, 0), &model_Tables().lods[4]);
    EXPECT_EQ(model_Lod(record, 1), &model_Tables().lods[5]);
    EXPECT_EQ(model_Lod(record, 2), nullptr);
    EXPECT_EQ(model_Lod(record, 3), nullptr);
    EXPECT_EQ(le_U32(record.header + kModelLodRefOffset + 8), 0u);
    EXPECT_EQ(le_U32(record.header + kModelLodRefOffset + 12), 0u);
}

TEST_F(ModelLoad, RelocatesArraysAndNodeRangesFromRunningSums) {
    ModelDesc desc = modeltest_Model("m", 1);
    ModelDescLod& lod = desc.lods[0];
    lod.e_count = 3;
    lod.parts[0].b_count = 2;
    lod.parts[0].groups = {1, 2};
    lod.parts[0].triangles.push_back(lod.parts[0].triangles[0]);
    ModelDescPart second = modeltest_TrianglePart();
    second.vertices.push_back({5, 6, 7});
    second.b_count = 1;
    second.groups = {3};
    second.parent = 0;
    lod.parts.push_back(second);
    ModelFileLayout layout;
    std::vector<uint8_t> bytes = bytesOf(desc, &layout);
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytes, record), 1);
    const ModelLod* loaded = model_Lod(record, 0);
    ASSERT_NE(loaded, nullptr);

    uint32_t base = le_U32(loaded->header + kLodDataOffset);
    EXPECT_EQ(model_ArenaPointer(base, loaded->data_size), loaded->data);
    for (int a = 0; a < kArrCount; ++a)
        EXPECT_EQ(le_U32(loaded->header + lod_AddressOffset(a)), base + layout.array_offsets[0][a]) << a;

    ModelLodView view(loaded);
    ASSERT_TRUE(view.valid());
    ModelNode n0, n1;
    ASSERT_TRUE(view.node(0, n0));
    ASSERT_TRUE(view.node(1, n1));
    EXPECT_EQ(n0.vertices.first, 0u);
    EXPECT_EQ(n1.vertices.first, 3u);
    EXPECT_EQ(n1.vertices.count, 4u);
    EXPECT_EQ(n1.polygons.first, 2u);
    EXPECT_EQ(n1.b_list.first, 2u);
    EXPECT_EQ(n1.g_list.first, 2u);
    const uint8_t* raw = view.element(kArrN, 1);
    EXPECT_EQ(le_U32(raw + kNodeVAddrOffset), base + layout.array_offsets[0][kArrV] + 3 * 8);
    EXPECT_EQ(le_U32(raw + kNodePAddrOffset), base + layout.array_offsets[0][kArrP] + 2 * 72);
    ModelRange f;
    ASSERT_TRUE(view.groupFRange(2, f));
    EXPECT_EQ(f.first, 3u);
    EXPECT_EQ(f.count, 3u);
    ModelPolygon p;
    ASSERT_TRUE(view.polygon(2, p));
    EXPECT_EQ(p.surface, 0);
    EXPECT_EQ(p.vertex[0], 3u);
    // The E array is kept as read.
    size_t eAt = layout.lod_data[0] + layout.array_offsets[0][kArrE];
    EXPECT_EQ(std::memcmp(view.element(kArrE, 0), bytes.data() + eAt, 36), 0);
}

class SurfacePreparation : public ModelFixture {
  protected:
    // A model whose LOD has one surface per entry of `surfaces`, over the given textures.
    const ModelLod* load(std::vector<ModelDescTexture> textures, std::vector<ModelDescSurface> surfaces) {
        ModelDesc desc = modeltest_Model("m", 1);
        desc.textures = std::move(textures);
        desc.lods[0].surfaces = std::move(surfaces);
        EXPECT_EQ(loadBytes(bytesOf(desc), record, "m.3di", 0x2345), 1);
        return model_Lod(record, 0);
    }
    ModelSurface surface(const ModelLod* lod, uint32_t index) {
        ModelSurface s{};
        EXPECT_TRUE(ModelLodView(lod).surface(index, s));
        return s;
    }
    ModelRecord record;
};

TEST_F(SurfacePreparation, MatchesTexturesByIdAmongThisModelsTexturesOnly) {
    ModelDesc earlier = modeltest_Model("earlier", 1);
    earlier.textures.push_back(modeltest_Texture("old9", 9, 1, 0x01));
    ModelRecord first;
    ASSERT_EQ(loadBytes(bytesOf(earlier), first), 1);

    ModelDescSurface textured, missing;
    textured.flags = kSurfTexturedFlag;
    textured.texture_id = 9;
    missing.flags = kSurfTexturedFlag;
    missing.texture_id = 8;
    const ModelLod* lod = load({modeltest_Texture("t7", 7, 1, 2), modeltest_Texture("t9", 9, 0x21, 3),
                                modeltest_Texture("t9b", 9, 1, 4)},
                               {textured, missing});
    ModelSurface s = surface(lod, 0);
    EXPECT_EQ(s.texture, 2); // table slot 0 holds the earlier model's texture with the same id
    EXPECT_TRUE(s.flags & kSurfTransparentFlag);
    EXPECT_EQ(s.render_mode, kSurfModeTextured);
    const ModelTexture* t = model_Texture(2);
    EXPECT_EQ(surfaceWord(lod, 0, kSurfPixelsOffset), le_U32(t->record + kTexturePixelsOffset));
    EXPECT_EQ(surfaceWord(lod, 0, kSurfPaletteOffset), le_U32(t->record + kTexturePaletteOffset));
    EXPECT_EQ(surfaceWord(lod, 0, kSurfEndOffset), le_U32(t->record + kTextureRgbOffset));
    EXPECT_EQ(surfaceWord(lod, 0, kSurfRenderPixelsOffset), le_U32(t->record + kTexturePixelsOffset));
    EXPECT_EQ(surfaceWord(lod, 0, kSurfTagOffset) & 0xFFFF, 0x2345u);

    ModelSurface m = surface(lod, 1);
    EXPECT_EQ(m.flags & kSurfTexturedFlag, 0u);
    EXPECT_EQ(m.texture, -1);
    EXPECT_EQ(m.render_mode, 0u);
}

TEST_F(SurfacePreparation, TransparentBitFollowsTextureFlagBit5) {
    ModelDescSurface s;
    s.flags = kSurfTexturedFlag;
    s.texture_id = 1;
    EXPECT_FALSE(surface(load({modeltest_Texture("a", 1, 0x01, 0)}, {s}), 0).flags & kSurfTransparentFlag);
    EXPECT_TRUE(surface(load({modeltest_Texture("b", 1, 0x29, 0)}, {s}), 0).flags & kSurfTransparentFlag);
}

TEST_F(SurfacePreparation, Log2AndMasksOfTextureSizes) {
    struct Case {
        uint16_t width, height, lw, lh;
    } cases[] = {{100, 1, 6, 0}, {256, 128, 8, 7}, {65535, 0, 15, 0}, {3, 32768, 1, 15}};
    for (const Case& c : cases) {
        ModelDescTexture t = modeltest_Texture("t", 1, 1, 0);
        t.width = c.width;
        t.height = c.height;
        ModelDescSurface s;
        s.flags = kSurfTexturedFlag;
        s.texture_id = 1;
        const ModelLod* lod = load({t}, {s});
        ModelSurface got = surface(lod, 0);
        EXPECT_EQ(got.log2_width, c.lw) << c.width;
        EXPECT_EQ(got.log2_height, c.lh) << c.height;
        EXPECT_EQ(got.mask_width, (1u << c.lw) - 1) << c.width;
        EXPECT_EQ(got.mask_height, (1u << c.lh) - 1) << c.height;
        const uint8_t* raw = ModelLodView(lod).element(kArrS, 0);
        EXPECT_EQ(raw[kSurfRenderLog2WOffset], c.lw);
        EXPECT_EQ(raw[kSurfRenderLog2HOffset], c.lh);
    }
}

TEST_F(SurfacePreparation, ScalesSizeBy062WhenBit14IsSet) {
    const uint16_t sizes[] = {100, 1000, 3, 65535};
    const uint16_t scaled[] = {62, 620, 1, 40631};
    std::vector<ModelDescSurface> surfaces;
    for (uint16_t size : sizes) {
        ModelDescSurface s;
        s.flags = kSurfScaledFlag;
        s.size = size;
        surfaces.push_back(s);
    }
    ModelDescSurface plain;
    plain.size = 100;
    surfaces.push_back(plain);
    const ModelLod* lod = load({}, surfaces);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(surface(lod, i).size, scaled[i]) << sizes[i];
    EXPECT_EQ(surface(lod, 4).size, 100);
}

TEST_F(SurfacePreparation, SecondTextureFillsRenderFields) {
    ModelDescSurface only, both, absent;
    only.flags = kSurfSecondTextureFlag;
    only.second_texture_id = 5;
    both.flags = kSurfTexturedFlag | kSurfSecondTextureFlag;
    both.texture_id = 4;
    both.second_texture_id = 5;
    absent.flags = kSurfSecondTextureFlag;
    absent.second_texture_id = 6;
    ModelDescTexture second = modeltest_Texture("s", 5, 1, 0);
    second.width = 64;
    second.height = 16;
    const ModelLod* lod = load({modeltest_Texture("f", 4, 1, 0), second}, {only, both, absent});
    const uint32_t secondPixels = le_U32(model_Texture(1)->record + kTexturePixelsOffset);

    ModelSurface s = surface(lod, 0);
    EXPECT_EQ(s.render_mode, kSurfModeSecondOnly);
    EXPECT_EQ(s.log2_width, 6);
    EXPECT_EQ(s.log2_height, 4);
    EXPECT_EQ(surfaceWord(lod, 0, kSurfSecondPixelsOffset), secondPixels);
    EXPECT_EQ(surfaceWord(lod, 0, kSurfRenderPixelsOffset), secondPixels);

    s = surface(lod, 1);
    EXPECT_EQ(s.render_mode, kSurfModeTextured | kSurfModeSecondOnTextured);
    EXPECT_EQ(s.log2_width, 2); // dimensions of the first texture
    EXPECT_EQ(surfaceWord(lod, 1, kSurfRenderPixelsOffset), secondPixels);

    s = surface(lod, 2);
    EXPECT_EQ(s.flags & kSurfSecondTextureFlag, 0u);
    EXPECT_EQ(s.render_mode, 0u);
}

TEST_F(SurfacePreparation, WritesPaletteAsRgbTriples) {
    ModelDescSurface s;
    s.flags = kSurfTexturedFlag;
    s.texture_id = 3;
    ModelDescTexture texture = modeltest_Texture("p", 3, 1, 7);
    load({texture}, {s});
    const ModelTexture* loaded = model_Texture(0);
    ASSERT_NE(loaded, nullptr);
    const uint8_t* rgb = model_ArenaPointer(le_U32(loaded->record + kTextureRgbOffset), 768);
    ASSERT_NE(rgb, nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(rgb[3 * i + 0], texture.palette[4 * i + 2]) << i;
        EXPECT_EQ(rgb[3 * i + 1], texture.palette[4 * i + 1]) << i;
        EXPECT_EQ(rgb[3 * i + 2], texture.palette[4 * i + 0]) << i;
    }
}

TEST_F(ModelLoad, MakesVerticesRelativeWhenLodFlagBit0IsSet) {
    ModelDesc desc = modeltest_Model("m", 2);
    for (ModelDescLod& lod : desc.lods) {
        ModelDescPart child;
        child.parent = 0;
        child.x = 1200 << 8;
        child.y = -400 << 8;
        child.z = 300 << 8;
        child.vertices = {{1250, -390, 310}};
        lod.parts[0].x = 1000 << 8;
        lod.parts[0].y = -500 << 8;
        lod.parts.push_back(child);
    }
    desc.lods[0].flags = kLodVerticesWorldFlag;
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    ModelLodView relative(model_Lod(record, 0)), stored(model_Lod(record, 1));
    ModelVertex v;
    ASSERT_TRUE(relative.vertex(3, v));
    EXPECT_EQ(v.x, 50);
    EXPECT_EQ(v.y, 10);
    EXPECT_EQ(v.z, 10);
    ASSERT_TRUE(relative.vertex(1, v)); // (256, 0, 0) in the root at (1000, -500, 0)
    EXPECT_EQ(v.x, 256 - 1000);
    EXPECT_EQ(v.y, 500);
    int32_t x, y, z;
    ASSERT_TRUE(relative.vertexInModel(3, x, y, z));
    EXPECT_EQ(x, 1250);
    EXPECT_EQ(y, -390);
    ModelNode root, child;
    ASSERT_TRUE(relative.node(0, root));
    ASSERT_TRUE(relative.node(1, child));
    EXPECT_EQ(root.rel[0], 1000 << 8);
    EXPECT_EQ(child.rel[0], 200 << 8);
    EXPECT_EQ(child.rel[1], 100 << 8);
    EXPECT_EQ(child.rel[2], 300 << 8);

    ASSERT_TRUE(stored.vertex(3, v));
    EXPECT_EQ(v.x, 1250);
    EXPECT_EQ(v.y, -390);
}

TEST_F(ModelLoad, ExtentIsLargestCountTimesSizeOverKinds1To7OfLod0) {
    ModelDesc desc = modeltest_Model("m", 2);
    auto surfaceOf = [](uint8_t kind, uint8_t count, uint16_t size, uint32_t flags = 0) {
        ModelDescSurface s;
        s.kind = kind;
        s.count = count;
        s.size = size;
        s.flags = flags;
        return s;
    };
    desc.lods[0].surfaces = {surfaceOf(0, 10, 100), surfaceOf(1, 2, 50), surfaceOf(7, 3, 40),
                             surfaceOf(8, 100, 100), surfaceOf(3, 1, 1000, kSurfScaledFlag)};
    desc.lods[0].word36 = 0xCAFE;
    desc.lods[1].surfaces = {surfaceOf(2, 255, 5000)};
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    EXPECT_EQ(model_Extent(record), 620);
    EXPECT_EQ(le_U32(record.header + kModelLod0Word36Offset), 0xCAFEu);
    EXPECT_EQ(model_Radius(record), 300 << 8);
}

TEST_F(ModelLoad, NamesLodsAfterThePathWithoutExtension) {
    ModelDesc desc = modeltest_Model("m", 1);
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record, "models/tank.3di"), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(model_Lod(record, 0)->header), "models/tank");
    ASSERT_EQ(loadBytes(bytesOf(desc), record, "a/very/long/path/to/model.3di"), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(model_Lod(record, 0)->header)), "a/very/long/pat");
    EXPECT_STREQ(mem_BlockTag(mem_MainArena(), mem_BlockOf(model_Lod(record, 0)->data)), "a/very/long/pat");
}

TEST_F(ModelLoad, RoundTripsTheWritersDescription) {
    ModelDesc desc = modeltest_Model("roundtrip", 3);
    for (size_t i = 0; i < desc.lods.size(); ++i) {
        ModelDescLod& lod = desc.lods[i];
        lod.surfaces.resize(2 + i);
        lod.parts[0].vertices = {{-100, 200, 3}, {400, -500, 6}, {7, 8, 900}, {-32767, 32767, 0}};
        ModelDescTriangle t;
        t.v[0] = 3;
        t.v[1] = 2;
        t.v[2] = 1;
        t.surface = 1 + uint32_t(i);
        t.edge_flags = 0x0A;
        lod.parts[0].triangles.push_back(t);
        ModelDescPart other = modeltest_TrianglePart(int16_t(100 * (i + 1)));
        other.parent = 0;
        other.x = int32_t(i) << 16;
        lod.parts.push_back(other);
    }
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    ASSERT_EQ(model_LodCount(record), 3);
    for (int i = 0; i < 3; ++i) {
        const ModelDescLod& lod = desc.lods[size_t(i)];
        ModelLodView view(model_Lod(record, i));
        ASSERT_EQ(view.nodeCount(), lod.parts.size());
        ASSERT_EQ(view.surfaceCount(), lod.surfaces.size());
        uint32_t vertexBase = 0;
        for (uint32_t n = 0; n < view.nodeCount(); ++n) {
            const ModelDescPart& part = lod.parts[n];
            ModelNode node;
            ASSERT_TRUE(view.node(n, node));
            EXPECT_EQ(node.parent, part.parent);
            EXPECT_EQ(node.pos[0], part.x);
            ASSERT_EQ(node.vertices.count, part.vertices.size());
            ASSERT_EQ(node.polygons.count, part.triangles.size());
            for (uint32_t k = 0; k < node.vertices.count; ++k) {
                ModelVertex v;
                ASSERT_TRUE(view.vertex(node.vertices.first + k, v));
                EXPECT_EQ(v.x, part.vertices[k].x);
                EXPECT_EQ(v.y, part.vertices[k].y);
                EXPECT_EQ(v.z, part.vertices[k].z);
                EXPECT_EQ(v.node, n);
            }
            for (uint32_t k = 0; k < node.polygons.count; ++k) {
                ModelPolygon p;
                ASSERT_TRUE(view.polygon(node.polygons.first + k, p));
                const ModelDescTriangle& t = part.triangles[k];
                EXPECT_EQ(p.edge_flags, t.edge_flags);
                EXPECT_EQ(p.surface, int32_t(t.surface));
                for (int c = 0; c < 3; ++c)
                    EXPECT_EQ(p.vertex[c], vertexBase + t.v[c]);
            }
            vertexBase += node.vertices.count;
        }
    }
}

TEST_F(ModelLoad, OutlineEdgesSkipHiddenAndDegenerateEdges) {
    ModelDesc desc = modeltest_Model("m", 1);
    ModelDescPart& part = desc.lods[0].parts[0];
    part.vertices.push_back({0, 0, 500}); // above vertex 0: a vertical edge
    ModelDescTriangle t;
    t.v[0] = 0;
    t.v[1] = 3;
    t.v[2] = 1;
    t.edge_flags = 1u << 3; // edge 2 (v2-v0) hidden
    part.triangles.push_back(t);
    ModelRecord record;
    ASSERT_EQ(loadBytes(bytesOf(desc), record), 1);
    std::vector<std::vector<int32_t>> edges;
    ModelLodView(model_Lod(record, 0))
        .forEachOutlineEdge([&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
            edges.push_back({x0, y0, x1, y1});
        });
    std::vector<std::vector<int32_t>> expected = {
        {0, 0, 256, 0}, {256, 0, 0, 256}, {0, 256, 0, 0}, {0, 0, 256, 0}};
    EXPECT_EQ(edges, expected);
}

} // namespace
