// Models, characters and levels as scenes: what the glTF export writes, in glTF's axes and units, the game's
// fields read at their documented offsets.

#include "DemoGeometry.h"
#include "Fixture.h"
#include "convert/SceneExport.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr auto Plus = [](Point p, Point q) { return Point{p.x + q.x, p.y + q.y, p.z + q.z}; };
constexpr auto Minus = [](Point p, Point q) { return Point{p.x - q.x, p.y - q.y, p.z - q.z}; };
constexpr auto Dot = [](Point u, Point v) { return u.x * v.x + u.y * v.y + u.z * v.z; };
constexpr auto Cross = [](Point u, Point v) {
    return Point{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
};

// The corners of each triangle of a mesh moved by `at`, and the triangle's (b - a) x (c - a).
template <typename Use>
void ForEachTriangle(const SceneMesh& m, Point at, Use use) {
    for (const auto& [i, j, k] : m.triangles) {
        const Point a = Plus(m.positions[i], at), b = Plus(m.positions[j], at), c = Plus(m.positions[k], at);
        use(a, b, c, Cross(Minus(b, a), Minus(c, a)));
    }
}

}  // namespace

// The texture link at 0x24 names the picture; a point (x, y, z) becomes (-x, y, z) / 10, and the corners of each
// triangle turn round with the mirrored axis.
TEST(ModelScene, TexturedFromItsLinkTurnedIntoGltfAxes) {
    LevelBuilder b = demo::BuildDemoLevel();
    const int house = b.IndexNamed("crate_box"), sign = b.IndexNamed("_DOOR_A");
    PutU32(b.resource(house).data, 0x24, LevelBuilder::IdentifierOf(sign));
    OpenedLevel l(b);
    Conversion out;
    const Scene s = ModelScene(l.level(), l.level().at(house), out);
    ASSERT_EQ(std::tuple(s.nodes.size(), s.meshes.size(), s.materials.size()), std::tuple(1u, 1u, 1u));
    EXPECT_EQ(std::tie(s.nodes[0].name, s.nodes[0].mesh, s.meshes[0].material, s.materials[0].name),
              std::tuple("crate_box", 0, 0, "_DOOR_A"));
    // The house's first point is (-6, 0, -4); its first strip begins 0, 5, 1.
    const Point first = s.meshes[0].positions[0];
    EXPECT_EQ(std::tie(first.x, first.y, first.z), std::tuple(0.6f, 0.0f, -0.4f));
    EXPECT_EQ(s.meshes[0].triangles[0], (std::array<std::uint32_t, 3>{0, 1, 5}));
    PutU32(b.resource(house).data, 0x24, 0xDEAD);
    OpenedLevel broken(b);
    EXPECT_EQ(ModelScene(broken.level(), broken.level().at(house), out).materials.at(0).texture, nullptr);
    EXPECT_EQ(out.missingParts.find("the texture of crate_box is missing (no resource"), 0u) << out.missingParts;
}

// The flags at 0x30 of each 56-byte quad after the list's 32-byte header, the corner colours (B, G, R, A) at 0x20.
TEST(LevelScene, QuadsByTheirFlagsOneMeshPerTextureAndUse) {
    LevelBuilder b = demo::BuildDemoLevel();
    Bytes& quads = b.resource(b.IndexNamed("level1_AGQG")).data;
    const auto quad = [](std::size_t q, std::size_t at) { return 0x20 + 56 * q + at; };
    // Triangle, ghost, door frame, invisible, two-sided, transparent; the demo's other flags cleared.
    const std::uint32_t flags[16] = {0x40, 0x2, 0x1, 0x2000, 0x200, 0x80};
    for (std::size_t q = 0; q < 16; ++q) PutU32(quads, quad(q, 0x30), flags[q]);
    PutBytes(quads, quad(6, 0x24), {10, 20, 30, 40});
    OpenedLevel l(b);
    for (bool all : {true, false}) {
        Conversion out;
        const Scene s = LevelScene(l.level(), l.level().at(b.IndexNamed("level1")), {.AllQuadsGeometry = all}, out);
        std::size_t triangles = 0, vertices = 0;
        for (const SceneMesh& m : s.meshes) triangles += m.triangles.size(), vertices += m.positions.size();
        EXPECT_EQ(std::tuple(triangles, vertices), all ? std::tuple(31u, 63u) : std::tuple(25u, 51u)) << all;
        if (all) continue;
        ASSERT_EQ(std::tuple(s.materials.size(), s.meshes.size()), std::tuple(7u, 7u));
        EXPECT_EQ(std::tie(s.materials[0].name, s.materials[1].name, s.materials[2].name, s.materials[3].name),
                  std::tuple("wall_arrow_dxt1", "wall_arrow_bgra32 (two-sided)", "wall_arrow_bgra32 (transparent)",
                             "wall_arrow_bgra32"));
        EXPECT_TRUE(s.materials[1].doubleSided && !s.materials[1].blend && s.materials[2].blend);
        // Every triangle faces into the room but the collision block's (a quad whose corners 3, 4 are one: none).
        for (const SceneMesh& m : s.meshes) {
            ForEachTriangle(m, {}, [&](Point a, Point b, Point c, Point normal) {
                const Point middle{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
                EXPECT_TRUE(m.name == "COLLISION" || Dot(normal, Minus({0, 0.8f, 0}, middle)) >= 0) << m.name;
            });
        }
        const SceneColour c = s.meshes[3].colours.at(1);  // quad 6's second corner
        EXPECT_EQ(std::tie(c.red, c.green, c.blue, c.alpha), std::tuple(30, 20, 10, 255));
    }
}

// Nineteen nodes in the bones' hierarchy (parent = byte 0 of each 4-byte bone after the list's 32-byte header), each
// part's points where the LightWave export puts them, every part a solid with its faces out, mirrored ones included.
TEST(CharacterScene, PartsOnTheSkeletonWhereTheLightWaveExportPutsThem) {
    const LevelBuilder b = demo::BuildDemoLevel();
    OpenedLevel l(b);
    Conversion out;
    std::vector<std::pair<int, Scene>> bodies;
    ForEachBody(l.level(), l.level().at(b.IndexNamed("konoko")), {.CharacterGroup = 6}, NoProgress(), out,
                [&](int g, const Body& body) { bodies.emplace_back(g, CharacterScene(l.level(), body, out)); });
    ASSERT_EQ(std::tuple(bodies.size(), out.missingParts), std::tuple(5u, ""));
    for (const auto& [g, s] : bodies) {
        std::vector<int> parents;
        for (const SceneNode& n : s.nodes) parents.push_back(n.parent);
        EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 2, 0, 4, 5, 0, 7, 8, 9, 8, 11, 12, 13, 8, 15, 16, 17}));
        EXPECT_EQ(std::tie(s.nodes[7].name, s.nodes[18].name), std::tuple("mid", "right fist"));
        const std::vector<Point> expected = demo::CharacterInPlace(g);
        std::size_t k = 0;
        for (const SceneNode& n : s.nodes) {
            Point at{};  // the node's origin: its translations added up to the top
            for (const SceneNode* up = &n; up != nullptr;
                 up = up->parent < 0 ? nullptr : &s.nodes[static_cast<std::size_t>(up->parent)])
                at = Plus(at, up->translation);
            const SceneMesh& mesh = s.meshes.at(static_cast<std::size_t>(n.mesh));
            for (const Point& p : mesh.positions)
                EXPECT_NEAR(Dot(Minus(Plus(p, at), ScenePoint(expected.at(k++))), {1, 1, 1}), 0, 1e-5) << n.name;
            float volume = 0;
            ForEachTriangle(mesh, at, [&](Point a, Point, Point, Point normal) { volume += Dot(a, normal) / 6; });
            EXPECT_GT(volume, 0) << n.name << " of group " << g;
        }
        EXPECT_EQ(k, expected.size());
        EXPECT_NE(s.materials.at(static_cast<std::size_t>(s.meshes[10].material)).texture, nullptr);
    }
}
