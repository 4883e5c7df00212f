#pragma once
// Reading a texture's picture: its pixel data from the .raw file, decoded.

#include "image/PixelBuffer.h"
#include "level/Level.h"
#include "level/records/TextureRecords.h"

#include <cstdint>
#include <optional>
#include <string>

namespace drossel {

// Throws DrosselError when the format is not decoded or the pixel data is not
// all in the .raw file (which is opened only for a format that is decoded).
PixelBuffer ReadTexturePicture(const Level& level, const TextureRecord& texture);

// The picture of the texture an identifier links to. A link that leads to no
// usable texture (no resource carries the identifier, the resource is no texture
// or a placeholder without data) gives no picture and the reason in `missing`;
// a texture that exists but cannot be decoded throws DrosselError.
std::optional<PixelBuffer> ReadLinkedTexture(const Level& level, std::uint32_t identifier, std::string& missing);

}  // namespace drossel
