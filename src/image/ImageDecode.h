#pragma once
// Reading the pictures a person brings to put back into a texture: PNG (every
// colour type and depth, through libpng), TGA (true colour, uncompressed or
// run-length encoded, 24 or 32 bits, rows from either end) and BMP (24 or 32
// bits, plain or with bit fields, rows from either end). The type is told by the
// bytes, not by the file's name. Pure: bytes in, picture out.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <span>

namespace drossel {

// Throws DrosselError saying why the bytes give no picture: not a picture of
// these types, a kind of one that is not read (a palette TGA, a 16-bit BMP), a
// damaged or cut file, or a picture larger than kMaxPicturePixels.
PixelBuffer DecodeImageFile(std::span<const std::uint8_t> bytes);

// The same for a PNG file only (called by DecodeImageFile).
PixelBuffer DecodePng(std::span<const std::uint8_t> bytes);

}  // namespace drossel
