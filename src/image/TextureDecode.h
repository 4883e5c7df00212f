#pragma once
// Pixel decoders for the texture formats the game stores, one per format, pure:
// bytes in, picture out. Every picture is upright and unmirrored: the texture's
// first stored row is the top row, its first pixel in a row the left one.
//
// Decoded formats: 0 (ARGB 4-4-4-4), 1 and 2 (ARGB 1-5-5-5), 8 (blue, green, red
// and a padding byte), 9 (DXT1 blocks without transparency). Other codes (the
// game's 3 to 7 and anything above 9) are not decoded.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <span>
#include <string>

namespace drossel {

// Bytes of pixel data the decoder of this format reads for a w x h texture: the
// stored length of the texture records. Throws DrosselError saying why a texture
// cannot be decoded: a format without a decoder, a size that is not positive, or
// pixel data too large for any level file.
std::int64_t DecodedTextureLength(int width, int height, std::uint32_t format);

// Where a decoder writes: the texture's top-left corner goes to (left, top) of
// `picture`, and only the part of the texture that falls inside the cell of
// width x height pixels there, and inside the picture, is decoded.
struct DecodeTarget {
    PixelBuffer& picture;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Decodes a width x height texture of this format into the target, reading
// exactly the bytes DecodedTextureLength gives. Throws DrosselError for a format
// that is not decoded, for a size that is not positive and for data that is too
// short. Rows are stored one after the other (format 9: rows of blocks), so the
// first n rows of a texture (n a multiple of 4) decode as a texture n rows high.
void DecodeTextureInto(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format,
                       const DecodeTarget& target);

// The whole texture as a picture of its own; throws as DecodeTextureInto does.
PixelBuffer DecodeTexture(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format);

// A pixel format code as people name it ("ARGB 1-5-5-5 (format 1)"); codes
// without a decoder are named by their number alone.
std::string TextureFormatName(std::uint32_t format);

// The four palette colours of one DXT1 block from its two end colours.
struct Dxt1Palette {
    Bgra colour[4];
};
Dxt1Palette Dxt1PaletteOf(std::uint16_t c0, std::uint16_t c1);

}  // namespace drossel
