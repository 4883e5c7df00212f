// A level's static geometry to a LightWave object, to one of the exchange
// formats or to a glTF binary file (convert/SceneExport.h): the environment's
// points, quads (each two triangles), texture coordinates, quad textures and
// texture list.

#include "convert/Converters.h"
#include "convert/LevelRead.h"
#include "convert/ModelGeometry.h"
#include "convert/SceneExport.h"
#include "geometry/LevelExchange.h"
#include "geometry/LightWave.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"

#include <cmath>

namespace drossel {
namespace {

// A coordinate beyond this (the single-precision value nearest 2000000.1), or
// not a number, is garbage in the game's files and becomes 0.
constexpr float kFarthestCoordinate = 2000000.125f;

float Cleaned(float v) {
    return std::isnan(v) || v > kFarthestCoordinate || v < -kFarthestCoordinate ? 0.0f : v;
}

// The list an environment link names, with its header; the export needs every one.
template <typename Header>
std::pair<Header, const ResourceRecord*> RequiredList(const Level& level, std::uint32_t link, const char* what) {
    const ResourceRecord* list = nullptr;
    const Header header = ReadLinked<Header>(level, link, std::string("its environment's ") + what, &list);
    return {header, list};
}

}  // namespace

LevelGeometry ReadLevel(const Level& level, const ResourceRecord& resource, const Options& options, Conversion& out) {
    const auto onlv = level.ReadRecord<LevelRecord>(resource);
    const auto env =
        ReadLinked<EnvironmentRecord>(level, onlv.environment, "the environment of " + std::string(resource.name));
    LevelGeometry g;
    const auto [points, pointList] = RequiredList<PointListHeader>(level, env.points, "points (PNTA)");
    RequireMeshSize(points.count, kMaxMeshPoints, "its points");
    g.points = EntriesAfter<Point>(level, *pointList, sizeof points, points.count);
    const auto [quads, quadList] = RequiredList<ListHeader>(level, env.quads, "quads (AGQG)");
    RequireMeshSize(quads.count, kMaxMeshTriangles / 2, "its quads");
    const std::vector<Quad> stored = EntriesAfter<Quad>(level, *quadList, sizeof quads, quads.count);
    const auto [uv, uvList] = RequiredList<ListHeader>(level, env.textureCoordinates, "texture coordinates (TXCA)");
    RequireMeshSize(uv.count, kMaxMeshPoints, "its texture coordinates");
    g.texCoords = EntriesAfter<TexCoord>(level, *uvList, sizeof uv, uv.count);
    const auto [textures, textureList] = RequiredList<ListHeader>(level, env.textures, "textures (TXMA)");
    RequireMeshSize(textures.count, kMaxMeshTriangles / 2, "its textures");
    std::int64_t namesLength = 0;
    g.textureLinks = EntriesAfter<std::uint32_t>(level, *textureList, sizeof textures, textures.count);
    for (std::uint32_t link : g.textureLinks) {
        const ResourceRecord* texture = level.Resolve(link);
        g.textureNames.push_back(texture != nullptr ? std::string(texture->name) + ImageExtension(options.Image) : "");
        namesLength += static_cast<std::int64_t>(g.textureNames.back().size());
        RequireTextSize(namesLength);
    }
    const auto [quadTextures, quadTextureList] =
        RequiredList<ListHeader>(level, env.quadTextures, "quad textures (AGQR)");
    RequireMeshSize(quadTextures.count, kMaxMeshTriangles / 2, "its quad textures");
    const auto byQuad = EntriesAfter<QuadTexture>(level, *quadTextureList, sizeof quadTextures, quadTextures.count);

    // Quads whose corners name points the level does not have are left out.
    const auto n = static_cast<std::uint32_t>(g.points.size());
    std::size_t skipped = 0;
    for (std::size_t q = 0; q < stored.size(); ++q) {
        const Quad& s = stored[q];
        if (s.points[0] >= n || s.points[1] >= n || s.points[2] >= n || s.points[3] >= n) {
            ++skipped;
            continue;
        }
        LevelGeometry::Quad quad{};
        std::copy_n(s.points, 4, quad.corners);
        std::copy_n(s.texCoords, 4, quad.uv);
        std::copy_n(s.colours, 16, quad.colours);
        quad.flags = s.flags;
        g.quads.push_back(quad);
        g.textureIndices.push_back(q < byQuad.size() ? byQuad[q].texture : std::int16_t{-1});
    }
    if (skipped > 0) out.NoteMissing(skipped, "quad", "they name points the level does not have");
    for (Point& p : g.points) p = {Cleaned(p.x), Cleaned(p.y), Cleaned(p.z)};
    return g;
}

Conversion ConvertLevel(const Level& level, const ResourceRecord& resource, const Options& options,
                        Progress& progress) {
    progress.Status("Status: Extracting LEVEL.....");
    Conversion out;
    if (options.LevelFormat == kGlb) {
        out.pieces.push_back(GlbPiece(LevelScene(level, resource, options, out)));
        progress.Status("OK");
        return out;
    }
    LevelGeometry g = ReadLevel(level, resource, options, out);
    progress.Status("Status: Extracting LEVEL [Reading Polygons...]");
    progress.Status("Status: Extracting LEVEL [Writing...]");
    progress.Steps(static_cast<int>(g.points.size()));
    progress.Step(0);

    switch (options.LevelFormat) {
        case 1: {
            Mesh mesh{g.points, {}, {}, {"Level"}};
            for (const LevelGeometry::Quad& q : g.quads) {
                mesh.triangles.push_back({q.corners[0], q.corners[1], q.corners[2], 1});
                mesh.triangles.push_back({q.corners[2], q.corners[3], q.corners[0], 1});
            }
            out.pieces.push_back({.content = WriteLightWave(mesh, 60)});
            break;
        }
        case 6:
            out.pieces.push_back({OutputPiece::Place::ChosenStem, ".rwb", false, WriteRawTriangles(g)});
            break;
        case 7:
            out.pieces.push_back({OutputPiece::Place::ChosenStem, ".b3d", false, WriteB3d(g)});
            break;
        case 8: {
            // Each quad's material is named by its texture: a long name shared by many
            // quads would make far more text than the level holds.
            std::int64_t materialText = 0;
            for (const std::int16_t texture : g.textureIndices) {
                if (texture >= 0 && static_cast<std::size_t>(texture) < g.textureNames.size()) {
                    materialText += static_cast<std::int64_t>(g.textureNames[static_cast<std::size_t>(texture)].size());
                }
            }
            RequireTextSize(materialText);
            B3dWithMaterials files = WriteB3dWithMaterials(g, options.DeleteGarbage);
            out.pieces.push_back({OutputPiece::Place::ChosenStem, ".b3d", false, std::move(files.b3d)});
            out.pieces.push_back({OutputPiece::Place::ChosenStem, ".tlist", false, std::move(files.textureIndices)});
            out.pieces.push_back({OutputPiece::Place::ChosenStem, ".txt", false, std::move(files.textureNames)});
            break;
        }
        default:
            throw DrosselError("level format " + std::to_string(options.LevelFormat) + " is not known");
    }
    progress.Step(static_cast<int>(g.points.size()));
    progress.Step(0);
    progress.Steps(level.count() - 1);
    progress.Status("OK");
    return out;
}

}  // namespace drossel
