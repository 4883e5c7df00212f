// Models, characters, weapons and levels, gathered as the exporters gather them.

#include "DemoGeometry.h"
#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "io/LittleEndian.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"

#include <bit>
#include <cmath>

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr std::int32_t Marked(std::int32_t v) {
    return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(v));
}

constexpr auto Id = LevelBuilder::IdentifierOf;

// The points of a LightWave object whose PNTS chunk comes first (layouts 60 and 70).
std::vector<Point> PointsOf(const Bytes& lwo) {
    std::vector<Point> points(Be32(lwo, 16) / 12);
    const auto at = [&](std::size_t k) { return std::bit_cast<float>(Be32(lwo, 20 + 4 * k)); };
    for (std::size_t i = 0; i < points.size(); ++i) points[i] = {at(3 * i), at(3 * i + 1), at(3 * i + 2)};
    return points;
}

// A model (laid out by its documented offsets) of `points` points (1, 2, 3), (2, 2, 3), ..., one triangle strip over
// them and `uv` texture coordinates (1, 0), (2, 0), ...
int AddModel(LevelBuilder& b, int points, int uv = 0) {
    std::vector<Point> list;
    for (int i = 0; i < points; ++i) list.push_back({1.0f + static_cast<float>(i), 2, 3});
    std::vector<TexCoord> coordinates;
    for (int i = 0; i < uv; ++i) coordinates.push_back({1.0f + static_cast<float>(i), 0});
    return b.AddData(
        "M3GM", "part",
        Words(64, {{0x0C, Id(b.AddData("PNTA", "p", ListOf(PointListHeader{}, list)))},
                   {0x18, Id(b.AddData("TXCA", "uv", ListOf(ListHeader{}, coordinates)))},
                   {0x1C, Id(b.AddData("IDXA", "s", ListOf(ListHeader{}, std::vector{Marked(0), 1, 2, 1})))},
                   {0x20, Id(b.AddData("IDXA", "t", ListOf(ListHeader{}, std::vector<std::int32_t>(2))))}}));
}

// Joint offsets (TRTA) or bones (TRIA) as the game lays them out: a u16 count
// at 0x1E, then the entries from 0x20.
Bytes JointList(std::uint16_t count, const Bytes& entries) {
    Bytes b(0x20);
    PutU16(b, 0x1E, count);
    return b + entries;
}

// A character whose body (every group's) has parts 1 to 3 and 13 with points (part 1
// with one texture coordinate, part 2 with one a point), the others without, with these joint offsets (all zero when none are given) and
// bones (joint, child). The records are laid out by their documented offsets; the
// body also holds decoys: other part lists, joints and bones at 0x6C, 0x70, 0x74.
int AddCharacter(LevelBuilder& b, std::vector<JointOffset> offsets = {},
                 const std::vector<std::pair<std::uint8_t, std::uint8_t>>& bones = {}) {
    offsets.resize(kJointOffsets);
    Bytes parts(0x80), decoyParts(0x80);
    for (std::size_t c = 0; c < 19; ++c) PutU32(parts, 0x20 + 4 * c, Id(AddModel(b, 0)));
    for (auto [part, points, uv] : {std::tuple{1, 10, 1}, {2, 20, 20}, {3, 30, 0}, {13, 1, 0}})
        PutU32(parts, 0x20 + 4 * static_cast<std::size_t>(part - 1), Id(AddModel(b, points, uv)));
    for (std::size_t c = 0; c < 19; ++c) PutU32(decoyParts, 0x20 + 4 * c, Id(AddModel(b, 5)));
    Bytes joints, boneBytes;
    for (const JointOffset& o : offsets) joints = joints + Le(o.x, o.y, o.z);
    for (auto [joint, child] : bones) boneBytes = boneBytes + Bytes{joint, child, 0, 0};
    const auto decoy = [&](const char* tag) {
        return Id(b.AddData(tag, "decoy", JointList(kJointOffsets, Bytes(12 * kJointOffsets, 0x42))));
    };
    const Bytes body = Words(144, {{0x5C, Id(b.AddData("TRGA", "parts", parts))},
                                   {0x60, Id(b.AddData("TRTA", "joints", JointList(kJointOffsets, joints)))},
                                   {0x64, Id(b.AddData("TRIA", "bones", JointList(bones.size(), boneBytes)))},
                                   {0x6C, Id(b.AddData("TRGA", "decoy", decoyParts))},
                                   {0x70, decoy("TRTA")},
                                   {0x74, decoy("TRIA")}});
    Bytes set(32);
    for (std::size_t g = 0; g < 5; ++g) PutU32(set, 8 + 4 * g, Id(b.AddData("TRCM", "body", body)));
    return b.AddData("ONCC", "hero", Words(3232, {{3132, Id(b.AddData("TRBS", "set", set))}}));
}

}  // namespace

// More triangles counted than the strips give: the rest are (0, 0, 0). A list that does not begin with a marked
// value is read as a strip, and ends. Zeros inside a strip do not end it, nor does an unmarked start followed by a
// strip; a switch to separate triangles ends at the list's end.
TEST(DecodeStrips, StripsAlternateAndThreeValueStripsSwitchToSeparateTriangles) {
    struct Case {
        std::vector<std::int32_t> values;
        std::uint32_t count;
        std::vector<std::array<std::uint32_t, 3>> corners;
    };
    for (const auto& [values, count, corners] : std::initializer_list<Case>{
             {{Marked(0), 1, 2, 3, Marked(4), 5, 6}, 3, {{0, 1, 2}, {2, 1, 3}, {4, 5, 6}}},
             {{Marked(7), 8, 9, Marked(10), 11, 12}, 2, {{7, 8, 9}, {10, 11, 12}}},
             {{Marked(7), 8, 9, Marked(10), 11, 12}, 4, {{7, 8, 9}, {10, 11, 12}, {0, 0, 0}, {0, 0, 0}}},
             {{5, 6, 7, 8}, 2, {{5, 6, 7}, {7, 6, 8}}},
             {{}, 0, {}},
             {{Marked(1), 2, 0, 0, 3}, 3, {{1, 2, 0}, {0, 2, 0}, {0, 0, 3}}},
             {{0, 1, 2, Marked(3), 4, 5, 6}, 3, {{0, 1, 2}, {3, 4, 5}, {5, 4, 6}}},
             {{Marked(1), 2, 3, 0, 4, 5}, 4, {{1, 2, 3}, {3, 2, 0}, {3, 0, 4}, {4, 0, 5}}},
             {{Marked(7), 8, 9, Marked(10), 11}, 2, {{7, 8, 9}, {10, 11, 0}}},
             {{Marked(5), 0, 6, 7}, 2, {{5, 0, 6}, {6, 0, 7}}},
             {{Marked(7), 8, 9, Marked(10)}, 2, {{7, 8, 9}, {10, 0, 0}}},
             {{Marked(7), 8, 9, Marked(10), 11, 12, 9}, 4, {{7, 8, 9}, {10, 11, 12}, {9, 0, 0}, {0, 0, 0}}}}) {
        std::vector<std::array<std::uint32_t, 3>> decoded;
        for (const Triangle& t : DecodeStrips(values, count)) decoded.push_back({t.a, t.b, t.c});
        EXPECT_EQ(decoded, corners) << values.size() << " values, " << count << " counted";
    }
}

TEST(ExportCharacter, PartsAreMergedAndPlacedOnTheSkeleton) {
    LevelBuilder b;
    const int hero = AddCharacter(b);
    Conversion c = Converted(b, hero, ExportCharacter, {.CharacterLwoFormat = 60, .CharacterGroup = 1});
    ASSERT_EQ(c.pieces.size(), 1u);
    EXPECT_EQ(c.pieces[0].place, OutputPiece::Place::Chosen);
    const Bytes lwo = PieceBytes(c);
    // Part 1 unchanged, part 2 mirrored, part 3's first point at index 30, part 13 mirrored and shifted.
    const std::vector<Point> points = PointsOf(lwo);
    ASSERT_EQ(points.size(), 61u);
    for (auto [i, expected] :
         {std::pair{0, Point{1, 2, 3}}, {10, {-1, 2, 3}}, {30, {-1, 2, 3}}, {60, {-1, 2, 1.5101f}}}) {
        EXPECT_EQ(std::tie(points[i].x, points[i].y, points[i].z), std::tie(expected.x, expected.y, expected.z)) << i;
    }
    // Two triangles from each part but 13, whose single point cannot carry the strip; mirrored ones (part 2)
    // turned round, so that they are not inside out.
    const std::size_t pols = FindChunk(lwo, "POLS");
    EXPECT_EQ(Be32(lwo, pols + 4), 10u * 6);
    std::vector<int> corners;
    for (std::size_t at : {10, 12, 14, 30, 32, 34}) corners.push_back(lwo[pols + at] << 8 | lwo[pols + at + 1]);
    EXPECT_EQ(corners, (std::vector{0, 1, 2, 10, 12, 11}));
    EXPECT_NE(c.missingParts.find("name points the model does not have"), std::string::npos);
    EXPECT_NE(c.missingParts.find("9 texture coordinates of part 1 of body 1 of hero are missing"), std::string::npos);
    // Each part brings one texture coordinate a point: part 1's missing ones are (0, 0), part 2's stay with its points.
    const Bytes lwo2 = PieceBytes(Converted(b, hero, ExportCharacter, {.CharacterLwoFormat = 70, .CharacterGroup = 1}));
    const std::size_t vmap = FindChunk(lwo2, "VMAP");
    EXPECT_EQ(Be32(lwo2, vmap + 4), 14u + 10 * 61);
    const auto u = [&](std::size_t i) { return std::bit_cast<float>(Be32(lwo2, vmap + 8 + 14 + 10 * i + 2)); };
    EXPECT_EQ(std::tuple(u(0), u(1), u(10), u(11)), std::tuple(1.0f, 0.0f, 1.0f, 2.0f));
    c = Converted(b, hero, ExportCharacter, {.CharacterLwoFormat = 60, .CharacterGroup = 6});  // a file a group
    ASSERT_EQ(c.pieces.size(), 5u);
    EXPECT_EQ(c.pieces[4].place, OutputPiece::Place::ChosenStem);
    EXPECT_EQ(c.pieces[4].name, "_5.lwo");
}

// Bone k joins the parent bone k + 1 names to its own child, or, when it names
// none, to the joint bone k + 2 names.
TEST(ExportCharacter, BonesAddUpTheJointOffsets) {
    LevelBuilder b;
    const int hero = AddCharacter(b, {{0, 0, 0}, {0, 10, 0}, {5, 0, 0}}, {{0, 0}, {0, 2}, {1, 0}});
    const Conversion c = Converted(b, hero, ExportCharacter, {.CharacterLwoFormat = 60});
    const std::vector<Point> points = PointsOf(PieceBytes(c));
    // Joint 1 = joint 0 + offset 1 (bone 0 names no child: bone 2's joint); joint 2 = joint 1 + mirrored offset 2.
    EXPECT_EQ(points.at(10).y, 12.0f) << "part 2 hangs on joint 1";
    EXPECT_EQ(points.at(30).x, -6.0f) << "part 3 hangs on joint 2";
    EXPECT_EQ(points.at(30).y, 12.0f);
    // Only the offsets the list counts are mirrored.
    PutU16(b.resource(b.IndexNamed("joints")).data, 0x1E, 2);
    EXPECT_EQ(PointsOf(PieceBytes(Converted(b, hero, ExportCharacter, {.CharacterLwoFormat = 60}))).at(30).x, 4.0f);
}

// A character is refused, with what was missing, when a link of it or of its parts names nothing (in every record
// of that kind), or a bone names a joint past the offsets, a bone past the list or a parent past the joints.
TEST(ExportCharacter, RefusedWhenAPartOrJointIsMissing) {
    using Case = std::tuple<const char*, std::size_t, std::vector<std::pair<std::uint8_t, std::uint8_t>>, const char*>;
    const Case kCases[] = {
        {"TRBS", 8 + 8, {}, "body 3 of hero"},
        {"TRCM", 0x5C, {}, "the part list of body 1"},
        {"TRCM", 0x60, {}, "the joint offsets of body 1"},
        {"TRCM", 0x64, {}, "the bones of body 1"},
        {"TRGA", 0x20 + 4 * 3, {}, "the model of part 4 of body 1"},
        {"M3GM", 12, {}, "the points of part"},
        {"M3GM", 24, {}, "the texture coordinates of part"},
        {"", 0, {{0, kJointOffsets}, {0, 0}}, "bone 0 of body 1 of hero names a joint"},
        {"", 0, {{0, 1}, {kJointOffsets + 3, 0}}, "bone 0 of body 1"},
        {"", 0, {{0, 1}, {0, 0}, {0, 0}}, "bone 1 of body 1"},
    };
    for (const auto& [tag, at, bones, what] : kCases) {
        LevelBuilder b;
        const int hero = AddCharacter(b, {}, bones);
        for (int i = 0; i < b.count(); ++i)
            if (b.resource(i).tag == tag) PutU32(b.resource(i).data, at, 0xDEAD01);
        const std::string refused = ErrorOf([&] { Converted(b, hero, ExportCharacter, {.CharacterGroup = 6}); });
        EXPECT_NE(refused.find(what), std::string::npos) << what << ": " << refused;
    }
}

// The triangle list counts the model's triangles, those the strips do not give being (0, 0, 0); a count claiming
// more entries than the list's record holds is refused.
TEST(ExportModel, TheTriangleListCountsTheTriangles) {
    LevelBuilder b;
    const int model = AddModel(b, 3);
    Bytes& list = b.resource(model - 1).data;
    list = Words(0x20 + 4 * 700, {{0x1C, 700}});
    const Bytes lwo = PieceBytes(Converted(b, model, ExportModel, {.ModelLwoFormat = 60}));
    EXPECT_EQ(Be32(lwo, FindChunk(lwo, "POLS") + 4), 10u * 700);
    PutU32(list, 0x1C, 701);
    EXPECT_NE(ErrorOf([&] { Converted(b, model, ExportModel); }).find("the triangle list of part (t) counts 701"),
              std::string::npos);
}

TEST(ExportCharacter, TheDemoCharacterStandsWhereItWasBuilt) {
    const LevelBuilder demo = demo::BuildDemoLevel();
    OpenedLevel l(demo);
    Options o{.CharacterLwoFormat = 60};
    for (int group : {1, 5}) {
        o.CharacterGroup = group;
        const Conversion c = ExportCharacter(l.level(), l.level().at(demo.IndexNamed("konoko")), o);
        const std::vector<Point> points = PointsOf(PieceBytes(c)), expected = demo::CharacterInPlace(group);
        ASSERT_EQ(points.size(), expected.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            for (float Point::*axis : {&Point::x, &Point::y, &Point::z})
                EXPECT_NEAR(points[i].*axis, expected[i].*axis, 1e-4) << group << ": point " << i;
        }
        EXPECT_TRUE(c.missingParts.empty()) << c.missingParts;
    }
}

// Garbage coordinates become 0; quads with a corner naming the point past the last
// are left out; each quad becomes the triangles (0, 1, 2) and (2, 3, 0).
TEST(ConvertLevel, CleansPointsAndSplitsQuads) {
    LevelBuilder b = demo::BuildDemoLevel();
    Bytes& points = b.resource(b.IndexNamed("level1_points")).data;
    const std::uint32_t count = U32At(points, offsetof(PointListHeader, count));
    PutBytes(points, sizeof(PointListHeader),
             Le(std::nanf(""), 2000000.2f, -2000000.1f, 2000000.1f, -2000000.2f, 1.5f));
    Bytes& quads = b.resource(b.IndexNamed("level1_AGQG")).data;
    for (std::size_t k = 0; k < 4; ++k) PutU32(quads, sizeof(ListHeader) + sizeof(Quad) * (k + 1) + 4 * k, count);
    const auto corner = [&](int k) { return U32At(quads, sizeof(ListHeader) + 4 * static_cast<std::size_t>(k)); };
    const Conversion c = Converted(b, b.IndexNamed("level1"), ConvertLevel, {.LevelFormat = 1});
    const Bytes lwo = PieceBytes(c);
    const Point first = PointsOf(lwo).at(0), second = PointsOf(lwo).at(1);
    EXPECT_EQ(std::tie(first.x, first.y, first.z), std::make_tuple(0.0f, 0.0f, -2000000.1f));
    EXPECT_EQ(std::tie(second.x, second.y, second.z), std::make_tuple(2000000.1f, 0.0f, 1.5f));
    const std::size_t pols = FindChunk(lwo, "POLS");
    EXPECT_EQ(Be32(lwo, pols + 4), 10u * 2 * 12);
    std::vector<std::uint32_t> corners;  // the first two polygons' big-endian corners, each after its corner count
    for (std::size_t at : {10, 12, 14, 20, 22, 24}) corners.push_back(lwo[pols + at] << 8 | lwo[pols + at + 1]);
    EXPECT_EQ(corners, (std::vector{corner(0), corner(1), corner(2), corner(2), corner(3), corner(0)}));
    EXPECT_NE(c.missingParts.find("4 quads are missing"), std::string::npos) << c.missingParts;
}

TEST(ConvertLevel, DemoLevelInEveryFormat) {
    const LevelBuilder demo = demo::BuildDemoLevel();
    OpenedLevel l(demo);
    const int level = demo.IndexNamed("level1");
    Options o;
    std::vector<Conversion> made;
    for (auto [format, names] :
         {std::pair{1, std::vector<std::string>{""}}, {6, {".rwb"}}, {7, {".b3d"}}, {8, {".b3d", ".tlist", ".txt"}}}) {
        o.LevelFormat = format;
        const Conversion& c = made.emplace_back(ConvertLevel(l.level(), l.level().at(level), o));
        ASSERT_EQ(c.pieces.size(), names.size()) << format;
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(c.pieces[i].name, names[i]) << format;
        EXPECT_TRUE(c.missingParts.empty()) << c.missingParts;
    }
    EXPECT_EQ(PieceBytes(made[1]).size(), 16u * 72) << "every quad, collision and door included";
    EXPECT_EQ(PieceText(made[3], 2),
              "5\r\nwall_arrow_bgra32\r\nwall_arrow_dxt1\r\nCOLLISION\r\n_DOOR_A\r\nwall_arrow_cutout\r\n");
    WriteFileBytes(l.Out("level.lwo"), PieceBytes(made[0]));
    EXPECT_EQ(
        RunShell("cd '" + l.Out() + "' && osgconv level.lwo level.obj >/dev/null 2>&1 && grep -c '^f ' level.obj"),
        "32\n")
        << "OpenSceneGraph reads two triangles a quad";
}

// Quads name texture coordinates by indices of their own: a level (laid out by its documented offsets) of 4 points
// and 12 coordinates, (k, -k) each, whose quad's corners name coordinates 11, 2, 12 (past the list) and 0.
TEST(ConvertLevel, QuadsNameTextureCoordinatesPastThePointCount) {
    LevelBuilder b;
    Bytes uv = Words(32, {{28, 12}});
    for (int k = 0; k < 12; ++k) uv = uv + Le(static_cast<float>(k), static_cast<float>(-k));
    const auto list = [&](const char* tag, std::uint32_t count, const Bytes& entries) {
        return Id(b.AddData(tag, tag, Words(32, {{28, count}}) + entries));
    };
    const std::uint32_t env = Id(b.AddData(
        "AKEV", "env",
        Words(128, {{8, Id(b.AddData("PNTA", "points", Words(64, {{60, 4}}) + Bytes(48)))},
                    {16, Id(b.AddData("TXCA", "uv", uv))},
                    {20, list("AGQG", 1, Le(0u, 1u, 2u, 3u, 11u, 2u, 12u, 0u) + Bytes(24))},
                    {24, list("AGQR", 1, Le(0u))},
                    {36, list("TXMA", 1, Le(Id(b.Add("TXMP", "wall"))))}})));
    const Bytes b3d = PieceBytes(Converted(b, b.AddData("ONLV", "level", Words(768, {{72, env}})), ConvertLevel,
                                           {.LevelFormat = 8}));
    EXPECT_EQ(Slice(b3d, 131, 60), Text("TEX_UV  ") + Le(4u, 0u, 11.0f, -11.0f, 1u, 2.0f, -2.0f, 2u, 0.0f, 0.0f, 3u) +
                                       Le(0.0f, 0.0f));
}
