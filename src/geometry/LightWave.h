#pragma once
// LightWave object files, big-endian throughout, in the three layouts the
// options offer:
//   60  LWOB: PNTS, SRFS, POLS (no surface definitions);
//   65  LWOB: SRFS, PNTS, POLS and one SURF chunk per surface;
//   70  LWO2: TAGS, one LAYR, PNTS (plus an unused point at the origin), a TXUV
//       VMAP of the texture coordinates with v flipped to 1 - v, POLS, PTAG and
//       one SURF chunk per surface.
// Every length is computed before its chunk is written.
//
// Nothing is ever written wrapped. A mesh is refused (DrosselError, no bytes)
// when a triangle names a point or surface that does not exist, when an index
// does not fit the layout (LWOB: at most 65,536 points, indices stored as U2;
// LWO2: VX indices up to 0xFFFFFF, the four-byte form from 0xFF00 on), when
// there are more surfaces than the layout can number (LWOB reads a polygon's
// surface as a signed 16-bit value, so 32,767; LWO2 tags 65,535), when a
// surface name holds a zero byte, or when a chunk would outgrow its U4 length.

#include "geometry/Mesh.h"
#include "io/Error.h"

#include <cstdint>
#include <vector>

namespace drossel {

// `mesh.texCoords` is written by layout 70 only, entry i as the UV of point i.
std::vector<std::uint8_t> WriteLightWave(const Mesh& mesh, int layout);

}  // namespace drossel
