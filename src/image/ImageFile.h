#pragma once
// Uncompressed BMP and TGA files at 24 or 32 bits per pixel: pure encoders, and
// the rule that a file name's extension picks the container (BMP, TGA or PNG,
// whose encoder is in PngEncode.h).

#include "image/PixelBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drossel {

// Both throw DrosselError for a depth other than 24 or 32 (and the TGA encoder
// for a picture wider or higher than its 16-bit header fields hold).
std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int bits);
std::vector<std::uint8_t> EncodeTga(const PixelBuffer& pixels, int bits);

enum class ImageContainer { None, Bmp, Tga, Png };
// "bmp", "tga" or "png" after lower-casing the path's extension; anything else is None.
ImageContainer ContainerOfPath(const std::string& path);
// The picture in the container's file format; throws as its encoder does, and
// for ImageContainer::None.
std::vector<std::uint8_t> EncodeImage(ImageContainer container, const PixelBuffer& pixels, int bits);

}  // namespace drossel
