#include "Pictures.h"
#include "image/ChannelScale.h"
#include "image/TextureDecode.h"

#include <cmath>

using namespace drossel;
using namespace drossel::testing;

namespace {}  // namespace

TEST(TextureDecode, ChannelWideningIsTheRoundedQuotient) {
    for (unsigned k = 0; k < 16; ++k) EXPECT_EQ(Scale4(k), 17 * k);
    for (unsigned k = 0; k < 32; ++k) EXPECT_EQ(Scale5(k), std::lround(k * 255.0 / 31)) << k;
    for (unsigned k = 0; k < 64; ++k) EXPECT_EQ(Scale6(k), std::lround(k * 255.0 / 63)) << k;
}

// Every format through its decoder gives back the picture it stores, upright and
// unmirrored: any swapped channel, flipped row or misplaced block shows, and so
// does an alpha read from format 8's padding byte. DXT1 sizes that are no
// multiple of 4 take whole blocks, clipped at the edges.
TEST(TextureDecode, EveryFormatGivesBackItsPicture) {
    for (std::uint32_t format : {0u, 1u, 2u, 8u, 9u}) {
        for (auto [w, h] : {std::pair{12, 8}, {6, 6}, {1, 1}}) {
            const Picture picture = ExactPicture(format, w, h);
            const Bytes stored = EncodeTexturePixels(picture, format);
            EXPECT_EQ(static_cast<std::int64_t>(stored.size()), DecodedTextureLength(w, h, format));
            EXPECT_TRUE(SamePicture(PictureOf(DecodeTexture(stored, w, h, format)), picture)) << format << " " << w;
            EXPECT_THROW(DecodeTexture(Bytes(stored.begin(), stored.end() - 1), w, h, format), DrosselError);
        }
    }
}

TEST(TextureDecode, Dxt1ColourModes) {
    // c0 > c1: thirds; c0 <= c1: the average, then opaque black. Each row: entries 0, 1, 2, 3.
    Picture p = PictureOf(DecodeTexture(Le(0x0000FFFFu, 0xE4E4E4E4u), 4, 4, 9));
    const Rgba four[] = {{255, 255, 255, 255}, {0, 0, 0, 255}, {170, 170, 170, 255}, {85, 85, 85, 255}};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(p.at(x, 2), four[x]) << x;
    p = PictureOf(DecodeTexture(Le(0xFFFF0000u, 0xE4E4E4E4u), 4, 4, 9));
    const Rgba three[] = {{0, 0, 0, 255}, {255, 255, 255, 255}, {128, 128, 128, 255}, {0, 0, 0, 255}};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(p.at(x, 1), three[x]) << x;
    EXPECT_EQ(Dxt1PaletteOf(0xF800, 0x001F).colour[3].blue, 170);
}

TEST(TextureDecode, RefusesWhatItCannotDecode) {
    // Format, width, height, bytes given: unknown formats, no pixels, too few bytes, more than a picture may have.
    const int refused[][4] = {{5, 4, 4, 100},  {3, 4, 4, 100}, {10, 4, 4, 100}, {1, 0, 4, 100},
                              {8, 4, -4, 100}, {1, 4, 4, 31},  {8, 4, 4, 63},   {8, 32767, 32767, 100}};
    for (auto [format, width, height, bytes] : refused) {
        EXPECT_THROW(
            DecodeTexture(Bytes(static_cast<std::size_t>(bytes), 0), width, height, static_cast<std::uint32_t>(format)),
            DrosselError)
            << format << " " << width << "x" << height;
    }
    // What a texture's record says its pixels take, as import and the .raw slot see it.
    for (auto [width, height] : {std::pair(0, 4), {4, 0}}) {
        EXPECT_EQ(ErrorOf([&] { DecodedTextureLength(width, height, 2); }),
                  "the texture has no pixels (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    }
}

// ImageMagick decodes the same blocks wrapped in a DDS file to the same colours,
// within rounding: it widens end colours by repeating their top bits and
// truncates mixed entries, where the game's rule rounds both; so end colours may
// differ by 1 per channel and mixed entries by 2. Blocks of both modes.
TEST(TextureDecode, Dxt1MatchesImageMagicksDdsDecoder) {
    constexpr int kSize = 32;
    Bytes blocks;
    std::uint32_t state = 12345;
    auto next = [&state] { return static_cast<std::uint16_t>((state = state * 1103515245u + 12345u) >> 12); };
    for (int k = 0; k < (kSize / 4) * (kSize / 4); ++k) {
        std::uint16_t c0 = next(), c1 = next();
        if ((c0 > c1) != (k % 2 == 0)) std::swap(c0, c1);
        const std::uint32_t ends = c0 | std::uint32_t{k == 5 ? c0 : c1} << 16, rows = next();
        blocks = blocks + Le(ends, rows | std::uint32_t{next()} << 16);  // two colours, then the rows' indices
    }
    // The header's size; caps, height, width, pixel format and linear size given. At 76 the pixel format: its size, a
    // four-character code. At 108 the caps: a texture.
    Bytes dds = Text("DDS ") + Le(124, 0x1 | 0x2 | 0x4 | 0x1000 | 0x80000, kSize, kSize, kSize * kSize / 2);
    dds.resize(76);
    dds = dds + Le(32, 0x4) + Text("DXT1") + Bytes(20, 0) + Le(0x1000) + Bytes(16, 0) + blocks;
    TempDir dir;
    WriteFileBytes(dir / "blocks.dds", dds);
    const auto reference = ReadWithImageMagick(dir / "blocks.dds");
    ASSERT_TRUE(reference.has_value()) << "ImageMagick cannot read the DDS file";
    const Picture ours = PictureOf(DecodeTexture(blocks, kSize, kSize, 9));
    int offByTwo = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Rgba o = ours.at(x, y), r = reference->at(x, y);
            const std::size_t block = static_cast<std::size_t>((y / 4) * (kSize / 4) + x / 4) * 8;
            const int index = (blocks[block + 4 + static_cast<std::size_t>(y % 4)] >> (2 * (x % 4))) & 3;
            const int worst = std::max({std::abs(o.r - r.r), std::abs(o.g - r.g), std::abs(o.b - r.b)});
            EXPECT_LE(worst, index < 2 ? 1 : 2) << x << "," << y;
            offByTwo += worst == 2 ? 1 : 0;
        }
    }
    EXPECT_LT(offByTwo, kSize * kSize / 100) << "rounding explains rare pixels only";
}
