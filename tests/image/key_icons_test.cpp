#include "../extract/LevelFixture.h"
#include "ImageReadBack.h"
#include "TexturePictures.h"
#include "image/ImageConverters.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct KeyIcons {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;
    int index = -1;
    std::vector<Picture> icons;

    void Build(const std::array<std::uint32_t, 10>& formats, int width = 32, int height = 32) {
        std::array<std::uint32_t, 10> links{};
        for (std::size_t i = 0; i < 10; ++i) {
            icons.push_back(ExactPicture(formats[i], width, height, static_cast<int>(i)));
            links[i] = LevelBuilder::IdentifierOf(builder.AddTexture(
                "icon" + std::to_string(i), width, height, formats[i], EncodeTexturePixels(icons.back(), formats[i])));
        }
        index = builder.AddKeyIcons("keys.strip", links);
    }
    void Open() {
        session = OpenBuiltLevel(builder, dir);
        session.ImageBits = 32;  // the strip ignores it
    }
    std::string Convert(std::string path) {
        session.selectedIndex = index;
        ConvertKeyI(session, ui, path);
        return path;
    }
    // The icons side by side, 32 rows high, each from the strip's top; no alpha at 24 bits.
    Picture Expected() const {
        int width = 0;
        for (const auto& icon : icons) width += icon.width;
        Picture p(width, 32, {0, 0, 0, 255});
        int left = 0;
        for (const auto& icon : icons) {
            for (int y = 0; y < std::min(icon.height, 32); ++y) {
                for (int x = 0; x < icon.width; ++x) p.at(left + x, y) = Opaque(icon).at(x, y);
            }
            left += icon.width;
        }
        return p;
    }
};

}  // namespace

TEST(ConvertKeyI, TenIconsSideBySideAtTwentyFourBitsWhateverTheOption) {
    KeyIcons k;
    k.Build({0, 1, 2, 8, 9, 9, 8, 2, 1, 0});
    k.Open();
    for (const std::string name : {"keys.bmp", "keys.TGA"}) {
        const std::string path = k.Convert(k.dir / name);
        const Bytes bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.size(), name == "keys.bmp" ? 54u + 30720 : 18u + 30720) << name;
        const auto read = ReadWithImageMagick(path);
        ASSERT_TRUE(read.has_value());
        EXPECT_TRUE(SamePicture(*read, k.Expected())) << name;
    }
    EXPECT_TRUE(k.ui.messages.empty());
}

TEST(ConvertKeyI, LowIconsKeepTheirTopRowAtTheTop) {
    KeyIcons k;
    k.Build({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 16, 20);
    k.Open();
    const auto read = ReadWithImageMagick(k.Convert(k.dir / "keys.bmp"));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 160);
    EXPECT_TRUE(SamePicture(*read, k.Expected()));
}

TEST(ConvertKeyI, MissingIconLeavesABlackGapAndIsNamed) {
    KeyIcons k;
    k.Build({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    PutU32(k.builder.resource(k.index).data, 8 + 3 * 4, 0xABCDEF01);
    k.icons[3] = Picture(32, 32, {0, 0, 0, 255});
    k.Open();
    const auto read = ReadWithImageMagick(k.Convert(k.dir / "keys.tga"));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(SamePicture(*read, k.Expected()));
    EXPECT_NE(k.ui.status().find("icon 4 is missing (no resource has identifier " + std::to_string(0xABCDEF01) + ")"),
              std::string::npos)
        << k.ui.status();
}

TEST(ConvertKeyI, DialogOffersATargaNameAndOtherExtensionsWriteNothing) {
    KeyIcons k;
    k.Build({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    k.Open();
    std::string path;
    k.session.selectedIndex = k.index;
    ConvertKeyI(k.session, k.ui, path);
    ASSERT_EQ(k.ui.dialogs.size(), 1u);
    EXPECT_EQ(k.ui.dialogs[0].request.title, "Unpack resource...");
    EXPECT_EQ(k.ui.dialogs[0].request.fileName, "keys.tga");
    EXPECT_EQ(k.ui.dialogs[0].request.filter, "TARGA (*.tga)|*.tga|Bitmap (*.bmp)|*.bmp");

    k.Convert(k.dir / "keys.png");
    EXPECT_FALSE(Exists(k.dir / "keys.png"));
    EXPECT_TRUE(k.ui.messages.empty());
    EXPECT_TRUE(k.ui.writtenFiles.empty());
}
