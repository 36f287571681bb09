#pragma once
// Simple 3-D models for the demo game data: believable outlines from above, 2 to 4 LODs.

#include "demo/model_writer.h"

enum class DemoShape {
    Box,        // a crate or block (2 LODs)
    Cylinder,   // a tank, silo or barrel (3 LODs)
    Tree,       // trunk and round crown (4 LODs)
    Vehicle,    // hull with a cabin at the front (4 LODs)
    Tank,       // hull with tracks, a turret part and a gun pointing forward (4 LODs)
    Helicopter, // fuselage, tail boom and a rotor cross (4 LODs)
    Building,   // walls and a gable roof with its ridge along the longer side (3 LODs)
    Fence,      // posts and rails along the length (3 LODs)
    Cone,       // a round cone: a fire, a tent, a heap (3 LODs)
    Sphere,     // a rounded lump: a bush or a rock (3 LODs)
    Flat,       // a deck on posts with railings along the length: a pier or a bridge (2 LODs)
    Tower,      // four legs, a platform and a pointed roof (3 LODs)
    Pole,       // a thin pole with a pennant pointing forward (2 LODs)
    Person,     // a figure, head towards +X when lying (2 LODs)
    Boat,       // a hull with a pointed bow forward and a small cabin (3 LODs)
};

// The shape named by `word` ("box", "cylinder", "tree", "vehicle", "tank", "helicopter",
// "building", "fence", "cone", "sphere", "flat", "tower", "pole", "person", "boat"; any letter
// case). False for anything else.
bool model_DemoShapeFromName(const char* word, DemoShape& shape);

// Describes a demo model named `name` (at most 16 characters): `length` metres along its facing
// (the model's +X axis), `width` metres across it (+Y), `height` metres up. Sizes are clamped to
// 0.2..250 m (height 0.2..120 m) so that every vertex fits the file's 16-bit coordinates. The
// radius is that of the full-detail LOD. False when the name is too long.
bool model_BuildDemo(const char* name, double width, double length, double height, DemoShape shape,
                     ModelDesc& out);
