#pragma once
// glTF binary files read back with tinygltf's own reader, pictures left as the
// PNG bytes they are stored as; and what a viewer would draw of one.

#include "app/Preview.h"

#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include <tiny_gltf.h>

#include <cstdint>
#include <vector>

namespace drossel::testing {

tinygltf::Model ReadGlb(const std::vector<std::uint8_t>& glb);
// Its nodes, the triangles and vertices of the meshes they show, its materials with a texture.
SceneCounts GlbCounts(const std::vector<std::uint8_t>& glb);

}  // namespace drossel::testing
