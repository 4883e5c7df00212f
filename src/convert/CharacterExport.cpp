// A character to LightWave objects: its nineteen body parts, each placed on the
// skeleton of a body, merged into one object per body with a surface per part;
// or to glTF binary files, the parts as nodes (convert/SceneExport.h).

#include "convert/CharacterBody.h"
#include "convert/Converters.h"
#include "convert/SceneExport.h"
#include "geometry/LightWave.h"
#include "level/records/ModelRecords.h"

#include <array>

namespace drossel {
namespace {

constexpr int kJointPositions = 25;
using JointPositions = std::array<std::array<double, 3>, kJointPositions>;

// Where each part goes: the joint it hangs on, whether its x is mirrored, and
// a fixed shift along z.
struct Placement {
    int joint;
    double xSign;
    double dz;
};
constexpr std::array<Placement, kBodyParts> kPlacements{{
    {0, 1, 0},      {1, -1, 0},       {2, -1, 0},        {6, -1, 0},        {4, -1, 0},
    {5, -1, 0},     {3, -1, 0},       {7, 1, 0},         {8, 1, 0},         {9, 1, 0},
    {10, 1, 0},     {11, -1, 1.0},    {16, -1, -1.4899}, {17, -1, -1.4899}, {18, -1, -1.4899},
    {15, -1, -1.0}, {12, -1, 1.4899}, {13, -1, 1.4899},  {14, -1, 1.4899},
}};

// The joint offsets whose x is mirrored.
constexpr std::array<int, 12> kMirroredJoints{2, 3, 5, 6, 11, 12, 13, 14, 15, 16, 17, 18};

std::string ChunkName(int part) {
    std::string name = part < 10 ? "Chunk0" : "Chunk";
    name += std::to_string(part);
    return name;
}

// Joint positions of one body, found bone by bone from its joint offsets. An
// entry no bone sets keeps what an earlier body gave it. A bone that names a
// joint the lists do not hold would put parts anywhere: the body is refused.
void AccumulateJoints(const std::vector<JointOffset>& offsets, std::uint16_t offsetCount,
                      const std::vector<Bone>& bones, JointPositions& positions, const std::string& body) {
    std::vector<JointOffset> mirrored = offsets;
    for (int k : kMirroredJoints) {
        if (k < offsetCount && k < static_cast<int>(mirrored.size())) mirrored[static_cast<std::size_t>(k)].x *= -1;
    }
    for (std::size_t k = 0; k + 1 < bones.size(); ++k) {
        const std::size_t parent = bones[k + 1].joint;
        std::size_t child = bones[k].child;
        if (child == 0) child = k + 2 < bones.size() ? bones[k + 2].joint : kJointPositions;
        if (child >= mirrored.size() || parent >= positions.size()) {
            throw DrosselError("bone " + std::to_string(k) + " of " + body + " names a joint the body does not have");
        }
        const JointOffset& o = mirrored[child];
        positions[child] = {positions[parent][0] + o.x, positions[parent][1] + o.y, positions[parent][2] + o.z};
    }
}

// One body: the parts of its part list placed on its skeleton.
Body ReadBody(const Level& level, const ResourceRecord& character, int group, std::uint32_t bodyLink,
              JointPositions& joints, Progress& progress, Conversion& out) {
    const std::string name = "body " + std::to_string(group) + " of " + std::string(character.name);
    const auto body = ReadLinked<BodyRecord>(level, bodyLink, name);
    const ResourceRecord* list = nullptr;
    const auto offsetList =
        ReadLinked<JointListHeader>(level, body.jointOffsets, "the joint offsets of " + name, &list);
    const auto offsets = EntriesAfter<JointOffset>(level, *list, sizeof offsetList, kJointOffsets);
    const auto boneList = ReadLinked<JointListHeader>(level, body.bones, "the bones of " + name, &list);
    const auto bones = EntriesAfter<Bone>(level, *list, sizeof boneList, boneList.count);
    AccumulateJoints(offsets, offsetList.count, bones, joints, name);

    progress.Status("Status: Converting " + std::string(character.name) + " [Searching M3GMs...]");
    const auto parts = ReadLinked<PartListRecord>(level, body.parts, "the part list of " + name);
    Body placed(kBodyParts);
    std::int64_t points = 0, triangles = 0;
    for (int c = 1; c <= kBodyParts; ++c) {
        progress.Status("Converting " + std::string(character.name) + " (chunks " + std::to_string(c) + ")");
        PlacedPart& part = placed[static_cast<std::size_t>(c - 1)];
        part.model =
            &RequireLinked(level, parts.models[c - 1], "the model of part " + std::to_string(c) + " of " + name);
        // The body is one mesh: its parts together stay within a mesh's size.
        ModelGeometry& g = part.geometry = ReadModelGeometry(
            level, *part.model, out,
            {points, triangles, "the body of " + std::string(character.name) + " with part " + std::to_string(c)});
        points += static_cast<std::int64_t>(g.points.size());
        triangles += static_cast<std::int64_t>(g.triangles.size());
        // Each part brings one texture coordinate per point, so that every later
        // part's coordinates stay with its own points.
        if (g.texCoords.size() < g.points.size()) {
            out.NoteMissing(g.points.size() - g.texCoords.size(), "texture coordinate",
                            "its list holds fewer than its points; they are (0, 0)",
                            " of part " + std::to_string(c) + " of " + name);
            g.texCoords.resize(g.points.size());
        }
        const Placement& p = kPlacements[static_cast<std::size_t>(c - 1)];
        const auto& j = joints[static_cast<std::size_t>(p.joint)];
        part.at = {j[0], j[1], j[2] + p.dz};
        part.xSign = p.xSign;
        // A parent that is no earlier bone would make a loop: the part hangs at the top.
        const std::size_t bone = static_cast<std::size_t>(c - 1);
        if (bone < bones.size() && bones[bone].joint < bone) part.parent = bones[bone].joint;
    }
    return placed;
}

// The parts merged into one LightWave mesh, a surface each.
Mesh MergedBody(const Body& body) {
    Mesh mesh;
    for (int c = 1; c <= kBodyParts; ++c) mesh.surfaces.push_back(ChunkName(c));
    for (std::size_t c = 0; c < body.size(); ++c) {
        const PlacedPart& part = body[c];
        const auto first = static_cast<std::uint32_t>(mesh.points.size());
        for (const Point& point : part.geometry.points) {
            mesh.points.push_back({static_cast<float>(part.xSign * point.x + part.at[0]),
                                   static_cast<float>(point.y + part.at[1]), static_cast<float>(point.z + part.at[2])});
        }
        mesh.texCoords.insert(mesh.texCoords.end(), part.geometry.texCoords.begin(), part.geometry.texCoords.end());
        // Mirroring a part would turn it inside out: its corners run the other way round.
        const bool mirrored = part.xSign < 0;
        for (Triangle t : part.geometry.triangles) {
            const std::uint32_t b = (mirrored ? t.c : t.b) + first, c3 = (mirrored ? t.b : t.c) + first;
            mesh.triangles.push_back({t.a + first, b, c3, static_cast<std::uint16_t>(c + 1)});
        }
    }
    return mesh;
}

}  // namespace

void ForEachBody(const Level& level, const ResourceRecord& resource, const Options& options, Progress& progress,
                 Conversion& out, const std::function<void(int group, const Body& body)>& use) {
    const auto character = level.ReadRecord<CharacterRecord>(resource);
    const auto bodies =
        ReadLinked<BodySetRecord>(level, character.bodySet, "the body set of " + std::string(resource.name));
    const bool all = options.CharacterGroup < 1 || options.CharacterGroup > kCharacterGroups;
    JointPositions joints{};  // carried from one body to the next
    for (int g = all ? 1 : options.CharacterGroup; g <= (all ? kCharacterGroups : options.CharacterGroup); ++g) {
        use(g, ReadBody(level, resource, g, bodies.bodies[g - 1], joints, progress, out));
    }
}

Conversion ExportCharacter(const Level& level, const ResourceRecord& resource, const Options& options,
                           Progress& progress) {
    const bool all = options.CharacterGroup < 1 || options.CharacterGroup > kCharacterGroups;
    const int layout = options.CharacterLwoFormat;
    const std::string name(resource.name);
    Conversion out;
    ForEachBody(level, resource, options, progress, out, [&](int g, const Body& body) {
        const std::string group = all ? std::string("_").append(std::to_string(g)) : std::string();
        if (layout == kGlb) {
            progress.Status("Converting " + name + "[Saving glTF...]");
            out.pieces.push_back(GlbPiece(CharacterScene(level, body, out), group));
            return;
        }
        progress.Status(layout == 60   ? "Converting " + name + (all ? "(Saving LWO...) " : "(Saving LWO...)")
                        : layout == 65 ? "Converting " + name + "(Writing LWO...)"
                                       : "Converting " + name + "[Saving LWO...]");
        OutputPiece piece{.content = WriteLightWave(MergedBody(body), layout)};
        if (all) {
            piece.place = OutputPiece::Place::ChosenStem;
            piece.name = std::string(group).append(".lwo");  // (GCC 12 -O3 misreads the + form)
        }
        out.pieces.push_back(std::move(piece));
    });
    progress.Status(layout == 60 ? std::string("[OK]") : "Converting " + name + "[OK]");
    return out;
}

}  // namespace drossel
