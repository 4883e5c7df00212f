// Models, characters, weapons and levels, gathered as the exporters gather them.

#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

using namespace drossel;
using namespace drossel::testing;

namespace {

constexpr std::int32_t Marked(std::int32_t v) {
    return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(v));
}

std::vector<std::array<std::uint32_t, 3>> Corners(const std::vector<Triangle>& triangles) {
    std::vector<std::array<std::uint32_t, 3>> out;
    for (const Triangle& t : triangles) out.push_back({t.a, t.b, t.c});
    return out;
}

}  // namespace

TEST(DecodeStrips, StripsAlternateAndThreeValueStripsSwitchToSeparateTriangles) {
    using Corners3 = std::vector<std::array<std::uint32_t, 3>>;
    EXPECT_EQ(Corners(DecodeStrips({{Marked(0), 1, 2, 3, Marked(4), 5, 6}}, 3, FlatStreamEnd::Padded)),
              (Corners3{{0, 1, 2}, {2, 1, 3}, {4, 5, 6}}));
    EXPECT_EQ(Corners(DecodeStrips({{Marked(7), 8, 9, Marked(10), 11, 12}}, 2, FlatStreamEnd::Plain)),
              (Corners3{{7, 8, 9}, {10, 11, 12}}));
    // More triangles counted than the strips give: the rest are (0, 0, 0).
    EXPECT_EQ(Corners(DecodeStrips({{Marked(7), 8, 9, Marked(10), 11, 12}}, 4, FlatStreamEnd::Padded)),
              (Corners3{{7, 8, 9}, {10, 11, 12}, {0, 0, 0}, {0, 0, 0}}));
    // A list that does not begin with a marked value is read as a strip, and ends.
    EXPECT_EQ(Corners(DecodeStrips({{5, 6, 7, 8}}, 2, FlatStreamEnd::Padded)), (Corners3{{5, 6, 7}, {7, 6, 8}}));
    EXPECT_EQ(DecodeStrips({}, 0, FlatStreamEnd::Padded).size(), 0u);
}

namespace {

constexpr auto Id = LevelBuilder::IdentifierOf;

// A model of `points` points (1, 2, 3), (2, 2, 3), ... and one triangle strip over them.
int AddModel(LevelBuilder& b, int points) {
    std::vector<Point> list;
    for (int i = 0; i < points; ++i) list.push_back({1.0f + static_cast<float>(i), 2, 3});
    ListHeader triangles{};
    triangles.count = 2;
    ModelRecord m{};
    m.points = Id(b.AddData("PNTA", "p", ListOf(PointListHeader{}, list)));
    m.strips = Id(b.AddData("IDXA", "s", ListOf(ListHeader{}, std::vector<std::int32_t>{Marked(0), 1, 2, 1})));
    m.triangles = Id(b.AddData("IDXA", "t", BytesOf(triangles)));
    return b.AddData("M3GM", "part", BytesOf(m));
}

// A character whose body (every group's) has parts 1 to 3 and 13, with all joint offsets zero.
int AddCharacter(LevelBuilder& b) {
    PartListRecord parts{};
    for (auto [part, points] : {std::pair{1, 10}, {2, 20}, {3, 30}, {13, 1}})
        parts.models[part - 1] = Id(AddModel(b, points));
    BodyRecord body{};
    body.parts = Id(b.AddData("TRGA", "parts", BytesOf(parts)));
    body.jointOffsets =
        Id(b.AddData("TRTA", "joints", ListOf(JointListHeader{}, std::vector<JointOffset>(kJointOffsets))));
    body.bones = Id(b.AddData("TRIA", "bones", BytesOf(JointListHeader{})));
    BodySetRecord set{};
    for (std::uint32_t& link : set.bodies) link = Id(b.AddData("TRCM", "body", BytesOf(body)));
    CharacterRecord character{};
    character.bodySet = Id(b.AddData("TRBS", "set", BytesOf(set)));
    return b.AddData("ONCC", "hero", BytesOf(character));
}

}  // namespace

TEST(ExportCharacter, PartsAreMergedAndPlacedOnTheSkeleton) {
    LevelBuilder b;
    const int hero = AddCharacter(b);
    OpenedLevel l(b);
    Options o;
    o.CharacterLwoFormat = 60;
    Conversion c = ExportCharacter(l.level(), l.level().at(hero), o);
    ASSERT_EQ(c.pieces.size(), 1u);
    EXPECT_EQ(c.pieces[0].place, OutputPiece::Place::Chosen);
    const Bytes lwo = std::get<Bytes>(c.pieces[0].content);
    // Points: part 1 unchanged, part 2 mirrored, part 3's first point at index 30, part 13 mirrored and shifted.
    const auto point = [&](std::size_t i) {
        const auto at = 12 + 8 + 12 * i;  // FORM header, PNTS header
        auto f = [&](std::size_t k) { return std::bit_cast<float>(__builtin_bswap32(U32At(lwo, at + 4 * k))); };
        return std::array{f(0), f(1), f(2)};
    };
    EXPECT_EQ(point(0), (std::array{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(point(10), (std::array{-1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(point(60), (std::array{-1.0f, 2.0f, 1.5101f}));
    EXPECT_EQ(U32At(lwo, 16), __builtin_bswap32(12 * 61)) << "61 points";
    const std::string text(lwo.begin(), lwo.end());
    const std::size_t pols = text.find("POLS");
    ASSERT_NE(pols, std::string::npos);
    // Two triangles from each part but 13, whose single point cannot carry the strip.
    EXPECT_EQ(U32At(lwo, pols + 4), __builtin_bswap32(10 * 6));
    EXPECT_NE(c.missingParts.find("name points the model does not have"), std::string::npos);
    EXPECT_NE(c.missingParts.find("part 4 is missing"), std::string::npos);
    o.CharacterGroup = 6;  // all groups, each a file of its own
    c = ExportCharacter(l.level(), l.level().at(hero), o);
    ASSERT_EQ(c.pieces.size(), 5u);
    EXPECT_EQ(c.pieces[4].place, OutputPiece::Place::ChosenStem);
    EXPECT_EQ(c.pieces[4].name, "_5.lwo");
}

TEST(ConvertLevel, DemoLevelInEveryFormat) {
    OpenedLevel l(demo::BuildDemoLevel());
    int level = 0;
    while (l.level().at(level).tag != "ONLV") ++level;
    Options o;
    for (auto [format, names] :
         {std::pair{1, std::vector<std::string>{""}}, {6, {".rwb"}}, {7, {".b3d"}}, {8, {".b3d", ".tlist", ".txt"}}}) {
        o.LevelFormat = format;
        const Conversion c = ConvertLevel(l.level(), l.level().at(level), o);
        ASSERT_EQ(c.pieces.size(), names.size()) << format;
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(c.pieces[i].name, names[i]) << format;
        EXPECT_TRUE(c.missingParts.empty()) << c.missingParts;
    }
    o.LevelFormat = 1;
    WriteFileBytes(l.Out("level.lwo"),
                   std::get<Bytes>(ConvertLevel(l.level(), l.level().at(level), o).pieces[0].content));
    EXPECT_EQ(
        RunShell("cd '" + l.Out() + "' && osgconv level.lwo level.obj >/dev/null 2>&1 && grep -c '^f ' level.obj"),
        "26\n")
        << "OpenSceneGraph reads two triangles a quad";
    const Conversion rwb = (o.LevelFormat = 6, ConvertLevel(l.level(), l.level().at(level), o));
    EXPECT_EQ(std::get<Bytes>(rwb.pieces[0].content).size(), 13u * 72) << "every quad, collision and door included";
    const Conversion names = (o.LevelFormat = 8, ConvertLevel(l.level(), l.level().at(level), o));
    const Bytes& txt = std::get<Bytes>(names.pieces[2].content);
    EXPECT_EQ(std::string(txt.begin(), txt.end()),
              "4\r\nwall_arrow_bgra32\r\nwall_arrow_dxt1\r\nCOLLISION\r\n_DOOR_A\r\n");
}
