#include "ImageReadBack.h"
#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/Error.h"
#include "image/ImageFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drossel;
using namespace drossel::testing;

namespace {

PixelBuffer BufferOf(const Picture& p) {
    PixelBuffer b(p.width, p.height);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgba c = p.at(x, y);
            b.SetFromTop(x, y, {c.b, c.g, c.r, c.a});
        }
    }
    return b;
}

// Every pixel different, alpha included, so a swapped channel, a flipped row
// order or a mirrored row shows.
Picture Sample(int width, int height) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p.at(x, y) = {static_cast<std::uint8_t>(40 * x + 1), static_cast<std::uint8_t>(60 * y + 2),
                          static_cast<std::uint8_t>(200 - 10 * x - 20 * y), static_cast<std::uint8_t>(30 + 40 * x + y)};
        }
    }
    return p;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

TEST(BmpFile, HeaderFieldsAndSizes) {
    for (int bits : {32, 24}) {
        const auto bmp = EncodeBmp(PixelBuffer(256, 256), bits);
        const std::uint32_t imageSize = bits == 32 ? 262144 : 196608;
        ASSERT_EQ(bmp.size(), 54 + imageSize) << bits;
        EXPECT_EQ(U16(bmp, 0), 0x4D42);
        EXPECT_EQ(U32(bmp, 2), 54 + imageSize);
        EXPECT_EQ(U32(bmp, 6), 0u);
        EXPECT_EQ(U32(bmp, 10), 54u);
        EXPECT_EQ(U32(bmp, 14), 40u);
        EXPECT_EQ(U32(bmp, 18), 256u);
        EXPECT_EQ(U32(bmp, 22), 256u);
        EXPECT_EQ(U16(bmp, 26), 1);
        EXPECT_EQ(U16(bmp, 28), bits);
        EXPECT_EQ(U32(bmp, 30), 0u);
        EXPECT_EQ(U32(bmp, 34), imageSize);
        EXPECT_EQ(U32(bmp, 38), 2834u);
        EXPECT_EQ(U32(bmp, 42), 2834u);
        EXPECT_EQ(U32(bmp, 46), 0u);
        EXPECT_EQ(U32(bmp, 50), 0u);
    }
    EXPECT_EQ(U32(EncodeBmp(PixelBuffer(640, 512), 24), 2), 983094u);
    EXPECT_EQ(EncodeBmp(PixelBuffer(640, 512), 32).size(), 1310774u);
}

TEST(BmpFile, RowsOf24BitsArePaddedToFourBytes) {
    const Picture p = Sample(6, 2);
    const auto bmp = EncodeBmp(BufferOf(p), 24);
    ASSERT_EQ(bmp.size(), 94u);
    EXPECT_EQ(U32(bmp, 2), 94u);
    EXPECT_EQ(U32(bmp, 34), 40u);
    // The bottom row first: 18 bytes of blue, green, red, then two zero bytes.
    std::vector<std::uint8_t> expected;
    for (int y : {1, 0}) {
        for (int x = 0; x < 6; ++x) expected.insert(expected.end(), {p.at(x, y).b, p.at(x, y).g, p.at(x, y).r});
        expected.insert(expected.end(), {0, 0});
    }
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.end()), expected);
}

TEST(BmpFile, ThirtyTwoBitPixelsKeepAlphaInBufferOrder) {
    const Picture p = Sample(3, 2);
    const auto bmp = EncodeBmp(BufferOf(p), 32);
    std::vector<std::uint8_t> expected;
    for (int y : {1, 0}) {
        for (int x = 0; x < 3; ++x) {
            const Rgba c = p.at(x, y);
            expected.insert(expected.end(), {c.b, c.g, c.r, c.a});
        }
    }
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.end()), expected);
}

TEST(TgaFile, HeaderAndUnpaddedPixels) {
    const Picture p = Sample(6, 2);
    for (int bits : {24, 32}) {
        const auto tga = EncodeTga(BufferOf(p), bits);
        std::vector<std::uint8_t> header{0,
                                         0,
                                         2,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         0,
                                         6,
                                         0,
                                         2,
                                         0,
                                         static_cast<std::uint8_t>(bits),
                                         static_cast<std::uint8_t>(bits == 32 ? 8 : 0)};
        ASSERT_EQ(tga.size(), 18u + 12u * static_cast<std::size_t>(bits / 8));
        EXPECT_EQ(std::vector<std::uint8_t>(tga.begin(), tga.begin() + 18), header);
        std::vector<std::uint8_t> expected;
        for (int y : {1, 0}) {
            for (int x = 0; x < 6; ++x) {
                const Rgba c = p.at(x, y);
                expected.insert(expected.end(), {c.b, c.g, c.r});
                if (bits == 32) expected.push_back(c.a);
            }
        }
        EXPECT_EQ(std::vector<std::uint8_t>(tga.begin() + 18, tga.end()), expected);
    }
    EXPECT_EQ(EncodeTga(PixelBuffer(256, 256), 32).size(), 262162u);
    EXPECT_EQ(EncodeTga(PixelBuffer(256, 256), 24).size(), 196626u);
}

TEST(ImageEncoders, RefuseOtherDepths) {
    EXPECT_THROW(EncodeBmp(PixelBuffer(2, 2), 16), DrosselError);
    EXPECT_THROW(EncodeTga(PixelBuffer(2, 2), 8), DrosselError);
}

TEST(WriteImageFile, ExtensionChoosesTheContainerWhateverItsCase) {
    TempDir dir;
    RecordingUserInterface ui;
    const PixelBuffer pixels = BufferOf(Sample(3, 3));
    EXPECT_TRUE(WriteImageFile(ui, dir / "tex.TGA", pixels, 32));
    EXPECT_EQ(ReadFileBytes(dir / "tex.TGA"), EncodeTga(pixels, 32));
    EXPECT_TRUE(WriteImageFile(ui, dir / "tex.Bmp", pixels, 24));
    EXPECT_EQ(ReadFileBytes(dir / "tex.Bmp"), EncodeBmp(pixels, 24));
    EXPECT_EQ(ui.writtenFiles, (std::vector<std::string>{dir / "tex.TGA", dir / "tex.Bmp"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(WriteImageFile, OtherNamesShowTheErrorAndCreateNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "pics.tga");
    for (const std::string name : {"tex.png", "tex", "tex.tga.txt", "tex.bmpx", "pics.tga/tex"}) {
        RecordingUserInterface ui;
        EXPECT_FALSE(WriteImageFile(ui, dir / name, PixelBuffer(2, 2), 32)) << name;
        ASSERT_EQ(ui.messages.size(), 1u) << name;
        EXPECT_EQ(ui.messages[0].title, "Error!");
        EXPECT_EQ(ui.messages[0].text, "The Filename is wrong!\r\nThe file has to end with .bmp or .tga !");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
        EXPECT_TRUE(ui.writtenFiles.empty());
    }
}

// Other programs must see the same picture: upright, unmirrored, the right
// colours, and the alpha channel at 32 bits.
TEST(WriteImageFile, ImageMagickAndPillowReadTheSamePicture) {
    TempDir dir;
    const Picture p = Sample(5, 3);  // odd width: 24-bit BMP rows need padding
    for (const std::string ext : {".bmp", ".tga"}) {
        for (int bits : {24, 32}) {
            const std::string path = dir / ("pic" + std::to_string(bits) + ext);
            RecordingUserInterface ui;
            ASSERT_TRUE(WriteImageFile(ui, path, BufferOf(p), bits));
            Picture expected = p;
            if (bits == 24) {
                for (Rgba& c : expected.pixels) c.a = 255;
            }
            const auto magick = ReadWithImageMagick(path);
            ASSERT_TRUE(magick.has_value()) << "ImageMagick cannot read " << path;
            EXPECT_EQ(magick->width, 5);
            EXPECT_EQ(magick->height, 3);
            EXPECT_TRUE(magick->pixels == expected.pixels) << path;

            if (!PillowAvailable()) continue;
            const auto pillow = ReadWithPillow(path);
            ASSERT_TRUE(pillow.has_value()) << "Pillow cannot read " << path;
            ASSERT_EQ(pillow->pixels.size(), expected.pixels.size());
            for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
                const Rgba a = pillow->pixels[i], e = expected.pixels[i];
                EXPECT_TRUE(a.r == e.r && a.g == e.g && a.b == e.b) << path << " pixel " << i;
                // Pillow reads the fourth byte of a 32-bit BMP as padding.
                if (ext == ".tga") {
                    EXPECT_EQ(a.a, e.a) << path << " pixel " << i;
                }
            }
        }
    }
}
