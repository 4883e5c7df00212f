#include "../extract/LevelFixture.h"
#include "ImageReadBack.h"
#include "TexturePictures.h"
#include "image/ImageConverters.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct Cell {
    int left, top, width, height;
};
constexpr Cell kCells[6] = {{0, 0, 256, 256},   {256, 0, 256, 256},   {512, 0, 128, 256},
                            {0, 256, 256, 256}, {256, 256, 256, 256}, {512, 256, 128, 256}};

struct LargeTexture {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;
    int index = -1;
    std::vector<Picture> tiles;

    // Six tiles of the given formats and heights (their cells' widths), each its own picture.
    void Build(const std::array<std::uint32_t, 6>& formats, const std::array<int, 6>& heights) {
        std::array<std::uint32_t, 6> links{};
        for (std::size_t t = 0; t < 6; ++t) {
            tiles.push_back(ExactPicture(formats[t], kCells[t].width, heights[t], static_cast<int>(t) + 1));
            links[t] = LevelBuilder::IdentifierOf(builder.AddTexture("tile" + std::to_string(t + 1), kCells[t].width,
                                                                     heights[t], formats[t],
                                                                     EncodeTexturePixels(tiles.back(), formats[t])));
        }
        index = builder.AddLargeTexture("title", links);
    }
    void Open() { session = OpenBuiltLevel(builder, dir); }
    std::string Convert(std::string path) {
        session.selectedIndex = index;
        ConvertTxmb(session, ui, path);
        return path;
    }
    // The picture the six tiles should make: each tile upright in its cell,
    // black where no tile covers the cell, and opaque everywhere.
    Picture Expected() const {
        Picture p(640, 512, {0, 0, 0, 255});
        for (std::size_t t = 0; t < tiles.size(); ++t) {
            for (int y = 0; y < std::min(tiles[t].height, kCells[t].height); ++y) {
                for (int x = 0; x < kCells[t].width; ++x) {
                    Rgba c = tiles[t].at(x, y);
                    c.a = 255;
                    p.at(kCells[t].left + x, kCells[t].top + y) = c;
                }
            }
        }
        return p;
    }
};

}  // namespace

TEST(ConvertTxmb, TilesFormTwoRowsOfThreeUprightTiles) {
    LargeTexture l;
    l.Build({1, 1, 1, 2, 2, 2}, {256, 256, 256, 256, 256, 256});
    l.Open();
    const std::string path = l.Convert(l.dir / "title.tga");
    const auto read = ReadWithImageMagick(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(SamePicture(*read, l.Expected()));
    // The corners name the tiles' first and last stored pixels.
    EXPECT_EQ(read->at(0, 0).r, l.tiles[0].at(0, 0).r);
    EXPECT_EQ(read->at(639, 511).r, l.tiles[5].at(127, 255).r);
    EXPECT_TRUE(l.ui.messages.empty());
}

// The game's large textures are 640 x 480; tiles of any format are decoded by their own format.
TEST(ConvertTxmb, ShortLowerTilesAndMixedFormats) {
    LargeTexture l;
    l.Build({0, 8, 9, 1, 2, 9}, {256, 256, 256, 224, 224, 224});
    l.Open();
    const auto read = ReadWithImageMagick(l.Convert(l.dir / "title.bmp"));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(SamePicture(*read, l.Expected()));
    EXPECT_EQ(read->at(100, 500), (Rgba{0, 0, 0, 255}));
}

TEST(ConvertTxmb, MissingTileStaysBlackAndIsNamedInTheStatusBar) {
    LargeTexture l;
    l.Build({1, 1, 1, 1, 1, 1}, {256, 256, 256, 256, 256, 256});
    // Tile 3 links to nothing, tile 5 to a resource that is no texture.
    const int sound = l.builder.Add("SNDD", "noise", 96);
    Bytes& links = l.builder.resource(l.index).data;
    PutU32(links, 32 + 2 * 4, 0xDEAD0001);
    PutU32(links, 32 + 4 * 4, LevelBuilder::IdentifierOf(sound));
    l.tiles[2] = Picture(128, 0);
    l.tiles[4] = Picture(256, 0);
    l.Open();
    const auto read = ReadWithImageMagick(l.Convert(l.dir / "title.tga"));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(SamePicture(*read, l.Expected()));
    EXPECT_TRUE(l.ui.messages.empty());
    EXPECT_NE(l.ui.status().find("tile 3 is missing"), std::string::npos) << l.ui.status();
    EXPECT_NE(l.ui.status().find("tile 5 is missing (noise is not a texture)"), std::string::npos) << l.ui.status();
    EXPECT_EQ(l.ui.writtenFiles.size(), 1u);
}

TEST(ConvertTxmb, ImageOptionsChooseTypeExtensionAndDepth) {
    LargeTexture l;
    l.Build({1, 1, 1, 1, 1, 1}, {256, 256, 256, 224, 224, 224});
    l.Open();
    EXPECT_EQ(l.Convert(l.dir / "pic.png"), l.dir / "pic.tga");
    EXPECT_EQ(ReadFileBytes(l.dir / "pic.tga").size(), 18u + 640 * 512 * 4);
    EXPECT_FALSE(Exists(l.dir / "pic.png"));
    l.session.ImageExtension = ".bmp";
    l.session.ImageBits = 24;
    EXPECT_EQ(l.Convert(l.dir / "pic.tga"), l.dir / "pic.bmp");
    const Bytes bmp = ReadFileBytes(l.dir / "pic.bmp");
    EXPECT_EQ(bmp.size(), 983094u);
    EXPECT_EQ(GetU32(bmp, 2), 983094u);
    l.session.ImageBits = 32;
    l.Convert(l.dir / "pic.bmp");
    EXPECT_EQ(ReadFileBytes(l.dir / "pic.bmp").size(), 1310774u);
}

TEST(ConvertTxmb, DialogAndCancel) {
    LargeTexture l;
    l.Build({1, 1, 1, 1, 1, 1}, {256, 256, 256, 224, 224, 224});
    l.Open();
    std::string path;
    l.session.selectedIndex = l.index;
    ConvertTxmb(l.session, l.ui, path);
    ASSERT_EQ(l.ui.dialogs.size(), 1u);
    EXPECT_EQ(l.ui.dialogs[0].request.title, "Unpack resource...");
    EXPECT_EQ(l.ui.dialogs[0].request.fileName, "title");
    EXPECT_EQ(l.ui.dialogs[0].request.filter, "TARGA (*.tga)|*.tga|Bitmap (*.bmp)|*.bmp");
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(l.ui.writtenFiles.empty());
    EXPECT_EQ(l.ui.status(), "Status: Converting title");
}

TEST(ConvertTxmb, UnreadableTileFailsTheWholePicture) {
    LargeTexture l;
    l.Build({1, 1, 1, 1, 1, 1}, {256, 256, 256, 224, 224, 224});
    // Tile 6's pixels lie past the end of the .raw file.
    PutU32(l.builder.resource(5).data, 156, 0x7FFFFF00);
    l.Open();
    l.Convert(l.dir / "title.tga");
    ASSERT_EQ(l.ui.messages.size(), 1u);
    EXPECT_NE(l.ui.messages[0].text.find("tile6"), std::string::npos) << l.ui.messages[0].text;
    EXPECT_FALSE(Exists(l.dir / "title.tga"));
}

// A link resolves to the first resource in table order that carries the identifier.
TEST(ConvertTxmb, SharedIdentifierResolvesToTheFirstResource) {
    LargeTexture l;
    l.Build({1, 1, 1, 1, 1, 1}, {256, 256, 256, 224, 224, 224});
    const Picture other = ExactPicture(1, 256, 256, 9);
    BuiltResource copy;
    copy.tag = "TXMP";
    copy.name = "later_twin";
    copy.flags = LevelBuilder::kNamed;
    copy.setIdentifier = false;
    copy.data = TextureRecordData(256, 256, 1, l.builder.AppendRaw(EncodeTexturePixels(other, 1)));
    PutU32(copy.data, 0, LevelBuilder::IdentifierOf(0));  // tile 1's identifier
    l.builder.AddResource(copy);
    l.Open();
    const auto read = ReadWithImageMagick(l.Convert(l.dir / "title.tga"));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(SamePicture(*read, l.Expected()));
}
