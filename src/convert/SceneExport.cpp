#include "convert/SceneExport.h"

#include "convert/LevelRead.h"
#include "convert/ModelGeometry.h"
#include "convert/TexturePicture.h"
#include "geometry/Gltf.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"
#include "text/Windows1252.h"

#include <map>
#include <optional>
#include <tuple>

namespace drossel {
namespace {

// The materials of a scene, one for each texture (and way of showing it), each
// texture decoded once. All of a scene's pictures together stay within the
// pixels one picture may have, so a level that names many huge textures cannot
// take more memory than one of them.
class Materials {
public:
    Materials(const Level& level, Scene& scene, Conversion& out) : level_(level), scene_(scene), out_(out) {}

    // The material that shows the texture `link` names, made on first use; an
    // untextured one, noted in `out` as `what`, when the texture cannot be had.
    // Link 0 names no texture, and is not noted.
    int Of(std::uint32_t link, const std::string& what, bool doubleSided = false, bool blend = false) {
        const auto key = std::tuple(link, doubleSided, blend);
        if (const auto found = made_.find(key); found != made_.end()) return found->second;
        SceneMaterial material{.name = "untextured", .texture = nullptr, .doubleSided = doubleSided, .blend = blend};
        if (link != 0) {
            if (const ResourceRecord* texture = Picture(link, what)) {
                material.name = Utf8FromWindows1252(texture->name);
                material.texture = pictures_[texture];
            }
        }
        if (doubleSided) material.name += " (two-sided)";
        if (blend) material.name += " (transparent)";
        scene_.materials.push_back(std::move(material));
        return made_[key] = static_cast<int>(scene_.materials.size()) - 1;
    }

private:
    // The texture resource whose picture is in `pictures_`, or nullptr.
    const ResourceRecord* Picture(std::uint32_t link, const std::string& what) {
        std::string missing;
        try {
            const ResourceRecord* resource = level_.Resolve(link);
            if (resource != nullptr && pictures_.contains(resource)) return resource;
            if (const auto texture = FindLinkedTexture(level_, link, missing)) {
                const std::int64_t pixels = std::int64_t{texture->width} * texture->height;
                if (pixels_ + pixels <= kMaxPicturePixels) {
                    pictures_[resource] = std::make_shared<const PixelBuffer>(ReadTexturePicture(level_, *texture));
                    pixels_ += pixels;
                    return resource;
                }
                missing = "the scene's textures would have more than the " + std::to_string(kMaxPicturePixels) +
                          " pixels a picture may have";
            }
        } catch (const std::exception& e) {
            missing = e.what();
        }
        out_.NoteMissing(what, missing);
        return nullptr;
    }

    const Level& level_;
    Scene& scene_;
    Conversion& out_;
    std::map<std::tuple<std::uint32_t, bool, bool>, int> made_;
    std::map<const ResourceRecord*, std::shared_ptr<const PixelBuffer>> pictures_;
    std::int64_t pixels_ = 0;
};

// A model's geometry as a mesh of the scene. `xSign` -1 mirrors the model
// first (as a character's part may be): mirrored once more into the scene's
// axes, its triangles keep their corners' order.
int AddModelMesh(Scene& scene, const ModelGeometry& g, const std::string& name, int material, float xSign = 1) {
    SceneMesh mesh{.name = name, .material = material};
    for (const Point& p : g.points) mesh.positions.push_back(ScenePoint({xSign * p.x, p.y, p.z}));
    mesh.texCoords = g.texCoords;
    mesh.texCoords.resize(g.points.size());  // one per point: missing ones (0, 0)
    for (const Triangle& t : g.triangles) {
        mesh.triangles.push_back(xSign < 0 ? std::array{t.a, t.b, t.c} : std::array{t.a, t.c, t.b});
    }
    scene.meshes.push_back(std::move(mesh));
    return static_cast<int>(scene.meshes.size()) - 1;
}

// The body parts, in the order of the bones that carry them.
constexpr std::array<const char*, kBodyParts> kPartNames{
    "pelvis",    "left thigh",     "left calf", "left foot",   "right thigh",   "right calf", "right foot",
    "mid",       "chest",          "neck",      "head",        "left shoulder", "left arm",   "left wrist",
    "left fist", "right shoulder", "right arm", "right wrist", "right fist"};

// The quads a level's glTF export keeps: not those the game never draws, unless all are asked for.
bool Kept(const LevelGeometry::Quad& quad, const Options& options) {
    return options.AllQuadsGeometry || (quad.flags & (kQuadDoorFrame | kQuadGhost | kQuadInvisible)) == 0;
}

}  // namespace

OutputPiece GlbPiece(const Scene& scene, const std::string& suffix) {
    return {OutputPiece::Place::ChosenStem, suffix + ".glb", false, WriteGlb(scene)};
}

Scene ModelScene(const Level& level, const ResourceRecord& model, Conversion& out) {
    const auto record = level.ReadRecord<ModelRecord>(model);
    const ModelGeometry g = ReadModelGeometry(level, model, out);
    Scene scene;
    Materials materials(level, scene, out);
    const std::string name = Utf8FromWindows1252(model.name);
    const int mesh =
        AddModelMesh(scene, g, name, materials.Of(record.texture, "the texture of " + std::string(model.name)));
    scene.nodes.push_back({.name = name, .parent = -1, .translation = {}, .mesh = mesh});
    return scene;
}

Scene CharacterScene(const Level& level, const Body& body, Conversion& out) {
    Scene scene;
    Materials materials(level, scene, out);
    for (std::size_t c = 0; c < body.size() && c < kPartNames.size(); ++c) {
        const PlacedPart& part = body[c];
        const auto record = level.ReadRecord<ModelRecord>(*part.model);
        const int material = materials.Of(record.texture, "the texture of " + std::string(part.model->name));
        const int mesh = AddModelMesh(scene, part.geometry, kPartNames[c], material, static_cast<float>(part.xSign));
        // Its place relative to its parent's, which the scene adds up again.
        std::array<double, 3> from{};
        if (part.parent >= 0) from = body[static_cast<std::size_t>(part.parent)].at;
        const Point offset{static_cast<float>(part.at[0] - from[0]), static_cast<float>(part.at[1] - from[1]),
                           static_cast<float>(part.at[2] - from[2])};
        scene.nodes.push_back(
            {.name = kPartNames[c], .parent = part.parent, .translation = ScenePoint(offset), .mesh = mesh});
    }
    return scene;
}

Scene LevelScene(const Level& level, const ResourceRecord& resource, const Options& options, Conversion& out) {
    const LevelGeometry g = ReadLevel(level, resource, options, out);
    Scene scene;
    Materials materials(level, scene, out);
    std::map<int, int> meshOfMaterial;
    for (std::size_t q = 0; q < g.quads.size(); ++q) {
        const LevelGeometry::Quad& quad = g.quads[q];
        if (!Kept(quad, options)) continue;
        const std::int16_t index = g.textureIndices[q];
        const bool listed = index >= 0 && static_cast<std::size_t>(index) < g.textureLinks.size();
        const int material = materials.Of(listed ? g.textureLinks[static_cast<std::size_t>(index)] : 0,
                                          "texture " + std::to_string(index) + " of the level",
                                          (quad.flags & kQuadTwoSided) != 0, (quad.flags & kQuadTransparent) != 0);
        auto [found, added] = meshOfMaterial.try_emplace(material, static_cast<int>(scene.meshes.size()));
        if (added) {
            const std::string& name = scene.materials[static_cast<std::size_t>(material)].name;
            scene.meshes.push_back({.name = name, .material = material});
            scene.nodes.push_back({.name = name, .parent = -1, .translation = {}, .mesh = found->second});
        }
        SceneMesh& mesh = scene.meshes[static_cast<std::size_t>(found->second)];
        const auto first = static_cast<std::uint32_t>(mesh.positions.size());
        const int corners = (quad.flags & kQuadTriangle) != 0 ? 3 : 4;
        for (int k = 0; k < corners; ++k) {
            mesh.positions.push_back(ScenePoint(g.points[quad.corners[k]]));
            mesh.texCoords.push_back(quad.uv[k] < g.texCoords.size() ? g.texCoords[quad.uv[k]] : TexCoord{});
            const std::uint8_t* bgra = quad.colours + 4 * k;
            mesh.colours.push_back({bgra[2], bgra[1], bgra[0], 255});
        }
        // The game's triangles (1, 2, 3) and (3, 4, 1), their corners turned round.
        mesh.triangles.push_back({first, first + 2, first + 1});
        if (corners == 4) mesh.triangles.push_back({first + 2, first, first + 3});
    }
    return scene;
}

std::vector<ResourceScene> ModelScenes(const Level& level, const ResourceRecord& model, const Options&,
                                       Conversion& out) {
    std::vector<ResourceScene> scenes;
    scenes.push_back({"", ModelScene(level, model, out)});
    return scenes;
}

const ResourceRecord& WeaponModel(const Level& level, const ResourceRecord& weapon) {
    return RequireLinked(level, level.ReadRecord<WeaponRecord>(weapon).model,
                         "the model of " + std::string(weapon.name));
}

std::vector<ResourceScene> WeaponScenes(const Level& level, const ResourceRecord& weapon, const Options& options,
                                        Conversion& out) {
    return ModelScenes(level, WeaponModel(level, weapon), options, out);
}

std::vector<ResourceScene> CharacterScenes(const Level& level, const ResourceRecord& character, const Options& options,
                                           Conversion& out) {
    std::vector<ResourceScene> scenes;
    ForEachBody(level, character, options, NoProgress(), out, [&](int group, const Body& body) {
        scenes.push_back({"group " + std::to_string(group), CharacterScene(level, body, out)});
    });
    return scenes;
}

std::vector<ResourceScene> LevelScenes(const Level& level, const ResourceRecord& resource, const Options& options,
                                       Conversion& out) {
    std::vector<ResourceScene> scenes;
    scenes.push_back({"", LevelScene(level, resource, options, out)});
    return scenes;
}

}  // namespace drossel
