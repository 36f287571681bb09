#include "demo/demo_terrain.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <span>
#include <strings.h>

namespace {
constexpr int N = kDemoMapSize;
constexpr int kMask = N - 1;
constexpr size_t kPixels = static_cast<size_t>(N) * N;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kHeightRangeMetres = 150.0; // what a full-range height sample stands for
constexpr int kDetailCell = 4;               // detail tile variants change every 4 metres

// Deterministic random numbers (splitmix64), independent of the standard library's distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint32_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    double unit() { return next() / 4294967296.0; } // [0, 1)

  private:
    uint64_t state_;
};

// A well-mixed value in [0, 1) for a lattice point.
double hashUnit(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h >> 8) / 16777216.0;
}

double smoothstep(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Distance between two coordinates on the wrapping map.
double wrapDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, N - d);
}

void normalise(std::vector<float>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const float lo = *low, span = std::max(*high - *low, 1e-6f);
    for (float& v : values)
        v = (v - lo) / span;
}

// Smooth noise over the whole map: a sum of plane waves with whole numbers of periods across it,
// so it wraps seamlessly. Amplitudes fall with the frequency. The waves are summed on a grid of a
// quarter of the map's resolution (the highest frequencies still get ten samples per period) and
// brought to full size by cubic interpolation, which keeps slopes continuous for the shading.
std::vector<float> waveNoise(Random& random, int terms, double lowestK, double highestK, double falloff) {
    constexpr int kCoarse = N / 4;
    std::vector<float> coarse(static_cast<size_t>(kCoarse) * kCoarse, 0.0f);
    std::vector<float> sx(kCoarse), cx(kCoarse), sy(kCoarse), cy(kCoarse);
    for (int t = 0; t < terms; ++t) {
        const double k = lowestK * std::pow(highestK / lowestK, random.unit());
        const double angle = random.unit() * kTwoPi;
        int kx = static_cast<int>(std::lround(k * std::cos(angle)));
        const int ky = static_cast<int>(std::lround(k * std::sin(angle)));
        if (kx == 0 && ky == 0) kx = 1;
        const double amplitude = std::pow(std::hypot(kx, ky), -falloff) * (0.5 + random.unit());
        const double phase = random.unit() * kTwoPi;
        for (int i = 0; i < kCoarse; ++i) {
            sx[i] = static_cast<float>(std::sin(kTwoPi * kx * i / kCoarse + phase));
            cx[i] = static_cast<float>(std::cos(kTwoPi * kx * i / kCoarse + phase));
            sy[i] = static_cast<float>(std::sin(kTwoPi * ky * i / kCoarse));
            cy[i] = static_cast<float>(std::cos(kTwoPi * ky * i / kCoarse));
        }
        // sin(a + b) = sin a cos b + cos a sin b, one row at a time.
        for (int y = 0; y < kCoarse; ++y) {
            const float a = static_cast<float>(amplitude) * cy[y], b = static_cast<float>(amplitude) * sy[y];
            float* row = coarse.data() + static_cast<size_t>(y) * kCoarse;
            const float* s = sx.data();
            const float* c = cx.data();
            for (int x = 0; x < kCoarse; ++x)
                row[x] += a * s[x] + b * c[x];
        }
    }

    // Catmull-Rom weights of the four coarse samples around each of the four fine positions.
    constexpr int kFactor = N / kCoarse;
    float weights[kFactor][4];
    for (int f = 0; f < kFactor; ++f) {
        const float t = static_cast<float>(f) / kFactor, t2 = t * t, t3 = t2 * t;
        weights[f][0] = 0.5f * (-t3 + 2 * t2 - t);
        weights[f][1] = 0.5f * (3 * t3 - 5 * t2 + 2);
        weights[f][2] = 0.5f * (-3 * t3 + 4 * t2 + t);
        weights[f][3] = 0.5f * (t3 - t2);
    }
    constexpr int kCoarseMask = kCoarse - 1;
    std::vector<float> wide(static_cast<size_t>(kCoarse) * N); // rows widened to full width
    for (int y = 0; y < kCoarse; ++y) {
        const float* in = coarse.data() + static_cast<size_t>(y) * kCoarse;
        float* out = wide.data() + static_cast<size_t>(y) * N;
        for (int x = 0; x < N; ++x) {
            const int i = x / kFactor;
            const float* w = weights[x % kFactor];
            out[x] = w[0] * in[(i - 1) & kCoarseMask] + w[1] * in[i] + w[2] * in[(i + 1) & kCoarseMask] +
                     w[3] * in[(i + 2) & kCoarseMask];
        }
    }
    std::vector<float> full(kPixels);
    for (int y = 0; y < N; ++y) {
        const int j = y / kFactor;
        const float* w = weights[y % kFactor];
        const float* r0 = wide.data() + static_cast<size_t>((j - 1) & kCoarseMask) * N;
        const float* r1 = wide.data() + static_cast<size_t>(j) * N;
        const float* r2 = wide.data() + static_cast<size_t>((j + 1) & kCoarseMask) * N;
        const float* r3 = wide.data() + static_cast<size_t>((j + 2) & kCoarseMask) * N;
        float* out = full.data() + static_cast<size_t>(y) * N;
        for (int x = 0; x < N; ++x)
            out[x] = w[0] * r0[x] + w[1] * r1[x] + w[2] * r2[x] + w[3] * r3[x];
    }
    normalise(full);
    return full;
}

// Blobby noise for patches (woods, fields): random values on a wrapping lattice of `cells`
// squares per side, smoothly interpolated, in [0, 1).
std::vector<float> latticeNoise(uint32_t seed, int cells) {
    std::vector<float> lattice(static_cast<size_t>(cells) * cells);
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
            lattice[static_cast<size_t>(j) * cells + i] =
                static_cast<float>(hashUnit(static_cast<uint32_t>(i), static_cast<uint32_t>(j), seed));
    // Lattice column (or row) and smoothed fraction of every map coordinate.
    std::vector<int> cell(N);
    std::vector<float> weight(N);
    for (int i = 0; i < N; ++i) {
        const double f = static_cast<double>(i) * cells / N;
        cell[i] = static_cast<int>(f);
        weight[i] = static_cast<float>(smoothstep(f - cell[i]));
    }
    std::vector<float> out(kPixels);
    for (int y = 0; y < N; ++y) {
        const float* top = lattice.data() + static_cast<size_t>(cell[y]) * cells;
        const float* bottom = lattice.data() + static_cast<size_t>((cell[y] + 1) % cells) * cells;
        const float ty = weight[y];
        float* row = out.data() + static_cast<size_t>(y) * N;
        for (int x = 0; x < N; ++x) {
            const int x0 = cell[x], x1 = (x0 + 1) % cells;
            const float tx = weight[x];
            const float upper = top[x0] + (top[x1] - top[x0]) * tx;
            const float lower = bottom[x0] + (bottom[x1] - bottom[x0]) * tx;
            row[x] = upper + (lower - upper) * ty;
        }
    }
    return out;
}

// ---- Height fields (0 to 1) -------------------------------------------------------------------

std::vector<float> hillsHeights(Random& random, double water) {
    std::vector<float> h = waveNoise(random, 40, 1.0, 24.0, 1.7);
    const double lakeX = 640.0, lakeY = 360.0, radius = 125.0;
    const double phase1 = random.unit() * kTwoPi, phase2 = random.unit() * kTwoPi;
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            float& v = h[static_cast<size_t>(y) * N + x];
            const double base = v;
            v = static_cast<float>(0.2 + 0.52 * base);
            const double dx = wrapDistance(x, lakeX), dy = wrapDistance(y, lakeY);
            const double d = std::hypot(dx, dy);
            if (d > radius * 2.6) continue;
            // A basin with a flat bed and gentle banks, its rim wobbling round the centre.
            const double angle = std::atan2(y - lakeY, x - lakeX);
            const double r =
                radius * (1.0 + 0.17 * std::sin(3 * angle + phase1) + 0.09 * std::sin(5 * angle + phase2));
            const double bowl = smoothstep((2.2 - d / r) / 1.7);
            const double bed = water * 0.4 + water * 0.3 * base;
            v = static_cast<float>(v * (1.0 - bowl) + bed * bowl);
        }
    return h;
}

std::vector<float> coastHeights(Random& random) {
    std::vector<float> land = waveNoise(random, 40, 1.0, 24.0, 1.6);
    std::vector<float> seaBed = waveNoise(random, 12, 1.0, 8.0, 1.0);
    const double seaX = 880.0;
    for (int y = 0; y < N; ++y) {
        // The coastline wanders; where the rise is narrow the coast is a cliff.
        const double coast =
            150.0 + 45.0 * std::sin(kTwoPi * 2 * y / N + 1.0) + 22.0 * std::sin(kTwoPi * 5 * y / N + 2.0);
        const double rise = 40.0 + 90.0 * (0.5 + 0.5 * std::sin(kTwoPi * 3 * y / N));
        for (int x = 0; x < N; ++x) {
            const size_t i = static_cast<size_t>(y) * N + x;
            const double onLand = smoothstep((wrapDistance(x, seaX) - coast) / rise + 0.5);
            const double sea = 0.06 + 0.07 * seaBed[i];
            const double ground = 0.19 + 0.4 * land[i] * (0.3 + 0.7 * onLand);
            land[i] = static_cast<float>(sea * (1.0 - onLand) + ground * onLand);
        }
    }
    return land;
}

// The centre line of the desert valley at column x.
double valleyLine(int x) {
    return 512.0 + 140.0 * std::sin(kTwoPi * x / N + 0.5) + 45.0 * std::sin(kTwoPi * 3 * x / N + 2.0);
}

std::vector<float> desertHeights(Random& random) {
    std::vector<float> h = waveNoise(random, 36, 1.0, 20.0, 1.7);
    std::vector<float> dunes = waveNoise(random, 10, 6.0, 12.0, 0.5);
    for (int x = 0; x < N; ++x) {
        const double centre = valleyLine(x);
        for (int y = 0; y < N; ++y) {
            const size_t i = static_cast<size_t>(y) * N + x;
            const double side = smoothstep((wrapDistance(y, centre) - 40.0) / 240.0);
            const double ridges = std::fabs(std::sin(kTwoPi * (6.0 * x + 2.0 * y) / N + 3.0 * dunes[i]));
            h[i] = static_cast<float>(0.1 + 0.02 * h[i] + side * (0.2 + 0.25 * h[i] + 0.025 * ridges));
        }
    }
    return h;
}

// ---- Cover, colour and detail -----------------------------------------------------------------

enum class Cover { Water, Shore, Grass, Forest, Field, Rock, Road, Bed, Dune };

uint8_t surfaceOf(DemoLandform landform, Cover cover) {
    switch (cover) {
    case Cover::Water:
    case Cover::Shore:
    case Cover::Dune:
        return kSurfaceSand;
    case Cover::Grass:
    case Cover::Forest:
        return kSurfaceGrass;
    case Cover::Field:
        return kSurfaceDirt;
    case Cover::Rock:
        return landform == DemoLandform::Hills ? kSurfaceCement : kSurfaceDirt;
    case Cover::Road:
        return landform == DemoLandform::Hills ? kSurfacePackedDirt : kSurfaceCement;
    case Cover::Bed:
        return kSurfacePackedDirt;
    }
    return kSurfaceNone;
}

int typeOfSurface(const DemoTerrainDef& landSpec, uint8_t surface) {
    for (int t = 0; t < landSpec.typeCount; ++t)
        if (landSpec.types[t].surface == surface) return t;
    return 0;
}

struct Rgb {
    double r, g, b;
};

Rgb typeColour(const DemoTerrainDef& landSpec, int type) {
    if (type >= landSpec.typeCount) return {128, 128, 128};
    const TerrainType& t = landSpec.types[type];
    return {static_cast<double>(t.values[0]), static_cast<double>(t.values[1]),
            static_cast<double>(t.values[2])};
}

Rgb scale(Rgb c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}
Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint32_t pack(Rgb c) {
    auto channel = [](double v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// A road across the map: its centre line is across = base + amplitude × sin(2π periods × along / N
// + phase), where `along` is x (or y for a `vertical` road).
struct Road {
    double base, amplitude;
    int periods;
    double phase;
    bool vertical;
};

constexpr double kRoadHalfWidth = 3.0;

// Marks the pixels within kRoadHalfWidth of each road's centre line, measured across the road.
std::vector<uint8_t> roadMask(DemoLandform landform) {
    static const Road kHillsRoads[] = {{150.0, 60.0, 1, 0.3, false}, {260.0, 90.0, 2, 1.7, true}};
    static const Road kCoastRoads[] = {{480.0, 40.0, 2, 0.9, true}, {700.0, 50.0, 1, 2.2, false}};
    static const Road kDesertRoads[] = {{300.0, 120.0, 1, 4.0, true}};
    std::span<const Road> roads = landform == DemoLandform::Coast    ? std::span<const Road>(kCoastRoads)
                                  : landform == DemoLandform::Desert ? std::span<const Road>(kDesertRoads)
                                                                     : std::span<const Road>(kHillsRoads);
    std::vector<uint8_t> mask(kPixels, 0);
    for (const Road& road : roads) {
        const double w = kTwoPi * road.periods / N;
        for (int along = 0; along < N; ++along) {
            const double centre = road.base + road.amplitude * std::sin(w * along + road.phase);
            const double slope = road.amplitude * w * std::cos(w * along + road.phase);
            const double reach = kRoadHalfWidth * std::sqrt(1.0 + slope * slope);
            for (int across = static_cast<int>(std::floor(centre - reach));
                 across <= static_cast<int>(std::ceil(centre + reach)); ++across) {
                if (std::fabs(across - centre) >= reach) continue;
                const int a = across & kMask;
                const size_t i =
                    road.vertical ? static_cast<size_t>(along) * N + a : static_cast<size_t>(a) * N + along;
                mask[i] = 1;
            }
        }
    }
    return mask;
}

struct Terrain {
    const DemoTerrainDef& landSpec;
    const std::vector<float>& h;
    double water; // water surface in height units (0 to 1); below 0 when there is none
    std::vector<float> woods, fields, grain;
    std::vector<uint8_t> roads;
};

Cover coverAt(const Terrain& t, int x, int y, double slope) {
    const size_t i = static_cast<size_t>(y) * N + x;
    const double height = t.h[i];
    if (height < t.water) return Cover::Water;
    const DemoLandform landform = t.landSpec.landform;
    if (t.roads[i] != 0) return Cover::Road;
    if (t.water >= 0.0 && height < t.water + 0.012) return Cover::Shore;
    switch (landform) {
    case DemoLandform::Hills:
        if (slope > 0.6 || height > 0.66) return Cover::Rock;
        if (t.woods[i] > 0.62) return Cover::Forest;
        if (t.fields[i] > 0.58 && slope < 0.25) return Cover::Field;
        return Cover::Grass;
    case DemoLandform::Coast:
        if (slope > 0.5) return Cover::Rock;
        if (t.woods[i] > 0.68) return Cover::Forest;
        return Cover::Grass;
    case DemoLandform::Desert:
        if (height < 0.13) return Cover::Bed;
        if (slope > 0.45) return Cover::Rock;
        return Cover::Dune;
    }
    return Cover::Grass;
}

Rgb coverColour(const Terrain& t, Cover cover, int x, int y) {
    const size_t i = static_cast<size_t>(y) * N + x;
    const Rgb base = typeColour(t.landSpec, typeOfSurface(t.landSpec, surfaceOf(t.landSpec.landform, cover)));
    const double grain = 0.9 + 0.2 * t.grain[i];
    switch (cover) {
    case Cover::Water: {
        const double depth = std::clamp((t.water - t.h[i]) / 0.08, 0.0, 1.0);
        return mix(Rgb{60, 115, 135}, Rgb{16, 42, 82}, depth);
    }
    case Cover::Forest:
        return scale(mix(base, Rgb{20, 60, 25}, 0.55), 0.8 + 0.4 * hashUnit(x / 3, y / 3, 7));
    case Cover::Field: {
        // Parcels of about 96 × 64 m ploughed in stripes, with a darker hedge round each.
        const int px = x / 96, py = y / 64;
        const bool hedge = x % 96 < 2 || y % 64 < 2;
        if (hedge) return Rgb{40, 70, 30};
        const double crop = hashUnit(static_cast<uint32_t>(px), static_cast<uint32_t>(py), 11);
        const Rgb tone = crop < 0.4 ? Rgb{170, 150, 80} : crop < 0.7 ? Rgb{110, 130, 50} : base;
        const bool furrow = ((crop < 0.5 ? x : y) / 3) % 2 == 0;
        return scale(tone, furrow ? 0.85 : 1.0);
    }
    case Cover::Road:
        return scale(base, 1.15);
    case Cover::Rock:
        return scale(base, 0.85 + 0.3 * t.grain[i]);
    default:
        return scale(base, grain);
    }
}

// ---- Detail tiles -----------------------------------------------------------------------------

uint32_t tileTexel(uint8_t surface, Rgb base, int x, int y, uint32_t seed, int variant, uint8_t& alpha) {
    const double noise = hashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed);
    const double phase = hashUnit(static_cast<uint32_t>(variant), 3, seed) * kTwoPi;
    Rgb c = base;
    switch (surface) {
    case kSurfaceGrass: {
        // Blades: streaks a few texels long, each column shifted.
        const int shift = static_cast<int>(hashUnit(static_cast<uint32_t>(x), 0, seed) * 64);
        const double blade =
            hashUnit(static_cast<uint32_t>(x), static_cast<uint32_t>(((y + shift) & 63) / 5), seed + 1);
        c = scale(base, 0.7 + 0.45 * blade + 0.15 * noise);
        alpha = 100;
        break;
    }
    case kSurfaceDirt:
    case kSurfacePackedDirt: {
        c = scale(base, 0.8 + 0.4 * noise);
        if (hashUnit(static_cast<uint32_t>(x / 2), static_cast<uint32_t>(y / 2), seed + 2) > 0.96)
            c = Rgb{150, 145, 135};
        if (surface == kSurfacePackedDirt) {
            // Two wheel ruts across the tile.
            const int column = (x + variant * 5) & 63;
            if ((column >= 14 && column < 20) || (column >= 44 && column < 50)) c = scale(c, 0.75);
        }
        alpha = 90;
        break;
    }
    case kSurfaceCement: {
        c = scale(base, 0.92 + 0.16 * noise);
        const double crack = 32.0 + 10.0 * std::sin(kTwoPi * x / 64.0 + phase);
        if (std::fabs(y - crack) < 0.8 || x == 0 || y == 0) c = scale(c, 0.7);
        alpha = 72;
        break;
    }
    case kSurfaceSand: {
        const double ripple = 0.5 + 0.5 * std::sin(kTwoPi * (3.0 * x + 1.0 * y) / 64.0 + phase);
        c = scale(base, 0.88 + 0.14 * ripple + 0.08 * noise);
        alpha = 72;
        break;
    }
    default:
        c = scale(base, 0.95 + 0.1 * noise);
        alpha = 60;
        break;
    }
    alpha = static_cast<uint8_t>(alpha + (variant % 3) * 8);
    return pack(c);
}

void buildTiles(const DemoTerrainDef& landSpec, DemoTerrainImages& out) {
    out.detailTiles.assign(static_cast<size_t>(kDemoTileSize) * kDemoTileSize * kDemoTileCount, 0);
    const int types = std::max(landSpec.typeCount, 1);
    for (int n = 0; n < kDemoTileCount; ++n) {
        const int type = n % types, variant = n / types;
        const uint8_t surface = landSpec.typeCount > 0 ? landSpec.types[type].surface : kSurfaceNone;
        const Rgb base = typeColour(landSpec, type);
        uint32_t* tile = out.detailTiles.data() + static_cast<size_t>(n) * kDemoTileSize * kDemoTileSize;
        for (int y = 0; y < kDemoTileSize; ++y)
            for (int x = 0; x < kDemoTileSize; ++x) {
                uint8_t alpha = 0;
                const uint32_t rgb = tileTexel(
                    surface, base, x, y, landSpec.seed * 31u + static_cast<uint32_t>(n), variant, alpha);
                tile[y * kDemoTileSize + x] = rgb | static_cast<uint32_t>(alpha) << 24;
            }
    }
}
} // namespace

int demo_TileOfType(int type, int variant, int typeCount) {
    if (typeCount < 1) return 0;
    const int variants = kDemoTileCount / typeCount;
    return type + typeCount * (variant % std::max(variants, 1));
}

DemoTerrainDef demo_TerrainDef(const char* terrainName, const TerrainDef& def) {
    DemoTerrainDef landSpec;
    landSpec.landform = DemoLandform::Hills;
    if (terrainName != nullptr && strcasecmp(terrainName, "coast") == 0)
        landSpec.landform = DemoLandform::Coast;
    if (terrainName != nullptr && strcasecmp(terrainName, "desert") == 0)
        landSpec.landform = DemoLandform::Desert;
    uint32_t seed = 2166136261u;
    for (const char* p = terrainName; p != nullptr && *p != '\0'; ++p)
        seed = (seed ^ static_cast<uint8_t>(*p)) * 16777619u;
    landSpec.seed = seed;
    landSpec.waterLevel = std::clamp(def.water_height / kTerrainWaterHeightScale, 0, 255);
    landSpec.typeCount = std::clamp(def.type_count, 0, kTerrainMaxTypes);
    std::memcpy(landSpec.types, def.types, sizeof landSpec.types);
    return landSpec;
}

void demo_BuildTerrainImages(const DemoTerrainDef& landSpec, DemoTerrainImages& out) {
    Random random(landSpec.seed);
    // A sample below (level + 1) × 256 has a high byte at or below the level: under water.
    const double water = landSpec.waterLevel > 0 ? (landSpec.waterLevel + 1) * 256.0 / 65535.0 : -1.0;
    std::vector<float> h = landSpec.landform == DemoLandform::Coast    ? coastHeights(random)
                           : landSpec.landform == DemoLandform::Desert ? desertHeights(random)
                                                                       : hillsHeights(random, water);
    out.heights.resize(kPixels);
    for (size_t i = 0; i < kPixels; ++i)
        out.heights[i] = static_cast<uint16_t>(std::lround(std::clamp(h[i], 0.0f, 1.0f) * 65535.0f));

    Terrain terrain{landSpec,
                    h,
                    water,
                    latticeNoise(landSpec.seed + 1, 12),
                    latticeNoise(landSpec.seed + 2, 9),
                    latticeNoise(landSpec.seed + 3, 256),
                    roadMask(landSpec.landform)};
    out.colour.resize(kPixels);
    out.detailMap.resize(kPixels);
    const int types = std::max(landSpec.typeCount, 1);
    const int variants = kDemoTileCount / types;
    // Light from the north-west, above the horizon; a flat pixel gets a shade of 1.
    const double lx = -1.0, ly = -1.0, lz = 1.4, lightLength = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double flat = lz / lightLength;
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const size_t i = static_cast<size_t>(y) * N + x;
            // Height change per metre in each direction (the map wraps).
            const double gx = (h[static_cast<size_t>(y) * N + ((x + 1) & kMask)] -
                               h[static_cast<size_t>(y) * N + ((x - 1) & kMask)]) *
                              kHeightRangeMetres / 2.0;
            const double gy = (h[static_cast<size_t>((y + 1) & kMask) * N + x] -
                               h[static_cast<size_t>((y - 1) & kMask) * N + x]) *
                              kHeightRangeMetres / 2.0;
            const double slope = std::hypot(gx, gy);
            const Cover cover = coverAt(terrain, x, y, slope);
            Rgb c = coverColour(terrain, cover, x, y);
            if (cover != Cover::Water) {
                const double lambert =
                    (-gx * lx - gy * ly + lz) / (std::sqrt(gx * gx + gy * gy + 1.0) * lightLength);
                c = scale(c, std::clamp(lambert / flat, 0.45, 1.3) * (0.85 + 0.3 * h[i]));
            }
            out.colour[i] = pack(c);
            const int type = typeOfSurface(landSpec, surfaceOf(landSpec.landform, cover));
            const int variant =
                static_cast<int>(hashUnit(static_cast<uint32_t>(x / kDetailCell),
                                          static_cast<uint32_t>(y / kDetailCell), landSpec.seed) *
                                 variants);
            out.detailMap[i] = static_cast<uint8_t>(demo_TileOfType(type, variant, types));
        }

    out.detailPalette.resize(256 * 3);
    for (int n = 0; n < 256; ++n) {
        const TerrainType* t = landSpec.typeCount > 0 ? &landSpec.types[n % types] : nullptr;
        for (int c = 0; c < 3; ++c)
            out.detailPalette[static_cast<size_t>(n) * 3 + c] =
                t != nullptr ? t->values[c] : static_cast<uint8_t>(n);
    }
    buildTiles(landSpec, out);
}
