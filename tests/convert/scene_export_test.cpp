// Models, characters and levels as scenes: what the glTF export writes, in
// glTF's axes and units, with the game's fields read at their documented offsets.

#include "DemoGeometry.h"
#include "Pictures.h"
#include "convert/CharacterBody.h"
#include "convert/SceneExport.h"
#include "convert/TexturePicture.h"

#include <algorithm>

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr auto Id = LevelBuilder::IdentifierOf;

struct Corners {
    Point a, b, c;
};
Point Minus(Point p, Point q) {
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}
Point Cross(Point u, Point v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
float Dot(Point u, Point v) {
    return u.x * v.x + u.y * v.y + u.z * v.z;
}

// Each triangle of a mesh, its corners moved by `at`.
std::vector<Corners> TrianglesOf(const SceneMesh& mesh, Point at = {}) {
    std::vector<Corners> out;
    const auto p = [&](std::uint32_t i) {
        return Point{mesh.positions[i].x + at.x, mesh.positions[i].y + at.y, mesh.positions[i].z + at.z};
    };
    for (const auto& t : mesh.triangles) out.push_back({p(t[0]), p(t[1]), p(t[2])});
    return out;
}

// Where a node's origin lies in the scene: its translations added up to the top.
Point WorldOf(const Scene& s, int node) {
    Point at{};
    for (; node >= 0; node = s.nodes[static_cast<std::size_t>(node)].parent) {
        const Point t = s.nodes[static_cast<std::size_t>(node)].translation;
        at = {at.x + t.x, at.y + t.y, at.z + t.z};
    }
    return at;
}

}  // namespace

// The texture link at 0x24 names the picture; a point (x, y, z) becomes (-x, y, z) / 10, and the corners of each
// triangle turn round with the mirrored axis.
TEST(ModelScene, TexturedFromItsLinkTurnedIntoGltfAxes) {
    LevelBuilder b = demo::BuildDemoLevel();
    const int house = b.IndexNamed("crate_box");
    const int sign = b.IndexNamed("wall_arrow_bgra32");
    PutU32(b.resource(house).data, 0x24, Id(sign));
    OpenedLevel l(b);
    Conversion out;
    const Scene s = ModelScene(l.level(), l.level().at(house), out);
    ASSERT_EQ(std::tuple(s.nodes.size(), s.meshes.size(), s.materials.size()), std::tuple(1u, 1u, 1u));
    EXPECT_EQ(std::tuple(s.nodes[0].name, s.nodes[0].mesh, s.meshes[0].material), std::tuple("crate_box", 0, 0));
    const auto texture = l.level().ReadRecord<TextureRecord>(l.level().at(sign));
    EXPECT_TRUE(SamePicture(PictureOf(*s.materials[0].texture), PictureOf(ReadTexturePicture(l.level(), texture))));
    EXPECT_EQ(s.materials[0].name, "wall_arrow_bgra32");
    // The house's first point is (-6, 0, -4); its first strip begins 0, 5, 1.
    const Point first = s.meshes[0].positions[0];
    EXPECT_EQ(std::tie(first.x, first.y, first.z), std::tuple(0.6f, 0.0f, -0.4f));
    EXPECT_EQ(s.meshes[0].triangles[0], (std::array<std::uint32_t, 3>{0, 1, 5}));
    EXPECT_EQ(s.meshes[0].texCoords.size(), s.meshes[0].positions.size());
    EXPECT_TRUE(out.missingParts.empty()) << out.missingParts;

    for (auto [link, noted] : {std::pair{0u, ""}, {0xDEADu, "the texture of crate_box is missing (no resource"}}) {
        PutU32(b.resource(house).data, 0x24, link);
        OpenedLevel broken(b);
        Conversion missing;
        EXPECT_EQ(ModelScene(broken.level(), broken.level().at(house), missing).materials.at(0).texture, nullptr);
        EXPECT_EQ(missing.missingParts.find(noted), 0u) << missing.missingParts;
    }
}

// The flags at 0x30 of each 56-byte quad after the list's 32-byte header, the corner colours (B, G, R, A) at 0x20.
TEST(LevelScene, QuadsByTheirFlagsOneMeshPerTextureAndUse) {
    LevelBuilder b = demo::BuildDemoLevel();
    Bytes& quads = b.resource(b.IndexNamed("level1_AGQG")).data;
    const auto quad = [](std::size_t q, std::size_t at) { return 0x20 + 56 * q + at; };
    for (std::size_t q = 0; q < 16; ++q) PutU32(quads, quad(q, 0x30), 0);
    const std::uint32_t flags[] = {0x40,   0x2,   0x1,
                                   0x2000, 0x200, 0x80};  // triangle, ghost, frame, hidden, 2-sided, see-through
    for (std::size_t q = 0; q < std::size(flags); ++q) PutU32(quads, quad(q, 0x30), flags[q]);
    PutBytes(quads, quad(6, 0x24), {10, 20, 30, 40});
    OpenedLevel l(b);
    const int level = b.IndexNamed("level1");
    for (bool all : {true, false}) {
        Conversion out;
        const Scene s = LevelScene(l.level(), l.level().at(level), {.AllQuadsGeometry = all}, out);
        std::size_t triangles = 0, vertices = 0;
        for (const SceneMesh& m : s.meshes) triangles += m.triangles.size(), vertices += m.positions.size();
        EXPECT_EQ(std::tuple(triangles, vertices), all ? std::tuple(31u, 63u) : std::tuple(25u, 51u)) << all;
        if (all) continue;
        std::vector<std::string> names;
        for (const SceneMaterial& m : s.materials) names.push_back(m.name);
        // In the order of their first quads; the flags of the quads after the sixth cleared.
        EXPECT_EQ(names, (std::vector<std::string>{"wall_arrow_dxt1", "wall_arrow_bgra32 (two-sided)",
                                                   "wall_arrow_bgra32 (transparent)", "wall_arrow_bgra32", "_DOOR_A",
                                                   "COLLISION", "wall_arrow_cutout"}));
        EXPECT_EQ(s.meshes.size(), names.size());
        EXPECT_TRUE(s.materials[1].doubleSided && !s.materials[1].blend && s.materials[2].blend);
        const auto& colours = s.meshes[3].colours;
        EXPECT_EQ(
            std::count_if(colours.begin(), colours.end(),
                          [](SceneColour c) { return c.red == 30 && c.green == 20 && c.blue == 10 && c.alpha == 255; }),
            1);
    }
}

// Every quad the game shows faces into the room (the floor up, the walls in), its triangles' corners run
// counter-clockwise seen from inside.
TEST(LevelScene, TheDemoRoomFacesInward) {
    const LevelBuilder b = demo::BuildDemoLevel();
    OpenedLevel l(b);
    Conversion out;
    const Scene s = LevelScene(l.level(), l.level().at(b.IndexNamed("level1")), {}, out);
    const Point centre{0, 0.8f, 0};
    for (const SceneMesh& m : s.meshes) {
        for (const Corners& t : TrianglesOf(m)) {
            const Point middle{(t.a.x + t.b.x + t.c.x) / 3, (t.a.y + t.b.y + t.c.y) / 3, (t.a.z + t.b.z + t.c.z) / 3};
            EXPECT_GT(Dot(Cross(Minus(t.b, t.a), Minus(t.c, t.a)), Minus(centre, middle)), 0) << m.name;
        }
    }
}

// Nineteen nodes in the bones' hierarchy (parent = byte 0 of each 4-byte bone after the list's 32-byte header), each
// part's points where the LightWave export puts them, every part a solid with its faces out, mirrored ones included.
TEST(CharacterScene, PartsOnTheSkeletonWhereTheLightWaveExportPutsThem) {
    LevelBuilder b = demo::BuildDemoLevel();
    OpenedLevel l(b);
    Conversion out;
    int group = 0;
    ForEachBody(
        l.level(), l.level().at(b.IndexNamed("konoko")), {.CharacterGroup = 6}, NoProgress(), out,
        [&](int g, const Body& body) {
            const Scene s = CharacterScene(l.level(), body, out);
            ASSERT_EQ(s.nodes.size(), 19u);
            std::vector<int> parents;
            for (const SceneNode& n : s.nodes) parents.push_back(n.parent);
            EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 2, 0, 4, 5, 0, 7, 8, 9, 8, 11, 12, 13, 8, 15, 16, 17}));
            EXPECT_EQ(std::tie(s.nodes[7].name, s.nodes[14].name, s.nodes[18].name),
                      std::tuple("mid", "left fist", "right fist"));
            const std::vector<Point> expected = demo::CharacterInPlace(g);
            std::size_t k = 0;
            for (std::size_t n = 0; n < s.nodes.size(); ++n) {
                const SceneMesh& mesh = s.meshes.at(static_cast<std::size_t>(s.nodes[n].mesh));
                const Point at = WorldOf(s, static_cast<int>(n));
                for (const Point& p : mesh.positions) {
                    const Point e = ScenePoint(expected.at(k++));
                    EXPECT_NEAR(Dot(Minus({p.x + at.x, p.y + at.y, p.z + at.z}, e), {1, 1, 1}), 0, 1e-5) << n;
                }
                float volume = 0;
                for (const Corners& t : TrianglesOf(mesh, at)) volume += Dot(t.a, Cross(t.b, t.c)) / 6;
                EXPECT_GT(volume, 0) << s.nodes[n].name << " of group " << g;
            }
            EXPECT_EQ(k, expected.size());
            EXPECT_NE(s.materials.at(static_cast<std::size_t>(s.meshes[10].material)).texture, nullptr);
            group = g;
        });
    EXPECT_EQ(group, 5);
    EXPECT_TRUE(out.missingParts.empty()) << out.missingParts;

    // A bone whose parent is no earlier bone would close a loop: its part hangs at the top.
    b.resource(b.IndexNamed("konoko_bones")).data.at(0x20 + 4 * 5) = 7;
    OpenedLevel looped(b);
    ForEachBody(
        looped.level(), looped.level().at(b.IndexNamed("konoko")), {.CharacterGroup = 1}, NoProgress(), out,
        [&](int, const Body& body) { EXPECT_EQ(CharacterScene(looped.level(), body, out).nodes[5].parent, -1); });
}
