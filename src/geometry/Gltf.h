#pragma once
// glTF 2.0 binary files (.glb) through tinygltf: a pure writer of a Scene. All
// of a scene's data lies in the file's one binary chunk: per mesh its
// positions (with their bounds), texture coordinates, colours (COLOR_0, eight
// bits a channel) and triangle indices; each texture once, as a PNG picture.
// Materials are matte (no metal, fully rough).
//
// A mesh without triangles, and a node's mesh that does not exist, are left
// out (the node stays). Throws DrosselError, writing nothing, when a triangle
// names a position the mesh does not have, a mesh's texture coordinates or
// colours do not number its positions, a node's parent is not an earlier node,
// a material does not exist, or the file would pass the 4 GiB glTF allows.

#include "geometry/Scene.h"

#include <cstdint>
#include <vector>

namespace drossel {

std::vector<std::uint8_t> WriteGlb(const Scene& scene);

}  // namespace drossel
