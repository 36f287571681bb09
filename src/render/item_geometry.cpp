#include "render/item_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// cos and sin of every whole degree, exact at multiples of 90.
struct DegreeTable {
    double cos[360];
    double sin[360];
    DegreeTable() {
        for (int d = 0; d < 360; ++d) {
            const double radians = double(d) * kPi / 180.0;
            cos[d] = d % 180 == 90 ? 0.0 : d == 0 ? 1.0 : d == 180 ? -1.0 : std::cos(radians);
            sin[d] = d % 180 == 0 ? 0.0 : d == 90 ? 1.0 : d == 270 ? -1.0 : std::sin(radians);
        }
    }
};

const DegreeTable& degreeTable() {
    static const DegreeTable table;
    return table;
}

int64_t wholeTurnsOff(int64_t degrees) {
    const int64_t d = degrees % 360;
    return d < 0 ? d + 360 : d;
}

void cosSin(int64_t degrees, double& c, double& s) {
    const DegreeTable& table = degreeTable();
    const int64_t d = wholeTurnsOff(degrees);
    c = table.cos[d];
    s = table.sin[d];
}

} // namespace

ItemRotation geom_Rotation(int32_t heading) {
    ItemRotation r;
    cosSin(90 - int64_t(heading), r.cos, r.sin);
    return r;
}

void geom_PlainSymbolPoints(int32_t px, int32_t py, int32_t heading, int32_t size,
                            WorldPoint (&out)[kSymbolPoints]) {
    const double e = double(size) * kSymbolUnit;
    const LocalPoint local[kSymbolPoints] = {{kFacingLength * e, 0}, {e, 0}, {0, e}, {-e, 0}, {0, -e}};
    const ItemRotation r = geom_Rotation(heading);
    for (int i = 0; i < kSymbolPoints; ++i)
        out[i] = geom_Place(px, py, r, local[i]);
}

void geom_RadiusSymbolPoints(int32_t px, int32_t py, int32_t heading, WorldPoint (&out)[kSymbolPoints]) {
    const double e = kSymbolUnit;
    const LocalPoint local[kSymbolPoints] = {{kFacingLength * e, 0}, {e, 0}, {0, e}, {-e, 0}, {0, -e}};
    const ItemRotation r = geom_Rotation(heading);
    for (int i = 0; i < kSymbolPoints; ++i) {
        const LocalPoint& p = local[i];
        out[i].x = geom_OffsetBy(px, (p.x * r.cos - p.y * r.sin) * kRadiusSymbolScale);
        out[i].y = geom_OffsetBy(py, (p.x * r.sin + p.y * r.cos) * kRadiusSymbolScale);
        out[i].z = 0;
    }
}

double geom_ConeRadius(int32_t size) {
    return kConeLength * double(size) * kSymbolUnit;
}

double geom_RadiusInWorldUnits(int32_t metres) {
    return double(metres) * kSymbolUnit;
}

int geom_ConeAngles(int32_t angle, int32_t heading, int64_t (&out)[kMaxConePoints]) {
    const int64_t half = int64_t(std::clamp(angle, -kMaxConeAngle, kMaxConeAngle)) / 2;
    const int64_t first = 90 - half - int64_t(heading);
    const int64_t last = 90 + half - int64_t(heading);
    int count = 0;
    out[count++] = first;
    for (int64_t theta = first + kConeStepDegrees; theta < last && count < kMaxConePoints - 1;
         theta += kConeStepDegrees)
        out[count++] = theta;
    out[count++] = last;
    return count;
}

int geom_ConePoints(int32_t px, int32_t py, int32_t heading, double radius, int32_t angle,
                    WorldPoint (&out)[kMaxConePoints]) {
    int64_t angles[kMaxConePoints];
    const int count = geom_ConeAngles(angle, heading, angles);
    const DegreeTable& table = degreeTable();
    // All but the last direction are the first one plus a whole number of steps.
    int64_t step = wholeTurnsOff(angles[0]);
    for (int i = 0; i < count; ++i) {
        const int64_t d = i + 1 < count ? step : wholeTurnsOff(angles[i]);
        step += kConeStepDegrees;
        if (step >= 360) step -= 360;
        const double c = table.cos[d], s = table.sin[d];
        out[i].x = geom_OffsetBy(px, radius * c);
        out[i].y = geom_OffsetBy(py, radius * s);
        out[i].z = 0;
    }
    return count;
}
