// The glTF writer, read back with tinygltf's own reader and checked by the Khronos validator.

#include "Fixture.h"
#include "GlbFile.h"
#include "geometry/Gltf.h"
#include "image/PngEncode.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

Scene Sample() {
    auto picture = std::make_shared<const PixelBuffer>(2, 1, Bgra{10, 20, 30, 40});
    Scene s;
    s.materials = {{"see-through", picture, true, true}, {"same picture", picture}, {"plain", nullptr}};
    s.meshes = {
        {"a", {{1, 2, 3}, {-4, 5, 0.5f}, {0, -6, 2}}, {{0, 0}, {1, 0}, {0, 1}}, {{1, 2, 3, 4}, {}, {}}, {{0, 2, 1}}, 0},
        {"nothing", {}, {}, {}, {}, 1},
        {"b", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {}, {{0, 1, 2}, {2, 1, 0}}, 2}};
    s.nodes = {{"top", -1, {1, 2, 3}, 0}, {"empty", 0, {}, 1}, {"leaf", 1, {0, 0, -1}, 2}};
    return s;
}

}  // namespace

// The hierarchy, meshes (one without triangles left out) and materials as the scene has them, each picture once, as
// PNG; what lies in the buffer the validator checks (bounds, counts, indices) and Blender reads (tests/blender).
TEST(WriteGlb, ScenesReadBackWholeAndPassTheValidator) {
    const std::vector<std::uint8_t> glb = WriteGlb(Sample());
    const tinygltf::Model m = ReadGlb(glb);
    ASSERT_EQ(std::tuple(m.nodes.size(), m.meshes.size(), m.images.size()), std::tuple(3u, 2u, 1u));
    EXPECT_EQ(std::tie(m.scenes.at(0).nodes, m.nodes[0].name, m.nodes[0].children, m.nodes[1].children),
              std::tuple(std::vector<int>{0}, "top", std::vector<int>{1}, std::vector<int>{2}));
    EXPECT_EQ(std::tie(m.nodes[0].translation, m.nodes[1].translation),
              std::tuple(std::vector<double>{1, 2, 3}, std::vector<double>{}));
    EXPECT_EQ(std::tuple(m.nodes[0].mesh, m.nodes[1].mesh, m.nodes[2].mesh), std::tuple(0, -1, 1));
    EXPECT_EQ(m.images[0].image, EncodePng(*Sample().materials[0].texture, 32));
    const auto& [blend, shared] = std::tie(m.materials[0], m.materials[1]);
    EXPECT_EQ(std::tie(blend.alphaMode, blend.doubleSided, shared.alphaMode, shared.doubleSided),
              std::tuple("BLEND", true, "OPAQUE", false));
    EXPECT_EQ(std::tuple(shared.pbrMetallicRoughness.baseColorTexture.index,
                         m.materials.at(2).pbrMetallicRoughness.baseColorTexture.index),
              std::tuple(0, -1));
    TempDir dir;
    WriteFileBytes(dir / "sample.glb", glb);
    WriteFileBytes(dir / "empty.glb", WriteGlb({}));
    EXPECT_TRUE(ValidGlb({dir / "sample.glb", dir / "empty.glb"}));
}

TEST(WriteGlb, RefusesScenesThatWouldMakeABrokenFile) {
    using Damage = void (*)(Scene&);
    for (auto [damage, message] : std::initializer_list<std::pair<Damage, const char*>>{
             {[](Scene& s) { s.nodes[1].parent = 1; }, "node 1 names a parent"},
             {[](Scene& s) { s.meshes[2].triangles[1][2] = 3; }, "a triangle of mesh b names a point"},
             {[](Scene& s) { s.meshes[0].colours.push_back({}); }, "mesh a has texture coordinates or colours"}}) {
        Scene scene = Sample();
        damage(scene);
        EXPECT_EQ(ErrorOf([&] { WriteGlb(scene); }).find(message), 0u) << message;
    }
}
