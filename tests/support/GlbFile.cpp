#include "GlbFile.h"

#include <gtest/gtest.h>

namespace drossel::testing {

tinygltf::Model ReadGlb(const std::vector<std::uint8_t>& glb) {
    tinygltf::TinyGLTF reader;
    reader.SetImageLoader(
        [](tinygltf::Image* image, int, std::string*, std::string*, int, int, const unsigned char* bytes, int size,
           void*) { return image->image.assign(bytes, bytes + size), true; },
        nullptr);
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(reader.LoadBinaryFromMemory(&model, &error, &warning, glb.data(), static_cast<unsigned>(glb.size())))
        << error;
    return model;
}

SceneCounts GlbCounts(const std::vector<std::uint8_t>& glb) {
    const tinygltf::Model m = ReadGlb(glb);
    SceneCounts c{.nodes = m.nodes.size()};
    for (const tinygltf::Node& node : m.nodes) {
        if (node.mesh < 0) continue;
        for (const tinygltf::Primitive& p : m.meshes.at(static_cast<std::size_t>(node.mesh)).primitives) {
            c.triangles += m.accessors.at(static_cast<std::size_t>(p.indices)).count / 3;
            c.vertices += m.accessors.at(static_cast<std::size_t>(p.attributes.at("POSITION"))).count;
        }
    }
    for (const tinygltf::Material& material : m.materials)
        if (material.pbrMetallicRoughness.baseColorTexture.index >= 0) ++c.texturedMaterials;
    return c;
}

}  // namespace drossel::testing
