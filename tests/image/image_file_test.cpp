#include "Pictures.h"
#include "image/ImageFile.h"
#include "image/PngEncode.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

// 5 x 3 pixels, every one different, alpha included: a swapped channel, a
// flipped row order or a mirrored row shows; 24-bit BMP rows need padding.
Picture Sample() {
    Picture p(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            p.at(x, y) = {static_cast<std::uint8_t>(40 * x + 1), static_cast<std::uint8_t>(60 * y + 2),
                          static_cast<std::uint8_t>(200 - 10 * x - 20 * y), static_cast<std::uint8_t>(30 + 40 * x + y)};
        }
    }
    return p;
}

}  // namespace

// The headers, byte for byte; and another program must see the same picture: upright,
// unmirrored, the right colours, and the alpha channel at 32 bits.
TEST(ImageFile, HeadersAndSizesAndImageMagickReadsThePictureThatWentIn) {
    TempDir dir;
    for (std::uint32_t bits : {24u, 32u}) {
        const auto bmp = EncodeBmp(BufferOf(Sample()), static_cast<int>(bits));
        const std::uint32_t image = bits == 32 ? 60 : 48;  // a row of 15 bytes pads to 16
        ASSERT_EQ(bmp.size(), 54 + image);
        // Sizes, the pixels' offset, the header's size, width, height, one plane, the bits, no compression, 72 dpi.
        EXPECT_EQ(Slice(bmp, 0, 54),
                  Text("BM") + Le(54 + image, 0, 54, 40, 5, 3, 1 | bits << 16, 0, image, 2834, 2834, 0, 0));
        const auto tga = EncodeTga(BufferOf(Sample()), static_cast<int>(bits));
        ASSERT_EQ(tga.size(), 18 + 15 * bits / 8);
        // Uncompressed true colour, 5 x 3, the bits, the alpha bits; the first row stored is the bottom row.
        const auto bitsAndAlpha = static_cast<std::uint8_t>(bits), alpha = static_cast<std::uint8_t>(bits - 24);
        EXPECT_EQ(Slice(tga, 0, 18), Bytes({0, 0, 2}) + Bytes(9, 0) + Bytes({5, 0, 3, 0, bitsAndAlpha, alpha}));
        const auto png = EncodeImage(ImageContainer::Png, BufferOf(Sample()), static_cast<int>(bits));
        for (const auto& [name, bytes] : {std::pair{"pic.bmp", bmp}, {"pic.tga", tga}, {"pic.png", png}}) {
            WriteFileBytes(dir / name, bytes);
            const auto read = ReadWithImageMagick(dir / name);
            ASSERT_TRUE(read.has_value()) << name;
            EXPECT_TRUE(SamePicture(*read, bits == 24 ? Opaque(Sample()) : Sample())) << name << " " << bits;
        }
    }
    const auto large = EncodeBmp(PixelBuffer(640, 512), 24);
    EXPECT_EQ(large.size(), 983094u);
    EXPECT_EQ(EncodeTga(PixelBuffer(65535, 1), 24).size(), 18u + 65535 * 3);
    EXPECT_EQ(EncodeTga(PixelBuffer(1, 65535), 24).size(), 18u + 65535 * 3);
    EXPECT_THROW(EncodeBmp(PixelBuffer(2, 2), 16), DrosselError);
    EXPECT_THROW(EncodeTga(PixelBuffer(2, 2), 8), DrosselError);
    EXPECT_THROW(EncodeTga(PixelBuffer(70000, 1), 24), DrosselError);
    EXPECT_THROW(EncodePng(PixelBuffer(0, 0), 32), DrosselError);
    EXPECT_THROW(EncodeImage(ImageContainer::None, PixelBuffer(2, 2), 32), DrosselError);
}

TEST(ImageFile, ExtensionChoosesTheContainerWhateverItsCase) {
    EXPECT_EQ(ContainerOfPath("a/tex.TGA"), ImageContainer::Tga);
    EXPECT_EQ(ContainerOfPath("tex.Bmp"), ImageContainer::Bmp);
    EXPECT_EQ(ContainerOfPath("tex.PNG"), ImageContainer::Png);
    for (const char* path : {"tex.pn", "tex", "tex.tga.txt", "tex.bmpx", "pics.tga/tex"}) {
        EXPECT_EQ(ContainerOfPath(path), ImageContainer::None) << path;
    }
}
