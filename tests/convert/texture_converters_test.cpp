// The three picture converters, called as the command shell calls them: a level,
// a resource and the options in, the picture and how it is to be named out.

#include "Pictures.h"
#include "convert/Converters.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

const ImageOutput& Image(const Conversion& c) {
    EXPECT_EQ(c.pieces.size(), 1u);
    return std::get<ImageOutput>(c.pieces.at(0).content);
}

// Textures of exact pictures, the first at table index 0.
struct Textures {
    LevelBuilder builder;
    std::vector<Picture> pictures;

    // Returns the texture's identifier.
    std::uint32_t Add(std::uint32_t format, int width, int height) {
        pictures.push_back(ExactPicture(format, width, height, static_cast<int>(pictures.size()) + 1));
        const Bytes stored = EncodeTexturePixels(pictures.back(), format);
        return LevelBuilder::IdentifierOf(builder.AddTexture("t", width, height, format, stored));
    }
    // Each picture, opaque, with its top-left corner at (left, top) of `into`, cut to w x h.
    void Place(Picture& into, std::size_t i, int left, int top, int w, int h) const {
        const Picture p = Opaque(pictures[i]);
        for (int y = 0; y < std::min(h, p.height); ++y) {
            for (int x = 0; x < std::min(w, p.width); ++x) into.at(left + x, top + y) = p.at(x, y);
        }
    }
};

}  // namespace

// Pixel data is read a band of rows at a time (about a megabyte): textures of
// several bands, the last one short, and DXT1 rows of blocks cut at the bottom.
TEST(ConvertTxmp, DecodesBandByBandAtTheOptionsDepthAndRefusesWhatItCannotRead) {
    Textures t;
    for (auto [format, width, height] : {std::tuple{1u, 7, 5}, {0u, 2048, 600}, {8u, 1024, 520}, {9u, 8192, 262}})
        t.Add(format, width, height);
    const int past = t.builder.AddTexture("past", 64, 64, 1, Bytes(10, 0));
    const int odd = t.builder.AddTexture("odd", 4, 4, 5, Bytes(32, 0));
    for (int i = 0; i < 4; ++i) {
        const Conversion c = Converted(t.builder, i, ConvertTxmp, {.Image = ImageFormat::Bmp24});
        EXPECT_EQ(Image(c).bits, 24);
        EXPECT_EQ(c.pieces[0].place, OutputPiece::Place::Chosen) << "the chosen name decides the container";
        EXPECT_TRUE(SamePicture(PictureOf(Image(c).pixels), t.pictures[static_cast<std::size_t>(i)])) << i;
    }
    EXPECT_THROW(Converted(t.builder, past, ConvertTxmp), DrosselError);
    EXPECT_THROW(Converted(t.builder, odd, ConvertTxmp), DrosselError);
}

TEST(ConvertTxmb, SixTilesInTwoRowsOfThreeUprightAndOpaque) {
    // Each tile missing in turn. Tiles larger than their cells stay inside them (seen when the tile beside or
    // below is missing); the game's large textures are 640 x 480, so the lower tiles are 224 rows high and leave
    // the rest of their cells black.
    const int widths[6] = {300, 300, 128, 300, 300, 128}, heights[6] = {256, 300, 256, 224, 224, 224};
    const std::uint32_t formats[6] = {0, 8, 9, 1, 2, 9};
    for (std::size_t missing = 0; missing < 6; ++missing) {
        Textures t;
        std::array<std::uint32_t, 6> links{};
        for (int i = 0; i < 6; ++i) links[i] = t.Add(formats[i], widths[i], heights[i]);
        links[missing] = 0xABCDEF01;  // a tile that links to nothing
        const int large = t.builder.AddLargeTexture("title", links);
        const Conversion c = Converted(t.builder, large, ConvertTxmb, {.Image = ImageFormat::Bmp32});
        EXPECT_EQ(c.pieces.at(0).place, OutputPiece::Place::ChosenStem);
        EXPECT_EQ(c.pieces.at(0).name, ".bmp") << "the Textures option decides the type, whatever name was typed";
        EXPECT_EQ(Image(c).bits, 32);
        Picture expected(640, 512, {0, 0, 0, 255});
        for (std::size_t i = 0; i < 6; ++i) {
            if (i != missing) t.Place(expected, i, 256 * (i % 3), i < 3 ? 0 : 256, i % 3 == 2 ? 128 : 256, 256);
        }
        EXPECT_TRUE(SamePicture(PictureOf(Image(c).pixels), expected)) << "tile " << missing + 1 << " missing";
        EXPECT_EQ(c.missingParts, "tile " + std::to_string(missing + 1) + " is missing (no resource has identifier " +
                                      std::to_string(0xABCDEF01) + ")");
    }
}

TEST(ConvertKeyI, TenIconsSideBySideAlwaysAtTwentyFourBits) {
    Textures t;
    // Icon 6 is higher than the strip: its top rows are shown.
    std::array<std::uint32_t, 10> links{};
    for (int i = 0; i < 10; ++i)
        links[i] = t.Add(std::array{0u, 1u, 2u, 8u, 9u}[i % 5], i == 2 ? 16 : 32, i == 7 ? 20 : i == 5 ? 48 : 32);
    links[3] = LevelBuilder::IdentifierOf(t.builder.Add("M3GM", "not_a_texture"));
    const int keys = t.builder.AddKeyIcons("keys", links);
    const Conversion c = Converted(t.builder, keys, ConvertKeyI);
    EXPECT_EQ(Image(c).bits, 24);
    // A missing icon keeps its 32 columns black; a low icon keeps its first row at the top.
    Picture expected(32 * 9 + 16, 32, {0, 0, 0, 255});
    for (std::size_t i = 0, left = 0; i < 10; left += i == 2 ? 16 : 32, ++i) {
        if (i != 3) t.Place(expected, i, static_cast<int>(left), 0, 32, 32);
    }
    EXPECT_TRUE(SamePicture(Opaque(PictureOf(Image(c).pixels)), expected)) << "alpha goes with the 24 bits";
    EXPECT_EQ(c.missingParts, "icon 4 is missing (not_a_texture is not a texture)");
}
