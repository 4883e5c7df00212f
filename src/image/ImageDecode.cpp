#include "image/ImageDecode.h"

#include "io/Error.h"
#include "io/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace drossel {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr const char* kUnknownPicture = "it is not a PNG, TGA or BMP picture";

std::string Count(std::int64_t n) {
    return std::to_string(n);
}

// Throws unless a picture of this size may be made.
void CheckSize(std::int64_t width, std::int64_t height, const char* type) {
    if (width <= 0 || height <= 0 || width > kMaxPicturePixels || height > kMaxPicturePixels) {
        throw DrosselError(std::string("the ") + type + " file's picture of " + Count(width) + " x " + Count(height) +
                           " pixels has no pixels or is larger than a picture may be");
    }
    RequirePictureSize(static_cast<int>(width), static_cast<int>(height));
}

[[noreturn]] void Cut(const char* type, std::size_t has, std::int64_t needs) {
    throw DrosselError(std::string("the ") + type + " file is cut short: it holds " +
                       Count(static_cast<std::int64_t>(has)) + " bytes, its pixels need " + Count(needs));
}

// Pictures whose fourth byte is alpha by the file's word, or only perhaps: some
// writers leave that byte zero, and a picture all transparent is then opaque.
void OpaqueWhenAllTransparent(PixelBuffer& picture) {
    const auto bytes = picture.bytes();
    for (std::size_t i = 3; i < bytes.size(); i += 4) {
        if (bytes[i] != 0) return;
    }
    picture.MakeOpaque();
}

// ---- TGA ----

struct TgaHeader {
    std::size_t pixelsAt = 0;
    int width = 0, height = 0, bytesPerPixel = 0;
    bool compressed = false, topFirst = false, rightToLeft = false, alpha = false;
};

TgaHeader ReadTgaHeader(std::span<const std::uint8_t> b) {
    constexpr std::size_t kHeader = 18;
    if (b.size() < kHeader || b[1] > 1) throw DrosselError(kUnknownPicture);
    const int type = b[2];
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) {
        throw DrosselError(kUnknownPicture);
    }
    if (type != 2 && type != 10) {
        throw DrosselError("TGA pictures with a palette or in shades of grey are not read, only true colour");
    }
    TgaHeader h;
    const int bits = b[16];
    if (bits != 24 && bits != 32) {
        throw DrosselError("TGA pictures of " + Count(bits) + " bits a pixel are not read, only of 24 or 32");
    }
    const std::size_t mapBytes = b[1] == 1 ? std::size_t{LoadU16(&b[5])} * ((b[7] + 7u) / 8) : 0;
    h.pixelsAt = kHeader + b[0] + mapBytes;
    h.width = LoadU16(&b[12]);
    h.height = LoadU16(&b[14]);
    h.bytesPerPixel = bits / 8;
    h.compressed = type == 10;
    h.rightToLeft = (b[17] & 0x10) != 0;
    h.topFirst = (b[17] & 0x20) != 0;
    h.alpha = bits == 32 && (b[17] & 0x0F) != 0;
    return h;
}

// Stored pixels in the order the file stores them, into their places.
class TgaPixelSink {
public:
    TgaPixelSink(PixelBuffer& picture, const TgaHeader& h) : picture_(picture), h_(h) {}
    void Put(const std::uint8_t* in) {
        const int row = static_cast<int>(next_ / static_cast<std::size_t>(h_.width));
        const int column = static_cast<int>(next_ % static_cast<std::size_t>(h_.width));
        std::uint8_t* o = picture_.AtFromTop(h_.rightToLeft ? h_.width - 1 - column : column,
                                             h_.topFirst ? row : h_.height - 1 - row);
        std::memcpy(o, in, 3);
        o[3] = h_.alpha ? in[3] : 255;
        ++next_;
    }
    std::size_t left() const {
        return static_cast<std::size_t>(h_.width) * static_cast<std::size_t>(h_.height) - next_;
    }

private:
    PixelBuffer& picture_;
    const TgaHeader& h_;
    std::size_t next_ = 0;
};

PixelBuffer DecodeTga(std::span<const std::uint8_t> b) {
    const TgaHeader h = ReadTgaHeader(b);
    const auto size = static_cast<std::size_t>(h.bytesPerPixel);
    CheckSize(h.width, h.height, "TGA");
    const std::size_t pixels = static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.height);
    // Checked before memory is taken: a run-length packet gives at most 128 pixels.
    const std::size_t least = h.pixelsAt + (h.compressed ? (pixels + 127) / 128 * (1 + size) : pixels * size);
    if (b.size() < least) Cut("TGA", b.size(), static_cast<std::int64_t>(least));
    PixelBuffer picture(h.width, h.height, PixelBuffer::Unfilled{});
    TgaPixelSink sink(picture, h);
    for (std::size_t at = h.pixelsAt; sink.left() > 0;) {
        const bool run = h.compressed && (b[at] & 0x80) != 0;
        const std::size_t count = std::min<std::size_t>(h.compressed ? (b[at] & 0x7Fu) + 1 : pixels, sink.left());
        at += h.compressed ? 1 : 0;
        const std::size_t stored = run ? size : count * size;
        if (at > b.size() || b.size() - at < stored) Cut("TGA", b.size(), static_cast<std::int64_t>(at + stored));
        for (std::size_t k = 0; k < count; ++k) sink.Put(b.data() + at + (run ? 0 : k * size));
        at += stored;
        if (sink.left() > 0 && at >= b.size()) Cut("TGA", b.size(), static_cast<std::int64_t>(at + 1));
    }
    return picture;
}

// ---- BMP ----

// One colour channel of a 32-bit BMP pixel, by its bit mask, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    std::uint8_t Of(std::uint32_t value) const {
        if (mask == 0) return 255;
        const int shift = std::countr_zero(mask);
        const std::uint64_t top = (std::uint64_t{mask} >> shift);
        return static_cast<std::uint8_t>(((value & mask) >> shift) * 255 / top);
    }
};

PixelBuffer DecodeBmp(std::span<const std::uint8_t> b) {
    constexpr std::size_t kFileHeader = 14;
    if (b.size() < kFileHeader + 40) throw DrosselError("the BMP file is cut short inside its header");
    const std::uint32_t header = LoadU32(&b[14]);
    if (header < 40 || header > b.size() - kFileHeader) {
        throw DrosselError("BMP files with a header of " + Count(header) + " bytes are not read");
    }
    const auto width = static_cast<std::int32_t>(LoadU32(&b[18]));
    const auto height = static_cast<std::int32_t>(LoadU32(&b[22]));
    const int bits = LoadU16(&b[28]);
    const std::uint32_t compression = LoadU32(&b[30]);
    if (bits != 24 && bits != 32) {
        throw DrosselError("BMP pictures of " + Count(bits) + " bits a pixel are not read, only of 24 or 32");
    }
    // Plain pixels, or 32-bit ones described by bit masks (3, and 6 with alpha).
    const bool masked = bits == 32 && (compression == 3 || compression == 6);
    if (compression != 0 && !masked) throw DrosselError("compressed BMP pictures are not read");
    Channel red{0x00FF0000}, green{0x0000FF00}, blue{0x000000FF}, alpha{0};
    if (masked) {
        // After a 40-byte header the masks follow it; longer headers hold them.
        const std::size_t at = kFileHeader + 40;
        const bool withAlpha = header >= 56 || compression == 6;
        if (b.size() < at + (withAlpha ? 16 : 12)) throw DrosselError("the BMP file is cut short inside its header");
        red.mask = LoadU32(&b[at]);
        green.mask = LoadU32(&b[at + 4]);
        blue.mask = LoadU32(&b[at + 8]);
        alpha.mask = withAlpha ? LoadU32(&b[at + 12]) : 0;
    }
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : height;
    CheckSize(width, rows, "BMP");
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bits / 8);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    const std::size_t pixelsAt = LoadU32(&b[10]);
    const std::size_t needs = rowBytes * static_cast<std::size_t>(rows);
    if (pixelsAt > b.size() || b.size() - pixelsAt < needs) {
        Cut("BMP", b.size(), static_cast<std::int64_t>(pixelsAt + needs));
    }
    PixelBuffer picture(width, static_cast<int>(rows), PixelBuffer::Unfilled{});
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* in = b.data() + pixelsAt + rowBytes * static_cast<std::size_t>(row);
        // A positive height stores the bottom row first, as the picture does.
        const int top = height < 0 ? row : static_cast<int>(rows) - 1 - row;
        std::uint8_t* o = picture.AtFromTop(0, top);
        for (int x = 0; x < width; ++x, in += bytesPerPixel, o += 4) {
            if (masked) {
                const std::uint32_t v = LoadU32(in);
                o[0] = blue.Of(v);
                o[1] = green.Of(v);
                o[2] = red.Of(v);
                o[3] = alpha.Of(v);
            } else {
                std::memcpy(o, in, 3);
                o[3] = bits == 32 ? in[3] : 255;
            }
        }
    }
    if (bits == 32 && !masked) OpaqueWhenAllTransparent(picture);
    return picture;
}

}  // namespace

PixelBuffer DecodeImageFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0) {
        return DecodePng(bytes);
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
    return DecodeTga(bytes);
}

}  // namespace drossel
