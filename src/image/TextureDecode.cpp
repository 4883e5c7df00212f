#include "image/TextureDecode.h"

#include "image/ChannelScale.h"
#include "io/Error.h"
#include "io/LittleEndian.h"
#include "level/records/TextureRecords.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace drossel {
namespace {

void CheckLength(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format) {
    const std::int64_t needed = DecodedTextureLength(width, height, format);
    if (static_cast<std::int64_t>(data.size()) < needed) {
        throw DrosselError("the pixel data holds " + std::to_string(data.size()) + " bytes, the texture needs " +
                           std::to_string(needed));
    }
}

template <unsigned Bits>
constexpr std::array<std::uint8_t, 1u << Bits> ScaleTable() {
    std::array<std::uint8_t, 1u << Bits> table{};
    for (unsigned k = 0; k < table.size(); ++k) table[k] = ScaleBits(k, Bits);
    return table;
}
constexpr auto kScale4 = ScaleTable<4>();
constexpr auto kScale5 = ScaleTable<5>();

// The part of a texture a decoder writes: `columns` x `rows` pixels from the
// texture's top-left corner, to (left, top) of the picture.
struct Region {
    PixelBuffer& picture;
    int left, top, columns, rows;

    std::uint8_t* At(int x, int y) const { return picture.AtFromTop(left + x, top + y); }
};

Region RegionOf(const DecodeTarget& t, int width, int height) {
    Region r{t.picture, t.left, t.top, std::min({width, t.width, t.picture.width() - t.left}),
             std::min({height, t.height, t.picture.height() - t.top})};
    if (t.left < 0 || t.top < 0 || r.columns <= 0 || r.rows <= 0) r.columns = r.rows = 0;
    return r;
}

// One 16-bit value per pixel, stored row by row from the top.
template <typename PixelOf>
void Decode16(std::span<const std::uint8_t> data, int width, const Region& r, PixelOf pixelOf) {
    const auto rowBytes = static_cast<std::size_t>(width) * 2;
    for (int y = 0; y < r.rows; ++y) {
        const std::uint8_t* in = data.data() + rowBytes * static_cast<std::size_t>(y);
        std::uint8_t* o = r.At(0, y);
        for (int x = 0; x < r.columns; ++x, in += 2, o += 4) pixelOf(LoadU16(in), o);
    }
}

void Argb4444Into(std::span<const std::uint8_t> data, int width, const Region& r) {
    Decode16(data, width, r, [](unsigned v, std::uint8_t* o) {
        o[0] = kScale4[v & 0xF];
        o[1] = kScale4[(v >> 4) & 0xF];
        o[2] = kScale4[(v >> 8) & 0xF];
        o[3] = kScale4[v >> 12];
    });
}

void Argb1555Into(std::span<const std::uint8_t> data, int width, const Region& r) {
    Decode16(data, width, r, [](unsigned v, std::uint8_t* o) {
        o[0] = kScale5[v & 0x1F];
        o[1] = kScale5[(v >> 5) & 0x1F];
        o[2] = kScale5[(v >> 10) & 0x1F];
        o[3] = (v & 0x8000) != 0 ? 255 : 0;
    });
}

void Bgrx8888Into(std::span<const std::uint8_t> data, int width, const Region& r) {
    const auto rowBytes = static_cast<std::size_t>(width) * 4;
    const auto copied = static_cast<std::size_t>(r.columns) * 4;
    for (int y = 0; y < r.rows; ++y) {
        std::uint8_t* o = r.At(0, y);
        std::memcpy(o, data.data() + rowBytes * static_cast<std::size_t>(y), copied);
        // The fourth byte is padding in the game's files, so every pixel is opaque.
        for (std::size_t i = 3; i < copied; i += 4) o[i] = 255;
    }
}

Bgra Colour565(std::uint16_t v) {
    return {Scale5(v & 0x1F), Scale6((v >> 5) & 0x3F), Scale5(v >> 11), 255};
}

std::uint8_t Mix(std::uint8_t a, std::uint8_t b, unsigned weightA, unsigned weightB) {
    const unsigned total = weightA + weightB;
    // Nearest integer; for thirds no value lies halfway, for halves it rounds up.
    return static_cast<std::uint8_t>((a * weightA + b * weightB + total / 2) / total);
}

Bgra MixColour(Bgra a, Bgra b, unsigned weightA, unsigned weightB) {
    return {Mix(a.blue, b.blue, weightA, weightB), Mix(a.green, b.green, weightA, weightB),
            Mix(a.red, b.red, weightA, weightB), 255};
}

// Blocks of 4 x 4 pixels, stored row of blocks by row of blocks from the top.
void Dxt1Into(std::span<const std::uint8_t> data, int width, const Region& r) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 3) / 4 * 8;
    for (int by = 0; by < r.rows; by += 4) {
        const std::uint8_t* block = data.data() + rowBytes * static_cast<std::size_t>(by / 4);
        for (int bx = 0; bx < r.columns; bx += 4, block += 8) {
            const Dxt1Palette palette = Dxt1PaletteOf(LoadU16(block), LoadU16(block + 2));
            for (int y = 0; y < 4 && by + y < r.rows; ++y) {
                const std::uint8_t indices = block[4 + y];
                std::uint8_t* o = r.At(bx, by + y);
                for (int x = 0; x < 4 && bx + x < r.columns; ++x, o += 4) {
                    const Bgra c = palette.colour[(indices >> (2 * x)) & 3];
                    o[0] = c.blue;
                    o[1] = c.green;
                    o[2] = c.red;
                    o[3] = c.alpha;
                }
            }
        }
    }
}

}  // namespace

std::int64_t DecodedTextureLength(int width, int height, std::uint32_t format) {
    if (format != 0 && format != 1 && format != 2 && format != 8 && format != 9) {
        throw DrosselError("pixel format " + std::to_string(format) + " is not supported");
    }
    if (width <= 0 || height <= 0) {
        throw DrosselError("the texture has no pixels (" + std::to_string(width) + " x " + std::to_string(height) +
                           ")");
    }
    const auto length = StoredPixelLength(width, height, format);
    if (!length) {
        throw DrosselError("a texture of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels would need more pixel data than a level file can address");
    }
    return *length;
}

Dxt1Palette Dxt1PaletteOf(std::uint16_t c0, std::uint16_t c1) {
    Dxt1Palette p;
    p.colour[0] = Colour565(c0);
    p.colour[1] = Colour565(c1);
    if (c0 > c1) {
        p.colour[2] = MixColour(p.colour[0], p.colour[1], 2, 1);
        p.colour[3] = MixColour(p.colour[0], p.colour[1], 1, 2);
    } else {
        // The three-colour mode: its fourth entry is black, opaque in this RGB variant.
        p.colour[2] = MixColour(p.colour[0], p.colour[1], 1, 1);
        p.colour[3] = Bgra{0, 0, 0, 255};
    }
    return p;
}

void DecodeTextureInto(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format,
                       const DecodeTarget& target) {
    CheckLength(data, width, height, format);
    const Region region = RegionOf(target, width, height);
    switch (format) {
        case 0:
            return Argb4444Into(data, width, region);
        case 1:
        case 2:
            return Argb1555Into(data, width, region);
        case 8:
            return Bgrx8888Into(data, width, region);
        default:
            return Dxt1Into(data, width, region);  // CheckLength let no other format through
    }
}

std::string TextureFormatName(std::uint32_t format) {
    const char* name = format == 0                  ? "ARGB 4-4-4-4"
                       : format == 1 || format == 2 ? "ARGB 1-5-5-5"
                       : format == 8                ? "RGB 8-8-8 and a padding byte"
                       : format == 9                ? "DXT1"
                                                    : nullptr;
    const std::string code = "format " + std::to_string(format);
    return name == nullptr ? code : std::string(name) + " (" + code + ")";
}

PixelBuffer DecodeTexture(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format) {
    DecodedTextureLength(width, height, format);  // names the reason before any memory is taken
    PixelBuffer out(width, height, PixelBuffer::Unfilled{});
    DecodeTextureInto(data, width, height, format, {out, 0, 0, width, height});
    return out;
}

}  // namespace drossel
