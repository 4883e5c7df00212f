#pragma once
// Reading a character's bodies: each part's model placed on the skeleton of
// its body, as the LightWave and glTF exports both take them.

#include "convert/Conversion.h"
#include "convert/ModelGeometry.h"

#include <array>
#include <functional>
#include <vector>

namespace drossel {

// A body part: its model, and where the export puts each point p of it,
// (xSign * p.x + at.x, p.y + at.y, p.z + at.z).
struct PlacedPart {
    const ResourceRecord* model = nullptr;
    ModelGeometry geometry;  // one texture coordinate per point
    std::array<double, 3> at{};
    double xSign = 1;
    int parent = -1;  // the part whose bone is its bone's parent (byte 0 of its bone); -1: none
};
using Body = std::vector<PlacedPart>;  // kBodyParts parts, pelvis first

// Reads the body of each group the options choose (one, or all five in
// turn); a joint that no bone of a body sets keeps the place an earlier body
// gave it. Calls `use` with each. Throws DrosselError for a link that names
// nothing, a bone that names a joint the body does not have, and a body larger
// than a mesh may be.
void ForEachBody(const Level& level, const ResourceRecord& character, const Options& options, Progress& progress,
                 Conversion& out, const std::function<void(int group, const Body& body)>& use);

}  // namespace drossel
