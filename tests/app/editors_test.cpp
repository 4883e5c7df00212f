// The lighting and string editors on the demo level: what they change in the
// copy, and what reaches the .dat.

#include "Fixture.h"
#include "app/LightingEditor.h"
#include "app/StringEditor.h"
#include "level/records/LevelRecords.h"
#include "text/Windows1252.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

struct Editors : ::testing::Test {
    const LevelBuilder built = demo::BuildDemoLevel();
    OpenedLevel demo{built};
    Bytes before = ReadFileBytes(Level().datPath());

    const drossel::Level& Level() const { return demo.level(); }
    std::int32_t Named(const std::string& name) const { return built.IndexNamed(name); }
    // Where byte `at` of quad `quad` of the quad list lies in the .dat.
    std::size_t QuadByte(std::uint32_t quad, std::size_t at) const {
        return static_cast<std::size_t>(Level().at(Named("level1_AGQG")).dataOffset) + sizeof(ListHeader) +
               sizeof(Quad) * quad + at;
    }
};

QuadColours Counting(std::uint8_t from) {
    QuadColours c;
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<std::uint8_t>(from + i);
    return c;
}

}  // namespace

TEST_F(Editors, LightsChangeOnlyTheColourBytesTheyOwn) {
    LightingEditor editor(Level(), Named("level1_AGQG"));
    ASSERT_EQ(editor.quadCount(), 16u);
    EXPECT_EQ(editor.DataPositionText(Level()), std::to_string(Level().at(editor.index()).dataOffset + 1));
    editor.Apply(5, Counting(1));
    editor.Save(Level());
    Bytes expected = before;
    for (std::size_t i = 0; i < kColourBytes; ++i) expected[QuadByte(5, 32 + i)] = static_cast<std::uint8_t>(1 + i);
    EXPECT_EQ(ReadFileBytes(Level().datPath()), expected) << "only bytes 32..47 of quad 5";

    editor.ApplyCornerToAll(3, Counting(100));
    editor.Save(Level());
    for (std::uint32_t q = 0; q < 16; ++q) {
        for (std::size_t i = 8; i < 12; ++i) expected[QuadByte(q, 32 + i)] = static_cast<std::uint8_t>(100 + i);
    }
    EXPECT_EQ(ReadFileBytes(Level().datPath()), expected) << "bytes 40..43 of every quad";

    editor.ApplyToAll(Counting(200));
    EXPECT_EQ(editor.Colours(15), Counting(200));
    EXPECT_THROW(editor.Apply(16, Counting(0)), DrosselError);
    LevelBuilder b;
    b.Add("AGQG", "empty");
    EXPECT_THROW(LightingEditor(OpenedLevel(b).level(), 0), DrosselError) << "a quad list without quads";
}

TEST_F(Editors, ColourBoxesTakeWholeNumbersFrom0To255) {
    for (auto [text, byte] : std::initializer_list<std::pair<const char*, int>>{
             {"0", 0}, {"255", 255}, {" 7 ", 7}, {"256", -1}, {"-1", -1}, {"", -1}, {"1.5", -1}, {"0x1", -1}}) {
        const auto read = ColourByte(text);
        EXPECT_EQ(read ? *read : -1, byte) << text;
    }
    std::array<std::string, kColourBytes> boxes;
    boxes.fill("9");
    boxes[6] = "red";
    QuadColours colours{};
    EXPECT_FALSE(ReadColourTexts(boxes, 0, 4, colours)) << "colour 1 alone does not read box 7";
    EXPECT_EQ(colours[3], 9);
    EXPECT_EQ(colours[4], 0);
    const auto problem = ReadColourTexts(boxes, 0, kColourBytes, colours);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->substr(0, 23), "Colour 2, red: \"red\" is");
    EXPECT_EQ(colours[4], 0) << "nothing read when one box is wrong";
}

TEST_F(Editors, StringsAreBlankFilledToTheirField) {
    const StringEditor title(Level(), Named("mission_title"));
    EXPECT_EQ(title.width(), 152u);
    EXPECT_EQ(title.text(), "Mission 1: The Warehouse");
    title.Save(Level(), "Hello");
    const std::size_t field = static_cast<std::size_t>(Level().at(title.index()).dataOffset) + 8;
    Bytes expected = before;
    std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(field), 152, ' ');
    std::copy_n("Hello", 5, expected.begin() + static_cast<std::ptrdiff_t>(field));
    EXPECT_EQ(ReadFileBytes(Level().datPath()), expected);

    const StringEditor objective(Level(), Named("objective_text"));
    EXPECT_EQ(objective.width(), 392u);
    EXPECT_NO_THROW(objective.Save(Level(), std::string(392, 'x')));
    EXPECT_THROW(objective.Save(Level(), std::string(393, 'x')), DrosselError);
    EXPECT_THROW(objective.Save(Level(), "\xE4\xB8\xAD"), DrosselError) << "no such character in the code page";
    EXPECT_EQ(StringEditor(Level(), objective.index()).text(), std::string(392, 'x'));
    EXPECT_THROW(StringEditor(Level(), Named("level1_AGQG")), DrosselError);
}

TEST(Windows1252, EveryByteComesBackAndOnlyItsCharactersAreStored) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(all)), all);
    EXPECT_EQ(Utf8FromWindows1252("\x80\x92\xE9"), "\u20AC\u2019\u00E9");
    std::string unstorable;
    for (const char* text : {"\u4E2D", "\u0080", "\xC3", "\xC0\x80"}) {
        EXPECT_FALSE(Windows1252FromUtf8(text, &unstorable)) << text;
    }
}
