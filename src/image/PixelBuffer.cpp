#include "image/PixelBuffer.h"

#include <algorithm>
#include <cstring>

namespace drossel {

PixelBuffer::PixelBuffer(int width, int height, Unfilled)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      size_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4),
      bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(size_)) {}

PixelBuffer::PixelBuffer(int width, int height, Bgra fill) : PixelBuffer(width, height, Unfilled{}) {
    for (std::size_t i = 0; i < size_; i += 4) {
        bytes_[i] = fill.blue;
        bytes_[i + 1] = fill.green;
        bytes_[i + 2] = fill.red;
        bytes_[i + 3] = fill.alpha;
    }
}

void PixelBuffer::CopyInto(const PixelBuffer& source, int left, int top, int cellWidth, int cellHeight) {
    const int columns = std::min({source.width(), cellWidth, width_ - left});
    const int rows = std::min({source.height(), cellHeight, height_ - top});
    if (left < 0 || top < 0 || columns <= 0 || rows <= 0) return;
    for (int y = 0; y < rows; ++y) {
        std::memcpy(AtFromTop(left, top + y), source.AtFromTop(0, y), static_cast<std::size_t>(columns) * 4);
    }
}

void PixelBuffer::MakeOpaque() {
    for (std::size_t i = 3; i < size_; i += 4) bytes_[i] = 255;
}

}  // namespace drossel
