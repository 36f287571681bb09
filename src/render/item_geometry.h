#pragma once
// Geometry of the item symbols on the map, in world units. Local shapes are laid out with +X as
// the item's facing and turned by (90 - heading) degrees counter-clockwise, so heading 0 points
// north (+Y) and 90 east (+X): x' = x cos - y sin, y' = x sin + y cos. Turned points are rounded
// to the nearest world unit and moved to the item's position (held to the 32-bit range).

#include "render/map_transform.h"

#include <cstdint>

struct LocalPoint {
    double x = 0;
    double y = 0;
};

struct ItemRotation {
    double cos = 1;
    double sin = 0;
};

constexpr int kSymbolPoints = 5;     // facing-line end, then the diamond's four corners
constexpr int32_t kFullCircle = 360; // cone angle of the radius symbol's circle
constexpr int32_t kConeStepDegrees = 10;
constexpr int32_t kMaxConeAngle = 3600; // wider cones are drawn as this wide (ten full turns)
constexpr int kMaxConePoints = kMaxConeAngle / kConeStepDegrees + 2;
constexpr double kSymbolUnit = 256.0;         // size 1 is one metre
constexpr double kFacingLength = 1.3;         // facing line, in symbol sizes
constexpr double kConeLength = 8.0;           // cone radius, in symbol sizes
constexpr double kRadiusSymbolScale = 0.5468; // the radius marker's fixed-size symbol

// The rotation of an item with `heading` (compass degrees); exact at multiples of 90 degrees.
ItemRotation geom_Rotation(int32_t heading);
// base + delta rounded to the nearest whole unit (halves away from zero), held to 32 bits.
inline int32_t geom_OffsetBy(int32_t base, double delta) {
    constexpr double kLimit = 4294967296.0; // beyond any 32-bit result
    const double clamped = delta < -kLimit ? -kLimit : delta > kLimit ? kLimit : delta;
    const int64_t rounded = int64_t(clamped < 0 ? clamped - 0.5 : clamped + 0.5);
    const int64_t v = int64_t(base) + rounded;
    return int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

// `local` turned by `rotation`, rounded, and moved to (px, py).
inline WorldPoint geom_Place(int32_t px, int32_t py, const ItemRotation& rotation, LocalPoint local) {
    WorldPoint w;
    w.x = geom_OffsetBy(px, local.x * rotation.cos - local.y * rotation.sin);
    w.y = geom_OffsetBy(py, local.x * rotation.sin + local.y * rotation.cos);
    return w;
}

// The plain symbol of size `size` (e = size × 256): the facing-line end (1.3e, 0) and the diamond
// (e, 0), (0, e), (-e, 0), (0, -e).
void geom_PlainSymbolPoints(int32_t px, int32_t py, int32_t heading, int32_t size,
                            WorldPoint (&out)[kSymbolPoints]);
// The radius marker's symbol: (332.8, 0), (256, 0), (0, 256), (-256, 0), (0, -256), each turned and
// then scaled by kRadiusSymbolScale.
void geom_RadiusSymbolPoints(int32_t px, int32_t py, int32_t heading, WorldPoint (&out)[kSymbolPoints]);

// The cone radius of a symbol of `size`: 8 × size × 256 world units.
double geom_ConeRadius(int32_t size);
// A radius in metres as world units (× 256).
double geom_RadiusInWorldUnits(int32_t metres);

// The directions (degrees counter-clockwise from +X) of the cone points of a cone `angle` degrees
// wide around `heading`: 90 - a/2 - heading, then every 10 degrees while below 90 + a/2 - heading,
// then 90 + a/2 - heading (a/2 rounded toward zero; a held to ±kMaxConeAngle). Returns the count.
int geom_ConeAngles(int32_t angle, int32_t heading, int64_t (&out)[kMaxConePoints]);
// The cone points at `radius` world units from (px, py) in those directions. Returns the count.
int geom_ConePoints(int32_t px, int32_t py, int32_t heading, double radius, int32_t angle,
                    WorldPoint (&out)[kMaxConePoints]);
