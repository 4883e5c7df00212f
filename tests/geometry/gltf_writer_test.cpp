// The glTF writer, read back with tinygltf's own reader and checked by the
// Khronos validator.

#include "Fixture.h"
#include "geometry/Gltf.h"
#include "image/PngEncode.h"

#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include <tiny_gltf.h>

#include <cstring>

using namespace drossel;
using namespace drossel::testing;

namespace {

tinygltf::Model Read(const std::vector<std::uint8_t>& glb) {
    tinygltf::TinyGLTF reader;
    // Pictures stay the PNG bytes they are stored as.
    reader.SetImageLoader(
        [](tinygltf::Image* image, int, std::string*, std::string*, int, int, const unsigned char* bytes, int size,
           void*) {
            image->image.assign(bytes, bytes + size);
            return true;
        },
        nullptr);
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(reader.LoadBinaryFromMemory(&model, &error, &warning, glb.data(), static_cast<unsigned>(glb.size())))
        << error;
    return model;
}

template <typename T>
std::vector<T> Values(const tinygltf::Model& m, int accessor) {
    const tinygltf::Accessor& a = m.accessors.at(static_cast<std::size_t>(accessor));
    const tinygltf::BufferView& v = m.bufferViews.at(static_cast<std::size_t>(a.bufferView));
    std::vector<T> values(a.count * tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type)) *
                          tinygltf::GetComponentSizeInBytes(static_cast<std::uint32_t>(a.componentType)) / sizeof(T));
    std::memcpy(values.data(), m.buffers[0].data.data() + v.byteOffset + a.byteOffset, values.size() * sizeof(T));
    return values;
}

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

TEST(WriteGlb, ScenesReadBackWholeAndPassTheValidator) {
    const Scene scene = Sample();
    const std::vector<std::uint8_t> glb = WriteGlb(scene);
    const tinygltf::Model m = Read(glb);
    ASSERT_EQ(m.nodes.size(), 3u);
    EXPECT_EQ(m.scenes.at(0).nodes, std::vector<int>{0});
    EXPECT_EQ(std::tie(m.nodes[0].name, m.nodes[0].children, m.nodes[1].children, m.nodes[2].translation),
              std::tuple("top", std::vector<int>{1}, std::vector<int>{2}, std::vector<double>{0, 0, -1}));
    EXPECT_EQ(m.nodes[0].translation, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(std::tuple(m.nodes[0].mesh, m.nodes[1].mesh, m.nodes[2].mesh), std::tuple(0, -1, 1))
        << "a mesh without triangles is left out, its node stays";
    const tinygltf::Primitive& a = m.meshes.at(0).primitives.at(0);
    const auto positions = Values<Point>(m, a.attributes.at("POSITION"));
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(std::tie(positions[1].x, positions[1].y, positions[1].z), std::tuple(-4.0f, 5.0f, 0.5f));
    const tinygltf::Accessor& bounds = m.accessors[static_cast<std::size_t>(a.attributes.at("POSITION"))];
    EXPECT_EQ(std::tie(bounds.minValues, bounds.maxValues),
              std::tuple(std::vector<double>{-4, -6, 0.5}, std::vector<double>{1, 5, 3}));
    EXPECT_EQ(Values<std::uint32_t>(m, a.indices), (std::vector<std::uint32_t>{0, 2, 1}));
    EXPECT_EQ(Values<TexCoord>(m, a.attributes.at("TEXCOORD_0")).at(2).v, 1.0f);
    EXPECT_EQ(Values<SceneColour>(m, a.attributes.at("COLOR_0")).at(0).alpha, 4);
    EXPECT_TRUE(m.accessors[static_cast<std::size_t>(a.attributes.at("COLOR_0"))].normalized);
    EXPECT_FALSE(m.meshes.at(1).primitives.at(0).attributes.contains("TEXCOORD_0"));

    // One picture for the two materials that show it, as PNG; the third plain. All matte.
    ASSERT_EQ(m.images.size(), 1u);
    EXPECT_EQ(m.images[0].image, EncodePng(*scene.materials[0].texture, 32));
    EXPECT_EQ(std::tie(m.materials.at(0).alphaMode, m.materials[0].doubleSided, m.materials[1].alphaMode),
              std::tuple("BLEND", true, "OPAQUE"));
    EXPECT_EQ(m.materials[1].pbrMetallicRoughness.baseColorTexture.index, 0);
    EXPECT_EQ(m.materials[2].pbrMetallicRoughness.baseColorTexture.index, -1);
    EXPECT_EQ(m.materials[0].pbrMetallicRoughness.metallicFactor, 0.0);

    TempDir dir;
    WriteFileBytes(dir / "sample.glb", glb);
    WriteFileBytes(dir / "empty.glb", WriteGlb({}));
    EXPECT_TRUE(ValidGlb({dir / "sample.glb", dir / "empty.glb"}));
}

TEST(WriteGlb, RefusesScenesThatWouldMakeABrokenFile) {
    using Damage = void (*)(Scene&);
    for (auto [damage, message] : std::initializer_list<std::pair<Damage, const char*>>{
             {[](Scene& s) { s.nodes[1].parent = 1; }, "node 1 names a parent"},
             {[](Scene& s) { s.nodes[0].parent = -2; }, "node 0 names a parent"},
             {[](Scene& s) { s.meshes[2].triangles[1][2] = 3; }, "a triangle of mesh b names a point"},
             {[](Scene& s) { s.meshes[0].texCoords.pop_back(); }, "mesh a has texture coordinates or colours"},
             {[](Scene& s) { s.meshes[0].colours.push_back({}); }, "mesh a has texture coordinates or colours"},
             {[](Scene& s) { s.meshes[2].material = 3; }, "mesh b names a material"},
             {[](Scene& s) { s.meshes[2].material = -2; }, "mesh b names a material"}}) {
        Scene scene = Sample();
        damage(scene);
        EXPECT_EQ(ErrorOf([&] { WriteGlb(scene); }).find(message), 0u) << message;
    }
}
