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

namespace drossel {

// Bytes of pixel data the decoder of this format reads for a w x h texture: the
// stored length of the texture records. Throws DrosselError saying why a texture
// cannot be decoded: a format without a decoder, a size that is not positive, or
// pixel data too large for any level file.
std::int64_t DecodedTextureLength(int width, int height, std::uint32_t format);

// Each reads exactly the bytes DecodedTextureLength gives and throws DrosselError
// when `data` is shorter; width and height must be positive.
PixelBuffer DecodeArgb4444(std::span<const std::uint8_t> data, int width, int height);
PixelBuffer DecodeArgb1555(std::span<const std::uint8_t> data, int width, int height);
PixelBuffer DecodeBgrx8888(std::span<const std::uint8_t> data, int width, int height);
PixelBuffer DecodeDxt1(std::span<const std::uint8_t> data, int width, int height);

// Chooses the decoder by format code; throws DrosselError for a format that is
// not decoded, for a size that is not positive and for data that is too short.
PixelBuffer DecodeTexture(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format);

// The four palette colours of one DXT1 block from its two end colours.
struct Dxt1Palette {
    Bgra colour[4];
};
Dxt1Palette Dxt1PaletteOf(std::uint16_t c0, std::uint16_t c1);

}  // namespace drossel
