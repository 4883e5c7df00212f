#include "../extract/LevelFixture.h"
#include "ImageReadBack.h"
#include "TexturePictures.h"
#include "image/ImageConverters.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct TextureLevel {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;

    void Open() { session = OpenBuiltLevel(builder, dir); }
    std::string Convert(int index, std::string path) {
        session.selectedIndex = index;
        ConvertTxmp(session, ui, path);
        return path;
    }
};

}  // namespace

// Every decoded format, through the whole conversion and read back by ImageMagick:
// the picture that went in comes out, upright and unmirrored, at both depths and
// in both containers.
TEST(ConvertTxmp, EveryFormatGivesBackThePictureThatWentIn) {
    TextureLevel t;
    struct Case {
        std::uint32_t format;
        int width, height;
        int index = 0;
        Picture picture;
    };
    std::vector<Case> cases{{0, 8, 6, 0, {}}, {1, 7, 5, 0, {}}, {2, 6, 9, 0, {}}, {8, 5, 3, 0, {}}, {9, 12, 8, 0, {}}};
    for (Case& c : cases) {
        c.picture = ExactPicture(c.format, c.width, c.height);
        c.index = t.builder.AddTexture("tex" + std::to_string(c.format), c.width, c.height, c.format,
                                       EncodeTexturePixels(c.picture, c.format));
    }
    t.Open();
    for (const Case& c : cases) {
        for (const std::string ext : {".tga", ".bmp"}) {
            for (int bits : {32, 24}) {
                t.session.ImageBits = bits;
                const std::string path =
                    t.Convert(c.index, t.dir / ("f" + std::to_string(c.format) + "_" + std::to_string(bits) + ext));
                const auto read = ReadWithImageMagick(path);
                ASSERT_TRUE(read.has_value()) << path;
                const Picture expected = bits == 24 ? Opaque(c.picture) : c.picture;
                EXPECT_TRUE(SamePicture(*read, expected)) << path;
            }
        }
    }
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.writtenFiles.size(), cases.size() * 4);
}

TEST(ConvertTxmp, AsksForTheFileNameAndStoresTheAnswer) {
    TextureLevel t;
    const int index = t.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    t.Open();
    t.ui.savePaths.push_back(t.dir / "chosen.bmp");
    std::string path;
    t.session.selectedIndex = index;
    ConvertTxmp(t.session, t.ui, path);
    EXPECT_EQ(path, t.dir / "chosen.bmp");
    ASSERT_EQ(t.ui.dialogs.size(), 1u);
    EXPECT_EQ(t.ui.dialogs[0].request.title, "Save Texture to BMP/TGA File...");
    EXPECT_EQ(t.ui.dialogs[0].request.fileName, "wall");
    EXPECT_EQ(t.ui.dialogs[0].request.filter,
              "Windows Bitmap (*.bmp)|*.bmp|TGA Files (*.tga)|*.tga|All Files (*.*)|*.*");
    EXPECT_EQ(t.ui.statusTexts, std::vector<std::string>{"Status: Converting wall"});
    EXPECT_EQ(ReadFileBytes(path).size(), 54u + 4 * 4 * 4);
    EXPECT_EQ(t.ui.writtenFiles, std::vector<std::string>{path});
}

TEST(ConvertTxmp, CancelledDialogWritesNothing) {
    TextureLevel t;
    const int index = t.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    t.Open();
    std::string path;
    t.session.selectedIndex = index;
    ConvertTxmp(t.session, t.ui, path);
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(t.ui.writtenFiles.empty());
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.status(), "Status: Converting wall");
    EXPECT_EQ(CountFiles(t.dir.path()), 2u);  // the level's .dat and .raw
}

// A texture whose pixels cannot be had is never written as a black picture: the
// person is told which texture and why, and an older file of that name survives.
TEST(ConvertTxmp, UnreadablePixelsAreReportedAndNothingIsWritten) {
    struct Case {
        const char* what;
        std::uint32_t format;
        int side;
        bool removeRaw;
        std::size_t rawBytes;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"missing .raw", 1, 4, true, 32, "cannot open"},
        {"data past the end of the .raw", 1, 4, false, 31, "lie outside"},
        {"format without a decoder", 5, 4, false, 32, "pixel format 5 is not supported"},
        // Refused before any memory is taken for it.
        {"a size far beyond the .raw", 8, 32767, false, 64, "4294705156 bytes of pixel data"},
    };
    for (const Case& c : cases) {
        TextureLevel t;
        const int index = t.builder.AddTexture("broken", c.side, c.side, c.format, Bytes(c.rawBytes, 7));
        t.Open();
        if (c.removeRaw) std::filesystem::remove(t.session.rawPath);
        const std::string target = t.dir / "broken.tga";
        WriteFileBytes(target, Bytes{1, 2, 3});
        t.Convert(index, target);
        ASSERT_EQ(t.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(t.ui.messages[0].title, "Drossel");
        EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Critical);
        EXPECT_NE(t.ui.messages[0].text.find("broken"), std::string::npos) << t.ui.messages[0].text;
        EXPECT_NE(t.ui.messages[0].text.find(c.reasonPart), std::string::npos) << t.ui.messages[0].text;
        EXPECT_EQ(ReadFileBytes(target), (Bytes{1, 2, 3})) << c.what;
        EXPECT_TRUE(t.ui.writtenFiles.empty());
        // Nothing is asked when there is nothing to write.
        t.ui.messages.clear();
        std::string empty;
        t.session.selectedIndex = index;
        ConvertTxmp(t.session, t.ui, empty);
        EXPECT_TRUE(t.ui.dialogs.empty()) << c.what;
    }
}

TEST(ConvertTxmp, PlaceholderIsRefused) {
    TextureLevel t;
    const int index = t.builder.AddTexture("elsewhere", 4, 4, 1, Bytes(32, 0));
    t.builder.resource(index).sizeField = 0;
    t.Open();
    t.Convert(index, t.dir / "elsewhere.tga");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_NE(t.ui.messages[0].text.find("size is 0"), std::string::npos);
    EXPECT_FALSE(Exists(t.dir / "elsewhere.tga"));
}

TEST(ConvertTxmp, WrongExtensionShowsTheImageNameError) {
    TextureLevel t;
    const int index = t.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    t.Open();
    t.Convert(index, t.dir / "wall.png");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, "Error!");
    EXPECT_FALSE(Exists(t.dir / "wall.png"));
}
