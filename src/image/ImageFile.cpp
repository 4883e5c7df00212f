#include "image/ImageFile.h"

#include "image/PngEncode.h"
#include "io/Error.h"
#include "io/PathText.h"

namespace drossel {
namespace {

constexpr std::uint32_t kBmpHeaderSize = 54;
constexpr std::uint32_t kBmpInfoSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2834;
constexpr std::size_t kTgaHeaderSize = 18;

void CheckDepth(int bits) {
    if (bits != 24 && bits != 32) throw DrosselError("unsupported image depth of " + std::to_string(bits) + " bits");
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

// The buffer's rows as the file stores them: bottom row first, each row padded
// with zero bytes to a multiple of `rowAlignment`.
void AppendRows(std::vector<std::uint8_t>& out, const PixelBuffer& pixels, int bits, std::size_t rowAlignment) {
    const auto width = static_cast<std::size_t>(pixels.width());
    const auto& source = pixels.bytes();
    const std::size_t rowBytes = width * static_cast<std::size_t>(bits / 8);
    const std::size_t padded = (rowBytes + rowAlignment - 1) / rowAlignment * rowAlignment;
    if (bits == 32 && padded == rowBytes) {
        out.insert(out.end(), source.begin(), source.end());
        return;
    }
    std::size_t at = out.size();
    out.resize(at + padded * static_cast<std::size_t>(pixels.height()), 0);
    for (int row = 0; row < pixels.height(); ++row) {
        const std::uint8_t* in = source.data() + static_cast<std::size_t>(row) * width * 4;
        std::uint8_t* o = out.data() + at;
        for (std::size_t x = 0; x < width; ++x, in += 4) {
            *o++ = in[0];
            *o++ = in[1];
            *o++ = in[2];
            if (bits == 32) *o++ = in[3];
        }
        at += padded;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int bits) {
    CheckDepth(bits);
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(bits / 8);
    const std::size_t imageSize = (rowBytes + 3) / 4 * 4 * static_cast<std::size_t>(pixels.height());
    if (imageSize > 0xFFFFFFFFu - kBmpHeaderSize) throw DrosselError("the picture is too large for a BMP file");
    std::vector<std::uint8_t> out(kBmpHeaderSize, 0);
    out.reserve(kBmpHeaderSize + imageSize);
    Put16(out, 0, 0x4D42);
    Put32(out, 2, static_cast<std::uint32_t>(kBmpHeaderSize + imageSize));
    Put32(out, 10, kBmpHeaderSize);
    Put32(out, 14, kBmpInfoSize);
    Put32(out, 18, static_cast<std::uint32_t>(pixels.width()));
    Put32(out, 22, static_cast<std::uint32_t>(pixels.height()));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<std::uint32_t>(bits));
    Put32(out, 34, static_cast<std::uint32_t>(imageSize));
    Put32(out, 38, kPixelsPerMetre);
    Put32(out, 42, kPixelsPerMetre);
    AppendRows(out, pixels, bits, 4);
    return out;
}

std::vector<std::uint8_t> EncodeTga(const PixelBuffer& pixels, int bits) {
    CheckDepth(bits);
    if (pixels.width() > 0xFFFF || pixels.height() > 0xFFFF) {
        throw DrosselError("a TGA file holds at most 65535 x 65535 pixels");
    }
    std::vector<std::uint8_t> out(kTgaHeaderSize, 0);
    out.reserve(kTgaHeaderSize + pixels.bytes().size());
    out[2] = 2;  // uncompressed true colour
    Put16(out, 12, static_cast<std::uint32_t>(pixels.width()));
    Put16(out, 14, static_cast<std::uint32_t>(pixels.height()));
    out[16] = static_cast<std::uint8_t>(bits);
    // Eight alpha bits at 32 bits; bit 5 stays clear, so the first row stored is the bottom row.
    out[17] = bits == 32 ? 8 : 0;
    AppendRows(out, pixels, bits, 1);
    return out;
}

ImageContainer ContainerOfPath(const std::string& path) {
    const std::string extension = LowerCase(ExtensionOf(path));
    if (extension == "bmp") return ImageContainer::Bmp;
    if (extension == "tga") return ImageContainer::Tga;
    if (extension == "png") return ImageContainer::Png;
    return ImageContainer::None;
}

std::vector<std::uint8_t> EncodeImage(ImageContainer container, const PixelBuffer& pixels, int bits) {
    switch (container) {
        case ImageContainer::Bmp:
            return EncodeBmp(pixels, bits);
        case ImageContainer::Tga:
            return EncodeTga(pixels, bits);
        case ImageContainer::Png:
            return EncodePng(pixels, bits);
        case ImageContainer::None:
            break;
    }
    throw DrosselError("no picture format was chosen");
}

}  // namespace drossel
