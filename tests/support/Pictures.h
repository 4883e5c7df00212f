#pragma once
// Pictures for image tests: ones whose every pixel a texture format stores
// exactly (so a conversion must give back the very picture that went in, and any
// swapped channel, flipped row or misplaced block shows), reading written files
// back with ImageMagick, and comparing pictures.

#include "Fixture.h"
#include "image/PixelBuffer.h"

#include <optional>
#include <string>

namespace drossel::testing {

Picture ExactPicture(std::uint32_t format, int width, int height, int seed = 0);
Picture Opaque(Picture p);
Picture PictureOf(const PixelBuffer& buffer);
PixelBuffer BufferOf(const Picture& picture);

// The picture as ImageMagick decodes it, top row first (TGA files turned
// upright by their orientation field); empty when ImageMagick cannot read it.
std::optional<Picture> ReadWithImageMagick(const std::string& path);

::testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected);

}  // namespace drossel::testing
