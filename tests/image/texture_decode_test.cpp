#include "container/Error.h"
#include "image/ChannelScale.h"
#include "image/TextureDecode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace drossel;

namespace {

using ByteList = std::vector<std::uint8_t>;

ByteList Values16(std::initializer_list<std::uint16_t> values) {
    ByteList out;
    for (auto v : values) out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    return out;
}

ByteList Dxt1Block(std::uint16_t c0, std::uint16_t c1, std::array<std::uint8_t, 4> rows) {
    ByteList out = Values16({c0, c1});
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

::testing::AssertionResult IsColour(Bgra p, int red, int green, int blue, int alpha) {
    if (p.red == red && p.green == green && p.blue == blue && p.alpha == alpha) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel is (r " << int(p.red) << ", g " << int(p.green) << ", b "
                                         << int(p.blue) << ", a " << int(p.alpha) << "), expected (r " << red << ", g "
                                         << green << ", b " << blue << ", a " << alpha << ")";
}

}  // namespace

TEST(ChannelScale, MatchesRoundedQuotientForEveryValue) {
    for (unsigned k = 0; k < 16; ++k) EXPECT_EQ(Scale4(k), 17 * k);
    for (unsigned k = 0; k < 32; ++k) EXPECT_EQ(Scale5(k), std::lround(k * 255.0 / 31)) << k;
    for (unsigned k = 0; k < 64; ++k) EXPECT_EQ(Scale6(k), std::lround(k * 255.0 / 63)) << k;
}

TEST(Argb4444, WidensEachChannel) {
    const PixelBuffer p = DecodeArgb4444(Values16({0xF0A5}), 1, 1);
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 0), 0, 170, 85, 255));
}

TEST(Argb1555, AlphaBitAndFiveBitChannels) {
    const PixelBuffer p = DecodeArgb1555(Values16({0x8000, 0x7FFF, 0x0421}), 3, 1);
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 0), 0, 0, 0, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(1, 0), 255, 255, 255, 0));
    EXPECT_TRUE(IsColour(p.GetFromTop(2, 0), 8, 8, 8, 0));
}

TEST(Bgrx8888, PaddingByteNeverMakesAPixelTransparent) {
    const PixelBuffer p = DecodeBgrx8888(ByteList{10, 20, 30, 0, 40, 50, 60, 7}, 2, 1);
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 0), 30, 20, 10, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(1, 0), 60, 50, 40, 255));
}

// The first stored row is the top row of the picture in every format; the buffer
// holds the bottom row first, as the image files do.
TEST(Orientation, FirstStoredRowIsTheTopRowInEveryFormat) {
    // A, B in the first stored row; C, D in the second, told apart by their blue
    // channels 1 to 4. The buffer must hold C, D, A, B: rows in reverse stored
    // order (bottom row first), the pixels within a row in stored order.
    struct Case {
        PixelBuffer buffer;
        std::vector<int> blueOfCdab;
    };
    const Case cases[] = {
        {DecodeArgb4444(Values16({0xF001, 0xF002, 0xF003, 0xF004}), 2, 2), {51, 68, 17, 34}},
        {DecodeArgb1555(Values16({0x8001, 0x8002, 0x8003, 0x8004}), 2, 2), {25, 33, 8, 16}},
        {DecodeBgrx8888(ByteList{1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}, 2, 2), {3, 4, 1, 2}},
    };
    for (const Case& c : cases) {
        const auto& b = c.buffer.bytes();
        ASSERT_EQ(b.size(), 16u);
        EXPECT_EQ((std::vector<int>{b[0], b[4], b[8], b[12]}), c.blueOfCdab);
    }
}

TEST(Dxt1, FourColourBlockGivesPaletteEntriesLeftToRight) {
    const PixelBuffer p = DecodeDxt1(Dxt1Block(0xFFFF, 0x0000, {0xE4, 0xE4, 0xE4, 0xE4}), 4, 4);
    for (int y = 0; y < 4; ++y) {
        EXPECT_TRUE(IsColour(p.GetFromTop(0, y), 255, 255, 255, 255));
        EXPECT_TRUE(IsColour(p.GetFromTop(1, y), 0, 0, 0, 255));
        EXPECT_TRUE(IsColour(p.GetFromTop(2, y), 170, 170, 170, 255));
        EXPECT_TRUE(IsColour(p.GetFromTop(3, y), 85, 85, 85, 255));
    }
}

TEST(Dxt1, ThreeColourBlockAveragesAndHasOpaqueBlack) {
    const PixelBuffer p = DecodeDxt1(Dxt1Block(0x0000, 0xFFFF, {0xE4, 0xE4, 0xE4, 0xE4}), 4, 4);
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 0), 0, 0, 0, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(1, 0), 255, 255, 255, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(2, 0), 128, 128, 128, 255));  // (0 + 255 + 1) / 2
    EXPECT_TRUE(IsColour(p.GetFromTop(3, 0), 0, 0, 0, 255));
}

TEST(Dxt1, EqualEndColoursUseTheThreeColourMode) {
    // Pure red 0xF800 and pure blue 0x001F: c0 > c1 gives thirds; swapped gives halves.
    const Dxt1Palette four = Dxt1PaletteOf(0xF800, 0x001F);
    EXPECT_TRUE(IsColour(four.colour[2], 170, 0, 85, 255));
    EXPECT_TRUE(IsColour(four.colour[3], 85, 0, 170, 255));
    const Dxt1Palette three = Dxt1PaletteOf(0x001F, 0xF800);
    EXPECT_TRUE(IsColour(three.colour[2], 128, 0, 128, 255));
    EXPECT_TRUE(IsColour(three.colour[3], 0, 0, 0, 255));
    const Dxt1Palette same = Dxt1PaletteOf(0x07E0, 0x07E0);
    EXPECT_TRUE(IsColour(same.colour[2], 0, 255, 0, 255));
    EXPECT_TRUE(IsColour(same.colour[3], 0, 0, 0, 255));
}

TEST(Dxt1, IndexBitsRunFromTheLeftAndRowsFromTheTop) {
    // Only the pixel at x = 0 of the block's last row uses entry 1.
    const PixelBuffer p = DecodeDxt1(Dxt1Block(0xFFFF, 0x0000, {0x00, 0x00, 0x00, 0x01}), 4, 4);
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 3), 0, 0, 0, 255)) << "bottom-left pixel";
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (x != 0 || y != 3) {
                EXPECT_TRUE(IsColour(p.GetFromTop(x, y), 255, 255, 255, 255)) << x << "," << y;
            }
        }
    }
}

TEST(Dxt1, BlocksFollowEachOtherAlongTheRowsAndPartialBlocksAreClipped) {
    // 6 x 6 pixels take 2 x 2 blocks, each in one colour: white, red, green, blue.
    ByteList data;
    for (std::uint16_t c : {0xFFFF, 0xF800, 0x07E0, 0x001F}) {
        const ByteList block = Dxt1Block(c, c, {0, 0, 0, 0});
        data.insert(data.end(), block.begin(), block.end());
    }
    ASSERT_EQ(EncodedTextureSize(6, 6, 9), std::optional<std::int64_t>(32));
    const PixelBuffer p = DecodeDxt1(data, 6, 6);
    EXPECT_TRUE(IsColour(p.GetFromTop(3, 3), 255, 255, 255, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(4, 0), 255, 0, 0, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(0, 4), 0, 255, 0, 255));
    EXPECT_TRUE(IsColour(p.GetFromTop(5, 5), 0, 0, 255, 255));
    ByteList shorter(data.begin(), data.end() - 1);
    EXPECT_THROW(DecodeDxt1(shorter, 6, 6), DrosselError);
}

TEST(DecodeTexture, RefusesWhatItCannotDecode) {
    EXPECT_THROW(DecodeTexture(ByteList(100, 0), 4, 4, 5), DrosselError);
    EXPECT_THROW(DecodeTexture(ByteList(100, 0), 0, 4, 1), DrosselError);
    EXPECT_THROW(DecodeTexture(ByteList(100, 0), 4, -4, 8), DrosselError);
    EXPECT_THROW(DecodeTexture(ByteList(31, 0), 4, 4, 1), DrosselError);
    EXPECT_THROW(DecodeTexture(ByteList(63, 0), 4, 4, 8), DrosselError);
    EXPECT_NO_THROW(DecodeTexture(ByteList(32, 0), 4, 4, 2));
    EXPECT_FALSE(EncodedTextureSize(4, 4, 3).has_value());
    EXPECT_FALSE(EncodedTextureSize(4, 4, 10).has_value());
    EXPECT_EQ(EncodedTextureSize(256, 128, 8), std::optional<std::int64_t>(131072));
    EXPECT_EQ(EncodedTextureSize(256, 256, 9), std::optional<std::int64_t>(32768));
}
