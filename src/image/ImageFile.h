#pragma once
// Uncompressed BMP and TGA files at 24 or 32 bits per pixel. The encoders are
// pure; WriteImageFile picks the container by the file name's extension and
// writes the file whole or not at all.

#include "image/PixelBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drossel {

class UserInterface;

// Both throw DrosselError for a depth other than 24 or 32 (and the TGA encoder
// for a picture wider or higher than its 16-bit header fields hold).
std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& pixels, int bits);
std::vector<std::uint8_t> EncodeTga(const PixelBuffer& pixels, int bits);

enum class ImageContainer { None, Bmp, Tga };
// "bmp" or "tga" after lower-casing the path's extension; anything else is None.
ImageContainer ContainerOfPath(const std::string& path);

inline constexpr const char* kWrongImageNameTitle = "Error!";
inline constexpr const char* kWrongImageNameText = "The Filename is wrong!\r\nThe file has to end with .bmp or .tga !";

// Writes the picture as BMP or TGA by the extension of path, at `bits` depth, then
// reports the file to ui. Another extension shows the "Error!" message and writes
// nothing; returns whether a file was written. Throws DrosselError when the file
// cannot be written.
bool WriteImageFile(UserInterface& ui, const std::string& path, const PixelBuffer& pixels, int bits);

}  // namespace drossel
