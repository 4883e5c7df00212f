// Pictures back into the demo level's textures, as exported or edited; refusals change nothing.

#include "Pictures.h"
#include "app/CommandShell.h"
#include "app/TextureImport.h"
#include "image/ImageFile.h"
#include "image/PngEncode.h"

#include <array>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct TextureImport : ::testing::Test {
    const LevelBuilder built = demo::BuildDemoLevel();
    OpenedLevel demo{built};
    const std::string dat = demo.level().datPath(), raw = demo.level().rawPath();

    // The picture the program exports for texture `index`, written to `name` and read by ImageMagick.
    Picture Exported(int index, const std::string& name) {
        EXPECT_TRUE(ConvertResource(demo.session, index, demo.ui, demo.Out(name)));
        return ReadWithImageMagick(demo.Out(name)).value_or(Picture(0, 0));
    }
    bool Replace(int index, const std::string& name) {
        return ReplaceTexture(demo.level(), index, demo.Out(name), demo.ui);
    }
    // The large texture, and a texture of each format: 0, 1, 2, 8 and 9.
    const std::array<const char*, 6> textures{"title_screen",      "wall_arrow_argb4444", "wall_arrow",
                                              "wall_arrow_cutout", "wall_arrow_bgra32",   "wall_arrow_dxt1"};
};

}  // namespace

// Every format and the large texture, as TGA and PNG: the same bytes back (DXT1: picture); a picture
// ImageMagick negated comes back negated.
TEST_F(TextureImport, AnExportedPictureComesBackAsItWasAnEditedOneEdited) {
    const Bytes datBefore = ReadFileBytes(dat);
    for (const std::string texture : textures) {
        const int i = built.IndexNamed(texture);
        const Bytes rawBefore = ReadFileBytes(raw);
        for (const ImageFormat image : {ImageFormat::Tga32, ImageFormat::Png32}) {
            demo.session.options.Image = image;
            const std::string name = "x" + ImageExtension(image);
            const Picture picture = Exported(i, name);
            ASSERT_TRUE(Replace(i, name)) << demo.ui.messages.back().text;
            EXPECT_EQ(demo.ui.status().rfind("Status: Replaced " + texture + " with " + name, 0), 0u);
            EXPECT_TRUE(SamePicture(Exported(i, "again" + ImageExtension(image)), picture)) << texture << name;
            EXPECT_TRUE(texture.ends_with("dxt1") || ReadFileBytes(raw) == rawBefore) << texture << name;
        }
        if (texture.ends_with("dxt1") || texture == "title_screen") continue;
        ASSERT_TRUE(RunShell("convert '" + demo.Out("x.png") + "' -negate '" + demo.Out("y.png") + "'"));
        ASSERT_TRUE(Replace(i, "y.png")) << demo.ui.messages.back().text;
        EXPECT_TRUE(SamePicture(Exported(i, "z.png"), *ReadWithImageMagick(demo.Out("y.png")))) << texture;
    }
    EXPECT_EQ(ReadFileBytes(dat), datBefore);
}

// Each refusal says why and leaves both files as they were.
TEST_F(TextureImport, RefusesSayingWhyWritingNothing) {
    const int wall = built.IndexNamed("wall_arrow");
    Exported(wall, "x.tga");
    Bytes tga = ReadFileBytes(demo.Out("x.tga"));
    WriteFileBytes(demo.Out("cut.tga"), Slice(tga, 0, tga.size() - 1));
    WriteFileBytes(demo.Out("small.tga"), EncodeTga(PixelBuffer(3, 2), 24));
    Bytes png = EncodePng(PixelBuffer(64, 64), 32);
    png[FindChunk(png, "IDAT") + 12] ^= 0x55;
    WriteFileBytes(demo.Out("bad.png"), png);
    const Bytes datBefore = ReadFileBytes(dat), rawBefore = ReadFileBytes(raw);
    const std::pair<std::string, std::string> refused[] = {
        {"small.tga", "the picture is 3 x 2 pixels, the texture 64 x 64: it must be the texture's size"},
        {"cut.tga", "the TGA file is cut short: it holds 16401 bytes, its pixels need 16402"},
        {"bad.png", "the PNG file is damaged: "},
        {"none.png", "cannot open " + demo.Out("none.png") + ": No such file or directory"}};
    for (const auto& [name, why] : refused) {
        EXPECT_FALSE(Replace(wall, name));
        EXPECT_EQ(demo.ui.messages.back().text.rfind("Cannot replace wall_arrow with " + name + ": " + why, 0), 0u)
            << demo.ui.messages.back().text;
    }
    EXPECT_FALSE(Replace(built.IndexNamed("title_screen"), "x.tga"));
    EXPECT_NE(demo.ui.messages.back().text.find("the picture is 64 x 64 pixels, a large texture 640 x 512"),
              std::string::npos);
    // A tile moved since the export: no tile is written.
    Exported(built.IndexNamed("title_screen"), "large.tga");
    Bytes moved = datBefore;
    PutU32(moved, static_cast<std::size_t>(demo.level().at(built.IndexNamed("title_screen_tile5")).dataOffset), 7);
    WriteFileBytes(dat, moved);
    EXPECT_FALSE(Replace(built.IndexNamed("title_screen"), "large.tga"));
    EXPECT_NE(demo.ui.messages.back().text.find("no longer holds title_screen_tile5"), std::string::npos);
    WriteFileBytes(dat, datBefore);
    demo.session.selectedIndex = built.IndexNamed("KeyIcons");
    EXPECT_FALSE(TextureToReplace(demo.session, demo.ui));
    EXPECT_EQ(demo.ui.messages.back().text, kKeyIconsNotReplaced);
    EXPECT_EQ(ReadFileBytes(dat), datBefore);
    EXPECT_EQ(ReadFileBytes(raw), rawBefore);
}
