#pragma once
// Uncompressed BMP and TGA files at 24 or 32 bits per pixel: pure encoders, and
// the rule that a file name's extension picks the container.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drossel {

// Both throw DrosselError for a depth other than 24 or 32 (and the TGA encoder
// for a picture wider or higher than its 16-bit header fields hold).
std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int bits);
std::vector<std::uint8_t> EncodeTga(const PixelBuffer& pixels, int bits);

enum class ImageContainer { None, Bmp, Tga };
// "bmp" or "tga" after lower-casing the path's extension; anything else is None.
ImageContainer ContainerOfPath(const std::string& path);

}  // namespace drossel
