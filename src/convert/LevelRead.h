#pragma once
// Reading a level's static geometry (ONLV -> AKEV -> its lists), shared by the
// LightWave, exchange and glTF exports.

#include "convert/Conversion.h"
#include "geometry/Mesh.h"

namespace drossel {

// The level's cleaned points (a coordinate past +-2000000.1, or not a number,
// becomes 0), its quads (those naming points it does not have are left out and
// noted in `out`), texture coordinates, quad textures and texture list, the
// names with the image extension of `options`. Throws DrosselError for a link
// that names nothing and for lists larger than a mesh may be.
LevelGeometry ReadLevel(const Level& level, const ResourceRecord& resource, const Options& options, Conversion& out);

}  // namespace drossel
