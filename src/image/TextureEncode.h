#pragma once
// Pixel encoders for the texture formats the game stores: the inverses of
// TextureDecode.h, with the same channel layouts and the same upright picture.
// Formats 0, 1, 2 and 8 keep every value a decoded texture holds, so a picture
// exported and brought back unchanged gives back the very bytes; other values go
// to the nearest the format holds. Format 9 (DXT1) is encoded with libsquish at
// its best quality (iterative cluster fit); its blocks hold no transparency.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace drossel {

// The stored pixel bytes of `picture` in this format, DecodedTextureLength of
// them. Format 8's fourth byte of each pixel is padding the decoder ignores: it
// is taken from `current` (the bytes the texture holds now) when that is as
// long as the result, and is zero otherwise. Throws DrosselError for a format
// without an encoder.
std::vector<std::uint8_t> EncodeTexture(const PixelBuffer& picture, std::uint32_t format,
                                        std::span<const std::uint8_t> current = {});

}  // namespace drossel
