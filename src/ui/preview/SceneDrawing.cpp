#include "ui/preview/SceneDrawing.h"

#include "ui/preview/PreviewWorker.h"

#include <algorithm>
#include <limits>
#include <map>

namespace drossel::ui {
namespace {

// Where each node lies in the scene: its translation and its parents'. A
// parent that is no earlier node counts as none.
std::vector<Point> NodePlaces(const Scene& scene) {
    std::vector<Point> at(scene.nodes.size());
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        const SceneNode& node = scene.nodes[n];
        at[n] = node.translation;
        if (node.parent >= 0 && static_cast<std::size_t>(node.parent) < n) {
            const Point& p = at[static_cast<std::size_t>(node.parent)];
            at[n] = {at[n].x + p.x, at[n].y + p.y, at[n].z + p.z};
        }
    }
    return at;
}

}  // namespace

DrawableScene DrawableOf(const ResourceScene& resourceScene) {
    const Scene& scene = resourceScene.scene;
    DrawableScene d;
    d.facts = QString::fromStdString(SceneFactsText(resourceScene));
    d.part = QString::fromStdString(resourceScene.part);
    std::map<const PixelBuffer*, int> textures;
    const std::vector<Point> at = NodePlaces(scene);
    constexpr float kFar = std::numeric_limits<float>::max();
    std::array<float, 3> low{kFar, kFar, kFar}, high{-kFar, -kFar, -kFar};
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        const int m = scene.nodes[n].mesh;
        if (m < 0 || static_cast<std::size_t>(m) >= scene.meshes.size()) continue;
        const SceneMesh& mesh = scene.meshes[static_cast<std::size_t>(m)];
        if (mesh.triangles.empty()) continue;
        DrawBatch batch;
        batch.coloured = mesh.colours.size() == mesh.positions.size();
        if (mesh.material >= 0 && static_cast<std::size_t>(mesh.material) < scene.materials.size()) {
            const SceneMaterial& material = scene.materials[static_cast<std::size_t>(mesh.material)];
            batch.doubleSided = material.doubleSided;
            batch.blend = material.blend;
            const PixelBuffer* picture = material.texture.get();
            if (picture != nullptr && picture->width() > 0 && mesh.texCoords.size() == mesh.positions.size()) {
                auto [found, added] = textures.try_emplace(picture, static_cast<int>(d.textures.size()));
                if (added) d.textures.append(ImageOf(*picture).convertToFormat(QImage::Format_RGBA8888));
                batch.texture = found->second;
            }
        }
        batch.vertices.resize(mesh.positions.size());
        for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
            DrawVertex& out = batch.vertices[v];
            const Point& p = mesh.positions[v];
            out.x = p.x + at[n].x;
            out.y = p.y + at[n].y;
            out.z = p.z + at[n].z;
            if (batch.texture >= 0) out.u = mesh.texCoords[v].u, out.v = mesh.texCoords[v].v;
            if (batch.coloured) {
                const SceneColour& c = mesh.colours[v];
                out.colour = {c.red, c.green, c.blue, c.alpha};
            }
            const float xyz[3] = {out.x, out.y, out.z};
            for (std::size_t k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], xyz[k]);
                high[k] = std::max(high[k], xyz[k]);
            }
        }
        const auto count = static_cast<std::uint32_t>(mesh.positions.size());
        batch.indices.reserve(mesh.triangles.size() * 3);
        for (const auto& t : mesh.triangles) {
            // A triangle naming a point the mesh lacks is not drawn (the export refuses it).
            if (t[0] < count && t[1] < count && t[2] < count)
                batch.indices.insert(batch.indices.end(), t.begin(), t.end());
        }
        d.batches.push_back(std::move(batch));
    }
    std::stable_partition(d.batches.begin(), d.batches.end(), [](const DrawBatch& b) { return !b.blend; });
    if (low[0] <= high[0]) d.low = low, d.high = high;
    return d;
}

}  // namespace drossel::ui
