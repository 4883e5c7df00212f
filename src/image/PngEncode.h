#pragma once
// PNG files through libpng: a pure encoder from a picture in memory to the
// bytes of a file. Rows are written top row first, as PNG stores them, so the
// picture comes out upright; 32 bits keep the alpha channel (RGBA), 24 bits
// drop it (RGB). Reading PNG files is not done here.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace drossel {

// Throws DrosselError for a depth other than 24 or 32, an empty picture (PNG
// has no picture of zero pixels), or when libpng refuses the picture.
std::vector<std::uint8_t> EncodePng(const PixelBuffer& pixels, int bits);

}  // namespace drossel
