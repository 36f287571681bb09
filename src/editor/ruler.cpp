#include "editor/ruler.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"

#include <cmath>

namespace {
constexpr double kUnitsPerMetre = 256.0;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
constexpr int kFullCircle = 360;
} // namespace

RulerMeasure ruler_Measure(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    // In double: the differences of two 32-bit values need 33 bits.
    const double east = (double(bx) - double(ax)) / kUnitsPerMetre;
    const double north = (double(by) - double(ay)) / kUnitsPerMetre;
    RulerMeasure measure;
    measure.metres = std::hypot(east, north);
    if (measure.metres == 0.0) return measure;
    // atan2(east, north) counts clockwise from north, as headings do.
    double bearing = std::atan2(east, north) * kDegreesPerRadian;
    if (bearing < 0.0) bearing += kFullCircle;
    if (bearing >= kFullCircle) bearing -= kFullCircle;
    measure.bearing = bearing;
    return measure;
}

int ruler_WholeDegrees(double bearing) {
    const int whole = static_cast<int>(std::lround(bearing));
    return ((whole % kFullCircle) + kFullCircle) % kFullCircle;
}

std::string ruler_Text(const RulerMeasure& measure) {
    return fmt_Format(TextLookup("Tool Modes", "RULER"),
                      {measure.metres, ruler_WholeDegrees(measure.bearing)});
}
