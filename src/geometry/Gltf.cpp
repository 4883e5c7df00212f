#include "geometry/Gltf.h"

#include "image/PngEncode.h"
#include "io/Error.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <sstream>
#include <string>

// tinygltf decodes and encodes pictures with stb unless told not to: pictures
// reach it here already as PNG bytes.
#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include <tiny_gltf.h>

namespace drossel {
namespace {

// glTF counts a binary chunk's length in 32 bits.
constexpr std::size_t kMaxGlbBytes = std::numeric_limits<std::uint32_t>::max() - 4096;

// Builds the model's one buffer and the views and accessors into it.
class Builder {
public:
    explicit Builder(tinygltf::Model& model) : model_(model) { model_.buffers.emplace_back(); }

    // A view of `bytes` (appended at a 4-byte boundary); target 0 for none.
    int View(const void* bytes, std::size_t length, int target) {
        std::vector<unsigned char>& data = model_.buffers[0].data;
        data.resize((data.size() + 3) / 4 * 4, 0);
        if (data.size() + length > kMaxGlbBytes) throw DrosselError("the glTF file would pass 4 GiB");
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = data.size();
        view.byteLength = length;
        view.target = target;
        const auto* first = static_cast<const unsigned char*>(bytes);
        data.insert(data.end(), first, first + length);
        model_.bufferViews.push_back(std::move(view));
        return static_cast<int>(model_.bufferViews.size()) - 1;
    }

    template <typename T>
    int Accessor(const std::vector<T>& values, int componentType, int type, int target, bool normalized = false) {
        tinygltf::Accessor accessor;
        accessor.bufferView = View(values.data(), values.size() * sizeof(T), target);
        accessor.componentType = componentType;
        accessor.type = type;
        accessor.count = values.size();
        accessor.normalized = normalized;
        model_.accessors.push_back(std::move(accessor));
        return static_cast<int>(model_.accessors.size()) - 1;
    }

    // Positions carry their bounds, as glTF requires.
    int Positions(const std::vector<Point>& points) {
        const int index =
            Accessor(points, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER);
        std::array<float, 3> low = {points[0].x, points[0].y, points[0].z}, high = low;
        for (const Point& p : points) {
            const float v[3] = {p.x, p.y, p.z};
            for (std::size_t k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], v[k]);
                high[k] = std::max(high[k], v[k]);
            }
        }
        tinygltf::Accessor& accessor = model_.accessors[static_cast<std::size_t>(index)];
        accessor.minValues.assign(low.begin(), low.end());
        accessor.maxValues.assign(high.begin(), high.end());
        return index;
    }

private:
    tinygltf::Model& model_;
};

void Check(const Scene& scene) {
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        const int parent = scene.nodes[n].parent;
        if (parent < -1 || parent >= static_cast<int>(n)) {
            throw DrosselError("node " + std::to_string(n) + " names a parent that is not an earlier node");
        }
    }
    for (const SceneMesh& mesh : scene.meshes) {
        const std::size_t count = mesh.positions.size();
        if ((!mesh.texCoords.empty() && mesh.texCoords.size() != count) ||
            (!mesh.colours.empty() && mesh.colours.size() != count)) {
            throw DrosselError("mesh " + mesh.name + " has texture coordinates or colours for other points");
        }
        if (mesh.material < -1 || mesh.material >= static_cast<int>(scene.materials.size())) {
            throw DrosselError("mesh " + mesh.name + " names a material that does not exist");
        }
        for (const auto& t : mesh.triangles) {
            if (t[0] >= count || t[1] >= count || t[2] >= count) {
                throw DrosselError("a triangle of mesh " + mesh.name + " names a point the mesh does not have");
            }
        }
    }
}

// Each picture once, as PNG; materials that share one share its texture.
int TextureOf(const std::shared_ptr<const PixelBuffer>& picture, Builder& builder, tinygltf::Model& model,
              std::map<const PixelBuffer*, int>& textures) {
    if (const auto found = textures.find(picture.get()); found != textures.end()) return found->second;
    const std::vector<std::uint8_t> png = EncodePng(*picture, 32);
    tinygltf::Image image;
    image.mimeType = "image/png";
    image.bufferView = builder.View(png.data(), png.size(), 0);
    model.images.push_back(std::move(image));
    tinygltf::Texture texture;
    texture.source = static_cast<int>(model.images.size()) - 1;
    model.textures.push_back(std::move(texture));
    const int index = static_cast<int>(model.textures.size()) - 1;
    textures.emplace(picture.get(), index);
    return index;
}

void AddMaterials(const Scene& scene, Builder& builder, tinygltf::Model& model) {
    std::map<const PixelBuffer*, int> textures;
    for (const SceneMaterial& m : scene.materials) {
        tinygltf::Material material;
        material.name = m.name;
        material.doubleSided = m.doubleSided;
        if (m.blend) material.alphaMode = "BLEND";
        material.pbrMetallicRoughness.metallicFactor = 0;
        material.pbrMetallicRoughness.roughnessFactor = 1;
        if (m.texture != nullptr && m.texture->width() > 0 && m.texture->height() > 0) {
            material.pbrMetallicRoughness.baseColorTexture.index = TextureOf(m.texture, builder, model, textures);
        }
        model.materials.push_back(std::move(material));
    }
}

// The glTF mesh of each scene mesh; -1 for one without triangles.
std::vector<int> AddMeshes(const Scene& scene, Builder& builder, tinygltf::Model& model) {
    std::vector<int> made;
    for (const SceneMesh& m : scene.meshes) {
        if (m.triangles.empty()) {
            made.push_back(-1);
            continue;
        }
        tinygltf::Primitive primitive;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        primitive.material = m.material;
        primitive.attributes["POSITION"] = builder.Positions(m.positions);
        if (!m.texCoords.empty()) {
            primitive.attributes["TEXCOORD_0"] = builder.Accessor(m.texCoords, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                                                  TINYGLTF_TYPE_VEC2, TINYGLTF_TARGET_ARRAY_BUFFER);
        }
        if (!m.colours.empty()) {
            primitive.attributes["COLOR_0"] = builder.Accessor(m.colours, TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE,
                                                               TINYGLTF_TYPE_VEC4, TINYGLTF_TARGET_ARRAY_BUFFER, true);
        }
        primitive.indices = builder.Accessor(m.triangles, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR,
                                             TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        model.accessors.back().count *= 3;
        tinygltf::Mesh mesh;
        mesh.name = m.name;
        mesh.primitives.push_back(std::move(primitive));
        model.meshes.push_back(std::move(mesh));
        made.push_back(static_cast<int>(model.meshes.size()) - 1);
    }
    return made;
}

}  // namespace

std::vector<std::uint8_t> WriteGlb(const Scene& scene) {
    static_assert(sizeof(Point) == 12 && sizeof(TexCoord) == 8 && sizeof(SceneColour) == 4);
    Check(scene);
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "Drossel";
    Builder builder(model);
    AddMaterials(scene, builder, model);
    const std::vector<int> meshes = AddMeshes(scene, builder, model);

    tinygltf::Scene top;
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        const SceneNode& s = scene.nodes[n];
        tinygltf::Node node;
        node.name = s.name;
        if (s.translation.x != 0 || s.translation.y != 0 || s.translation.z != 0) {
            node.translation = {s.translation.x, s.translation.y, s.translation.z};
        }
        if (s.mesh >= 0 && s.mesh < static_cast<int>(meshes.size()))
            node.mesh = meshes[static_cast<std::size_t>(s.mesh)];
        model.nodes.push_back(std::move(node));
        const int index = static_cast<int>(n);
        if (s.parent < 0) {
            top.nodes.push_back(index);
        } else {
            model.nodes[static_cast<std::size_t>(s.parent)].children.push_back(index);
        }
    }
    // glTF has no scene of no nodes: a file without nodes has no scene.
    if (!top.nodes.empty()) {
        model.scenes.push_back(std::move(top));
        model.defaultScene = 0;
    }
    if (model.buffers[0].data.empty()) model.buffers.clear();

    std::ostringstream out;
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, out, false, true)) throw DrosselError("the glTF file cannot be written");
    const std::string bytes = std::move(out).str();
    return {bytes.begin(), bytes.end()};
}

}  // namespace drossel
