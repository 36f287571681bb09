// Items on the map: visibility, colours, culling, symbols, cones, radius circles and model
// outlines by level of detail.
#include "render_test_util.h"

#include "render/item_geometry.h"
#include "render/outline_shapes.h"

#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Reference drawing of a world polyline (closed or not) through the same line primitive.
void referenceLines(const MapCanvas& canvas, const std::vector<std::pair<int32_t, int32_t>>& points,
                    uint32_t colour) {
    for (size_t i = 1; i < points.size(); ++i)
        DrawWorldLine(canvas, points[i - 1].first, points[i - 1].second, points[i].first, points[i].second,
                      colour);
}

int32_t roundToInt(double v) {
    return int32_t(std::lround(v));
}

} // namespace

// ---- Models -----------------------------------------------------------------------------------

namespace {
// LOD k is a triangle of size 256 × (k + 1), so the drawn size tells the level apart.
ModelDesc lodModel(int lods, int32_t radius) {
    ModelDesc desc;
    desc.name = "lods";
    desc.radius = radius << 8;
    for (int k = 0; k < lods; ++k)
        desc.lods.push_back(rtest_TriangleLod(int16_t(256 * (k + 1))));
    return desc;
}

// The outline of LOD `k` at heading 90 (no turn), from the rules.
TestImage lodReference(const ViewState& view, int32_t w, int32_t h, int k, uint32_t colour) {
    TestImage ref(view, w, h);
    const int32_t s = 256 * (k + 1);
    referenceLines(ref.canvas, {{0, 0}, {s, 0}, {0, s}, {0, 0}}, colour);
    return ref;
}
} // namespace

// ---- Visibility -------------------------------------------------------------------------------

TEST_F(RenderFixture, ItemVisibleNeedsClassTeamAndLayer) {
    const int slot = rtest_AddItem(*page, kTestJeepType, 0, 0);
    MissionItem& item = page->items[slot];
    item.team = 2;
    item.layer = 3;
    const uint32_t flags = kShowVehicles | kShowTeamRed;
    EXPECT_TRUE(ItemVisible(*page, slot, flags));
    EXPECT_FALSE(ItemVisible(*page, slot, flags & ~kShowVehicles));
    EXPECT_FALSE(ItemVisible(*page, slot, flags & ~kShowTeamRed));
    page->general.hidden_layers = 1u << 3;
    EXPECT_FALSE(ItemVisible(*page, slot, flags));
    page->general.hidden_layers = 1u << 2;
    EXPECT_TRUE(ItemVisible(*page, slot, flags));
    item.hidden = 1;
    EXPECT_FALSE(ItemVisible(*page, slot, flags));
}

TEST_F(RenderFixture, ItemVisibleRefusesValuesThatNameNoBit) {
    const int slot = rtest_AddItem(*page, kTestJeepType, 0, 0);
    MissionItem& item = page->items[slot];
    item.team = 20; // bit 36
    EXPECT_FALSE(ItemVisible(*page, slot, 0xFFFFFFFFu));
    item.team = -17;
    EXPECT_FALSE(ItemVisible(*page, slot, 0xFFFFFFFFu));
    item.team = 0;
    item.item_class = 40;
    EXPECT_FALSE(ItemVisible(*page, slot, 0xFFFFFFFFu));
    item.item_class = kClassVehicle;
    item.layer = 99; // no layer bit: not hidden
    page->general.hidden_layers = 0xFFFFFFFFu;
    EXPECT_TRUE(ItemVisible(*page, slot, 0xFFFFFFFFu));
    EXPECT_FALSE(ItemVisible(*page, -1, 0xFFFFFFFFu));
    EXPECT_FALSE(ItemVisible(*page, page->num_items, 0xFFFFFFFFu));
}

TEST_F(RenderFixture, ItemWithoutDefinitionIsVisibleWithoutAClassBitButKeepsTheOtherRules) {
    const int slot = rtest_AddItem(*page, kTestUnknownType, 0, 0);
    MissionItem& item = page->items[slot];
    ASSERT_EQ(item.item_class, 0); // an unknown type takes no class
    item.team = 1;
    item.layer = 4;
    const uint32_t noClasses = kShowTeamBlue;
    EXPECT_TRUE(ItemVisible(*page, slot, noClasses));
    item.item_class = kClassVehicle; // a class it kept from elsewhere does not hide it either
    EXPECT_TRUE(ItemVisible(*page, slot, noClasses));
    EXPECT_FALSE(ItemVisible(*page, slot, kShowFlagsWindowStart & ~kShowTeamBlue)) << "its team is hidden";
    page->general.hidden_layers = 1u << 4;
    EXPECT_FALSE(ItemVisible(*page, slot, noClasses)) << "its layer is hidden";
    page->general.hidden_layers = 0;
    item.hidden = 1;
    EXPECT_FALSE(ItemVisible(*page, slot, noClasses));
    // A known item still needs its class bit.
    const int jeep = rtest_AddItem(*page, kTestJeepType, 0, 0);
    EXPECT_FALSE(ItemVisible(*page, jeep, kShowTeamGreen));
}

// ---- Colours ----------------------------------------------------------------------------------

TEST(ItemColour, FirstMatchingCaseWins) {
    MissionItem item{};
    item.item_class = kClassPerson;
    item.team = 2;
    item.display_flags = kDisplayFlagHighlight;
    EXPECT_EQ(map_ItemColour(item, true, kViewByType), 0xF1E800u);
    EXPECT_EQ(map_ItemColour(item, false, kViewByType), 0xCD40FCu);
    EXPECT_EQ(map_ItemColour(item, false, kViewBySide), 0xCD40FCu);
    item.display_flags = 0x1; // other bits do not count
    EXPECT_EQ(map_ItemColour(item, false, kViewBySide), 0xFF0000u);
    EXPECT_EQ(map_ItemColour(item, false, kViewByType), 0x00FF00u);
}

TEST(ItemColour, BySideAndByTypeTables) {
    const uint32_t bySide[5] = {0x00FF00, 0x0069A9, 0xFF0000, 0xA07B00, 0xCD40FC};
    const uint32_t byType[9] = {0xB4B4B4, 0xFF0000, 0xDCDCDC, 0x00FF00, 0x4BAADF,
                                0xDCDCDC, 0x4BAADF, 0x009186, 0xB4B4B4};
    MissionItem item{};
    for (int team = 0; team < 5; ++team) {
        item.team = team;
        EXPECT_EQ(map_ItemColour(item, false, kViewBySide), bySide[team]) << team;
    }
    for (int cls = 0; cls < 9; ++cls) {
        item.item_class = cls;
        EXPECT_EQ(map_ItemColour(item, false, kViewByType), byType[cls]) << cls;
    }
    item.team = 9;
    item.item_class = -1;
    EXPECT_EQ(map_ItemColour(item, false, kViewBySide), kColourUnknownItem);
    EXPECT_EQ(map_ItemColour(item, false, kViewByType), kColourUnknownItem);
}

// ---- Culling ----------------------------------------------------------------------------------

TEST_F(RenderFixture, CullingUsesTheFixedBoundsNotTheImageSize) {
    // Zoom 0.1: the symbol's cull radius of 512 units is 51.2 px.
    const ViewState view = rtest_View(0.1f);
    TestImage image(view, 1600, 900);
    const MapTransform& t = image.canvas.transform;
    // 1300 px right of the left edge: x = (1300 - hw) / zoom.
    const int32_t x1300 = int32_t(float(1300 - t.hw) / 0.1f);
    const int culled = rtest_AddItem(*page, kTestCrateType, x1300, 0);
    EXPECT_TRUE(WorldToScreen(t, x1300, 0).inside);
    EXPECT_TRUE(map_Culled(t, x1300, 0, 512));
    DrawItem(image.canvas, *page, culled, false);
    EXPECT_TRUE(image.changed().empty());
    // 1240 px: 1240 - 51.2 is below 1200, so it is drawn.
    const int32_t x1240 = int32_t(float(1240 - t.hw) / 0.1f);
    const int drawnSlot = rtest_AddItem(*page, kTestCrateType, x1240, 0);
    EXPECT_FALSE(map_Culled(t, x1240, 0, 512));
    DrawItem(image.canvas, *page, drawnSlot, false);
    EXPECT_FALSE(image.changed().empty());
}

TEST(ItemCulling, EachSideWithTheScreenRadius) {
    ViewState view = rtest_View(1.0f);
    const MapTransform t = map_MakeTransform(view, 2000, 2000); // centre pixel (1000, 1000)
    // Screen radius 10 px.
    EXPECT_FALSE(map_Culled(t, -1000 - 9, 0, 10)); // fx = -9
    EXPECT_TRUE(map_Culled(t, -1000 - 11, 0, 10)); // fx = -11
    EXPECT_FALSE(map_Culled(t, 200 + 9, 0, 10));   // fx = 1209
    EXPECT_TRUE(map_Culled(t, 200 + 11, 0, 10));   // fx = 1211
    EXPECT_FALSE(map_Culled(t, 0, 1000 + 9, 10));  // fy = -9
    EXPECT_TRUE(map_Culled(t, 0, 1000 + 11, 10));
    EXPECT_FALSE(map_Culled(t, 0, -24 - 9, 10)); // fy = 1033
    EXPECT_TRUE(map_Culled(t, 0, -24 - 11, 10)); // fy = 1035
}

TEST_F(RenderFixture, CullRadiusComesFromTheModelExceptForPeopleAndMarkers) {
    ModelDesc desc = modeltest_Model("crate", 1);
    desc.radius = 700 << 8;
    ASSERT_NE(attachModel(kTestCrateType, desc), nullptr);
    const int crate = rtest_AddItem(*page, kTestCrateType, 0, 0);
    EXPECT_EQ(map_CullRadius(page->items[crate]), 700);
    page->items[crate].item_class = kClassPerson;
    EXPECT_EQ(map_CullRadius(page->items[crate]), kDefaultCullRadius);
    page->items[crate].item_class = kClassMarker;
    EXPECT_EQ(map_CullRadius(page->items[crate]), kDefaultCullRadius);
    const int jeep = rtest_AddItem(*page, kTestJeepType, 0, 0); // no model
    EXPECT_EQ(map_CullRadius(page->items[jeep]), kDefaultCullRadius);
}

// ---- Symbols and cones ------------------------------------------------------------------------

TEST(ItemGeometry, PlainSymbolTurnsWithTheHeading) {
    WorldPoint p[kSymbolPoints];
    // Heading 0 faces north: (1.3e, 0) turns to (0, 332.8), rounded to 333.
    geom_PlainSymbolPoints(1000, 2000, 0, 1, p);
    EXPECT_EQ(p[0].x, 1000);
    EXPECT_EQ(p[0].y, 2333);
    EXPECT_EQ(p[1].x, 1000); // (e, 0) → (0, e)
    EXPECT_EQ(p[1].y, 2256);
    EXPECT_EQ(p[2].x, 744); // (0, e) → (-e, 0)
    EXPECT_EQ(p[2].y, 2000);
    // Heading 90 faces east: no turn.
    geom_PlainSymbolPoints(0, 0, 90, 2, p);
    EXPECT_EQ(p[0].x, 666); // 1.3 × 512 = 665.6
    EXPECT_EQ(p[0].y, 0);
    EXPECT_EQ(p[4].x, 0);
    EXPECT_EQ(p[4].y, -512);
    // Heading 45: north-east.
    geom_PlainSymbolPoints(0, 0, 45, 1, p);
    EXPECT_EQ(p[0].x, roundToInt(332.8 * std::cos(kPi / 4)));
    EXPECT_EQ(p[0].y, roundToInt(332.8 * std::sin(kPi / 4)));
}

TEST(ItemGeometry, ConeOfNinetyDegreesAtHeadingZero) {
    int64_t angles[kMaxConePoints];
    const int count = geom_ConeAngles(90, 0, angles);
    const std::vector<int64_t> expected = {45, 55, 65, 75, 85, 95, 105, 115, 125, 135};
    EXPECT_EQ(std::vector<int64_t>(angles, angles + count), expected);
    // An angle whose half is not a multiple of ten still ends on the edge of the cone.
    const int odd = geom_ConeAngles(25, 90, angles); // a/2 = 12: -12 ... 12
    EXPECT_EQ(std::vector<int64_t>(angles, angles + odd), (std::vector<int64_t>{-12, -2, 8, 12}));
}

TEST(ItemGeometry, RadiusOfTenMetresIsACircleOf2560Units) {
    EXPECT_DOUBLE_EQ(geom_RadiusInWorldUnits(10), 2560.0);
    WorldPoint points[kMaxConePoints];
    const int count = geom_ConePoints(5000, -3000, 30, geom_RadiusInWorldUnits(10), kFullCircle, points);
    EXPECT_EQ(count, 37); // 36 segments
    for (int i = 0; i < count; ++i) {
        const double d = std::hypot(points[i].x - 5000.0, points[i].y + 3000.0);
        EXPECT_NEAR(d, 2560.0, 1.0) << i;
    }
    // The first and the last point both lie in the direction -90 - heading.
    EXPECT_EQ(points[0].x, points[count - 1].x);
    EXPECT_EQ(points[0].y, points[count - 1].y);
    EXPECT_EQ(points[0].x, 5000 + roundToInt(2560 * std::cos(-120 * kPi / 180)));
    EXPECT_EQ(points[0].y, -3000 + roundToInt(2560 * std::sin(-120 * kPi / 180)));
}

TEST(ItemGeometry, ConePointsLieInTheirDirectionsAcrossWholeTurns) {
    // Headings and widths whose directions cross 0 and 360 degrees, negative ones included, and
    // cones of several turns.
    const int32_t headings[] = {0, 7, 95, 181, 359, -45, -725, 1000};
    const int32_t angles[] = {0, 25, 90, 355, 360, 730, -90, kMaxConeAngle};
    for (int32_t heading : headings)
        for (int32_t angle : angles) {
            int64_t directions[kMaxConePoints];
            WorldPoint points[kMaxConePoints];
            const int count = geom_ConeAngles(angle, heading, directions);
            ASSERT_EQ(geom_ConePoints(-700, 1200, heading, 2048.0, angle, points), count);
            for (int i = 0; i < count; ++i) {
                // A rotation of heading h turns +X to 90 - h degrees.
                const ItemRotation r = geom_Rotation(int32_t(90 - directions[i]));
                EXPECT_EQ(points[i].x, geom_OffsetBy(-700, 2048.0 * r.cos))
                    << heading << " " << angle << " " << i;
                EXPECT_EQ(points[i].y, geom_OffsetBy(1200, 2048.0 * r.sin))
                    << heading << " " << angle << " " << i;
            }
        }
}

TEST(ItemGeometry, HugeConeAnglesStayBounded) {
    int64_t angles[kMaxConePoints];
    const int count = geom_ConeAngles(INT32_MAX, INT32_MIN, angles);
    EXPECT_LE(count, kMaxConePoints);
    EXPECT_EQ(angles[count - 1] - angles[0], kMaxConeAngle);
}

TEST_F(RenderFixture, PersonIsASymbolWithItsConeWhenConesAreShown) {
    const ViewState view = rtest_View(0.05f);
    const int slot = rtest_AddItem(*page, kTestSoldierType, 0, 0, 0);
    page->items[slot].fov = 90;
    const uint32_t colour = map_ItemColour(page->items[slot], false, kViewByType);

    TestImage drawn(view, 256, 256);
    DrawItem(drawn.canvas, *page, slot, false);

    // The reference, from the rules: facing line, diamond, then the cone of radius 2048 at
    // 45, 55, ..., 125 and 135 degrees.
    TestImage expected(view, 256, 256);
    referenceLines(expected.canvas, {{0, 0}, {0, 333}}, colour);
    referenceLines(expected.canvas, {{0, 256}, {-256, 0}, {0, -256}, {256, 0}, {0, 256}}, colour);
    std::vector<std::pair<int32_t, int32_t>> cone = {{0, 0}};
    for (int a = 45; a <= 135; a += 10)
        cone.push_back(
            {roundToInt(2048 * std::cos(a * kPi / 180)), roundToInt(2048 * std::sin(a * kPi / 180))});
    cone.push_back({0, 0});
    referenceLines(expected.canvas, cone, colour);
    EXPECT_TRUE(drawn.samePixels(expected));

    // Without the cone flag only the symbol is left.
    ViewState noCones = view;
    noCones.show_flags &= ~kShowFovCones;
    TestImage symbol(noCones, 256, 256);
    DrawItem(symbol.canvas, *page, slot, false);
    TestImage symbolOnly(noCones, 256, 256);
    referenceLines(symbolOnly.canvas, {{0, 0}, {0, 333}}, colour);
    referenceLines(symbolOnly.canvas, {{0, 256}, {-256, 0}, {0, -256}, {256, 0}, {0, 256}}, colour);
    EXPECT_TRUE(symbol.samePixels(symbolOnly));
    EXPECT_LT(symbol.count(colour), drawn.count(colour));
}

TEST_F(RenderFixture, RadiusMarkerDrawsItsScaledSymbolAndACircle) {
    const ViewState view = rtest_View(0.05f);
    const int slot = rtest_AddItem(*page, kWaypointMarkerType, 0, 0, 90);
    MissionItem& item = page->items[slot];
    // The test definitions have no radius marker: the waypoint marker's stands in for one.
    itemdef_Get(item.def_index)->id = kRadiusMarkerType;
    item.type_id = kRadiusMarkerType;
    item.item_class = kClassMarker;
    item.wpdistance = 10;
    const uint32_t colour = map_ItemColour(item, false, kViewByType);
    TestImage drawn(view, 320, 320);
    DrawItem(drawn.canvas, *page, slot, false);

    TestImage expected(view, 320, 320);
    // Heading 90: no turn; 332.8 × 0.5468 = 182, 256 × 0.5468 = 140.
    referenceLines(expected.canvas, {{0, 0}, {182, 0}}, colour);
    referenceLines(expected.canvas, {{140, 0}, {0, 140}, {-140, 0}, {0, -140}, {140, 0}}, colour);
    std::vector<std::pair<int32_t, int32_t>> circle = {{0, 0}};
    for (int a = -180; a <= 180; a += 10)
        circle.push_back(
            {roundToInt(2560 * std::cos(a * kPi / 180)), roundToInt(2560 * std::sin(a * kPi / 180))});
    circle.push_back({0, 0});
    referenceLines(expected.canvas, circle, colour);
    EXPECT_TRUE(drawn.samePixels(expected));
    // At 0.05 px per unit the circle is 128 px from the centre (160, 160).
    EXPECT_EQ(drawn.at(160 + 128, 160), colour);
    EXPECT_EQ(drawn.at(160, 160 - 128), colour);
}

TEST_F(RenderFixture, MarkersModelLessItemsAndPeopleWithModelsArePlainSymbols) {
    ASSERT_NE(attachModel(kTestSoldierType, lodModel(1, 1000)), nullptr); // people never use one
    const ViewState view = rtest_View(0.05f);
    ViewState noCones = view;
    noCones.show_flags &= ~kShowFovCones;
    const int marker = rtest_AddItem(*page, kWaypointMarkerType, 0, 0, 90);
    const int jeep = rtest_AddItem(*page, kTestJeepType, 0, 0, 90);
    const int soldier = rtest_AddItem(*page, kTestSoldierType, 0, 0, 90);
    page->items[marker].fov = 90; // markers never get a cone
    TestImage ref(view, 128, 128);
    referenceLines(ref.canvas, {{0, 0}, {333, 0}}, 1);
    referenceLines(ref.canvas, {{256, 0}, {0, 256}, {-256, 0}, {0, -256}, {256, 0}}, 1);
    for (const int slot : {marker, jeep, soldier}) {
        TestImage drawn(noCones, 128, 128);
        DrawItem(drawn.canvas, *page, slot, false);
        EXPECT_EQ(drawn.changed(), ref.changed()) << slot;
    }
}

TEST_F(RenderFixture, ItemWithoutDefinitionIsASmallCrossOfItsOwnAtEveryZoom) {
    // The first definition (index 0, which unknown items keep) has a model: it is not theirs.
    ASSERT_NE(attachModel(kTestSoldierType, lodModel(1, 1000)), nullptr);
    const int slot = rtest_AddItem(*page, kTestUnknownType, 0, 0, 90);
    page->items[slot].item_class = kClassVehicle; // would draw the model of its def_index
    EXPECT_EQ(map_CullRadius(page->items[slot]), kDefaultCullRadius);
    for (const float zoom : {0.002f, 0.05f, 2.0f}) {
        SCOPED_TRACE(zoom);
        for (const bool overlay : {false, true}) {
            const uint32_t colour = overlay ? kColourOverlay : kColourUndefinedItem;
            TestImage drawn(rtest_View(zoom), 64, 64);
            DrawItem(drawn.canvas, *page, slot, overlay);
            // The centre (32, 32) and the corners of both diagonals, nothing else.
            const int h = kUndefinedMarkHalfSize;
            std::set<std::pair<int32_t, int32_t>> cross;
            for (int d = -h; d <= h; ++d) {
                cross.insert({32 + d, 32 + d});
                cross.insert({32 + d, 32 - d});
            }
            EXPECT_EQ(drawn.changed(), cross);
            EXPECT_EQ(drawn.count(colour), int(cross.size()));
        }
    }
}

TEST(ModelLod, ChoiceByScreenRadiusAndLevelCount) {
    EXPECT_EQ(map_ChooseLod(150.5f, 1), 0);
    EXPECT_EQ(map_ChooseLod(150.5f, 4), 0);
    EXPECT_EQ(map_ChooseLod(150.0f, 4), 1);
    EXPECT_EQ(map_ChooseLod(150.0f, 1), 0);
    EXPECT_EQ(map_ChooseLod(80.5f, 2), 1);
    EXPECT_EQ(map_ChooseLod(80.0f, 4), 2);
    EXPECT_EQ(map_ChooseLod(80.0f, 3), 2);
    EXPECT_EQ(map_ChooseLod(80.0f, 2), 1);
    EXPECT_EQ(map_ChooseLod(80.0f, 1), 0);
    EXPECT_EQ(map_ChooseLod(20.5f, 4), 2);
    EXPECT_EQ(map_ChooseLod(20.0f, 4), 3);
    EXPECT_EQ(map_ChooseLod(20.0f, 3), 2);
    EXPECT_EQ(map_ChooseLod(5.0f, 2), 1);
    EXPECT_EQ(map_ChooseLod(5.0f, 0), 0);
}

TEST_F(RenderFixture, ModelOutlineDrawsTheLevelChosenByScreenRadius) {
    ASSERT_NE(attachModel(kTestJeepType, lodModel(4, 1000)), nullptr);
    const int slot = rtest_AddItem(*page, kTestJeepType, 0, 0, 90);
    const uint32_t colour = map_ItemColour(page->items[slot], false, kViewByType);
    // Screen radius = 1000 × zoom: 200 → LOD 0, 100 → 1, 50 → 2, 10 → 3.
    const std::pair<float, int> cases[] = {{0.2f, 0}, {0.1f, 1}, {0.05f, 2}, {0.01f, 3}, {0.2f, 0}};
    OutlineCache shared; // one pass meeting every level: each keeps its own outline
    for (const auto& [zoom, lod] : cases) {
        const ViewState view = rtest_View(zoom);
        TestImage drawn(view, 400, 400), cached(view, 400, 400);
        DrawItem(drawn.canvas, *page, slot, false);
        cached.canvas.outlines = &shared;
        DrawItem(cached.canvas, *page, slot, false);
        const TestImage ref = lodReference(view, 400, 400, lod, colour);
        EXPECT_TRUE(drawn.samePixels(ref)) << "zoom " << zoom;
        EXPECT_TRUE(cached.samePixels(ref)) << "zoom " << zoom << ", outline from the pass's cache";
    }
}

TEST_F(RenderFixture, ModelOutlineSkipsHiddenEdgesAndTurnsWithTheHeading) {
    ModelDesc desc;
    desc.name = "hidden";
    desc.radius = 1000 << 8;
    desc.lods.push_back(rtest_TriangleLod(2560, 0x4)); // bit 2 hides edge 1 (v1-v2)
    ASSERT_NE(attachModel(kTestJeepType, desc), nullptr);
    const int slot = rtest_AddItem(*page, kTestJeepType, 3000, -2000, 0); // heading 0: +X turns to +Y
    const uint32_t colour = map_ItemColour(page->items[slot], false, kViewByType);
    const ViewState view = rtest_View(0.2f, 3000, -2000);
    TestImage drawn(view, 300, 300);
    DrawItem(drawn.canvas, *page, slot, false);
    TestImage ref(view, 300, 300);
    // (0,0)-(2560,0) turns to (0,0)-(0,2560); (0,2560)-(0,0) turns to (-2560,0)-(0,0).
    referenceLines(ref.canvas, {{3000, -2000}, {3000, 560}}, colour);
    referenceLines(ref.canvas, {{3000 - 2560, -2000}, {3000, -2000}}, colour);
    EXPECT_TRUE(drawn.samePixels(ref));
}

namespace {
// A 4 × 4 grid of squares, two triangles each, wound alike so that neighbours walk their shared
// edge in opposite directions; a second part repeats one square on vertices of its own, and one
// triangle hides an edge.
ModelDesc meshModel() {
    ModelDesc desc;
    desc.name = "mesh";
    desc.radius = 4000 << 8;
    ModelDescLod lod;
    lod.name = "mesh";
    ModelDescPart grid;
    constexpr int16_t kCell = 700;
    for (int16_t j = 0; j <= 4; ++j)
        for (int16_t i = 0; i <= 4; ++i)
            grid.vertices.push_back({int16_t((i - 2) * kCell), int16_t((j - 2) * kCell + i * 37), 0});
    for (uint16_t j = 0; j < 4; ++j)
        for (uint16_t i = 0; i < 4; ++i) {
            const uint16_t a = uint16_t(j * 5 + i), b = uint16_t(a + 1), c = uint16_t(a + 5),
                           d = uint16_t(a + 6);
            ModelDescTriangle lower, upper;
            lower.v[0] = a, lower.v[1] = b, lower.v[2] = d;
            upper.v[0] = a, upper.v[1] = d, upper.v[2] = c;
            if (i == 1 && j == 2) upper.edge_flags = 0x2;
            grid.triangles.push_back(lower);
            grid.triangles.push_back(upper);
        }
    ModelDescPart copy;
    copy.vertices = {grid.vertices[6], grid.vertices[7], grid.vertices[12], grid.vertices[11]};
    ModelDescTriangle t1, t2;
    t1.v[0] = 0, t1.v[1] = 1, t1.v[2] = 2;
    t2.v[0] = 2, t2.v[1] = 3, t2.v[2] = 0;
    copy.triangles = {t1, t2};
    lod.parts = {grid, copy};
    lod.surfaces.resize(1);
    desc.lods.push_back(lod);
    return desc;
}
} // namespace

TEST_F(RenderFixture, ModelOutlineCutByTheImageEdgeDrawsEveryEdgeAsTheModelWalksIt) {
    const ModelRecord* model = attachModel(kTestJeepType, meshModel());
    ASSERT_NE(model, nullptr);
    const int slot = rtest_AddItem(*page, kTestJeepType, 0, 0, 0);
    const uint32_t colour = map_ItemColour(page->items[slot], false, kViewByType);
    std::mt19937 random(9);
    OutlineCache shared;
    int drawnCases = 0;
    for (int n = 0; n < 60; ++n) {
        const int32_t heading = std::uniform_int_distribution<int32_t>(0, 359)(random);
        page->items[slot].facing[0] = heading;
        // Centres that put the image edges across the mesh, at zooms from a few pixels per square
        // to squares larger than the image.
        const float zoom = std::uniform_real_distribution<float>(0.004f, 0.3f)(random);
        const int32_t cx = std::uniform_int_distribution<int32_t>(-2000, 2000)(random);
        const int32_t cy = std::uniform_int_distribution<int32_t>(-2000, 2000)(random);
        const ViewState view = rtest_View(zoom, cx, cy);
        TestImage drawn(view, 61, 47), cached(view, 61, 47);
        DrawItem(drawn.canvas, *page, slot, false);
        cached.canvas.outlines = &shared;
        DrawItem(cached.canvas, *page, slot, false);
        TestImage ref(view, 61, 47);
        const ItemRotation rotation = geom_Rotation(heading);
        ModelLodView(model_Lod(*model, 0))
            .forEachOutlineEdge([&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
                const WorldPoint a = geom_Place(0, 0, rotation, LocalPoint{double(x0), double(y0)});
                const WorldPoint b = geom_Place(0, 0, rotation, LocalPoint{double(x1), double(y1)});
                DrawWorldLine(ref.canvas, a.x, a.y, b.x, b.y, colour);
            });
        if (ref.count(colour) == 0) continue; // the image lies within one square
        ++drawnCases;
        ASSERT_TRUE(drawn.samePixels(ref))
            << "case " << n << ": zoom " << zoom << " centre " << cx << "," << cy << " heading " << heading;
        ASSERT_TRUE(cached.samePixels(ref)) << "case " << n << ", outline from the pass's cache";
    }
}
