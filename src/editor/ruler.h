#pragma once
// The ruler of the map view: the distance and the compass bearing from a first point to a second,
// and the text the map view writes beside its line.

#include <cstdint>
#include <string>

struct RulerMeasure {
    double metres = 0.0;  // horizontal distance (Z is not counted)
    double bearing = 0.0; // degrees clockwise from north (+Y), 0 <= bearing < 360; 0 for no distance
};

// From world point (ax, ay) to (bx, by), in world units (1/256 m).
RulerMeasure ruler_Measure(int32_t ax, int32_t ay, int32_t bx, int32_t by);
// The bearing in whole degrees as headings are given: rounded, 0 to 359 (359.5 and above is 0).
int ruler_WholeDegrees(double bearing);
// "Tool Modes" "RULER" used as a format with the metres and the whole degrees.
std::string ruler_Text(const RulerMeasure& measure);
