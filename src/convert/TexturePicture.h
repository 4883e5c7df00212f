#pragma once
// Reading a texture's picture: its pixel data from the .raw file, decoded a band
// of rows at a time straight into the picture it belongs in. Neither a texture's
// pixel data nor a picture of it alone is ever held whole, so a large texture or
// a key icon strip takes the memory of its own picture, whatever the textures
// it is made of claim to be.

#include "image/PixelBuffer.h"
#include "level/Level.h"
#include "level/records/TextureRecords.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace drossel {

// Throws DrosselError, saying why, unless the texture's pixels can be decoded:
// a format with a decoder, a size that is positive, and all its pixel data in
// the .raw file (which is opened only for a format that is decoded).
void RequireDecodable(const Level& level, const TextureRecord& texture);

// A place in a picture: the top-left corner and the size of a cell.
struct Cell {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A large texture's picture: 640 x 512 pixels, its six tiles in two rows of three.
inline constexpr int kLargeTextureWidth = 640;
inline constexpr int kLargeTextureHeight = 512;
inline constexpr std::array<Cell, 6> kLargeTextureCells{{
    {0, 0, 256, 256},
    {256, 0, 256, 256},
    {512, 0, 128, 256},
    {0, 256, 256, 256},
    {256, 256, 256, 256},
    {512, 256, 128, 256},
}};

// Decodes the part of the texture that falls into `cell` of `picture` (and into
// the picture), its top-left corner at the cell's; the rest of the picture is
// left as it is. Reads only the rows that fall inside. For a texture that has
// passed RequireDecodable (FindLinkedTexture's are); reads stay bounds-checked
// whatever it is given.
void DrawTexture(const Level& level, const TextureRecord& texture, PixelBuffer& picture, const Cell& cell);

// The whole texture as a picture. Throws DrosselError as RequireDecodable does,
// and for a texture larger than a picture may be (kMaxPicturePixels).
PixelBuffer ReadTexturePicture(const Level& level, const TextureRecord& texture);

// The record of the texture an identifier links to, ready to be decoded. A link that leads to no usable texture
// (no resource carries the identifier, the resource is no texture or a
// placeholder without data) gives nothing and the reason in `missing`; a
// texture that exists but cannot be decoded throws DrosselError naming it.
std::optional<TextureRecord> FindLinkedTexture(const Level& level, std::uint32_t identifier, std::string& missing);

}  // namespace drossel
