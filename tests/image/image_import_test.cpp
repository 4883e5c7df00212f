// Picture readers against ImageMagick's files; texture encoders against the bytes they must give back.

#include "Pictures.h"
#include "image/ChannelScale.h"
#include "image/ImageDecode.h"
#include "image/ImageFile.h"
#include "image/PngEncode.h"
#include "image/TextureDecode.h"
#include "image/TextureEncode.h"

#include <squish.h>

#include <cstdlib>
#include <filesystem>

using namespace drossel;
using namespace drossel::testing;

// Formats 0, 1, 2 and 8 give back the stored bytes of a decoded texture; any
// other value goes to the nearest the format holds; format 8 keeps its padding.
TEST(TextureEncode, GivesBackTheStoredBytesOfEveryDecodedTexture) {
    for (std::uint32_t format : {0u, 1u, 2u, 8u}) {
        const Bytes stored = EncodeTexturePixels(ExactPicture(format, 12, 8), format);
        EXPECT_EQ(EncodeTexture(DecodeTexture(stored, 12, 8, format), format), stored) << format;
        Picture ramp(256, 1);
        for (int v = 0; v < 256; ++v)
            ramp.at(v, 0) = {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)};
        const Picture back = PictureOf(DecodeTexture(EncodeTexture(BufferOf(ramp), format), 256, 1, format));
        const auto nearest = [](int v, unsigned bits) {
            int distance = 255;
            for (unsigned k = 0; k < 1u << bits; ++k) distance = std::min(distance, std::abs(ScaleBits(k, bits) - v));
            return distance;
        };
        const unsigned colour = format == 0 ? 4 : format == 8 ? 8 : 5, alpha = format == 0 ? 4 : 1;
        for (int v = 0; v < 256; ++v) {
            EXPECT_EQ(std::abs(back.at(v, 0).g - v), nearest(v, colour)) << format << " " << v;
            EXPECT_EQ(std::abs(back.at(v, 0).a - v), format == 8 ? 255 - v : nearest(v, alpha)) << format << " " << v;
        }
    }
    Bytes padded = EncodeTexturePixels(ExactPicture(8, 4, 2), 8);
    for (std::size_t i = 3; i < padded.size(); i += 4) padded[i] = static_cast<std::uint8_t>(i);
    const PixelBuffer picture = DecodeTexture(padded, 4, 2, 8);
    EXPECT_EQ(EncodeTexture(picture, 8, padded), padded);
}

// DXT1: every pixel within libsquish's own error of the original (our decoder rounds where
// libsquish's truncates: 2 per channel at most), and the same bytes twice.
TEST(TextureEncode, Dxt1StaysWithinTheEncodersError) {
    for (auto [w, h] : {std::pair{32, 16}, {6, 6}}) {
        const Picture photo = ExactPicture(8, w, h);  // a gradient in each channel, a steep one in red
        const Bytes blocks = EncodeTexture(BufferOf(photo), 9);
        EXPECT_EQ(EncodeTexture(BufferOf(photo), 9), blocks);
        const Picture ours = PictureOf(DecodeTexture(blocks, w, h, 9));
        std::vector<squish::u8> theirs(static_cast<std::size_t>(w * h * 4));
        squish::DecompressImage(theirs.data(), w, h, blocks.data(), squish::kDxt1);
        for (int i = 0; i < w * h; ++i) {
            const Rgba o = photo.pixels[static_cast<std::size_t>(i)], d = ours.pixels[static_cast<std::size_t>(i)];
            const squish::u8* s = &theirs[static_cast<std::size_t>(i) * 4];
            EXPECT_LE(std::abs(d.r - o.r), std::abs(s[0] - o.r) + 2) << i;
            EXPECT_LE(std::abs(d.g - o.g), std::abs(s[1] - o.g) + 2) << i;
            EXPECT_LE(std::abs(d.b - o.b), std::abs(s[2] - o.b) + 2) << i;
        }
    }
}

// The same picture through every kind of file the readers take, written by us
// and by ImageMagick.
TEST(ImageDecode, ReadsEveryKindOfPngTgaAndBmpToTheSamePicture) {
    TempDir dir;
    const Picture picture = ExactPicture(8, 7, 5);
    Picture translucent = picture;
    translucent.at(1, 2).a = 0;
    translucent.at(6, 4).a = 128;
    const PixelBuffer buffer = BufferOf(translucent);
    WriteFileBytes(dir / "ours.tga", EncodeTga(buffer, 32));
    WriteFileBytes(dir / "ours.bmp", EncodeBmp(buffer, 32));
    WriteFileBytes(dir / "ours24.tga", EncodeTga(buffer, 24));
    WriteFileBytes(dir / "ours24.bmp", EncodeBmp(buffer, 24));
    WriteFileBytes(dir / "ours.png", EncodePng(buffer, 32));
    WriteFileBytes(dir / "ours24.png", EncodePng(buffer, 24));
    // A colour map the true-colour pixels do not use (two entries of 24 bits); bit masks without alpha.
    Bytes mapped = EncodeTga(buffer, 32), masked = EncodeBmp(buffer, 32);
    mapped[1] = 1, mapped[5] = 2, mapped[7] = 24;
    mapped.insert(mapped.begin() + 18, 6, 0x77);
    masked[30] = 3, masked[10] = 66;
    masked.insert(masked.begin() + 54, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0});
    // A 56-byte header holds an alpha mask besides.
    Bytes v3 = EncodeBmp(buffer, 32);
    v3[14] = 56, v3[30] = 3, v3[10] = 70;
    v3.insert(v3.begin() + 54, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF});
    WriteFileBytes(dir / "ours-mapped.tga", mapped);
    WriteFileBytes(dir / "ours-masked-opaque.bmp", masked);
    WriteFileBytes(dir / "ours-v3.bmp", v3);
    // ImageMagick's options, then the file it writes; ImageMagick 6 keeps a TGA's rows in their stored order unless
    // told to turn them upright. Alpha is kept but in the files named "24" or "opaque".
    for (const std::string made :
         {"PNG32:a.png", "-alpha off PNG24:b24.png", "-depth 16 PNG64:c.png", "-interlace PNG d.png",
          "-orient TopLeft e.tga", "-compress RLE f.tga", "g.bmp", "-define bmp:top-down=true h.bmp"}) {
        const std::string out = made.substr(made.rfind(' ') + 1);
        const std::size_t name = out.find(':') + 1;
        ASSERT_TRUE(RunShell("convert '" + dir / "ours.tga" + "' -auto-orient " +
                             made.substr(0, made.size() - out.size()) + "'" + out.substr(0, name) +
                             dir / out.substr(name) + "'"));
    }
    EXPECT_EQ(CountFiles(dir.path()), 17u);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename();
        const Picture read = PictureOf(DecodeImageFile(ReadFileBytes(dir / name)));
        const bool alpha = name.find("24") == std::string::npos && name.find("opaque") == std::string::npos;
        EXPECT_TRUE(SamePicture(read, alpha ? translucent : Opaque(translucent))) << name;
    }
    const Picture grey(3, 2, {90, 90, 90, 255});
    WriteFileBytes(dir / "grey.tga", EncodeTga(BufferOf(grey), 24));
    for (const std::string type : {"Palette", "Grayscale"}) {
        ASSERT_TRUE(RunShell("convert '" + dir / "grey.tga" + "' -type " + type + " '" + dir / "grey.png" + "'"));
        EXPECT_TRUE(SamePicture(PictureOf(DecodeImageFile(ReadFileBytes(dir / "grey.png"))), grey)) << type;
    }
}

TEST(ImageDecode, RefusesWhatItCannotReadSayingWhy) {
    TempDir dir;
    const PixelBuffer buffer = BufferOf(ExactPicture(8, 4, 4));
    const Bytes tga = EncodeTga(buffer, 32), bmp = EncodeBmp(buffer, 32);
    ASSERT_TRUE(RunShell("convert -size 4x4 xc:red '" + dir / "x.png" + "' && convert -size 2000x2000 xc:red '" +
                         dir / "big.png" + "'"));
    const Bytes png = ReadFileBytes(dir / "x.png");
    Bytes bmp16 = bmp, os2 = bmp, palette = tga;
    PutU16(bmp16, 28, 16);
    PutU32(os2, 14, 12);
    palette[2] = 1;
    const std::pair<Bytes, std::string> refused[] = {
        {Bytes(40, 'x'), "it is not a PNG, TGA or BMP picture"},
        {Slice(tga, 0, tga.size() - 1), "the TGA file is cut short: it holds 81 bytes, its pixels need 82"},
        {Slice(bmp, 0, 100), "the BMP file is cut short: it holds 100 bytes, its pixels need 118"},
        {bmp16, "BMP pictures of 16 bits a pixel are not read, only of 24 or 32"},
        {os2, "BMP files with a header of 12 bytes are not read"},
        {Text("BM"), "the BMP file is cut short inside its header"},
        {Slice(tga, 0, 12) + Bytes{0, 0, 4, 0, 32, 8},
         "the TGA file's picture of 0 x 4 pixels has no pixels or is larger than a picture may be"},
        {palette, "TGA pictures with a palette or in shades of grey are not read, only true colour"},
        {Slice(png, 0, 8), "the PNG file is damaged: the file is cut short"},
        {Slice(ReadFileBytes(dir / "big.png"), 0, 200), "the PNG file is damaged: its pixels cannot fit in the file"}};
    for (const auto& [bytes, why] : refused) EXPECT_EQ(ErrorOf([&] { DecodeImageFile(bytes); }), why);
}
