#include "image/PixelBuffer.h"

#include "io/Error.h"

#include <algorithm>
#include <string>

namespace drossel {

void RequirePictureSize(int width, int height) {
    if (std::int64_t{std::max(width, 0)} * std::max(height, 0) > kMaxPicturePixels) {
        throw DrosselError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels has more than the " + std::to_string(kMaxPicturePixels) +
                           " pixels a picture may have");
    }
}

PixelBuffer::PixelBuffer(int width, int height, Unfilled) {
    RequirePictureSize(width, height);  // before any memory is taken
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    size_ = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
    bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size_);
}

PixelBuffer::PixelBuffer(int width, int height, Bgra fill) : PixelBuffer(width, height, Unfilled{}) {
    for (std::size_t i = 0; i < size_; i += 4) {
        bytes_[i] = fill.blue;
        bytes_[i + 1] = fill.green;
        bytes_[i + 2] = fill.red;
        bytes_[i + 3] = fill.alpha;
    }
}

void PixelBuffer::MakeOpaque() {
    for (std::size_t i = 3; i < size_; i += 4) bytes_[i] = 255;
}

}  // namespace drossel
