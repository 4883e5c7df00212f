#pragma once
// The level exchange formats, little-endian throughout, floats in IEEE single
// precision: a raw triangle file (.rwb), a plain B3D file, and a B3D file with
// one material and four texture coordinates per quad together with its texture
// index list (.tlist) and texture name list (.txt).
//
// Where the level data does not fit, these rules hold:
// - A quad corner that names no point throws DrosselError and nothing is
//   written. (The B3D with materials appends four points, N to N + 3, first.)
// - A quad has no texture name when its texture index is negative, not below
//   the number of names, or missing (fewer indices than quads). Such a quad is
//   left out of the B3D with materials and its .tlist, as a quad with an empty
//   name is.
// - A corner whose texture coordinate index is not below the number of texture
//   coordinates gets the coordinates (0, 0).
// - A count too large for its u32 field throws DrosselError.

#include "geometry/Mesh.h"
#include "io/Error.h"

#include <cstdint>
#include <vector>

namespace drossel {

// Per quad the corners 1, 2, 3, 3, 4, 1 as x, y, z; no header.
std::vector<std::uint8_t> WriteRawTriangles(const LevelGeometry& level);

// "Big3DbyVexa" 1.2: the points, two triangles per quad, material 0 throughout.
std::vector<std::uint8_t> WriteB3d(const LevelGeometry& level);

struct B3dWithMaterials {
    std::vector<std::uint8_t> b3d;
    std::vector<std::uint8_t> textureIndices;  // the .tlist: the texture index of each kept quad
    std::vector<std::uint8_t> textureNames;    // the .txt: the count, then every name without extension
};

// Quads whose texture (without extension) is "BLUEGRID02", "_DOOR_FRAME",
// "COLLISION" or empty are left out; each kept quad k gets four points of its
// own, a material k named after its texture file, and its corners' texture
// coordinates. With `deleteGarbage`, a quad textured "_DOOR..." is replaced by a
// fixed rectangle on the ground.
B3dWithMaterials WriteB3dWithMaterials(const LevelGeometry& level, bool deleteGarbage);

}  // namespace drossel
