#include "image/TextureEncode.h"

#include "image/TextureDecode.h"
#include "io/LittleEndian.h"
#include "io/LoadedLibrary.h"

#include <squish.h>

namespace drossel {
namespace {

// The n-bit channel value nearest to an 8-bit one: the inverse of ScaleBits,
// exact for every value ScaleBits gives.
constexpr unsigned Narrow(unsigned value, unsigned bits) {
    const unsigned top = (1u << bits) - 1;
    return (value * top + 127) / 255;
}

template <typename ValueOf>
void Encode16(const PixelBuffer& picture, std::vector<std::uint8_t>& out, ValueOf valueOf) {
    std::uint8_t* o = out.data();
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.AtFromTop(0, y);
        for (int x = 0; x < picture.width(); ++x, p += 4, o += 2) StoreU16(o, valueOf(p));
    }
}

void EncodeBgrx(const PixelBuffer& picture, std::span<const std::uint8_t> current, std::vector<std::uint8_t>& out) {
    const bool keep = current.size() == out.size();
    std::uint8_t* o = out.data();
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.AtFromTop(0, y);
        for (int x = 0; x < picture.width(); ++x, p += 4, o += 4) {
            o[0] = p[0];
            o[1] = p[1];
            o[2] = p[2];
            o[3] = keep ? current[static_cast<std::size_t>(o + 3 - out.data())] : 0;
        }
    }
}

// libsquish's block compressor, loaded when a texture is first encoded as DXT1.
struct Squish {
    decltype(&squish::CompressMasked) compressMasked = nullptr;
};

const Squish& SquishLibrary() {
    return LoadFunctions<Squish>("libsquish.so.0", [](LoadedLibrary& library, Squish& s) {
        library.Find(s.compressMasked, "_ZN6squish14CompressMaskedEPKhiPviPf");  // squish::CompressMasked
    });
}

// Blocks of 4 x 4 pixels, rows of blocks from the top; pixels beyond the
// picture's edge are left out of the fit.
void EncodeDxt1(const PixelBuffer& picture, std::vector<std::uint8_t>& out) {
    const auto compress = SquishLibrary().compressMasked;
    std::uint8_t* block = out.data();
    for (int by = 0; by < picture.height(); by += 4) {
        for (int bx = 0; bx < picture.width(); bx += 4, block += 8) {
            squish::u8 rgba[16 * 4] = {};
            int mask = 0;
            for (int y = 0; y < 4 && by + y < picture.height(); ++y) {
                for (int x = 0; x < 4 && bx + x < picture.width(); ++x) {
                    const Bgra p = picture.GetFromTop(bx + x, by + y);
                    squish::u8* o = rgba + 4 * (4 * y + x);
                    o[0] = p.red;
                    o[1] = p.green;
                    o[2] = p.blue;
                    o[3] = 255;
                    mask |= 1 << (4 * y + x);
                }
            }
            compress(rgba, mask, block, squish::kDxt1 | squish::kColourIterativeClusterFit, nullptr);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeTexture(const PixelBuffer& picture, std::uint32_t format,
                                        std::span<const std::uint8_t> current) {
    std::vector<std::uint8_t> out(
        static_cast<std::size_t>(DecodedTextureLength(picture.width(), picture.height(), format)));
    switch (format) {
        case 0:
            Encode16(picture, out, [](const std::uint8_t* p) {
                return static_cast<std::uint16_t>(Narrow(p[0], 4) | Narrow(p[1], 4) << 4 | Narrow(p[2], 4) << 8 |
                                                  Narrow(p[3], 4) << 12);
            });
            break;
        case 1:
        case 2:
            Encode16(picture, out, [](const std::uint8_t* p) {
                return static_cast<std::uint16_t>(Narrow(p[0], 5) | Narrow(p[1], 5) << 5 | Narrow(p[2], 5) << 10 |
                                                  (p[3] >= 128 ? 0x8000u : 0u));
            });
            break;
        case 8:
            EncodeBgrx(picture, current, out);
            break;
        default:
            EncodeDxt1(picture, out);  // DecodedTextureLength let no other format through
    }
    return out;
}

}  // namespace drossel
