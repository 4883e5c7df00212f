#include "image/TextureDecode.h"

#include "image/ChannelScale.h"
#include "io/Error.h"
#include "io/LittleEndian.h"
#include "level/records/TextureRecords.h"

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

// Decoders of one 16-bit value per pixel, stored row by row from the top.
template <std::uint32_t Format, typename PixelOf>
PixelBuffer Decode16(std::span<const std::uint8_t> data, int width, int height, PixelOf pixelOf) {
    CheckLength(data, width, height, Format);
    PixelBuffer out(width, height, PixelBuffer::Unfilled{});
    const std::uint8_t* in = data.data();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* o = out.AtFromTop(0, y);
        for (int x = 0; x < width; ++x, in += 2, o += 4) pixelOf(LoadU16(in), o);
    }
    return out;
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

PixelBuffer DecodeArgb4444(std::span<const std::uint8_t> data, int width, int height) {
    return Decode16<0>(data, width, height, [](unsigned v, std::uint8_t* o) {
        o[0] = kScale4[v & 0xF];
        o[1] = kScale4[(v >> 4) & 0xF];
        o[2] = kScale4[(v >> 8) & 0xF];
        o[3] = kScale4[v >> 12];
    });
}

PixelBuffer DecodeArgb1555(std::span<const std::uint8_t> data, int width, int height) {
    return Decode16<1>(data, width, height, [](unsigned v, std::uint8_t* o) {
        o[0] = kScale5[v & 0x1F];
        o[1] = kScale5[(v >> 5) & 0x1F];
        o[2] = kScale5[(v >> 10) & 0x1F];
        o[3] = (v & 0x8000) != 0 ? 255 : 0;
    });
}

PixelBuffer DecodeBgrx8888(std::span<const std::uint8_t> data, int width, int height) {
    CheckLength(data, width, height, 8);
    PixelBuffer out(width, height, PixelBuffer::Unfilled{});
    const std::uint8_t* in = data.data();
    const auto rowBytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y, in += rowBytes) {
        std::uint8_t* o = out.AtFromTop(0, y);
        std::memcpy(o, in, rowBytes);
        // The fourth byte is padding in the game's files, so every pixel is opaque.
        for (std::size_t i = 3; i < rowBytes; i += 4) o[i] = 255;
    }
    return out;
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

PixelBuffer DecodeDxt1(std::span<const std::uint8_t> data, int width, int height) {
    CheckLength(data, width, height, 9);
    PixelBuffer out(width, height, PixelBuffer::Unfilled{});
    const std::uint8_t* block = data.data();
    for (int by = 0; by < height; by += 4) {
        for (int bx = 0; bx < width; bx += 4, block += 8) {
            const Dxt1Palette palette = Dxt1PaletteOf(LoadU16(block), LoadU16(block + 2));
            for (int r = 0; r < 4 && by + r < height; ++r) {
                const std::uint8_t indices = block[4 + r];
                for (int x = 0; x < 4 && bx + x < width; ++x) {
                    out.SetFromTop(bx + x, by + r, palette.colour[(indices >> (2 * x)) & 3]);
                }
            }
        }
    }
    return out;
}

PixelBuffer DecodeTexture(std::span<const std::uint8_t> data, int width, int height, std::uint32_t format) {
    switch (format) {
        case 0:
            return DecodeArgb4444(data, width, height);
        case 1:
        case 2:
            return DecodeArgb1555(data, width, height);
        case 8:
            return DecodeBgrx8888(data, width, height);
        case 9:
            return DecodeDxt1(data, width, height);
        default:
            DecodedTextureLength(width, height, format);  // names the reason
            throw DrosselError("pixel format " + std::to_string(format) + " is not supported");
    }
}

}  // namespace drossel
