#pragma once
// Textures (TXMP) and the two kinds that are pictures made of textures named by
// identifier: large textures (TXMB) and key icon strips (KeyI).

#include "level/records/Record.h"

#include <cstdint>
#include <optional>

namespace drossel {

struct TextureRecord {
    ResourcePrefix prefix;
    std::uint8_t text[128];
    std::uint8_t unknown136[4];
    std::int16_t width;
    std::int16_t height;
    std::uint32_t format;  // the pixel format code
    std::uint8_t unknown148[8];
    std::uint32_t pixelOffset;  // in the .raw file
    std::uint8_t unknown160[32];
};
static_assert(sizeof(TextureRecord) == 192);

// Bytes of pixel data a texture of this size and format stores, the one rule for
// its raw size, unpacking and decoding: 2 per pixel for formats 0, 1 and 2, 4 for
// format 8, 8 per whole 4 x 4 block for format 9 (DXT1; blocks cover the edges).
// Nothing for another format, a size that is not positive, or a length that no
// 32-bit offset of the file format could address.
std::optional<std::int64_t> StoredPixelLength(int width, int height, std::uint32_t format);

inline RawLocation RawLocationOf(const TextureRecord& t) {
    return {StoredPixelLength(t.width, t.height, t.format).value_or(0), t.pixelOffset};
}

// A large texture: six tiles in two rows of three.
struct LargeTextureRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[24];
    std::uint32_t tiles[6];
    std::uint8_t unknown56[8];
};
static_assert(sizeof(LargeTextureRecord) == 64);

// Key icons: ten icons side by side.
struct KeyIconsRecord {
    ResourcePrefix prefix;
    std::uint32_t icons[10];
    std::uint8_t unknown48[16];
};
static_assert(sizeof(KeyIconsRecord) == 64);

}  // namespace drossel
