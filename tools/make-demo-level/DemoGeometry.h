#pragma once
// Geometry for the demo level: a house model, a character standing upright on
// its skeleton, a gun, and a small room with a doorway as the level's own
// geometry. Each is shaped so that a mirror, a flip or a part on the wrong
// joint shows at a glance in a viewer.

#include "LevelBuilder.h"
#include "geometry/Mesh.h"

#include <vector>

namespace drossel::demo {

// The resources that gain data; every other resource the geometry needs is added.
struct GeometryTargets {
    int model = -1;           // M3GM: becomes a house
    int character = -1;       // ONCC
    int bodySet = -1;         // TRBS
    int body = -1;            // TRCM: the first group's body
    int parts = -1;           // TRGA
    int jointOffsets = -1;    // TRTA
    int bones = -1;           // TRIA
    int weapon = -1;          // ONWC
    int environment = -1;     // AKEV
    int levelPoints = -1;     // PNTA the environment names
    int levelTexCoords = -1;  // TXCA the environment names
    int levelQuads = -1;      // AGQG
    int levelTextures = -1;   // TXMA: its identifiers are kept and more appended
};

void AddGeometry(testing::LevelBuilder& b, const GeometryTargets& targets);

// Where the character export must place the points of the demo character's
// body of `group` (1 to 5), part 1's first.
std::vector<Point> CharacterInPlace(int group);

}  // namespace drossel::demo
