// Demo models: every shape writes a valid file whose outlines fit its footprint.

#include "demo/demo_shapes.h"
#include "gamedata/model_test_util.h"

#include <cctype>
#include <cmath>

namespace {

struct DemoCase {
    const char* word;
    int lods;
    double width, length, height;
};

const DemoCase kCases[] = {
    {"box", 2, 1.2, 1.6, 1.0},     {"cylinder", 3, 6, 6, 10},    {"Tree", 4, 7, 7, 12},
    {"vehicle", 4, 2.2, 4.8, 2.0}, {"tank", 4, 3.6, 9.5, 2.6},   {"helicopter", 4, 14, 17, 4.5},
    {"building", 3, 10, 16, 7},    {"fence", 3, 0.2, 25, 1.5},   {"cone", 3, 2, 2, 2},
    {"sphere", 3, 2.5, 3, 2},      {"flat", 2, 6, 40, 4},        {"tower", 3, 3, 3, 10},
    {"pole", 2, 0.5, 0.5, 1.5},    {"person", 2, 0.6, 1.8, 0.3}, {"boat", 3, 2.5, 8, 2},
};

class DemoModel : public ModelFixture, public ::testing::WithParamInterface<DemoCase> {};

struct Outline {
    size_t edges = 0;
    double maxX = -1e9, minX = 1e9, maxAbsY = 0;
};

Outline outlineOf(const ModelLod* lod) {
    Outline o;
    ModelLodView(lod).forEachOutlineEdge([&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        ++o.edges;
        for (auto [x, y] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
            o.maxX = std::max(o.maxX, x / 256.0);
            o.minX = std::min(o.minX, x / 256.0);
            o.maxAbsY = std::max(o.maxAbsY, std::abs(y) / 256.0);
        }
    });
    return o;
}

TEST_P(DemoModel, LoadsWithOutlinesInsideTheFootprint) {
    const DemoCase& c = GetParam();
    DemoShape shape;
    ASSERT_TRUE(model_DemoShapeFromName(c.word, shape));
    ModelDesc desc;
    ASSERT_TRUE(model_BuildDemo("demo", c.width, c.length, c.height, shape, desc));
    ASSERT_TRUE(model_WriteFile(desc, dir.path("demo.3di").c_str()));
    ModelRecord* model = model_Get("demo", 0, nullptr);
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model_LodCount(*model), c.lods);

    const double slackX = c.length / 2 + std::max(0.1 * c.length, c.width / 2 + 0.05);
    const double slackY = c.width / 2 + std::max(0.1 * c.width, 0.05);
    size_t previousEdges = SIZE_MAX;
    for (int slot = 0; slot < c.lods; ++slot) {
        Outline o = outlineOf(model_Lod(*model, slot));
        EXPECT_GT(o.edges, 0u) << slot;
        EXPECT_LE(o.edges, previousEdges) << "coarser levels draw no more lines, level " << slot;
        EXPECT_LE(o.maxX, slackX) << slot;
        EXPECT_GE(o.minX, -slackX) << slot;
        EXPECT_LE(o.maxAbsY, slackY) << slot;
        previousEdges = o.edges;
    }
    // The full outline spans most of the footprint.
    Outline full = outlineOf(model_Lod(*model, 0));
    EXPECT_GE(full.maxX - full.minX, 0.75 * std::min(c.length, c.width));

    // The radius encloses every vertex of the full level, and not by much.
    ModelLodView view(model_Lod(*model, 0));
    double farthest = 0;
    for (uint32_t v = 0; v < view.vertexCount(); ++v) {
        int32_t x, y, z;
        ASSERT_TRUE(view.vertexInModel(v, x, y, z));
        farthest = std::max(farthest, std::sqrt(double(x) * x + double(y) * y + double(z) * z));
    }
    EXPECT_GE(model_Radius(*model), farthest * 256);
    EXPECT_LE(model_Radius(*model), farthest * 256 + 512);
}

std::string demoCaseName(const ::testing::TestParamInfo<DemoCase>& param) {
    std::string name = param.param.word;
    name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shapes, DemoModel, ::testing::ValuesIn(kCases), demoCaseName);

using DemoFacing = ModelFixture;

// The highest point of a vehicle is its cabin, at the front (+X).
TEST_F(DemoFacing, VehicleCabinAndTankGunPointForward) {
    ModelDesc car, tank;
    ASSERT_TRUE(model_BuildDemo("car", 2, 5, 2, DemoShape::Vehicle, car));
    ASSERT_TRUE(model_BuildDemo("tank", 3.5, 9, 2.5, DemoShape::Tank, tank));
    int16_t topZ = INT16_MIN, topX = 0;
    for (const ModelDescPart& part : car.lods[0].parts) {
        for (const ModelDescVertex& v : part.vertices) {
            if (v.z > topZ) topZ = v.z, topX = v.x;
        }
    }
    EXPECT_GT(topX, 0);
    int16_t frontX = INT16_MIN, frontY = 0;
    for (const ModelDescPart& part : tank.lods[0].parts) {
        for (const ModelDescVertex& v : part.vertices) {
            if (v.x > frontX) frontX = v.x, frontY = v.y;
        }
    }
    EXPECT_EQ(frontX, 9 * 256 / 2);
    EXPECT_LT(std::abs(frontY), 256);
    EXPECT_EQ(tank.lods[0].parts[1].parent, 0); // the turret is a part of its own
}

TEST_F(DemoFacing, ExtremeSizesStayInsideTheCoordinateRange) {
    ModelDesc desc;
    ASSERT_TRUE(model_BuildDemo("wall", 1e6, 1e6, 1e6, DemoShape::Fence, desc));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(model_WriteBytes(desc, bytes));
    // Clamped, not wrapped: the ends of the fence still lie at either side.
    int16_t minX = INT16_MAX, maxX = INT16_MIN;
    for (const ModelDescPart& part : desc.lods[0].parts) {
        for (const ModelDescVertex& v : part.vertices) {
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
        }
    }
    EXPECT_LT(minX, -120 * 256);
    EXPECT_GT(maxX, 120 * 256);
    EXPECT_FALSE(model_BuildDemo("a-name-too-long-x", 1, 1, 1, DemoShape::Box, desc));
    DemoShape shape;
    EXPECT_FALSE(model_DemoShapeFromName("spaceship", shape));
}

} // namespace
